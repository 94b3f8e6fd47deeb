#pragma once

#include <cstdint>

// Flags of FCImageSet::DrawFrame and HitTestFrame. They are not the surface
// blit flags of the display layer, although the mirror bits share values.
enum FCImageSetDrawFlags : std::uint32_t
{
    // Pixels mirrored left-right in place inside the stored rectangle.
    kImageSetMirrorX = 0x01,
    // Mirrored left-right, and the stored rectangle moves to the opposite
    // side of the nominal frame, as if the whole nominal frame were turned.
    kImageSetFlipX = 0x02,
    kImageSetMirrorY = 0x08,
    kImageSetFlipY = 0x10,

    kImageSetAnyX = kImageSetMirrorX | kImageSetFlipX,
    kImageSetAnyY = kImageSetMirrorY | kImageSetFlipY,
    kImageSetAnyMirror = kImageSetAnyX | kImageSetAnyY,
};
