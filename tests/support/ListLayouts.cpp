#include "support/ListLayouts.h"

#include "support/LayoutBytes.h"

namespace ListLayouts
{
namespace
{
UILayoutNode Part(std::uint16_t id, FCRect rect, const std::string& className = "UIControl")
{
    return LayoutBytes::Control(LayoutBytes::Element(id, rect.left, rect.top, rect.right - rect.left,
                                                     rect.bottom - rect.top),
                                className);
}
} // namespace

UILayoutNode ScrollBar(std::uint16_t id, FCRect rect, bool horizontal, std::int32_t thumbLength,
                       const std::string& className, std::uint8_t linked)
{
    const std::int32_t width = rect.right - rect.left;
    const std::int32_t height = rect.bottom - rect.top;
    const bool arrows = className == "UIScrollBar";
    const std::int32_t arrow = arrows ? kArrowLength : 0;
    UILayoutNode bar = Part(id, rect, className);
    bar.own = UISliderRecord{linked, static_cast<std::uint16_t>(horizontal ? 1 : 2)};
    UILayoutNode track = horizontal ? Part(126, FCRect(arrow, 0, width - arrow, height))
                                    : Part(126, FCRect(0, arrow, width, height - arrow));
    UILayoutNode thumb = horizontal ? Part(127, FCRect(0, 0, thumbLength, height), "UIDragButton")
                                    : Part(127, FCRect(0, 0, width, thumbLength), "UIDragButton");
    thumb.own = UIButtonRecord{0};
    track.children.push_back(std::move(thumb));
    bar.children.push_back(std::move(track));
    if (arrows)
    {
        bar.children.push_back(horizontal ? Part(124, FCRect(0, 0, arrow, height))
                                          : Part(124, FCRect(0, 0, width, arrow)));
        bar.children.push_back(horizontal ? Part(125, FCRect(width - arrow, 0, width, height))
                                          : Part(125, FCRect(0, height - arrow, width, height)));
    }
    return bar;
}

UILayoutNode Row(std::uint16_t id, std::int32_t width, std::int32_t height, std::uint8_t shade)
{
    UILayoutNode row = Part(id, FCRect(0, 0, width, height));
    row.displayItems.push_back(LayoutBytes::Fill(LayoutBytes::Element(1, 0, 0, 0, 0, 1), 0xFFF, shade,
                                                 shade, shade));
    return row;
}

UILayoutNode ListBox(std::uint16_t id, FCRect rect, std::vector<UILayoutNode> items,
                     const std::string& className)
{
    const std::int32_t width = rect.right - rect.left;
    const std::int32_t height = rect.bottom - rect.top;
    UILayoutNode list = Part(id, rect, className);
    list.own = UIScrollControlRecord{2};
    list.children.push_back(Part(130, FCRect(0, 0, width - kBarWidth, height), "UIGroupScrollFrame"));
    list.children.push_back(ScrollBar(121, FCRect(width - kBarWidth, 0, width, height), false));
    list.items = std::move(items);
    return list;
}

UILayoutNode TextRow(std::uint16_t id, std::int32_t width, std::int32_t height, const std::string& text,
                     std::uint16_t fontId)
{
    UILayoutNode row = Part(id, FCRect(0, 0, width, height), "UITextControl");
    UITextControlRecord record;
    record.content.text = text;
    record.content.fontId = fontId;
    row.own = record;
    return row;
}
} // namespace ListLayouts
