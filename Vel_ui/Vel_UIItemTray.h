#pragma once

#include "Ui/UIControl.h"

#include <cstdint>
#include <string>

// A drop target that shows one row: its owner puts the row into the holder
// (descendant 14550). Without an accept-drop callback it takes anything.
class Vel_UIItemTray : public UIControl
{
public:
    static constexpr std::uint16_t kHolderId = 14550;

    Vel_UIItemTray();
    // The copy's holder is its own copied descendant.
    Vel_UIItemTray(const Vel_UIItemTray& other);
    ~Vel_UIItemTray() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    bool Load(FCFile& file) override;
    // The row stays until the owner takes it out.
    void RemoveDraggedChild() override;
    std::uint16_t QueryAcceptDrop(UIControl* dragged) override;
    void SendDropMessage(UIControl* dragged, FCPoint point) override;
    std::uint16_t QueryDropOnto(UIControl* target) override;

    // 1025 to the parent: the tray as sender, the dragged object as the first
    // parameter.
    void ReportDrop(UIControl* dragged, FCPoint point);

    // Drag-flag switches the pages apply to trays and lists alike.
    static void SetAcceptsDrops(UIControl* control, bool accepts);
    static void SetMovesRows(UIControl* control, bool moves);
    void SetAcceptsDrops(bool accepts) { SetAcceptsDrops(this, accepts); }
    void SetMovesRows(bool moves) { SetMovesRows(this, moves); }

    UIControl* GetHolder() const { return holder; }

protected:
    // A descendant; null until loaded.
    UIControl* holder = nullptr;
};
