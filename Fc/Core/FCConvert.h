#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
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

// The whole part of value as T: NaN gives 0 and a value beyond T's range its
// nearest limit. Numbers read from files and databases become integers only
// through here, since a plain cast of such values is undefined.
template <class T> T TruncateToInteger(double value)
{
    if (std::isnan(value))
        return 0;
    const double whole = std::trunc(value);
    if (whole <= static_cast<double>(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    if (whole >= static_cast<double>(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    return static_cast<T>(whole);
}
