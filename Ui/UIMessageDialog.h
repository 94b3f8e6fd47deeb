#pragma once

#include "Ui/UIDialog.h"

#include <cstdint>
#include <string>

// The message box: a caption, a message and up to three buttons that report
// OK, Cancel, Yes or No to the owner and close the box.
class UIMessageDialog : public UIDialog
{
public:
    static constexpr std::uint16_t kClassCode = 153;

    // Button flags.
    static constexpr std::uint16_t kOk = 0x1;
    static constexpr std::uint16_t kCancel = 0x2; // only with kOk
    static constexpr std::uint16_t kYes = 0x4;    // Yes and No need both bits
    static constexpr std::uint16_t kNo = 0x8;
    static constexpr std::uint16_t kTextInList = 0x1000;

    // Children by id.
    static constexpr std::uint16_t kTextListId = 100;
    static constexpr std::uint16_t kTextId = 105;
    static constexpr std::uint16_t kFirstButtonId = 110;
    static constexpr std::uint16_t kSecondButtonId = 111;
    static constexpr std::uint16_t kThirdButtonId = 112;
    static constexpr std::uint16_t kCaptionId = 130;

    // Interface strings of the button captions.
    static constexpr std::uint16_t kOkString = 410;
    static constexpr std::uint16_t kYesString = 411;
    static constexpr std::uint16_t kNoString = 412;
    static constexpr std::uint16_t kCancelString = 413;

    UIMessageDialog();
    explicit UIMessageDialog(std::uint16_t newId);
    UIMessageDialog(const UIMessageDialog& other);
    ~UIMessageDialog() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;

    // Loads the box from a layout, sets caption, text, owner and buttons.
    // Not shown: the caller shows it (usually Show(true, nullptr)) and
    // releases its reference. Null (logged) when the layout is absent or
    // its root is not a message dialog.
    static UIMessageDialog* Create(const std::string& layout, const std::string& caption,
                                   const std::string& text, FCObject* newOwner,
                                   std::uint16_t flags);

    // With kTextInList the text list is refilled with the text wrapped at
    // its row width, one row per line; otherwise the text field shows it.
    virtual void SetText(const std::string& text);
    // Buttons report their answer to the owner, then the box closes.
    bool HandleNotify(UIEvent& event) override;
    // Its Cancel button's answer when it has one; otherwise it closes
    // unanswered and the owner hears only that it closed.
    void Cancel() override;

    // The button's first text display object shows the interface string.
    void SetButtonText(UIControl* button, std::uint16_t stringId);
    void SetCaption(const std::string& caption);
    std::uint16_t GetButtonFlags() const { return buttonFlags; }
    void SetButtonFlags(std::uint16_t flags) { buttonFlags = flags; }
    // Hides the three buttons and shows those the flags ask for.
    void LayoutButtons();

protected:
    // The result code of a click on the button with this id; 0 for others.
    std::uint16_t ResultOf(std::uint16_t buttonId) const;
    void FillTextList(const std::string& text);

    std::uint16_t buttonFlags = 0;
};
