#pragma once

#include <utility>

// A record built in one expression for fixture tables:
//     db.Add(1, MakeRecord<VelRaceInfo>([](auto& r) { r.sizeId = 4; }));
template <class T, class Fill> T MakeRecord(Fill&& fill)
{
    T record;
    std::forward<Fill>(fill)(record);
    return record;
}

// Hands a new counted entry to its owner and gives back the test's own
// reference; the entry lives as long as the owner keeps it:
//     auto* skill = Adopt(new VelCharacterSkill(3, 0), [&](auto* s) { c.AddSkill(s); });
template <class T, class Add> T* Adopt(T* entry, Add&& add)
{
    std::forward<Add>(add)(entry);
    entry->Release();
    return entry;
}
