#pragma once

#include <cstdint>
#include <cstring>

// Little-endian, unaligned encoding of fixed-width values. Every binary file
// of the program goes through these; never a raw struct, long, bool or enum.
namespace FCBytes
{
inline std::uint16_t ReadU16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::int16_t ReadI16(const std::uint8_t* p) { return static_cast<std::int16_t>(ReadU16(p)); }
inline std::uint32_t ReadU32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::int32_t ReadI32(const std::uint8_t* p) { return static_cast<std::int32_t>(ReadU32(p)); }
inline float ReadF32(const std::uint8_t* p)
{
    const std::uint32_t bits = ReadU32(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline void WriteU16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void WriteI16(std::uint8_t* p, std::int16_t v) { WriteU16(p, static_cast<std::uint16_t>(v)); }
inline void WriteU32(std::uint8_t* p, std::uint32_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}
inline void WriteI32(std::uint8_t* p, std::int32_t v) { WriteU32(p, static_cast<std::uint32_t>(v)); }
inline void WriteF32(std::uint8_t* p, float v)
{
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    WriteU32(p, bits);
}
} // namespace FCBytes
