#include "Fc/Graphics/FCPicture.h"
#include "Fc/Core/FCFileSection.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCPalette.h"

#include "support/DbMemoryFile.h"
#include "support/JpegBytes.h"
#include "support/MemoryDisplayManager.h"
#include "support/Owned.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace
{
using BufferPtr = Owned<FCImageBuffer>;

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, v);
    Put16(out, v >> 16);
}

// A BMP laid out field by field. Rows are given top first and written in the
// file's order (bottom first unless the height is negative), each padded to
// four bytes.
struct BmpBytes
{
    std::uint16_t type = 0x4D42;
    std::uint32_t headerSize = 40;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 16;
    std::uint32_t compression = 0;
    std::uint32_t coloursUsed = 0;
    // Each entry as the u32 0x00RRGGBB, so its bytes are blue, green, red, 0.
    std::vector<std::uint32_t> palette{};
    std::uint32_t gapBeforePixels = 0;
    std::vector<std::vector<std::uint32_t>> rows{};
    bool padLastRow = true;

    std::vector<std::uint8_t> Build() const
    {
        std::vector<std::uint8_t> pixels;
        const bool topDown = height < 0;
        for (std::size_t i = 0; i < rows.size(); ++i)
        {
            const auto& row = rows[topDown ? i : rows.size() - 1 - i];
            std::size_t bytes = 0;
            for (std::uint32_t v : row)
            {
                if (bitCount == 8)
                    pixels.push_back(static_cast<std::uint8_t>(v)), bytes += 1;
                else
                    Put16(pixels, v), bytes += 2;
            }
            if (padLastRow || i + 1 < rows.size())
                for (; bytes % 4 != 0; ++bytes)
                    pixels.push_back(0xAB);
        }
        std::vector<std::uint8_t> out;
        const std::uint32_t dataOffset =
            14 + headerSize + 4 * static_cast<std::uint32_t>(palette.size()) + gapBeforePixels;
        Put16(out, type);
        Put32(out, dataOffset + static_cast<std::uint32_t>(pixels.size()));
        Put16(out, 0);
        Put16(out, 0);
        Put32(out, dataOffset);
        Put32(out, headerSize);
        Put32(out, static_cast<std::uint32_t>(width));
        Put32(out, static_cast<std::uint32_t>(height));
        Put16(out, 1);
        Put16(out, bitCount);
        Put32(out, compression);
        Put32(out, static_cast<std::uint32_t>(pixels.size()));
        Put32(out, 2835);
        Put32(out, 2835);
        Put32(out, coloursUsed);
        Put32(out, 0);
        out.resize(14 + headerSize, 0);
        for (std::uint32_t bgr : palette)
            Put32(out, bgr);
        out.resize(out.size() + gapBeforePixels, 0xCD);
        out.insert(out.end(), pixels.begin(), pixels.end());
        return out;
    }
};

BufferPtr LoadBmpBytes(const std::vector<std::uint8_t>& bytes)
{
    DbMemoryFile file(bytes);
    return BufferPtr(LoadBMP(file, false));
}

std::vector<std::uint32_t> Row(FCImageBuffer& picture, std::int32_t y)
{
    std::vector<std::uint32_t> row;
    for (std::int32_t x = 0; x < picture.GetWidth(); ++x)
    {
        const std::uint8_t* p =
            picture.GetPixels() + y * picture.GetPitch() + x * picture.GetBytesPerPixel();
        row.push_back(picture.GetBytesPerPixel() == 1
                          ? p[0]
                          : static_cast<std::uint32_t>(p[0] | (p[1] << 8)));
    }
    return row;
}

TEST(FCPictureTest, BmpVariantsThatLoad)
{
    struct Case
    {
        const char* name;
        BmpBytes bmp;
        std::uint32_t key = 0;
    };
    // Fields in declaration order: type, headerSize, width, height, bitCount,
    // compression, coloursUsed, palette, gapBeforePixels, rows, padLastRow.
    std::vector<Case> cases = {
        // 3 pixels: 6 bytes and 2 pad bytes per row.
        {"16-bit rows bottom-up and padded",
         {.width = 3, .height = 2, .rows = {{0x7C00, 0x1234, 0x001F}, {0x1111, 0x2222, 0x3333}}}},
        {"top-down rows", {.width = 2, .height = -2, .rows = {{1, 2}, {3, 4}}}},
        {"pure green top-left pixel becomes the key",
         {.width = 3, .height = 2, .rows = {{0x03E0, 2, 3}, {4, 5, 6}}},
         0x03E0},
        {"last row without its padding",
         {.width = 1, .height = 2, .rows = {{7}, {8}}, .padLastRow = false}},
        {"larger header and pixels after a gap",
         {.headerSize = 108, .width = 2, .height = 1, .gapBeforePixels = 6, .rows = {{9, 10}}}},
        {"8-bit with a pure green top-left index",
         {.width = 3, .height = 2, .bitCount = 8, .coloursUsed = 2, .palette = {0x00FF00, 0x0000FF},
          .rows = {{0, 1, 0}, {1, 1, 0}}}},
        {"8-bit key is the green index",
         {.width = 2, .height = 1, .bitCount = 8, .coloursUsed = 2, .palette = {0x0000FF, 0x00FF00},
          .rows = {{1, 0}}},
         1},
        {"8-bit top-left not pure green leaves no key",
         {.width = 2, .height = 1, .bitCount = 8, .coloursUsed = 2, .palette = {0x0000FF, 0x0000FE},
          .rows = {{1, 0}}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        BufferPtr picture = LoadBmpBytes(c.bmp.Build());
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->GetFormat(), c.bmp.bitCount == 8 ? FCFormat8 : FCFormat555);
        EXPECT_EQ(picture->GetWidth(), static_cast<std::int32_t>(c.bmp.rows[0].size()));
        ASSERT_EQ(picture->GetHeight(), static_cast<std::int32_t>(c.bmp.rows.size()));
        for (std::size_t y = 0; y < c.bmp.rows.size(); ++y)
            EXPECT_EQ(Row(*picture, static_cast<std::int32_t>(y)), c.bmp.rows[y]) << "row " << y;
        EXPECT_EQ(picture->GetColourKey(), c.key);
    }
}

TEST(FCPictureTest, EightBitBmpPalette)
{
    BmpBytes bmp{.width = 1, .height = 1, .bitCount = 8, .coloursUsed = 0}; // 0 means all 256
    bmp.palette.assign(256, 0);
    bmp.palette[0] = 0x00FF00;   // green
    bmp.palette[255] = 0x102030; // red 0x10, green 0x20, blue 0x30
    bmp.rows = {{255}};
    BufferPtr picture = LoadBmpBytes(bmp.Build());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->GetFormat(), FCFormat8);
    ASSERT_NE(picture->GetPalette(), nullptr);
    // Without the screen's format the entries are kept as red, green, blue.
    EXPECT_EQ(picture->GetPalette()->format, FCFormatRGB24);
    EXPECT_EQ(picture->GetPalette()->entries[255], 0x302010u);
    EXPECT_EQ(picture->GetPalette()->entries[0], 0x00FF00u);
    EXPECT_EQ(picture->GetByte(0, 0), 255);

    // More colours claimed than an 8-bit picture can have: 256 are read.
    bmp.coloursUsed = 100000;
    BufferPtr clamped = LoadBmpBytes(bmp.Build());
    ASSERT_TRUE(clamped);
    EXPECT_EQ(clamped->GetPalette()->entries[255], 0x302010u);
}

TEST(FCPictureTest, UnusableBmpsGiveNoPicture)
{
    const auto with = [](auto change)
    {
        BmpBytes b{.width = 2, .height = 2, .rows = {{1, 2}, {3, 4}}};
        change(b);
        return b.Build();
    };
    std::vector<std::uint8_t> cutShort = with([](BmpBytes&) {});
    cutShort.resize(30);
    std::vector<std::uint8_t> coreHeader = with([](BmpBytes&) {});
    coreHeader[14] = 12; // claims the old 12-byte core header
    std::vector<std::uint8_t> farPixels = with([](BmpBytes&) {});
    farPixels[10] = 0xF0; // data offset far beyond the file
    farPixels[13] = 0x7F;
    struct Case
    {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Case> cases = {
        {"empty file", {}},
        {"header cut short", cutShort},
        {"wrong type", with([](BmpBytes& b) { b.type = 0x4D43; })},
        {"16-bit with bit fields", with([](BmpBytes& b) { b.compression = 3; })},
        {"run-length 8-bit", with([](BmpBytes& b) {
             b.bitCount = 8, b.compression = 1, b.coloursUsed = 1, b.palette = {0};
         })},
        {"old core header", coreHeader},
        {"zero width", with([](BmpBytes& b) { b.width = 0; })},
        {"zero height", with([](BmpBytes& b) { b.height = 0, b.rows.clear(); })},
        {"negative width", with([](BmpBytes& b) { b.width = -2; })},
        {"most negative height", with([](BmpBytes& b) { b.height = INT32_MIN; })},
        {"rows run past the end of the file", with([](BmpBytes& b) { b.width = 3; })},
        {"absurd size", with([](BmpBytes& b) { b.width = b.height = 0x7FFFFFFF; })},
        {"pixel offset beyond the file", farPixels},
        {"palette runs past the end of the file",
         BmpBytes{.width = 4, .height = 1, .bitCount = 8, .coloursUsed = 200, .palette = {0},
                  .rows = {{0, 0, 0, 0}}}.Build()},
    };
    for (std::uint16_t bits : {1, 4, 24, 32})
        cases.push_back({"unsupported depth", with([bits](BmpBytes& b) { b.bitCount = bits; })});
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(LoadBmpBytes(c.bytes));
    }
}

// ---- JPEG ----------------------------------------------------------------

constexpr int kJpegWidth = 32;
constexpr int kJpegHeight = 64;

// Red on the left and blue on the right of the top eight rows, white in the
// last eight, and busy enough in between that the scan data makes up most
// of the file.
std::vector<std::uint8_t> TestPictureRgb()
{
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < kJpegHeight; ++y)
        for (int x = 0; x < kJpegWidth; ++x)
        {
            if (y < 8)
                rgb.insert(rgb.end(), {static_cast<std::uint8_t>(x < 8 ? 255 : 0), 0,
                                       static_cast<std::uint8_t>(x < 8 ? 0 : 255)});
            else if (y >= kJpegHeight - 8)
                rgb.insert(rgb.end(), {255, 255, 255});
            else
                rgb.insert(rgb.end(), {static_cast<std::uint8_t>(x * y * 37),
                                       static_cast<std::uint8_t>(x * 91 + y),
                                       static_cast<std::uint8_t>(y * 53 ^ x)});
        }
    return rgb;
}

// Offset of the middle of the (last) scan's entropy-coded data.
std::size_t MiddleOfScan(const std::vector<std::uint8_t>& jpeg)
{
    std::size_t scan = 0;
    for (std::size_t i = 0; i + 3 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA)
            scan = i + 2 + static_cast<std::size_t>((jpeg[i + 2] << 8) | jpeg[i + 3]);
    return scan + (jpeg.size() - scan) / 2;
}

BufferPtr LoadJpegBytes(const std::vector<std::uint8_t>& bytes)
{
    DbMemoryFile file(bytes);
    return BufferPtr(LoadJPEG(file, false));
}

std::uint16_t Pixel(FCImageBuffer& picture, std::int32_t x, std::int32_t y)
{
    return static_cast<std::uint16_t>(picture.GetPixel(x, y, picture.GetFormat()));
}

TEST(FCPictureTest, JpegDecodesIntoFiveFiveFive)
{
    for (bool progressive : {false, true})
    {
        SCOPED_TRACE(progressive ? "progressive" : "baseline");
        BufferPtr picture =
            LoadJpegBytes(EncodeJpeg(kJpegWidth, kJpegHeight, TestPictureRgb(), progressive));
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->GetFormat(), FCFormat555);
        EXPECT_EQ(picture->GetWidth(), kJpegWidth);
        EXPECT_EQ(picture->GetHeight(), kJpegHeight);
        EXPECT_EQ(Pixel(*picture, 3, 3), 0x7C00);
        EXPECT_EQ(Pixel(*picture, 12, 4), 0x001F);
        EXPECT_EQ(Pixel(*picture, 5, kJpegHeight - 3), 0x7FFF);
    }
}

TEST(FCPictureTest, JpegThatEndsEarlyStillDecodes)
{
    const std::vector<std::uint8_t> whole = EncodeJpeg(kJpegWidth, kJpegHeight, TestPictureRgb());
    const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + MiddleOfScan(whole));
    BufferPtr picture = LoadJpegBytes(cut);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->GetWidth(), kJpegWidth);
    EXPECT_EQ(picture->GetHeight(), kJpegHeight);
    EXPECT_EQ(Pixel(*picture, 3, 3), 0x7C00);
    // The rows after the cut are no longer the white of the original.
    EXPECT_NE(Pixel(*picture, 5, kJpegHeight - 3), 0x7FFF);
}

TEST(FCPictureTest, DamagedJpegsGiveNoPicture)
{
    const std::vector<std::uint8_t> good = EncodeJpeg(kJpegWidth, kJpegHeight, TestPictureRgb());
    struct Case
    {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"empty file", {}});
    cases.push_back({"not a JPEG", {'B', 'M', 0, 0, 0, 0, 0, 0}});
    cases.push_back({"start marker only", {0xFF, 0xD8}});
    cases.push_back({"header cut inside the tables",
                     std::vector<std::uint8_t>(good.begin(), good.begin() + 60)});
    // The picture with byte i after the frame header's marker replaced.
    auto patchFrameHeader = [&good](std::size_t i, std::uint8_t value)
    {
        std::vector<std::uint8_t> b = good;
        for (std::size_t at = 0; at + i < b.size(); ++at)
        {
            if (b[at] == 0xFF && b[at + 1] == 0xC0)
            {
                b[at + i] = value;
                break;
            }
        }
        return b;
    };
    cases.push_back({"zero width", patchFrameHeader(8, 0)}); // the width's high byte is 0 already
    cases.push_back({"bad component count", patchFrameHeader(9, 7)});
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(LoadJpegBytes(c.bytes));
    }
}

TEST(FCPictureTest, JpegInsideAPackageReadsOnlyItsOwnEntry)
{
    const std::vector<std::uint8_t> whole = EncodeJpeg(kJpegWidth, kJpegHeight, TestPictureRgb());
    const std::size_t entryLength = MiddleOfScan(whole);
    // The entry holds the first half of the picture; the rest of the same
    // picture follows it in the package, where the decoder must not look.
    std::vector<std::uint8_t> package(100 + whole.size(), 0x55);
    std::copy(whole.begin(), whole.end(), package.begin() + 100);
    TempFolder folder;
    folder.WriteFile("pictures.pak", package);

    FCFileSection entry;
    ASSERT_TRUE(
        entry.OpenRange(folder.Join("pictures.pak"), 100, static_cast<std::uint32_t>(entryLength)));
    BufferPtr fromEntry(LoadJPEG(entry, false));
    BufferPtr fromHalf =
        LoadJpegBytes(std::vector<std::uint8_t>(whole.begin(), whole.begin() + entryLength));
    BufferPtr fromWhole = LoadJpegBytes(whole);
    ASSERT_TRUE(fromEntry);
    ASSERT_TRUE(fromHalf);
    ASSERT_TRUE(fromWhole);
    bool differsFromWhole = false;
    for (std::int32_t y = 0; y < kJpegHeight; ++y)
        for (std::int32_t x = 0; x < kJpegWidth; ++x)
        {
            EXPECT_EQ(Pixel(*fromEntry, x, y), Pixel(*fromHalf, x, y));
            differsFromWhole |= Pixel(*fromEntry, x, y) != Pixel(*fromWhole, x, y);
        }
    EXPECT_TRUE(differsFromWhole);
}
TEST(FCPictureTest, PicturesInTheScreenFormat)
{
    const BmpBytes sixteen{.width = 2, .height = 1, .rows = {{0x03E0, 0x7C00}}};
    const BmpBytes eight{
        .width = 1, .height = 1, .bitCount = 8, .coloursUsed = 1, .palette = {0xFF0000}, .rows = {{0}}};
    const std::vector<std::uint8_t> jpeg = EncodeJpeg(kJpegWidth, kJpegHeight, TestPictureRgb());

    {
        // No screen yet: the screen format falls back to 5-5-5.
        DbMemoryFile file(sixteen.Build());
        BufferPtr picture(LoadBMP(file, true));
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->GetFormat(), FCFormat555);
    }
    MemoryDisplayManager display(FCFormat565, 16, 16);
    {
        DbMemoryFile file(sixteen.Build());
        BufferPtr picture(LoadBMP(file, true));
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->GetFormat(), FCFormat565);
        EXPECT_EQ(Row(*picture, 0), (std::vector<std::uint32_t>{0x07C0, 0xF800}));
        // The key is the stored value of the green pixel, in the picture's format.
        EXPECT_EQ(picture->GetColourKey(), 0x07C0u);
    }
    {
        DbMemoryFile file(eight.Build());
        BufferPtr picture(LoadBMP(file, true));
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->GetPalette()->format, FCFormat565);
        EXPECT_EQ(picture->GetPalette()->entries[0], 0xF800u);
    }
    {
        DbMemoryFile file(jpeg);
        BufferPtr picture(LoadJPEG(file, true));
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->GetFormat(), FCFormat565);
        EXPECT_EQ(Pixel(*picture, 3, 3), 0xF800);
        DbMemoryFile again(jpeg);
        BufferPtr plain(LoadJPEG(again, false));
        ASSERT_TRUE(plain);
        EXPECT_EQ(plain->GetFormat(), FCFormat555);
    }
}
} // namespace
