#include "Ui/UIButton.h"
#include "Ui/UIGroup.h"
#include "Ui/UIMessages.h"
#include "support/UiHarness.h"
#include "support/UiTestControls.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace
{
constexpr std::uint32_t kCtrl = UIMessage::kModControl;
constexpr std::uint32_t kShift = UIMessage::kModShift;

// Six members in a row, 20 pixels apart, that ask for selection on release,
// in a group inside a watching window.
struct GroupScene
{
    explicit GroupScene(std::uint32_t mode, std::uint8_t allowNone = 0)
    {
        window = new RecordingControl(1);
        window->SetSize(300, 100);
        group = new UIGroup(2);
        group->SetSize(300, 100);
        group->SetSelectionMode(mode);
        group->SetAllowNone(allowNone);
        for (std::uint16_t i = 0; i < 6; ++i)
        {
            auto* member = new UIButton(static_cast<std::uint16_t>(10 + i));
            member->SetButtonType(UIButton::kRadio);
            member->SetPositionXY(20 * i, 0);
            member->SetSize(20, 20);
            group->AddChild(member);
        }
        window->AddChild(group);
        ui.Manager().PushWindow(window, 0);
        window->Release();
    }
    void Click(int index, std::uint32_t modifiers = 0)
    {
        ui.Press(20 * index + 5, 5, modifiers);
        ui.Release(20 * index + 5, 5, modifiers);
    }
    std::string Selected() const
    {
        std::string text;
        for (std::uint32_t i = 0; i < group->GetChildCount(); ++i)
            text += group->GetChildAt(i)->IsSelected() ? '#' : '.';
        return text;
    }
    int DeselectsFromGroup() const
    {
        int n = 0;
        for (const UIEvent& event : window->events)
            n += event.type == UIMessage::kDeselect && event.sender == group;
        return n;
    }
    UiHarness ui;
    RecordingControl* window = nullptr;
    UIGroup* group = nullptr;
};
} // namespace

TEST(UIGroupTest, ClicksSelectByModeAndModifiers)
{
    struct Case
    {
        std::uint32_t mode;
        std::uint8_t allowNone;
        std::vector<std::pair<int, std::uint32_t>> clicks;
        const char* selected;
    };
    const Case cases[] = {
        {UIGroup::kSingle, 0, {{1, 0}, {3, kCtrl}}, "...#.."},
        {UIGroup::kSingle, 0, {{2, 0}, {2, 0}}, "..#..."},
        {UIGroup::kControlToggles, 0, {{2, 0}, {5, kShift}}, "..####"},
        {UIGroup::kControlToggles, 0, {{5, 0}, {2, kShift}}, "..####"},
        {UIGroup::kControlToggles, 0, {{2, 0}, {4, kCtrl}, {2, kCtrl}}, "....#."},
        {UIGroup::kShiftToggles, 0, {{1, 0}, {3, kCtrl}, {2, kShift}}, ".#.#.."},
        {UIGroup::kAlwaysToggle, 0, {{1, 0}, {2, 0}, {1, 0}}, "..#..."},
        {UIGroup::kAlwaysToggle, 0, {{1, 0}, {1, 0}}, ".#...."}, // the last one stays
        {UIGroup::kAlwaysToggle, 1, {{1, 0}, {1, 0}}, "......"},
        // A range away from the only selected member still replaces it.
        {UIGroup::kControlToggles, 0, {{3, 0}, {0, kCtrl}, {3, kCtrl}, {5, kShift}}, "...###"},
    };
    for (const Case& c : cases)
    {
        GroupScene s(c.mode, c.allowNone);
        for (const auto& [index, modifiers] : c.clicks)
            s.Click(index, modifiers);
        EXPECT_EQ(s.Selected(), c.selected) << "mode " << c.mode << ", case ending " << c.selected;
    }
}

TEST(UIGroupTest, ParentHearsEachDeselectionAndRefusals)
{
    GroupScene s(UIGroup::kSingle);
    s.Click(1);
    s.Click(3);
    EXPECT_EQ(s.DeselectsFromGroup(), 1);
    auto* three = static_cast<UIButton*>(s.group->GetChildAt(3));
    EXPECT_EQ(three->GetState(), 64u);
    EXPECT_EQ(s.group->GetChildAt(1)->GetState(), 32u) << "a radio shows its deselection";

    // The only selected member asks to go and is refused; nothing bubbles.
    const std::size_t before = s.window->events.size();
    three->RequestSelect(1, 0);
    EXPECT_TRUE(three->IsSelected());
    EXPECT_EQ(s.window->events.size(), before);

    s.group->SetAllowNone(1);
    three->RequestSelect(1, 0);
    EXPECT_FALSE(three->IsSelected());
    EXPECT_EQ(s.window->events.back().type, UIMessage::kDeselect);
    EXPECT_EQ(s.window->events.back().sender, three);

    s.Click(0, 0);
    s.Click(2, kCtrl);
    s.group->SetSelectionMode(UIGroup::kControlToggles);
    s.Click(4, kCtrl);
    const int earlier = s.DeselectsFromGroup();
    s.group->DeselectAll();
    EXPECT_EQ(s.DeselectsFromGroup() - earlier, 2);
    EXPECT_EQ(s.group->CountSelected(), 0u);
}

TEST(UIGroupTest, ProgramSelectionsNeverToggle)
{
    for (const std::uint32_t mode : {UIGroup::kControlToggles, UIGroup::kAlwaysToggle})
    {
        GroupScene s(mode);
        // param 1 would read as the control key if it were a click.
        EXPECT_TRUE(s.group->SelectById(1, 12, 1));
        EXPECT_TRUE(s.group->SelectById(1, 14, 1));
        const std::size_t before = s.window->events.size();
        EXPECT_TRUE(s.group->SelectById(1, 14, 1));
        EXPECT_EQ(s.window->events.size(), before) << "selecting a selected member reports nothing";
        EXPECT_EQ(s.Selected(), mode == UIGroup::kAlwaysToggle ? "..#.#." : "....#.");
        EXPECT_EQ(s.window->events.back().param1, 1u);
        EXPECT_FALSE(s.group->SelectById(1, 99, 0));
    }
}

TEST(UIGroupTest, RemovedAnchorAndGrandchildRequestsAreNotUsed)
{
    GroupScene s(UIGroup::kControlToggles, 1);
    s.Click(2);
    UIControl* anchor = s.group->GetChildAt(2);
    ASSERT_EQ(s.group->GetAnchor(), anchor);
    s.group->RemoveChild(anchor);
    EXPECT_EQ(s.group->GetAnchor(), nullptr);
    s.Click(5, kShift); // the member that was sixth, now the fifth of five
    EXPECT_EQ(s.Selected(), "....#") << "without an anchor the range is the member alone";

    // A grandchild's request bubbles past the group untouched.
    auto* inner = new UIButton(50);
    s.group->GetChildAt(0)->AddChild(inner);
    inner->RequestSelect(1, 0);
    EXPECT_FALSE(inner->IsSelected());
    EXPECT_EQ(s.window->events.back().sender, inner);
    EXPECT_EQ(s.Selected(), "....#");
}
