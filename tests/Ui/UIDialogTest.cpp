#include "Ui/UIDialog.h"
#include "Fc/Graphics/FCTextLayout.h"
#include "Ui/UIListBox.h"
#include "Ui/UIMessageDialog.h"
#include "Ui/UIMessages.h"
#include "Ui/UIText.h"
#include "Ui/UITextControl.h"
#include "Ui/UIWindow.h"
#include "support/DialogLayouts.h"
#include "support/LayoutBytes.h"
#include "support/QuietLog.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
using DialogLayouts::RecordingOwner;
using Codes = std::vector<std::uint16_t>;

TEST(UIWindowOwner, RecordCarriesCodeWindowAndParameterCutForPlainWindows)
{
    RecordingOwner owner;
    UIWindow window(7);
    UIDialog dialog(8);
    const std::uintptr_t wide = reinterpret_cast<std::uintptr_t>(&owner);
    window.NotifyOwner(UIMessage::kResultOk, 0x12345);
    EXPECT_TRUE(owner.results.empty()) << "no owner, no call";
    window.SetOwner(&owner);
    dialog.SetOwner(&owner);
    window.NotifyOwner(UIMessage::kResultOk, 0x12345);
    dialog.NotifyOwner(UIMessage::kResultYes, wide);
    ASSERT_EQ(owner.results.size(), 2u);
    EXPECT_EQ(owner.results[0].code, UIMessage::kResultOk);
    EXPECT_EQ(owner.results[0].sender, &window);
    EXPECT_EQ(owner.results[0].param, 0x2345u) << "a window keeps 16 bits";
    EXPECT_EQ(owner.results[1].sender, &dialog);
    EXPECT_EQ(owner.results[1].param, wide) << "a dialog keeps the whole pointer";
}

TEST(UIWindowOwner, CloseNotifiesOnceAndShowMakesModal)
{
    UiHarness ui;
    RecordingOwner owner;
    auto* dialog = new UIDialog(9);
    dialog->SetSize(50, 50);
    EXPECT_TRUE(dialog->Show(1, &owner));
    dialog->Release(); // the stack holds it
    EXPECT_TRUE(dialog->IsOpen());
    EXPECT_EQ(ui.Manager().GetModal(), dialog);
    EXPECT_EQ(ui.Manager().GetTopWindow(), dialog);

    dialog->AddRef();
    dialog->Close(1);
    dialog->Close(1);
    EXPECT_EQ(owner.Codes(), Codes{UIMessage::kResultClosed}) << "a second Close sends nothing";
    EXPECT_FALSE(dialog->IsOpen());
    EXPECT_EQ(ui.Manager().GetModal(), nullptr);
    dialog->Show(nullptr);
    dialog->Close(1);
    EXPECT_EQ(owner.results.size(), 2u) << "shown again, it reports its next closing";
    dialog->Release();

    UIWindow silent;
    silent.Close(1); // no owner: nothing to tell
}

TEST(UIWindowOwner, CreateFromFileChecksTheRootClass)
{
    QuietLog quiet;
    UiHarness ui;
    RecordingOwner owner;
    ui.WriteLayout("plain.ui",
                   LayoutBytes::Write(LayoutBytes::Control(LayoutBytes::Element(1, 0, 0, 9, 9))));
    ui.WriteLayout("dialog.ui", LayoutBytes::Write(LayoutBytes::Control(
                                    LayoutBytes::Element(2, 0, 0, 9, 9), "UIDialog")));
    EXPECT_EQ(UIWindow::CreateFromFile("missing.ui", &owner), nullptr);
    EXPECT_EQ(UIWindow::CreateFromFile("plain.ui", &owner), nullptr);
    EXPECT_EQ(UIWindow::CreateFromFileAs<UIMessageDialog>("dialog.ui", &owner), nullptr);
    UIWindow* window = UIWindow::CreateFromFile("dialog.ui", &owner);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetOwner(), &owner);
    EXPECT_EQ(window->GetClassName(), "UIDialog");
    window->Release();
}

class MessageBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(DialogLayouts::LoadAssets(ui));
        ui.WriteLayout("box.ui", DialogLayouts::MessageBox());
    }
    UIMessageDialog* Open(std::uint16_t flags, const std::string& text = "Message")
    {
        UIMessageDialog* box = UIMessageDialog::Create("box.ui", "Caption", text, &owner, flags);
        if (box)
        {
            box->Show(1, nullptr);
            box->Release();
        }
        return box;
    }
    static std::string Caption(UIControl* button)
    {
        auto* text = dynamic_cast<UIText*>(button->FindDisplayObjectByClass(UIText::kClassCode));
        return text ? text->GetText() : "?";
    }

    UiHarness ui;
    RecordingOwner owner;
};

TEST_F(MessageBoxTest, FlagsChooseButtonsCaptionsAndResults)
{
    struct Case
    {
        std::uint16_t flags;
        std::vector<std::string> captions; // 110, 111, 112; "" hidden
        Codes results;                     // a click on each shown button
    };
    const Case cases[] = {
        {0x0000, {"", "", ""}, {}},
        {0x0001, {"OK", "", ""}, {21}},
        {0x2001, {"OK", "", ""}, {21}},
        {0x0003, {"", "OK", "Cancel"}, {21, 22}},
        {0x000C, {"", "Yes", "No"}, {23, 24}},
        {0x0004, {"", "", ""}, {}},
        {0x000D, {"OK", "", ""}, {21}},
    };
    const std::uint16_t ids[] = {110, 111, 112};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.flags);
        owner.results.clear();
        Codes reported;
        for (int i = 0; i < 3; ++i)
        {
            UIMessageDialog* box = Open(c.flags);
            ASSERT_NE(box, nullptr);
            UIControl* button = box->FindChild(ids[i]);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->GetVisibleFlag() ? Caption(button) : "", c.captions[i]);
            ui.Click(DialogLayouts::kMessageButton[i].x, DialogLayouts::kMessageButton[i].y);
            const bool answered = ui.Manager().GetWindowCount() == 0;
            EXPECT_EQ(answered, !c.captions[i].empty()) << "an answer closes the box";
            if (!answered)
                ui.Manager().RemoveWindow(box);
        }
        EXPECT_EQ(owner.Codes(), c.results);
        EXPECT_EQ(ui.Manager().GetWindowCount(), 0u);
    }
    UIMessageDialog* box = Open(UIMessageDialog::kOk);
    EXPECT_EQ(dynamic_cast<UITextControl*>(box->FindChild(130))->GetText(), "Caption");
    EXPECT_EQ(dynamic_cast<UITextControl*>(box->FindChild(105))->GetText(), "Message");
}

TEST_F(MessageBoxTest, LongTextIsWrappedIntoOneRowPerLine)
{
    UIMessageDialog* box = Open(UIMessageDialog::kOk | UIMessageDialog::kTextInList, "");
    ASSERT_NE(box, nullptr);
    auto* list = dynamic_cast<UIListBox*>(box->FindChild(100));
    ASSERT_NE(list, nullptr);
    // Rows are 268 wide: about 44 glyphs of 6 pixels.
    const std::string words = "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda";
    box->SetText(words + "\nmu");
    std::string joined;
    UIListBox::ItemCursor cursor;
    UIControl* row = nullptr;
    for (list->BeginIteration(cursor); list->NextItem(row, cursor);)
    {
        auto* text = dynamic_cast<UITextControl*>(row);
        ASSERT_NE(text, nullptr);
        EXPECT_LE(MeasureTextLine(text->GetText(), *text->GetFont()).x, list->GetItemSize().x);
        joined += text->GetText() + "|";
    }
    EXPECT_EQ(list->GetItemCount(), 3u);
    EXPECT_EQ(joined.substr(joined.size() - 4), "|mu|") << "a line break starts a row";
    joined.erase(std::remove(joined.begin(), joined.end(), '|'), joined.end());
    EXPECT_EQ(joined, words + "mu") << "nothing lost, no newline shown";
    box->SetText("nu");
    EXPECT_EQ(list->GetItemCount(), 1u) << "the list is emptied first";
}

TEST_F(MessageBoxTest, OwnersThatCloseOrReleaseInTheHandlerAreSafe)
{
    enum Action
    {
        kClose,
        kRelease,
        kCloseAndRelease
    };
    for (Action action : {kClose, kRelease, kCloseAndRelease})
    {
        SCOPED_TRACE(action);
        owner.results.clear();
        UIMessageDialog* box = Open(UIMessageDialog::kYes | UIMessageDialog::kNo);
        ASSERT_NE(box, nullptr);
        box->AddRef(); // the owner's own reference
        owner.onResult = [box, action](std::uint16_t code, UIEvent&)
        {
            if (code != UIMessage::kResultNo)
                return;
            if (action != kRelease)
                box->Close(1);
            if (action != kClose)
                box->Release();
        };
        ui.Click(DialogLayouts::kMessageButton[2].x, DialogLayouts::kMessageButton[2].y);
        const Codes expected = action == kRelease ? Codes{24} : Codes{24, 28};
        EXPECT_EQ(owner.Codes(), expected);
        EXPECT_EQ(ui.Manager().GetWindowCount(), 0u);
        if (action == kClose)
            box->Release();
        owner.onResult = nullptr;
    }
}
} // namespace
