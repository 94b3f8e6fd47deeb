#pragma once

#include <cstdint>
#include <memory>
#include <string>

class FCFile;
class FCObject;

// Binary object stream over one file, opened either to load or to store.
// Objects read and write their fields through it in Serialize. Any failed
// read or write (short data, a bad count or length, nesting too deep, an
// unknown class) sets a failure flag that stays set, so the caller can
// refuse the whole file; once set, further reads read nothing.
class FCArchive
{
public:
    enum Mode : std::uint32_t
    {
        kLoad = 0,
        kStore = 1,
    };
    // Longest text that a reader can take back: the stored count is read as
    // a signed 16-bit number and includes the terminating NUL.
    static constexpr std::size_t kMaxStringLength = 32766;
    static constexpr std::uint32_t kMaxDepth = 64;
    static constexpr std::int32_t kMaxContainerCount = 32767;

    FCArchive(const std::string& path, std::uint32_t mode);
    ~FCArchive();
    FCArchive(const FCArchive&) = delete;
    FCArchive& operator=(const FCArchive&) = delete;

    bool IsOpen() const;
    // Flushes pending bytes; a failed flush sets the failure flag.
    void Close();

    bool IsStoring() const { return mode != kLoad; }
    bool IsLoading() const { return mode == kLoad; }
    std::uint32_t GetMode() const { return mode; }
    std::uint16_t GetVersion() const { return version; }
    void SetVersion(std::uint16_t value) { version = value; }
    bool HasFailed() const { return failed; }
    // For Serialize code that finds its own data invalid.
    void SetFailed(const char* reason);
    FCFile* GetFile() const { return file.get(); }

    // An object created by class name and filled by its Serialize, owned by
    // the caller (one reference); null for a stored null, on failure, for an
    // unknown class, and when the object's own data failed to read.
    FCObject* ReadObject();
    void WriteObject(FCObject* object);

    // A stored string from any file. False (and an empty text) on a short
    // read or a count the reader cannot take.
    static bool ReadString(FCFile& file, std::string& out);
    // Texts longer than kMaxStringLength are cut to it, and logged.
    static FCArchive& WriteString(FCArchive& ar, const std::string& text);
    bool ReadString(std::string& out);
    FCArchive& WriteString(const std::string& text) { return WriteString(*this, text); }

    // Fields, little-endian. A failed read leaves out unchanged.
    bool Read(void* buffer, std::uint32_t count);
    bool Write(const void* buffer, std::uint32_t count);
    bool ReadU8(std::uint8_t& out);
    bool ReadI8(std::int8_t& out);
    bool ReadU16(std::uint16_t& out);
    bool ReadI16(std::int16_t& out);
    bool ReadU32(std::uint32_t& out);
    bool ReadI32(std::int32_t& out);
    bool ReadF32(float& out);
    bool WriteU8(std::uint8_t value);
    bool WriteI8(std::int8_t value);
    bool WriteU16(std::uint16_t value);
    bool WriteI16(std::int16_t value);
    bool WriteU32(std::uint32_t value);
    bool WriteI32(std::int32_t value);
    bool WriteF32(float value);

    // The head of a stored container (ownership mode, count), shared by the
    // object holders. Writing returns the number of elements to write (the
    // count is cut to what a reader can take, and the archive fails).
    // Reading checks the mode and the count against the bytes left, given
    // the smallest element record; it returns the number of element records
    // to read, 0 on failure.
    std::uint16_t WriteContainerHeader(std::uint16_t ownershipMode, std::uint32_t count);
    std::int32_t ReadContainerHeader(std::uint32_t minElementSize);

    // Bytes between the read position and the end of the file.
    std::uint32_t GetRemaining() const;

private:
    std::unique_ptr<FCFile> file;
    std::uint32_t mode = kLoad;
    std::uint16_t version = 1;
    bool failed = false;
    std::uint32_t depth = 0;
};
