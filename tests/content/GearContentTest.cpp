// The built content of the inventory and equipment pages: every text they
// name is in the asset index, and each layout loads as its class with the
// controls its page finds by id.

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCObject.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIButton.h"
#include "Ui/UIComboBox.h"
#include "Ui/UIGroup.h"
#include "Ui/UIImageControl.h"
#include "Ui/UINumberScroll.h"
#include "Ui/UITextControl.h"
#include "Vel_ui/Vel_UIArmorStats.h"
#include "Vel_ui/Vel_UIEquip.h"
#include "Vel_ui/Vel_UIEquipHandItem.h"
#include "Vel_ui/Vel_UIGoodsStats.h"
#include "Vel_ui/Vel_UIInvItem.h"
#include "Vel_ui/Vel_UIInventory.h"
#include "Vel_ui/Vel_UIItemTray.h"
#include "Vel_ui/Vel_UIListBox.h"
#include "Vel_ui/Vel_UIShieldStats.h"
#include "Vel_ui/Vel_UIWeaponStats.h"
#include "support/QuietLog.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

namespace
{
class GearContentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ui.Files().SetAlternateRootPath(std::string(STAVELORN_BINARY_DIR) + "/Resources");
        ui.Files().SetUseAlternateRoot(true);
        ui.Files().AddSearchDirectory("Art");
        ui.Files().AddSearchDirectory("UI");
        ASSERT_TRUE(FCResourceManager::GetInstance()->LoadResourceFile("GameAssets.bin"));
    }
    QuietLog quiet;
    UiHarness ui;
};

TEST_F(GearContentTest, EveryTextThePagesNameExists)
{
    const std::vector<std::pair<int, int>> ranges = {
        {360, 362},     {2090, 2090},   {2093, 2093},   {2096, 2096},   {10510, 10514},
        {10516, 10516}, {10520, 10524}, {10530, 10534}, {10540, 10543}, {10545, 10545},
        {10551, 10558}, {10580, 10585}, {10600, 10603}, {10621, 10631}, {10642, 10644},
        {10680, 10680}, {10682, 10684}, {10700, 10719}, {10500, 10500}, {11000, 11000},
    };
    const FCResourceManager* resources = FCResourceManager::GetInstance();
    for (const auto& [first, last] : ranges)
        for (int id = first; id <= last; ++id)
        {
            const std::string* text = resources->GetString(static_cast<std::uint16_t>(id));
            EXPECT_TRUE(text && !text->empty()) << "text " << id;
        }
}

using Check = bool (*)(const UIControl*);
template <class T> bool Is(const UIControl* control)
{
    return dynamic_cast<const T*>(control) != nullptr;
}

struct Expected
{
    std::uint16_t id;
    Check is;
    const char* kind;
};

void ExpectLayout(const char* layout, Check rootIs, const std::vector<Expected>& controls,
                  const std::vector<std::uint16_t>& absent = {})
{
    SCOPED_TRACE(layout);
    FCObject* object = FCClassRegistry::LoadObjectFromFile(layout);
    auto* root = dynamic_cast<UIControl*>(object);
    ASSERT_TRUE(root && rootIs(root)) << "loads as its class";
    for (const Expected& e : controls)
        EXPECT_TRUE(e.is(root->FindDescendant(e.id))) << e.id << " is a " << e.kind;
    for (std::uint16_t id : absent)
        EXPECT_EQ(root->FindDescendant(id), nullptr) << id;
    object->Release();
}

template <class T> Expected Want(std::uint16_t id)
{
    return {id, &Is<T>, typeid(T).name()};
}

TEST_F(GearContentTest, TheInventoryPageHasEveryControlItFinds)
{
    std::vector<Expected> controls = {
        Want<UITextControl>(10510),    Want<UITextControl>(10511),
        Want<UINumberScroll>(10512),   Want<UITextControl>(10520),
        Want<UITextControl>(10521),    Want<UITextControl>(10522),
        Want<Vel_UIListBox>(10530),    Want<Vel_UIListBox>(10650),
        Want<UIButton>(10660),         Want<Vel_UIWeaponStats>(10700),
        Want<Vel_UIArmorStats>(10720), Want<Vel_UIShieldStats>(10740),
        Want<Vel_UIGoodsStats>(10760),
    };
    for (std::uint16_t id : {10600, 10610, 10620, 10630})
        controls.push_back(Want<UIComboBox>(id));
    for (std::uint16_t id = 10701; id <= 10706; ++id)
        controls.push_back(Want<UITextControl>(id));
    for (std::uint16_t id = 10721; id <= 10726; ++id)
        controls.push_back(Want<UITextControl>(id));
    for (std::uint16_t id = 10741; id <= 10746; ++id)
        controls.push_back(Want<UITextControl>(id));
    controls.push_back(Want<UITextControl>(10761));
    controls.push_back(Want<UITextControl>(10762));
    ExpectLayout("velInventory.ui", &Is<Vel_UIInventory>, controls, {10780});
}

TEST_F(GearContentTest, TheEquipmentPageHasEveryControlItFinds)
{
    std::vector<Expected> controls = {
        Want<UIComboBox>(10600),    Want<UITextControl>(11020), Want<Vel_UIListBox>(11030),
        Want<UITextControl>(11060), Want<UITextControl>(11061), Want<UITextControl>(11068),
        Want<UIControl>(11069),     Want<UIControl>(11079),     Want<Vel_UIListBox>(11200),
    };
    for (std::uint16_t id = 11070; id <= 11076; ++id)
        controls.push_back(Want<UITextControl>(id));
    for (std::uint16_t id = 11080; id <= 11085; ++id)
        controls.push_back(Want<UITextControl>(id));
    ExpectLayout("velEquip.ui", &Is<Vel_UIEquip>, controls, {10610, 10620, 10630, 10700});
}

TEST_F(GearContentTest, RowsHaveTheirCells)
{
    ExpectLayout("velInventoryItem.ui", &Is<Vel_UIInvItem>,
                 {Want<UITextControl>(14501), Want<UITextControl>(14502)});
    ExpectLayout("velCharInventoryItem.ui", &Is<Vel_UIInvItem>, {Want<UITextControl>(14501)});
    ExpectLayout("velCharInventoryItemWithIcon.ui", &Is<Vel_UIInvItem>,
                 {Want<UITextControl>(14501), Want<UIImageControl>(14510)});
    ExpectLayout("velItem_Icon64.ui", &Is<Vel_UIItem>, {Want<UIImageControl>(14510)});
    ExpectLayout("velEquipHandItem.ui", &Is<Vel_UIEquipHandItem>,
                 {Want<Vel_UIItemTray>(14580), Want<Vel_UIItemTray>(14581), Want<UIGroup>(14590),
                  Want<UIButton>(14595), Want<UIButton>(14596), Want<UIButton>(14597)});
    // Each slot's tray holds a row with an image cell for the icon.
    FCObject* object = FCClassRegistry::LoadObjectFromFile("velEquipHandItem.ui");
    auto* row = dynamic_cast<Vel_UIEquipHandItem*>(object);
    ASSERT_NE(row, nullptr);
    for (std::int16_t slot = 0; slot < 2; ++slot)
    {
        Vel_UIItem* held = row->GetSlotRow(slot);
        ASSERT_NE(held, nullptr) << slot;
        EXPECT_EQ(held->GetId(), Vel_UIItemTray::kHolderId);
        EXPECT_NE(dynamic_cast<UIImageControl*>(held->FindDescendant(14510)), nullptr) << slot;
    }
    object->Release();
}
} // namespace
