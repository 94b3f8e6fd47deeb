#pragma once

#include "Vel/Db/VelField.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// A visitor of a record's fields chosen at run time (VelInfo::VisitFields):
// for code that works on any record class without knowing it, such as
// filling records from readable sources or generating test data. Fields
// are visited in file order with their names; every member is writable.
class VelFieldVisitor
{
public:
    virtual ~VelFieldVisitor() = default;

    virtual void operator()(const char* name, std::uint8_t& value) = 0;
    virtual void operator()(const char* name, std::uint16_t& value) = 0;
    virtual void operator()(const char* name, std::int16_t& value) = 0;
    virtual void operator()(const char* name, std::uint32_t& value) = 0;
    virtual void operator()(const char* name, std::int32_t& value) = 0;
    virtual void operator()(const char* name, float& value) = 0;
    virtual void operator()(const char* name, std::string& value) = 0;
    // A 32-bit member stored as a signed 16-bit value.
    virtual void Widened(const char* name, std::int32_t& value) = 0;

    void operator()(const char* name, VelField::I16Widened<std::int32_t> field) { Widened(name, field.value); }
    template <class T, std::size_t N>
    void operator()(const char* name, std::array<T, N>& values)
    {
        for (T& value : values)
        {
            (*this)(name, value);
        }
    }
    template <std::size_t N>
    void operator()(const char* name, VelField::I16Widened<std::array<std::int32_t, N>> field)
    {
        for (std::int32_t& value : field.value)
        {
            Widened(name, value);
        }
    }
};
