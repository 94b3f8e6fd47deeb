#include "Fc/Core/FCConvert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(FCConvertTest, IntegersWithAndWithoutSign)
{
    struct Case
    {
        std::int32_t value;
        bool sign;
        const char* asInt; // null when the value does not fit 16 bits
        const char* asLong;
    };
    const Case cases[] = {
        {5, true, "+5", "+5"},
        {-5, true, "-5", "-5"},
        {0, true, "+0", "+0"},
        {5, false, "5", "5"},
        {0, false, "0", "0"},
        {-32768, true, "-32768", "-32768"},
        {32767, false, "32767", "32767"},
        {100000, true, nullptr, "+100000"},
        {-2147483647 - 1, false, nullptr, "-2147483648"},
        {2147483647, true, nullptr, "+2147483647"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.value);
        if (c.asInt != nullptr)
        {
            EXPECT_EQ(IntToString(static_cast<std::int16_t>(c.value), c.sign), c.asInt);
        }
        EXPECT_EQ(LongToString(c.value, c.sign), c.asLong);
    }
}

TEST(FCConvertTest, FloatsShowOneDecimalUnlessWhole)
{
    struct Case
    {
        double value;
        bool wholeAsInteger;
        const char* text;
    };
    const Case cases[] = {
        {12.0, true, "12"},
        {12.0, false, "12.0"},
        {-0.5, true, "-0.5"},
        {2.75, true, "2.8"},
        {-7.0, true, "-7"},
        {0.04, true, "0.0"},
        {2147483647.0, true, "2147483647"},
        {-2147483648.0, true, "-2147483648"},
        // Whole but beyond 32 bits: no integer conversion is attempted.
        {4294967296.0, true, "4294967296.0"},
        {-1e10, true, "-10000000000.0"},
        {1e300, true, nullptr},
        {std::numeric_limits<double>::infinity(), true, "inf"},
        {std::numeric_limits<double>::quiet_NaN(), true, "nan"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.value);
        const std::string text = FloatToString(c.value, c.wholeAsInteger);
        if (c.text != nullptr)
        {
            EXPECT_EQ(text, c.text);
        }
        else
        {
            EXPECT_EQ(text.size(), 303u); // 301 digits, ".0"
        }
    }
}

TEST(FCConvertTest, StringToFloatTakesTheLeadingNumber)
{
    EXPECT_EQ(StringToFloat("3.5abc"), 3.5);
    EXPECT_EQ(StringToFloat("  -2.25"), -2.25);
    EXPECT_EQ(StringToFloat("abc"), 0.0);
    EXPECT_EQ(StringToFloat(""), 0.0);
}

TEST(FCConvertTest, CaseChangesOnlyAsciiLetters)
{
    EXPECT_EQ(ToLower("\\Sounds\\X.WAV"), "\\sounds\\x.wav");
    EXPECT_EQ(ToUpper("\\sounds\\x.wav"), "\\SOUNDS\\X.WAV");
    // Windows-1252 letters and symbols above 0x7F stay as they are.
    const std::string high = "\xC9t\xE9 @[`{";
    EXPECT_EQ(ToLower(high), "\xC9t\xE9 @[`{");
    EXPECT_EQ(ToUpper(high), "\xC9T\xE9 @[`{");
    EXPECT_EQ(ToLower(""), "");
}
