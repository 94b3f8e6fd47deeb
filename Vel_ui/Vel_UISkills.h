#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "Vel_ui/Vel_UIPanel.h"
#include "Vel_ui/Vel_UITargetRequest.h"

#include <cstdint>
#include <string>
#include <tuple>

class UIComboBox;
class UITextControl;
class VelCharacter;
class VelCharacterClass;
class Vel_UIItem;
class Vel_UIListBox;
class Vel_UISkillItem;

// The page on which a class's skill points are spent. The available skills
// of the current class, filtered by their kind for it (class skill,
// cross-class, unavailable), are dragged onto the character's skills; each
// class's ranks there are a row with a spinner, stepped within the skill's
// maximum and the class's points, or dragged off to be refunded. Skills with
// sub-skills ask for the sub-skill in the target dialog.
class Vel_UISkills : public Vel_UIPanel
{
public:
    static constexpr std::uint16_t kScreenId = 6000;
    static constexpr std::uint16_t kMultiClassHelpId = 6001;
    static constexpr std::uint16_t kPointsId = 6010;
    static constexpr std::uint16_t kSkillListId = 6020;
    static constexpr std::uint16_t kFilterId = 6030;
    static constexpr std::uint16_t kTotalId = 6050;
    static constexpr std::uint16_t kRanksId = 6052;
    static constexpr std::uint16_t kAbilityPartId = 6054;
    static constexpr std::uint16_t kMiscPartId = 6056;
    static constexpr std::uint16_t kAvailableListId = 6200;
    // Filter texts, one per class-skill kind 0 to 2.
    static constexpr std::uint16_t kFirstFilterText = 1000;
    // Row kinds.
    static constexpr std::uint16_t kSkillRow = 10;
    static constexpr std::uint16_t kAvailableRow = 15;
    static constexpr const char* kAvailableRowLayout = "velSkillITem.ui";
    static constexpr const char* kSkillRowLayout = "velCharSkillItem.ui";
    // What the breakdown shows while no row is under the pointer.
    static constexpr const char* kNoBreakdown = "`";

    // What a row stands for: skill, sub-skill, class and kind of ranks.
    using RowKey = std::tuple<std::uint16_t, std::uint16_t, std::uint16_t, std::int32_t>;
    struct RowSpec
    {
        std::string name;
        std::uint16_t skillId;
        std::uint16_t subSkillId;
        std::uint16_t classId;
        std::int32_t kind;

        RowKey Key() const;
        static RowKey KeyOf(const Vel_UISkillItem& row);
        bool Matches(const Vel_UISkillItem& row) const;
        void ApplyTo(Vel_UISkillItem& row) const;
    };

    Vel_UISkills();
    // The copy finds its own children and shares the row prototypes.
    Vel_UISkills(const Vel_UISkills& other);
    ~Vel_UISkills() override;

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

    void FillAvailable();
    void FillSkillList();
    void ShowPoints();
    void UpdateAvailableStates();
    void UpdateSkillRowStates();

    std::int32_t GetFilter() const { return filter; }
    Vel_UIListBox* GetAvailableList() const { return availableList; }
    Vel_UIListBox* GetSkillList() const { return skillList; }
    Vel_UIWin_SelectTarget* GetDialog() const { return target.GetDialog(); }

protected:
    // A copy of the registered prototype has no children yet: only the
    // load reports what the layout lacks.
    void BindChildren(bool logMissing);
    void FillFilter();
    // Buys the first ranks of the skill for the current class; false,
    // changing nothing, when the rules or the points no longer allow it.
    bool AddSkill(std::uint16_t skillId, std::uint16_t subSkillId, std::int32_t kind);
    void OnDropped(const Vel_UISkillItem& row);
    void RemoveRanks(const Vel_UISkillItem& row);
    void OnRowValueChanged(Vel_UISkillItem& row);
    void UpdateRowState(VelCharacter& character, Vel_UISkillItem& row);
    Vel_UISkillItem* MakeSkillRow(const RowSpec& spec) const;
    // The available row's font; whether it may be dragged.
    bool StyleAvailableRow(const VelCharacter& character, bool pointsLeft,
                           Vel_UISkillItem& row) const;
    void ShowBreakdown(const Vel_UISkillItem& row);
    void ClearBreakdown();
    static std::int32_t PointsLeft(const VelCharacterClass* entry);

    Vel_UIListBox* skillList = nullptr;
    Vel_UIListBox* availableList = nullptr;
    UIComboBox* filterSelector = nullptr;
    UITextControl* pointsText = nullptr;
    UITextControl* totalText = nullptr;
    UITextControl* ranksText = nullptr;
    UITextControl* abilityText = nullptr;
    UITextControl* miscText = nullptr;
    std::int32_t filter = 1;
    std::uint16_t pendingSkill = 0xFFFF;
    std::int32_t pendingKind = 0;
    // Set while the page writes the rows' spinners, whose reports it ignores.
    bool updating = false;
    FCCountedRef<Vel_UIItem> availablePrototype;
    FCCountedRef<Vel_UIItem> skillPrototype;
    Vel_UITargetRequest target;
};
