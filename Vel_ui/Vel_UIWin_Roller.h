#pragma once

#include "Vel/Character/VelCharacter.h"
#include "Vel/Rules/VelAbilityScreenRules.h"
#include "Vel_ui/Vel_UIDialog.h"

#include <array>
#include <cstdint>
#include <vector>

class UIListBox;
class UINumberScroll;
class UITextControl;

// The dialog in which the six ability scores and the hit points of the
// current character are made: rolled values or a fixed array dragged as
// tokens onto the six ability rows, or scores bought with a budget of
// points. In its increases mode it only hands out the ability increases
// the character has earned, one point per drag of the increase token.
class Vel_UIWin_Roller : public Vel_UIDialog
{
public:
    static constexpr std::uint16_t kDialogId = 16000;
    static constexpr std::uint16_t kResetId = 16020;
    static constexpr std::uint16_t kFirstRowId = 16030;
    static constexpr std::uint16_t kFirstTokenId = 16040;
    static constexpr std::uint16_t kIncreaseTokenId = 16048;
    // What dragging the increase token drags: one point.
    static constexpr std::uint16_t kIncreaseObjectId = 16049;
    static constexpr std::uint16_t kRollCountId = 16050;
    static constexpr std::uint16_t kHitPointsId = 16051;
    static constexpr std::uint16_t kAverageBoxId = 16052;
    static constexpr std::uint16_t kPointsId = 16054;
    static constexpr std::uint16_t kMethodListId = 16062;
    static constexpr std::uint16_t kRollButtonId = 16065;
    static constexpr std::uint16_t kBudgetLabelId = 16066;
    static constexpr std::uint16_t kBudgetId = 16067;
    static constexpr std::uint16_t kFirstModifierId = 16070;

    enum Mode : std::uint16_t
    {
        kModeRoll = 0,
        kModePointBuy = 1,
        kModeFixed = 2,
        kModeIncreases = 3,
    };

    // Text ids: the method names, then the message of each mode.
    static constexpr std::uint16_t kFirstMethodNameId = 320;
    static constexpr std::uint16_t kMessageRoll = 330;
    static constexpr std::uint16_t kMessageAssign = 331;
    static constexpr std::uint16_t kMessagePointBuy = 332;
    static constexpr std::uint16_t kMessageIncreases = 333;

    // Spoken hints, each once per run.
    static constexpr std::uint32_t kHintIncreases = 0x4;
    static constexpr std::uint32_t kHintRoll = 0x8;
    static constexpr std::uint32_t kHintPointBuy = 0x10;
    static constexpr std::uint32_t kHintFixed = 0x20;

    static constexpr std::int16_t kMaxScore = 45;
    static constexpr std::int16_t kLowestRowValue = -2;
    static constexpr std::int32_t kStartingBudget = 25;
    static constexpr std::int32_t kMaxBudget = 99;
    static constexpr std::int16_t kLowestBoughtScore = 8;
    static constexpr std::int16_t kHighestBoughtScore = 18;
    static constexpr std::array<std::int16_t, VelEntity::kAbilityCount> kFixedArray = {
        15, 14, 13, 12, 10, 8};
    // A check box's ticked state.
    static constexpr std::uint32_t kTicked = 64;
    static constexpr std::uint32_t kUnticked = 32;

    Vel_UIWin_Roller();
    // Every field; the copy finds its own children.
    Vel_UIWin_Roller(const Vel_UIWin_Roller& other);
    ~Vel_UIWin_Roller() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // The layout, then the children, the hit dice to restore on Cancel and
    // the method list, whose selection sets the mode.
    bool Load(FCFile& file) override;
    // Dragging the increase token drags a one-point object.
    UIControl* CreateDragObjectFor(UIControl* control) override;
    bool HandleNotify(UIEvent& event) override;
    // Outside the increases mode the roller's hints count as heard.
    void Close(std::uint8_t notify) override;
    // The close button: the hit dice and the hit-point bonus go back to what
    // they were, then the dialog closes.
    void Cancel() override;

    // Only hands out the increases the character has earned; the hit dice
    // and the hit-point bonus stay as they are.
    void StartIncreases(bool silent);
    // Whether a row takes a dragged object now.
    std::uint16_t AcceptsDrop(const UIControl* row, const UIControl* dragged) const;

    std::uint16_t GetMode() const { return mode; }
    std::int16_t GetMethod() const { return method; }
    const std::vector<std::uint16_t>& GetRolls() const { return rolls; }
    std::uint16_t GetPlacedCount() const { return placedCount; }
    std::uint16_t GetHitPoints() const { return hitPoints; }

protected:
    void BindChildren(bool logMissing);
    void FillMethodList();
    void OnMethodChanged();
    void SetMode(std::uint16_t newMode);
    void SetupRows(bool reset);
    void RollAbilities(bool newRoll);
    void UseFixedArray();
    void StartPointBuy();
    void UpdateBudget(std::int32_t delta);
    void OnRowStep(std::int16_t ability, bool up);
    void ShowPointTotal();
    void RollHitPoints(bool average, bool keep);
    void ShowHitPoints();
    void EnableIncreaseToken();
    void DropOnRow(std::int16_t ability, UIControl* dragged);
    void Accept();
    void SaveHitDice();
    void RestoreHitDice();
    void ShowRollCount();
    // Cancel and OK: the owner hears 28 once the dialog has left.
    void Finish();

    std::int16_t RowIndexOf(const UIControl* control) const;
    std::int16_t RowValue(std::int16_t ability) const;
    // The row's score before what the race and the familiar give and the
    // increases.
    std::int16_t RowBase(std::int16_t ability) const;
    void SetRowValue(std::int16_t ability, std::int32_t value);
    void ShowModifier(std::int16_t ability);
    void ShowToken(std::int16_t ability, std::int16_t value);
    bool IsAverageTicked() const;
    void SetShown(UIControl* control, bool show) const;
    void SetEnabledAndRedraw(UIControl* control, bool enable) const;
    void PlayHintOnce(std::uint32_t flag, const char* fileName) const;

    std::uint16_t mode = kModeRoll;
    UIListBox* methodList = nullptr;
    std::array<UINumberScroll*, VelEntity::kAbilityCount> rows{};
    std::array<UITextControl*, VelEntity::kAbilityCount> modifiers{};
    // What the race and the familiar give each row: the rows start from it
    // and no point pays for it.
    VelAbilityAdjustments givenAdjust{};
    std::array<std::uint16_t, VelEntity::kAbilityCount> increases{};
    UITextControl* hitPointsText = nullptr;
    UITextControl* increaseToken = nullptr;
    UIControl* averageBox = nullptr;
    UITextControl* pointsText = nullptr;
    UINumberScroll* budget = nullptr;
    std::uint16_t placedCount = 0;
    std::uint16_t hitPoints = 0;
    std::uint16_t savedHitPointBonus = 0;
    std::array<std::uint16_t, VelCharacter::kHitDieRollCount> savedHitDice{};
    std::array<std::uint8_t, VelEntity::kAbilityCount> placed{};
    std::int16_t method = -1;
    std::vector<std::uint16_t> rolls;
    // Cancel puts these back too: each class entry's hit-die sum and the
    // hit points they gave.
    std::vector<std::uint16_t> savedClassHitDice;
    std::int32_t savedHitPointStat = 0;
    std::array<UITextControl*, VelEntity::kAbilityCount> tokens{};
    UIControl* resetButton = nullptr;
    UIControl* rollButton = nullptr;
    UIControl* budgetLabel = nullptr;
    UITextControl* rollCountText = nullptr;
};
