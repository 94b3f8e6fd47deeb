#pragma once

#include "Fc/Core/FCFileSection.h"

// The view of its stream file that each sound channel owns.
class FCSoundStreamFile : public FCFileSection
{
public:
    FCSoundStreamFile() = default;
    ~FCSoundStreamFile() override;
};
