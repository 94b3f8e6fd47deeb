// Reads arbitrary bytes as a character file against the shipped rule set,
// then runs every rule the character window and its pages show: whatever a
// hostile file holds, the rules must neither crash nor compute undefined
// values. The limit checks and the recomputations run first, as on loading
// in the program, then every figure and text is read.

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterEquip.h"
#include "Vel/Character/VelCharacterFile.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelArmorInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelShieldInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel/Rules/VelCombatRules.h"
#include "Vel/Rules/VelCompanionRules.h"
#include "Vel/Rules/VelEquipRules.h"
#include "Vel/Rules/VelFeatRules.h"
#include "Vel/Rules/VelFormatRules.h"
#include "Vel/Rules/VelLevelRules.h"
#include "Vel/Rules/VelPageRules.h"
#include "Vel/Rules/VelPhysicalRules.h"
#include "Vel/Rules/VelRulesWalk.h"
#include "Vel/Rules/VelSkillRules.h"
#include "Vel/Rules/VelSpellRules.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
std::string InputPath()
{
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("fuzz-rules-" + std::to_string(::getpid()) + ".cg3")).string();
    return path;
}

void LoadRuleSet()
{
    for (const char* name : {"Database.bin", "AnimalDB.bin", "EquipDB.bin", "SpellDB.bin"})
    {
        const std::string path = std::string(RULES_BUILD_DIR) + "/" + name;
        FCFile file;
        if (!file.Open(path.c_str(), FCFile::kAccessRead, FCFile::kOpenExisting, FCFile::kShareRead) ||
            !VelDatabase::ParseStream(file, name))
        {
            std::fprintf(stderr, "fuzz_rules: cannot load %s\n", path.c_str());
            std::abort();
        }
    }
    InstallItemPricer();
}

// Everything the character window, its summary and its pages read.
void ReadEveryFigure(VelCharacter& c)
{
    std::int32_t low = 0, high = 0;
    GetHeightRange(&c, low, high);
    GetWeightRange(&c, low, high);
    GetAgeRange(&c, low, high);
    GetLoadCategory(&c);
    GetExperienceForNextLevel(&c);
    GetBaseAttackBonus(&c);
    GetInitiative(&c);
    GetPointBuyTotal(&c);
    GetAbilityIncreases(&c);
    GetBonusLanguageCount(&c);
    GetGeneralFeatsGained(&c);
    std::vector<std::uint16_t> languages;
    CollectKnownLanguages(&c, languages);
    for (std::int16_t type = 0; type < 3; ++type)
        GetSavingThrow(&c, type);
    FormatOrdinal(static_cast<std::int16_t>(c.GetTotalLevel()));
    FormatAttackBonus(&c, false, false);
    FormatAttackBonus(&c, false, true);
    FormatAttackBonus(&c, true, false);
    FormatWeight(c.carriedWeight);
    VelRulesWalk::Each<VelCharacterClass>(c.classes,
                                          [&](VelCharacterClass& entry)
                                          {
                                              GetClassPortraitName(&c, entry.classId);
                                              GetClassSkillPoints(&c, &entry);
                                              GetClassBonusFeatsGained(&c, entry.classId);
                                              GetSpecialChoicesGained(&c, &entry);
                                              GetCasterLevel(&c, entry.classId);
                                              CheckClassSpellLimits(&c, &entry);
                                              return false;
                                          });
    VelRulesWalk::Each<VelCharacterSkill>(c.skills,
                                          [&](VelCharacterSkill& entry)
                                          {
                                              GetSkillModifier(&c, entry.skillId, entry.subSkillId, nullptr,
                                                               nullptr, nullptr);
                                              GetMaxSkillRanks(&c, entry.skillId);
                                              return false;
                                          });
    VelRulesWalk::Each<VelCharacterItem>(c.items,
                                         [&](VelCharacterItem& item)
                                         {
                                             const VelItemInfo* record = item.GetHeldObject();
                                             GetItemWeight(record, item.options);
                                             GetItemPrice(record, item.options, static_cast<std::int32_t>(item.count), 0);
                                             if (const auto* weapon = dynamic_cast<const VelWeaponInfo*>(record))
                                             {
                                                 FormatWeaponDamageDice(&c, weapon);
                                                 FormatCriticalRange(&c, weapon);
                                                 FormatRangeIncrement(&c, weapon);
                                                 GetWeaponHandCode(&c, weapon);
                                             }
                                             std::int16_t a = 0, b = 0, d = 0, e = 0, f = 0;
                                             if (const auto* armor = dynamic_cast<const VelArmorInfo*>(record))
                                                 GetArmorStats(&c, armor, item.options,
                                                               static_cast<std::int32_t>(item.count), a, b, d, e, f);
                                             if (const auto* shield = dynamic_cast<const VelShieldInfo*>(record))
                                                 GetShieldStats(&c, shield, item.options,
                                                                static_cast<std::int32_t>(item.count), a, d, e);
                                             return false;
                                         });
    VelRulesWalk::Each<VelCharacterEquip>(c.equipSets,
                                          [&](VelCharacterEquip& set)
                                          {
                                              for (std::int16_t hand = 0; hand < 2; ++hand)
                                              {
                                                  GetWeaponAttackBonus(&c, &set, hand);
                                                  GetDamageBonus(&c, &set, hand);
                                              }
                                              return false;
                                          });
    VelRulesWalk::Each<VelCharacterAnimal>(c.animals,
                                           [&](VelCharacterAnimal& animal)
                                           {
                                               FormatAnimalAttackBonuses(&animal, true);
                                               FormatAnimalAttacks(&animal, true);
                                               GetAnimalHitDice(VelDatabase::FindAnimal(animal.animalId),
                                                                static_cast<std::int16_t>(animal.kind),
                                                                static_cast<std::int16_t>(c.GetTotalLevel()));
                                               return false;
                                           });
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FCDebugLog quiet("", FCDebugLog::kOff);
    static const bool ready = []
    {
        FCDebugLog::SetInstance(&quiet);
        LoadRuleSet();
        return true;
    }();
    static_cast<void>(ready);

    {
        std::FILE* out = std::fopen(InputPath().c_str(), "wb");
        if (!out)
            return 0;
        std::fwrite(data, 1, size, out);
        std::fclose(out);
    }
    VelCharacter* character = VelCharacterFile::Load(InputPath());
    std::remove(InputPath().c_str());
    if (!character)
        return 0;
    RecomputeLoadedGear(character);
    CheckCharacterLimits(character, 0, true);
    ComputeEncumbrance(character);
    ComputeSavingThrows(character);
    ComputeSpellsPerDay(character);
    ComputeSpellsKnown(character);
    UpdateAllAnimals(character);
    ReadEveryFigure(*character);
    character->Release();
    return 0;
}
