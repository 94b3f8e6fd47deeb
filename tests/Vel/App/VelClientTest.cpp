#include "Fc/Core/FCCountedRef.h"
#include "Fc/Core/FCFileSystem.h"
#include "Fc/Devices/FCDisplayManager.h"
#include "Fc/Graphics/FCDisplayPageStack.h"
#include "Fc/Graphics/FCRect.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIEvent.h"
#include "Ui/UIFileDialog.h"
#include "Ui/UIMessageDialog.h"
#include "Ui/UIMessages.h"
#include "Ui/UITextControl.h"
#include "Ui/UIWindow.h"
#include "Ui/UIWindowManager.h"
#include "Vel/App/VelApp.h"
#include "Vel/App/VelClient.h"
#include "Vel/App/VelSettings.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterFile.h"
#include "Vel/Character/VelCharacterListener.h"
#include "support/DialogLayouts.h"
#include "support/FakeSoundManager.h"
#include "support/FakeSystem.h"
#include "support/MemoryDisplayManager.h"
#include "support/LayoutBytes.h"
#include "support/QuietLog.h"
#include "support/TempFolder.h"
#include "support/TestClock.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace
{
// A system whose named device refuses to start, with a text of its own.
class InjectingSystem : public FakeSystem
{
public:
    std::string failing;
    bool Refuse(const char* device)
    {
        if (failing != device)
            return false;
        FCSystem::SetLastErrorText(std::string(device) + " failed");
        return true;
    }
    bool CreateDisplayManager() override { return !Refuse("display") && FakeSystem::CreateDisplayManager(); }
    bool CreateSoundManager() override { return !Refuse("sound") && FakeSystem::CreateSoundManager(); }
    bool CreateMoviePlayer() override { return !Refuse("movies") && FakeSystem::CreateMoviePlayer(); }
};

// Screen layouts by state, each a plain window with the state's id + 1.
const std::map<std::uint16_t, const char*> kScreenLayouts = {
    {0, "velStartMenu.ui"},  {1, "velCharSetup.ui"},     {2, "velCharConfig.ui"},
    {3, "velWinInfo.ui"},    {6, "velMovieWindow.ui"},   {7, "velCreditsWindow.ui"},
};

class NullListener : public VelCharacterListener
{
public:
    void OnCharacterChanged(VelCharacter*) override {}
};

// One run of the program's client over a temporary Resources/ tree and a
// temporary user data folder.
class ClientRun
{
public:
    explicit ClientRun(TempFolder& folder, std::string failing = "")
    {
        ::setenv("XDG_DATA_HOME", folder.Join("data").c_str(), 1);
        system.failing = std::move(failing);
        files.SetRootPath(folder.Join("Resources"));
        files.AddSearchDirectory("UI");
        client = new VelClient();
    }
    ~ClientRun()
    {
        client->Shutdown();
        client->Release();
        ::unsetenv("XDG_DATA_HOME");
    }
    // Lets the window manager apply a pending screen switch.
    UIControl* Top()
    {
        UIWindowManager::GetInstance()->HandleMessage(UIMessage::kUpdate, &tick);
        return UIWindowManager::GetInstance()->GetTopWindow();
    }
    FakeSoundManager* Sound() { return static_cast<FakeSoundManager*>(FCSoundManager::GetInstance()); }

    QuietLog quiet;
    TestClock clock{100};
    InjectingSystem system;
    VelApp app;
    FCFileSystem files;
    FCResourceManager resources;
    VelClient* client = nullptr;
    std::uint32_t tick = 0;
};

void WriteWindow(const TempFolder& folder, const std::string& name, std::uint16_t id)
{
    folder.WriteFile("Resources/UI/" + name,
                     LayoutBytes::Write(LayoutBytes::Control(LayoutBytes::Element(id, 0, 0, 800, 600), "UIWindow")));
}

void WriteResources(const TempFolder& folder, bool screens)
{
    WriteWindow(folder, "velStartMenu.ui", 1);
    if (screens)
    {
        for (const auto& [state, name] : kScreenLayouts)
            WriteWindow(folder, name, static_cast<std::uint16_t>(state + 1));
    }
    folder.WriteFile("Resources/UI/velMessageDialog.ui", DialogLayouts::MessageBox());
    folder.WriteFile("Resources/UI/velFileDialog.ui", DialogLayouts::FileDialog());
    folder.WriteFile("Resources/Music/Menu.mp3", "ID3");
    // Not the first run: no intro.
    folder.WriteFile("data/stavelorn/settings.dat", std::vector<std::uint8_t>{1, 0, 6, 0, 0, 0});
}

std::string MessageText(UIControl* window)
{
    auto* text = window ? dynamic_cast<UITextControl*>(window->FindDescendant(UIMessageDialog::kTextId)) : nullptr;
    return text ? text->GetText() : std::string();
}

TEST(VelClientTest, StartUpOrderAndInjectedDeviceFailures)
{
    struct Case
    {
        const char* failing;
        bool started;
        std::vector<std::string> calls;
        const char* message; // the first message shown
    };
    const std::vector<std::string> all = {"CreateDisplayManager", "CreateSoundManager", "CreateMoviePlayer",
                                          "CreateKeyboard", "CreatePrinter"};
    const Case cases[] = {
        {"", true, all, "Some game data could not be read: Database.bin, AnimalDB.bin, EquipDB.bin, "
                        "SpellDB.bin, GameAssets.bin. The program goes on without it."},
        {"display", false, {}, "display failed"},
        // No audio device: the program runs silent.
        {"sound", true, {"CreateDisplayManager", "CreateMoviePlayer", "CreateKeyboard", "CreatePrinter"},
         "Some game data could not be read: Database.bin, AnimalDB.bin, EquipDB.bin, SpellDB.bin, "
         "GameAssets.bin. The program goes on without it."},
        {"movies", false, {"CreateDisplayManager", "CreateSoundManager"}, "movies failed"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.failing);
        TempFolder folder;
        WriteResources(folder, false);
        ClientRun run(folder, c.failing);
        EXPECT_EQ(run.client->StartUp(), c.started);
        EXPECT_EQ(run.system.deviceCalls, c.calls);
        ASSERT_EQ(run.system.messages.size(), 1u) << "reported once";
        EXPECT_EQ(run.system.messages[0], c.message);
        EXPECT_EQ(UIWindowManager::GetInstance() != nullptr, c.started);
        run.client->Shutdown();
        EXPECT_EQ(FCDisplayManager::GetInstance(), nullptr);
        EXPECT_EQ(FCSoundManager::GetInstance(), nullptr);
        EXPECT_EQ(UIWindowManager::GetInstance(), nullptr);
        EXPECT_EQ(VelSettings::GetInstance(), nullptr);
        if (c.started)
        {
            const std::vector<std::string> last(run.system.deviceCalls.end() - 5, run.system.deviceCalls.end());
            EXPECT_EQ(last, (std::vector<std::string>{"DestroyKeyboard", "DestroyMoviePlayer", "DestroyPrinter",
                                                      "DestroySoundManager", "DestroyDisplayManager"}));
        }
    }
}

TEST(VelClientTest, EveryScreenStateWithItsSteps)
{
    TempFolder folder;
    WriteResources(folder, true);
    ClientRun run(folder);
    ASSERT_TRUE(run.client->StartUp());
    ASSERT_EQ(run.Top()->GetId(), 1);
    EXPECT_TRUE(run.Sound()->IsPlaying(VelClient::kMusicChannel));

    NullListener listener;
    enum class Current
    {
        kKept,
        kNew,
        kNone, // the start menu lets go of the character
    };
    struct Case
    {
        std::uint16_t state;
        std::uint16_t windowId;
        bool musicAfter;
        Current character;
    };
    const Case cases[] = {
        {1, 2, true, Current::kNew},   {2, 3, false, Current::kKept}, {0, 1, true, Current::kNone},
        {3, 4, false, Current::kKept}, {0, 1, true, Current::kNone},  {4, 4, true, Current::kKept},
        {5, 4, true, Current::kKept},  {6, 7, true, Current::kKept},  {7, 8, true, Current::kKept},
        {1, 2, true, Current::kNew},   {2, 3, false, Current::kKept}, {8, 2, false, Current::kKept},
        {2, 3, false, Current::kKept}, {0, 1, true, Current::kNone},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.state);
        VelCharacter* before = VelClient::GetCurrentCharacter();
        if (before)
            before->SetListener(&listener);
        run.client->PlaySound("Effect.wav");
        ASSERT_TRUE(run.Sound()->IsPlaying(VelClient::kEffectsChannel));
        EXPECT_TRUE(run.client->GoToScreen(c.state));
        EXPECT_FALSE(run.Sound()->IsPlaying(VelClient::kEffectsChannel));
        EXPECT_EQ(run.Top()->GetId(), c.windowId);
        EXPECT_EQ(run.Sound()->IsPlaying(VelClient::kMusicChannel), c.musicAfter);
        VelCharacter* after = VelClient::GetCurrentCharacter();
        switch (c.character)
        {
        case Current::kNew:
            ASSERT_NE(after, nullptr);
            EXPECT_NE(after, before);
            EXPECT_EQ(after->GetRefCount(), 1) << "the current slot holds the only reference";
            break;
        case Current::kKept:
            EXPECT_EQ(after, before);
            break;
        case Current::kNone:
            EXPECT_EQ(after, nullptr);
            break;
        }
        if (c.state == 8)
        {
            ASSERT_NE(after, nullptr);
            EXPECT_EQ(after->GetListener(), nullptr);
        }
    }
    run.client->PlaySound("Effect.wav");
    EXPECT_FALSE(run.client->GoToScreen(9));
    EXPECT_FALSE(run.Sound()->IsPlaying(VelClient::kEffectsChannel));
}

TEST(VelClientTest, AScreenThatCannotOpenLeavesTheCurrentOneAndUndoesItsStep)
{
    TempFolder folder;
    WriteResources(folder, false);
    ClientRun run(folder);
    ASSERT_TRUE(run.client->StartUp());
    UIControl* menu = run.Top();
    ASSERT_EQ(menu->GetId(), 1);
    VelCharacter* kept = VelClient::CreateCharacter();
    VelClient::SetCurrentCharacter(kept);
    kept->Release();
    NullListener listener;
    kept->SetListener(&listener);

    for (const std::uint16_t state : {1, 2, 4, 5, 7, 8})
    {
        SCOPED_TRACE(state);
        EXPECT_FALSE(run.client->GoToScreen(state));
        EXPECT_EQ(run.Top(), menu);
        EXPECT_EQ(VelClient::GetCurrentCharacter(), kept);
        EXPECT_EQ(kept->GetListener(), &listener);
        EXPECT_TRUE(run.Sound()->IsPlaying(VelClient::kMusicChannel)) << "the music was not stopped";
        EXPECT_FALSE(run.system.quitRequested);
    }
    // The closing screen ends the program even without its layout.
    EXPECT_FALSE(run.client->GoToScreen(3));
    EXPECT_TRUE(run.system.quitRequested);
}

TEST(VelClientTest, MenuMusicRestartsOnlyAfterANaturalEnd)
{
    TempFolder folder;
    WriteResources(folder, false);
    ClientRun run(folder);
    ASSERT_TRUE(run.client->StartUp());
    const auto streams = [&] {
        int count = 0;
        for (const auto& r : run.Sound()->requests)
            count += r.kind == "stream" && r.channel == VelClient::kMusicChannel ? 1 : 0;
        return count;
    };
    const FrameTime frame{100, 17};
    ASSERT_EQ(streams(), 1);
    run.client->GoToScreen(0);
    run.client->Update(frame);
    EXPECT_EQ(streams(), 1) << "not restarted while playing";

    run.Sound()->Channel(VelClient::kEffectsChannel)->Finish();
    run.client->Update(frame);
    EXPECT_EQ(streams(), 1) << "the end of an effect is not the music's";

    run.Sound()->Channel(VelClient::kMusicChannel)->Finish();
    EXPECT_EQ(streams(), 1) << "restarted by the next frame, not from the callback";
    run.client->Update(frame);
    EXPECT_EQ(streams(), 2);
    EXPECT_TRUE(run.Sound()->IsPlaying(VelClient::kMusicChannel));

    // An end already reported, then a stop: the music stays off.
    run.Sound()->Channel(VelClient::kMusicChannel)->Finish();
    run.client->StopMusic();
    run.client->Update(frame);
    EXPECT_EQ(streams(), 2);
    EXPECT_FALSE(run.Sound()->IsPlaying(VelClient::kMusicChannel));
    // Back at the start menu it starts again.
    run.client->GoToScreen(0);
    EXPECT_EQ(streams(), 3);
}

TEST(VelClientTest, SettingsFirstRunBadFilesAndTheSoundToggle)
{
    TempFolder folder;
    WriteResources(folder, true);
    const std::string settingsFile = "data/stavelorn/settings.dat";
    folder.WriteFile(settingsFile, std::vector<std::uint8_t>{});
    std::remove(folder.Join(settingsFile).c_str());
    {
        // First run: the intro is asked for and the file written at once.
        ClientRun run(folder);
        ASSERT_TRUE(run.client->StartUp());
        EXPECT_EQ(folder.ReadFile(settingsFile), (std::vector<std::uint8_t>{1, 0, 6, 0, 0, 0}));
        EXPECT_EQ(run.Top()->GetId(), 7) << "the intro screen";
        VelSettings::GetInstance()->SetSoundEffectsOn(false);
    }
    {
        // The toggle was kept by the shut-down's save.
        ClientRun run(folder);
        ASSERT_TRUE(run.client->StartUp());
        EXPECT_EQ(run.Top()->GetId(), 1) << "straight to the start menu";
        EXPECT_EQ(VelSettings::GetInstance()->flags, 2u);
        run.client->PlaySound("Effect.wav");
        EXPECT_FALSE(run.Sound()->IsPlaying(VelClient::kEffectsChannel));
    }
    struct Bad
    {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    const Bad bad[] = {
        {"empty", {}},
        {"short", {1, 0, 2, 0, 0}},
        {"long", {1, 0, 2, 0, 0, 0, 0}},
        {"version 2", {2, 0, 2, 0, 0, 0}},
    };
    for (const Bad& b : bad)
    {
        SCOPED_TRACE(b.name);
        folder.WriteFile("bad.dat", b.bytes);
        QuietLog quiet;
        VelSettings settings;
        EXPECT_FALSE(settings.Load(folder.Join("bad.dat")));
        EXPECT_EQ(settings.flags, VelSettings::kDefaultFlags);
        ASSERT_TRUE(settings.Save(folder.Join("bad.dat")));
        EXPECT_EQ(folder.ReadFile("bad.dat"), (std::vector<std::uint8_t>{1, 0, 7, 0, 0, 0}));
    }
}

TEST(VelClientTest, SavingAndLoadingThroughTheClient)
{
    TempFolder folder;
    WriteResources(folder, false);
    folder.WriteFile("blocker", "a file, not a folder");
    ClientRun run(folder);
    ASSERT_TRUE(run.client->StartUp());
    run.Top();
    VelCharacter* hero = VelClient::CreateCharacter();
    VelClient::SetCurrentCharacter(hero);
    hero->Release();

    // Saving through the dialog: the proposed name, then the answer 18.
    hero->fileName = "My.Hero.cg3";
    hero->values[VelCharacter::kValueLoad] = 4; // more than the empty body carries
    run.client->AskSaveCharacter();
    auto* dialog = dynamic_cast<UIFileDialog*>(UIWindowManager::GetInstance()->GetTopWindow());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->GetFileName(), "My.Hero");
    const std::string path = ".\\Resources\\Characters\\Hero.cg3";
    UIEvent answer(dialog, UIMessage::kResultFileSave);
    answer.param1 = reinterpret_cast<std::uintptr_t>(&path);
    run.client->HandleMessage(UIMessage::kResultFileSave, &answer);
    EXPECT_EQ(hero->modified, 0);
    const std::vector<std::uint8_t> saved = folder.ReadFile("data/stavelorn/Characters/Hero.cg3");
    ASSERT_GT(saved.size(), 16u);

    VelCharacter* loaded = run.client->LoadCharacter(path);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->fileName, "Hero");
    EXPECT_EQ(loaded->values[VelCharacter::kValueLoad], 0u) << "the load follows the gear";
    EXPECT_EQ(loaded->modified, 0);
    loaded->Release();
    folder.WriteFile("data/stavelorn/Characters/Broken.cg3", "not a character");
    EXPECT_EQ(run.client->LoadCharacter(".\\Resources\\Characters\\Broken.cg3"), nullptr);

    // A failed save is shown and costs nothing.
    hero->modified = 1;
    EXPECT_FALSE(run.client->SaveCharacter(folder.Join("blocker/Hero.cg3")));
    UIControl* box = UIWindowManager::GetInstance()->GetTopWindow();
    ASSERT_NE(dynamic_cast<UIMessageDialog*>(box), nullptr);
    EXPECT_EQ(MessageText(box), "The character could not be saved as Hero.cg3. Any earlier file of that "
                                "name is unchanged.");
    EXPECT_EQ(UIWindowManager::GetInstance()->GetModal(), box);
    EXPECT_EQ(hero->modified, 1);
    EXPECT_EQ(folder.ReadFile("data/stavelorn/Characters/Hero.cg3"), saved);
}

TEST(VelClientTest, TheCharactersNameStopsAtTheLastDotAndTheSaveDialogProposesIt)
{
    struct Case
    {
        const char* name;
        const char* savedAs;  // saved through the client under this name
        const char* onDisk;   // else a file of this name is loaded
        const char* fileName; // else the name the character already has
        const char* stored;
        const char* proposed;
    };
    const Case cases[] = {
        {"saved with dots", "My.Hero.cg3", nullptr, nullptr, "My.Hero", "My.Hero"},
        {"loaded in capitals", nullptr, "Hero.CG3", nullptr, "Hero", "Hero"},
        {"loaded with dots", nullptr, "A.B.C.cg3", nullptr, "A.B.C", "A.B.C"},
        {"named with a capital extension", nullptr, nullptr, "Old.CG3", "Old.CG3", "Old"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        WriteResources(folder, false);
        ClientRun run(folder);
        ASSERT_TRUE(run.client->StartUp());
        run.Top();
        VelCharacter* hero = VelClient::CreateCharacter();
        if (c.savedAs)
        {
            VelClient::SetCurrentCharacter(hero);
            ASSERT_TRUE(run.client->SaveCharacter(std::string(".\\Resources\\Characters\\") + c.savedAs));
            EXPECT_FALSE(folder.ReadFile(std::string("data/stavelorn/Characters/") + c.savedAs).empty());
        }
        else if (c.onDisk)
        {
            ASSERT_TRUE(VelClient::EnsureCharacterFolder());
            ASSERT_TRUE(VelCharacterFile::Save(*hero, folder.Join(std::string("data/stavelorn/Characters/") + c.onDisk)));
            hero->Release();
            hero = run.client->LoadCharacter(std::string(".\\Resources\\Characters\\") + c.onDisk);
            ASSERT_NE(hero, nullptr);
            VelClient::SetCurrentCharacter(hero);
        }
        else
        {
            hero->fileName = c.fileName;
            VelClient::SetCurrentCharacter(hero);
        }
        EXPECT_EQ(hero->fileName, c.stored);
        run.client->AskSaveCharacter();
        auto* dialog = dynamic_cast<UIFileDialog*>(UIWindowManager::GetInstance()->GetTopWindow());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->GetFileName(), c.proposed);
        hero->Release();
    }
}

// The character window as the client sees it: the character's listener,
// on the window stack.
class ScreenStandIn : public UIWindow, public VelCharacterListener
{
public:
    ScreenStandIn() : UIWindow(3) { SetSize(800, 600); }
    void OnCharacterChanged(VelCharacter*) override {}
};

TEST(VelClientTest, ClosingAsksAboutACharacterInItsWindowUntilTheProgramEnds)
{
    enum class Where
    {
        kWindow,       // open in the character window
        kNoWindow,     // left by Back or by the start menu: nobody listens
        kWindowClosed, // its window is no longer on the stack
    };
    // What the save that Yes opens comes to.
    enum class Then
    {
        kNoSave,
        kSaved,
        kSaveFailed,
        kSaveCancelled,
        kClosedWhileSaving,
        kNoSaveDialog, // its layout is missing
    };
    constexpr std::int16_t kYes = UIMessage::kResultYes;
    constexpr std::int16_t kNo = UIMessage::kResultNo;
    struct Case
    {
        const char* name;
        bool modified;
        Where where;
        bool dialogs;        // a dialog and a box of its own over the window
        std::int16_t answer; // 0: none, the window is closed again
        Then then;
        bool firstClose;
        bool quitAsked;
        bool secondClose;
    };
    const Case cases[] = {
        {"unchanged", false, Where::kWindow, false, 0, Then::kNoSave, true, false, true},
        {"changed, closed again", true, Where::kWindow, false, 0, Then::kNoSave, false, false, true},
        {"changed, No", true, Where::kWindow, false, kNo, Then::kNoSave, false, true, true},
        {"changed, nobody listens", true, Where::kNoWindow, false, 0, Then::kNoSave, true, false, true},
        {"changed, its window gone", true, Where::kWindowClosed, false, 0, Then::kNoSave, true, false, true},
        {"changed, under dialogs", true, Where::kWindow, true, kNo, Then::kNoSave, false, true, true},
        {"unchanged, under dialogs", false, Where::kWindow, true, 0, Then::kNoSave, true, false, true},
        {"changed, Yes, saved", true, Where::kWindow, false, kYes, Then::kSaved, false, true, true},
        {"changed, Yes, the save failed", true, Where::kWindow, false, kYes, Then::kSaveFailed, false, false, false},
        {"changed, Yes, the save cancelled", true, Where::kWindow, false, kYes, Then::kSaveCancelled, false, false,
         false},
        {"changed, Yes, closed while saving", true, Where::kWindow, false, kYes, Then::kClosedWhileSaving, false,
         false, false},
        {"changed, Yes, no save dialog", true, Where::kWindow, false, kYes, Then::kNoSaveDialog, false, false,
         false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        WriteResources(folder, false);
        folder.WriteFile("blocker", "a file, not a folder");
        if (c.then == Then::kNoSaveDialog)
            std::remove(folder.Join("Resources/UI/velFileDialog.ui").c_str());
        ClientRun run(folder);
        ASSERT_TRUE(run.client->StartUp());
        run.Top();
        UIWindowManager* manager = UIWindowManager::GetInstance();
        VelCharacter* hero = VelClient::CreateCharacter();
        hero->modified = c.modified ? 1 : 0;
        VelClient::SetCurrentCharacter(hero);
        hero->Release();
        auto* screen = new ScreenStandIn();
        if (c.where != Where::kNoWindow)
            hero->SetListener(screen);
        if (c.where != Where::kWindowClosed)
            manager->PushWindow(screen, 0);
        DialogLayouts::RecordingOwner owner;
        if (c.dialogs)
        {
            auto* dialog = new UIDialog(70);
            dialog->SetSize(100, 100);
            dialog->Show(0, &owner);
            dialog->Release();
            UIMessageDialog* box = UIMessageDialog::Create("velMessageDialog.ui", "Sure?", "Really?", &owner,
                                                           UIMessageDialog::kOk | UIMessageDialog::kCancel);
            ASSERT_NE(box, nullptr);
            box->Show(1, nullptr);
            box->Release();
        }

        EXPECT_EQ(run.client->ConfirmQuit(), c.firstClose);
        if (c.dialogs)
        {
            // The box's own Cancel, then the dialog's close.
            EXPECT_EQ(owner.Codes(), (std::vector<std::uint16_t>{UIMessage::kResultCancel, UIMessage::kResultClosed}));
        }
        auto* box = dynamic_cast<UIMessageDialog*>(manager->GetTopWindow());
        const auto expectQuestion = [&] {
            auto* question = dynamic_cast<UIMessageDialog*>(manager->GetTopWindow());
            ASSERT_NE(question, nullptr);
            EXPECT_EQ(question->GetButtonFlags(), UIMessageDialog::kYes | UIMessageDialog::kNo);
            EXPECT_EQ(manager->GetWindow(1), screen) << "only the question is over the window";
        };
        if (c.firstClose)
        {
            EXPECT_EQ(box, nullptr) << "nothing is asked";
            EXPECT_EQ(manager->GetWindowCount(), c.where == Where::kWindowClosed ? 1u : 2u);
        }
        else
        {
            expectQuestion();
            if (c.answer != 0)
            {
                UIEvent event(box, static_cast<std::uint16_t>(c.answer));
                run.client->HandleMessage(c.answer, &event);
            }
            const FCCountedRef<UIFileDialog> saveDialog =
                FCCountedRef<UIFileDialog>::Share(dynamic_cast<UIFileDialog*>(manager->GetTopWindow()));
            const bool saving = c.answer == kYes && c.then != Then::kNoSaveDialog;
            ASSERT_EQ(saveDialog.Get() != nullptr, saving);
            if (c.then == Then::kSaved || c.then == Then::kSaveFailed)
            {
                // The dialog's OK: its answer, then its close.
                const std::string path = c.then == Then::kSaved ? ".\\Resources\\Characters\\Hero.cg3"
                                                                : folder.Join("blocker/Hero.cg3");
                UIEvent answer(saveDialog.Get(), UIMessage::kResultFileSave);
                answer.param1 = reinterpret_cast<std::uintptr_t>(&path);
                run.client->HandleMessage(UIMessage::kResultFileSave, &answer);
                saveDialog->Close(1);
            }
            else if (c.then == Then::kSaveCancelled)
                saveDialog->Cancel();
            EXPECT_EQ(run.system.quitRequested, c.quitAsked);
            EXPECT_EQ(hero->modified, c.then == Then::kSaved ? 0 : 1);

            EXPECT_EQ(run.client->ConfirmQuit(), c.secondClose);
            if (c.then == Then::kClosedWhileSaving)
            {
                EXPECT_EQ(manager->GetTopWindow(), saveDialog.Get()) << "the save goes on";
                EXPECT_FALSE(run.system.quitRequested);
            }
            else if (!c.secondClose)
                expectQuestion();
        }
        hero->SetListener(nullptr);
        manager->CloseAll();
        screen->Release();
    }
}
} // namespace

namespace
{
TEST(VelClientTest, OnlyAFrameThatPaintedSomethingIsPresented)
{
    TempFolder folder;
    WriteResources(folder, false);
    ClientRun run(folder);
    // In a window: full screen paints each change into both of its buffers.
    ASSERT_TRUE(run.app.ParseCommandLine("stavelorn -win"));
    ASSERT_TRUE(run.client->StartUp());
    auto* display = static_cast<MemoryDisplayManager*>(FCDisplayManager::GetInstance());
    const FrameTime frame{100, 17};
    const int before = display->flipCount;
    run.client->Update(frame); // the start menu's first paint
    run.client->Update(frame); // nothing changed
    EXPECT_EQ(display->flipCount, before + 1);
    FCDisplayPageStack::Invalidate(FCRect(0, 0, 10, 10));
    run.client->Update(frame);
    EXPECT_EQ(display->flipCount, before + 2);
}
} // namespace
