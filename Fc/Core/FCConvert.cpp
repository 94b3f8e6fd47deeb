#include "Fc/Core/FCConvert.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace
{
template <typename... Args>
std::string Format(const char* format, Args... args)
{
    char text[64];
    const int length = std::snprintf(text, sizeof text, format, args...);
    if (length < 0)
        return std::string();
    if (static_cast<std::size_t>(length) < sizeof text)
        return std::string(text, static_cast<std::size_t>(length));
    // Only huge doubles in "%.1f" get here.
    std::string result(static_cast<std::size_t>(length), '\0');
    std::snprintf(result.data(), result.size() + 1, format, args...);
    return result;
}
} // namespace

std::string ToUpper(const std::string& text)
{
    std::string result = text;
    for (char& c : result)
    {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 'a' && u <= 'z')
            c = static_cast<char>(u - 'a' + 'A');
    }
    return result;
}

std::string ToLower(const std::string& text)
{
    std::string result = text;
    for (char& c : result)
    {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 'A' && u <= 'Z')
            c = static_cast<char>(u - 'A' + 'a');
    }
    return result;
}

std::string IntToString(std::int16_t value, bool showSign)
{
    return Format(showSign ? "%+d" : "%d", static_cast<int>(value));
}

std::string LongToString(std::int32_t value, bool showSign)
{
    return Format(showSign ? "%+" PRId32 : "%" PRId32, value);
}

std::string FloatToString(double value, bool wholeAsInteger)
{
    // The range test comes first: converting a value outside the 32-bit
    // range (or NaN) to an integer is undefined.
    if (wholeAsInteger && value >= -2147483648.0 && value <= 2147483647.0)
    {
        const auto whole = static_cast<std::int32_t>(value);
        if (static_cast<double>(whole) == value)
            return Format("%" PRId32, whole);
    }
    return Format("%.1f", value);
}

double StringToFloat(const std::string& text)
{
    return std::atof(text.c_str());
}
