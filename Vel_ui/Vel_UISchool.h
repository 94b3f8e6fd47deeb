#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "Vel_ui/Vel_UIPanel.h"

#include <array>
#include <cstdint>

class UIComboBox;
class VelCharacter;
class VelSchoolInfo;
class Vel_UIItem;
class Vel_UIItemTray;
class Vel_UIListBox;

// The spell-book class's schools of magic: a specialty dragged onto its
// tray, how many schools are given up for it, and the schools given up,
// each dragged onto a tray of its own. The school rankings decide which
// combinations are open; rows that do not fit are drawn greyed and stay.
class Vel_UISchool : public Vel_UIPanel
{
public:
    static constexpr std::uint16_t kScreenId = 9000;
    static constexpr std::uint16_t kSpecialtyTray = 9010;
    static constexpr std::uint16_t kCountCombo = 9020;
    static constexpr std::uint16_t kFirstProhibitedTray = 9030;
    static constexpr std::uint16_t kSpecialtyList = 9200;
    static constexpr std::uint16_t kProhibitedList = 9210;
    static constexpr std::uint16_t kProhibitedTrayCount = 3;
    static constexpr const char* kRowLayout = "velItem_W32_16pt.ui";
    // Texts of the count entries: 1999 + count.
    static constexpr std::uint16_t kCountTextBase = 1999;
    // Row kinds: the specialty list and tray, the prohibited list and trays.
    static constexpr std::uint16_t kSpecialtyKind = 9200;
    static constexpr std::uint16_t kProhibitedKind = 9210;

    Vel_UISchool();
    // The copy finds its own children.
    Vel_UISchool(const Vel_UISchool& other);
    ~Vel_UISchool() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    bool Load(FCFile& file) override;
    bool HandleNotify(UIEvent& event) override;

    void EnterPage() override;
    bool OnMouseOverEnter(UIControl* control) override;
    bool OnMouseOverLeave(UIControl* control) override;

    // Which schools the lists offer for the character's slots.
    static bool IsSpecialtyOpen(const VelCharacter& character, const VelSchoolInfo& school);
    static bool IsProhibitionOpen(const VelCharacter& character, const VelSchoolInfo& school);
    // Whether the count entry (1 to 3) may be chosen with the specialty and
    // the schools given up.
    static bool IsCountOpen(const VelCharacter& character, std::int16_t count);
    // The number of schools to give up; a stored value outside 1 to 3 reads as 1.
    static std::int16_t ProhibitedCount(const VelCharacter& character);

protected:
    // Logs what the layout lacks when asked (at load).
    void BindChildren(bool log);
    void FillCountCombo();
    void FillLists();
    void ShowTrays();
    // Every control from the character's slots again.
    void ShowAll();
    void ShowTrayRow(Vel_UIItemTray* tray, const VelSchoolInfo* school, std::uint16_t kind, bool hideEmpty);
    void FillList(Vel_UIListBox* list, std::uint16_t kind);
    // Stores a school slot, and marks and tells the change.
    void SetSlot(std::int16_t slot, std::uint16_t value);
    void OnDrop(UIControl* tray, UIControl* dragged);
    std::int16_t ProhibitedTrayIndex(const UIControl* control) const;

    Vel_UIItemTray* specialtyTray = nullptr;
    UIComboBox* countCombo = nullptr;
    std::array<Vel_UIItemTray*, kProhibitedTrayCount> prohibitedTrays{};
    Vel_UIListBox* specialtyList = nullptr;
    Vel_UIListBox* prohibitedList = nullptr;
    FCCountedRef<Vel_UIItem> rowPrototype;
};
