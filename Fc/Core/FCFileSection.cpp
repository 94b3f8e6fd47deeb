#include "Fc/Core/FCFileSection.h"

FCFileSection::~FCFileSection() = default;

bool FCFileSection::OpenRange(const std::string& path, std::uint32_t base, std::uint32_t size)
{
    Close();
    if (!Open(path.c_str(), kAccessRead, kOpenExisting, kShareRead))
        return false;
    // The whole file's size, before the view narrows it.
    const std::uint64_t fileSize = FCFile::GetSize();
    if (static_cast<std::uint64_t>(base) + size > fileSize)
    {
        Close();
        return false;
    }
    SetLength(size);
    SetBase(base);
    return true;
}

void FCFileSection::SetBase(std::uint32_t offset)
{
    baseOffset = offset;
    SetReadLimit(static_cast<std::uint64_t>(baseOffset) + length);
    SeekTo(0);
}

void FCFileSection::SetLength(std::uint32_t size)
{
    length = size;
    SetReadLimit(static_cast<std::uint64_t>(baseOffset) + length);
}

std::uint32_t FCFileSection::Tell()
{
    if (!IsOpen())
        return 0;
    const std::uint64_t absolute = GetAbsolutePosition();
    return absolute > baseOffset ? static_cast<std::uint32_t>(absolute - baseOffset) : 0;
}

std::uint32_t FCFileSection::GetSize()
{
    return IsOpen() ? length : kInvalidPosition;
}

bool FCFileSection::SetSize(std::uint32_t)
{
    return false;
}

std::uint32_t FCFileSection::Seek(std::int32_t offset, std::uint32_t origin)
{
    if (!IsOpen())
        return kInvalidPosition;
    std::int64_t target = 0;
    switch (origin)
    {
    case kFromStart:
        target = static_cast<std::uint32_t>(offset);
        break;
    case kFromCurrent:
        target = static_cast<std::int64_t>(GetAbsolutePosition()) - baseOffset + offset;
        break;
    case kFromEnd:
        target = static_cast<std::int64_t>(length) + offset;
        break;
    default:
        return kInvalidPosition;
    }
    if (target < 0)
        return kInvalidPosition;
    SeekAbsolute(static_cast<std::uint64_t>(baseOffset) + static_cast<std::uint64_t>(target));
    return static_cast<std::uint32_t>(target);
}

bool FCFileSection::Write(const void*, std::uint32_t)
{
    return false;
}
