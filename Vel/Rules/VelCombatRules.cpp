#include "Vel/Rules/VelCombatRules.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCObjectVector.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterEquip.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Db/VelArmorInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelClassLevelInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelProfWeaponInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelShieldInfo.h"
#include "Vel/Db/VelSizeInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel/Rules/VelEquipRules.h"
#include "Vel/Rules/VelPhysicalRules.h"
#include "Vel/Rules/VelRulesWalk.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace
{
using C = VelCharacter;

constexpr std::int16_t kSaveCount = 3;
constexpr std::int16_t kArmorClassBase = 10;
constexpr std::int16_t kGoodSaveBonus = 2;
constexpr std::int16_t kSaveFeatBonus = 2;
constexpr std::int16_t kInitiativeFeatBonus = 4;
constexpr std::int16_t kFastMovementBonus = 10;
constexpr std::int16_t kNonProficientAttack = -4;
constexpr std::int16_t kWeaponFeatDamage = 2;
constexpr std::uint16_t kHeavyArmor = 2;
constexpr std::uint16_t kNoExtraValue = 0xFFFF;
// Martial artist: one more armour point every five levels.
constexpr std::int16_t kArmorBonusLevels = 5;

// Weapon categories.
constexpr std::int16_t kSimpleWeapon = 0;
constexpr std::int16_t kMartialWeapon = 1;
constexpr std::int16_t kExoticWeapon = 2;
constexpr std::int16_t kNaturalWeapon = 3;

// Weapon damage styles.
constexpr std::uint16_t kDamageWithStrength = 0;
constexpr std::uint16_t kDamageOnlyWeakness = 2;

// Per saving-throw type: its ability, the feat that adds to it and the
// character value that does.
struct SaveSource
{
    std::int16_t ability;
    std::uint16_t feat;
    std::uint32_t value;
};

constexpr std::array<SaveSource, kSaveCount> kSaveSources{{
    {VelEntity::kCon, VelIds::kFeatFortitudeBonus, C::kValueFortitudeBonus},
    {VelEntity::kDex, VelIds::kFeatReflexBonus, C::kValueReflexBonus},
    {VelEntity::kWis, VelIds::kFeatWillBonus, kNoExtraValue},
}};

// Per load category (3 stands for the overloaded 4): starting maximum DEX,
// speed, speed of the slow races and run multiplier.
struct LoadRow
{
    std::int16_t maxDex;
    std::int16_t speed;
    std::int16_t slowSpeed;
    std::int16_t runMultiplier;
};

constexpr std::array<LoadRow, 4> kLoadRows{{
    {20, 30, 20, 4},
    {3, 20, 15, 4},
    {1, 20, 15, 3},
    {1, 0, 0, 3},
}};

// Heavy armour slows a run as a heavy load does; Run quickens only the
// unhindered run.
constexpr std::int16_t kHinderedRunMultiplier = 3;
constexpr std::int16_t kRunFeatMultiplier = 5;

constexpr std::array<std::int16_t, 3> kLoadCheckPenalties{0, -3, -6};

// Per armour category: the proficiency flag and the feat that also gives it.
struct ArmorProficiency
{
    std::int32_t flag;
    std::uint16_t feat;
};

constexpr std::array<ArmorProficiency, 3> kArmorProficiencies{{
    {kProficiencyLightArmor, VelIds::kFeatLightArmorProficiency},
    {kProficiencyMediumArmor, VelIds::kFeatMediumArmorProficiency},
    {kProficiencyHeavyArmor, VelIds::kFeatHeavyArmorProficiency},
}};

std::int16_t Modifier(const VelCharacter& c, std::int16_t ability)
{
    return GetAbilityModifier(
        static_cast<std::int16_t>(c.abilities[static_cast<std::size_t>(ability)]));
}

std::int32_t Value(const VelCharacter& c, std::uint32_t index)
{
    return static_cast<std::int32_t>(c.values[index]);
}

void StoreValue(VelCharacter& c, std::uint32_t index, std::int32_t value)
{
    c.SetValue(index, static_cast<std::uint32_t>(value));
}

void StoreStat(VelCharacter& c, std::uint32_t index, std::int32_t value)
{
    c.SetStat(index, static_cast<std::uint32_t>(value));
}

bool HasPlainFeat(const VelCharacter& c, std::uint16_t featId)
{
    return c.HasFeat(featId, VelCharacterFeat::kNoChoice,
                     static_cast<std::int16_t>(VelCharacterFeat::kNoChoice));
}

// The feat taken for this item (a weapon feat's choice).
bool HasFeatFor(const VelCharacter& c, std::uint16_t featId, std::uint16_t itemId)
{
    return c.HasFeat(featId, itemId, static_cast<std::int16_t>(VelCharacterFeat::kNoChoice));
}

bool HasProficiencyFlag(const VelCharacter& c, std::int32_t flag)
{
    return c.proficiencies[static_cast<std::size_t>(flag)] != 0;
}

std::uint16_t IdOf(const VelInfo& record)
{
    return static_cast<std::uint16_t>(record.key);
}

const VelRaceInfo* RaceOf(const VelCharacter& c)
{
    const VelRaceInfo* race = VelDatabase::FindRace(c.raceId);
    if (!race)
        FC_LOG("No race %u: no racial combat values\n", static_cast<unsigned>(c.raceId));
    return race;
}

const VelClassInfo* ClassRecord(std::uint16_t classId)
{
    const VelClassInfo* record = VelDatabase::FindClass(classId);
    if (!record)
        FC_LOG("No class %u: no combat values from it\n", static_cast<unsigned>(classId));
    return record;
}

// The item's record when it is of the kind; an entry without a record (a
// database older than the character) counts as no item.
template <class T> const T* RecordOf(const VelItemInfo* record, std::uint16_t typeCode)
{
    return record && record->GetTypeCode() == typeCode ? static_cast<const T*>(record) : nullptr;
}

template <class T> const T* RecordOf(const VelCharacterItem* item, std::uint16_t typeCode)
{
    return item ? RecordOf<T>(item->GetHeldObject(), typeCode) : nullptr;
}

const VelArmorInfo* WornArmor(const VelCharacter& c)
{
    return RecordOf<VelArmorInfo>(c.wornArmor, VelItemInfo::kArmorCode);
}

const VelShieldInfo* ShieldIn(const VelCharacterItem* slot)
{
    return RecordOf<VelShieldInfo>(slot, VelItemInfo::kShieldCode);
}

const VelCharacterItem* HandItem(const VelCharacter& c, const VelCharacterEquip& set,
                                 std::int16_t hand)
{
    if (hand != kOffHand && hand != kMainHand)
        return nullptr;
    const std::uint16_t key = set.slots[static_cast<std::size_t>(hand)];
    return key == VelCharacterEquip::kEmptySlot ? nullptr : c.FindItem(key);
}

const VelWeaponInfo* HandWeapon(const VelCharacter& c, const VelCharacterEquip& set,
                                std::int16_t hand)
{
    return RecordOf<VelWeaponInfo>(HandItem(c, set, hand), VelItemInfo::kWeaponCode);
}

bool IsProficientWith(const VelCharacter& c, const VelWeaponInfo& weapon)
{
    switch (weapon.category)
    {
    case kSimpleWeapon:
        if (HasProficiencyFlag(c, kProficiencySimpleWeapons))
            return true;
        break;
    case kMartialWeapon:
        if (HasProficiencyFlag(c, kProficiencyMartialWeapons))
            return true;
        break;
    case kNaturalWeapon:
        return true;
    default:
        break;
    }
    const std::uint16_t id = IdOf(weapon);
    if (HasWeaponFamiliarity(&c, id))
        return true;
    if (weapon.category == kSimpleWeapon && HasPlainFeat(c, VelIds::kFeatSimpleWeaponProficiency))
        return true;
    if (weapon.category == kMartialWeapon &&
        HasFeatFor(c, VelIds::kFeatMartialWeaponProficiency, id))
        return true;
    if (weapon.category == kExoticWeapon && HasFeatFor(c, VelIds::kFeatExoticWeaponProficiency, id))
        return true;
    return c.HasFeatureOfKind(VelFeatureInfo::kKindItem, id);
}

bool IsProficientWith(const VelCharacter& c, const VelArmorInfo& armor)
{
    if (armor.category >= kArmorProficiencies.size())
        return false;
    const ArmorProficiency& p = kArmorProficiencies[armor.category];
    return HasProficiencyFlag(c, p.flag) || HasPlainFeat(c, p.feat);
}

// A penalty stays a penalty: the better make only lessens it.
std::int16_t ImprovedPenalty(std::uint16_t recordPenalty, std::uint32_t options)
{
    const auto penalty = static_cast<std::int16_t>(recordPenalty);
    const bool better =
        (options & (VelCharacterItem::kMasterwork | VelCharacterItem::kEnhanced)) != 0;
    return better && penalty < 0 ? static_cast<std::int16_t>(penalty + 1) : penalty;
}

std::int16_t Enhanced(std::uint16_t recordBonus, std::uint32_t options, std::int32_t enhancement)
{
    const std::int32_t extra = (options & VelCharacterItem::kEnhanced) != 0 ? enhancement : 0;
    return static_cast<std::int16_t>(recordBonus + extra);
}

std::int16_t ClassLevel(const VelCharacter& c, std::uint16_t classId)
{
    const std::uint16_t level = c.GetClassLevel(classId);
    return level == VelCharacter::kNone ? 0 : static_cast<std::int16_t>(level);
}

// The martial artist's class-level tables have a column for small bodies.
std::size_t SmallColumn(const VelCharacter& c, bool smallRiderToo)
{
    const bool small = c.GetSizeId() == VelIds::kSizeSmall ||
                       (smallRiderToo && c.raceId == VelIds::kRaceSmallRider);
    return small ? 1 : 0;
}

const VelClassLevelInfo* LevelRow(std::int16_t level)
{
    const VelClassLevelInfo* row = VelDatabase::FindClassLevel(static_cast<std::uint16_t>(level));
    if (!row)
        FC_LOG("No class-level row %d\n", static_cast<int>(level));
    return row;
}

std::int16_t MartialArtistSpeed(const VelCharacter& c)
{
    const VelClassLevelInfo* row = LevelRow(ClassLevel(c, VelIds::kClassMartialArtist));
    return row ? static_cast<std::int16_t>(row->speedValues[SmallColumn(c, true)]) : 0;
}

bool IsAgile(const VelCharacter& c)
{
    return c.HasClass(VelIds::kClassTracker) && Value(c, C::kValueLoad) == kLoadLight &&
           GetWornArmorCategory(&c) < 1;
}
} // namespace

void ApplyClassProficiencies(VelCharacter* character)
{
    if (!character)
        return;
    VelRulesWalk::Each<VelCharacterClass>(
        character->classes,
        [&](const VelCharacterClass& entry)
        {
            if (const VelClassInfo* record = ClassRecord(entry.classId))
            {
                for (std::size_t i = 0; i < record->proficiencies.size(); ++i)
                {
                    if (record->proficiencies[i] != 0)
                        character->SetProficiency(static_cast<std::int32_t>(i), 1);
                }
            }
            return false;
        });
}

std::int16_t GetSavingThrow(const VelCharacter* character, std::int16_t type)
{
    std::int16_t base = 0;
    std::int16_t ability = 0;
    std::int16_t misc = 0;
    GetSavingThrowParts(character, type, base, ability, misc);
    return static_cast<std::int16_t>(base + ability + misc);
}

void GetSavingThrowParts(const VelCharacter* character, std::int16_t type, std::int16_t& base,
                         std::int16_t& ability, std::int16_t& misc)
{
    base = ability = misc = 0;
    if (!character || type < 0 || type >= kSaveCount)
        return;
    const VelCharacter& c = *character;
    std::int32_t baseSum = 0;
    std::int32_t miscSum = 0;
    VelRulesWalk::Each<VelCharacterClass>(c.classes,
                                          [&](const VelCharacterClass& entry)
                                          {
                                              baseSum += GetClassBaseSave(&entry, type);
                                              // Grace is a CHA bonus: a penalty takes nothing off.
                                              if (entry.classId == VelIds::kClassHolyKnight)
                                                  miscSum += std::max<std::int32_t>(
                                                      0, Modifier(c, VelEntity::kCha));
                                              return false;
                                          });
    const SaveSource& source = kSaveSources[static_cast<std::size_t>(type)];
    ability = Modifier(c, source.ability);
    if (HasPlainFeat(c, source.feat))
        miscSum += kSaveFeatBonus;
    if (source.value != kNoExtraValue)
        miscSum += Value(c, source.value);
    if (const VelRaceInfo* race = RaceOf(c))
        miscSum += static_cast<std::int16_t>(race->saveBonus[static_cast<std::size_t>(type)]);
    base = static_cast<std::int16_t>(baseSum);
    misc = static_cast<std::int16_t>(miscSum);
}

std::int16_t GetClassBaseSave(const VelCharacterClass* entry, std::int16_t type)
{
    if (!entry || type < 0 || type >= kSaveCount)
        return 0;
    const VelClassInfo* record = ClassRecord(entry->classId);
    if (!record)
        return 0;
    const std::int32_t level = entry->level;
    const bool good = record->goodSaves[static_cast<std::size_t>(type)] != 0;
    return static_cast<std::int16_t>(good ? level / 2 + kGoodSaveBonus : level / 3);
}

void ComputeSavingThrows(VelCharacter* character)
{
    if (!character)
        return;
    StoreStat(*character, VelEntity::kReflexSave, GetSavingThrow(character, kSaveReflex));
    StoreStat(*character, VelEntity::kFortitudeSave, GetSavingThrow(character, kSaveFortitude));
    StoreStat(*character, VelEntity::kWillSave, GetSavingThrow(character, kSaveWill));
}

std::int16_t GetBaseAttackBonus(const VelCharacter* character)
{
    if (!character)
        return 0;
    std::int32_t sum = 0;
    VelRulesWalk::Each<VelCharacterClass>(character->classes,
                                          [&](const VelCharacterClass& entry)
                                          {
                                              sum += GetClassBaseAttack(entry.classId, entry.level);
                                              return false;
                                          });
    return static_cast<std::int16_t>(sum);
}

std::int16_t GetClassBaseAttack(std::uint16_t classId, std::uint16_t level)
{
    const VelClassInfo* record = ClassRecord(classId);
    if (!record)
        return 0;
    const VelClassLevelInfo* row = LevelRow(static_cast<std::int16_t>(level));
    if (!row)
        return 0;
    if (record->baseAttackColumn >= row->baseAttack.size())
    {
        FC_LOG("Base attack column %u out of range\n",
               static_cast<unsigned>(record->baseAttackColumn));
        return 0;
    }
    return static_cast<std::int16_t>(row->baseAttack[record->baseAttackColumn]);
}

std::int16_t GetAttackBonusParts(const VelCharacter* character, bool ranged, std::int16_t& base,
                                 std::int16_t& ability, std::int16_t& size, std::int16_t& misc)
{
    base = ability = size = misc = 0;
    if (!character)
        return 0;
    const VelCharacter& c = *character;
    base = static_cast<std::int16_t>(c.stats[VelEntity::kBaseAttack]);
    ability = Modifier(c, ranged ? VelEntity::kDex : VelEntity::kStr);
    if (const VelRaceInfo* race = RaceOf(c))
        size = static_cast<std::int16_t>(race->attackSizeModifier);
    misc = GetArmorAttackPenalty(character);
    return static_cast<std::int16_t>(base + ability + size + misc);
}

std::int16_t GetInitiative(const VelCharacter* character)
{
    std::int16_t dexPart = 0;
    std::int16_t misc = 0;
    return GetInitiativeParts(character, dexPart, misc);
}

std::int16_t GetInitiativeParts(const VelCharacter* character, std::int16_t& dexPart,
                                std::int16_t& misc)
{
    dexPart = misc = 0;
    if (!character)
        return 0;
    dexPart = Modifier(*character, VelEntity::kDex);
    if (HasPlainFeat(*character, VelIds::kFeatInitiativeBonus))
        misc = kInitiativeFeatBonus;
    return static_cast<std::int16_t>(dexPart + misc);
}

void ComputeArmorClass(VelCharacter* character)
{
    if (!character)
        return;
    const std::int32_t armorClass = kArmorClassBase + Value(*character, C::kValueArmorBonus) +
                                    Value(*character, C::kValueShieldBonus) +
                                    GetDexBonusToArmorClass(character) +
                                    GetClassAndSizeArmorBonus(character, false);
    StoreStat(*character, VelEntity::kArmorClass, armorClass);
    character->changeMask |= C::kChangedArmorClass;
}

std::int16_t GetDexBonusToArmorClass(const VelCharacter* character)
{
    if (!character)
        return 0;
    const std::int16_t modifier = Modifier(*character, VelEntity::kDex);
    const std::int32_t cap = Value(*character, C::kValueMaxDexBonus);
    return cap >= 0 ? static_cast<std::int16_t>(std::min<std::int32_t>(modifier, cap)) : modifier;
}

std::int16_t GetClassAndSizeArmorBonus(const VelCharacter* character, bool classOnly)
{
    if (!character)
        return 0;
    const VelCharacter& c = *character;
    std::int32_t bonus = 0;
    // A shield alone does not stop the unarmoured bonus.
    if (c.HasClass(VelIds::kClassMartialArtist) && GetWornArmorCategory(character) < 0)
    {
        // A Wisdom bonus adds to the training; a Wisdom penalty takes nothing off it.
        const std::int32_t levels = ClassLevel(c, VelIds::kClassMartialArtist) / kArmorBonusLevels;
        bonus = std::max<std::int32_t>(0, Modifier(c, VelEntity::kWis)) + levels;
    }
    if (!classOnly)
        bonus += GetSizeModifier(character);
    return static_cast<std::int16_t>(bonus);
}

std::int16_t GetSizeModifier(const VelCharacter* character)
{
    if (!character)
        return 0;
    const VelRaceInfo* race = RaceOf(*character);
    if (!race)
        return 0;
    if (const VelSizeInfo* size = VelDatabase::FindSize(race->sizeId))
        return size->sizeModifier;
    FC_LOG("No size %u: no size modifier\n", static_cast<unsigned>(race->sizeId));
    return 0;
}

std::int16_t GetWornArmorCategory(const VelCharacter* character)
{
    if (!character)
        return kNoArmorNoShield;
    if (const VelArmorInfo* armor = WornArmor(*character))
        return static_cast<std::int16_t>(armor->category);
    if (ShieldIn(character->firstShield) || ShieldIn(character->secondShield))
        return kNoArmorShieldOnly;
    return kNoArmorNoShield;
}

void ComputeEncumbrance(VelCharacter* character)
{
    if (!character)
        return;
    VelCharacter& c = *character;
    const std::int16_t load = GetLoadCategory(character);
    LoadRow row =
        kLoadRows[load == kLoadOverloaded ? kLoadRows.size() - 1 : static_cast<std::size_t>(load)];
    if (const VelArmorInfo* armor = WornArmor(c))
    {
        row.maxDex = std::min(row.maxDex, static_cast<std::int16_t>(armor->maxDexBonus));
        row.speed = std::min(row.speed, static_cast<std::int16_t>(armor->speed));
        row.slowSpeed = std::min(row.slowSpeed, static_cast<std::int16_t>(armor->slowSpeed));
    }
    std::int16_t speed = GetRaceSpeedColumn(character) != 0 ? row.slowSpeed : row.speed;
    const std::int16_t category = GetWornArmorCategory(character);
    const bool berserker = c.HasClass(VelIds::kClassBerserker);
    if (berserker && category != kHeavyArmor && load <= kLoadMedium)
        speed = static_cast<std::int16_t>(speed + kFastMovementBonus);
    if (c.HasClass(VelIds::kClassMartialArtist) && category < 0 && load == kLoadLight)
    {
        const std::int16_t classSpeed = MartialArtistSpeed(c);
        if (classSpeed > 0 && !(berserker && speed >= classSpeed))
            speed = classSpeed;
    }
    StoreValue(c, C::kValueLoad, load);
    StoreStat(c, VelEntity::kSpeed, speed);
    StoreValue(c, C::kValueMaxDexBonus, row.maxDex);
    std::int16_t run = row.runMultiplier;
    if (category == kHeavyArmor)
        run = kHinderedRunMultiplier;
    else if (run > kHinderedRunMultiplier && HasPlainFeat(c, VelIds::kFeatRun))
        run = kRunFeatMultiplier;
    StoreValue(c, C::kValueRunMultiplier, run);
    c.changeMask |= C::kChangedSpeed | C::kChangedLoad;
    ApplyArmorValues(character);
}

void ApplyArmorValues(VelCharacter* character)
{
    if (!character)
        return;
    VelCharacter& c = *character;
    const std::int32_t load = Value(c, C::kValueLoad);
    const std::int32_t loadPenalty = kLoadCheckPenalties[static_cast<std::size_t>(
        std::clamp<std::int32_t>(load, 0, kLoadHeavy))];
    std::int32_t armorBonus = 0;
    std::int32_t shieldBonus = 0;
    std::int32_t checkPenalty = 0;
    std::int32_t attackPenalty = 0;
    if (const VelArmorInfo* armor = WornArmor(c))
    {
        armorBonus = GetArmorBonus(armor, c.wornArmor->options,
                                   static_cast<std::int32_t>(c.wornArmor->count));
        checkPenalty = GetArmorCheckPenalty(armor, c.wornArmor->options);
        if (!IsProficientWith(c, *armor))
            attackPenalty = checkPenalty;
    }
    const bool shieldProficient = HasShieldProficiency(character);
    for (const VelCharacterItem* slot : {c.firstShield, c.secondShield})
    {
        const VelShieldInfo* shield = ShieldIn(slot);
        if (!shield)
            continue;
        shieldBonus +=
            GetShieldBonus(shield, slot->options, static_cast<std::int32_t>(slot->count));
        const std::int16_t penalty = GetShieldCheckPenalty(shield, slot->options);
        checkPenalty += penalty;
        if (!shieldProficient)
            attackPenalty += penalty;
    }
    StoreValue(c, C::kValueCheckPenalty, std::min(checkPenalty, loadPenalty));
    StoreValue(c, C::kValueLoadCheckPenalty, loadPenalty);
    StoreValue(c, C::kValueAttackPenalty, attackPenalty);
    StoreValue(c, C::kValueArmorBonus, armorBonus);
    StoreValue(c, C::kValueShieldBonus, shieldBonus);
    ComputeArmorClass(character);
}

std::int16_t GetArmorBonus(const VelArmorInfo* armor, std::uint32_t options,
                           std::int32_t enhancement)
{
    return armor ? Enhanced(armor->armorBonus, options, enhancement) : 0;
}

std::int16_t GetArmorCheckPenalty(const VelArmorInfo* armor, std::uint32_t options)
{
    return armor ? ImprovedPenalty(armor->checkPenalty, options) : 0;
}

std::int16_t GetShieldBonus(const VelShieldInfo* shield, std::uint32_t options,
                            std::int32_t enhancement)
{
    return shield ? Enhanced(shield->shieldBonus, options, enhancement) : 0;
}

std::int16_t GetShieldCheckPenalty(const VelShieldInfo* shield, std::uint32_t options)
{
    return shield ? ImprovedPenalty(shield->checkPenalty, options) : 0;
}

bool GetArmorStats(const VelCharacter* character, const VelArmorInfo* armor, std::uint32_t options,
                   std::int32_t enhancement, std::int16_t& armorBonus, std::int16_t& maxDexBonus,
                   std::int16_t& checkPenalty, std::int16_t& spellFailure, std::int16_t& speed)
{
    armorBonus = maxDexBonus = checkPenalty = spellFailure = speed = 0;
    if (!armor)
        return false;
    armorBonus = GetArmorBonus(armor, options, enhancement);
    maxDexBonus = static_cast<std::int16_t>(armor->maxDexBonus);
    checkPenalty = GetArmorCheckPenalty(armor, options);
    spellFailure = static_cast<std::int16_t>(armor->spellFailure);
    speed = static_cast<std::int16_t>(GetRaceSpeedColumn(character) == 0 ? armor->speed : armor->slowSpeed);
    return true;
}

bool GetShieldStats(const VelCharacter*, const VelShieldInfo* shield, std::uint32_t options,
                    std::int32_t enhancement, std::int16_t& shieldBonus, std::int16_t& checkPenalty,
                    std::int16_t& spellFailure)
{
    shieldBonus = checkPenalty = spellFailure = 0;
    if (!shield)
        return false;
    shieldBonus = GetShieldBonus(shield, options, enhancement);
    checkPenalty = GetShieldCheckPenalty(shield, options);
    spellFailure = static_cast<std::int16_t>(shield->spellFailure);
    return true;
}

bool IsProficientWithWeapon(const VelCharacter* character, std::uint16_t weaponId)
{
    const auto* weapon =
        RecordOf<VelWeaponInfo>(VelDatabase::FindItem(weaponId), VelItemInfo::kWeaponCode);
    return character && weapon && IsProficientWith(*character, *weapon);
}

bool IsProficientWithArmor(const VelCharacter* character, std::uint16_t armorId)
{
    const auto* armor =
        RecordOf<VelArmorInfo>(VelDatabase::FindItem(armorId), VelItemInfo::kArmorCode);
    return character && armor && IsProficientWith(*character, *armor);
}

bool IsProficientWithWornArmor(const VelCharacter* character)
{
    if (!character)
        return false;
    const VelArmorInfo* armor = WornArmor(*character);
    return !armor || IsProficientWith(*character, *armor);
}

bool HasShieldProficiency(const VelCharacter* character)
{
    return character && (HasProficiencyFlag(*character, kProficiencyShields) ||
                         HasPlainFeat(*character, VelIds::kFeatShieldProficiency));
}

bool HasWornArmor(const VelCharacter* character)
{
    return character && WornArmor(*character);
}

bool HasWeaponFamiliarity(const VelCharacter* character, std::uint16_t weaponId)
{
    if (!character)
        return false;
    const VelCharacter& c = *character;
    const auto sizeId = static_cast<std::int16_t>(c.GetSizeId());
    bool familiar = false;
    VelDatabase::ForEach<VelProfWeaponInfo>(
        VelDatabase::kTagProfWeapon,
        [&](const VelProfWeaponInfo& row)
        {
            if (familiar || IdOf(row) != weaponId)
                return;
            if (row.classId < 0)
                familiar = row.raceId == c.raceId;
            else
                familiar = c.HasClass(static_cast<std::uint16_t>(row.classId)) &&
                           (row.minSize < 0 || sizeId >= row.minSize);
        });
    return familiar;
}

void CollectProficientWeapons(const VelCharacter* character, FCObjectVector& out)
{
    out.Clear();
    FCObjectMap* items = VelDatabase::GetMap(VelDatabase::kTagItem);
    if (!character || !items)
        return;
    FCObjectMap::Cursor walk = items->First();
    FCObject* object = nullptr;
    while (items->GetNext(object, &walk))
    {
        const auto* weapon =
            RecordOf<VelWeaponInfo>(static_cast<VelItemInfo*>(object), VelItemInfo::kWeaponCode);
        if (weapon && IsProficientWith(*character, *weapon))
            out.Append(object);
    }
}

std::int16_t GetWeaponAbilityModifier(const VelCharacter* character, const VelWeaponInfo* weapon)
{
    if (!character || !weapon)
        return 0;
    const std::int16_t str = Modifier(*character, VelEntity::kStr);
    const std::int16_t dex = Modifier(*character, VelEntity::kDex);
    if (HasFeatFor(*character, VelIds::kFeatDexterousAttack, IdOf(*weapon)))
        return std::max(str, dex);
    return weapon->ranged != 0 ? dex : str;
}

std::int16_t GetTwoWeaponPenalty(const VelCharacter* character, const VelCharacterEquip* set,
                                 std::int16_t hand)
{
    if (!character || !set)
        return 0;
    const bool main = hand == kMainHand;
    switch (set->gripMode)
    {
    case VelCharacterEquip::kTwoWeapons:
    {
        const bool emptyOffHand = set->slots[kOffHand] == VelCharacterEquip::kEmptySlot;
        const bool light =
            emptyOffHand || IsWeaponLight(character, HandWeapon(*character, *set, kOffHand));
        if (light)
            return main ? -4 : -8;
        return main ? -6 : -10;
    }
    case VelCharacterEquip::kTwoHands:
    case VelCharacterEquip::kTwoHandsAlt:
        return 0;
    default:
        return main ? 0 : -4;
    }
}

std::int16_t GetHandAttackAdjustment(const VelCharacter* character, const VelCharacterEquip* set,
                                     std::int16_t hand)
{
    if (!character || !set)
        return 0;
    const VelCharacter& c = *character;
    const bool agile = IsAgile(c);
    const std::int16_t style = set->gripMode;
    const bool twoWeapons = style == VelCharacterEquip::kTwoWeapons;
    std::int16_t adjustment = 0;
    if (hand == kOffHand && (style == VelCharacterEquip::kOneHand || twoWeapons) &&
        (HasPlainFeat(c, VelIds::kFeatOffHandTraining) || agile))
        adjustment += 4;
    if (twoWeapons && (HasPlainFeat(c, VelIds::kFeatTwoWeaponStyle) || agile))
        adjustment += 2;
    const VelWeaponInfo* weapon = HandWeapon(c, *set, hand);
    if (weapon && HasFeatFor(c, VelIds::kFeatWeaponTraining, IdOf(*weapon)))
        adjustment += 1;
    return adjustment;
}

std::int16_t GetArmorAttackPenalty(const VelCharacter* character)
{
    return character ? static_cast<std::int16_t>(Value(*character, C::kValueAttackPenalty)) : 0;
}

std::int16_t GetWeaponAttackBonus(const VelCharacter* character, const VelCharacterEquip* set,
                                  std::int16_t hand)
{
    if (!character || !set)
        return 0;
    const VelCharacter& c = *character;
    std::int32_t bonus = GetSizeModifier(character) + GetArmorAttackPenalty(character);
    const VelCharacterItem* item = HandItem(c, *set, hand);
    const VelWeaponInfo* weapon = HandWeapon(c, *set, hand);
    if (!weapon)
        return static_cast<std::int16_t>(bonus);
    if (!IsProficientWith(c, *weapon))
        bonus += kNonProficientAttack;
    // How it was made counts; the small size it was made in does not.
    if ((item->options & ~VelCharacterItem::kSmall) != 0)
        bonus += 1;
    if (c.raceId == VelIds::kRaceLightBlade && weapon->handedness == 1)
        bonus += 1;
    return static_cast<std::int16_t>(bonus);
}

std::int16_t GetDamageBonus(const VelCharacter* character, const VelCharacterEquip* set,
                            std::int16_t hand)
{
    if (!character || !set)
        return 0;
    const VelCharacter& c = *character;
    const VelWeaponInfo* weapon = HandWeapon(c, *set, hand);
    if (!weapon)
        return 0;
    const std::int32_t modifier = Modifier(c, VelEntity::kStr);
    std::int32_t bonus = 0;
    if (weapon->damageStyle == kDamageWithStrength)
    {
        bonus = modifier;
        const bool twoHanded = set->gripMode == VelCharacterEquip::kTwoHands;
        if (bonus > 0 && hand == kOffHand && !twoHanded)
            bonus /= 2;
        else if (bonus > 0 && twoHanded && weapon->strengthAndAHalf == 1)
            bonus = bonus * 3 / 2;
        const auto rating = static_cast<std::int16_t>(weapon->strengthRating);
        if (rating >= 1)
            bonus = std::min<std::int32_t>(bonus, rating);
    }
    else if (weapon->damageStyle == kDamageOnlyWeakness)
    {
        bonus = std::min(modifier, 0);
    }
    if (HasFeatFor(c, VelIds::kFeatWeaponMastery, IdOf(*weapon)))
        bonus += kWeaponFeatDamage;
    return static_cast<std::int16_t>(bonus);
}

void GetWeaponDamageDice(const VelCharacter* character, const VelWeaponInfo* weapon,
                         std::int16_t& count1, std::int16_t& sides1, std::int16_t& count2,
                         std::int16_t& sides2)
{
    count1 = sides1 = count2 = sides2 = -1;
    if (!character || !weapon)
        return;
    count1 = static_cast<std::int16_t>(weapon->diceCount[0]);
    sides1 = static_cast<std::int16_t>(weapon->dieSides[0]);
    count2 = static_cast<std::int16_t>(weapon->diceCount[1]);
    sides2 = static_cast<std::int16_t>(weapon->dieSides[1]);
    const VelCharacter& c = *character;
    if (IdOf(*weapon) != VelIds::kItemUnarmedStrike || !c.HasClass(VelIds::kClassMartialArtist))
        return;
    if (const VelClassLevelInfo* row = LevelRow(ClassLevel(c, VelIds::kClassMartialArtist)))
    {
        const std::size_t column = SmallColumn(c, false);
        count1 = static_cast<std::int16_t>(row->unarmedDiceCount[column]);
        sides1 = static_cast<std::int16_t>(row->unarmedDiceSides[column]);
    }
}
