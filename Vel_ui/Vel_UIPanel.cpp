#include "Vel_ui/Vel_UIPanel.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Ui/UIMessages.h"
#include "Vel_ui/Vel_UIItem.h"
#include "Vel_ui/Vel_UIItemTray.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"

FC_REGISTER_CLASS(Vel_UIPanel);

bool Vel_UIPanel::HandleNotify(UIEvent& event)
{
    if (!event.sender)
        return false;
    switch (event.type)
    {
    case UIMessage::kMouseEntered:
        return OnMouseOverEnter(event.sender);
    case UIMessage::kMouseLeft:
        return OnMouseOverLeave(event.sender);
    case UIMessage::kMouseOverEntered:
        Vel_UIWin_CharConfig::ShowHelpTextId(static_cast<std::uint16_t>(event.param1));
        return true;
    case UIMessage::kMouseOverLeft:
        Vel_UIWin_CharConfig::RestoreHelpText();
        return true;
    default:
        return UIControl::HandleNotify(event);
    }
}

void Vel_UIPanel::LogMissingChild(std::uint16_t childId) const
{
    // Worded as windows word it, so that one search of the log finds both.
    if (const UIControl* found = FindDescendant(childId))
        FC_LOG("Control %u of page %u is a %s, not the kind it needs\n", static_cast<unsigned>(childId),
               static_cast<unsigned>(id), found->GetClassName().c_str());
    else
        FC_LOG("Page %u has no control %u\n", static_cast<unsigned>(id), static_cast<unsigned>(childId));
}

Vel_UIItem* Vel_UIPanel::RowCarriedBy(const UIEvent& event)
{
    if (event.type != UIMessage::kDroppedOnto && event.type != UIMessage::kChildDraggedOut)
        return nullptr;
    return dynamic_cast<Vel_UIItem*>(reinterpret_cast<UIControl*>(event.param1));
}

void Vel_UIPanel::SetUpPickLists(UIControl* available, UIControl* chosen)
{
    if (available)
        available->SetDragFlags(static_cast<std::uint16_t>(available->GetDragFlags() | kDragContainer));
    Vel_UIItemTray::SetAcceptsDrops(chosen, true);
    Vel_UIItemTray::SetMovesRows(chosen, true);
}
