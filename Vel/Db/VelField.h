#pragma once

#include <cstdint>

// Field-description helpers shared by the record visitors (VelFieldReader,
// VelFieldWriter, VelFieldDump). A record class lists its fields once, in
// file order, in a member template:
//
//     template <class V> void Fields(V& v)
//     {
//         v("name", name);                           // text
//         v("hitDie", hitDie);                       // width from the member type
//         v("classKinds", VelField::I16(classKinds)); // i16 in the file, i32 member
//     }
//
// The member's type decides the stored width: std::uint8_t, std::uint16_t,
// std::int16_t, std::uint32_t, std::int32_t, float, std::string, and
// std::array of any of them. Anything else does not compile.
namespace VelField
{
// A member kept wider in memory than in the file: a signed 16-bit value in
// the file, sign-extended into a 32-bit member (or an array of them).
template <class T>
struct I16Widened
{
    T& value;
};

template <class T>
I16Widened<T> I16(T& value)
{
    return I16Widened<T>{value};
}

// Longest text a record stores: its count (length + 1) must still read back
// as a positive signed 16-bit value.
constexpr std::uint32_t kMaxTextLength = 32766;
} // namespace VelField
