#pragma once

#include "Vel_ui/Vel_UIDialog.h"

#include <cstdint>
#include <string>

// The confirmation before a new character is made: confirming reports 27
// and then closes, closing only closes; either way the owner hears 28.
class Vel_UIWin_CharacterType : public Vel_UIDialog
{
public:
    static constexpr std::uint16_t kWindowId = 16750;
    static constexpr std::uint16_t kConfirmButtonId = 16780;
    // The result code of a confirmation.
    static constexpr std::uint16_t kResultConfirmed = 27;

    Vel_UIWin_CharacterType();
    Vel_UIWin_CharacterType(const Vel_UIWin_CharacterType& other);
    ~Vel_UIWin_CharacterType() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;

    bool HandleNotify(UIEvent& event) override;
};
