#pragma once

#include "Fc/Core/FCObject.h"
#include "Vel/App/VelLayoutNames.h"

#include <cstdint>
#include <string>

class FCDoubleBuffer;
class UIWindow;
class VelCharacter;

// A screen the client hands a mode after opening it: the set-up window (1 or
// 8), the information window (3 to 5), the movie window (the first movie of
// its chain).
class VelScreenMode
{
public:
    virtual ~VelScreenMode() = default;
    virtual void SetScreenMode(std::uint16_t mode) = 0;
};

// What the main loop hands every frame.
struct FrameTime
{
    std::uint32_t now = 0;     // application time in ms
    std::uint32_t elapsed = 0; // ms since the last frame
};

// The controller between the application object and the screens: starts the
// devices and the window manager, reads the settings and the game data,
// moves between the screens, plays the menu music and the screens' sound
// effects, passes every input and frame on to the window manager, keeps the
// current character and saves and loads characters. One instance, made by
// VelApp; the constructor makes it the global client.
class VelClient : public FCObject
{
public:
    // The argument of GoToScreen.
    enum Screen : std::uint16_t
    {
        kStartMenu = 0,
        kNewCharacter = 1,
        kCharacterWindow = 2,
        kInfoClosing = 3, // the information window in mode 3 (ends the program)
        kInfoMode4 = 4,
        kInfoMode5 = 5,
        kIntroMovie = 6,
        kCredits = 7,
        kSetupAgain = 8, // back to set-up to add levels
        kScreenCount = 9,
    };

    static constexpr std::int32_t kSampleChannel = 2;
    static constexpr std::int32_t kEffectsChannel = 4;
    static constexpr std::int32_t kClickChannel = 6;
    static constexpr std::int32_t kMusicChannel = 7;

    // Program paths; the file layer maps the user's own files to the data
    // folder.
    static constexpr const char* kCharacterFolder = "Resources\\Characters\\";
    static constexpr const char* kCharacterDialogFolder = ".\\Resources\\Characters\\";
    static constexpr const char* kCharacterExtension = ".cg3";
    static constexpr const char* kCharacterPattern = "*.cg3";
    static constexpr const char* kSettingsPath = "Resources\\settings.dat";
    static constexpr const char* kAssetIndex = "GameAssets.bin";
    static constexpr const char* kStartUpFailure = "Unknown StartUp Failure!";

    VelClient();
    ~VelClient() override;
    VelClient(const VelClient&) = delete;
    VelClient& operator=(const VelClient&) = delete;

    static VelClient* GetInstance();
    // Application time in ms: the time base of the frames' records.
    static std::uint32_t Now();

    // Devices, window manager, blend table, seed, settings, then the intro
    // or the game data. False after showing the failure text; Shutdown
    // then takes down whatever was made.
    bool StartUp();
    // Safe after a failed or partial start-up, and to call twice.
    void Shutdown();

    // One frame: update and paint through the window manager, restart the
    // music when it ended, present what was painted, swap the page's dirty
    // lists.
    void Update(const FrameTime& time);
    // Input, frames, the end of a sound (16) and the dialogs' results; the
    // message then goes on to the window manager.
    void HandleMessage(std::int16_t messageId, void* data) override;

    bool SetDisplayMode();
    void StartIntroOrLoadData();
    // Databases, item prices, the asset index, then the start menu. A
    // missing database or asset index is reported once, in a message box.
    void LoadGameData();
    // True when all four databases were read.
    bool LoadDatabases();

    // Replaces the open windows by the state's screen after the current
    // event. False (logged) for an unknown state, a screen this build does
    // not have yet or a layout that cannot be opened: the current screen
    // then stays and the state's preparation is undone.
    bool GoToScreen(std::uint16_t state);

    // A sound effect by file name on channel 4, when the settings allow it.
    void PlaySound(const std::string& fileName);
    void StopSoundEffects();
    void StopMusic();
    // Keeps the track playing when it already is.
    void SelectMusic(std::int16_t track);
    void PlayMusic();
    void RestartMusic() { PlayMusic(); }

    // A new character with one reference, the caller's.
    static VelCharacter* CreateCharacter();
    // Takes a reference to the new character before dropping the old one's.
    static void SetCurrentCharacter(VelCharacter* character);
    static VelCharacter* GetCurrentCharacter();

    // The character in the file with one reference for the caller, not made
    // current; null (logged) when it cannot be read. Its name is the file's
    // up to the last dot ("My.Hero.cg3" is "My.Hero"), as after a save.
    VelCharacter* LoadCharacter(const std::string& path);
    // Opens the save dialog for the current character; its answer (18)
    // comes back to this client.
    void AskSaveCharacter();
    // Writes the current character through a temporary file; a failure is
    // shown to the user in a message dialog and leaves the old file.
    bool SaveCharacter(const std::string& path);
    static bool EnsureCharacterFolder();

    void LoadSettings();
    bool SaveSettings();

    // Asked by the main loop when the window is being closed: true when the
    // program may end now. Only a character open in the character window is
    // asked about: the dialogs over that window are cancelled first, as
    // their own Cancel does, and then, when the character has unsaved
    // changes, it asks whether to save it and answers false. A close while
    // that question stands, or an end the program asked for itself, answers
    // true; a close while the save its Yes opened is under way answers
    // false and leaves the save dialog open. Once the question has been
    // answered and the program stays, the next close asks again.
    bool ConfirmQuit();
    // Ends the program at the next turn of the main loop, without asking.
    void RequestQuit();

    std::int16_t GetCurrentTrack() const { return currentTrack; }
    bool IsMusicEnded() const { return musicEnded != 0; }

protected:
    static constexpr std::uint16_t kNoMode = 0xFFFF;
    enum MusicStep : std::uint8_t
    {
        kMusicKeep,
        kMusicSelect, // the menu music, unless it already plays
        kMusicStop,
    };
    enum CharacterStep : std::uint8_t
    {
        kKeepCharacter,
        kNewCharacterStep,  // a new character becomes current
        kSetupAgainStep,    // listener cleared, levels committed
        kDropCharacterStep, // no character is current
    };
    // What a state does when its screen cannot be opened.
    enum FallBackStep : std::uint8_t
    {
        kFallBackStay,
        kFallBackQuit,     // the closing screen ends the program anyway
        kFallBackGameData, // no intro: straight to the data and the menu
    };
    // One screen state: its layout and the steps around the switch.
    struct ScreenStep
    {
        const char* layout = nullptr;
        MusicStep music = kMusicKeep;
        CharacterStep character = kKeepCharacter;
        std::uint16_t mode = kNoMode; // handed to the screen after opening
        FallBackStep fallback = kFallBackStay;
    };
    static const ScreenStep* FindScreen(std::uint16_t state);
    static bool HasDirtyAreas(const FCDoubleBuffer& page);
    void FallBack(std::uint8_t fallback);

    bool StartUpFailed();
    // The names of the databases that could not be read, comma-separated.
    std::string LoadDatabasesReporting();
    void ShowSaveFailure(const std::string& path);
    void AskSaveBeforeQuit();
    // A save dialog of this client's is on the window stack.
    bool IsSaveDialogOpen() const;
    // The character window while it shows the current character (it is the
    // character's listener) and is open; else null.
    static UIWindow* GetCharacterScreen();
    // Cancels every window above the screen, the topmost first.
    static void CancelWindowsOver(const UIWindow* screen);
    void OnDialogResult(std::int16_t code, void* data);

    std::int16_t currentTrack = -1;
    std::int16_t trackIndex = 0;
    std::uint8_t musicEnded = 0;
    std::uint8_t shutDown = 0;
    // Missing game data is reported once.
    std::uint8_t dataReported = 0;
    // The question before quitting stands unanswered, or could not be
    // shown: the next close quits.
    std::uint8_t quitQuestion = 0;
    // The save was asked for on the way out: quit once it succeeded.
    std::uint8_t quitAfterSave = 0;
    std::uint8_t quitRequested = 0;
};
