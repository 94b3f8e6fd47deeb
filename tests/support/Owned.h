#pragma once

#include <memory>

// Gives back the one reference a test holds on a counted object (objects,
// image sets, image buffers), whatever its class.
struct ReleaseReference
{
    template <class T> void operator()(T* object) const { object->Release(); }
};
template <class T> using Owned = std::unique_ptr<T, ReleaseReference>;
