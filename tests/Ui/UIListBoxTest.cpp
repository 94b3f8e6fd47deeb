#include "Ui/UIComboBox.h"
#include "Ui/UIGroup.h"
#include "Ui/UIGroupScrollFrame.h"
#include "Ui/UIListBox.h"
#include "Ui/UIMessages.h"
#include "Ui/UISlider.h"
#include "Ui/UITextControl.h"
#include "Ui/UITextListBox.h"

#include "support/AssetBytes.h"
#include "support/LayoutBytes.h"
#include "support/ListLayouts.h"
#include "support/Owned.h"
#include "support/QuietLog.h"
#include "support/ResourceFixture.h"
#include "support/UiHarness.h"
#include "support/UiTestControls.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
std::vector<UILayoutNode> Rows(std::uint16_t count, std::int32_t height = 20)
{
    std::vector<UILayoutNode> rows;
    for (std::uint16_t i = 0; i < count; ++i)
        rows.push_back(ListLayouts::Row(static_cast<std::uint16_t>(10 + i), 100, height, 100));
    return rows;
}

Owned<UIListBox> LoadList(std::vector<UILayoutNode> rows, std::uint16_t flags = 2)
{
    UILayoutNode node = ListLayouts::ListBox(7, FCRect(0, 0, 116, 100), std::move(rows));
    node.own = UIScrollControlRecord{flags};
    return Owned<UIListBox>(dynamic_cast<UIListBox*>(LayoutBytes::Load(LayoutBytes::Write(node))));
}

UIControl* NewRow(std::int32_t height, std::uint16_t rowId = 0)
{
    auto* row = new UIControl(rowId);
    row->SetSize(100, height);
    return row;
}

TEST(UIListBox, LayoutKeepsTheBarInStepWithTheContent)
{
    auto list = LoadList(Rows(10));
    ASSERT_TRUE(list);
    UISlider* bar = list->GetScrollBar();
    std::int32_t low = -1;
    std::int32_t high = -1;
    list->GetScrollRange(low, high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 100);
    EXPECT_EQ(bar->GetPage(), 100);
    EXPECT_EQ(bar->GetStep(), 20);
    EXPECT_EQ(list->ItemAt(9, 0)->GetPosition(), FCPoint(0, 180));

    // One layout at the end places rows as one layout per row does.
    auto eager = LoadList({});
    auto lazy = LoadList({});
    for (std::int32_t height : {20, 35, 10})
    {
        eager->AddItem(NewRow(height), 1);
        lazy->AddItem(NewRow(height), 0);
    }
    lazy->UpdateLayout();
    for (std::int32_t i = 0; i < 3; ++i)
        EXPECT_EQ(eager->ItemAt(i, 0)->GetPosition(), lazy->ItemAt(i, 0)->GetPosition());
    EXPECT_EQ(eager->GetScrollBar()->GetPage(), lazy->GetScrollBar()->GetPage());

    // Horizontal flags but only a vertical bar: no layout, no range.
    QuietLog quiet;
    auto barless = LoadList(Rows(3), 1);
    ASSERT_TRUE(barless);
    EXPECT_EQ(barless->ItemAt(2, 0)->GetPosition(), FCPoint(0, 0));
}

TEST(UIListBox, ScrollingSnapsToTheNearestWholeItem)
{
    const struct
    {
        std::int32_t barValue, shown;
    } cases[] = {{30, 20}, {31, 40}, {10, 0}, {11, 20}, {40, 40}};
    for (const auto& c : cases)
    {
        auto list = LoadList(Rows(10));
        UISlider* bar = list->GetScrollBar();
        bar->SetValue(c.barValue);
        UIEvent moved(bar, UIMessage::kValueChanged, FCPoint(0, 0), 0,
                      static_cast<std::uintptr_t>(c.barValue));
        list->HandleNotify(moved);
        EXPECT_EQ(list->GetScrollPosition().y, c.shown) << c.barValue;
        EXPECT_EQ(list->GetItemGroup()->GetPosition().y, -c.shown) << c.barValue;
        EXPECT_EQ(bar->GetValue(), c.barValue) << "the bar keeps its value";
    }
}

TEST(UIListBox, ItemAtCountsShownItemsOnlyWhenAsked)
{
    auto list = LoadList(Rows(4));
    for (std::int32_t i : {1, 3})
        list->ItemAt(i, 0)->SetVisible(0);
    EXPECT_EQ(list->ItemAt(1, 1), list->ItemAt(2, 0));
    EXPECT_EQ(list->ItemAt(2, 1), nullptr);
    EXPECT_EQ(list->ItemAt(5, 0), nullptr);
    EXPECT_EQ(list->ItemAt(-1, 0), nullptr);
    EXPECT_EQ(list->SelectItemAt(9), nullptr);
}

TEST(UIListBox, ItemValuesLeaveWithTheirRowsByAnyPath)
{
    auto list = LoadList({});
    UIControl* plain = NewRow(20);
    UIControl* valued = NewRow(20);
    UIControl* other = NewRow(20);
    list->AddItem(plain, 1);
    list->AddItemWithData(valued, 7, 1);
    list->AddItemWithData(other, 9, 1);
    UIControl stranger;
    EXPECT_EQ(list->GetItemData(plain), 0u);
    EXPECT_EQ(list->GetItemData(valued), 7u);
    EXPECT_EQ(list->GetItemData(&stranger), 0u);
    EXPECT_FALSE(list->RemoveItem(&stranger, true));
    EXPECT_EQ(list->FindItemByData(7), valued);

    // Behind the list's back: straight out of the content group.
    list->GetItemGroup()->RemoveChild(valued);
    EXPECT_EQ(list->FindItemByData(7), nullptr);
    EXPECT_TRUE(list->RemoveItem(other, true));
    EXPECT_EQ(list->FindItemByData(9), nullptr);
    EXPECT_EQ(list->GetItemCount(), 1u);
    EXPECT_TRUE(list->RemoveAllItems());
    EXPECT_EQ(list->GetItemCount(), 0u);
}

bool ByHundreds(UIControl* a, UIControl* b)
{
    return a->GetId() / 100 < b->GetId() / 100;
}

TEST(UIListBox, SortIsStableAndShowsAfterTheNextLayout)
{
    // Enough rows for an unstable sort to mix equal ones: even rows sort
    // as 2, odd rows as 1.
    auto list = LoadList({});
    std::vector<std::uint16_t> expected[2];
    for (std::uint16_t i = 0; i < 40; ++i)
    {
        const auto rowId = static_cast<std::uint16_t>((i % 2 ? 100 : 200) + i);
        list->AddItem(NewRow(20, rowId), 1);
        expected[i % 2 ? 0 : 1].push_back(rowId);
    }
    expected[0].insert(expected[0].end(), expected[1].begin(), expected[1].end());
    list->SortItems(ByHundreds);
    std::vector<std::uint16_t> order;
    UIControl* item = nullptr;
    UIListBox::ItemCursor cursor = 0;
    list->BeginIteration(cursor);
    while (list->NextItem(item, cursor))
        order.push_back(item->GetId());
    EXPECT_EQ(order, expected[0]);
    EXPECT_EQ(list->ItemAt(0, 0)->GetPosition().y, 20) << "not laid out yet";
    list->UpdateLayout();
    EXPECT_EQ(list->ItemAt(0, 0)->GetPosition().y, 0);

    // Later rows still go to the end, also after removals have left fewer
    // rows than the z-orders in use.
    list->RemoveItem(list->ItemAt(0, 0), true);
    list->RemoveItem(list->ItemAt(0, 0), true);
    list->AddItem(NewRow(20, 99), 1);
    EXPECT_EQ(list->ItemAt(38, 0)->GetId(), 99);
    EXPECT_EQ(list->ItemAt(38, 0)->GetPosition().y, 38 * 20);
}

// A list of six 20-pixel rows at (0, 0) in a window; rows select on release.
struct ListScreen
{
    ListScreen()
    {
        UILayoutNode window = LayoutBytes::Control(LayoutBytes::Element(1, 0, 0, 800, 600), "UIWindow");
        window.children.push_back(ListLayouts::ListBox(7, FCRect(0, 0, 116, 200), Rows(6)));
        ui.WriteLayout("testListSelect.ui", LayoutBytes::Write(window));
        UIControl* screen = ui.Open("testListSelect.ui");
        list = screen ? dynamic_cast<UIListBox*>(screen->FindChild(7)) : nullptr;
        if (!list)
            return;
        list->SetSnapToItems(0);
        for (std::uint32_t i = 0; i < list->GetItemCount(); ++i)
            list->ItemAt(static_cast<std::int32_t>(i), 0)->SetChangeMode(UIControl::kOnRelease);
        // The watcher hears what the list tells its parent.
        screenParent = list->GetParent();
        list->SetParent(&watcher);
    }
    ~ListScreen()
    {
        if (list)
            list->SetParent(screenParent);
    }
    void ClickRow(std::int32_t row, std::uint32_t modifiers = 0)
    {
        ui.Press(50, row * 20 + 5, modifiers);
        ui.Release(50, row * 20 + 5, modifiers);
    }
    // The selected rows by their place in the layout (id - 10).
    std::vector<std::int32_t> Selected() const
    {
        std::vector<std::int32_t> rows;
        for (std::int32_t n = 0; UIControl* row = list->GetSelectedItem(n); ++n)
            rows.push_back(row->GetId() - 10);
        return rows;
    }
    UiHarness ui;
    RecordingControl watcher{1};
    UIListBox* list = nullptr;
    UIControl* screenParent = nullptr;
};

TEST(UIListBox, ClicksSelectBySelectionMode)
{
    using Rows = std::vector<std::int32_t>;
    struct Click
    {
        std::int32_t row;
        std::uint32_t modifiers;
    };
    const struct
    {
        const char* name;
        std::uint32_t mode;
        std::vector<Click> clicks;
        Rows expected;
    } cases[] = {
        {"single", UIGroup::kSingle, {{0, 0}, {2, 0}}, {2}},
        {"control toggles", UIGroup::kControlToggles, {{0, 0}, {2, 1}, {4, 1}, {2, 1}}, {0, 4}},
        {"shift range", UIGroup::kControlToggles, {{2, 0}, {5, 2}}, {2, 3, 4, 5}},
        {"range backwards", UIGroup::kShiftToggles, {{4, 0}, {1, 1}}, {1, 2, 3, 4}},
    };
    for (const auto& c : cases)
    {
        ListScreen screen;
        ASSERT_NE(screen.list, nullptr);
        screen.list->GetItemGroup()->SetSelectionMode(c.mode);
        for (const Click& click : c.clicks)
            screen.ClickRow(click.row, click.modifiers);
        EXPECT_EQ(screen.Selected(), c.expected) << c.name;
    }
}

TEST(UIListBox, RemovedAnchorRowNoLongerStartsARange)
{
    ListScreen screen;
    ASSERT_NE(screen.list, nullptr);
    screen.list->GetItemGroup()->SetSelectionMode(UIGroup::kControlToggles);
    screen.ClickRow(1);
    screen.list->GetItemGroup()->RemoveChild(screen.list->ItemAt(1, 0));
    screen.list->UpdateLayout();
    screen.ClickRow(3, 2);
    EXPECT_EQ(screen.Selected(), (std::vector<std::int32_t>{4})) << "the row alone, no range";
}

TEST(UIListBox, ProgramSelectionNeverToggles)
{
    for (std::uint32_t mode : {UIGroup::kSingle, UIGroup::kControlToggles, UIGroup::kAlwaysToggle})
    {
        ListScreen screen;
        ASSERT_NE(screen.list, nullptr);
        UIGroup* group = screen.list->GetItemGroup();
        group->SetSelectionMode(mode);
        group->SetAllowNone(1);
        EXPECT_EQ(screen.list->SelectItemAt(1, 0, 1), screen.list->ItemAt(1, 0));
        // A parameter of 1 or 2 is the program's, not the control or shift key.
        screen.list->SelectItemAt(3, 0, 2);
        const std::vector<std::int32_t> expected =
            mode == UIGroup::kSingle || mode == UIGroup::kControlToggles ? std::vector<std::int32_t>{3}
                                                                         : std::vector<std::int32_t>{1, 3};
        EXPECT_EQ(screen.Selected(), expected) << mode;
        const int reports = screen.watcher.Count(UIMessage::kChanged);
        screen.list->SelectItemAt(3, 0, 1);
        UIListBox::SelectItem(screen.list->ItemAt(3, 0), 1);
        EXPECT_EQ(screen.Selected(), expected) << mode << ": a selected row stays selected";
        EXPECT_EQ(screen.watcher.Count(UIMessage::kChanged), reports) << mode << ": and reports nothing";
        EXPECT_EQ(screen.watcher.events.back().param1, 2u) << "the caller's parameter";
    }
}

TEST(UITextListBox, RowsAreOneLineOfTheFontHigh)
{
    ResourceSandbox sandbox;
    ASSERT_NE(sandbox.MakeFont(UniformGlyphs(126, 4, 9)), nullptr);
    UILayoutNode node = ListLayouts::ListBox(7, FCRect(0, 0, 116, 100),
                                             {ListLayouts::TextRow(1, 100, 9, "One", 1)}, "UITextListBox");
    node.afterItems = UITextListBoxRecord{1, {}};
    Owned<UITextListBox> list(dynamic_cast<UITextListBox*>(LayoutBytes::Load(LayoutBytes::Write(node))));
    ASSERT_TRUE(list);
    EXPECT_EQ(list->GetItemSize(), FCPoint(100, 9));
    EXPECT_EQ(list->GetScrollBar()->GetStep(), 9);

    Owned<UITextListBox> copy(dynamic_cast<UITextListBox*>(list->Clone()));
    for (UITextListBox* each : {list.get(), copy.get()})
    {
        UITextControl* row = each->AddTextItem("Two", 1, 1);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->GetText(), "Two");
        EXPECT_EQ(row->GetChangeMode(), UIControl::kOnRelease);
        EXPECT_EQ(row->GetSize(), FCPoint(100, 9));
        EXPECT_EQ(row->GetPosition(), FCPoint(0, 9));
    }
}

// A combo box at (10, 10): display 150 (100 x 20), button 151 beside it,
// list 152 below, and a 100 x 20 template 153.
struct ComboScreen
{
    ComboScreen()
    {
        UILayoutNode combo = LayoutBytes::Control(LayoutBytes::Element(3, 10, 10, 120, 140), "UIComboBox");
        combo.children.push_back(ListLayouts::Row(150, 100, 20, 10));
        UILayoutNode button = LayoutBytes::Control(LayoutBytes::Element(151, 100, 0, 20, 20));
        combo.children.push_back(button);
        combo.children.push_back(ListLayouts::ListBox(152, FCRect(0, 20, 116, 120)));
        combo.children.push_back(ListLayouts::Row(153, 100, 20, 10));
        UILayoutNode window = LayoutBytes::Control(LayoutBytes::Element(1, 0, 0, 800, 600));
        window.children.push_back(std::move(combo));
        window.children.push_back(LayoutBytes::Control(LayoutBytes::Element(4, 400, 400, 50, 50)));
        ui.WriteLayout("testListCombo.ui", LayoutBytes::Write(window));
        screen = ui.Open("testListCombo.ui");
        box = screen ? dynamic_cast<UIComboBox*>(screen->FindChild(3)) : nullptr;
        if (!box)
            return;
        for (std::uint32_t data : {100u, 200u, 300u})
            box->AddItem(dynamic_cast<UIControl*>(box->GetItemTemplate()->Clone()), data, true);
        // The watcher hears what the combo box tells its parent.
        box->SetParent(&watcher);
    }
    ~ComboScreen()
    {
        if (box)
            box->SetParent(screen);
    }
    UiHarness ui;
    UIControl* screen = nullptr;
    UIComboBox* box = nullptr;
    RecordingControl watcher{1};
};

TEST(UIComboBox, OpensPicksAndCloses)
{
    ComboScreen s;
    ASSERT_NE(s.box, nullptr);
    UIComboBox& combo = *s.box;
    EXPECT_TRUE(combo.IsListClosed());
    EXPECT_EQ(combo.FindChild(UIComboBox::kTemplateId), nullptr) << "the template is no child";
    s.ui.Click(120, 20);
    EXPECT_FALSE(combo.IsListClosed());
    s.ui.Click(120, 20);
    EXPECT_TRUE(combo.IsListClosed());
    s.ui.Click(120, 20);

    s.watcher.events.clear();
    s.ui.Click(50, 30 + 20 + 5);
    UIControl* chosen = combo.GetList()->ItemAt(1, 0);
    EXPECT_TRUE(combo.IsListClosed());
    std::vector<UIEvent> changes;
    for (const UIEvent& event : s.watcher.events)
        if (event.type == UIMessage::kChanged)
            changes.push_back(event);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].sender, &combo);
    EXPECT_EQ(changes[0].param2, reinterpret_cast<std::uintptr_t>(chosen));
    EXPECT_EQ(changes[1].sender, chosen);
    EXPECT_EQ(combo.GetList()->GetItemData(chosen), 200u);
    UIControl* display = combo.GetDisplay();
    ASSERT_NE(display, nullptr);
    EXPECT_NE(display, chosen);
    EXPECT_EQ(display->GetId(), UIComboBox::kDisplayId);
    EXPECT_EQ(display->GetScreenRect(), FCRect(10, 10, 110, 30));
    EXPECT_TRUE(display->GetInputFlags() & UIControl::kMouseTransparent);

    // Focus moving outside the combo box closes an open list.
    s.ui.Click(120, 20);
    EXPECT_FALSE(combo.IsListClosed());
    s.ui.Click(420, 420);
    EXPECT_TRUE(combo.IsListClosed());
}
} // namespace
