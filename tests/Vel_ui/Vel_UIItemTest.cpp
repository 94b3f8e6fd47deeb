#include "Vel_ui/Vel_UIItem.h"
#include "Vel_ui/Vel_UIItemTray.h"
#include "Vel_ui/Vel_UIListBox.h"

#include "Ui/UIMessages.h"
#include "Ui/UITextControl.h"
#include "support/LayoutBytes.h"
#include "support/ListLayouts.h"
#include "support/QuietLog.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
// A row class of a page: any row class must be taken by the lists.
class PageRow : public Vel_UIItem
{
public:
    FCObject* Clone() const override { return new PageRow(*this); }
};

// A row of the given size with text cell 14501.
Vel_UIItem* MakeRow(std::int32_t width, std::int32_t height, const char* name = "")
{
    UILayoutNode node = LayoutBytes::Control(LayoutBytes::Element(1, 0, 0, width, height), "Vel_UIItem");
    node.children.push_back(LayoutBytes::Control(LayoutBytes::Element(14501, 0, 0, width, height),
                                                 "UITextControl", UITextControlRecord{}));
    auto* row = dynamic_cast<Vel_UIItem*>(LayoutBytes::Load(LayoutBytes::Write(node)));
    if (row)
        row->SetColumnText(0, name);
    return row;
}

TEST(Vel_UIItemTest, CloneKeepsFieldsAndFontVariant)
{
    std::unique_ptr<Vel_UIItem, void (*)(Vel_UIItem*)> row(MakeRow(100, 20, "Axe"),
                                                          [](Vel_UIItem* r) { r->Release(); });
    ASSERT_TRUE(row);
    row->kind = 1500;
    row->key = 7;
    row->category = 5;
    row->SetFontVariant(2);
    auto* copy = static_cast<Vel_UIItem*>(row->Clone());
    EXPECT_EQ(copy->GetFontVariant(), 2);
    EXPECT_EQ(copy->key, 7);
    EXPECT_EQ(copy->kind, 1500);
    // Back to 0 must reach the cell, which the copy shows in variant 2.
    copy->SetFontVariant(0);
    auto* cell = dynamic_cast<UITextControl*>(copy->GetColumnControl(0));
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(copy->GetFontVariant(), 0);
    EXPECT_EQ(copy->GetColumnText(0), "Axe");
    copy->Release();
}

TEST(Vel_UIItemTest, MissingColumnsAreQuietNoOps)
{
    QuietLog quiet;
    Vel_UIItem* row = MakeRow(100, 20);
    ASSERT_NE(row, nullptr);
    row->SetColumnText(3, "x");
    row->SetColumnFont(3, 802);
    row->SetColumnImage(2, 220, 0);
    row->SetScrollRange(1, 5);
    row->SetScrollValue(3);
    EXPECT_EQ(row->GetColumnText(3), "");
    EXPECT_EQ(row->GetScrollValue(), 0.0);
    row->ShowRemoveMark(true);
    row->Release();
}

TEST(Vel_UIItemTest, Orderings)
{
    struct Case
    {
        const char* a;
        const char* b;
        bool before;
    };
    const Case cases[] = {{"Zed", "apple", true}, {"apple", "Zed", false},
                          {"Bow", "Bowman", true}, {"Bowman", "Bow", false},
                          {"b", "\xe9t\xe9", true}, {"same", "same", false}};
    for (const Case& c : cases)
    {
        Vel_UIItem* a = MakeRow(10, 10, c.a);
        Vel_UIItem* b = MakeRow(10, 10, c.b);
        EXPECT_EQ(Vel_UIItem::CompareByName(a, b), c.before) << c.a << " / " << c.b;
        a->key = 3;
        b->key = 4;
        EXPECT_TRUE(Vel_UIItem::CompareByKey(a, b));
        EXPECT_FALSE(Vel_UIItem::CompareByKey(b, a));
        a->Release();
        b->Release();
    }
}

// Two lists side by side in a window whose parent hears the messages; the
// handler of a drop may rebuild the list the row came from.
class Watcher : public UIControl
{
public:
    bool HandleNotify(UIEvent& event) override
    {
        messages.push_back(event.type);
        if (event.type == UIMessage::kDroppedOnto && rebuildSource && source)
        {
            source->RemoveAllItems();
            source->AddRow(MakeRow(100, 20, "new"), 0, true);
        }
        return true;
    }
    std::vector<std::uint16_t> messages;
    Vel_UIListBox* source = nullptr;
    bool rebuildSource = false;
};

struct TwoLists
{
    TwoLists()
    {
        UILayoutNode window = LayoutBytes::Control(LayoutBytes::Element(1, 0, 0, 800, 600), "UIWindow");
        window.children.push_back(ListLayouts::ListBox(7, FCRect(0, 0, 116, 200), {}, "Vel_UIListBox"));
        window.children.push_back(ListLayouts::ListBox(8, FCRect(300, 0, 416, 200), {}, "Vel_UIListBox"));
        ui.WriteLayout("twoLists.ui", LayoutBytes::Write(window));
        screen = ui.Open("twoLists.ui");
        from = dynamic_cast<Vel_UIListBox*>(screen->FindChild(7));
        to = dynamic_cast<Vel_UIListBox*>(screen->FindChild(8));
        from->SetDragFlags(UIControl::kDragContainer | UIControl::kRemoveOnAccept | UIControl::kDropTarget);
        to->SetDragFlags(UIControl::kDropTarget | UIControl::kDragContainer);
        // The first row is of a page's own row class.
        auto* pageRow = new PageRow();
        pageRow->SetSize(100, 20);
        from->AddRow(pageRow, 1, true);
        for (int i = 1; i < 3; ++i)
            from->AddRow(MakeRow(100, 20, "row"), static_cast<std::uint32_t>(i + 1), true);
        parent = from->GetParent();
        from->SetParent(&watcher);
        to->SetParent(&watcher);
        watcher.source = from;
    }
    ~TwoLists()
    {
        from->SetParent(parent);
        to->SetParent(parent);
    }
    void Drag(FCPoint a, FCPoint b)
    {
        ui.Press(a.x, a.y);
        ui.Move(a.x + 20, a.y);
        ui.Move(b.x, b.y);
        ui.Release(b.x, b.y);
    }
    UiHarness ui;
    UIControl* screen = nullptr;
    UIControl* parent = nullptr;
    Vel_UIListBox* from = nullptr;
    Vel_UIListBox* to = nullptr;
    Watcher watcher;
};

TEST(Vel_UIListBoxTest, RowSizeAndDropAnswers)
{
    TwoLists lists;
    // The first row sets the size; after emptying, the next first row again.
    EXPECT_EQ(lists.from->GetItemSize().y, 20);
    lists.from->RemoveAllItems();
    lists.from->AddRow(MakeRow(100, 32), 0, true);
    EXPECT_EQ(lists.from->GetItemSize().y, 32);
    EXPECT_NE(lists.from->ItemAt(0, 0)->GetDragFlags() & UIControl::kDraggable, 0);

    Vel_UIItemTray tray;
    UIControl plain;
    EXPECT_EQ(tray.QueryAcceptDrop(&plain), UIControl::kAccept);
    EXPECT_EQ(lists.to->QueryAcceptDrop(&plain), UIControl::kNoAnswer);
    Vel_UIItemTray::SetMovesRows(&tray, true);
    EXPECT_EQ(tray.GetDragFlags(), UIControl::kHideDraggedChild | UIControl::kRemoveOnDropOutside |
                                       UIControl::kDragContainer);
}

TEST(Vel_UIListBoxTest, DragBetweenListsReportsOnceEvenWhenTheSourceIsRebuilt)
{
    struct Case
    {
        bool rebuild;
        std::uint32_t sourceRows;
        int draggedOff;
    };
    for (const Case c : {Case{false, 2u, 1}, Case{true, 1u, 0}})
    {
        TwoLists lists;
        lists.watcher.rebuildSource = c.rebuild;
        const FCRect row = lists.from->ItemAt(0, 0)->GetScreenRect();
        lists.Drag(FCPoint(row.left + 10, row.top + 10), FCPoint(350, 100));
        const auto count = [&](std::uint16_t id)
        { return std::count(lists.watcher.messages.begin(), lists.watcher.messages.end(), id); };
        EXPECT_EQ(count(UIMessage::kDroppedOnto), 1) << c.rebuild;
        EXPECT_EQ(count(UIMessage::kChildDraggedOut), c.draggedOff) << c.rebuild;
        EXPECT_EQ(lists.from->GetItemCount(), c.sourceRows) << c.rebuild;
        // A row dropped back onto its own list is refused.
        lists.watcher.messages.clear();
        const FCRect again = lists.from->ItemAt(0, 0)->GetScreenRect();
        lists.Drag(FCPoint(again.left + 10, again.top + 10), FCPoint(again.left + 10, again.top + 60));
        EXPECT_EQ(count(UIMessage::kDroppedOnto), 0);
        EXPECT_EQ(lists.from->GetItemCount(), c.sourceRows);
    }
}
} // namespace
