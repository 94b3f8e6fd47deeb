#pragma once

#include "Vel_ui/Vel_UIItem.h"

#include <cstdint>
#include <string>

// A row of the spells page's lists: a spell at a level, and for a known
// spell the slot level it was chosen under.
class Vel_UISpellItem : public Vel_UIItem
{
public:
    Vel_UISpellItem();
    Vel_UISpellItem(const Vel_UISpellItem& other);
    ~Vel_UISpellItem() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;

    // For UIListBox::SortItems: the lower level first, then the first
    // column's bytes as unsigned values, a prefix before what it begins.
    static bool IsLessByLevelAndName(UIControl* a, UIControl* b);

    std::int16_t spellId = 0;
    std::int16_t level = 0;
    std::int16_t slot = -1;
};
