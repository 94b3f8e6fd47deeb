// The built asset index holds every text the spells, school and animal
// pages read, and the font of the animal's detail rows sits in the type
// scale between the small and the body font.

#include "Fc/Core/FCFileSystem.h"
#include "Fc/Graphics/FCFont.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
class MagicContentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fileSystem.SetRootPath(std::string(STAVELORN_BINARY_DIR) + "/Resources");
        for (const char* folder : {"UI", "Art", "Sfx"})
            fileSystem.AddSearchDirectory(folder);
        ASSERT_TRUE(manager.LoadResourceFile("GameAssets.bin"));
    }

    QuietLog quiet;
    FCFileSystem fileSystem;
    FCResourceManager manager;
};

TEST_F(MagicContentTest, EveryTextThePagesReadExists)
{
    // Mode entries and "All"; the count entries; titles and name labels by
    // kind; the pages' help by class.
    const std::uint16_t ids[] = {2045, 2046, 10520, 2000, 2001, 2002, 10010, 10011, 10012, 10020,
                                 10021, 10022, 9000, 9500, 9501, 9502, 9503, 10000};
    for (const std::uint16_t id : ids)
    {
        const std::string* text = manager.GetString(id);
        ASSERT_NE(text, nullptr) << id;
        EXPECT_FALSE(text->empty()) << id;
    }
    // Each help line names its own task.
    for (const std::uint16_t id : {9501, 9502, 9503})
        EXPECT_NE(*manager.GetString(id), *manager.GetString(9500)) << id;
}

TEST_F(MagicContentTest, TheDetailFontLiesBetweenSmallAndBody)
{
    FCFont* detail = manager.GetFont(843);
    ASSERT_NE(detail, nullptr);
    ASSERT_NE(manager.GetFont(801), nullptr);
    ASSERT_NE(manager.GetFont(802), nullptr);
    EXPECT_GE(detail->GetHeight(), manager.GetFont(801)->GetHeight());
    EXPECT_LE(detail->GetHeight(), manager.GetFont(802)->GetHeight());
}
} // namespace
