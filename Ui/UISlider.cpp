#include "Ui/UISlider.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Ui/UIDragButton.h"
#include "Ui/UILayoutCodec.h"
#include "Ui/UIMessages.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

FC_REGISTER_CLASS(UISlider);

namespace
{
constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kHighest = std::numeric_limits<std::int32_t>::max();

std::int32_t Saturate(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp(value, kLowest, kHighest));
}

// Truncates toward zero; out-of-range results saturate instead of being
// undefined.
std::int32_t Truncate(double value)
{
    if (!(value > double(kLowest)))
        return static_cast<std::int32_t>(kLowest);
    if (!(value < double(kHighest)))
        return static_cast<std::int32_t>(kHighest);
    return static_cast<std::int32_t>(std::trunc(value));
}

// The length of a control along the slider's axis.
std::int32_t Along(const UIControl& control, bool horizontal)
{
    const FCPoint size = control.GetSize();
    return horizontal ? size.x : size.y;
}
} // namespace

UISlider::UISlider()
{
    typeCode = kClassCode;
}

UISlider::UISlider(const UISlider& other)
    : UIControl(other), value(other.value), step(other.step), page(other.page),
      wrap(other.wrap), orientation(other.orientation), linked(other.linked)
{
    UISlider::SetRange(other.minimum, other.maximum);
    if (linked)
        BindTrackAndThumb(false);
}

UISlider::~UISlider() = default;

std::string UISlider::GetClassName() const { return "UISlider"; }
std::string UISlider::GetTypeName() const { return "UISlider"; }
FCObject* UISlider::Clone() const { return new UISlider(*this); }
FCObject* UISlider::CreateNew() const { return new UISlider(); }

bool UISlider::Load(FCFile& file)
{
    if (!UIControl::Load(file))
        return false;
    UISliderRecord record;
    if (!UILayoutCodec::Read(file, record))
        return false;
    linked = record.linked;
    orientation = record.orientation;
    return linked != 1 || BindTrackAndThumb(true);
}

bool UISlider::BindTrackAndThumb(bool logMissing)
{
    track = FindDescendant(kTrackId);
    if (!track && logMissing)
        FC_LOG("Slider %u has no track %u\n", id, kTrackId);
    UIControl* found = FindDescendant(kThumbId);
    auto* dragButton = dynamic_cast<UIDragButton*>(found);
    if (found && !dragButton)
    {
        FC_LOG("Thumb %u of slider %u is a %s, not a drag button\n", kThumbId, id,
               found->GetClassName().c_str());
        return false;
    }
    if (!dragButton)
    {
        if (logMissing)
            FC_LOG("Slider %u has no thumb %u\n", id, kThumbId);
        return true;
    }
    SetThumb(dragButton);
    return true;
}

bool UISlider::HandleNotify(UIEvent& event)
{
    if (!event.sender)
        return false;
    const std::uint16_t from = event.sender->GetId();
    if (event.type == UIMessage::kValueChanged)
    {
        if (from != kThumbId)
            return true;
        ValueFromThumb();
        // The release, or a tick with a modifier held: the thumb snaps to the
        // value's exact place.
        if (event.param1 != 0)
            UpdateThumb();
        SendValue();
        return true;
    }
    if (event.type == UIMessage::kClicked && from == kTrackId)
    {
        if (!thumb)
            return true;
        const FCPoint at = thumb->GetAbsolutePosition();
        const bool before = IsHorizontal() ? event.x < at.x : event.y < at.y;
        if (before)
            PageDown();
        else
            PageUp();
        SendValue();
        return true;
    }
    return UIControl::HandleNotify(event);
}

void UISlider::SetRange(std::int32_t newMinimum, std::int32_t newMaximum)
{
    minimum = newMinimum;
    maximum = newMaximum;
    const bool usable = minimum < maximum;
    if (thumb)
    {
        thumb->SetVisible(usable);
        thumb->SetEnabled(usable);
    }
    if (usable)
        UpdateThumb();
}

std::int32_t UISlider::SetValueRaw(std::int32_t newValue)
{
    const std::int32_t previous = value;
    if (newValue > maximum)
        value = wrap ? minimum : maximum;
    else if (newValue < minimum)
        value = wrap ? maximum : minimum;
    else
        value = newValue;
    return previous;
}

std::int32_t UISlider::SetValue(std::int32_t newValue)
{
    const std::int32_t previous = SetValueRaw(newValue);
    if (linked)
        UpdateThumb();
    return previous;
}

std::int32_t UISlider::AddToValue(std::int64_t delta)
{
    return SetValue(Saturate(std::int64_t{value} + delta));
}

std::int32_t UISlider::SetStep(std::int32_t newStep)
{
    const std::int32_t previous = step;
    step = newStep;
    return previous;
}

std::int32_t UISlider::SetPage(std::int32_t newPage)
{
    const std::int32_t previous = page;
    page = newPage;
    return previous;
}

void UISlider::GetRange(std::int32_t& outMinimum, std::int32_t& outMaximum) const
{
    outMinimum = minimum;
    outMaximum = maximum;
}

std::int64_t UISlider::GetRangeCount() const
{
    return std::llabs(std::int64_t{maximum} - minimum + 1);
}

void UISlider::SetThumb(UIDragButton* newThumb)
{
    thumb = newThumb;
    if (!thumb)
        return;
    thumb->SetAxisFlags(IsHorizontal() ? UIDragButton::kMoveX : UIDragButton::kMoveY);
    thumb->AddAlignFlags(kAlignKeepInside);
    UpdateThumb();
}

std::int32_t UISlider::GetThumbPosition() const
{
    if (!thumb)
        return 0;
    const FCPoint at = thumb->GetPosition();
    return IsHorizontal() ? at.x : at.y;
}

std::int32_t UISlider::SetThumbPosition(std::int32_t position)
{
    const std::int32_t previous = GetThumbPosition();
    if (!thumb)
        return previous;
    std::int32_t start = 0;
    std::int32_t end = 0;
    GetTrackExtent(start, end);
    // A thumb longer than its track has an empty extent: it sits at the start.
    position = std::max(std::min(position, end), start);
    FCPoint at = thumb->GetStoredPosition();
    (IsHorizontal() ? at.x : at.y) = position;
    thumb->SetPosition(at);
    return previous;
}

void UISlider::GetTrackExtent(std::int32_t& start, std::int32_t& end) const
{
    start = 0;
    end = 0;
    if (track && thumb)
        end = Saturate(std::int64_t{Along(*track, IsHorizontal())} - Along(*thumb, IsHorizontal()));
}

std::int64_t UISlider::GetTrackSpan() const
{
    std::int32_t start = 0;
    std::int32_t end = 0;
    GetTrackExtent(start, end);
    return std::llabs(std::int64_t{end} - start + 1);
}

void UISlider::ValueFromThumb()
{
    const std::int64_t count = GetRangeCount();
    const std::int64_t span = GetTrackSpan();
    // An empty track (span 0 or 1) has only the minimum to give.
    if (span <= 1)
    {
        SetValueRaw(minimum);
        return;
    }
    const double share = double(GetThumbPosition()) / double(span - 1) * double(count - 1);
    SetValueRaw(Saturate(std::int64_t{Truncate(share)} + minimum));
}

void UISlider::UpdateThumb()
{
    const std::int64_t count = GetRangeCount();
    const std::int64_t span = GetTrackSpan();
    // Also for an empty range (maximum one below minimum), which would
    // divide by zero.
    if (count <= 1)
    {
        SetThumbPosition(0);
        return;
    }
    const double share =
        double(std::int64_t{value} - minimum) / double(count - 1) * double(span - 1);
    SetThumbPosition(Truncate(share));
}

bool UISlider::SendValue()
{
    UIEvent changed(this, UIMessage::kValueChanged, FCPoint(0, 0), 0,
                    static_cast<std::uintptr_t>(static_cast<std::intptr_t>(value)));
    return SendToParent(changed);
}
