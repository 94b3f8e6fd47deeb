#include "Vel/Character/VelCharacter.h"

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterEquip.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterFeature.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Character/VelCharacterLanguage.h"
#include "Vel/Character/VelCharacterListener.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Character/VelCharacterSpell.h"
#include "Vel/Db/VelAlignmentInfo.h"
#include "Vel/Db/VelClassFeatureInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Db/VelItemInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelSchoolInfo.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <typeinfo>

FC_REGISTER_CLASS(VelCharacter);

namespace
{
std::uint32_t BasePrice(const VelItemInfo& record, std::uint32_t)
{
    return record.basePrice;
}

VelCharacter::ItemPricer g_itemPricer = BasePrice;

float RecordWeight(const VelItemInfo& record, std::uint32_t)
{
    return record.weight;
}

VelCharacter::ItemWeigher g_itemWeigher = RecordWeight;

constexpr std::array<std::int64_t, VelCoins::kCoinCount> kCoinFactors{1, 10, 100};

// A weight kept up item by item may drift from a fresh sum in its last bits:
// by this many pounds, or this share of the sum when that is more.
constexpr float kWeightTolerance = 0.01f;
constexpr float kWeightDrift = 1e-5f;

std::int32_t Clamp32(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

bool IsCoin(std::int32_t coin)
{
    return coin >= 0 && static_cast<std::size_t>(coin) < VelCoins::kCoinCount;
}

// The first element of the list, set or map that satisfies the predicate,
// in the holder's order. The walks use cursors of their own, so a caller's
// walk of the same holder is never disturbed.
template <class T, class Pred> T* FirstIn(const FCObjectVector& list, Pred pred)
{
    for (std::uint32_t i = 0; i < list.GetCount(); ++i)
    {
        auto* element = static_cast<T*>(list.GetAt(static_cast<std::int32_t>(i)));
        if (element && pred(*element))
            return element;
    }
    return nullptr;
}

template <class T, class Pred> T* FirstIn(const FCObjectSet& constSet, Pred pred)
{
    auto& set = const_cast<FCObjectSet&>(constSet);
    FCObjectSet::Cursor walk = set.First();
    FCObject* element = nullptr;
    while (set.GetNext(element, &walk))
    {
        if (pred(*static_cast<T*>(element)))
            return static_cast<T*>(element);
    }
    return nullptr;
}

template <class T, class Pred> T* FirstIn(const FCObjectMap& constMap, Pred pred)
{
    auto& map = const_cast<FCObjectMap&>(constMap);
    FCObjectMap::Cursor walk = map.First();
    FCObject* element = nullptr;
    while (map.GetNext(element, &walk))
    {
        if (element && pred(*static_cast<T*>(element)))
            return static_cast<T*>(element);
    }
    return nullptr;
}

// True when every element is exactly a T; the rest of the program casts
// them, and the registry only ever makes the registered classes.
template <class T, class Holder> bool HoldsOnly(const Holder& holder)
{
    return FirstIn<FCObject>(holder, [](const FCObject& e) { return typeid(e) != typeid(T); }) ==
           nullptr;
}

template <class T, class Holder> void ReadHolder(FCArchive& ar, Holder& holder, const char* what)
{
    holder.Serialize(ar);
    if (!ar.HasFailed() && !HoldsOnly<T>(holder))
    {
        FC_LOG("The %s list holds objects of another class\n", what);
        ar.SetFailed("Unexpected object in a character list");
    }
}

// The caller's reference passes to the list.
void AppendOwned(FCObjectVector& list, FCObject* object)
{
    list.Append(object);
    if (list.GetMode() == FCOwnership::kRefCounted)
        object->Release();
}

template <class Array> void WriteU16s(FCArchive& ar, const Array& values)
{
    for (std::uint16_t value : values)
        ar.WriteU16(value);
}

template <class Array> void ReadU16s(FCArchive& ar, Array& values)
{
    for (std::uint16_t& value : values)
        ar.ReadU16(value);
}
} // namespace

void VelCharacter::SetItemPricer(ItemPricer pricer)
{
    g_itemPricer = pricer ? pricer : BasePrice;
}

void VelCharacter::SetItemWeigher(ItemWeigher weigher)
{
    g_itemWeigher = weigher ? weigher : RecordWeight;
}

VelCharacter::VelCharacter()
{
    SetSchool(kSchoolChoiceSlot, 1);
}

VelCharacter::VelCharacter(const VelCharacter& other) : VelEntity(other)
{
    SetSchool(kSchoolChoiceSlot, 1);
}

VelCharacter::~VelCharacter()
{
    fileName.clear();
    // Animals that someone else still holds must not point back at us. The
    // set may hold anything when a damaged file failed to load, hence the
    // checked cast.
    FirstIn<FCObject>(animals,
                      [](FCObject& object)
                      {
                          if (auto* animal = dynamic_cast<VelCharacterAnimal*>(&object))
                              animal->owner = nullptr;
                          return false;
                      });
    animals.Clear();
    features.Clear();
    equipSets.Clear();
    wornArmor = firstShield = secondShield = nullptr;
    items.Clear();
    languages.Clear();
    spells.Clear();
    feats.Clear();
    skills.Clear();
    classes.Clear();
}

// --- Classes ---

VelCharacterClass* VelCharacter::GetClassAt(std::int16_t index) const
{
    return static_cast<VelCharacterClass*>(classes.GetAt(index));
}

VelCharacterClass* VelCharacter::FindClass(std::uint16_t classId) const
{
    return FirstIn<VelCharacterClass>(classes, [&](const VelCharacterClass& c)
                                      { return c.classId == classId; });
}

std::uint16_t VelCharacter::GetLastClassId() const
{
    const VelCharacterClass* last =
        classes.GetCount() == 0 ? nullptr
                                : GetClassAt(static_cast<std::int16_t>(classes.GetCount() - 1));
    return last ? last->classId : kNone;
}

VelCharacterClass* VelCharacter::AddClass(std::uint16_t classId)
{
    auto* entry = new VelCharacterClass(classId, 1);
    entry->flags |= VelCharacterClass::kClassMark;
    AppendOwned(classes, entry);
    return entry;
}

void VelCharacter::RemoveLastClass()
{
    if (classes.GetCount() != 0)
        classes.RemoveAt(classes.GetCount() - 1);
}

std::uint16_t VelCharacter::GetTotalLevel() const
{
    std::uint16_t levels = 0;
    std::uint16_t starting = 0;
    GetLevelTotals(levels, starting);
    return levels;
}

void VelCharacter::GetLevelTotals(std::uint16_t& levels, std::uint16_t& startingLevels) const
{
    levels = 0;
    startingLevels = 0;
    FirstIn<VelCharacterClass>(classes,
                               [&](const VelCharacterClass& c)
                               {
                                   levels = static_cast<std::uint16_t>(levels + c.level);
                                   startingLevels =
                                       static_cast<std::uint16_t>(startingLevels + c.startingLevel);
                                   return false;
                               });
}

std::uint16_t VelCharacter::GetClassLevel(std::uint16_t classId) const
{
    const VelCharacterClass* entry = FindClass(classId);
    return entry ? entry->level : kNone;
}

bool VelCharacter::HasClass(std::uint16_t classId) const
{
    return FindClass(classId) != nullptr;
}

bool VelCharacter::IsFormerMember(std::uint16_t classId) const
{
    const VelCharacterClass* entry = FindClass(classId);
    return entry && entry->formerMember != 0;
}

bool VelCharacter::HasClassMark(std::uint16_t classId) const
{
    const VelCharacterClass* entry = FindClass(classId);
    return entry && (entry->flags & VelCharacterClass::kClassMark) != 0;
}

void VelCharacter::ClearClassMarks()
{
    FirstIn<VelCharacterClass>(classes,
                               [](VelCharacterClass& c)
                               {
                                   c.flags = static_cast<std::uint8_t>(
                                       c.flags & ~VelCharacterClass::kClassMark);
                                   return false;
                               });
}

void VelCharacter::CommitClassLevels()
{
    FirstIn<VelCharacterClass>(classes,
                               [](VelCharacterClass& c)
                               {
                                   c.startingLevel = c.level;
                                   return false;
                               });
}

// --- Skills, feats, spells ---

bool VelCharacter::HasSkill(std::uint16_t skillId, std::uint16_t subSkillId) const
{
    return FindSkill(skillId, subSkillId) != nullptr;
}

VelCharacterSkill* VelCharacter::FindSkill(std::uint16_t skillId, std::uint16_t subSkillId) const
{
    const VelCharacterSkill key(skillId, subSkillId);
    return static_cast<VelCharacterSkill*>(skills.Find(key));
}

std::uint16_t VelCharacter::AddSkill(VelCharacterSkill* skill)
{
    return skills.Insert(skill);
}

void VelCharacter::RemoveSkill(VelCharacterSkill* skill)
{
    if (skill)
        skills.Remove(*skill);
}

bool VelCharacter::HasFeat(std::uint16_t featId, std::uint16_t choice,
                           std::int16_t secondChoice) const
{
    return FindFeat(featId, choice, secondChoice) != nullptr;
}

VelCharacterFeat* VelCharacter::FindFeat(std::uint16_t featId, std::uint16_t choice,
                                         std::int16_t secondChoice) const
{
    return FirstIn<VelCharacterFeat>(feats,
                                     [&](const VelCharacterFeat& f)
                                     {
                                         return f.featId == featId && f.choice == choice &&
                                                f.secondChoice ==
                                                    static_cast<std::uint16_t>(secondChoice);
                                     });
}

std::int32_t VelCharacter::CountFeat(std::uint16_t featId, std::uint16_t choice,
                                    std::int16_t secondChoice) const
{
    std::int32_t count = 0;
    FirstIn<VelCharacterFeat>(feats,
                              [&](const VelCharacterFeat& f)
                              {
                                  if (f.featId == featId && f.choice == choice &&
                                      f.secondChoice == static_cast<std::uint16_t>(secondChoice))
                                      count += f.count;
                                  return false;
                              });
    return count;
}

VelCharacterFeat* VelCharacter::FindFeatEntry(const VelCharacterFeat& key) const
{
    return static_cast<VelCharacterFeat*>(feats.Find(key));
}

std::uint16_t VelCharacter::InsertFeat(VelCharacterFeat* feat)
{
    return feats.Insert(feat);
}

void VelCharacter::EraseFeat(VelCharacterFeat* feat)
{
    if (feat)
        feats.Remove(*feat);
}

bool VelCharacter::HasSpell(std::uint16_t spellId, std::uint16_t classId) const
{
    const VelCharacterSpell key(spellId, classId);
    return FindSpell(key) != nullptr;
}

VelCharacterSpell* VelCharacter::FindSpell(const VelCharacterSpell& key) const
{
    return static_cast<VelCharacterSpell*>(spells.Find(key));
}

std::uint16_t VelCharacter::AddSpell(VelCharacterSpell* spell)
{
    return spells.Insert(spell);
}

void VelCharacter::RemoveSpell(VelCharacterSpell* spell)
{
    if (spell)
        spells.Remove(*spell);
}

// --- Languages and items ---

VelCharacterLanguage* VelCharacter::FindLanguage(std::uint16_t languageId) const
{
    return static_cast<VelCharacterLanguage*>(
        languages.Find(static_cast<std::int16_t>(languageId)));
}

void VelCharacter::AddLanguage(VelCharacterLanguage* language)
{
    if (language)
        languages.Insert(language, static_cast<std::int16_t>(language->languageId));
}

void VelCharacter::RemoveLanguage(std::uint16_t languageId)
{
    languages.Remove(static_cast<std::int16_t>(languageId));
}

VelCharacterItem* VelCharacter::FindItem(std::uint16_t itemKey) const
{
    return static_cast<VelCharacterItem*>(items.Find(static_cast<std::int16_t>(itemKey)));
}

VelCharacterItem* VelCharacter::AddItem(VelItemInfo* record)
{
    // A key set from outside may be taken; storing under it would destroy
    // the entry there.
    while (static_cast<std::int16_t>(nextItemKey) >= 0 && FindItem(nextItemKey))
        ++nextItemKey;
    // Keys above the signed 16-bit range would read as "none" (0xFFFF) or
    // sort before every other key.
    if (static_cast<std::int16_t>(nextItemKey) < 0)
    {
        FC_LOG("No item key left for another item\n");
        return nullptr;
    }
    auto* entry = new VelCharacterItem(nextItemKey, record);
    items.Insert(entry, static_cast<std::int16_t>(nextItemKey));
    if (items.GetMode() == FCOwnership::kRefCounted)
        entry->Release();
    do
        ++nextItemKey;
    while (static_cast<std::int16_t>(nextItemKey) >= 0 && FindItem(nextItemKey));
    return entry;
}

void VelCharacter::RemoveItem(std::uint16_t itemKey)
{
    VelCharacterItem* entry = FindItem(itemKey);
    if (!entry)
        return;
    for (VelCharacterItem** slot : {&wornArmor, &firstShield, &secondShield})
    {
        if (*slot == entry)
            *slot = nullptr;
    }
    FirstIn<VelCharacterEquip>(equipSets,
                               [&](VelCharacterEquip& set)
                               {
                                   if (!set.HoldsItem(itemKey))
                                       return false;
                                   for (std::size_t hand = 0; hand < VelCharacterEquip::kSlotCount;
                                        ++hand)
                                   {
                                       if (set.slots[hand] == itemKey)
                                           set.slots[hand] = VelCharacterEquip::kEmptySlot;
                                   }
                                   set.UpdateModes(this);
                                   return false;
                               });
    items.Remove(static_cast<std::int16_t>(itemKey));
    if (static_cast<std::int16_t>(itemKey) < static_cast<std::int16_t>(nextItemKey))
        nextItemKey = itemKey;
}

// --- Worn items ---

void VelCharacter::WearItem(VelCharacterItem* item)
{
    if (!item)
        return;
    const VelItemInfo* record = item->GetHeldObject();
    const std::uint16_t code = record ? record->GetTypeCode() : 0;
    if (code == VelItemInfo::kArmorCode)
    {
        item->placement = VelCharacterItem::kWornArmor;
        wornArmor = item;
    }
    else if (code == VelItemInfo::kShieldCode)
    {
        if (firstShield)
        {
            item->placement = VelCharacterItem::kSecondShield;
            secondShield = item;
        }
        else
        {
            item->placement = VelCharacterItem::kFirstShield;
            firstShield = item;
        }
    }
    else
    {
        item->placement = VelCharacterItem::kCarried;
    }
}

void VelCharacter::TakeOffItem(VelCharacterItem* item)
{
    if (!item)
        return;
    // A slot is cleared only when it holds this entry: a file may mark two
    // entries as the worn armour, and taking off one must not bare the other.
    // Whatever its placement says, the entry leaves every slot that holds it,
    // so that no slot is left naming gear that is off the body.
    for (VelCharacterItem** slot : {&wornArmor, &firstShield, &secondShield})
    {
        if (*slot == item)
            *slot = nullptr;
    }
    if (item->placement >= VelCharacterItem::kCarried &&
        item->placement <= VelCharacterItem::kSecondShield)
        item->placement = VelCharacterItem::kNotOnBody;
}

std::uint16_t VelCharacter::CountPairSlotsInUse() const
{
    return static_cast<std::uint16_t>((firstShield ? 1 : 0) + (secondShield ? 1 : 0));
}

// --- Equipment sets and features ---

VelCharacterEquip* VelCharacter::AddEquip(const VelCharacterEquip& set)
{
    auto* copy = new VelCharacterEquip(set);
    AppendOwned(equipSets, copy);
    return copy;
}

void VelCharacter::RemoveEquip(VelCharacterEquip* set)
{
    if (set)
        equipSets.Remove(set);
}

bool VelCharacter::IsItemUnequipped(std::uint16_t itemKey, const VelCharacterEquip* setToSkip) const
{
    return FirstIn<VelCharacterEquip>(equipSets, [&](const VelCharacterEquip& set)
                                      { return &set != setToSkip && set.HoldsItem(itemKey); }) ==
           nullptr;
}

VelCharacterFeature* VelCharacter::AddClassFeature(const VelClassFeatureInfo& row)
{
    auto* feature = new VelCharacterFeature();
    feature->featureId = row.featureId;
    feature->value = row.value;
    feature->source = static_cast<std::uint16_t>(row.key);
    AppendOwned(features, feature);
    return feature;
}

void VelCharacter::RemoveFeature(VelCharacterFeature* feature)
{
    if (feature)
        features.Remove(feature);
}

VelCharacterFeature* VelCharacter::FindClassFeature(const VelClassFeatureInfo& row) const
{
    // The feature's group: rows of one group upgrade the same entry.
    const VelFeatureInfo* record = VelDatabase::FindFeature(row.featureId);
    if (!record || record->GetGroup() < 1)
        return nullptr;
    const std::int16_t group = record->GetGroup();
    const auto source = static_cast<std::uint16_t>(row.key);
    return FirstIn<VelCharacterFeature>(features,
                                        [&](const VelCharacterFeature& feature)
                                        {
                                            if (feature.source != source)
                                                return false;
                                            const VelFeatureInfo* own =
                                                VelDatabase::FindFeature(feature.featureId);
                                            return own && own->GetGroup() == group;
                                        });
}

bool VelCharacter::HasFeatureOfKind(std::uint16_t featureKind, std::uint16_t featureValue) const
{
    return FirstIn<VelCharacterFeature>(
               features,
               [&](const VelCharacterFeature& feature)
               {
                   if (static_cast<std::uint16_t>(feature.value) != featureValue)
                       return false;
                   const VelFeatureInfo* record = VelDatabase::FindFeature(feature.featureId);
                   return record && record->kind == featureKind;
               }) != nullptr;
}

// --- Animals ---

VelCharacterAnimal* VelCharacter::FindAnimal(std::uint16_t animalId, std::uint16_t secondKey) const
{
    const VelCharacterAnimal key(animalId, secondKey);
    return static_cast<VelCharacterAnimal*>(animals.Find(key));
}

VelCharacterAnimal* VelCharacter::FindAnimalBySecondKey(std::uint16_t secondKey) const
{
    return FirstIn<VelCharacterAnimal>(animals, [&](const VelCharacterAnimal& animal)
                                       { return animal.secondKey == secondKey; });
}

std::uint16_t VelCharacter::AddAnimal(VelCharacterAnimal* animal)
{
    if (!animal)
        return FCObjectSet::kRefused;
    animal->owner = this;
    return animals.Insert(animal);
}

void VelCharacter::RemoveAnimal(VelCharacterAnimal* animal)
{
    if (animal)
        animals.Remove(*animal);
}

// --- Money ---

void VelCharacter::SetCoins(std::int16_t coin, std::int32_t count)
{
    if (!IsCoin(coin))
    {
        FC_LOG("No coin %d\n", static_cast<int>(coin));
        return;
    }
    money.coins[static_cast<std::size_t>(coin)] = count;
}

void VelCharacter::AddCoins(std::int16_t coin, std::int32_t amount)
{
    if (!IsCoin(coin))
    {
        FC_LOG("No coin %d\n", static_cast<int>(coin));
        return;
    }
    std::int32_t& count = money.coins[static_cast<std::size_t>(coin)];
    count = Clamp32(static_cast<std::int64_t>(count) + amount);
}

std::int64_t VelCharacter::GetMoneyInLowestCoin() const
{
    std::int64_t value = 0;
    for (std::size_t coin = 0; coin < VelCoins::kCoinCount; ++coin)
        value += money.coins[coin] * kCoinFactors[coin];
    return value;
}

bool VelCharacter::CanAfford(std::int32_t amount, std::int32_t unit) const
{
    const std::int64_t factor = IsCoin(unit) ? kCoinFactors[static_cast<std::size_t>(unit)] : 0;
    return GetMoneyInLowestCoin() >= amount * factor;
}

void VelCharacter::AddMoney(std::int32_t amount, std::int32_t unit)
{
    if (!IsCoin(unit))
    {
        FC_LOG("No coin %d\n", static_cast<int>(unit));
        return;
    }
    AddCoins(static_cast<std::int16_t>(unit), amount);
    money.Normalize();
    money.coins[2] = std::min(money.coins[2], kMaxHighCoins);
    FloorMoney();
}

void VelCharacter::SpendMoney(std::int32_t amount, std::int32_t unit)
{
    if (!IsCoin(unit))
    {
        FC_LOG("No coin %d\n", static_cast<int>(unit));
        return;
    }
    // Zeroing a negative coin 2 before the carries (instead of after) would
    // let lower coins pay for only part of the price and stay in hand.
    AddCoins(static_cast<std::int16_t>(unit), Clamp32(-static_cast<std::int64_t>(amount)));
    money.Normalize();
    FloorMoney();
}

void VelCharacter::NormalizeMoney()
{
    money.Normalize();
}

void VelCharacter::FloorMoney()
{
    // A borrow that reached the highest coin means the character could not
    // pay; a debt shown as a negative coin count would never be settled.
    if (money.coins[2] < 0)
        money = VelCoins();
}

// --- God, domains, schools ---

void VelCharacter::SetGodSlot(std::int16_t slot, std::uint16_t id)
{
    if (slot == 0)
        godId = id;
    else if (slot == 1 || slot == 2)
        domainIds[static_cast<std::size_t>(slot - 1)] = id;
    else
        FC_LOG("No god slot %d\n", static_cast<int>(slot));
}

bool VelCharacter::HasDomain(std::uint16_t domainId) const
{
    return std::find(domainIds.begin(), domainIds.end(), domainId) != domainIds.end();
}

bool VelCharacter::HasAnyDomain() const
{
    return std::any_of(domainIds.begin(), domainIds.end(),
                       [](std::uint16_t id) { return id != kNone; });
}

void VelCharacter::SetSchool(std::int16_t slot, std::uint16_t schoolId)
{
    if (slot < 0 || static_cast<std::size_t>(slot) >= kSchoolSlotCount)
    {
        FC_LOG("No school slot %d\n", static_cast<int>(slot));
        return;
    }
    std::uint16_t& stored = schoolSlots[static_cast<std::size_t>(slot)];
    if (slot == kSchoolChoiceSlot && stored != schoolId)
        std::fill(schoolSlots.begin() + kFirstProhibitedSlot, schoolSlots.end(), kNone);
    stored = schoolId;
}

bool VelCharacter::HasSpecialtySchool() const
{
    return schoolSlots[kSpecialtySlot] != kNone;
}

bool VelCharacter::IsProhibitedSchool(std::uint16_t schoolId) const
{
    return std::find(schoolSlots.begin() + kFirstProhibitedSlot, schoolSlots.end(), schoolId) !=
           schoolSlots.end();
}

std::int16_t VelCharacter::CountProhibitedSchools() const
{
    return static_cast<std::int16_t>(
        std::count_if(schoolSlots.begin() + kFirstProhibitedSlot, schoolSlots.end(),
                      [](std::uint16_t id) { return static_cast<std::int16_t>(id) > 0; }));
}

std::int16_t VelCharacter::GetProhibitedSchoolsMax() const
{
    std::int16_t most = 0;
    for (auto at = schoolSlots.begin() + kFirstProhibitedSlot; at != schoolSlots.end(); ++at)
    {
        if (static_cast<std::int16_t>(*at) <= 0)
            continue;
        if (const VelSchoolInfo* school = VelDatabase::FindSchool(*at))
            most = std::max(most, school->prohibitionWeight);
    }
    return most;
}

// --- Race and alignment ---

std::uint16_t VelCharacter::GetSizeId() const
{
    const VelRaceInfo* race = VelDatabase::FindRace(raceId);
    return race ? race->sizeId : kNone;
}

std::string VelCharacter::GetRaceName() const
{
    const VelRaceInfo* race = VelDatabase::FindRace(raceId);
    return race ? race->name : std::string();
}

std::string VelCharacter::GetAlignmentName() const
{
    const VelAlignmentInfo* alignment = VelDatabase::FindAlignment(alignmentId);
    return alignment ? alignment->name : std::string();
}

// --- Plain setters ---

void VelCharacter::SetValue(std::uint32_t index, std::uint32_t value)
{
    if (index >= kValueCount)
    {
        FC_LOG("No value %u\n", static_cast<unsigned>(index));
        return;
    }
    values[index] = value;
}

void VelCharacter::AddCarriedWeight(std::int32_t index, float pounds)
{
    if (index != 0)
    {
        FC_LOG("No carried weight %d\n", static_cast<int>(index));
        return;
    }
    carriedWeight += pounds;
}

void VelCharacter::SetProficiency(std::int32_t index, std::uint8_t value)
{
    if (index < 0 || static_cast<std::size_t>(index) >= kProficiencyCount)
    {
        FC_LOG("No proficiency %d\n", static_cast<int>(index));
        return;
    }
    proficiencies[static_cast<std::size_t>(index)] = value;
}

void VelCharacter::SetBaseAbility(std::int16_t ability, std::uint16_t score)
{
    if (ability < 0 || static_cast<std::size_t>(ability) >= kAbilityCount)
    {
        FC_LOG("No ability %d\n", static_cast<int>(ability));
        return;
    }
    baseAbilities[static_cast<std::size_t>(ability)] = score;
}

void VelCharacter::SetAbilityIncrease(std::int16_t ability, std::uint16_t increase)
{
    if (ability < 0 || static_cast<std::size_t>(ability) >= kAbilityCount)
    {
        FC_LOG("No ability %d\n", static_cast<int>(ability));
        return;
    }
    abilityIncreases[static_cast<std::size_t>(ability)] = increase;
}

std::uint16_t VelCharacter::GetHitDieRoll(std::int16_t level) const
{
    if (level < 1 || level > kMaxLevel)
        return 0;
    return hitDieRolls[static_cast<std::size_t>(level)];
}

void VelCharacter::SetHitDieRoll(std::int16_t level, std::uint16_t roll)
{
    if (level < 1 || level > kMaxLevel)
    {
        FC_LOG("No hit die roll for level %d\n", static_cast<int>(level));
        return;
    }
    hitDieRolls[static_cast<std::size_t>(level)] = roll;
}

// --- Notification ---

void VelCharacter::NotifyChanged()
{
    modified = 1;
    if (!listener)
        return;
    listener->OnCharacterChanged(this);
    changeMask = 0;
}

// --- Owned items' value ---

void VelCharacter::RevalueOwnedItems()
{
    std::array<std::int64_t, VelCoins::kCoinCount> totals{};
    FirstIn<VelCharacterItem>(
        items,
        [&](VelCharacterItem& item)
        {
            const VelItemInfo* record = item.GetHeldObject();
            if (!record)
                return false;
            item.price = g_itemPricer(*record, item.options);
            item.coinKind = static_cast<std::uint16_t>(record->coinKind);
            if (IsCoin(record->coinKind))
                totals[static_cast<std::size_t>(record->coinKind)] += item.price;
            else
                FC_LOG("Item %d has no coin kind %d\n", static_cast<int>(record->key),
                       static_cast<int>(record->coinKind));
            return false;
        });
    for (std::size_t coin = 0; coin < VelCoins::kCoinCount; ++coin)
        ownedItemsValue.coins[coin] = Clamp32(totals[coin]);
    ownedItemsValue.Normalize();
}

// --- Character file body ---

void VelCharacter::Serialize(FCArchive& ar)
{
    VelEntity::Serialize(ar);
    if (ar.IsStoring())
        WriteBody(ar);
    else
        ReadBody(ar);
}

void VelCharacter::WriteBody(FCArchive& ar)
{
    ar.SetVersion(kVersion);
    ar.WriteU16(kVersion);
    ar.WriteU16(raceId);
    ar.WriteU16(alignmentId);
    ar.WriteU16(sex);
    for (std::uint32_t value : values)
        ar.WriteU32(value);
    ar.WriteF32(carriedWeight);
    for (std::uint8_t flag : proficiencies)
        ar.WriteU8(flag);
    money.Serialize(ar);
    ar.WriteU32(startingMoney);
    ownedItemsValue.Serialize(ar);
    WriteU16s(ar, baseAbilities);
    WriteU16s(ar, abilityIncreases);
    ar.WriteU8(averageHitDice);
    ar.WriteU16(hitPointBonus);
    ar.WriteU16(abilityMethod);
    WriteU16s(ar, hitDieRolls);
    ar.WriteU16(godId);
    WriteU16s(ar, domainIds);
    WriteU16s(ar, schoolSlots);
    for (const std::string& note : notes)
        ar.WriteString(note);
    ar.WriteU16(nextItemKey);
    ar.WriteU16(currentClassId);
    ar.WriteU32(changeMask);
    classes.Serialize(ar);
    skills.Serialize(ar);
    feats.Serialize(ar);
    spells.Serialize(ar);
    languages.Serialize(ar);
    items.Serialize(ar);
    for (const VelCharacterItem* worn : {wornArmor, firstShield, secondShield})
        ar.WriteU16(worn ? worn->itemKey : kNone);
    equipSets.Serialize(ar);
    features.Serialize(ar);
    animals.Serialize(ar);
}

void VelCharacter::ReadBody(FCArchive& ar)
{
    std::uint16_t version = 0;
    ar.ReadU16(version);
    ar.SetVersion(version);
    ar.ReadU16(raceId);
    ar.ReadU16(alignmentId);
    ar.ReadU16(sex);
    for (std::uint32_t& value : values)
        ar.ReadU32(value);
    ar.ReadF32(carriedWeight);
    for (std::uint8_t& flag : proficiencies)
        ar.ReadU8(flag);
    money.Serialize(ar);
    if (version > 1)
    {
        ar.ReadU32(startingMoney);
        ownedItemsValue.Serialize(ar);
        ReadU16s(ar, baseAbilities);
        ReadU16s(ar, abilityIncreases);
        ar.ReadU8(averageHitDice);
        ar.ReadU16(hitPointBonus);
        ar.ReadU16(abilityMethod);
    }
    else
    {
        values[kValueIncreasesToAssign] = 0;
        startingMoney = 0;
        averageHitDice = 0;
    }
    ReadU16s(ar, hitDieRolls);
    ar.ReadU16(godId);
    ReadU16s(ar, domainIds);
    ReadU16s(ar, schoolSlots);
    for (std::string& note : notes)
        ar.ReadString(note);
    ar.ReadU16(nextItemKey);
    ar.ReadU16(currentClassId);
    ar.ReadU32(changeMask);
    ReadHolder<VelCharacterClass>(ar, classes, "class");
    ReadHolder<VelCharacterSkill>(ar, skills, "skill");
    ReadHolder<VelCharacterFeat>(ar, feats, "feat");
    ReadHolder<VelCharacterSpell>(ar, spells, "spell");
    ReadHolder<VelCharacterLanguage>(ar, languages, "language");
    ReadHolder<VelCharacterItem>(ar, items, "item");
    std::array<std::uint16_t, 3> wornKeys{kNone, kNone, kNone};
    ReadU16s(ar, wornKeys);
    ReadHolder<VelCharacterEquip>(ar, equipSets, "equipment set");
    ReadHolder<VelCharacterFeature>(ar, features, "feature");
    ReadHolder<VelCharacterAnimal>(ar, animals, "animal");
    if (ar.HasFailed())
        return;

    RestoreWornItem(wornArmor, wornKeys[0], VelItemInfo::kArmorCode);
    RestoreWornItem(firstShield, wornKeys[1], VelItemInfo::kShieldCode);
    RestoreWornItem(secondShield, wornKeys[2], VelItemInfo::kShieldCode);
    // One entry counts once, however many slots a file names it in.
    const auto dropRepeat = [](VelCharacterItem*& slot, const VelCharacterItem* earlier)
    {
        if (slot && slot == earlier)
        {
            FC_LOG("Item %u is named by two worn slots: the second is emptied\n",
                   static_cast<unsigned>(slot->itemKey));
            slot = nullptr;
        }
    };
    dropRepeat(firstShield, wornArmor);
    dropRepeat(secondShield, wornArmor);
    dropRepeat(secondShield, firstShield);
    SeatUnslottedWornItems();
    FirstIn<VelCharacterAnimal>(animals,
                                [this](VelCharacterAnimal& animal)
                                {
                                    animal.owner = this;
                                    return false;
                                });
    if (version < 2)
        RevalueOwnedItems();
    // Every weight the rules show or compare starts here, and the file's own
    // figure may say anything (1e30 beside a light load): the items decide.
    // A figure within rounding of them stays, so that a good file saves back
    // as it was. An item the database lacks cannot be weighed: then a figure
    // no lighter than the known items stays (the rules bound it from above).
    const float stated = carriedWeight;
    const float weighed = WeighItemsOnBody();
    const float slack = std::max(kWeightTolerance, weighed * kWeightDrift);
    const bool kept =
        std::isfinite(stated) && stated >= 0.0f &&
        (CarriesUnknownItem() ? stated >= weighed - slack : std::fabs(stated - weighed) <= slack);
    if (kept)
        return;
    carriedWeight = weighed;
    FC_LOG("Carried weight %g is not what the items weigh: %g\n", static_cast<double>(stated),
           static_cast<double>(weighed));
}

bool VelCharacter::CarriesUnknownItem() const
{
    return FirstIn<VelCharacterItem>(items,
                                     [](const VelCharacterItem& item) {
                                         return item.placement != VelCharacterItem::kNotOnBody &&
                                                !item.GetHeldObject();
                                     }) != nullptr;
}

float VelCharacter::WeighItemsOnBody() const
{
    double total = 0.0;
    FirstIn<VelCharacterItem>(items,
                              [&](const VelCharacterItem& item)
                              {
                                  const VelItemInfo* record = item.GetHeldObject();
                                  if (record && item.placement != VelCharacterItem::kNotOnBody)
                                  {
                                      const float pounds = g_itemWeigher(*record, item.options);
                                      if (std::isfinite(pounds) && pounds > 0.0f)
                                          total += pounds;
                                  }
                                  return false;
                              });
    return static_cast<float>(std::min<double>(total, std::numeric_limits<float>::max()));
}

void VelCharacter::SeatUnslottedWornItems()
{
    // The equipment page shows every armour and shield on the body as worn,
    // while the armour class counts only the slots: each such entry takes the
    // free slot of its kind, or leaves the body when none is free. The carried
    // weight, weighed after this, then follows too.
    FirstIn<VelCharacterItem>(
        items,
        [this](VelCharacterItem& item)
        {
            const VelItemInfo* record = item.GetHeldObject();
            if (!record || item.placement == VelCharacterItem::kNotOnBody || &item == wornArmor ||
                &item == firstShield || &item == secondShield)
                return false;
            VelCharacterItem** slot = nullptr;
            std::int16_t placement = VelCharacterItem::kNotOnBody;
            const auto take = [&](VelCharacterItem*& free, std::int16_t where)
            {
                if (!slot && !free)
                {
                    slot = &free;
                    placement = where;
                }
            };
            const std::uint16_t code = record->GetTypeCode();
            if (code == VelItemInfo::kArmorCode)
                take(wornArmor, VelCharacterItem::kWornArmor);
            else if (code == VelItemInfo::kShieldCode)
            {
                take(firstShield, VelCharacterItem::kFirstShield);
                take(secondShield, VelCharacterItem::kSecondShield);
            }
            else
                return false;
            if (slot)
                *slot = &item;
            FC_LOG(slot
                       ? "Item %u is worn but no worn slot names it: it fills the free slot\n"
                       : "Item %u is worn but no worn slot names it, and none is free: taken off\n",
                   static_cast<unsigned>(item.itemKey));
            item.placement = placement;
            return false;
        });
}

void VelCharacter::RestoreWornItem(VelCharacterItem*& slot, std::uint16_t key,
                                   std::uint16_t typeCode) const
{
    slot = static_cast<std::int16_t>(key) >= 0 ? FindItem(key) : nullptr;
    if (!slot)
        return;
    // A slot naming a weapon would bar every armour; one naming gear in the
    // pack would count gear the page does not show as worn. An entry whose
    // record the database lacks keeps its slot: nothing says it is wrong.
    const VelItemInfo* record = slot->GetHeldObject();
    if (slot->placement == VelCharacterItem::kNotOnBody ||
        (record && record->GetTypeCode() != typeCode))
    {
        FC_LOG("A worn slot names item %u, which is not worn there: the slot is emptied\n",
               static_cast<unsigned>(key));
        slot = nullptr;
    }
}
