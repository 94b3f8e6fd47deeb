#include "Vel/Rules/VelFormatRules.h"

#include "Fc/Core/FCConvert.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFileName.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Db/VelAnimalAttackInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelItemInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel/Rules/VelCombatRules.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace
{
// Unit names in the interface texts: singular, then plural.
constexpr std::uint32_t kUnitSingularText = 10700;
constexpr std::uint32_t kUnitPluralText = 10710;
// Attacks come every this much base attack, or kReducedAttackStep.
constexpr std::int16_t kAttackStep = 5;
constexpr std::int16_t kReducedAttackStep = 3;
// A threat range of 0 means a natural 20 only.
constexpr std::int16_t kNaturalTwenty = 20;
constexpr float kLongRangeFactor = 1.5f;
constexpr const char* kFemaleSuffix = "_F";
constexpr const char* kFormerMemberPrefix = "X-";
constexpr const char* kIconFolder = "\\Icons\\";
constexpr std::int16_t kFemale = 1;

template <typename... Args> std::string Format(const char* format, Args... args)
{
    char text[96];
    const int length = std::snprintf(text, sizeof text, format, args...);
    if (length < 0)
        return std::string();
    return std::string(text, std::min(static_cast<std::size_t>(length), sizeof text - 1));
}

std::string Signed(std::int32_t value)
{
    return LongToString(value, true);
}

std::string Plain(std::int32_t value)
{
    return LongToString(value, false);
}

// The integer part when the value is whole and fits a 32-bit integer.
bool AsWhole(float value, std::int32_t& whole)
{
    if (!(value >= -2147483648.0f && value < 2147483648.0f))
        return false;
    whole = static_cast<std::int32_t>(value);
    return static_cast<float>(whole) == value;
}

// "_F" before the extension; the folder stays.
std::string FemaleName(const std::string& fileName)
{
    const std::string extension = GetFileExtension(fileName);
    return fileName.substr(0, fileName.size() - extension.size()) + kFemaleSuffix + extension;
}

// The prefix goes before the file's own name, after its folder.
std::string PrefixFileName(const std::string& fileName, const char* prefix)
{
    const std::string::size_type separator = fileName.find_last_of("/\\");
    const std::string::size_type at = separator == std::string::npos ? 0 : separator + 1;
    return fileName.substr(0, at) + prefix + fileName.substr(at);
}

struct DamageDice
{
    std::int16_t count1 = -1;
    std::int16_t sides1 = -1;
    std::int16_t count2 = -1;
    std::int16_t sides2 = -1;
};

DamageDice DiceOf(const VelCharacter* character, const VelWeaponInfo* weapon)
{
    DamageDice dice;
    if (weapon)
        GetWeaponDamageDice(character, weapon, dice.count1, dice.sides1, dice.count2, dice.sides2);
    return dice;
}

std::string AttackDamage(const VelCharacterAnimal& animal, const VelAnimalAttackInfo& attack)
{
    std::string text = attack.dieSides <= 1
                           ? Plain(attack.diceCount)
                           : FormatDice(static_cast<std::int16_t>(attack.diceCount),
                                        static_cast<std::int16_t>(attack.dieSides));
    if (!(attack.strengthFactor > 0.0f))
        return text;
    const std::int16_t modifier =
        GetAbilityModifier(static_cast<std::int16_t>(animal.abilities[VelEntity::kStr]));
    // A penalty is never scaled; a bonus is, and may round down to +0.
    if (modifier > 0)
        text += "+" + Plain(TruncateToInteger<std::int32_t>(modifier * attack.strengthFactor));
    else if (modifier < 0)
        text += Plain(modifier);
    return text;
}
} // namespace

std::string FormatOrdinal(std::int16_t n)
{
    const char* suffix = n == 1 ? "st" : n == 2 ? "nd" : n == 3 ? "rd" : "th";
    return IntToString(n, false) + suffix;
}

std::string FormatDice(std::int16_t count, std::int16_t sides)
{
    return count > 0 ? Format("%dd%d", static_cast<int>(count), static_cast<int>(sides))
                     : std::string();
}

std::string FormatWeight(float pounds)
{
    std::int32_t whole = 0;
    return AsWhole(pounds, whole) ? Format("%ld lb.", static_cast<long>(whole))
                                  : Format("%.1f lb.", static_cast<double>(pounds));
}

std::string FormatAmountWithUnit(float amount, std::uint16_t unit)
{
    const auto textId =
        static_cast<std::uint16_t>((amount <= 1.0f ? kUnitSingularText : kUnitPluralText) + unit);
    const FCResourceManager* resources = FCResourceManager::GetInstance();
    const std::string* name = resources ? resources->GetString(textId) : nullptr;
    const char* unitName = name ? name->c_str() : "";
    std::int32_t whole = 0;
    return AsWhole(amount, whole) ? Format("%ld %s", static_cast<long>(whole), unitName)
                                  : Format("%.2f %s", static_cast<double>(amount), unitName);
}

std::string FormatAttackBonus(const VelCharacter* character, bool ranged, bool reducedStep)
{
    if (!character)
        return std::string();
    std::int16_t base = 0;
    std::int16_t ability = 0;
    std::int16_t size = 0;
    std::int16_t misc = 0;
    const std::int32_t total = GetAttackBonusParts(character, ranged, base, ability, size, misc);
    return FormatAttackSequence(base, total, reducedStep ? kReducedAttackStep : kAttackStep);
}

std::string FormatAttackSequence(std::int16_t base, std::int32_t total, std::int16_t step)
{
    std::string text = Signed(total);
    if (step <= 0)
        return text;
    // Attacks whose total is no longer above 0 are not shown, and none follows them.
    for (std::int32_t left = base; left > step && total > step;)
    {
        left -= step;
        total -= step;
        text += "/" + Signed(total);
    }
    return text;
}

std::string FormatWeaponDamageDice(const VelCharacter* character, const VelWeaponInfo* weapon)
{
    const DamageDice dice = DiceOf(character, weapon);
    std::string text = dice.sides1 == 1 ? Plain(dice.count1) : FormatDice(dice.count1, dice.sides1);
    if (dice.count2 > 0)
        text += "/" + FormatDice(dice.count2, dice.sides2);
    return text;
}

std::string FormatDamageRange(const VelCharacter* character, const VelWeaponInfo* weapon,
                              const VelCharacterEquip* set, std::int16_t hand)
{
    const DamageDice dice = DiceOf(character, weapon);
    if (dice.count1 < 1)
        return Format("%d", 0);
    const std::int32_t low = dice.count1;
    const std::int32_t high = dice.count1 * dice.sides1;
    const std::int16_t bonus = GetDamageBonus(character, set, hand);
    if (bonus != 0)
        return Format("(%d-%d)%+d", static_cast<int>(low), static_cast<int>(high),
                      static_cast<int>(bonus));
    return Format("(%d-%d)", static_cast<int>(low), static_cast<int>(high));
}

std::string FormatCriticalRange(const VelCharacter* character, const VelWeaponInfo* weapon)
{
    if (!weapon)
        return std::string();
    auto threat = static_cast<std::int16_t>(weapon->threatRange);
    if (character &&
        character->HasFeat(VelIds::kFeatWiderCritical, static_cast<std::uint16_t>(weapon->key), -1))
    {
        if (threat == 0)
            threat = kNaturalTwenty;
        threat = static_cast<std::int16_t>(2 * threat - 21);
    }
    std::string text;
    if (threat != 0)
        text = Format("%d-%d/", static_cast<int>(threat), static_cast<int>(kNaturalTwenty));
    if (weapon->criticalMultiplier != 0)
    {
        text += "x" + Plain(weapon->criticalMultiplier);
        if (weapon->secondMultiplier != 0)
            text += "/x" + Plain(weapon->secondMultiplier);
    }
    return text;
}

std::string FormatRangeIncrement(const VelCharacter* character, const VelWeaponInfo* weapon)
{
    if (!weapon || weapon->rangeIncrement == 0)
        return "-";
    std::int32_t feet = weapon->rangeIncrement;
    if (character && character->HasFeat(VelIds::kFeatLongRange, VelIds::kNone, -1))
        feet = static_cast<std::int32_t>(static_cast<float>(feet) * kLongRangeFactor);
    return Format("%d ft", static_cast<int>(feet));
}

std::string FormatAnimalAttacks(const VelCharacterAnimal* animal, bool onePerLine)
{
    if (!animal)
        return std::string();
    return JoinAnimalAttacks(animal->animalId, onePerLine,
                             [animal](std::string& text, const VelAnimalAttackInfo& attack) {
                                 text += attack.name;
                                 if (text.empty())
                                 {
                                     text += "-";
                                     return;
                                 }
                                 text += ": " + AttackDamage(*animal, attack);
                             });
}

std::string JoinAnimalAttacks(
    std::uint16_t animalId, bool onePerLine,
    const std::function<void(std::string& text, const VelAnimalAttackInfo& attack)>& add)
{
    std::string text;
    constexpr auto kLastIndex =
        static_cast<std::uint16_t>(std::numeric_limits<std::int16_t>::max());
    for (std::uint16_t index = 0; index <= kLastIndex; ++index)
    {
        const VelAnimalAttackInfo* attack = VelDatabase::FindAnimalAttack(animalId, index);
        if (!attack)
            break;
        if (index > 0)
            text += onePerLine ? "\n" : " ";
        add(text, *attack);
    }
    return text;
}

std::string GetRacePortraitName(const VelCharacter* character)
{
    if (!character)
        return std::string();
    const VelRaceInfo* race = VelDatabase::FindRace(character->raceId);
    if (!race)
    {
        FC_LOG("No race %u for a portrait\n", static_cast<unsigned>(character->raceId));
        return std::string();
    }
    return character->sex == kFemale ? FemaleName(race->imageFile) : race->imageFile;
}

std::string GetClassPortraitName(const VelCharacter* character, std::uint16_t classId)
{
    const VelClassInfo* record = VelDatabase::FindClass(classId);
    if (!character || !record)
        return std::string();
    std::string name = record->portraitFile;
    if (character->IsFormerMember(classId))
        name = PrefixFileName(name, kFormerMemberPrefix);
    return character->sex == kFemale ? FemaleName(name) : name;
}

FCImageBuffer* LoadIcon(const std::string& fileName)
{
    FCResourceManager* resources = FCResourceManager::GetInstance();
    if (!resources || fileName.empty())
        return nullptr;
    return resources->LoadImage(fileName, kIconFolder, true);
}

FCImageBuffer* GetItemIcon(const VelItemInfo* record)
{
    return record ? LoadIcon(record->iconFile) : nullptr;
}
