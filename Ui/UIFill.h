#pragma once

#include "Ui/UIDisplayObject.h"

#include <cstdint>

struct UIFillRecord;

// A rectangle filled with one colour in the screen's pixel format.
class UIFill : public UIDisplayObject
{
public:
    static constexpr std::uint16_t kClassCode = 202;

    UIFill();
    UIFill(std::uint16_t newId, std::uint32_t newColour);
    UIFill(const UIFill& other);
    ~UIFill() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // Element record, state mask, then red, green and blue made into a
    // pixel of the screen's format.
    bool Load(FCFile& file) override;
    void Draw(FCImageBuffer* target, const FCRect& clip) override;
    // Visible and the point inside the screen rectangle.
    bool HitTest(FCPoint point) override;
    // The screen rectangle while visible, for a plain fill only: a derived
    // class may paint less of it.
    bool GetOpaqueRect(FCRect& rect) const override;

    std::uint32_t GetColour() const { return colour; }
    void SetColour(std::uint32_t newColour) { colour = newColour; }

protected:
    void Apply(const UIFillRecord& record);

    std::uint32_t colour = 0;
};
