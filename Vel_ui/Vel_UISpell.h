#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "Vel_ui/Vel_UIPanel.h"

#include <array>
#include <cstdint>
#include <functional>

class UIComboBox;
class UITextControl;
class VelCharacter;
class VelCharacterClass;
class VelSpellInfo;
class Vel_UIListBox;
class Vel_UISpellItem;

// The spells of the class picked in the character window. The spell-book
// class and the two classes that keep a known list drag spells from the
// class's list into the known list (the spell-book class also buys them,
// on the purchase tab); every other casting class sees its spells marked by
// whether it can cast their level, the domain caster also by domain. The
// spells per day of levels 0 to 9 are shown for every casting class.
class Vel_UISpell : public Vel_UIPanel
{
public:
    static constexpr std::uint16_t kScreenId = 9500;
    // Children by id.
    static constexpr std::uint16_t kModeCaption = 9504;
    static constexpr std::uint16_t kModeCombo = 9505;
    static constexpr std::uint16_t kPerDayGroup = 9519;
    static constexpr std::uint16_t kFirstPerDayCell = 9520;
    static constexpr std::uint16_t kKnownList = 9540;
    static constexpr std::uint16_t kTabGroup = 9545;
    static constexpr std::uint16_t kFirstTab = 9550;
    static constexpr std::uint16_t kPurchaseTab = 9570;
    static constexpr std::uint16_t kFirstTabCaption = 9575;
    static constexpr std::uint16_t kPurchaseTabCaption = 9576;
    static constexpr std::uint16_t kKnownCaption = 9580;
    static constexpr std::uint16_t kTabCaption = 9585;
    static constexpr std::uint16_t kFilterCombo = 9700;
    static constexpr std::uint16_t kFilterCaption = 9702;
    static constexpr std::uint16_t kLevelCaption = 9703;
    static constexpr std::uint16_t kLevelCombo = 9705;
    static constexpr std::uint16_t kKnownClassList = 9710;
    static constexpr std::uint16_t kClassList = 9711;
    static constexpr const char* kRowLayout = "velSpellItem.ui";

    // Texts of the mode entries; 10520 heads the filters ("All").
    static constexpr std::uint16_t kSchoolModeText = 2045;
    static constexpr std::uint16_t kDomainModeText = 2046;
    static constexpr std::uint16_t kAllText = 10520;

    // The tab that buys spells instead of filling a slot.
    static constexpr std::int16_t kPurchaseSlot = 10;
    // A spell of level L costs this many of the highest coin times L.
    static constexpr std::int32_t kPricePerLevel = 200;

    Vel_UISpell();
    // The copy finds its own children.
    Vel_UISpell(const Vel_UISpell& other);
    ~Vel_UISpell() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    bool Load(FCFile& file) override;
    bool HandleNotify(UIEvent& event) override;

    void EnterPage() override;
    void Refresh() override;
    void OnCharacterChanged(VelCharacter* character) override;
    bool OnMouseOverEnter(UIControl* control) override;
    bool OnMouseOverLeave(UIControl* control) override;

    std::int16_t GetMode() const { return mode; }
    std::int16_t GetCurrentTab() const { return currentTab; }
    std::int16_t GetSchoolFilter() const { return schoolFilter; }
    std::int16_t GetLevelFilter() const { return levelFilter; }
    std::int16_t GetDomain() const { return domain; }
    Vel_UIListBox* GetCurrentList() const { return currentList; }

protected:
    // Logs what the layout lacks when asked (at load).
    void BindChildren(bool log);
    // The page's controls for the current class; false when it casts no
    // spells (everything is then hidden).
    bool SetUpForClass(const VelCharacterClass* entry);
    void MakeCurrentList(Vel_UIListBox* list);
    void FillModeCombo();
    void FillFilterCombo();
    void FillLevelCombo();
    void ShowSpellsPerDay(const VelCharacter& character, const VelCharacterClass& entry);
    void FillKnownList(const VelCharacter& character);
    // The class list (or the domain list) anew, with its marks.
    // keepPlace: the rows follow the user's own change and the list stays
    // where it was; otherwise it starts at its top.
    void FillClassSpellList(bool keepPlace = false);
    // The level at which the class list shows the spell, or -1 to leave it out.
    std::int16_t ClassLevelOf(const VelCharacterClass& entry, const VelSpellInfo& spell) const;
    // A row for every spell the function gives a level, within the level filter.
    void ListSpells(const std::function<std::int16_t(const VelSpellInfo&)>& levelOf);
    void MarkClassSpellRows();
    void MarkKnownRows(const VelCharacter& character, const VelCharacterClass& entry);
    // Returns whether the current tab had to move.
    bool ShowSlotTabs(const VelCharacter& character, const VelCharacterClass& entry);
    void UpdateMarks(bool refill, bool keepPlace = false);
    Vel_UISpellItem* MakeRow(const VelSpellInfo& spell, std::int16_t level);
    // Whether the spell may be dragged into the known list now.
    bool IsAvailable(const VelCharacter& character, const VelCharacterClass& entry,
                     const VelSpellInfo& spell, std::int16_t level) const;
    void AddSpell(const Vel_UISpellItem& dropped);
    void RemoveSpell(const Vel_UISpellItem& removed);
    // A filter, the list mode or a tab chosen by the user.
    void OnChoice(const UIEvent& event);
    bool IsDomainMode() const;
    VelCharacter* Character() const;
    VelCharacterClass* CurrentEntry() const;

    UIControl* modeCaption = nullptr;
    UIComboBox* modeCombo = nullptr;
    UIControl* perDayGroup = nullptr;
    std::array<UITextControl*, 10> perDayCells{};
    Vel_UIListBox* knownList = nullptr;
    UIControl* tabGroup = nullptr;
    std::array<UITextControl*, 10> tabs{};
    UITextControl* purchaseTab = nullptr;
    UIControl* firstTabCaption = nullptr;
    UIControl* purchaseTabCaption = nullptr;
    UIControl* knownCaption = nullptr;
    UIControl* tabCaption = nullptr;
    UIComboBox* filterCombo = nullptr;
    UIControl* filterCaption = nullptr;
    UIControl* levelCaption = nullptr;
    UIComboBox* levelCombo = nullptr;
    Vel_UIListBox* knownClassList = nullptr;
    Vel_UIListBox* classList = nullptr;
    // 0 the school list, 1 the domain list (only the domain caster).
    std::int16_t mode = 0;
    std::int16_t schoolFilter = -1;
    std::int16_t domain = 0;
    std::int16_t levelFilter = -1;
    // 0 to 9 a slot level, kPurchaseSlot the purchase tab.
    std::int16_t currentTab = 1;
    std::uint16_t classId = 0xFFFF;
    bool keepsKnown = false;
    bool casts = false;
    FCCountedRef<Vel_UISpellItem> rowPrototype;
    Vel_UIListBox* currentList = nullptr;
};
