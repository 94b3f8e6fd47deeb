#pragma once

#include "Ui/UIControl.h"

#include <cstdint>
#include <string>

class VelCharacter;
class Vel_UIItem;

// Base of the character window's pages. The window tells a page when it
// becomes current and when it stops being current, when another class was
// picked and when the character changed; the page reaches the window's
// shared picture, info text, help line and button through the window's
// static operations. A page loads from its own layout like a window.
class Vel_UIPanel : public UIControl
{
public:
    Vel_UIPanel() = default;
    Vel_UIPanel(const Vel_UIPanel& other) = default;
    ~Vel_UIPanel() override = default;

    std::string GetClassName() const override { return "Vel_UIPanel"; }
    std::string GetTypeName() const override { return "Vel_UIPanel"; }
    FCObject* Clone() const override { return new Vel_UIPanel(*this); }
    FCObject* CreateNew() const override { return new Vel_UIPanel(); }

    // Mouse enter and leave reach OnMouseOverEnter and OnMouseOverLeave;
    // help ids (1030, 1031) go to the window's help line; the rest bubbles.
    bool HandleNotify(UIEvent& event) override;

    virtual void EnterPage() {}
    virtual void LeavePage() {}
    // Another class was picked in the window's class selector.
    virtual void Refresh() {}
    virtual void OnCharacterChanged(VelCharacter* /*character*/) {}
    virtual bool OnMouseOverEnter(UIControl* /*control*/) { return false; }
    virtual bool OnMouseOverLeave(UIControl* /*control*/) { return false; }

protected:
    // The page's child with that id when it is a T, else null; with
    // logMissing one the layout lacks (or holds as another kind) is logged,
    // and the page goes on without it.
    template <class T> T* FindChildAs(std::uint16_t childId, bool logMissing) const
    {
        auto* found = dynamic_cast<T*>(FindDescendant(childId));
        if (!found && logMissing)
            LogMissingChild(childId);
        return found;
    }
    void LogMissingChild(std::uint16_t childId) const;
    // The pick-list convention: rows are dragged out of the available list
    // (a drag container) and dropped onto the chosen one, which also gives
    // a row back when it is dragged off; either may be null.
    static void SetUpPickLists(UIControl* available, UIControl* chosen);
    // The row that a drop (1025) or a drag off a list (1014) carries; null
    // for any other message or anything but a row.
    static Vel_UIItem* RowCarriedBy(const UIEvent& event);
};
