// Wrapping 10,000 characters of prose into a 300-pixel box, against two
// full-screen (800 x 600, 16-bit) opaque blits measured in the same run.
// Target: wrapping takes no longer than the two blits (ratio <= 2.0, as
// the ratio of one wrap to one blit).

#include "BlitBaseline.h"
#include "RatioReporter.h"
#include "support/AssetBytes.h"
#include "support/TempFolder.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFileSystem.h"
#include "Fc/Graphics/FCFont.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Fc/Graphics/FCTextLayout.h"

#include <cstdio>
#include <string>
#include <vector>

namespace
{
BlitBaseline::ScreenPair* pair = nullptr;
FCFont* font = nullptr;
std::string prose;

// A 16-bit image set of 224 glyphs sized like a 14-pixel text face: widths
// of 3 to 10 pixels, one pixel of bearing, 17 pixels high.
std::vector<std::uint8_t> GlyphSet()
{
    std::vector<GlyphFrame> glyphs;
    glyphs.push_back(GlyphFrame{8, 17, 0, 3, 0, 0});
    for (std::uint32_t i = 1; i < 224; ++i)
    {
        const std::uint32_t width = 3 + (i * 7) % 8;
        glyphs.push_back(GlyphFrame{width + 2, 17, 1, 3, width, 12});
    }
    return ImageSetFileBytes(glyphs);
}

std::vector<std::uint8_t> Index()
{
    AssetIndexBytes index;
    index.U16(FCResourceManager::kTagImageSets).ImageSet(10, "Glyphs.set").U16(0);
    index.U16(FCResourceManager::kTagFonts).Font(1, 10, 10, 10, 10).U16(0);
    index.U16(0);
    return index.Bytes();
}

void BM_WrapProse(benchmark::State& state)
{
    std::vector<std::string> lines;
    for (auto _ : state)
    {
        lines.clear();
        WrapText(lines, prose, FCPoint(300, 0), true, *font);
        benchmark::DoNotOptimize(lines.data());
    }
    state.counters["lines"] = static_cast<double>(lines.size());
}

void BM_TwoOpaqueBlits(benchmark::State& state)
{
    for (auto _ : state)
    {
        pair->OpaqueBlit();
        pair->OpaqueBlit();
    }
}

BENCHMARK(BM_WrapProse);
BENCHMARK(BM_TwoOpaqueBlits);
} // namespace

int main(int argc, char** argv)
{
    FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    RatioReporter::Initialize(argc, argv);

    TempFolder folder;
    folder.WriteFile("Art/Glyphs.set", GlyphSet());
    folder.WriteFile("Art/GameAssets.bin", Index());

    int result = 0;
    {
        FCFileSystem fileSystem;
        fileSystem.SetRootPath(folder.GetPath());
        fileSystem.AddSearchDirectory("Art");
        FCResourceManager manager;
        font = manager.LoadResourceFile("GameAssets.bin") ? manager.GetFont(1) : nullptr;
        if (!font || font->GetHeight() == 0)
        {
            std::fprintf(stderr, "bench_text: the test font did not load\n");
            result = 1;
        }
        else
        {
            const std::string paragraph =
                "The party left the village before dawn, following the old road along the river until the "
                "mist lifted and the hills showed their first green. Nobody spoke much; the ranger walked "
                "ahead, the cleric counted prayers under his breath, and the young wizard kept checking "
                "the pouch where her spell components rattled like dry seeds.\n";
            while (prose.size() < 10000)
                prose += paragraph;
            prose.resize(10000);

            BlitBaseline::ScreenPair screens;
            pair = &screens;
            RatioReporter reporter;
            benchmark::RunSpecifiedBenchmarks(&reporter);
            // The baseline draws two blits per iteration.
            RatioReporter::PrintRatio("wrap 10,000 characters / one full-screen opaque blit",
                                      reporter.TimeOf("BM_WrapProse"),
                                      reporter.TimeOf("BM_TwoOpaqueBlits") / 2.0, 2.0);
        }
    }
    benchmark::Shutdown();
    FCDebugLog::SetInstance(nullptr);
    return result;
}
