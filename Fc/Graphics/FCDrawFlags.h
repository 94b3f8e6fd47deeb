#pragma once

#include <cstdint>

// How FCImageBuffer::Draw, image-set frames and fonts place their pixels.
// These are not the surface-to-surface flags of FCImageBuffer::Blit, which
// live in FCSurfaceBlitFlags.
enum FCDrawFlags : std::uint16_t
{
    kDrawNone = 0,
    // Mirror left-right in place.
    kDrawMirrorX = 0x0001,
    // Mirror left-right; an image-set frame also moves to the mirrored place
    // inside its nominal frame.
    kDrawMirrorFrameX = 0x0002,
    // Mirror top-bottom in place.
    kDrawMirrorY = 0x0008,
    // Mirror top-bottom, moving an image-set frame inside its nominal frame.
    kDrawMirrorFrameY = 0x0010,
    // Quarter turn counter-clockwise: the top row becomes the left column,
    // read from the bottom up.
    kDrawTurnLeft = 0x0800,
    // Quarter turn clockwise (ignored when kDrawTurnLeft is also given).
    kDrawTurnRight = 0x1000,

    kDrawMirrorXMask = kDrawMirrorX | kDrawMirrorFrameX,
    kDrawMirrorYMask = kDrawMirrorY | kDrawMirrorFrameY,
    kDrawMirrorMask = kDrawMirrorXMask | kDrawMirrorYMask,
    kDrawTurnMask = kDrawTurnLeft | kDrawTurnRight,
};
