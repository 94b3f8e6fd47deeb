// The spells and animal pages in the character window over the built
// layouts, interface content and the shipped rule set, painted into an
// 800 x 600 5-6-5 back buffer. Measured against one full-screen opaque blit
// in the same run: for a level-20 scholar caster, one tab change that
// rebuilds the class spell list of the shipped spells with its marks, and
// the repaint, <= 20; one companion dropped onto the animal tray, with the
// rules' AddAnimal, the notification, the window's recomputation, the
// page's refresh and the repaint, <= 4.

#include "BlitBaseline.h"
#include "PageBench.h"
#include "RatioReporter.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCDisplayPageStack.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIGroup.h"
#include "Ui/UIListBox.h"
#include "Ui/UIMessages.h"
#include "Ui/UIWindowManager.h"
#include "Vel/App/VelClient.h"
#include "Vel/App/VelSettings.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel/Rules/VelCompanionRules.h"
#include "Vel/Rules/VelSetupRules.h"
#include "Vel_ui/Vel_UIAnimal.h"
#include "Vel_ui/Vel_UIItemTray.h"
#include "Vel_ui/Vel_UIListBox.h"
#include "Vel_ui/Vel_UISpell.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>

namespace
{
constexpr std::int16_t kSpellPage = 7;
constexpr std::int16_t kAnimalPage = 8;
constexpr std::int16_t kHighestTab = 9;

BlitBaseline::ScreenPair* pair = nullptr;
UIWindowManager* manager = nullptr;
BenchDisplay* display = nullptr;

void Paint()
{
    PaintFrame(*manager, *display);
}

// A character of the classes (id, level) as the set-up makes it, with its
// casting ability high, in a new character window showing the page.
Vel_UIWin_CharConfig* OpenFor(std::initializer_list<std::pair<std::uint16_t, std::uint16_t>> classes,
                              std::int16_t page)
{
    VelCharacter* hero = VelClient::CreateCharacter();
    for (const auto& [classId, level] : classes)
        hero->AddClass(classId)->level = level;
    FinishCharacterSetup(hero, true);
    for (std::int16_t ability : {VelEntity::kInt, VelEntity::kWis})
        SetAbilityScore(hero, ability, 18, false);
    hero->SetValue(VelCharacter::kValueIncreasesToAssign, 0);
    VelClient::SetCurrentCharacter(hero);
    hero->Release();
    auto* window = dynamic_cast<Vel_UIWin_CharConfig*>(manager->SwitchTo("velCharConfig.ui", 0));
    std::uint32_t tick = 0;
    manager->HandleMessage(UIMessage::kUpdate, &tick);
    if (window)
        window->SelectPage(page);
    FCDisplayPageStack::GetCurrent()->Add(FCRect(0, 0, 800, 600));
    Paint();
    return window;
}

void BM_OpaqueBlit(benchmark::State& state)
{
    for (auto _ : state)
        pair->OpaqueBlit();
}

// The spell book's two highest tabs in turn, as the user clicks them.
void BM_SpellTabChange(benchmark::State& state)
{
    Vel_UIWin_CharConfig* window = OpenFor({{VelIds::kClassScholarCaster, 20}}, kSpellPage);
    auto* page = window ? dynamic_cast<Vel_UISpell*>(window->GetCurrentPage()) : nullptr;
    auto* tabs = page ? dynamic_cast<UIGroup*>(page->FindDescendant(Vel_UISpell::kTabGroup)) : nullptr;
    if (!tabs)
    {
        state.SkipWithError("no spells page");
        return;
    }
    std::int16_t tab = kHighestTab;
    std::uint32_t rows = 0;
    for (auto _ : state)
    {
        tab = tab == kHighestTab ? kHighestTab - 1 : kHighestTab;
        tabs->SelectById(1, static_cast<std::uint16_t>(Vel_UISpell::kFirstTab + tab), 0);
        Paint();
        rows = page->GetCurrentList()->GetItemCount();
    }
    state.counters["rows"] = rows;
}

// The wolf dropped onto the tray of a nature priest; given up again, unmeasured.
void BM_CompanionDrop(benchmark::State& state)
{
    Vel_UIWin_CharConfig* window = OpenFor({{VelIds::kClassNaturePriest, 10}}, kAnimalPage);
    auto* page = window ? dynamic_cast<Vel_UIAnimal*>(window->GetCurrentPage()) : nullptr;
    auto* tray = page ? dynamic_cast<Vel_UIItemTray*>(page->FindDescendant(Vel_UIAnimal::kTray)) : nullptr;
    auto* list = page ? dynamic_cast<UIListBox*>(page->FindDescendant(Vel_UIAnimal::kAnimalList)) : nullptr;
    UIControl* row = list ? list->ItemAt(0, 0) : nullptr;
    VelCharacter* hero = VelClient::GetCurrentCharacter();
    if (!tray || !row || !hero)
    {
        state.SkipWithError("no animal page");
        return;
    }
    auto* dragged = static_cast<UIControl*>(row->Clone());
    for (auto _ : state)
    {
        tray->ReportDrop(dragged, FCPoint(400, 112));
        Paint();
        state.PauseTiming();
        if (VelCharacterAnimal* taken = hero->FindAnimalBySecondKey(VelIds::kClassNaturePriest))
            RemoveAnimal(hero, taken);
        page->Refresh();
        Paint();
        state.ResumeTiming();
    }
    dragged->Release();
}

BENCHMARK(BM_OpaqueBlit);
BENCHMARK(BM_SpellTabChange);
BENCHMARK(BM_CompanionDrop);
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
        PageBenchWorld world(argv[0]);
        if (!world.IsLoaded())
            return 1;
        UIWindowManager windows;
        manager = &windows;

        RatioReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        const double baseline = reporter.TimeOf("BM_OpaqueBlit");
        RatioReporter::PrintRatio("spell tab change, class list rebuilt and repaint / opaque blit",
                                  reporter.TimeOf("BM_SpellTabChange"), baseline, 20.0);
        RatioReporter::PrintRatio("companion dropped, rules, refresh and repaint / opaque blit",
                                  reporter.TimeOf("BM_CompanionDrop"), baseline, 4.0);
        windows.CloseAll();
    }
    benchmark::Shutdown();
    FCDebugLog::SetInstance(nullptr);
    return 0;
}
