#include "Ui/UIComboBox.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCCountedRef.h"
#include "Fc/Core/FCDebugLog.h"
#include "Ui/UIListBox.h"
#include "Ui/UIMessages.h"

FC_REGISTER_CLASS(UIComboBox);

UIComboBox::UIComboBox()
{
    typeCode = kClassCode;
}

UIComboBox::UIComboBox(const UIComboBox& other) : UIControl(other), itemTemplate(other.itemTemplate)
{
    if (itemTemplate)
        itemTemplate->AddRef();
    BindParts(false);
}

UIComboBox::~UIComboBox()
{
    if (itemTemplate)
        itemTemplate->Release();
}

std::string UIComboBox::GetClassName() const { return "UIComboBox"; }
std::string UIComboBox::GetTypeName() const { return "UIComboBox"; }
FCObject* UIComboBox::Clone() const { return new UIComboBox(*this); }
FCObject* UIComboBox::CreateNew() const { return new UIComboBox(); }

bool UIComboBox::Load(FCFile& file)
{
    if (!UIControl::Load(file))
        return false;
    if (!BindParts(true))
        return false;
    if (UIControl* found = FindChild(kTemplateId))
    {
        // Out of the children, so it is neither drawn nor hit; kept for the
        // screens to clone.
        found->AddRef();
        RemoveChild(found);
        if (itemTemplate)
            itemTemplate->Release();
        itemTemplate = found;
    }
    else
        FC_LOG("Combo box %u has no item template %u\n", id, kTemplateId);
    if (list)
        list->SetSnapToItems(1);
    SetListClosed(1);
    SetMouseTransparent(1);
    return true;
}

bool UIComboBox::BindParts(bool logMissing)
{
    button = FindDescendant(kButtonId);
    display = FindChild(kDisplayId);
    UIControl* found = FindDescendant(kListId);
    list = dynamic_cast<UIListBox*>(found);
    if (found && !list)
    {
        FC_LOG("List %u of combo box %u is a %s, not a list box\n", kListId, id,
               found->GetClassName().c_str());
        return false;
    }
    if (logMissing && (!button || !list))
        FC_LOG("Combo box %u lacks its button %u or its list %u\n", id, kButtonId, kListId);
    return true;
}

bool UIComboBox::HandleNotify(UIEvent& event)
{
    UIControl* sender = event.sender;
    if (!sender)
        return false;
    switch (event.type)
    {
    case UIMessage::kClicked:
        if (sender == button)
            SetListClosed(!IsListClosed());
        break;
    case UIMessage::kChanged:
        // Only a row of its own list is a choice; anything else (a control
        // inside the display, say) would replace what it lives in.
        if (list && list->ContainsDescendant(sender))
        {
            const FCCountedRef<UIControl> self = FCCountedRef<UIControl>::Share(this);
            const FCCountedRef<UIControl> chosen = FCCountedRef<UIControl>::Share(sender);
            SetCurrentItem(sender);
            UIEvent choice(this, UIMessage::kChanged, FCPoint(0, 0), event.param1,
                           reinterpret_cast<std::uintptr_t>(sender));
            SendToParent(choice);
            return UIControl::HandleNotify(event);
        }
        break;
    case UIMessage::kFocusLost:
    {
        const auto* next = reinterpret_cast<const UIControl*>(event.param1);
        if (!ContainsDescendant(next))
            SetListClosed(1);
        break;
    }
    default:
        break;
    }
    return UIControl::HandleNotify(event);
}

void UIComboBox::SetListClosed(std::uint8_t closed)
{
    if (list)
        list->SetVisible(closed ? 0 : 1);
}

std::uint8_t UIComboBox::IsListClosed() const
{
    // The list's own flag: a combo box on a hidden page is still open or shut.
    return !list || list->GetVisibleFlag() != 1;
}

bool UIComboBox::AddItem(UIControl* item, std::uint8_t relayout)
{
    return AddItemWithData(item, 0, relayout);
}

bool UIComboBox::AddItemWithData(UIControl* item, std::uint32_t data, std::uint8_t relayout)
{
    if (!item)
        return false;
    if (!list)
    {
        item->Release();
        return false;
    }
    item->SetChangeMode(kOnRelease);
    return list->AddItemWithData(item, data, relayout);
}

void UIComboBox::SetCurrentItem(UIControl* item)
{
    if (!item)
        return;
    const FCCountedRef<UIControl> held = FCCountedRef<UIControl>::Share(item);
    FCPoint size = item->GetSize();
    FCPoint place(0, 0);
    if (display)
    {
        size = display->GetSize();
        place = display->GetStoredPosition();
        RemoveChild(display);
        display = nullptr;
    }
    auto* copy = dynamic_cast<UIControl*>(item->Clone());
    if (copy)
    {
        copy->SetId(kDisplayId);
        copy->SetSize(size);
        copy->SetPosition(place);
        copy->SetMouseTransparent(1);
        copy->SetMouseOver(0);
        AddChild(copy);
        display = copy;
    }
    SetListClosed(1);
}

void UIComboBox::UpdateList()
{
    if (list)
        list->UpdateLayout();
}
