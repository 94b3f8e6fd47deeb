#pragma once

#include "Ui/UIButton.h"

#include <cstdint>

// A button that follows the pointer along one or both axes while held and
// reports its position to its parent with 1006: on each repeat tick and on
// release. A slider's thumb.
class UIDragButton : public UIButton
{
public:
    static constexpr std::uint16_t kClassCode = 114;

    // Axis flags.
    static constexpr std::uint16_t kMoveX = 0x1;
    static constexpr std::uint16_t kMoveY = 0x2;

    // Runs the window manager's repeat timer while held.
    UIDragButton();
    explicit UIDragButton(std::uint16_t newId);
    UIDragButton(const UIDragButton& other);
    ~UIDragButton() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;

    std::uint16_t GetAxisFlags() const { return axisFlags; }
    void SetAxisFlags(std::uint16_t flags) { axisFlags = flags; }
    // Pointer minus the button's absolute position at the last press.
    FCPoint GetGrabOffset() const { return FCPoint(grabX, grabY); }

    void OnMouseDown(UIEvent& event) override;
    void OnMouseUp(UIEvent& event) override;
    void OnMouseMove(UIEvent& event) override;
    // Reports the position with the modifier flags; never clicks.
    void OnRepeat(UIEvent& event) override;

protected:
    void ReportPosition(const UIEvent& event, std::uintptr_t param);

    std::uint16_t axisFlags = kMoveX | kMoveY;
    std::int32_t grabX = 0;
    std::int32_t grabY = 0;
};
