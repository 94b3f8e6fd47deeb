#pragma once

#include "Ui/UIEditControl.h"

#include <cstdint>
#include <string>

// An edit field that holds a number between a minimum and a maximum: only
// digits can be typed, Up and Down step it, a fixed text can stand in for
// the maximum, and font variants mark the limits and negative values.
class UINumberEditControl : public UIEditControl
{
public:
    static constexpr std::uint16_t kClassCode = 149;
    static constexpr std::uint16_t kLimitVariant = 1;
    static constexpr std::uint16_t kNegativeVariant = 2;

    // Attribute codes of the layout (14 to 16 carry a number).
    static constexpr std::int16_t kMarkLimitsCode = 20;
    static constexpr std::int16_t kMarkNegativesCode = 21;
    static constexpr std::int16_t kPlusSignCode = 22;

    UINumberEditControl();
    // The maximum text does not come along.
    UINumberEditControl(const UINumberEditControl& other);
    ~UINumberEditControl() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    bool Load(FCFile& file) override;
    // Up and Down step; Enter clamps the value into the range first.
    bool OnKeyDown(UIEvent& event) override;
    bool OnChar(UIEvent& event) override;
    // Clamps the value into the range before letting go.
    bool OnLoseFocus(UIControl* newFocus) override;
    // With the plus sign, a positive number gains one "+" unless it has one.
    void SetText(const std::string& text) override;
    using UIEditControl::SetText;
    // While the maximum text shows, the maximum.
    std::int16_t GetShort() const override;
    std::int32_t GetLong() const override;
    double GetDouble() const override;
    void SetShort(std::int16_t value) override;
    // At or above the maximum the maximum text shows, when there is one.
    // Neither clamps to the range.
    void SetLong(std::int32_t value) override;
    void SetDouble(double value) override;

    // An empty range (minimum not below maximum) disables the field until a
    // later valid range; otherwise the value is brought into the range.
    virtual void SetRange(double newMinimum, double newMaximum);
    virtual void GetRange(double& outMinimum, double& outMaximum) const;
    virtual bool IsInRange(double value) const;
    // A fractional step shows the numbers with one decimal.
    virtual void SetStep(double newStep);
    // False, changing nothing, when the step would leave the range.
    virtual bool StepUp();
    virtual bool StepDown();

    // Shown in place of the number when a value at or above the maximum is
    // set; empty for none.
    void SetMaxText(const std::string& text) { maxText = text; }
    const std::string& GetMaxText() const { return maxText; }
    bool IsShowingMaxText() const { return showingMaxText != 0; }
    // Brings the value into the range; true when it had to change.
    bool ClampToRange();
    void UpdateFontVariant(double value);

protected:
    // 1009 with the value (saturated to 32 bits) as the second parameter.
    void OnTextChanged() override;
    bool LoadField(FCFile& file) override;
    bool LoadAttribute(const UIFieldAttribute& attribute) override;

    bool Step(double delta);

    double maximum = 2147483647.0;
    double minimum = -2147483648.0;
    std::string maxText;
    std::uint8_t showingMaxText = 0;
    double step = 1.0;
    std::uint8_t markLimits = 0;
    std::uint8_t markNegatives = 0;
    std::uint8_t plusSign = 0;
    // Set while an empty range keeps the field disabled, so that a valid
    // range enables it again but never a field its screen disabled.
    std::uint8_t disabledByRange = 0;
};
