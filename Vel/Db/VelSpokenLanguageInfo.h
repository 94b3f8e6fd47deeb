#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>

// Who may speak a language (list 160; key = language id).
class VelSpokenLanguageInfo : public VelRecord<VelSpokenLanguageInfo>
{
public:
    static constexpr const char* kClassName = "VelSpokenLanguageInfo";

    template <class V> void Fields(V& v)
    {
        v("classId", classId);
        v("raceId", raceId);
        v("automatic", automatic);
    }

    // The class the row applies to when it is a class row.
    std::uint16_t classId = 0;
    // 0xFFFF makes the row a class row.
    std::uint16_t raceId = 0;
    // 1: given to a matching character; otherwise only allowed to choose.
    std::uint8_t automatic = 0;
};
