#include "Vel_ui/Vel_UIListBox.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Ui/UIGroup.h"
#include "Ui/UIMessages.h"
#include "Vel_ui/Vel_UIItem.h"

FC_REGISTER_CLASS(Vel_UIListBox);

Vel_UIListBox::Vel_UIListBox()
{
    typeCode = kClassCode;
}

Vel_UIListBox::Vel_UIListBox(const Vel_UIListBox& other) : UIListBox(other) {}

Vel_UIListBox::~Vel_UIListBox() = default;

std::string Vel_UIListBox::GetClassName() const { return "Vel_UIListBox"; }
std::string Vel_UIListBox::GetTypeName() const { return "Vel_UIListBox"; }
FCObject* Vel_UIListBox::Clone() const { return new Vel_UIListBox(*this); }
FCObject* Vel_UIListBox::CreateNew() const { return new Vel_UIListBox(); }

bool Vel_UIListBox::Load(FCFile& file)
{
    if (!UIListBox::Load(file))
        return false;
    SetSnapToItems(1);
    return true;
}

std::uint16_t Vel_UIListBox::QueryAcceptDrop(UIControl* dragged)
{
    if (acceptDropCallback)
        return acceptDropCallback(this, dragged);
    if (dynamic_cast<Vel_UIItem*>(dragged))
    {
        const UIControl* source = dragged->GetDragContainer();
        if (source && source != this && !ContainsDescendant(source))
            return kAccept;
    }
    return UIControl::QueryAcceptDrop(dragged);
}

bool Vel_UIListBox::AddItem(UIControl* item, std::uint8_t relayout)
{
    return AddRow(item, 0, relayout != 0);
}

bool Vel_UIListBox::AddRow(UIControl* row, std::uint32_t data, bool relayout)
{
    if (!row)
        return false;
    if (GetItemCount() == 0)
        SetItemSize(row->GetSize());
    if (dragFlags & kDragContainer)
        row->SetDragFlags(static_cast<std::uint16_t>(row->GetDragFlags() | kDraggable));
    return AddItemWithData(row, data, relayout ? 1 : 0);
}

void Vel_UIListBox::SetAllRowsFontVariant(std::int16_t variant)
{
    EachRow<Vel_UIItem>([variant](Vel_UIItem& row) { row.SetFontVariant(variant); });
}

bool Vel_UIListBox::HandleNotify(UIEvent& event)
{
    if (event.sender &&
        (event.type == UIMessage::kDragCancelled || event.type == UIMessage::kDragAccepted) &&
        draggedChild && draggedChild->GetParent() != GetItemGroup())
    {
        ReleaseDraggedChild();
        return true;
    }
    return UIListBox::HandleNotify(event);
}
