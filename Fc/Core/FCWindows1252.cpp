#include "Fc/Core/FCWindows1252.h"

#include <array>

namespace
{
// 0x80 to 0x9F are the only codes that differ from Latin-1.
constexpr std::array<std::uint16_t, 32> kHighControls = {
    0x20AC, 0x0000, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x0000, 0x017D, 0x0000, 0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x0000, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp < 0x80)
    {
        out += static_cast<char>(cp);
    }
    else if (cp < 0x800)
    {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at text[at]; false for a malformed, overlong
// or surrogate sequence.
bool DecodeUtf8(std::string_view text, std::size_t& at, std::uint32_t& cp)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(at);
    std::size_t length = 0;
    std::uint32_t minimum = 0;
    if (lead < 0x80)
    {
        cp = lead;
        ++at;
        return true;
    }
    if ((lead & 0xE0) == 0xC0)
    {
        length = 2;
        cp = lead & 0x1F;
        minimum = 0x80;
    }
    else if ((lead & 0xF0) == 0xE0)
    {
        length = 3;
        cp = lead & 0x0F;
        minimum = 0x800;
    }
    else if ((lead & 0xF8) == 0xF0)
    {
        length = 4;
        cp = lead & 0x07;
        minimum = 0x10000;
    }
    else
    {
        return false;
    }
    if (at + length > text.size())
        return false;
    for (std::size_t i = 1; i < length; ++i)
    {
        if ((byte(at + i) & 0xC0) != 0x80)
            return false;
        cp = (cp << 6) | (byte(at + i) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return false;
    at += length;
    return true;
}
} // namespace

std::uint32_t Windows1252ToUnicode(std::uint8_t code)
{
    if (code >= 0x80 && code <= 0x9F)
        return kHighControls[code - 0x80];
    return code;
}

bool UnicodeToWindows1252(std::uint32_t codePoint, std::uint8_t& code)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
    {
        code = static_cast<std::uint8_t>(codePoint);
        return true;
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
    {
        if (kHighControls[i] != 0 && kHighControls[i] == codePoint)
        {
            code = static_cast<std::uint8_t>(0x80 + i);
            return true;
        }
    }
    return false;
}

bool Utf8ToWindows1252(std::string_view utf8, std::string& out, std::size_t& badOffset)
{
    out.clear();
    std::size_t at = 0;
    while (at < utf8.size())
    {
        const std::size_t start = at;
        std::uint32_t cp = 0;
        std::uint8_t code = 0;
        if (!DecodeUtf8(utf8, at, cp) || !UnicodeToWindows1252(cp, code))
        {
            badOffset = start;
            return false;
        }
        out += static_cast<char>(code);
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view text)
{
    std::string out;
    for (const char c : text)
    {
        const std::uint32_t cp = Windows1252ToUnicode(static_cast<std::uint8_t>(c));
        AppendUtf8(out, cp == 0 && c != 0 ? 0xFFFD : cp);
    }
    return out;
}

bool IsUtf8(std::string_view text)
{
    std::uint32_t cp = 0;
    for (std::size_t at = 0; at < text.size();)
    {
        if (!DecodeUtf8(text, at, cp))
            return false;
    }
    return true;
}

std::string Utf8ToWindows1252Lossy(std::string_view utf8, char replacement)
{
    std::string out;
    std::size_t at = 0;
    while (at < utf8.size())
    {
        std::uint32_t cp = 0;
        std::uint8_t code = 0;
        if (!DecodeUtf8(utf8, at, cp))
        {
            ++at; // one malformed byte, one replacement
            out += replacement;
        }
        else
        {
            out += UnicodeToWindows1252(cp, code) ? static_cast<char>(code) : replacement;
        }
    }
    return out;
}
