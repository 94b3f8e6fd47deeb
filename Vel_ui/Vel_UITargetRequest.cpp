#include "Vel_ui/Vel_UITargetRequest.h"

#include "Ui/UIControl.h"
#include "Ui/UIEvent.h"
#include "Ui/UIMessages.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"

Vel_UITargetRequest::Vel_UITargetRequest() = default;
Vel_UITargetRequest::Vel_UITargetRequest(const Vel_UITargetRequest&) {}
Vel_UITargetRequest::~Vel_UITargetRequest() = default;

Vel_UIWin_CharConfig* Vel_UITargetRequest::WindowOf(const UIControl* page)
{
    for (UIControl* up = page ? page->GetParent() : nullptr; up; up = up->GetParent())
        if (auto* window = dynamic_cast<Vel_UIWin_CharConfig*>(up))
            return window;
    return nullptr;
}

bool Vel_UITargetRequest::Open(UIControl* owner, Vel_UIWin_SelectTarget::Mode mode,
                               std::uint16_t id)
{
    if (dialog)
        return false;
    dialog = FCCountedRef<Vel_UIWin_SelectTarget>::Adopt(Vel_UIWin_SelectTarget::Open(owner, mode, id));
    if (!dialog)
        return false;
    page = owner;
    if (Vel_UIWin_CharConfig* window = WindowOf(page))
        window->OnDialogOpened();
    return true;
}

bool Vel_UITargetRequest::IsFrom(const void* data) const
{
    const auto* record = static_cast<const UIEvent*>(data);
    return dialog && record && record->sender == dialog.Get();
}

bool Vel_UITargetRequest::OnClosed(const void* data)
{
    if (!IsFrom(data))
        return false;
    dialog.Reset();
    if (Vel_UIWin_CharConfig* window = WindowOf(page))
        window->OnDialogClosed();
    return true;
}

bool Vel_UITargetRequest::TakeChoice(std::int16_t messageId, const void* data, std::uint32_t& value)
{
    if (messageId == UIMessage::kResultClosed)
    {
        OnClosed(data);
        return false;
    }
    if (messageId != Vel_UIWin_SelectTarget::kResultTargetChosen || !IsFrom(data))
        return false;
    value = static_cast<std::uint32_t>(static_cast<const UIEvent*>(data)->param1);
    return true;
}
