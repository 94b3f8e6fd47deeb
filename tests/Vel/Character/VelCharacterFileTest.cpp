#include "Vel/Character/VelCharacterFile.h"
#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCFileUtil.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterEquip.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterFeature.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Character/VelCharacterLanguage.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Character/VelCharacterSpell.h"
#include "Vel/Character/VelEntityFeature.h"
#include "Vel/Db/VelClassFeatureInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "support/ArchiveBytes.h"
#include "support/CharacterFixture.h"
#include "support/Owned.h"
#include "support/QuietLog.h"
#include "support/ResourceFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace
{
using F = CharacterFixture;
using Bytes = std::vector<std::uint8_t>;

using CharacterPtr = Owned<VelCharacter>;

ArchiveBytes EmptyList()
{
    return ArchiveBytes().Container(2, 0);
}

// The lists of a character file body, empty unless a test fills them.
struct Lists
{
    ArchiveBytes classes = EmptyList();
    ArchiveBytes skills = EmptyList();
    ArchiveBytes feats = EmptyList();
    ArchiveBytes spells = EmptyList();
    ArchiveBytes languages = EmptyList();
    ArchiveBytes items = EmptyList();
    ArchiveBytes worn = ArchiveBytes().Repeat(3, 0xFFFF);
    ArchiveBytes equipSets = EmptyList();
    ArchiveBytes features = EmptyList();
    ArchiveBytes animals = EmptyList();
    std::uint16_t nextItemKey = 0;
};

// A whole character file of a fresh character with the given lists.
Bytes CharacterFile(std::uint16_t version, const Lists& lists, std::uint32_t value0 = 0)
{
    ArchiveBytes b;
    b.Object("VelCharacter").Str("Unknown").Repeat(6, 0);
    for (int i = 0; i < 8; ++i)
        b.U32(0);
    b.U16(version).U16(0).U16(9).U16(0);
    b.U32(value0);
    for (int i = 1; i < 23; ++i)
        b.U32(0);
    b.F32(0.0f);
    for (int i = 0; i < 6; ++i)
        b.U8(0);
    b.U32(0).U32(0).U32(0);
    if (version > 1)
    {
        b.U32(0).U32(0).U32(0).U32(0);
        b.Repeat(12, 0).U8(1).U16(0).U16(0);
    }
    b.Repeat(21, 0).Repeat(3, 0xFFFF);
    b.U16(0xFFFF).U16(1).Repeat(3, 0xFFFF);
    for (int i = 0; i < 9; ++i)
        b.Str("");
    b.U16(lists.nextItemKey).U16(0xFFFF).U32(0);
    for (const ArchiveBytes* list :
         {&lists.classes, &lists.skills, &lists.feats, &lists.spells, &lists.languages,
          &lists.items, &lists.worn, &lists.equipSets, &lists.features, &lists.animals})
        b.Append(*list);
    return b.bytes;
}

ArchiveBytes ItemObject(std::uint16_t key, std::uint16_t recordId, std::int16_t placement,
                        bool version2)
{
    ArchiveBytes b;
    b.Object("VelCharacterItem")
        .U16(key)
        .U32(0)
        .U16(recordId)
        .U16(static_cast<std::uint16_t>(placement));
    if (version2)
        b.U32(0).U16(2).U32(0).U32(0);
    return b;
}

ArchiveBytes ClassObject(std::uint16_t classId, std::uint16_t level)
{
    ArchiveBytes b;
    b.Object("VelCharacterClass").U16(classId).U16(level).Repeat(4, 0);
    for (int i = 0; i < 10; ++i)
        b.U16(0xFFFF).U16(0).U16(0);
    return b.U8(0).U16(0);
}

class VelCharacterFileTest : public ::testing::Test
{
protected:
    std::string PathOf(const std::string& name) const { return folder.Join(name); }

    Bytes SaveBytes(VelCharacter& character)
    {
        const std::string path = PathOf("bytes.cg3");
        EXPECT_TRUE(VelCharacterFile::Save(character, path));
        return folder.ReadFile("bytes.cg3");
    }

    CharacterPtr LoadBytes(const Bytes& bytes)
    {
        folder.WriteFile("in.cg3", bytes);
        return CharacterPtr(VelCharacterFile::Load(PathOf("in.cg3")));
    }

    CharacterPtr RoundTrip(VelCharacter& character) { return LoadBytes(SaveBytes(character)); }

    CharacterFixture fixture;
    QuietLog quiet;
    TempFolder folder;
};

TEST_F(VelCharacterFileTest, FreshCharacterFileIsByteExact)
{
    VelCharacter fresh;
    const Bytes saved = SaveBytes(fresh);
    const Bytes head = {0xFF, 0xFF, 0x0D, 0x00, 'V', 'e', 'l', 'C', 'h',
                        'a',  'r',  'a',  'c',  't', 'e', 'r', 0x00};
    ASSERT_GE(saved.size(), head.size());
    EXPECT_EQ(Bytes(saved.begin(), saved.begin() + head.size()), head);
    // The version follows the entity part: head, name, six abilities, eight stats.
    const std::size_t versionAt = head.size() + 4 + 2 + 8 + 12 + 32;
    EXPECT_EQ(saved[versionAt], 2);
    EXPECT_EQ(saved[versionAt + 1], 0);
    EXPECT_EQ(saved, CharacterFile(2, Lists{}));
}

TEST_F(VelCharacterFileTest, MapElementsCarryTheirKeysBeforeTheObjects)
{
    VelCharacter character;
    for (std::uint16_t id : {F::kElvish, F::kCommon})
    {
        auto* language = new VelCharacterLanguage(id);
        language->extra = id * 16u;
        character.AddLanguage(language);
        language->Release();
    }
    Lists lists;
    lists.languages = ArchiveBytes().Container(2, 2);
    for (std::uint16_t id : {F::kCommon, F::kElvish})
        lists.languages.U16(id).Object("VelCharacterLanguage").U16(id).U32(id * 16u);
    EXPECT_EQ(SaveBytes(character), CharacterFile(2, lists));
}

TEST_F(VelCharacterFileTest, WornItemsAreStoredAsKeysAndRestoredFromThem)
{
    VelCharacter character;
    character.AddItem(VelDatabase::FindItem(F::kRope));
    VelCharacterItem* mail = character.AddItem(VelDatabase::FindItem(F::kMail));
    character.WearItem(mail);
    character.RemoveItem(0);

    Lists lists;
    lists.items = ArchiveBytes().Container(2, 1).U16(1).Append(ItemObject(1, F::kMail, 2, true));
    lists.worn = ArchiveBytes().U16(1).U16(0xFFFF).U16(0xFFFF);
    ASSERT_EQ(SaveBytes(character), CharacterFile(2, lists));

    CharacterPtr loaded = RoundTrip(character);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetWornArmor(), loaded->FindItem(1));
    EXPECT_EQ(loaded->GetFirstShield(), nullptr);
    EXPECT_EQ(loaded->nextItemKey, 0);
}

TEST_F(VelCharacterFileTest, CarriedWeightIsRecomputedFromTheItemsWhateverTheFileSays)
{
    // Each item on the body weighs 7.5 here; the one in the pack weighs nothing.
    VelCharacter::SetItemWeigher([](const VelItemInfo&, std::uint32_t) { return 7.5f; });
    VelCharacter character;
    character.WearItem(character.AddItem(VelDatabase::FindItem(F::kMail)));
    character.WearItem(character.AddItem(VelDatabase::FindItem(F::kRope)));
    character.AddItem(VelDatabase::FindItem(F::kBuckler));
    const float inf = std::numeric_limits<float>::infinity();
    const struct
    {
        float stored, loaded;
    } cases[] = {
        {std::numeric_limits<float>::quiet_NaN(), 15.0f}, {inf, 15.0f}, {-inf, 15.0f},
        {-1.0f, 15.0f}, {0.0f, 15.0f}, {12.5f, 15.0f}, {1e30f, 15.0f}, {15.0f, 15.0f},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.stored);
        character.carriedWeight = c.stored;
        CharacterPtr loaded = RoundTrip(character);
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(loaded->carriedWeight, c.loaded);
    }
    VelCharacter::SetItemWeigher(nullptr);
}

TEST_F(VelCharacterFileTest, NamesOutsideAsciiAreSavedInUtf8AndLoadAsListed)
{
    VelCharacter hero;
    hero.name = "Zo\xEB";
    const std::string folderPath = folder.GetPath() + "\\";
    ASSERT_TRUE(VelCharacterFile::Save(hero, folderPath + "Zo\xEB.cg3"));
    EXPECT_FALSE(folder.ReadFile("Zo\xC3\xAB.cg3").empty()) << "the name on disc is UTF-8";
    // A copy under a name the code page cannot hold, as another program made it.
    folder.WriteFile("\xE6\x97\xA5.cg3", folder.ReadFile("Zo\xC3\xAB.cg3"));
    const auto listed = ListFiles(folderPath, "*.cg3", kListFiles);
    ASSERT_EQ(*listed, (FCStringList{"?.cg3", "Zo\xEB.cg3"}));
    for (const std::string& name : *listed)
    {
        SCOPED_TRACE(name);
        CharacterPtr loaded(VelCharacterFile::Load(folderPath + name));
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(loaded->name, "Zo\xEB");
    }
}

TEST_F(VelCharacterFileTest, WornKeysWithoutEntriesLeaveSlotsEmpty)
{
    Lists lists;
    lists.items = ArchiveBytes().Container(2, 1).U16(0).Append(ItemObject(0, F::kBuckler, 3, true));
    lists.nextItemKey = 1;
    lists.worn = ArchiveBytes().U16(5).U16(0).U16(0x8000);
    CharacterPtr loaded = LoadBytes(CharacterFile(2, lists));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetWornArmor(), nullptr);
    EXPECT_EQ(loaded->GetFirstShield(), loaded->FindItem(0));
    EXPECT_EQ(loaded->GetSecondShield(), nullptr);
}

TEST_F(VelCharacterFileTest, VersionOneBodyTakesDefaultsAndIsRevalued)
{
    Lists lists;
    lists.items = ArchiveBytes()
                      .Container(2, 2)
                      .U16(0)
                      .Append(ItemObject(0, F::kSword, 1, false))
                      .U16(1)
                      .Append(ItemObject(1, F::kMail, 2, false));
    lists.worn = ArchiveBytes().U16(1).U16(0xFFFF).U16(0xFFFF);
    lists.nextItemKey = 2;
    lists.skills =
        ArchiveBytes().Container(2, 1).Object("VelCharacterSkill").U16(F::kClimb).U16(0xFFFF);
    for (int column = 0; column < 11; ++column)
        lists.skills.F32(column == 2 ? 1.5f : 0.0f).F32(0.0f).U16(0);

    CharacterPtr loaded = LoadBytes(CharacterFile(1, lists, 5));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->values[0], 0u);
    EXPECT_EQ(loaded->startingMoney, 0u);
    EXPECT_EQ(loaded->averageHitDice, 0);
    EXPECT_EQ(loaded->baseAbilities, (std::array<std::uint16_t, 6>{}));
    EXPECT_EQ(loaded->abilityIncreases, (std::array<std::uint16_t, 6>{}));
    EXPECT_EQ(loaded->hitPointBonus, 0);
    const VelCharacterItem* sword = loaded->FindItem(0);
    const VelCharacterItem* mail = loaded->FindItem(1);
    ASSERT_TRUE(sword && mail);
    EXPECT_EQ(sword->price, 15u);
    EXPECT_EQ(sword->coinKind, 1);
    EXPECT_EQ(mail->price, 50u);
    EXPECT_EQ(mail->coinKind, 2);
    EXPECT_EQ(loaded->ownedItemsValue, VelCoins(0, 5, 51));
    EXPECT_EQ(loaded->GetWornArmor(), mail);
    const VelCharacterSkill* climb = loaded->FindSkill(F::kClimb, 0xFFFF);
    ASSERT_NE(climb, nullptr);
    EXPECT_FLOAT_EQ(climb->GetRanks(2, VelCharacterSkill::kClassRanks), 1.5f);
    EXPECT_EQ(climb->flags, 0u);
    // Saved again it is a version 2 file.
    CharacterPtr again = RoundTrip(*loaded);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->averageHitDice, 0);
    EXPECT_EQ(again->ownedItemsValue, VelCoins(0, 5, 51));
}

void ExpectSameParts(VelCharacter& a, VelCharacter& b)
{
    ASSERT_EQ(a.classes.GetCount(), b.classes.GetCount());
    for (std::int16_t i = 0; i < static_cast<std::int16_t>(a.classes.GetCount()); ++i)
    {
        const VelCharacterClass& x = *a.GetClassAt(i);
        const VelCharacterClass& y = *b.GetClassAt(i);
        EXPECT_EQ(x.classId, y.classId);
        EXPECT_EQ(x.level, y.level);
        EXPECT_EQ(x.hitPointsRolled, y.hitPointsRolled);
        EXPECT_EQ(x.bonusFeats, y.bonusFeats);
        EXPECT_EQ(x.spellsPerDay, y.spellsPerDay);
        EXPECT_EQ(x.spellsKnown, y.spellsKnown);
        EXPECT_EQ(x.formerMember, y.formerMember);
        EXPECT_EQ(y.startingLevel, 0);
        EXPECT_EQ(y.flags, 0);
    }
    const VelCharacterSkill* climb = b.FindSkill(F::kClimb, 0xFFFF);
    ASSERT_NE(climb, nullptr);
    EXPECT_DOUBLE_EQ(climb->GetTotalRanks(), 4.5);
    EXPECT_EQ(climb->flags, VelCharacterSkill::kOverLimit);
    EXPECT_TRUE(b.HasSkill(F::kCraft, F::kCraftBows));
    ASSERT_TRUE(b.HasFeat(F::kPowerFeat, 0xFFFF, -1));
    EXPECT_EQ(b.FindFeat(F::kPowerFeat, 0xFFFF, -1)->count, 2);
    EXPECT_EQ(b.FindFeat(F::kFocusFeat, F::kSchoolA, -1)->flags, VelCharacterFeat::kBonusFeat);
    EXPECT_TRUE(b.HasSpell(F::kSpellA, 10));
    EXPECT_TRUE(b.HasSpell(F::kSpellB, 10));
    EXPECT_NE(b.FindLanguage(F::kElvish), nullptr);
    ASSERT_EQ(b.items.GetCount(), a.items.GetCount());
    for (std::uint16_t key = 0; key < a.items.GetCount(); ++key)
    {
        const VelCharacterItem& x = *a.FindItem(key);
        const VelCharacterItem& y = *b.FindItem(key);
        EXPECT_EQ(x.GetHeldObject(), y.GetHeldObject());
        EXPECT_EQ(x.placement, y.placement);
        EXPECT_EQ(x.price, y.price);
        EXPECT_EQ(x.coinKind, y.coinKind);
        EXPECT_EQ(x.options, y.options);
        EXPECT_EQ(x.count, y.count);
    }
    for (auto slot : {&VelCharacter::GetWornArmor, &VelCharacter::GetFirstShield,
                      &VelCharacter::GetSecondShield})
    {
        ASSERT_NE((b.*slot)(), nullptr);
        EXPECT_EQ((b.*slot)(), b.FindItem((a.*slot)()->itemKey));
    }
    ASSERT_EQ(b.equipSets.GetCount(), 2u);
    EXPECT_EQ(static_cast<VelCharacterEquip*>(b.equipSets.GetAt(0))->slots[1], 0);
    ASSERT_EQ(b.features.GetCount(), 2u);
    EXPECT_EQ(static_cast<VelCharacterFeature*>(b.features.GetAt(0))->source, 7);
    EXPECT_EQ(static_cast<VelCharacterFeature*>(b.features.GetAt(0))->extra, 0x08u);
    const VelCharacterAnimal* toad = b.FindAnimal(F::kToad, 10);
    ASSERT_NE(toad, nullptr);
    EXPECT_EQ(toad->owner, &b);
    EXPECT_EQ(toad->name, "Pip");
    EXPECT_EQ(toad->text, "warty");
    EXPECT_EQ(toad->features.GetCount(), 1u);
    EXPECT_EQ(b.FindAnimal(F::kWolf, 6)->owner, &b);
}

TEST_F(VelCharacterFileTest, RichCharacterSurvivesARoundTrip)
{
    CharacterPtr original(CharacterFixture::MakeRichCharacter());
    original->freeItems = 1;
    const Bytes first = SaveBytes(*original);
    EXPECT_EQ(original->modified, 0);
    EXPECT_EQ(original->fileName, "bytes"); // the name the user gave, without the extension
    CharacterPtr loaded = LoadBytes(first);
    ASSERT_NE(loaded, nullptr);

    const VelCharacter& a = *original;
    const VelCharacter& b = *loaded;
    EXPECT_EQ(b.name, a.name);
    EXPECT_EQ(b.abilities, a.abilities);
    EXPECT_EQ(b.stats, a.stats);
    EXPECT_EQ(b.raceId, a.raceId);
    EXPECT_EQ(b.sex, a.sex);
    EXPECT_EQ(b.values, a.values);
    EXPECT_FLOAT_EQ(b.carriedWeight, a.carriedWeight);
    EXPECT_EQ(b.proficiencies, a.proficiencies);
    EXPECT_EQ(b.money, a.money);
    EXPECT_EQ(b.startingMoney, a.startingMoney);
    EXPECT_EQ(b.ownedItemsValue, a.ownedItemsValue);
    EXPECT_EQ(b.baseAbilities, a.baseAbilities);
    EXPECT_EQ(b.abilityIncreases, a.abilityIncreases);
    EXPECT_EQ(b.averageHitDice, a.averageHitDice);
    EXPECT_EQ(b.hitPointBonus, a.hitPointBonus);
    EXPECT_EQ(b.abilityMethod, a.abilityMethod);
    EXPECT_EQ(b.hitDieRolls, a.hitDieRolls);
    EXPECT_EQ(b.godId, a.godId);
    EXPECT_EQ(b.domainIds, a.domainIds);
    EXPECT_EQ(b.schoolSlots, a.schoolSlots);
    EXPECT_EQ(b.notes, a.notes);
    EXPECT_EQ(b.nextItemKey, a.nextItemKey);
    EXPECT_EQ(b.currentClassId, a.currentClassId);
    EXPECT_EQ(b.changeMask, a.changeMask);
    EXPECT_EQ(b.freeItems, 0);
    EXPECT_EQ(b.fileName, "in");
    EXPECT_EQ(b.modified, 0) << "just read, so leaving need not ask to save";
    ExpectSameParts(*original, *loaded);

    // Nothing is lost or added on the way: the loaded character saves the same bytes.
    EXPECT_EQ(SaveBytes(*loaded), first);
}

TEST_F(VelCharacterFileTest, StoredOwnershipModesAreNotAdopted)
{
    Lists lists;
    lists.classes = ArchiveBytes().Container(1, 1).Append(ClassObject(4, 2));
    lists.items = ArchiveBytes().Container(0, 1).U16(0).Append(ItemObject(0, F::kRope, 0, true));
    lists.nextItemKey = 1;
    lists.features = ArchiveBytes().Container(0, 0);
    CharacterPtr loaded = LoadBytes(CharacterFile(2, lists));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->classes.GetMode(), FCOwnership::kRefCounted);
    EXPECT_EQ(loaded->items.GetMode(), FCOwnership::kRefCounted);
    EXPECT_EQ(loaded->features.GetMode(), FCOwnership::kRefCounted);
    // Held once, by the list: removing destroys it rather than leaking it.
    EXPECT_EQ(loaded->GetClassAt(0)->GetRefCount(), 1);
    EXPECT_EQ(loaded->FindItem(0)->GetRefCount(), 1);
}

TEST_F(VelCharacterFileTest, TruncatedFilesAreRefusedAtEveryLength)
{
    CharacterPtr rich(CharacterFixture::MakeRichCharacter());
    const Bytes whole = SaveBytes(*rich);
    ASSERT_NE(LoadBytes(whole), nullptr);
    for (std::size_t length = 0; length < whole.size(); ++length)
    {
        EXPECT_EQ(
            LoadBytes(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length))),
            nullptr)
            << "cut at " << length << " of " << whole.size();
    }
}

TEST_F(VelCharacterFileTest, DamagedListsAreRefused)
{
    struct Case
    {
        const char* what;
        Lists lists;
    };
    std::vector<Case> cases;
    auto add = [&](const char* what, auto change)
    {
        Case c{what, Lists{}};
        change(c.lists);
        cases.push_back(std::move(c));
    };
    // A list of one element.
    const auto one = [](const ArchiveBytes& element) { return ArchiveBytes().Container(2, 1).Append(element); };
    const ArchiveBytes language = ArchiveBytes().Object("VelCharacterLanguage").U16(1).U32(0);
    const auto rope = [](std::uint16_t key, std::uint16_t entryKey, std::int16_t placement)
    { return ArchiveBytes().Container(2, 1).U16(key).Append(ItemObject(entryKey, F::kRope, placement, true)); };
    add("bad mode", [](Lists& l) { l.classes = ArchiveBytes().Container(3, 0); });
    add("negative count", [](Lists& l) { l.skills = ArchiveBytes().Container(2, 0x8000); });
    add("count beyond the data", [](Lists& l) { l.feats = ArchiveBytes().Container(2, 0x7FFF); });
    add("wrong class in a list", [&](Lists& l) { l.classes = one(language); });
    add("wrong class in a map", [&](Lists& l) { l.items = one(ArchiveBytes().U16(0).Append(ClassObject(4, 1))); });
    add("wrong class in the animal set", [&](Lists& l) { l.animals = one(language); });
    add("base class in the feature list",
        [&](Lists& l) { l.features = one(ArchiveBytes().Object("VelEntityFeature").U16(5).U16(1).U32(0)); });
    add("unknown class", [&](Lists& l) { l.spells = one(ArchiveBytes().Object("VelNothing").U32(0)); });
    add("bad object marker", [&](Lists& l) { l.equipSets = one(ArchiveBytes().U16(0x1234)); });
    add("class id 11", [&](Lists& l) { l.classes = one(ClassObject(11, 1)); });
    add("class id none", [&](Lists& l) { l.classes = one(ClassObject(0xFFFF, 1)); });
    add("total level 21", [](Lists& l)
        { l.classes = ArchiveBytes().Container(2, 2).Append(ClassObject(4, 11)).Append(ClassObject(10, 10)); });
    for (const std::int16_t placement : {5, -1})
        add(placement == 5 ? "placement 5" : "placement -1", [&](Lists& l)
            {
                l.items = rope(0, 0, placement);
                l.nextItemKey = 1;
            });
    add("item under another key", [&](Lists& l) { l.items = rope(3, 0, 0); });
    add("item under a negative key", [&](Lists& l) { l.items = rope(0xFFFF, 0xFFFF, 0); });
    for (const Case& c : cases)
        EXPECT_EQ(LoadBytes(CharacterFile(2, c.lists)), nullptr) << c.what;

    // The same file with sound lists loads, so each case fails for its own damage.
    EXPECT_NE(LoadBytes(CharacterFile(2, Lists{})), nullptr);
}

TEST_F(VelCharacterFileTest, FilesHoldingNoCharacterAreRefused)
{
    const std::string path = PathOf("class.cg3");
    {
        FCArchive ar(path, FCArchive::kStore);
        VelCharacterClass entry(4, 1);
        ar.WriteObject(&entry);
    }
    EXPECT_EQ(VelCharacterFile::Load(path), nullptr);
    EXPECT_EQ(LoadBytes(ArchiveBytes().U16(0).bytes), nullptr); // a stored null
    EXPECT_EQ(LoadBytes(ArchiveBytes().U16(0xFFFF).Str("VelNothing").bytes), nullptr);
    EXPECT_EQ(LoadBytes(Bytes{}), nullptr);
    EXPECT_EQ(VelCharacterFile::Load(PathOf("absent.cg3")), nullptr);
    EXPECT_EQ(VelCharacterFile::Load(folder.GetPath()), nullptr); // a folder
}

TEST_F(VelCharacterFileTest, CurrentClassOutOfRangeIsRefused)
{
    CharacterPtr rich(CharacterFixture::MakeRichCharacter());
    rich->currentClassId = 11;
    EXPECT_EQ(RoundTrip(*rich), nullptr);
    rich->currentClassId = 0xFFFF;
    EXPECT_NE(RoundTrip(*rich), nullptr);
}

TEST_F(VelCharacterFileTest, EntriesWithoutRecordsAreKeptLoggedOnceAndWrittenBackUnchanged)
{
    CharacterPtr rich(CharacterFixture::MakeRichCharacter());
    VelCharacter& c = *rich;
    // Each part is held by the character alone once added.
    c.AddSkill(Owned<VelCharacterSkill>(new VelCharacterSkill(999, 0xFFFF)).get());
    c.AddSkill(Owned<VelCharacterSkill>(new VelCharacterSkill(F::kCraft, 9)).get());
    c.InsertFeat(Owned<VelCharacterFeat>(new VelCharacterFeat(999, 0xFFFF, 0xFFFF, 4)).get());
    c.AddSpell(Owned<VelCharacterSpell>(new VelCharacterSpell(999, 10)).get());
    c.AddLanguage(Owned<VelCharacterLanguage>(new VelCharacterLanguage(99)).get());
    c.AddAnimal(Owned<VelCharacterAnimal>(new VelCharacterAnimal(999, 2)).get());
    Owned<VelEntityFeature> animalFeature(new VelEntityFeature());
    animalFeature->featureId = 999;
    c.FindAnimal(F::kToad, 10)->features.Append(animalFeature.get());
    auto* ghost = new VelWeaponInfo(); // a record the database does not hold
    ghost->key = 999;
    VelCharacterItem* ghostItem = c.AddItem(ghost);
    ghost->Release();
    VelCharacterEquip set;
    set.SetSlot(0, ghostItem->itemKey);
    set.SetSlot(1, 0);
    c.AddEquip(set);
    VelClassFeatureInfo row;
    row.featureId = 999;
    c.AddClassFeature(row);
    c.godId = 99;
    c.domainIds[0] = 99;
    c.schoolSlots[3] = 99;
    c.raceId = 99;

    const Bytes saved = SaveBytes(c);
    CharacterPtr loaded;
    {
        CapturedLog log;
        loaded = LoadBytes(saved);
        // One line for each: skill, sub-skill, feat, spell, language,
        // animal, animal feature, feature, item, god, domain, school, race.
        EXPECT_EQ(log.Count("not in the database"), 13) << log.Text();
    }
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(SaveBytes(*loaded), saved);
    EXPECT_EQ(loaded->skills.GetCount(), 4u);
    EXPECT_EQ(loaded->feats.GetCount(), 3u);
    EXPECT_EQ(loaded->spells.GetCount(), 3u);
    EXPECT_EQ(loaded->languages.GetCount(), 3u);
    EXPECT_EQ(loaded->animals.GetCount(), 3u);
    EXPECT_EQ(loaded->FindAnimal(F::kToad, 10)->features.GetCount(), 2u);
    EXPECT_EQ(loaded->features.GetCount(), 3u);
    ASSERT_NE(loaded->FindItem(ghostItem->itemKey), nullptr);
    EXPECT_EQ(loaded->FindItem(ghostItem->itemKey)->recordId, 999);
    EXPECT_EQ(loaded->godId, 99);
}

TEST_F(VelCharacterFileTest, HandsHoldingItemsThatAreNotOwnedAreEmptied)
{
    CharacterPtr rich(CharacterFixture::MakeRichCharacter());
    VelCharacterEquip set;
    set.SetSlot(0, 77);
    set.SetSlot(1, 0);
    rich->AddEquip(set);
    CharacterPtr loaded = RoundTrip(*rich);
    ASSERT_NE(loaded, nullptr);
    const auto* held = static_cast<VelCharacterEquip*>(loaded->equipSets.GetAt(2));
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(held->slots[0], VelCharacterEquip::kEmptySlot);
    EXPECT_EQ(held->slots[1], 0);
}

TEST_F(VelCharacterFileTest, TakenNextItemKeyIsMovedToAFreeOne)
{
    Lists lists;
    lists.items = ArchiveBytes()
                      .Container(2, 2)
                      .U16(0)
                      .Append(ItemObject(0, F::kRope, 0, true))
                      .U16(2)
                      .Append(ItemObject(2, F::kRope, 0, true));
    lists.nextItemKey = 2;
    CharacterPtr loaded = LoadBytes(CharacterFile(2, lists));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->nextItemKey, 1);
    VelCharacterItem* added = loaded->AddItem(VelDatabase::FindItem(F::kRope));
    EXPECT_EQ(added->itemKey, 1);
    EXPECT_EQ(loaded->items.GetCount(), 3u);
}

TEST_F(VelCharacterFileTest, LongNotesAreCutNotWrapped)
{
    VelCharacter character;
    character.notes[3] = std::string(40000, 'n');
    character.notes[4] = "after";
    CharacterPtr loaded = RoundTrip(character);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->notes[3], std::string(32766, 'n'));
    EXPECT_EQ(loaded->notes[4], "after");
}

class FailedSaveTest : public VelCharacterFileTest
{
protected:
    void SetUp() override
    {
        original = SaveBytes(older);
        ASSERT_FALSE(original.empty());
        character.reset(CharacterFixture::MakeRichCharacter());
        character->notes[0] = std::string(20000, 'x'); // well beyond the old file's size
    }

    // The previous file is still there, whole, and no temporary is left.
    void ExpectOldFileIntact()
    {
        EXPECT_EQ(folder.ReadFile("bytes.cg3"), original);
        EXPECT_FALSE(std::filesystem::exists(VelCharacterFile::GetTempPath(PathOf("bytes.cg3"))));
        EXPECT_EQ(character->modified, 1);
        EXPECT_EQ(character->fileName, "");
    }

    VelCharacter older;
    Bytes original;
    CharacterPtr character;
};

TEST_F(FailedSaveTest, FullDiscKeepsThePreviousFile)
{
    // The file-size limit makes writes past it fail as on a full disc, even as root.
    struct rlimit previous
    {
    };
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = previous;
    limited.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool saved = VelCharacterFile::Save(*character, PathOf("bytes.cg3"));
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    ExpectOldFileIntact();
    // The limit was the only obstacle.
    EXPECT_TRUE(VelCharacterFile::Save(*character, PathOf("bytes.cg3")));
    EXPECT_NE(folder.ReadFile("bytes.cg3"), original);
}

TEST_F(FailedSaveTest, FolderThatCannotHoldTheFileKeepsEverything)
{
    folder.WriteFile("plain", std::string("not a folder"));
    EXPECT_FALSE(VelCharacterFile::Save(*character, PathOf("plain/bytes.cg3")));
    EXPECT_EQ(folder.ReadFile("plain"),
              Bytes({'n', 'o', 't', ' ', 'a', ' ', 'f', 'o', 'l', 'd', 'e', 'r'}));
    ExpectOldFileIntact();
}

TEST_F(FailedSaveTest, TargetThatCannotBeReplacedKeepsItsContents)
{
    folder.MakeFolder("taken.cg3/inside");
    EXPECT_FALSE(VelCharacterFile::Save(*character, PathOf("taken.cg3")));
    EXPECT_TRUE(std::filesystem::is_directory(PathOf("taken.cg3/inside")));
    EXPECT_FALSE(std::filesystem::exists(VelCharacterFile::GetTempPath(PathOf("taken.cg3"))));
    ExpectOldFileIntact();
}

TEST(VelCharacterFileNameTest, BaseNameSplitsAtEitherSeparator)
{
    EXPECT_EQ(VelCharacterFile::GetBaseName(".\\Resources\\Characters\\Hero.cg3"), "Hero.cg3");
    EXPECT_EQ(VelCharacterFile::GetBaseName("/tmp/x/Hero.cg3"), "Hero.cg3");
    EXPECT_EQ(VelCharacterFile::GetBaseName("Hero.cg3"), "Hero.cg3");
}
} // namespace
