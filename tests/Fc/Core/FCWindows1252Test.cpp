#include "Fc/Core/FCWindows1252.h"

#include <gtest/gtest.h>

namespace
{
TEST(FCWindows1252Test, EveryDefinedCodeRoundTripsThroughUtf8)
{
    int undefined = 0;
    for (int code = 1; code < 256; ++code)
    {
        SCOPED_TRACE(code);
        const std::string one(1, static_cast<char>(code));
        const std::string utf8 = Windows1252ToUtf8(one);
        std::string back;
        std::size_t bad = 99;
        if (Windows1252ToUnicode(static_cast<std::uint8_t>(code)) == 0)
        {
            ++undefined;
            EXPECT_EQ(utf8, "\xEF\xBF\xBD");
            EXPECT_FALSE(Utf8ToWindows1252(utf8, back, bad));
            continue;
        }
        EXPECT_TRUE(Utf8ToWindows1252(utf8, back, bad));
        EXPECT_EQ(back, one);
    }
    EXPECT_EQ(undefined, 5);
    EXPECT_EQ(Windows1252ToUnicode(0x80), 0x20ACu);
    EXPECT_EQ(Windows1252ToUnicode(0xE9), 0xE9u);
}

TEST(FCWindows1252Test, RefusesWhatTheCodePageCannotHoldOrIsNotUtf8)
{
    struct Case
    {
        const char* name;
        std::string utf8;
        std::size_t badOffset;
    };
    const Case cases[] = {
        {"outside the code page", "ab\xE6\x97\xA5", 2},
        {"C1 control", "\xC2\x81", 0},
        {"cut short", "ab\xC3", 2},
        {"overlong", "\xC0\xA0", 0},
        {"surrogate", "x\xED\xA0\x80", 1},
        {"stray continuation", "\x80", 0},
        {"beyond Unicode", "\xF4\x90\x80\x80", 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::string out;
        std::size_t bad = 99;
        EXPECT_FALSE(Utf8ToWindows1252(c.utf8, out, bad));
        EXPECT_EQ(bad, c.badOffset);
    }
    std::string out;
    std::size_t bad = 0;
    EXPECT_TRUE(Utf8ToWindows1252("\xE2\x80\x9C" "Caf\xC3\xA9\xE2\x80\x9D \xE2\x82\xAC", out, bad));
    EXPECT_EQ(out, "\x93" "Caf\xE9\x94 \x80");
}
} // namespace

TEST(FCWindows1252Test, HostNamesConvertWithAReplacementForWhatCannotBeHeld)
{
    const struct
    {
        const char* utf8;
        const char* expected;
    } cases[] = {
        {"Zo\xC3\xAB.cg3", "Zo\xEB.cg3"},
        {"\xE2\x80\x9C" "a\xE2\x80\x9D \xE2\x82\xAC", "\x93" "a\x94 \x80"},
        {"\xE6\x97\xA5\xE6\x9C\xAC.cg3", "??.cg3"},           // two CJK characters
        {"x\xF0\x9F\x99\x82y", "x?y"},                        // a four-byte character
        {"bad\xFF\xC3!", "bad?" "?!"},                         // one per malformed byte
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8ToWindows1252Lossy(c.utf8), c.expected) << c.utf8;
}

TEST(FCWindows1252Test, TellsUtf8FromTheCodePage)
{
    EXPECT_TRUE(IsUtf8(""));
    EXPECT_TRUE(IsUtf8("plain/ascii.cg3"));
    EXPECT_TRUE(IsUtf8("Zo\xC3\xAB"));
    EXPECT_FALSE(IsUtf8("Zo\xEB"));      // the same name in the code page
    EXPECT_FALSE(IsUtf8("\x93quoted\x94"));
    EXPECT_FALSE(IsUtf8("cut\xC3"));
}
