#include "Vel_ui/Vel_UIItemTray.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Ui/UIMessages.h"

FC_REGISTER_CLASS(Vel_UIItemTray);

Vel_UIItemTray::Vel_UIItemTray() = default;

Vel_UIItemTray::Vel_UIItemTray(const Vel_UIItemTray& other)
    : UIControl(other), holder(other.holder ? FindDescendant(kHolderId) : nullptr)
{
}

Vel_UIItemTray::~Vel_UIItemTray() = default;

std::string Vel_UIItemTray::GetClassName() const { return "Vel_UIItemTray"; }
std::string Vel_UIItemTray::GetTypeName() const { return "Vel_UIItemTray"; }
FCObject* Vel_UIItemTray::Clone() const { return new Vel_UIItemTray(*this); }
FCObject* Vel_UIItemTray::CreateNew() const { return new Vel_UIItemTray(); }

bool Vel_UIItemTray::Load(FCFile& file)
{
    if (!UIControl::Load(file))
        return false;
    holder = FindDescendant(kHolderId);
    return true;
}

void Vel_UIItemTray::RemoveDraggedChild() {}

std::uint16_t Vel_UIItemTray::QueryAcceptDrop(UIControl* dragged)
{
    return acceptDropCallback ? acceptDropCallback(this, dragged) : kAccept;
}

void Vel_UIItemTray::SendDropMessage(UIControl* dragged, FCPoint point)
{
    ReportDrop(dragged, point);
}

std::uint16_t Vel_UIItemTray::QueryDropOnto(UIControl*)
{
    return kDropYes;
}

void Vel_UIItemTray::ReportDrop(UIControl* dragged, FCPoint point)
{
    UIEvent event(this, UIMessage::kDroppedOnto, point, reinterpret_cast<std::uintptr_t>(dragged),
                  0);
    SendToParent(event);
}

void Vel_UIItemTray::SetAcceptsDrops(UIControl* control, bool accepts)
{
    if (!control)
        return;
    const std::uint16_t flags = control->GetDragFlags();
    control->SetDragFlags(accepts ? static_cast<std::uint16_t>(flags | kDropTarget)
                                  : static_cast<std::uint16_t>(flags & ~kDropTarget));
}

void Vel_UIItemTray::SetMovesRows(UIControl* control, bool moves)
{
    if (!control)
        return;
    constexpr std::uint16_t kMoveFlags = kHideDraggedChild | kRemoveOnDropOutside | kDragContainer;
    const std::uint16_t flags = control->GetDragFlags();
    control->SetDragFlags(moves ? static_cast<std::uint16_t>(flags | kMoveFlags)
                                : static_cast<std::uint16_t>(flags & ~kMoveFlags));
}
