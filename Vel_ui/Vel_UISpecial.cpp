#include "Vel_ui/Vel_UISpecial.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCObjectVector.h"
#include "Ui/UIMessages.h"
#include "Ui/UITextControl.h"
#include "Vel/App/VelClient.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterFeature.h"
#include "Vel/Db/VelClassFeatureInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelEnemyInfo.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Rules/VelCombatRules.h"
#include "Vel/Rules/VelFeatRules.h"
#include "Vel/Rules/VelRulesWalk.h"
#include "Vel_ui/Vel_UIItem.h"
#include "Vel_ui/Vel_UIListBox.h"
#include "Vel_ui/Vel_UIListRefill.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"

#include <algorithm>
#include <array>

FC_REGISTER_CLASS(Vel_UISpecial);

namespace
{
struct ClassChoices
{
    std::uint16_t classId;
    // Heading of the class's list.
    std::uint16_t headingId;
    // From this class level on, the page's help is the one for taking choices.
    std::uint16_t moreChoicesLevel;
};
constexpr std::array<ClassChoices, 3> kClassChoices{{
    {VelIds::kClassMinstrel, 1053, 1},
    {VelIds::kClassTracker, 1052, 5},
    {VelIds::kClassSkirmisher, 1054, 10},
}};

const ClassChoices* ChoicesOf(std::uint16_t classId)
{
    const auto found = std::find_if(kClassChoices.begin(), kClassChoices.end(),
                                    [&](const ClassChoices& c) { return c.classId == classId; });
    return found == kClassChoices.end() ? nullptr : &*found;
}

// Rows keep pointers; one whose record or entry is gone is ignored, not
// followed.
const VelClassFeatureInfo* ChoiceAt(std::intptr_t key)
{
    const FCObjectVector* list = VelDatabase::GetList(VelDatabase::kTagClassFeature);
    return list ? VelRulesWalk::FindByAddress<const VelClassFeatureInfo>(*list, key) : nullptr;
}

VelCharacterFeature* EntryAt(const VelCharacter& character, std::intptr_t key)
{
    return VelRulesWalk::FindByAddress<VelCharacterFeature>(character.features, key);
}

bool Holds(const VelCharacter& character, const VelClassFeatureInfo& choice)
{
    bool held = false;
    VelRulesWalk::Each<VelCharacterFeature>(
        character.features,
        [&](const VelCharacterFeature& entry)
        {
            held = entry.source == static_cast<std::uint16_t>(choice.key) &&
                   entry.featureId == choice.featureId && entry.value == choice.value;
            return held;
        });
    return held;
}

// Whether the choice suits the character, choices left aside.
bool IsOpen(const VelCharacter& character, const VelClassFeatureInfo& choice)
{
    const VelFeatureInfo* feature = VelDatabase::FindFeature(choice.featureId);
    if (!feature)
        return false;
    const auto value = static_cast<std::uint16_t>(choice.value);
    switch (feature->formatKind)
    {
    case VelFeatureInfo::kFormatWeaponChoice:
        return !IsProficientWithWeapon(&character, value);
    case VelFeatureInfo::kFormatEnemyChoice:
        return IsSpecialChoiceAvailable(&character, value) && !HasSpecialOfKindFive(&character, value);
    default:
        // One more general feat may be taken again and again; any other
        // ability once.
        return feature->kind == VelFeatureInfo::kKindGeneralFeat || !Holds(character, choice);
    }
}

void ShowIf(UIControl* control, bool show)
{
    if (control)
        control->SetVisible(show ? 1 : 0);
}
} // namespace

Vel_UISpecial::Vel_UISpecial() = default;

Vel_UISpecial::Vel_UISpecial(const Vel_UISpecial& other) : Vel_UIPanel(other), rows(other.rows)
{
    BindChildren(false);
}

Vel_UISpecial::~Vel_UISpecial() = default;

std::string Vel_UISpecial::GetClassName() const { return "Vel_UISpecial"; }
std::string Vel_UISpecial::GetTypeName() const { return "Vel_UISpecial"; }
FCObject* Vel_UISpecial::Clone() const { return new Vel_UISpecial(*this); }
FCObject* Vel_UISpecial::CreateNew() const { return new Vel_UISpecial(); }

bool Vel_UISpecial::Load(FCFile& file)
{
    if (!Vel_UIPanel::Load(file))
        return false;
    BindChildren(true);
    SetUpPickLists(available, chosen);
    return true;
}

void Vel_UISpecial::BindChildren(bool logMissing)
{
    choicesLabel = FindChildAs<UIControl>(kChoicesLabelId, logMissing);
    choicesLeft = FindChildAs<UITextControl>(kChoicesLeftId, logMissing);
    chosen = FindChildAs<Vel_UIListBox>(kChosenListId, logMissing);
    heading = FindChildAs<UITextControl>(kHeadingId, logMissing);
    available = FindChildAs<Vel_UIListBox>(kAvailableListId, logMissing);
}

bool Vel_UISpecial::ClassHasChoices(std::uint16_t classId)
{
    return ChoicesOf(classId) != nullptr;
}

std::uint16_t Vel_UISpecial::HelpIdFor(const VelCharacter& character)
{
    const ClassChoices* choices = ChoicesOf(character.currentClassId);
    const VelCharacterClass* entry = character.FindClass(character.currentClassId);
    return choices && entry && entry->level >= choices->moreChoicesLevel ? kHelpWithChoices
                                                                         : kScreenId;
}

bool Vel_UISpecial::IsTakeable(const VelCharacter& character, const VelClassFeatureInfo& choice)
{
    const VelCharacterClass* entry = character.FindClass(character.currentClassId);
    return entry && entry->specialChoices > 0 && ClassHasChoices(entry->classId) &&
           static_cast<std::uint16_t>(choice.key) == entry->classId &&
           choice.level == kChoiceLevel && IsOpen(character, choice);
}

void Vel_UISpecial::EnterPage()
{
    // The window's shared button has no use on this page.
    Vel_UIWin_CharConfig::ShowButton(false);
    ShowAll();
}

void Vel_UISpecial::Refresh()
{
    ShowAll();
    // The help id may have changed with the class.
    Vel_UIWin_CharConfig::RestoreHelpText();
}

void Vel_UISpecial::ShowAll()
{
    VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!character)
        return;
    FillAvailable(*character);
    Vel_UIWin_CharConfig::SetHelpId(HelpIdFor(*character));
    ShowCounter(*character);
    FillChosen(*character);
}

void Vel_UISpecial::OnCharacterChanged(VelCharacter* character)
{
    // Texts that count the CHA modifier follow it, whatever the class.
    if (character && (character->changeMask & VelCharacter::kChangedCha))
        ShowChosenTexts(*character);
}

void Vel_UISpecial::FillAvailable(const VelCharacter& character)
{
    const ClassChoices* choices = ChoicesOf(character.currentClassId);
    if (available)
        available->RemoveAllItems();
    for (UIControl* control : {static_cast<UIControl*>(heading), static_cast<UIControl*>(available),
                               choicesLabel, static_cast<UIControl*>(choicesLeft)})
        ShowIf(control, choices != nullptr);
    if (!choices)
        return;
    if (heading)
        heading->SetTextId(choices->headingId);
    if (!available)
        return;
    if (const FCObjectVector* list = VelDatabase::GetList(VelDatabase::kTagClassFeature))
        VelRulesWalk::Each<VelClassFeatureInfo>(
            *list,
            [&](const VelClassFeatureInfo& choice)
            {
                if (static_cast<std::uint16_t>(choice.key) == choices->classId &&
                    choice.level == kChoiceLevel)
                    if (Vel_UIItem* row = rows.Make(kAvailableKind,
                                                     reinterpret_cast<std::intptr_t>(&choice),
                                                     choice.GetText()))
                        available->AddRow(row, 0, false);
                return false;
            });
    available->UpdateLayout();
    ShowAvailableStates(character);
}

void Vel_UISpecial::ShowAvailableStates(const VelCharacter& character)
{
    if (!available)
        return;
    available->EachRow<Vel_UIItem>(
        [&](Vel_UIItem& row)
        {
            const VelClassFeatureInfo* choice = ChoiceAt(row.key);
            row.SetTakeable(choice && IsTakeable(character, *choice));
        });
}

void Vel_UISpecial::ShowCounter(const VelCharacter& character)
{
    const VelCharacterClass* entry = character.FindClass(character.currentClassId);
    if (choicesLeft)
        choicesLeft->SetShort(static_cast<std::int16_t>(entry ? entry->specialChoices : 0));
}

void Vel_UISpecial::FillChosen(VelCharacter& character, bool keepPlace)
{
    if (!chosen)
        return;
    const Vel_UIListKeepPlace keep(keepPlace ? chosen : nullptr);
    chosen->RemoveAllItems();
    VelRulesWalk::Each<VelCharacterFeature>(
        character.features,
        [&](VelCharacterFeature& entry)
        {
            if (entry.source != character.currentClassId)
                return false;
            if (Vel_UIItem* row = rows.Make(kChosenKind, reinterpret_cast<std::intptr_t>(&entry),
                                            entry.GetName(&character)))
            {
                chosen->AddRow(row, 0, false);
                if (entry.extra & VelCharacterFeature::kFixed)
                    row->SetDraggable(false);
            }
            return false;
        });
    chosen->UpdateLayout();
}

void Vel_UISpecial::ShowChosenTexts(VelCharacter& character)
{
    if (!chosen)
        return;
    chosen->EachRow<Vel_UIItem>(
        [&](Vel_UIItem& row)
        {
            if (VelCharacterFeature* entry = EntryAt(character, row.key))
                row.SetColumnText(0, entry->GetName(&character));
        });
}

void Vel_UISpecial::Take(VelCharacter& character, const Vel_UIItem& row)
{
    const VelClassFeatureInfo* choice = row.kind == kAvailableKind ? ChoiceAt(row.key) : nullptr;
    // A row drawn before the last change may promise what no longer holds.
    if (!choice || !IsTakeable(character, *choice))
        return;
    character.AddClassFeature(*choice);
    ChangeChoices(character, -1, choice->featureId);
}

void Vel_UISpecial::GiveBack(VelCharacter& character, const Vel_UIItem& row)
{
    VelCharacterFeature* entry = row.kind == kChosenKind ? EntryAt(character, row.key) : nullptr;
    if (!entry || (entry->extra & VelCharacterFeature::kFixed) ||
        entry->source != character.currentClassId || !character.FindClass(entry->source))
    {
        // The framework took the row off; what stays comes back with the list.
        FillChosen(character, true);
        return;
    }
    const std::uint16_t featureId = entry->featureId;
    character.RemoveFeature(entry);
    ChangeChoices(character, 1, featureId);
}

void Vel_UISpecial::ChangeChoices(VelCharacter& character, std::int32_t delta,
                                  std::uint16_t featureId)
{
    VelCharacterClass* entry = character.FindClass(character.currentClassId);
    if (entry)
        entry->specialChoices =
            static_cast<std::uint16_t>(std::max<std::int32_t>(0, entry->specialChoices + delta));
    const VelFeatureInfo* feature = VelDatabase::FindFeature(featureId);
    if (feature && feature->kind == VelFeatureInfo::kKindGeneralFeat)
    {
        const std::int64_t allowed =
            std::int64_t{character.values[VelCharacter::kValueFeatsAllowed]} - delta;
        character.SetValue(VelCharacter::kValueFeatsAllowed,
                           static_cast<std::uint32_t>(std::max<std::int64_t>(0, allowed)));
    }
    // Any choice is an edit of the character's abilities: the window and
    // the file must know.
    character.changeMask |= VelCharacter::kChangedFeats;
    character.NotifyChanged();
    ShowCounter(character);
    FillChosen(character, true);
    ShowAvailableStates(character);
}

bool Vel_UISpecial::HandleNotify(UIEvent& event)
{
    if (!event.sender)
        return false;
    VelCharacter* character = VelClient::GetCurrentCharacter();
    if (character && chosen && event.sender == chosen)
        if (const Vel_UIItem* row = RowCarriedBy(event))
        {
            if (event.type == UIMessage::kChildDraggedOut)
                GiveBack(*character, *row);
            else
                Take(*character, *row);
        }
    return Vel_UIPanel::HandleNotify(event);
}

bool Vel_UISpecial::OnMouseOverEnter(UIControl* control)
{
    const auto* row = dynamic_cast<const Vel_UIItem*>(control);
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!row || !character)
        return false;
    if (row->kind == kChosenKind)
    {
        if (const VelCharacterFeature* entry = EntryAt(*character, row->key))
            Vel_UIWin_CharConfig::ShowHelpText(entry->GetText(character));
        return true;
    }
    if (row->kind != kAvailableKind)
        return false;
    const VelClassFeatureInfo* choice = ChoiceAt(row->key);
    const VelFeatureInfo* feature = choice ? VelDatabase::FindFeature(choice->featureId) : nullptr;
    if (!feature)
        return true;
    if (feature->kind == VelFeatureInfo::kKindEnemy)
    {
        if (const VelEnemyInfo* enemy =
                VelDatabase::FindEnemy(static_cast<std::uint16_t>(choice->value)))
            Vel_UIWin_CharConfig::ShowHelpText(enemy->description);
    }
    else
        Vel_UIWin_CharConfig::ShowHelpText(feature->FormatText(-1));
    return true;
}

bool Vel_UISpecial::OnMouseOverLeave(UIControl* control)
{
    const auto* row = dynamic_cast<const Vel_UIItem*>(control);
    if (!row || (row->kind != kChosenKind && row->kind != kAvailableKind))
        return false;
    Vel_UIWin_CharConfig::RestoreHelpText();
    return true;
}
