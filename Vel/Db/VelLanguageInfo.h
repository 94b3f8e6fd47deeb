#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>
#include <string>

// A language (table 155, keyed by language id).
class VelLanguageInfo : public VelRecord<VelLanguageInfo>
{
public:
    static constexpr const char* kClassName = "VelLanguageInfo";

    template <class V>
    void Fields(V& v)
    {
        v("name", name);
        v("restricted", restricted);
        v("secondFlag", secondFlag);
        v("description", description);
    }

    std::string name;
    // Non-zero: not free to choose even for races that may choose any language.
    std::uint8_t restricted = 0;
    std::uint8_t secondFlag = 0;
    std::string description;
};
