#pragma once

#include "Fc/Core/FCObject.h"

#include <cstdint>

// What an object container does to an element's lifetime when it enters or
// leaves. The mode belongs to the container's owner.
namespace FCOwnership
{
enum : std::uint16_t
{
    kNone = 0,      // the elements belong to someone else
    kDelete = 1,    // the container deletes them
    kRefCounted = 2 // the container holds one reference each
};

inline void Adopt(FCObject* object, std::uint16_t mode)
{
    if (object && mode == kRefCounted)
        object->AddRef();
}

inline void Dispose(FCObject* object, std::uint16_t mode)
{
    if (!object)
        return;
    if (mode == kDelete)
        delete object;
    else if (mode == kRefCounted)
        object->Release();
}

inline bool IsValid(std::uint16_t mode) { return mode <= kRefCounted; }
} // namespace FCOwnership
