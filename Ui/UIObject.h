#pragma once

#include "Fc/Core/FCObject.h"
#include "Fc/Graphics/FCPoint.h"
#include "Fc/Graphics/FCRect.h"

#include <cstddef>
#include <cstdint>
#include <string>

class FCFile;
class FCImageBuffer;
class UIControl;
struct UIObjectRecord;

// Base of every widget element, control or display object: identity, place
// inside the parent, stacking order, visibility and alignment. Reports its
// screen rectangle to the current display page when it must be redrawn.
class UIObject : public FCObject
{
public:
    static constexpr std::uint16_t kClassCode = 100;

    // Alignment flags.
    static constexpr std::uint16_t kAlignLeft = 0x01;
    static constexpr std::uint16_t kAlignBottom = 0x02;
    static constexpr std::uint16_t kAlignTop = 0x04;
    static constexpr std::uint16_t kAlignRight = 0x08;
    static constexpr std::uint16_t kAlignCentreY = 0x10;
    static constexpr std::uint16_t kAlignCentreX = 0x20;
    static constexpr std::uint16_t kAlignKeepInside = 0x40;

    // Size modes.
    static constexpr std::int32_t kSizeOwn = 0;
    static constexpr std::int32_t kSizeParent = 1;
    static constexpr std::int32_t kSizeContent = 2;

    UIObject();
    explicit UIObject(std::uint16_t newId);
    UIObject(std::uint16_t newId, FCPoint position, FCPoint size, std::uint16_t newZOrder);
    // The copy keeps the parent pointer; its focus and activation bytes start clear.
    UIObject(const UIObject& other);
    UIObject& operator=(const UIObject&) = delete;
    ~UIObject() override;

    // Screens are made and dropped by the hundred elements and lists by the
    // thousand rows: elements come from the block pool rather than the
    // general allocator. Their classes keep to its alignment.
    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size);

    // 1: Update with the first 32-bit word of data; 3: Invalidate.
    void HandleMessage(std::int16_t messageId, void* data) override;
    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // The 25-byte element record of a layout file.
    bool Load(FCFile& file) override;

    // Size mode 1 follows the parent ((0, 0) without one); others the own size.
    virtual FCPoint GetSize() const;
    // No redraw is requested.
    virtual void SetSize(std::int32_t newWidth, std::int32_t newHeight);
    virtual void SetSize(FCPoint size);
    // Adds the screen rectangle to the current display page when the element
    // and all its ancestors are visible.
    virtual void Invalidate();
    // The clip rectangle of the drawing pass that is under way (the target
    // and the clip a Draw is given); the element itself plays no part here,
    // a derived element may narrow it.
    virtual void GetClipRect(FCRect& result, const FCImageBuffer* target, const FCRect& clip) const;
    virtual void GetClipRect(FCRect& result, const FCRect& clip) const;
    virtual void Update(std::uint32_t tick);
    virtual void Activate();

    // Position relative to the parent after alignment; the screen is the
    // reference when there is no parent. Most elements sit at their stored
    // place, which every draw asks for up the whole parent chain: that case
    // stays inline.
    FCPoint GetPosition() const
    {
        constexpr std::uint16_t kMoving =
            kAlignBottom | kAlignRight | kAlignCentreY | kAlignCentreX | kAlignKeepInside;
        return (alignFlags & kMoving) ? GetAlignedPosition() : FCPoint(x, y);
    }
    void SetPosition(FCPoint position);
    void SetPositionXY(std::int32_t newX, std::int32_t newY);
    FCPoint GetAbsolutePosition() const;
    FCRect GetScreenRect() const;
    std::int32_t GetWidth() const { return GetSize().x; }
    std::int32_t GetHeight() const { return GetSize().y; }
    // The stored position, before alignment.
    FCPoint GetStoredPosition() const { return FCPoint(x, y); }

    std::uint16_t GetId() const { return id; }
    void SetId(std::uint16_t newId) { id = newId; }
    std::uint16_t GetZOrder() const { return zOrder; }
    void SetZOrder(std::uint16_t newZOrder) { zOrder = newZOrder; }
    bool IsLessByZOrder(const UIObject& other) const { return zOrder < other.zOrder; }

    // True when this element and every ancestor is shown.
    bool IsVisible() const;
    std::uint8_t GetVisibleFlag() const { return visible; }
    void SetVisible(std::uint8_t show);

    std::uint16_t GetAlignFlags() const { return alignFlags; }
    void AddAlignFlags(std::uint16_t flags) { alignFlags |= flags; }
    void SetAlignFlags(std::uint16_t flags) { alignFlags = flags; }
    std::int32_t GetSizeMode() const { return sizeMode; }
    void SetSizeMode(std::int32_t mode) { sizeMode = mode; }

    UIControl* GetParent() const { return parent; }
    void SetParent(UIControl* newParent) { parent = newParent; }

    std::uint8_t GetDefaultFocus() const { return defaultFocus; }
    void SetDefaultFocus(std::uint8_t value) { defaultFocus = value; }
    std::uint8_t IsActivated() const { return activated; }

protected:
    // Takes the stored fields of a layout record; a loaded element is visible.
    void ApplyRecord(const UIObjectRecord& record);

    // While a control draws, the elements it holds take its screen position
    // from here rather than walking the parent chain again, once per display
    // object and child. The control must be visible and at that position,
    // and drawing must not move or hide anything; scopes nest.
    class PaintScope
    {
    public:
        PaintScope(const UIObject& drawing, FCPoint screenPosition);
        ~PaintScope();
        PaintScope(const PaintScope&) = delete;
        PaintScope& operator=(const PaintScope&) = delete;

    private:
        const UIObject* outerControl;
        FCPoint outerPosition;
    };

    // GetPosition for an element that alignment moves.
    FCPoint GetAlignedPosition() const;
    // Sets every field: visible, alignment top-left, own size, no parent.
    void Init(std::uint16_t newId, FCPoint position, FCPoint size, std::uint16_t newZOrder);
    // The element rectangle that Invalidate reports, without the visibility test.
    void AddScreenRectToPage() const;

    std::uint16_t id = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t zOrder = 100;
    std::uint8_t visible = 1;
    std::uint16_t alignFlags = 5;
    std::int32_t sizeMode = kSizeOwn;
    UIControl* parent = nullptr;
    std::uint8_t defaultFocus = 0;
    std::uint8_t activated = 0;
};
