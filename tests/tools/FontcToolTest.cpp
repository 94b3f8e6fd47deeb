#include "Fc/Graphics/FCFont.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCImageSet.h"
#include "Fc/Graphics/FCTextBlock.h"
#include "Fc/Graphics/FCTextLayout.h"
#include "support/ResourceFixture.h"
#include "support/ToolRunner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
const char* const kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class FontcToolTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const ToolResult result = RunTool(FONTC_TOOL, {kFont, "14", sandbox.Folder().Join("Art/Body")});
        ASSERT_EQ(result.exitCode, 0) << result.output;
        AssetIndexBytes index;
        index.U16(FCResourceManager::kTagImageSets);
        for (std::uint16_t v = 0; v < 4; ++v)
            index.ImageSet(static_cast<std::uint16_t>(10 + v), "Body" + std::to_string(v) + ".set");
        index.U16(0).U16(FCResourceManager::kTagFonts).Font(1, 10, 11, 12, 13).U16(0).U16(0);
        ASSERT_TRUE(sandbox.LoadIndex(index));
        font = sandbox.Manager().GetFont(1);
        ASSERT_NE(font, nullptr);
    }

    ResourceSandbox sandbox;
    FCFont* font = nullptr;
};

TEST_F(FontcToolTest, RenderedFontLoadsAndMeasures)
{
    FCImageSet* set = font->GetVariantSet();
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->GetFrameCount(), 224) << "codes 32 to 255";
    const std::uint16_t height = font->GetHeight();
    EXPECT_GE(height, 14);
    EXPECT_LE(height, 20);
    EXPECT_GE(font->GetSpaceWidth(), 3);
    EXPECT_LE(font->GetSpaceWidth(), 6);

    const std::int32_t i = font->GetCharSize('i', false).x;
    const std::int32_t w = font->GetCharSize('W', false).x;
    EXPECT_GT(i, 0);
    EXPECT_GT(w, 2 * i);
    EXPECT_LE(font->GetCharSize('W', true).x, w) << "tight leaves out the bearing";
    EXPECT_GT(font->GetCharSize(static_cast<char>(0xE9), false).x, 0) << "e acute, beyond 127";
    EXPECT_GT(font->GetCharSize(static_cast<char>(0x80), false).x, 0) << "the euro sign of code 0x80";
    EXPECT_EQ(font->GetCharSize(static_cast<char>(0x81), false).x, 0) << "undefined in the code page";

    // A line measures as its first glyph tight and the rest by advance.
    const FCPoint line = MeasureTextLine("Wi Wi", *font);
    EXPECT_EQ(line.x, font->GetCharSize('W', true).x + i + font->GetSpaceWidth() + w + i);
    EXPECT_EQ(line.y, height);

    const FCPoint wrapped = MeasureWrappedText("Wide words wrap within a narrow box of text", *font, 80);
    EXPECT_GE(wrapped.y, 3 * height);
}

TEST_F(FontcToolTest, VariantsCarryTheirColoursAndTheKeyStaysTransparent)
{
    FCImageBuffer* target = FCImageBuffer::Create(60, 30, FCFormat565);
    ASSERT_NE(target, nullptr);
    FCTextBlock block(font);
    block.SetText("H");
    for (std::uint16_t variant : {0, 2})
    {
        target->FillRect(0x0001, FCRect());
        block.SetFontVariant(variant);
        block.Draw(*target, {5, 5}, {50, 20}, target->GetBounds());
        int ink = 0;
        int other = 0;
        for (std::int32_t y = 0; y < 30; ++y)
        {
            for (std::int32_t x = 0; x < 60; ++x)
            {
                const std::uint32_t pixel = target->GetPixel(x, y, FCFormat565);
                if (pixel == (variant == 0 ? 0xFFFFu : 0xE206u))
                    ++ink;
                else if (pixel != 0x0001)
                    ++other;
            }
        }
        EXPECT_GT(ink, 20) << "variant " << variant;
        EXPECT_EQ(other, 0) << "no key colour or stray pixels, variant " << variant;
    }
    target->Release();
}

TEST_F(FontcToolTest, TheBackquoteMarkOfAnEmptyValueDrawsAsAnEnDash)
{
    const auto pixelsOf = [this](const std::string& text)
    {
        std::vector<std::uint32_t> pixels;
        FCImageBuffer* target = FCImageBuffer::Create(40, 30, FCFormat565);
        if (!target)
            return pixels;
        target->FillRect(0x0001, FCRect());
        FCTextBlock block(font);
        block.SetText(text);
        block.Draw(*target, {5, 5}, {30, 20}, target->GetBounds());
        for (std::int32_t y = 0; y < 30; ++y)
            for (std::int32_t x = 0; x < 40; ++x)
                pixels.push_back(target->GetPixel(x, y, FCFormat565));
        target->Release();
        return pixels;
    };
    const std::vector<std::uint32_t> mark = pixelsOf("`");
    ASSERT_FALSE(mark.empty());
    EXPECT_EQ(mark, pixelsOf("\x96")) << "the en dash of code 0x96";
    EXPECT_NE(mark, pixelsOf("'"));
}

TEST_F(FontcToolTest, OutputIsByteIdenticalAndBadArgumentsAreRefused)
{
    const ToolResult again = RunTool(FONTC_TOOL, {kFont, "14", sandbox.Folder().Join("Art/Again")});
    ASSERT_EQ(again.exitCode, 0) << again.output;
    for (int v = 0; v < 4; ++v)
    {
        const std::string n = std::to_string(v);
        EXPECT_EQ(sandbox.Folder().ReadFile("Art/Body" + n + ".set"), sandbox.Folder().ReadFile("Art/Again" + n + ".set"));
    }
    EXPECT_EQ(RunTool(FONTC_TOOL, {kFont, "0", sandbox.Folder().Join("x")}).exitCode, 2);
    EXPECT_EQ(RunTool(FONTC_TOOL, {kFont, "14", sandbox.Folder().Join("x"), "--colour", "5=FFFFFF"}).exitCode, 2);
    EXPECT_EQ(RunTool(FONTC_TOOL, {kFont, "14", sandbox.Folder().Join("x"), "--colour", "1=FF00FF"}).exitCode, 2);
    EXPECT_EQ(RunTool(FONTC_TOOL, {sandbox.Folder().Join("none.ttf"), "14", sandbox.Folder().Join("x")}).exitCode, 1);
}
} // namespace
