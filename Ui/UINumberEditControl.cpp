#include "Ui/UINumberEditControl.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCConvert.h"
#include "Ui/UILayoutCodec.h"
#include "Ui/UIMessages.h"
#include "Ui/UIText.h"

#include <algorithm>
#include <cmath>
#include <limits>

FC_REGISTER_CLASS(UINumberEditControl);

namespace
{
// Digits after an optional sign, and at least one of them.
bool IsWholeNumberText(std::string_view text)
{
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}
} // namespace

UINumberEditControl::UINumberEditControl()
{
    typeCode = kClassCode;
}

UINumberEditControl::UINumberEditControl(const UINumberEditControl& other)
    : UIEditControl(other), maximum(other.maximum), minimum(other.minimum), step(other.step),
      markLimits(other.markLimits), markNegatives(other.markNegatives), plusSign(other.plusSign),
      disabledByRange(other.disabledByRange)
{
}

UINumberEditControl::~UINumberEditControl() = default;

std::string UINumberEditControl::GetClassName() const { return "UINumberEditControl"; }
std::string UINumberEditControl::GetTypeName() const { return "UINumberEditControl"; }
FCObject* UINumberEditControl::Clone() const { return new UINumberEditControl(*this); }
FCObject* UINumberEditControl::CreateNew() const { return new UINumberEditControl(); }

bool UINumberEditControl::Load(FCFile& file)
{
    if (!UIEditControl::Load(file))
        return false;
    UpdateFontVariant(GetDouble());
    return true;
}

bool UINumberEditControl::LoadField(FCFile& file)
{
    UINumberEditControlRecord record;
    return UILayoutCodec::Read(file, record) && ApplyField(record.content, record.attributes);
}

bool UINumberEditControl::LoadAttribute(const UIFieldAttribute& attribute)
{
    switch (attribute.code)
    {
    case UILayoutCodec::kStep:
        SetStep(attribute.number);
        return true;
    case UILayoutCodec::kMaximum:
        maximum = attribute.number;
        return true;
    case UILayoutCodec::kMinimum:
        minimum = attribute.number;
        return true;
    // The marks go on to the text object as well, which formats by them.
    case kMarkLimitsCode:
        markLimits = 1;
        break;
    case kMarkNegativesCode:
        markNegatives = 1;
        break;
    case kPlusSignCode:
        plusSign = 1;
        break;
    default:
        break;
    }
    return UIEditControl::LoadAttribute(attribute);
}

bool UINumberEditControl::OnChar(UIEvent& event)
{
    const std::uintptr_t code = event.param1;
    if (code < '0' || code > '9')
    {
        OnTextChanged();
        return true;
    }
    const std::string text = GetText();
    const std::size_t at = std::min<std::size_t>(static_cast<std::size_t>(caretIndex), text.size());
    const std::string before = text.substr(0, at);
    const char digit = static_cast<char>(code);
    const std::string candidate = before + digit + text.substr(at);
    // No leading zeros. The minimum is left to Enter and the loss of focus,
    // so that 10 can be typed into a field whose minimum is 3.
    const bool refused = (ParseInteger(before) <= 0 && digit == '0') || !IsWholeNumberText(candidate) ||
                         static_cast<double>(ParseInteger(candidate)) > maximum;
    if (refused)
    {
        OnTextChanged();
        return true;
    }
    if (!UIEditControl::OnChar(event))
        return false;
    OnTextChanged();
    return true;
}

bool UINumberEditControl::OnKeyDown(UIEvent& event)
{
    switch (event.param1)
    {
    case kKeyUp:
        StepUp();
        PlayKeySound(keySound);
        return true;
    case kKeyDown:
        StepDown();
        PlayKeySound(keySound);
        return true;
    case kKeyEnter:
        ClampToRange();
        break;
    default:
        break;
    }
    const bool handled = UIEditControl::OnKeyDown(event);
    OnTextChanged();
    return handled;
}

bool UINumberEditControl::OnLoseFocus(UIControl* newFocus)
{
    ClampToRange();
    return UIEditControl::OnLoseFocus(newFocus);
}

void UINumberEditControl::SetText(const std::string& text)
{
    showingMaxText = 0;
    if (plusSign && ParseInteger(text) > 0 && text.front() != '+')
        UIEditControl::SetText("+" + text);
    else
        UIEditControl::SetText(text);
}

std::int16_t UINumberEditControl::GetShort() const
{
    return showingMaxText ? TruncateToInteger<std::int16_t>(maximum) : UIEditControl::GetShort();
}

std::int32_t UINumberEditControl::GetLong() const
{
    return showingMaxText ? TruncateToInteger<std::int32_t>(maximum) : UIEditControl::GetLong();
}

double UINumberEditControl::GetDouble() const
{
    return showingMaxText ? maximum : UIEditControl::GetDouble();
}

void UINumberEditControl::SetShort(std::int16_t value)
{
    SetLong(value);
}

void UINumberEditControl::SetLong(std::int32_t value)
{
    if (value >= maximum && !maxText.empty())
    {
        showingMaxText = 1;
        UIEditControl::SetText(maxText);
        return;
    }
    showingMaxText = 0;
    UIEditControl::SetLong(value);
}

void UINumberEditControl::SetDouble(double value)
{
    if (value >= maximum && !maxText.empty())
    {
        showingMaxText = 1;
        UIEditControl::SetText(maxText);
        return;
    }
    showingMaxText = 0;
    UIEditControl::SetDouble(value);
}

void UINumberEditControl::SetRange(double newMinimum, double newMaximum)
{
    minimum = newMinimum;
    maximum = newMaximum;
    if (!(newMinimum < newMaximum))
    {
        if (IsEnabled())
        {
            SetEnabled(0);
            disabledByRange = 1;
            Invalidate();
        }
        return;
    }
    if (disabledByRange)
    {
        disabledByRange = 0;
        SetEnabled(1);
        Invalidate();
    }
    ClampToRange();
}

void UINumberEditControl::GetRange(double& outMinimum, double& outMaximum) const
{
    outMinimum = minimum;
    outMaximum = maximum;
}

bool UINumberEditControl::IsInRange(double value) const
{
    return minimum <= value && value <= maximum;
}

void UINumberEditControl::SetStep(double newStep)
{
    step = newStep;
    if (std::trunc(newStep) != newStep && textObject)
        textObject->SetFormatFlags(textObject->GetFormatFlags() | UIText::kOneDecimal);
}

bool UINumberEditControl::StepUp()
{
    return Step(step);
}

bool UINumberEditControl::StepDown()
{
    return Step(-step);
}

bool UINumberEditControl::Step(double delta)
{
    const double value = GetDouble() + delta;
    if (!IsInRange(value))
        return false;
    SetDouble(value);
    return true;
}

bool UINumberEditControl::ClampToRange()
{
    if (!(minimum <= maximum))
        return false;
    const double value = GetDouble();
    if (value < minimum)
        SetDouble(minimum);
    else if (value > maximum)
        SetDouble(maximum);
    else
        return false;
    return true;
}

void UINumberEditControl::UpdateFontVariant(double value)
{
    std::uint16_t variant = 0;
    if (markLimits && (value == maximum || value == minimum))
        variant = kLimitVariant;
    else if (markNegatives && value < 0)
        variant = kNegativeVariant;
    SetFontVariant(variant);
}

void UINumberEditControl::OnTextChanged()
{
    KeepCaretInText();
    const double value = GetDouble();
    UpdateFontVariant(value);
    UIEvent changed(this, UIMessage::kTextChanged, FCPoint(0, 0), 0,
                    static_cast<std::uintptr_t>(static_cast<std::intptr_t>(TruncateToInteger<std::int32_t>(value))));
    SendToParent(changed);
}
