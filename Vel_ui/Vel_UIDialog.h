#pragma once

#include "Ui/UIDialog.h"

#include <cstdint>
#include <string>

class UIControl;
class UITextControl;

// The base of the application's dialogs: finds the three standard children
// of a dialog layout (a message text, a second standard control and the
// close button). Never created by name: it keeps UIDialog's identity, and
// each concrete dialog registers and names itself.
class Vel_UIDialog : public UIDialog
{
public:
    static constexpr std::uint16_t kMessageTextId = 16005;
    static constexpr std::uint16_t kCloseButtonId = 16010;
    static constexpr std::uint16_t kSecondControlId = 16015;

    Vel_UIDialog();
    // The copy finds its own standard children, never the source's.
    Vel_UIDialog(const Vel_UIDialog& other);
    ~Vel_UIDialog() override;

    // The dialog and its children, then the standard children by id; one
    // the layout lacks stays null.
    bool Load(FCFile& file) override;

    void SetMessageText(const std::string& text);
    void SetMessageTextId(std::uint16_t stringId);

    UITextControl* GetMessageText() const { return messageText; }
    UIControl* GetSecondControl() const { return secondControl; }
    UIControl* GetCloseButton() const { return closeButton; }

protected:
    void BindStandardChildren();

    UITextControl* messageText = nullptr;
    UIControl* secondControl = nullptr;
    UIControl* closeButton = nullptr;
};
