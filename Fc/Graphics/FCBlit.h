#pragma once

#include "Fc/Graphics/FCRect.h"

#include <cstdint>

class FCPalette;

// Blitters from 16-bit or 8-bit palettised pixels into a 16-bit target.
// Each reads the source rectangle R of (source, sourcePitch) row by row and
// writes into (target, targetPitch) with R's top-left pixel placed according
// to the blitter at target point (x, y). They do no clipping: the caller has
// clipped R to the source and the written area to the target. An empty R
// writes nothing. Pitches are in bytes. Keys compare with the zero-extended
// pixel or index, so a key that no pixel can take skips nothing. The 8-bit
// blitters write the low 16 bits of palette entries already converted to the
// target's format.

// Direction of the rotating blitters for a quarter turn counter-clockwise;
// any other value turns clockwise.
inline constexpr std::uint16_t kTurnCounterClockwise = 0xFFFF;
inline constexpr std::uint16_t kTurnClockwise = 1;

// Copies count 16-bit pixels.
void CopyRow16(void* target, const void* source, std::int32_t count);

void Blit16(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
            const void* source, std::int32_t sourcePitch, const FCRect& sourceRect);
void BlitKeyed16(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
                 const void* source, std::int32_t sourcePitch, const FCRect& sourceRect,
                 std::uint32_t key);
// Source pixel (row r, column c of R) goes to
// (x + (mirrorX ? w - 1 - c : c), y + (mirrorY ? h - 1 - r : r)).
void BlitMirrored16(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
                    const void* source, std::int32_t sourcePitch, const FCRect& sourceRect,
                    bool mirrorX, bool mirrorY);
void BlitKeyedMirrored16(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
                         const void* source, std::int32_t sourcePitch, const FCRect& sourceRect,
                         std::uint32_t key, bool mirrorX, bool mirrorY);
// kTurnCounterClockwise: (row r, column c) goes to (x + r, y + w - 1 - c);
// otherwise to (x + h - 1 - r, y + c). The written area is h wide, w high.
void BlitRotated16(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
                   const void* source, std::int32_t sourcePitch, const FCRect& sourceRect,
                   std::uint16_t direction);
void BlitKeyedRotated16(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
                        const void* source, std::int32_t sourcePitch, const FCRect& sourceRect,
                        std::uint32_t key, std::uint16_t direction);

void Blit8(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
           const void* source, std::int32_t sourcePitch, const FCRect& sourceRect,
           const FCPalette& palette);
void BlitKeyed8(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
                const void* source, std::int32_t sourcePitch, const FCRect& sourceRect,
                const FCPalette& palette, std::uint32_t key);
void BlitMirrored8(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
                   const void* source, std::int32_t sourcePitch, const FCRect& sourceRect,
                   const FCPalette& palette, bool mirrorX, bool mirrorY);
void BlitKeyedMirrored8(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
                        const void* source, std::int32_t sourcePitch, const FCRect& sourceRect,
                        const FCPalette& palette, std::uint32_t key, bool mirrorX, bool mirrorY);
void BlitRotated8(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
                  const void* source, std::int32_t sourcePitch, const FCRect& sourceRect,
                  const FCPalette& palette, std::uint16_t direction);
void BlitKeyedRotated8(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
                       const void* source, std::int32_t sourcePitch, const FCRect& sourceRect,
                       const FCPalette& palette, std::uint32_t key, std::uint16_t direction);
