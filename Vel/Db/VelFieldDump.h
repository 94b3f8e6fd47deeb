#pragma once

#include "Vel/Db/VelField.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// Renders a record's fields as "name=value;" in file order. Two records of a
// class hold the same values exactly when their dumps are equal, which makes
// it the generic comparison for round trips.
class VelFieldDump
{
public:
    explicit VelFieldDump(std::string& out);

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
        for (std::size_t i = 0; i < N; ++i)
        {
            (*this)((std::string(name) + "[" + std::to_string(i) + "]").c_str(), values[i]);
        }
    }
    template <std::size_t N>
    void operator()(const char* name, VelField::I16Widened<std::array<std::int32_t, N>> field)
    {
        (*this)(name, static_cast<const std::array<std::int32_t, N>&>(field.value));
    }

private:
    void Append(const char* name, const std::string& text);

    std::string& out;
};
