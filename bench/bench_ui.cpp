// A screen of 200 controls (fills, borders, images, texts, nested groups)
// loaded from its layout and painted into an 800 x 600 5-6-5 back buffer,
// each measured against one full-screen opaque blit in the same run.
// Targets: loading <= 20 blits, a full repaint <= 4, a 64 x 32 repaint <= 0.2.
// Then a text list of 2,000 rows: building it from its layout <= 20 blits,
// scrolling it by one page with the repaint <= 2.

#include "BenchDisplay.h"
#include "BlitBaseline.h"
#include "RatioReporter.h"
#include "support/AssetBytes.h"
#include "support/LayoutBytes.h"
#include "support/ListLayouts.h"
#include "support/TempFolder.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCCountedRef.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCDirtyRectList.h"
#include "Fc/Graphics/FCDisplayPageStack.h"
#include "Fc/Graphics/FCDoubleBuffer.h"
#include "Fc/Core/FCFileSystem.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIControl.h"
#include "Ui/UIDisplayObject.h"
#include "Ui/UILayoutCodec.h"
#include "Ui/UIMessages.h"
#include "Ui/UISlider.h"
#include "Ui/UITextListBox.h"
#include "Ui/UIWindowManager.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{
constexpr std::uint16_t kIconSet = 10;
constexpr std::uint16_t kFontSet = 11;
constexpr std::uint16_t kFont = 1;

constexpr std::uint32_t kDrawn = UIDisplayObject::kAlwaysDrawn;

UILayoutNode Fill(std::uint16_t id, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                  const char* cls = "UIFill")
{
    return LayoutBytes::Fill(LayoutBytes::Element(id, 0, 0, 0, 0, 1), kDrawn, r, g, b, cls);
}

UILayoutNode Control(std::uint16_t id, std::int32_t x, std::int32_t y, std::int32_t w,
                     std::int32_t h)
{
    return LayoutBytes::Control(LayoutBytes::Element(id, x, y, w, h));
}

// One row: a background, an outline, an icon and a caption.
UILayoutNode Leaf(std::uint16_t id, std::int32_t x, std::int32_t y)
{
    UILayoutNode leaf = Control(id, x, y, 70, 24);
    leaf.displayItems.push_back(Fill(1, 40, 60, 90));
    leaf.displayItems.push_back(Fill(2, 200, 200, 220, "UIBorder"));
    leaf.displayItems.push_back(
        LayoutBytes::Image(LayoutBytes::Element(3, 2, 2, 0, 0), kDrawn, kIconSet, 0));
    leaf.displayItems.push_back(LayoutBytes::Text(LayoutBytes::Element(4, 24, 4, 44, 16), kDrawn,
                                                  "Row " + std::to_string(id), kFont));
    leaf.sounds.push_back(UISoundRecord{171, 5});
    return leaf;
}

// 5 groups of 3 sub-groups of 12 rows: 200 controls under the screen.
UILayoutNode Screen()
{
    UILayoutNode screen = Control(1, 0, 0, 800, 600);
    screen.displayItems.push_back(Fill(1, 10, 20, 30));
    std::uint16_t next = 100;
    for (int g = 0; g < 5; ++g)
    {
        UILayoutNode group = Control(next++, 10 + g * 158, 10, 150, 580);
        group.displayItems.push_back(Fill(1, 30, 30, 50));
        for (int s = 0; s < 3; ++s)
        {
            UILayoutNode sub = Control(next++, 0, 4 + s * 192, 150, 188);
            sub.displayItems.push_back(Fill(1, 50, 40, 40, "UIBorder"));
            for (int r = 0; r < 12; ++r)
                sub.children.push_back(Leaf(next++, 4 + (r % 2) * 74, 4 + (r / 2) * 30));
            group.children.push_back(std::move(sub));
        }
        screen.children.push_back(std::move(group));
    }
    return screen;
}

constexpr std::uint16_t kListRows = 2000;
constexpr std::uint16_t kListId = 7;

// A window over the screen holding a text list of 2,000 rows on a panel,
// 14-pixel rows in a 300 x 560 list.
UILayoutNode ListWindow()
{
    std::vector<UILayoutNode> rows;
    rows.reserve(kListRows);
    for (std::uint16_t i = 0; i < kListRows; ++i)
        rows.push_back(ListLayouts::TextRow(i, 284, 14, "Entry " + std::to_string(i), kFont));
    UILayoutNode list = ListLayouts::ListBox(kListId, FCRect(0, 0, 300, 560), std::move(rows), "UITextListBox");
    list.afterItems = UITextListBoxRecord{kFont, {}};
    list.displayItems.push_back(Fill(1, 20, 30, 40));
    UILayoutNode window = Control(2, 250, 20, 300, 560);
    window.children.push_back(std::move(list));
    return window;
}

struct Scene
{
    Scene()
    {
        folder.WriteFile("Art/Icon.set", ImageSetFileBytes({{20, 20, 0, 0, 20, 20}}, 0x07E0));
        std::vector<GlyphFrame> glyphs;
        for (std::uint32_t code = 32; code <= 126; ++code)
            glyphs.push_back(code == 32 ? GlyphFrame{4, 12, 0, 0, 0, 12}
                                        : GlyphFrame{7, 12, 1, 0, 5, 12});
        folder.WriteFile("Art/Font.set", ImageSetFileBytes(glyphs, 0xFFFF));
        AssetIndexBytes index;
        index.U16(FCResourceManager::kTagImageSets)
            .ImageSet(kIconSet, "Icon.set")
            .ImageSet(kFontSet, "Font.set")
            .U16(0);
        index.U16(FCResourceManager::kTagFonts)
            .Font(kFont, kFontSet, kFontSet, kFontSet, kFontSet)
            .U16(0);
        index.U16(0);
        folder.WriteFile("Art/GameAssets.bin", index.Bytes());
        const std::vector<std::uint8_t> layout = LayoutBytes::Write(Screen());
        folder.WriteFile("UI/bench.ui", layout);
        const std::vector<std::uint8_t> listLayout = LayoutBytes::Write(ListWindow());
        folder.WriteFile("UI/benchList.ui", listLayout);
        layoutWritten = !layout.empty() && !listLayout.empty();

        files.SetRootPath(folder.GetPath());
        files.AddSearchDirectory("UI");
        files.AddSearchDirectory("Art");
        resourcesLoaded = resources.LoadResourceFile("GameAssets.bin");
    }

    TempFolder folder;
    BenchDisplay display;
    FCFileSystem files;
    FCResourceManager resources;
    bool layoutWritten = false;
    bool resourcesLoaded = false;
};

Scene* scene = nullptr;
BlitBaseline::ScreenPair* pair = nullptr;
UIWindowManager* manager = nullptr;

void BM_OpaqueBlit(benchmark::State& state)
{
    for (auto _ : state)
        pair->OpaqueBlit();
}

void BM_LoadScreen(benchmark::State& state)
{
    for (auto _ : state)
    {
        FCObject* screen = FCClassRegistry::LoadObjectFromFile("bench.ui");
        if (!screen)
        {
            state.SkipWithError("the layout did not load");
            break;
        }
        screen->Release();
    }
}

void Repaint(benchmark::State& state, const FCRect& area)
{
    FCImageBuffer* target = scene->display.Back();
    FCDoubleBuffer* page = FCDisplayPageStack::GetCurrent();
    for (auto _ : state)
    {
        page->Add(area);
        manager->HandleMessage(UIMessage::kPaint, &target);
        page->Swap();
        benchmark::ClobberMemory();
    }
}

void BM_FullRepaint(benchmark::State& state)
{
    Repaint(state, FCRect(0, 0, 800, 600));
}
void BM_SmallRepaint(benchmark::State& state)
{
    Repaint(state, FCRect(300, 200, 364, 232));
}

void BM_LoadList(benchmark::State& state)
{
    for (auto _ : state)
    {
        FCObject* window = FCClassRegistry::LoadObjectFromFile("benchList.ui");
        if (!window)
        {
            state.SkipWithError("the list did not load");
            break;
        }
        window->Release();
    }
}

// After one whole paint, each iteration is one page along the list as a
// click on its track makes it (the bar pages and reports 1006), then the
// repaint; at either end it turns round.
void ScrollPages(benchmark::State& state, UITextListBox& list)
{
    FCImageBuffer* target = scene->display.Back();
    FCDoubleBuffer* page = FCDisplayPageStack::GetCurrent();
    page->Add(FCRect(0, 0, 800, 600));
    manager->HandleMessage(UIMessage::kPaint, &target);
    page->Swap();
    UISlider* bar = list.GetScrollBar();
    std::int32_t low = 0;
    std::int32_t high = 0;
    list.GetScrollRange(low, high);
    bool down = true;
    for (auto _ : state)
    {
        if (bar->GetValue() >= high)
            down = false;
        else if (bar->GetValue() <= low)
            down = true;
        down ? bar->PageUp() : bar->PageDown();
        UIEvent paged(bar, UIMessage::kValueChanged, FCPoint(0, 0), 0,
                      static_cast<std::uintptr_t>(bar->GetValue()));
        list.HandleNotify(paged);
        manager->HandleMessage(UIMessage::kPaint, &target);
        page->Swap();
        benchmark::ClobberMemory();
    }
}

// The list's window alone on the screen: what a repaint costs beneath a
// window is the busy screen's, measured above.
void BM_ScrollListPage(benchmark::State& state)
{
    FCCountedRef<UIControl> screen = FCCountedRef<UIControl>::Share(manager->GetTopWindow());
    manager->RemoveWindow(screen.Get());
    UIControl* window = manager->OpenWindow("benchList.ui", 0);
    auto* list = window ? dynamic_cast<UITextListBox*>(window->FindChild(kListId)) : nullptr;
    if (list && list->GetItemCount() == kListRows)
        ScrollPages(state, *list);
    else
        state.SkipWithError("the list did not open");
    if (window)
        manager->RemoveWindow(window);
    manager->PushWindow(screen.Get(), 0);
}

BENCHMARK(BM_OpaqueBlit);
BENCHMARK(BM_LoadScreen);
BENCHMARK(BM_FullRepaint);
BENCHMARK(BM_SmallRepaint);
BENCHMARK(BM_LoadList);
BENCHMARK(BM_ScrollListPage);
} // namespace

int main(int argc, char** argv)
{
    FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    RatioReporter::Initialize(argc, argv);
    {
        BlitBaseline::ScreenPair screens;
        pair = &screens;
        Scene built;
        scene = &built;
        if (!built.layoutWritten || !built.resourcesLoaded)
        {
            std::printf("could not build the scene\n");
            return 1;
        }
        UIWindowManager windows;
        manager = &windows;
        if (!windows.OpenWindow("bench.ui", 0))
        {
            std::printf("could not open the screen\n");
            return 1;
        }
        std::uint32_t controls = 0;
        for (UIControl* group : *windows.GetTopWindow()->GetChildren())
        {
            ++controls;
            for (UIControl* sub : *group->GetChildren())
                controls += 1 + sub->GetChildCount();
        }
        std::printf("controls under the screen: %u\n", controls);

        RatioReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        const double baseline = reporter.TimeOf("BM_OpaqueBlit");
        RatioReporter::PrintRatio("loading / opaque blit", reporter.TimeOf("BM_LoadScreen"),
                                  baseline, 20.0);
        RatioReporter::PrintRatio("full repaint / opaque blit", reporter.TimeOf("BM_FullRepaint"),
                                  baseline, 4.0);
        RatioReporter::PrintRatio("64 x 32 repaint / opaque blit",
                                  reporter.TimeOf("BM_SmallRepaint"), baseline, 0.2);
        RatioReporter::PrintRatio("2,000-row list built / opaque blit",
                                  reporter.TimeOf("BM_LoadList"), baseline, 20.0);
        RatioReporter::PrintRatio("list page scroll and repaint / opaque blit",
                                  reporter.TimeOf("BM_ScrollListPage"), baseline, 2.0);
        windows.CloseAll();
    }
    benchmark::Shutdown();
    FCDebugLog::SetInstance(nullptr);
    return 0;
}
