#include "Ui/UIFileDialog.h"
#include "Fc/Core/FCFileUtil.h"
#include "Ui/UIEditControl.h"
#include "Ui/UIListBox.h"
#include "Ui/UIMessageDialog.h"
#include "Ui/UIMessages.h"
#include "Ui/UITextControl.h"
#include "support/DialogLayouts.h"
#include "support/QuietLog.h"
#include "support/TempFolder.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

namespace
{
using DialogLayouts::RecordingOwner;
using Codes = std::vector<std::uint16_t>;

constexpr std::int32_t kRowX = 50;
std::int32_t RowY(int row)
{
    return 34 + 8 * row;
}
constexpr DialogLayouts::Point kOk{250, 70};
constexpr DialogLayouts::Point kCancel{250, 40};
constexpr DialogLayouts::Point kBoxOk{135, 200};
constexpr DialogLayouts::Point kBoxYes{235, 200};
constexpr DialogLayouts::Point kBoxNo{335, 200};

class FileDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(DialogLayouts::LoadAssets(ui));
        ui.WriteLayout("files.ui", DialogLayouts::FileDialog());
        ui.WriteLayout("StdFileNotFoundDialog.ui", DialogLayouts::MessageBox());
        files.WriteFile("a.chr", "a");
        files.WriteFile("B.CHR", "b");
        files.WriteFile("notes.txt", "n");
        files.MakeFolder("d.chr");
        ASSERT_EQ(::mkfifo(files.Join("locked.chr").c_str(), 0600), 0)
            << "an entry no one can write";
    }
    UIFileDialog* Open(std::uint16_t mode, const std::string& filter, std::uint8_t showExtensions,
                       bool modal = true, UIDialog* context = nullptr)
    {
        UIFileDialog* dialog = UIFileDialog::Open("files.ui", "Title", files.GetPath() + "/",
                                                  filter, showExtensions, mode, &owner, context);
        if (dialog)
        {
            dialog->Show(modal ? 1 : 0, nullptr);
            dialog->Release();
        }
        return dialog;
    }
    static std::vector<std::string> Rows(UIListBox* list)
    {
        std::vector<std::string> rows;
        UIListBox::ItemCursor cursor;
        UIControl* row = nullptr;
        for (list->BeginIteration(cursor); list->NextItem(row, cursor);)
            rows.push_back(dynamic_cast<UITextControl*>(row)->GetText());
        return rows;
    }
    static bool OkShown(UIFileDialog* dialog)
    {
        return dialog->FindChild(UIFileDialog::kOkId)->IsVisible();
    }
    // The caption of the message box on top, or "" when the file dialog is on top.
    std::string BoxCaption()
    {
        auto* box = dynamic_cast<UIMessageDialog*>(ui.Manager().GetTopWindow());
        auto* caption = box ? dynamic_cast<UITextControl*>(box->FindChild(130)) : nullptr;
        return caption ? caption->GetText() : "";
    }
    void Click(DialogLayouts::Point point) { ui.Click(point.x, point.y); }

    QuietLog quiet;
    UiHarness ui;
    TempFolder files;
    RecordingOwner owner;
};

TEST_F(FileDialogTest, ListingAndFullPaths)
{
    struct Case
    {
        std::string folder;
        std::string filter;
        std::uint8_t showExtensions;
        std::vector<std::string> rows;
        std::string name;
        std::string path;
    };
    const Case cases[] = {
        {"/f", "*.chr", 1, {"B.CHR", "a.chr", "locked.chr"}, "a.chr", "/f\\a.chr"},
        {"/f/", "*.chr", 0, {"B", "a", "locked"}, "a", "/f/a.chr"},
        {"\\f\\", "*.chr", 0, {"B", "a", "locked"}, "hero.chr", "\\f\\hero.chr"},
        {"/f", "*.*", 0, {"B.CHR", "a.chr", "locked.chr", "notes.txt"}, "a.chr", "/f\\a.chr"},
        {"/f", "*.c?r", 0, {"B.CHR", "a.chr", "locked.chr"}, "a", "/f\\a"},
        {"", "*.chr", 0, {"B", "a", "locked"}, "a", "a.chr"},
    };
    UIFileDialog* dialog = Open(UIFileDialog::kOpen, "*.*", 1);
    ASSERT_NE(dialog, nullptr);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.folder + " " + c.filter);
        dialog->SetFilter(c.filter);
        dialog->SetFolder(files.GetPath());
        dialog->SetShowExtensions(c.showExtensions, 1);
        EXPECT_EQ(Rows(dialog->GetFileList()), c.rows);
        dialog->SetFolder(c.folder);
        dialog->SetFileName(c.name);
        EXPECT_EQ(dialog->GetFullPath(), c.path);
    }
}

TEST_F(FileDialogTest, EmptyNameDoesNothingAndRowsFillTheName)
{
    UIFileDialog* dialog = Open(UIFileDialog::kOpen, "*.chr", 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(OkShown(dialog));
    Click(kOk);
    ui.Click(20, 195); // the name field takes the focus
    ui.Key(UIMessage::kKeyDown, 13);
    EXPECT_TRUE(owner.results.empty());
    EXPECT_EQ(ui.Manager().GetTopWindow(), dialog) << "no message box for an empty name";

    ui.Key(UIMessage::kChar, 'x');
    EXPECT_EQ(dialog->GetFileName(), "x");
    EXPECT_TRUE(OkShown(dialog));
    ui.Key(UIMessage::kKeyDown, 8);
    EXPECT_FALSE(OkShown(dialog));

    ui.Click(kRowX, RowY(1));
    EXPECT_EQ(dialog->GetFileName(), "a");
    ui.Click(kRowX, RowY(0));
    EXPECT_EQ(dialog->GetFileName(), "B") << "the second row replaces the first";
    EXPECT_EQ(dialog->GetFileList()->GetSelectedItem(1), nullptr);
    Click(kOk);
    ASSERT_EQ(owner.Codes(), Codes{UIMessage::kResultFileOpen});
    EXPECT_EQ(owner.results[0].path, files.GetPath() + "/B.chr");
    EXPECT_EQ(owner.results[0].sender, dialog);
    EXPECT_TRUE(dialog->IsOpen()) << "the owner closes an open dialog";
}

// Host names the code page cannot hold show with '?': names that would show
// alike, or like a name on disc, are told apart, and each row opens its own
// file.
TEST_F(FileDialogTest, NamesThatShowAlikeEachOpenTheirOwnFile)
{
    // In the order of the rows, which is that of the names shown.
    const struct
    {
        std::string row;
        std::string onDisc;
    } entries[] = {
        {"?? (2)", "\xE4\xB8\xAD\xE5\x9B\xBD.chr"},
        {"?? (3)", "\xE6\x97\xA5\xE6\x9C\xAC.chr"},
        {"??", "??.chr"},
    };
    for (const auto& f : entries)
        files.WriteFile(f.onDisc, f.onDisc);
    UIFileDialog* dialog = Open(UIFileDialog::kOpen, "*.chr", 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Rows(dialog->GetFileList()),
              (std::vector<std::string>{"?? (2)", "?? (3)", "??", "B", "a", "locked"}));
    for (int row = 0; row < 3; ++row)
    {
        ui.Click(kRowX, RowY(row));
        Click(kOk);
    }
    ASSERT_EQ(owner.Codes(), Codes(3, UIMessage::kResultFileOpen));
    for (int row = 0; row < 3; ++row)
    {
        EXPECT_EQ(owner.results[row].path, files.GetPath() + "/" + entries[row].row + ".chr");
        std::ifstream opened(ToHostPath(owner.results[row].path));
        std::string text;
        std::getline(opened, text);
        EXPECT_EQ(text, entries[row].onDisc) << entries[row].row;
    }
}

TEST_F(FileDialogTest, PromptsRestoreTheModalWindowTheyFound)
{
    struct Case
    {
        std::uint16_t mode;
        std::string name;
        bool modal;
        std::string caption;
        DialogLayouts::Point answer;
        Codes results;
        bool stillOpen;
    };
    const Case cases[] = {
        {UIFileDialog::kOpen, "missing", true, "File not found", kBoxOk, {}, true},
        {UIFileDialog::kOpen, "missing", false, "File not found", kBoxOk, {}, true},
        {UIFileDialog::kSave, "locked", true, "Read Only File", kBoxOk, {}, true},
        {UIFileDialog::kSave, "a", true, "File Exists", kBoxNo, {}, true},
        {UIFileDialog::kSave, "a", false, "File Exists", kBoxNo, {}, true},
        {UIFileDialog::kSave, "a", true, "File Exists", kBoxYes, {18, 28}, false},
        {UIFileDialog::kSave, "new", true, "", {}, {18, 28}, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name + " " + c.caption);
        owner.results.clear();
        UIFileDialog* dialog = Open(c.mode, "*.chr", 0, c.modal);
        ASSERT_NE(dialog, nullptr);
        dialog->AddRef();
        UIWindow* modalBefore = ui.Manager().GetModal();
        dialog->SetFileName(c.name);
        Click(kOk);
        EXPECT_EQ(BoxCaption(), c.caption);
        if (!c.caption.empty())
        {
            EXPECT_NE(ui.Manager().GetModal(), dialog) << "the box is modal while it asks";
            Click(c.answer);
            EXPECT_EQ(BoxCaption(), "");
        }
        EXPECT_EQ(owner.Codes(), c.results);
        if (!c.results.empty())
        {
            EXPECT_EQ(owner.results[0].path, files.GetPath() + "/" + c.name + ".chr");
        }
        EXPECT_EQ(dialog->IsOpen(), c.stillOpen);
        EXPECT_EQ(ui.Manager().GetModal(), c.stillOpen ? modalBefore : nullptr);
        ui.Manager().CloseAll();
        dialog->Release();
    }
}

TEST_F(FileDialogTest, ContextReplacesTheStandardMessages)
{
    auto* context = new UIDialog(70);
    context->SetSize(20, 20);
    UIFileDialog* dialog = Open(UIFileDialog::kOpen, "*.chr", 0, true, context);
    context->Release();
    ASSERT_NE(dialog, nullptr);
    dialog->SetFileName("missing");
    Click(kOk);
    EXPECT_EQ(ui.Manager().GetTopWindow(), context);
    EXPECT_EQ(ui.Manager().GetModal(), context);
}

TEST_F(FileDialogTest, OwnersThatCloseOrReleaseInEveryHandler)
{
    struct Case
    {
        std::uint16_t mode;
        std::string name;
        DialogLayouts::Point button;
        std::uint16_t code;
        Codes results;
    };
    const Case cases[] = {
        {UIFileDialog::kOpen, "a", kOk, UIMessage::kResultFileOpen, {17, 28}},
        {UIFileDialog::kSave, "new", kOk, UIMessage::kResultFileSave, {18, 28}},
        {UIFileDialog::kOpen, "a", kCancel, UIMessage::kResultClosed, {28}},
    };
    for (const Case& c : cases)
        for (bool release : {false, true})
        {
            SCOPED_TRACE(c.code);
            owner.results.clear();
            UIFileDialog* dialog = Open(c.mode, "*.chr", 0);
            ASSERT_NE(dialog, nullptr);
            dialog->AddRef(); // the owner's reference
            dialog->SetFileName(c.name);
            owner.onResult = [dialog, release, &c](std::uint16_t code, UIEvent&)
            {
                if (code != c.code)
                    return;
                dialog->Close(1);
                if (release)
                    dialog->Release();
            };
            Click(c.button);
            EXPECT_EQ(owner.Codes(), c.results);
            EXPECT_EQ(ui.Manager().GetWindowCount(), 0u);
            owner.onResult = nullptr;
            if (!release)
                dialog->Release();
        }
}

TEST_F(FileDialogTest, ADialogThatGoesAwayTakesItsBoxesWithIt)
{
    enum class Box
    {
        kFileExists,  // its own question before overwriting
        kNotFound,    // its own message on opening
        kSomeoneElses // a box another screen opened over it, owned by it
    };
    enum class Gone
    {
        kClosed,  // the program closes it, as its owner does
        kRemoved, // taken off the stack without closing
    };
    struct Case
    {
        const char* name;
        Box box;
        Gone gone;
        bool modal;
        Codes results;
    };
    const Case cases[] = {
        {"file exists, closed", Box::kFileExists, Gone::kClosed, true, {28}},
        {"file exists, closed, not modal", Box::kFileExists, Gone::kClosed, false, {28}},
        {"file exists, removed", Box::kFileExists, Gone::kRemoved, true, {}},
        {"not found, closed", Box::kNotFound, Gone::kClosed, true, {28}},
        {"someone else's box, closed", Box::kSomeoneElses, Gone::kClosed, true, {28}},
        {"someone else's box, removed", Box::kSomeoneElses, Gone::kRemoved, false, {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        owner.results.clear();
        // The window manager holds the only reference: the dialog goes the
        // moment it leaves the stack.
        UIFileDialog* dialog =
            Open(c.box == Box::kFileExists ? UIFileDialog::kSave : UIFileDialog::kOpen, "*.chr", 0, c.modal);
        ASSERT_NE(dialog, nullptr);
        if (c.box == Box::kSomeoneElses)
        {
            UIMessageDialog* box = UIMessageDialog::Create("StdFileNotFoundDialog.ui", "Cannot Load",
                                                           "Choose another.", dialog, UIMessageDialog::kOk);
            ASSERT_NE(box, nullptr);
            box->Show(1, nullptr);
            box->Release();
        }
        else
        {
            dialog->SetFileName(c.box == Box::kFileExists ? "a" : "missing");
            Click(kOk);
        }
        ASSERT_NE(BoxCaption(), "");
        ASSERT_EQ(ui.Manager().GetWindowCount(), 2u);

        if (c.gone == Gone::kClosed)
            dialog->Close(1);
        else
            ui.Manager().RemoveWindow(dialog);
        EXPECT_EQ(ui.Manager().GetWindowCount(), 0u) << "the box went with the dialog";
        EXPECT_EQ(ui.Manager().GetModal(), nullptr);
        // Where the answers were: no answer reaches the dialog that went.
        for (DialogLayouts::Point answer : {kBoxOk, kBoxYes, kBoxNo})
            Click(answer);
        EXPECT_EQ(owner.Codes(), c.results);
        ui.Manager().CloseAll();
    }
}

TEST_F(FileDialogTest, ACopyBindsItsOwnListAndField)
{
    UIFileDialog* dialog = Open(UIFileDialog::kSave, "*.chr", 1);
    ASSERT_NE(dialog, nullptr);
    auto* copy = dynamic_cast<UIFileDialog*>(dialog->Clone());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetMode(), UIFileDialog::kSave);
    ASSERT_NE(copy->GetFileList(), nullptr);
    EXPECT_NE(copy->GetFileList(), dialog->GetFileList());
    EXPECT_TRUE(copy->ContainsDescendant(copy->GetFileList()));
    EXPECT_TRUE(copy->ContainsDescendant(copy->GetNameField()));
    copy->SetFileName("z");
    EXPECT_EQ(copy->GetFileName(), "z");
    EXPECT_EQ(dialog->GetFileName(), "");
    copy->Release();
}
} // namespace
