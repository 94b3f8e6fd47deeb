#pragma once

#include <cstdint>
#include <string>

// The number formats of the whole user interface: a bonus always shows its
// sign, a fractional value exactly one decimal. Case conversion is ASCII
// only; bytes above 0x7F (Windows-1252 letters) are kept as they are.

std::string ToUpper(const std::string& text);
std::string ToLower(const std::string& text);

// "%+d" when showSign ("+0" for zero), else the plain decimal form.
std::string IntToString(std::int16_t value, bool showSign);
std::string LongToString(std::int32_t value, bool showSign);

// A whole value that fits a 32-bit integer prints without decimals when
// wholeAsInteger is set; every other value prints with one decimal.
std::string FloatToString(double value, bool wholeAsInteger);

// The leading number of text; 0.0 when there is none.
double StringToFloat(const std::string& text);
