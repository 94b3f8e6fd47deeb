#include "Fc/Graphics/FCFont.h"
#include "Fc/Graphics/FCTextLayout.h"
#include "support/ResourceFixture.h"

#include <gtest/gtest.h>

#include <random>

namespace
{
using Lines = std::vector<std::string>;

// Letters advance 6 (5 as a line's first glyph), the space 4, lines are 10
// high; 'W' is 40 wide.
class TextLayoutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::vector<GlyphFrame> frames = UniformGlyphs(126, 8, 10);
        frames['W' - 32] = {42, 10, 1, 0, 40, 10};
        font = sandbox.MakeFont(frames);
        ASSERT_NE(font, nullptr);
    }

    Lines Wrap(std::string_view text, FCPoint box, bool wordWrap = true)
    {
        Lines lines;
        WrapText(lines, text, box, wordWrap, *font);
        return lines;
    }

    ResourceSandbox sandbox;
    FCFont* font = nullptr;
};

FCPoint MeasureThroughCallback(std::string_view line, void* context)
{
    return MeasureTextLine(line, *static_cast<FCFont*>(context));
}

TEST_F(TextLayoutTest, WrapsAtWordsAndWithinTheBox)
{
    struct Case
    {
        const char* name;
        std::string text;
        FCPoint box;
        bool wordWrap;
        Lines expected;
    };
    const Case cases[] = {
        // "abc def " is 43 wide; adding "g" makes 49.
        {"third word moves down", "abc def ghi", {43, 0}, true, {"abc def ", "ghi"}},
        {"space stays at the line end", "abc def ghi", {38, 0}, true, {"abc ", "def ", "ghi"}},
        {"overflowing last space ends the text", "abc ", {17, 0}, true, {"abc ", ""}},
        {"long word broken before the misfit", "abcdefghij", {20, 0}, true, {"abc", "def", "ghi", "j"}},
        {"height limit drops the rest", "abcdefghij", {20, 20}, true, {"abc", "def"}},
        {"height below one line still gives one", "abcdefghij", {20, 5}, true, {"abc"}},
        {"no width limit below 1", "abc def ghi", {0, 0}, true, {"abc def ghi"}},
        {"newline ends a line and is kept", "ab\ncd", {100, 0}, true, {"ab\n", "cd"}},
        {"newline at the end leaves an empty line", "ab\n", {100, 0}, true, {"ab\n", ""}},
        {"empty text is one empty line", "", {100, 0}, true, {""}},
        {"without word wrap only the first line", "ab\ncd", {100, 0}, false, {"ab\n"}},
        {"without word wrap cut at the misfit", "abcdef", {20, 0}, false, {"abc"}},
        {"glyph wider than the box takes a line each", "WWW", {10, 0}, true, {"W", "W", "W", ""}},
        {"wide glyph between words", "a W b", {10, 0}, true, {"a ", "W", " b"}},
        {"wide first glyph without word wrap", "Wa", {10, 0}, false, {""}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Wrap(c.text, c.box, c.wordWrap), c.expected);
        Lines viaCallback;
        WrapText(viaCallback, c.text, c.box, c.wordWrap, MeasureThroughCallback, font);
        EXPECT_EQ(viaCallback, c.expected);
    }
}

TEST_F(TextLayoutTest, IncrementalMeasuringMatchesMeasuringEachCandidate)
{
    std::mt19937 random(1234);
    const std::string alphabet = "abcdefW    \n!\t\xE9";
    for (int round = 0; round < 1000; ++round)
    {
        std::string text;
        const int length = static_cast<int>(random() % 120);
        for (int i = 0; i < length; ++i)
            text += alphabet[random() % alphabet.size()];
        const FCPoint box{static_cast<std::int32_t>(random() % 90), static_cast<std::int32_t>(random() % 60)};
        for (const bool wordWrap : {true, false})
        {
            Lines direct;
            Lines viaCallback;
            WrapText(direct, text, box, wordWrap, *font);
            WrapText(viaCallback, text, box, wordWrap, MeasureThroughCallback, font);
            ASSERT_EQ(direct, viaCallback) << "text '" << text << "' box " << box.x << "x" << box.y;
        }
    }
}

TEST_F(TextLayoutTest, EveryWrappedLineFitsUnlessItIsOneCharacter)
{
    const std::string prose = "The quick brown fox jumps over the lazy dog. Wwwwwwwwww Wonderful words wrap well.";
    for (std::int32_t width = 1; width < 120; width += 7)
    {
        SCOPED_TRACE(width);
        std::string joined;
        const Lines lines = Wrap(prose, {width, 0});
        for (std::size_t i = 0; i < lines.size(); ++i)
        {
            const std::string& line = lines[i];
            std::string_view shown = line;
            while (!shown.empty() && shown.back() == ' ')
                shown.remove_suffix(1);
            if (line.size() > 1)
            {
                EXPECT_LE(MeasureTextLine(shown, *font).x, width) << line;
            }
            EXPECT_TRUE(!line.empty() || i + 1 == lines.size()) << "only the last line may be empty";
            joined += line;
        }
        EXPECT_EQ(joined, prose) << "nothing lost or repeated";
    }
}

TEST_F(TextLayoutTest, MeasureWrappedTextCountsLines)
{
    EXPECT_EQ(MeasureWrappedText("abc def ghi", *font, 43), FCPoint(43, 20));
    EXPECT_EQ(MeasureWrappedText("abc def ghi", *font, 200), FCPoint(200, 10));
    EXPECT_EQ(MeasureWrappedText("WWWW", *font, 10), FCPoint(10, 50)) << "four forced lines and the empty rest";
}

TEST_F(TextLayoutTest, CaretPositionsInWrappedText)
{
    struct Case
    {
        std::int16_t index;
        FCPoint expected;
    };
    // Lines "abc def " (8 characters) and "ghi".
    const Case cases[] = {
        {0, {0, 0}},   {2, {11, 0}},  {7, {39, 0}},  {8, {0, 10}},
        {9, {5, 10}},  {11, {17, 10}}, {12, {0, 20}}, {500, {0, 20}},
        {-3, {0, 0}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(GetWrappedCharPosition("abc def ghi", *font, {43, 0}, c.index), c.expected);
    }
}
} // namespace

TEST_F(TextLayoutTest, CharIndexAtPointInvertsTheCaretPosition)
{
    // Lines "abc def " (x 0 5 11 17 21 27 33 39), "ghi\n" and "jk".
    const std::string text = "abc def ghi\njk";
    const FCPoint box(43, 0);
    for (std::int16_t index = 0; index <= static_cast<std::int16_t>(text.size()); ++index)
    {
        SCOPED_TRACE(index);
        EXPECT_EQ(GetWrappedCharIndex(text, *font, box, GetWrappedCharPosition(text, *font, box, index)), index);
    }
    struct Case
    {
        const char* name;
        FCPoint point;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"nearer the left edge of a glyph", {7, 3}, 1},
        {"nearer its right edge", {9, 3}, 2},
        {"left of a line", {-20, 12}, 8},
        {"above the text", {12, -50}, 2},
        {"right of a line that another follows", {200, 5}, 7},
        {"right of the line ending in a newline", {200, 15}, 11},
        {"below the text", {200, 500}, 14},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GetWrappedCharIndex(text, *font, box, c.point), c.expected);
    }
    EXPECT_EQ(GetWrappedCharIndex("", *font, box, {30, 30}), 0);
}
