#pragma once

#include "Ui/UIWindow.h"

#include <cstdint>
#include <string>

// The credits: after a short pause the tall scroller rises from the
// window's top left corner by whole pixels, 40 a second; once it has moved
// by more than its own height, or on a click, the start menu comes back.
class Vel_UIWin_Credits : public UIWindow
{
public:
    static constexpr std::uint16_t kScrollerId = 500;
    static constexpr std::uint32_t kStartDelayMs = 500;
    static constexpr std::uint32_t kMsPerPixel = 25;

    Vel_UIWin_Credits();
    Vel_UIWin_Credits(const Vel_UIWin_Credits& other);
    ~Vel_UIWin_Credits() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    bool Load(FCFile& file) override;
    void HandleMessage(std::int16_t messageId, void* data) override;
    bool HandleNotify(UIEvent& event) override;

    // Back to the start menu, once.
    virtual void End();

    UIControl* GetScroller() const { return scroller; }
    std::int32_t GetScrollLimit() const { return scrollLimit; }

protected:
    // A press on the window itself (around the text) ends the credits too.
    void OnMouseDown(UIEvent& event) override;

    UIControl* scroller = nullptr; // a descendant, not owned
    std::uint32_t startTime = 0;
    std::uint8_t started = 0;
    std::uint8_t ended = 0;
    std::int32_t scrollLimit = 0;
};
