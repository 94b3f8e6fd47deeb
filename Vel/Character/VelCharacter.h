#pragma once

#include "Fc/Core/FCObjectMap.h"
#include "Fc/Core/FCObjectSet.h"
#include "Fc/Core/FCObjectVector.h"
#include "Fc/Core/FCOwnership.h"
#include "Vel/Character/VelCoins.h"
#include "Vel/Character/VelEntity.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

class VelCharacterAnimal;
class VelCharacterClass;
class VelCharacterEquip;
class VelCharacterFeat;
class VelCharacterFeature;
class VelCharacterItem;
class VelCharacterLanguage;
class VelCharacterListener;
class VelCharacterSkill;
class VelCharacterSpell;
class VelClassFeatureInfo;
class VelItemInfo;

// The player character that the whole builder edits. It stores, finds, adds
// and removes; the rules compute everything derived. Every list owns its
// parts: removing a part from a list destroys it unless someone else still
// holds a reference.
class VelCharacter : public VelEntity
{
public:
    static constexpr const char* kClassName = "VelCharacter";
    // Body version written; version 1 bodies are still read.
    static constexpr std::uint16_t kVersion = 2;

    static constexpr std::size_t kValueCount = 23;
    static constexpr std::size_t kProficiencyCount = 6;
    static constexpr std::size_t kHitDieRollCount = 21;
    static constexpr std::int16_t kMaxLevel = 20;
    static constexpr std::size_t kGodSlotCount = 3;
    static constexpr std::size_t kSchoolSlotCount = 5;
    static constexpr std::size_t kNoteCount = 9;
    static constexpr std::uint16_t kNone = 0xFFFF;
    static constexpr std::int32_t kMaxHighCoins = 999999;

    // Values.
    static constexpr std::uint32_t kValueIncreasesToAssign = 0;
    static constexpr std::uint32_t kValueHeight = 1;         // inches
    static constexpr std::uint32_t kValueWeight = 2;         // pounds
    static constexpr std::uint32_t kValueAge = 3;            // years
    static constexpr std::uint32_t kValueExperience = 4;
    static constexpr std::uint32_t kValueFeatsAllowed = 5;
    static constexpr std::uint32_t kValueFeatsUsed = 6;
    static constexpr std::uint32_t kValueLanguagesAllowed = 7;
    static constexpr std::uint32_t kValueLanguagesChosen = 8;
    static constexpr std::uint32_t kValueLoad = 9;           // 0 light, 1 medium, 2 heavy, 4 over
    static constexpr std::uint32_t kValueMaxDexBonus = 10;
    static constexpr std::uint32_t kValueArmorBonus = 11;
    static constexpr std::uint32_t kValueShieldBonus = 12;
    static constexpr std::uint32_t kValueCheckPenalty = 13;
    static constexpr std::uint32_t kValueAttackPenalty = 14; // gear worn without proficiency
    static constexpr std::uint32_t kValueLoadCheckPenalty = 15;
    static constexpr std::uint32_t kValueFortitudeBonus = 16;
    static constexpr std::uint32_t kValueReflexBonus = 17;
    static constexpr std::uint32_t kValueSkillBonus = 18;
    static constexpr std::uint32_t kValueRunMultiplier = 19;
    static constexpr std::uint32_t kValueStepsUp = 20;
    static constexpr std::uint32_t kValueStepsDown = 21;
    static constexpr std::uint32_t kValueSetUpAsNew = 22;

    // School slots.
    static constexpr std::int16_t kSpecialtySlot = 0;
    static constexpr std::int16_t kSchoolChoiceSlot = 1;
    static constexpr std::int16_t kFirstProhibitedSlot = 2;

    // Change mask bits.
    static constexpr std::uint32_t kChangedStr = 0x1;
    static constexpr std::uint32_t kChangedDex = 0x2;
    static constexpr std::uint32_t kChangedCon = 0x4;
    static constexpr std::uint32_t kChangedInt = 0x8;
    static constexpr std::uint32_t kChangedWis = 0x10;
    static constexpr std::uint32_t kChangedCha = 0x20;
    static constexpr std::uint32_t kChangedArmorClass = 0x40;
    static constexpr std::uint32_t kChangedSpeed = 0x80;
    static constexpr std::uint32_t kChangedLoad = 0x100;
    static constexpr std::uint32_t kChangedSaves = 0x400;
    static constexpr std::uint32_t kChangedFeats = 0x8000;
    static constexpr std::uint32_t kChangedSkills = 0x10000;
    static constexpr std::uint32_t kChangedLanguages = 0x20000;
    static constexpr std::uint32_t kChangedSpells = 0x40000;
    static constexpr std::uint32_t kChangedSkillKinds = 0x80000;
    static constexpr std::uint32_t kChangedGod = 0x100000;

    // Prices the owned items when an old body is revalued. The item rules
    // install theirs; until then an item costs its record's base price.
    using ItemPricer = std::uint32_t (*)(const VelItemInfo& record, std::uint32_t options);
    static void SetItemPricer(ItemPricer pricer);
    // Weighs the owned items on the body when a file is read, since a file's
    // carried weight is never trusted; until the item rules install theirs,
    // an item weighs its record's weight.
    using ItemWeigher = float (*)(const VelItemInfo& record, std::uint32_t options);
    static void SetItemWeigher(ItemWeigher weigher);

    VelCharacter();
    // A copy is a new character in its initial state, lists empty.
    VelCharacter(const VelCharacter& other);
    VelCharacter& operator=(const VelCharacter&) = delete;
    ~VelCharacter() override;

    // Classes.
    VelCharacterClass* GetClassAt(std::int16_t index) const;
    VelCharacterClass* FindClass(std::uint16_t classId) const;
    std::uint16_t GetLastClassId() const;
    // A new entry at level 1, marked as new (the class mark).
    VelCharacterClass* AddClass(std::uint16_t classId);
    void RemoveLastClass();
    std::uint16_t GetTotalLevel() const;
    void GetLevelTotals(std::uint16_t& levels, std::uint16_t& startingLevels) const;
    // kNone when the character does not have the class.
    std::uint16_t GetClassLevel(std::uint16_t classId) const;
    bool HasClass(std::uint16_t classId) const;
    bool IsFormerMember(std::uint16_t classId) const;
    bool HasClassMark(std::uint16_t classId) const;
    void ClearClassMarks();
    void CommitClassLevels();

    // Skills, feats and spells. Inserts take a reference of their own and
    // return FCObjectSet::kRefused (taking nothing) for an equal entry.
    bool HasSkill(std::uint16_t skillId, std::uint16_t subSkillId) const;
    VelCharacterSkill* FindSkill(std::uint16_t skillId, std::uint16_t subSkillId) const;
    std::uint16_t AddSkill(VelCharacterSkill* skill);
    void RemoveSkill(VelCharacterSkill* skill);
    bool HasFeat(std::uint16_t featId, std::uint16_t choice, std::int16_t secondChoice) const;
    // The first entry in feat order with these three keys, whatever its class.
    VelCharacterFeat* FindFeat(std::uint16_t featId, std::uint16_t choice,
                               std::int16_t secondChoice) const;
    VelCharacterFeat* FindFeatEntry(const VelCharacterFeat& key) const;
    // How many times the feat was taken with exactly these choices, over
    // the entries of every class.
    std::int32_t CountFeat(std::uint16_t featId, std::uint16_t choice,
                           std::int16_t secondChoice) const;
    std::uint16_t InsertFeat(VelCharacterFeat* feat);
    void EraseFeat(VelCharacterFeat* feat);
    bool HasSpell(std::uint16_t spellId, std::uint16_t classId) const;
    VelCharacterSpell* FindSpell(const VelCharacterSpell& key) const;
    std::uint16_t AddSpell(VelCharacterSpell* spell);
    void RemoveSpell(VelCharacterSpell* spell);

    // Languages and owned items.
    VelCharacterLanguage* FindLanguage(std::uint16_t languageId) const;
    void AddLanguage(VelCharacterLanguage* language);
    void RemoveLanguage(std::uint16_t languageId);
    VelCharacterItem* FindItem(std::uint16_t itemKey) const;
    // A new entry under the next free key; null (logged) once the keys run
    // out of the signed 16-bit range.
    VelCharacterItem* AddItem(VelItemInfo* record);
    // Also empties the worn slot and the hands that held the entry, so that
    // nothing points at a destroyed item. Keys are reused lowest first.
    void RemoveItem(std::uint16_t itemKey);

    // Worn items.
    void WearItem(VelCharacterItem* item);
    void TakeOffItem(VelCharacterItem* item);
    std::uint16_t CountPairSlotsInUse() const;
    VelCharacterItem* GetWornArmor() const { return wornArmor; }
    VelCharacterItem* GetFirstShield() const { return firstShield; }
    VelCharacterItem* GetSecondShield() const { return secondShield; }

    // Equipment sets and features.
    VelCharacterEquip* AddEquip(const VelCharacterEquip& set);
    void RemoveEquip(VelCharacterEquip* set);
    bool IsItemUnequipped(std::uint16_t itemKey, const VelCharacterEquip* setToSkip) const;
    VelCharacterFeature* AddClassFeature(const VelClassFeatureInfo& row);
    void RemoveFeature(VelCharacterFeature* feature);
    VelCharacterFeature* FindClassFeature(const VelClassFeatureInfo& row) const;
    bool HasFeatureOfKind(std::uint16_t featureKind, std::uint16_t featureValue) const;

    // Animals.
    VelCharacterAnimal* FindAnimal(std::uint16_t animalId, std::uint16_t secondKey) const;
    VelCharacterAnimal* FindAnimalBySecondKey(std::uint16_t secondKey) const;
    // Makes this character the owner, then inserts (a reference of its own).
    std::uint16_t AddAnimal(VelCharacterAnimal* animal);
    void RemoveAnimal(VelCharacterAnimal* animal);

    // Money. Units are coin indexes: 0 counts x1, 1 x10, 2 x100.
    void SetCoins(std::int16_t coin, std::int32_t count);
    void AddCoins(std::int16_t coin, std::int32_t amount);
    std::int64_t GetMoneyInLowestCoin() const;
    bool CanAfford(std::int32_t amount, std::int32_t unit) const;
    // Coin 2 stops at kMaxHighCoins; money never goes below nothing.
    void AddMoney(std::int32_t amount, std::int32_t unit);
    // Spending more than the character holds leaves no money at all.
    void SpendMoney(std::int32_t amount, std::int32_t unit);
    void NormalizeMoney();

    // God (slot 0) and domains (slots 1 and 2), schools.
    void SetGodSlot(std::int16_t slot, std::uint16_t id);
    bool HasDomain(std::uint16_t domainId) const;
    bool HasAnyDomain() const;
    // Changing the school-choice slot empties the prohibited slots.
    void SetSchool(std::int16_t slot, std::uint16_t schoolId);
    bool HasSpecialtySchool() const;
    bool IsProhibitedSchool(std::uint16_t schoolId) const;
    std::int16_t CountProhibitedSchools() const;
    std::int16_t GetProhibitedSchoolsMax() const;

    // Race and alignment; empty texts and kNone when the record is missing.
    std::uint16_t GetSizeId() const;
    std::string GetRaceName() const;
    std::string GetAlignmentName() const;

    // Plain setters; an index out of range changes nothing (logged).
    void SetValue(std::uint32_t index, std::uint32_t value);
    void AddCarriedWeight(std::int32_t index, float pounds);
    void SetProficiency(std::int32_t index, std::uint8_t value);
    void SetBaseAbility(std::int16_t ability, std::uint16_t score);
    void SetAbilityIncrease(std::int16_t ability, std::uint16_t increase);
    // Levels 1 to 20; any other level reads 0 and stores nothing.
    std::uint16_t GetHitDieRoll(std::int16_t level) const;
    void SetHitDieRoll(std::int16_t level, std::uint16_t roll);

    // Tells the listener, then clears the change mask; without a listener
    // the mask stays. Either way the character counts as modified.
    void NotifyChanged();
    void SetListener(VelCharacterListener* newListener) { listener = newListener; }
    VelCharacterListener* GetListener() const { return listener; }

    // The character file body, versions 1 and 2. Loading expects a
    // character in its initial state; elements of the wrong class fail the
    // archive.
    void Serialize(FCArchive& ar) override;
    std::string GetClassName() const override { return kClassName; }
    std::string GetTypeName() const override { return kClassName; }
    FCObject* Clone() const override { return new VelCharacter(*this); }
    FCObject* CreateNew() const override { return new VelCharacter(); }

    // Recomputes every owned item's price and the owned-items value from
    // the item records (what an old body lacks).
    void RevalueOwnedItems();
    // The weight of everything on the body, recomputed from the records.
    float WeighItemsOnBody() const;
    // Whether an item on the body has no record to weigh it by.
    bool CarriesUnknownItem() const;

    std::uint16_t raceId = 0;
    std::uint16_t alignmentId = 9;
    // 0 male, 1 female.
    std::uint16_t sex = 0;
    std::array<std::uint32_t, kValueCount> values{};
    // Pounds.
    float carriedWeight = 0.0f;
    // Two weapon groups, three armour categories, shields.
    std::array<std::uint8_t, kProficiencyCount> proficiencies{};
    VelCoins money;
    // Coin 2 granted at set-up.
    std::uint32_t startingMoney = 0;
    // Prices of the owned items per coin kind.
    VelCoins ownedItemsValue;
    // By character level; index 0 unused.
    std::array<std::uint16_t, kHitDieRollCount> hitDieRolls{};
    std::uint16_t godId = kNone;
    std::array<std::uint16_t, 2> domainIds{kNone, kNone};
    // Specialty, school-choice option, three prohibited schools.
    std::array<std::uint16_t, kSchoolSlotCount> schoolSlots{kNone, 1, kNone, kNone, kNone};
    std::array<std::string, kNoteCount> notes;
    std::uint16_t nextItemKey = 0;
    // The class being advanced on the set-up pages.
    std::uint16_t currentClassId = kNone;
    std::uint32_t changeMask = 0;
    FCObjectVector classes{FCOwnership::kRefCounted};
    FCObjectSet skills{FCOwnership::kRefCounted};
    FCObjectSet feats{FCOwnership::kRefCounted};
    FCObjectSet spells{FCOwnership::kRefCounted};
    FCObjectMap languages{FCOwnership::kRefCounted};
    FCObjectMap items{FCOwnership::kRefCounted};
    // Point into items.
    VelCharacterItem* wornArmor = nullptr;
    VelCharacterItem* firstShield = nullptr;
    VelCharacterItem* secondShield = nullptr;
    FCObjectVector equipSets{FCOwnership::kRefCounted};
    FCObjectVector features{FCOwnership::kRefCounted};
    FCObjectSet animals{FCOwnership::kRefCounted};
    VelCharacterListener* listener = nullptr;
    // Cleared by saving.
    std::uint8_t modified = 1;
    std::string fileName;
    // Before racial adjustment and increases.
    std::array<std::uint16_t, kAbilityCount> baseAbilities{};
    std::array<std::uint16_t, kAbilityCount> abilityIncreases{};
    std::uint8_t averageHitDice = 1;
    std::uint16_t hitPointBonus = 0;
    // 0 rolled.
    std::uint16_t abilityMethod = 0;
    // Items are not paid for; not saved.
    std::uint8_t freeItems = 0;

private:
    void ReadBody(FCArchive& ar);
    void WriteBody(FCArchive& ar);
    // The owned entry under key, when it is on the body and of the slot's
    // kind (item type code); else the slot stays empty.
    void RestoreWornItem(VelCharacterItem*& slot, std::uint16_t key, std::uint16_t typeCode) const;
    // Armour or a shield on the body that no slot names takes the free slot
    // of its kind, or is taken off when none is free.
    void SeatUnslottedWornItems();
    // Money below nothing becomes nothing.
    void FloorMoney();
};
