#pragma once

#include "Ui/UIWindow.h"

#include <cstdint>
#include <string>

class UIFileDialog;

// The first screen after the game data: the version line and the buttons
// for a new character (through the character-type confirmation), loading a
// character (through the file dialog), the two information screens and the
// credits. It owns the dialogs it opens; its buttons stay disabled while one
// of them is open.
class Vel_UIWin_StartMenu : public UIWindow
{
public:
    // Children by id.
    static constexpr std::uint16_t kNewCharacterId = 100;
    static constexpr std::uint16_t kLoadCharacterId = 101;
    static constexpr std::uint16_t kAboutId = 102;
    static constexpr std::uint16_t kQuitId = 103;
    static constexpr std::uint16_t kCreditsId = 104;
    static constexpr std::uint16_t kVersionTextId = 120;

    // The window id of the load dialog's layout.
    static constexpr std::uint16_t kFileDialogId = 15000;

    // Interface texts: the load dialog's title, folder and extension, and
    // the message shown when a chosen file is not a character.
    static constexpr std::uint16_t kLoadTitleText = 402;
    static constexpr std::uint16_t kLoadFolderText = 403;
    static constexpr std::uint16_t kLoadExtensionText = 404;
    static constexpr std::uint16_t kLoadFailedCaptionText = 441;
    static constexpr std::uint16_t kLoadFailedText = 442;

    static constexpr float kVersion = 1.2f;

    Vel_UIWin_StartMenu();
    Vel_UIWin_StartMenu(const Vel_UIWin_StartMenu& other);
    ~Vel_UIWin_StartMenu() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // The window and its children, then the version line.
    bool Load(FCFile& file) override;
    // The results of the dialogs it owns (17, 27, 28).
    void HandleMessage(std::int16_t messageId, void* data) override;
    bool HandleNotify(UIEvent& event) override;

    static std::string VersionLine();

protected:
    void OpenCharacterType();
    void OpenLoadDialog();
    void GoToScreen(std::uint16_t state);
    // Makes the file's character current and opens the character window;
    // a file that is not a character is explained over the load dialog,
    // which stays open for another choice.
    void LoadChosenFile(const std::string& path, UIFileDialog* dialog);
    void ExplainLoadFailure(UIFileDialog* dialog);
};
