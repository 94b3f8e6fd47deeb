#pragma once

#include "Fc/Core/FCBytes.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <sys/types.h>

// A whole file over a POSIX descriptor. Reads and writes go through a 64 KiB
// buffer so that readers may fetch a file field by field; the buffer is
// invisible: Tell, Seek, GetSize, IsEof, SetSize, Flush and Close behave as
// if every byte went straight to the system.
class FCFile
{
public:
    using Handle = int;
    static constexpr Handle kInvalidHandle = -1;

    // Access bits of Open.
    static constexpr std::uint8_t kAccessRead = 1;
    static constexpr std::uint8_t kAccessWrite = 2;
    // Creation codes of Open.
    static constexpr std::uint32_t kCreateNew = 0;
    static constexpr std::uint32_t kCreateAlways = 1;
    static constexpr std::uint32_t kOpenExisting = 2;
    static constexpr std::uint32_t kOpenAlways = 3;
    static constexpr std::uint32_t kTruncateExisting = 4;
    // Share bits of Open; the host has no share modes, so they are accepted
    // and not enforced.
    static constexpr std::uint8_t kShareRead = 1;
    static constexpr std::uint8_t kShareWrite = 2;
    // Seek origins.
    static constexpr std::uint32_t kFromStart = 0;
    static constexpr std::uint32_t kFromCurrent = 1;
    static constexpr std::uint32_t kFromEnd = 2;

    // Size of a closed file, and the result of a failed seek.
    static constexpr std::uint32_t kInvalidPosition = 0xFFFFFFFF;

    FCFile();
    FCFile(const FCFile&) = delete;
    FCFile& operator=(const FCFile&) = delete;

    // True when closed or when no byte is left to read; the position stays.
    virtual bool IsEof();
    virtual std::uint32_t Tell();
    virtual std::uint32_t GetSize();
    // Moves to size and ends the file there.
    virtual bool SetSize(std::uint32_t size);
    virtual std::uint32_t SeekToStart();
    virtual std::uint32_t SeekToEnd();
    virtual std::uint32_t SeekRelative(std::int32_t offset);
    virtual std::uint32_t SeekTo(std::uint32_t position);
    // From the start the offset counts as unsigned, so SeekTo reaches every
    // 32-bit position. Returns the new position, or kInvalidPosition (the
    // position unchanged) for a closed file, a bad origin or a position
    // before the start.
    virtual std::uint32_t Seek(std::int32_t offset, std::uint32_t origin);
    // True only when exactly count bytes were read; what was read is consumed.
    virtual bool Read(void* buffer, std::uint32_t count);
    virtual std::uint32_t ReadSome(void* buffer, std::uint32_t count);
    virtual bool Write(const void* buffer, std::uint32_t count);
    // Writes pending bytes and flushes the system's buffers. False when any
    // buffered write since the last Flush failed.
    virtual bool Flush();
    // False when not open, or when pending bytes could not be written (the
    // file is closed all the same).
    virtual bool Close();
    virtual ~FCFile();
    virtual bool IsOpen() const;
    // Does nothing and succeeds when already open. Backslash paths are
    // accepted (see ToHostPath).
    virtual bool Open(const char* name, std::uint8_t access, std::uint32_t creation, std::uint8_t share);
    // Bytes still buffered are not visible through the raw handle until
    // Flush.
    virtual Handle GetHandle() const;

    // Little-endian fields. Each returns false on a short read or write; a
    // failed read sets out to 0. Reads take their bytes straight from the
    // buffer when it holds them, and go through the virtual Read otherwise;
    // the buffered case is inline, as layouts and databases read thousands
    // of fields one by one.
    bool ReadU8(std::uint8_t& out)
    {
        std::uint8_t bytes[1];
        const std::uint8_t* p = Fetch(bytes, sizeof bytes);
        out = p ? *p : 0;
        return p != nullptr;
    }
    bool ReadI8(std::int8_t& out)
    {
        std::uint8_t value = 0;
        const bool ok = ReadU8(value);
        out = static_cast<std::int8_t>(value);
        return ok;
    }
    bool ReadU16(std::uint16_t& out)
    {
        std::uint8_t bytes[2];
        const std::uint8_t* p = Fetch(bytes, sizeof bytes);
        out = p ? FCBytes::ReadU16(p) : 0;
        return p != nullptr;
    }
    bool ReadI16(std::int16_t& out)
    {
        std::uint8_t bytes[2];
        const std::uint8_t* p = Fetch(bytes, sizeof bytes);
        out = p ? FCBytes::ReadI16(p) : 0;
        return p != nullptr;
    }
    bool ReadU32(std::uint32_t& out)
    {
        std::uint8_t bytes[4];
        const std::uint8_t* p = Fetch(bytes, sizeof bytes);
        out = p ? FCBytes::ReadU32(p) : 0;
        return p != nullptr;
    }
    bool ReadI32(std::int32_t& out)
    {
        std::uint8_t bytes[4];
        const std::uint8_t* p = Fetch(bytes, sizeof bytes);
        out = p ? FCBytes::ReadI32(p) : 0;
        return p != nullptr;
    }
    bool ReadF32(float& out)
    {
        std::uint8_t bytes[4];
        const std::uint8_t* p = Fetch(bytes, sizeof bytes);
        out = p ? FCBytes::ReadF32(p) : 0.0f;
        return p != nullptr;
    }
    // The next count bytes, consumed, when the read buffer holds them all:
    // they stay valid until the next read. Null, consuming nothing, otherwise.
    const std::uint8_t* TakeBufferedBytes(std::uint32_t count) { return TakeBuffered(count); }
    // A text field of count bytes: out becomes the text before its first
    // NUL (all of it without one). False on a short read, out then empty.
    bool ReadText(std::string& out, std::uint32_t count);
    // The same text left where it is, when the read buffer holds all count
    // bytes (which it consumes): out stays valid until the next read. False,
    // consuming nothing, otherwise.
    bool TakeBufferedText(std::uint32_t count, std::string_view& out)
    {
        const std::uint8_t* bytes = TakeBufferedBytes(count);
        if (!bytes)
            return false;
        const void* nul = std::memchr(bytes, 0, count);
        const std::size_t length =
            nul ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - bytes) : count;
        out = std::string_view(reinterpret_cast<const char*>(bytes), length);
        return true;
    }
    bool WriteU8(std::uint8_t value);
    bool WriteI8(std::int8_t value);
    bool WriteU16(std::uint16_t value);
    bool WriteI16(std::int16_t value);
    bool WriteU32(std::uint32_t value);
    bool WriteI32(std::int32_t value);
    bool WriteF32(float value);

protected:
    // Position in the whole underlying file, whatever view a subclass shows.
    std::uint64_t GetAbsolutePosition() const { return position; }
    std::uint32_t SeekAbsolute(std::uint64_t target);
    // No byte at or beyond this absolute position is ever read.
    void SetReadLimit(std::uint64_t end) { readLimit = end; }

private:
    enum class BufferMode : std::uint8_t
    {
        kEmpty,
        kRead,  // buffer holds file bytes from bufferStart
        kWrite, // buffer holds bytes still to be written at bufferStart
    };

    // The next count bytes when the read buffer holds them all (and consumes
    // them), else null.
    const std::uint8_t* TakeBuffered(std::size_t count)
    {
        if (bufferMode != BufferMode::kRead || position < bufferStart ||
            position + count > bufferStart + bufferLength || position + count > readLimit)
            return nullptr;
        const std::uint8_t* bytes = buffer.get() + (position - bufferStart);
        position += count;
        return bytes;
    }
    // The next count bytes of a field: in the buffer when it holds them,
    // else read through the virtual Read into scratch. Null on a short read.
    const std::uint8_t* Fetch(std::uint8_t* scratch, std::uint32_t count)
    {
        if (const std::uint8_t* bytes = TakeBuffered(count))
            return bytes;
        return Read(scratch, count) ? scratch : nullptr;
    }
    bool FlushPendingWrites();
    bool WriteDirect(const std::uint8_t* data, std::uint64_t at, std::size_t count);
    std::uint8_t* EnsureBuffer();

    std::uint8_t openFlag = 0;
    Handle handle = kInvalidHandle;

    std::uint8_t accessBits = 0;
    bool writeFailed = false;
    BufferMode bufferMode = BufferMode::kEmpty;
    std::uint64_t position = 0;
    std::uint64_t fileSize = 0;
    std::uint64_t readLimit = UINT64_MAX;
    std::uint64_t bufferStart = 0;
    std::size_t bufferLength = 0;
    std::unique_ptr<std::uint8_t[]> buffer;
};
