// Wrapping 10,000 characters of prose into a 300-pixel box, against two
// full-screen (800 x 600, 16-bit) opaque blits measured in the same run.
// Target: wrapping takes no longer than the two blits (ratio <= 2.0, as
// the ratio of one wrap to one blit).

#include "BlitBaseline.h"

#include "Fc/FCBytes.h"
#include "Fc/FCDebugLog.h"
#include "Fc/FCFileSystem.h"
#include "Fc/FCFont.h"
#include "Fc/FCResourceManager.h"
#include "Fc/FCTextLayout.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace
{
BlitBaseline::ScreenPair* pair = nullptr;
FCFont* font = nullptr;
std::string prose;

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    std::uint8_t b[2];
    FCBytes::WriteU16(b, v);
    out.insert(out.end(), b, b + 2);
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    std::uint8_t b[4];
    FCBytes::WriteU32(b, v);
    out.insert(out.end(), b, b + 4);
}

// A 16-bit image set of 224 glyphs sized like a 14-pixel text face: widths
// of 3 to 10 pixels, one pixel of bearing, 17 pixels high.
std::vector<std::uint8_t> GlyphSet()
{
    std::vector<std::uint8_t> out;
    Put16(out, 1);
    Put16(out, 224);
    std::uint32_t offset = 0;
    std::vector<std::uint32_t> widths;
    for (std::uint32_t i = 0; i < 224; ++i)
    {
        const std::uint32_t width = i == 0 ? 0 : 3 + (i * 7) % 8;
        const std::uint32_t height = i == 0 ? 0 : 12;
        Put32(out, i == 0 ? 8 : width + 2);
        Put32(out, 17);
        Put32(out, i == 0 ? 0 : 1);
        Put32(out, 3);
        Put32(out, width);
        Put32(out, height);
        out.push_back(0);
        Put32(out, offset);
        offset += width * height * 2;
    }
    Put32(out, 0);
    Put32(out, offset);
    out.insert(out.end(), offset, 0xFF);
    Put16(out, 0);
    return out;
}

std::vector<std::uint8_t> Index()
{
    std::vector<std::uint8_t> out;
    Put16(out, 100);
    Put16(out, 10);
    const std::string name = "Glyphs.set";
    Put16(out, static_cast<std::uint16_t>(name.size() + 1));
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(0);
    Put16(out, 0);
    Put16(out, 540);
    for (const std::uint16_t v : {1, 10, 10, 10, 10, 0})
        Put16(out, v);
    Put16(out, 0);
    return out;
}

void Write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
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
    benchmark::Initialize(&argc, argv);

    char folderName[] = "/tmp/bench_text_XXXXXX";
    if (!mkdtemp(folderName))
        return 1;
    const std::filesystem::path folder = folderName;
    std::filesystem::create_directories(folder / "Art");
    Write(folder / "Art" / "Glyphs.set", GlyphSet());
    Write(folder / "Art" / "GameAssets.bin", Index());

    int result = 0;
    {
        FCFileSystem fileSystem;
        fileSystem.SetRootPath(folder.string());
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
            BlitBaseline::TimeReporter reporter;
            benchmark::RunSpecifiedBenchmarks(&reporter);
            const double wrap = reporter.TimeOf("BM_WrapProse");
            const double blits = reporter.TimeOf("BM_TwoOpaqueBlits");
            if (wrap > 0 && blits > 0)
            {
                const double ratio = wrap / (blits / 2.0);
                std::printf("wrap 10,000 characters / one full-screen opaque blit: %.2f (target <= 2.0) %s\n", ratio,
                            ratio <= 2.0 ? "OK" : "MISSED");
            }
            else
            {
                std::printf("wrap / blit: not measured\n");
            }
        }
    }
    benchmark::Shutdown();
    std::filesystem::remove_all(folder);
    FCDebugLog::SetInstance(nullptr);
    return result;
}
