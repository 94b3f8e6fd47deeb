#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "Vel_ui/Vel_UIPanel.h"
#include "Vel_ui/Vel_UITargetRequest.h"

#include <cstdint>

class UIComboBox;
class UITextControl;
class VelCharacter;
class VelCharacterFeat;
class Vel_UIItem;
class Vel_UIListBox;

// The page on which feats are chosen. The feat table, filtered by category,
// gives feats that are dragged onto the chosen general feats or, for a
// character with a bonus-feat class, onto the current class's bonus feats;
// a chosen feat dragged off is given back. A feat taken once per target asks
// for its target in the target dialog. Whether a feat may be taken and what
// it costs are the rules'; the page keeps the lists and counters.
class Vel_UIFeats : public Vel_UIPanel
{
public:
    static constexpr std::uint16_t kScreenId = 6500;
    static constexpr std::uint16_t kGeneralLeftId = 6510;
    static constexpr std::uint16_t kChosenWithBonusId = 6520;
    static constexpr std::uint16_t kChosenId = 6521;
    static constexpr std::uint16_t kBonusSectionId = 6545;
    static constexpr std::uint16_t kBonusLeftId = 6550;
    static constexpr std::uint16_t kBonusListId = 6560;
    static constexpr std::uint16_t kCategoryId = 6700;
    static constexpr std::uint16_t kAvailableListId = 6710;
    // Categories -1 (all) to 4 (the current class's bonus feats), named by
    // the texts from this id on.
    static constexpr std::uint16_t kFirstCategoryText = 10590;
    static constexpr std::int32_t kAllCategories = -1;
    static constexpr std::int32_t kBonusCategory = 4;
    // Row kinds.
    static constexpr std::uint16_t kGeneralRow = 12;
    static constexpr std::uint16_t kBonusRow = 13;
    static constexpr std::uint16_t kAvailableRow = 14;
    static constexpr const char* kRowLayout = "velItem_W32_12pt.ui";

    Vel_UIFeats();
    // The copy finds its own children and shares the row prototype.
    Vel_UIFeats(const Vel_UIFeats& other);
    ~Vel_UIFeats() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    bool Load(FCFile& file) override;
    // The target dialog's choice (30) and closing (28).
    void HandleMessage(std::int16_t messageId, void* data) override;
    bool HandleNotify(UIEvent& event) override;

    void EnterPage() override;
    void Refresh() override;
    void OnCharacterChanged(VelCharacter* character) override;
    bool OnMouseOverEnter(UIControl* control) override;
    bool OnMouseOverLeave(UIControl* control) override;

    void FillCategories();
    void FillAvailable();
    void UpdateAvailableStates();
    void FillChosenLists();

    // Whether the class gives bonus feats.
    static bool IsBonusClass(std::uint16_t classId);
    // Whether the feat is a bonus feat of the class.
    static bool IsBonusFeatOf(std::uint16_t classId, std::uint16_t featId);

    std::int32_t GetCategory() const { return category; }
    Vel_UIListBox* GetAvailableList() const { return availableList; }
    Vel_UIListBox* GetChosenList() const { return chosenList; }
    Vel_UIListBox* GetBonusList() const { return bonusList; }
    Vel_UIWin_SelectTarget* GetDialog() const { return target.GetDialog(); }

protected:
    // A copy of the registered prototype has no children yet: only the
    // load reports what the layout lacks.
    void BindChildren(bool logMissing);
    void FillChosen(bool bonus);
    // The same, after the user's own change: the list stays where it was.
    void KeepPlaceAndFill(bool bonus);
    // No bonus feat left and the general feats used up.
    static bool IsFull(const VelCharacter& character);
    // The available row's font; whether it may be dragged.
    static bool StyleAvailableRow(const VelCharacter& character, bool full, Vel_UIItem& row);
    // The general or bonus feats left, and whether their list takes more.
    void ShowCounter(bool bonus);
    void RestyleChosen(Vel_UIListBox* list);
    // Whether the feat may go onto the general or bonus list now.
    bool MayTake(std::uint16_t featId, bool bonus) const;
    void TakeFeat(std::uint16_t featId, bool bonus);
    void AddAndShow(std::uint16_t featId, std::uint16_t choice, std::uint16_t secondChoice,
                    bool bonus);
    void GiveBack(const Vel_UIItem& row, bool bonus);
    // The entry a chosen row stands for, while the character still holds it.
    VelCharacterFeat* HeldEntry(const Vel_UIItem& row) const;
    Vel_UIListBox* ChosenListFor(bool bonus) const { return bonus ? bonusList : chosenList; }

    UIComboBox* categorySelector = nullptr;
    Vel_UIListBox* availableList = nullptr;
    UITextControl* generalLeftText = nullptr;
    Vel_UIListBox* chosenWithBonus = nullptr;
    Vel_UIListBox* chosenAlone = nullptr;
    // The general list in use: one of the two above.
    Vel_UIListBox* chosenList = nullptr;
    UIControl* bonusSection = nullptr;
    UITextControl* bonusLeftText = nullptr;
    Vel_UIListBox* bonusList = nullptr;
    std::int32_t category = 0;
    std::uint8_t bonusFlag = 0;
    std::uint16_t pendingFeat = 0xFFFF;
    std::uint8_t pendingBonus = 0;
    FCCountedRef<Vel_UIItem> rowPrototype;
    Vel_UITargetRequest target;
};
