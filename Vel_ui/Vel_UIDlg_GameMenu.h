#pragma once

#include "Ui/UIDialog.h"

#include <cstdint>
#include <string>

class UIButton;

// The menu the character window opens over itself: save the character,
// print its character sheet, go back to the set-up to add levels, return to
// the start menu (offering to save unsaved changes first), close the menu,
// and switch the spoken hints on or off.
class Vel_UIDlg_GameMenu : public UIDialog
{
public:
    static constexpr std::uint16_t kDialogId = 12500;
    static constexpr std::uint16_t kSaveButton = 12502;
    static constexpr std::uint16_t kPrintButton = 12504;
    static constexpr std::uint16_t kAddLevelsButton = 12506;
    static constexpr std::uint16_t kStartMenuButton = 12508;
    static constexpr std::uint16_t kCloseButton = 12512;
    static constexpr std::uint16_t kSoundToggle = 12514;

    static constexpr const char* kDocumentName = "Stavelorn";
    static constexpr const char* kPrintCaption = "Print Character Sheet";

    static constexpr std::uint32_t kSoundOffHintFlag = 0x100;
    static constexpr const char* kSoundOffHint = "11300.wav";
    static constexpr const char* kQuestionLayout = "StdFileNotFoundDialog.ui";
    static constexpr const char* kQuestionCaption = "Save Character";
    static constexpr const char* kQuestionText = "Do you wish to save your character before exiting?";
    static constexpr std::uint16_t kQuestionFlags = 0x200c;

    Vel_UIDlg_GameMenu() = default;
    Vel_UIDlg_GameMenu(const Vel_UIDlg_GameMenu& other);
    ~Vel_UIDlg_GameMenu() override = default;

    std::string GetClassName() const override { return "Vel_UIDlg_GameMenu"; }
    std::string GetTypeName() const override { return "Vel_UIDlg_GameMenu"; }
    FCObject* Clone() const override { return new Vel_UIDlg_GameMenu(*this); }
    FCObject* CreateNew() const override { return new Vel_UIDlg_GameMenu(); }

    // The toggle shows whether the spoken hints are on.
    bool Load(FCFile& file) override;
    bool HandleNotify(UIEvent& event) override;
    // The answer of the save question.
    void HandleMessage(std::int16_t messageId, void* data) override;

    void SetPrintEnabled(bool enabled);
    // Prints the current character's sheet and tells the user what became
    // of it. The program waits meanwhile.
    void PrintCharacterSheet();
    void LeaveToSetUp();
    void LeaveToStartMenu();
    void AskSaveBeforeExit();

    std::uint16_t GetLastButton() const { return lastButton; }

protected:
    void OnSoundToggled();

    std::uint16_t lastButton = 0;
    UIButton* soundToggle = nullptr;
};
