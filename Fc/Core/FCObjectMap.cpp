#include "Fc/Core/FCObjectMap.h"

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCOwnership.h"

template <typename Key>
FCObjectMapOf<Key>::~FCObjectMapOf()
{
    Clear();
}

template <typename Key>
std::uint16_t FCObjectMapOf<Key>::Insert(FCObject* object, const Key& key)
{
    // Databases insert thousands of records at start-up, mostly in key
    // order: the end is tried first, which costs one comparison, and only
    // then the tree is searched.
    const std::size_t countBefore = elements.size();
    const auto found = elements.try_emplace(elements.end(), key, object);
    if (elements.size() != countBefore)
    {
        FCOwnership::Adopt(object, ownershipMode);
        return 0;
    }
    FCObject* old = found->second;
    if (old == object)
        return 0;
    FCOwnership::Adopt(object, ownershipMode);
    found->second = object;
    FCOwnership::Dispose(old, ownershipMode);
    return 0;
}

template <typename Key>
FCObject* FCObjectMapOf<Key>::Find(const Key& key) const
{
    auto found = elements.find(key);
    return found == elements.end() ? nullptr : found->second;
}

template <typename Key>
std::uint16_t FCObjectMapOf<Key>::Remove(const Key& key)
{
    auto found = elements.find(key);
    if (found == elements.end())
        return 7;
    FCObject* object = found->second;
    if (cursor == found)
        ++cursor;
    elements.erase(found);
    FCOwnership::Dispose(object, ownershipMode);
    return 0;
}

template <typename Key>
std::uint16_t FCObjectMapOf<Key>::Clear()
{
    // Detach first, so a destructor that reaches back into this map finds it
    // empty rather than half disposed.
    Container old;
    old.swap(elements);
    cursor = elements.end();
    for (auto& entry : old)
        FCOwnership::Dispose(entry.second, ownershipMode);
    return 0;
}

template <typename Key>
FCObject* FCObjectMapOf<Key>::Next()
{
    FCObject* object = nullptr;
    return GetNext(object) ? object : nullptr;
}

template <typename Key>
bool FCObjectMapOf<Key>::GetNext(FCObject*& out, Cursor* walk)
{
    Cursor& at = walk ? *walk : cursor;
    if (at == elements.end())
        return false;
    out = at->second;
    ++at;
    return true;
}

template <typename Key>
bool FCObjectMapOf<Key>::GetNext(Key& key, FCObject*& out, Cursor* walk)
{
    Cursor& at = walk ? *walk : cursor;
    if (at == elements.end())
        return false;
    key = at->first;
    out = at->second;
    ++at;
    return true;
}

template <>
void FCObjectMapOf<std::int16_t>::Serialize(FCArchive& ar)
{
    if (ar.IsStoring())
    {
        const std::uint16_t count = ar.WriteContainerHeader(ownershipMode, GetCount());
        auto at = elements.begin();
        for (std::uint16_t i = 0; i < count; ++i, ++at)
        {
            ar.WriteI16(at->first);
            ar.WriteObject(at->second);
        }
        return;
    }
    // A key and a null marker at the least.
    const std::int32_t count = ar.ReadContainerHeader(4);
    for (std::int32_t i = 0; i < count; ++i)
    {
        std::int16_t key = 0;
        if (!ar.ReadI16(key))
            return;
        FCObject* object = ar.ReadObject();
        if (ar.HasFailed())
        {
            if (object)
                object->Release();
            return;
        }
        if (!object)
            continue;
        Insert(object, key);
        if (ownershipMode == FCOwnership::kRefCounted)
            object->Release();
    }
}

template class FCObjectMapOf<std::int16_t>;
template class FCObjectMapOf<FCObjectKeyPair>;
template class FCObjectMapOf<std::string>;
