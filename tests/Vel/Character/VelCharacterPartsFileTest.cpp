#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCClassRegistry.h"
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
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "support/ArchiveBytes.h"
#include "support/DbFixture.h"
#include "support/FCTestObjects.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kItemRecordId = 7;

Bytes StoreBody(FCObject& part)
{
    const std::string path = FCTestFiles::TempPath("part-store.bin");
    {
        FCArchive ar(path, FCArchive::kStore);
        EXPECT_TRUE(ar.IsOpen());
        ar.SetVersion(2);
        part.Serialize(ar);
        EXPECT_FALSE(ar.HasFailed());
    }
    return FCTestFiles::ReadBytes(path);
}

struct LoadResult
{
    bool failed = true;
    std::uint32_t remaining = 0;
};

LoadResult LoadBody(FCObject& part, const Bytes& bytes, std::uint16_t version)
{
    const std::string path = FCTestFiles::TempPath("part-load.bin");
    FCTestFiles::WriteBytes(path, bytes);
    FCArchive ar(path, FCArchive::kLoad);
    EXPECT_TRUE(ar.IsOpen());
    ar.SetVersion(version);
    part.Serialize(ar);
    return {ar.HasFailed(), ar.GetRemaining()};
}

template <class T> std::unique_ptr<T, void (*)(T*)> Owned(T* object)
{
    return {object, [](T* o) { o->Release(); }};
}

struct PartCase
{
    const char* name;
    std::function<FCObject*()> make; // a part with no field at its default
    ArchiveBytes body;               // its version 2 body
};

ArchiveBytes AnimalBody()
{
    ArchiveBytes feature;
    feature.U16(0xFFFF).Str("VelEntityFeature").Head().U16(31).U16(2).U32(0x11);
    ArchiveBytes body;
    body.Head().Str("Rex").U16(13).U16(15).U16(14).U16(2).U16(12).U16(6);
    for (std::uint32_t stat = 0; stat < 8; ++stat)
    {
        body.U32(stat == 0 ? 0xFFFFFFFF : stat * 3);
    }
    body.U16(4).U16(6).Str("good dog").U16(2).U16(2).U16(1).Append(feature);
    return body;
}

std::vector<PartCase> Cases()
{
    std::vector<PartCase> cases;
    {
        ArchiveBytes b;
        b.Head().U16(3).U16(5).U16(27).U16(8).U16(6).U16(1);
        for (std::uint16_t level = 0; level < 10; ++level)
        {
            b.U16(level < 2 ? static_cast<std::uint16_t>(3 - level) : 0xFFFF)
                .U16(level)
                .U16(level + 10);
        }
        b.U8(1).U16(2);
        cases.push_back({"VelCharacterClass",
                         []
                         {
                             auto* c = new VelCharacterClass(3, 5);
                             c->hitPointsRolled = 27;
                             c->skillPointsAvailable = 8;
                             c->skillPointsSpent = 6;
                             c->bonusFeats = 1;
                             c->spellsPerDay[0] = 3;
                             c->spellsPerDay[1] = 2;
                             for (std::uint16_t i = 0; i < 10; ++i)
                             {
                                 c->spellsChosen[i] = i;
                                 c->spellsKnown[i] = static_cast<std::uint16_t>(i + 10);
                             }
                             c->formerMember = 1;
                             c->specialChoices = 2;
                             return c;
                         },
                         b});
    }
    {
        ArchiveBytes b;
        b.Head().U16(12).U16(3);
        for (int column = 0; column < 11; ++column)
        {
            b.F32(column == 0 ? 2.0f : 0.0f)
                .F32(column == 2 ? 1.5f : 0.0f)
                .U16(static_cast<std::uint16_t>(column));
        }
        b.U32(0x20);
        cases.push_back({"VelCharacterSkill",
                         []
                         {
                             auto* s = new VelCharacterSkill(12, 3);
                             s->SetRanks(0, VelCharacterSkill::kClassRanks, 2.0f);
                             s->SetRanks(2, VelCharacterSkill::kCrossClassRanks, 1.5f);
                             for (std::int16_t column = 0; column < 11; ++column)
                             {
                                 s->SetColumnValue(column, static_cast<std::uint16_t>(column));
                             }
                             s->flags = VelCharacterSkill::kOverLimit;
                             return s;
                         },
                         b});
    }
    cases.push_back({"VelCharacterFeat",
                     []
                     {
                         auto* f = new VelCharacterFeat(40, 12, 3, 2);
                         f->count = 2;
                         f->flags = VelCharacterFeat::kBonusFeat;
                         return f;
                     },
                     ArchiveBytes().Head().U16(40).U16(2).U16(12).U16(3).U16(2).U32(0x10)});
    cases.push_back({"VelCharacterSpell",
                     []
                     {
                         auto* s = new VelCharacterSpell(300, 4);
                         s->thirdKey = 2;
                         s->spellLevel = -3;
                         s->extra = 0x08;
                         return s;
                     },
                     ArchiveBytes().Head().U16(300).U16(4).U16(2).U16(0xFFFD).U32(8)});
    cases.push_back({"VelCharacterLanguage",
                     []
                     {
                         auto* l = new VelCharacterLanguage(9);
                         l->extra = 0x80000001;
                         return l;
                     },
                     ArchiveBytes().Head().U16(9).U32(0x80000001)});
    cases.push_back({"VelCharacterItem",
                     []
                     {
                         auto* i = new VelCharacterItem(5, VelDatabase::FindItem(kItemRecordId));
                         i->count = 2;
                         i->placement = VelCharacterItem::kCarried;
                         i->price = 2300;
                         i->coinKind = 1;
                         i->options = VelCharacterItem::kEnhanced;
                         i->optionValue = 6;
                         return i;
                     },
                     ArchiveBytes()
                         .Head()
                         .U16(5)
                         .U32(2)
                         .U16(kItemRecordId)
                         .U16(1)
                         .U32(2300)
                         .U16(1)
                         .U32(0x40)
                         .U32(6)});
    cases.push_back({"VelCharacterEquip",
                     []
                     {
                         auto* e = new VelCharacterEquip();
                         e->setTag = 3;
                         e->SetSlot(0, 4);
                         e->SetSlot(1, 0);
                         e->gripMode = VelCharacterEquip::kTwoWeapons;
                         e->allowedModes = VelCharacterEquip::kBothHandsFull;
                         return e;
                     },
                     ArchiveBytes().Head().U16(3).U16(4).U16(0).U16(4).U32(8)});
    cases.push_back({"VelEntityFeature",
                     []
                     {
                         auto* f = new VelEntityFeature();
                         f->featureId = 31;
                         f->value = 2;
                         f->extra = 5;
                         return f;
                     },
                     ArchiveBytes().Head().U16(31).U16(2).U32(5)});
    cases.push_back({"VelCharacterFeature",
                     []
                     {
                         auto* f = new VelCharacterFeature();
                         f->featureId = 31;
                         f->value = -1;
                         f->extra = 5;
                         f->source = 17;
                         return f;
                     },
                     ArchiveBytes().Head().U16(31).U16(0xFFFF).U32(5).U16(17)});
    cases.push_back({"VelCharacterAnimal",
                     []
                     {
                         auto* a = new VelCharacterAnimal(4, 6);
                         a->name = "Rex";
                         a->abilities = {13, 15, 14, 2, 12, 6};
                         for (std::uint32_t stat = 0; stat < 8; ++stat)
                         {
                             a->SetStat(stat, stat == 0 ? 0xFFFFFFFF : stat * 3);
                         }
                         a->text = "good dog";
                         a->kind = VelCharacterAnimal::kCompanion;
                         auto* feature = new VelEntityFeature();
                         feature->featureId = 31;
                         feature->value = 2;
                         feature->extra = 0x11;
                         a->features.Append(feature);
                         feature->Release();
                         return a;
                     },
                     AnimalBody()});
    return cases;
}

class PartsFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        VelWeaponInfo dagger;
        dagger.name = "Dagger";
        db.Section(VelDatabase::kTagItem).Add(kItemRecordId, dagger);
        ASSERT_TRUE(db.Load());
    }

    DbFixture db;
};

TEST_F(PartsFileTest, Version2BodiesAreExactAndReadBackToTheSameBytes)
{
    for (const PartCase& c : Cases())
    {
        SCOPED_TRACE(c.name);
        auto part = Owned(c.make());
        ASSERT_EQ(part->GetClassName(), c.name);
        EXPECT_EQ(StoreBody(*part), c.body.bytes);

        // Only skills and items read differently from version 1 bodies.
        const std::string name = c.name;
        const bool versioned = name == "VelCharacterSkill" || name == "VelCharacterItem";
        for (std::uint16_t version : {2, 1})
        {
            if (version == 1 && versioned)
            {
                continue;
            }
            SCOPED_TRACE(version);
            auto loaded = Owned(FCClassRegistry::CreateByName(c.name));
            ASSERT_NE(loaded, nullptr);
            const LoadResult result = LoadBody(*loaded, c.body.bytes, version);
            EXPECT_FALSE(result.failed);
            EXPECT_EQ(result.remaining, 0u);
            // Storing writes every field, so equal bytes mean every field
            // was read into its own place.
            EXPECT_EQ(StoreBody(*loaded), c.body.bytes);
        }
    }
}

TEST_F(PartsFileTest, EveryShortBodyFailsTheArchive)
{
    QuietLog quiet;
    for (const PartCase& c : Cases())
    {
        SCOPED_TRACE(c.name);
        for (std::size_t length = 0; length < c.body.bytes.size(); ++length)
        {
            SCOPED_TRACE(length);
            auto part = Owned(FCClassRegistry::CreateByName(c.name));
            const Bytes cut(c.body.bytes.begin(),
                            c.body.bytes.begin() + static_cast<std::ptrdiff_t>(length));
            EXPECT_TRUE(LoadBody(*part, cut, 2).failed);
        }
    }
}

TEST_F(PartsFileTest, ClassStartingLevelAndFlagsAreNotStored)
{
    VelCharacterClass stored(2, 6);
    stored.startingLevel = 4;
    stored.flags = VelCharacterClass::kClassMark;
    const Bytes bytes = StoreBody(stored);
    EXPECT_EQ(bytes.size(), 4u + 12u + 60u + 1u + 2u);

    VelCharacterClass loaded;
    loaded.startingLevel = 9;
    loaded.flags = 1;
    ASSERT_FALSE(LoadBody(loaded, bytes, 2).failed);
    EXPECT_EQ(loaded.level, 6);
    EXPECT_EQ(loaded.startingLevel, 0);
    EXPECT_EQ(loaded.flags, 0);
}

TEST_F(PartsFileTest, Version1SkillHasNoFlags)
{
    ArchiveBytes b;
    b.Head().U16(12).U16(0xFFFF);
    for (int column = 0; column < 11; ++column)
    {
        b.F32(column == 10 ? 4.0f : 0.0f).F32(0.0f).U16(0);
    }
    ArchiveBytes withTrailer = b;
    withTrailer.U32(0xABCD); // the next field of the file, not the skill's

    VelCharacterSkill skill;
    skill.flags = VelCharacterSkill::kOverLimit;
    const LoadResult result = LoadBody(skill, withTrailer.bytes, 1);
    ASSERT_FALSE(result.failed);
    EXPECT_EQ(result.remaining, 4u);
    EXPECT_EQ(skill.flags, 0u);
    EXPECT_EQ(skill.subSkillId, VelCharacterSkill::kNoSubSkill);
    EXPECT_EQ(skill.GetRanks(10, VelCharacterSkill::kClassRanks), 4.0f);
}

TEST_F(PartsFileTest, Version1ItemKeepsInitialPriceFields)
{
    const ArchiveBytes b = ArchiveBytes().Head().U16(3).U32(1).U16(kItemRecordId).U16(2);
    VelItemInfo* record = VelDatabase::FindItem(kItemRecordId);
    const std::uint16_t tableReferences = record->GetRefCount();
    VelCharacterItem item;
    item.price = 99;
    item.coinKind = 0;
    item.options = 1;
    item.optionValue = 1;
    const LoadResult result = LoadBody(item, b.bytes, 1);
    ASSERT_FALSE(result.failed);
    EXPECT_EQ(result.remaining, 0u);
    EXPECT_EQ(item.itemKey, 3);
    EXPECT_EQ(item.count, 1u);
    EXPECT_EQ(item.placement, VelCharacterItem::kWornArmor);
    ASSERT_NE(item.GetHeldObject(), nullptr);
    EXPECT_EQ(item.GetHeldObject(), record);
    EXPECT_EQ(record->GetRefCount(), tableReferences + 1);
    EXPECT_EQ(item.price, 0u);
    EXPECT_EQ(item.coinKind, 2);
    EXPECT_EQ(item.options, 0u);
    EXPECT_EQ(item.optionValue, 0u);

    // Reading again lets go of the record held before.
    ASSERT_FALSE(LoadBody(item, b.bytes, 1).failed);
    EXPECT_EQ(record->GetRefCount(), tableReferences + 1);
}

TEST_F(PartsFileTest, ItemWithUnknownRecordHoldsNoneAndKeepsItsId)
{
    QuietLog quiet;
    VelCharacterItem item(1, VelDatabase::FindItem(kItemRecordId));
    const ArchiveBytes b =
        ArchiveBytes().Head().U16(1).U32(0).U16(900).U16(0).U32(0).U16(2).U32(0).U32(0);
    ASSERT_FALSE(LoadBody(item, b.bytes, 2).failed);
    EXPECT_EQ(item.GetHeldObject(), nullptr);
    EXPECT_EQ(item.GetName(), "");
    EXPECT_EQ(StoreBody(item), b.bytes);
    // A record set afterwards replaces the kept id.
    item.SetHeldObject(nullptr);
    EXPECT_EQ(
        StoreBody(item),
        ArchiveBytes().Head().U16(1).U32(0).U16(0xFFFF).U16(0).U32(0).U16(2).U32(0).U32(0).bytes);
}

TEST_F(PartsFileTest, AnimalFeaturesKeepTheirOwnModeAndCounts)
{
    for (std::uint16_t storedMode : {0, 1, 2})
    {
        SCOPED_TRACE(storedMode);
        ArchiveBytes feature;
        feature.U16(0xFFFF).Str("VelEntityFeature").Head().U16(8).U16(1).U32(0);
        // Six abilities and eight stats of nothing; a null element record in
        // the middle is skipped.
        ArchiveBytes b;
        b.Head().Str("Owl").Repeat(6 + 16, 0).U16(9)
            .U16(1)
            .Str("")
            .U16(1)
            .U16(storedMode)
            .U16(3)
            .Append(feature)
            .U16(0)
            .Append(feature);

        VelCharacterAnimal animal;
        ASSERT_FALSE(LoadBody(animal, b.bytes, 2).failed);
        EXPECT_EQ(animal.features.GetMode(), FCOwnership::kRefCounted);
        ASSERT_EQ(animal.features.GetCount(), 2u);
        for (std::int32_t i = 0; i < 2; ++i)
        {
            EXPECT_EQ(animal.features.GetAt(i)->GetRefCount(), 1);
        }
        EXPECT_EQ(animal.name, "Owl");
        EXPECT_EQ(animal.kind, VelCharacterAnimal::kFamiliar);
    }
}

TEST_F(PartsFileTest, AnimalFeatureListRefusesOtherObjects)
{
    QuietLog quiet;
    ArchiveBytes b;
    b.Head().Str("Owl").Repeat(6 + 16, 0).U16(9)
        .U16(1)
        .Str("")
        .U16(1)
        .U16(2)
        .U16(1)
        .U16(0xFFFF)
        .Str("VelCharacterLanguage")
        .Head()
        .U16(1)
        .U32(0);
    VelCharacterAnimal animal;
    EXPECT_TRUE(LoadBody(animal, b.bytes, 2).failed);
    EXPECT_EQ(animal.features.GetCount(), 0u);
}

} // namespace
