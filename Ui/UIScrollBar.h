#pragma once

#include "Ui/UISlider.h"

#include <cstdint>

// A slider with two arrow buttons that step the value down and up; holding
// an arrow repeats its step.
class UIScrollBar : public UISlider
{
public:
    static constexpr std::uint16_t kClassCode = 120;
    static constexpr std::uint16_t kDecreaseId = 124;
    static constexpr std::uint16_t kIncreaseId = 125;

    UIScrollBar();
    // Binds its own copied arrows, each when found.
    UIScrollBar(const UIScrollBar& other);
    ~UIScrollBar() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // The slider's load, then arrows 124 and 125, each when found.
    bool Load(FCFile& file) override;
    bool HandleNotify(UIEvent& event) override;
    // The arrows are enabled exactly when minimum < maximum.
    void SetRange(std::int32_t newMinimum, std::int32_t newMaximum) override;

    UIControl* GetDecreaseButton() const { return decreaseButton; }
    UIControl* GetIncreaseButton() const { return increaseButton; }
    // Each arrow repeats its click while held.
    void SetDecreaseButton(UIControl* button);
    void SetIncreaseButton(UIControl* button);

protected:
    void BindArrows();

    UIControl* decreaseButton = nullptr;
    UIControl* increaseButton = nullptr;
};
