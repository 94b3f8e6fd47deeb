#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

// Little-endian archive bytes written out by hand, independent of the code
// under test.
class ArchiveBytes
{
public:
    ArchiveBytes& U8(std::uint8_t v)
    {
        bytes.push_back(v);
        return *this;
    }
    ArchiveBytes& U16(std::uint16_t v)
    {
        return U8(static_cast<std::uint8_t>(v)).U8(static_cast<std::uint8_t>(v >> 8));
    }
    ArchiveBytes& U32(std::uint32_t v)
    {
        return U16(static_cast<std::uint16_t>(v)).U16(static_cast<std::uint16_t>(v >> 16));
    }
    ArchiveBytes& F32(float v) { return U32(std::bit_cast<std::uint32_t>(v)); }
    // The stored string form: u16 length + 1, the bytes, a NUL.
    ArchiveBytes& Str(const std::string& text)
    {
        U16(static_cast<std::uint16_t>(text.size() + 1));
        bytes.insert(bytes.end(), text.begin(), text.end());
        return U8(0);
    }
    ArchiveBytes& Repeat(int count, std::uint16_t v)
    {
        for (int i = 0; i < count; ++i)
            U16(v);
        return *this;
    }
    // The FCObject head with the default words.
    ArchiveBytes& Head() { return U16(1).U16(0); }
    // An object record: marker, class name, the FCObject head.
    ArchiveBytes& Object(const char* className) { return U16(0xFFFF).Str(className).Head(); }
    ArchiveBytes& Container(std::uint16_t mode, std::uint16_t count)
    {
        return U16(mode).U16(count);
    }
    ArchiveBytes& Append(const ArchiveBytes& other)
    {
        bytes.insert(bytes.end(), other.bytes.begin(), other.bytes.end());
        return *this;
    }

    std::vector<std::uint8_t> bytes;
};
