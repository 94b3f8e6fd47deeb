#include "Vel/Db/VelMemoryFile.h"

#include <algorithm>
#include <cstring>

VelMemoryFile::VelMemoryFile(std::vector<std::uint8_t> bytes)
    : data(std::move(bytes)), content(data.data()), size(static_cast<std::uint32_t>(data.size()))
{
}

VelMemoryFile::VelMemoryFile(std::unique_ptr<std::uint8_t[]> bytes, std::uint32_t count)
    : block(std::move(bytes)), content(block.get()), size(block ? count : 0)
{
}

bool VelMemoryFile::IsEof() { return !open || position >= size; }

std::uint32_t VelMemoryFile::Tell() { return open ? position : 0; }

std::uint32_t VelMemoryFile::GetSize() { return open ? size : kInvalidPosition; }

bool VelMemoryFile::SetSize(std::uint32_t) { return false; }

std::uint32_t VelMemoryFile::Seek(std::int32_t offset, std::uint32_t origin)
{
    if (!open)
    {
        return kInvalidPosition;
    }
    std::int64_t target = 0;
    switch (origin)
    {
    case kFromStart: target = static_cast<std::uint32_t>(offset); break;
    case kFromCurrent: target = static_cast<std::int64_t>(position) + offset; break;
    case kFromEnd: target = static_cast<std::int64_t>(size) + offset; break;
    default: return kInvalidPosition;
    }
    if (target < 0 || target > 0xFFFFFFFFLL)
    {
        return kInvalidPosition;
    }
    position = static_cast<std::uint32_t>(target);
    return position;
}

bool VelMemoryFile::Read(void* buffer, std::uint32_t count) { return ReadSome(buffer, count) == count; }

std::uint32_t VelMemoryFile::ReadSome(void* buffer, std::uint32_t count)
{
    ++readCalls;
    const std::uint32_t n = std::min(count, GetUnreadCount());
    if (n > 0)
    {
        std::memcpy(buffer, GetUnread(), n);
        position += n;
    }
    return n;
}

bool VelMemoryFile::Write(const void*, std::uint32_t) { return false; }

bool VelMemoryFile::Flush() { return open; }

bool VelMemoryFile::Close()
{
    const bool wasOpen = open;
    open = false;
    return wasOpen;
}

bool VelMemoryFile::IsOpen() const { return open; }

bool VelMemoryFile::Open(const char*, std::uint8_t, std::uint32_t, std::uint8_t) { return open; }
