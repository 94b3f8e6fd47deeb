#include "Fc/Core/FCFile.h"

#include "Fc/Core/FCBytes.h"
#include "Fc/Core/FCFileUtil.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr std::size_t kBufferSize = 64 * 1024;
} // namespace

FCFile::FCFile() = default;

FCFile::~FCFile()
{
    if (openFlag != 0)
        FCFile::Close();
}

bool FCFile::IsEof()
{
    if (!IsOpen())
        return true;
    std::uint8_t byte = 0;
    if (ReadSome(&byte, 1) == 0)
        return true;
    SeekRelative(-1);
    return false;
}

std::uint32_t FCFile::Tell()
{
    return openFlag != 0 ? static_cast<std::uint32_t>(position) : 0;
}

std::uint32_t FCFile::GetSize()
{
    return openFlag != 0 ? static_cast<std::uint32_t>(fileSize) : kInvalidPosition;
}

bool FCFile::SetSize(std::uint32_t size)
{
    if (openFlag == 0 || (accessBits & kAccessWrite) == 0)
        return false;
    if (!FlushPendingWrites())
        return false;
    if (::ftruncate(handle, static_cast<off_t>(size)) != 0)
        return false;
    // A read buffer may hold bytes that are now cut off.
    bufferMode = BufferMode::kEmpty;
    fileSize = size;
    position = size;
    return true;
}

std::uint32_t FCFile::SeekToStart() { return Seek(0, kFromStart); }
std::uint32_t FCFile::SeekToEnd() { return Seek(0, kFromEnd); }
std::uint32_t FCFile::SeekRelative(std::int32_t offset) { return Seek(offset, kFromCurrent); }
std::uint32_t FCFile::SeekTo(std::uint32_t target) { return Seek(static_cast<std::int32_t>(target), kFromStart); }

std::uint32_t FCFile::Seek(std::int32_t offset, std::uint32_t origin)
{
    if (openFlag == 0)
        return kInvalidPosition;
    std::int64_t target = 0;
    switch (origin)
    {
    case kFromStart:
        target = static_cast<std::uint32_t>(offset);
        break;
    case kFromCurrent:
        target = static_cast<std::int64_t>(position) + offset;
        break;
    case kFromEnd:
        target = static_cast<std::int64_t>(fileSize) + offset;
        break;
    default:
        return kInvalidPosition;
    }
    if (target < 0)
        return kInvalidPosition;
    return SeekAbsolute(static_cast<std::uint64_t>(target));
}

std::uint32_t FCFile::SeekAbsolute(std::uint64_t target)
{
    if (openFlag == 0)
        return kInvalidPosition;
    // Pending bytes belong at the old position.
    if (bufferMode == BufferMode::kWrite && target != position)
        FlushPendingWrites();
    position = target;
    return static_cast<std::uint32_t>(position);
}

bool FCFile::Read(void* out, std::uint32_t count)
{
    if (const std::uint8_t* bytes = TakeBuffered(count))
    {
        std::memcpy(out, bytes, count);
        return true;
    }
    return ReadSome(out, count) == count;
}

std::uint32_t FCFile::ReadSome(void* out, std::uint32_t count)
{
    if (openFlag == 0 || count == 0 || (accessBits & kAccessRead) == 0)
        return 0;
    if (bufferMode == BufferMode::kWrite && !FlushPendingWrites())
        return 0;
    if (position >= readLimit)
        return 0;
    count = static_cast<std::uint32_t>(std::min<std::uint64_t>(count, readLimit - position));

    auto* dest = static_cast<std::uint8_t*>(out);
    std::uint32_t done = 0;
    while (done < count)
    {
        if (bufferMode == BufferMode::kRead && position >= bufferStart &&
            position < bufferStart + bufferLength)
        {
            const std::size_t offset = static_cast<std::size_t>(position - bufferStart);
            const std::size_t n = std::min<std::size_t>(bufferLength - offset, count - done);
            std::memcpy(dest + done, buffer.get() + offset, n);
            done += static_cast<std::uint32_t>(n);
            position += n;
            continue;
        }
        const std::size_t remaining = count - done;
        const bool direct = remaining >= kBufferSize;
        std::uint8_t* target = direct ? dest + done : EnsureBuffer();
        const std::size_t wanted = direct ? remaining : kBufferSize;
        ssize_t n;
        do
        {
            n = ::pread(handle, target, wanted, static_cast<off_t>(position));
        } while (n < 0 && errno == EINTR);
        if (n <= 0)
            break;
        if (direct)
        {
            done += static_cast<std::uint32_t>(n);
            position += static_cast<std::uint64_t>(n);
        }
        else
        {
            bufferMode = BufferMode::kRead;
            bufferStart = position;
            bufferLength = static_cast<std::size_t>(n);
        }
    }
    return done;
}

bool FCFile::Write(const void* data, std::uint32_t count)
{
    if (openFlag == 0 || (accessBits & kAccessWrite) == 0)
        return false;
    if (count == 0)
        return true;
    const auto* source = static_cast<const std::uint8_t*>(data);
    if (bufferMode == BufferMode::kRead)
        bufferMode = BufferMode::kEmpty;
    if (bufferMode == BufferMode::kWrite &&
        (position != bufferStart + bufferLength || bufferLength + count > kBufferSize))
    {
        if (!FlushPendingWrites())
            return false;
    }
    if (count >= kBufferSize)
    {
        const std::size_t written = WriteDirect(source, position, count) ? count : 0;
        position += written;
        fileSize = std::max(fileSize, position);
        return written == count;
    }
    if (bufferMode == BufferMode::kEmpty)
    {
        EnsureBuffer();
        bufferMode = BufferMode::kWrite;
        bufferStart = position;
        bufferLength = 0;
    }
    std::memcpy(buffer.get() + bufferLength, source, count);
    bufferLength += count;
    position += count;
    fileSize = std::max(fileSize, position);
    return true;
}

bool FCFile::Flush()
{
    if (openFlag == 0)
        return false;
    bool ok = FlushPendingWrites();
    ok = !writeFailed && ok;
    writeFailed = false;
    return ::fsync(handle) == 0 && ok;
}

bool FCFile::Close()
{
    if (openFlag == 0)
        return false;
    bool ok = FlushPendingWrites();
    ok = !writeFailed && ok;
    ok = ::close(handle) == 0 && ok;
    openFlag = 0;
    handle = kInvalidHandle;
    accessBits = 0;
    writeFailed = false;
    bufferMode = BufferMode::kEmpty;
    position = 0;
    fileSize = 0;
    bufferStart = 0;
    bufferLength = 0;
    return ok;
}

bool FCFile::IsOpen() const { return openFlag != 0; }

bool FCFile::Open(const char* name, std::uint8_t access, std::uint32_t creation, std::uint8_t share)
{
    static_cast<void>(share);
    if (openFlag != 0)
        return true;
    if (name == nullptr || *name == '\0')
        return false;

    const bool canRead = (access & kAccessRead) != 0;
    const bool canWrite = (access & kAccessWrite) != 0;
    int flags = O_CLOEXEC;
    if (canRead && canWrite)
        flags |= O_RDWR;
    else if (canWrite)
        flags |= O_WRONLY;
    else
        flags |= O_RDONLY;
    switch (creation)
    {
    case kCreateNew:
        flags |= O_CREAT | O_EXCL;
        break;
    case kCreateAlways:
        flags |= O_CREAT | O_TRUNC;
        break;
    case kOpenExisting:
        break;
    case kOpenAlways:
        flags |= O_CREAT;
        break;
    case kTruncateExisting:
        if (!canWrite)
            return false;
        flags |= O_TRUNC;
        break;
    default:
        return false;
    }

    const int fd = ::open(ToHostPath(name).c_str(), flags, 0644);
    if (fd < 0)
        return false;
    struct stat info;
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode))
    {
        ::close(fd);
        return false;
    }
    handle = fd;
    openFlag = 1;
    accessBits = access & (kAccessRead | kAccessWrite);
    writeFailed = false;
    bufferMode = BufferMode::kEmpty;
    position = 0;
    fileSize = static_cast<std::uint64_t>(info.st_size);
    return true;
}

FCFile::Handle FCFile::GetHandle() const { return handle; }

bool FCFile::FlushPendingWrites()
{
    if (bufferMode != BufferMode::kWrite)
        return true;
    bufferMode = BufferMode::kEmpty;
    if (WriteDirect(buffer.get(), bufferStart, bufferLength))
        return true;
    writeFailed = true;
    // The size counted bytes that never arrived.
    struct stat info;
    if (::fstat(handle, &info) == 0)
        fileSize = static_cast<std::uint64_t>(info.st_size);
    return false;
}

bool FCFile::WriteDirect(const std::uint8_t* data, std::uint64_t at, std::size_t count)
{
    while (count > 0)
    {
        const ssize_t n = ::pwrite(handle, data, count, static_cast<off_t>(at));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        at += static_cast<std::uint64_t>(n);
        count -= static_cast<std::size_t>(n);
    }
    return true;
}

std::uint8_t* FCFile::EnsureBuffer()
{
    if (!buffer)
        // Not zeroed: only bytes a read or write put there are ever used.
        buffer = std::make_unique_for_overwrite<std::uint8_t[]>(kBufferSize);
    return buffer.get();
}

bool FCFile::ReadText(std::string& out, std::uint32_t count)
{
    // Buffered bytes go straight into the string, which keeps its room.
    std::string_view buffered;
    if (TakeBufferedText(count, buffered))
    {
        out.assign(buffered);
        return true;
    }
    out.resize(count);
    if (count != 0 && !Read(out.data(), count))
    {
        out.clear();
        return false;
    }
    out.resize(std::strlen(out.c_str()));
    return true;
}

bool FCFile::WriteU8(std::uint8_t value) { return Write(&value, 1); }
bool FCFile::WriteI8(std::int8_t value) { return WriteU8(static_cast<std::uint8_t>(value)); }

bool FCFile::WriteU16(std::uint16_t value)
{
    std::uint8_t bytes[2];
    FCBytes::WriteU16(bytes, value);
    return Write(bytes, sizeof bytes);
}

bool FCFile::WriteI16(std::int16_t value) { return WriteU16(static_cast<std::uint16_t>(value)); }

bool FCFile::WriteU32(std::uint32_t value)
{
    std::uint8_t bytes[4];
    FCBytes::WriteU32(bytes, value);
    return Write(bytes, sizeof bytes);
}

bool FCFile::WriteI32(std::int32_t value) { return WriteU32(static_cast<std::uint32_t>(value)); }

bool FCFile::WriteF32(float value)
{
    std::uint8_t bytes[4];
    FCBytes::WriteF32(bytes, value);
    return Write(bytes, sizeof bytes);
}
