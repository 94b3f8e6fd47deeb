#pragma once

#include <cstdint>

// Flags of FCImageBuffer::Blit and BlitFast, the surface-to-surface copies
// of the display layer. Unrelated to FCDrawFlags; the memory buffer ignores
// them.
enum FCSurfaceBlitFlags : std::uint32_t
{
    kSurfaceBlitNone = 0,
    // Skip source pixels equal to the source surface's colour key.
    kSurfaceBlitSourceKey = 0x1,
    kSurfaceBlitMirrorUpDown = 0x2,
    // Mirror left-right; the source key is not applied with it.
    kSurfaceBlitMirrorLeftRight = 0x4,
};
