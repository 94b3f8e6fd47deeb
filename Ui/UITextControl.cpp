#include "Ui/UITextControl.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCConvert.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCFont.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Fc/Devices/FCSoundManager.h"
#include "Fc/Graphics/FCTextLayout.h"
#include "Ui/UILayoutCodec.h"
#include "Ui/UIMessages.h"
#include "Ui/UIText.h"

#include <algorithm>
#include <cmath>
#include <limits>

FC_REGISTER_CLASS(UITextControl);

namespace
{
constexpr std::int32_t kKeySoundChannel = 6;

FCFont* FontById(std::uint16_t fontId)
{
    FCResourceManager* resources = FCResourceManager::GetInstance();
    return resources ? resources->GetFont(fontId) : nullptr;
}

template <class T> T Saturate(std::int64_t value)
{
    return static_cast<T>(std::clamp<std::int64_t>(value, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}
} // namespace

UITextControl::UITextControl()
{
    typeCode = kClassCode;
}

UITextControl::UITextControl(std::uint16_t newId, std::uint16_t fontId) : UITextControl()
{
    id = newId;
    CreateTextObject(FontById(fontId));
}

UITextControl::UITextControl(std::uint16_t newId, std::uint16_t fontId, FCPoint size)
    : UITextControl(newId, fontId)
{
    SetSize(size);
}

UITextControl::UITextControl(const UITextControl& other)
    : UIControl(other), leftMargin(other.leftMargin), rightMargin(other.rightMargin),
      topMargin(other.topMargin), bottomMargin(other.bottomMargin)
{
    textObject = FCCountedRef<UIText>::Share(FindTextObject(kTextObjectId));
}

UITextControl::~UITextControl() = default;

std::string UITextControl::GetClassName() const { return "UITextControl"; }
std::string UITextControl::GetTypeName() const { return "UITextControl"; }
FCObject* UITextControl::Clone() const { return new UITextControl(*this); }
FCObject* UITextControl::CreateNew() const { return new UITextControl(); }

bool UITextControl::Load(FCFile& file)
{
    return UIControl::Load(file) && LoadField(file);
}

bool UITextControl::LoadField(FCFile& file)
{
    UITextControlRecord record;
    return UILayoutCodec::Read(file, record) && ApplyField(record.content, record.attributes);
}

bool UITextControl::ApplyField(const UITextContentRecord& content, const UIFieldAttributesRecord& attributes)
{
    if (FindDisplayObject(kTextObjectId))
    {
        textObject = FCCountedRef<UIText>::Share(FindTextObject(kTextObjectId));
        if (!textObject)
            return false;
    }
    else
    {
        auto* made = new UIText();
        made->SetId(kTextObjectId);
        made->SetSizeMode(sizeMode);
        made->SetSize(GetSize());
        AddDisplayObject(made, kAlwaysDrawn);
        textObject = FCCountedRef<UIText>::Share(made);
    }
    textObject->Apply(content);
    ApplyAttributes(attributes);
    return true;
}

void UITextControl::ApplyAttributes(const UIFieldAttributesRecord& attributes)
{
    for (const UIFieldAttribute& attribute : attributes.codes)
        LoadAttribute(attribute);
}

bool UITextControl::LoadAttribute(const UIFieldAttribute& attribute)
{
    const auto margin = static_cast<std::int16_t>(attribute.value);
    switch (attribute.code)
    {
    case UILayoutCodec::kTopMargin:
        SetTopMargin(margin);
        return true;
    case UILayoutCodec::kBottomMargin:
        SetBottomMargin(margin);
        return true;
    case UILayoutCodec::kLeftMargin:
        SetLeftMargin(margin);
        return true;
    case UILayoutCodec::kRightMargin:
        SetRightMargin(margin);
        return true;
    default:
        break;
    }
    const std::uint32_t flag = UIText::FlagOfAttribute(attribute.code);
    if (flag == 0 || !textObject)
        return false;
    textObject->SetFormatFlags(textObject->GetFormatFlags() | flag);
    return true;
}

UIText* UITextControl::FindTextObject(std::uint16_t objectId) const
{
    UIDisplayObject* object = FindDisplayObject(objectId);
    if (!object)
        return nullptr;
    auto* text = dynamic_cast<UIText*>(object);
    if (!text)
        FC_LOG("Display object %u of control %u is not a text\n", objectId, id);
    return text;
}

void UITextControl::SetSize(std::int32_t newWidth, std::int32_t newHeight)
{
    UIControl::SetSize(newWidth, newHeight);
    FitTextObject();
}

void UITextControl::SetSize(FCPoint size)
{
    SetSize(size.x, size.y);
}

void UITextControl::FitTextObject()
{
    if (!textObject)
        return;
    const FCPoint size = UIObject::GetSize();
    const auto inner = [](std::int32_t whole, std::int16_t a, std::int16_t b)
    { return Saturate<std::int32_t>(std::max<std::int64_t>(0, std::int64_t{whole} - a - b)); };
    textObject->SetSize(inner(size.x, leftMargin, rightMargin), inner(size.y, topMargin, bottomMargin));
}

namespace
{
// Moves the text object by the change of a leading margin.
void Shift(UIText* text, std::int32_t dx, std::int32_t dy)
{
    if (!text)
        return;
    const FCPoint at = text->GetStoredPosition();
    text->SetPositionXY(Saturate<std::int32_t>(std::int64_t{at.x} + dx), Saturate<std::int32_t>(std::int64_t{at.y} + dy));
}
} // namespace

void UITextControl::SetLeftMargin(std::int16_t margin)
{
    Shift(textObject.Get(), margin - leftMargin, 0);
    leftMargin = margin;
    FitTextObject();
}

void UITextControl::SetRightMargin(std::int16_t margin)
{
    rightMargin = margin;
    FitTextObject();
}

void UITextControl::SetTopMargin(std::int16_t margin)
{
    Shift(textObject.Get(), 0, margin - topMargin);
    topMargin = margin;
    FitTextObject();
}

void UITextControl::SetBottomMargin(std::int16_t margin)
{
    bottomMargin = margin;
    FitTextObject();
}

void UITextControl::CreateTextObject(FCFont* font)
{
    if (!font)
        return;
    auto* made = new UIText(kTextObjectId, font);
    AddDisplayObject(made, kAlwaysDrawn);
    textObject = FCCountedRef<UIText>::Share(made);
    made->SetPositionXY(leftMargin, topMargin);
    FitTextObject();
}

std::string UITextControl::GetText() const
{
    return textObject ? textObject->GetText() : std::string();
}

void UITextControl::SetText(const std::string& text)
{
    if (textObject)
        textObject->SetText(text);
    OnTextChanged();
}

void UITextControl::SetTextId(std::uint16_t stringId)
{
    FCResourceManager* resources = FCResourceManager::GetInstance();
    const std::string* text = resources ? resources->GetString(stringId) : nullptr;
    SetText(text ? *text : std::string());
}

std::int64_t UITextControl::ParseInteger(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    // Accumulated on the negative side, which reaches one further.
    constexpr std::int64_t kLowest = std::numeric_limits<std::int64_t>::min();
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    {
        const int digit = text[i] - '0';
        value = value < (kLowest + digit) / 10 ? kLowest : value * 10 - digit;
    }
    if (negative)
        return value;
    return value == kLowest ? std::numeric_limits<std::int64_t>::max() : -value;
}

std::int16_t UITextControl::GetShort() const
{
    return Saturate<std::int16_t>(ParseInteger(GetText()));
}

std::int32_t UITextControl::GetLong() const
{
    return Saturate<std::int32_t>(ParseInteger(GetText()));
}

double UITextControl::GetDouble() const
{
    const double value = StringToFloat(GetText());
    return std::isfinite(value) ? value : 0.0;
}

void UITextControl::SetShort(std::int16_t value)
{
    if (textObject)
        textObject->SetShort(value);
    OnTextChanged();
}

void UITextControl::SetLong(std::int32_t value)
{
    if (textObject)
        textObject->SetLong(value);
    OnTextChanged();
}

void UITextControl::SetDouble(double value)
{
    if (textObject)
        textObject->SetDouble(value);
    OnTextChanged();
}

void UITextControl::SetFont(std::uint16_t fontId)
{
    if (textObject)
        textObject->SetFont(FontById(fontId));
}

void UITextControl::SetFontVariant(std::uint16_t variant)
{
    if (textObject)
        textObject->SetFontVariant(variant);
}

FCFont* UITextControl::GetFont() const
{
    return textObject ? textObject->GetFont() : nullptr;
}

void UITextControl::FitHeight()
{
    FCFont* font = GetFont();
    if (!font)
        return;
    const std::int32_t textWidth = textObject->GetSize().x;
    const std::int32_t textHeight =
        MeasureWrappedText(textObject->GetText(), *font, Saturate<std::int16_t>(textWidth)).y;
    UIObject::SetSize(UIObject::GetSize().x,
                      Saturate<std::int32_t>(std::int64_t{textHeight} + topMargin + bottomMargin));
    textObject->SetSize(textWidth, textHeight);
}

void UITextControl::OnTextChanged()
{
    if (textObject && (textObject->GetFormatFlags() & kAutoHeight))
        FitHeight();
    SendMessageToParent(UIMessage::kTextChanged);
}

UIText* UITextControl::MakeCaret(FCPoint size)
{
    if (!textObject)
        return nullptr;
    auto* made = new UIText(kCaretId, textObject->GetFont());
    made->SetText("|");
    made->SetSize(size);
    made->SetVisible(0);
    AddDisplayObject(made, kAlwaysDrawn);
    return made;
}

void UITextControl::BlinkCaret(UIText* caret, std::uint32_t& lastBlink, std::uint32_t interval,
                               std::uint32_t tick)
{
    if (!caret)
        return;
    if (!IsFocused())
    {
        if (caret->GetVisibleFlag())
        {
            caret->SetVisible(0);
            caret->Invalidate();
        }
        return;
    }
    if (tick - lastBlink > interval)
    {
        caret->SetVisible(caret->GetVisibleFlag() ? 0 : 1);
        caret->Invalidate();
        lastBlink = tick;
    }
}

void UITextControl::PlayKeySound(std::int16_t soundId) const
{
    if (soundId <= 0)
        return;
    FCSoundManager* sound = FCSoundManager::GetInstance();
    if (sound && !sound->IsPlaying(kKeySoundChannel))
        PlaySound(static_cast<std::uint16_t>(soundId));
}
