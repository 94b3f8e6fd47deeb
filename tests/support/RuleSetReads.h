#pragma once
// Single values of the compiled rule set as numbers, for tables of expected
// values: a missing record or row reads as NaN, which equals nothing.

#include "Fc/Core/FCObjectMap.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Rules/VelRulesWalk.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

// A field of a record.
template <class T, class M> double Of(const T* record, M T::*field)
{
    return record ? static_cast<double>(record->*field) : std::numeric_limits<double>::quiet_NaN();
}

// An element of an array field of a record.
template <class T, class M> double At(const T* record, M T::*field, std::size_t index)
{
    return record ? static_cast<double>((record->*field)[index])
                  : std::numeric_limits<double>::quiet_NaN();
}

// A field of the last row of a list that passes a test.
template <class T, class M, class P> double Last(std::uint16_t tag, M T::*field, P pass)
{
    double found = std::numeric_limits<double>::quiet_NaN();
    VelDatabase::ForEach<T>(tag, [&](const T& row)
                            { found = pass(row) ? static_cast<double>(row.*field) : found; });
    return found;
}

// How many rows of a list, or records of a map, pass a test.
template <class T, class P> double Count(std::uint16_t tag, P pass)
{
    int count = 0;
    VelDatabase::ForEach<T>(tag, [&](const T& row) { count += pass(row) ? 1 : 0; });
    if (const FCObjectMap* map = VelDatabase::GetMap(tag))
        VelRulesWalk::Each<T>(*map,
                              [&](const T& record)
                              {
                                  count += pass(record) ? 1 : 0;
                                  return false;
                              });
    return count;
}

// 1 when a record's name is exactly this, else 0.
template <class T> double Named(const T* record, const char* name)
{
    return record ? (record->name == name ? 1 : 0) : std::numeric_limits<double>::quiet_NaN();
}

// 1 when a text of a record holds the words, else 0.
template <class T> double Holds(const T* record, std::string T::*field, const char* words)
{
    return record ? static_cast<double>((record->*field).find(words) != std::string::npos)
                  : std::numeric_limits<double>::quiet_NaN();
}
