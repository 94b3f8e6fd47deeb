#include "Vel_ui/Vel_UIFeats.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Ui/UIComboBox.h"
#include "Ui/UIMessages.h"
#include "Ui/UITextControl.h"
#include "Vel/App/VelClient.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFeatInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel/Rules/VelFeatRules.h"
#include "Vel/Rules/VelRulesWalk.h"
#include "Vel_ui/Vel_UIFilterSelector.h"
#include "Vel_ui/Vel_UIItem.h"
#include "Vel_ui/Vel_UIItemTray.h"
#include "Vel_ui/Vel_UIListBox.h"
#include "Vel_ui/Vel_UIListRefill.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"

FC_REGISTER_CLASS(Vel_UIFeats);

namespace
{
using Feat = VelCharacterFeat;
constexpr std::uint16_t kNoChoice = Feat::kNoChoice;
constexpr std::uint32_t kAbilityBits = 0x3F;

const VelCharacter* Character()
{
    return VelClient::GetCurrentCharacter();
}

std::int32_t GeneralFeatsLeft(const VelCharacter& character)
{
    return static_cast<std::int32_t>(character.values[VelCharacter::kValueFeatsAllowed]) -
           static_cast<std::int32_t>(character.values[VelCharacter::kValueFeatsUsed]);
}

std::int32_t BonusFeatsLeft(const VelCharacter& character)
{
    const VelCharacterClass* entry = character.FindClass(character.currentClassId);
    return entry ? entry->bonusFeats : 0;
}

// A feat taken once for each of its targets: a weapon, a skill or a school.
bool TakesTarget(const VelFeatInfo& feat)
{
    return feat.choiceKind == VelFeatInfo::kChoiceItem ||
           feat.choiceKind == VelFeatInfo::kChoiceSkill ||
           feat.choiceKind == VelFeatInfo::kChoiceSchool;
}

const Vel_UIItem* AvailableRow(const UIControl* dragged)
{
    const auto* row = dynamic_cast<const Vel_UIItem*>(dragged);
    return row && row->kind == Vel_UIFeats::kAvailableRow ? row : nullptr;
}

// Accept tests of the chosen lists: general feats take any available feat,
// the bonus list only the current class's bonus feats.
std::uint16_t AcceptGeneral(UIControl*, UIControl* dragged)
{
    return AvailableRow(dragged) ? UIDragRecord::kAccept : UIDragRecord::kRefuse;
}

std::uint16_t AcceptBonus(UIControl*, UIControl* dragged)
{
    const Vel_UIItem* row = AvailableRow(dragged);
    const VelCharacter* character = Character();
    return row && character &&
                   Vel_UIFeats::IsBonusFeatOf(character->currentClassId,
                                              static_cast<std::uint16_t>(row->key))
               ? UIDragRecord::kAccept
               : UIDragRecord::kRefuse;
}

template <class Fn> void EachRow(const Vel_UIListBox* list, Fn&& fn)
{
    if (list)
        list->EachRow<Vel_UIItem>(fn);
}

void SetShown(UIControl* control, bool show)
{
    if (!control)
        return;
    control->Invalidate();
    control->SetVisible(show ? 1 : 0);
    control->Invalidate();
}
} // namespace

Vel_UIFeats::Vel_UIFeats() = default;

Vel_UIFeats::Vel_UIFeats(const Vel_UIFeats& other)
    : Vel_UIPanel(other), category(other.category), bonusFlag(other.bonusFlag),
      pendingFeat(other.pendingFeat), pendingBonus(other.pendingBonus),
      rowPrototype(other.rowPrototype)
{
    BindChildren(false);
    chosenList = other.chosenList == other.chosenWithBonus ? chosenWithBonus : chosenAlone;
}

Vel_UIFeats::~Vel_UIFeats() = default;

std::string Vel_UIFeats::GetClassName() const { return "Vel_UIFeats"; }
std::string Vel_UIFeats::GetTypeName() const { return "Vel_UIFeats"; }
FCObject* Vel_UIFeats::Clone() const { return new Vel_UIFeats(*this); }
FCObject* Vel_UIFeats::CreateNew() const { return new Vel_UIFeats(); }

bool Vel_UIFeats::Load(FCFile& file)
{
    if (!Vel_UIPanel::Load(file))
        return false;
    BindChildren(true);
    chosenList = chosenAlone;
    constexpr std::uint16_t kChosenFlags =
        kDragContainer | kRemoveOnDropOutside | kHideDraggedChild | kDropTarget;
    if (availableList)
        availableList->SetDragFlags(kDragContainer);
    for (Vel_UIListBox* list : {chosenWithBonus, chosenAlone, bonusList})
        if (list)
        {
            list->SetDragFlags(kChosenFlags);
            list->SetAcceptDropCallback(list == bonusList ? AcceptBonus : AcceptGeneral);
        }
    return true;
}

void Vel_UIFeats::BindChildren(bool logMissing)
{
    categorySelector = FindChildAs<UIComboBox>(kCategoryId, logMissing);
    availableList = FindChildAs<Vel_UIListBox>(kAvailableListId, logMissing);
    generalLeftText = FindChildAs<UITextControl>(kGeneralLeftId, logMissing);
    chosenWithBonus = FindChildAs<Vel_UIListBox>(kChosenWithBonusId, logMissing);
    chosenAlone = FindChildAs<Vel_UIListBox>(kChosenId, logMissing);
    bonusSection = FindChildAs<UIControl>(kBonusSectionId, logMissing);
    bonusLeftText = FindChildAs<UITextControl>(kBonusLeftId, logMissing);
    bonusList = FindChildAs<Vel_UIListBox>(kBonusListId, logMissing);
}

bool Vel_UIFeats::IsBonusClass(std::uint16_t classId)
{
    return classId == VelIds::kClassWarrior || classId == VelIds::kClassScholarCaster;
}

bool Vel_UIFeats::IsBonusFeatOf(std::uint16_t classId, std::uint16_t featId)
{
    const VelFeatInfo* feat = VelDatabase::FindFeat(featId);
    if (!feat)
        return false;
    if (classId == VelIds::kClassWarrior)
        return feat->warriorBonusFeat != 0;
    if (classId == VelIds::kClassScholarCaster)
        return feat->scholarBonusFeat != 0;
    return false;
}

// --- Page protocol --------------------------------------------------------

void Vel_UIFeats::EnterPage()
{
    // The window's shared button has no use on this page.
    Vel_UIWin_CharConfig::ShowButton(false);
    Vel_UIWin_CharConfig::SetHelpId(kScreenId);
    FillCategories();
    FillChosenLists();
}

void Vel_UIFeats::Refresh()
{
    FillCategories();
    ShowCounter(true);
}

void Vel_UIFeats::OnCharacterChanged(VelCharacter* character)
{
    // Abilities count too: they open and close prerequisites.
    if (!character || !(character->changeMask & (VelCharacter::kChangedFeats | kAbilityBits)))
        return;
    UpdateAvailableStates();
    RestyleChosen(chosenList);
    if (bonusFlag)
        RestyleChosen(bonusList);
}

// --- Available feats ------------------------------------------------------

void Vel_UIFeats::FillCategories()
{
    const VelCharacter* character = Character();
    const bool bonusClass = character && IsBonusClass(character->currentClassId);
    if (category == kBonusCategory && !bonusClass)
        category = 0;
    Vel_UIFilterSelector::Fill(categorySelector, kFirstCategoryText, kAllCategories, kBonusCategory,
                               category,
                               [bonusClass](UIControl& entry, std::int32_t value)
                               {
                                   if (value != kBonusCategory || bonusClass)
                                       return;
                                   if (auto* row = dynamic_cast<Vel_UIItem*>(&entry))
                                       row->SetFontVariant(1);
                                   entry.SetEnabled(0);
                               });
    FillAvailable();
}

void Vel_UIFeats::FillAvailable()
{
    if (!availableList)
        return;
    const Vel_UIListRefill quiet(availableList);
    availableList->RemoveAllItems();
    const VelCharacter* character = Character();
    const FCObjectMap* feats = VelDatabase::GetMap(VelDatabase::kTagFeat);
    if (!rowPrototype)
        rowPrototype = FCCountedRef<Vel_UIItem>::Adopt(Vel_UIItem::CreateFromLayout(kRowLayout));
    if (!character || !feats || !rowPrototype)
        return;
    const std::uint16_t classId = character->currentClassId;
    const bool full = IsFull(*character);
    VelRulesWalk::Each<VelFeatInfo>(
        *feats,
        [&](const VelFeatInfo& feat)
        {
            const auto featId = static_cast<std::uint16_t>(feat.key);
            const bool shown = category == kBonusCategory ? IsBonusFeatOf(classId, featId)
                                                          : category == kAllCategories ||
                                                                feat.kind == category;
            if (!shown)
                return false;
            auto* row = dynamic_cast<Vel_UIItem*>(rowPrototype->Clone());
            if (!row)
                return false;
            row->SetColumnText(0, feat.name);
            row->SetInputFlags(static_cast<std::uint16_t>(row->GetInputFlags() | kReportEnterLeave));
            row->kind = kAvailableRow;
            row->key = featId;
            // Styled before it joins the list, where every change repaints.
            const bool open = StyleAvailableRow(*character, full, *row);
            availableList->AddRow(row, 0, false);
            row->SetDraggable(open);
            return false;
        });
    availableList->UpdateLayout();
}

bool Vel_UIFeats::IsFull(const VelCharacter& character)
{
    // Full once no bonus feat is left and the general feats are used up.
    return BonusFeatsLeft(character) < 1 && GeneralFeatsLeft(character) <= 0;
}

bool Vel_UIFeats::StyleAvailableRow(const VelCharacter& character, bool full, Vel_UIItem& row)
{
    const bool open = !full && CanTakeFeat(&character, character.currentClassId,
                                           static_cast<std::uint16_t>(row.key));
    row.SetFontVariant(open ? 0 : 1);
    return open;
}

void Vel_UIFeats::UpdateAvailableStates()
{
    const VelCharacter* character = Character();
    if (!character)
        return;
    const bool full = IsFull(*character);
    const Vel_UIListRefill quiet(availableList);
    EachRow(availableList,
            [&](Vel_UIItem& row) { row.SetDraggable(StyleAvailableRow(*character, full, row)); });
}

// --- Chosen feats ---------------------------------------------------------

void Vel_UIFeats::FillChosenLists()
{
    const VelCharacter* character = Character();
    bonusFlag = character && (character->HasClass(VelIds::kClassWarrior) ||
                              character->HasClass(VelIds::kClassScholarCaster))
                    ? 1
                    : 0;
    if (chosenList)
        chosenList->RemoveAllItems();
    // Only the list in use is seen, whatever the layout shows at first.
    SetShown(chosenWithBonus, false);
    SetShown(chosenAlone, false);
    chosenList = bonusFlag ? chosenWithBonus : chosenAlone;
    SetShown(chosenList, true);
    ShowCounter(false);
    FillChosen(false);
    if (bonusFlag)
    {
        ShowCounter(true);
        FillChosen(true);
    }
    else if (bonusList)
        bonusList->RemoveAllItems();
    SetShown(bonusSection, bonusFlag != 0);
    SetShown(bonusLeftText, bonusFlag != 0);
    SetShown(bonusList, bonusFlag != 0);
}

void Vel_UIFeats::FillChosen(bool bonus)
{
    Vel_UIListBox* list = ChosenListFor(bonus);
    if (!list)
        return;
    const Vel_UIListRefill quiet(list);
    list->RemoveAllItems();
    const VelCharacter* character = Character();
    if (!rowPrototype)
        rowPrototype = FCCountedRef<Vel_UIItem>::Adopt(Vel_UIItem::CreateFromLayout(kRowLayout));
    if (!character || !rowPrototype)
        return;
    VelRulesWalk::Each<Feat>(character->feats,
                             [&](Feat& entry)
                             {
                                 if (((entry.flags & Feat::kBonusFeat) != 0) != bonus)
                                     return false;
                                 auto* row = dynamic_cast<Vel_UIItem*>(rowPrototype->Clone());
                                 if (!row)
                                     return false;
                                 row->SetColumnText(0, entry.GetName());
                                 row->SetInputFlags(static_cast<std::uint16_t>(
                                     row->GetInputFlags() | kReportEnterLeave));
                                 row->kind = bonus ? kBonusRow : kGeneralRow;
                                 row->key = reinterpret_cast<std::intptr_t>(&entry);
                                 row->SetFontVariant((entry.flags & Feat::kHighlighted) ? 2 : 0);
                                 list->AddRow(row, 0, false);
                                 // A feat the rules gave cannot be given back.
                                 if (entry.flags & Feat::kFixed)
                                     row->SetDraggable(false);
                                 return false;
                             });
    list->UpdateLayout();
}

void Vel_UIFeats::KeepPlaceAndFill(bool bonus)
{
    const Vel_UIListKeepPlace keep(ChosenListFor(bonus));
    FillChosen(bonus);
}

void Vel_UIFeats::RestyleChosen(Vel_UIListBox* list)
{
    const Vel_UIListRefill quiet(list);
    EachRow(list,
            [&](Vel_UIItem& row)
            {
                const Feat* entry = HeldEntry(row);
                row.SetFontVariant(entry && (entry->flags & Feat::kHighlighted) ? 2 : 0);
            });
}

void Vel_UIFeats::ShowCounter(bool bonus)
{
    const VelCharacter* character = Character();
    if (!character)
        return;
    const std::int32_t left = bonus ? BonusFeatsLeft(*character) : GeneralFeatsLeft(*character);
    if (UITextControl* text = bonus ? bonusLeftText : generalLeftText)
        text->SetLong(left);
    // A list takes feats only while some are left.
    if (Vel_UIListBox* list = ChosenListFor(bonus))
        Vel_UIItemTray::SetAcceptsDrops(list, left > 0);
}

VelCharacterFeat* Vel_UIFeats::HeldEntry(const Vel_UIItem& row) const
{
    const VelCharacter* character = Character();
    Feat* found = nullptr;
    if (character && (row.kind == kGeneralRow || row.kind == kBonusRow))
        VelRulesWalk::Each<Feat>(character->feats,
                                 [&](Feat& entry)
                                 {
                                     if (reinterpret_cast<std::intptr_t>(&entry) == row.key)
                                         found = &entry;
                                     return found != nullptr;
                                 });
    return found;
}

// --- Taking and giving back -----------------------------------------------

bool Vel_UIFeats::MayTake(std::uint16_t featId, bool bonus) const
{
    const VelCharacter* character = Character();
    if (!character || !CanTakeFeat(character, character->currentClassId, featId))
        return false;
    if (bonus)
        return BonusFeatsLeft(*character) > 0 && IsBonusFeatOf(character->currentClassId, featId);
    return GeneralFeatsLeft(*character) > 0;
}

void Vel_UIFeats::TakeFeat(std::uint16_t featId, bool bonus)
{
    const VelFeatInfo* feat = VelDatabase::FindFeat(featId);
    const VelCharacter* character = Character();
    if (!feat || !character || !MayTake(featId, bonus))
        return;
    if (featId == VelIds::kFeatIntellectGrant)
    {
        // Taken for the INT modifier, and only once for each.
        const auto modifier = static_cast<std::uint16_t>(
            GetAbilityModifier(static_cast<std::int16_t>(character->abilities[VelEntity::kInt])));
        if (!character->HasFeat(featId, modifier, -1))
            AddAndShow(featId, modifier, kNoChoice, bonus);
        return;
    }
    if (!TakesTarget(*feat))
    {
        AddAndShow(featId, kNoChoice, kNoChoice, bonus);
        return;
    }
    if (target.IsOpen())
        return;
    pendingFeat = featId;
    pendingBonus = bonus ? 1 : 0;
    if (!target.Open(this, Vel_UIWin_SelectTarget::kModeFeat, featId))
        FC_LOG("Feats page: no target can be chosen for feat %u\n", static_cast<unsigned>(featId));
}

void Vel_UIFeats::AddAndShow(std::uint16_t featId, std::uint16_t choice,
                             std::uint16_t secondChoice, bool bonus)
{
    VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!character)
        return;
    AddFeat(character, featId, choice, secondChoice, bonus);
    KeepPlaceAndFill(bonus);
    ShowCounter(bonus);
    character->changeMask |= VelCharacter::kChangedFeats;
    character->NotifyChanged();
}

void Vel_UIFeats::GiveBack(const Vel_UIItem& row, bool bonus)
{
    VelCharacter* character = VelClient::GetCurrentCharacter();
    Feat* entry = HeldEntry(row);
    if (!character || !entry || (entry->flags & Feat::kFixed))
    {
        // Nothing to give back: the list shows what the character holds.
        KeepPlaceAndFill(bonus);
        return;
    }
    RemoveFeat(character, entry);
    KeepPlaceAndFill(bonus);
    ShowCounter(bonus);
    character->changeMask |= VelCharacter::kChangedFeats;
    character->NotifyChanged();
}

// --- Messages -------------------------------------------------------------

void Vel_UIFeats::HandleMessage(std::int16_t messageId, void* data)
{
    if (std::uint32_t value = 0;
        target.TakeChoice(messageId, data, value) && MayTake(pendingFeat, pendingBonus != 0))
        AddAndShow(pendingFeat, Vel_UIWin_SelectTarget::ChoiceOf(value),
                   Vel_UIWin_SelectTarget::SecondChoiceOf(value), pendingBonus != 0);
    Vel_UIPanel::HandleMessage(messageId, data);
}

bool Vel_UIFeats::HandleNotify(UIEvent& event)
{
    UIControl* sender = event.sender;
    if (!sender)
        return false;
    switch (event.type)
    {
    case UIMessage::kChanged:
    {
        std::int32_t chosen = 0;
        if (Vel_UIFilterSelector::UserChoice(categorySelector, event, chosen))
        {
            category = chosen;
            FillAvailable();
        }
        break;
    }
    case UIMessage::kChildDraggedOut:
    {
        const bool fromBonus = sender == bonusList;
        const auto* row = dynamic_cast<const Vel_UIItem*>(reinterpret_cast<UIControl*>(event.param1));
        if (!row || (sender != chosenList && !fromBonus))
            break;
        // Let go over the other chosen list: the feat stays where it was.
        UIControl* other = fromBonus ? static_cast<UIControl*>(chosenList) : bonusList;
        if (other && other->IsVisible() && other->HitTest(event.GetPoint(), false))
            KeepPlaceAndFill(fromBonus);
        else
            GiveBack(*row, fromBonus);
        break;
    }
    case UIMessage::kDroppedOnto:
        if (sender == chosenList || sender == bonusList)
            if (const Vel_UIItem* row = AvailableRow(reinterpret_cast<UIControl*>(event.param1)))
                TakeFeat(static_cast<std::uint16_t>(row->key), sender == bonusList);
        break;
    default:
        break;
    }
    return Vel_UIPanel::HandleNotify(event);
}

bool Vel_UIFeats::OnMouseOverEnter(UIControl* control)
{
    const auto* row = dynamic_cast<const Vel_UIItem*>(control);
    if (!row)
        return false;
    std::uint16_t featId = static_cast<std::uint16_t>(row->key);
    if (row->kind == kGeneralRow || row->kind == kBonusRow)
    {
        const Feat* entry = HeldEntry(*row);
        if (!entry)
            return true;
        Vel_UIWin_CharConfig::ShowClassInfo(entry->classId);
        featId = entry->featId;
    }
    else if (row->kind != kAvailableRow)
        return false;
    if (const VelFeatInfo* feat = VelDatabase::FindFeat(featId))
        Vel_UIWin_CharConfig::ShowHelpText(feat->description);
    return true;
}

bool Vel_UIFeats::OnMouseOverLeave(UIControl* control)
{
    const auto* row = dynamic_cast<const Vel_UIItem*>(control);
    if (!row)
        return false;
    if (row->kind == kGeneralRow || row->kind == kBonusRow)
        Vel_UIWin_CharConfig::ShowCurrentClassInfo();
    else if (row->kind != kAvailableRow)
        return false;
    Vel_UIWin_CharConfig::RestoreHelpText();
    return true;
}
