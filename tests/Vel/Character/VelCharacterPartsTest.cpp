#include "Fc/Core/FCClassRegistry.h"
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
#include "Vel/Db/VelAnimalFeatureInfo.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFamiliarFeatureInfo.h"
#include "Vel/Db/VelFeatInfo.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Db/VelGoodsInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelSchoolInfo.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelSubSkillInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "Vel/Rules/VelEquipRules.h"
#include "support/DbFixture.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
template <class T> std::unique_ptr<T, void (*)(T*)> Owned(T* object)
{
    return {object, [](T* o) { o->Release(); }};
}

// ---- orders ---------------------------------------------------------------

struct OrderCase
{
    const char* what;
    std::function<FCObject*()> a;
    std::function<FCObject*()> b;
    bool aBeforeB;
    bool bBeforeA;
};

VelCharacterFeat* Feat(std::uint16_t id, std::uint16_t choice, std::uint16_t second,
                       std::uint16_t classId, std::uint32_t flags = 0)
{
    auto* feat = new VelCharacterFeat(id, choice, second, classId);
    feat->flags = flags;
    return feat;
}

TEST(PartOrderTest, IsLessComparesSignedKeysInTurn)
{
    const std::vector<OrderCase> cases = {
        {"skill id first", [] { return new VelCharacterSkill(1, 9); },
         [] { return new VelCharacterSkill(2, 0); }, true, false},
        {"then sub-skill", [] { return new VelCharacterSkill(2, 1); },
         [] { return new VelCharacterSkill(2, 3); }, true, false},
        {"no sub-skill is -1", [] { return new VelCharacterSkill(2, 0xFFFF); },
         [] { return new VelCharacterSkill(2, 0); }, true, false},
        {"skill ranks do not count",
         []
         {
             auto* s = new VelCharacterSkill(2, 1);
             s->SetRanks(0, VelCharacterSkill::kClassRanks, 4.0f);
             return s;
         },
         [] { return new VelCharacterSkill(2, 1); }, false, false},
        {"feat id first", [] { return Feat(3, 9, 9, 9); }, [] { return Feat(4, 0, 0, 0); }, true,
         false},
        {"class before choice", [] { return Feat(4, 9, 0, 1); }, [] { return Feat(4, 0, 0, 2); },
         true, false},
        {"then choice", [] { return Feat(4, 1, 9, 1); }, [] { return Feat(4, 2, 0, 1); }, true,
         false},
        {"then second choice", [] { return Feat(4, 1, 1, 1); }, [] { return Feat(4, 1, 2, 1); },
         true, false},
        {"no choice is -1", [] { return Feat(4, 0xFFFF, 0, 1); }, [] { return Feat(4, 0, 0, 1); },
         true, false},
        {"plain before bonus", [] { return Feat(4, 1, 1, 1); },
         [] { return Feat(4, 1, 1, 1, VelCharacterFeat::kBonusFeat); }, true, false},
        {"other flags do not count", [] { return Feat(4, 1, 1, 1, VelCharacterFeat::kFixed); },
         [] { return Feat(4, 1, 1, 1); }, false, false},
        {"count does not count",
         []
         {
             auto* f = Feat(4, 1, 1, 1);
             f->count = 3;
             return f;
         },
         [] { return Feat(4, 1, 1, 1); }, false, false},
        {"spell id first", [] { return new VelCharacterSpell(5, 9); },
         [] { return new VelCharacterSpell(6, 1); }, true, false},
        {"then class", [] { return new VelCharacterSpell(6, 1); },
         [] { return new VelCharacterSpell(6, 2); }, true, false},
        {"spell id 0x8000 is negative", [] { return new VelCharacterSpell(0x8000, 0); },
         [] { return new VelCharacterSpell(0x7FFF, 0); }, true, false},
        {"spell level does not count",
         []
         {
             auto* s = new VelCharacterSpell(6, 1);
             s->spellLevel = 3;
             return s;
         },
         [] { return new VelCharacterSpell(6, 1); }, false, false},
        {"animal id first", [] { return new VelCharacterAnimal(1, 9); },
         [] { return new VelCharacterAnimal(2, 0); }, true, false},
        {"then second key", [] { return new VelCharacterAnimal(2, 0xFFFF); },
         [] { return new VelCharacterAnimal(2, 0); }, true, false},
    };
    for (const OrderCase& c : cases)
    {
        SCOPED_TRACE(c.what);
        auto a = Owned(c.a());
        auto b = Owned(c.b());
        EXPECT_EQ(a->IsLess(*b), c.aBeforeB);
        EXPECT_EQ(b->IsLess(*a), c.bBeforeA);
    }
}

TEST(PartOrderTest, UnorderedPartsAreNeverLess)
{
    const std::vector<std::function<FCObject*()>> makers = {
        [] { return new VelCharacterClass(1, 1); },      [] { return new VelCharacterLanguage(1); },
        [] { return new VelCharacterItem(1, nullptr); }, [] { return new VelCharacterEquip(); },
        [] { return new VelEntityFeature(); },           [] { return new VelCharacterFeature(); }};
    for (const auto& make : makers)
    {
        auto a = Owned(make());
        auto b = Owned(make());
        SCOPED_TRACE(a->GetClassName());
        EXPECT_FALSE(a->IsLess(*b));
    }
    VelCharacterClass low(1, 1);
    VelCharacterClass high(2, 9);
    EXPECT_FALSE(low.IsLess(high));
    EXPECT_FALSE(high.IsLess(low));
}

// ---- skill ranks ----------------------------------------------------------

TEST(SkillRanksTest, KindsAndColumnsAreChecked)
{
    VelCharacterSkill skill(3, VelCharacterSkill::kNoSubSkill);
    skill.SetRanks(0, VelCharacterSkill::kClassRanks, 2.0f);
    skill.SetRanks(2, VelCharacterSkill::kCrossClassRanks, 1.5f);
    EXPECT_DOUBLE_EQ(skill.GetTotalRanks(), 3.5);

    struct Probe
    {
        std::int16_t column;
        std::int32_t kind;
        float expected;
    };
    for (const Probe& p : std::vector<Probe>{{0, 1, 2.0f},
                                             {0, 2, 0.0f},
                                             {2, 2, 1.5f},
                                             {2, 3, 0.0f},
                                             {0, 0, 0.0f},
                                             {-1, 1, 0.0f},
                                             {11, 1, 0.0f},
                                             {32767, 2, 0.0f}})
    {
        SCOPED_TRACE(testing::Message() << p.column << "/" << p.kind);
        EXPECT_EQ(skill.GetRanks(p.column, p.kind), p.expected);
    }

    // Writes to another kind or past the columns change nothing.
    QuietLog quiet;
    const VelCharacterSkill before = skill;
    skill.SetRanks(0, 0, 9.0f);
    skill.SetRanks(1, 3, 9.0f);
    skill.SetRanks(11, 1, 9.0f);
    skill.SetRanks(-1, 2, 9.0f);
    skill.SetColumnValue(11, 7);
    skill.SetColumnValue(-32768, 7);
    EXPECT_DOUBLE_EQ(skill.GetTotalRanks(), 3.5);
    for (std::int16_t column = 0; column < 11; ++column)
    {
        EXPECT_EQ(skill.GetColumnValue(column), before.GetColumnValue(column));
    }
    EXPECT_EQ(skill.GetColumnValue(11), 0);
    skill.SetColumnValue(10, 7);
    EXPECT_EQ(skill.GetColumnValue(10), 7);
}

// ---- items keep their records alive ---------------------------------------

TEST(ItemRecordTest, EntriesCountTheirReferences)
{
    auto* dagger = new VelWeaponInfo();
    auto* sword = new VelWeaponInfo();
    ASSERT_EQ(dagger->GetRefCount(), 1);
    {
        VelCharacterItem item(0, dagger);
        EXPECT_EQ(dagger->GetRefCount(), 2);
        auto copy = Owned(static_cast<VelCharacterItem*>(item.Clone()));
        EXPECT_EQ(copy->GetHeldObject(), dagger);
        EXPECT_EQ(dagger->GetRefCount(), 3);

        item.SetHeldObject(dagger); // the same record: no change
        EXPECT_EQ(dagger->GetRefCount(), 3);
        item.SetHeldObject(sword);
        EXPECT_EQ(dagger->GetRefCount(), 2);
        EXPECT_EQ(sword->GetRefCount(), 2);
        item.SetHeldObject(nullptr);
        EXPECT_EQ(sword->GetRefCount(), 1);
        EXPECT_EQ(item.GetHeldObject(), nullptr);
        item.SetHeldObject(sword);
    }
    EXPECT_EQ(dagger->GetRefCount(), 1);
    EXPECT_EQ(sword->GetRefCount(), 1);

    // An entry holding the last reference keeps the record alive until it
    // lets go, even when asked to take the same record again.
    auto* last = new VelWeaponInfo();
    last->name = "Last";
    {
        VelCharacterItem item(0, last);
        last->Release();
        item.SetHeldObject(item.GetHeldObject());
        ASSERT_EQ(item.GetHeldObject(), last);
        EXPECT_EQ(item.GetHeldObject()->name, "Last");
    }
    dagger->Release();
    sword->Release();
}

// ---- names from the database ----------------------------------------------

class PartNamesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        VelClassInfo fighter;
        fighter.name = "Fighter";
        db.Section(VelDatabase::kTagClass).Add(1, fighter).EndSection();

        VelSkillInfo craft;
        craft.name = "Craft";
        craft.displayName = "Craft Skill";
        VelSkillInfo climb;
        climb.name = "Climb";
        db.Section(VelDatabase::kTagSkill).Add(4, craft).Add(5, climb).EndSection();
        VelSubSkillInfo pottery(4, 2);
        pottery.name = "Pottery";
        db.Section(VelDatabase::kTagSubSkill).Add(4, pottery).EndSection();

        const auto feat = [](const char* name, const char* display, std::uint16_t kind)
        {
            VelFeatInfo f;
            f.name = name;
            f.displayName = display;
            f.choiceKind = kind;
            return f;
        };
        db.Section(VelDatabase::kTagFeat)
            .Add(10, feat("Toughness", "", 0))
            .Add(11, feat("Weapon Focus", "Focus", VelFeatInfo::kChoiceItem))
            .Add(12, feat("Skill Focus", "", VelFeatInfo::kChoiceSkill))
            .Add(13, feat("Spell Focus", "", VelFeatInfo::kChoiceSchool))
            .Add(14, feat("Extra Turning", "Turning", 4))
            .Add(15, feat("Odd", "", 9))
            .EndSection();

        VelSchoolInfo evocation;
        evocation.name = "Evocation";
        db.Section(VelDatabase::kTagSchool).Add(6, evocation).EndSection();

        VelWeaponInfo dagger;
        dagger.name = "Dagger";
        db.Section(VelDatabase::kTagItem).Add(7, dagger).EndSection();

        VelSpellInfo light;
        light.name = "LIGHT";
        light.displayName = "Light";
        db.Section(VelDatabase::kTagSpell).Add(20, light).EndSection();

        const auto feature = [](const char* text, std::uint16_t kind)
        {
            VelFeatureInfo f;
            f.text = text;
            f.kind = kind;
            return f;
        };
        db.Section(VelDatabase::kTagFeature)
            .Add(30, feature("Bonus of %d", VelFeatureInfo::kKindAbilityModifier))
            .Add(31, feature("Reach %d ft", 0))
            .Add(32, feature("Scent", VelFeatureInfo::kKindEnemy))
            .EndSection();

        // Wolf, rat, beetle, cloud, shadow, mote and toad by their hit dice.
        db.Section(VelDatabase::kTagAnimal);
        std::int16_t key = 40;
        for (const float hitDice : {2.0f, 0.5f, 0.25f, 0.0f, -1.0f, 1e-30f, 1.9f})
        {
            VelAnimalInfo animal;
            animal.hitDice = hitDice;
            db.Add(key++, animal);
        }
        db.EndSection();
        ASSERT_TRUE(db.Load());
    }

    DbFixture db;
};

TEST_F(PartNamesTest, ClassNames)
{
    VelCharacterClass cls(1, 3);
    EXPECT_EQ(cls.GetName(), "Fighter");
    cls.formerMember = 1;
    EXPECT_EQ(cls.GetName(), "Ex-Fighter");
    EXPECT_EQ(VelCharacterClass(2, 1).GetName(), "");
}

TEST_F(PartNamesTest, SkillNames)
{
    EXPECT_EQ(VelCharacterSkill(5, VelCharacterSkill::kNoSubSkill).GetName(), "Climb");
    EXPECT_EQ(VelCharacterSkill(4, VelCharacterSkill::kNoSubSkill).GetName(), "Craft");
    EXPECT_EQ(VelCharacterSkill(4, 2).GetName(), "Craft Skill (Pottery)");
    EXPECT_EQ(VelCharacterSkill(4, 3).GetName(), "Craft Skill");
    EXPECT_EQ(VelCharacterSkill(99, 2).GetName(), "");
}

TEST_F(PartNamesTest, FeatNames)
{
    struct Case
    {
        std::uint16_t feat;
        std::int16_t count;
        std::uint16_t choice;
        std::uint16_t second;
        const char* expected;
    };
    const std::uint16_t none = VelCharacterFeat::kNoChoice;
    for (const Case& c : std::vector<Case>{
             {10, 1, none, none, "Toughness"},
             {10, 3, none, none, "Toughness x3"},
             {11, 1, 7, none, "Focus Dagger"},
             {11, 2, 7, none, "Focus x2 Dagger"},
             {11, 1, 8, none, "Focus "}, // the item is gone
             {12, 1, 5, none, "Skill Focus Climb"},
             {12, 1, 4, 2, "Skill Focus Craft Pottery"},
             {13, 1, 6, none, "Spell Focus Evocation"},
             {14, 1, 2, none, "Turning (2)"},
             {14, 1, 40000, none, "Turning (40000)"},
             {15, 1, 1, none, "Odd "},
             {99, 1, none, none, ""},
         })
    {
        VelCharacterFeat feat(c.feat, c.choice, c.second, 0);
        feat.count = c.count;
        EXPECT_EQ(feat.GetName(), c.expected);
    }
}

TEST_F(PartNamesTest, ItemNames)
{
    struct Case
    {
        std::uint32_t options;
        std::uint32_t count;
        const char* expected;
    };
    for (const Case& c : std::vector<Case>{
             {0, 0, "Dagger"},
             {VelCharacterItem::kMasterwork, 0, "Dagger MW"},
             {VelCharacterItem::kMasterwork | VelCharacterItem::kEnhanced, 2, "Dagger MW"},
             {VelCharacterItem::kEnhanced, 2, "Dagger +2"},
             {VelCharacterItem::kSpellBased, 20, "Dagger Light"},
             {VelCharacterItem::kSpellBased, 21, "Dagger"},
             {VelCharacterItem::kSpellBased, 0x10014, "Dagger"}, // low bits would find 20
             {VelCharacterItem::kSmall, 2, "Dagger"},
         })
    {
        VelCharacterItem item(0, VelDatabase::FindItem(7));
        item.options = c.options;
        item.count = c.count;
        EXPECT_EQ(item.GetName(), c.expected);
    }
    EXPECT_EQ(VelCharacterItem(0, nullptr).GetName(), "");
}

TEST_F(PartNamesTest, FeatureTextsCountTheChaModifierAndLeaveTheValue)
{
    VelEntity entity;
    entity.abilities[VelEntity::kInt] = 18;
    struct Case
    {
        std::uint16_t feature;
        std::int16_t value;
        std::uint16_t chaScore;
        const char* expected;
        const char* name;
    };
    for (const Case& c : std::vector<Case>{
             {30, 7, 14, "Bonus of 2", " (3 + 2)"},
             {30, 7, 6, "Bonus of %d", " (3 - 2)"}, // once a day
             {31, 10, 18, "Reach 10 ft", ""},
             {31, -1, 18, "Reach %d ft", ""},
             {99, 3, 18, "", ""},
         })
    {
        VelCharacterFeature feature;
        feature.featureId = c.feature;
        feature.value = c.value;
        entity.abilities[VelEntity::kCha] = c.chaScore;
        EXPECT_EQ(feature.GetText(&entity), c.expected);
        EXPECT_EQ(feature.GetName(&entity), c.name);
        EXPECT_EQ(feature.value, c.value);
    }
    VelEntityFeature noEntity;
    noEntity.featureId = 30;
    noEntity.value = 4;
    EXPECT_EQ(noEntity.GetText(nullptr), "Bonus of 4");
}

TEST_F(PartNamesTest, GroupSizeCountsSmallCompanions)
{
    struct Case
    {
        std::uint16_t animal;
        std::uint16_t kind;
        std::uint16_t expected;
    };
    for (const Case& c : std::vector<Case>{
             {40, VelCharacterAnimal::kCompanion, 1},
             {41, VelCharacterAnimal::kCompanion, 4},
             {42, VelCharacterAnimal::kCompanion, 8},
             {46, VelCharacterAnimal::kCompanion, 1},
             {43, VelCharacterAnimal::kCompanion, 1},
             {44, VelCharacterAnimal::kCompanion, 1},
             {45, VelCharacterAnimal::kCompanion, 32767},
             {99, VelCharacterAnimal::kCompanion, 1},
             {41, VelCharacterAnimal::kFamiliar, 1},
             {41, VelCharacterAnimal::kMount, 1},
         })
    {
        SCOPED_TRACE(testing::Message() << c.animal << "/" << c.kind);
        VelCharacterAnimal animal(c.animal, 3);
        animal.kind = c.kind;
        EXPECT_EQ(animal.GetGroupSize(), c.expected);
    }
}

TEST_F(PartNamesTest, AnimalFeaturesAreAddedAndFoundByKind)
{
    VelCharacterAnimal animal(40, 3);
    VelAnimalFeatureInfo scent;
    scent.featureId = 32;
    scent.value = 5;
    VelFamiliarFeatureInfo reach;
    reach.featureId = 31;
    reach.value = 0xFFFF;
    VelEntityFeature* first = animal.AddAnimalFeature(scent);
    VelEntityFeature* second = animal.AddFamiliarFeature(reach);
    ASSERT_EQ(animal.features.GetCount(), 2u);
    EXPECT_EQ(animal.features.GetAt(0), first);
    EXPECT_EQ(animal.features.GetAt(1), second);
    EXPECT_EQ(first->GetRefCount(), 1);
    EXPECT_EQ(first->value, 5);
    EXPECT_EQ(second->value, -1);

    EXPECT_TRUE(animal.HasFeatureOfKind(VelFeatureInfo::kKindEnemy, 5));
    EXPECT_FALSE(animal.HasFeatureOfKind(VelFeatureInfo::kKindEnemy, 4));
    EXPECT_FALSE(animal.HasFeatureOfKind(VelFeatureInfo::kKindItem, 5));
    EXPECT_TRUE(animal.HasFeatureOfKind(0, 0xFFFF));

    // A feature whose record is gone is skipped, not dereferenced.
    VelAnimalFeatureInfo lost;
    lost.featureId = 99;
    lost.value = 5;
    animal.AddAnimalFeature(lost);
    EXPECT_FALSE(animal.HasFeatureOfKind(0, 5));
}

TEST_F(PartNamesTest, AnimalCloneHasFeaturesOfItsOwn)
{
    VelCharacterAnimal animal(41, 3);
    animal.name = "Squeak";
    animal.text = "notes";
    animal.kind = VelCharacterAnimal::kCompanion;
    VelAnimalFeatureInfo scent;
    scent.featureId = 32;
    scent.value = 5;
    animal.AddAnimalFeature(scent);

    auto copy = Owned(static_cast<VelCharacterAnimal*>(animal.Clone()));
    EXPECT_EQ(copy->animalId, 41);
    EXPECT_EQ(copy->secondKey, 3);
    EXPECT_EQ(copy->text, "notes");
    EXPECT_EQ(copy->kind, VelCharacterAnimal::kCompanion);
    EXPECT_EQ(copy->owner, animal.owner);
    EXPECT_EQ(copy->name, "Unknown"); // every entity copy starts fresh
    ASSERT_EQ(copy->features.GetCount(), 1u);
    EXPECT_NE(copy->features.GetAt(0), animal.features.GetAt(0));
    EXPECT_EQ(static_cast<VelEntityFeature*>(copy->features.GetAt(0))->featureId, 32);
    EXPECT_TRUE(copy->HasFeatureOfKind(VelFeatureInfo::kKindEnemy, 5));
    animal.features.Clear();
    EXPECT_EQ(copy->features.GetCount(), 1u);
}

// ---- equipment modes -------------------------------------------------------

TEST(EquipModeTest, SlotsAreChecked)
{
    QuietLog quiet;
    VelCharacterEquip equip;
    equip.SetSlot(1, 4);
    EXPECT_FALSE(equip.IsEmpty());
    EXPECT_TRUE(equip.HoldsItem(4));
    EXPECT_FALSE(equip.HoldsItem(5));
    equip.SetSlot(2, 5);
    equip.SetSlot(-1, 5);
    EXPECT_FALSE(equip.HoldsItem(5));
    equip.SetSlot(1, VelCharacterEquip::kEmptySlot);
    EXPECT_TRUE(equip.IsEmpty());
}

class EquipUpdateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        VelRaceInfo human;
        human.sizeId = 4;
        db.Section(VelDatabase::kTagRace).Add(1, human).EndSection();
        const auto weapon = [](std::int16_t size, std::uint16_t handedness)
        {
            VelWeaponInfo w;
            w.size = size;
            w.handedness = handedness;
            return w;
        };
        db.Section(VelDatabase::kTagItem)
            .Add(1, weapon(1, 1)) // light: one hand (1)
            .Add(2, weapon(2, 2)) // one or two hands (3)
            .Add(3, weapon(3, 2)) // two hands (2)
            .Add(4, weapon(3, 3)) // two hands, the other grip (6)
            .Add(5, weapon(4, 1)) // too large (0)
            .Add(6, VelGoodsInfo())
            .EndSection();
        ASSERT_TRUE(db.Load());
        character.raceId = 1;
        for (std::uint16_t id = 1; id <= 6; ++id)
        {
            // Item keys 0 to 5 hold records 1 to 6.
            ASSERT_NE(character.AddItem(VelDatabase::FindItem(id)), nullptr);
        }
    }

    DbFixture db;
    VelCharacter character;
};

TEST_F(EquipUpdateTest, GripFallsBackToTheDefaultOfWhatTheHandsHold)
{
    constexpr std::uint16_t none = VelCharacterEquip::kEmptySlot;
    struct Case
    {
        const char* what;
        std::uint16_t first;
        std::uint16_t second;
        std::int16_t grip;
        std::uint32_t flags;
        bool wasAllowed;
        std::int16_t gripAfter;
    };
    for (const Case& c : std::vector<Case>{
             {"empty, one hand", none, none, 0, 0x10, true, 0},
             {"empty, two hands", none, none, 2, 0x10, false, 0},
             {"two items", 0, 1, 0, 0x08, false, 4},
             {"two items, any grip", 0, 1, 1, 0x08, true, 1},
             {"light weapon", 0, none, 4, 0x01, false, 0},
             {"light weapon in the second hand", none, 0, 2, 0x01, false, 0},
             {"versatile weapon", 1, none, 2, 0x03, true, 2},
             {"versatile weapon, two weapons", 1, none, 4, 0x03, false, 0},
             {"two-handed weapon", 2, none, 0, 0x02, false, 2},
             {"other two-handed grip", 3, none, 0, 0x06, false, 3},
             {"other two-handed grip kept", 3, none, 2, 0x06, true, 2},
             {"too large", 4, none, 0, 0x00, false, 0},
             {"goods are no weapon", 5, none, 3, 0x00, false, 0},
             {"no such item", 40, none, 1, 0x00, true, 1},
             {"a grip past the known ones", 0, 1, 7, 0x08, true, 7},
             {"a negative grip", none, none, -1, 0x10, true, -1},
         })
    {
        SCOPED_TRACE(c.what);
        QuietLog quiet;
        VelCharacterEquip equip;
        equip.SetSlot(0, c.first);
        equip.SetSlot(1, c.second);
        equip.gripMode = c.grip;
        EXPECT_EQ(equip.UpdateModes(&character), c.wasAllowed);
        EXPECT_EQ(equip.allowedModes, c.flags);
        EXPECT_EQ(equip.gripMode, c.gripAfter);
    }
}

TEST_F(EquipUpdateTest, WithoutACharacterOrRaceNoWeaponFits)
{
    QuietLog quiet;
    VelCharacterEquip equip;
    equip.SetSlot(0, 0);
    EXPECT_FALSE(equip.UpdateModes(nullptr));
    EXPECT_EQ(equip.allowedModes, 0u);
    character.raceId = 9;
    equip.UpdateModes(&character);
    EXPECT_EQ(equip.allowedModes, 0u);
    EXPECT_EQ(GetWeaponHandCode(&character, VelDatabase::FindItem<VelWeaponInfo>(1)), 0);
    character.raceId = 1;
    EXPECT_EQ(GetWeaponHandCode(&character, VelDatabase::FindItem<VelWeaponInfo>(1)), 1);
    EXPECT_EQ(GetWeaponHandCode(&character, nullptr), 0);
}
} // namespace
