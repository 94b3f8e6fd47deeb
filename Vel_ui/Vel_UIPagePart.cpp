#include "Vel_ui/Vel_UIPagePart.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIComboBox.h"
#include "Ui/UIGroup.h"
#include "Ui/UIListBox.h"
#include "Ui/UITextControl.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelSchoolInfo.h"
#include "Vel/Rules/VelFormatRules.h"
#include "Vel/Rules/VelRulesWalk.h"
#include "Vel_ui/Vel_UIItem.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"

#include <set>

namespace Vel_UIPagePart
{
namespace
{
// A combo box's entries and display are rows or plain text fields.
void SetEntryText(UIControl* entry, const std::string& text)
{
    if (auto* row = dynamic_cast<Vel_UIItem*>(entry))
        row->SetColumnText(0, text);
    else if (auto* field = dynamic_cast<UITextControl*>(entry))
        field->SetText(text);
}
} // namespace

void Show(UIControl* control, bool show)
{
    if (!control || (control->GetVisibleFlag() == 1) == show)
        return;
    control->Invalidate();
    control->SetVisible(show ? 1 : 0);
    control->Invalidate();
}

void SetText(UITextControl* text, const std::string& value)
{
    if (text && text->GetText() != value)
        text->SetText(value);
}

void SetTextId(UITextControl* text, std::uint16_t stringId)
{
    if (text)
        text->SetTextId(stringId);
}

std::string TextOf(std::uint16_t stringId)
{
    const FCResourceManager* resources = FCResourceManager::GetInstance();
    const std::string* text = resources ? resources->GetString(stringId) : nullptr;
    return text ? *text : std::string();
}

void ShowIcon(const std::string& iconName)
{
    FCImageBuffer* icon = LoadIcon(iconName);
    if (!icon && !iconName.empty())
    {
        static std::set<std::string> missing;
        if (missing.insert(iconName).second)
            FC_LOG("Icon %.100s is missing\n", iconName.c_str());
    }
    Vel_UIWin_CharConfig::ShowImage(icon);
}

void ClearCombo(UIComboBox* combo)
{
    if (combo && combo->GetList())
        combo->GetList()->RemoveAllItems();
}

UIControl* AddEntry(UIComboBox* combo, const std::string& text, std::uint32_t data)
{
    UIControl* prototype = combo ? combo->GetItemTemplate() : nullptr;
    if (!prototype)
        return nullptr;
    auto* entry = static_cast<UIControl*>(prototype->Clone());
    SetEntryText(entry, text);
    combo->AddItem(entry, data, false);
    return entry;
}

void SetEntryVariant(UIControl* entry, std::int16_t variant)
{
    if (auto* row = dynamic_cast<Vel_UIItem*>(entry))
        row->SetFontVariant(variant);
    else if (auto* field = dynamic_cast<UITextControl*>(entry))
        field->SetFontVariant(static_cast<std::uint16_t>(variant));
}

void SelectByData(UIComboBox* combo, std::uint32_t data)
{
    UIListBox* list = combo ? combo->GetList() : nullptr;
    if (!list)
        return;
    combo->UpdateList();
    if (UIControl* entry = list->FindItemByData(data))
    {
        UIListBox::SelectItem(entry, 1);
        return;
    }
    SetEntryText(combo->GetDisplay(), std::string());
}

void SetRowText(Vel_UIItem* row, const std::string& text)
{
    if (row)
        row->SetColumnText(0, text);
}

const VelInfo* RecordOfRow(const UIControl* control, std::uint16_t tag)
{
    const auto* row = dynamic_cast<const Vel_UIItem*>(control);
    const FCObjectMap* table = VelDatabase::GetMap(tag);
    const VelInfo* found = nullptr;
    if (row && row->key != -1 && table)
        VelRulesWalk::Each<VelInfo>(*table, [&](const VelInfo& record) {
            if (reinterpret_cast<std::intptr_t>(&record) == row->key)
                found = &record;
            return found != nullptr;
        });
    return found;
}

bool IsRowOfKind(const UIControl* control, std::uint16_t kind)
{
    const auto* row = dynamic_cast<const Vel_UIItem*>(control);
    return row && row->kind == kind;
}

const VelSchoolInfo* SchoolInSlot(const VelCharacter& character, std::int16_t slot)
{
    if (slot < 0 || static_cast<std::size_t>(slot) >= character.schoolSlots.size())
        return nullptr;
    const auto key = static_cast<std::int16_t>(character.schoolSlots[static_cast<std::size_t>(slot)]);
    return key > 0 ? VelDatabase::FindSchool(static_cast<std::uint16_t>(key)) : nullptr;
}

bool IsProhibited(const VelCharacter& character, std::int16_t schoolId)
{
    for (std::int16_t slot = VelCharacter::kFirstProhibitedSlot;
         slot < static_cast<std::int16_t>(VelCharacter::kSchoolSlotCount); ++slot)
    {
        const VelSchoolInfo* school = SchoolInSlot(character, slot);
        if (school && school->key == schoolId)
            return true;
    }
    return false;
}

void SelectMember(UIControl* group, std::uint16_t memberId)
{
    if (auto* members = dynamic_cast<UIGroup*>(group))
        members->SelectById(1, memberId, 1);
}
} // namespace Vel_UIPagePart
