#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "Ui/UIWindow.h"
#include "Vel/App/VelClient.h"

#include <cstdint>
#include <string>
#include <vector>

class UIComboBox;
class UIImageControl;
class UITextControl;
class VelCharacter;
class VelCharacterClass;
class Vel_UIItem;
class Vel_UIListBox;

// The character set-up screen: name, sex, race, alignment, and the classes
// with their levels, dragged from the table of all classes onto the
// character's class list. Mode 1 sets up a new character; mode 8 adds levels
// to the current one, whose earlier levels and classes stay fixed.
class Vel_UIWin_CharSetup : public UIWindow, public VelScreenMode
{
public:
    static constexpr std::uint16_t kScreenId = 1500;
    static constexpr std::uint16_t kModeNew = 1;
    static constexpr std::uint16_t kModeAddLevels = 8;
    static constexpr std::uint16_t kRowKind = 1500;
    static constexpr std::int16_t kMaxTotalLevel = 20;

    // Children.
    static constexpr std::uint16_t kBackId = 1502;
    static constexpr std::uint16_t kNameId = 1505;
    static constexpr std::uint16_t kSexGroupId = 1510;
    static constexpr std::uint16_t kMaleId = 1511;
    static constexpr std::uint16_t kFemaleId = 1512;
    static constexpr std::uint16_t kRandomNameId = 1515;
    static constexpr std::uint16_t kRaceId = 1520;
    static constexpr std::uint16_t kPortraitId = 1525;
    static constexpr std::uint16_t kAlignmentId = 1530;
    static constexpr std::uint16_t kClassLevelListId = 1540;
    static constexpr std::uint16_t kTotalLevelId = 1550;
    static constexpr std::uint16_t kClearClassesId = 1555;
    static constexpr std::uint16_t kFinishId = 1560;
    static constexpr std::uint16_t kClassTableId = 1565;
    static constexpr std::uint16_t kHelpLineId = 1600;

    static constexpr const char* kClassRowLayout = "velItem_N32_16pt.ui";
    static constexpr const char* kClassLevelRowLayout = "velClassLevelItem.ui";
    static constexpr const char* kHint = "10000.wav";
    static constexpr std::uint32_t kHintFlag = 0x01;

    Vel_UIWin_CharSetup();
    Vel_UIWin_CharSetup(const Vel_UIWin_CharSetup& other);
    ~Vel_UIWin_CharSetup() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // The children, then the drag flags; the finish button starts disabled.
    bool Load(FCFile& file) override;
    bool HandleNotify(UIEvent& event) override;

    // Fills the window for the current character in mode 1 or 8.
    void SetMode(std::uint16_t newMode);
    std::uint16_t GetMode() const { return mode; }
    // The client's way to give the screen its state (1 or 8).
    void SetScreenMode(std::uint16_t newMode) override { SetMode(newMode); }

protected:
    void BindChildren(bool logMissing);
    VelCharacter* Character() const;
    Vel_UIItem* MakeRow(FCCountedRef<Vel_UIItem>& prototype, const char* layout);

    void FillClassTable();
    void FillSelectors();
    void ShowChoices();
    void FillClassLevels(bool keepRows);
    void UpdateClassTable();
    void UpdateAlignments();
    void ChooseDefaultAlignment();
    void ShowPortrait();
    void ShowTotalLevel();
    void ShowHelp(std::uint16_t stringId);
    void ShowHelpText(const std::string& text);
    void RestoreHelp();
    void ShowRowHelp(const Vel_UIItem& row);
    void RefreshClasses();

    void AddClassFromRow(const Vel_UIItem* row);
    void RemoveLastClassFromRow(const Vel_UIItem* row);
    void ApplyLevel(Vel_UIItem& row);
    Vel_UIItem* LevelRowOf(const UIControl* sender) const;
    std::int16_t MinimumLevel(const VelCharacterClass& entry) const;
    // The selector's line at lineY, its list below it or, near the foot of
    // the window, above it.
    void PlaceAlignmentSelector(std::int32_t lineY);
    void ClearClasses();
    void Finish();
    void GoBack();
    void TakeSnapshot();
    void RestoreSnapshot();
    void MarkModified();

    Vel_UIListBox* classLevelList = nullptr;
    Vel_UIListBox* classTable = nullptr;
    UIComboBox* raceSelector = nullptr;
    UIComboBox* alignmentSelector = nullptr;
    UITextControl* totalLevelText = nullptr;
    UIControl* finishButton = nullptr;
    UIImageControl* portrait = nullptr;
    UITextControl* helpLine = nullptr;
    std::uint16_t defaultHelpId = kScreenId;
    std::uint16_t mode = kModeNew;

    // Row prototypes, made on first use and kept for the window's life.
    FCCountedRef<Vel_UIItem> classRowPrototype;
    FCCountedRef<Vel_UIItem> levelRowPrototype;
    // The character's classes, alignment and sex on entering mode 8, for Back.
    std::vector<FCCountedRef<VelCharacterClass>> enteredClasses;
    std::uint16_t enteredAlignment = 0;
    std::uint16_t enteredSex = 0;
    std::uint8_t enteredModified = 0;
    // Set once the rules have applied the set-up: it never runs twice.
    std::uint8_t finished = 0;
    // A rebuild of the class list is under way: field reports are ignored.
    std::uint8_t rebuilding = 0;
};
