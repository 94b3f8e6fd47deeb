#include "Vel_ui/Vel_UIFilterSelector.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIComboBox.h"
#include "Ui/UIListBox.h"
#include "Ui/UIMessages.h"
#include "Ui/UITextControl.h"
#include "Vel_ui/Vel_UIItem.h"

namespace Vel_UIFilterSelector
{
namespace
{
void SetEntryText(UIControl& entry, const std::string& text)
{
    if (auto* row = dynamic_cast<Vel_UIItem*>(&entry))
        row->SetColumnText(0, text);
    else if (auto* field = dynamic_cast<UITextControl*>(&entry))
        field->SetText(text);
}
} // namespace

void Fill(UIComboBox* selector, std::uint16_t firstTextId, std::int32_t first, std::int32_t last,
          std::int32_t selected, const EntryStyle& style)
{
    UIListBox* list = selector ? selector->GetList() : nullptr;
    UIControl* prototype = selector ? selector->GetItemTemplate() : nullptr;
    if (!list || !prototype)
    {
        FC_LOG("A filter selector lacks its list or its entry\n");
        return;
    }
    list->RemoveAllItems();
    const FCResourceManager* resources = FCResourceManager::GetInstance();
    for (std::int32_t value = first; value <= last; ++value)
    {
        auto* entry = dynamic_cast<UIControl*>(prototype->Clone());
        if (!entry)
            continue;
        const auto textId = static_cast<std::uint16_t>(firstTextId + (value - first));
        const std::string* text = resources ? resources->GetString(textId) : nullptr;
        if (!text)
            FC_LOG("No text %u for a filter entry\n", static_cast<unsigned>(textId));
        SetEntryText(*entry, text ? *text : std::string());
        if (style)
            style(*entry, value);
        selector->AddItem(entry, static_cast<std::uint32_t>(value), false);
    }
    selector->UpdateList();
    UIListBox::SelectItem(list->FindItemByData(static_cast<std::uint32_t>(selected)), 1);
}

bool UserChoice(UIComboBox* selector, const UIEvent& event, std::int32_t& value)
{
    constexpr std::uintptr_t kProgramChange = 1;
    if (!selector || event.sender != selector || event.type != UIMessage::kChanged ||
        event.param1 == kProgramChange || !selector->GetList() || !event.param2)
        return false;
    auto* entry = reinterpret_cast<UIControl*>(event.param2);
    value = static_cast<std::int32_t>(selector->GetList()->GetItemData(entry));
    return true;
}
} // namespace Vel_UIFilterSelector
