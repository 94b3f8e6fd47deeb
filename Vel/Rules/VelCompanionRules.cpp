#include "Vel/Rules/VelCompanionRules.h"

#include "Fc/Core/FCConvert.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCRandom.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterFeature.h"
#include "Vel/Character/VelCharacterSpell.h"
#include "Vel/Db/VelAnimalFeatureInfo.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelClassFeatureInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFamiliarFeatureInfo.h"
#include "Vel/Db/VelFeatInfo.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelMountInfo.h"
#include "Vel/Db/VelNameInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelSizeInfo.h"
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel/Rules/VelCombatRules.h"
#include "Vel/Rules/VelFeatRules.h"
#include "Vel/Rules/VelRulesWalk.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

namespace
{
// What a familiar costs, in the highest coin.
constexpr std::int32_t kFamiliarPrice = 100;
constexpr std::int32_t kHighestCoin = 2;
// The holy knight's mount comes at this class level.
constexpr std::uint16_t kHolyKnightMountLevel = 5;
// The gifts of a familiar to its master change these by this much.
constexpr std::int32_t kFamiliarGift = 2;
// Flag of features and feats that the rules grant.
constexpr std::uint32_t kGranted = 0x08;

// Saves in the order of the class records' good-save flags, with the stat
// that holds each and the ability that adds to it.
struct SaveKind
{
    std::int16_t type;
    std::uint32_t stat;
    std::int16_t ability;
};
constexpr std::array<SaveKind, 3> kSaves{{
    {0, VelEntity::kFortitudeSave, VelEntity::kCon},
    {1, VelEntity::kReflexSave, VelEntity::kDex},
    {2, VelEntity::kWillSave, VelEntity::kWis},
}};

template <class T> std::vector<T*> ElementsOf(FCObjectSet& set)
{
    std::vector<T*> out;
    FCObjectSet::Cursor walk = set.First();
    FCObject* element = nullptr;
    while (set.GetNext(element, &walk))
        out.push_back(static_cast<T*>(element));
    return out;
}

bool IsFormerOf(const VelCharacterClass& entry, std::initializer_list<std::uint16_t> classIds)
{
    return entry.formerMember != 0 &&
           std::find(classIds.begin(), classIds.end(), entry.classId) != classIds.end();
}

std::int16_t ModifierOf(const VelEntity& entity, std::int16_t ability)
{
    return GetAbilityModifier(
        static_cast<std::int16_t>(entity.abilities[static_cast<std::size_t>(ability)]));
}

// The master's level in the class that grants the animal; 0 without it.
std::int16_t MasterLevel(const VelCharacterAnimal& animal)
{
    const VelCharacterClass* entry =
        animal.owner ? animal.owner->FindClass(animal.secondKey) : nullptr;
    return entry ? static_cast<std::int16_t>(entry->level) : 0;
}

// The level row of a familiar or a mount; null for other kinds.
const VelMountInfo* BonusRowOf(const VelCharacterAnimal& animal)
{
    if (animal.kind != VelCharacterAnimal::kFamiliar && animal.kind != VelCharacterAnimal::kMount)
        return nullptr;
    return FindAnimalBonusRow(MasterLevel(animal), animal.kind == VelCharacterAnimal::kFamiliar);
}

std::int32_t NaturalArmorOf(const VelCharacterAnimal& animal, const VelAnimalInfo& record)
{
    const VelMountInfo* row = BonusRowOf(animal);
    if (!row)
        return record.naturalArmor;
    if (animal.kind == VelCharacterAnimal::kFamiliar)
        return record.naturalArmor + row->naturalArmorBonus;
    return row->naturalArmorBonus;
}

void SetAbilities(VelCharacterAnimal& animal, const VelAnimalInfo& record, const VelMountInfo* row)
{
    for (std::size_t i = 0; i < VelEntity::kAbilityCount; ++i)
        animal.SetAbility(static_cast<std::int16_t>(i), record.abilities[i]);
    if (!row)
        return;
    animal.SetAbility(VelEntity::kInt, row->intScore);
    if (animal.kind == VelCharacterAnimal::kMount)
        animal.SetAbility(
            VelEntity::kStr,
            static_cast<std::uint16_t>(animal.abilities[VelEntity::kStr] + row->strengthBonus));
}

// The hit dice an animal shows, which its saves, hit points and base attack
// follow.
float ShownHitDice(const VelCharacterAnimal& animal, const VelAnimalInfo& record)
{
    return GetAnimalHitDice(&record, static_cast<std::int16_t>(animal.kind), MasterLevel(animal));
}

void SetSaves(VelCharacterAnimal& animal, const VelAnimalInfo& record)
{
    const VelCharacter* master = animal.owner;
    const VelCharacterClass* masterEntry = master ? master->FindClass(animal.secondKey) : nullptr;
    // A familiar's own base saves are those of its kind; its master's make
    // up for its few hit dice.
    const float hitDice = animal.kind == VelCharacterAnimal::kFamiliar
                              ? record.hitDice
                              : ShownHitDice(animal, record);
    for (const SaveKind& save : kSaves)
    {
        // Within 16 bits, so adding the master's save or a modifier cannot
        // overflow whatever hit dice a damaged record holds.
        std::int32_t base = record.goodSaves[static_cast<std::size_t>(save.type)] != 0
                                ? TruncateToInteger<std::int16_t>(hitDice * 0.5f + 2.0f)
                                : TruncateToInteger<std::int16_t>(hitDice * (1.0f / 3.0f));
        if (animal.kind == VelCharacterAnimal::kFamiliar && master)
        {
            std::int16_t masterBase = 0, ability = 0, misc = 0;
            GetSavingThrowParts(master, save.type, masterBase, ability, misc);
            base = std::max<std::int32_t>(base, masterBase);
        }
        else if (animal.kind == VelCharacterAnimal::kMount && masterEntry)
        {
            base = std::max<std::int32_t>(base, GetClassBaseSave(masterEntry, save.type));
        }
        animal.SetStat(save.stat,
                       static_cast<std::uint32_t>(base + ModifierOf(animal, save.ability)));
    }
}

std::int32_t AnimalHitPoints(const VelCharacterAnimal& animal, const VelAnimalInfo& record)
{
    if (animal.kind == VelCharacterAnimal::kFamiliar)
        return animal.owner
                   ? static_cast<std::int32_t>(animal.owner->stats[VelEntity::kHitPoints]) / 2
                   : 0;
    const auto perDie =
        std::max(1, static_cast<std::int32_t>(ModifierOf(animal, VelEntity::kCon) + 5.0));
    return TruncateToInteger<std::int32_t>(static_cast<float>(perDie) *
                                           ShownHitDice(animal, record));
}

// A familiar fights with its master's base attack; any other animal with
// three quarters of its hit dice, as a creature of its kind does.
std::int32_t AnimalBaseAttack(const VelCharacterAnimal& animal, const VelAnimalInfo& record)
{
    if (animal.kind == VelCharacterAnimal::kFamiliar)
        return animal.owner ? static_cast<std::int32_t>(animal.owner->stats[VelEntity::kBaseAttack])
                            : 0;
    return TruncateToInteger<std::int32_t>(ShownHitDice(animal, record) * 0.75f);
}

// What follows the master's levels and hit points.
void SetMasterValues(VelCharacterAnimal& animal, const VelAnimalInfo& record)
{
    SetSaves(animal, record);
    animal.SetStat(VelEntity::kHitPoints,
                   static_cast<std::uint32_t>(AnimalHitPoints(animal, record)));
    animal.SetStat(VelEntity::kBaseAttack,
                   static_cast<std::uint32_t>(AnimalBaseAttack(animal, record)));
}

void SetFeatures(VelCharacterAnimal& animal, bool isNew)
{
    if (!isNew)
        animal.features.Clear();
    VelDatabase::ForEach<VelAnimalFeatureInfo>(
        VelDatabase::kTagAnimalFeature,
        [&](const VelAnimalFeatureInfo& row)
        {
            if (row.key == static_cast<std::int16_t>(animal.animalId) &&
                static_cast<std::int16_t>(row.kindsMask & animal.kind) >= 1)
                animal.AddAnimalFeature(row)->extra |= kGranted;
        });
    if (animal.kind != VelCharacterAnimal::kFamiliar)
        return;
    const std::int16_t level = MasterLevel(animal);
    VelDatabase::ForEach<VelFamiliarFeatureInfo>(
        VelDatabase::kTagFamiliarFeature,
        [&](const VelFamiliarFeatureInfo& row)
        {
            if (static_cast<std::int16_t>(row.lowestLevel) <= level)
                animal.AddFamiliarFeature(row)->extra |= kGranted;
        });
}

// One familiar feature's gift to its master; d is +2 or -2.
void ApplyFamiliarGift(VelCharacter& master, std::uint16_t featureId, std::int32_t d)
{
    const auto raise = [&](std::uint32_t index)
    {
        master.SetValue(
            index, static_cast<std::uint32_t>(static_cast<std::int32_t>(master.values[index]) + d));
    };
    switch (featureId)
    {
    case VelIds::kFeatureFamiliarConstitution:
    {
        const std::int32_t score =
            std::max(1, static_cast<std::int32_t>(master.abilities[VelEntity::kCon]) + d);
        // Fortitude and hit points follow the score, as for any CON change.
        SetAbilityScore(&master, VelEntity::kCon, static_cast<std::uint16_t>(score), false);
        break;
    }
    case VelIds::kFeatureFamiliarSkill:
        raise(VelCharacter::kValueSkillBonus);
        break;
    case VelIds::kFeatureFamiliarFortitude:
        raise(VelCharacter::kValueFortitudeBonus);
        ComputeSavingThrows(&master);
        master.changeMask |= VelCharacter::kChangedSaves;
        break;
    case VelIds::kFeatureFamiliarReflex:
        raise(VelCharacter::kValueReflexBonus);
        ComputeSavingThrows(&master);
        master.changeMask |= VelCharacter::kChangedSaves;
        break;
    default:
        break;
    }
}

// The features an animal holds, sorted, each as often as it holds it.
std::vector<std::uint16_t> FeatureIdsOf(const VelCharacterAnimal& animal)
{
    std::vector<std::uint16_t> ids;
    VelRulesWalk::Each<VelEntityFeature>(animal.features,
                                         [&](const VelEntityFeature& feature)
                                         {
                                             ids.push_back(feature.featureId);
                                             return false;
                                         });
    std::sort(ids.begin(), ids.end());
    return ids;
}

bool IsClaimed(const std::vector<const VelCharacterFeature*>& claimed,
               const VelCharacterFeature& feature)
{
    return std::find(claimed.begin(), claimed.end(), &feature) != claimed.end();
}

// The feature entry that a class-feature row refreshes: the entry of the
// row's group, or for a feature without a group an entry of the same class
// and feature not yet claimed by an earlier row. Not by value: a shown
// value may have been written into an older file's entry.
VelCharacterFeature* FindFeatureForRow(VelCharacter& character, const VelClassFeatureInfo& row,
                                       std::vector<const VelCharacterFeature*>& claimed)
{
    if (VelCharacterFeature* grouped = character.FindClassFeature(row))
        return grouped;
    VelCharacterFeature* found = nullptr;
    VelRulesWalk::Each<VelCharacterFeature>(
        character.features,
        [&](VelCharacterFeature& feature)
        {
            if (feature.source == static_cast<std::uint16_t>(row.key) &&
                feature.featureId == row.featureId && !IsClaimed(claimed, feature))
                found = &feature;
            return found != nullptr;
        });
    return found;
}

bool IsSameFeature(const VelCharacterFeature& a, const VelCharacterFeature& b)
{
    if (a.source != b.source)
        return false;
    if (a.featureId == b.featureId)
        return true;
    const VelFeatureInfo* first = VelDatabase::FindFeature(a.featureId);
    const VelFeatureInfo* second = VelDatabase::FindFeature(b.featureId);
    return first && second && first->GetGroup() >= 1 && first->GetGroup() == second->GetGroup();
}

// Granted entries that no row refreshed but that repeat one a row did (an
// older file may hold one for every stage, or one more for each level
// added) fold into that one.
void FoldRepeatedFeatures(VelCharacter& character,
                          const std::vector<const VelCharacterFeature*>& claimed)
{
    std::vector<VelCharacterFeature*> repeats;
    VelRulesWalk::Each<VelCharacterFeature>(
        character.features,
        [&](VelCharacterFeature& feature)
        {
            if ((feature.extra & kGranted) != 0 && !IsClaimed(claimed, feature) &&
                std::any_of(claimed.begin(), claimed.end(),
                            [&](const VelCharacterFeature* kept)
                            { return IsSameFeature(*kept, feature); }))
                repeats.push_back(&feature);
            return false;
        });
    for (VelCharacterFeature* feature : repeats)
        character.RemoveFeature(feature);
}

void GrantFeatOfFeature(VelCharacter& character, const VelClassFeatureInfo& row)
{
    const auto featId = static_cast<std::uint16_t>(row.value);
    if (row.value < 0 || character.HasFeat(featId, VelCharacterFeat::kNoChoice,
                                           static_cast<std::int16_t>(VelCharacterFeat::kNoChoice)))
        return;
    if (!VelDatabase::FindFeat(featId))
    {
        FC_LOG("Class feature %u grants feat %u, which is not in the database\n",
               static_cast<unsigned>(row.featureId), static_cast<unsigned>(featId));
        return;
    }
    auto* feat =
        new VelCharacterFeat(featId, VelCharacterFeat::kNoChoice, VelCharacterFeat::kNoChoice,
                             static_cast<std::uint16_t>(row.key));
    feat->flags |= kGranted;
    character.InsertFeat(feat);
    feat->Release();
    // Saves, initiative or hit points may hang on the feat.
    ApplyFeatEffect(&character, featId);
}

void ApplyClassFeatureRows(VelCharacter& character, const VelCharacterClass& entry,
                           bool formerBerserker, std::vector<const VelCharacterFeature*>& claimed)
{
    VelDatabase::ForEach<VelClassFeatureInfo>(
        VelDatabase::kTagClassFeature,
        [&](const VelClassFeatureInfo& row)
        {
            if (row.key != static_cast<std::int16_t>(entry.classId) ||
                static_cast<std::int16_t>(row.level) > static_cast<std::int16_t>(entry.level))
                return;
            const VelFeatureInfo* feature = VelDatabase::FindFeature(row.featureId);
            if (!feature)
            {
                FC_LOG("Class %u grants feature %u, which is not in the database\n",
                       static_cast<unsigned>(entry.classId), static_cast<unsigned>(row.featureId));
                return;
            }
            const bool grantsFeat = feature->kind == VelFeatureInfo::kKindGrantsFeat;
            if (formerBerserker && grantsFeat)
                return;
            if (VelCharacterFeature* existing = FindFeatureForRow(character, row, claimed))
            {
                existing->featureId = row.featureId;
                existing->value = row.value;
                claimed.push_back(existing);
                return;
            }
            VelCharacterFeature* added = character.AddClassFeature(row);
            added->extra |= kGranted;
            claimed.push_back(added);
            if (grantsFeat)
                GrantFeatOfFeature(character, row);
        });
}
} // namespace

bool ClassGrantsAnimal(const VelCharacterClass* entry)
{
    if (!entry)
        return false;
    const VelClassInfo* record = VelDatabase::FindClass(entry->classId);
    if (!record || record->animalCompanion == 0)
        return false;
    if (IsFormerOf(*entry, {VelIds::kClassNaturePriest, VelIds::kClassHolyKnight}))
        return false;
    return entry->classId != VelIds::kClassHolyKnight || entry->level >= kHolyKnightMountLevel;
}

bool HasAnimalClass(const VelCharacter* character)
{
    if (!character)
        return false;
    bool found = false;
    VelRulesWalk::Each<VelCharacterClass>(character->classes, [&](const VelCharacterClass& entry)
                                          { return found = ClassGrantsAnimal(&entry); });
    return found;
}

bool CanGetAnimal(const VelCharacter* character, std::uint16_t classId)
{
    if (!character)
        return false;
    switch (classId)
    {
    case VelIds::kClassHolyKnight:
    {
        const VelCharacterClass* entry = character->FindClass(classId);
        return entry && entry->level >= kHolyKnightMountLevel;
    }
    case VelIds::kClassInnateCaster:
    case VelIds::kClassScholarCaster:
        return character->CanAfford(kFamiliarPrice, kHighestCoin);
    default:
        return true;
    }
}

bool IsSuitableMount(const VelCharacter* character, const VelAnimalInfo* animal)
{
    if (!character || !animal)
        return false;
    if (character->raceId == VelIds::kRaceSmallRider)
        return animal->key == static_cast<std::int16_t>(VelIds::kAnimalSmallRiderMount);
    const VelRaceInfo* race = VelDatabase::FindRace(character->raceId);
    return race && animal->sizeId == static_cast<std::int16_t>(race->sizeId) + 1;
}

const VelMountInfo* FindAnimalBonusRow(std::int16_t masterLevel, bool familiar)
{
    const std::uint16_t tag = familiar ? VelDatabase::kTagMount295 : VelDatabase::kTagMount290;
    const VelMountInfo* found = nullptr;
    VelDatabase::ForEach<VelMountInfo>(
        tag,
        [&](const VelMountInfo& row)
        {
            if (!found && static_cast<std::int16_t>(row.lowestLevel) <= masterLevel &&
                static_cast<std::int16_t>(row.highestLevel) >= masterLevel)
                found = &row;
        });
    return found;
}

void UpdateAnimalStats(VelCharacterAnimal* animal, bool isNew)
{
    if (!animal)
        return;
    const VelAnimalInfo* record = VelDatabase::FindAnimal(animal->animalId);
    if (!record)
    {
        // Kept as loaded: its values cannot be recomputed without the record.
        FC_LOG("Animal %u is not in the database\n", static_cast<unsigned>(animal->animalId));
        return;
    }
    SetAbilities(*animal, *record, BonusRowOf(*animal));
    SetMasterValues(*animal, *record);
    animal->SetStat(VelEntity::kArmorClass,
                    static_cast<std::uint32_t>(ComputeAnimalArmorClass(animal)));
    animal->SetStat(VelEntity::kInitiative,
                    static_cast<std::uint32_t>(ModifierOf(*animal, VelEntity::kDex)));
    animal->SetStat(VelEntity::kSpeed, static_cast<std::uint32_t>(record->speed));
    SetFeatures(*animal, isNew);
}

void UpdateAnimalMasterValues(VelCharacter* character)
{
    if (!character)
        return;
    for (VelCharacterAnimal* animal : ElementsOf<VelCharacterAnimal>(character->animals))
        if (const VelAnimalInfo* record = VelDatabase::FindAnimal(animal->animalId))
            SetMasterValues(*animal, *record);
}

void UpdateAllAnimals(VelCharacter* character)
{
    if (!character)
        return;
    for (VelCharacterAnimal* animal : ElementsOf<VelCharacterAnimal>(character->animals))
    {
        if (animal->kind != VelCharacterAnimal::kFamiliar)
        {
            UpdateAnimalStats(animal, false);
            continue;
        }
        // A familiar from an older file may hold other gifts than its record
        // gives now: the master gives back what it loses and gains what it
        // gets, or giving it up later would take a gift he never had.
        const std::vector<std::uint16_t> before = FeatureIdsOf(*animal);
        UpdateAnimalStats(animal, false);
        const std::vector<std::uint16_t> after = FeatureIdsOf(*animal);
        std::vector<std::uint16_t> lost;
        std::vector<std::uint16_t> gained;
        std::set_difference(before.begin(), before.end(), after.begin(), after.end(),
                            std::back_inserter(lost));
        std::set_difference(after.begin(), after.end(), before.begin(), before.end(),
                            std::back_inserter(gained));
        for (std::uint16_t featureId : lost)
            ApplyFamiliarGift(*character, featureId, -kFamiliarGift);
        for (std::uint16_t featureId : gained)
            ApplyFamiliarGift(*character, featureId, kFamiliarGift);
    }
}

void AddAnimal(VelCharacter* character, VelCharacterAnimal* animal)
{
    if (!character || !animal)
        return;
    if (character->AddAnimal(animal) == FCObjectSet::kRefused)
    {
        FC_LOG("The character already has animal %u of class %u\n",
               static_cast<unsigned>(animal->animalId), static_cast<unsigned>(animal->secondKey));
        return;
    }
    UpdateAnimalStats(animal, true);
    ApplyFamiliarBenefits(character, animal, true);
}

void RemoveAnimal(VelCharacter* character, VelCharacterAnimal* animal)
{
    if (!character || !animal)
        return;
    ApplyFamiliarBenefits(character, animal, false);
    character->RemoveAnimal(animal);
}

void ApplyFamiliarBenefits(VelCharacter* character, VelCharacterAnimal* animal, bool adding)
{
    if (!character || !animal)
        return;
    if (animal->kind == VelCharacterAnimal::kFamiliar)
    {
        if (adding)
            character->SpendMoney(kFamiliarPrice, kHighestCoin);
        else
            character->AddMoney(kFamiliarPrice, kHighestCoin);
        const std::int32_t d = adding ? kFamiliarGift : -kFamiliarGift;
        VelRulesWalk::Each<VelEntityFeature>(animal->features,
                                             [&](const VelEntityFeature& feature)
                                             {
                                                 ApplyFamiliarGift(*character, feature.featureId,
                                                                   d);
                                                 return false;
                                             });
    }
    character->NotifyChanged();
}

VelAbilityAdjustments GetFamiliarAbilityGifts(const VelCharacter* character)
{
    VelAbilityAdjustments gifts{};
    if (!character)
        return gifts;
    VelRulesWalk::Each<VelCharacterAnimal>(
        character->animals,
        [&](const VelCharacterAnimal& animal)
        {
            if (animal.kind == VelCharacterAnimal::kFamiliar)
                VelRulesWalk::Each<VelEntityFeature>(
                    animal.features,
                    [&](const VelEntityFeature& feature)
                    {
                        if (feature.featureId == VelIds::kFeatureFamiliarConstitution)
                            gifts[VelEntity::kCon] += kFamiliarGift;
                        return false;
                    });
            return false;
        });
    return gifts;
}

std::int32_t ComputeAnimalArmorClass(const VelCharacterAnimal* animal)
{
    if (!animal)
        return 0;
    const VelAnimalInfo* record = VelDatabase::FindAnimal(animal->animalId);
    if (!record)
        return animal->stats[VelEntity::kArmorClass];
    const VelSizeInfo* size = VelDatabase::FindSize(static_cast<std::uint16_t>(record->sizeId));
    return 10 + ModifierOf(*animal, VelEntity::kDex) + NaturalArmorOf(*animal, *record) +
           (size ? size->sizeModifier : 0);
}

float GetAnimalHitDice(const VelAnimalInfo* animal, std::int16_t kind, std::int16_t masterLevel)
{
    if (!animal)
        return 0.0f;
    if (kind == static_cast<std::int16_t>(VelCharacterAnimal::kFamiliar))
        return std::max(animal->hitDice, static_cast<float>(masterLevel));
    if (kind == static_cast<std::int16_t>(VelCharacterAnimal::kMount))
    {
        const VelMountInfo* row = FindAnimalBonusRow(masterLevel, false);
        return animal->hitDice + (row ? row->hitDiceBonus : 0);
    }
    return animal->hitDice;
}

void GenerateRandomName(VelCharacter* character)
{
    if (!character)
        return;
    std::array<std::vector<const std::string*>, 3> parts;
    VelDatabase::ForEach<VelNameInfo>(
        VelDatabase::kTagName,
        [&](const VelNameInfo& row)
        {
            if (row.key == static_cast<std::int16_t>(character->raceId) &&
                (row.sex == VelNameInfo::kEitherSex || row.sex == character->sex) &&
                row.kind < parts.size())
                parts[row.kind].push_back(&row.text);
        });
    const auto pick = [](const std::vector<const std::string*>& from)
    { return *from[RandomRange(0, static_cast<std::uint32_t>(from.size()))]; };
    const auto& whole = parts[VelNameInfo::kWholeName];
    const auto& first = parts[VelNameInfo::kFirstPart];
    const auto& second = parts[VelNameInfo::kSecondPart];
    if (!whole.empty() && RandomPercent() > 50)
    {
        character->name = pick(whole);
        return;
    }
    std::string name = first.empty() ? std::string() : pick(first);
    if (!second.empty())
        name += (name.empty() ? "" : " ") + pick(second);
    character->name = name;
}

void GrantClassFeatures(VelCharacter* character, bool isNew)
{
    if (!character)
        return;
    // The player's own choices leave the list and come back after the
    // class features, which stay first.
    std::vector<VelCharacterFeature*> chosen;
    if (!isNew)
    {
        VelRulesWalk::Each<VelCharacterFeature>(character->features,
                                                [&](VelCharacterFeature& feature)
                                                {
                                                    if ((feature.extra & kGranted) == 0)
                                                        chosen.push_back(&feature);
                                                    return false;
                                                });
        for (VelCharacterFeature* feature : chosen)
        {
            feature->AddRef();
            character->features.Remove(feature);
        }
    }
    // Decided once, so that the order of the classes does not matter.
    const bool formerBerserker = character->IsFormerMember(VelIds::kClassBerserker);
    std::vector<const VelCharacterFeature*> claimed;
    VelRulesWalk::Each<VelCharacterClass>(
        character->classes,
        [&](const VelCharacterClass& entry)
        {
            if (!IsFormerOf(entry, {VelIds::kClassNaturePriest, VelIds::kClassHolyKnight}) &&
                VelDatabase::FindClass(entry.classId))
                ApplyClassFeatureRows(*character, entry, formerBerserker, claimed);
            return false;
        });
    FoldRepeatedFeatures(*character, claimed);
    for (VelCharacterFeature* feature : chosen)
    {
        character->features.Append(feature);
        if (character->features.GetMode() == FCOwnership::kRefCounted)
            feature->Release();
    }
}

void RemoveFormerClassBenefits(VelCharacter* character)
{
    if (!character)
        return;
    std::vector<std::uint16_t> formerClasses;
    VelRulesWalk::Each<VelCharacterClass>(character->classes,
                                          [&](const VelCharacterClass& entry)
                                          {
                                              if (entry.formerMember != 0)
                                                  formerClasses.push_back(entry.classId);
                                              return false;
                                          });
    for (std::uint16_t classId : formerClasses)
    {
        for (VelCharacterAnimal* animal : ElementsOf<VelCharacterAnimal>(character->animals))
        {
            if (animal->secondKey == classId)
                RemoveAnimal(character, animal);
        }
        if (classId != VelIds::kClassMinstrel)
            continue;
        for (VelCharacterSpell* spell : ElementsOf<VelCharacterSpell>(character->spells))
        {
            if (spell->classId == classId)
                character->RemoveSpell(spell);
        }
    }
}

bool ClassCastsSpells(const VelCharacterClass* entry)
{
    if (!entry)
        return false;
    const VelClassInfo* record = VelDatabase::FindClass(entry->classId);
    return record && record->castingKind != 0 &&
           !IsFormerOf(*entry, {VelIds::kClassNaturePriest, VelIds::kClassHolyKnight});
}

bool HasSpellcastingClass(const VelCharacter* character)
{
    if (!character)
        return false;
    bool found = false;
    VelRulesWalk::Each<VelCharacterClass>(character->classes, [&](const VelCharacterClass& entry)
                                          { return found = ClassCastsSpells(&entry); });
    return found;
}
