#include "Vel_ui/Vel_UIWin_SelectTarget.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCObjectVector.h"
#include "Fc/Devices/FCSoundManager.h"
#include "Ui/UIMessages.h"
#include "Ui/UITextControl.h"
#include "Vel/App/VelClient.h"
#include "Vel/App/VelLayoutNames.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFeatInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelSchoolInfo.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Db/VelSubSkillInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "Vel/Rules/VelCombatRules.h"
#include "Vel/Rules/VelEquipRules.h"
#include "Vel/Rules/VelRulesWalk.h"
#include "Vel/Rules/VelSkillRules.h"
#include "Vel_ui/Vel_UIItem.h"
#include "Vel_ui/Vel_UIListBox.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"

#include <algorithm>
#include <array>
#include <set>
#include <vector>

FC_REGISTER_CLASS(Vel_UIWin_SelectTarget);

namespace
{
using W = Vel_UIWin_SelectTarget;

// The class whose members may not use some weapons.
constexpr std::uint16_t kRestrictedClass = VelIds::kClassNaturePriest;
// The light-weapon feat: for a race of this size these weapons are listed
// with the light ones.
constexpr std::uint16_t kListedWeaponsSize = 4;
constexpr std::array<std::uint16_t, 3> kListedWeapons{
    VelIds::kItemRapier, VelIds::kItemMithralRapier, VelIds::kItemSpikedChain};

enum class Source : std::uint8_t
{
    kWeaponsOfCategory, // every weapon of the category (argument)
    kProficientWeapons,
    kLightWeapons,
    kWeaponsOfFeat,     // the weapons the character holds the feat (argument) for
    kSkillEntries,
    kSchools,
};

// Why a candidate is greyed, tested in this order.
enum Grey : std::uint8_t
{
    kGreyRestricted = 0x1, // the restricted class and the weapon's flag
    kGreyTooLarge = 0x2,
    kGreyProficient = 0x4,
    kGreyTaken = 0x8,      // the feat is held for this target already
    kGreyProhibited = 0x10,
};

struct FeatTargets
{
    std::uint16_t featId;
    Source source;
    std::uint16_t argument;
    std::uint16_t heading;
    std::uint8_t grey;
    bool sorted;
};

constexpr std::array<FeatTargets, 8> kFeatTargets{{
    {VelIds::kFeatExoticWeaponProficiency, Source::kWeaponsOfCategory, 2, W::kHeadingExoticWeapon,
     kGreyRestricted | kGreyTooLarge | kGreyProficient, true},
    {VelIds::kFeatMartialWeaponProficiency, Source::kWeaponsOfCategory, 1, W::kHeadingMartialWeapon,
     kGreyRestricted | kGreyTooLarge | kGreyProficient, true},
    {VelIds::kFeatWiderCritical, Source::kProficientWeapons, 0, W::kHeadingWeapon,
     kGreyRestricted | kGreyTooLarge | kGreyTaken, true},
    {VelIds::kFeatWeaponTraining, Source::kProficientWeapons, 0, W::kHeadingWeapon,
     kGreyRestricted | kGreyTooLarge | kGreyTaken, true},
    {VelIds::kFeatDexterousAttack, Source::kLightWeapons, 0, W::kHeadingWeapon,
     kGreyRestricted | kGreyTaken, true},
    {VelIds::kFeatWeaponMastery, Source::kWeaponsOfFeat, VelIds::kFeatWeaponTraining,
     W::kHeadingWeapon, kGreyTaken, true},
    {VelIds::kFeatSkillBonus, Source::kSkillEntries, 0, W::kHeadingSkill, kGreyTaken, true},
    {VelIds::kFeatSchoolFocus, Source::kSchools, 0, W::kHeadingSchool, kGreyTaken | kGreyProhibited,
     false},
}};

// Skills whose sub-skills have a heading of their own, in heading order.
constexpr std::array<std::uint16_t, 4> kHeadedSkills{VelIds::kSkillHeading7,
                                                     VelIds::kSkillHeading31,
                                                     VelIds::kSkillHeading22,
                                                     VelIds::kSkillSpeakLanguage};

struct Candidate
{
    std::string name;
    std::uint16_t kind;
    std::uint16_t data;
    std::intptr_t key;
    bool greyed;
};

const VelWeaponInfo* AsWeapon(const FCObject* object)
{
    const auto* item = dynamic_cast<const VelItemInfo*>(object);
    return item && item->GetTypeCode() == VelItemInfo::kWeaponCode
               ? dynamic_cast<const VelWeaponInfo*>(item)
               : nullptr;
}

std::uint16_t KeyOf(const VelInfo& record)
{
    return static_cast<std::uint16_t>(record.key);
}

bool WeaponGreyed(const VelCharacter& character, std::uint16_t featId, const VelWeaponInfo& weapon,
                  std::uint8_t grey)
{
    const std::uint16_t id = KeyOf(weapon);
    return ((grey & kGreyRestricted) && character.HasClass(kRestrictedClass) &&
            weapon.forbiddenToClass3) ||
           ((grey & kGreyTooLarge) && IsWeaponTooLarge(&character, &weapon)) ||
           ((grey & kGreyProficient) && IsProficientWithWeapon(&character, id)) ||
           ((grey & kGreyTaken) && character.HasFeat(featId, id, -1));
}

void AddWeapon(std::vector<Candidate>& out, const VelCharacter& character,
               const FeatTargets& targets, const VelWeaponInfo& weapon)
{
    out.push_back({weapon.name, W::kWeaponRow, KeyOf(weapon), -1,
                   WeaponGreyed(character, targets.featId, weapon, targets.grey)});
}

void CollectWeapons(std::vector<Candidate>& out, const VelCharacter& character,
                    const FeatTargets& targets)
{
    if (targets.source == Source::kWeaponsOfCategory)
    {
        if (const FCObjectMap* items = VelDatabase::GetMap(VelDatabase::kTagItem))
            VelRulesWalk::Each<FCObject>(*items,
                                         [&](const FCObject& object)
                                         {
                                             const VelWeaponInfo* weapon = AsWeapon(&object);
                                             if (weapon && weapon->category == targets.argument)
                                                 AddWeapon(out, character, targets, *weapon);
                                             return false;
                                         });
        return;
    }
    if (targets.source == Source::kWeaponsOfFeat)
    {
        // A weapon may be held for the feat under several classes: once here.
        std::set<std::uint16_t> seen;
        VelRulesWalk::Each<VelCharacterFeat>(
            character.feats,
            [&](const VelCharacterFeat& held)
            {
                if (held.featId != targets.argument || !seen.insert(held.choice).second)
                    return false;
                if (const VelWeaponInfo* weapon = AsWeapon(VelDatabase::FindItem(held.choice)))
                    AddWeapon(out, character, targets, *weapon);
                return false;
            });
        return;
    }
    FCObjectVector proficient;
    CollectProficientWeapons(&character, proficient);
    const bool listedSize = character.GetSizeId() == kListedWeaponsSize;
    for (std::uint32_t i = 0; i < proficient.GetCount(); ++i)
    {
        const VelWeaponInfo* weapon = AsWeapon(proficient.GetAt(static_cast<std::int32_t>(i)));
        if (!weapon)
            continue;
        if (targets.source == Source::kLightWeapons)
        {
            const bool listed = listedSize && std::find(kListedWeapons.begin(), kListedWeapons.end(),
                                                         KeyOf(*weapon)) != kListedWeapons.end();
            if (!(listed || IsWeaponLight(&character, weapon)) || weapon->ranged == 1 ||
                weapon->noFeatTarget == 1)
                continue;
        }
        else if (weapon->noFeatTarget)
            continue;
        AddWeapon(out, character, targets, *weapon);
    }
}

void CollectSkillEntries(std::vector<Candidate>& out, const VelCharacter& character,
                         const FeatTargets& targets)
{
    VelRulesWalk::Each<VelCharacterSkill>(
        character.skills,
        [&](const VelCharacterSkill& entry)
        {
            // Without a sub-skill the key stays "none", so the help is the skill's.
            const std::intptr_t key =
                entry.subSkillId == VelCharacterSkill::kNoSubSkill ? -1 : entry.subSkillId;
            out.push_back({entry.GetName(), W::kSkillEntryRow, entry.skillId, key,
                           character.HasFeat(targets.featId, entry.skillId,
                                             static_cast<std::int16_t>(entry.subSkillId))});
            return false;
        });
}

void CollectSchools(std::vector<Candidate>& out, const VelCharacter& character,
                    const FeatTargets& targets)
{
    auto add = [&](const VelSchoolInfo& school)
    {
        const std::uint16_t id = KeyOf(school);
        out.push_back({school.name, W::kSchoolRow, id, -1,
                       ((targets.grey & kGreyTaken) && character.HasFeat(targets.featId, id, -1)) ||
                           ((targets.grey & kGreyProhibited) && character.IsProhibitedSchool(id))});
    };
    if (const FCObjectMap* schools = VelDatabase::GetMap(VelDatabase::kTagSchool))
        VelRulesWalk::Each<VelSchoolInfo>(*schools,
                                          [&](const VelSchoolInfo& school)
                                          {
                                              add(school);
                                              return false;
                                          });
}

void PlaySample(std::uint16_t soundId)
{
    if (FCSoundManager* sound = FCSoundManager::GetInstance())
        sound->PlaySound(soundId, VelClient::kSampleChannel, false, nullptr,
                         FCSoundManager::kMiddleVolume, FCSoundManager::kMiddlePan);
}
} // namespace

Vel_UIWin_SelectTarget::Vel_UIWin_SelectTarget() = default;

Vel_UIWin_SelectTarget::Vel_UIWin_SelectTarget(const Vel_UIWin_SelectTarget& other)
    : Vel_UIDialog(other), mode(other.mode), featId(other.featId), skillId(other.skillId),
      rowPrototype(other.rowPrototype)
{
    BindChildren();
}

Vel_UIWin_SelectTarget::~Vel_UIWin_SelectTarget() = default;

std::string Vel_UIWin_SelectTarget::GetClassName() const { return "Vel_UIWin_SelectTarget"; }
std::string Vel_UIWin_SelectTarget::GetTypeName() const { return "Vel_UIWin_SelectTarget"; }
FCObject* Vel_UIWin_SelectTarget::Clone() const { return new Vel_UIWin_SelectTarget(*this); }
FCObject* Vel_UIWin_SelectTarget::CreateNew() const { return new Vel_UIWin_SelectTarget(); }

bool Vel_UIWin_SelectTarget::Load(FCFile& file)
{
    if (!Vel_UIDialog::Load(file))
        return false;
    BindChildren();
    if (!list)
        FC_LOG("Target dialog %u has no list %u\n", id, kListId);
    return true;
}

void Vel_UIWin_SelectTarget::BindChildren()
{
    list = FindDescendantAs<Vel_UIListBox>(kListId, false);
    heading = FindDescendantAs<UITextControl>(kHeadingId, false);
}

Vel_UIWin_SelectTarget* Vel_UIWin_SelectTarget::Open(FCObject* owner, Mode mode, std::uint16_t id)
{
    auto* dialog = UIWindow::CreateFromFileAs<Vel_UIWin_SelectTarget>(VelLayout::kSelectTarget, owner);
    if (!dialog)
    {
        FC_LOG("No target dialog in %s\n", VelLayout::kSelectTarget);
        return nullptr;
    }
    if (mode == kModeFeat)
        dialog->SetFeatId(id);
    else
        dialog->SetSkillId(id);
    dialog->Fill(mode);
    dialog->Show(owner);
    return dialog;
}

void Vel_UIWin_SelectTarget::Show(FCObject* newOwner)
{
    Vel_UIDialog::Show(newOwner);
    PlaySample(kOpenSound);
}

void Vel_UIWin_SelectTarget::Fill(std::uint16_t newMode)
{
    mode = newMode;
    if (!list)
        return;
    list->RemoveAllItems();
    if (!rowPrototype)
        rowPrototype = FCCountedRef<Vel_UIItem>::Adopt(Vel_UIItem::CreateFromLayout(kRowLayout));
    if (mode == kModeFeat)
        FillByFeat();
    else
        FillBySkill();
    list->UpdateLayout();
    UpdateOkButton();
}

void Vel_UIWin_SelectTarget::FillByFeat()
{
    if (const VelFeatInfo* feat = VelDatabase::FindFeat(featId))
        SetMessageText(feat->name);
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    const auto targets = std::find_if(kFeatTargets.begin(), kFeatTargets.end(),
                                      [&](const FeatTargets& t) { return t.featId == featId; });
    if (!character || targets == kFeatTargets.end())
        return;
    if (heading)
        heading->SetTextId(targets->heading);
    std::vector<Candidate> candidates;
    switch (targets->source)
    {
    case Source::kSkillEntries: CollectSkillEntries(candidates, *character, *targets); break;
    case Source::kSchools: CollectSchools(candidates, *character, *targets); break;
    default: CollectWeapons(candidates, *character, *targets); break;
    }
    for (const Candidate& c : candidates)
        AddCandidate(c.name, c.kind, c.data, c.key, c.greyed);
    if (targets->sorted)
        list->SortItems(Vel_UIItem::CompareByName);
}

void Vel_UIWin_SelectTarget::FillBySkill()
{
    if (const VelSkillInfo* skill = VelDatabase::FindSkill(skillId))
        SetMessageText(skill->name);
    const auto headed = std::find(kHeadedSkills.begin(), kHeadedSkills.end(), skillId);
    if (heading && headed != kHeadedSkills.end())
        heading->SetTextId(
            static_cast<std::uint16_t>(kFirstSkillHeading + (headed - kHeadedSkills.begin())));
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!character)
        return;
    VelDatabase::ForEach<VelSubSkillInfo>(
        VelDatabase::kTagSubSkill,
        [&](const VelSubSkillInfo& sub)
        {
            if (KeyOf(sub) != skillId)
                return;
            const bool known = skillId == VelIds::kSkillSpeakLanguage &&
                               character->FindLanguage(sub.subSkillId) != nullptr;
            AddCandidate(sub.name, kSubSkillRow, sub.subSkillId, -1,
                         known || !IsSkillRaisable(character, character->currentClassId, skillId,
                                                   sub.subSkillId));
        });
    list->SortItems(Vel_UIItem::CompareByName);
}

void Vel_UIWin_SelectTarget::AddCandidate(const std::string& name, std::uint16_t kind,
                                          std::uint16_t data, std::intptr_t key, bool greyed)
{
    auto* row = rowPrototype ? dynamic_cast<Vel_UIItem*>(rowPrototype->Clone()) : nullptr;
    if (!row)
        return;
    row->SetColumnText(0, name);
    row->SetInputFlags(static_cast<std::uint16_t>(row->GetInputFlags() | kReportEnterLeave));
    row->kind = kind;
    row->key = key;
    row->SetFontVariant(greyed ? 1 : 0);
    // A greyed row cannot be selected at all.
    row->SetChangeMode(greyed ? kNever : kOnRelease);
    list->AddRow(row, data, false);
}

bool Vel_UIWin_SelectTarget::IsChoosable(const UIControl* row)
{
    const auto* item = dynamic_cast<const Vel_UIItem*>(row);
    return item && item->GetFontVariant() != 1 && item->GetChangeMode() == kOnRelease;
}

void Vel_UIWin_SelectTarget::UpdateOkButton()
{
    if (!secondControl)
        return;
    // OK only for a row that may be chosen, whoever selected it.
    secondControl->SetEnabled(list && IsChoosable(list->GetSelectedItem(0)) ? 1 : 0);
    secondControl->Invalidate();
}

void Vel_UIWin_SelectTarget::Accept()
{
    UIControl* chosen = list ? list->GetSelectedItem(0) : nullptr;
    if (!IsChoosable(chosen))
        return;
    const auto* row = static_cast<const Vel_UIItem*>(chosen);
    const std::uint32_t value = (list->GetItemData(chosen) & 0xFFFF) |
                                ((static_cast<std::uint32_t>(row->key) & 0xFFFF) << 16);
    // The owner may let go of this dialog while it hears of the choice.
    const auto hold = FCCountedRef<UIControl>::Share(this);
    if (owner)
        NotifyOwner(kResultTargetChosen, value);
    Close(1);
}

std::string Vel_UIWin_SelectTarget::HelpTextOf(Vel_UIItem& row)
{
    const auto data = static_cast<std::uint16_t>(list ? list->GetItemData(&row) : 0);
    switch (row.kind)
    {
    case kWeaponRow:
        if (const VelItemInfo* item = VelDatabase::FindItem(data))
            return item->description;
        break;
    case kSchoolRow:
        if (const VelSchoolInfo* school = VelDatabase::FindSchool(data))
            return school->description;
        break;
    case kSkillEntryRow:
        if (row.key < 0)
        {
            if (const VelSkillInfo* skill = VelDatabase::FindSkill(data))
                return skill->description;
        }
        else if (const VelSubSkillInfo* sub =
                     VelDatabase::FindSubSkill(data, static_cast<std::uint16_t>(row.key)))
            return sub->description;
        break;
    case kSubSkillRow:
        if (const VelSubSkillInfo* sub = VelDatabase::FindSubSkill(skillId, data))
            return sub->description;
        break;
    default:
        break;
    }
    return std::string();
}

bool Vel_UIWin_SelectTarget::HandleNotify(UIEvent& event)
{
    UIControl* sender = event.sender;
    if (!sender)
        return false;
    // Cancel and OK close the dialog, which may drop the last reference.
    const auto self = FCCountedRef<UIControl>::Share(this);
    switch (event.type)
    {
    case UIMessage::kClicked:
        if (sender == closeButton)
        {
            Close(1);
            return true;
        }
        if (sender == secondControl)
        {
            Accept();
            return true;
        }
        break;
    case UIMessage::kChanged:
        UpdateOkButton();
        break;
    case UIMessage::kMouseEntered:
    case UIMessage::kMouseLeft:
    {
        // Only the rows explain themselves.
        auto* row = dynamic_cast<Vel_UIItem*>(sender);
        if (!row || !list || !list->ContainsDescendant(row))
            break;
        if (event.type == UIMessage::kMouseLeft)
            Vel_UIWin_CharConfig::RestoreHelpText();
        else if (const std::string help = HelpTextOf(*row); !help.empty())
            Vel_UIWin_CharConfig::ShowHelpText(help);
        return true;
    }
    default:
        break;
    }
    return Vel_UIDialog::HandleNotify(event);
}
