#pragma once

#include <string>

// Upper-cases the first character of a database text as the "C" locale
// does: only 'a' to 'z' change, whatever the host's locale, so a
// Windows-1252 letter above 127 is never mapped to some other byte.
inline void VelUpperFirst(std::string& text)
{
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
    {
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    }
}
