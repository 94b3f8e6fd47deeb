#pragma once

#include "Ui/UIFill.h"

#include <cstdint>

// An outline of a rectangle in one colour. Hit like a fill: inside counts.
class UIBorder : public UIFill
{
public:
    static constexpr std::uint16_t kClassCode = 206;

    UIBorder();
    UIBorder(std::uint16_t newId, std::uint32_t newColour);
    UIBorder(const UIBorder& other);
    ~UIBorder() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // As a fill; layout files do not store a thickness, so it is 1.
    bool Load(FCFile& file) override;
    void Draw(FCImageBuffer* target, const FCRect& clip) override;

    std::uint16_t GetThickness() const { return thickness; }
    void SetThickness(std::uint16_t newThickness) { thickness = newThickness; }

protected:
    std::uint16_t thickness = 1;
};
