#include "Fc/Core/FCArchive.h"

#include "Fc/Core/FCBytes.h"
#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"
#include "Fc/Core/FCObject.h"
#include "Fc/Core/FCOwnership.h"

#include <cstring>

namespace
{
constexpr std::uint16_t kObjectMarker = 0xFFFF;
constexpr std::uint16_t kNullMarker = 0;
} // namespace

FCArchive::FCArchive(const std::string& path, std::uint32_t openMode) : mode(openMode)
{
    file = std::make_unique<FCFile>();
    bool opened = false;
    if (mode == kLoad)
    {
        opened = !path.empty() && file->Open(path.c_str(), FCFile::kAccessRead, FCFile::kOpenExisting,
                                             FCFile::kShareRead);
    }
    else if (mode == kStore)
    {
        opened = !path.empty() && file->Open(path.c_str(), FCFile::kAccessWrite, FCFile::kCreateAlways,
                                             FCFile::kShareWrite);
    }
    else
    {
        FC_LOG("Invalid mode!\n");
    }
    if (!opened)
        file.reset();
}

FCArchive::~FCArchive() { Close(); }

bool FCArchive::IsOpen() const { return file && file->IsOpen(); }

void FCArchive::Close()
{
    if (!file)
        return;
    if (file->IsOpen() && !file->Close() && IsStoring())
        SetFailed("Could not finish writing the archive");
    file.reset();
}

void FCArchive::SetFailed(const char* reason)
{
    if (!failed)
        FC_LOG("%s\n", reason);
    failed = true;
}

std::uint32_t FCArchive::GetRemaining() const
{
    if (!IsOpen())
        return 0;
    const std::uint32_t size = file->GetSize();
    const std::uint32_t position = file->Tell();
    if (size == FCFile::kInvalidPosition || position >= size)
        return 0;
    return size - position;
}

FCObject* FCArchive::ReadObject()
{
    std::uint16_t marker = kNullMarker;
    if (!ReadU16(marker))
        return nullptr;
    if (marker != kObjectMarker)
    {
        // Only the two markers are ever written; anything else means the
        // stream is out of step.
        if (marker != kNullMarker)
            SetFailed("Bad object marker");
        return nullptr;
    }
    std::string className;
    if (!ReadString(className))
        return nullptr;
    if (depth >= kMaxDepth)
    {
        SetFailed("Objects nested too deeply");
        return nullptr;
    }
    FCObject* object = FCClassRegistry::CreateByName(className);
    if (!object)
    {
        // The payload of an unknown class cannot be skipped: the rest of
        // the file would be read out of step.
        FC_LOG("Unknown class: %s\n", className.c_str());
        SetFailed("Unknown class in archive");
        return nullptr;
    }
    ++depth;
    object->Serialize(*this);
    --depth;
    if (failed)
    {
        object->Release();
        return nullptr;
    }
    return object;
}

void FCArchive::WriteObject(FCObject* object)
{
    if (!object)
    {
        WriteU16(kNullMarker);
        return;
    }
    WriteU16(kObjectMarker);
    WriteString(*this, object->GetClassName());
    object->Serialize(*this);
}

bool FCArchive::ReadString(FCFile& source, std::string& out)
{
    out.clear();
    std::uint16_t count = 0;
    if (!source.ReadU16(count))
    {
        FC_LOG("Short read of a string length\n");
        return false;
    }
    // Lengths that a signed 16-bit reader would take as negative are never
    // written by us; refuse them rather than trust them.
    if (count > kMaxStringLength + 1)
    {
        FC_LOG("Bad string length: %u\n", static_cast<unsigned>(count));
        return false;
    }
    out.resize(count);
    if (count != 0 && !source.Read(out.data(), count))
    {
        FC_LOG("Short read of a string\n");
        out.clear();
        return false;
    }
    out.resize(std::strlen(out.c_str())); // keep what comes before the first NUL
    return true;
}

bool FCArchive::ReadString(std::string& out)
{
    out.clear();
    if (failed)
        return false;
    if (!IsOpen())
    {
        SetFailed("Read from a closed archive");
        return false;
    }
    if (!ReadString(*file, out))
    {
        SetFailed("Bad string in archive");
        return false;
    }
    return true;
}

FCArchive& FCArchive::WriteString(FCArchive& ar, const std::string& text)
{
    std::size_t length = text.size();
    if (length > kMaxStringLength)
    {
        FC_LOG("Text of %zu characters cut to %zu\n", length, kMaxStringLength);
        length = kMaxStringLength;
    }
    ar.WriteU16(static_cast<std::uint16_t>(length + 1));
    ar.Write(text.data(), static_cast<std::uint32_t>(length));
    ar.WriteU8(0);
    return ar;
}

bool FCArchive::Read(void* buffer, std::uint32_t count)
{
    if (failed)
        return false;
    if (!IsOpen())
    {
        SetFailed("Read from a closed archive");
        return false;
    }
    if (!file->Read(buffer, count))
    {
        SetFailed("Short read in archive");
        return false;
    }
    return true;
}

bool FCArchive::Write(const void* buffer, std::uint32_t count)
{
    if (!IsOpen())
    {
        SetFailed("Write to a closed archive");
        return false;
    }
    if (count != 0 && !file->Write(buffer, count))
    {
        SetFailed("Write to archive failed");
        return false;
    }
    return true;
}

namespace
{
template <typename T, typename Decode>
bool ReadField(FCArchive& ar, T& out, Decode decode)
{
    std::uint8_t bytes[sizeof(T)];
    if (!ar.Read(bytes, sizeof bytes))
        return false;
    out = decode(bytes);
    return true;
}
} // namespace

bool FCArchive::ReadU8(std::uint8_t& out)
{
    return ReadField(*this, out, [](const std::uint8_t* p) { return p[0]; });
}
bool FCArchive::ReadI8(std::int8_t& out)
{
    return ReadField(*this, out, [](const std::uint8_t* p) { return static_cast<std::int8_t>(p[0]); });
}
bool FCArchive::ReadU16(std::uint16_t& out) { return ReadField(*this, out, FCBytes::ReadU16); }
bool FCArchive::ReadI16(std::int16_t& out) { return ReadField(*this, out, FCBytes::ReadI16); }
bool FCArchive::ReadU32(std::uint32_t& out) { return ReadField(*this, out, FCBytes::ReadU32); }
bool FCArchive::ReadI32(std::int32_t& out) { return ReadField(*this, out, FCBytes::ReadI32); }
bool FCArchive::ReadF32(float& out) { return ReadField(*this, out, FCBytes::ReadF32); }

bool FCArchive::WriteU8(std::uint8_t value) { return Write(&value, 1); }
bool FCArchive::WriteI8(std::int8_t value) { return WriteU8(static_cast<std::uint8_t>(value)); }
bool FCArchive::WriteU16(std::uint16_t value)
{
    std::uint8_t bytes[2];
    FCBytes::WriteU16(bytes, value);
    return Write(bytes, sizeof bytes);
}
bool FCArchive::WriteI16(std::int16_t value) { return WriteU16(static_cast<std::uint16_t>(value)); }
bool FCArchive::WriteU32(std::uint32_t value)
{
    std::uint8_t bytes[4];
    FCBytes::WriteU32(bytes, value);
    return Write(bytes, sizeof bytes);
}
bool FCArchive::WriteI32(std::int32_t value) { return WriteU32(static_cast<std::uint32_t>(value)); }
bool FCArchive::WriteF32(float value)
{
    std::uint8_t bytes[4];
    FCBytes::WriteF32(bytes, value);
    return Write(bytes, sizeof bytes);
}

std::uint16_t FCArchive::WriteContainerHeader(std::uint16_t ownershipMode, std::uint32_t count)
{
    std::uint32_t stored = count;
    if (count > static_cast<std::uint32_t>(kMaxContainerCount))
    {
        FC_LOG("Container of %u elements: only %d can be stored\n", count, kMaxContainerCount);
        SetFailed("Container too large to store");
        stored = kMaxContainerCount;
    }
    WriteU16(ownershipMode);
    WriteU16(static_cast<std::uint16_t>(stored));
    return static_cast<std::uint16_t>(stored);
}

std::int32_t FCArchive::ReadContainerHeader(std::uint32_t minElementSize)
{
    std::uint16_t storedMode = 0;
    std::int16_t count = 0;
    if (!ReadU16(storedMode) || !ReadI16(count))
        return 0;
    if (!FCOwnership::IsValid(storedMode))
    {
        SetFailed("Bad ownership mode in stored container");
        return 0;
    }
    if (count < 0)
    {
        SetFailed("Negative element count in stored container");
        return 0;
    }
    if (static_cast<std::uint64_t>(count) * minElementSize > GetRemaining())
    {
        SetFailed("Element count beyond the end of the archive");
        return 0;
    }
    return count;
}
