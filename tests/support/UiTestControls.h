#pragma once

#include "Fc/Graphics/FCImageBuffer.h"
#include "Ui/UIControl.h"
#include "Ui/UIMessages.h"

#include <cstdint>
#include <vector>

// A control that remembers every message that reaches its HandleNotify and
// then handles it as a plain control does (drag-container messages, or
// bubbling on). Handy as the parent that a test watches.
class RecordingControl : public UIControl
{
public:
    RecordingControl() = default;
    explicit RecordingControl(std::uint16_t newId) : UIControl(newId) {}

    bool HandleNotify(UIEvent& event) override
    {
        events.push_back(event);
        pressedWhenNotified.push_back(event.sender && event.sender->IsPressed());
        return UIControl::HandleNotify(event);
    }
    void Update(std::uint32_t tick) override
    {
        updates.push_back(tick);
        UIControl::Update(tick);
    }

    // How many recorded messages have this id (wrapped ones count under
    // the id they wrap when unwrap is set).
    int Count(std::uint16_t messageId, bool unwrap = false) const
    {
        int n = 0;
        for (const UIEvent& event : events)
            if ((unwrap ? event.GetMessageId() : event.type) == messageId)
                ++n;
        return n;
    }
    std::vector<std::uint16_t> Types() const
    {
        std::vector<std::uint16_t> types;
        for (const UIEvent& event : events)
            types.push_back(event.type);
        return types;
    }

    std::vector<UIEvent> events;
    std::vector<bool> pressedWhenNotified;
    std::vector<std::uint32_t> updates;
};

// A control that paints its whole rectangle in one colour before its
// display objects and children, so that drawing order and clipping show in
// the pixels without any display-object class.
class SwatchControl : public RecordingControl
{
public:
    SwatchControl(std::uint16_t newId, FCRect rect, std::uint16_t swatchColour)
        : RecordingControl(newId), colour(swatchColour)
    {
        SetPositionXY(rect.left, rect.top);
        SetSize(rect.right - rect.left, rect.bottom - rect.top);
    }
    SwatchControl(const SwatchControl&) = default;
    FCObject* Clone() const override { return new SwatchControl(*this); }

    void Draw(FCImageBuffer* target, const FCRect& clip) override
    {
        ++drawCount;
        FCRect area;
        if (target && IsVisible() && area.Intersect(GetScreenRect(), clip))
            target->FillRect(colour, area);
        UIControl::Draw(target, clip);
    }

    std::uint16_t colour = 0;
    int drawCount = 0;
};
