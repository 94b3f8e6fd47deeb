#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Text inside the program is Windows-1252; these convert at the edges
// (content sources, keyboard input, documents).

// The Unicode code point of a Windows-1252 byte; 0 for the five codes the
// code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D).
std::uint32_t Windows1252ToUnicode(std::uint8_t code);

// The Windows-1252 byte of a code point; false when the code page has none.
bool UnicodeToWindows1252(std::uint32_t codePoint, std::uint8_t& code);

// Converts UTF-8 text. False for malformed UTF-8 or a character the code page
// cannot hold; badOffset is then the byte offset of the offending sequence.
bool Utf8ToWindows1252(std::string_view utf8, std::string& out, std::size_t& badOffset);

// Undefined codes become U+FFFD.
std::string Windows1252ToUtf8(std::string_view text);

// True when text is well-formed UTF-8 (plain ASCII is).
bool IsUtf8(std::string_view text);

// Converts UTF-8 text that may hold anything (a host's file name): each
// character the code page lacks, and each malformed byte, becomes
// replacement.
std::string Utf8ToWindows1252Lossy(std::string_view utf8, char replacement = '?');
