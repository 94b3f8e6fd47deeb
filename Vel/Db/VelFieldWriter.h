#pragma once

#include "Vel/Db/VelField.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Writes a record's fields in the stored form that VelFieldReader reads back:
// little-endian integers of the member's width, texts as a u16 count
// (length + 1) followed by the characters and a NUL.
class VelFieldWriter
{
public:
    explicit VelFieldWriter(std::vector<std::uint8_t>& out);

    void operator()(const char* name, std::uint8_t value);
    void operator()(const char* name, std::uint16_t value);
    void operator()(const char* name, std::int16_t value);
    void operator()(const char* name, std::uint32_t value);
    void operator()(const char* name, std::int32_t value);
    void operator()(const char* name, float value);
    void operator()(const char* name, const std::string& value);
    void operator()(const char* name, VelField::I16Widened<std::int32_t> field);

    template <class T, std::size_t N>
    void operator()(const char* name, const std::array<T, N>& values)
    {
        for (const T& value : values)
        {
            (*this)(name, value);
        }
    }
    template <std::size_t N>
    void operator()(const char* name, VelField::I16Widened<std::array<std::int32_t, N>> field)
    {
        for (std::int32_t& value : field.value)
        {
            (*this)(name, VelField::I16(value));
        }
    }

private:
    std::vector<std::uint8_t>& out;
};
