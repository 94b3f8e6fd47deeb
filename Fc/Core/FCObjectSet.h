#pragma once

#include "Fc/Core/FCBlockAllocator.h"
#include "Fc/Core/FCObject.h"

#include <cstdint>
#include <set>

class FCArchive;

// Object pointers ordered by their own IsLess; at most one element of each
// equivalence class, no null elements. The owner sets the ownership mode
// (see FCOwnership.h).
class FCObjectSet
{
public:
    struct Order
    {
        bool operator()(const FCObject* a, const FCObject* b) const { return a->IsLess(*b); }
    };
    using Container = std::set<FCObject*, Order, FCBlockAllocator<FCObject*>>;
    // A position in the set; stays valid until its own element is removed.
    using Cursor = Container::iterator;

    static constexpr std::uint16_t kRefused = 6;
    static constexpr std::uint16_t kAbsent = 7;

    FCObjectSet() = default;
    explicit FCObjectSet(std::uint16_t mode) : ownershipMode(mode) {}
    FCObjectSet(const FCObjectSet&) = delete;
    FCObjectSet& operator=(const FCObjectSet&) = delete;
    ~FCObjectSet();

    // kRefused (and no reference taken) when an equivalent element is present
    // or the object is null.
    std::uint16_t Insert(FCObject* object);
    // The stored element equivalent to the key object, or null.
    FCObject* Find(const FCObject& key) const;
    bool Contains(const FCObject& key) const { return Find(key) != nullptr; }
    // Erases the stored element equivalent to the object and disposes of
    // that stored element (not the key passed in); kAbsent when none.
    std::uint16_t Remove(const FCObject& key);
    std::uint16_t Clear();
    std::uint32_t GetCount() const { return static_cast<std::uint32_t>(elements.size()); }

    void ResetCursor() { cursor = elements.begin(); }
    Cursor First() { return elements.begin(); }
    // Stores the element under the cursor (the holder's when none) and
    // advances it; false at the end, leaving out untouched.
    bool GetNext(FCObject*& out, Cursor* walk = nullptr);

    // The archive's container form. Loading adds to the present contents,
    // keeps this holder's mode and disposes of refused duplicates; an element
    // of another class than those present fails the archive.
    void Serialize(FCArchive& ar);

    std::uint16_t GetMode() const { return ownershipMode; }
    void SetMode(std::uint16_t mode) { ownershipMode = mode; }

private:
    Container elements;
    Cursor cursor = elements.end();
    std::uint16_t ownershipMode = 0;
};
