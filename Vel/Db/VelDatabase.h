#pragma once

#include "Fc/Core/FCObjectMap.h"
#include "Fc/Core/FCObjectSet.h"
#include "Fc/Core/FCObjectVector.h"
#include "Vel/Db/VelInfo.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class FCFile;
class VelAgeInfo;
class VelAlignmentInfo;
class VelAnimalAttackInfo;
class VelAnimalInfo;
class VelCarryInfo;
class VelClassAlignmentInfo;
class VelClassInfo;
class VelClassLevelInfo;
class VelDomainInfo;
class VelDomainSkillInfo;
class VelEnemyInfo;
class VelFeatInfo;
class VelFeatureInfo;
class VelGodDomainInfo;
class VelGodInfo;
class VelGodRaceInfo;
class VelHeightWeightInfo;
class VelItemInfo;
class VelLanguageInfo;
class VelRaceInfo;
class VelRaceSkillInfo;
class VelSchoolInfo;
class VelSizeInfo;
class VelSkillInfo;
class VelSpecialCostInfo;
class VelSpellInfo;
class VelSpellLevelInfo;
class VelSpellsPerInfo;
class VelSubSkillInfo;

// The game's rule tables, read once from the database files and read-only
// afterwards: one global table per tag. Lookups return the stored record
// (owned by its table; callers neither keep nor release a reference) or null.
//
// The typed lookups are templates only so that this header needs no record
// class: the default argument is the class, and the caller includes its
// header.
namespace VelDatabase
{
// Section tags of the database files.
constexpr std::uint16_t kTagClass = 100;
constexpr std::uint16_t kTagRace = 105;
constexpr std::uint16_t kTagAlignment = 110;
// Class and alignment pairs that may not go together.
constexpr std::uint16_t kTagClassAlignment = 111;
constexpr std::uint16_t kTagHeightWeight = 115;
constexpr std::uint16_t kTagAge = 120;
constexpr std::uint16_t kTagClassLevel = 125;
constexpr std::uint16_t kTagCarry = 130;
constexpr std::uint16_t kTagSize = 135;
constexpr std::uint16_t kTagRaceFeature = 140;
constexpr std::uint16_t kTagRaceSkill = 142;
constexpr std::uint16_t kTagSkill = 145;
constexpr std::uint16_t kTagSubSkill = 146;
constexpr std::uint16_t kTagFeat = 150;
constexpr std::uint16_t kTagLanguage = 155;
constexpr std::uint16_t kTagSpokenLanguage = 160;
constexpr std::uint16_t kTagGod = 165;
constexpr std::uint16_t kTagDomain = 170;
constexpr std::uint16_t kTagGodDomain = 175;
constexpr std::uint16_t kTagGodRace = 176;
constexpr std::uint16_t kTagSchool = 180;
constexpr std::uint16_t kTagItem = 185;
constexpr std::uint16_t kTagItem190 = 190;
constexpr std::uint16_t kTagItem195 = 195;
constexpr std::uint16_t kTagItem200 = 200;
constexpr std::uint16_t kTagItem202 = 202;
constexpr std::uint16_t kTagFeatDepend = 205;
constexpr std::uint16_t kTagSpell = 210;
constexpr std::uint16_t kTagSpellsPer = 215;
constexpr std::uint16_t kTagSpellsPer220 = 220;
constexpr std::uint16_t kTagSpellLevel = 225;
constexpr std::uint16_t kTagProfWeapon = 240;
constexpr std::uint16_t kTagAnimal = 250;
constexpr std::uint16_t kTagAnimalAttack = 255;
constexpr std::uint16_t kTagAnimalSkill = 260;
constexpr std::uint16_t kTagAnimalFeature = 265;
constexpr std::uint16_t kTagName = 270;
constexpr std::uint16_t kTagFeature = 275;
constexpr std::uint16_t kTagClassFeature = 280;
constexpr std::uint16_t kTagEnemy = 285;
constexpr std::uint16_t kTagMount290 = 290;
constexpr std::uint16_t kTagMount295 = 295;
constexpr std::uint16_t kTagFamiliarFeature = 300;
constexpr std::uint16_t kTagDomainSkill = 305;
constexpr std::uint16_t kTagGodDomainFeat = 310;
constexpr std::uint16_t kTagSpecialCost315 = 315;
constexpr std::uint16_t kTagSpecialCost = 320;

// Reads the sections of one open database file into the tables, up to the
// end mark (tag 0: true). The end of the data before the end mark, an
// unknown tag, an unknown record class or a short record stop the reading
// (false, logged with the file name); the tables and records read before
// the stop stay.
bool ParseStream(FCFile& file, std::string_view fileName = {});
// Opens the file at a host or backslash path, parses it and closes it. A
// file that does not open is skipped without a message (false).
bool ParseFile(const std::string& path);
// Reads one section whose tag has just been read; false as for ParseStream.
bool ReadTable(FCFile& file, std::uint16_t tag);
// Destroys every table; lookups then find nothing.
void Clear();

// The record class a tag's table holds; null for the item sections (whose
// records are the item kinds, GetItemClassNames) and for unknown tags.
const char* GetTableClassName(std::uint16_t tag);
std::span<const char* const> GetItemClassNames();
// The container a tag's table is; false for unknown tags. The item
// sections answer for the item table they fill.
enum class TableKind : std::uint8_t
{
    kMap,
    kSet,
    kList,
    kPairMap,
};
bool GetTableKind(std::uint16_t tag, TableKind& kind);
// Every tag that makes or fills a table, item sections included.
std::span<const std::uint16_t> GetTableTags();

// The tables by kind; null when no file supplied the tag (or the tag has
// another kind). List and set users walk them in order.
FCObjectMap* GetMap(std::uint16_t tag);
FCObjectSet* GetSet(std::uint16_t tag);
FCObjectVector* GetList(std::uint16_t tag);
FCObjectPairMap* GetPairMap(std::uint16_t tag);

VelInfo* FindInMap(std::uint16_t tag, std::uint16_t key);
VelInfo* FindInSet(std::uint16_t tag, const VelInfo& probe);
VelInfo* FindInPairMap(std::uint16_t tag, std::uint16_t key, std::uint16_t second);

// Calls fn(const T&) for every record of a list or set table, in order,
// with a walk of its own (the table's cursor is not moved).
template <class T, class Fn>
void ForEach(std::uint16_t tag, Fn&& fn)
{
    FCObject* object = nullptr;
    if (FCObjectVector* list = GetList(tag))
    {
        FCObjectVectorCursor walk;
        while (list->GetNext(object, &walk))
        {
            fn(static_cast<const T&>(*static_cast<VelInfo*>(object)));
        }
    }
    else if (FCObjectSet* set = GetSet(tag))
    {
        FCObjectSet::Cursor walk = set->First();
        while (set->GetNext(object, &walk))
        {
            fn(static_cast<const T&>(*static_cast<VelInfo*>(object)));
        }
    }
}

// Lookups by key (maps). A key is taken as a signed 16-bit value, so 0xFFFF
// ("none") finds nothing.
template <class T = VelClassInfo>
T* FindClass(std::uint16_t id) { return static_cast<T*>(FindInMap(kTagClass, id)); }
template <class T = VelRaceInfo>
T* FindRace(std::uint16_t id) { return static_cast<T*>(FindInMap(kTagRace, id)); }
template <class T = VelAlignmentInfo>
T* FindAlignment(std::uint16_t id) { return static_cast<T*>(FindInMap(kTagAlignment, id)); }
template <class T = VelAgeInfo>
T* FindAge(std::uint16_t raceId) { return static_cast<T*>(FindInMap(kTagAge, raceId)); }
template <class T = VelClassLevelInfo>
T* FindClassLevel(std::uint16_t level) { return static_cast<T*>(FindInMap(kTagClassLevel, level)); }
template <class T = VelCarryInfo>
T* FindCarry(std::uint16_t strength) { return static_cast<T*>(FindInMap(kTagCarry, strength)); }
template <class T = VelSizeInfo>
T* FindSize(std::uint16_t id) { return static_cast<T*>(FindInMap(kTagSize, id)); }
template <class T = VelSkillInfo>
T* FindSkill(std::uint16_t id) { return static_cast<T*>(FindInMap(kTagSkill, id)); }
template <class T = VelFeatInfo>
T* FindFeat(std::uint16_t id) { return static_cast<T*>(FindInMap(kTagFeat, id)); }
template <class T = VelLanguageInfo>
T* FindLanguage(std::uint16_t id) { return static_cast<T*>(FindInMap(kTagLanguage, id)); }
template <class T = VelGodInfo>
T* FindGod(std::uint16_t id) { return static_cast<T*>(FindInMap(kTagGod, id)); }
template <class T = VelDomainInfo>
T* FindDomain(std::uint16_t id) { return static_cast<T*>(FindInMap(kTagDomain, id)); }
template <class T = VelSchoolInfo>
T* FindSchool(std::uint16_t id) { return static_cast<T*>(FindInMap(kTagSchool, id)); }
template <class T = VelItemInfo>
T* FindItem(std::uint16_t id) { return static_cast<T*>(FindInMap(kTagItem, id)); }
template <class T = VelSpellInfo>
T* FindSpell(std::uint16_t id) { return static_cast<T*>(FindInMap(kTagSpell, id)); }
template <class T = VelAnimalInfo>
T* FindAnimal(std::uint16_t id) { return static_cast<T*>(FindInMap(kTagAnimal, id)); }
template <class T = VelFeatureInfo>
T* FindFeature(std::uint16_t id) { return static_cast<T*>(FindInMap(kTagFeature, id)); }
template <class T = VelEnemyInfo>
T* FindEnemy(std::uint16_t id) { return static_cast<T*>(FindInMap(kTagEnemy, id)); }

// Lookups by pair (ordered sets), through a search record of the class.
template <class T>
T* FindPairInSet(std::uint16_t tag, std::uint16_t key, std::uint16_t second)
{
    const T probe(key, second);
    return static_cast<T*>(FindInSet(tag, probe));
}
// The row when the alignment is forbidden to the class, else null.
template <class T = VelClassAlignmentInfo>
T* FindClassAlignment(std::uint16_t classId, std::uint16_t alignmentId)
{
    return FindPairInSet<T>(kTagClassAlignment, classId, alignmentId);
}
template <class T = VelRaceSkillInfo>
T* FindRaceSkill(std::uint16_t raceId, std::uint16_t skillId)
{
    return FindPairInSet<T>(kTagRaceSkill, raceId, skillId);
}
template <class T = VelSubSkillInfo>
T* FindSubSkill(std::uint16_t skillId, std::uint16_t subSkillId)
{
    return FindPairInSet<T>(kTagSubSkill, skillId, subSkillId);
}
template <class T = VelGodDomainInfo>
T* FindGodDomain(std::uint16_t godId, std::uint16_t domainId)
{
    return FindPairInSet<T>(kTagGodDomain, godId, domainId);
}
template <class T = VelGodRaceInfo>
T* FindGodRace(std::uint16_t godId, std::uint16_t raceId)
{
    return FindPairInSet<T>(kTagGodRace, godId, raceId);
}
template <class T = VelSpellsPerInfo>
T* FindSpellsPer(std::uint16_t classId, std::uint16_t level)
{
    return FindPairInSet<T>(kTagSpellsPer, classId, level);
}
template <class T = VelSpellsPerInfo>
T* FindSpellsPer220(std::uint16_t key, std::uint16_t second)
{
    return FindPairInSet<T>(kTagSpellsPer220, key, second);
}
template <class T = VelAnimalAttackInfo>
T* FindAnimalAttack(std::uint16_t animalId, std::uint16_t attackIndex)
{
    return FindPairInSet<T>(kTagAnimalAttack, animalId, attackIndex);
}
template <class T = VelDomainSkillInfo>
T* FindDomainSkill(std::uint16_t domainId, std::uint16_t skillId)
{
    return FindPairInSet<T>(kTagDomainSkill, domainId, skillId);
}
template <class T = VelSpecialCostInfo>
T* FindSpecialCost315(std::uint16_t key, std::uint16_t second)
{
    return FindPairInSet<T>(kTagSpecialCost315, key, second);
}
template <class T = VelSpecialCostInfo>
T* FindSpecialCost(std::uint16_t key)
{
    return FindPairInSet<T>(kTagSpecialCost, key, 0);
}
// The spell's row for a class, or for a domain: the other id stays -1.
template <class T = VelSpellLevelInfo>
T* FindClassSpellLevel(std::uint16_t spellId, std::uint16_t classId)
{
    T probe(spellId);
    probe.classId = static_cast<std::int16_t>(classId);
    return static_cast<T*>(FindInSet(kTagSpellLevel, probe));
}
template <class T = VelSpellLevelInfo>
T* FindDomainSpellLevel(std::uint16_t spellId, std::uint16_t domainId)
{
    T probe(spellId);
    probe.domainId = static_cast<std::int16_t>(domainId);
    return static_cast<T*>(FindInSet(kTagSpellLevel, probe));
}

// Lookup by pair (the height and weight table).
template <class T = VelHeightWeightInfo>
T* FindHeightWeight(std::uint16_t key, std::uint16_t second)
{
    return static_cast<T*>(FindInPairMap(kTagHeightWeight, key, second));
}
} // namespace VelDatabase
