#include "Ui/UIEditArea.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Graphics/FCFont.h"
#include "Fc/Graphics/FCTextLayout.h"
#include "Ui/UIText.h"

#include <algorithm>
#include <limits>

FC_REGISTER_CLASS(UIEditArea);

namespace
{
// Caret positions are measured with 16-bit indexes; typing stops where they
// could not follow.
constexpr std::size_t kLongestText = 0x7FFF;
const FCPoint kCaretSize(50, 50);

// Layout positions may hold any 32-bit values.
std::int32_t Clamp32(std::int64_t value)
{
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}
} // namespace

UIEditArea::UIEditArea() = default;

UIEditArea::UIEditArea(const UIEditArea& other)
    : UITextControl(other), lastBlink(other.lastBlink), caretIndex(other.caretIndex), keySound(other.keySound)
{
    caret = FCCountedRef<UIText>::Share(FindTextObject(kCaretId));
}

UIEditArea::~UIEditArea() = default;

std::string UIEditArea::GetClassName() const { return "UIEditArea"; }
std::string UIEditArea::GetTypeName() const { return "UIEditArea"; }
FCObject* UIEditArea::Clone() const { return new UIEditArea(*this); }
FCObject* UIEditArea::CreateNew() const { return new UIEditArea(); }

bool UIEditArea::Load(FCFile& file)
{
    if (!UITextControl::Load(file))
        return false;
    caret = FCCountedRef<UIText>::Share(MakeCaret(kCaretSize));
    caretIndex = 0;
    SetCaretIndex(0);
    return true;
}

void UIEditArea::Update(std::uint32_t tick)
{
    UITextControl::Update(tick);
    BlinkCaret(caret.Get(), lastBlink, kBlinkInterval, tick);
}

void UIEditArea::SetSound(std::int16_t soundEvent, std::uint16_t soundId)
{
    if (soundEvent == kSoundKey)
        keySound = static_cast<std::int16_t>(soundId);
    else
        UITextControl::SetSound(soundEvent, soundId);
}

void UIEditArea::SetCaretIndex(std::int32_t index)
{
    const std::string text = GetText();
    const auto last = static_cast<std::int32_t>(std::min(text.size(), kLongestText));
    caretIndex = static_cast<std::uint16_t>(std::clamp(index, 0, last));
    FCFont* font = GetFont();
    if (!caret || !font)
        return;
    const FCPoint at =
        GetWrappedCharPosition(text, *font, textObject->GetSize(), static_cast<std::int16_t>(caretIndex));
    const FCPoint origin = textObject->GetPosition();
    caret->SetPositionXY(Clamp32(std::int64_t{origin.x} + at.x), Clamp32(std::int64_t{origin.y} + at.y));
}

void UIEditArea::OnTextChanged()
{
    SetCaretIndex(caretIndex);
    UITextControl::OnTextChanged();
}

bool UIEditArea::Fits(const std::string& text) const
{
    FCFont* font = GetFont();
    if (!font || text.size() > kLongestText)
        return false;
    const FCPoint box = textObject->GetSize();
    const auto width = static_cast<std::int16_t>(std::clamp<std::int32_t>(box.x, 0, std::numeric_limits<std::int16_t>::max()));
    return MeasureWrappedText(text, *font, width).y <= box.y;
}

bool UIEditArea::Insert(char c)
{
    std::string text = GetText();
    const std::size_t at = std::min<std::size_t>(caretIndex, text.size());
    text.insert(text.begin() + static_cast<std::ptrdiff_t>(at), c);
    if (!Fits(text))
        return false;
    SetText(text);
    SetCaretIndex(static_cast<std::int32_t>(at) + 1);
    PlayKeySound(keySound);
    return true;
}

void UIEditArea::Remove(std::size_t index, std::int32_t caretTo)
{
    std::string text = GetText();
    text.erase(index, 1);
    SetText(text);
    SetCaretIndex(caretTo);
    PlayKeySound(keySound);
}

bool UIEditArea::OnChar(UIEvent& event)
{
    if (event.param1 >= 32 && event.param1 <= 126)
        Insert(static_cast<char>(event.param1));
    return false;
}

bool UIEditArea::OnKeyDown(UIEvent& event)
{
    const std::size_t length = std::min(GetText().size(), kLongestText);
    const std::size_t at = std::min<std::size_t>(caretIndex, length);
    switch (event.param1)
    {
    case kKeyBackspace:
        if (at == 0)
            return false;
        Remove(at - 1, static_cast<std::int32_t>(at) - 1);
        return true;
    case kKeyEnter:
        return Insert('\n');
    case kKeyEnd:
        SetCaretIndex(static_cast<std::int32_t>(length));
        return true;
    case kKeyHome:
        SetCaretIndex(0);
        return true;
    case kKeyLeft:
        if (at > 0)
            MoveCaret(-1);
        return true;
    case kKeyRight:
        if (at < length)
            MoveCaret(1);
        return true;
    case kKeyDelete:
        if (at >= length)
            return false;
        Remove(at, static_cast<std::int32_t>(at));
        return true;
    default:
        return false;
    }
}

void UIEditArea::OnMouseDown(UIEvent& event)
{
    if (FCFont* font = GetFont())
    {
        const FCPoint control = GetAbsolutePosition();
        const FCPoint origin = textObject->GetPosition();
        const FCPoint point(Clamp32(std::int64_t{event.x} - control.x - origin.x),
                            Clamp32(std::int64_t{event.y} - control.y - origin.y));
        SetCaretIndex(GetWrappedCharIndex(GetText(), *font, textObject->GetSize(), point));
    }
    UITextControl::OnMouseDown(event);
}
