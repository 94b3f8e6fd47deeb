#include "Fc/Core/FCObjectVector.h"

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCOwnership.h"

FCObjectVector::~FCObjectVector() { Clear(); }

std::uint16_t FCObjectVector::Append(FCObject* object)
{
    FCOwnership::Adopt(object, ownershipMode);
    elements.push_back(object);
    return 0;
}

bool FCObjectVector::GetNext(FCObject*& out, FCObjectVectorCursor* walk)
{
    FCObjectVectorCursor& at = walk ? *walk : cursor;
    if (at.position >= elements.size())
        return false;
    out = elements[at.position++];
    return true;
}

FCObject* FCObjectVector::GetAt(std::int32_t index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= elements.size())
        return nullptr;
    return elements[static_cast<std::size_t>(index)];
}

std::uint16_t FCObjectVector::Remove(FCObject* object)
{
    for (std::size_t i = 0; i < elements.size(); ++i)
    {
        if (elements[i] == object)
            return RemoveAt(static_cast<std::uint32_t>(i));
    }
    return 7;
}

std::uint16_t FCObjectVector::RemoveAt(std::uint32_t index)
{
    if (index >= elements.size())
        return 7;
    FCObject* object = elements[index];
    elements.erase(elements.begin() + index);
    FCOwnership::Dispose(object, ownershipMode);
    return 0;
}

std::uint16_t FCObjectVector::Clear()
{
    // Swap out first: a destructor that reaches back into this holder must
    // not see half-disposed elements.
    std::vector<FCObject*> old;
    old.swap(elements);
    for (FCObject* object : old)
        FCOwnership::Dispose(object, ownershipMode);
    if (elements.empty())
    {
        old.clear();
        elements.swap(old); // keep the storage
    }
    cursor.position = 0;
    return 0;
}

void FCObjectVector::Serialize(FCArchive& ar)
{
    if (ar.IsStoring())
    {
        const std::uint16_t count = ar.WriteContainerHeader(ownershipMode, GetCount());
        for (std::uint16_t i = 0; i < count; ++i)
            ar.WriteObject(elements[i]);
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
        Append(object);
        if (ownershipMode == FCOwnership::kRefCounted)
            object->Release();
    }
}
