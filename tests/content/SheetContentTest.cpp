// What the printed sheet needs of the built content: its four forms, the
// texts of the spell pages and the rule set's names and rows.

#include "Fc/Core/FCFileSystem.h"
#include "Fc/Graphics/FCImageSet.h"
#include "Fc/Graphics/FCPalette.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>

namespace
{
class SheetContentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fileSystem.SetRootPath(RESOURCES_DIR);
        fileSystem.AddSearchDirectory("Art");
        ASSERT_TRUE(manager.LoadResourceFile("GameAssets.bin"));
        const std::string database = std::string(RESOURCES_DIR) + "/Database/";
        ASSERT_TRUE(VelDatabase::ParseFile(database + "Database.bin"));
        ASSERT_TRUE(VelDatabase::ParseFile(database + "SpellDB.bin"));
    }
    void TearDown() override { VelDatabase::Clear(); }

    // Calls fn for every record of a table kept by key.
    template <class T, class Fn> static void ForEachByKey(std::uint16_t tag, Fn fn)
    {
        FCObjectMap* map = VelDatabase::GetMap(tag);
        ASSERT_NE(map, nullptr);
        FCObject* object = nullptr;
        FCObjectMap::Cursor walk = map->First();
        while (map->GetNext(object, &walk))
            fn(static_cast<const T&>(*static_cast<VelInfo*>(object)));
    }

    QuietLog quiet;
    FCFileSystem fileSystem;
    FCResourceManager manager;
};

TEST_F(SheetContentTest, FormsAreWholeGreyPages)
{
    for (const std::uint16_t id : {9500, 9501, 9502, 9503})
    {
        SCOPED_TRACE(id);
        FCImageSet* form = manager.GetImageSet(id);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->GetEncoding(), FCImageSet::kEncoding8);
        ASSERT_EQ(form->GetFrameCount(), 1);
        // The page's design space is the frame: nothing trimmed, nothing
        // keyed out.
        EXPECT_EQ(*form->GetFrame(0), (FCImageFrame{1275, 1650, 0, 0, 1275, 1650, 0, 0}));
        const FCPalette* palette = form->GetFilePalette();
        ASSERT_NE(palette, nullptr);
        for (const std::uint32_t grey : {0u, 0x80u, 0xFFu})
            EXPECT_EQ(palette->entries[grey], grey * 0x010101u);
        // Paper with ink on it.
        const std::uint8_t* pixels = form->GetFramePixels(*form->GetFrame(0));
        ASSERT_NE(pixels, nullptr);
        std::size_t ink = 0;
        std::size_t paper = 0;
        for (std::size_t i = 0; i < 1275u * 1650u; ++i)
        {
            ink += pixels[i] < 0x40;
            paper += pixels[i] == 0xFF;
        }
        EXPECT_GT(ink, 10000u);
        EXPECT_GT(paper, 1275u * 1650u / 2);
    }
}

// The front form was filled in from the rule set: each class's name beside
// its level box, each skill's name in its row, no placeholder left.
TEST_F(SheetContentTest, TheFrontFormNamesTheClassesAndTheSkillsOfItsRows)
{
    std::ifstream in(std::string(SHEET_FORMS_DIR) + "/SheetFront.svg");
    ASSERT_TRUE(in);
    const std::string svg((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(svg.find("{{"), std::string::npos);
    const auto textAt = [&](int x, int y, const std::string& name) {
        const std::string where = "x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\"";
        const std::size_t at = svg.find(where);
        if (at == std::string::npos)
            return false;
        const std::size_t open = svg.find('>', at);
        return svg.compare(open + 1, name.size() + 7, name + "</text>") == 0;
    };
    for (std::uint16_t c = 0; c < VelIds::kClassCount; ++c)
    {
        const VelClassInfo* info = VelDatabase::FindClass(c);
        ASSERT_NE(info, nullptr);
        EXPECT_TRUE(textAt(378, 247 + 21 * c + 14, info->name)) << info->name;
    }
    int named = 0;
    ForEachByKey<VelSkillInfo>(VelDatabase::kTagSkill, [&](const VelSkillInfo& skill) {
        const auto row = static_cast<std::int16_t>(skill.sheetRow);
        if (row < 0 || row > 40)
            return;
        ++named;
        EXPECT_TRUE(textAt(592, 585 + 21 * row + 14, skill.GetDisplayName())) << skill.name;
    });
    EXPECT_GT(named, 30);
}

// Skills with sub-skills are written out in free rows; every other skill
// has a row of its own on the form, the rows in alphabetical order.
TEST_F(SheetContentTest, SkillsHaveTheirSheetRows)
{
    std::map<std::int16_t, std::string> named;
    ForEachByKey<VelSkillInfo>(VelDatabase::kTagSkill, [&](const VelSkillInfo& skill) {
        const auto row = static_cast<std::int16_t>(skill.sheetRow);
        if (skill.hasSubSkills)
            EXPECT_EQ(row, -1) << skill.name;
        else
            EXPECT_TRUE(named.emplace(row, skill.name).second) << skill.name;
    });
    std::int16_t next = 0;
    std::string previous;
    for (const auto& [row, name] : named)
    {
        EXPECT_EQ(row, next++) << name;
        EXPECT_LT(previous, name) << row;
        previous = name;
    }
    EXPECT_LE(next, 41);
}

TEST_F(SheetContentTest, ProficienciesHaveTheirNames)
{
    const char* const names[] = {"Simple Weapon Proficiency", "Martial Weapon Proficiency",
                                 "Armour Proficiency (Light)", "Armour Proficiency (Medium)",
                                 "Armour Proficiency (Heavy)", "Shield Proficiency"};
    for (std::uint16_t i = 0; i < VelIds::kFeatureProficiencyNameCount; ++i)
    {
        const VelFeatureInfo* feature =
            VelDatabase::FindFeature(static_cast<std::uint16_t>(VelIds::kFeatureProficiencyNames + i));
        ASSERT_NE(feature, nullptr) << i;
        EXPECT_EQ(feature->FormatName(-1), names[i]);
    }
}

// Every number a spell's detail columns print names a text.
TEST_F(SheetContentTest, SpellDetailsNameTexts)
{
    const std::pair<std::uint16_t, std::uint16_t> ranges[] = {
        {9800, 9807}, {9850, 9874}, {9900, 9945}, {9950, 9973}};
    for (const auto& [first, last] : ranges)
    {
        for (std::uint16_t id = first; id <= last; ++id)
        {
            const std::string* text = manager.GetString(id);
            ASSERT_NE(text, nullptr) << id;
            EXPECT_FALSE(text->empty()) << id;
        }
    }
    int spells = 0;
    ForEachByKey<VelSpellInfo>(VelDatabase::kTagSpell, [&](const VelSpellInfo& spell) {
        ++spells;
        // count, unit, range, duration, saving throw; negative: none.
        const std::uint16_t bases[] = {0, 9800, 9850, 9900, 9950};
        for (std::size_t i = 1; i < spell.words.size(); ++i)
        {
            const auto word = static_cast<std::int16_t>(spell.words[i]);
            if (word < 0)
                continue;
            EXPECT_NE(manager.GetString(static_cast<std::uint16_t>(bases[i] + word)), nullptr)
                << spell.name << " word " << i;
        }
    });
    EXPECT_GT(spells, 500);
}
} // namespace
