// The character window over the built layouts and interface content, with
// a character of the fixture rule set, painted into an 800 x 600 5-6-5 back
// buffer. Measured against one full-screen opaque blit in the same run:
// switching between two pages with the repaint <= 4, and one ability score
// typed into its spinner, with the rules' recomputation, the window's and
// the page's refresh and the repaint, <= 4.

#include "BenchDisplay.h"
#include "PageBench.h"
#include "BlitBaseline.h"
#include "RatioReporter.h"
#include "support/LayoutBytes.h"
#include "support/RulesFixture.h"
#include "support/TempFolder.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFileSystem.h"
#include "Fc/Graphics/FCDisplayPageStack.h"
#include "Fc/Graphics/FCDoubleBuffer.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIMessages.h"
#include "Ui/UINumberEditControl.h"
#include "Ui/UINumberScroll.h"
#include "Ui/UIWindowManager.h"
#include "Vel/App/VelClient.h"
#include "Vel/App/VelSettings.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Rules/VelSetupRules.h"
#include "Vel_ui/Vel_UIPanel.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace
{
BlitBaseline::ScreenPair* pair = nullptr;
UIWindowManager* manager = nullptr;
BenchDisplay* display = nullptr;
Vel_UIWin_CharConfig* window = nullptr;

void Paint()
{
    PaintFrame(*manager, *display);
}

void BM_OpaqueBlit(benchmark::State& state)
{
    for (auto _ : state)
        pair->OpaqueBlit();
}

// Page 0 and the notes page in turn, each shown and painted.
void BM_SwitchPages(benchmark::State& state)
{
    std::int16_t next = Vel_UIWin_CharConfig::kPageCount - 1;
    for (auto _ : state)
    {
        window->SelectPage(next);
        Paint();
        next = next == 0 ? Vel_UIWin_CharConfig::kPageCount - 1 : 0;
    }
}

// STR typed as 14 and 15 in turn.
void BM_AbilityChange(benchmark::State& state)
{
    auto* strength =
        dynamic_cast<UINumberScroll*>(window->FindDescendant(Vel_UIWin_CharConfig::kFirstAbilitySpinner));
    if (!strength)
    {
        state.SkipWithError("no STR spinner");
        return;
    }
    std::int32_t score = 14;
    for (auto _ : state)
    {
        strength->GetValueField()->SetLong(score);
        Paint();
        score = score == 14 ? 15 : 14;
    }
}

BENCHMARK(BM_OpaqueBlit);
BENCHMARK(BM_SwitchPages);
BENCHMARK(BM_AbilityChange);
} // namespace

int main(int argc, char** argv)
{
    FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    RatioReporter::Initialize(argc, argv);
    {
        BlitBaseline::ScreenPair screens;
        pair = &screens;
        BenchDisplay memory;
        display = &memory;
        // A plain notes page beside the built layouts, so that two pages exist
        // whatever this build has.
        PageBenchFiles files(argv[0]);
        const TempFolder& folder = files.folder;
        const std::filesystem::path& resources = files.resources;
        // The abilities page as well, while this build has none.
        FCObject* abilities = FCClassRegistry::LoadObjectFromFile("velAbilities.ui");
        if (!dynamic_cast<Vel_UIPanel*>(abilities))
            folder.WriteFile("UI/velAbilities.ui",
                             LayoutBytes::Write(LayoutBytes::Control(
                                 LayoutBytes::Element(5500, 224, 72, 352, 440), "Vel_UIPanel")));
        if (abilities)
            abilities->Release();
        FCResourceManager assets;
        RulesFixture rules;
        if (!assets.LoadResourceFile("GameAssets.bin") || !rules.IsLoaded())
        {
            std::printf("no built content under %s\n", resources.string().c_str());
            return 1;
        }
        VelSettings settings;
        auto* client = new VelClient();
        VelCharacter* hero = VelClient::CreateCharacter();
        hero->raceId = RulesFixture::kRace;
        hero->AddClass(4);
        FinishCharacterSetup(hero, true);
        VelClient::SetCurrentCharacter(hero);
        hero->Release();

        UIWindowManager windows;
        manager = &windows;
        window = dynamic_cast<Vel_UIWin_CharConfig*>(windows.SwitchTo("velCharConfig.ui", 0));
        std::uint32_t tick = 0;
        windows.HandleMessage(UIMessage::kUpdate, &tick);
        if (!window || !window->GetCurrentPage())
        {
            std::printf("the character window did not open\n");
            return 1;
        }
        FCDisplayPageStack::GetCurrent()->Add(FCRect(0, 0, 800, 600));
        Paint();

        RatioReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        const double baseline = reporter.TimeOf("BM_OpaqueBlit");
        RatioReporter::PrintRatio("page switch and repaint / opaque blit",
                                  reporter.TimeOf("BM_SwitchPages"), baseline, 4.0);
        RatioReporter::PrintRatio("ability change, recomputation and repaint / opaque blit",
                                  reporter.TimeOf("BM_AbilityChange"), baseline, 4.0);
        windows.CloseAll();
        VelClient::SetCurrentCharacter(nullptr);
        client->Release();
    }
    benchmark::Shutdown();
    FCDebugLog::SetInstance(nullptr);
    return 0;
}
