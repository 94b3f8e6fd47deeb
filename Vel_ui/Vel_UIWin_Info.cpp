#include "Vel_ui/Vel_UIWin_Info.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Devices/FCSoundManager.h"
#include "Fc/Devices/FCSystem.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIImageControl.h"
#include "Ui/UIMessages.h"

FC_REGISTER_CLASS(Vel_UIWin_Info);

namespace
{
// Which children each mode shows; every other mode shows none of them.
struct ModeChild
{
    std::uint16_t id;
    bool inMode3;
    bool inMode4;
    bool inMode5;
};
constexpr ModeChild kModeChildren[] = {
    {Vel_UIWin_Info::kLeaveId, true, false, false},
    {Vel_UIWin_Info::kBackId, false, true, true},
    {Vel_UIWin_Info::kLinkId, true, false, true},
};

bool ShownIn(const ModeChild& child, std::int16_t mode)
{
    switch (mode)
    {
    case 3:
        return child.inMode3;
    case 4:
        return child.inMode4;
    case 5:
        return child.inMode5;
    default:
        return false;
    }
}

// A sound this window listens to has ended.
constexpr std::int16_t kSoundEnded = 16;
constexpr std::int32_t kFarewellVolume = 64;
constexpr std::int32_t kFarewellPan = 64;
} // namespace

Vel_UIWin_Info::Vel_UIWin_Info() = default;

Vel_UIWin_Info::Vel_UIWin_Info(const Vel_UIWin_Info& other)
    : UIWindow(other), VelScreenMode(other), mode(other.mode)
{
    if (other.picture)
        picture = dynamic_cast<UIImageControl*>(FindChild(kPictureId));
}

Vel_UIWin_Info::~Vel_UIWin_Info()
{
    // No end of the parting sound may reach a window that is gone.
    if (FCSoundManager* sound = FCSoundManager::GetInstance())
        sound->RemoveListener(this);
}

std::string Vel_UIWin_Info::GetClassName() const { return "Vel_UIWin_Info"; }
std::string Vel_UIWin_Info::GetTypeName() const { return "Vel_UIWin_Info"; }
FCObject* Vel_UIWin_Info::Clone() const { return new Vel_UIWin_Info(*this); }
FCObject* Vel_UIWin_Info::CreateNew() const { return new Vel_UIWin_Info(); }

bool Vel_UIWin_Info::Load(FCFile& file)
{
    if (!UIWindow::Load(file))
        return false;
    picture = dynamic_cast<UIImageControl*>(FindChild(kPictureId));
    if (!picture)
        FC_LOG("Information window without picture %u\n", kPictureId);
    return true;
}

void Vel_UIWin_Info::SetScreenMode(std::uint16_t newMode)
{
    SetMode(static_cast<std::int16_t>(newMode));
}

std::string Vel_UIWin_Info::GetLink()
{
    const FCResourceManager* resources = FCResourceManager::GetInstance();
    const std::string* text = resources ? resources->GetString(kLinkText) : nullptr;
    return text && FCSystem::IsOpenableUrl(*text) ? *text : std::string();
}

void Vel_UIWin_Info::SetMode(std::int16_t newMode)
{
    mode = newMode;
    FCImageBuffer* image = nullptr;
    if (mode >= 3 && mode <= 5)
    {
        FCResourceManager* resources = FCResourceManager::GetInstance();
        image = resources ? resources->LoadImage(kPictureName, true) : nullptr;
        if (!image)
            FC_LOG("Picture %s not found\n", kPictureName);
    }
    const bool hasLink = !GetLink().empty();
    for (const ModeChild& entry : kModeChildren)
    {
        UIControl* child = FindChild(entry.id);
        if (!child)
        {
            FC_LOG("Information window without child %u\n", entry.id);
            continue;
        }
        const bool shown = ShownIn(entry, mode) && (entry.id != kLinkId || hasLink);
        child->SetVisible(shown ? 1 : 0);
    }
    if (image && picture)
        picture->SetImageBuffer(image);
}

bool Vel_UIWin_Info::HandleNotify(UIEvent& event)
{
    if (!event.sender)
        return false;
    if (event.type != UIMessage::kClicked)
        return UIWindow::HandleNotify(event);
    switch (event.sender->GetId())
    {
    case kLeaveId:
        LeaveWithSound();
        break;
    case kBackId:
        if (VelClient* client = VelClient::GetInstance())
            client->GoToScreen(VelClient::kStartMenu);
        break;
    case kLinkId:
        // The closing screen ends once the link is handed over, whether or
        // not a browser took it: the user asked to leave.
        if (!GetLink().empty())
        {
            OpenLink();
            if (mode == kClosingMode)
                RequestQuit();
        }
        break;
    default:
        if (mode == kClosingMode)
            LeaveWithSound();
        break;
    }
    return true;
}

bool Vel_UIWin_Info::OpenLink()
{
    const std::string link = GetLink();
    FCSystem* system = FCSystem::GetInstance();
    if (link.empty() || !system)
    {
        FC_LOG("No address to open\n");
        return false;
    }
    return system->OpenUrl(link);
}

void Vel_UIWin_Info::LeaveWithSound()
{
    if (leaving)
        return;
    leaving = 1;
    leaveTime = VelClient::Now();
    SetEnabled(0);
    FCSoundManager* sound = FCSoundManager::GetInstance();
    const std::int32_t channel =
        sound ? sound->PlaySound(kFarewellSound, kFarewellChannel, false, this, kFarewellVolume,
                                 kFarewellPan)
              : FCSoundManager::kNoChannel;
    if (channel == FCSoundManager::kNoChannel || !sound->IsPlaying(channel))
    {
        // No end will ever be reported.
        FC_LOG("Sound %u cannot play; quitting now\n", kFarewellSound);
        if (sound)
            sound->RemoveListener(this);
        RequestQuit();
    }
}

void Vel_UIWin_Info::RequestQuit()
{
    if (quitRequested)
        return;
    quitRequested = 1;
    if (VelClient* client = VelClient::GetInstance())
        client->RequestQuit();
    else if (FCSystem* system = FCSystem::GetInstance())
        system->RequestQuit();
}

void Vel_UIWin_Info::HandleMessage(std::int16_t messageId, void* data)
{
    if (messageId == kSoundEnded)
    {
        if (leaving)
            RequestQuit();
        return;
    }
    if (messageId == static_cast<std::int16_t>(UIMessage::kUpdate) && leaving)
    {
        const std::uint32_t now = data ? *static_cast<const std::uint32_t*>(data) : VelClient::Now();
        if (now - leaveTime >= kQuitDelayMs)
            RequestQuit();
    }
    UIWindow::HandleMessage(messageId, data);
}
