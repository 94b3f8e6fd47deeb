#include "Fc/Core/FCObjectSet.h"

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCOwnership.h"

FCObjectSet::~FCObjectSet() { Clear(); }

std::uint16_t FCObjectSet::Insert(FCObject* object)
{
    if (!object)
        return kRefused;
    // Records mostly arrive in order: the end is tried first (one
    // comparison), and only then the tree is searched.
    const std::size_t countBefore = elements.size();
    elements.insert(elements.end(), object);
    if (elements.size() == countBefore)
        return kRefused;
    FCOwnership::Adopt(object, ownershipMode);
    return 0;
}

FCObject* FCObjectSet::Find(const FCObject& key) const
{
    // The set's comparator takes mutable pointers; the key is only compared.
    auto found = elements.find(const_cast<FCObject*>(&key));
    return found == elements.end() ? nullptr : *found;
}

std::uint16_t FCObjectSet::Remove(const FCObject& key)
{
    auto found = elements.find(const_cast<FCObject*>(&key));
    if (found == elements.end())
        return kAbsent;
    FCObject* stored = *found;
    if (cursor == found)
        ++cursor;
    elements.erase(found);
    FCOwnership::Dispose(stored, ownershipMode);
    return 0;
}

std::uint16_t FCObjectSet::Clear()
{
    Container old;
    old.swap(elements);
    cursor = elements.end();
    for (FCObject* object : old)
        FCOwnership::Dispose(object, ownershipMode);
    return 0;
}

bool FCObjectSet::GetNext(FCObject*& out, Cursor* walk)
{
    Cursor& at = walk ? *walk : cursor;
    if (at == elements.end())
        return false;
    out = *at;
    ++at;
    return true;
}

void FCObjectSet::Serialize(FCArchive& ar)
{
    if (ar.IsStoring())
    {
        const std::uint16_t count = ar.WriteContainerHeader(ownershipMode, GetCount());
        auto at = elements.begin();
        for (std::uint16_t i = 0; i < count; ++i, ++at)
            ar.WriteObject(*at);
        return;
    }
    const std::int32_t count = ar.ReadContainerHeader(2);
    for (std::int32_t i = 0; i < count; ++i)
    {
        FCObject* object = ar.ReadObject();
        if (ar.HasFailed())
        {
            if (object)
                object->Release();
            return;
        }
        if (!object)
            continue;
        // IsLess compares within one class; an element of another class in
        // a stored set is corrupt data, not something to cast.
        if (!elements.empty() && object->GetClassName() != (*elements.begin())->GetClassName())
        {
            ar.SetFailed("Stored set mixes classes");
            object->Release();
            return;
        }
        if (Insert(object) != 0)
        {
            // A duplicate in the file: nobody else holds it.
            object->Release();
            continue;
        }
        if (ownershipMode == FCOwnership::kRefCounted)
            object->Release();
    }
}
