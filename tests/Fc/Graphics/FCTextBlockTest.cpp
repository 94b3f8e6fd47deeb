#include "Fc/Graphics/FCFont.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCTextBlock.h"
#include "support/ResourceFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
class CountingTextBlock : public FCTextBlock
{
public:
    using FCTextBlock::FCTextBlock;
    int changes = 0;

protected:
    void OnChanged() override { ++changes; }
};

// Letters: stored 5 wide at offset 1 (advance 6, the first 5), 10 high;
// the space advances 4. Glyph pixels are white on a black target.
class TextBlockTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        font = sandbox.MakeFont(UniformGlyphs(126, 8, 10));
        ASSERT_NE(font, nullptr);
        target = FCImageBuffer::Create(100, 40, FCFormat565);
        ASSERT_NE(target, nullptr);
        target->Clear(0);
        target->FillRect(0, FCRect());
    }
    void TearDown() override
    {
        if (target)
            target->Release();
    }

    bool Lit(std::int32_t x, std::int32_t y) { return target->GetPixel(x, y, FCFormat565) != 0; }
    // Columns lit in row y, as a string of '#' and '.'.
    std::string Row(std::int32_t y)
    {
        std::string row;
        for (std::int32_t x = 0; x < target->GetWidth(); ++x)
            row += Lit(x, y) ? '#' : '.';
        return row;
    }
    // First and last lit column of row y, (-1, -1) when none.
    std::pair<int, int> Span(std::int32_t y)
    {
        const std::string row = Row(y);
        const auto first = row.find('#');
        if (first == std::string::npos)
            return {-1, -1};
        return {static_cast<int>(first), static_cast<int>(row.rfind('#'))};
    }
    int LitRows()
    {
        int rows = 0;
        for (std::int32_t y = 0; y < target->GetHeight(); ++y)
            rows += Span(y).first >= 0 ? 1 : 0;
        return rows;
    }

    ResourceSandbox sandbox;
    FCFont* font = nullptr;
    FCImageBuffer* target = nullptr;
    const FCRect everything{0, 0, 100, 40};
};

TEST_F(TextBlockTest, FirstGlyphPixelsStartAtThePen)
{
    FCTextBlock block(font);
    block.SetText("ab");
    block.Draw(*target, {10, 5}, {80, 30}, everything);
    // "a" at 10..14, "b" advances 5 and draws at offset 1: 16..20.
    EXPECT_EQ(Row(5).substr(8, 15), "..#####.#####..");

    // A code without a glyph neither draws nor moves the pen.
    target->FillRect(0, FCRect());
    block.SetText(std::string("a\x01\xF0" "b"));
    block.Draw(*target, {10, 5}, {80, 30}, everything);
    EXPECT_EQ(Row(5).substr(8, 15), "..#####.#####..");
    EXPECT_FALSE(Lit(12, 4));
    EXPECT_TRUE(Lit(12, 14));
    EXPECT_FALSE(Lit(12, 15));
}

TEST_F(TextBlockTest, AlignmentFlags)
{
    struct Case
    {
        const char* name;
        std::uint32_t flags;
        std::pair<int, int> span; // of the line "ab" (11 wide) in its first row
        int firstRow;
    };
    // Box (0, 0) 100 x 40; one line 10 high.
    const Case cases[] = {
        {"default is left top", FCTextBlock::kDefaultFlags, {0, 10}, 0},
        {"right", FCTextBlock::kAlignRight, {89, 99}, 0},
        {"right wins over centre", FCTextBlock::kAlignRight | FCTextBlock::kCentreHorizontally, {89, 99}, 0},
        {"centre", FCTextBlock::kCentreHorizontally, {45, 55}, 0},
        {"bottom", FCTextBlock::kAlignBottom, {0, 10}, 30},
        {"centre vertically wins over bottom", FCTextBlock::kCentreVertically | FCTextBlock::kAlignBottom, {0, 10}, 15},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        target->Clear(0);
        target->FillRect(0, FCRect());
        FCTextBlock block(font);
        block.SetFormatFlags(c.flags);
        block.SetText("ab");
        block.Draw(*target, {0, 0}, {100, 40}, everything);
        EXPECT_EQ(Span(c.firstRow), c.span);
        if (c.firstRow > 0)
        {
            EXPECT_EQ(Span(c.firstRow - 1).first, -1);
        }
        EXPECT_EQ(block.GetLinePosition("ab", {0, 0}, {100, 40}), FCPoint(c.span.first, c.firstRow));
    }
}

TEST_F(TextBlockTest, WrappedLinesStackAndStopAtTheBoxHeight)
{
    FCTextBlock block(font);
    block.SetFormatFlags(FCTextBlock::kDefaultFlags | FCTextBlock::kWordWrap);
    block.SetText("abc def ghi jkl mno");
    block.Draw(*target, {0, 0}, {43, 20}, everything);
    EXPECT_EQ(LitRows(), 20) << "two lines of the three fit";
    EXPECT_EQ(Span(0), std::make_pair(0, 38));
    EXPECT_EQ(Span(10), std::make_pair(0, 38));

    target->Clear(0);
    target->FillRect(0, FCRect());
    block.SetFormatFlags(FCTextBlock::kWordWrap | FCTextBlock::kCentreVertically);
    block.Draw(*target, {0, 0}, {43, 40}, everything);
    EXPECT_EQ(Span(4).first, -1);
    EXPECT_EQ(Span(5).first, 0) << "three lines (30 high) centred in 40 start at 5";
    EXPECT_EQ(LitRows(), 30);
}

TEST_F(TextBlockTest, NothingDrawnForEmptyTextNoFontOrAClippedBox)
{
    FCTextBlock block(font);
    block.Draw(*target, {0, 0}, {100, 40}, everything);
    block.SetText("\n");
    block.Draw(*target, {0, 0}, {100, 40}, everything);
    FCTextBlock noFont;
    noFont.SetText("abc");
    noFont.Draw(*target, {0, 0}, {100, 40}, everything);
    block.SetText("abc");
    block.Draw(*target, {0, 0}, {100, 40}, FCRect(50, 0, 100, 40));
    EXPECT_EQ(LitRows(), 0);

    block.Draw(*target, {0, 0}, {100, 40}, FCRect(0, 0, 3, 2));
    EXPECT_EQ(Row(1).substr(0, 5), "###..");
    EXPECT_EQ(LitRows(), 2);
}

TEST_F(TextBlockTest, NumbersSignsAndVariants)
{
    struct Case
    {
        std::uint32_t flags;
        double value;
        int kind; // 0 short, 1 long, 2 double
        const char* text;
        std::uint16_t variant;
    };
    constexpr std::uint32_t kNeg = FCTextBlock::kNegativeVariant;
    constexpr std::uint32_t kPlus = FCTextBlock::kPlusSign;
    constexpr std::uint32_t kOne = FCTextBlock::kOneDecimal;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {kNeg | kPlus, -5, 0, "-5", 2},
        {kPlus, 5, 0, "+5", 0},
        {kPlus, 0, 0, "+0", 0},
        {0, -5, 0, "-5", 0},
        {kNeg, -32768, 0, "-32768", 2},
        {kNeg | kPlus, 2147483647, 1, "+2147483647", 0},
        {kNeg, -2147483648.0, 1, "-2147483648", 2},
        {kOne | kPlus, 2.25, 2, "2.2", 0},
        {kOne | kNeg, -0.5, 2, "-0.5", 2},
        {kPlus, 2.9, 2, "+2", 0},
        {kNeg | kPlus, -2.9, 2, "-2", 2},
        {kNeg | kPlus, -0.5, 2, "0", 2},
        {kPlus, 1e300, 2, "+2147483647", 0},
        {0, -1e300, 2, "-2147483648", 0},
        {kPlus, nan, 2, "+0", 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        FCTextBlock block(font);
        block.SetFormatFlags(c.flags);
        block.SetFontVariant(1);
        if (c.kind == 0)
            block.SetShort(static_cast<std::int16_t>(c.value));
        else if (c.kind == 1)
            block.SetLong(static_cast<std::int32_t>(c.value));
        else
            block.SetDouble(c.value);
        EXPECT_EQ(block.GetText(), c.text);
        EXPECT_EQ(block.GetFontVariant(), c.variant);
    }
}

TEST_F(TextBlockTest, ChangesNotifyAndTextsComeFromTheIndex)
{
    AssetIndexBytes index;
    index.U16(FCResourceManager::kTagTexts).Text(42, "Wisdom").U16(0).U16(0);
    ASSERT_TRUE(sandbox.LoadIndex(index));

    CountingTextBlock block(font);
    block.SetText("x");
    EXPECT_EQ(block.changes, 2);
    block.SetTextById(42);
    EXPECT_EQ(block.GetText(), "Wisdom");
    block.SetTextById(43);
    EXPECT_EQ(block.GetText(), "") << "an absent id gives an empty text";
    EXPECT_EQ(block.changes, 6);
    block.SetFontVariant(0);
    EXPECT_EQ(block.changes, 6) << "same variant, no change";
    block.SetFontVariant(2);
    EXPECT_EQ(block.changes, 7);
}

TEST_F(TextBlockTest, CopiesShareTheFontByReference)
{
    const std::uint16_t before = font->GetRefCount();
    {
        FCTextBlock a(font);
        a.SetText("copy me");
        a.SetFormatFlags(FCTextBlock::kAlignRight);
        FCTextBlock b(a);
        FCTextBlock c;
        c = b;
        FCTextBlock& same = c;
        c = same; // assigning a block to itself keeps its one reference
        EXPECT_EQ(font->GetRefCount(), before + 3);
        EXPECT_EQ(c.GetText(), "copy me");
        EXPECT_EQ(c.GetFormatFlags(), FCTextBlock::kAlignRight);
        EXPECT_EQ(c.GetFont(), font);
        c.SetFont(nullptr);
        EXPECT_EQ(font->GetRefCount(), before + 2);
    }
    EXPECT_EQ(font->GetRefCount(), before);
}
} // namespace
