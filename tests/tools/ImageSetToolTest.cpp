#include "Fc/Core/FCFile.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCImageSet.h"
#include "Fc/Graphics/FCPalette.h"

#include "support/Owned.h"
#include "support/TempFolder.h"
#include "support/ToolRunner.h"

#include <gtest/gtest.h>

#include <png.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace
{
using SetPtr = Owned<FCImageSet>;

using BufferPtr = Owned<FCImageBuffer>;

using Rgba = std::array<std::uint8_t, 4>;

constexpr Rgba kClear{0, 0, 0, 0};
constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kGreen{0, 255, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kMagenta{255, 0, 255, 255};
constexpr Rgba kWhite{255, 255, 255, 255};

void WritePng(const std::string& path, std::uint32_t width, const std::vector<Rgba>& pixels)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = static_cast<png_uint_32>(pixels.size() / width);
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> bytes;
    for (const Rgba& p : pixels)
        bytes.insert(bytes.end(), p.begin(), p.end());
    ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, bytes.data(), 0, nullptr))
        << image.message;
}

void WriteIndexedPng(const std::string& path, std::uint32_t width,
                     const std::vector<std::uint8_t>& indices, const std::vector<Rgba>& palette)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = static_cast<png_uint_32>(indices.size() / width);
    image.format = PNG_FORMAT_RGBA_COLORMAP;
    image.colormap_entries = static_cast<png_uint_32>(palette.size());
    std::vector<std::uint8_t> colourMap;
    for (const Rgba& p : palette)
        colourMap.insert(colourMap.end(), p.begin(), p.end());
    ASSERT_TRUE(
        png_image_write_to_file(&image, path.c_str(), 0, indices.data(), 0, colourMap.data()))
        << image.message;
}

int Build(const std::vector<std::string>& arguments)
{
    return RunTool(IMAGESET_TOOL, arguments).exitCode;
}

SetPtr LoadOutput(const std::string& path)
{
    FCFile file;
    if (!file.Open(path.c_str(), FCFile::kAccessRead, FCFile::kOpenExisting, FCFile::kShareRead))
        return nullptr;
    return SetPtr(LoadImageSet(file));
}

std::vector<std::uint32_t> FramePixels(const FCImageSet& set, std::int16_t index)
{
    const FCImageFrame& frame = *set.GetFrame(index);
    const std::uint8_t* bytes = set.GetFramePixels(frame);
    std::vector<std::uint32_t> pixels;
    for (std::uint32_t i = 0; i < frame.width * frame.height; ++i)
    {
        if (set.GetEncoding() == FCImageSet::kEncoding16)
            pixels.push_back(static_cast<std::uint32_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8)));
        else
            pixels.push_back(bytes[i]);
    }
    return pixels;
}

// A frame as the tool writes it: data follows the previous frames' pixels.
FCImageFrame Frame(std::uint32_t fullWidth, std::uint32_t fullHeight, std::uint32_t offsetX,
                   std::uint32_t offsetY, std::uint32_t width, std::uint32_t height,
                   std::uint8_t hasTransparency, std::uint32_t dataOffset)
{
    return FCImageFrame{fullWidth, fullHeight, offsetX,         offsetY,
                        width,     height,     hasTransparency, dataOffset};
}

TEST(ImageSetToolTest, FramePicturesRoundTripAsSixteenBit)
{
    TempFolder folder;
    WritePng(folder.Join("a.png"), 3, {kRed, kClear, kGreen, kBlue, kWhite, {0, 0, 0, 200}});
    // An opaque pixel of the key colour must not turn transparent.
    WritePng(folder.Join("b.png"), 2, {kMagenta, kRed, kRed, {255, 0, 255, 40}});
    ASSERT_EQ(Build({"-o", folder.Join("out.iset"), folder.Join("a.png"), folder.Join("b.png")}), 0);
    SetPtr set = LoadOutput(folder.Join("out.iset"));
    ASSERT_TRUE(set);
    EXPECT_EQ(set->GetEncoding(), FCImageSet::kEncoding16);
    EXPECT_EQ(set->GetColourKey(), 0xF81Fu);
    ASSERT_EQ(set->GetFrameCount(), 2);
    EXPECT_EQ(*set->GetFrame(0), Frame(3, 2, 0, 0, 3, 2, 1, 0));
    EXPECT_EQ(*set->GetFrame(1), Frame(2, 2, 0, 0, 2, 2, 1, 12));
    EXPECT_EQ(FramePixels(*set, 0),
              (std::vector<std::uint32_t>{0xF800, 0xF81F, 0x07E0, 0x001F, 0xFFFF, 0x0000}));
    EXPECT_EQ(FramePixels(*set, 1), (std::vector<std::uint32_t>{0xF81E, 0xF800, 0xF800, 0xF81F}));

    // The same inputs give the same bytes.
    ASSERT_EQ(Build({"-o", folder.Join("again.iset"), folder.Join("a.png"), folder.Join("b.png")}), 0);
    EXPECT_EQ(folder.ReadFile("out.iset"), folder.ReadFile("again.iset"));
}

TEST(ImageSetToolTest, SpriteSheetWithRectanglesAndTrimming)
{
    TempFolder folder;
    // 12 x 4 sheet of three 4 x 4 cells: the first fully solid, the second
    // solid only at (5..6, 1..2), the third empty.
    std::vector<Rgba> sheet(48, kClear);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            sheet[static_cast<std::size_t>(y * 12 + x)] = kBlue;
    sheet[1 * 12 + 5] = kRed;
    sheet[1 * 12 + 6] = kGreen;
    sheet[2 * 12 + 5] = kWhite;
    sheet[2 * 12 + 6] = kRed;
    WritePng(folder.Join("sheet.png"), 12, sheet);
    folder.WriteFile("cells.txt",
                     "# x y width height\n0 0 4 4\n\n4 0 4 4   # second cell\n8 0 4 4\n");

    const std::string sheetPath = folder.Join("sheet.png");
    const std::string cells = folder.Join("cells.txt");
    ASSERT_EQ(Build({"-o", folder.Join("plain.iset"), "--sheet", sheetPath, "--rects", cells}), 0);
    ASSERT_EQ(Build({"--trim", "-o", folder.Join("trim.iset"), "--sheet", sheetPath, "--rects", cells}), 0);

    SetPtr plain = LoadOutput(folder.Join("plain.iset"));
    ASSERT_TRUE(plain);
    ASSERT_EQ(plain->GetFrameCount(), 3);
    EXPECT_EQ(*plain->GetFrame(0), Frame(4, 4, 0, 0, 4, 4, 0, 0));
    EXPECT_EQ(*plain->GetFrame(1), Frame(4, 4, 0, 0, 4, 4, 1, 32));
    EXPECT_EQ(*plain->GetFrame(2), Frame(4, 4, 0, 0, 4, 4, 1, 64));

    SetPtr trimmed = LoadOutput(folder.Join("trim.iset"));
    ASSERT_TRUE(trimmed);
    ASSERT_EQ(trimmed->GetFrameCount(), 3);
    EXPECT_EQ(*trimmed->GetFrame(0), Frame(4, 4, 0, 0, 4, 4, 0, 0));
    EXPECT_EQ(*trimmed->GetFrame(1), Frame(4, 4, 1, 1, 2, 2, 0, 32));
    EXPECT_EQ(*trimmed->GetFrame(2), Frame(4, 4, 0, 0, 0, 0, 0, 40));
    EXPECT_EQ(FramePixels(*trimmed, 1),
              (std::vector<std::uint32_t>{0xF800, 0x07E0, 0xFFFF, 0xF800}));

    // Drawn, the trimmed frame lands where the untrimmed one shows the same pixels.
    BufferPtr a(FCImageBuffer::Create(4, 4, FCFormat565));
    BufferPtr b(FCImageBuffer::Create(4, 4, FCFormat565));
    ASSERT_TRUE(a->FillRect(0x1234, a->GetBounds()));
    ASSERT_TRUE(b->FillRect(0x1234, b->GetBounds()));
    EXPECT_TRUE(plain->DrawFrame(1, *a, FCPoint(0, 0), a->GetBounds(), 0));
    EXPECT_TRUE(trimmed->DrawFrame(1, *b, FCPoint(0, 0), b->GetBounds(), 0));
    for (std::int32_t y = 0; y < 4; ++y)
        for (std::int32_t x = 0; x < 4; ++x)
            EXPECT_EQ(a->GetPixel(x, y, FCFormat565), b->GetPixel(x, y, FCFormat565))
                << x << "," << y;
    EXPECT_EQ(b->GetPixel(0, 0, FCFormat565), 0x1234u);
    EXPECT_EQ(b->GetPixel(2, 1, FCFormat565), 0x07E0u);
}

TEST(ImageSetToolTest, PalettePicturesRoundTripAsEightBit)
{
    TempFolder folder;
    const std::vector<Rgba> palette = {
        {0, 0, 0, 0}, {255, 0, 0, 255}, {0, 255, 0, 255}, {10, 20, 30, 255}};
    WriteIndexedPng(folder.Join("one.png"), 2, {1, 0, 2, 3}, palette);
    WriteIndexedPng(folder.Join("two.png"), 1, {3}, palette);
    ASSERT_EQ(Build({"--8bit", "-o", folder.Join("out.iset"), folder.Join("one.png"), folder.Join("two.png")}),
              0);
    SetPtr set = LoadOutput(folder.Join("out.iset"));
    ASSERT_TRUE(set);
    EXPECT_EQ(set->GetEncoding(), FCImageSet::kEncoding8);
    EXPECT_EQ(set->GetColourKey(), 0u);
    ASSERT_EQ(set->GetFrameCount(), 2);
    EXPECT_EQ(*set->GetFrame(0), Frame(2, 2, 0, 0, 2, 2, 1, 0));
    EXPECT_EQ(*set->GetFrame(1), Frame(1, 1, 0, 0, 1, 1, 0, 4));
    EXPECT_EQ(FramePixels(*set, 0), (std::vector<std::uint32_t>{1, 0, 2, 3}));
    ASSERT_NE(set->GetPalette(), nullptr);
    EXPECT_EQ(set->GetPalette()->format, FCFormatRGB24);
    EXPECT_EQ(set->GetPalette()->entries[1], 0x0000FFu);
    EXPECT_EQ(set->GetPalette()->entries[3], 0x1E140Au);
}

// A printed form: greys on white paper, one opaque frame of the whole
// picture, nothing trimmed.
TEST(ImageSetToolTest, GreyMakesOneWholeOpaqueFrameOfGreys)
{
    TempFolder folder;
    WritePng(folder.Join("form.png"), 3,
             {kWhite, {0, 0, 0, 255}, {128, 128, 128, 255}, kClear, {0, 0, 0, 128}, kRed});
    ASSERT_EQ(Build({"--grey", "-o", folder.Join("form.iset"), folder.Join("form.png")}), 0);
    SetPtr set = LoadOutput(folder.Join("form.iset"));
    ASSERT_TRUE(set);
    EXPECT_EQ(set->GetEncoding(), FCImageSet::kEncoding8);
    ASSERT_EQ(set->GetFrameCount(), 1);
    EXPECT_EQ(*set->GetFrame(0), Frame(3, 2, 0, 0, 3, 2, 0, 0));
    // Transparent is paper; half-covered black is the grey between.
    EXPECT_EQ(FramePixels(*set, 0), (std::vector<std::uint32_t>{255, 0, 128, 255, 127, 76}));
    ASSERT_NE(set->GetPalette(), nullptr);
    EXPECT_EQ(set->GetPalette()->entries[0], 0u);
    EXPECT_EQ(set->GetPalette()->entries[128], 0x808080u);
    EXPECT_EQ(set->GetPalette()->entries[255], 0xFFFFFFu);

    ASSERT_EQ(Build({"--grey", "-o", folder.Join("again.iset"), folder.Join("form.png")}), 0);
    EXPECT_EQ(folder.ReadFile("form.iset"), folder.ReadFile("again.iset"));

    folder.WriteFile("cells.txt", "0 0 1 1\n");
    const std::string out = folder.Join("out.iset");
    const std::string png = folder.Join("form.png");
    const std::vector<std::vector<std::string>> refused = {
        {"--grey", "-o", out, png, png},
        {"--grey", "--trim", "-o", out, png},
        {"--grey", "--8bit", "-o", out, png},
        {"--grey", "--key", "00FF00", "-o", out, png},
        {"--grey", "-o", out, "--sheet", png, "--rects", folder.Join("cells.txt")},
    };
    for (const std::vector<std::string>& arguments : refused)
    {
        SCOPED_TRACE(arguments[1]);
        EXPECT_NE(Build(arguments), 0);
        EXPECT_FALSE(LoadOutput(out));
    }
}

TEST(ImageSetToolTest, OwnKeyColour)
{
    TempFolder folder;
    WritePng(folder.Join("a.png"), 2, {kClear, {0, 0, 0, 255}});
    ASSERT_EQ(Build({"--key", "00FF00", "-o", folder.Join("out.iset"), folder.Join("a.png")}), 0);
    SetPtr set = LoadOutput(folder.Join("out.iset"));
    ASSERT_TRUE(set);
    EXPECT_EQ(set->GetColourKey(), 0x07E0u);
    EXPECT_EQ(FramePixels(*set, 0), (std::vector<std::uint32_t>{0x07E0, 0x0000}));
}

TEST(ImageSetToolTest, BadInputsFailWithoutOutput)
{
    TempFolder folder;
    WritePng(folder.Join("rgba.png"), 2, {kRed, kRed, kRed, kRed});
    WriteIndexedPng(folder.Join("p1.png"), 1, {0}, {{1, 2, 3, 255}});
    WriteIndexedPng(folder.Join("p2.png"), 1, {0}, {{1, 2, 4, 255}});
    folder.WriteFile("rects-bad.txt", "0 0 2\n");
    folder.WriteFile("rects-outside.txt", "1 1 2 2\n");
    folder.WriteFile("rects-empty.txt", "# nothing\n");
    folder.WriteFile("not.png", "hello");
    const std::string out = folder.Join("out.iset");
    const std::string rgba = folder.Join("rgba.png");
    const std::vector<std::vector<std::string>> cases = {
        {"-o", out, folder.Join("missing.png")},
        {"-o", out, folder.Join("not.png")},
        {"-o", out, "--sheet", rgba, "--rects", folder.Join("rects-bad.txt")},
        {"-o", out, "--sheet", rgba, "--rects", folder.Join("rects-outside.txt")},
        {"-o", out, "--sheet", rgba, "--rects", folder.Join("rects-empty.txt")},
        {"--8bit", "-o", out, rgba},
        {"--8bit", "-o", out, folder.Join("p1.png"), folder.Join("p2.png")},
        {"--key", "red", "-o", out, rgba},
        {"--bogus", "-o", out, rgba},
        {rgba},
        {"-o", out},
    };
    for (const std::vector<std::string>& arguments : cases)
    {
        SCOPED_TRACE(arguments.front() + " " + arguments.back());
        EXPECT_NE(Build(arguments), 0);
        EXPECT_FALSE(LoadOutput(folder.Join("out.iset")));
    }
}
} // namespace
