#include "Vel_ui/Vel_UIDialog.h"

#include "Ui/UITextControl.h"

Vel_UIDialog::Vel_UIDialog() = default;

Vel_UIDialog::Vel_UIDialog(const Vel_UIDialog& other) : UIDialog(other)
{
    BindStandardChildren();
}

Vel_UIDialog::~Vel_UIDialog() = default;

bool Vel_UIDialog::Load(FCFile& file)
{
    if (!UIDialog::Load(file))
        return false;
    BindStandardChildren();
    return true;
}

void Vel_UIDialog::BindStandardChildren()
{
    messageText = FindDescendantAs<UITextControl>(kMessageTextId, false);
    secondControl = FindDescendant(kSecondControlId);
    closeButton = FindDescendant(kCloseButtonId);
}

void Vel_UIDialog::SetMessageText(const std::string& text)
{
    if (messageText)
        messageText->SetText(text);
}

void Vel_UIDialog::SetMessageTextId(std::uint16_t stringId)
{
    if (messageText)
        messageText->SetTextId(stringId);
}
