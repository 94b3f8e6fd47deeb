#pragma once

#include "Ui/UIControl.h"

#include <cstdint>

// A control that remembers how far its content is scrolled; the frame's
// clipped drawing shows the visible window of it.
class UIScrollFrame : public UIControl
{
public:
    static constexpr std::uint16_t kClassCode = 122;

    // Axis bits.
    static constexpr std::uint16_t kHorizontal = 0x1;
    static constexpr std::uint16_t kVertical = 0x2;

    UIScrollFrame();
    UIScrollFrame(const UIScrollFrame& other);
    ~UIScrollFrame() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;

    // Stores the position and redraws.
    virtual void SetScrollPosition(FCPoint position);
    // Replaces x on a horizontal frame, else y on a vertical one.
    virtual void SetScrollValue(std::int32_t scrollValue);

    FCPoint GetScrollPosition() const { return FCPoint(scrollX, scrollY); }
    void SetScrollPositionRaw(FCPoint position);
    void SetScrollValueRaw(std::int32_t scrollValue);
    std::uint16_t GetAxis() const { return axis; }
    void SetAxis(std::uint16_t flags) { axis = flags; }

protected:
    std::int32_t scrollX = 0;
    std::int32_t scrollY = 0;
    std::uint16_t axis = kHorizontal;
};
