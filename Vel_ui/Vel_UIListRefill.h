#pragma once

#include "Ui/UIControl.h"
#include "Ui/UIScrollControl.h"

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

// Keeps a list where the user left it while its rows are rebuilt after the
// user's own action (a row taken or given back), so that the next row the
// user reaches for is still under the pointer. Rows that change for another
// reason (a filter, a category, a class) start the list at its top instead.
class Vel_UIListKeepPlace
{
public:
    explicit Vel_UIListKeepPlace(UIScrollControl* list)
        : list(list), place(list ? list->GetScrollPosition() : FCPoint())
    {
    }
    // Clamped to the rows the list holds now.
    ~Vel_UIListKeepPlace()
    {
        if (list)
            list->SetScrollPosition(place);
    }
    Vel_UIListKeepPlace(const Vel_UIListKeepPlace&) = delete;
    Vel_UIListKeepPlace& operator=(const Vel_UIListKeepPlace&) = delete;

private:
    UIScrollControl* list;
    FCPoint place;
};
