#include "Ui/UIGroupScrollFrame.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Ui/UIDisplayObject.h"
#include "Ui/UIGroup.h"

#include <algorithm>
#include <limits>
#include <vector>

FC_REGISTER_CLASS(UIGroupScrollFrame);

namespace
{
std::int32_t Saturate(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// The frame clips its content, so one redraw of the frame covers whatever
// moves inside it. While this lives the frame is hidden, which keeps the
// content and thousands of rows from each reporting their own (mostly
// off-screen) rectangles as they move.
class FrameRedraw
{
public:
    explicit FrameRedraw(UIObject& redrawn) : frame(redrawn), shown(redrawn.GetVisibleFlag() == 1)
    {
        if (shown)
            frame.SetVisible(0);
    }
    ~FrameRedraw()
    {
        if (shown)
            frame.SetVisible(1);
    }
    FrameRedraw(const FrameRedraw&) = delete;
    FrameRedraw& operator=(const FrameRedraw&) = delete;

private:
    UIObject& frame;
    bool shown;
};
} // namespace

UIGroupScrollFrame::UIGroupScrollFrame()
{
    typeCode = kClassCode;
    content = new UIGroup();
    content->SetId(kContentId);
    content->SetZOrder(1);
    content->SetSize(GetSize());
    AddChild(content);
}

UIGroupScrollFrame::UIGroupScrollFrame(const UIGroupScrollFrame& other) : UIScrollFrame(other)
{
    content = dynamic_cast<UIGroup*>(FindChild(kContentId));
    if (!content)
        FC_LOG("Scroll frame %u has no content group %u\n", id, kContentId);
}

UIGroupScrollFrame::~UIGroupScrollFrame() = default;

std::string UIGroupScrollFrame::GetClassName() const { return "UIGroupScrollFrame"; }
std::string UIGroupScrollFrame::GetTypeName() const { return "UIGroupScrollFrame"; }
FCObject* UIGroupScrollFrame::Clone() const { return new UIGroupScrollFrame(*this); }
FCObject* UIGroupScrollFrame::CreateNew() const { return new UIGroupScrollFrame(); }

bool UIGroupScrollFrame::Load(FCFile& file)
{
    if (!UIControl::Load(file))
        return false;
    if (content)
        content->SetSize(GetSize());
    return true;
}

void UIGroupScrollFrame::SetScrollPosition(FCPoint position)
{
    if (content)
    {
        const FrameRedraw redraw(*this);
        // Negated in 64 bits: the lowest 32-bit value has no 32-bit negative.
        FCPoint at = content->GetStoredPosition();
        if (axis & kHorizontal)
            at.x = Saturate(-std::int64_t{position.x});
        if (axis & kVertical)
            at.y = Saturate(-std::int64_t{position.y});
        content->SetPosition(at);
    }
    UIScrollFrame::SetScrollPosition(position);
}

void UIGroupScrollFrame::SetScrollValue(std::int32_t scrollValue)
{
    FCPoint position = GetScrollPosition();
    if (axis & kHorizontal)
        position.x = scrollValue;
    else
        position.y = scrollValue;
    SetScrollPosition(position);
}

void UIGroupScrollFrame::Draw(FCImageBuffer* target, const FCRect& clip)
{
    if (!target || !IsVisible())
        return;
    const FCRect screen = GetScreenRect();
    FCRect area;
    if (!area.Intersect(screen, clip))
        return;
    const PaintScope drawing(*this, FCPoint(screen.left, screen.top));
    for (std::uint32_t i = 0; i < GetDisplayObjectCount(); ++i)
        if (UIDisplayObject* object = GetDisplayObjectAt(i); IsMaskSelected(object->GetStateMask()))
            object->Draw(target, area);
    for (std::uint32_t i = 0; i < GetChildCount(); ++i)
    {
        UIControl* child = GetChildAt(i);
        if (child == content)
            DrawContent(target, area);
        else
            child->Draw(target, area);
    }
}

void UIGroupScrollFrame::DrawContent(FCImageBuffer* target, const FCRect& clip)
{
    if (content->GetVisibleFlag() != 1)
        return;
    const FCRect screen = content->GetScreenRect();
    FCRect area;
    if (!area.Intersect(screen, clip))
        return;
    const PaintScope drawing(*content, FCPoint(screen.left, screen.top));
    for (std::uint32_t i = 0; i < content->GetDisplayObjectCount(); ++i)
        if (UIDisplayObject* object = content->GetDisplayObjectAt(i);
            content->IsMaskSelected(object->GetStateMask()))
            object->Draw(target, area);
    const std::vector<UIControl*>* items = content->GetChildren();
    if (!items)
        return;
    for (UIControl* item : *items)
    {
        if (item->GetVisibleFlag() != 1)
            continue;
        // The place alone rules out the items past the clip; only the
        // others need their (virtual) size.
        const FCPoint at = item->GetPosition();
        const std::int64_t left = std::int64_t{screen.left} + at.x;
        const std::int64_t top = std::int64_t{screen.top} + at.y;
        if (left >= area.right || top >= area.bottom)
            continue;
        const FCPoint size = item->GetSize();
        if (left + size.x > area.left && top + size.y > area.top)
            item->Draw(target, area);
    }
}

bool UIGroupScrollFrame::AddItem(UIControl* item, bool relayout)
{
    if (!item)
        return false;
    if (!content)
    {
        item->Release();
        return false;
    }
    content->AddChild(item);
    if (relayout)
        LayoutItems();
    return true;
}

bool UIGroupScrollFrame::RemoveItem(UIControl* item, bool relayout)
{
    if (!item || !content)
        return false;
    const bool removed = content->RemoveChild(item);
    if (relayout)
        LayoutItems();
    return removed;
}

bool UIGroupScrollFrame::RemoveAllItems()
{
    if (!content)
        return false;
    const bool removed = content->RemoveAllChildren();
    LayoutItems();
    return removed;
}

void UIGroupScrollFrame::SetCellSize(std::int32_t newWidth, std::int32_t newHeight)
{
    cellWidth = newWidth;
    cellHeight = newHeight;
}

void UIGroupScrollFrame::LayoutItems()
{
    if (!content)
        return;
    const FrameRedraw redraw(*this);
    const FCPoint contentSize = content->GetSize();
    const bool horizontal = (axis & kHorizontal) != 0;
    const bool vertical = (axis & kVertical) != 0;
    const bool bothCells = cellWidth != 0 && cellHeight != 0;
    // 64-bit sums: thousands of rows may pass the 16-bit range, and a
    // hostile size the 32-bit one.
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::int64_t previousWidth = 0;
    std::int64_t previousHeight = 0;
    for (std::uint32_t i = 0; i < content->GetChildCount(); ++i)
    {
        UIControl* item = content->GetChildAt(i);
        const FCPoint size = item->GetSize();
        if (wrap == 0)
        {
            if (horizontal)
            {
                if (cellWidth != 0 && previousWidth != 0)
                    previousWidth = cellWidth;
                x += previousWidth;
            }
            else if (vertical)
            {
                if (cellHeight != 0 && previousHeight != 0)
                    previousHeight = cellHeight;
                y += previousHeight;
            }
        }
        else if (vertical)
        {
            if (bothCells && previousWidth != 0)
            {
                previousWidth = cellWidth;
                previousHeight = cellHeight;
            }
            x += previousWidth;
            if (size.x + x > contentSize.x)
            {
                x = 0;
                y += previousHeight;
            }
        }
        else if (horizontal)
        {
            if (bothCells && previousHeight != 0)
            {
                previousWidth = cellWidth;
                previousHeight = cellHeight;
            }
            y += previousHeight;
            if (size.y + y > contentSize.y)
            {
                y = 0;
                x += previousWidth;
            }
        }
        item->SetPosition(FCPoint(Saturate(x), Saturate(y)));
        previousWidth = size.x;
        previousHeight = size.y;
    }
    if (horizontal)
        content->SetSize(Saturate(x + previousWidth), contentSize.y);
    else
        content->SetSize(contentSize.x, Saturate(y + previousHeight));
}
