#pragma once

#include <utility>

// Holds one counted reference to a reference-counted object and releases it
// when it goes, so a container of these never leaks or double-releases.
template <class T>
class FCCountedRef
{
public:
    FCCountedRef() = default;
    // Takes over a reference the caller already holds (a new object's first).
    static FCCountedRef Adopt(T* object)
    {
        FCCountedRef ref;
        ref.object = object;
        return ref;
    }
    // Adds a reference of its own.
    static FCCountedRef Share(T* object)
    {
        if (object)
            object->AddRef();
        return Adopt(object);
    }

    FCCountedRef(const FCCountedRef& other) : object(other.object)
    {
        if (object)
            object->AddRef();
    }
    FCCountedRef(FCCountedRef&& other) noexcept : object(std::exchange(other.object, nullptr)) {}
    FCCountedRef& operator=(FCCountedRef other) noexcept
    {
        std::swap(object, other.object);
        return *this;
    }
    ~FCCountedRef() { Reset(); }

    void Reset()
    {
        if (T* old = std::exchange(object, nullptr))
            old->Release();
    }

    T* Get() const { return object; }
    T* operator->() const { return object; }
    explicit operator bool() const { return object != nullptr; }

private:
    T* object = nullptr;
};
