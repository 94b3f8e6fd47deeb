#include "support/UiHarness.h"

#include "Fc/Graphics/FCDirtyRectList.h"
#include "Fc/Devices/FCDisplayManager.h"
#include "Fc/Graphics/FCDisplayPageStack.h"
#include "Fc/Graphics/FCDoubleBuffer.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Devices/FCSystem.h"
#include "Ui/UIControl.h"
#include "Ui/UIMessages.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace
{
std::uint32_t Crc32(const std::uint8_t* data, std::size_t length, std::uint32_t crc = 0)
{
    static const std::array<std::uint32_t, 256> table = []
    {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n)
        {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < length; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void PutU32Big(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& body)
{
    PutU32Big(out, static_cast<std::uint32_t>(body.size()));
    std::vector<std::uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), body.begin(), body.end());
    out.insert(out.end(), typed.begin(), typed.end());
    PutU32Big(out, Crc32(typed.data(), typed.size()));
}

// A PNG with stored (uncompressed) deflate blocks: only for looking at a
// failed test's screen, so size does not matter and no codec is needed.
std::vector<std::uint8_t> EncodePng(std::int32_t width, std::int32_t height,
                                    const std::vector<std::uint8_t>& rgbRows)
{
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutU32Big(header, static_cast<std::uint32_t>(width));
    PutU32Big(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB
    PutChunk(png, "IHDR", header);

    std::vector<std::uint8_t> zlib = {0x78, 0x01};
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::uint8_t byte : rgbRows)
    {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    std::size_t offset = 0;
    do
    {
        const std::size_t length = std::min<std::size_t>(65535, rgbRows.size() - offset);
        const bool last = offset + length == rgbRows.size();
        zlib.push_back(last ? 1 : 0);
        zlib.push_back(static_cast<std::uint8_t>(length));
        zlib.push_back(static_cast<std::uint8_t>(length >> 8));
        zlib.push_back(static_cast<std::uint8_t>(~length));
        zlib.push_back(static_cast<std::uint8_t>(~length >> 8));
        zlib.insert(zlib.end(), rgbRows.begin() + static_cast<std::ptrdiff_t>(offset),
                    rgbRows.begin() + static_cast<std::ptrdiff_t>(offset + length));
        offset += length;
    } while (offset < rgbRows.size());
    PutU32Big(zlib, (b << 16) | a);
    PutChunk(png, "IDAT", zlib);
    PutChunk(png, "IEND", {});
    return png;
}
} // namespace

UiHarness::UiHarness(std::int32_t width, std::int32_t height)
    : devices(std::make_unique<FakeDevices>(FCFormat565, width, height))
{
    folder.MakeFolder("UI");
    fileSystem = std::make_unique<FCFileSystem>();
    fileSystem->SetRootPath(folder.GetPath());
    fileSystem->AddSearchDirectory("UI");
    resources = std::make_unique<FCResourceManager>();
    manager = std::make_unique<UIWindowManager>();
    ClearScreen(0);
    ClearDirty();
}

UiHarness::~UiHarness()
{
    if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        test && ::testing::Test::HasFailure())
    {
        const char* base = std::getenv("STAVELORN_BINARY_DIR");
        const std::filesystem::path dir =
            std::filesystem::path(base ? base : std::filesystem::temp_directory_path().string()) /
            "ui-failures";
        std::error_code ignored;
        std::filesystem::create_directories(dir, ignored);
        std::string name = std::string(test->test_suite_name()) + "." + test->name() + ".png";
        for (char& c : name)
            if (c == '/')
                c = '_';
        const std::string path = (dir / name).string();
        if (SavePng(path))
            std::fprintf(stderr, "Screen of the failed test: %s\n", path.c_str());
    }
    manager.reset();
    resources.reset();
    fileSystem.reset();
    devices.reset();
}

void UiHarness::WriteLayout(const std::string& name, const std::vector<std::uint8_t>& bytes) const
{
    folder.WriteFile("UI/" + name, bytes);
}

UIControl* UiHarness::Open(const std::string& name, bool modal)
{
    return manager->OpenWindow(name, modal ? 1 : 0);
}

void UiHarness::Pointer(std::uint16_t type, std::int32_t x, std::int32_t y, std::uint32_t modifiers)
{
    std::uint32_t words[3] = {static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y),
                              modifiers};
    manager->HandleMessage(static_cast<std::int16_t>(type), words);
}

void UiHarness::Press(std::int32_t x, std::int32_t y, std::uint32_t modifiers)
{
    Pointer(UIMessage::kMouseDown, x, y, modifiers);
}

void UiHarness::Release(std::int32_t x, std::int32_t y, std::uint32_t modifiers)
{
    Pointer(UIMessage::kMouseUp, x, y, modifiers);
}

void UiHarness::DoubleClick(std::int32_t x, std::int32_t y, std::uint32_t modifiers)
{
    Pointer(UIMessage::kDoubleClick, x, y, modifiers);
}

void UiHarness::Move(std::int32_t x, std::int32_t y, std::uint32_t modifiers)
{
    Pointer(UIMessage::kMouseMove, x, y, modifiers);
}

void UiHarness::Key(std::uint16_t type, std::uint32_t code, std::uint32_t second)
{
    std::uint32_t words[2] = {code, second};
    manager->HandleMessage(static_cast<std::int16_t>(type), words);
}

void UiHarness::Update(std::uint32_t tick)
{
    manager->HandleMessage(UIMessage::kUpdate, &tick);
}

void UiHarness::Paint()
{
    FCImageBuffer* target = Back();
    manager->HandleMessage(UIMessage::kPaint, &target);
}

void UiHarness::Frame()
{
    Paint();
    if (FCDoubleBuffer* page = FCDisplayPageStack::GetCurrent())
        page->Swap();
}

void UiHarness::AdvanceTime(std::uint32_t milliseconds, std::uint32_t step)
{
    if (step == 0)
        step = 1;
    while (milliseconds > 0)
    {
        const std::uint32_t now = std::min(step, milliseconds);
        devices->clock.Advance(now);
        milliseconds -= now;
        FCSystem::UpdateTimers();
    }
}

std::uint16_t UiHarness::Pixel(std::int32_t x, std::int32_t y) const
{
    FCImageBuffer* back = Back();
    if (!back || x < 0 || y < 0 || x >= back->GetWidth() || y >= back->GetHeight())
        return 0;
    const std::uint8_t* p =
        back->GetPixels() + static_cast<std::ptrdiff_t>(y) * back->GetPitch() + 2 * x;
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint16_t UiHarness::Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return static_cast<std::uint16_t>(((red >> 3) << 11) | ((green >> 2) << 5) | (blue >> 3));
}

void UiHarness::ClearScreen(std::uint16_t colour)
{
    if (FCImageBuffer* back = Back())
        back->Clear(colour);
}

void UiHarness::ClearDirty()
{
    if (FCDoubleBuffer* page = FCDisplayPageStack::GetCurrent())
    {
        if (page->GetFirst())
            page->GetFirst()->Clear();
        if (page->GetSecond())
            page->GetSecond()->Clear();
    }
}

std::vector<FCRect> UiHarness::DirtyRects() const
{
    FCDoubleBuffer* page = FCDisplayPageStack::GetCurrent();
    if (!page || !page->GetFirst())
        return {};
    return page->GetFirst()->GetRects();
}

void UiHarness::RecreateManager()
{
    manager.reset();
    manager = std::make_unique<UIWindowManager>();
}

FCImageBuffer* UiHarness::Back() const
{
    return FCDisplayManager::GetBackBuffer();
}

bool UiHarness::SavePng(const std::string& path) const
{
    FCImageBuffer* back = Back();
    if (!back || back->GetWidth() <= 0 || back->GetHeight() <= 0)
        return false;
    std::vector<std::uint8_t> rows;
    rows.reserve(static_cast<std::size_t>(back->GetHeight()) *
                 (1 + 3 * static_cast<std::size_t>(back->GetWidth())));
    for (std::int32_t y = 0; y < back->GetHeight(); ++y)
    {
        rows.push_back(0); // no filter
        for (std::int32_t x = 0; x < back->GetWidth(); ++x)
        {
            const std::uint16_t p = Pixel(x, y);
            rows.push_back(static_cast<std::uint8_t>(((p >> 11) & 0x1F) * 255 / 31));
            rows.push_back(static_cast<std::uint8_t>(((p >> 5) & 0x3F) * 255 / 63));
            rows.push_back(static_cast<std::uint8_t>((p & 0x1F) * 255 / 31));
        }
    }
    const std::vector<std::uint8_t> png = EncodePng(back->GetWidth(), back->GetHeight(), rows);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}
