#include "Ui/UIObject.h"

#include "Fc/Core/FCBlockPool.h"
#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Devices/FCDisplayManager.h"
#include "Fc/Graphics/FCDisplayPageStack.h"
#include "Fc/Graphics/FCDoubleBuffer.h"
#include "Fc/Core/FCFile.h"
#include "Ui/UIControl.h"
#include "Ui/UILayoutCodec.h"

FC_REGISTER_CLASS(UIObject);

namespace
{
// Layout data may hold any 32-bit values; placement wraps like the 32-bit
// arithmetic it stands for instead of overflowing.
std::int32_t Wrap(std::int64_t value)
{
    return static_cast<std::int32_t>(value);
}

std::int32_t HalfOfOwn(std::int32_t size)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(size) >> 1);
}

// The control that is drawing, visible, at its screen position; drawing
// happens on one thread only.
const UIObject* g_paintControl = nullptr;
FCPoint g_paintPosition;
} // namespace

UIObject::PaintScope::PaintScope(const UIObject& drawing, FCPoint screenPosition)
    : outerControl(g_paintControl), outerPosition(g_paintPosition)
{
    g_paintControl = &drawing;
    g_paintPosition = screenPosition;
}

UIObject::PaintScope::~PaintScope()
{
    g_paintControl = outerControl;
    g_paintPosition = outerPosition;
}

UIObject::UIObject()
{
    typeCode = kClassCode;
}

UIObject::UIObject(std::uint16_t newId) : UIObject()
{
    id = newId;
}

UIObject::UIObject(std::uint16_t newId, FCPoint position, FCPoint size, std::uint16_t newZOrder)
    : UIObject()
{
    Init(newId, position, size, newZOrder);
}

UIObject::UIObject(const UIObject& other)
    : FCObject(other), id(other.id), x(other.x), y(other.y), width(other.width),
      height(other.height), zOrder(other.zOrder), visible(other.visible),
      alignFlags(other.alignFlags), sizeMode(other.sizeMode), parent(other.parent)
{
}

UIObject::~UIObject() = default;

static_assert(alignof(UIObject) <= FCBlockPool::kGranule, "elements come from the block pool");

void* UIObject::operator new(std::size_t size)
{
    return FCBlockPool::Allocate(size);
}

void UIObject::operator delete(void* block, std::size_t size)
{
    FCBlockPool::Free(block, size);
}

void UIObject::Init(std::uint16_t newId, FCPoint position, FCPoint size, std::uint16_t newZOrder)
{
    id = newId;
    x = position.x;
    y = position.y;
    width = size.x;
    height = size.y;
    zOrder = newZOrder;
    visible = 1;
    alignFlags = 5;
    sizeMode = kSizeOwn;
    parent = nullptr;
    defaultFocus = 0;
    activated = 0;
}

void UIObject::HandleMessage(std::int16_t messageId, void* data)
{
    if (messageId == 1)
    {
        std::uint32_t tick = 0;
        if (data)
            tick = *static_cast<const std::uint32_t*>(data);
        Update(tick);
    }
    else if (messageId == 3)
        Invalidate();
}

std::string UIObject::GetClassName() const
{
    return "UIObject";
}
std::string UIObject::GetTypeName() const
{
    return "UIObject";
}
FCObject* UIObject::Clone() const
{
    return new UIObject(*this);
}
FCObject* UIObject::CreateNew() const
{
    return new UIObject();
}

bool UIObject::Load(FCFile& file)
{
    UIObjectRecord record;
    if (!UILayoutCodec::Read(file, record))
        return false;
    ApplyRecord(record);
    return true;
}

void UIObject::ApplyRecord(const UIObjectRecord& record)
{
    id = record.id;
    x = record.x;
    y = record.y;
    sizeMode = record.sizeMode;
    width = record.width;
    height = record.height;
    zOrder = record.zOrder;
    defaultFocus = record.defaultFocus;
    alignFlags = record.alignFlags;
    visible = 1;
}

FCPoint UIObject::GetSize() const
{
    if (sizeMode == kSizeParent)
        return parent ? parent->GetSize() : FCPoint(0, 0);
    return FCPoint(width, height);
}

void UIObject::SetSize(std::int32_t newWidth, std::int32_t newHeight)
{
    width = newWidth;
    height = newHeight;
}

void UIObject::SetSize(FCPoint size)
{
    SetSize(size.x, size.y);
}

void UIObject::Invalidate()
{
    if (IsVisible())
        AddScreenRectToPage();
}

void UIObject::AddScreenRectToPage() const
{
    if (FCDoubleBuffer* page = FCDisplayPageStack::GetCurrent())
        page->Add(GetScreenRect());
}

void UIObject::GetClipRect(FCRect& result, const FCImageBuffer*, const FCRect& clip) const
{
    result = clip;
}

void UIObject::GetClipRect(FCRect& result, const FCRect& clip) const
{
    result = clip;
}

void UIObject::Update(std::uint32_t) {}

void UIObject::Activate()
{
    activated = 1;
}

FCPoint UIObject::GetAlignedPosition() const
{
    FCPoint reference(0, 0);
    if (parent)
        reference = parent->GetSize();
    else if (FCDisplayManager* display = FCDisplayManager::GetInstance())
        reference = display->GetSize();
    const FCPoint size = GetSize();
    std::int32_t px = x;
    std::int32_t py = y;

    if (alignFlags & kAlignCentreY)
        py = Wrap(std::int64_t{py} + (reference.y >> 1) - HalfOfOwn(size.y));
    else if (alignFlags & kAlignBottom)
        py = Wrap(std::int64_t{py} + reference.y - size.y);
    if (alignFlags & kAlignCentreX)
        px = Wrap(std::int64_t{px} + (reference.x >> 1) - HalfOfOwn(size.x));
    else if (alignFlags & kAlignRight)
        px = Wrap(std::int64_t{px} + reference.x - size.x);

    if (alignFlags & kAlignKeepInside)
    {
        // The lower bound first, so an element larger than its parent ends
        // at the (negative) upper bound.
        const std::int32_t maxX = Wrap(std::int64_t{reference.x} - size.x);
        const std::int32_t maxY = Wrap(std::int64_t{reference.y} - size.y);
        if (px < 1)
            px = 0;
        if (px > maxX)
            px = maxX;
        if (py < 1)
            py = 0;
        if (py > maxY)
            py = maxY;
    }
    return FCPoint(px, py);
}

void UIObject::SetPosition(FCPoint position)
{
    SetPositionXY(position.x, position.y);
}

void UIObject::SetPositionXY(std::int32_t newX, std::int32_t newY)
{
    if (newX == x && newY == y)
        return;
    Invalidate();
    x = newX;
    y = newY;
    Invalidate();
}

FCPoint UIObject::GetAbsolutePosition() const
{
    // A loop rather than recursion: every draw asks, up the whole chain.
    // Wrapping sums do not depend on their order.
    FCPoint position = GetPosition();
    for (const UIObject* up = parent; up; up = up->parent)
    {
        const FCPoint step = up == g_paintControl ? g_paintPosition : up->GetPosition();
        position.x = Wrap(std::int64_t{position.x} + step.x);
        position.y = Wrap(std::int64_t{position.y} + step.y);
        if (up == g_paintControl)
            break;
    }
    return position;
}

FCRect UIObject::GetScreenRect() const
{
    const FCPoint position = GetAbsolutePosition();
    const FCPoint size = GetSize();
    return FCRect(position.x, position.y, Wrap(std::int64_t{position.x} + size.x),
                  Wrap(std::int64_t{position.y} + size.y));
}

bool UIObject::IsVisible() const
{
    for (const UIObject* element = this; element; element = element->parent)
    {
        if (element->visible != 1)
            return false;
        // A drawing control was visible, and so were its ancestors.
        if (element == g_paintControl)
            return true;
    }
    return true;
}

void UIObject::SetVisible(std::uint8_t show)
{
    if (show == visible)
        return;
    if (!show)
        Invalidate();
    visible = show;
    if (show)
        Invalidate();
}
