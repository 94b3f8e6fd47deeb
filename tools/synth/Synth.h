#pragma once

#include "Score.h"

#include <cstdint>
#include <vector>

// Renders a score to 16-bit mono samples at the score's rate. Noise comes
// from a fixed generator seeded per note, so the same score always gives
// the same samples.
std::vector<std::int16_t> RenderScore(const Score& score);

// A RIFF WAVE file: 16-bit PCM, one channel.
std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples, std::uint32_t rate);
