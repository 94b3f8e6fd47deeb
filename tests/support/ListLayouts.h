#pragma once

#include "Fc/Graphics/FCRect.h"
#include "Ui/UILayoutCodec.h"

#include <cstdint>
#include <string>
#include <vector>

// Layout trees of sliders, scroll bars and list boxes for the tests and the
// benchmark, in the shape the layouts of the screens use.
namespace ListLayouts
{
constexpr std::int32_t kArrowLength = 10;
constexpr std::int32_t kBarWidth = 16;

// A scroll bar (or, with className "UISlider", a slider without arrows):
// arrows 124 and 125 at the two ends, track 126 between them holding thumb
// 127, a drag button of thumbLength along the axis.
UILayoutNode ScrollBar(std::uint16_t id, FCRect rect, bool horizontal, std::int32_t thumbLength = 10,
                       const std::string& className = "UIScrollBar", std::uint8_t linked = 1);

// A plain row: a control of that size filled with one colour.
UILayoutNode Row(std::uint16_t id, std::int32_t width, std::int32_t height, std::uint8_t shade);

// A list box (or scroll control) with vertical bar 121 along its right edge
// and group frame 130 filling the rest.
UILayoutNode ListBox(std::uint16_t id, FCRect rect, std::vector<UILayoutNode> items = {},
                     const std::string& className = "UIListBox");

// A text row for a text list: font, text and no attributes.
UILayoutNode TextRow(std::uint16_t id, std::int32_t width, std::int32_t height, const std::string& text,
                     std::uint16_t fontId);
} // namespace ListLayouts
