#include "support/DbFixture.h"
#include "support/DbMemoryFile.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCClassRegistry.h"
#include "Vel/Db/VelAgeInfo.h"
#include "Vel/Db/VelAlignmentInfo.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelArmorInfo.h"
#include "Vel/Db/VelCarryInfo.h"
#include "Vel/Db/VelClassFeatureInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelClassLevelInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelDatabaseWriter.h"
#include "Vel/Db/VelDomainInfo.h"
#include "Vel/Db/VelEnemyInfo.h"
#include "Vel/Db/VelFeatInfo.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Db/VelGodInfo.h"
#include "Vel/Db/VelGodRaceInfo.h"
#include "Vel/Db/VelGoodsInfo.h"
#include "Vel/Db/VelHeightWeightInfo.h"
#include "Vel/Db/VelItemInfo.h"
#include "Vel/Db/VelLanguageInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelRaceSkillInfo.h"
#include "Vel/Db/VelSchoolInfo.h"
#include "Vel/Db/VelSizeInfo.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Db/VelSpecialCostInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelSpellsPerInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
VelLanguageInfo Language(const char* name)
{
    VelLanguageInfo language;
    language.name = name;
    return language;
}

VelGodRaceInfo GodRace(std::uint16_t raceId)
{
    VelGodRaceInfo row;
    row.raceId = raceId;
    return row;
}

} // namespace

TEST(VelDatabaseTest, FileWithOnlyEndMarkMakesNoTables)
{
    DbFixture db;
    EXPECT_TRUE(DbFixture::LoadBytes({0x00, 0x00}));
    EXPECT_EQ(VelDatabase::GetMap(VelDatabase::kTagLanguage), nullptr);
    EXPECT_EQ(VelDatabase::FindLanguage(0), nullptr);
}

TEST(VelDatabaseTest, MapKeepsTheLaterRecordOfAKeyAndSetsKeys)
{
    DbFixture db;
    db.Section(VelDatabase::kTagLanguage).Add(4, Language("Old")).Add(4, Language("New")).Add(9, Language("Other"));
    ASSERT_TRUE(db.Load());
    const VelLanguageInfo* found = VelDatabase::FindLanguage(4);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->name, "New");
    EXPECT_EQ(found->key, 4);
    // The table holds the only reference.
    EXPECT_EQ(found->GetRefCount(), 1);
    EXPECT_EQ(VelDatabase::GetMap(VelDatabase::kTagLanguage)->GetCount(), 2u);
    EXPECT_EQ(VelDatabase::FindLanguage(5), nullptr);
    EXPECT_EQ(VelDatabase::FindLanguage(0xFFFF), nullptr);
}

TEST(VelDatabaseTest, SetWalkIsInPairOrderWithSignedSecondKeys)
{
    DbFixture db;
    db.Section(VelDatabase::kTagGodRace).Add(5, GodRace(0)).Add(5, GodRace(0xFFFF)).Add(4, GodRace(9));
    ASSERT_TRUE(db.Load());
    std::vector<std::pair<int, int>> order;
    VelDatabase::ForEach<VelGodRaceInfo>(VelDatabase::kTagGodRace, [&](const VelGodRaceInfo& row) {
        order.emplace_back(row.key, static_cast<std::int16_t>(row.raceId));
    });
    const std::vector<std::pair<int, int>> expected = {{4, 9}, {5, -1}, {5, 0}};
    EXPECT_EQ(order, expected);
    ASSERT_NE(VelDatabase::FindGodRace(5, 0xFFFF), nullptr);
    EXPECT_EQ(VelDatabase::FindGodRace(5, 0xFFFF)->GetRefCount(), 1);
    EXPECT_EQ(VelDatabase::FindGodRace(9, 4), nullptr);
    EXPECT_EQ(VelDatabase::FindGodRace(5, 1), nullptr);
}

TEST(VelDatabaseTest, ListKeepsDuplicatesInFileOrder)
{
    DbFixture db;
    VelClassFeatureInfo a;
    a.featureId = 10;
    VelClassFeatureInfo b;
    b.featureId = 11;
    db.Section(VelDatabase::kTagClassFeature).Add(3, a).Add(1, b).Add(3, a).Add(3, b);
    ASSERT_TRUE(db.Load());
    std::vector<std::string> rows;
    VelDatabase::ForEach<VelClassFeatureInfo>(VelDatabase::kTagClassFeature, [&](const VelClassFeatureInfo& row) {
        rows.push_back(std::to_string(row.key) + ":" + std::to_string(row.featureId));
    });
    const std::vector<std::string> expected = {"3:10", "1:11", "3:10", "3:11"};
    EXPECT_EQ(rows, expected);
}

TEST(VelDatabaseTest, AnyNegativeKeyEndsASection)
{
    for (const std::uint16_t endMark : {0xFFFFu, 0xFFFEu, 0x8000u})
    {
        SCOPED_TRACE(endMark);
        DbFixture db;
        VelSkillInfo skill;
        skill.name = "After";
        db.RawU16(VelDatabase::kTagLanguage).RawU16(2).RawRecord(Language("Two")).RawU16(endMark);
        db.Section(VelDatabase::kTagSkill).Add(6, skill);
        ASSERT_TRUE(db.Load());
        ASSERT_NE(VelDatabase::FindLanguage(2), nullptr);
        EXPECT_EQ(VelDatabase::FindLanguage(2)->name, "Two");
        ASSERT_NE(VelDatabase::FindSkill(6), nullptr);
        EXPECT_EQ(VelDatabase::FindSkill(6)->name, "After");
    }
}

TEST(VelDatabaseTest, DamagedFilesStopCleanlyAndKeepWhatWasRead)
{
    QuietLog quiet;
    struct Case
    {
        const char* name;
        void (*build)(DbFixture&);
        bool complete;
        bool laterSectionRead;
    };
    // Each file: language 1 first, then the damage, then a skill section
    // (read only when the reader can go on).
    const Case cases[] = {
        {"unknown tag below the range",
         [](DbFixture& db) { db.RawU16(99); }, false, false},
        {"unknown tag inside the range",
         [](DbFixture& db) { db.RawU16(101); }, false, false},
        {"unknown tag above the range",
         [](DbFixture& db) { db.RawU16(321); }, false, false},
        {"unknown record class",
         [](DbFixture& db) { db.RawU16(VelDatabase::kTagGodRace).RawU16(3).RawString("VelNoSuchInfo"); }, false, false},
        {"class that is not a record",
         [](DbFixture& db) { db.RawU16(VelDatabase::kTagGodRace).RawU16(3).RawString("FCObject"); }, false, false},
        {"class name with an impossible length",
         [](DbFixture& db) { db.RawU16(VelDatabase::kTagGodRace).RawU16(3).RawU16(0xFFFF).RawBytes({'V', 'e', 'l'}); },
         false, false},
        {"record of another table is dropped",
         [](DbFixture& db) {
             VelSkillInfo skill;
             db.RawU16(VelDatabase::kTagGodRace).RawU16(3).RawRecord(skill).RawU16(0xFFFF);
         },
         true, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        DbFixture db;
        db.Section(VelDatabase::kTagLanguage).Add(1, Language("One")).EndSection();
        c.build(db);
        db.Section(VelDatabase::kTagSkill).Add(2, VelSkillInfo());
        EXPECT_EQ(db.Load(), c.complete);
        ASSERT_NE(VelDatabase::FindLanguage(1), nullptr);
        EXPECT_EQ(VelDatabase::FindLanguage(1)->name, "One");
        EXPECT_EQ(VelDatabase::FindGodRace(3, 0), nullptr);
        EXPECT_EQ(VelDatabase::FindSkill(2) != nullptr, c.laterSectionRead);
    }
}

TEST(VelDatabaseTest, EveryTruncationKeepsAPrefixOfTheRecords)
{
    QuietLog quiet;
    std::vector<std::uint8_t> full;
    {
        DbFixture db;
        db.Section(VelDatabase::kTagLanguage).Add(1, Language("One")).Add(2, Language("Two"));
        db.Section(VelDatabase::kTagSkill).Add(6, VelSkillInfo());
        full = db.Finish();
    }
    for (std::size_t length = 0; length <= full.size(); ++length)
    {
        SCOPED_TRACE(length);
        DbFixture db;
        DbMemoryFile file(std::vector<std::uint8_t>(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length)));
        const bool complete = VelDatabase::ParseStream(file);
        const bool one = VelDatabase::FindLanguage(1) != nullptr;
        const bool two = VelDatabase::FindLanguage(2) != nullptr;
        const bool skill = VelDatabase::FindSkill(6) != nullptr;
        EXPECT_TRUE(!two || one);
        EXPECT_TRUE(!skill || two);
        // Only the whole file, end mark included, is complete; a record is
        // stored as soon as it has been read.
        EXPECT_EQ(complete, length == full.size());
        EXPECT_EQ(skill, length >= full.size() - 4);
        // The reader never reads past the data nor keeps trying.
        EXPECT_LE(file.Tell(), length);
    }
}

TEST(VelDatabaseTest, ATableReadAgainIsReplacedAndAnotherFileStillLoads)
{
    QuietLog quiet;
    DbFixture db;
    db.Section(VelDatabase::kTagLanguage).Add(1, Language("First")).Add(2, Language("Only in first"));
    db.Section(VelDatabase::kTagLanguage).Add(1, Language("Second")).EndSection();
    db.RawU16(VelDatabase::kTagSkill).RawU16(3).RawString("VelNoSuchInfo");
    EXPECT_FALSE(db.Load());
    ASSERT_NE(VelDatabase::FindLanguage(1), nullptr);
    EXPECT_EQ(VelDatabase::FindLanguage(1)->name, "Second");
    EXPECT_EQ(VelDatabase::FindLanguage(2), nullptr);
    EXPECT_EQ(VelDatabase::GetMap(VelDatabase::kTagSkill)->GetCount(), 0u);

    // The next file is read as usual.
    VelSkillInfo skill;
    skill.name = "Swim";
    db.Section(VelDatabase::kTagSkill).Add(3, skill);
    EXPECT_TRUE(db.Load());
    ASSERT_NE(VelDatabase::FindSkill(3), nullptr);
    EXPECT_EQ(VelDatabase::FindSkill(3)->name, "Swim");
    EXPECT_EQ(VelDatabase::FindLanguage(1)->name, "Second");
}

TEST(VelDatabaseTest, MissingFileIsSkippedAndOthersLoadFromDisc)
{
    DbFixture db;
    EXPECT_FALSE(VelDatabase::ParseFile("/nonexistent/folder/Database.bin"));
    db.Section(VelDatabase::kTagLanguage).Add(5, Language("Disc"));
    EXPECT_TRUE(db.LoadFromDisc());
    ASSERT_NE(VelDatabase::FindLanguage(5), nullptr);
    EXPECT_EQ(VelDatabase::FindLanguage(5)->name, "Disc");
    // Tables no file supplied stay absent; their lookups find nothing.
    EXPECT_EQ(VelDatabase::GetMap(VelDatabase::kTagSkill), nullptr);
    EXPECT_EQ(VelDatabase::FindSkill(0), nullptr);
    EXPECT_EQ(VelDatabase::FindGodRace(0, 0), nullptr);
}

TEST(VelDatabaseTest, ClearEmptiesEveryTable)
{
    DbFixture db;
    db.Section(VelDatabase::kTagLanguage).Add(1, Language("One"));
    db.Section(VelDatabase::kTagGodRace).Add(1, GodRace(1));
    ASSERT_TRUE(db.Load());
    VelDatabase::Clear();
    EXPECT_EQ(VelDatabase::GetMap(VelDatabase::kTagLanguage), nullptr);
    EXPECT_EQ(VelDatabase::GetSet(VelDatabase::kTagGodRace), nullptr);
    EXPECT_EQ(VelDatabase::FindLanguage(1), nullptr);
    EXPECT_EQ(VelDatabase::FindGodRace(1, 1), nullptr);
}

TEST(VelDatabaseTest, SetKeepsTheFirstRecordAndDestroysTheSecond)
{
    DbFixture db;
    VelRaceSkillInfo first;
    first.skillId = 12;
    first.bonus = 2;
    VelRaceSkillInfo second = first;
    second.bonus = 8;
    db.Section(VelDatabase::kTagRaceSkill).Add(3, first).Add(3, second);
    ASSERT_TRUE(db.Load());
    const VelRaceSkillInfo* found = VelDatabase::FindRaceSkill(3, 12);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->bonus, 2);
    EXPECT_EQ(VelDatabase::GetSet(VelDatabase::kTagRaceSkill)->GetCount(), 1u);
}

TEST(VelDatabaseTest, PairMapRecordsAreFoundOnlyByTheirPair)
{
    DbFixture db;
    VelHeightWeightInfo a;
    a.baseHeight = 50;
    VelHeightWeightInfo b;
    b.baseHeight = 60;
    VelHeightWeightInfo c;
    c.baseHeight = 70;
    db.Section(VelDatabase::kTagHeightWeight).AddPair(1, 0, a).AddPair(1, 1, b).AddPair(2, -1, c).AddPair(1, 1, c);
    ASSERT_TRUE(db.Load());
    const VelHeightWeightInfo* found = VelDatabase::FindHeightWeight(1, 0);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->baseHeight, 50);
    // The record's own key is not the section key.
    EXPECT_EQ(found->key, -1);
    // A later record under the same pair replaces the earlier one.
    ASSERT_NE(VelDatabase::FindHeightWeight(1, 1), nullptr);
    EXPECT_EQ(VelDatabase::FindHeightWeight(1, 1)->baseHeight, 70);
    ASSERT_NE(VelDatabase::FindHeightWeight(2, 0xFFFF), nullptr);
    EXPECT_EQ(VelDatabase::FindHeightWeight(0, 1), nullptr);
    EXPECT_EQ(VelDatabase::FindHeightWeight(1, 2), nullptr);
    EXPECT_EQ(VelDatabase::GetPairMap(VelDatabase::kTagHeightWeight)->GetCount(), 3u);
}

TEST(VelDatabaseTest, ItemSectionsFillOneTableWhateverTheirOrder)
{
    QuietLog quiet;
    DbFixture db;
    VelWeaponInfo sword;
    sword.name = "Sword";
    VelArmorInfo mail;
    mail.name = "Mail";
    VelWeaponInfo axe;
    axe.name = "Axe";
    VelArmorInfo hide;
    hide.name = "Hide";
    VelItemInfo plain;
    db.Section(VelDatabase::kTagItem190).Add(5, sword);
    db.Section(VelDatabase::kTagItem195).Add(6, mail);
    db.Section(VelDatabase::kTagItem).Add(7, axe);
    db.Section(VelDatabase::kTagItem202).Add(8, hide).Add(9, plain);
    db.Section(VelDatabase::kTagItem).Add(5, axe);
    ASSERT_TRUE(db.Load());
    EXPECT_EQ(VelDatabase::GetMap(VelDatabase::kTagItem)->GetCount(), 4u);
    ASSERT_NE(VelDatabase::FindItem(5), nullptr);
    EXPECT_EQ(VelDatabase::FindItem(5)->name, "Axe");
    EXPECT_EQ(VelDatabase::FindItem(5)->GetTypeCode(), VelItemInfo::kWeaponCode);
    ASSERT_NE(VelDatabase::FindItem(6), nullptr);
    EXPECT_EQ(VelDatabase::FindItem(6)->GetItemKind(), 1);
    EXPECT_EQ(VelDatabase::FindItem(6)->key, 6);
    ASSERT_NE(VelDatabase::FindItem(8), nullptr);
    EXPECT_EQ(VelDatabase::FindItem(8)->name, "Hide");
    // The item base itself is not one of the item kinds.
    EXPECT_EQ(VelDatabase::FindItem(9), nullptr);
    // Item sections make no tables of their own.
    EXPECT_EQ(VelDatabase::GetMap(VelDatabase::kTagItem190), VelDatabase::GetMap(VelDatabase::kTagItem));
}

TEST(VelDatabaseTest, EveryTableTakesItsOwnRegisteredRecordClass)
{
    QuietLog quiet;
    for (const std::uint16_t tag : VelDatabase::GetTableTags())
    {
        const char* tableClass = VelDatabase::GetTableClassName(tag);
        const std::string className = tableClass ? tableClass : VelDatabase::GetItemClassNames()[0];
        SCOPED_TRACE(testing::Message() << tag << " " << className);
        FCObject* object = FCClassRegistry::CreateByName(className);
        auto* record = dynamic_cast<VelInfo*>(object);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->GetClassName(), className);
        DbFixture db;
        if (tag == VelDatabase::kTagHeightWeight)
        {
            db.Section(tag).AddPair(4, 2, *record);
        }
        else
        {
            db.Section(tag).Add(4, *record);
        }
        EXPECT_TRUE(db.Load());
        std::uint32_t count = 0;
        if (FCObjectMap* map = VelDatabase::GetMap(tag))
            count = map->GetCount();
        else if (FCObjectSet* set = VelDatabase::GetSet(tag))
            count = set->GetCount();
        else if (FCObjectVector* list = VelDatabase::GetList(tag))
            count = list->GetCount();
        else if (FCObjectPairMap* pairs = VelDatabase::GetPairMap(tag))
            count = pairs->GetCount();
        else
            ADD_FAILURE() << "no table";
        // A default record that its class calls malformed is dropped.
        EXPECT_EQ(count, record->IsWellFormed() ? 1u : 0u);
        object->Release();
    }
}

namespace
{
// One record stored under key 9 in the tag's table, then found by the
// lookup with 9 and missed with 10: each lookup reads its own table.
template <class T, class Find>
void ExpectMapLookup(std::uint16_t tag, Find find)
{
    SCOPED_TRACE(tag);
    DbFixture db;
    db.Section(tag).Add(9, T());
    ASSERT_TRUE(db.Load());
    auto* found = find(9);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->key, 9);
    EXPECT_EQ(find(10), nullptr);
}
} // namespace

TEST(VelDatabaseTest, EveryLookupFindsItsOwnTable)
{
    using namespace VelDatabase;
    ExpectMapLookup<VelClassInfo>(kTagClass, [](std::uint16_t k) { return FindClass(k); });
    ExpectMapLookup<VelRaceInfo>(kTagRace, [](std::uint16_t k) { return FindRace(k); });
    ExpectMapLookup<VelAlignmentInfo>(kTagAlignment, [](std::uint16_t k) { return FindAlignment(k); });
    ExpectMapLookup<VelAgeInfo>(kTagAge, [](std::uint16_t k) { return FindAge(k); });
    ExpectMapLookup<VelClassLevelInfo>(kTagClassLevel, [](std::uint16_t k) { return FindClassLevel(k); });
    ExpectMapLookup<VelCarryInfo>(kTagCarry, [](std::uint16_t k) { return FindCarry(k); });
    ExpectMapLookup<VelSizeInfo>(kTagSize, [](std::uint16_t k) { return FindSize(k); });
    ExpectMapLookup<VelSkillInfo>(kTagSkill, [](std::uint16_t k) { return FindSkill(k); });
    ExpectMapLookup<VelFeatInfo>(kTagFeat, [](std::uint16_t k) { return FindFeat(k); });
    ExpectMapLookup<VelLanguageInfo>(kTagLanguage, [](std::uint16_t k) { return FindLanguage(k); });
    ExpectMapLookup<VelGodInfo>(kTagGod, [](std::uint16_t k) { return FindGod(k); });
    ExpectMapLookup<VelDomainInfo>(kTagDomain, [](std::uint16_t k) { return FindDomain(k); });
    ExpectMapLookup<VelSchoolInfo>(kTagSchool, [](std::uint16_t k) { return FindSchool(k); });
    ExpectMapLookup<VelGoodsInfo>(kTagItem200, [](std::uint16_t k) { return FindItem(k); });
    ExpectMapLookup<VelSpellInfo>(kTagSpell, [](std::uint16_t k) { return FindSpell(k); });
    ExpectMapLookup<VelAnimalInfo>(kTagAnimal, [](std::uint16_t k) { return FindAnimal(k); });
    ExpectMapLookup<VelFeatureInfo>(kTagFeature, [](std::uint16_t k) { return FindFeature(k); });
    ExpectMapLookup<VelEnemyInfo>(kTagEnemy, [](std::uint16_t k) { return FindEnemy(k); });

    // The pair lookups are checked with their record classes.

    // The special cost of table 320 is found by its key, the second being 0;
    // the two spells-per tables do not see each other's records.
    DbFixture db;
    db.Section(kTagSpecialCost).Add(4, VelSpecialCostInfo(4, 0)).Add(5, VelSpecialCostInfo(5, 1));
    db.Section(kTagSpellsPer).Add(3, VelSpellsPerInfo(3, 7));
    ASSERT_TRUE(db.Load());
    EXPECT_NE(FindSpecialCost(4), nullptr);
    EXPECT_EQ(FindSpecialCost(5), nullptr);
    EXPECT_EQ(FindSpecialCost315(4, 0), nullptr);
    EXPECT_EQ(FindSpellsPer220(3, 7), nullptr);
}
