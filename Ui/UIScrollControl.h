#pragma once

#include "Ui/UIControl.h"

#include <cstdint>

class UIScrollFrame;
class UISlider;

// What a screen places to scroll: a frame (child 130) and up to two scroll
// bars (120 horizontal, 121 vertical). The bars mirror the frame's scroll
// position, and their 1006 messages scroll the frame. Scroll values are
// 32-bit, so content taller than 32,767 pixels scrolls to its end.
class UIScrollControl : public UIControl
{
public:
    static constexpr std::uint16_t kClassCode = 124;
    static constexpr std::uint16_t kHorizontalBarId = 120;
    static constexpr std::uint16_t kVerticalBarId = 121;
    static constexpr std::uint16_t kFrameId = 130;

    // Scroll-bar flags (also the frame's axis flags).
    static constexpr std::uint16_t kHorizontalBar = 0x1;
    static constexpr std::uint16_t kVerticalBar = 0x2;
    // The axis argument 0: the one the scroll-bar flags give.
    static constexpr std::uint16_t kByFlags = 0;

    UIScrollControl();
    // Binds its own copied bars and frame.
    UIScrollControl(const UIScrollControl& other);
    ~UIScrollControl() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // The control, then the scroll-bar flags; binds the bars the flags name
    // and the frame. A missing one is logged and left unbound; one of the
    // wrong class fails the load.
    bool Load(FCFile& file) override;
    // 1006 from one of its own bars scrolls the frame; an unchanged position
    // ends there, a changed one goes on to the parent.
    bool HandleNotify(UIEvent& event) override;
    virtual void SetSnapToItems(std::uint8_t snap);
    virtual std::uint8_t IsSnapToItems() const { return snapToItems; }
    // Rounds the scroll position to whole items; nothing here.
    virtual void SnapScrollPosition();
    // Called after one of its bars moved the content, before the parent
    // hears of it; nothing here, for classes that follow the scrolling.
    virtual void OnScrolled();

    // Axis bit 0x1 picks the horizontal bar, anything else the vertical one.
    UISlider* GetScrollBar(std::uint16_t axisFlags = kByFlags) const;
    void SetScrollBar(UISlider* bar, std::uint16_t axisFlags = kByFlags);
    UIScrollFrame* GetScrollFrame() const { return frame; }
    // The frame takes the scroll-bar flags as its axis.
    void SetScrollFrame(UIScrollFrame* newFrame);
    std::uint16_t GetScrollBarFlags() const { return scrollBarFlags; }
    void SetScrollBarFlags(std::uint16_t flags) { scrollBarFlags = flags; }
    std::uint8_t GetAlwaysShowBars() const { return alwaysShowBars; }
    void SetAlwaysShowBars(std::uint8_t show) { alwaysShowBars = show; }

    // The bar's range; a value outside it scrolls to the nearer end. Without
    // always-show-bars the bar shows only while minimum < maximum.
    void SetScrollRange(std::int32_t newMinimum, std::int32_t newMaximum,
                        std::uint16_t axisFlags = kByFlags);
    void GetScrollRange(std::int32_t& outMinimum, std::int32_t& outMaximum,
                        std::uint16_t axisFlags = kByFlags) const;
    std::int32_t GetScrollValue(std::uint16_t axisFlags = kByFlags) const;
    FCPoint GetScrollPosition() const;
    void ScrollTo(std::int32_t scrollValue, std::uint16_t axisFlags = kByFlags);
    // Each coordinate with a bar is clamped to that bar's range and shown by
    // it; the frame takes the result.
    void SetScrollPosition(FCPoint position);

protected:
    // Binds bars and frame among the children; false for one of the wrong
    // class.
    bool BindParts(bool logMissing);

    std::uint8_t snapToItems = 1;
    std::uint16_t scrollBarFlags = 0;
    UISlider* horizontalBar = nullptr;
    UISlider* verticalBar = nullptr;
    UIScrollFrame* frame = nullptr;
    std::uint8_t alwaysShowBars = 1;
};
