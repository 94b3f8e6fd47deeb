#include "Vel_ui/Vel_UISchool.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Ui/UIComboBox.h"
#include "Ui/UIListBox.h"
#include "Ui/UIMessages.h"
#include "Ui/UITextControl.h"
#include "Vel/App/VelClient.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelSchoolInfo.h"
#include "Vel/Rules/VelRulesWalk.h"
#include "Vel/Rules/VelSpellRules.h"
#include "Vel_ui/Vel_UIItem.h"
#include "Vel_ui/Vel_UIFilterSelector.h"
#include "Vel_ui/Vel_UIItemTray.h"
#include "Vel_ui/Vel_UIListBox.h"
#include "Vel_ui/Vel_UIListRefill.h"
#include "Vel_ui/Vel_UIPagePart.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"

FC_REGISTER_CLASS(Vel_UISchool);

namespace
{
namespace Part = Vel_UIPagePart;

constexpr std::int16_t kMostProhibited = 3;

template <class Fn> void EachSchool(Fn&& fn)
{
    if (const FCObjectMap* table = VelDatabase::GetMap(VelDatabase::kTagSchool))
        VelRulesWalk::Each<VelSchoolInfo>(*table, [&](const VelSchoolInfo& school) {
            fn(school);
            return false;
        });
}

const VelSchoolInfo* SchoolOfRow(const UIControl* control)
{
    return static_cast<const VelSchoolInfo*>(Part::RecordOfRow(control, VelDatabase::kTagSchool));
}

std::int16_t Ranking(const VelSchoolInfo* school)
{
    return school ? school->prohibitionWeight : 0;
}

// A school already chosen for one slot is refused by every other tray.
bool IsInAnySlot(const VelCharacter& character, const VelSchoolInfo& school)
{
    return Part::SchoolInSlot(character, VelCharacter::kSpecialtySlot) == &school ||
           Part::IsProhibited(character, school.key);
}

std::uint16_t AcceptRow(UIControl* dragged, std::uint16_t kind)
{
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    const VelSchoolInfo* school = Part::IsRowOfKind(dragged, kind) ? SchoolOfRow(dragged) : nullptr;
    return character && school && !IsInAnySlot(*character, *school) ? UIControl::kAccept
                                                                      : UIControl::kRefuse;
}

std::uint16_t AcceptSpecialty(UIControl*, UIControl* dragged)
{
    return AcceptRow(dragged, Vel_UISchool::kSpecialtyKind);
}

std::uint16_t AcceptProhibited(UIControl*, UIControl* dragged)
{
    return AcceptRow(dragged, Vel_UISchool::kProhibitedKind);
}

std::int16_t CountFilledProhibited(const VelCharacter& character)
{
    std::int16_t filled = 0;
    for (std::int16_t i = 0; i < kMostProhibited; ++i)
        if (Part::SchoolInSlot(character, static_cast<std::int16_t>(VelCharacter::kFirstProhibitedSlot + i)))
            ++filled;
    return filled;
}
} // namespace

Vel_UISchool::Vel_UISchool() = default;

Vel_UISchool::Vel_UISchool(const Vel_UISchool& other) : Vel_UIPanel(other), rowPrototype(other.rowPrototype)
{
    BindChildren(false);
}

Vel_UISchool::~Vel_UISchool() = default;

std::string Vel_UISchool::GetClassName() const { return "Vel_UISchool"; }
std::string Vel_UISchool::GetTypeName() const { return "Vel_UISchool"; }
FCObject* Vel_UISchool::Clone() const { return new Vel_UISchool(*this); }
FCObject* Vel_UISchool::CreateNew() const { return new Vel_UISchool(); }

bool Vel_UISchool::Load(FCFile& file)
{
    if (!Vel_UIPanel::Load(file))
        return false;
    BindChildren(true);
    if (specialtyTray)
    {
        specialtyTray->SetAcceptsDrops(true);
        specialtyTray->SetAcceptDropCallback(AcceptSpecialty);
    }
    for (Vel_UIItemTray* tray : prohibitedTrays)
        if (tray)
        {
            tray->SetAcceptsDrops(true);
            tray->SetAcceptDropCallback(AcceptProhibited);
        }
    for (Vel_UIListBox* list : {specialtyList, prohibitedList})
        if (list)
            list->SetDragFlags(static_cast<std::uint16_t>(list->GetDragFlags() | kDragContainer));
    return true;
}

void Vel_UISchool::BindChildren(bool log)
{
    specialtyTray = FindChildAs<Vel_UIItemTray>(kSpecialtyTray, log);
    countCombo = FindChildAs<UIComboBox>(kCountCombo, log);
    for (std::size_t i = 0; i < prohibitedTrays.size(); ++i)
        prohibitedTrays[i] =
            FindChildAs<Vel_UIItemTray>(static_cast<std::uint16_t>(kFirstProhibitedTray + i), log);
    specialtyList = FindChildAs<Vel_UIListBox>(kSpecialtyList, log);
    prohibitedList = FindChildAs<Vel_UIListBox>(kProhibitedList, log);
    for (Vel_UIItemTray* tray : {specialtyTray, prohibitedTrays[0], prohibitedTrays[1], prohibitedTrays[2]})
        if (log && tray && !dynamic_cast<Vel_UIItem*>(tray->GetHolder()))
            FC_LOG("Tray %u of page %u holds no school row\n", static_cast<unsigned>(tray->GetId()),
                   static_cast<unsigned>(id));
}

std::int16_t Vel_UISchool::ProhibitedCount(const VelCharacter& character)
{
    const auto stored = static_cast<std::int16_t>(character.schoolSlots[VelCharacter::kSchoolChoiceSlot]);
    return stored >= 1 && stored <= kMostProhibited ? stored : 1;
}

bool Vel_UISchool::IsCountOpen(const VelCharacter& character, std::int16_t count)
{
    const VelSchoolInfo* specialty = Part::SchoolInSlot(character, VelCharacter::kSpecialtySlot);
    if (!specialty)
        return true;
    const std::int16_t most = character.GetProhibitedSchoolsMax();
    switch (specialty->prohibitionWeight)
    {
    case 1:
        return count == 1;
    case 2:
        if (most == 1)
            return count == 2;
        if (most == 2)
            return count == 1;
        return most != 0 || count != 3;
    case 3:
        return !(most == 2 && count == 1) && !(most == 3 && count == 2);
    default:
        return true;
    }
}

bool Vel_UISchool::IsSpecialtyOpen(const VelCharacter& character, const VelSchoolInfo& school)
{
    const std::int16_t count = ProhibitedCount(character);
    const std::int16_t ranking = school.prohibitionWeight;
    if (school.key <= VelIds::kSchoolUniversal || Part::SchoolInSlot(character, VelCharacter::kSpecialtySlot) ||
        Part::IsProhibited(character, school.key) || count > ranking)
        return false;
    // Every school given up limits the specialty, whichever tray holds it:
    // emptying the first tray does not lift the limit of the others.
    for (std::int16_t i = 0; i < kMostProhibited; ++i)
    {
        const std::int16_t given = Ranking(
            Part::SchoolInSlot(character, static_cast<std::int16_t>(VelCharacter::kFirstProhibitedSlot + i)));
        if (given <= 0 || given > 2)
            continue;
        if (count == 1 && ranking > given)
            return false;
        if (count == 2 && ranking != given + 1)
            return false;
    }
    return true;
}

bool Vel_UISchool::IsProhibitionOpen(const VelCharacter& character, const VelSchoolInfo& school)
{
    const std::int16_t count = ProhibitedCount(character);
    const VelSchoolInfo* specialty = Part::SchoolInSlot(character, VelCharacter::kSpecialtySlot);
    const std::int16_t ranking = school.prohibitionWeight;
    if (school.key <= VelIds::kSchoolUniversal || CountFilledProhibited(character) >= count ||
        specialty == &school || Part::IsProhibited(character, school.key) ||
        character.HasFeat(VelIds::kFeatSchoolFocus, static_cast<std::uint16_t>(school.key), -1))
        return false;
    if (count == 1 && specialty)
        return ranking >= specialty->prohibitionWeight;
    if (count == 2)
        return specialty ? ranking == specialty->prohibitionWeight - 1 : ranking < 3;
    return true;
}

void Vel_UISchool::EnterPage()
{
    // The window's shared button has no use on this page.
    Vel_UIWin_CharConfig::ShowButton(false);
    Vel_UIWin_CharConfig::SetHelpId(kScreenId);
    ShowAll();
}

void Vel_UISchool::ShowAll()
{
    FillCountCombo();
    FillLists();
    ShowTrays();
}

void Vel_UISchool::FillCountCombo()
{
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!character)
        return;
    // The stored count stays chosen even where the specialty no longer allows it.
    Vel_UIFilterSelector::Fill(countCombo, kCountTextBase + 1, 1, kMostProhibited, ProhibitedCount(*character),
                               [&](UIControl& entry, std::int32_t count) {
                                   if (IsCountOpen(*character, static_cast<std::int16_t>(count)))
                                       return;
                                   entry.SetEnabled(0);
                                   Part::SetEntryVariant(&entry, 1);
                               });
}

void Vel_UISchool::FillLists()
{
    FillList(specialtyList, kSpecialtyKind);
    FillList(prohibitedList, kProhibitedKind);
}

void Vel_UISchool::FillList(Vel_UIListBox* list, std::uint16_t kind)
{
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!list || !character)
        return;
    const Vel_UIListRefill quiet(list);
    list->RemoveAllItems();
    if (!rowPrototype)
        rowPrototype = FCCountedRef<Vel_UIItem>::Adopt(Vel_UIItem::CreateFromLayout(kRowLayout));
    EachSchool([&](const VelSchoolInfo& school) {
        Vel_UIItem* row = Part::CloneRow(rowPrototype.Get(), school.name);
        if (!row)
            return;
        row->SetInputFlags(static_cast<std::uint16_t>(row->GetInputFlags() | kReportEnterLeave));
        row->key = reinterpret_cast<std::intptr_t>(&school);
        row->kind = kind;
        list->AddRow(row, 0, false);
        row->SetTakeable(kind == kSpecialtyKind ? IsSpecialtyOpen(*character, school)
                                                : IsProhibitionOpen(*character, school));
    });
    list->UpdateLayout();
}

void Vel_UISchool::ShowTrays()
{
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!character)
        return;
    ShowTrayRow(specialtyTray, Part::SchoolInSlot(*character, VelCharacter::kSpecialtySlot), kSpecialtyKind, false);
    const std::int16_t count = ProhibitedCount(*character);
    for (std::int16_t i = 0; i < kMostProhibited; ++i)
        ShowTrayRow(prohibitedTrays[static_cast<std::size_t>(i)],
                    Part::SchoolInSlot(*character, static_cast<std::int16_t>(VelCharacter::kFirstProhibitedSlot + i)),
                    kProhibitedKind, i >= count);
}

void Vel_UISchool::ShowTrayRow(Vel_UIItemTray* tray, const VelSchoolInfo* school, std::uint16_t kind,
                               bool hideEmpty)
{
    if (!tray)
        return;
    Part::Show(tray, true);
    auto* row = dynamic_cast<Vel_UIItem*>(tray->GetHolder());
    tray->SetAcceptsDrops(!school);
    tray->SetMovesRows(school != nullptr);
    if (row)
    {
        Part::SetRowText(row, school ? school->name : std::string());
        row->key = school ? reinterpret_cast<std::intptr_t>(school) : -1;
        row->kind = kind;
        row->SetInputFlags(static_cast<std::uint16_t>(row->GetInputFlags() | kReportEnterLeave));
        row->SetDraggable(school != nullptr);
        Part::Show(row, school != nullptr);
    }
    if (!school && hideEmpty)
        Part::Show(tray, false);
}

void Vel_UISchool::SetSlot(std::int16_t slot, std::uint16_t value)
{
    VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!character)
        return;
    character->SetSchool(slot, value);
    UpdateLevelZeroSpells(character);
    {
        // The user's own choice: both lists stay where they were.
        const Vel_UIListKeepPlace keepSpecialties(specialtyList);
        const Vel_UIListKeepPlace keepProhibited(prohibitedList);
        ShowAll();
    }
    character->changeMask |= VelCharacter::kChangedSpells;
    character->NotifyChanged();
}

std::int16_t Vel_UISchool::ProhibitedTrayIndex(const UIControl* control) const
{
    for (std::size_t i = 0; i < prohibitedTrays.size(); ++i)
        if (control && prohibitedTrays[i] == control)
            return static_cast<std::int16_t>(i);
    return -1;
}

void Vel_UISchool::OnDrop(UIControl* tray, UIControl* dragged)
{
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    const VelSchoolInfo* school = SchoolOfRow(dragged);
    if (!character || !school)
        return;
    const auto key = static_cast<std::uint16_t>(school->key);
    if (tray == specialtyTray)
    {
        if (Part::IsRowOfKind(dragged, kSpecialtyKind) && IsSpecialtyOpen(*character, *school))
            SetSlot(VelCharacter::kSpecialtySlot, key);
        return;
    }
    const std::int16_t index = ProhibitedTrayIndex(tray);
    if (index >= 0 && Part::IsRowOfKind(dragged, kProhibitedKind) && IsProhibitionOpen(*character, *school))
        SetSlot(static_cast<std::int16_t>(VelCharacter::kFirstProhibitedSlot + index), key);
}

bool Vel_UISchool::HandleNotify(UIEvent& event)
{
    if (!event.sender)
        return false;
    VelCharacter* character = VelClient::GetCurrentCharacter();
    switch (event.type)
    {
    case UIMessage::kChanged:
        if (std::int32_t count = 0; character && Vel_UIFilterSelector::UserChoice(countCombo, event, count) &&
                                    count >= 1 && count <= kMostProhibited &&
                                    character->schoolSlots[VelCharacter::kSchoolChoiceSlot] != count)
            SetSlot(VelCharacter::kSchoolChoiceSlot, static_cast<std::uint16_t>(count));
        break;
    case UIMessage::kDroppedOnto:
        OnDrop(event.sender, reinterpret_cast<UIControl*>(event.param1));
        break;
    case UIMessage::kChildDraggedOut:
        if (event.sender == specialtyTray && specialtyTray)
            SetSlot(VelCharacter::kSpecialtySlot, VelCharacter::kNone);
        else if (const std::int16_t index = ProhibitedTrayIndex(event.sender); index >= 0)
            SetSlot(static_cast<std::int16_t>(VelCharacter::kFirstProhibitedSlot + index), VelCharacter::kNone);
        break;
    default:
        break;
    }
    return Vel_UIPanel::HandleNotify(event);
}

bool Vel_UISchool::OnMouseOverEnter(UIControl* control)
{
    if (!Part::IsRowOfKind(control, kSpecialtyKind) && !Part::IsRowOfKind(control, kProhibitedKind))
        return false;
    if (const VelSchoolInfo* school = SchoolOfRow(control))
    {
        Part::ShowIcon(school->iconFile);
        Vel_UIWin_CharConfig::ShowHelpText(school->description);
    }
    return false;
}

bool Vel_UISchool::OnMouseOverLeave(UIControl* control)
{
    if (Part::IsRowOfKind(control, kSpecialtyKind) || Part::IsRowOfKind(control, kProhibitedKind))
    {
        Vel_UIWin_CharConfig::ShowCurrentClassInfo();
        Vel_UIWin_CharConfig::RestoreHelpText();
    }
    return false;
}
