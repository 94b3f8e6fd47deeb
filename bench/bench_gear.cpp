// The inventory page in the character window over the built layouts, the
// interface content and the shipped rule set, painted into an 800 x 600
// 5-6-5 back buffer. Measured against one full-screen opaque blit in the
// same run: switching to the inventory page while it shows the scrolls of
// the scholar caster (some 300 rows built, sorted, laid out and painted)
// <= 8, and one purchase, with the affordability pass over those rows and
// the repaint, <= 4.

#include "BenchDisplay.h"
#include "BlitBaseline.h"
#include "PageBench.h"
#include "RatioReporter.h"

#include "Fc/Core/FCCountedRef.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCDisplayPageStack.h"
#include "Fc/Graphics/FCDoubleBuffer.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIComboBox.h"
#include "Ui/UIListBox.h"
#include "Ui/UIMessages.h"
#include "Ui/UIWindowManager.h"
#include "Vel/App/VelClient.h"
#include "Vel/App/VelSettings.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Rules/VelSetupRules.h"
#include "Vel_ui/Vel_UIInventory.h"
#include "Vel_ui/Vel_UIListBox.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace
{
constexpr std::int16_t kInventoryPage = 9;
constexpr std::int16_t kNotesPage = 11;
constexpr std::uint16_t kHuman = 0;
constexpr std::uint16_t kFighter = 4;

BlitBaseline::ScreenPair* pair = nullptr;
UIWindowManager* manager = nullptr;
BenchDisplay* display = nullptr;
Vel_UIWin_CharConfig* window = nullptr;
VelCharacter* hero = nullptr;

void Paint()
{
    PaintFrame(*manager, *display);
}

Vel_UIInventory* Inventory()
{
    return dynamic_cast<Vel_UIInventory*>(window->GetCurrentPage());
}

// Chooses a selector's entry as the user does.
bool Choose(UIComboBox* selector, std::int32_t data)
{
    UIControl* entry =
        selector ? selector->GetList()->FindItemByData(static_cast<std::uint32_t>(data)) : nullptr;
    UIListBox::SelectItem(entry, 0);
    return entry != nullptr;
}

void BM_OpaqueBlit(benchmark::State& state)
{
    for (auto _ : state)
        pair->OpaqueBlit();
}

// Away to the notes page (not timed), then to the inventory page, which
// builds its scroll stock anew, and paint.
void BM_SwitchToScrolls(benchmark::State& state)
{
    for (auto _ : state)
    {
        state.PauseTiming();
        window->SelectPage(kNotesPage);
        Paint();
        state.ResumeTiming();
        window->SelectPage(kInventoryPage);
        Paint();
    }
    const Vel_UIInventory* page = Inventory();
    state.counters["rows"] = page ? page->GetStockList()->GetItemCount() : 0;
}

// A scroll dropped onto the owned list, then paint; the sale that keeps the
// money and the list as they were is not timed.
void BM_Purchase(benchmark::State& state)
{
    Vel_UIInventory* page = Inventory();
    UIControl* offer = page ? page->GetStockList()->ItemAt(0, 0) : nullptr;
    if (!offer)
    {
        state.SkipWithError("no stock");
        return;
    }
    Vel_UIListBox* owned = page->GetOwnedList();
    for (auto _ : state)
    {
        UIEvent dropped(owned, UIMessage::kDroppedOnto, FCPoint(0, 0),
                        reinterpret_cast<std::uintptr_t>(offer), 0);
        page->HandleNotify(dropped);
        Paint();
        state.PauseTiming();
        auto row = FCCountedRef<UIControl>::Share(
            owned->ItemAt(static_cast<std::int32_t>(owned->GetItemCount()) - 1, 0));
        owned->RemoveItem(row.Get(), true);
        UIEvent sold(owned, UIMessage::kChildDraggedOut, FCPoint(0, 0),
                     reinterpret_cast<std::uintptr_t>(row.Get()), 0);
        page->HandleNotify(sold);
        Paint();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_OpaqueBlit);
BENCHMARK(BM_SwitchToScrolls);
BENCHMARK(BM_Purchase);
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
        hero = VelClient::CreateCharacter();
        hero->raceId = kHuman;
        hero->AddClass(kFighter);
        FinishCharacterSetup(hero, true);
        hero->SetCoins(2, 999999);
        VelClient::SetCurrentCharacter(hero);
        hero->Release();

        UIWindowManager windows;
        manager = &windows;
        window = dynamic_cast<Vel_UIWin_CharConfig*>(windows.SwitchTo("velCharConfig.ui", 0));
        std::uint32_t tick = 0;
        windows.HandleMessage(UIMessage::kUpdate, &tick);
        if (!window)
        {
            std::printf("the character window did not open\n");
            return 1;
        }
        window->SelectPage(kInventoryPage);
        Vel_UIInventory* page = Inventory();
        // Magic items, scrolls, written by the scholar caster (the default).
        if (!page || !Choose(page->GetSelector(0), VelInventoryList::kMagic) ||
            !Choose(page->GetSelector(1), VelInventoryList::kScrolls))
        {
            std::printf("the inventory page or its selectors are missing\n");
            return 1;
        }
        FCDisplayPageStack::GetCurrent()->Add(FCRect(0, 0, 800, 600));
        Paint();

        RatioReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        const double baseline = reporter.TimeOf("BM_OpaqueBlit");
        RatioReporter::PrintRatio(
            "switch to the inventory page with the scroll stock / opaque blit",
            reporter.TimeOf("BM_SwitchToScrolls"), baseline, 8.0);
        RatioReporter::PrintRatio("purchase, affordability and repaint / opaque blit",
                                  reporter.TimeOf("BM_Purchase"), baseline, 4.0);
        windows.CloseAll();
    }
    benchmark::Shutdown();
    FCDebugLog::SetInstance(nullptr);
    return 0;
}
