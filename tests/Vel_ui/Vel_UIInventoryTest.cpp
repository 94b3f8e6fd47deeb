// The inventory page in the character window over the built layouts and the
// fixture rules with the gear records: money, the stock and what it costs,
// buying by dragging a stock row onto the owned list and selling by
// dragging an owned row off it.

#include "Vel_ui/GearPageFixture.h"

#include "Ui/UIButton.h"
#include "Ui/UINumberEditControl.h"
#include "Vel_ui/Vel_UIListBox.h"

namespace
{
using I = Vel_UIInventory;

class InventoryPageTest : public GearPageFixture
{
};

TEST_F(InventoryPageTest, Look)
{
    I* page = ShowInventory();
    ASSERT_NE(page, nullptr);
    Shot("inventory");
    Hover(RowNamed(page->GetStockList(), "Dagger"));
    Shot("inventory-hover");
    Vel_UIEquip* equip = ShowEquip();
    ASSERT_NE(equip, nullptr);
    Shot("equip");
}
} // namespace
