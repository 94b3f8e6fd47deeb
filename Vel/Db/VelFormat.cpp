#include "Vel/Db/VelFormat.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{
bool IsFlag(char c) { return c == '-' || c == '+' || c == ' ' || c == '#' || c == '0'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIntegerConversion(char c)
{
    return c == 'd' || c == 'i' || c == 'u' || c == 'x' || c == 'X' || c == 'o';
}
bool IsLengthModifier(char c) { return c == 'h' || c == 'l' || c == 'j' || c == 'z' || c == 't'; }

// Reads a decimal number, clamped so that a huge width cannot ask for a
// huge buffer.
std::size_t ReadNumber(std::string_view text, std::size_t& pos, std::size_t cap)
{
    std::size_t value = 0;
    while (pos < text.size() && IsDigit(text[pos]))
    {
        value = std::min(cap, value * 10 + static_cast<std::size_t>(text[pos] - '0'));
        ++pos;
    }
    return value;
}

// One conversion at format[start] == '%': its output, and where it ends.
// False when the text there is not an integer conversion.
bool FormatOne(std::string_view format, std::size_t start, std::int32_t value, std::size_t cap,
               std::string& out, std::size_t& end)
{
    std::size_t pos = start + 1;
    std::string directive = "%";
    while (pos < format.size() && IsFlag(format[pos]))
    {
        directive += format[pos++];
    }
    const std::size_t width = ReadNumber(format, pos, cap);
    bool hasPrecision = false;
    std::size_t precision = 0;
    if (pos < format.size() && format[pos] == '.')
    {
        ++pos;
        hasPrecision = true;
        precision = ReadNumber(format, pos, cap);
    }
    while (pos < format.size() && IsLengthModifier(format[pos]))
    {
        ++pos;
    }
    if (pos >= format.size() || !IsIntegerConversion(format[pos]))
    {
        return false;
    }
    const char conversion = format[pos];
    if (width > 0)
    {
        directive += std::to_string(width);
    }
    if (hasPrecision)
    {
        directive += '.' + std::to_string(precision);
    }
    directive += "ll";
    directive += conversion;

    // Values are 32-bit: an unsigned conversion shows the 32-bit pattern.
    const bool isSigned = conversion == 'd' || conversion == 'i';
    const long long signedValue = value;
    const unsigned long long unsignedValue = static_cast<std::uint32_t>(value);
    std::vector<char> buffer(std::max(width, precision) + 32);
    const int written = isSigned ? std::snprintf(buffer.data(), buffer.size(), directive.c_str(), signedValue)
                                 : std::snprintf(buffer.data(), buffer.size(), directive.c_str(), unsignedValue);
    if (written < 0)
    {
        return false;
    }
    out.assign(buffer.data(), std::min(static_cast<std::size_t>(written), buffer.size() - 1));
    end = pos + 1;
    return true;
}
} // namespace

std::string VelFormat(std::string_view format, std::initializer_list<std::int32_t> values,
                      std::size_t limit)
{
    std::string result;
    const std::int32_t* nextValue = values.begin();
    std::size_t pos = 0;
    while (pos < format.size() && result.size() < limit)
    {
        const char c = format[pos];
        if (c != '%')
        {
            result += c;
            ++pos;
            continue;
        }
        if (pos + 1 < format.size() && format[pos + 1] == '%')
        {
            result += '%';
            pos += 2;
            continue;
        }
        std::string piece;
        std::size_t end = pos;
        if (nextValue != values.end() && FormatOne(format, pos, *nextValue, limit, piece, end))
        {
            ++nextValue;
            result += piece;
            pos = end;
        }
        else
        {
            result += c;
            ++pos;
        }
    }
    if (result.size() > limit)
    {
        result.resize(limit);
    }
    return result;
}

int VelCountConversions(std::string_view format)
{
    int count = 0;
    std::size_t pos = 0;
    while (pos < format.size())
    {
        if (format[pos] != '%')
        {
            ++pos;
            continue;
        }
        if (pos + 1 < format.size() && format[pos + 1] == '%')
        {
            pos += 2;
            continue;
        }
        std::string piece;
        std::size_t end = pos;
        if (!FormatOne(format, pos, 0, 64, piece, end))
        {
            return -1;
        }
        ++count;
        pos = end;
    }
    return count;
}
