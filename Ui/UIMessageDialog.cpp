#include "Ui/UIMessageDialog.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCCountedRef.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCTextLayout.h"
#include "Ui/UIMessages.h"
#include "Ui/UIText.h"
#include "Ui/UITextControl.h"
#include "Ui/UITextListBox.h"

#include <string_view>
#include <vector>

FC_REGISTER_CLASS(UIMessageDialog);

namespace
{
// Which button shows which caption for each set of flags; the first row
// whose flags are all present wins.
struct ButtonLayout
{
    std::uint16_t flags;
    std::uint16_t firstButton;
    std::uint16_t firstString;
    std::uint16_t secondButton; // 0: one button only
    std::uint16_t secondString;
};

constexpr ButtonLayout kButtonLayouts[] = {
    {UIMessageDialog::kOk | UIMessageDialog::kCancel, UIMessageDialog::kSecondButtonId,
     UIMessageDialog::kOkString, UIMessageDialog::kThirdButtonId, UIMessageDialog::kCancelString},
    {UIMessageDialog::kOk, UIMessageDialog::kFirstButtonId, UIMessageDialog::kOkString, 0, 0},
    {UIMessageDialog::kYes | UIMessageDialog::kNo, UIMessageDialog::kSecondButtonId,
     UIMessageDialog::kYesString, UIMessageDialog::kThirdButtonId, UIMessageDialog::kNoString},
};

constexpr std::uint16_t kButtonIds[] = {UIMessageDialog::kFirstButtonId,
                                        UIMessageDialog::kSecondButtonId,
                                        UIMessageDialog::kThirdButtonId};

} // namespace

UIMessageDialog::UIMessageDialog()
{
    typeCode = kClassCode;
}

UIMessageDialog::UIMessageDialog(std::uint16_t newId) : UIMessageDialog()
{
    id = newId;
}

UIMessageDialog::UIMessageDialog(const UIMessageDialog& other) = default;

UIMessageDialog::~UIMessageDialog() = default;

std::string UIMessageDialog::GetClassName() const
{
    return "UIMessageDialog";
}
std::string UIMessageDialog::GetTypeName() const
{
    return "UIMessageDialog";
}
FCObject* UIMessageDialog::Clone() const
{
    return new UIMessageDialog(*this);
}
FCObject* UIMessageDialog::CreateNew() const
{
    return new UIMessageDialog();
}

UIMessageDialog* UIMessageDialog::Create(const std::string& layout, const std::string& caption,
                                         const std::string& text, FCObject* newOwner,
                                         std::uint16_t flags)
{
    auto* dialog = CreateFromFileAs<UIMessageDialog>(layout, newOwner);
    if (!dialog)
        return nullptr;
    dialog->SetButtonFlags(flags);
    dialog->SetCaption(caption);
    dialog->SetText(text);
    dialog->LayoutButtons();
    return dialog;
}

void UIMessageDialog::SetCaption(const std::string& caption)
{
    if (auto* field = FindDescendantAs<UITextControl>(kCaptionId, true))
        field->SetText(caption);
}

void UIMessageDialog::SetText(const std::string& text)
{
    if (buttonFlags & kTextInList)
        FillTextList(text);
    else if (auto* field = FindDescendantAs<UITextControl>(kTextId, true))
        field->SetText(text);
}

void UIMessageDialog::FillTextList(const std::string& text)
{
    auto* list = FindDescendantAs<UITextListBox>(kTextListId, true);
    if (!list)
        return;
    list->RemoveAllItems();
    UITextControl* row = list->GetRowTemplate();
    FCFont* font = row ? row->GetFont() : nullptr;
    if (!font)
    {
        FC_LOG("Message box list %u has no row font\n", kTextListId);
        return;
    }
    // A row's text is its cell less the template's margins.
    const std::int32_t margins =
        row->GetWidth() - (row->GetTextObject() ? row->GetTextObject()->GetWidth() : 0);
    const std::int32_t width = list->GetItemSize().x - margins;
    // Line breaks at the very end would only add empty rows.
    const std::size_t end = text.find_last_not_of("\r\n");
    const std::string_view shown =
        end == std::string::npos ? std::string_view() : std::string_view(text).substr(0, end + 1);
    std::vector<std::string> lines;
    WrapText(lines, shown, FCPoint(width > 0 ? width : 1, 0), true, *font);
    for (std::string& line : lines)
    {
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        list->AddTextItem(line, list->GetFontId(), 0);
    }
    list->UpdateLayout();
}

void UIMessageDialog::SetButtonText(UIControl* button, std::uint16_t stringId)
{
    if (!button)
        return;
    if (auto* text = dynamic_cast<UIText*>(button->FindDisplayObjectByClass(UIText::kClassCode)))
        text->SetTextById(stringId);
}

void UIMessageDialog::LayoutButtons()
{
    for (std::uint16_t buttonId : kButtonIds)
        if (UIControl* button = FindDescendant(buttonId))
            button->SetVisible(0);
    for (const ButtonLayout& layout : kButtonLayouts)
    {
        if ((buttonFlags & layout.flags) != layout.flags)
            continue;
        const std::uint16_t shown[][2] = {{layout.firstButton, layout.firstString},
                                          {layout.secondButton, layout.secondString}};
        for (const auto& [buttonId, stringId] : shown)
        {
            UIControl* button = buttonId ? FindDescendant(buttonId) : nullptr;
            if (!button)
                continue;
            SetButtonText(button, stringId);
            button->SetVisible(1);
        }
        return;
    }
}

std::uint16_t UIMessageDialog::ResultOf(std::uint16_t buttonId) const
{
    if (buttonId == kFirstButtonId || buttonId == kSecondButtonId)
        return (buttonFlags & kOk) ? UIMessage::kResultOk : UIMessage::kResultYes;
    if (buttonId == kThirdButtonId)
        return (buttonFlags & kCancel) ? UIMessage::kResultCancel : UIMessage::kResultNo;
    return 0;
}

bool UIMessageDialog::HandleNotify(UIEvent& event)
{
    const std::uint16_t result =
        (event.sender && event.type == UIMessage::kClicked) ? ResultOf(event.sender->GetId()) : 0;
    if (!result)
        return UIDialog::HandleNotify(event);
    // The owner may close or release the box while it hears the answer.
    const auto hold = FCCountedRef<UIMessageDialog>::Share(this);
    NotifyOwner(result, 0);
    Close(0);
    return true;
}

void UIMessageDialog::Cancel()
{
    const auto hold = FCCountedRef<UIMessageDialog>::Share(this);
    if ((buttonFlags & (kOk | kCancel)) == (kOk | kCancel))
    {
        NotifyOwner(UIMessage::kResultCancel, 0);
        Close(0);
        return;
    }
    Close(1);
}
