#include "Vel_ui/Vel_UISkills.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCConvert.h"
#include "Fc/Core/FCDebugLog.h"
#include "Ui/UIComboBox.h"
#include "Ui/UIMessages.h"
#include "Ui/UINumberEditControl.h"
#include "Ui/UINumberScroll.h"
#include "Ui/UITextControl.h"
#include "Ui/UIWindowManager.h"
#include "Vel/App/VelClient.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Db/VelSubSkillInfo.h"
#include "Vel/Rules/VelRulesWalk.h"
#include "Vel/Rules/VelSkillRules.h"
#include "Vel_ui/Vel_UIFilterSelector.h"
#include "Vel_ui/Vel_UIListBox.h"
#include "Vel_ui/Vel_UIListRefill.h"
#include "Vel_ui/Vel_UISkillItem.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>
#include <vector>

FC_REGISTER_CLASS(Vel_UISkills);

bool Vel_UISkills::RowSpec::Matches(const Vel_UISkillItem& row) const
{
    return Key() == KeyOf(row);
}

Vel_UISkills::RowKey Vel_UISkills::RowSpec::Key() const
{
    return {skillId, subSkillId, classId, kind};
}

Vel_UISkills::RowKey Vel_UISkills::RowSpec::KeyOf(const Vel_UISkillItem& row)
{
    return {row.skillId, row.subSkillId, row.classId, row.classKind};
}

void Vel_UISkills::RowSpec::ApplyTo(Vel_UISkillItem& row) const
{
    row.skillId = skillId;
    row.subSkillId = subSkillId;
    row.classId = classId;
    row.classKind = kind;
    row.key = skillId;
}

namespace
{
using Skill = VelCharacterSkill;

constexpr std::int32_t kUnavailable = VelSkillInfo::kNotAvailable;
constexpr std::int32_t kClassKind = Skill::kClassRanks;
constexpr std::int32_t kCrossKind = Skill::kCrossClassRanks;
constexpr std::uint16_t kNoSub = Skill::kNoSubSkill;
constexpr float kHalfRank = 0.5f;

// A class-skill step is a whole rank, a cross-class step half a rank; each
// costs one point.
float StepOf(std::int32_t kind)
{
    return kind == kCrossKind ? kHalfRank : 1.0f;
}
std::int32_t CostOf(std::int32_t kind, float ranks)
{
    return static_cast<std::int32_t>(kind == kCrossKind ? ranks * 2.0f : ranks);
}
// Whole steps of the kind within ranks.
float WholeSteps(std::int32_t kind, float ranks)
{
    const float step = StepOf(kind);
    return std::floor(ranks / step + 1e-4f) * step;
}

template <class Fn> void EachSkillRow(const Vel_UIListBox* list, Fn&& fn)
{
    if (list)
        list->EachRow<Vel_UISkillItem>(fn);
}

// By name as the rows sort (unsigned bytes, a prefix first), then by class
// and kind, and by what the row stands for, so that a list built at once
// and one built row by row agree.
void SortByName(std::vector<Vel_UISkills::RowSpec>& specs)
{
    std::sort(specs.begin(), specs.end(),
              [](const Vel_UISkills::RowSpec& a, const Vel_UISkills::RowSpec& b)
              {
                  return std::tie(a.name, a.classId, a.kind, a.skillId, a.subSkillId) <
                         std::tie(b.name, b.classId, b.kind, b.skillId, b.subSkillId);
              });
}

std::vector<Vel_UISkillItem*> RowsOf(Vel_UIListBox* list)
{
    std::vector<Vel_UISkillItem*> rows;
    EachSkillRow(list, [&](Vel_UISkillItem& row) { rows.push_back(&row); });
    return rows;
}

bool HoldsRows(Vel_UIListBox* list, const std::vector<Vel_UISkills::RowSpec>& specs)
{
    std::size_t i = 0;
    bool same = true;
    EachSkillRow(list,
                 [&](const Vel_UISkillItem& row)
                 {
                     same = same && i < specs.size() && specs[i].Matches(row);
                     ++i;
                 });
    return same && i == specs.size();
}

void ShowText(UITextControl* text, const std::string& value)
{
    if (text)
        text->SetText(value);
}

// The row shows its breakdown while the pointer rests on it or on a part
// that reports entering as the row's (its arrows, not its field).
bool UnderPointer(const UIControl& row)
{
    const UIWindowManager* manager = UIWindowManager::GetInstance();
    const UIControl* hover = manager ? manager->GetHover() : nullptr;
    return hover == &row || (hover && (hover->GetInputFlags() & UIControl::kReportEnterLeave) &&
                             row.ContainsDescendant(hover));
}
} // namespace

Vel_UISkills::Vel_UISkills() = default;

Vel_UISkills::Vel_UISkills(const Vel_UISkills& other)
    : Vel_UIPanel(other), filter(other.filter), pendingSkill(other.pendingSkill),
      pendingKind(other.pendingKind), availablePrototype(other.availablePrototype),
      skillPrototype(other.skillPrototype)
{
    BindChildren(false);
}

Vel_UISkills::~Vel_UISkills() = default;

std::string Vel_UISkills::GetClassName() const { return "Vel_UISkills"; }
std::string Vel_UISkills::GetTypeName() const { return "Vel_UISkills"; }
FCObject* Vel_UISkills::Clone() const { return new Vel_UISkills(*this); }
FCObject* Vel_UISkills::CreateNew() const { return new Vel_UISkills(); }

bool Vel_UISkills::Load(FCFile& file)
{
    if (!Vel_UIPanel::Load(file))
        return false;
    BindChildren(true);
    filter = VelSkillInfo::kClassSkill;
    // The character's skills take rows and lose those dropped elsewhere;
    // the available skills only give.
    if (skillList)
        skillList->SetDragFlags(kDragContainer | kRemoveOnDropOutside | kDropTarget);
    if (availableList)
        availableList->SetDragFlags(kDragContainer);
    return true;
}

void Vel_UISkills::BindChildren(bool logMissing)
{
    pointsText = FindChildAs<UITextControl>(kPointsId, logMissing);
    skillList = FindChildAs<Vel_UIListBox>(kSkillListId, logMissing);
    availableList = FindChildAs<Vel_UIListBox>(kAvailableListId, logMissing);
    filterSelector = FindChildAs<UIComboBox>(kFilterId, logMissing);
    totalText = FindChildAs<UITextControl>(kTotalId, logMissing);
    ranksText = FindChildAs<UITextControl>(kRanksId, logMissing);
    abilityText = FindChildAs<UITextControl>(kAbilityPartId, logMissing);
    miscText = FindChildAs<UITextControl>(kMiscPartId, logMissing);
}

std::int32_t Vel_UISkills::PointsLeft(const VelCharacterClass* entry)
{
    return entry ? static_cast<std::int32_t>(entry->skillPointsAvailable) -
                       static_cast<std::int32_t>(entry->skillPointsSpent)
                 : 0;
}

// --- Page protocol --------------------------------------------------------

void Vel_UISkills::EnterPage()
{
    // The window's shared button has no use on this page.
    Vel_UIWin_CharConfig::ShowButton(false);
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    const bool multiClass = character && character->classes.GetCount() >= 2;
    Vel_UIWin_CharConfig::SetHelpId(multiClass ? kMultiClassHelpId : kScreenId);
    FillFilter();
    ShowPoints();
    FillSkillList();
    ClearBreakdown();
}

void Vel_UISkills::Refresh()
{
    FillAvailable();
    ShowPoints();
    FillSkillList();
}

void Vel_UISkills::OnCharacterChanged(VelCharacter* character)
{
    if (!character)
        return;
    if (character->changeMask & VelCharacter::kChangedSkills)
    {
        ShowPoints();
        FillSkillList();
        UpdateAvailableStates();
    }
    else if (character->changeMask & VelCharacter::kChangedSkillKinds)
    {
        ShowPoints();
        UpdateSkillRowStates();
        UpdateAvailableStates();
    }
}

void Vel_UISkills::FillFilter()
{
    Vel_UIFilterSelector::Fill(filterSelector, kFirstFilterText, VelSkillInfo::kNotAvailable,
                               VelSkillInfo::kCrossClassSkill, filter);
    FillAvailable();
}

// --- Lists ----------------------------------------------------------------

void Vel_UISkills::FillAvailable()
{
    if (!availableList)
        return;
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    const FCObjectMap* skills = VelDatabase::GetMap(VelDatabase::kTagSkill);
    if (!availablePrototype)
        availablePrototype =
            FCCountedRef<Vel_UIItem>::Adopt(Vel_UIItem::CreateFromLayout(kAvailableRowLayout));
    std::vector<RowSpec> specs;
    if (character && skills)
        VelRulesWalk::Each<VelSkillInfo>(*skills,
                                         [&](const VelSkillInfo& skill)
                                         {
                                             const std::int32_t kind = GetSkillClassKind(
                                                 character, character->currentClassId, &skill);
                                             if (kind == filter)
                                                 specs.push_back({skill.name,
                                                                  static_cast<std::uint16_t>(skill.key),
                                                                  kNoSub, character->currentClassId,
                                                                  kind});
                                             return false;
                                         });
    SortByName(specs);
    if (character && HoldsRows(availableList, specs))
    {
        UpdateAvailableStates();
        return;
    }
    const Vel_UIListRefill quiet(availableList);
    availableList->RemoveAllItems();
    if (!character || !availablePrototype)
        return;
    const bool pointsLeft = PointsLeft(character->FindClass(character->currentClassId)) > 0;
    for (const RowSpec& spec : specs)
    {
        auto* row = dynamic_cast<Vel_UISkillItem*>(availablePrototype->Clone());
        if (!row)
            continue;
        row->SetColumnText(0, spec.name);
        row->SetInputFlags(static_cast<std::uint16_t>(row->GetInputFlags() | kReportEnterLeave));
        spec.ApplyTo(*row);
        row->kind = kAvailableRow;
        // Styled before it joins the list, where every change repaints.
        const bool open = StyleAvailableRow(*character, pointsLeft, *row);
        availableList->AddRow(row, 0, false);
        // The list makes its rows draggable: one that cannot be had is not.
        row->SetDraggable(open);
    }
    availableList->UpdateLayout();
}

bool Vel_UISkills::StyleAvailableRow(const VelCharacter& character, bool pointsLeft,
                                     Vel_UISkillItem& row) const
{
    // Skills the class cannot have are listed for the record, never bought.
    const bool open = row.classKind != kUnavailable && pointsLeft &&
                      IsSkillRaisable(&character, row.classId, row.skillId, kNoSub);
    row.SetFontVariant(open ? 0 : 1);
    return open;
}

void Vel_UISkills::UpdateAvailableStates()
{
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!character || filter == kUnavailable)
        return;
    const bool pointsLeft = PointsLeft(character->FindClass(character->currentClassId)) > 0;
    const Vel_UIListRefill quiet(availableList);
    EachSkillRow(availableList, [&](Vel_UISkillItem& row)
                 { row.SetDraggable(StyleAvailableRow(*character, pointsLeft, row)); });
}

void Vel_UISkills::FillSkillList()
{
    if (!skillList)
        return;
    VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!skillPrototype)
        skillPrototype = FCCountedRef<Vel_UIItem>::Adopt(Vel_UIItem::CreateFromLayout(kSkillRowLayout));
    std::vector<RowSpec> specs;
    if (character)
        VelRulesWalk::Each<Skill>(
            character->skills,
            [&](const Skill& entry)
            {
                for (std::uint16_t classId = 0; classId < Skill::kColumnCount; ++classId)
                    for (std::int32_t kind : {kClassKind, kCrossKind})
                        if (entry.GetRanks(static_cast<std::int16_t>(classId), kind) > 0.0f)
                            specs.push_back(
                                {entry.GetName(), entry.skillId, entry.subSkillId, classId, kind});
                return false;
            });
    SortByName(specs);
    const Vel_UIListRefill quiet(skillList);
    const std::vector<Vel_UISkillItem*> rows = RowsOf(skillList);
    // The same rows as before (a page entered again, a step): kept, and
    // only their states follow the character.
    if (character && HoldsRows(skillList, specs))
    {
        for (Vel_UISkillItem* row : rows)
            UpdateRowState(*character, *row);
        return;
    }
    // Otherwise the rows that still stand for something stay in the list
    // (one skill added or given back; taking every row out and back costs
    // more than the rest), the others go, the new ones join and the list is
    // put in order.
    std::map<RowKey, std::size_t> wanted;
    for (std::size_t i = 0; i < specs.size(); ++i)
        wanted.emplace(specs[i].Key(), i);
    std::vector<bool> listed(specs.size(), false);
    for (Vel_UISkillItem* row : rows)
    {
        const auto found = wanted.find(RowSpec::KeyOf(*row));
        if (!character || found == wanted.end() || listed[found->second])
        {
            skillList->RemoveItem(row, false);
            continue;
        }
        listed[found->second] = true;
        row->listOrder = static_cast<std::uint32_t>(found->second);
        UpdateRowState(*character, *row);
    }
    for (std::size_t i = 0; character && i < specs.size(); ++i)
    {
        if (listed[i])
            continue;
        Vel_UISkillItem* row = MakeSkillRow(specs[i]);
        if (!row)
            continue;
        row->listOrder = static_cast<std::uint32_t>(i);
        UpdateRowState(*character, *row);
        skillList->AddRow(row, 0, false);
    }
    skillList->SortItems(
        [](UIControl* a, UIControl* b)
        {
            const auto* first = FCObjectAs<Vel_UISkillItem>(*a);
            const auto* second = FCObjectAs<Vel_UISkillItem>(*b);
            if (!first || !second)
                return first && !second;
            return first->listOrder < second->listOrder;
        });
    skillList->UpdateLayout();
}

Vel_UISkillItem* Vel_UISkills::MakeSkillRow(const RowSpec& spec) const
{
    auto* row = skillPrototype ? dynamic_cast<Vel_UISkillItem*>(skillPrototype->Clone()) : nullptr;
    if (!row)
        return nullptr;
    row->SetColumnText(0, spec.name);
    if (spec.kind == kCrossKind)
        row->SetScrollStep(kHalfRank);
    spec.ApplyTo(*row);
    row->kind = kSkillRow;
    row->SetInputFlags(static_cast<std::uint16_t>(row->GetInputFlags() | kReportEnterLeave |
                                                  Vel_UIItem::kForwardEnterLeave));
    // The row takes the pointer; the spinner's own parts still do.
    if (UINumberScroll* scroll = row->GetNumberScroll())
        scroll->SetMouseTransparent(1);
    return row;
}

void Vel_UISkills::UpdateSkillRowStates()
{
    VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!character)
        return;
    const Vel_UIListRefill quiet(skillList);
    EachSkillRow(skillList, [&](Vel_UISkillItem& row) { UpdateRowState(*character, row); });
}

void Vel_UISkills::UpdateRowState(VelCharacter& character, Vel_UISkillItem& row)
{
    const Skill* entry = character.FindSkill(row.skillId, row.subSkillId);
    if (!entry)
        return;
    const auto column = static_cast<std::int16_t>(row.classId);
    const VelCharacterClass* classEntry = character.FindClass(row.classId);
    const float ranks = entry->GetRanks(column, row.classKind);
    // Room above the row's ranks: the skill's maximum less the ranks every
    // class holds, in whole steps, and no more steps than points are left.
    float highest = ranks;
    const bool overLimit = (entry->flags & Skill::kOverLimit) != 0;
    const std::int32_t points = PointsLeft(classEntry);
    if (!overLimit && points > 0)
    {
        const float maximum = CanRaiseSkill(&character, row.classId, row.skillId, row.subSkillId);
        const float room = WholeSteps(row.classKind,
                                      maximum - static_cast<float>(entry->GetTotalRanks()));
        const float byPoints = static_cast<float>(points) * StepOf(row.classKind);
        if (room > 0.0f)
            highest = ranks + std::min(room, byPoints);
    }
    const std::int16_t variant = overLimit ? 2 : 0;
    const double lowest = std::min<double>(StepOf(row.classKind), ranks);
    // Only what changed is written: every write repaints, and most rows of a
    // long list lie outside the list's window.
    const bool wasUpdating = updating;
    updating = true;
    row.SetFontVariant(variant);
    UINumberScroll* scroll = row.GetNumberScroll();
    UINumberEditControl* field = scroll ? scroll->GetValueField() : nullptr;
    if (field)
    {
        field->SetFontVariant(static_cast<std::uint16_t>(variant));
        // The value first: within the old range it is taken as it is, and the
        // new range then has nothing to clamp.
        const bool valueChanged = field->GetDouble() != ranks;
        if (valueChanged)
            row.SetScrollValue(ranks);
        double low = 0.0;
        double high = 0.0;
        field->GetRange(low, high);
        if (low != lowest || high != highest)
            row.SetScrollRange(lowest, highest); // the arrows follow
        else if (valueChanged)
            scroll->UpdateButtons();
        scroll->SetEnabled(row.classId == character.currentClassId ? 1 : 0);
    }
    updating = wasUpdating;
}

void Vel_UISkills::ShowPoints()
{
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    if (pointsText && character)
        pointsText->SetLong(PointsLeft(character->FindClass(character->currentClassId)));
}

// --- Edits ----------------------------------------------------------------

void Vel_UISkills::OnDropped(const Vel_UISkillItem& row)
{
    const VelSkillInfo* skill = VelDatabase::FindSkill(row.skillId);
    if (!skill)
        return;
    if (!skill->hasSubSkills)
    {
        AddSkill(row.skillId, kNoSub, row.classKind);
        return;
    }
    if (target.IsOpen())
        return;
    pendingSkill = row.skillId;
    pendingKind = row.classKind;
    if (!target.Open(this, Vel_UIWin_SelectTarget::kModeSkill, row.skillId))
        FC_LOG("Skills page: no sub-skill can be chosen for skill %u\n",
               static_cast<unsigned>(row.skillId));
}

bool Vel_UISkills::AddSkill(std::uint16_t skillId, std::uint16_t subSkillId, std::int32_t kind)
{
    VelCharacter* character = VelClient::GetCurrentCharacter();
    const VelSkillInfo* skill = VelDatabase::FindSkill(skillId);
    VelCharacterClass* classEntry =
        character ? character->FindClass(character->currentClassId) : nullptr;
    if (!skill || !classEntry)
        return false;
    const std::uint16_t classId = classEntry->classId;
    const std::int32_t points = PointsLeft(classEntry);
    // What the row promised is asked again: the rules may have moved on.
    kind = GetSkillClassKind(character, classId, skill);
    if (points < 1 || kind == kUnavailable ||
        !IsSkillRaisable(character, classId, skillId, subSkillId))
        return false;
    Skill* entry = character->FindSkill(skillId, subSkillId);
    const float held = entry ? static_cast<float>(entry->GetTotalRanks()) : 0.0f;
    const float room = WholeSteps(kind, GetMaxSkillRanks(character, skillId) - held);
    float step = kind == kCrossKind && points < 2 ? kHalfRank : 1.0f;
    // Never past the maximum: a step is cut to what is left, a whole rank
    // of a class skill is never cut.
    step = std::min(step, room);
    if (step <= 0.0f || (kind == kClassKind && step < 1.0f))
        return false;
    if (!entry)
    {
        entry = new Skill(skillId, subSkillId);
        character->AddSkill(entry);
        entry->Release();
    }
    const auto column = static_cast<std::int16_t>(classId);
    entry->SetRanks(column, kind, entry->GetRanks(column, kind) + step);
    classEntry->skillPointsSpent =
        static_cast<std::uint16_t>(classEntry->skillPointsSpent + CostOf(kind, step));
    UpdateAvailableStates();
    character->changeMask |= VelCharacter::kChangedSkills;
    character->NotifyChanged();
    return true;
}

void Vel_UISkills::RemoveRanks(const Vel_UISkillItem& row)
{
    VelCharacter* character = VelClient::GetCurrentCharacter();
    Skill* entry = character ? character->FindSkill(row.skillId, row.subSkillId) : nullptr;
    if (!entry)
    {
        // The row outlived its entry: only the list is put right.
        FillSkillList();
        return;
    }
    const auto column = static_cast<std::int16_t>(row.classId);
    const std::int32_t refund = CostOf(row.classKind, entry->GetRanks(column, row.classKind));
    entry->SetRanks(column, row.classKind, 0.0f);
    if (entry->GetTotalRanks() <= 0.0)
        character->RemoveSkill(entry);
    if (VelCharacterClass* classEntry = character->FindClass(row.classId))
        classEntry->skillPointsSpent = static_cast<std::uint16_t>(
            std::max<std::int32_t>(classEntry->skillPointsSpent - refund, 0));
    FillSkillList();
    UpdateAvailableStates();
    ShowPoints();
    character->changeMask |= VelCharacter::kChangedSkills;
    character->NotifyChanged();
}

void Vel_UISkills::OnRowValueChanged(Vel_UISkillItem& row)
{
    VelCharacter* character = VelClient::GetCurrentCharacter();
    Skill* entry = character ? character->FindSkill(row.skillId, row.subSkillId) : nullptr;
    VelCharacterClass* classEntry = character ? character->FindClass(row.classId) : nullptr;
    const UINumberScroll* scroll = row.GetNumberScroll();
    const UINumberEditControl* field = scroll ? scroll->GetValueField() : nullptr;
    // A value typed halfway may lie outside the range: it waits for the rest.
    if (!entry || !classEntry || !field || !field->IsInRange(field->GetDouble()))
        return;
    const auto column = static_cast<std::int16_t>(row.classId);
    const float old = entry->GetRanks(column, row.classKind);
    const float wanted = WholeSteps(row.classKind, static_cast<float>(field->GetDouble()));
    if (wanted == old)
        return;
    // Charged by the exact difference, a step or a typed value alike.
    const std::int32_t cost = CostOf(row.classKind, wanted) - CostOf(row.classKind, old);
    entry->SetRanks(column, row.classKind, wanted);
    classEntry->skillPointsSpent = static_cast<std::uint16_t>(
        std::max<std::int32_t>(classEntry->skillPointsSpent + cost, 0));
    if (UnderPointer(row))
        ShowBreakdown(row);
    // The character window follows (summary, warnings); this page answers
    // the notification in place, so the row being stepped stays.
    character->changeMask |= VelCharacter::kChangedSkillKinds;
    character->NotifyChanged();
    UpdateAvailableStates();
}

void Vel_UISkills::ShowBreakdown(const Vel_UISkillItem& row)
{
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    float ranks = 0.0f;
    std::int16_t ability = 0;
    std::int16_t misc = 0;
    const float total =
        GetSkillModifier(character, row.skillId, row.subSkillId, &ranks, &ability, &misc);
    if (ranks <= 0.0f)
        return;
    ShowText(totalText, FloatToString(total, true));
    ShowText(ranksText, FloatToString(ranks, true));
    if (abilityText)
        abilityText->SetShort(ability);
    if (miscText)
        miscText->SetShort(misc);
}

void Vel_UISkills::ClearBreakdown()
{
    for (UITextControl* text : {totalText, ranksText, abilityText, miscText})
        ShowText(text, kNoBreakdown);
}

// --- Messages -------------------------------------------------------------

void Vel_UISkills::HandleMessage(std::int16_t messageId, void* data)
{
    if (std::uint32_t value = 0; target.TakeChoice(messageId, data, value))
        AddSkill(pendingSkill, Vel_UIWin_SelectTarget::ChoiceOf(value), pendingKind);
    Vel_UIPanel::HandleMessage(messageId, data);
}

bool Vel_UISkills::HandleNotify(UIEvent& event)
{
    UIControl* sender = event.sender;
    if (!sender)
        return false;
    switch (event.type)
    {
    case UIMessage::kChanged:
    {
        std::int32_t chosen = 0;
        if (Vel_UIFilterSelector::UserChoice(filterSelector, event, chosen))
        {
            filter = chosen;
            FillAvailable();
        }
        break;
    }
    case UIMessage::kChildDraggedOut:
        if (sender == skillList)
            if (auto* row = dynamic_cast<Vel_UISkillItem*>(reinterpret_cast<UIControl*>(event.param1)))
                RemoveRanks(*row);
        break;
    case UIMessage::kDroppedOnto:
        if (sender == skillList)
        {
            auto* row = dynamic_cast<Vel_UISkillItem*>(reinterpret_cast<UIControl*>(event.param1));
            if (row && row->kind == kAvailableRow)
                OnDropped(*row);
        }
        break;
    case UIMessage::kTextChanged:
    case UIMessage::kSteppedUp:
    case UIMessage::kSteppedDown:
        if (!updating && skillList && skillList->ContainsDescendant(sender))
            if (auto* row = dynamic_cast<Vel_UISkillItem*>(sender->GetParent()))
                OnRowValueChanged(*row);
        break;
    default:
        break;
    }
    return Vel_UIPanel::HandleNotify(event);
}

bool Vel_UISkills::OnMouseOverEnter(UIControl* control)
{
    const auto* row = dynamic_cast<const Vel_UISkillItem*>(control);
    if (!row)
        return false;
    const VelSkillInfo* skill = VelDatabase::FindSkill(row->skillId);
    if (row->kind == kSkillRow)
    {
        ShowBreakdown(*row);
        Vel_UIWin_CharConfig::ShowClassInfo(row->classId);
        const VelSubSkillInfo* sub = row->subSkillId != kNoSub
                                         ? VelDatabase::FindSubSkill(row->skillId, row->subSkillId)
                                         : nullptr;
        if (sub)
            Vel_UIWin_CharConfig::ShowHelpText(sub->description);
        else if (skill)
            Vel_UIWin_CharConfig::ShowHelpText(skill->description);
        return true;
    }
    if (row->kind == kAvailableRow && skill)
        Vel_UIWin_CharConfig::ShowHelpText(skill->description);
    return true;
}

bool Vel_UISkills::OnMouseOverLeave(UIControl* control)
{
    const auto* row = dynamic_cast<const Vel_UISkillItem*>(control);
    if (!row)
        return false;
    if (row->kind == kSkillRow)
    {
        ClearBreakdown();
        Vel_UIWin_CharConfig::ShowCurrentClassInfo();
    }
    Vel_UIWin_CharConfig::RestoreHelpText();
    return true;
}
