// The equipment page in the character window over the built layouts and the
// fixture rules with the gear records: weapons into the hands of equipment
// sets, armour and shields worn, goods carried, and what the page shows of
// attack, armour class and load.

#include "Vel_ui/GearPageFixture.h"

#include "Ui/UIGroup.h"
#include "Vel/Character/VelCharacterEquip.h"
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel/Rules/VelEquipRules.h"
#include "Vel/Rules/VelFormatRules.h"
#include "Vel_ui/Vel_UIEquipHandItem.h"
#include "Vel_ui/Vel_UIItemTray.h"
#include "Vel_ui/Vel_UIListBox.h"

namespace
{
namespace G = GearRecords;
using E = Vel_UIEquip;
using H = Vel_UIEquipHandItem;
using Set = VelCharacterEquip;
constexpr std::uint16_t kEmpty = Set::kEmptySlot;
constexpr std::int16_t kOff = 0;
constexpr std::int16_t kMain = 1;

class EquipPageTest : public GearPageFixture
{
protected:
    void SetUp() override
    {
        GearPageFixture::SetUp();
        // Scores of its own, with everything that follows from them.
        SetAbilityScore(hero, VelEntity::kStr, 14, false);
        SetAbilityScore(hero, VelEntity::kDex, 12, false);
        dagger = Own(G::kDagger);
        longsword = Own(G::kLongsword);
        greatsword = Own(G::kGreatsword);
        page = ShowEquip();
        ASSERT_NE(page, nullptr);
        hero->modified = 0;
    }

    Set* SetAt(std::uint32_t index) const
    {
        return static_cast<Set*>(hero->equipSets.GetAt(static_cast<std::int32_t>(index)));
    }
    std::vector<H*> HandRows() const
    {
        std::vector<H*> rows;
        for (Vel_UIItem* row : Rows(page->GetWornList()))
            rows.push_back(dynamic_cast<H*>(row));
        return rows;
    }
    // What each set holds, by the owned keys of its off and main hand.
    std::vector<std::pair<std::uint16_t, std::uint16_t>> Hands() const
    {
        std::vector<std::pair<std::uint16_t, std::uint16_t>> hands;
        for (std::uint32_t i = 0; i < hero->equipSets.GetCount(); ++i)
            hands.emplace_back(SetAt(i)->slots[0], SetAt(i)->slots[1]);
        return hands;
    }
    Vel_UIItemTray* Tray(std::size_t row, std::int16_t hand)
    {
        const std::vector<H*> rows = HandRows();
        if (row >= rows.size())
        {
            ADD_FAILURE() << "no hand row " << row;
            return nullptr;
        }
        page->GetWornList()->ScrollToItem(rows[row]);
        ui.Update();
        return rows[row]->GetTray(hand);
    }
    void PoolToHand(const std::string& name, std::size_t row, std::int16_t hand)
    {
        Vel_UIItemTray* tray = Tray(row, hand);
        ASSERT_NE(tray, nullptr);
        const FCPoint target = Centre(tray);
        Drag(RowNamed(page->GetPool(), name), target);
    }
    void ChooseCategory(std::int32_t category) { Choose(page->GetSelector(0), category); }
    bool Draggable(const UIControl* row) const
    {
        return row && (row->GetDragFlags() & UIControl::kDraggable) != 0;
    }
    FCPoint Nowhere() const
    {
        const FCRect rect = page->GetScreenRect();
        return FCPoint(rect.left + 300, rect.top + 430);
    }

    E* page = nullptr;
    VelCharacterItem* dagger = nullptr;
    VelCharacterItem* longsword = nullptr;
    VelCharacterItem* greatsword = nullptr;
};

TEST_F(EquipPageTest, AWeaponInTheLastSetOpensTheNextAndAddsItsWeight)
{
    EXPECT_EQ(Names(page->GetPool()),
              (std::vector<std::string>{"Dagger", "Greatsword", "Longsword", "Sword"}));
    ASSERT_EQ(HandRows().size(), 1u);
    const float weight = hero->carriedWeight;
    PoolToHand("Dagger", 0, kMain);
    EXPECT_EQ(Hands(), (decltype(Hands()){{kEmpty, dagger->itemKey}, {kEmpty, kEmpty}}));
    EXPECT_EQ(HandRows().size(), 2u);
    EXPECT_EQ(dagger->placement, VelCharacterItem::kCarried);
    EXPECT_FLOAT_EQ(hero->carriedWeight, weight + 1.0f);
    EXPECT_EQ(Text(E::kWeightText), FormatWeight(hero->carriedWeight));
    EXPECT_EQ(hero->modified, 1);
    // A weapon in a set stays in the pool, for the next set.
    EXPECT_NE(RowNamed(page->GetPool(), "Dagger"), nullptr);
    Vel_UIItem* held = HandRows()[0]->GetSlotRow(kMain);
    EXPECT_EQ(held->kind, H::kSlotKind);
    EXPECT_EQ(held->key, dagger->itemKey);
    EXPECT_TRUE(Draggable(held));
    EXPECT_FALSE(Draggable(HandRows()[0]->GetSlotRow(kOff)));

    // The same weapon in the other set adds no weight a second time.
    PoolToHand("Dagger", 1, kOff);
    EXPECT_EQ(Hands().size(), 3u);
    EXPECT_FLOAT_EQ(hero->carriedWeight, weight + 1.0f);
}

TEST_F(EquipPageTest, ATwoHandedWeaponGoesOnlyIntoAnEmptySetAndClosesTheOtherHand)
{
    PoolToHand("Dagger", 0, kMain);
    PoolToHand("Greatsword", 0, kOff);
    EXPECT_EQ(Hands()[0], std::make_pair(kEmpty, dagger->itemKey)) << "refused beside the dagger";
    PoolToHand("Greatsword", 1, kMain);
    EXPECT_EQ(Hands()[1], std::make_pair(kEmpty, greatsword->itemKey));
    EXPECT_EQ(SetAt(1)->gripMode, Set::kTwoHands);
    H* row = HandRows()[1];
    EXPECT_FALSE(row->GetTray(kOff)->IsEnabled());
    EXPECT_FALSE(row->GetSlotRow(kOff)->IsEnabled());
    EXPECT_TRUE(row->FindDescendant(H::kTwoHandsButton)->IsSelected());
    EXPECT_FALSE(row->FindDescendant(H::kOneHandButton)->IsEnabled());
    // Nothing can be dropped into the closed hand.
    PoolToHand("Longsword", 1, kOff);
    EXPECT_EQ(Hands()[1], std::make_pair(kEmpty, greatsword->itemKey));
}

TEST_F(EquipPageTest, WeaponsMoveBetweenTheHandsOfASetButAreNeverInBoth)
{
    PoolToHand("Longsword", 0, kMain);
    // From the pool into the other hand of the same set: refused.
    PoolToHand("Longsword", 0, kOff);
    EXPECT_EQ(Hands()[0], std::make_pair(kEmpty, longsword->itemKey));
    // From one hand to the other: moved.
    Drag(HandRows()[0]->GetSlotRow(kMain), Centre(Tray(0, kOff)));
    EXPECT_EQ(Hands()[0], std::make_pair(longsword->itemKey, kEmpty));
    EXPECT_EQ(HandRows()[0]->GetSlotRow(kMain)->key, -1);
    EXPECT_TRUE(HandRows()[0]->GetSlotRow(kMain)->GetVisibleFlag());
    // Two weapons: the grip shows it and cannot be chosen.
    PoolToHand("Dagger", 0, kMain);
    H* row = HandRows()[0];
    EXPECT_EQ(SetAt(0)->gripMode, Set::kTwoWeapons);
    EXPECT_TRUE(row->FindDescendant(H::kTwoWeaponsButton)->GetVisibleFlag());
    EXPECT_FALSE(row->FindDescendant(H::kTwoWeaponsButton)->IsEnabled());
    EXPECT_FALSE(row->FindDescendant(H::kOneHandButton)->GetVisibleFlag());
    // Into a hand of another set from a slot: there as well.
    Drag(row->GetSlotRow(kMain), Centre(Tray(1, kMain)));
    EXPECT_EQ(Hands(), (decltype(Hands()){{longsword->itemKey, dagger->itemKey},
                                          {kEmpty, dagger->itemKey},
                                          {kEmpty, kEmpty}}));
}

TEST_F(EquipPageTest, EmptyingASetRemovesItAndLetsGoOfWhatNoOtherSetHolds)
{
    PoolToHand("Longsword", 0, kMain);
    PoolToHand("Dagger", 1, kMain);
    PoolToHand("Longsword", 2, kOff);
    ASSERT_EQ(Hands().size(), 4u);
    hero->modified = 0;
    // The longsword stays on: the third set still holds it.
    Drag(HandRows()[0]->GetSlotRow(kMain), Nowhere());
    EXPECT_EQ(Hands(),
              (decltype(Hands()){
                  {kEmpty, dagger->itemKey}, {longsword->itemKey, kEmpty}, {kEmpty, kEmpty}}));
    EXPECT_EQ(HandRows().size(), 3u);
    EXPECT_EQ(longsword->placement, VelCharacterItem::kCarried);
    EXPECT_EQ(hero->modified, 1);
    // The dagger goes with its set.
    const float weight = hero->carriedWeight;
    Drag(HandRows()[0]->GetSlotRow(kMain), Nowhere());
    EXPECT_EQ(Hands().size(), 2u);
    EXPECT_EQ(dagger->placement, VelCharacterItem::kNotOnBody);
    EXPECT_FLOAT_EQ(hero->carriedWeight, weight - 1.0f);
    // The last, empty set is never removed.
    Drag(HandRows()[0]->GetSlotRow(kOff), Nowhere());
    EXPECT_EQ(Hands(), (decltype(Hands()){{kEmpty, kEmpty}}));
    EXPECT_EQ(HandRows().size(), 1u);
}

TEST_F(EquipPageTest, HoveringAHandBreaksItsAttackDown)
{
    PoolToHand("Longsword", 0, kMain);
    const std::string pageHelp = HelpLine();
    Hover(HandRows()[0]->GetSlotRow(kMain));
    // Base 0 at level 1, STR 14: +2, no penalty, no adjustment, proficient.
    const std::vector<std::string> attack = {"+2", "+0", "+2", "+0", "+0", "+0", "(1-8)+2"};
    for (std::size_t i = 0; i < attack.size(); ++i)
        EXPECT_EQ(Text(static_cast<std::uint16_t>(E::kFirstAttackText + i)), attack[i]) << i;
    EXPECT_EQ(Text(E::kHandItemName), "Longsword");
    EXPECT_EQ(HelpLine(), "About the Longsword.");
    // The empty off hand: no weapon, its penalty as it stands, no damage;
    // armour worn untrained costs a weapon, not the empty hand's weapon part.
    hero->values[VelCharacter::kValueAttackPenalty] = static_cast<std::uint32_t>(-3);
    Hover(HandRows()[0]->GetSlotRow(kOff));
    EXPECT_EQ(Text(E::kFirstAttackText), "-4");
    EXPECT_EQ(Text(E::kFirstAttackText + 3), "-4");
    EXPECT_EQ(Text(E::kFirstAttackText + 5), "+0");
    EXPECT_EQ(Text(E::kFirstAttackText + 6), "-");
    EXPECT_EQ(HelpLine(), pageHelp);
    ui.Move(5, 5);
    ui.Update();
    for (std::size_t i = 0; i < attack.size(); ++i)
        EXPECT_EQ(Text(static_cast<std::uint16_t>(E::kFirstAttackText + i)), "") << i;
    EXPECT_EQ(HelpLine(), pageHelp);
}

TEST_F(EquipPageTest, ArmourWornUntrainedCostsTheHandWhatItCostsTheWindowsAttack)
{
    // Class 4 is not trained in medium armour: the mail's -5 is his attack's.
    Own(G::kChainMail);
    ChooseCategory(VelInventoryList::kArmorAndShields);
    Drag(RowNamed(page->GetPool(), "Chain Mail"), Centre(page->GetWornList()));
    ASSERT_EQ(static_cast<std::int32_t>(hero->values[VelCharacter::kValueAttackPenalty]), -5);
    ChooseCategory(VelInventoryList::kWeapons);
    PoolToHand("Longsword", 0, kMain);
    Hover(HandRows()[0]->GetSlotRow(kMain));
    int parts = 0;
    for (std::uint16_t i = 1; i < 6; ++i)
        parts += std::stoi(Text(static_cast<std::uint16_t>(E::kFirstAttackText + i)));
    EXPECT_EQ(std::stoi(Text(E::kFirstAttackText)), parts);
    EXPECT_EQ(Text(E::kFirstAttackText), Text(Vel_UIWin_CharConfig::kMeleeText));
}

TEST_F(EquipPageTest, ArmourAndShieldsAreWornWhileThereIsRoom)
{
    VelCharacterItem* leather = Own(G::kLeather);
    Own(G::kChainMail);
    VelCharacterItem* buckler = Own(G::kBuckler);
    Own(G::kTowerShield);
    page = ShowEquip();
    ChooseCategory(VelInventoryList::kArmorAndShields);
    EXPECT_EQ(Text(E::kCaption), "Armour and shields worn");
    EXPECT_FALSE(page->FindDescendant(E::kAttackPanel)->GetVisibleFlag());
    EXPECT_TRUE(page->FindDescendant(E::kArmorClassPanel)->GetVisibleFlag());
    const auto armourClassShown = [&] {
        EXPECT_EQ(Text(E::kFirstArmorClassText),
                  std::to_string(hero->stats[VelEntity::kArmorClass]));
    };
    armourClassShown();

    Drag(RowNamed(page->GetPool(), "Leather"), Centre(page->GetWornList()));
    EXPECT_EQ(hero->GetWornArmor(), leather);
    EXPECT_EQ(Names(page->GetWornList()), std::vector<std::string>{"Leather"});
    EXPECT_EQ(Names(page->GetPool()),
              (std::vector<std::string>{"Buckler", "Chain Mail", "Tower Shield"}));
    EXPECT_FALSE(Draggable(RowNamed(page->GetPool(), "Chain Mail")));
    EXPECT_EQ(RowNamed(page->GetPool(), "Chain Mail")->GetFontVariant(), 1);
    EXPECT_EQ(Text(E::kFirstArmorClassText + 3), "+2");
    armourClassShown();

    Drag(RowNamed(page->GetPool(), "Buckler"), Centre(page->GetWornList()));
    EXPECT_EQ(hero->GetFirstShield(), buckler);
    EXPECT_EQ(Text(E::kFirstArmorClassText + 4), "+1");
    armourClassShown();
    // The buckler off again: the pool is filled anew, and the chain mail
    // still cannot be worn over the leather.
    Drag(RowNamed(page->GetWornList(), "Buckler"), Nowhere());
    EXPECT_EQ(hero->GetFirstShield(), nullptr);
    EXPECT_NE(RowNamed(page->GetPool(), "Buckler"), nullptr);
    EXPECT_TRUE(Draggable(RowNamed(page->GetPool(), "Buckler")));
    EXPECT_FALSE(Draggable(RowNamed(page->GetPool(), "Chain Mail")));
    armourClassShown();
    EXPECT_EQ(hero->modified, 1);
}

TEST_F(EquipPageTest, ASecondArmourDroppedAnywayIsRefusedAndStaysInThePool)
{
    VelCharacterItem* leather = Own(G::kLeather);
    VelCharacterItem* mail = Own(G::kChainMail);
    ChooseCategory(VelInventoryList::kArmorAndShields);
    Drag(RowNamed(page->GetPool(), "Leather"), Centre(page->GetWornList()));
    ASSERT_EQ(hero->GetWornArmor(), leather);
    // The pool's row cannot be dragged; a drop that comes anyway is refused.
    auto* mailRow = dynamic_cast<Vel_UIInvItem*>(RowNamed(page->GetPool(), "Chain Mail"));
    ASSERT_NE(mailRow, nullptr);
    const float weight = hero->carriedWeight;
    UIEvent dropped(page->GetWornList(), UIMessage::kDroppedOnto, FCPoint(0, 0),
                    reinterpret_cast<std::uintptr_t>(mailRow), 0);
    page->HandleNotify(dropped);
    EXPECT_EQ(hero->GetWornArmor(), leather);
    EXPECT_EQ(mail->placement, VelCharacterItem::kNotOnBody);
    EXPECT_FLOAT_EQ(hero->carriedWeight, weight);
    EXPECT_EQ(Names(page->GetWornList()), std::vector<std::string>{"Leather"});
    EXPECT_NE(RowNamed(page->GetPool(), "Chain Mail"), nullptr);
}

TEST_F(EquipPageTest, GoodsAreCarriedWithoutPanels)
{
    VelCharacterItem* pack = Own(G::kBackpack);
    Own(G::kCart);
    ChooseCategory(VelInventoryList::kGoods);
    EXPECT_FALSE(page->FindDescendant(E::kAttackPanel)->GetVisibleFlag());
    EXPECT_FALSE(page->FindDescendant(E::kArmorClassPanel)->GetVisibleFlag());
    // The cart is owned but cannot be carried.
    EXPECT_FALSE(Draggable(RowNamed(page->GetPool(), "Cart")));
    const float weight = hero->carriedWeight;
    Drag(RowNamed(page->GetPool(), "Backpack"), Centre(page->GetWornList()));
    EXPECT_EQ(pack->placement, VelCharacterItem::kCarried);
    EXPECT_FLOAT_EQ(hero->carriedWeight, weight + 2.0f);
    EXPECT_EQ(Names(page->GetWornList()), std::vector<std::string>{"Backpack"});
    EXPECT_EQ(RowNamed(page->GetPool(), "Backpack"), nullptr);
    // Hovering an item shows its description.
    Hover(RowNamed(page->GetWornList(), "Backpack"));
    EXPECT_EQ(HelpLine(), "About the Backpack.");
}

TEST_F(EquipPageTest, StoredSetsAreRepairedAndKeepTheirGrip)
{
    // A set whose hand names no owned item, one between that holds nothing,
    // one in grip mode 1, and none empty at the end.
    Set stale;
    stale.SetSlot(kMain, 77);
    Set held;
    held.SetSlot(kMain, longsword->itemKey);
    held.gripMode = Set::kAnyGrip;
    hero->equipSets.Clear();
    hero->AddEquip(stale);
    hero->AddEquip(Set());
    hero->AddEquip(held);
    // An enhanced piece is never put on here.
    Own(G::kDagger, VelCharacterItem::kEnhanced, 1);
    page = ShowEquip();
    EXPECT_EQ(Hands(), (decltype(Hands()){{kEmpty, longsword->itemKey}, {kEmpty, kEmpty}}));
    EXPECT_EQ(SetAt(0)->gripMode, Set::kAnyGrip) << "the page's own selection is no choice";
    EXPECT_EQ(HandRows().size(), 2u);
    EXPECT_EQ(Names(page->GetPool()),
              (std::vector<std::string>{"Dagger", "Greatsword", "Longsword", "Sword"}));

    // The user's choice of grip is one.
    ClickControl(HandRows()[0]->FindDescendant(H::kTwoHandsButton));
    EXPECT_EQ(SetAt(0)->gripMode, Set::kTwoHands);
    EXPECT_EQ(hero->modified, 1);
    ClickControl(HandRows()[0]->FindDescendant(H::kOneHandButton));
    EXPECT_EQ(SetAt(0)->gripMode, Set::kOneHand);
}

TEST_F(EquipPageTest, SellingAWeaponLeavesTheOtherHandItsWeapon)
{
    PoolToHand("Dagger", 0, kOff);
    PoolToHand("Longsword", 0, kMain);
    PoolToHand("Longsword", 1, kMain);
    ASSERT_EQ(Hands().size(), 3u);
    SellItem(hero, longsword);
    page = ShowEquip();
    EXPECT_EQ(Hands(), (decltype(Hands()){{dagger->itemKey, kEmpty}, {kEmpty, kEmpty}}));
    EXPECT_EQ(SetAt(0)->gripMode, Set::kOneHand);
    EXPECT_EQ(HandRows().size(), 2u);
}

TEST_F(EquipPageTest, WithoutTheIconLayoutTheRowItselfIsDragged)
{
    ui.WriteLayout("velItem_Icon64.ui", LayoutBytes::Write(LayoutBytes::Control(
                                            LayoutBytes::Element(1, 0, 0, 10, 10), "UIControl")));
    PoolToHand("Dagger", 0, kMain);
    EXPECT_EQ(Hands()[0], std::make_pair(kEmpty, dagger->itemKey));
}
} // namespace
