#pragma once

#include "Fc/Graphics/FCImageBuffer.h"

#include <cstdint>

// A display surface: a 5-6-5 buffer in memory that the display manager
// presents through its texture. Kind 1, so that surface-to-surface copies
// (Blit, BlitFast) accept it as a source; fills and frames are the memory
// buffer's own.
class WFCImageBufferX : public FCImageBuffer
{
public:
    // Null when the size is refused.
    static WFCImageBufferX* Create(std::int32_t width, std::int32_t height);

    // Copies sourceRect of another surface to target, clipped to both; with
    // kSurfaceBlitSourceKey pixels equal to the source's colour key are
    // skipped, and the mirror flags turn the copy over (left-right mirroring
    // drops the key). False for a source that is not a surface.
    bool Blit(FCPoint target, FCImageBuffer* source, const FCRect& sourceRect,
              std::uint32_t flags) override;
    // As Blit, but only the source key applies.
    bool BlitFast(FCPoint target, FCImageBuffer* source, const FCRect& sourceRect,
                  std::uint32_t flags) override;

private:
    WFCImageBufferX(std::int32_t width, std::int32_t height);

    bool Copy(FCPoint target, FCImageBuffer* source, const FCRect& sourceRect, bool keyed,
              bool mirrorX, bool mirrorY);
};
