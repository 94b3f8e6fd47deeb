#include "Ui/UIEditControl.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Graphics/FCFont.h"
#include "Fc/Graphics/FCTextLayout.h"
#include "Ui/UILayoutCodec.h"
#include "Ui/UIMessages.h"
#include "Ui/UIText.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

FC_REGISTER_CLASS(UIEditControl);

namespace
{
// The caret index is 16 bits wide; typing stops where it could not follow.
constexpr std::size_t kLongestText = 0x7FFF;

enum class CharClass : std::uint8_t
{
    kLetter,
    kDigit,
    kSpace,
    kOther,
};

CharClass Classify(unsigned char c)
{
    if (std::isalpha(c))
        return CharClass::kLetter;
    if (std::isdigit(c))
        return CharClass::kDigit;
    return c == ' ' ? CharClass::kSpace : CharClass::kOther;
}
} // namespace

UIEditControl::UIEditControl() = default;

UIEditControl::UIEditControl(const UIEditControl& other)
    : UITextControl(other), charFlags(other.charFlags), maxLength(other.maxLength),
      caretIndex(other.caretIndex), blinkInterval(other.blinkInterval), lastBlink(other.lastBlink),
      keySound(other.keySound)
{
    caret = FCCountedRef<UIText>::Share(FindTextObject(kCaretId));
}

UIEditControl::~UIEditControl() = default;

std::string UIEditControl::GetClassName() const { return "UIEditControl"; }
std::string UIEditControl::GetTypeName() const { return "UIEditControl"; }
FCObject* UIEditControl::Clone() const { return new UIEditControl(*this); }
FCObject* UIEditControl::CreateNew() const { return new UIEditControl(); }

bool UIEditControl::Load(FCFile& file)
{
    if (!UITextControl::Load(file))
        return false;
    FCPoint size(0, 0);
    if (FCFont* font = GetFont())
    {
        const FCPoint glyph = font->GetCharSize('|', true);
        size = FCPoint(glyph.x, glyph.y + 2);
    }
    caret = FCCountedRef<UIText>::Share(MakeCaret(size));
    caretIndex = 0;
    SetCaretIndex(0);
    return true;
}

bool UIEditControl::LoadAttribute(const UIFieldAttribute& attribute)
{
    switch (attribute.code)
    {
    case kFitWidthCode:
        charFlags |= kFitWidth;
        return true;
    case kTransparentCode:
        charFlags |= kClickThrough;
        SetMouseTransparent(1);
        return true;
    default:
        return UITextControl::LoadAttribute(attribute);
    }
}

void UIEditControl::Update(std::uint32_t tick)
{
    UITextControl::Update(tick);
    BlinkCaret(caret.Get(), lastBlink, static_cast<std::uint32_t>(std::max<std::int16_t>(blinkInterval, 0)), tick);
}

void UIEditControl::SetSound(std::int16_t soundEvent, std::uint16_t soundId)
{
    if (soundEvent == kSoundKey)
        keySound = static_cast<std::int16_t>(soundId);
    else
        UITextControl::SetSound(soundEvent, soundId);
}

bool UIEditControl::IsCharAllowed(std::uint32_t code) const
{
    const std::string text = GetText();
    if ((charFlags & kLimitLength) && std::int64_t{maxLength} < static_cast<std::int64_t>(text.size()) + 1)
        return false;
    if (code < 32 || code > 126)
        return false;
    const auto c = static_cast<unsigned char>(code);
    if (charFlags & kFitWidth)
        if (FCFont* font = GetFont())
        {
            const std::int64_t wide = std::int64_t{MeasureTextLine(text, *font).x} +
                                      font->GetCharSize(static_cast<char>(c), text.empty()).x;
            if (wide > textObject->GetSize().x)
                return false;
        }
    const CharClass kind = Classify(c);
    if ((kind == CharClass::kLetter && (charFlags & kLetters)) ||
        (kind == CharClass::kDigit && (charFlags & kDigits)) ||
        (kind == CharClass::kOther && (charFlags & kOthers)))
        return true;
    if (charFlags & kNameLike)
        return text.empty() ? kind == CharClass::kLetter || kind == CharClass::kDigit
                            : kind != CharClass::kOther;
    return kind == CharClass::kSpace && (charFlags & kSpaces);
}

bool UIEditControl::InsertChar(std::uint32_t code)
{
    const std::string text = GetText();
    if (text.size() >= kLongestText || !IsCharAllowed(code))
        return false;
    const std::size_t at = std::min<std::size_t>(caretIndex, text.size());
    SetText(text.substr(0, at) + static_cast<char>(code) + text.substr(at));
    // A derived field may add to what was typed (a plus sign); the caret
    // goes past all of it.
    const std::size_t grown = GetText().size() > text.size() ? GetText().size() - text.size() : 0;
    SetCaretIndex(static_cast<std::int32_t>(at + grown));
    PlayKeySound(keySound);
    return true;
}

bool UIEditControl::OnChar(UIEvent& event)
{
    return InsertChar(event.param1 > 0xFF ? 0 : static_cast<std::uint32_t>(event.param1));
}

bool UIEditControl::OnKeyDown(UIEvent& event)
{
    const std::string text = GetText();
    const auto length = static_cast<std::int32_t>(std::min(text.size(), kLongestText));
    const std::int32_t at = std::min<std::int32_t>(caretIndex, length);
    switch (event.param1)
    {
    case kKeyBackspace:
        if (at > 0)
        {
            SetCaretIndex(at - 1);
            SetText(text.substr(0, at - 1) + text.substr(at));
            PlayKeySound(keySound);
        }
        return true;
    case kKeyEnter:
        SendMessageToParent(UIMessage::kEnterPressed);
        return true;
    case kKeyShift:
        return true;
    case kKeyEnd:
        SetCaretIndex(length);
        return true;
    case kKeyHome:
        SetCaretIndex(0);
        return true;
    case kKeyLeft:
        SetCaretIndex(at - 1);
        return true;
    case kKeyRight:
        SetCaretIndex(at + 1);
        return true;
    case kKeyDelete:
        if (at < length)
        {
            SetText(text.substr(0, at) + text.substr(at + 1));
            PlayKeySound(keySound);
        }
        return true;
    default:
        return false;
    }
}

std::int32_t UIEditControl::CaretIndexAt(std::int32_t x) const
{
    FCFont* font = GetFont();
    if (!font)
        return 0;
    const std::string text = GetText();
    const std::int64_t origin = textObject->GetLinePosition(text, textObject->GetPosition(), textObject->GetSize()).x;
    if (x < origin)
        return 0;
    std::int64_t width = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] != '\n')
            width += font->GetGlyphSize(FCFont::GlyphOf(text[i]), i == 0).x;
        if (x < origin + width)
            return static_cast<std::int32_t>(i);
    }
    return static_cast<std::int32_t>(text.size());
}

void UIEditControl::OnMouseDown(UIEvent& event)
{
    const std::int64_t x = std::int64_t{event.x} - GetAbsolutePosition().x;
    SetCaretIndex(CaretIndexAt(static_cast<std::int32_t>(std::clamp<std::int64_t>(x, INT32_MIN, INT32_MAX))));
    UITextControl::OnMouseDown(event);
}

void UIEditControl::SetCaretIndex(std::int32_t index)
{
    const std::string text = GetText();
    if (index < 0 || static_cast<std::size_t>(index) > std::min(text.size(), kLongestText))
        return;
    caretIndex = static_cast<std::int16_t>(index);
    FCFont* font = GetFont();
    if (!caret || !font)
        return;
    const FCPoint origin = textObject->GetLinePosition(text, textObject->GetPosition(), textObject->GetSize());
    const std::int64_t x = std::int64_t{origin.x} + MeasureTextLine(std::string_view(text).substr(0, index), *font).x;
    caret->SetPositionXY(static_cast<std::int32_t>(std::clamp<std::int64_t>(x, INT32_MIN, INT32_MAX)), origin.y);
}

void UIEditControl::KeepCaretInText()
{
    const std::size_t length = std::min(GetText().size(), kLongestText);
    SetCaretIndex(std::min<std::int32_t>(caretIndex, static_cast<std::int32_t>(length)));
}

void UIEditControl::OnTextChanged()
{
    KeepCaretInText();
    UITextControl::OnTextChanged();
}

bool UIEditControl::HandleNotify(UIEvent& event)
{
    if (event.type == UIMessage::kFocusGained)
        SetCaretIndex(static_cast<std::int32_t>(std::min(GetText().size(), kLongestText)));
    return UITextControl::HandleNotify(event);
}
