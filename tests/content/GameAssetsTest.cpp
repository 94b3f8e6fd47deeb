// The built Resources/ tree, read the way the program reads it: the asset
// index through the file system and the resource manager, with the search
// folders the program adds at start-up.

#include "Fc/Core/FCFileSystem.h"
#include "Fc/Graphics/FCFont.h"
#include "Fc/Graphics/FCImageSet.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Fc/Graphics/FCTextLayout.h"
#include "Fc/Devices/FCSoundSample.h"
#include "Vel/Db/VelAlignmentInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelRaceInfo.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace
{
class GameAssetsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fileSystem.SetRootPath(RESOURCES_DIR);
        for (const char* folder : {"UI", "Art", "Sfx", "Audio"})
            fileSystem.AddSearchDirectory(folder);
        ASSERT_TRUE(manager.LoadResourceFile("GameAssets.bin"));
    }

    QuietLog quiet;
    FCFileSystem fileSystem;
    FCResourceManager manager;
};

TEST_F(GameAssetsTest, TextsTheStartMenuAndItsDialogsUse)
{
    struct Case
    {
        std::uint16_t id;
        const char* text; // null: any text that is not empty
    };
    const Case cases[] = {
        // The load dialog lists the folder the save side writes to.
        {402, nullptr}, {403, ".\\Resources\\Characters\\"}, {404, ".cg3"},
        {410, "OK"}, {411, "Yes"}, {412, "No"}, {413, "Cancel"},
        {420, nullptr}, {421, nullptr}, {422, nullptr}, {423, nullptr}, {424, nullptr}, {425, nullptr},
        {426, nullptr}, {430, nullptr}, {431, nullptr}, {432, nullptr}, {440, nullptr},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.id);
        const std::string* text = manager.GetString(c.id);
        ASSERT_NE(text, nullptr);
        if (c.text)
            EXPECT_EQ(*text, c.text);
        else
            EXPECT_FALSE(text->empty());
    }
}

TEST_F(GameAssetsTest, SoundsAreWaveFiles)
{
    for (const std::uint16_t id : {1000, 1010, 1011, 1012, 1013})
    {
        SCOPED_TRACE(id);
        const FCSoundSample* sound = manager.GetSound(id);
        ASSERT_NE(sound, nullptr);
        ASSERT_GT(sound->GetSize(), 44u);
        EXPECT_EQ(std::memcmp(sound->GetData(), "RIFF", 4), 0);
        EXPECT_EQ(std::memcmp(sound->GetData() + 8, "WAVE", 4), 0);
    }
}

// Frame counts and sizes are what content/ui/STYLE.md promises the layouts.
TEST_F(GameAssetsTest, SkinImageSetsHaveTheirFramesAndSizes)
{
    struct Case
    {
        std::uint16_t id;
        std::int16_t frames;
        std::uint32_t width;
        std::uint32_t height;
    };
    const Case cases[] = {
        {101, 2, 64, 64},   {105, 1, 24, 24},   {200, 1, 800, 600}, {201, 1, 432, 200}, {202, 1, 480, 440},
        {210, 4, 256, 40},  {211, 4, 112, 32},  {212, 4, 24, 24},   {220, 8, 16, 16},   {221, 1, 16, 236},
        {222, 4, 16, 32},   {230, 1, 448, 272}, {231, 3, 352, 32},  {232, 6, 16, 16},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.id);
        FCImageSet* set = manager.GetImageSet(c.id);
        ASSERT_NE(set, nullptr);
        ASSERT_EQ(set->GetFrameCount(), c.frames);
        // The icon's second frame is its small size; every other set's
        // frames are the states of one control, all the same size.
        const std::int16_t sameSize = c.id == 101 ? 1 : c.frames;
        for (std::int16_t frame = 0; frame < sameSize; ++frame)
        {
            EXPECT_EQ(set->GetFrame(frame)->fullWidth, c.width);
            EXPECT_EQ(set->GetFrame(frame)->fullHeight, c.height);
        }
    }
    EXPECT_EQ(manager.GetImageSet(101)->GetFrame(1)->fullWidth, 32u);
}

TEST_F(GameAssetsTest, FontsFollowTheTypeScale)
{
    // Small, body, button, heading, title: each step is taller than the last.
    std::uint16_t previous = 0;
    for (const std::uint16_t id : {801, 802, 804, 807, 808})
    {
        SCOPED_TRACE(id);
        FCFont* font = manager.GetFont(id);
        ASSERT_NE(font, nullptr);
        EXPECT_GT(font->GetHeight(), previous);
        previous = font->GetHeight();
    }
    // The colour variants of a face share its metrics.
    for (const auto& [base, variant] : {std::pair{802, 803}, {804, 805}, {804, 806}, {801, 809}})
    {
        SCOPED_TRACE(variant);
        ASSERT_NE(manager.GetFont(static_cast<std::uint16_t>(variant)), nullptr);
        EXPECT_EQ(manager.GetFont(static_cast<std::uint16_t>(variant))->GetHeight(),
                  manager.GetFont(static_cast<std::uint16_t>(base))->GetHeight());
    }
}

// The set-up window shows a race's or an alignment's help text while the
// pointer is over it, in its help line (font 801, 384 x 48).
TEST_F(GameAssetsTest, EveryRaceAndAlignmentHasAHelpTextThatFitsTheHelpLine)
{
    ASSERT_TRUE(VelDatabase::ParseFile(std::string(RESOURCES_DIR) + "/Database/Database.bin"));
    FCFont* font = manager.GetFont(801);
    ASSERT_NE(font, nullptr);
    struct Entry
    {
        std::string name;
        std::uint16_t helpId;
        std::uint16_t expectedId;
    };
    std::vector<Entry> entries;
    for (const std::uint16_t tag : {VelDatabase::kTagRace, VelDatabase::kTagAlignment})
    {
        FCObjectMap* map = VelDatabase::GetMap(tag);
        ASSERT_NE(map, nullptr) << tag;
        FCObjectMap::Cursor walk = map->First();
        std::int16_t key = 0;
        FCObject* object = nullptr;
        while (map->GetNext(key, object, &walk))
        {
            if (const auto* race = dynamic_cast<const VelRaceInfo*>(object))
                entries.push_back({race->name, race->helpTextId, static_cast<std::uint16_t>(3000 + key)});
            else if (const auto* alignment = dynamic_cast<const VelAlignmentInfo*>(object))
                entries.push_back({alignment->name, alignment->helpTextId,
                                   static_cast<std::uint16_t>(3100 + alignment->sortOrder)});
        }
    }
    EXPECT_EQ(entries.size(), 7u + 9u) << "seven races, nine alignments";
    for (const Entry& entry : entries)
    {
        SCOPED_TRACE(entry.name);
        EXPECT_EQ(entry.helpId, entry.expectedId);
        const std::string* text = manager.GetString(entry.helpId);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->rfind(entry.name + ":", 0), 0u) << *text;
        EXPECT_LE(MeasureWrappedText(*text, *font, 384).y, 48) << *text;
    }
    EXPECT_LE(MeasureWrappedText(*manager.GetString(1500), *font, 384).y, 48) << "the set-up's own";
    VelDatabase::Clear();
}

TEST(MenuMusicTest, IsAnMp3WhereTheClientLooksForIt)
{
    std::ifstream in(std::string(RESOURCES_DIR) + "/Music/Menu.mp3", std::ios::binary);
    ASSERT_TRUE(in);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 100000u) << "about a minute of music";
    const bool id3 = std::memcmp(bytes.data(), "ID3", 3) == 0;
    const bool frameSync = bytes[0] == 0xFF && (bytes[1] & 0xE0) == 0xE0;
    EXPECT_TRUE(id3 || frameSync);
}
} // namespace
