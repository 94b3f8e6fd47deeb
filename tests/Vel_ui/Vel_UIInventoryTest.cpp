// The inventory page in the character window over the built layouts and the
// fixture rules with the gear records: money, the stock and what it costs,
// buying by dragging a stock row onto the owned list and selling by
// dragging an owned row off it.

#include "Vel_ui/GearPageFixture.h"

#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCTextLayout.h"
#include "Ui/UIButton.h"
#include "Ui/UIImage.h"
#include "Ui/UIImageControl.h"
#include "Ui/UIMessageDialog.h"
#include "Ui/UINumberEditControl.h"
#include "Ui/UINumberScroll.h"
#include "Ui/UIScrollFrame.h"
#include "Ui/UIText.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Rules/VelEquipRules.h"
#include "Vel_ui/Vel_UIListBox.h"
#include "Vel_ui/Vel_UIWeaponStats.h"

#include <algorithm>
#include <limits>
#include <map>

namespace
{
namespace G = GearRecords;
using I = Vel_UIInventory;
using NameList = std::vector<std::string>;

class InventoryPageTest : public GearPageFixture
{
protected:
    void SetUp() override
    {
        GearPageFixture::SetUp();
        page = ShowInventory();
        ASSERT_NE(page, nullptr);
        hero->modified = 0;
    }
    Vel_UIListBox* Stock() const { return page->GetStockList(); }
    Vel_UIListBox* Owned() const { return page->GetOwnedList(); }
    // Every stock row: its name, whether it can be dragged and its two cells' variants.
    struct Offer
    {
        std::string name;
        bool draggable;
        std::int16_t variant;
        bool operator==(const Offer&) const = default;
    };
    std::vector<Offer> Offers() const
    {
        std::vector<Offer> offers;
        for (Vel_UIItem* row : Rows(Stock()))
        {
            // Both cells' variants; -1 when they differ.
            const auto variant = [&](std::int16_t column) -> int
            {
                auto* cell = dynamic_cast<UITextControl*>(row->GetColumnControl(column));
                return cell && cell->GetTextObject() ? cell->GetTextObject()->GetFontVariant() : -2;
            };
            offers.push_back(
                {row->GetColumnText(0), (row->GetDragFlags() & UIControl::kDraggable) != 0,
                 static_cast<std::int16_t>(variant(0) == variant(1) ? variant(0) : -1)});
        }
        return offers;
    }
    UINumberEditControl* MoneyField() const
    {
        auto* scroll = dynamic_cast<UINumberScroll*>(page->FindDescendant(I::kHighCoinScroll));
        return scroll ? scroll->GetValueField() : nullptr;
    }
    void TypeMoney(const std::string& digits)
    {
        ClickControl(MoneyField());
        ui.Key(UIMessage::kKeyDown, 35); // End
        for (int i = 0; i < 11; ++i)
            ui.Key(UIMessage::kKeyDown, 8);
        for (char digit : digits)
            ui.Key(UIMessage::kChar, static_cast<std::uint8_t>(digit));
        ui.Key(UIMessage::kKeyDown, 13);
        ui.Update();
    }
    // A point of the page that takes no drop.
    FCPoint Nowhere() const
    {
        const FCRect rect = page->GetScreenRect();
        return FCPoint(rect.left + 300, rect.top + 8);
    }
    // A box's text as the page shows it: marked when it does not fit, and
    // for each label whose letters come within 4 px of the box.
    std::string Shown(const UIControl* control) const
    {
        const auto* box = dynamic_cast<const UITextControl*>(control);
        const std::string text = box->GetText();
        const std::int32_t room = box->GetTextObject()->GetWidth();
        std::string shown =
            MeasureTextLine(text, *box->GetFont()).x <= room ? text : text + " (cut)";
        const FCRect at = box->GetScreenRect();
        const FCRect near(at.left - 4, at.top, at.right + 4, at.bottom);
        for (std::uint32_t i = 0; i < page->GetChildCount(); ++i)
            if (auto* label = dynamic_cast<UITextControl*>(page->GetChildAt(i));
                label && label->GetId() == 0)
            {
                const FCRect line = label->GetTextObject()->GetScreenRect();
                const std::int32_t wide = MeasureTextLine(label->GetText(), *label->GetFont()).x;
                const std::int32_t left =
                    label->GetTextObject()->GetFormatFlags() & FCTextBlock::kAlignRight
                        ? line.right - wide
                        : line.left;
                if (FCRect overlap;
                    overlap.Intersect(near, FCRect(left, line.top, left + wide, line.bottom)))
                    shown += " (on " + label->GetText() + ")";
            }
        return shown;
    }
    std::vector<std::string> Coins() const
    {
        return {Text(I::kLowCoinText), Text(I::kMiddleCoinText),
                std::to_string(MoneyField()->GetLong()), Text(I::kOwnedValueText),
                Text(I::kWorthText)};
    }

    // The list shows no more than rows rows, so that a few rows scroll.
    void ShowOnly(UIListBox* list, std::int32_t rows)
    {
        UIScrollFrame* frame = list->GetScrollFrame();
        frame->SetSize(frame->GetSize().x, rows * list->GetItemExtent());
        list->UpdateLayout();
    }
    static bool InView(const UIListBox* list, const UIControl* row)
    {
        const FCRect shown = list->GetScrollFrame()->GetScreenRect();
        const FCRect at = row->GetScreenRect();
        return at.top >= shown.top && at.bottom <= shown.bottom;
    }

    I* page = nullptr;
};

TEST_F(InventoryPageTest, WithoutMoneyPricedRowsCannotBeTakenUntilItemsAreFree)
{
    hero->SetCoins(2, 0);
    page = ShowInventory();
    EXPECT_EQ(Offers(), (std::vector<Offer>{{"Dagger", false, 1},
                                            {"Giant Club", false, 1},
                                            {"Greatsword", false, 1},
                                            {"Longsword", false, 1},
                                            {"Sword", false, 1},
                                            {"Unarmed", true, 0}}));
    auto* free = dynamic_cast<UIButton*>(page->FindDescendant(I::kIgnoreCostButton));
    ASSERT_NE(free, nullptr);
    EXPECT_EQ(free->GetState(), static_cast<std::uint32_t>(UIButton::kUp));
    ClickControl(free);
    EXPECT_EQ(hero->freeItems, 1);
    for (const Offer& offer : Offers())
        EXPECT_EQ(offer, (Offer{offer.name, true, 0}));
    EXPECT_EQ(hero->modified, 0) << "a way of shopping, not an edit";

    // Taken free: the money stays, the owned value grows.
    Drag(RowNamed(Stock(), "Greatsword"), Centre(Owned()));
    EXPECT_EQ(hero->money, VelCoins(0, 0, 0));
    EXPECT_EQ(hero->ownedItemsValue.coins[2], 60);
    EXPECT_NE(RowNamed(Owned(), "Greatsword"), nullptr);
    EXPECT_EQ(hero->modified, 1);

    ClickControl(free);
    EXPECT_EQ(hero->freeItems, 0);
    EXPECT_FALSE(Offers().front().draggable);
    // The button shows the flag when the page is entered again.
    hero->freeItems = 1;
    page = ShowInventory();
    EXPECT_EQ(free->GetState(), static_cast<std::uint32_t>(UIButton::kDown));
}

TEST_F(InventoryPageTest, BuyingInALowerCoinNormalisesTheMoney)
{
    hero->SetCoins(2, 10);
    page = ShowInventory();
    Choose(page->GetSelector(0), VelInventoryList::kGoods);
    Drag(RowNamed(Stock(), "Rope"), Centre(Owned()));
    EXPECT_EQ(hero->money, VelCoins(0, 5, 9));
    // Copper, silver, gold; the owned value (the sword's 10) and the total in
    // gold: the rope's 5 silver and the purse's 5 make one more.
    EXPECT_EQ(Coins(), (std::vector<std::string>{"0", "5", "9", "10", "20"}));
    EXPECT_NE(RowNamed(Owned(), "Rope"), nullptr);
    EXPECT_EQ(hero->modified, 1);
    // Nine gold and five silver pay for a backpack, no longer for a spellbook.
    std::map<std::string, bool> draggable;
    for (const Offer& offer : Offers())
        draggable[offer.name] = offer.draggable;
    EXPECT_TRUE(draggable.at("Backpack"));
    EXPECT_FALSE(draggable.at("Spellbook"));
}

TEST_F(InventoryPageTest, DraggingAnOwnedRowOffSellsItAndDroppingItBackDoesNothing)
{
    ASSERT_NE(RowNamed(Owned(), "Sword"), nullptr);
    const VelCoins money = hero->money;
    Drag(RowNamed(Owned(), "Sword"), Centre(Owned()));
    EXPECT_NE(RowNamed(Owned(), "Sword"), nullptr);
    EXPECT_EQ(hero->money, money);
    EXPECT_EQ(hero->modified, 0);

    Drag(RowNamed(Owned(), "Sword"), Nowhere());
    EXPECT_EQ(RowNamed(Owned(), "Sword"), nullptr);
    EXPECT_EQ(hero->items.GetCount(), 0u);
    EXPECT_EQ(hero->money.coins[2],
              money.coins[2] + static_cast<std::int32_t>(RulesFixture::kSwordPrice));
    EXPECT_EQ(Text(I::kOwnedValueText), "0");
    EXPECT_EQ(hero->modified, 1);

    // Only the owned list's reports sell, and only stock rows are bought.
    VelCharacterItem* dagger = Own(G::kDagger);
    page = ShowInventory();
    auto* ownedRow = dynamic_cast<Vel_UIInvItem*>(RowNamed(Owned(), "Dagger"));
    ASSERT_NE(ownedRow, nullptr);
    UIEvent fromStock(Stock(), UIMessage::kChildDraggedOut, FCPoint(0, 0),
                      reinterpret_cast<std::uintptr_t>(ownedRow), 0);
    page->HandleNotify(fromStock);
    EXPECT_EQ(hero->FindItem(dagger->itemKey), dagger);
    UIEvent ownedDropped(Owned(), UIMessage::kDroppedOnto, FCPoint(0, 0),
                         reinterpret_cast<std::uintptr_t>(ownedRow), 0);
    page->HandleNotify(ownedDropped);
    EXPECT_EQ(hero->items.GetCount(), 1u);
}

TEST_F(InventoryPageTest, ASaleThePurseCannotTakeIsRefusedWithAMessage)
{
    hero->SetCoins(2, 999999);
    page = ShowInventory();
    Drag(RowNamed(Owned(), "Sword"), Nowhere());
    EXPECT_NE(RowNamed(Owned(), "Sword"), nullptr);
    EXPECT_EQ(hero->items.GetCount(), 1u);
    EXPECT_EQ(hero->money, VelCoins(0, 0, 999999));
    EXPECT_NE(dynamic_cast<UIMessageDialog*>(ui.Manager().GetTopWindow()), nullptr);
}

TEST_F(InventoryPageTest, TypedGoldShowsTheTotalWithoutCarryingTheOwnedValue)
{
    // An owned value whose copper has not been carried yet.
    hero->ownedItemsValue = VelCoins(15, 0, 10);
    hero->SetCoins(2, 0);
    page = ShowInventory();
    // Entering the page carries it.
    EXPECT_EQ(Text(I::kOwnedValueText), "10");
    hero->ownedItemsValue = VelCoins(15, 0, 10);
    hero->modified = 0;
    TypeMoney("1234");
    EXPECT_EQ(hero->money.coins[2], 1234);
    EXPECT_EQ(Text(I::kWorthText), "1244");
    EXPECT_EQ(hero->ownedItemsValue, VelCoins(15, 0, 10)) << "typing carries nothing";
    EXPECT_TRUE(Offers().front().draggable) << "the stock follows the money at once";
    EXPECT_EQ(hero->modified, 1);

    // Leaving the field after Enter ends the same edit: nothing more changes.
    hero->modified = 0;
    ClickControl(Stock());
    EXPECT_EQ(hero->modified, 0);
    // The gold never goes past 999999; the arrows edit it too.
    TypeMoney("9999999");
    EXPECT_EQ(hero->money.coins[2], 999999);
    auto* scroll = dynamic_cast<UINumberScroll*>(page->FindDescendant(I::kHighCoinScroll));
    ClickControl(scroll->GetDecreaseButton());
    EXPECT_EQ(hero->money.coins[2], 999998);
    EXPECT_EQ(Text(I::kWorthText), "1000008");
}

TEST_F(InventoryPageTest, GoldOutsideTheFieldsRangeIsShownAndKeptUntilTyped)
{
    using L = std::numeric_limits<std::int32_t>;
    // Gold, goods and their total.
    const std::int32_t cases[][3] = {{-5, 10, 5}, {-123456, 0, -123456}, {999999, 0, 999999},
                                     {1500000, 10, 1500010}, {5000000, L::max(), L::max()},
                                     {L::max(), 0, L::max()}, {L::min(), L::min(), L::min()}};
    for (const auto& [gold, goods, total] : cases)
    {
        SCOPED_TRACE(gold);
        // The field last showed another character's gold.
        hero->SetCoins(2, 100);
        page = ShowInventory();
        hero->SetCoins(2, gold);
        hero->ownedItemsValue = VelCoins(0, 0, goods);
        hero->modified = 0;
        page = ShowInventory();
        EXPECT_EQ(Shown(MoneyField()), std::to_string(gold));
        EXPECT_EQ(Shown(page->FindDescendant(I::kOwnedValueText)), std::to_string(goods));
        EXPECT_EQ(Shown(page->FindDescendant(I::kWorthText)), std::to_string(total));
        ClickControl(MoneyField());
        ClickControl(Stock());
        EXPECT_EQ(hero->money.coins[2], gold) << "a focus change is no edit";
        EXPECT_EQ(hero->modified, 0);
        // A step from a purse above the limit takes one coin; one from a debt
        // gives the least gold that can be typed.
        auto* scroll = dynamic_cast<UINumberScroll*>(page->FindDescendant(I::kHighCoinScroll));
        ClickControl(gold < 0 ? scroll->GetIncreaseButton() : scroll->GetDecreaseButton());
        EXPECT_EQ(hero->money.coins[2], gold < 0 ? 0 : gold - 1);
        if (gold > I::kMaxHighCoins) // until the page is left, it can be typed and stepped back
        {
            TypeMoney(std::to_string(gold));
            ClickControl(scroll->GetDecreaseButton());
            ClickControl(scroll->GetIncreaseButton());
            EXPECT_EQ(hero->money.coins[2], gold);
        }
        TypeMoney("42");
        EXPECT_EQ(hero->money.coins[2], 42);
    }
}

// The start is whatever was rolled, a file's u32 included; a file's loose
// lower coins stay as they are, shown whole.
TEST_F(InventoryPageTest, StartAndLowerCoinsShowWholeClearOfTheirLabels)
{
    using L = std::numeric_limits<std::int32_t>;
    hero->startingMoney = std::numeric_limits<std::uint32_t>::max();
    for (const VelCoins money : {VelCoins(25, 13, 5000000), VelCoins(0, 10, L::max()), VelCoins(-5, 0, 0),
                                 VelCoins(0, 123456, 0), VelCoins(L::min(), L::min(), L::min())})
    {
        hero->money = money;
        page = ShowInventory();
        EXPECT_EQ((NameList{Shown(page->FindDescendant(I::kLowCoinText)),
                            Shown(page->FindDescendant(I::kMiddleCoinText)), Shown(MoneyField()),
                            Shown(page->FindDescendant(I::kStartingMoneyText))}),
                  (NameList{std::to_string(money.coins[0]), std::to_string(money.coins[1]),
                            std::to_string(money.coins[2]), "4294967295"}));
        EXPECT_EQ(hero->money, money);
    }
}

TEST_F(InventoryPageTest, TheTotalIsTheWealthTheSheetPrints)
{
    // Half a highest coin in each purse makes one more.
    hero->money = VelCoins(0, 5, 2549);
    hero->ownedItemsValue = VelCoins(0, 5, 2550);
    page = ShowInventory();
    EXPECT_EQ(Text(I::kOwnedValueText), "2550");
    EXPECT_EQ(Text(I::kWorthText), std::to_string(GetWealth(hero)));
    EXPECT_EQ(Text(I::kWorthText), "5100");
}

TEST_F(InventoryPageTest, HoveringARowShowsItsIconDescriptionAndStatistics)
{
    auto* picture =
        dynamic_cast<UIImageControl*>(window->FindDescendant(Vel_UIWin_CharConfig::kSharedPicture));
    ASSERT_NE(picture, nullptr);
    const std::string pageHelp = HelpLine();
    Hover(RowNamed(Stock(), "Dagger"));
    EXPECT_EQ(HelpLine(), "About the Dagger.");
    EXPECT_EQ(Text(Vel_UIWeaponStats::kFirstFieldId), "1d4");
    // The 64 x 64 icon in the middle of the portrait's frame.
    ASSERT_NE(picture->GetImage(), nullptr);
    const FCImageBuffer* icon = picture->GetImage()->GetImageBuffer();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->GetWidth(), 64);
    const FCPoint frame = picture->UIObject::GetSize();
    EXPECT_EQ(frame, FCPoint(120, 152)) << "the layout's portrait frame";
    EXPECT_EQ(picture->GetImage()->GetPosition(), FCPoint(28, 44));
    // An item whose icon is missing shows no picture, and nothing breaks.
    Hover(RowNamed(Stock(), "Greatsword"));
    EXPECT_EQ(picture->GetImage()->GetImageBuffer(), nullptr);
    EXPECT_EQ(Text(Vel_UIWeaponStats::kFirstFieldId), "1d8");
    ui.Move(5, 5);
    ui.Update();
    EXPECT_EQ(HelpLine(), pageHelp);
    EXPECT_EQ(Text(Vel_UIWeaponStats::kFirstFieldId), "");
}

// An owned entry whose record the database lacks is kept but not listed.
TEST_F(InventoryPageTest, EntriesWithoutARecordAreKeptButNotListed)
{
    VelCharacterItem* lost = hero->AddItem(nullptr);
    ASSERT_NE(lost, nullptr);
    page = ShowInventory();
    EXPECT_EQ(Names(Owned()), std::vector<std::string>{"Sword"});
    Vel_UIEquip* equip = ShowEquip();
    EXPECT_EQ(Names(equip->GetPool()), std::vector<std::string>{"Sword"});
    EXPECT_EQ(hero->FindItem(lost->itemKey), lost);
}

TEST_F(InventoryPageTest, TheSpecialFilterListsMasterworkPiecesTwiceOrAlone)
{
    struct Case
    {
        std::int32_t special;
        NameList names;
    };
    const Case cases[] = {
        {-1,
         {"Claw", "Dagger", "Dagger MW", "Giant Club", "Greatsword", "Longsword", "Sword",
          "Unarmed"}},
        {0, {"Dagger", "Giant Club", "Greatsword", "Longsword", "Sword", "Unarmed"}},
        {1, {"Claw"}},
        {2, {"Dagger MW"}},
    };
    for (const Case& c : cases)
    {
        Choose(page->GetSelector(3), c.special);
        EXPECT_EQ(Names(Stock()), c.names) << c.special;
    }
}

TEST_F(InventoryPageTest, ScrollsFollowTheCasterClassAndTheLevel)
{
    hero->SetCoins(2, 999999);
    Choose(page->GetSelector(0), VelInventoryList::kMagic);
    Choose(page->GetSelector(1), VelInventoryList::kScrolls);
    struct Case
    {
        std::int32_t caster;
        std::int32_t level;
        NameList names;
    };
    const Case cases[] = {
        // The scholar (10) writes at the innate caster's (9) levels, its own
        // only for spells the innate caster lacks.
        {10, 0, {"Scroll Fire Bolt", "Scroll Light", "Scroll Seal", "Scroll Ward"}},
        {10, 3, {"Scroll Fire Bolt"}},
        {10, 2, {}},
        {10, 1, {"Scroll Seal", "Scroll Ward"}},
        {9, 1, {"Scroll Ward"}},
        {2, 0, {"Scroll Blessing", "Scroll Light"}},
    };
    for (const Case& c : cases)
    {
        Choose(page->GetSelector(2), c.caster);
        Choose(page->GetSelector(3), c.level);
        EXPECT_EQ(Names(Stock()), c.names) << "class " << c.caster << " level " << c.level;
    }
    Choose(page->GetSelector(3), 0);
    Choose(page->GetSelector(2), 10);
    Choose(page->GetSelector(1), VelInventoryList::kPotions);
    EXPECT_EQ(Names(Stock()), (NameList{"Potion Fire Bolt", "Potion Light"}));

    // Without the writer's class, or the scroll's record, there is no stock.
    Choose(page->GetSelector(1), VelInventoryList::kScrolls);
    VelDatabase::GetMap(VelDatabase::kTagClass)->Remove(VelIds::kClassScholarCaster);
    Choose(page->GetSelector(1), VelInventoryList::kPotions);
    Choose(page->GetSelector(1), VelInventoryList::kScrolls);
    EXPECT_EQ(Offered(page->GetSelector(2)), (std::vector<std::int32_t>{9, 2, 3, 7, 6, 1}));
    EXPECT_EQ(Stock()->GetItemCount(), 0u);
    Choose(page->GetSelector(2), 9);
    EXPECT_EQ(Names(Stock()), (NameList{"Scroll Fire Bolt", "Scroll Light", "Scroll Ward"}));
    Choose(page->GetSelector(1), VelInventoryList::kPotions);
    VelDatabase::GetMap(VelDatabase::kTagItem)->Remove(G::kScroll);
    Choose(page->GetSelector(1), VelInventoryList::kScrolls);
    EXPECT_EQ(Stock()->GetItemCount(), 0u);
}

TEST_F(InventoryPageTest, AnotherFilterStartsTheShopAtItsTopAndAPurchaseShowsItsRow)
{
    hero->freeItems = 1;
    page = ShowInventory();
    Choose(page->GetSelector(3), -1);
    ShowOnly(Stock(), 2);
    ShowOnly(Owned(), 1);
    Stock()->ScrollTo(4 * Stock()->GetItemExtent());
    ASSERT_GT(Stock()->GetScrollPosition().y, 0);
    Choose(page->GetSelector(3), 0);
    EXPECT_EQ(Stock()->GetScrollPosition().y, 0) << "other rows, from the top";

    // Each purchase lands in view, wherever the owned list has put it.
    for (const char* name : {"Sword", "Dagger", "Longsword"})
    {
        SCOPED_TRACE(name);
        const std::vector<Vel_UIItem*> before = Rows(Owned());
        Vel_UIItem* offer = RowNamed(Stock(), name);
        Reveal(offer);
        Drag(offer, Centre(Owned()));
        const Vel_UIItem* bought = nullptr;
        for (Vel_UIItem* row : Rows(Owned()))
            if (std::find(before.begin(), before.end(), row) == before.end())
                bought = row;
        ASSERT_NE(bought, nullptr);
        EXPECT_EQ(bought->GetColumnText(0), name);
        EXPECT_TRUE(InView(Owned(), bought));
    }
}
} // namespace
