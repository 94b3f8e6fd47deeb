#pragma once

#include "Ui/UIControl.h"

#include <cstdint>
#include <string>

class UINumberEditControl;

// A spinner: a number field (child 155) with an increase (156) and a
// decrease (157) button. The buttons repeat while held, grey out at the
// limits and report 1026 or 1027 only when the value really changed.
class UINumberScroll : public UIControl
{
public:
    static constexpr std::uint16_t kFieldId = 155;
    static constexpr std::uint16_t kIncreaseId = 156;
    static constexpr std::uint16_t kDecreaseId = 157;

    UINumberScroll();
    // The copy binds its own field and buttons, each when found.
    UINumberScroll(const UINumberScroll& other);
    ~UINumberScroll() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // False (logged) unless children 155 to 157 exist and 155 is a number field.
    bool Load(FCFile& file) override;
    bool HandleNotify(UIEvent& event) override;

    // The value, only when the field's range holds it.
    void SetShort(std::int16_t value);
    void SetLong(std::int32_t value);
    // The field's range, then the buttons and 1009.
    void SetRange(double minimum, double maximum);
    void SetButtonsVisible(bool show);
    // The buttons, then 1009 with param1 to the parent.
    void Notify(std::int16_t param);
    // Disables a button whose direction is at its limit, both for an empty range.
    void UpdateButtons();

    UINumberEditControl* GetValueField() const { return valueField; }
    UIControl* GetIncreaseButton() const { return increaseButton; }
    UIControl* GetDecreaseButton() const { return decreaseButton; }

protected:
    // Finds the three children; false when any is missing or of the wrong kind.
    bool BindChildren();

    // Direct children, held through the child list.
    UINumberEditControl* valueField = nullptr;
    UIControl* increaseButton = nullptr;
    UIControl* decreaseButton = nullptr;
};
