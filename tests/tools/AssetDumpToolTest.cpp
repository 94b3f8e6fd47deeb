#include "support/ResourceFixture.h"
#include "support/ToolRunner.h"

#include <gtest/gtest.h>
#include <png.h>

namespace
{
struct Picture
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgb;

    // Pure red of the 5-6-5 glyphs, whichever way 5 bits widen to 8.
    bool HasRed() const
    {
        for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        {
            if (rgb[i] >= 248 && rgb[i + 1] == 0 && rgb[i + 2] == 0)
                return true;
        }
        return false;
    }
};

bool ReadPicture(const std::string& path, Picture& picture)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return false;
    image.format = PNG_FORMAT_RGB;
    picture.width = image.width;
    picture.height = image.height;
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr) != 0;
}

class AssetDumpToolTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Three glyph frames in red (5-6-5 0xF800), and a font over them.
        sandbox.WriteArt("Red.set", ImageSetFileBytes(SimpleGlyphs({0, 3, 4}, 8, 10), 0xF800));
        sandbox.WriteArt("hit.wav", {1, 2, 3, 4, 5, 6});
        AssetIndexBytes index;
        index.U16(FCResourceManager::kTagImageSets).ImageSet(10, "Red.set").U16(0);
        index.U16(FCResourceManager::kTagAnimations).U16(2).U16(10).U16(30).I16(2).I16(1).I16(-1).U16(10).U16(5).U16(0);
        index.U16(FCResourceManager::kTagSounds).Sound(4, "hit.wav").U16(0);
        index.U16(FCResourceManager::kTagTexts).Text(7, "Caf\xE9").U16(0);
        index.U16(FCResourceManager::kTagFonts).Font(1, 10, 10, 10, 10).U16(0).U16(0);
        sandbox.WriteArt("GameAssets.bin", index.Bytes());
    }

    ToolResult Dump(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin() + 1, sandbox.Folder().Join("Art/GameAssets.bin"));
        arguments.push_back("--root");
        arguments.push_back(sandbox.Folder().GetPath());
        return RunTool(ASSETDUMP_TOOL, arguments);
    }

    ResourceSandbox sandbox;
};

TEST_F(AssetDumpToolTest, ListsEverySection)
{
    const ToolResult result = Dump({"list"});
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(result.output, "imageset 10 Red.set\n"
                             "animation 2 imageset 10 kind 30 ms 100 extra 5 frames 2 1\n"
                             "sound 4 6 bytes\n"
                             "text 7 \"Caf\xC3\xA9\"\n"
                             "font 1 imagesets 10 10 10 10\n");
}

TEST_F(AssetDumpToolTest, ContactSheetsOfAnImageSetAndAFont)
{
    const std::string sheetPath = sandbox.Folder().Join("sheet.png");
    const ToolResult sheet = Dump({"sheet", "10", sheetPath});
    ASSERT_EQ(sheet.exitCode, 0) << sheet.output;
    Picture picture;
    ASSERT_TRUE(ReadPicture(sheetPath, picture));
    // Three cells of the widest nominal frame (8) with 2-pixel gaps.
    EXPECT_EQ(picture.width, 2u + 3u * (8u + 2u));
    EXPECT_EQ(picture.height, 2u + 10u + 2u);
    EXPECT_TRUE(picture.HasRed()) << "glyph pixels";

    const std::string fontPath = sandbox.Folder().Join("font.png");
    const ToolResult font = Dump({"font", "1", fontPath});
    ASSERT_EQ(font.exitCode, 0) << font.output;
    ASSERT_TRUE(ReadPicture(fontPath, picture));
    EXPECT_GE(picture.width, 480u);
    EXPECT_TRUE(picture.HasRed());

    const std::string again = sandbox.Folder().Join("font2.png");
    ASSERT_EQ(Dump({"font", "1", again}).exitCode, 0);
    EXPECT_EQ(sandbox.Folder().ReadFile("font.png"), sandbox.Folder().ReadFile("font2.png"));
}

TEST_F(AssetDumpToolTest, RefusesUnknownIdsAndDamagedIndexes)
{
    EXPECT_EQ(Dump({"sheet", "11", sandbox.Folder().Join("x.png")}).exitCode, 1);
    EXPECT_EQ(Dump({"font", "9", sandbox.Folder().Join("x.png")}).exitCode, 1);
    EXPECT_EQ(Dump({"sheet", "0", sandbox.Folder().Join("x.png")}).exitCode, 2);
    EXPECT_EQ(Dump({"bogus"}).exitCode, 2);

    // A newer section is skipped; a section cut short is damage.
    sandbox.WriteArt("GameAssets.bin",
                     AssetIndexBytes().U16(530).Text(1, "kept").U16(0).U16(999).U16(530).Text(2, "later").U16(0).Bytes());
    const ToolResult newer = Dump({"list"});
    EXPECT_EQ(newer.exitCode, 0);
    EXPECT_NE(newer.output.find("text 2 \"later\""), std::string::npos) << newer.output;
    EXPECT_NE(newer.output.find("Unknown asset index section 999 skipped"), std::string::npos) << newer.output;

    sandbox.WriteArt("GameAssets.bin", AssetIndexBytes().U16(530).Text(1, "kept").U16(0).U16(530).Raw({2}).Bytes());
    const ToolResult damaged = Dump({"list"});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_NE(damaged.output.find("text 1 \"kept\""), std::string::npos) << damaged.output;
}
} // namespace
