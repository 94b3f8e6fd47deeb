#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "Vel_ui/VelInventoryList.h"
#include "Vel_ui/Vel_UIPanel.h"

#include <array>
#include <cstdint>

class UITextControl;
class VelCharacter;
class VelCharacterEquip;
class Vel_UIEquipHandItem;
class Vel_UIListBox;

// The character page on which owned items are put on: the pool of owned
// items of the category not yet on the character and, beside it, what is
// on: one hand row per equipment set for weapons, the worn armour and
// shields, or the carried goods. Dragging puts items on and takes them off.
// While the pointer rests on a hand the page breaks its attack down; for
// armour it breaks the armour class down; it always shows the load.
class Vel_UIEquip : public Vel_UIPanel, public VelInventoryList
{
public:
    static constexpr std::uint16_t kScreenId = 11000;
    static constexpr std::uint16_t kCaption = 11020;
    static constexpr std::uint16_t kWornList = 11030;
    static constexpr std::uint16_t kWeightText = 11060;
    static constexpr std::uint16_t kLoadText = 11061;
    static constexpr std::uint16_t kHandItemName = 11068;
    static constexpr std::uint16_t kAttackPanel = 11069;
    // Total, base attack, ability, two-weapon penalty, hand adjustment,
    // weapon bonus, then the damage.
    static constexpr std::uint16_t kFirstAttackText = 11070;
    static constexpr std::size_t kAttackTextCount = 7;
    static constexpr std::uint16_t kArmorClassPanel = 11079;
    // Total, the base 10, dexterity, armour, shield, class and size.
    static constexpr std::uint16_t kFirstArmorClassText = 11080;
    static constexpr std::size_t kArmorClassTextCount = 6;
    static constexpr std::uint16_t kPool = 11200;
    // Texts: the caption by category, the load names by load category.
    static constexpr std::int32_t kFirstCaptionText = 2090;
    static constexpr std::int32_t kFirstLoadText = 10541;
    static constexpr std::int32_t kBaseArmorClass = 10;
    static constexpr const char* kHandRowLayout = "velEquipHandItem.ui";
    static constexpr const char* kDragIconLayout = "velItem_Icon64.ui";

    Vel_UIEquip();
    // The copy finds its own children and shares the row templates.
    Vel_UIEquip(const Vel_UIEquip& other);
    ~Vel_UIEquip() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    bool Load(FCFile& file) override;
    // A pool row is dragged as its item's icon.
    UIControl* CreateDragObjectFor(UIControl* control) override;
    bool HandleNotify(UIEvent& event) override;

    void EnterPage() override;
    void OnCharacterChanged(VelCharacter* character) override;
    bool OnMouseOverEnter(UIControl* control) override;
    bool OnMouseOverLeave(UIControl* control) override;

    // The pool, the panels and the worn list for the category.
    void RefreshLists() override;

    // No set: every attack field empty.
    void ShowAttack(const VelCharacterEquip* set, std::int16_t hand);
    void ShowArmorClass();
    void ShowLoad();

    Vel_UIListBox* GetPool() const { return pool; }
    Vel_UIListBox* GetWornList() const { return wornList; }
    // The hand row of the set, or null.
    Vel_UIEquipHandItem* FindHandRow(const VelCharacterEquip* set) const;

protected:
    void BindChildren(bool logMissing);
    void FillPool();
    // Armour only while none is worn, shields while a shield place is free.
    void UpdatePoolUsability();
    void FillWornList();
    // Slots naming no owned item are emptied, sets left empty go, and one
    // empty set always ends the list, ready for the next weapon.
    void RepairEquipSets(VelCharacter& character);
    Vel_UIEquipHandItem* CreateHandRow(VelCharacterEquip* set);
    void PutOn(UIControl* dropped);
    void TakeOff(UIControl* removed);
    void AddSet();
    void RemoveSet(Vel_UIEquipHandItem* handRow);

    UITextControl* caption = nullptr;
    Vel_UIListBox* wornList = nullptr;
    UITextControl* weightText = nullptr;
    UITextControl* loadText = nullptr;
    UITextControl* handItemName = nullptr;
    UIControl* attackPanel = nullptr;
    std::array<UITextControl*, kAttackTextCount> attackTexts{};
    UIControl* armorClassPanel = nullptr;
    std::array<UITextControl*, kArmorClassTextCount> armorClassTexts{};
    Vel_UIListBox* pool = nullptr;
    FCCountedRef<Vel_UIEquipHandItem> handTemplate;
    FCCountedRef<Vel_UIItem> iconTemplate;
};
