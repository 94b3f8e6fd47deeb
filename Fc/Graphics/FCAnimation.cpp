#include "Fc/Graphics/FCAnimation.h"

#include "Fc/Graphics/FCImageSet.h"

#include <algorithm>

FCAnimation::FCAnimation() { SetTypeCode(kTypeCode); }

FCAnimation::~FCAnimation() { SetImageSet(nullptr); }

void FCAnimation::SetImageSet(FCImageSet* set)
{
    if (set)
        set->AddRef();
    if (imageSet)
        imageSet->Release();
    imageSet = set;
}

void FCAnimation::SetFramesPerSecond(std::int16_t framesPerSecond)
{
    msPerFrame = static_cast<std::uint16_t>(1000 / std::max<std::int32_t>(1, framesPerSecond));
}
