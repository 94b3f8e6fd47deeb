#pragma once

#include "Fc/Core/FCObjectMap.h"
#include "Fc/Core/FCObjectSet.h"
#include "Fc/Core/FCObjectVector.h"

#include <cstdint>

// Walks of the character's holders for the rules. Each walk has a cursor of
// its own, so it never disturbs a page walking the same holder. The
// function returns true to stop the walk.
namespace VelRulesWalk
{
template <class T, class Fn> void Each(const FCObjectVector& list, Fn&& fn)
{
    for (std::uint32_t i = 0; i < list.GetCount(); ++i)
    {
        if (auto* element = static_cast<T*>(list.GetAt(static_cast<std::int32_t>(i))))
        {
            if (fn(*element))
                return;
        }
    }
}

template <class T, class Fn> void Each(const FCObjectSet& constSet, Fn&& fn)
{
    auto& set = const_cast<FCObjectSet&>(constSet);
    FCObjectSet::Cursor walk = set.First();
    FCObject* element = nullptr;
    while (set.GetNext(element, &walk))
    {
        if (element && fn(*static_cast<T*>(element)))
            return;
    }
}

template <class T, class Fn> void Each(const FCObjectMap& constMap, Fn&& fn)
{
    auto& map = const_cast<FCObjectMap&>(constMap);
    FCObjectMap::Cursor walk = map.First();
    FCObject* element = nullptr;
    while (map.GetNext(element, &walk))
    {
        if (element && fn(*static_cast<T*>(element)))
            return;
    }
}

// The element stored at that address, or null when the holder has none
// there: a page row that remembers a record or an entry by its address is
// checked against what is alive before it is followed.
template <class T, class Holder> T* FindByAddress(const Holder& holder, std::intptr_t address)
{
    T* found = nullptr;
    Each<T>(holder,
            [&](T& element)
            {
                if (reinterpret_cast<std::intptr_t>(&element) == address)
                    found = &element;
                return found != nullptr;
            });
    return found;
}
} // namespace VelRulesWalk
