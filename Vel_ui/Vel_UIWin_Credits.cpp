#include "Vel_ui/Vel_UIWin_Credits.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Ui/UIMessages.h"
#include "Vel/App/VelClient.h"

FC_REGISTER_CLASS(Vel_UIWin_Credits);

Vel_UIWin_Credits::Vel_UIWin_Credits() : startTime(VelClient::Now()) {}

Vel_UIWin_Credits::Vel_UIWin_Credits(const Vel_UIWin_Credits& other)
    : UIWindow(other), startTime(VelClient::Now()), scrollLimit(other.scrollLimit)
{
    if (other.scroller)
        scroller = FindDescendant(kScrollerId);
}

Vel_UIWin_Credits::~Vel_UIWin_Credits() = default;

std::string Vel_UIWin_Credits::GetClassName() const { return "Vel_UIWin_Credits"; }
std::string Vel_UIWin_Credits::GetTypeName() const { return "Vel_UIWin_Credits"; }
FCObject* Vel_UIWin_Credits::Clone() const { return new Vel_UIWin_Credits(*this); }
FCObject* Vel_UIWin_Credits::CreateNew() const { return new Vel_UIWin_Credits(); }

bool Vel_UIWin_Credits::Load(FCFile& file)
{
    if (!UIWindow::Load(file))
        return false;
    scroller = FindDescendant(kScrollerId);
    if (!scroller)
    {
        FC_LOG("Credits without scroller %u\n", kScrollerId);
        return true;
    }
    scrollLimit = scroller->GetHeight();
    return true;
}

void Vel_UIWin_Credits::HandleMessage(std::int16_t messageId, void* data)
{
    if (messageId != static_cast<std::int16_t>(UIMessage::kUpdate))
    {
        UIWindow::HandleMessage(messageId, data);
        return;
    }
    const std::uint32_t now = data ? *static_cast<const std::uint32_t*>(data) : VelClient::Now();
    if (!started)
    {
        if (now - startTime > kStartDelayMs)
        {
            startTime = now;
            started = 1;
        }
        return;
    }
    // At most 2^32 / 25 pixels: the step always fits a signed 32-bit value.
    const auto moved = static_cast<std::int32_t>((now - startTime) / kMsPerPixel);
    if (scroller)
        scroller->SetPositionXY(0, -moved);
    if (moved > scrollLimit)
        End();
}

bool Vel_UIWin_Credits::HandleNotify(UIEvent& event)
{
    if (!event.sender)
        return false;
    if (event.type == UIMessage::kClicked)
        End();
    return UIWindow::HandleNotify(event);
}

void Vel_UIWin_Credits::OnMouseDown(UIEvent& event)
{
    UIWindow::OnMouseDown(event);
    End();
}

void Vel_UIWin_Credits::End()
{
    if (ended)
        return;
    ended = 1;
    if (VelClient* client = VelClient::GetInstance())
        client->GoToScreen(VelClient::kStartMenu);
    else
        FC_LOG("No client to go back to the start menu\n");
}
