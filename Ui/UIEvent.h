#pragma once

#include "Fc/Graphics/FCPoint.h"

#include <cstdint>

class UIControl;

// One input event or control message. Lives on the sender's stack for one
// delivery. The parameters are pointer-width because several messages carry
// a control in them (drag and drop, focus changes, owner records).
struct UIEvent
{
    UIEvent() = default;
    UIEvent(UIControl* from, std::uint16_t eventType) : type(eventType), sender(from) {}
    UIEvent(UIControl* from, std::uint16_t eventType, FCPoint point, std::uintptr_t first,
            std::uintptr_t second)
        : type(eventType), sender(from), x(point.x), y(point.y), param1(first), param2(second)
    {
    }
    // Copies keep innerId too, so a forwarded wrapper never loses what it wraps.
    UIEvent(const UIEvent&) = default;
    UIEvent& operator=(const UIEvent&) = default;

    FCPoint GetPoint() const { return FCPoint(x, y); }
    // The message this record stands for: the wrapped id for a wrapper.
    std::uint16_t GetMessageId() const;

    std::uint16_t type = 0;
    UIControl* sender = nullptr;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uintptr_t param1 = 0;
    std::uintptr_t param2 = 0;
    std::uint16_t innerId = 0;
};
