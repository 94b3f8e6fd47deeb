#pragma once

#include "Fc/Core/FCObject.h"

#include <cstdint>
#include <vector>

class FCArchive;

// A position in an FCObjectVector. An index rather than an iterator, so a
// walk survives appends that reallocate the storage.
struct FCObjectVectorCursor
{
    std::uint32_t position = 0;
};

// Object pointers in insertion order; null elements are allowed. The owner
// sets the ownership mode (see FCOwnership.h).
class FCObjectVector
{
public:
    FCObjectVector() = default;
    explicit FCObjectVector(std::uint16_t mode) : ownershipMode(mode) {}
    FCObjectVector(const FCObjectVector&) = delete;
    FCObjectVector& operator=(const FCObjectVector&) = delete;
    ~FCObjectVector();

    std::uint16_t Append(FCObject* object);
    // Stores the element under the cursor (the holder's own when none is given)
    // and advances it; false at the end, leaving out untouched.
    bool GetNext(FCObject*& out, FCObjectVectorCursor* cursor = nullptr);
    void ResetCursor() { cursor.position = 0; }
    FCObjectVectorCursor& GetCursor() { return cursor; }
    std::uint32_t GetCount() const { return static_cast<std::uint32_t>(elements.size()); }
    // Null for a negative index or one at or past the count.
    FCObject* GetAt(std::int32_t index) const;
    // Erases the first element that is this pointer and disposes of it; 7 when absent.
    std::uint16_t Remove(FCObject* object);
    // Erases the element at the index and disposes of it; 7 when out of range.
    std::uint16_t RemoveAt(std::uint32_t index);
    std::uint16_t Clear();

    // Stores or loads the elements in the archive's container form. Loading
    // appends to the present contents and keeps this holder's mode.
    void Serialize(FCArchive& ar);

    std::uint16_t GetMode() const { return ownershipMode; }
    void SetMode(std::uint16_t mode) { ownershipMode = mode; }

private:
    std::vector<FCObject*> elements;
    FCObjectVectorCursor cursor;
    std::uint16_t ownershipMode = 0;
};
