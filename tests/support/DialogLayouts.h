#pragma once

#include "Fc/Core/FCObject.h"
#include "Ui/UIEvent.h"
#include "Ui/UILayoutCodec.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class UiHarness;

// Layout trees and helpers for the dialog tests: text fields, buttons with a
// caption, a text list, the standard message box and file dialog.
namespace DialogLayouts
{
constexpr std::uint16_t kFontId = 1;

// Font 1 (glyphs 5 wide, advance 6, space 6, 8 high) and the button
// captions 410 OK, 411 Yes, 412 No, 413 Cancel, loaded into the harness's
// resource manager.
bool LoadAssets(UiHarness& ui);

UILayoutNode TextField(std::uint16_t id, std::int32_t x, std::int32_t y, std::int32_t width,
                       std::int32_t height, const std::string& className = "UITextControl");
// A push button: a blue fill and a caption text, both always drawn.
UILayoutNode Button(std::uint16_t id, std::int32_t x, std::int32_t y);
// A vertical text list in font 1: frame 130 and a scroll bar 121 with its
// arrows, track and thumb.
UILayoutNode TextList(std::uint16_t id, std::int32_t x, std::int32_t y, std::int32_t width,
                      std::int32_t height);

// A 300 x 120 message box at (100, 100): caption 130, text 105, text list
// 100, buttons 110, 111 and 112 at x 10, 110 and 210 (y 90, 60 x 20).
std::vector<std::uint8_t> MessageBox();
// A 300 x 250 file dialog at (0, 0): title 160, list 161 (10, 30, 200 x 150),
// name field 162 (10, 190, 200 x 16), Cancel 163, OK 165, close 168.
std::vector<std::uint8_t> FileDialog();

// Centre of a control, in screen coordinates.
struct Point
{
    std::int32_t x;
    std::int32_t y;
};
constexpr Point kMessageButton[] = {{135, 200}, {235, 200}, {335, 200}};

// An owner that records every result and can act on it.
class RecordingOwner : public FCObject
{
public:
    struct Result
    {
        std::uint16_t code;
        UIControl* sender;
        std::uintptr_t param;
        std::string path; // codes 17 and 18
    };

    void HandleMessage(std::int16_t messageId, void* data) override;
    std::vector<std::uint16_t> Codes() const;

    std::vector<Result> results;
    std::function<void(std::uint16_t code, UIEvent& record)> onResult;
};
} // namespace DialogLayouts
