#include "Ui/UIListBox.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Ui/UIGroup.h"
#include "Ui/UIGroupScrollFrame.h"
#include "Ui/UILayoutCodec.h"
#include "Ui/UISlider.h"

#include <algorithm>
#include <limits>
#include <typeinfo>

FC_REGISTER_CLASS(UIListBox);

namespace
{
constexpr std::uint32_t kNotFound = 0xFFFFFFFF;
constexpr std::uint32_t kHighestZOrder = 0xFFFF;

std::int32_t Saturate(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// Creates each item of the section and checks that it is a control.
class ItemLoader : public UILayoutCodec::ItemSink
{
public:
    explicit ItemLoader(UIListBox& target) : list(target) {}

    bool OnItem(const std::string& className, FCFile& file) override
    {
        FCObject* object = FCClassRegistry::LoadObject(className, file);
        if (!object)
            return false;
        UIControl* item = AsControl(object);
        if (!item)
        {
            FC_LOG("List item %s is not a control\n", className.c_str());
            object->Release();
            return false;
        }
        // Laid out once at the end: the same places as one layout per item.
        if (!list.AddItem(item, 0))
        {
            FC_LOG("List box %u has no item frame for its items\n", list.GetId());
            return false;
        }
        return true;
    }

private:
    // The rows of a list are mostly of one class: once an object of a class
    // has proved to be a control, the next ones of that class need no walk
    // of the class hierarchy.
    UIControl* AsControl(FCObject* object)
    {
        if (controlType && typeid(*object) == *controlType)
            return static_cast<UIControl*>(object);
        auto* control = dynamic_cast<UIControl*>(object);
        if (control)
            controlType = &typeid(*object);
        return control;
    }

    UIListBox& list;
    const std::type_info* controlType = nullptr;
};
} // namespace

UIListBox::UIListBox()
{
    typeCode = kClassCode;
}

UIListBox::UIListBox(const UIListBox& other)
    : UIScrollControl(other), itemWidth(other.itemWidth), itemHeight(other.itemHeight)
{
    UpdateLayout();
}

UIListBox::~UIListBox()
{
    ClearItemData();
}

std::string UIListBox::GetClassName() const { return "UIListBox"; }
std::string UIListBox::GetTypeName() const { return "UIListBox"; }
FCObject* UIListBox::Clone() const { return new UIListBox(*this); }
FCObject* UIListBox::CreateNew() const { return new UIListBox(); }

bool UIListBox::Load(FCFile& file)
{
    if (!UIScrollControl::Load(file))
        return false;
    itemSizeFixed = 0;
    itemWidth = 0;
    itemHeight = 0;
    ItemLoader loader(*this);
    if (!UILayoutCodec::ReadItems(file, loader))
    {
        FC_LOG("Could not read the items of list box %u\n", id);
        return false;
    }
    UpdateLayout();
    return true;
}

void UIListBox::RemoveDraggedChild()
{
    if (draggedChild)
        RemoveItem(draggedChild, true);
}

void UIListBox::SetSnapToItems(std::uint8_t snap)
{
    const bool changed = snap != snapToItems;
    UIScrollControl::SetSnapToItems(snap);
    if (changed)
        UpdateLayout();
}

void UIListBox::SnapScrollPosition()
{
    const std::int64_t extent = GetItemExtent();
    UISlider* bar = GetScrollBar();
    if (!snapToItems || extent == 0 || !bar)
        return;
    // To the nearest whole item; an exact half rounds down.
    const std::int64_t scrolled = bar->GetValue();
    std::int64_t snapped = scrolled / extent * extent;
    if (scrolled - snapped > (extent >> 1))
        snapped += extent;
    if (snapped != scrolled && frame)
        frame->SetScrollValue(Saturate(snapped));
}

bool UIListBox::AddItem(UIControl* item, std::uint8_t relayout)
{
    return AddItemWithData(item, 0, relayout);
}

bool UIListBox::AddItemWithData(UIControl* item, std::uint32_t data, std::uint8_t relayout)
{
    if (!item)
        return false;
    UIGroupScrollFrame* itemFrame = GetItemFrame();
    UIGroup* group = itemFrame ? itemFrame->GetContent() : nullptr;
    if (!itemFrame || !group)
    {
        item->Release();
        return false;
    }
    // After every existing item, also after removals and sorting have left
    // z-orders above the count; equal z-orders at the ceiling keep the order
    // of insertion.
    const std::uint32_t count = group->GetChildCount();
    std::uint32_t zOrder = count;
    if (count > 0)
        zOrder = std::max(zOrder, std::uint32_t{group->GetChildAt(count - 1)->GetZOrder()} + 1);
    item->SetZOrder(static_cast<std::uint16_t>(std::min(zOrder, kHighestZOrder)));
    if (count == 0 && !itemSizeFixed)
    {
        const FCPoint size = item->GetSize();
        itemWidth = size.x;
        itemHeight = size.y;
    }
    SetItemData(item, data);
    const bool result = itemFrame->AddItem(item, false);
    if (relayout)
        UpdateLayout();
    return result;
}

bool UIListBox::RemoveItem(UIControl* item, bool relayout)
{
    UIGroupScrollFrame* itemFrame = GetItemFrame();
    if (!itemFrame)
        return false;
    // The map's reference keeps the item alive until its entry goes.
    const bool removed = itemFrame->RemoveItem(item, relayout);
    if (removed)
        DropItemData(item);
    if (relayout)
        UpdateLayout();
    return removed;
}

bool UIListBox::RemoveAllItems()
{
    UIGroupScrollFrame* itemFrame = GetItemFrame();
    if (!itemFrame)
        return false;
    ClearItemData();
    const bool removed = itemFrame->RemoveAllItems();
    UpdateLayout();
    return removed;
}

std::uint32_t UIListBox::GetItemCount() const
{
    const UIGroup* group = GetItemGroup();
    return group ? group->GetChildCount() : 0;
}

UIControl* UIListBox::ItemAt(std::int32_t index, std::uint8_t visibleOnly) const
{
    const UIGroup* group = GetItemGroup();
    if (!group || index < 0)
        return nullptr;
    std::int64_t counted = 0;
    for (std::uint32_t i = 0; i < group->GetChildCount(); ++i)
    {
        UIControl* item = group->GetChildAt(i);
        if (visibleOnly && item->GetVisibleFlag() != 1)
            continue;
        if (counted++ == index)
            return item;
    }
    return nullptr;
}

UIControl* UIListBox::SelectItemAt(std::int32_t index, std::uint8_t visibleOnly,
                                   std::uintptr_t param)
{
    UIControl* item = ItemAt(index, visibleOnly);
    SelectItem(item, param);
    return item;
}

void UIListBox::SelectItem(UIControl* item, std::uintptr_t param)
{
    if (!item)
        return;
    if (auto* group = dynamic_cast<UIGroup*>(item->GetParent()))
        group->RequestSelectMember(item, 1, param);
    else if (!item->IsSelected())
        item->RequestSelect(1, param);
}

UIControl* UIListBox::GetSelectedItem(std::int32_t n) const
{
    const UIGroup* group = GetItemGroup();
    return group && n >= 0 ? group->GetSelected(static_cast<std::uint32_t>(n)) : nullptr;
}

std::uint32_t UIListBox::GetItemData(UIControl* item)
{
    const auto entry = itemData.find(item);
    if (entry == itemData.end())
        return 0;
    // The entry's reference makes the item safe to ask.
    if (item->GetParent() != GetItemGroup())
    {
        DropItemData(item);
        return 0;
    }
    return entry->second;
}

UIControl* UIListBox::FindItemByData(std::uint32_t data)
{
    if (data == 0)
    {
        // Items without an entry carry 0.
        const UIGroup* group = GetItemGroup();
        for (std::uint32_t i = 0; group && i < group->GetChildCount(); ++i)
            if (UIControl* item = group->GetChildAt(i); itemData.find(item) == itemData.end())
                return item;
        return nullptr;
    }
    DropLeftItems();
    for (const auto& [item, value] : itemData)
        if (value == data)
            return item;
    return nullptr;
}

bool UIListBox::NextItem(UIControl*& item, ItemCursor& cursor) const
{
    const UIGroup* group = GetItemGroup();
    if (!group || cursor >= group->GetChildCount())
        return false;
    item = group->GetChildAt(cursor++);
    return true;
}

void UIListBox::SetItemSize(FCPoint size)
{
    itemWidth = size.x;
    itemHeight = size.y;
    itemSizeFixed = 1;
}

void UIListBox::SetItemSize(std::uint16_t newWidth, std::uint16_t newHeight)
{
    SetItemSize(FCPoint(newWidth, newHeight));
}

std::uint16_t UIListBox::GetItemExtent() const
{
    return static_cast<std::uint16_t>(IsHorizontal() ? itemWidth : itemHeight);
}

void UIListBox::SortItems(ItemCompare compare)
{
    UIGroup* group = GetItemGroup();
    if (!group || !compare)
        return;
    group->SortChildren(compare);
    // The z-orders follow the new order, so later items are still added
    // after all of them.
    for (std::uint32_t i = 0; i < group->GetChildCount(); ++i)
        group->GetChildAt(i)->SetZOrder(static_cast<std::uint16_t>(std::min(i, kHighestZOrder)));
}

void UIListBox::ScrollToIndex(std::int32_t index)
{
    ScrollTo(Saturate(std::int64_t{GetItemExtent()} * index));
}

void UIListBox::ScrollToItem(UIControl* item)
{
    const UIGroup* group = GetItemGroup();
    const std::uint32_t at = group ? group->IndexOfChild(item) : kNotFound;
    ScrollToIndex(at == kNotFound ? 0 : Saturate(at));
}

void UIListBox::UpdateLayout()
{
    UISlider* bar = GetScrollBar();
    if (!bar)
        return;
    if (UIGroupScrollFrame* itemFrame = GetItemFrame())
        itemFrame->LayoutItems();
    DropLeftItems();
    const FCPoint frameSize = frame ? frame->GetSize() : FCPoint(0, 0);
    const UIGroup* group = GetItemGroup();
    const FCPoint contentSize = group ? group->GetSize() : FCPoint(0, 0);
    const bool horizontal = IsHorizontal();
    const std::int64_t hidden = horizontal ? std::int64_t{contentSize.x} - frameSize.x
                                           : std::int64_t{contentSize.y} - frameSize.y;
    SetScrollRange(0, Saturate(std::max<std::int64_t>(0, hidden)));
    bar->SetPage(horizontal ? frameSize.x : frameSize.y);
    if (snapToItems)
        bar->SetStep(GetItemExtent());
    if (frame)
        frame->SetScrollValue(bar->GetValue());
    Invalidate();
}

UIGroupScrollFrame* UIListBox::GetItemFrame() const
{
    // Asked for every item added; the usual exact class needs no walk of
    // the class hierarchy.
    if (frame && typeid(*frame) == typeid(UIGroupScrollFrame))
        return static_cast<UIGroupScrollFrame*>(frame);
    return dynamic_cast<UIGroupScrollFrame*>(frame);
}

UIGroup* UIListBox::GetItemGroup() const
{
    const UIGroupScrollFrame* itemFrame = GetItemFrame();
    return itemFrame ? itemFrame->GetContent() : nullptr;
}

void UIListBox::DropLeftItems()
{
    const UIGroup* group = GetItemGroup();
    for (auto entry = itemData.begin(); entry != itemData.end();)
    {
        UIControl* item = entry->first;
        if (item->GetParent() == group && group)
        {
            ++entry;
            continue;
        }
        entry = itemData.erase(entry);
        item->Release();
    }
}

void UIListBox::SetItemData(UIControl* item, std::uint32_t data)
{
    // 0 is what an item without an entry gives, so it needs none: the rows
    // of a layout add nothing to the map.
    if (data == 0)
    {
        DropItemData(item);
        return;
    }
    auto [entry, added] = itemData.try_emplace(item, data);
    if (added)
        item->AddRef();
    else
        entry->second = data;
}

void UIListBox::DropItemData(UIControl* item)
{
    const auto entry = itemData.find(item);
    if (entry == itemData.end())
        return;
    itemData.erase(entry);
    item->Release();
}

void UIListBox::ClearItemData()
{
    std::map<UIControl*, std::uint32_t> old;
    old.swap(itemData);
    for (const auto& [item, value] : old)
        item->Release();
}
