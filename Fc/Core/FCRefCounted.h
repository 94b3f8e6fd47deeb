#pragma once

#include <cstdint>

// Root of every shared object. The count is a plain 16-bit counter: the
// program is single-threaded and never holds anywhere near 65,535 references.
class FCRefCounted
{
public:
    FCRefCounted() = default;
    // A copy is a new object with its own single reference, not a sharer of
    // the source's references.
    FCRefCounted(const FCRefCounted&) {}
    FCRefCounted& operator=(const FCRefCounted&) { return *this; }
    virtual ~FCRefCounted();

    void AddRef() { ++refCount; }
    // Destroys the object when the last reference goes; the caller must not
    // touch the pointer afterwards.
    void Release();
    std::uint16_t GetRefCount() const { return refCount; }

private:
    std::uint16_t refCount = 1;
};
