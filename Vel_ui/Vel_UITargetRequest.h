#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "Vel_ui/Vel_UIWin_SelectTarget.h"

#include <cstdint>

class UIControl;
class Vel_UIWin_CharConfig;
struct UIEvent;

// The target dialog a page has open. The character window counts it as one
// open dialog: disabled once the dialog exists, enabled again on its
// closing report (28), which always follows the choice (30).
class Vel_UITargetRequest
{
public:
    Vel_UITargetRequest();
    // A copied page has no dialog of its own.
    Vel_UITargetRequest(const Vel_UITargetRequest& other);
    Vel_UITargetRequest& operator=(const Vel_UITargetRequest&) = delete;
    // A dialog still open when its page goes is closed by the page (as every
    // window a control owns), so it never reports to freed memory.
    ~Vel_UITargetRequest();

    // Opens the dialog for the page; false (logged) when it cannot be made,
    // the window then staying usable. Never a second one at a time.
    bool Open(UIControl* page, Vel_UIWin_SelectTarget::Mode mode, std::uint16_t id);
    // An owner message of the page: true, with the value, for the open
    // dialog's choice (30); its closing report (28) brings the window back.
    bool TakeChoice(std::int16_t messageId, const void* data, std::uint32_t& value);
    // Whether the owner message comes from the open dialog.
    bool IsFrom(const void* data) const;
    // The closing report: the window comes back. False for any other.
    bool OnClosed(const void* data);
    bool IsOpen() const { return static_cast<bool>(dialog); }
    Vel_UIWin_SelectTarget* GetDialog() const { return dialog.Get(); }

private:
    // The character window the page is shown in: the one the dialog keeps
    // disabled, and no later one. Pages stay put while their dialog is open.
    static Vel_UIWin_CharConfig* WindowOf(const UIControl* page);

    FCCountedRef<Vel_UIWin_SelectTarget> dialog;
    UIControl* page = nullptr;
};
