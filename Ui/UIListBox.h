#pragma once

#include "Ui/UIScrollControl.h"

#include <cstdint>
#include <map>

class UIGroup;
class UIGroupScrollFrame;

// A scrolling list of item controls: the items are the members of the
// content group of a group scroll frame, so selecting among them is the
// group's. Adds a cell size, a 32-bit value per item, index and selection
// operations and sorting, and keeps the scroll bar's range, page and step
// in step with the content after every change.
class UIListBox : public UIScrollControl
{
public:
    static constexpr std::uint16_t kClassCode = 128;

    // Orders two items: true when a goes before b.
    using ItemCompare = ChildCompare;
    // Walks the items by index, so rows may change between steps.
    using ItemCursor = std::uint32_t;

    UIListBox();
    // Copied items carry no value; the cell size is copied but not fixed.
    UIListBox(const UIListBox& other);
    ~UIListBox() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // The scroll control, then items up to "EndItems". An item that is no
    // control, or that the list cannot take, fails the load.
    bool Load(FCFile& file) override;
    void RemoveDraggedChild() override;
    void SetSnapToItems(std::uint8_t snap) override;
    void SnapScrollPosition() override;
    // Both take over the caller's reference (also when they fail). An item
    // goes after every existing one; the first item of a list without a
    // fixed cell size gives the cell size.
    virtual bool AddItem(UIControl* item, std::uint8_t relayout);
    virtual bool AddItemWithData(UIControl* item, std::uint32_t data, std::uint8_t relayout);

    bool RemoveItem(UIControl* item, bool relayout);
    bool RemoveAllItems();
    std::uint32_t GetItemCount() const;
    // The index-th item, counting only shown items with visibleOnly; null
    // when there is none.
    UIControl* ItemAt(std::int32_t index, std::uint8_t visibleOnly) const;
    // Selects the item as a program does: no toggling, an item that is
    // already selected stays so and reports nothing.
    UIControl* SelectItemAt(std::int32_t index, std::uint8_t visibleOnly = 0,
                            std::uintptr_t param = 0);
    static void SelectItem(UIControl* item, std::uintptr_t param);
    UIControl* GetSelectedItem(std::int32_t n) const;
    // 0 for an item without a value or not in the list.
    std::uint32_t GetItemData(UIControl* item);
    UIControl* FindItemByData(std::uint32_t data);
    void BeginIteration(ItemCursor& cursor) const { cursor = 0; }
    bool NextItem(UIControl*& item, ItemCursor& cursor) const;

    void SetItemSize(FCPoint size);
    void SetItemSize(std::uint16_t newWidth, std::uint16_t newHeight);
    FCPoint GetItemSize() const { return FCPoint(itemWidth, itemHeight); }
    std::uint8_t IsItemSizeFixed() const { return itemSizeFixed; }
    // The cell's width on a horizontal list, else its height.
    std::uint16_t GetItemExtent() const;

    // A stable sort of the items; lay out afterwards to show it.
    void SortItems(ItemCompare compare);
    void ScrollToIndex(std::int32_t index);
    void ScrollToItem(UIControl* item);
    // Lays the items out, then the bar's range, page (and with snapping its
    // step) follow the content. Nothing without a bar on the list's axis.
    void UpdateLayout();

    UIGroupScrollFrame* GetItemFrame() const;
    UIGroup* GetItemGroup() const;

protected:
    bool IsHorizontal() const { return (scrollBarFlags & kHorizontalBar) != 0; }
    // Forgets the values of items that have left the content group by any
    // path.
    void DropLeftItems();
    void SetItemData(UIControl* item, std::uint32_t data);
    void DropItemData(UIControl* item);
    void ClearItemData();

    std::uint8_t itemSizeFixed = 0;
    std::int32_t itemWidth = 0;
    std::int32_t itemHeight = 0;
    // Items whose value is not 0. Each key holds a reference, so that a row
    // removed behind the list's back can be recognised (its parent is no
    // longer the content group) and its address cannot be taken by a new
    // row meanwhile.
    std::map<UIControl*, std::uint32_t> itemData;
};
