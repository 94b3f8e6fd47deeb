#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "Ui/UITextControl.h"

#include <cstdint>
#include <string>

// A multi-line entry field: the text wraps at the text object's width,
// Enter inserts a line break, and nothing is inserted once the wrapped text
// would no longer fit the height.
class UIEditArea : public UITextControl
{
public:
    static constexpr std::int16_t kSoundKey = 174;
    static constexpr std::uint32_t kBlinkInterval = 400;

    UIEditArea();
    // The copy binds its own copy of the caret.
    UIEditArea(const UIEditArea& other);
    ~UIEditArea() override;

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
    // Never reported as handled, whether inserted or not.
    bool OnChar(UIEvent& event) override;

    // Clamped to 0 to the text's length.
    void SetCaretIndex(std::int32_t index);
    void MoveCaret(std::int32_t delta) { SetCaretIndex(std::int32_t{caretIndex} + delta); }
    std::uint16_t GetCaretIndex() const { return caretIndex; }
    UIText* GetCaret() const { return caret.Get(); }

protected:
    void OnTextChanged() override;

    // Whether the text, wrapped at the text object's width, fits its height.
    bool Fits(const std::string& text) const;
    // The character goes in at the caret, and the caret after it, only when
    // the text still fits.
    bool Insert(char c);
    // Removes the character at index; the caret then stands at caretTo.
    void Remove(std::size_t index, std::int32_t caretTo);

    std::uint32_t lastBlink = 0;
    FCCountedRef<UIText> caret;
    std::uint16_t caretIndex = 0;
    std::int16_t keySound = 0;
};
