#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "Ui/UITextControl.h"

#include <cstdint>
#include <limits>
#include <string>

// A one-line entry field: a blinking caret (display object 159), character
// filtering by classes and limits, the editing keys, click-to-place and a
// key-click sound. Enter reports 1016 to the parent.
class UIEditControl : public UITextControl
{
public:
    static constexpr std::int16_t kSoundKey = 174;

    // Character flags.
    static constexpr std::uint32_t kLetters = 0x01;
    static constexpr std::uint32_t kDigits = 0x02;
    static constexpr std::uint32_t kOthers = 0x04;
    static constexpr std::uint32_t kSpaces = 0x08;
    // Letters and digits first, then anything but punctuation.
    static constexpr std::uint32_t kNameLike = 0x10;
    static constexpr std::uint32_t kLimitLength = 0x20;
    static constexpr std::uint32_t kFitWidth = 0x40;
    // Clicks go through to what lies below.
    static constexpr std::uint32_t kClickThrough = 0x80;
    static constexpr std::uint32_t kDefaultCharFlags = kLetters | kDigits | kOthers | kSpaces;

    // Attribute codes of the layout.
    static constexpr std::int16_t kFitWidthCode = 11;
    static constexpr std::int16_t kTransparentCode = 12;

    UIEditControl();
    // The copy binds its own copy of the caret.
    UIEditControl(const UIEditControl& other);
    ~UIEditControl() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // The text control's payload, then the caret at index 0.
    bool Load(FCFile& file) override;
    void Update(std::uint32_t tick) override;
    // 174 is the key sound; others go to the control.
    void SetSound(std::int16_t soundEvent, std::uint16_t soundId) override;
    void OnMouseDown(UIEvent& event) override;
    bool OnKeyDown(UIEvent& event) override;
    bool OnChar(UIEvent& event) override;
    // A descendant's 1007 puts the caret at the end first.
    bool HandleNotify(UIEvent& event) override;

    // Whether the character (a Windows-1252 code) may be typed now.
    bool IsCharAllowed(std::uint32_t code) const;
    // Ignored outside 0 to the text's length.
    void SetCaretIndex(std::int32_t index);
    std::int16_t GetCaretIndex() const { return caretIndex; }
    std::uint32_t GetCharFlags() const { return charFlags; }
    void SetCharFlags(std::uint32_t flags) { charFlags = flags; }
    std::int32_t GetMaxLength() const { return maxLength; }
    void SetMaxLength(std::int32_t length) { maxLength = length; }
    UIText* GetCaret() const { return caret.Get(); }

protected:
    void OnTextChanged() override;
    bool LoadAttribute(const UIFieldAttribute& attribute) override;

    // Pulls the caret back inside the text after any change of it.
    void KeepCaretInText();
    // Inserts the character at the caret and moves the caret past what the
    // text grew by; false when the filter refuses it.
    bool InsertChar(std::uint32_t code);
    // The caret index for a point of the control's x coordinate.
    std::int32_t CaretIndexAt(std::int32_t x) const;

    std::uint32_t charFlags = kDefaultCharFlags;
    std::int32_t maxLength = std::numeric_limits<std::int32_t>::max();
    std::int16_t caretIndex = 0;
    std::int16_t blinkInterval = 400;
    std::uint32_t lastBlink = 0;
    FCCountedRef<UIText> caret;
    std::int16_t keySound = 0;
};
