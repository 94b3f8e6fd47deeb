// The four statistics boxes as the built inventory layout holds them, over
// the fixture rules with the gear records: one table per kind of item.

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UITextControl.h"
#include "Vel/App/VelClient.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Db/VelArmorInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "Vel_ui/Vel_UIArmorStats.h"
#include "Vel_ui/Vel_UIGoodsStats.h"
#include "Vel_ui/Vel_UIInventory.h"
#include "Vel_ui/Vel_UIShieldStats.h"
#include "Vel_ui/Vel_UIWeaponStats.h"
#include "support/GearRecords.h"
#include "support/QuietLog.h"
#include "support/RulesFixture.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
namespace G = GearRecords;
using Item = VelCharacterItem;
using Texts = std::vector<std::string>;

class ItemStatsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(rules.IsLoaded());
        ASSERT_TRUE(G::Load());
        ui.Files().SetAlternateRootPath(std::string(STAVELORN_BINARY_DIR) + "/Resources");
        ui.Files().SetUseAlternateRoot(true);
        ui.Files().AddSearchDirectory("Art");
        ui.Files().AddSearchDirectory("UI");
        ASSERT_TRUE(FCResourceManager::GetInstance()->LoadResourceFile("GameAssets.bin"));
        hero.raceId = RulesFixture::kRace;
        VelClient::SetCurrentCharacter(&hero);
        page =
            dynamic_cast<Vel_UIInventory*>(FCClassRegistry::LoadObjectFromFile("velInventory.ui"));
        ASSERT_NE(page, nullptr);
    }
    void TearDown() override
    {
        VelClient::SetCurrentCharacter(nullptr);
        if (page)
            page->Release();
    }

    // Shows the record in the box and reads its fields back.
    Texts Show(std::uint16_t boxId, std::uint16_t firstField, std::size_t count,
               std::uint16_t recordId, std::uint32_t options = 0, std::int32_t a = 0)
    {
        auto* box = dynamic_cast<Vel_UIItemStats*>(page->FindDescendant(boxId));
        if (!box)
            return {"no box"};
        box->ShowItem(recordId ? VelDatabase::FindItem(recordId) : nullptr, options, a, 0);
        Texts texts;
        for (std::size_t i = 0; i < count; ++i)
        {
            auto* field = dynamic_cast<UITextControl*>(
                box->FindDescendant(static_cast<std::uint16_t>(firstField + i)));
            texts.push_back(field ? field->GetText() : "?");
        }
        return texts;
    }

    QuietLog quiet;
    RulesFixture rules;
    UiHarness ui;
    VelCharacter hero;
    Vel_UIInventory* page = nullptr;
};

const Texts kEmpty6(6, "");

TEST_F(ItemStatsTest, Weapons)
{
    using W = Vel_UIWeaponStats;
    struct Case
    {
        std::uint16_t item;
        std::uint32_t options;
        Texts shown;
    };
    const Case cases[] = {
        {G::kDagger, 0, {"1d4", "19-20/x2", "10 ft", "1 lb.", "S", "Piercing"}},
        // The weapon box keeps the record's own weight for a small one.
        {G::kLongsword, Item::kSmall, {"1d8", "x2", "-", "4 lb.", "M", "Slashing"}},
        {G::kLeather, 0, kEmpty6},
        {0, 0, kEmpty6},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Show(W::kBoxId, W::kFirstFieldId, 6, c.item, c.options), c.shown) << c.item;

    // A size or wound with no name shows a dash, never the last weapon's.
    Show(W::kBoxId, W::kFirstFieldId, 6, G::kDagger);
    auto* club = VelDatabase::FindItem<VelWeaponInfo>(G::kGiantClub);
    ASSERT_NE(club, nullptr);
    club->typeText = 40;
    const Texts shown = Show(W::kBoxId, W::kFirstFieldId, 6, G::kGiantClub);
    EXPECT_EQ(shown[4], "-");
    EXPECT_EQ(shown[5], "-");
}

TEST_F(ItemStatsTest, Armour)
{
    using A = Vel_UIArmorStats;
    struct Case
    {
        std::uint16_t item;
        std::uint32_t options;
        std::int32_t bonus;
        bool slowRace;
        Texts shown;
    };
    const Case cases[] = {
        {G::kLeather, 0, 0, false, {"2", "0", "10%", "6", "30 ft", "15 lb."}},
        {G::kLeather, Item::kSmall, 0, false, {"2", "0", "10%", "6", "30 ft", "7.5 lb."}},
        // Enhanced: the bonus is raised; the penalty eases by one, never above 0.
        {G::kLeather, Item::kEnhanced, 2, false, {"4", "0", "10%", "6", "30 ft", "15 lb."}},
        {G::kChainMail, Item::kMasterwork, 0, false, {"5", "-4", "30%", "2", "20 ft", "40 lb."}},
        {G::kChainMail, 0, 0, true, {"5", "-5", "30%", "2", "15 ft", "40 lb."}},
        {G::kBuckler, 0, 0, false, kEmpty6},
    };
    for (const Case& c : cases)
    {
        VelDatabase::FindRace(RulesFixture::kRace)->speedColumn = c.slowRace ? 1 : 0;
        EXPECT_EQ(Show(A::kBoxId, A::kFirstFieldId, 6, c.item, c.options, c.bonus), c.shown)
            << c.item << " options " << c.options;
    }
    // An armour bonus of nothing shows the dash.
    VelDatabase::FindItem<VelArmorInfo>(G::kLeather)->armorBonus = 0;
    EXPECT_EQ(Show(A::kBoxId, A::kFirstFieldId, 1, G::kLeather), Texts{"-"});
}

TEST_F(ItemStatsTest, Shields)
{
    using S = Vel_UIShieldStats;
    struct Case
    {
        std::uint16_t item;
        std::uint32_t options;
        std::int32_t bonus;
        Texts shown;
    };
    const Case cases[] = {
        {G::kBuckler, 0, 0, {"1", "-1", "5%", "-", "-", "5 lb."}},
        {G::kBuckler, Item::kSmall, 0, {"1", "-1", "5%", "-", "-", "2.5 lb."}},
        {G::kBuckler, Item::kEnhanced, 1, {"2", "0", "5%", "-", "-", "5 lb."}},
        {G::kTowerShield, Item::kMasterwork, 0, {"4", "-9", "50%", "-", "-", "45 lb."}},
        {G::kDagger, 0, 0, kEmpty6},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Show(S::kBoxId, S::kFirstFieldId, 6, c.item, c.options, c.bonus), c.shown)
            << c.item << " options " << c.options;
}

TEST_F(ItemStatsTest, Goods)
{
    using Go = Vel_UIGoodsStats;
    struct Case
    {
        std::uint16_t item;
        std::uint32_t options;
        Texts shown;
    };
    const Case cases[] = {
        {G::kBackpack, 0, {"2 lb.", "1 cubic foot"}},
        // Small goods weigh and hold a quarter.
        {G::kBackpack, Item::kSmall, {"0.5 lb.", "0.25 cubic foot"}},
        {G::kRope, 0, {"10 lb.", "50 feet"}},
        // Not carried and holding nothing: a dash and an empty amount.
        {G::kCart, 0, {"-", ""}},
        {G::kRing, 0, {"", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Show(Go::kBoxId, Go::kFirstFieldId, 2, c.item, c.options), c.shown)
            << c.item << " options " << c.options;
}

TEST_F(ItemStatsTest, ACopyShowsInItsOwnFields)
{
    auto* box = dynamic_cast<Vel_UIWeaponStats*>(page->FindDescendant(Vel_UIWeaponStats::kBoxId));
    ASSERT_NE(box, nullptr);
    auto* copy = static_cast<Vel_UIWeaponStats*>(box->Clone());
    copy->ShowItem(VelDatabase::FindItem(G::kDagger), 0, 0, 0);
    auto* own =
        dynamic_cast<UITextControl*>(copy->FindDescendant(Vel_UIWeaponStats::kFirstFieldId));
    auto* original =
        dynamic_cast<UITextControl*>(box->FindDescendant(Vel_UIWeaponStats::kFirstFieldId));
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->GetText(), "1d4");
    EXPECT_EQ(original->GetText(), "");
    copy->Release();
}
} // namespace
