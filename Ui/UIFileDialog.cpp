#include "Ui/UIFileDialog.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFileName.h"
#include "Fc/Core/FCFileUtil.h"
#include "Fc/Graphics/FCPixelConvert.h"
#include "Ui/UIBorder.h"
#include "Ui/UIEditControl.h"
#include "Ui/UIListBox.h"
#include "Ui/UIMessageDialog.h"
#include "Ui/UIMessages.h"
#include "Ui/UITextControl.h"
#include "Ui/UITextListBox.h"
#include "Ui/UIWindowManager.h"

#include <algorithm>

FC_REGISTER_CLASS(UIFileDialog);

namespace
{
// Bit 0x2000 marks the standard file messages; the message box ignores it.
constexpr std::uint16_t kStandardMessage = 0x2000;
constexpr std::uint16_t kOkMessage = kStandardMessage | UIMessageDialog::kOk;
constexpr std::uint16_t kYesNoMessage =
    kStandardMessage | UIMessageDialog::kYes | UIMessageDialog::kNo;

// A row: white outlines while selected and while the pointer is over it.
constexpr std::uint32_t kRowOutlineMasks[] = {0x200, 0x400};
constexpr std::int16_t kRowTextMargin = 5;

char LowerAscii(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<char>(u - 'A' + 'a') : c;
}

// File names match the filter without regard to case, so their endings
// are compared the same way.
bool EndsWithNoCase(const std::string& text, const std::string& ending)
{
    return text.size() >= ending.size() &&
           std::equal(ending.rbegin(), ending.rend(), text.rbegin(),
                      [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool IsAnswer(std::uint16_t code)
{
    return code >= UIMessage::kResultOk && code <= UIMessage::kResultNo;
}

} // namespace

UIFileDialog::UIFileDialog() : folder(GetWorkingDirectory())
{
    typeCode = kClassCode;
}

UIFileDialog::UIFileDialog(std::uint16_t newId) : UIFileDialog()
{
    id = newId;
}

UIFileDialog::UIFileDialog(const UIFileDialog& other)
    : UIDialog(other), mode(other.mode), folder(GetWorkingDirectory())
{
    BindChildren();
}

UIFileDialog::~UIFileDialog() = default;

std::string UIFileDialog::GetClassName() const
{
    return "UIFileDialog";
}
std::string UIFileDialog::GetTypeName() const
{
    return "UIFileDialog";
}
FCObject* UIFileDialog::Clone() const
{
    return new UIFileDialog(*this);
}
FCObject* UIFileDialog::CreateNew() const
{
    return new UIFileDialog();
}

bool UIFileDialog::BindChildren()
{
    fileList = FindDescendantAs<UIListBox>(kFileListId, false);
    nameField = FindDescendantAs<UIEditControl>(kNameFieldId, false);
    return fileList && nameField;
}

bool UIFileDialog::Load(FCFile& file)
{
    if (!UIDialog::Load(file))
        return false;
    if (!BindChildren())
    {
        FC_LOG("File dialog %u needs list %u and name field %u\n", id, kFileListId, kNameFieldId);
        return false;
    }
    nameField->SetCharFlags(kNameCharacters);
    return true;
}

UIFileDialog* UIFileDialog::Open(const std::string& layout, const std::string& title,
                                 const std::string& newFolder, const std::string& newFilter,
                                 std::uint8_t newShowExtensions, std::uint16_t newMode,
                                 FCObject* newOwner, UIDialog* newContext)
{
    auto* dialog = CreateFromFileAs<UIFileDialog>(layout, newOwner);
    if (!dialog)
        return nullptr;
    dialog->SetTitle(title);
    if (!newFolder.empty())
        dialog->SetFolder(newFolder);
    if (!newFilter.empty())
        dialog->SetFilter(newFilter);
    dialog->SetMode(newMode, 0);
    dialog->SetShowExtensions(newShowExtensions, 0);
    dialog->UpdateOkButton();
    dialog->FillList();
    if (newContext)
        dialog->SetContext(newContext);
    return dialog;
}

void UIFileDialog::SetMode(std::uint16_t newMode, std::uint8_t update)
{
    mode = newMode;
    if (update)
    {
        UpdateOkButton();
        FillList();
    }
}

void UIFileDialog::SetFileName(const std::string& name)
{
    if (nameField)
        nameField->SetText(name);
    UpdateOkButton();
}

std::string UIFileDialog::GetFileName() const
{
    return nameField ? nameField->GetText() : std::string();
}

void UIFileDialog::SetTitle(const std::string& title)
{
    if (auto* text = FindDescendantAs<UITextControl>(kTitleId, true))
        text->SetText(title);
}

void UIFileDialog::SetShowExtensions(std::uint8_t show, std::uint8_t refill)
{
    showExtensions = show;
    if (refill)
        FillList();
}

void UIFileDialog::SetContext(UIDialog* newContext)
{
    context = FCCountedRef<UIDialog>::Share(newContext);
}

std::string UIFileDialog::FilterExtension() const
{
    const std::string extension = GetFileExtension(filter);
    if (extension.size() < 2 || extension.find_first_of("*?") != std::string::npos)
        return std::string();
    return extension;
}

std::string UIFileDialog::GetFullPath() const
{
    std::string path = folder;
    if (!path.empty() && !IsSeparator(path.back()))
        path += '\\';
    const std::string name = GetFileName();
    path += name;
    if (!showExtensions)
    {
        const std::string extension = FilterExtension();
        if (!EndsWithNoCase(name, extension))
            path += extension;
    }
    return path;
}

void UIFileDialog::FillList()
{
    if (!fileList)
        return;
    const auto names = ListFiles(folder, filter, kListFiles);
    fileList->RemoveAllItems();
    const std::string hidden = showExtensions ? std::string() : FilterExtension();
    FCFont* font = RowFont();
    const FCPoint size = fileList->GetItemSize();
    for (const std::string& name : *names)
    {
        auto* row = new UITextControl();
        row->CreateTextObject(font);
        for (std::uint32_t mask : kRowOutlineMasks)
        {
            auto* outline = new UIBorder(0, MakeScreenColour(255, 255, 255));
            outline->SetSizeMode(kSizeParent);
            row->AddDisplayObject(outline, mask);
        }
        row->SetChangeMode(kOnRelease);
        row->SetLeftMargin(kRowTextMargin);
        row->SetSize(size);
        const bool strip =
            !hidden.empty() && name.size() > hidden.size() && EndsWithNoCase(name, hidden);
        row->SetText(strip ? name.substr(0, name.size() - hidden.size()) : name);
        fileList->AddItem(row, 0);
    }
    fileList->UpdateLayout();
}

FCFont* UIFileDialog::RowFont() const
{
    // A text list's rows are in its font; a plain list's in the name's.
    if (auto* textList = dynamic_cast<UITextListBox*>(fileList))
        if (UITextControl* row = textList->GetRowTemplate())
            return row->GetFont();
    return nameField ? nameField->GetFont() : nullptr;
}

void UIFileDialog::UpdateOkButton()
{
    UIControl* ok = FindDescendant(kOkId);
    if (!ok)
        return;
    const std::uint8_t hasName = GetFileName().empty() ? 0 : 1;
    ok->SetVisible(hasName);
    ok->SetEnabled(hasName);
    ok->Invalidate();
}

bool UIFileDialog::HandleNotify(UIEvent& event)
{
    if (!event.sender)
        return false;
    // Closing or the owner's handler may drop the last reference.
    const auto hold = FCCountedRef<UIFileDialog>::Share(this);
    const std::uint16_t senderId = event.sender->GetId();
    switch (event.type)
    {
    case UIMessage::kClicked:
        if (senderId == kCancelId || senderId == kCloseId)
        {
            Close(1);
            return true;
        }
        if (senderId != kOkId)
            break;
        [[fallthrough]];
    case UIMessage::kEnterPressed:
        if (GetFileName().empty())
            return true;
        if (mode == kSave)
            CheckSave();
        else
            CheckOpen();
        return true;
    case UIMessage::kChanged:
    case UIMessage::kDeselect:
    {
        UpdateOkButton();
        // Between a deselection and the next selection no row is chosen:
        // the name stays as it was.
        UIControl* selected = fileList ? fileList->GetSelectedItem(0) : nullptr;
        if (auto* row = dynamic_cast<UITextControl*>(selected))
            SetFileName(row->GetText());
        break;
    }
    case UIMessage::kTextChanged:
        if (senderId == kNameFieldId)
            UpdateOkButton();
        break;
    default:
        break;
    }
    return UIDialog::HandleNotify(event);
}

void UIFileDialog::CheckOpen()
{
    const std::string path = GetFullPath();
    if (FileExists(path))
    {
        // The owner closes the dialog when it is done with the file.
        NotifyOwner(UIMessage::kResultFileOpen, reinterpret_cast<std::uintptr_t>(&path));
        return;
    }
    ShowMessage("File not found", "Please verify that the file name is correct.", kOkMessage);
}

void UIFileDialog::CheckSave()
{
    const std::string path = GetFullPath();
    if (!FileExists(path))
    {
        NotifyOwner(UIMessage::kResultFileSave, reinterpret_cast<std::uintptr_t>(&path));
        Close(1);
    }
    // A context stands in for either question.
    else if (!context && !IsFileWritable(path))
        ShowMessage("Read Only File",
                    "The file you have chosen is Read Only and can't be overwritten.", kOkMessage);
    else
        ShowMessage("File Exists", "Do you wish to overwrite the file?", kYesNoMessage);
}

void UIFileDialog::ShowMessage(const char* caption, const char* text, std::uint16_t flags)
{
    UIWindowManager* manager = UIWindowManager::GetInstance();
    UIWindow* current = manager ? manager->GetModal() : nullptr;
    modalWasSelf = current == this ? 1 : 0;
    modalBefore = FCCountedRef<UIWindow>::Share(current == this ? nullptr : current);
    awaitingAnswer = 1;
    if (context)
    {
        context->Show(1, nullptr);
        return;
    }
    UIMessageDialog* box = UIMessageDialog::Create(kMessageLayout, caption, text, this, flags);
    if (!box)
    {
        awaitingAnswer = 0;
        modalBefore.Reset();
        return;
    }
    box->Show(1, nullptr);
    box->Release(); // the stack holds it
}

void UIFileDialog::RestoreModal()
{
    UIWindow* restored = modalWasSelf ? this : modalBefore.Get();
    awaitingAnswer = 0;
    modalWasSelf = 0;
    UIWindowManager* manager = UIWindowManager::GetInstance();
    if (manager)
        manager->SetModal(restored && manager->IsOpen(restored) ? restored : nullptr);
    modalBefore.Reset();
}

void UIFileDialog::Close(std::uint8_t notify)
{
    const auto hold = FCCountedRef<UIFileDialog>::Share(this);
    // The standard boxes are owned by this dialog and close with it; a
    // context is only shown by it.
    if (awaitingAnswer && context && context->IsOpen())
        context->Close(0);
    UIDialog::Close(notify);
    if (awaitingAnswer)
        RestoreModal();
}

void UIFileDialog::HandleMessage(std::int16_t messageId, void* data)
{
    const auto code = static_cast<std::uint16_t>(messageId);
    const auto hold = FCCountedRef<UIFileDialog>::Share(this);
    if (IsAnswer(code) && awaitingAnswer)
    {
        RestoreModal();
        if (code == UIMessage::kResultYes && mode == kSave)
        {
            const std::string path = GetFullPath();
            NotifyOwner(UIMessage::kResultFileSave, reinterpret_cast<std::uintptr_t>(&path));
            Close(1);
            return;
        }
    }
    UIDialog::HandleMessage(messageId, data);
}
