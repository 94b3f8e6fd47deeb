#pragma once

#include "Fc/Core/FCBlockAllocator.h"
#include "Fc/Core/FCObject.h"

#include <compare>
#include <cstdint>
#include <map>
#include <string>

class FCArchive;

// Key of the maps ordered by two signed 16-bit numbers, the first first.
struct FCObjectKeyPair
{
    std::int16_t first = 0;
    std::int16_t second = 0;
    auto operator<=>(const FCObjectKeyPair&) const = default;
};

// Object pointers ordered by a key; one object per key. The owner sets the
// ownership mode (see FCOwnership.h). Instantiated for the three key kinds
// below.
template <typename Key>
class FCObjectMapOf
{
public:
    using Container = std::map<Key, FCObject*, std::less<Key>, FCBlockAllocator<std::pair<const Key, FCObject*>>>;
    // A position in the map; stays valid until its own element is removed.
    using Cursor = typename Container::iterator;

    FCObjectMapOf() = default;
    explicit FCObjectMapOf(std::uint16_t mode) : ownershipMode(mode) {}
    FCObjectMapOf(const FCObjectMapOf&) = delete;
    FCObjectMapOf& operator=(const FCObjectMapOf&) = delete;
    ~FCObjectMapOf();

    // Stores the object under the key. An object already under the key is
    // disposed of, unless it is this very object (then nothing changes).
    std::uint16_t Insert(FCObject* object, const Key& key);
    FCObject* Find(const Key& key) const;
    // Disposes of the object under the key; 7 when the key is absent.
    std::uint16_t Remove(const Key& key);
    std::uint16_t Clear();
    std::uint32_t GetCount() const { return static_cast<std::uint32_t>(elements.size()); }

    // The object under the holder's cursor, advancing it; null at the end.
    FCObject* Next();
    void ResetCursor() { cursor = elements.begin(); }
    Cursor First() { return elements.begin(); }
    // As Next, for the given cursor (the holder's when none); false at the
    // end, leaving the outputs untouched.
    bool GetNext(FCObject*& out, Cursor* walk = nullptr);
    bool GetNext(Key& key, FCObject*& out, Cursor* walk = nullptr);

    // The archive's container form; only maps with 16-bit keys are stored
    // (the others do not link). Loading adds to the present contents and
    // keeps this holder's mode.
    void Serialize(FCArchive& ar);

    std::uint16_t GetMode() const { return ownershipMode; }
    void SetMode(std::uint16_t mode) { ownershipMode = mode; }

private:
    Container elements;
    Cursor cursor = elements.end();
    std::uint16_t ownershipMode = 0;
};

template <>
void FCObjectMapOf<std::int16_t>::Serialize(FCArchive& ar);

using FCObjectMap = FCObjectMapOf<std::int16_t>;
using FCObjectPairMap = FCObjectMapOf<FCObjectKeyPair>;
using FCObjectNameMap = FCObjectMapOf<std::string>;

extern template class FCObjectMapOf<std::int16_t>;
extern template class FCObjectMapOf<FCObjectKeyPair>;
extern template class FCObjectMapOf<std::string>;
