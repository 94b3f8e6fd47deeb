#include "Fc/Graphics/FCFont.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCImageSet.h"
#include "Fc/Graphics/FCTextLayout.h"
#include "support/QuietLog.h"
#include "support/ResourceFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
TEST(FCFontTest, SpaceAndHeightComeFromTheFirstLoadedFrameZero)
{
    ResourceSandbox sandbox;
    FCFont* font = sandbox.MakeFont(UniformGlyphs(126, 9, 12));
    ASSERT_NE(font, nullptr);
    EXPECT_FALSE(font->IsVariantLoaded(0)) << "nothing is loaded before first use";
    EXPECT_EQ(font->GetSpaceWidth(), 4);
    EXPECT_EQ(font->GetHeight(), 12);
    EXPECT_TRUE(font->IsVariantLoaded(0));
    EXPECT_EQ(font->GetGlyphSize(0, true), FCPoint(4, 12));
    EXPECT_EQ(font->GetGlyphSize(0, false), FCPoint(4, 12));

    sandbox.Manager().Purge();
    EXPECT_FALSE(font->IsVariantLoaded(0)) << "purge releases the variant sets";
    EXPECT_EQ(font->GetHeight(), 12);
}

TEST(FCFontTest, GlyphSizesAndCodesWithoutGlyphs)
{
    ResourceSandbox sandbox;
    std::vector<GlyphFrame> frames = UniformGlyphs(255, 8, 10);
    frames[1] = {9, 10, 1, 0, 5, 10};  // '!'
    frames[2] = {9, 11, 2, 1, 6, 10};  // '"'
    FCFont* font = sandbox.MakeFont(frames);
    ASSERT_NE(font, nullptr);

    struct Case
    {
        char c;
        bool tight;
        FCPoint size;
    };
    const Case cases[] = {
        {'!', true, {5, 10}},
        {'!', false, {6, 10}},
        {'"', true, {6, 10}},
        {'"', false, {8, 11}},
        {'\t', false, {0, 0}},
        {'\n', true, {0, 0}},
        {'\0', false, {0, 0}},
        {static_cast<char>(0xE9), false, {6, 10}}, // unsigned: glyph 201, not a negative frame
        {static_cast<char>(0xFF), true, {5, 10}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(c.c)));
        EXPECT_EQ(font->GetCharSize(c.c, c.tight), c.size);
    }
    EXPECT_EQ(font->GetGlyphSize(224, false), FCPoint(0, 0)) << "beyond the last frame";
    EXPECT_EQ(font->GetGlyphSize(-1, false), FCPoint(0, 0));

    EXPECT_EQ(MeasureTextLine("!\"", *font), FCPoint(13, 10));
    EXPECT_EQ(MeasureTextLine("\n", *font), FCPoint(0, 10));
    EXPECT_EQ(MeasureTextLine("", *font), FCPoint(0, 10));
    EXPECT_EQ(MeasureTextLine("!\t!", *font), FCPoint(11, 10)) << "a control code measures nothing";
}

TEST(FCFontTest, ShortFontHasNoGlyphsForHighCodes)
{
    ResourceSandbox sandbox;
    FCFont* font = sandbox.MakeFont(UniformGlyphs(126, 8, 10));
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->GetCharSize(static_cast<char>(0xE9), false), FCPoint(0, 0));
    EXPECT_EQ(MeasureTextLine("a\xE9" "b", *font), FCPoint(11, 10));
}

TEST(FCFontTest, MissingVariantOrEmptySetGivesZeroMetricsLoggedOnce)
{
    ResourceSandbox sandbox;
    sandbox.WriteArt("Empty.set", ImageSetFileBytes({}));
    AssetIndexBytes index;
    index.U16(FCResourceManager::kTagImageSets).ImageSet(20, "Empty.set").U16(0);
    index.U16(FCResourceManager::kTagFonts).Font(3, 20, 0, 0, 0).U16(0).U16(0);
    ASSERT_TRUE(sandbox.LoadIndex(index));
    FCFont* font = sandbox.Manager().GetFont(3);
    ASSERT_NE(font, nullptr);

    CapturedLog log;
    struct Case
    {
        std::uint16_t variant;
        const char* message;
    };
    const Case cases[] = {
        {0, "Font variant 0 (image set 20): image set has no frames"},
        {1, "Font variant 1 (image set 0): image set not available"},
        {7, "Font variant 7 (image set 0): no such variant"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.variant);
        font->SetVariant(c.variant);
        for (int i = 0; i < 3; ++i)
        {
            EXPECT_EQ(font->GetHeight(), 0);
            EXPECT_EQ(font->GetSpaceWidth(), 0);
            EXPECT_EQ(font->GetCharSize('a', false), FCPoint(0, 0));
            EXPECT_EQ(MeasureTextLine("abc", *font), FCPoint(0, 0));
        }
        EXPECT_EQ(log.Count(c.message), 1);
    }
}

TEST(FCFontTest, WithoutResourceManagerNothingLoads)
{
    FCFont font({1, 2, 3, 4});
    EXPECT_EQ(font.GetVariantSet(), nullptr);
    EXPECT_EQ(font.GetHeight(), 0);
}
} // namespace

namespace
{
// A line drawn in one go must match the character-by-character drawing it
// replaces: same pixels and the same pen afterwards, including a first
// glyph with an offset, spaces, newlines, codes without a glyph and a clip.
TEST(FCFontTest, DrawTextMatchesDrawingCharacterByCharacter)
{
    ResourceSandbox sandbox;
    std::vector<GlyphFrame> frames = UniformGlyphs(100, 6, 8);
    frames['!' - 32] = {9, 8, 3, 1, 4, 6};
    frames['"' - 32] = {3, 8, 0, 2, 3, 3};
    FCFont* font = sandbox.MakeFont(frames);
    ASSERT_NE(font, nullptr);

    const std::string texts[] = {"",     "!",   "!\"!",        " A!",
                                 "A\nB", "\n!", "a\x01z\xE9!", "!!!!!!!!!!!!!!!!!!!"};
    const FCRect clips[] = {FCRect(0, 0, 60, 12), FCRect(7, 2, 30, 6)};
    for (const std::string& text : texts)
        for (const FCRect& clip : clips)
            for (const FCPoint start : {FCPoint(2, 1), FCPoint(-3, -2)})
            {
                SCOPED_TRACE(testing::Message() << '"' << text << "\" from " << start.x << ","
                                                << start.y << " clip left " << clip.left);
                FCImageBuffer* whole = FCImageBuffer::Create(60, 12, FCFormat565);
                FCImageBuffer* single = FCImageBuffer::Create(60, 12, FCFormat565);
                ASSERT_TRUE(whole && single);
                whole->FillRect(0x0841, FCRect());
                single->FillRect(0x0841, FCRect());

                const FCPoint end = font->DrawText(text, *whole, start, clip);
                FCPoint pen = start;
                bool first = true;
                for (const char c : text)
                {
                    if (c == '\n')
                        continue;
                    font->DrawChar(c, *single, pen, clip, first);
                    pen.x += font->GetCharSize(c, first).x;
                    first = false;
                }
                EXPECT_EQ(end, pen);
                for (std::int32_t y = 0; y < 12; ++y)
                    for (std::int32_t x = 0; x < 60; ++x)
                        ASSERT_EQ(whole->GetPixel(x, y, FCFormat565),
                                  single->GetPixel(x, y, FCFormat565))
                            << "at " << x << ", " << y;
                whole->Release();
                single->Release();
            }
}

TEST(FCFontTest, DrawTextWithoutASetDrawsNothingAndKeepsThePen)
{
    QuietLog quiet;
    FCFont font({99, 99, 99, 99});
    FCImageBuffer* target = FCImageBuffer::Create(8, 8, FCFormat565);
    ASSERT_NE(target, nullptr);
    target->FillRect(0x0841, FCRect());
    EXPECT_EQ(font.DrawText("abc", *target, FCPoint(1, 1), target->GetBounds()), FCPoint(1, 1));
    for (std::int32_t y = 0; y < 8; ++y)
        for (std::int32_t x = 0; x < 8; ++x)
            EXPECT_EQ(target->GetPixel(x, y, FCFormat565), 0x0841u);
    target->Release();
}
} // namespace
