#include "Vel_ui/Vel_UIItem.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Ui/UIDisplayObject.h"
#include "Ui/UIImageControl.h"
#include "Ui/UIMessages.h"
#include "Ui/UINumberEditControl.h"
#include "Ui/UINumberScroll.h"
#include "Ui/UITextControl.h"

FC_REGISTER_CLASS(Vel_UIItem);

namespace
{
UIControl* FindCell(const UIControl& row, std::uint16_t cellId)
{
    if (UIControl* cell = row.FindChild(cellId))
        return cell;
    return row.FindDescendant(cellId);
}
} // namespace

Vel_UIItem::Vel_UIItem()
{
    typeCode = kClassCode;
}

Vel_UIItem::Vel_UIItem(const Vel_UIItem& other)
    : UIControl(other), category(other.category), kind(other.kind), key(other.key),
      fontVariant(other.fontVariant)
{
}

Vel_UIItem::~Vel_UIItem() = default;

std::string Vel_UIItem::GetClassName() const { return "Vel_UIItem"; }
std::string Vel_UIItem::GetTypeName() const { return "Vel_UIItem"; }
FCObject* Vel_UIItem::Clone() const { return new Vel_UIItem(*this); }
FCObject* Vel_UIItem::CreateNew() const { return new Vel_UIItem(); }

bool Vel_UIItem::Load(FCFile& file)
{
    if (!UIControl::Load(file))
        return false;
    if (UIControl* cell = FindCell(*this, kFirstTextCell))
        cell->SetMouseTransparent(1);
    return true;
}

std::uint16_t Vel_UIItem::QueryAcceptDrop(UIControl*)
{
    return kAccept;
}

std::uint16_t Vel_UIItem::QueryDropOnto(UIControl*)
{
    return kDropYes;
}

bool Vel_UIItem::HandleNotify(UIEvent& event)
{
    if (!event.sender)
        return false;
    if ((inputFlags & kForwardEnterLeave) && event.sender != this &&
        (event.type == UIMessage::kMouseEntered || event.type == UIMessage::kMouseLeft) &&
        ContainsDescendant(event.sender))
    {
        UIEvent own(this, event.type);
        SendToParent(own);
        return true;
    }
    return UIControl::HandleNotify(event);
}

Vel_UIItem* Vel_UIItem::CreateFromLayout(const std::string& layoutName)
{
    FCObject* object = FCClassRegistry::LoadObjectFromFile(layoutName);
    if (!object)
    {
        FC_LOG("Row layout %s not found\n", layoutName.c_str());
        return nullptr;
    }
    auto* row = dynamic_cast<Vel_UIItem*>(object);
    if (!row)
    {
        FC_LOG("Row layout %s holds a %s, not a row\n", layoutName.c_str(),
               object->GetClassName().c_str());
        object->Release();
    }
    return row;
}

void Vel_UIItem::ReleaseWrongRow(Vel_UIItem* row, const std::string& layoutName)
{
    FC_LOG("Row layout %s holds a %s, not the row its page needs\n", layoutName.c_str(),
           row->GetClassName().c_str());
    row->Release();
}

void Vel_UIItem::SetFontVariant(std::int16_t variant)
{
    if (variant == fontVariant)
        return;
    fontVariant = variant;
    if (variant < 0 || variant > 2)
        return;
    if (auto* cell = dynamic_cast<UITextControl*>(FindCell(*this, kFirstTextCell)))
        cell->SetFontVariant(static_cast<std::uint16_t>(variant));
}

UIControl* Vel_UIItem::GetColumnControl(std::int16_t column) const
{
    if (column < 0 || column > 8)
        return nullptr;
    return FindCell(*this, static_cast<std::uint16_t>(kFirstTextCell + column));
}

void Vel_UIItem::SetColumnText(std::int16_t column, const std::string& text)
{
    if (auto* cell = dynamic_cast<UITextControl*>(GetColumnControl(column)))
        cell->SetText(text);
    else
        FC_LOG("Row %u has no text column %d\n", id, column);
}

std::string Vel_UIItem::GetColumnText(std::int16_t column) const
{
    if (auto* cell = dynamic_cast<UITextControl*>(GetColumnControl(column)))
        return cell->GetText();
    FC_LOG("Row %u has no text column %d\n", id, column);
    return std::string();
}

void Vel_UIItem::SetColumnFont(std::int16_t column, std::uint16_t fontId)
{
    if (auto* cell = dynamic_cast<UITextControl*>(GetColumnControl(column)))
        cell->SetFont(fontId);
    else
        FC_LOG("Row %u has no text column %d\n", id, column);
}

namespace
{
UIImageControl* ImageCell(const Vel_UIItem& row, std::int16_t column)
{
    if (column < 0 || column > 9)
        return nullptr;
    auto* cell = dynamic_cast<UIImageControl*>(
        FindCell(row, static_cast<std::uint16_t>(Vel_UIItem::kFirstImageCell + column)));
    if (!cell)
        FC_LOG("Row %u has no image column %d\n", row.GetId(), column);
    return cell;
}
} // namespace

void Vel_UIItem::SetColumnImage(std::int16_t column, std::uint16_t imageSetId, std::uint16_t frame)
{
    if (UIImageControl* cell = ImageCell(*this, column))
    {
        cell->SetMouseTransparent(1);
        cell->SetImageById(imageSetId, frame);
    }
}

void Vel_UIItem::SetColumnImageBuffer(std::int16_t column, FCImageBuffer* image)
{
    if (UIImageControl* cell = ImageCell(*this, column))
    {
        cell->SetMouseTransparent(1);
        cell->SetImageBuffer(image);
    }
}

UINumberScroll* Vel_UIItem::GetNumberScroll() const
{
    return dynamic_cast<UINumberScroll*>(FindCell(*this, kScrollId));
}

double Vel_UIItem::GetScrollValue() const
{
    const UINumberScroll* scroll = GetNumberScroll();
    if (!scroll || !scroll->GetValueField())
    {
        FC_LOG("Row %u has no number scroller\n", id);
        return 0.0;
    }
    return scroll->GetValueField()->GetDouble();
}

void Vel_UIItem::SetScrollValue(double value)
{
    const UINumberScroll* scroll = GetNumberScroll();
    if (!scroll || !scroll->GetValueField())
    {
        FC_LOG("Row %u has no number scroller\n", id);
        return;
    }
    scroll->GetValueField()->SetDouble(value);
}

void Vel_UIItem::SetScrollRange(double minimum, double maximum)
{
    if (UINumberScroll* scroll = GetNumberScroll())
        scroll->SetRange(minimum, maximum);
    else
        FC_LOG("Row %u has no number scroller\n", id);
}

void Vel_UIItem::SetScrollStep(double step)
{
    const UINumberScroll* scroll = GetNumberScroll();
    if (scroll && scroll->GetValueField())
        scroll->GetValueField()->SetStep(step);
    else
        FC_LOG("Row %u has no number scroller\n", id);
}

void Vel_UIItem::SetDraggable(bool draggable)
{
    dragFlags = draggable ? static_cast<std::uint16_t>(dragFlags | kDraggable)
                          : static_cast<std::uint16_t>(dragFlags & ~kDraggable);
}

void Vel_UIItem::SetTakeable(bool takeable)
{
    SetFontVariant(takeable ? 0 : 1);
    SetDraggable(takeable);
}

void Vel_UIItem::ShowRemoveMark(bool show)
{
    if (UIDisplayObject* mark = FindDisplayObject(kRemoveMarkId))
        mark->SetVisible(show ? 1 : 0);
}

bool Vel_UIItem::CompareByName(UIControl* a, UIControl* b)
{
    const auto* first = dynamic_cast<const Vel_UIItem*>(a);
    const auto* second = dynamic_cast<const Vel_UIItem*>(b);
    if (!first || !second)
        return false;
    // char_traits<char> compares as unsigned char, so "Z" < "a" < "\xe9".
    return first->GetColumnText(0) < second->GetColumnText(0);
}

bool Vel_UIItem::CompareByKey(UIControl* a, UIControl* b)
{
    const auto* first = dynamic_cast<const Vel_UIItem*>(a);
    const auto* second = dynamic_cast<const Vel_UIItem*>(b);
    return first && second && first->key < second->key;
}
