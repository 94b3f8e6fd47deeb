// A screen of 200 controls (fills, borders, images, texts, nested groups)
// loaded from its layout and painted into an 800 x 600 5-6-5 back buffer,
// each measured against one full-screen opaque blit in the same run.
// Targets: loading <= 20 blits, a full repaint <= 4, a 64 x 32 repaint <= 0.2.

#include "BlitBaseline.h"

#include "Fc/FCBytes.h"
#include "Fc/FCClassRegistry.h"
#include "Fc/FCDebugLog.h"
#include "Fc/FCDirtyRectList.h"
#include "Fc/FCDisplayManager.h"
#include "Fc/FCDisplayPageStack.h"
#include "Fc/FCDoubleBuffer.h"
#include "Fc/FCFileSystem.h"
#include "Fc/FCImageBuffer.h"
#include "Fc/FCResourceManager.h"
#include "Ui/UIControl.h"
#include "Ui/UILayoutCodec.h"
#include "Ui/UIMessages.h"
#include "Ui/UIWindowManager.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace
{
constexpr std::uint16_t kIconSet = 10;
constexpr std::uint16_t kFontSet = 11;
constexpr std::uint16_t kFont = 1;

// Just enough display for drawing into memory: an 800 x 600 5-6-5 back buffer.
class BenchDisplay : public FCDisplayManager
{
public:
    BenchDisplay() : back(FCImageBuffer::Create(800, 600, FCFormat565)) { SetBackBuffer(back); }
    ~BenchDisplay() override
    {
        SetBackBuffer(nullptr);
        back->Release();
    }
    bool StartUp() override { return true; }
    bool ModeExists(std::int32_t, std::int32_t, std::int32_t) override { return true; }
    bool SetMode(std::int32_t, std::int32_t, std::int32_t) override { return true; }
    std::int32_t GetWidth() override { return 800; }
    std::int32_t GetHeight() override { return 600; }
    FCPoint GetSize() override { return FCPoint(800, 600); }
    std::int32_t GetBitsPerPixel() override { return 16; }
    void Flip() override {}
    void BlitToWindow() override {}
    bool CreateBuffers() override { return true; }
    bool ReleaseBuffers() override { return true; }
    bool RestoreBuffers() override { return true; }
    FCImageBuffer* CreateImageBuffer(std::int32_t w, std::int32_t h) override
    {
        return FCImageBuffer::Create(w, h, FCFormat565);
    }
    FCImageBuffer* Back() const { return back; }

private:
    FCImageBuffer* back;
};

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    std::uint8_t b[2];
    FCBytes::WriteU16(b, v);
    out.insert(out.end(), b, b + 2);
}
void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    std::uint8_t b[4];
    FCBytes::WriteU32(b, v);
    out.insert(out.end(), b, b + 4);
}
void PutString(std::vector<std::uint8_t>& out, const std::string& s)
{
    PutU16(out, static_cast<std::uint16_t>(s.size() + 1));
    out.insert(out.end(), s.begin(), s.end());
    out.push_back(0);
}

struct Frame
{
    std::uint32_t fullWidth, fullHeight, offsetX, offsetY, width, height;
};

// A 16-bit image-set file whose frames are filled with one colour.
std::vector<std::uint8_t> ImageSetFile(const std::vector<Frame>& frames, std::uint16_t pixel)
{
    std::vector<std::uint8_t> out;
    PutU16(out, 1);
    PutU16(out, static_cast<std::uint16_t>(frames.size()));
    std::uint32_t offset = 0;
    for (const Frame& f : frames)
    {
        for (std::uint32_t v : {f.fullWidth, f.fullHeight, f.offsetX, f.offsetY, f.width, f.height})
            PutU32(out, v);
        out.push_back(0);
        PutU32(out, offset);
        offset += f.width * f.height * 2;
    }
    PutU32(out, 0);
    PutU32(out, offset);
    for (std::uint32_t i = 0; i < offset / 2; ++i)
        PutU16(out, pixel);
    PutU16(out, 0);
    return out;
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

UIObjectRecord Element(std::uint16_t id, std::int32_t x, std::int32_t y, std::int32_t w,
                       std::int32_t h, std::int16_t sizeMode = 0)
{
    UIObjectRecord r;
    r.id = id;
    r.x = x;
    r.y = y;
    r.width = w;
    r.height = h;
    r.sizeMode = sizeMode;
    return r;
}

UILayoutNode Node(const char* className, UILayoutPayload payload)
{
    UILayoutNode node;
    node.className = className;
    node.payload = std::move(payload);
    return node;
}

UILayoutNode Fill(std::uint16_t id, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                  const char* cls = "UIFill")
{
    UIFillRecord record;
    record.base.object = Element(id, 0, 0, 0, 0, 1);
    record.red = r;
    record.green = g;
    record.blue = b;
    return Node(cls, record);
}

UILayoutNode Control(std::uint16_t id, std::int32_t x, std::int32_t y, std::int32_t w,
                     std::int32_t h)
{
    UILayoutNode node = Node("UIControl", Element(id, x, y, w, h));
    node.isControl = true;
    return node;
}

// One row: a background, an outline, an icon and a caption.
UILayoutNode Leaf(std::uint16_t id, std::int32_t x, std::int32_t y)
{
    UILayoutNode leaf = Control(id, x, y, 70, 24);
    leaf.displayItems.push_back(Fill(1, 40, 60, 90));
    leaf.displayItems.push_back(Fill(2, 200, 200, 220, "UIBorder"));
    UIImageRecord icon;
    icon.base.object = Element(3, 2, 2, 0, 0);
    icon.imageSetId = kIconSet;
    leaf.displayItems.push_back(Node("UIImage", icon));
    UITextRecord caption;
    caption.base.object = Element(4, 24, 4, 44, 16);
    caption.content.text = "Row " + std::to_string(id);
    caption.content.fontId = kFont;
    leaf.displayItems.push_back(Node("UIText", caption));
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

struct Scene
{
    Scene()
    {
        char pattern[] = "/tmp/bench_ui_XXXXXX";
        root = mkdtemp(pattern);
        std::filesystem::create_directories(root / "UI");
        std::filesystem::create_directories(root / "Art");
        std::vector<Frame> icon = {{20, 20, 0, 0, 20, 20}};
        WriteFile(root / "Art" / "Icon.set", ImageSetFile(icon, 0x07E0));
        std::vector<Frame> glyphs;
        for (std::uint32_t code = 32; code <= 126; ++code)
            glyphs.push_back(code == 32 ? Frame{4, 12, 0, 0, 0, 12} : Frame{7, 12, 1, 0, 5, 12});
        WriteFile(root / "Art" / "Font.set", ImageSetFile(glyphs, 0xFFFF));
        std::vector<std::uint8_t> index;
        PutU16(index, FCResourceManager::kTagImageSets);
        PutU16(index, kIconSet);
        PutString(index, "Icon.set");
        PutU16(index, kFontSet);
        PutString(index, "Font.set");
        PutU16(index, 0);
        PutU16(index, FCResourceManager::kTagFonts);
        for (std::uint16_t v : {kFont, kFontSet, kFontSet, kFontSet, kFontSet})
            PutU16(index, v);
        PutU16(index, 0);
        PutU16(index, 0);
        WriteFile(root / "Art" / "GameAssets.bin", index);
        bool ok = false;
        WriteFile(root / "UI" / "bench.ui", UILayoutCodec::WriteFile(Screen(), &ok));
        layoutWritten = ok;

        files.SetRootPath(root.string());
        files.AddSearchDirectory("UI");
        files.AddSearchDirectory("Art");
        resourcesLoaded = resources.LoadResourceFile("GameAssets.bin");
    }
    ~Scene()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    std::filesystem::path root;
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

BENCHMARK(BM_OpaqueBlit);
BENCHMARK(BM_LoadScreen);
BENCHMARK(BM_FullRepaint);
BENCHMARK(BM_SmallRepaint);

void PrintRatio(const char* what, double time, double baseline, double target)
{
    if (time <= 0 || baseline <= 0)
    {
        std::printf("%s: not measured\n", what);
        return;
    }
    const double ratio = time / baseline;
    std::printf("%s / opaque blit: %.3f (target <= %.1f) %s\n", what, ratio, target,
                ratio <= target ? "OK" : "MISSED");
}
} // namespace

int main(int argc, char** argv)
{
    FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    benchmark::Initialize(&argc, argv);
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

        BlitBaseline::TimeReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        const double baseline = reporter.TimeOf("BM_OpaqueBlit");
        PrintRatio("loading", reporter.TimeOf("BM_LoadScreen"), baseline, 20.0);
        PrintRatio("full repaint", reporter.TimeOf("BM_FullRepaint"), baseline, 4.0);
        PrintRatio("64 x 32 repaint", reporter.TimeOf("BM_SmallRepaint"), baseline, 0.2);
        windows.CloseAll();
    }
    benchmark::Shutdown();
    FCDebugLog::SetInstance(nullptr);
    return 0;
}
