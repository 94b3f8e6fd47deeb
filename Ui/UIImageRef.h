#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "Fc/Graphics/FCPoint.h"
#include "Fc/Graphics/FCRect.h"

#include <cstdint>

class FCImageBuffer;
class FCImageSet;

// What an image shows: a frame of an image set, or a whole image buffer,
// never both. Holds a counted reference to either.
class UIImageRef
{
public:
    static constexpr std::uint16_t kKind = 10;
    // Blit flags that turn a buffer by a quarter, so its sides swap.
    static constexpr std::uint16_t kTurnFlags = 0x800 | 0x1000;

    UIImageRef() = default;
    UIImageRef(FCImageSet* newImageSet, std::uint16_t newFrame);
    explicit UIImageRef(FCImageBuffer* newImageBuffer);
    // The kind tag stays the new reference's own.
    UIImageRef(const UIImageRef& other);
    UIImageRef& operator=(const UIImageRef&) = delete;
    virtual ~UIImageRef();

    // Drops a held buffer first.
    void SetImage(FCImageSet* newImageSet, std::uint16_t newFrame);
    // Drops a held image set first; null just empties the reference.
    void SetImageBuffer(FCImageBuffer* newImageBuffer);
    FCImageSet* GetImageSet() const { return imageSet.Get(); }
    FCImageBuffer* GetImageBuffer() const { return imageBuffer.Get(); }
    std::uint16_t GetFrame() const { return frame; }
    std::uint16_t GetBlitFlags() const { return blitFlags; }
    void SetBlitFlags(std::uint16_t flags) { blitFlags = flags; }
    bool HasImage() const { return imageSet || imageBuffer; }

    // The frame's nominal size, or the buffer's (sides swapped when turned).
    FCPoint GetImageSize() const;
    virtual FCRect GetRect() const;
    virtual void Draw(FCImageBuffer* target, FCPoint point, const FCRect& clip,
                      std::uint16_t extraFlags, std::uint32_t extra);
    bool HitTestImage(FCPoint point, FCPoint position) const;

protected:
    // The owner redraws; called around every change of what is shown.
    virtual void Changed() {}

    std::uint16_t kind = kKind;
    FCCountedRef<FCImageSet> imageSet;
    std::uint16_t frame = 0xFFFF;
    FCCountedRef<FCImageBuffer> imageBuffer;
    std::uint16_t blitFlags = 0;
    std::uint16_t extraWord = 0;
};
