#include "Vel/Rules/VelSpellRules.h"

#include "Fc/Core/FCDebugLog.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Character/VelCharacterSpell.h"
#include "Vel/Db/VelAlignmentInfo.h"
#include "Vel/Db/VelClassAlignmentInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelDomainInfo.h"
#include "Vel/Db/VelGodDomainFeatInfo.h"
#include "Vel/Db/VelGodDomainInfo.h"
#include "Vel/Db/VelGodInfo.h"
#include "Vel/Db/VelGodRaceInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelSpellLevelInfo.h"
#include "Vel/Db/VelSpellsPerInfo.h"
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel/Rules/VelFeatRules.h"
#include "Vel/Rules/VelLimitFlags.h"
#include "Vel/Rules/VelRulesWalk.h"
#include "Vel/Rules/VelSkillRules.h"

#include <algorithm>
#include <vector>

namespace
{
constexpr std::int16_t kSpellLevelCount =
    static_cast<std::int16_t>(VelCharacterClass::kSpellLevelCount);
constexpr std::uint32_t kValueGeneralFeatsUsed = 6;
// A score casts spells of a level from 10 + level on.
constexpr std::int32_t kLowestCastingScore = 10;
// The holy knight and tracker cast from class level 4, at half their level.
constexpr std::uint16_t kHalfCasterFirstLevel = 4;
// The spellbook class's first-level spells beyond its ability modifier, and
// the spells it learns at each further level.
constexpr std::int32_t kSpellbookFirstLevelSpells = 3;
constexpr std::int32_t kSpellbookSpellsPerLevel = 2;
// Spell entries granted rather than chosen sit on this slot.
constexpr std::int16_t kGrantedSlot = 11;

// Feat-entry flags of god and domain grants.
constexpr std::uint32_t kHeldBeforeGrant = 0x4;
constexpr std::uint32_t kGodGranted = 0x400;
constexpr std::uint32_t kGrantFlags = kGodGranted | VelCharacterFeat::kFixed;
constexpr std::uint32_t kHeldGrantFlags = kGrantFlags | kHeldBeforeGrant;

bool IsSpellsKnownClass(std::uint16_t classId)
{
    return classId == VelIds::kClassMinstrel || classId == VelIds::kClassInnateCaster;
}

bool HasSpellLimits(std::uint16_t classId)
{
    return IsSpellsKnownClass(classId) || classId == VelIds::kClassScholarCaster;
}

const VelClassInfo* CastingClass(const VelCharacterClass& entry)
{
    const VelClassInfo* record = VelDatabase::FindClass(entry.classId);
    if (!record)
    {
        FC_LOG("No class %u: no spells\n", static_cast<unsigned>(entry.classId));
        return nullptr;
    }
    return record->castingKind != 0 ? record : nullptr;
}

// The casting ability's score; false when the class names no ability
// (an index from data that lies outside the six).
bool GetCastingScore(const VelCharacter* character, const VelClassInfo& record, std::int16_t& score)
{
    if (record.castingAbility >= VelEntity::kAbilityCount)
        return false;
    score = static_cast<std::int16_t>(character->abilities[record.castingAbility]);
    return true;
}

std::int16_t
HighestPositive(const std::array<std::int16_t, VelCharacterClass::kSpellLevelCount>& values)
{
    for (std::int16_t level = kSpellLevelCount - 1; level >= 0; --level)
    {
        if (values[static_cast<std::size_t>(level)] > 0)
            return level;
    }
    return -1;
}

void ComputeClassSpellsPerDay(const VelCharacter* character, VelCharacterClass& entry,
                              const VelClassInfo& record)
{
    std::int16_t score = 0;
    if (!GetCastingScore(character, record, score))
        FC_LOG("Class %d has no casting ability\n", static_cast<int>(record.key));
    const VelSpellsPerInfo* row = VelDatabase::FindSpellsPer(entry.classId, entry.level);
    if (!row)
        FC_LOG("No spells per day for class %u level %u\n", static_cast<unsigned>(entry.classId),
               static_cast<unsigned>(entry.level));
    for (std::int16_t level = 0; level < kSpellLevelCount; ++level)
    {
        std::int16_t& perDay = entry.spellsPerDay[static_cast<std::size_t>(level)];
        const std::int16_t base =
            row ? row->spells[static_cast<std::size_t>(level)] : VelCharacterClass::kNoSpells;
        const std::int16_t bonus = GetBonusSpells(level, score);
        if (score < kLowestCastingScore + level)
            perDay = VelCharacterClass::kNoSpells;
        else if (base < 0)
            perDay = base;
        else if (level == row->bonusOnlyLevel && bonus <= 0)
            perDay = VelCharacterClass::kNoSpells;
        else
            perDay = static_cast<std::int16_t>(base + bonus);
    }
}

void ComputeClassSpellsKnown(const VelCharacter* character, VelCharacterClass& entry,
                             const VelClassInfo& record)
{
    std::int16_t score = 0;
    GetCastingScore(character, record, score);
    const VelSpellsPerInfo* row = IsSpellsKnownClass(entry.classId)
                                      ? VelDatabase::FindSpellsPer220(entry.classId, entry.level)
                                      : nullptr;
    if (IsSpellsKnownClass(entry.classId) && !row)
        FC_LOG("No spells known for class %u level %u\n", static_cast<unsigned>(entry.classId),
               static_cast<unsigned>(entry.level));
    for (std::int16_t level = 0; level < kSpellLevelCount; ++level)
    {
        std::uint16_t& known = entry.spellsKnown[static_cast<std::size_t>(level)];
        if (score < kLowestCastingScore + level)
            known = 0;
        else if (IsSpellsKnownClass(entry.classId))
        {
            // A missing row knows nothing, like a negative value.
            const std::int16_t value = row ? row->spells[static_cast<std::size_t>(level)] : -1;
            const bool bonusOnly =
                row && level == row->bonusOnlyLevel && GetBonusSpells(level, score) <= 0;
            known = static_cast<std::uint16_t>(value < 0 || bonusOnly ? 0 : value);
        }
    }
    if (entry.classId != VelIds::kClassScholarCaster)
        return;
    std::fill(entry.spellsKnown.begin() + 1, entry.spellsKnown.end(), 0);
    const std::int16_t highest = HighestSpellLevel(&entry);
    if (highest <= 0)
        return;
    entry.spellsKnown[1] = static_cast<std::uint16_t>(
        std::max(0, GetAbilityModifier(score) + kSpellbookFirstLevelSpells));
    for (std::uint16_t classLevel = 2; classLevel <= entry.level; ++classLevel)
    {
        const std::int16_t top =
            std::min(GetHighestSpellLevelAt(VelIds::kClassScholarCaster, classLevel), highest);
        if (top > 0)
            entry.spellsKnown[static_cast<std::size_t>(top)] += kSpellbookSpellsPerLevel;
    }
}

// The class-2 kinds of the character's skill entries, in set order.
std::vector<std::int32_t> PriestSkillKinds(const VelCharacter* character)
{
    std::vector<std::int32_t> kinds;
    VelRulesWalk::Each<VelCharacterSkill>(
        character->skills,
        [&](const VelCharacterSkill& skill)
        {
            kinds.push_back(GetSkillClassKind(character, VelIds::kClassPriest,
                                              VelDatabase::FindSkill(skill.skillId)));
            return false;
        });
    return kinds;
}

// A skill that a domain turned into a class skill for the priest (or back)
// changes its ranks' kind: a cross-class rank is worth half a class rank.
bool MovePriestRanks(VelCharacter* character, const std::vector<std::int32_t>& before)
{
    constexpr auto kPriest = static_cast<std::int16_t>(VelIds::kClassPriest);
    bool moved = false;
    std::size_t index = 0;
    VelRulesWalk::Each<VelCharacterSkill>(
        character->skills,
        [&](VelCharacterSkill& skill)
        {
            const std::int32_t old = index < before.size() ? before[index] : 0;
            ++index;
            const std::int32_t now = GetSkillClassKind(character, VelIds::kClassPriest,
                                                       VelDatabase::FindSkill(skill.skillId));
            const float cross = skill.GetRanks(kPriest, VelCharacterSkill::kCrossClassRanks);
            const float full = skill.GetRanks(kPriest, VelCharacterSkill::kClassRanks);
            if (old == VelSkillInfo::kCrossClassSkill && now == VelSkillInfo::kClassSkill &&
                cross > 0.0f)
            {
                skill.SetRanks(kPriest, VelCharacterSkill::kCrossClassRanks, 0.0f);
                skill.SetRanks(kPriest, VelCharacterSkill::kClassRanks, 2.0f * cross);
                moved = true;
            }
            else if (old == VelSkillInfo::kClassSkill && now == VelSkillInfo::kCrossClassSkill &&
                     full > 0.0f)
            {
                skill.SetRanks(kPriest, VelCharacterSkill::kClassRanks, 0.0f);
                skill.SetRanks(kPriest, VelCharacterSkill::kCrossClassRanks, full / 2.0f);
                moved = true;
            }
            return false;
        });
    return moved;
}

void Notify(VelCharacter* character, std::uint32_t bits)
{
    character->changeMask |= bits;
    character->NotifyChanged();
}

std::uint16_t StoredId(std::int16_t id)
{
    return id < 0 ? VelIds::kNone : static_cast<std::uint16_t>(id);
}
} // namespace

std::int16_t GetBonusSpells(std::int16_t spellLevel, std::int16_t score)
{
    if (spellLevel < 1)
        return 0;
    // Low scores would give a negative count, which would take spells away.
    return static_cast<std::int16_t>(std::max(0, (score / 2 - spellLevel - 1) / 4));
}

std::int16_t GetCasterLevel(const VelCharacter* character, std::uint16_t classId)
{
    if (!character)
        return 0;
    const VelClassInfo* record = VelDatabase::FindClass(classId);
    const std::uint16_t level = character->GetClassLevel(classId);
    if (!record || record->castingKind == 0 || level == VelCharacter::kNone)
        return 0;
    if (classId == VelIds::kClassHolyKnight || classId == VelIds::kClassTracker)
        return level < kHalfCasterFirstLevel ? 0 : static_cast<std::int16_t>(level / 2);
    return static_cast<std::int16_t>(level);
}

std::int16_t GetSpellSaveDifficulty(const VelCharacter* character, const VelClassInfo* classRecord,
                                    std::int16_t spellLevel)
{
    std::int16_t score = 0;
    if (!character || !classRecord || !GetCastingScore(character, *classRecord, score))
        return kNoSaveDifficulty;
    return static_cast<std::int16_t>(10 + spellLevel + GetAbilityModifier(score));
}

void ComputeSpellsPerDay(VelCharacter* character)
{
    if (!character)
        return;
    VelRulesWalk::Each<VelCharacterClass>(character->classes,
                                          [&](VelCharacterClass& entry)
                                          {
                                              if (const VelClassInfo* record = CastingClass(entry))
                                                  ComputeClassSpellsPerDay(character, entry,
                                                                           *record);
                                              return false;
                                          });
}

void ComputeSpellsKnown(VelCharacter* character)
{
    if (!character)
        return;
    VelRulesWalk::Each<VelCharacterClass>(character->classes,
                                          [&](VelCharacterClass& entry)
                                          {
                                              if (const VelClassInfo* record = CastingClass(entry))
                                                  ComputeClassSpellsKnown(character, entry,
                                                                          *record);
                                              return false;
                                          });
}

void AddLevelZeroSpells(VelCharacter* character)
{
    UpdateLevelZeroSpells(character);
}

bool UpdateLevelZeroSpells(VelCharacter* character)
{
    if (!character || !character->HasClass(VelIds::kClassScholarCaster))
        return false;
    FCObjectMap* spells = VelDatabase::GetMap(VelDatabase::kTagSpell);
    if (!spells)
        return false;
    bool changed = false;
    VelRulesWalk::Each<VelSpellInfo>(
        *spells,
        [&](const VelSpellInfo& spell)
        {
            const auto spellId = static_cast<std::uint16_t>(spell.key);
            const VelSpellLevelInfo* row =
                VelDatabase::FindClassSpellLevel(spellId, VelIds::kClassInnateCaster);
            if (!row)
                row = VelDatabase::FindClassSpellLevel(spellId, VelIds::kClassScholarCaster);
            if (!row || row->level != 0)
                return false;
            // Nothing counts level 0 against the schools given up, so their
            // spells must not be known at all.
            const bool known = !character->IsProhibitedSchool(spell.schoolId);
            VelCharacterSpell* held =
                character->FindSpell(VelCharacterSpell(spellId, VelIds::kClassScholarCaster));
            if (held && !known)
            {
                character->RemoveSpell(held);
                changed = true;
            }
            else if (!held && known)
            {
                auto* entry = new VelCharacterSpell(spellId, VelIds::kClassScholarCaster);
                entry->thirdKey = 0;
                entry->spellLevel = kGrantedSlot;
                entry->extra = VelCharacterSpell::kFixed;
                changed = character->AddSpell(entry) == 0 || changed;
                entry->Release();
            }
            return false;
        });
    return changed;
}

std::int16_t HighestSpellLevel(const VelCharacterClass* entry)
{
    return entry ? HighestPositive(entry->spellsPerDay) : -1;
}

std::int16_t GetHighestSpellLevelAt(std::uint16_t classId, std::uint16_t level)
{
    const VelSpellsPerInfo* row = VelDatabase::FindSpellsPer(classId, level);
    return row ? HighestPositive(row->spells) : -1;
}

bool IsGodAllowed(const VelCharacter* character, const VelGodInfo* god)
{
    if (!character || !god)
        return false;
    if (god->key < 1)
        return true;
    const auto godId = static_cast<std::uint16_t>(god->key);
    if (god->raceRestricted && !VelDatabase::FindGodRace(godId, character->raceId))
        return false;
    if (god->alignment > 0)
    {
        const auto wanted = static_cast<std::uint16_t>(god->alignment);
        // Without its record the character's alignment accepts only itself.
        const VelAlignmentInfo* alignment = VelDatabase::FindAlignment(character->alignmentId);
        const bool accepted =
            alignment ? alignment->IsCompatible(wanted) : wanted == character->alignmentId;
        if (!accepted)
            return false;
    }
    return character->alignmentId != god->excludedAlignment;
}

bool MatchesAlignmentMask(const VelCharacter* character, const VelDomainInfo* domain)
{
    if (!character || !domain)
        return false;
    return domain->alignmentMask < 1 ||
           (static_cast<std::uint16_t>(domain->alignmentMask) & character->alignmentId) != 0;
}

bool IsGodDomain(std::uint16_t godId, std::uint16_t domainId)
{
    return godId == VelIds::kGodAnyDomain || VelDatabase::FindGodDomain(godId, domainId);
}

bool UpdateDomainFeats(VelCharacter* character, std::uint16_t godId, std::uint16_t firstDomain,
                       std::uint16_t secondDomain, bool grant)
{
    if (!character || godId == VelIds::kNone)
        return false;
    bool changed = false;
    VelDatabase::ForEach<VelGodDomainFeatInfo>(
        VelDatabase::kTagGodDomainFeat,
        [&](const VelGodDomainFeatInfo& row)
        {
            if (static_cast<std::uint16_t>(row.key) != godId || row.domainId == VelIds::kNone ||
                (row.domainId != firstDomain && row.domainId != secondDomain))
                return;
            VelCharacterFeat* held = character->FindFeat(row.featId, row.featChoice, -1);
            if (grant)
            {
                if (!held)
                {
                    auto* feat =
                        new VelCharacterFeat(row.featId, row.featChoice,
                                             VelCharacterFeat::kNoChoice, VelIds::kClassPriest);
                    feat->flags = kGrantFlags;
                    character->InsertFeat(feat);
                    feat->Release();
                    ApplyFeatEffect(character, row.featId);
                    changed = true;
                }
                // Only a feat that took a general slot gives the slot back; a
                // bonus or fixed feat is already the character's by another
                // road and the grant leaves it alone.
                else if ((held->flags & (kGodGranted | VelCharacterFeat::kBonusFeat |
                                         VelCharacterFeat::kFixed)) == 0)
                {
                    held->flags |= kHeldGrantFlags;
                    character->values[kValueGeneralFeatsUsed] -= 1;
                    changed = true;
                }
            }
            else if (held && (held->flags & kGodGranted))
            {
                if (held->flags & kHeldBeforeGrant)
                {
                    held->flags &= ~kHeldGrantFlags;
                    character->values[kValueGeneralFeatsUsed] += 1;
                }
                else
                {
                    const std::uint16_t featId = held->featId;
                    character->EraseFeat(held);
                    ApplyFeatEffect(character, featId);
                }
                changed = true;
            }
        });
    return changed;
}

void SetGod(VelCharacter* character, std::int16_t godId)
{
    if (!character)
        return;
    const std::uint16_t oldGod = character->godId;
    const std::uint16_t newGod = StoredId(godId);
    const auto& domains = character->domainIds;
    // Replacing a god takes back what the old one gave, as clearing does.
    bool changed =
        oldGod != newGod && UpdateDomainFeats(character, oldGod, domains[0], domains[1], false);
    character->SetGodSlot(0, newGod);
    if (newGod != VelIds::kNone)
        changed = UpdateDomainFeats(character, newGod, domains[0], domains[1], true) || changed;
    // A new god is an edit even when it brings and takes no feat.
    const std::uint32_t bits = (oldGod != newGod ? VelCharacter::kChangedGod : 0u) |
                               (changed ? VelCharacter::kChangedFeats : 0u);
    if (bits != 0)
        Notify(character, bits);
}

void SetDomain(VelCharacter* character, std::int16_t slot, std::int16_t domainId)
{
    if (!character || slot < 0 || slot > 1)
    {
        FC_LOG("No domain slot %d\n", static_cast<int>(slot));
        return;
    }
    const std::uint16_t oldDomain = character->domainIds[static_cast<std::size_t>(slot)];
    const std::uint16_t newDomain = StoredId(domainId);
    const std::vector<std::int32_t> kindsBefore = PriestSkillKinds(character);
    // The old domain's feats go first; granting for the resulting pair then
    // gives back any feat the other domain grants as well.
    bool changed = oldDomain != newDomain &&
                   UpdateDomainFeats(character, character->godId, oldDomain, VelIds::kNone, false);
    character->SetGodSlot(static_cast<std::int16_t>(slot + 1), newDomain);
    const auto& domains = character->domainIds;
    changed =
        UpdateDomainFeats(character, character->godId, domains[0], domains[1], true) || changed;
    // One notification for the whole change; a new domain is an edit even
    // when it moves no feat and no rank.
    const std::uint32_t bits = (oldDomain != newDomain ? VelCharacter::kChangedGod : 0u) |
                               (changed ? VelCharacter::kChangedFeats : 0u) |
                               (MovePriestRanks(character, kindsBefore) ? VelCharacter::kChangedSkillKinds : 0u);
    if (bits != 0)
        Notify(character, bits);
}

std::uint32_t CheckClassSpellLimits(const VelCharacter* character, const VelCharacterClass* entry)
{
    if (!character || !entry || !HasSpellLimits(entry->classId))
        return 0;
    std::uint32_t flags = 0;
    VelRulesWalk::Each<VelCharacterSpell>(
        character->spells,
        [&](const VelCharacterSpell& spell)
        {
            if (spell.classId != entry->classId)
                return false;
            if (spell.classId == VelIds::kClassScholarCaster && spell.thirdKey > 0)
            {
                const VelSpellInfo* record = VelDatabase::FindSpell(spell.spellId);
                if (record && character->IsProhibitedSchool(record->schoolId))
                    flags = VelLimitFlags::kProhibitedSpell;
            }
            // The slot comes from a file: only 0 to 9 are counted slots.
            if (!flags && spell.spellLevel >= 0 && spell.spellLevel < kSpellLevelCount)
            {
                const auto slot = static_cast<std::size_t>(spell.spellLevel);
                if (entry->spellsChosen[slot] > entry->spellsKnown[slot])
                    flags = VelLimitFlags::kSpellsChosen;
            }
            return flags != 0;
        });
    return flags;
}

std::uint32_t CheckSpellLimits(const VelCharacter* character)
{
    if (!character)
        return 0;
    std::uint32_t flags = 0;
    VelRulesWalk::Each<VelCharacterClass>(character->classes,
                                          [&](const VelCharacterClass& entry)
                                          {
                                              flags |= CheckClassSpellLimits(character, &entry);
                                              return false;
                                          });
    return flags;
}

std::uint32_t CheckGodLimit(const VelCharacter* character)
{
    if (!character)
        return 0;
    if (static_cast<std::int16_t>(character->godId) > 0)
    {
        const VelGodInfo* god = VelDatabase::FindGod(character->godId);
        if (god && !IsGodAllowed(character, god))
            return VelLimitFlags::kGod;
    }
    for (std::uint16_t domainId : character->domainIds)
    {
        const VelDomainInfo* domain =
            domainId == VelIds::kNone ? nullptr : VelDatabase::FindDomain(domainId);
        if (domain && !MatchesAlignmentMask(character, domain))
            return VelLimitFlags::kGod;
    }
    return 0;
}

bool IsAlignmentAllowedForClass(std::uint16_t classId, std::uint16_t alignmentId)
{
    return VelDatabase::FindClassAlignment(classId, alignmentId) == nullptr;
}

bool IsAlignmentAllowedForClasses(const VelCharacter* character, std::uint16_t alignmentId)
{
    if (!character)
        return false;
    bool allowed = true;
    VelRulesWalk::Each<VelCharacterClass>(character->classes,
                                          [&](const VelCharacterClass& entry)
                                          {
                                              allowed = IsAlignmentAllowedForClass(entry.classId,
                                                                                   alignmentId);
                                              return !allowed;
                                          });
    return allowed;
}
