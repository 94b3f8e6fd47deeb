#include "Fc/Graphics/FCImageSetRecord.h"

#include "Fc/Graphics/FCImageSet.h"

#include <utility>

FCImageSetRecord::FCImageSetRecord(std::uint16_t setId, std::string setFileName)
    : id(setId), fileName(std::move(setFileName))
{
    (void)reserved;
}

FCImageSetRecord::~FCImageSetRecord() { SetImageSet(nullptr); }

void FCImageSetRecord::SetImageSet(FCImageSet* newSet)
{
    if (newSet)
        newSet->AddRef();
    if (imageSet)
        imageSet->Release();
    imageSet = newSet;
}
