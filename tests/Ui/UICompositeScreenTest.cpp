#include "Ui/UIEditControl.h"
#include "Ui/UIListBox.h"
#include "Ui/UIMessageDialog.h"
#include "Ui/UIMessages.h"
#include "Ui/UINumberEditControl.h"
#include "Ui/UINumberScroll.h"
#include "support/DialogLayouts.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace
{
std::vector<std::uint8_t> BuiltLayout(const std::string& name)
{
    std::ifstream in(std::filesystem::path(STAVELORN_BINARY_DIR) / "Resources" / "UI" / name,
                     std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}

// The compiled content/ui/testDialogScreen.yaml: a message box at (200, 150)
// whose text fills a list with a scroll bar, beside a name field and an
// amount spinner, above OK (111) and Cancel (112).
TEST(UICompositeScreen, DrivenByPointerAndKeys)
{
    UiHarness ui;
    ASSERT_TRUE(DialogLayouts::LoadAssets(ui));
    const std::vector<std::uint8_t> layout = BuiltLayout("testDialogScreen.ui");
    ASSERT_FALSE(layout.empty()) << "the layouts target builds it";
    ui.WriteLayout("testDialogScreen.ui", layout);

    std::string text;
    for (int line = 1; line <= 20; ++line)
        text += "Arrow bundle " + std::to_string(line) + "\n";
    DialogLayouts::RecordingOwner owner;
    std::string nameAtOk;
    std::int32_t amountAtOk = 0;
    UIMessageDialog* box = UIMessageDialog::Create(
        "testDialogScreen.ui", "Buy arrows", text, &owner,
        UIMessageDialog::kOk | UIMessageDialog::kCancel | UIMessageDialog::kTextInList);
    ASSERT_NE(box, nullptr);
    auto* list = dynamic_cast<UIListBox*>(box->FindChild(100));
    auto* name = dynamic_cast<UIEditControl*>(box->FindChild(140));
    auto* amount = dynamic_cast<UINumberScroll*>(box->FindChild(790));
    ASSERT_TRUE(list && name && amount);
    owner.onResult = [&](std::uint16_t, UIEvent&)
    {
        // A screen reads its fields while it hears the answer.
        nameAtOk = name->GetText();
        amountAtOk = amount->GetValueField()->GetLong();
    };
    box->Show(1, nullptr);
    box->Release();
    ui.Frame();

    const std::uint16_t background = UiHarness::Rgb(0x20, 0x30, 0x40);
    EXPECT_EQ(ui.Pixel(205, 165), background);
    EXPECT_EQ(ui.Pixel(215, 381), background) << "the single OK button stays hidden";
    EXPECT_EQ(ui.Pixel(325, 381), UiHarness::Rgb(0x30, 0x50, 0x80)) << "OK of two, up";
    EXPECT_EQ(ui.Pixel(435, 381), UiHarness::Rgb(0x30, 0x50, 0x80)) << "Cancel, up";
    EXPECT_EQ(list->GetItemCount(), 20u) << "one row per line";

    ui.Click(418, 266); // the list's down arrow
    const std::int32_t rowHeight = list->GetItemSize().y;
    ASSERT_GT(rowHeight, 0);
    EXPECT_EQ(list->GetScrollValue(), rowHeight);
    ui.Click(260, 178 + rowHeight / 2);
    EXPECT_EQ(list->GetSelectedItem(0), list->ItemAt(1, 0)) << "the top row is now the second";

    ui.Click(460, 226);
    for (char c : std::string("Robin"))
        ui.Key(UIMessage::kChar, static_cast<std::uint8_t>(c));
    ui.Click(488, 254); // the amount's increase arrow
    ui.Click(488, 254);

    ui.Press(360, 389);
    ui.Frame();
    EXPECT_EQ(ui.Pixel(325, 381), UiHarness::Rgb(0x80, 0xb0, 0xff)) << "OK held down";
    ui.Release(360, 389);
    EXPECT_EQ(owner.Codes(), std::vector<std::uint16_t>{UIMessage::kResultOk});
    EXPECT_EQ(nameAtOk, "Robin");
    EXPECT_EQ(amountAtOk, 12);
    EXPECT_EQ(ui.Manager().GetWindowCount(), 0u);
    EXPECT_EQ(ui.Manager().GetModal(), nullptr);
}
} // namespace
