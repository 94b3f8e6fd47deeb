#pragma once

#include "Ui/UIWindow.h"
#include "Vel/App/VelClient.h"

#include <cstdint>
#include <string>

class UIImageControl;

// The information screen over its picture: mode 5 the information page
// (link and way back), mode 4 only the way back, mode 3 the closing screen,
// through which the program ends after its parting sound.
class Vel_UIWin_Info : public UIWindow, public VelScreenMode
{
public:
    static constexpr std::uint16_t kPictureId = 1800;
    static constexpr std::uint16_t kLeaveId = 1802;
    static constexpr std::uint16_t kBackId = 1804;
    static constexpr std::uint16_t kLinkId = 1808;

    static constexpr std::int16_t kClosingMode = 3;
    static constexpr const char* kPictureName = "UpsellBg.jpg";
    static constexpr std::uint16_t kLinkText = 450;
    static constexpr std::uint16_t kFarewellSound = 1000;
    static constexpr std::int32_t kFarewellChannel = 6;
    // The program ends this long after the parting sound began, at most.
    static constexpr std::uint32_t kQuitDelayMs = 5000;

    Vel_UIWin_Info();
    Vel_UIWin_Info(const Vel_UIWin_Info& other);
    ~Vel_UIWin_Info() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    bool Load(FCFile& file) override;
    void HandleMessage(std::int16_t messageId, void* data) override;
    bool HandleNotify(UIEvent& event) override;
    void SetScreenMode(std::uint16_t newMode) override;

    void SetMode(std::int16_t newMode);
    // Disables the window and plays the parting sound; the program ends
    // when it ends, at once when it cannot play, and after kQuitDelayMs in
    // any case.
    void LeaveWithSound();
    void RequestQuit();
    // Hands text 450 to the browser when it is an openable address.
    bool OpenLink();
    // Text 450 when it is an openable address, else empty.
    static std::string GetLink();

    std::int16_t GetMode() const { return mode; }
    bool IsLeaving() const { return leaving != 0; }

protected:
    UIImageControl* picture = nullptr; // a child, not owned
    std::int16_t mode = 0;
    std::uint8_t leaving = 0;
    std::uint8_t quitRequested = 0;
    std::uint32_t leaveTime = 0;
};
