#pragma once

#include "Ui/UIControl.h"

#include <cstdint>

// The one button class: push, toggle, radio, inert, three-state and
// owner-decided buttons differ only by their type. Turns presses, releases
// and moves while held into control states (32 up, 64 down, 128 third) and
// leaves reporting clicks and changes to UIControl.
class UIButton : public UIControl
{
public:
    static constexpr std::uint16_t kClassCode = 112;

    // Button types.
    static constexpr std::int32_t kPush = 0;
    static constexpr std::int32_t kToggle = 1;
    static constexpr std::int32_t kRadio = 2;
    static constexpr std::int32_t kInert = 3;
    static constexpr std::int32_t kThreeState = 4;
    static constexpr std::int32_t kOwnerDecided = 5;

    // Control states.
    static constexpr std::int32_t kUp = 32;
    static constexpr std::int32_t kDown = 64;
    static constexpr std::int32_t kThird = 128;

    // Sound events of the click that leaves the button up or down.
    static constexpr std::int16_t kSoundUpClick = 172;
    static constexpr std::int16_t kSoundDownClick = 173;

    UIButton();
    explicit UIButton(std::uint16_t newId);
    UIButton(const UIButton& other);
    ~UIButton() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // The control, then the button type.
    bool Load(FCFile& file) override;

    std::int32_t GetButtonType() const { return buttonType; }
    // Radio and owner-decided buttons report their change on release.
    // Gives the previous type.
    std::int32_t SetButtonType(std::int32_t type);
    std::int32_t GetPressState() const { return pressState; }
    std::int32_t SetPressState(std::int32_t newState);
    // The state cycle of the button's type; an unknown type never changes state.
    std::int32_t NextState(std::int32_t from) const;
    std::int32_t PreviousState(std::int32_t from) const;
    // SetState(NextState(state)); gives the previous state.
    std::int32_t ToggleState();

    // Events 172 and 173 are the button's own; the rest go to UIControl.
    void SetSound(std::int16_t soundEvent, std::uint16_t soundId) override;
    void OnMouseDown(UIEvent& event) override;
    void OnMouseUp(UIEvent& event) override;
    void OnMouseMove(UIEvent& event) override;
    // The click sound of the state the click leaves, then UIControl's click.
    bool NotifyClicked(UIEvent& event) override;
    // Radio and owner-decided buttons show their selection as down.
    void SetSelected(std::uint8_t select) override;

protected:
    void ApplyPress();
    void ApplyRelease();

    std::int32_t buttonType = kPush;
    std::int32_t pressState = kUp;
    std::int16_t upClickSound = 0;
    std::int16_t downClickSound = 0;
};
