#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "Ui/UIWindow.h"
#include "Vel/Character/VelCharacterListener.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>

class FCImageBuffer;
class UIComboBox;
class UIGroup;
class UIImageControl;
class UINumberScroll;
class UITextControl;
class VelCharacter;
class VelEntity;
class Vel_UIPanel;

// The screen on which a character is edited after set-up: name, race,
// alignment and level, a selector of its classes, ability and hit-point
// spinners, the combat summary and one of twelve pages, made on demand.
// It listens to the current character and passes every change on to the
// page shown, opens the game menu and the ability roller, and lends the
// pages its picture, info text, help line and button through the static
// operations below.
class Vel_UIWin_CharConfig : public UIWindow, public VelCharacterListener
{
public:
    static constexpr std::uint16_t kWindowId = 4499;
    static constexpr std::int16_t kPageCount = 12;

    // Children by id.
    static constexpr std::uint16_t kNameText = 4500;
    static constexpr std::uint16_t kLevelText = 4502;
    static constexpr std::uint16_t kRaceText = 4504;
    static constexpr std::uint16_t kClassSelector = 4506;
    static constexpr std::uint16_t kAlignmentText = 4508;
    static constexpr std::uint16_t kWarningButton = 4540;
    static constexpr std::uint16_t kNoWarningButton = 4542;
    static constexpr std::uint16_t kSharedButton = 4545;
    static constexpr std::uint16_t kSharedPicture = 4600;
    static constexpr std::uint16_t kSharedInfoText = 4601;
    static constexpr std::uint16_t kFirstAbilitySpinner = 4602;
    static constexpr std::uint16_t kStepsUpText = 4615;
    static constexpr std::uint16_t kStepsDownText = 4616;
    static constexpr std::uint16_t kNavigationGroup = 4700;
    static constexpr std::uint16_t kFirstNavigationEntry = 4702;
    static constexpr std::uint16_t kFirstValueText = 4800;
    static constexpr std::uint16_t kMeleeText = 4804;
    static constexpr std::uint16_t kRangedText = 4805;
    static constexpr std::uint16_t kHitPointSpinner = 4808;
    static constexpr std::uint16_t kFirstLabel = 4810;
    static constexpr std::uint16_t kMeleeLabel = 4814;
    static constexpr std::uint16_t kRangedLabel = 4815;
    static constexpr std::uint16_t kHitPointBonusText = 4818;
    static constexpr std::uint16_t kRollerButton = 4820;
    static constexpr std::uint16_t kHelpLine = 4830;

    // Windows that report their closing here.
    static constexpr std::uint16_t kGameMenuId = 12500;
    static constexpr std::uint16_t kRollerId = 16000;

    // Fonts of the attack texts. The body font: the figure font would make
    // a quick attacker's five attacks wider than the column.
    static constexpr std::uint16_t kAnimalAttackFont = 850;
    static constexpr std::uint16_t kAttackFont = 802;

    // Sounds by asset id.
    static constexpr std::uint16_t kWarningSound = 2000;
    static constexpr std::uint16_t kWarningsClearedSound = 2010;
    static constexpr std::uint16_t kGameMenuSound = 2100;
    static constexpr std::uint16_t kRollerSound = 2200;

    // Once-per-run hints (bits of the settings' run flags).
    static constexpr std::uint32_t kGreetingFlag = 0x2;
    static constexpr std::uint32_t kPageHintFlag = 0x40;
    static constexpr std::uint32_t kGameMenuHintFlag = 0x80;
    static constexpr const char* kGreetingHint = "10200.wav";
    static constexpr const char* kPageHint = "11000.wav";
    static constexpr const char* kGameMenuHint = "11200.wav";

    // The hand-step counters stop here.
    static constexpr std::uint32_t kMaxSteps = 99;

    Vel_UIWin_CharConfig();
    // The window on screen is a copy of the registered prototype: the copy
    // becomes the live window, so the prototype never does.
    Vel_UIWin_CharConfig(const Vel_UIWin_CharConfig& other);
    ~Vel_UIWin_CharConfig() override;

    std::string GetClassName() const override { return "Vel_UIWin_CharConfig"; }
    std::string GetTypeName() const override { return "Vel_UIWin_CharConfig"; }
    FCObject* Clone() const override { return new Vel_UIWin_CharConfig(*this); }
    FCObject* CreateNew() const override { return new Vel_UIWin_CharConfig(); }

    bool Load(FCFile& file) override;
    // The first activation fills the window and may open the roller.
    void Activate() override;
    bool OnKeyDown(UIEvent& event) override;
    bool HandleNotify(UIEvent& event) override;
    // Closing reports from the game menu and the roller.
    void HandleMessage(std::int16_t messageId, void* data) override;
    // Only the client's screen switch opens this window.
    void Show(FCObject*) override {}
    // A slot of its own after the window's, for a window built on this
    // one; this window has nothing to do in it.
    virtual void OnWindowHook() {}

    void OnCharacterChanged(VelCharacter* character) override;

    // The live window, or null.
    static Vel_UIWin_CharConfig* GetLive() { return live; }

    // Shared page operations; each does nothing without its control.
    static void ShowHelpTextId(std::uint16_t stringId);
    static void ShowHelpText(const std::string& text);
    static void RestoreHelpText();
    static void ShowClassInfo(std::uint16_t classId);
    static void ShowCurrentClassInfo();
    static void ShowIcon(const std::string& imageName);
    static void ShowImage(FCImageBuffer* image);
    static void ShowButton(bool show);
    static void SetHelpId(std::uint16_t stringId) { helpId = stringId; }
    static std::uint16_t GetHelpId() { return helpId; }

    // A page's dialog opens over the window, and has closed. They nest with
    // the roller and each other: the window comes back when the last goes.
    void OnDialogOpened();
    void OnDialogClosed();
    // Shows an entity (an animal) in the summary instead of the character;
    // null shows the character again.
    void SetViewedEntity(VelEntity* entity);

    void FillAll();
    void SelectPage(std::int16_t index);
    void SelectClass(std::uint16_t classId);
    void ToggleGameMenu();
    void OpenRoller(bool increases);
    void PlayGreetingOnce();
    void SetWarningFlags(std::uint32_t flags);
    void ShowValues();

    Vel_UIPanel* GetCurrentPage() const { return currentPage; }
    std::int16_t GetCurrentPageIndex() const { return currentIndex; }
    UIWindow* GetGameMenu() const { return gameMenu.Get(); }
    std::uint32_t GetWarningFlags() const { return warningFlags; }
    VelEntity* GetViewedEntity() const { return viewedEntity.Get(); }
    std::uint16_t GetDialogDepth() const { return dialogDepth; }
    bool HoldsPage(std::int16_t index) const { return pages.count(index) != 0; }

protected:
    void BindChildren();
    void ShowAbilitySpinners();
    void ShowEntityAbilities();
    void FillClassList();
    void ShowLevelText();
    void ShowCombatSummary();
    void UpdateHitPointRange();
    void OnAbilityTyped(std::int16_t ability);
    void StepCounter(std::uint32_t valueIndex, UITextControl* text);
    // One path for the hit-point field: its arrows and a typed value.
    void OnHitPointsEdited();
    // Enables the controls the open dialogs and the game menu allow, and
    // keeps disabled what is disabled for a reason of its own.
    void ApplyEnabled();
    // Forgets an animal that the character no longer has.
    void ForgetLostEntity(VelCharacter* character);
    void ListenTo(VelCharacter* character);
    VelCharacter* Character() const;
    std::int16_t AbilityIndexOf(const UIControl* sender) const;

    static Vel_UIWin_CharConfig* live;
    // The window whose controls the shared operations use.
    static Vel_UIWin_CharConfig* sharedOwner;
    static UIImageControl* sharedPicture;
    static UITextControl* sharedInfoText;
    static UIControl* sharedButton;
    static UITextControl* helpLine;
    static std::uint16_t helpId;

    FCCountedRef<UIWindow> gameMenu;
    UIComboBox* classSelector = nullptr;
    std::array<UINumberScroll*, 6> abilitySpinners{};
    std::array<UITextControl*, 8> valueTexts{};
    std::array<UITextControl*, 8> labels{};
    UINumberScroll* hitPointSpinner = nullptr;
    UITextControl* hitPointBonusText = nullptr;
    UITextControl* stepsDownText = nullptr;
    UITextControl* stepsUpText = nullptr;
    // One reference per page, the table's.
    std::map<std::int16_t, FCCountedRef<Vel_UIPanel>> pages;
    UIGroup* navigationGroup = nullptr;
    Vel_UIPanel* currentPage = nullptr;
    std::uint32_t warningFlags = 0;
    UIControl* noWarningControl = nullptr;
    UIControl* warningControl = nullptr;
    FCCountedRef<VelEntity> viewedEntity;
    bool updating = false;
    std::int16_t currentIndex = -1;
    // Open dialogs (roller, a page's dialog) that keep the window disabled.
    std::uint16_t dialogDepth = 0;
    // Navigation entries with something to show, bit per page.
    std::uint16_t pagesAvailable = 0xFFF;
    // The character this window listens to, held so that the destructor
    // can take itself off it.
    FCCountedRef<VelCharacter> listened;
};
