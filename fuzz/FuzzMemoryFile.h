#pragma once

#include "Fc/Core/FCFile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

// A read-only FCFile over the fuzzer's input, so the picture and image-set
// readers see the bytes without a round trip through the disc.
class FuzzMemoryFile : public FCFile
{
public:
    FuzzMemoryFile(const std::uint8_t* bytes, std::size_t count)
        : data(bytes), size(static_cast<std::uint32_t>(std::min<std::size_t>(count, 0x7FFFFFFF)))
    {
    }

    bool IsEof() override { return position >= size; }
    std::uint32_t Tell() override { return position; }
    std::uint32_t GetSize() override { return size; }
    bool SetSize(std::uint32_t) override { return false; }
    std::uint32_t Seek(std::int32_t offset, std::uint32_t origin) override
    {
        std::int64_t target = 0;
        if (origin == kFromStart)
            target = static_cast<std::uint32_t>(offset);
        else if (origin == kFromCurrent)
            target = std::int64_t{position} + offset;
        else if (origin == kFromEnd)
            target = std::int64_t{size} + offset;
        else
            return kInvalidPosition;
        if (target < 0 || target >= kInvalidPosition)
            return kInvalidPosition;
        position = static_cast<std::uint32_t>(target);
        return position;
    }
    bool Read(void* buffer, std::uint32_t count) override
    {
        return ReadSome(buffer, count) == count;
    }
    std::uint32_t ReadSome(void* buffer, std::uint32_t count) override
    {
        if (position >= size)
            return 0;
        const std::uint32_t n = std::min(count, size - position);
        std::memcpy(buffer, data + position, n);
        position += n;
        return n;
    }
    bool Write(const void*, std::uint32_t) override { return false; }
    bool Flush() override { return true; }
    bool Close() override { return true; }
    bool IsOpen() const override { return true; }
    bool Open(const char*, std::uint8_t, std::uint32_t, std::uint8_t) override { return true; }

private:
    const std::uint8_t* data;
    std::uint32_t size;
    std::uint32_t position = 0;
};
