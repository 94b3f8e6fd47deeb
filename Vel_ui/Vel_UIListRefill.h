#pragma once

#include "Ui/UIControl.h"

#include <cstdint>

// Hides a list while its rows are rebuilt or restyled: a row of a hidden
// list reports no area to repaint, so the many rows outside the list's
// window (which would each report their own) cost nothing, and the list
// repaints once, whole, when it shows again.
class Vel_UIListRefill
{
public:
    explicit Vel_UIListRefill(UIControl* list) : list(list)
    {
        if (list)
        {
            shown = list->GetVisibleFlag();
            list->SetVisible(0);
        }
    }
    ~Vel_UIListRefill()
    {
        if (list)
            list->SetVisible(shown);
    }
    Vel_UIListRefill(const Vel_UIListRefill&) = delete;
    Vel_UIListRefill& operator=(const Vel_UIListRefill&) = delete;

private:
    UIControl* list;
    std::uint8_t shown = 1;
};
