#pragma once

#include "Ui/UIControl.h"

#include <cstdint>

class UIDragButton;

// A value inside a range shown as the place of a thumb along a track.
// Dragging the thumb sets the value from its place, a click on the track
// pages towards the click, and every change the mouse makes reaches the
// parent as 1006 with the new value in param2. Values are 32-bit so that a
// scroll bar can cover content taller than 32,767 pixels.
class UISlider : public UIControl
{
public:
    static constexpr std::uint16_t kClassCode = 118;
    static constexpr std::uint16_t kTrackId = 126;
    static constexpr std::uint16_t kThumbId = 127;

    // Orientation bits.
    static constexpr std::uint16_t kHorizontal = 0x1;
    static constexpr std::uint16_t kVertical = 0x2;

    UISlider();
    // Copies the value, steps, range, wrap, orientation and link; a linked
    // copy binds its own copied track and thumb.
    UISlider(const UISlider& other);
    ~UISlider() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // The control, then the link byte and the orientation. A linked slider
    // binds track 126 and thumb 127; a missing one is logged and left
    // unbound, a thumb that is no drag button fails the load.
    bool Load(FCFile& file) override;
    bool HandleNotify(UIEvent& event) override;
    // Shows and enables the thumb exactly when minimum < maximum. The value
    // is not clamped into the new range.
    virtual void SetRange(std::int32_t newMinimum, std::int32_t newMaximum);

    std::int32_t GetValue() const { return value; }
    // The value clamped (or wrapped) into the range; no message, the thumb
    // stays. Gives the previous value.
    std::int32_t SetValueRaw(std::int32_t newValue);
    // As SetValueRaw, then a linked thumb moves to the value. No message.
    std::int32_t SetValue(std::int32_t newValue);
    // The sum saturates at the 32-bit limits before the range applies.
    std::int32_t AddToValue(std::int64_t delta);
    std::int32_t StepUp() { return AddToValue(step); }
    std::int32_t StepDown() { return AddToValue(-std::int64_t{step}); }
    std::int32_t PageUp() { return AddToValue(page); }
    std::int32_t PageDown() { return AddToValue(-std::int64_t{page}); }

    std::int32_t GetStep() const { return step; }
    std::int32_t SetStep(std::int32_t newStep);
    std::int32_t GetPage() const { return page; }
    std::int32_t SetPage(std::int32_t newPage);
    void GetRange(std::int32_t& outMinimum, std::int32_t& outMaximum) const;
    // |maximum - minimum + 1|.
    std::int64_t GetRangeCount() const;
    std::uint8_t GetWrap() const { return wrap; }
    void SetWrap(std::uint8_t newWrap) { wrap = newWrap; }
    std::uint16_t GetOrientation() const { return orientation; }
    bool IsHorizontal() const { return (orientation & kHorizontal) != 0; }
    std::uint8_t IsLinked() const { return linked; }

    UIControl* GetTrack() const { return track; }
    void SetTrack(UIControl* newTrack) { track = newTrack; }
    UIDragButton* GetThumb() const { return thumb; }
    // The thumb moves along the slider's axis only and stays inside its
    // parent; it goes to the value's place at once.
    void SetThumb(UIDragButton* newThumb);

    // The thumb's x (horizontal) or y (vertical) inside its parent; 0
    // without a thumb.
    std::int32_t GetThumbPosition() const;
    // Clamped to the track extent; the other coordinate is kept. Gives the
    // previous place.
    std::int32_t SetThumbPosition(std::int32_t position);
    // 0 to (track length - thumb length) with a track and a thumb; else 0, 0.
    void GetTrackExtent(std::int32_t& start, std::int32_t& end) const;
    // |end - start + 1|.
    std::int64_t GetTrackSpan() const;
    // The value from the thumb's place, by truncation; the thumb stays.
    void ValueFromThumb();
    // The thumb to the value's place, by truncation.
    void UpdateThumb();

protected:
    // 1006 to the parent: sender this slider, param2 the value.
    bool SendValue();
    // Binds track and thumb among the children; false for a thumb of the
    // wrong class.
    bool BindTrackAndThumb(bool logMissing);

    UIControl* track = nullptr;
    UIDragButton* thumb = nullptr;
    std::int32_t value = 0;
    std::int32_t step = 1;
    std::int32_t page = 10;
    std::int32_t minimum = 0;
    std::int32_t maximum = 100;
    std::uint8_t wrap = 0;
    std::uint16_t orientation = kVertical;
    std::uint8_t linked = 1;
};
