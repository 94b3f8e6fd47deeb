#pragma once

#include "Ui/UIScrollFrame.h"

#include <cstdint>

class UIGroup;

// A scroll frame whose content is a group (child 150) of items laid out one
// after another along the scroll axis, or in wrapping lines across it.
// Scrolling moves the group to the negative of the scroll position.
class UIGroupScrollFrame : public UIScrollFrame
{
public:
    static constexpr std::uint16_t kClassCode = 126;
    static constexpr std::uint16_t kContentId = 150;

    // Creates the content group.
    UIGroupScrollFrame();
    // Binds the copied content group; wrap and cell sizes start at 0.
    UIGroupScrollFrame(const UIGroupScrollFrame& other);
    ~UIGroupScrollFrame() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // The plain control load; the content then takes the frame's size.
    bool Load(FCFile& file) override;
    void SetScrollPosition(FCPoint position) override;
    void SetScrollValue(std::int32_t scrollValue) override;
    // As any control, but of the content's items only those inside the
    // clip are asked to draw: a long list holds thousands out of view.
    void Draw(FCImageBuffer* target, const FCRect& clip) override;

    // Null only for a copy whose source had no group with id 150.
    UIGroup* GetContent() const { return content; }
    // AddItem takes over the caller's reference. Both give false for null
    // or without a content group.
    bool AddItem(UIControl* item, bool relayout);
    bool RemoveItem(UIControl* item, bool relayout);
    bool RemoveAllItems();
    // Places every item and sizes the content along the scroll axis to end
    // at the last one.
    void LayoutItems();

    std::int32_t GetWrap() const { return wrap; }
    void SetWrap(std::int32_t newWrap) { wrap = newWrap; }
    // 0: an item advances by its own size.
    FCPoint GetCellSize() const { return FCPoint(cellWidth, cellHeight); }
    void SetCellSize(std::int32_t newWidth, std::int32_t newHeight);

protected:
    void DrawContent(FCImageBuffer* target, const FCRect& clip);

    // The child list owns it.
    UIGroup* content = nullptr;
    std::int32_t wrap = 0;
    std::int32_t cellWidth = 0;
    std::int32_t cellHeight = 0;
};
