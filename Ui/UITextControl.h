#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "Ui/UIControl.h"

#include <cstdint>
#include <string>
#include <string_view>

class FCFont;
class UIText;
struct UIFieldAttribute;
struct UIFieldAttributesRecord;
struct UITextContentRecord;

// A control that shows one text through its text object (display object
// 158), kept inside four margins. The text can be read and written as a
// number; every change reports 1009 to the parent. Edit fields, number
// fields and the rows of text lists build on it.
class UITextControl : public UIControl
{
public:
    static constexpr std::uint16_t kClassCode = 147;
    static constexpr std::uint16_t kTextObjectId = 158;
    // The edit fields' caret.
    static constexpr std::uint16_t kCaretId = 159;
    // Keys of the editing fields, as virtual-key numbers.
    enum Key : std::uint32_t
    {
        kKeyBackspace = 8,
        kKeyEnter = 13,
        kKeyShift = 16,
        kKeyEnd = 35,
        kKeyHome = 36,
        kKeyLeft = 37,
        kKeyUp = 38,
        kKeyRight = 39,
        kKeyDown = 40,
        kKeyDelete = 46,
    };
    // The text object's format flag that fits the control's height to its text.
    static constexpr std::uint32_t kAutoHeight = 0x080;

    UITextControl();
    // The font by its id in the asset index; with a size, that size.
    UITextControl(std::uint16_t newId, std::uint16_t fontId);
    UITextControl(std::uint16_t newId, std::uint16_t fontId, FCPoint size);
    // The copy binds its own copy of the text object.
    UITextControl(const UITextControl& other);
    ~UITextControl() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // The control, then the text and the attribute list. False (logged) when
    // display object 158 is not a text.
    bool Load(FCFile& file) override;
    // The text object follows: the control's size minus the margins, never
    // below zero.
    void SetSize(std::int32_t newWidth, std::int32_t newHeight) override;
    void SetSize(FCPoint size) override;

    virtual std::string GetText() const;
    virtual void SetText(const std::string& text);
    // 16- and 32-bit reads saturate; a text that is not a number reads as 0.
    virtual std::int16_t GetShort() const;
    virtual void SetShort(std::int16_t value);
    virtual std::int32_t GetLong() const;
    virtual void SetLong(std::int32_t value);
    virtual double GetDouble() const;
    virtual void SetDouble(double value);

    // The interface text of a string-table id; empty when the id is unknown.
    void SetTextId(std::uint16_t stringId);
    // The font of the asset index's id; null when the id is unknown.
    void SetFont(std::uint16_t fontId);
    void SetFontVariant(std::uint16_t variant);
    FCFont* GetFont() const;
    UIText* GetTextObject() const { return textObject.Get(); }

    void SetLeftMargin(std::int16_t margin);
    void SetRightMargin(std::int16_t margin);
    void SetTopMargin(std::int16_t margin);
    void SetBottomMargin(std::int16_t margin);
    std::int16_t GetLeftMargin() const { return leftMargin; }

    // With a font: a new text object (always drawn) in that font.
    void CreateTextObject(FCFont* font);
    // A layout's attribute list, in its stored order, through LoadAttribute:
    // the margins and the text object's format flags.
    void ApplyAttributes(const UIFieldAttributesRecord& attributes);
    // The control's height becomes the wrapped text's plus the margins.
    void FitHeight();

protected:
    // Fits the height when the text object asks for it, then 1009.
    virtual void OnTextChanged();
    // Reads this class's record after the control's sections.
    virtual bool LoadField(FCFile& file);
    // False for a code that nothing here knows.
    virtual bool LoadAttribute(const UIFieldAttribute& attribute);

    // Makes the text object when the layout brought none, then sets the
    // text and applies the attributes in their stored order.
    bool ApplyField(const UITextContentRecord& content, const UIFieldAttributesRecord& attributes);
    // The text object's size: the control's minus the margins, at least 0.
    void FitTextObject();
    // A caret for the edit fields: "|" in the control's font, always drawn,
    // hidden until the field has the focus. Null without a text object.
    UIText* MakeCaret(FCPoint size);
    // The caret shows only while the control has the focus, blinking at the
    // interval. Times are compared as unsigned differences, so the clock
    // wrapping around never stalls it.
    void BlinkCaret(UIText* caret, std::uint32_t& lastBlink, std::uint32_t interval, std::uint32_t tick);
    // On channel 6, unless something already plays there.
    void PlayKeySound(std::int16_t soundId) const;
    // The display object of that id when it is a text; null (logged) when
    // it is something else.
    UIText* FindTextObject(std::uint16_t objectId) const;
    // The leading integer of text (spaces, a sign, digits), saturated
    // instead of overflowing; 0 when there is none.
    static std::int64_t ParseInteger(std::string_view text);

    std::int16_t leftMargin = 0;
    std::int16_t rightMargin = 0;
    std::int16_t topMargin = 0;
    std::int16_t bottomMargin = 0;
    // Also in the display-object list.
    FCCountedRef<UIText> textObject;
};
