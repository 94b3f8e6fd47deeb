#include "Vel/Db/VelFormat.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

TEST(VelFormatTest, SubstitutesOnlyIntegerConversions)
{
    struct Case
    {
        const char* format;
        std::int32_t first;
        std::int32_t second;
        const char* expected;
    };
    const Case cases[] = {
        {"Bonus %d", 3, 0, "Bonus 3"},
        {" (3 + %d)", 2, 0, " (3 + 2)"},
        {"%d/%d per day", 3, 4, "3/4 per day"},
        {"%+d", 5, 0, "+5"},
        {"%+d", -5, 0, "-5"},
        {"[%4d]", 42, 0, "[  42]"},
        {"[%-4d]", 42, 0, "[42  ]"},
        {"[%04d]", 42, 0, "[0042]"},
        {"%.3d", 7, 0, "007"},
        {"%ld and %hd", 1, 2, "1 and 2"},
        {"%i%%", 50, 0, "50%"},
        {"%x %X", 255, 255, "ff FF"},
        {"%o %#x", 8, 255, "10 0xff"},
        // Unsigned conversions show the 32-bit pattern of the value.
        {"%u", -1, 0, "4294967295"},
        // Anything else is text, and takes no value.
        {"%s %d", 9, 0, "%s 9"},
        {"%n%d", 9, 0, "%n9"},
        {"%f", 1, 0, "%f"},
        {"%*d", 3, 4, "%*d"},
        {"100%", 1, 0, "100%"},
        {"%", 1, 0, "%"},
        {"%5", 1, 0, "%5"},
        {"no conversions", 1, 2, "no conversions"},
        {"", 1, 2, ""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(VelFormat(c.format, {c.first, c.second}), c.expected);
    }
}

TEST(VelFormatTest, ConversionWithNoValueLeftStaysAsWritten)
{
    EXPECT_EQ(VelFormat("%d and %d", {1}), "1 and %d");
    EXPECT_EQ(VelFormat("%d", {}), "%d");
    // A value left over is simply unused.
    EXPECT_EQ(VelFormat("%d", {1, 2}), "1");
}

TEST(VelFormatTest, OutputIsBoundedWhateverTheWidth)
{
    EXPECT_EQ(VelFormat("abcdef", {}, 4), "abcd");
    EXPECT_EQ(VelFormat("%d", {123456}, 3), "123");
    const std::string wide = VelFormat("%999999999d", {1}, 100);
    EXPECT_EQ(wide.size(), 100u);
    EXPECT_EQ(wide.find_first_not_of(' '), 99u);
    EXPECT_EQ(VelFormat("%.99999999999999999999d", {1}, 10), "0000000001");
    EXPECT_EQ(VelFormat(std::string(5000, 'x'), {}).size(), kVelFormatLimit);
}

TEST(VelFormatTest, CountsTheConversionsItWouldFill)
{
    const std::pair<const char*, int> cases[] = {
        {"plain", 0},      {"100%% sure", 0}, {"%d/day", 1},   {"%+03ld and %x", 2},
        {"%s", -1},        {"50%!", -1},      {"50% off", 1},   {"ends in %", -1}, {"%d %f", -1},
    };
    for (const auto& [format, count] : cases)
        EXPECT_EQ(VelCountConversions(format), count) << format;
}
