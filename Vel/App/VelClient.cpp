#include "Vel/App/VelClient.h"

#include "Fc/Core/FCClock.h"
#include "Fc/Core/FCConvert.h"
#include "Fc/Core/FCCountedRef.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFileSection.h"
#include "Fc/Core/FCFileSystem.h"
#include "Fc/Core/FCFileUtil.h"
#include "Fc/Core/FCRandom.h"
#include "Fc/Devices/FCApp.h"
#include "Fc/Devices/FCCursorProvider.h"
#include "Fc/Devices/FCDisplayManager.h"
#include "Fc/Devices/FCSoundManager.h"
#include "Fc/Devices/FCSystem.h"
#include "Fc/Graphics/FCBlendTable.h"
#include "Fc/Graphics/FCDirtyRectList.h"
#include "Fc/Graphics/FCDisplayPageStack.h"
#include "Fc/Graphics/FCDoubleBuffer.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIEvent.h"
#include "Ui/UIFileDialog.h"
#include "Ui/UIMessageDialog.h"
#include "Ui/UIMessages.h"
#include "Ui/UIWindow.h"
#include "Ui/UIWindowManager.h"
#include "Vel/App/VelSettings.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterFile.h"
#include "Vel/Character/VelCharacterListener.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Rules/VelEquipRules.h"

#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <utility>
#include <vector>

namespace
{
VelClient* g_client = nullptr;
VelCharacter* g_currentCharacter = nullptr;

constexpr std::int16_t kSoundEnded = 16;
constexpr std::int32_t kMusicVolume = 64;
constexpr std::int32_t kEffectVolume = 127;
constexpr std::int32_t kMiddlePan = 64;

constexpr std::array<const char*, 1> kTracks = {"Menu.mp3"};
constexpr std::array<const char*, 4> kDatabases = {"Database.bin", "AnimalDB.bin", "EquipDB.bin",
                                                   "SpellDB.bin"};

constexpr const char* kSaveTitle = "Save Character";
constexpr const char* kQuitCaption = "Unsaved Character";
constexpr const char* kQuitQuestion = "The character has changes that are not saved. Save it before quitting?";

// Makes every missing folder of a host path; true when the last one exists.
bool MakeHostFolders(const std::string& hostPath)
{
    for (std::size_t slash = hostPath.find('/', 1); ; slash = hostPath.find('/', slash + 1))
    {
        const std::string folder = hostPath.substr(0, slash);
        if (!folder.empty() && ::mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST)
        {
            FC_LOG("Cannot create the folder %s\n", folder.c_str());
            return false;
        }
        if (slash == std::string::npos)
            return true;
    }
}

// The folder part of a host path, without the last separator.
std::string FolderOf(const std::string& hostPath)
{
    const std::string::size_type slash = hostPath.find_last_of('/');
    return slash == std::string::npos ? std::string() : hostPath.substr(0, slash);
}

// File names are matched without regard to case ("Hero.CG3" is a character).
std::string WithoutExtension(const std::string& name, const char* extension)
{
    const std::string ext = ToLower(extension);
    if (name.size() > ext.size() && ToLower(name).ends_with(ext))
        return name.substr(0, name.size() - ext.size());
    return name;
}
} // namespace

// The nine screen states. A state whose screen this build lacks simply
// fails to load its layout and falls back as its row says.
const VelClient::ScreenStep* VelClient::FindScreen(std::uint16_t state)
{
    static const ScreenStep kScreens[kScreenCount] = {
        // The start menu holds no character: one left there is not asked
        // about when the program closes.
        {VelLayout::kStartMenu, kMusicSelect, kDropCharacterStep, kNoMode, kFallBackStay},
        {VelLayout::kCharSetup, kMusicKeep, kNewCharacterStep, 1, kFallBackStay},
        {VelLayout::kCharConfig, kMusicStop, kKeepCharacter, kNoMode, kFallBackStay},
        {VelLayout::kWinInfo, kMusicStop, kKeepCharacter, 3, kFallBackQuit},
        {VelLayout::kWinInfo, kMusicKeep, kKeepCharacter, 4, kFallBackStay},
        {VelLayout::kWinInfo, kMusicKeep, kKeepCharacter, 5, kFallBackStay},
        {VelLayout::kMovieWindow, kMusicKeep, kKeepCharacter, 0, kFallBackGameData},
        {VelLayout::kCreditsWindow, kMusicKeep, kKeepCharacter, kNoMode, kFallBackStay},
        {VelLayout::kCharSetup, kMusicKeep, kSetupAgainStep, 8, kFallBackStay},
    };
    return state < kScreenCount ? &kScreens[state] : nullptr;
}

VelClient::VelClient()
{
    g_client = this;
}

VelClient::~VelClient()
{
    if (FCSoundManager* sound = FCSoundManager::GetInstance())
        sound->RemoveListener(this);
    if (g_client == this)
        g_client = nullptr;
}

VelClient* VelClient::GetInstance()
{
    return g_client;
}

std::uint32_t VelClient::Now()
{
    return FCClock::Now() - FCApp::GetStartTime();
}

bool VelClient::StartUp()
{
    FCSystem::SetLastErrorText(kStartUpFailure);
    FC_LOG("Starting up ...\n");
    FCSystem* system = FCSystem::GetInstance();
    if (!system || !system->CreateDisplayManager() || !SetDisplayMode() ||
        !FCDisplayManager::GetInstance()->CreateBuffers() || !FCDisplayManager::GetBackBuffer())
        return StartUpFailed();
    FCImageBuffer* back = FCDisplayManager::GetBackBuffer();
    back->Clear(0);
    // Without an audio device the program runs silent.
    if (!system->CreateSoundManager())
        FC_LOG("No sound: %s\n", FCSystem::GetLastErrorText().c_str());
    FCSystem::SetLastErrorText(kStartUpFailure);
    if (!system->CreateMoviePlayer())
        return StartUpFailed();
    new UIWindowManager();
    system->CreateKeyboard();
    system->CreatePrinter();
    BuildBlendTable(back->GetFormat());
    RandomizeSeed();
    LoadSettings();
    StartIntroOrLoadData();
    FC_LOG("Startup Completed Successfully.\n");
    return true;
}

bool VelClient::StartUpFailed()
{
    if (FCDisplayManager* display = FCDisplayManager::GetInstance())
        display->SetWindowed();
    const std::string text = FCSystem::GetLastErrorText();
    FC_LOG("Start-up failed: %s\n", text.c_str());
    if (FCSystem* system = FCSystem::GetInstance())
        system->ShowMessage(text);
    return false;
}

void VelClient::Shutdown()
{
    if (shutDown)
        return;
    shutDown = 1;
    // Nothing may report the end of a sound to what is about to go away.
    if (FCSoundManager* sound = FCSoundManager::GetInstance())
    {
        sound->StopAll();
        sound->RemoveListener(this);
    }
    FreeBlendTable();
    if (UIWindowManager* manager = UIWindowManager::GetInstance())
        manager->Release();
    VelDatabase::Clear();
    SetCurrentCharacter(nullptr);
    if (VelSettings* settings = VelSettings::GetInstance())
    {
        SaveSettings();
        delete settings;
    }
    if (FCSystem* system = FCSystem::GetInstance())
    {
        system->DestroyKeyboard();
        system->DestroyMoviePlayer();
        system->DestroyPrinter();
        system->DestroySoundManager();
        system->DestroyDisplayManager();
    }
}

void VelClient::Update(const FrameTime& time)
{
    UIWindowManager* manager = UIWindowManager::GetInstance();
    if (manager)
    {
        FrameTime frame = time;
        manager->HandleMessage(UIMessage::kUpdate, &frame);
        FCImageBuffer* back = FCDisplayManager::GetBackBuffer();
        manager->HandleMessage(UIMessage::kPaint, &back);
    }
    if (musicEnded)
    {
        musicEnded = 0;
        PlayMusic();
    }
    FCDoubleBuffer* page = FCDisplayPageStack::GetCurrent();
    // A frame that painted nothing leaves the screen as it is: presenting it
    // again would only cost an idle program its processor time. The window
    // system's own repaints go through the display directly.
    const bool painted = !manager || !page || HasDirtyAreas(*page);
    if (FCDisplayManager* display = FCDisplayManager::GetInstance(); display && painted)
        display->Flip();
    if (page)
        page->Swap();
}

bool VelClient::HasDirtyAreas(const FCDoubleBuffer& page)
{
    const FCDirtyRectList* first = page.GetFirst();
    const FCDirtyRectList* second = page.GetSecond();
    return (first && first->GetCount() > 0) || (second && second->GetCount() > 0);
}

void VelClient::HandleMessage(std::int16_t messageId, void* data)
{
    switch (messageId)
    {
    case kSoundEnded:
        if (FCSoundManager* sound = FCSoundManager::GetInstance(); sound && data)
        {
            if (*static_cast<FCSoundChannel* const*>(data) == sound->GetChannel(kMusicChannel))
                musicEnded = 1;
        }
        break;
    case UIMessage::kResultFileSave:
    case UIMessage::kResultYes:
    case UIMessage::kResultNo:
    case UIMessage::kResultClosed:
        OnDialogResult(messageId, data);
        break;
    default:
        break;
    }
    if (UIWindowManager* manager = UIWindowManager::GetInstance())
        manager->HandleMessage(messageId, data);
}

void VelClient::OnDialogResult(std::int16_t code, void* data)
{
    const auto* event = static_cast<const UIEvent*>(data);
    switch (code)
    {
    case UIMessage::kResultFileSave:
        if (event && event->param1)
        {
            const bool saved = SaveCharacter(*reinterpret_cast<const std::string*>(event->param1));
            if (saved && quitAfterSave)
                RequestQuit();
        }
        quitAfterSave = 0;
        break;
    case UIMessage::kResultYes:
        if (quitQuestion)
        {
            quitQuestion = 0;
            quitAfterSave = 1;
            AskSaveCharacter();
        }
        break;
    case UIMessage::kResultNo:
        if (quitQuestion)
        {
            quitQuestion = 0;
            RequestQuit();
        }
        break;
    case UIMessage::kResultClosed:
        // The save dialog went away without a save: stay.
        if (event && event->sender && event->sender->GetClassName() == "UIFileDialog")
            quitAfterSave = 0;
        break;
    default:
        break;
    }
}

bool VelClient::SetDisplayMode()
{
    FCDisplayManager* display = FCDisplayManager::GetInstance();
    FCApp* app = FCApp::GetInstance();
    if (!display || !app)
        return false;
    const bool switched = app->IsFullScreen() ? display->SetFullScreen() : display->SetWindowed();
    if (!switched)
        return false;
    return display->SetMode(app->GetWidth(), app->GetHeight(), app->GetBitsPerPixel());
}

void VelClient::StartIntroOrLoadData()
{
    VelSettings* settings = VelSettings::GetInstance();
    if (settings && (settings->flags & VelSettings::kIntroPending) != 0)
    {
        settings->flags &= ~VelSettings::kIntroPending;
        SaveSettings();
        // Without the intro screen the state's fallback loads the game data.
        GoToScreen(kIntroMovie);
        return;
    }
    LoadGameData();
}

void VelClient::LoadGameData()
{
    FCResourceManager* resources = FCResourceManager::GetInstance();
    if (resources)
        resources->Clear();
    SetCurrentCursor(LoadSystemCursor(FCCursorProvider::kWait));
    std::string missing = LoadDatabasesReporting();
    // Prices of old character files need the item records.
    InstallItemPricer();
    if (!resources || !resources->LoadResourceFile(kAssetIndex))
        missing += missing.empty() ? kAssetIndex : std::string(", ") + kAssetIndex;
    if (!missing.empty() && !dataReported)
    {
        dataReported = 1;
        const std::string text = "Some game data could not be read: " + missing +
                                 ". The program goes on without it.";
        FC_LOG("%s\n", text.c_str());
        if (FCSystem* system = FCSystem::GetInstance())
            system->ShowMessage(text);
    }
    GoToScreen(kStartMenu);
    SetCurrentCursor(LoadSystemCursor(FCCursorProvider::kArrow));
}

bool VelClient::LoadDatabases()
{
    return LoadDatabasesReporting().empty();
}

std::string VelClient::LoadDatabasesReporting()
{
    std::string missing;
    FCFileSystem* files = FCFileSystem::GetInstance();
    for (const char* name : kDatabases)
    {
        FCFileSection view;
        bool read = false;
        if (files && files->Open(view, name, "\\Database\\"))
        {
            read = VelDatabase::ParseStream(view, name);
            view.Close();
        }
        if (!read)
        {
            FC_LOG("Database %s could not be read\n", name);
            missing += missing.empty() ? name : std::string(", ") + name;
        }
    }
    return missing;
}

bool VelClient::GoToScreen(std::uint16_t state)
{
    StopSoundEffects();
    const ScreenStep* step = FindScreen(state);
    if (!step)
    {
        FC_LOG("No screen state %u\n", static_cast<unsigned>(state));
        return false;
    }
    if (FCResourceManager* resources = FCResourceManager::GetInstance())
        resources->Purge();

    // The character step is undone when the screen cannot be opened.
    VelCharacter* previous = g_currentCharacter;
    if (previous)
        previous->AddRef();
    VelCharacterListener* previousListener = previous ? previous->GetListener() : nullptr;
    if (step->character == kNewCharacterStep)
    {
        VelCharacter* fresh = CreateCharacter();
        SetCurrentCharacter(fresh);
        if (fresh)
            fresh->Release();
    }
    else if (step->character == kSetupAgainStep && previous)
    {
        // The character window goes away with this switch.
        previous->SetListener(nullptr);
    }
    else if (step->character == kDropCharacterStep)
        SetCurrentCharacter(nullptr);

    UIWindowManager* manager = UIWindowManager::GetInstance();
    UIWindow* window = manager ? manager->SwitchTo(step->layout, 0) : nullptr;
    if (!window)
    {
        FC_LOG("Screen %u (%s) cannot be opened; the current screen stays\n",
               static_cast<unsigned>(state), step->layout);
        SetCurrentCharacter(previous);
        if (previous)
        {
            previous->SetListener(previousListener);
            previous->Release();
        }
        FallBack(step->fallback);
        return false;
    }
    if (previous)
        previous->Release();
    if (step->character == kSetupAgainStep && g_currentCharacter)
        g_currentCharacter->CommitClassLevels();
    // Music changes only once the screen is sure to change.
    if (step->music == kMusicSelect)
        SelectMusic(0);
    else if (step->music == kMusicStop)
        StopMusic();
    if (step->mode != kNoMode)
    {
        if (auto* target = dynamic_cast<VelScreenMode*>(window))
            target->SetScreenMode(step->mode);
    }
    return true;
}

void VelClient::FallBack(std::uint8_t fallback)
{
    switch (fallback)
    {
    case kFallBackQuit:
        RequestQuit();
        break;
    case kFallBackGameData:
        LoadGameData();
        break;
    default:
        break;
    }
}

void VelClient::PlaySound(const std::string& fileName)
{
    const VelSettings* settings = VelSettings::GetInstance();
    FCSoundManager* sound = FCSoundManager::GetInstance();
    if (!sound || !settings || !settings->IsSoundEffectsOn())
        return;
    sound->PlayStreamFile(fileName, std::string(), kEffectsChannel, false, nullptr, kEffectVolume,
                          kMiddlePan);
}

void VelClient::StopSoundEffects()
{
    if (FCSoundManager* sound = FCSoundManager::GetInstance())
        sound->Stop(kEffectsChannel);
}

void VelClient::StopMusic()
{
    // An end that came in before the stop must not bring the music back.
    musicEnded = 0;
    if (FCSoundManager* sound = FCSoundManager::GetInstance())
        sound->Stop(kMusicChannel);
}

void VelClient::SelectMusic(std::int16_t track)
{
    FCSoundManager* sound = FCSoundManager::GetInstance();
    if (currentTrack == track && sound && sound->IsPlaying(kMusicChannel))
        return;
    currentTrack = track;
    trackIndex = 0;
    PlayMusic();
}

void VelClient::PlayMusic()
{
    FCSoundManager* sound = FCSoundManager::GetInstance();
    FCFileSystem* files = FCFileSystem::GetInstance();
    if (!sound || !files || trackIndex < 0 || static_cast<std::size_t>(trackIndex) >= kTracks.size())
        return;
    const char* name = kTracks[static_cast<std::size_t>(trackIndex)];
    std::string path;
    if (!files->FindDirectory(path, "Music\\", name))
        return;
    path += name;
    sound->PlayStream(path, kMusicChannel, false, this, kMusicVolume, kMiddlePan);
}

VelCharacter* VelClient::CreateCharacter()
{
    return new VelCharacter();
}

void VelClient::SetCurrentCharacter(VelCharacter* character)
{
    if (character)
        character->AddRef();
    VelCharacter* old = std::exchange(g_currentCharacter, character);
    if (old)
        old->Release();
}

VelCharacter* VelClient::GetCurrentCharacter()
{
    return g_currentCharacter;
}

VelCharacter* VelClient::LoadCharacter(const std::string& path)
{
    EnsureCharacterFolder();
    VelCharacter* character = VelCharacterFile::Load(path);
    if (!character)
        FC_LOG("Character file %s could not be loaded\n", path.c_str());
    // The pages show the gear on the body; the figures beside it must agree.
    RecomputeLoadedGear(character);
    return character;
}

void VelClient::AskSaveCharacter()
{
    EnsureCharacterFolder();
    UIFileDialog* dialog =
        UIFileDialog::Open(VelLayout::kFileDialog, kSaveTitle, kCharacterDialogFolder, kCharacterPattern,
                           0, UIFileDialog::kSave, this, nullptr);
    if (!dialog)
    {
        FC_LOG("The save dialog cannot be opened\n");
        quitAfterSave = 0;
        ShowSaveFailure(std::string());
        return;
    }
    if (const VelCharacter* character = g_currentCharacter)
        dialog->SetFileName(WithoutExtension(character->fileName, kCharacterExtension));
    dialog->Show(0, nullptr);
    dialog->Release();
}

bool VelClient::SaveCharacter(const std::string& path)
{
    VelCharacter* character = g_currentCharacter;
    if (character && EnsureCharacterFolder() && VelCharacterFile::Save(*character, path))
        return true;
    FC_LOG("The character could not be saved to %s\n", path.c_str());
    ShowSaveFailure(path);
    return false;
}

void VelClient::ShowSaveFailure(const std::string& path)
{
    const std::string name = VelCharacterFile::GetBaseName(path);
    const std::string text = "The character could not be saved" +
                             (name.empty() ? std::string() : " as " + name) +
                             ". Any earlier file of that name is unchanged.";
    if (UIMessageDialog* box =
            UIMessageDialog::Create(VelLayout::kMessageDialog, kSaveTitle, text, this, UIMessageDialog::kOk))
    {
        box->Show(1, nullptr);
        box->Release();
        return;
    }
    // Without the dialog's layout the user still hears of it.
    if (FCSystem* system = FCSystem::GetInstance())
        system->ShowMessage(text);
}

bool VelClient::EnsureCharacterFolder()
{
    const std::string host = ToHostPath(kCharacterFolder);
    struct stat info;
    if (::stat(host.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return true;
    // The user's data folder may not exist yet either.
    std::string folder = host;
    while (!folder.empty() && folder.back() == '/')
        folder.pop_back();
    return MakeHostFolders(folder);
}

void VelClient::LoadSettings()
{
    auto* settings = VelSettings::GetInstance();
    if (!settings)
        settings = new VelSettings();
    if (FileExists(kSettingsPath))
        settings->Load(kSettingsPath);
}

bool VelClient::SaveSettings()
{
    const VelSettings* settings = VelSettings::GetInstance();
    if (!settings)
        return false;
    const std::string folder = FolderOf(ToHostPath(kSettingsPath));
    if (!folder.empty() && !MakeHostFolders(folder))
        return false;
    return settings->Save(kSettingsPath);
}

bool VelClient::ConfirmQuit()
{
    // A close while the question stands answers it: quit unsaved.
    if (quitRequested || quitQuestion)
        return true;
    // The save asked for on the way out ends in a save or a cancel. Its
    // dialog is looked for, so a flag left set never keeps the window open.
    if (quitAfterSave && IsSaveDialogOpen())
        return false;
    const UIWindow* screen = GetCharacterScreen();
    if (!screen)
        return true;
    // Half-done work in a dialog (a roll not yet accepted) is never what
    // gets saved.
    CancelWindowsOver(screen);
    const VelCharacter* character = g_currentCharacter;
    if (!character || character->modified == 0)
        return true;
    AskSaveBeforeQuit();
    return false;
}

bool VelClient::IsSaveDialogOpen() const
{
    const UIWindowManager* manager = UIWindowManager::GetInstance();
    if (!manager)
        return false;
    for (std::uint32_t i = 0; i < manager->GetWindowCount(); ++i)
        if (const auto* dialog = dynamic_cast<const UIFileDialog*>(manager->GetWindow(i));
            dialog && dialog->GetOwner() == this)
            return true;
    return false;
}

UIWindow* VelClient::GetCharacterScreen()
{
    const UIWindowManager* manager = UIWindowManager::GetInstance();
    auto* screen = g_currentCharacter ? dynamic_cast<UIWindow*>(g_currentCharacter->GetListener()) : nullptr;
    return manager && screen && manager->IsOpen(screen) ? screen : nullptr;
}

void VelClient::CancelWindowsOver(const UIWindow* screen)
{
    UIWindowManager* manager = UIWindowManager::GetInstance();
    if (!manager)
        return;
    std::vector<FCCountedRef<UIWindow>> above;
    for (std::uint32_t i = 0; i < manager->GetWindowCount(); ++i)
    {
        UIControl* window = manager->GetWindow(i);
        if (window == screen)
            break;
        // A dragged object is on the stack too, but is not a window.
        if (auto* typed = dynamic_cast<UIWindow*>(window))
            above.push_back(FCCountedRef<UIWindow>::Share(typed));
    }
    // One may take another with it.
    for (const FCCountedRef<UIWindow>& window : above)
        if (manager->IsOpen(window.Get()))
            window->Cancel();
}

void VelClient::AskSaveBeforeQuit()
{
    // Set even when nobody can be asked, so that the next close quits.
    quitQuestion = 1;
    UIMessageDialog* box = UIMessageDialog::Create(VelLayout::kMessageDialog, kQuitCaption, kQuitQuestion,
                                                   this, UIMessageDialog::kYes | UIMessageDialog::kNo);
    if (!box)
    {
        FC_LOG("The question before quitting cannot be shown\n");
        return;
    }
    box->Show(1, nullptr);
    box->Release();
}

void VelClient::RequestQuit()
{
    quitRequested = 1;
    if (FCSystem* system = FCSystem::GetInstance())
        system->RequestQuit();
}
