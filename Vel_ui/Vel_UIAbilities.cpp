#include "Vel_ui/Vel_UIAbilities.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCObjectVector.h"
#include "Ui/UIMessages.h"
#include "Ui/UINumberEditControl.h"
#include "Ui/UINumberScroll.h"
#include "Ui/UITextControl.h"
#include "Vel/App/VelClient.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelRaceFeatureInfo.h"
#include "Vel/Db/VelSizeInfo.h"
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel/Rules/VelLevelRules.h"
#include "Vel/Rules/VelPhysicalRules.h"
#include "Vel_ui/Vel_UIItem.h"
#include "Vel_ui/Vel_UIListBox.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"

#include <algorithm>

FC_REGISTER_CLASS(Vel_UIAbilities);

namespace
{
constexpr std::int32_t kInchesPerFoot = 12;

std::int32_t FieldValue(const UINumberScroll* scroll)
{
    return scroll && scroll->GetValueField() ? scroll->GetValueField()->GetLong() : 0;
}

// Range first: a value outside the old range would not be taken.
void ShowInRange(UINumberScroll* scroll, std::int32_t value, std::int32_t lowest,
                 std::int32_t highest)
{
    if (!scroll)
        return;
    scroll->SetRange(lowest, highest);
    scroll->SetLong(value);
}

// With the race's row, the value within its limits; without one (a record
// missing from the rules), the value as stored, with no way to change it:
// a range of that one value greys both arrows.
void ShowLimited(UINumberScroll* scroll, std::int32_t value, bool hasRow, std::int32_t lowest,
                 std::int32_t highest)
{
    if (!scroll)
        return;
    scroll->SetEnabled(hasRow ? 1 : 0);
    if (hasRow)
        ShowInRange(scroll, value, lowest, highest);
    else
        ShowInRange(scroll, value, value, value);
}

const VelRaceFeatureInfo* FeatureAt(std::intptr_t index)
{
    const FCObjectVector* list = VelDatabase::GetList(VelDatabase::kTagRaceFeature);
    if (!list || index < 0 || index >= static_cast<std::intptr_t>(list->GetCount()))
        return nullptr;
    return dynamic_cast<const VelRaceFeatureInfo*>(list->GetAt(static_cast<std::int32_t>(index)));
}
} // namespace

Vel_UIAbilities::Vel_UIAbilities() = default;

Vel_UIAbilities::Vel_UIAbilities(const Vel_UIAbilities& other)
    : Vel_UIPanel(other), lowestHeight(other.lowestHeight), highestHeight(other.highestHeight),
      updating(other.updating), hasHeightRow(other.hasHeightRow), hasWeightRow(other.hasWeightRow),
      hasAgeRow(other.hasAgeRow), rowPrototype(other.rowPrototype)
{
    BindChildren();
}

Vel_UIAbilities::~Vel_UIAbilities() = default;

std::string Vel_UIAbilities::GetClassName() const { return "Vel_UIAbilities"; }
std::string Vel_UIAbilities::GetTypeName() const { return "Vel_UIAbilities"; }
FCObject* Vel_UIAbilities::Clone() const { return new Vel_UIAbilities(*this); }
FCObject* Vel_UIAbilities::CreateNew() const { return new Vel_UIAbilities(); }

bool Vel_UIAbilities::Load(FCFile& file)
{
    if (!Vel_UIPanel::Load(file))
        return false;
    BindChildren();
    // The feet follow the inches: only the inches are edited.
    if (feet)
    {
        feet->SetButtonsVisible(false);
        if (feet->GetValueField())
            feet->GetValueField()->SetMouseTransparent(1);
    }
    return true;
}

void Vel_UIAbilities::BindChildren()
{
    feet = dynamic_cast<UINumberScroll*>(FindDescendant(kFeetId));
    inches = dynamic_cast<UINumberScroll*>(FindDescendant(kInchesId));
    weight = dynamic_cast<UINumberScroll*>(FindDescendant(kWeightId));
    age = dynamic_cast<UINumberScroll*>(FindDescendant(kAgeId));
    sizeText = dynamic_cast<UITextControl*>(FindDescendant(kSizeId));
    experienceText = dynamic_cast<UITextControl*>(FindDescendant(kExperienceId));
    nextLevelText = dynamic_cast<UITextControl*>(FindDescendant(kNextLevelId));
    featureList = dynamic_cast<Vel_UIListBox*>(FindDescendant(kFeatureListId));
    for (std::size_t i = 0; i < modifiers.size(); ++i)
        modifiers[i] = dynamic_cast<UITextControl*>(
            FindDescendant(static_cast<std::uint16_t>(kFirstModifierId + i)));
}

void Vel_UIAbilities::EnterPage()
{
    Vel_UIWin_CharConfig::ShowButton(false);
    Vel_UIWin_CharConfig::SetHelpId(kScreenId);
    RefreshAll();
}

void Vel_UIAbilities::OnCharacterChanged(VelCharacter*)
{
    RefreshAll();
}

void Vel_UIAbilities::RefreshAll()
{
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!character)
        return;
    // The page's own writes are not edits of the character.
    updating = 1;
    std::int32_t lowest = 0;
    std::int32_t highest = 0;
    hasWeightRow = GetWeightRange(character, lowest, highest) ? 1 : 0;
    ShowLimited(weight, static_cast<std::int32_t>(character->values[VelCharacter::kValueWeight]),
                hasWeightRow, lowest, highest);
    hasHeightRow = GetHeightRange(character, lowestHeight, highestHeight) ? 1 : 0;
    ShowHeight(*character);
    hasAgeRow = GetAgeRange(character, lowest, highest) ? 1 : 0;
    ShowLimited(age, static_cast<std::int32_t>(character->values[VelCharacter::kValueAge]), hasAgeRow,
                lowest, highest);
    updating = 0;
    if (sizeText)
    {
        const VelSizeInfo* size = VelDatabase::FindSize(character->GetSizeId());
        sizeText->SetText(size ? size->name : std::string());
    }
    if (experienceText)
        experienceText->SetLong(
            static_cast<std::int32_t>(character->values[VelCharacter::kValueExperience]));
    if (nextLevelText)
    {
        const std::int32_t next = GetExperienceForNextLevel(character);
        if (next < 1)
            nextLevelText->SetText("-");
        else
            nextLevelText->SetLong(next);
    }
    for (std::size_t i = 0; i < modifiers.size(); ++i)
        if (modifiers[i])
            modifiers[i]->SetShort(
                GetAbilityModifier(static_cast<std::int16_t>(character->abilities[i])));
    FillFeatures(*character);
}

void Vel_UIAbilities::ShowHeight(const VelCharacter& character)
{
    const std::uint8_t wasUpdating = updating;
    updating = 1;
    const auto height = static_cast<std::int32_t>(character.values[VelCharacter::kValueHeight]);
    ShowLimited(feet, height / kInchesPerFoot, hasHeightRow, 0, std::max(highestHeight / kInchesPerFoot, 1));
    ShowLimited(inches, height % kInchesPerFoot, hasHeightRow, kLowestInches, kHighestInches);
    updating = wasUpdating;
}

void Vel_UIAbilities::OnHeightChanged(VelCharacter& character)
{
    std::int32_t inchPart = FieldValue(inches);
    std::int32_t footPart = FieldValue(feet);
    if (inchPart >= kInchesPerFoot)
    {
        ++footPart;
        inchPart -= kInchesPerFoot;
    }
    else if (inchPart < 0)
    {
        --footPart;
        inchPart += kInchesPerFoot;
    }
    std::int32_t height = footPart * kInchesPerFoot + inchPart;
    if (height < lowestHeight)
        height = lowestHeight;
    if (height > highestHeight)
        height = highestHeight;
    character.SetValue(VelCharacter::kValueHeight, static_cast<std::uint32_t>(height));
    character.modified = 1;
    ShowHeight(character);
}

void Vel_UIAbilities::FillFeatures(const VelCharacter& character)
{
    if (!featureList)
        return;
    featureList->RemoveAllItems();
    if (!rowPrototype)
        rowPrototype = FCCountedRef<Vel_UIItem>::Adopt(Vel_UIItem::CreateFromLayout(kFeatureRowLayout));
    const FCObjectVector* list = VelDatabase::GetList(VelDatabase::kTagRaceFeature);
    for (std::uint32_t i = 0; rowPrototype && list && i < list->GetCount(); ++i)
    {
        const auto* feature =
            dynamic_cast<const VelRaceFeatureInfo*>(list->GetAt(static_cast<std::int32_t>(i)));
        if (!feature || feature->raceId != character.raceId)
            continue;
        auto* row = dynamic_cast<Vel_UIItem*>(rowPrototype->Clone());
        if (!row)
            continue;
        row->key = static_cast<std::intptr_t>(i);
        row->SetColumnText(0, feature->name);
        row->SetInputFlags(row->GetInputFlags() | kReportEnterLeave);
        featureList->AddRow(row, 0, false);
    }
    featureList->UpdateLayout();
}

bool Vel_UIAbilities::HandleNotify(UIEvent& event)
{
    if (!event.sender)
        return false;
    VelCharacter* character = VelClient::GetCurrentCharacter();
    if (event.type == UIMessage::kTextChanged && !updating && character)
    {
        if (event.sender == inches && hasHeightRow)
            OnHeightChanged(*character);
        else if ((event.sender == weight && hasWeightRow) || (event.sender == age && hasAgeRow))
        {
            const std::uint32_t index =
                event.sender == weight ? VelCharacter::kValueWeight : VelCharacter::kValueAge;
            character->SetValue(index, static_cast<std::uint32_t>(std::max<std::int32_t>(
                                           FieldValue(static_cast<UINumberScroll*>(event.sender)), 0)));
            character->modified = 1;
        }
    }
    return Vel_UIPanel::HandleNotify(event);
}

bool Vel_UIAbilities::OnMouseOverEnter(UIControl* control)
{
    const auto* row = dynamic_cast<const Vel_UIItem*>(control);
    if (!row)
        return false;
    if (const VelRaceFeatureInfo* feature = FeatureAt(row->key))
        Vel_UIWin_CharConfig::ShowHelpText(feature->description);
    return true;
}

bool Vel_UIAbilities::OnMouseOverLeave(UIControl* control)
{
    if (!dynamic_cast<const Vel_UIItem*>(control))
        return false;
    Vel_UIWin_CharConfig::RestoreHelpText();
    return true;
}
