#pragma once

#include "Vel_ui/VelInventoryList.h"
#include "Vel_ui/Vel_UIPanel.h"

#include <cstdint>
#include <vector>

class UIButton;
class UINumberScroll;
class UITextControl;
class VelCharacter;
class VelCharacterItem;
class Vel_UIListBox;

// The character page for money and possessions: the three coin counts (the
// highest one typed), what the owned items are worth, the stock of the
// rules under the category and filters, and the items owned. A stock row
// dragged onto the owned list buys the item; an owned row dragged off the
// list sells it back. A toggle lets items be taken without paying.
class Vel_UIInventory : public Vel_UIPanel, public VelInventoryList
{
public:
    static constexpr std::uint16_t kScreenId = 10500;
    static constexpr std::uint16_t kLowCoinText = 10510;
    static constexpr std::uint16_t kMiddleCoinText = 10511;
    static constexpr std::uint16_t kHighCoinScroll = 10512;
    static constexpr std::uint16_t kOwnedValueText = 10520;
    static constexpr std::uint16_t kWorthText = 10521;
    static constexpr std::uint16_t kStartingMoneyText = 10522;
    static constexpr std::uint16_t kOwnedList = 10530;
    static constexpr std::uint16_t kStockList = 10650;
    static constexpr std::uint16_t kIgnoreCostButton = 10660;
    static constexpr std::int32_t kMaxHighCoins = 999999;
    // Shown for a character without starting money (an old file).
    static constexpr const char* kNoStartingMoney = "v 1.0";
    // A sale the money cannot take: after the item's name.
    static constexpr const char* kUnsoldCaption = "Not Sold";
    static constexpr const char* kUnsoldText =
        " stays yours: its price would take the gold past 999,999, the most a purse holds. "
        "Spend some gold first.";

    Vel_UIInventory();
    // The copy finds its own children and shares the row templates.
    Vel_UIInventory(const Vel_UIInventory& other);
    ~Vel_UIInventory() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    bool Load(FCFile& file) override;
    bool HandleNotify(UIEvent& event) override;

    void EnterPage() override;
    bool OnMouseOverEnter(UIControl* control) override;
    bool OnMouseOverLeave(UIControl* control) override;

    // The stock of the current category and filters.
    void RefreshLists() override;
    void ShowItemPicture(const VelItemInfo* record) override;

    void ShowEverything();
    void ShowMoney();
    // With normalise, the owned value's coins carry first.
    void ShowValue(bool normalise);
    // Rows the money cannot pay for cannot be dragged and are greyed.
    void UpdateAffordability();

    Vel_UIListBox* GetStockList() const { return stockList; }
    Vel_UIListBox* GetOwnedList() const { return ownedList; }

protected:
    void BindChildren(bool logMissing);
    void BuildItemStock();
    void BuildSpellStock();
    void FinishStock(VelCharacter* character);
    void FillOwnedList(const VelCharacter& character);
    static void ShowAffordability(Vel_UIInvItem& row, const VelCharacter& character,
                                  std::int16_t coinKind, std::uint32_t price);
    void OnMoneyEdited();
    // The field shows the gold as it is, even outside what can be typed
    // (an old file's debt, gold above the limit): its range stretches to
    // hold it, so that leaving the field untouched changes nothing.
    void ShowGold(std::int32_t gold);
    void OnIgnoreCostClicked();
    void Buy(UIControl* dropped);
    // A sale the money cannot take is refused, and the user is told why.
    void Sell(UIControl* removed);
    static void ExplainUnsold(const VelCharacterItem* entry);
    // Every edit marks the character and tells its listener.
    static void Changed(VelCharacter& character);

    UITextControl* lowCoinText = nullptr;
    UITextControl* middleCoinText = nullptr;
    UINumberScroll* highCoinScroll = nullptr;
    UITextControl* ownedValueText = nullptr;
    UITextControl* worthText = nullptr;
    UITextControl* startingMoneyText = nullptr;
    Vel_UIListBox* ownedList = nullptr;
    Vel_UIListBox* stockList = nullptr;
    UIButton* ignoreCostButton = nullptr;
    // The most gold the field takes: the limit, or the gold held when the
    // page was entered when that was more.
    std::int32_t goldTop = kMaxHighCoins;
    // What the stock being built offers, before its rows are made.
    std::vector<Offer> offers;
};
