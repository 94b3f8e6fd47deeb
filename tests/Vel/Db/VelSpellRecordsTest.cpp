#include "Vel/Db/VelDomainInfo.h"
#include "Vel/Db/VelDomainSkillInfo.h"
#include "Vel/Db/VelGodDomainFeatInfo.h"
#include "Vel/Db/VelGodDomainInfo.h"
#include "Vel/Db/VelGodInfo.h"
#include "Vel/Db/VelSchoolInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelSpellLevelInfo.h"
#include "Vel/Db/VelSpellsPerInfo.h"
#include "VelRecordCases.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace VelRecordCases;

namespace
{
const std::vector<Case> kCases = {
    {"VelGodInfo",
     [](Layout& l) { l.Text("Oren").Text("oren.bmp").I16(-3, 4).U16(7, 0).U8(1, 0).Text("Of the sea."); },
     []() -> VelInfo* {
         auto* r = new VelGodInfo;
         r->name = "Oren";
         r->iconFile = "oren.bmp";
         r->alignment = -3;
         r->excludedAlignment = 7;
         r->raceRestricted = 1;
         r->description = "Of the sea.";
         return r;
     },
     Table::kMap, {VelDatabase::kTagGod}},
    {"VelGodDomainInfo",
     [](Layout& l) { l.U16(9, 0); },
     []() -> VelInfo* { return new VelGodDomainInfo(0xFFFF, 9); },
     Table::kSet, {VelDatabase::kTagGodDomain},
     [](std::uint16_t, std::uint16_t key) -> const VelInfo* { return VelDatabase::FindGodDomain(key, 9); }},
    {"VelGodDomainFeatInfo",
     [](Layout& l) { l.U16(3, 0xFFFF).U16(40, 0xFFFF).U16(2, 0xFFFF); },
     []() -> VelInfo* {
         auto* r = new VelGodDomainFeatInfo;
         r->domainId = 3;
         r->featId = 40;
         r->featChoice = 2;
         return r;
     },
     Table::kList, {VelDatabase::kTagGodDomainFeat}},
    {"VelDomainInfo",
     // The alignment mask sits between the second and the third text.
     [](Layout& l) { l.Text("Storm").Text("storm.bmp").I16(-5, 0).Text("chosen").I16(4, -1).Text("Wind."); },
     []() -> VelInfo* {
         auto* r = new VelDomainInfo;
         r->name = "Storm";
         r->iconFile = "storm.bmp";
         r->chosenText = "chosen";
         r->alignmentMask = -5;
         r->excludedDomain = 4;
         r->description = "Wind.";
         return r;
     },
     Table::kMap, {VelDatabase::kTagDomain}},
    {"VelDomainSkillInfo",
     [](Layout& l) { l.U16(12, 0xFFFF).U16(0x0304, 0xFFFF); },
     []() -> VelInfo* {
         auto* r = new VelDomainSkillInfo(0xFFFF, 12);
         r->secondValue = 0x0304;
         return r;
     },
     Table::kSet, {VelDatabase::kTagDomainSkill},
     [](std::uint16_t, std::uint16_t key) -> const VelInfo* { return VelDatabase::FindDomainSkill(key, 12); }},
    {"VelSchoolInfo",
     [](Layout& l) { l.Text("Wards").Text("wards.bmp").I16(-2, 0).Text("Protection."); },
     []() -> VelInfo* {
         auto* r = new VelSchoolInfo;
         r->name = "Wards";
         r->iconFile = "wards.bmp";
         r->prohibitionWeight = -2;
         r->description = "Protection.";
         return r;
     },
     Table::kMap, {VelDatabase::kTagSchool}},
    {"VelSpellInfo",
     [](Layout& l) {
         l.Text("light_spell").Text("Light").U16(6, 0).U16(1, 0).U16(2, 0).U16(3, 0).U16(4, 0).U16(5, 0);
         l.Text("Makes light.").U32(25, 0).U32(0x10000, 0).U32(750, 0);
     },
     []() -> VelInfo* {
         auto* r = new VelSpellInfo;
         r->name = "light_spell";
         r->displayName = "Light";
         r->schoolId = 6;
         r->words = {1, 2, 3, 4, 5};
         r->description = "Makes light.";
         r->itemPrice = 25;
         r->itemPriceKind2 = 0x10000;
         r->itemPriceMagicKind6 = 750;
         return r;
     },
     Table::kMap, {VelDatabase::kTagSpell}},
    {"VelSpellLevelInfo",
     [](Layout& l) { l.I16(2, -1).I16(-1, -1).U16(3, 0xFFFF); },
     []() -> VelInfo* {
         auto* r = new VelSpellLevelInfo;
         r->classId = 2;
         r->level = 3;
         return r;
     },
     Table::kSet, {VelDatabase::kTagSpellLevel},
     [](std::uint16_t, std::uint16_t key) -> const VelInfo* { return VelDatabase::FindClassSpellLevel(key, 2); }},
    {"VelSpellsPerInfo",
     [](Layout& l) {
         l.I16(4, -1);
         for (std::int16_t level = 0; level < 10; ++level)
         {
             l.I16(static_cast<std::int16_t>(level < 3 ? 3 - level : -1), -1);
         }
         l.I16(2, -1);
     },
     []() -> VelInfo* {
         auto* r = new VelSpellsPerInfo(0xFFFF, 4);
         r->spells = {3, 2, 1, -1, -1, -1, -1, -1, -1, -1};
         r->bonusOnlyLevel = 2;
         return r;
     },
     Table::kSet, {VelDatabase::kTagSpellsPer, VelDatabase::kTagSpellsPer220},
     [](std::uint16_t tag, std::uint16_t key) -> const VelInfo* { return tag == VelDatabase::kTagSpellsPer ? VelDatabase::FindSpellsPer(key, 4) : VelDatabase::FindSpellsPer220(key, 4); }},
};

VelSpellLevelInfo Row(std::int16_t spell, std::int16_t classId, std::int16_t domainId, std::uint16_t level = 1)
{
    VelSpellLevelInfo row(static_cast<std::uint16_t>(spell));
    row.classId = classId;
    row.domainId = domainId;
    row.level = level;
    return row;
}
} // namespace

TEST(VelSpellRecordsTest, LayoutsDefaultsAndTables) { CheckAll(kCases); }

TEST(VelSpellRecordsTest, ResetRowsOfGodFeatsAndDomainSkillsBelongToNoOne)
{
    VelGodDomainFeatInfo feat;
    feat.key = 3;
    feat.featId = 40;
    feat.Reset();
    EXPECT_EQ(feat.key, -1);
    EXPECT_EQ(feat.featId, 0xFFFF);

    VelDomainSkillInfo skill(2, 12);
    skill.Reset();
    EXPECT_EQ(skill.key, -1);
    EXPECT_EQ(skill.skillId, 0xFFFF);
    EXPECT_EQ(skill.secondValue, 0xFFFF);
}

TEST(VelSpellRecordsTest, SpellLevelOrderPutsClassRowsFirstThenDomainRows)
{
    // Sorted by the set's order whatever the input order.
    std::vector<VelSpellLevelInfo> rows = {Row(5, -1, 7), Row(5, 2, -1), Row(6, 0, -1), Row(5, -1, 3),
                                           Row(4, -1, 1), Row(5, 0, -1)};
    std::sort(rows.begin(), rows.end(),
              [](const VelSpellLevelInfo& a, const VelSpellLevelInfo& b) { return a.IsLess(b); });
    const std::vector<std::pair<std::int16_t, std::int16_t>> expected = {
        {-1, 1}, {0, -1}, {2, -1}, {-1, 3}, {-1, 7}, {0, -1}};
    const std::vector<std::int16_t> spells = {4, 5, 5, 5, 5, 6};
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
    {
        EXPECT_EQ(rows[i].key, spells[i]) << i;
        EXPECT_EQ(rows[i].classId, expected[i].first) << i;
        EXPECT_EQ(rows[i].domainId, expected[i].second) << i;
    }

    // Equal rows are not less either way.
    EXPECT_FALSE(Row(5, 2, -1).IsLess(Row(5, 2, -1)));
    EXPECT_FALSE(Row(5, -1, 7).IsLess(Row(5, -1, 7)));
    // A row with neither id is never less than another row of its spell.
    for (const VelSpellLevelInfo& other : {Row(5, 0, -1), Row(5, -1, 0), Row(5, -1, -1)})
    {
        EXPECT_FALSE(Row(5, -1, -1).IsLess(other));
    }
}

TEST(VelSpellRecordsTest, SpellLevelTableDropsMalformedRowsAndFindsClassAndDomainRows)
{
    const QuietLog quiet;
    DbFixture db;
    db.Section(VelDatabase::kTagSpellLevel)
        .Add(5, Row(5, 2, -1, 1))
        .Add(5, Row(5, -1, 7, 2))
        .Add(5, Row(5, 0, -1, 3))
        .Add(5, Row(5, 4, 4, 8))   // both set: dropped
        .Add(5, Row(5, -1, -1, 9)) // neither: dropped
        .Add(6, Row(6, -1, 2, 4));
    ASSERT_TRUE(db.Load());

    struct Lookup
    {
        bool domain;
        std::uint16_t spell;
        std::uint16_t id;
        int level; // -1: not found
    };
    const Lookup lookups[] = {
        {false, 5, 2, 1}, {false, 5, 0, 3}, {true, 5, 7, 2}, {true, 6, 2, 4},
        {false, 5, 7, -1}, // the domain row is not a class row
        {true, 5, 2, -1},  // nor the other way round
        {false, 5, 4, -1}, {true, 5, 4, -1}, {false, 6, 2, -1},
        // "None" for the class or the domain finds no row at all.
        {false, 5, 0xFFFF, -1}, {true, 5, 0xFFFF, -1}, {true, 6, 0xFFFF, -1},
    };
    for (const Lookup& l : lookups)
    {
        const VelSpellLevelInfo* found = l.domain ? VelDatabase::FindDomainSpellLevel(l.spell, l.id)
                                                  : VelDatabase::FindClassSpellLevel(l.spell, l.id);
        SCOPED_TRACE(testing::Message() << (l.domain ? "domain " : "class ") << l.id << " spell " << l.spell);
        if (l.level < 0)
        {
            EXPECT_EQ(found, nullptr);
        }
        else
        {
            ASSERT_NE(found, nullptr);
            EXPECT_EQ(found->level, l.level);
        }
    }
    const FCObjectSet* set = VelDatabase::GetSet(VelDatabase::kTagSpellLevel);
    ASSERT_NE(set, nullptr);
    int count = 0;
    VelDatabase::ForEach<VelSpellLevelInfo>(VelDatabase::kTagSpellLevel, [&](const VelSpellLevelInfo&) { ++count; });
    EXPECT_EQ(count, 4);
}

TEST(VelSpellRecordsTest, SpellDisplayNameAndKindValue)
{
    struct Row
    {
        std::string name;
        std::string stored;
        std::string shown;
    };
    const Row rows[] = {
        {"fireball", "", "fireball"},        // no display name: the name, as stored
        {"fireball", "fire ball", "Fire ball"},
        {"fireball", "Fire", "Fire"},
        {"x", "\xe0la carte", "\xe0la carte"}, // not an ASCII letter: unchanged
    };
    for (const Row& row : rows)
    {
        VelSpellInfo spell;
        spell.name = row.name;
        spell.displayName = row.stored;
        DbMemoryFile file(StoreOf(spell));
        ObjectPtr loaded(FCClassRegistry::LoadObject("VelSpellInfo", file));
        const auto* read = dynamic_cast<const VelSpellInfo*>(loaded.get());
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->GetDisplayName(), row.shown);
        EXPECT_EQ(read->name, row.name);
    }

    VelSpellInfo spell;
    spell.itemPrice = 100;
    EXPECT_EQ(spell.GetKindValue(2), 100u) << "no kind-2 price: the item price";
    spell.itemPriceKind2 = 60;
    EXPECT_EQ(spell.GetKindValue(2), 60u);
    for (std::uint16_t kind : {0, 1, 3, 0xFFFF})
    {
        EXPECT_EQ(spell.GetKindValue(kind), 100u) << kind;
    }
}
