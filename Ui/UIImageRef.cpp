#include "Ui/UIImageRef.h"

#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCImageFrame.h"
#include "Fc/Graphics/FCImageSet.h"

UIImageRef::UIImageRef(FCImageSet* newImageSet, std::uint16_t newFrame)
    : imageSet(FCCountedRef<FCImageSet>::Share(newImageSet)), frame(newFrame)
{
}

UIImageRef::UIImageRef(FCImageBuffer* newImageBuffer)
    : imageBuffer(FCCountedRef<FCImageBuffer>::Share(newImageBuffer))
{
}

UIImageRef::UIImageRef(const UIImageRef& other)
    : imageSet(other.imageSet), frame(other.frame), imageBuffer(other.imageBuffer),
      blitFlags(other.blitFlags)
{
}

UIImageRef::~UIImageRef() = default;

void UIImageRef::SetImage(FCImageSet* newImageSet, std::uint16_t newFrame)
{
    if (imageBuffer)
        imageBuffer.Reset();
    Changed();
    frame = newFrame;
    imageSet = FCCountedRef<FCImageSet>::Share(newImageSet);
    Changed();
}

void UIImageRef::SetImageBuffer(FCImageBuffer* newImageBuffer)
{
    if (imageSet)
    {
        imageSet.Reset();
        Changed();
    }
    if (imageBuffer)
    {
        imageBuffer.Reset();
        Changed();
    }
    if (newImageBuffer)
    {
        imageBuffer = FCCountedRef<FCImageBuffer>::Share(newImageBuffer);
        Changed();
    }
}

FCPoint UIImageRef::GetImageSize() const
{
    if (imageSet)
    {
        const FCImageFrame* stored = imageSet->GetFrame(static_cast<std::int16_t>(frame));
        if (!stored)
            return FCPoint(0, 0);
        return FCPoint(static_cast<std::int32_t>(stored->fullWidth), static_cast<std::int32_t>(stored->fullHeight));
    }
    if (imageBuffer)
    {
        const std::int32_t w = imageBuffer->GetWidth();
        const std::int32_t h = imageBuffer->GetHeight();
        return (blitFlags & kTurnFlags) ? FCPoint(h, w) : FCPoint(w, h);
    }
    return FCPoint(0, 0);
}

FCRect UIImageRef::GetRect() const
{
    if (imageSet)
        return imageSet->GetFrameRect(static_cast<std::int16_t>(frame), blitFlags);
    if (imageBuffer)
        return FCRect(0, 0, imageBuffer->GetWidth(), imageBuffer->GetHeight());
    return FCRect();
}

void UIImageRef::Draw(FCImageBuffer* target, FCPoint point, const FCRect& clip,
                      std::uint16_t extraFlags, std::uint32_t)
{
    if (!target)
        return;
    const std::uint16_t flags = static_cast<std::uint16_t>(blitFlags | extraFlags);
    if (imageSet)
        imageSet->DrawFrame(static_cast<std::int16_t>(frame), *target, point, clip, flags);
    else if (imageBuffer)
        imageBuffer->Draw(target, point, clip, flags);
}

bool UIImageRef::HitTestImage(FCPoint point, FCPoint position) const
{
    return imageSet && imageSet->HitTestFrame(point, static_cast<std::int16_t>(frame), position, blitFlags);
}
