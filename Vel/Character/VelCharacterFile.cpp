#include "Vel/Character/VelCharacterFile.h"

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"
#include "Fc/Core/FCFileName.h"
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
#include "Vel/Db/VelAlignmentInfo.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelDomainInfo.h"
#include "Vel/Db/VelFeatInfo.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Db/VelGodInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelLanguageInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelSchoolInfo.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelSubSkillInfo.h"

#include <vector>

namespace
{
constexpr std::uint16_t kNone = VelCharacter::kNone;

bool IsClassId(std::uint16_t classId)
{
    return classId < VelIds::kClassCount;
}

// The elements of a holder that match, in its order, so that the caller may
// remove them afterwards; usually none, so nothing is allocated.
template <class T, class Pred> std::vector<T*> Matching(FCObjectVector& list, Pred pred)
{
    std::vector<T*> out;
    for (std::uint32_t i = 0; i < list.GetCount(); ++i)
    {
        auto* element = static_cast<T*>(list.GetAt(static_cast<std::int32_t>(i)));
        if (element && pred(*element))
            out.push_back(element);
    }
    return out;
}

template <class T, class Pred> std::vector<T*> Matching(FCObjectSet& set, Pred pred)
{
    std::vector<T*> out;
    FCObjectSet::Cursor walk = set.First();
    FCObject* element = nullptr;
    while (set.GetNext(element, &walk))
    {
        if (pred(*static_cast<T*>(element)))
            out.push_back(static_cast<T*>(element));
    }
    return out;
}

// Map elements with their keys.
template <class T, class Pred>
std::vector<std::pair<std::int16_t, T*>> Matching(FCObjectMap& map, Pred pred)
{
    std::vector<std::pair<std::int16_t, T*>> out;
    FCObjectMap::Cursor walk = map.First();
    std::int16_t key = 0;
    FCObject* element = nullptr;
    while (map.GetNext(key, element, &walk))
    {
        if (element && pred(key, *static_cast<T*>(element)))
            out.emplace_back(key, static_cast<T*>(element));
    }
    return out;
}

// Entries whose records the database lacks are kept as they are, so that a
// missing or older database never costs the player data; the rules skip
// them. Each is logged once here.
template <class T, class Base, class Holder, class Known>
void LogUnknown(Holder& holder, const char* what, std::uint16_t Base::*id, Known known)
{
    for (const T* element : Matching<T>(holder, [&](const T& e) { return !known(e); }))
        FC_LOG("Kept %s %u: not in the database\n", what, static_cast<unsigned>(element->*id));
}

bool CheckClasses(VelCharacter& character)
{
    std::uint32_t totalLevel = 0;
    const auto bad = Matching<VelCharacterClass>(character.classes,
                                                 [&](const VelCharacterClass& entry)
                                                 {
                                                     totalLevel += entry.level;
                                                     return !IsClassId(entry.classId);
                                                 });
    if (!bad.empty())
    {
        FC_LOG("Bad class id %u\n", static_cast<unsigned>(bad.front()->classId));
        return false;
    }
    if (totalLevel > static_cast<std::uint32_t>(VelCharacter::kMaxLevel))
    {
        FC_LOG("Total level %u is above %d\n", static_cast<unsigned>(totalLevel),
               VelCharacter::kMaxLevel);
        return false;
    }
    if (character.currentClassId != kNone && !IsClassId(character.currentClassId))
    {
        FC_LOG("Bad current class id %u\n", static_cast<unsigned>(character.currentClassId));
        return false;
    }
    for (const VelCharacterClass* entry :
         Matching<VelCharacterClass>(character.classes, [](const VelCharacterClass& e)
                                     { return !VelDatabase::FindClass(e.classId); }))
        FC_LOG("Kept class %u: not in the database\n", static_cast<unsigned>(entry->classId));
    return true;
}

bool CheckItems(VelCharacter& character)
{
    const auto bad =
        Matching<VelCharacterItem>(character.items,
                                   [](std::int16_t key, const VelCharacterItem& item)
                                   {
                                       return key < 0 ||
                                              item.itemKey != static_cast<std::uint16_t>(key) ||
                                              item.placement < VelCharacterItem::kNotOnBody ||
                                              item.placement > VelCharacterItem::kSecondShield;
                                   });
    if (!bad.empty())
    {
        const auto& [key, item] = bad.front();
        FC_LOG("Owned item under key %d (key %u, placement %d) is damaged\n", static_cast<int>(key),
               static_cast<unsigned>(item->itemKey), static_cast<int>(item->placement));
        return false;
    }
    for (const auto& [key, item] :
         Matching<VelCharacterItem>(character.items, [](std::int16_t, const VelCharacterItem& item)
                                    { return !item.GetHeldObject(); }))
        FC_LOG("Kept owned item %d: item %u is not in the database\n", static_cast<int>(key),
               static_cast<unsigned>(item->recordId));
    // The next key must be free, or the next item bought would replace one.
    if (static_cast<std::int16_t>(character.nextItemKey) < 0 ||
        character.FindItem(character.nextItemKey))
    {
        std::uint16_t free = 0;
        while (character.FindItem(free))
            ++free;
        FC_LOG("Next item key %u is taken; using %u\n",
               static_cast<unsigned>(character.nextItemKey), static_cast<unsigned>(free));
        character.nextItemKey = free;
    }
    // The sheet and the equipment page expect every held key to be owned.
    for (VelCharacterEquip* set : Matching<VelCharacterEquip>(
             character.equipSets, [](const VelCharacterEquip&) { return true; }))
    {
        for (std::uint16_t& hand : set->slots)
        {
            if (hand != VelCharacterEquip::kEmptySlot && !character.FindItem(hand))
            {
                FC_LOG("Emptied a hand holding item %u, which is not owned\n",
                       static_cast<unsigned>(hand));
                hand = VelCharacterEquip::kEmptySlot;
            }
        }
    }
    return true;
}

void CheckLanguagesAndFeatures(VelCharacter& character)
{
    // An entry under another id than its own is damaged: lookups by id
    // could never find it.
    for (const auto& [key, language] : Matching<VelCharacterLanguage>(
             character.languages, [](std::int16_t key, const VelCharacterLanguage& l)
             { return l.languageId != static_cast<std::uint16_t>(key); }))
    {
        FC_LOG("Dropped language %u stored under %d\n",
               static_cast<unsigned>(language->languageId), static_cast<int>(key));
        character.languages.Remove(key);
    }
    for (const auto& [key, language] : Matching<VelCharacterLanguage>(
             character.languages, [](std::int16_t, const VelCharacterLanguage& l)
             { return !VelDatabase::FindLanguage(l.languageId); }))
        FC_LOG("Kept language %d: not in the database\n", static_cast<int>(key));
    LogUnknown<VelCharacterFeature>(character.features, "feature", &VelEntityFeature::featureId,
                                    [](const VelCharacterFeature& f)
                                    { return VelDatabase::FindFeature(f.featureId) != nullptr; });
}

void CheckSets(VelCharacter& character)
{
    LogUnknown<VelCharacterSkill>(
        character.skills, "skill", &VelCharacterSkill::skillId,
        [](const VelCharacterSkill& skill)
        {
            return VelDatabase::FindSkill(skill.skillId) &&
                   (skill.subSkillId == VelCharacterSkill::kNoSubSkill ||
                    VelDatabase::FindSubSkill(skill.skillId, skill.subSkillId));
        });
    LogUnknown<VelCharacterFeat>(character.feats, "feat", &VelCharacterFeat::featId, [](const VelCharacterFeat& feat)
                                 { return VelDatabase::FindFeat(feat.featId) != nullptr; });
    LogUnknown<VelCharacterSpell>(character.spells, "spell", &VelCharacterSpell::spellId, [](const VelCharacterSpell& spell)
                                  { return VelDatabase::FindSpell(spell.spellId) != nullptr; });
    LogUnknown<VelCharacterAnimal>(character.animals, "animal", &VelCharacterAnimal::animalId,
                                   [](const VelCharacterAnimal& animal)
                                   { return VelDatabase::FindAnimal(animal.animalId) != nullptr; });
    for (VelCharacterAnimal* animal : Matching<VelCharacterAnimal>(
             character.animals, [](const VelCharacterAnimal&) { return true; }))
        LogUnknown<VelEntityFeature>(animal->features, "animal feature", &VelEntityFeature::featureId,
                                     [](const VelEntityFeature& f)
                                     { return VelDatabase::FindFeature(f.featureId) != nullptr; });
}

template <class Find> void LogUnknownId(std::uint16_t id, const char* what, Find find)
{
    if (id != kNone && !find(id))
        FC_LOG("Kept %s %u: not in the database\n", what, static_cast<unsigned>(id));
}

void CheckSlots(const VelCharacter& character)
{
    LogUnknownId(character.godId, "god",
                 [](std::uint16_t id) { return VelDatabase::FindGod(id) != nullptr; });
    for (std::uint16_t domain : character.domainIds)
        LogUnknownId(domain, "domain",
                     [](std::uint16_t id) { return VelDatabase::FindDomain(id) != nullptr; });
    for (std::size_t slot = 0; slot < VelCharacter::kSchoolSlotCount; ++slot)
    {
        // Slot 1 is an option, not a school.
        if (slot != static_cast<std::size_t>(VelCharacter::kSchoolChoiceSlot))
            LogUnknownId(character.schoolSlots[slot], "school",
                         [](std::uint16_t id) { return VelDatabase::FindSchool(id) != nullptr; });
    }
    if (!VelDatabase::FindRace(character.raceId))
        FC_LOG("Race %u is not in the database\n", static_cast<unsigned>(character.raceId));
    if (!VelDatabase::FindAlignment(character.alignmentId))
        FC_LOG("Alignment %u is not in the database\n",
               static_cast<unsigned>(character.alignmentId));
}
} // namespace

VelCharacter* VelCharacterFile::Load(const std::string& path)
{
    FCArchive ar(path, FCArchive::kLoad);
    if (!ar.IsOpen())
    {
        FC_LOG("Cannot open character file %s\n", path.c_str());
        return nullptr;
    }
    FCObject* object = ar.ReadObject();
    auto* character = dynamic_cast<VelCharacter*>(object);
    if (!character)
    {
        FC_LOG("%s holds no character\n", path.c_str());
        if (object)
            object->Release();
        return nullptr;
    }
    if (ar.HasFailed() || !Check(*character))
    {
        FC_LOG("Character file %s is damaged\n", path.c_str());
        character->Release();
        return nullptr;
    }
    // Just read, so nothing is unsaved yet.
    character->modified = 0;
    character->fileName = GetFileBaseName(path);
    return character;
}

bool VelCharacterFile::Save(VelCharacter& character, const std::string& path)
{
    const std::string hostPath = ToHostPath(path);
    const std::string tempPath = GetTempPath(hostPath);
    bool written = false;
    {
        FCArchive ar(tempPath, FCArchive::kStore);
        if (!ar.IsOpen())
        {
            FC_LOG("Cannot create %s\n", tempPath.c_str());
            return false;
        }
        ar.WriteObject(&character);
        const bool flushed = ar.GetFile()->Flush();
        ar.Close();
        written = flushed && !ar.HasFailed();
    }
    if (!ReplaceWithTempFile(tempPath, hostPath, written))
        return false;
    character.modified = 0;
    character.fileName = GetFileBaseName(path);
    return true;
}

bool VelCharacterFile::Check(VelCharacter& character)
{
    if (!CheckClasses(character) || !CheckItems(character))
        return false;
    CheckLanguagesAndFeatures(character);
    CheckSets(character);
    CheckSlots(character);
    return true;
}

std::string VelCharacterFile::GetBaseName(const std::string& path)
{
    const std::string::size_type separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string VelCharacterFile::GetTempPath(const std::string& hostPath)
{
    return hostPath + ".tmp";
}
