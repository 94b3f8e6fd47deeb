#include "Fc/Graphics/FCImageBuffer.h"

#include "Fc/Graphics/FCDrawFlags.h"
#include "Fc/Graphics/FCPalette.h"

#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace
{
constexpr std::uint16_t kBackground = 0xEEEE;

// Colours 0 (black) to 6 of the test pictures, by hand for each screen format.
struct Screen
{
    const char* name;
    const FCPixelFormat& format;
    std::uint16_t colours[7];
};
const Screen kScreens[] = {
    {"565", FCFormat565, {0x0000, 0xF800, 0x07E0, 0x001F, 0xFFFF, 0x8410, 0x0821}},
    {"555", FCFormat555, {0x0000, 0x7C00, 0x03E0, 0x001F, 0x7FFF, 0x4210, 0x0401}},
};
// The same colours as RGB24 palette entries (0x00BBGGRR).
const std::uint32_t kRgb24[7] = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000,
                                 0xFFFFFF, 0x808080, 0x080408};

std::uint16_t Pixel16(FCImageBuffer& b, std::int32_t x, std::int32_t y)
{
    std::uint16_t v;
    std::memcpy(&v, b.GetPixels() + y * b.GetPitch() + 2 * x, 2);
    return v;
}

// The target as rows of digits (colour numbers), '.' for untouched pixels.
std::vector<std::string> Grid(FCImageBuffer& target, const Screen& screen)
{
    std::vector<std::string> rows;
    for (std::int32_t y = 0; y < target.GetHeight(); ++y)
    {
        std::string row;
        for (std::int32_t x = 0; x < target.GetWidth(); ++x)
        {
            const std::uint16_t v = Pixel16(target, x, y);
            char c = v == kBackground ? '.' : '?';
            for (int i = 0; i < 7; ++i)
                if (v == screen.colours[i])
                    c = static_cast<char>('0' + i);
            row += c;
        }
        rows.push_back(row);
    }
    return rows;
}

// A picture whose pixels are the given colour numbers, 16-bit in the screen
// format or 8-bit with an RGB24 palette converted to it.
FCImageBuffer* MakePicture(const std::vector<std::string>& rows, const Screen& screen, bool indexed)
{
    const auto w = static_cast<std::int32_t>(rows[0].size());
    const auto h = static_cast<std::int32_t>(rows.size());
    auto* picture = FCImageBuffer::Create(w, h, indexed ? FCFormat8 : screen.format);
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x)
        {
            const int n = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] - '0';
            picture->SetPixel(x, y, indexed ? static_cast<std::uint32_t>(n) : screen.colours[n]);
        }
    if (indexed)
    {
        auto* palette = new FCPalette;
        for (int i = 0; i < 7; ++i)
            palette->entries[static_cast<std::size_t>(i)] = kRgb24[i];
        palette->Convert(screen.format);
        picture->SetPalette(palette);
    }
    return picture;
}

FCImageBuffer* MakeTarget(const Screen& screen, std::int32_t w = 5, std::int32_t h = 4)
{
    auto* target = FCImageBuffer::Create(w, h, screen.format);
    target->Clear(kBackground);
    return target;
}

using Rows = std::vector<std::string>;
const FCRect kWholeTarget(0, 0, 5, 4);

struct DrawCase
{
    const char* name;
    std::uint16_t flags;
    FCPoint at;
    FCRect clip;
    bool keyed; // colour 5 transparent
    Rows expected;
};

// Source picture:  1 2 3
//                  4 5 6
const DrawCase kDrawCases[] = {
    {"plain", 0, {1, 1}, kWholeTarget, false, {".....", ".123.", ".456.", "....."}},
    {"mirror x", kDrawMirrorX, {1, 1}, kWholeTarget, false, {".....", ".321.", ".654.", "....."}},
    {"mirror frame x",
     kDrawMirrorFrameX,
     {1, 1},
     kWholeTarget,
     false,
     {".....", ".321.", ".654.", "....."}},
    {"mirror y", kDrawMirrorY, {1, 1}, kWholeTarget, false, {".....", ".456.", ".123.", "....."}},
    {"mirror frame y",
     kDrawMirrorFrameY,
     {1, 1},
     kWholeTarget,
     false,
     {".....", ".456.", ".123.", "....."}},
    {"mirror both",
     kDrawMirrorX | kDrawMirrorY,
     {1, 1},
     kWholeTarget,
     false,
     {".....", ".654.", ".321.", "....."}},
    {"turn left", kDrawTurnLeft, {1, 1}, kWholeTarget, false, {".....", ".36..", ".25..", ".14.."}},
    {"turn right",
     kDrawTurnRight,
     {1, 1},
     kWholeTarget,
     false,
     {".....", ".41..", ".52..", ".63.."}},
    {"turn ignores mirror",
     kDrawTurnLeft | kDrawMirrorX | kDrawMirrorY,
     {1, 1},
     kWholeTarget,
     false,
     {".....", ".36..", ".25..", ".14.."}},
    {"both turns turn left",
     kDrawTurnLeft | kDrawTurnRight,
     {1, 1},
     kWholeTarget,
     false,
     {".....", ".36..", ".25..", ".14.."}},
    {"off the top left", 0, {-1, -1}, kWholeTarget, false, {"56...", ".....", ".....", "....."}},
    {"off the bottom right, clip beyond target",
     0,
     {4, 3},
     FCRect(-100, -100, 100, 100),
     false,
     {".....", ".....", ".....", "....1"}},
    {"mirror x, right part clipped",
     kDrawMirrorX,
     {1, 1},
     FCRect(1, 1, 3, 3),
     false,
     {".....", ".32..", ".65..", "....."}},
    {"mirror y, bottom row clipped",
     kDrawMirrorY,
     {1, 1},
     FCRect(0, 0, 5, 2),
     false,
     {".....", ".456.", ".....", "....."}},
    {"turn left, top clipped",
     kDrawTurnLeft,
     {1, 1},
     FCRect(0, 2, 5, 4),
     false,
     {".....", ".....", ".25..", ".14.."}},
    {"turn right, left clipped",
     kDrawTurnRight,
     {1, 1},
     FCRect(2, 0, 5, 4),
     false,
     {".....", "..1..", "..2..", "..3.."}},
    {"turn left, off the left",
     kDrawTurnLeft,
     {-1, 0},
     kWholeTarget,
     false,
     {"6....", "5....", "4....", "....."}},
    {"turn right, off the bottom right",
     kDrawTurnRight,
     {3, 2},
     kWholeTarget,
     false,
     {".....", ".....", "...41", "...52"}},
    {"keyed", 0, {1, 1}, kWholeTarget, true, {".....", ".123.", ".4.6.", "....."}},
    {"keyed mirror x",
     kDrawMirrorX,
     {1, 1},
     kWholeTarget,
     true,
     {".....", ".321.", ".6.4.", "....."}},
    {"keyed mirror both, clipped",
     kDrawMirrorX | kDrawMirrorY,
     {1, 1},
     FCRect(2, 1, 5, 3),
     true,
     {".....", "...4.", "..21.", "....."}},
    {"keyed turn left",
     kDrawTurnLeft,
     {1, 1},
     kWholeTarget,
     true,
     {".....", ".36..", ".2...", ".14.."}},
    {"keyed turn right",
     kDrawTurnRight,
     {1, 1},
     kWholeTarget,
     true,
     {".....", ".41..", "..2..", ".63.."}},
};
} // namespace

TEST(FCImageBufferTest, DrawPlacesEveryPixelForEachFlagClipAndKey)
{
    for (const Screen& screen : kScreens)
        for (bool indexed : {false, true})
        {
            FCImageBuffer* picture = MakePicture({"123", "456"}, screen, indexed);
            for (const DrawCase& c : kDrawCases)
            {
                SCOPED_TRACE(testing::Message() << c.name << ", " << screen.name
                                                << (indexed ? ", 8-bit" : ", 16-bit"));
                picture->SetColourKey(c.keyed ? (indexed ? 5u : screen.colours[5]) : 0u);
                FCImageBuffer* target = MakeTarget(screen);
                EXPECT_TRUE(picture->Draw(target, c.at, c.clip, c.flags));
                EXPECT_EQ(Grid(*target, screen), c.expected);
                target->Release();
            }
            picture->Release();
        }
}

TEST(FCImageBufferTest, TurnedFootprintIsHeightByWidth)
{
    // A 10 x 20 picture turned left covers 20 x 10; its top row becomes the
    // leftmost column, read from the bottom up.
    const Screen& screen = kScreens[0];
    auto* picture = FCImageBuffer::Create(10, 20, FCFormat565);
    picture->Clear(screen.colours[4]);
    for (std::int32_t x = 0; x < 10; ++x)
        picture->SetPixel(x, 0, static_cast<std::uint32_t>(x + 1));
    FCImageBuffer* target = MakeTarget(screen, 30, 30);
    ASSERT_TRUE(picture->Draw(target, FCPoint(0, 0), FCRect(0, 0, 30, 30), kDrawTurnLeft));
    for (std::int32_t y = 0; y < 30; ++y)
        for (std::int32_t x = 0; x < 30; ++x)
        {
            std::uint16_t expected = kBackground;
            if (x < 20 && y < 10)
                expected = x == 0 ? static_cast<std::uint16_t>(10 - y) : screen.colours[4];
            ASSERT_EQ(Pixel16(*target, x, y), expected) << x << "," << y;
        }
    target->Release();
    picture->Release();
}

TEST(FCImageBufferTest, KeyZeroMeansNoKeySoBlackIsDrawn)
{
    for (const Screen& screen : kScreens)
        for (bool indexed : {false, true})
        {
            FCImageBuffer* picture = MakePicture({"01", "10"}, screen, indexed);
            FCImageBuffer* target = MakeTarget(screen, 2, 2);
            ASSERT_TRUE(picture->Draw(target, FCPoint(0, 0), FCRect(0, 0, 2, 2), 0));
            EXPECT_EQ(Grid(*target, screen), (Rows{"01", "10"})) << screen.name << indexed;
            target->Release();
            picture->Release();
        }
}

TEST(FCImageBufferTest, DrawRefusesWhatItCannotDraw)
{
    QuietLog quiet;
    const Screen& screen = kScreens[0];
    FCImageBuffer* picture = MakePicture({"12", "34"}, screen, false);
    FCImageBuffer* target = MakeTarget(screen);
    const Rows untouched{".....", ".....", ".....", "....."};

    EXPECT_FALSE(picture->Draw(target, FCPoint(1, 1), FCRect(3, 3, 3, 4), 0)); // empty clip
    EXPECT_FALSE(picture->Draw(target, FCPoint(10, 1), kWholeTarget, 0));      // outside
    EXPECT_FALSE(picture->Draw(target, FCPoint(1, 1), FCRect(0, 0, 1, 1), 0)); // clip misses it
    EXPECT_FALSE(picture->Draw(nullptr, FCPoint(0, 0), kWholeTarget, 0));
    EXPECT_EQ(Grid(*target, screen), untouched);

    auto* target8 = FCImageBuffer::Create(5, 4, FCFormat8);
    std::memset(target8->GetPixels(), 0x77, 20);
    EXPECT_FALSE(picture->Draw(target8, FCPoint(0, 0), kWholeTarget, 0));
    EXPECT_EQ(target8->GetByte(0, 0), 0x77);

    auto* noPalette = FCImageBuffer::Create(2, 2, FCFormat8);
    std::memset(noPalette->GetPixels(), 1, 4);
    EXPECT_FALSE(noPalette->Draw(target, FCPoint(0, 0), kWholeTarget, 0));
    auto* deep = FCImageBuffer::Create(2, 2, FCFormatRGB24);
    EXPECT_FALSE(deep->Draw(target, FCPoint(0, 0), kWholeTarget, 0));
    EXPECT_EQ(Grid(*target, screen), untouched);

    for (FCImageBuffer* b : {picture, target, target8, noPalette, deep})
        b->Release();
}

TEST(FCImageBufferTest, PitchIsWholeBytesPerPixelTimesWidth)
{
    struct Row
    {
        const FCPixelFormat& format;
        std::int32_t pitch;
    };
    const Row rows[] = {{FCFormat565, 1280},
                        {FCFormat555, 1280},
                        {FCFormat8, 640},
                        {FCFormatRGB24, 1920},
                        {FCFormat32, 2560}};
    for (const Row& row : rows)
    {
        FCImageBuffer buffer(640, 480, row.format);
        EXPECT_EQ(buffer.GetPitch(), row.pitch);
        EXPECT_NE(buffer.GetPixels(), nullptr);
        EXPECT_EQ(buffer.GetKind(), 0);
        EXPECT_TRUE(buffer.OwnsPixels());
    }
}

TEST(FCImageBufferTest, SizesFromFilesAreCheckedBeforeAllocation)
{
    QuietLog quiet;
    struct Row
    {
        std::int32_t w, h;
        const FCPixelFormat& format;
    };
    const Row refused[] = {{-1, 10, FCFormat565},
                           {10, -5, FCFormat565},
                           {40000, 1, FCFormat8},
                           {32767, 32767, FCFormat32}, // 4 GiB
                           {0x7FFFFFFF, 0x7FFFFFFF, FCFormat565}};
    for (const Row& row : refused)
    {
        EXPECT_EQ(FCImageBuffer::Create(row.w, row.h, row.format), nullptr)
            << row.w << " x " << row.h;
        FCImageBuffer buffer(row.w, row.h, row.format);
        EXPECT_EQ(buffer.GetPixels(), nullptr);
        EXPECT_EQ(buffer.GetWidth(), 0);
        EXPECT_EQ(buffer.GetPitch(), 0);
        buffer.SetPixel(0, 0, 1); // harmless on an empty buffer
        EXPECT_EQ(buffer.GetPixel(0, 0, FCFormat565), 0u);
    }
    FCImageBuffer* empty = FCImageBuffer::Create(0, 7, FCFormat565);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->GetPixels(), nullptr);
    EXPECT_EQ(empty->GetHeight(), 7);
    empty->Release();
}

TEST(FCImageBufferTest, ResizeReallocatesAndOwnsTheNewBlock)
{
    QuietLog quiet;
    FCImageBuffer buffer(4, 4, FCFormat565);
    std::uint8_t* pixels = buffer.Resize(3, 2);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(buffer.GetPitch(), 6);
    EXPECT_EQ(buffer.GetHeight(), 2);
    EXPECT_TRUE(buffer.OwnsPixels());
    buffer.SetPixel(2, 1, 0x1234); // the last pixel is inside the new block
    EXPECT_EQ(buffer.GetPixel(2, 1, FCFormat565), 0x1234u);
    EXPECT_EQ(buffer.Resize(-3, 2), nullptr);
    EXPECT_EQ(buffer.GetWidth(), 0);
}

TEST(FCImageBufferTest, SetPixelByteOrderAndBounds)
{
    FCImageBuffer b24(2, 1, FCFormatRGB24);
    b24.SetPixel(1, 0, 0x112233);
    EXPECT_EQ(b24.GetPixels()[3], 0x11);
    EXPECT_EQ(b24.GetPixels()[4], 0x22);
    EXPECT_EQ(b24.GetPixels()[5], 0x33);

    FCImageBuffer b32(1, 1, FCFormat32);
    b32.SetPixel(0, 0, 0x80112233);
    EXPECT_EQ(b32.GetPixel(0, 0, FCFormatRGB24), 0x332211u);

    FCImageBuffer b8(3, 2, FCFormat8);
    std::memset(b8.GetPixels(), 0, 6);
    b8.SetPixel(2, 1, 0x1FF);
    EXPECT_EQ(b8.GetByte(2, 1), 0xFF);
    for (const FCPoint p : {FCPoint(3, 0), FCPoint(-1, 0), FCPoint(0, 2), FCPoint(0, -1)})
    {
        b8.SetPixel(p.x, p.y, 9);
        EXPECT_EQ(b8.GetByte(p.x, p.y), 0);
    }
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(b8.GetPixels()[i], 0) << i;
}

TEST(FCImageBufferTest, GetPixelConvertsThroughFormatAndPalette)
{
    FCImageBuffer b16(1, 1, FCFormat555);
    b16.SetPixel(0, 0, 0x7FFF);
    EXPECT_EQ(b16.GetPixel(0, 0, FCFormatRGB24), 0x00F8F8F8u);
    EXPECT_EQ(b16.GetPixel(0, 0, FCFormat565), 0xFFDFu);

    FCImageBuffer b8(1, 1, FCFormat8);
    b8.SetPixel(0, 0, 3);
    auto* palette = new FCPalette;
    palette->entries[3] = 0x00FF00; // green
    b8.SetPalette(palette);
    EXPECT_EQ(b8.GetPixel(0, 0, FCFormat555), 0x03E0u);
    b8.SetPalette(new FCPalette); // replaces (and frees) the old one
    EXPECT_EQ(b8.GetPixel(0, 0, FCFormat555), 0u);
}

TEST(FCImageBufferTest, WriteRowsStopAtTheRowEnd)
{
    FCImageBuffer b(4, 2, FCFormat565);
    b.Clear(0);
    const std::uint16_t source[4] = {0x1111, 0xAAAA, 0x3333, 0x4444};
    // Five bytes are three pixels; the key pixel is skipped.
    b.WriteRowKeyed(0, 0, source, 5, 0xAAAA);
    EXPECT_EQ(Pixel16(b, 0, 0), 0x1111);
    EXPECT_EQ(Pixel16(b, 1, 0), 0);
    EXPECT_EQ(Pixel16(b, 2, 0), 0x3333);
    EXPECT_EQ(Pixel16(b, 3, 0), 0);

    EXPECT_EQ(b.WriteRow(2, 1, source, 8), 4); // room for two pixels
    EXPECT_EQ(Pixel16(b, 2, 1), 0x1111);
    EXPECT_EQ(Pixel16(b, 3, 1), 0xAAAA);
    EXPECT_EQ(b.WriteRow(4, 1, source, 2), 0);
    EXPECT_EQ(b.WriteRow(0, 2, source, 2), 0);
    EXPECT_EQ(Pixel16(b, 0, 1), 0);

    FCImageBuffer b8(4, 1, FCFormat8);
    std::memset(b8.GetPixels(), 0, 4);
    b8.WriteRowKeyed(0, 0, source, 4, 0); // not a 16-bit buffer: nothing
    EXPECT_EQ(b8.GetByte(0, 0), 0);
}

TEST(FCImageBufferTest, FillsAndFramesStayInsideTheBuffer)
{
    const Screen& screen = kScreens[0];
    FCImageBuffer* b = MakeTarget(screen, 10, 10);
    EXPECT_TRUE(b->FillRect(1, FCRect(10, 10, 10, 20))); // empty: nothing
    EXPECT_TRUE(b->DrawFrame(screen.colours[1], FCRect(0, 0, 10, 10), 1));
    const Rows frame{"1111111111", "1........1", "1........1", "1........1", "1........1",
                     "1........1", "1........1", "1........1", "1........1", "1111111111"};
    EXPECT_EQ(Grid(*b, screen), frame);

    EXPECT_TRUE(
        b->DrawFrameClipped(screen.colours[2], FCRect(-2, 5, 4, 20), FCRect(0, 0, 10, 10), 2));
    EXPECT_TRUE(b->FillRect(screen.colours[3], FCRect(8, -3, 30, 2)));
    const Rows after{"1111111133", "1.......33", "1........1", "1........1", "1........1",
                     "2222.....1", "2222.....1", "1.22.....1", "1.22.....1", "1122111111"};
    EXPECT_EQ(Grid(*b, screen), after);

    EXPECT_TRUE(b->Clear(screen.colours[4]));
    EXPECT_EQ(Grid(*b, screen)[9], "4444444444");
    EXPECT_TRUE(b->FillRect(screen.colours[5], FCRect())); // all zero: whole buffer
    EXPECT_EQ(Grid(*b, screen)[0], "5555555555");
    b->Release();
}

TEST(FCImageBufferTest, BlitClipsChecksDepthAndReportsSuccess)
{
    QuietLog quiet;
    const Screen& screen = kScreens[0];
    FCImageBuffer* source = MakePicture({"123", "456"}, screen, false);
    FCImageBuffer* target = MakeTarget(screen);
    // Source rectangle hangs off the source's left; target off the right.
    EXPECT_TRUE(target->Blit(FCPoint(2, 1), source, FCRect(-1, 0, 3, 2), kDrawNone));
    EXPECT_EQ(Grid(*target, screen), (Rows{".....", "...12", "...45", "....."}));
    EXPECT_TRUE(target->BlitFast(FCPoint(-1, 3), source, FCRect(0, 0, 3, 1), 0));
    EXPECT_EQ(Grid(*target, screen)[3], "23...");
    EXPECT_TRUE(target->Blit(FCPoint(40, 40), source, FCRect(0, 0, 3, 2), 0)); // nothing overlaps
    // Extreme coordinates neither overflow nor misplace the copy.
    constexpr std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    EXPECT_TRUE(target->Blit(FCPoint(0, 0), source, FCRect(lowest, 0, 3, 2), 0));
    EXPECT_TRUE(target->Blit(FCPoint(lowest, 0), source, FCRect(lowest, 0, 2, 1), 0));
    EXPECT_EQ(Grid(*target, screen), (Rows{"12...", "...12", "...45", "23..."}));

    auto* source8 = FCImageBuffer::Create(2, 2, FCFormat8);
    EXPECT_FALSE(target->Blit(FCPoint(0, 0), source8, FCRect(0, 0, 2, 2), 0));
    EXPECT_FALSE(target->Blit(FCPoint(0, 0), nullptr, FCRect(0, 0, 2, 2), 0));
    source8->Release();
    source->Release();
    target->Release();
}

TEST(FCImageBufferTest, BlitWithinOneBufferCopiesOverlapsIntact)
{
    const Screen& screen = kScreens[0];
    FCImageBuffer* b = MakePicture({"1230", "4560", "0000"}, screen, false);
    EXPECT_TRUE(b->Blit(FCPoint(1, 1), b, FCRect(0, 0, 3, 2), 0));
    EXPECT_EQ(Grid(*b, screen), (Rows{"1230", "4123", "0456"}));
    EXPECT_TRUE(b->Blit(FCPoint(0, 0), b, FCRect(1, 1, 4, 3), 0));
    EXPECT_EQ(Grid(*b, screen), (Rows{"1230", "4563", "0456"}));
    b->Release();
}

namespace
{
// 16-bit fills pick their stores by width (narrow bands in overlapping
// words, wide rows in wide blocks): every width and alignment must fill
// exactly the rectangle. Other depths keep the row copy.
TEST(FCImageBufferTest, FillsOfEveryWidthCoverExactlyTheirRectangle)
{
    struct Depth
    {
        FCPixelFormat format;
        std::uint32_t colour;
    };
    const Depth depths[] = {{FCFormat565, 0x1234}, {FCFormat555, 0x7ABC}, {FCFormat8, 0x5A}};
    constexpr std::uint32_t kGuard = 0x0F;
    std::vector<std::int32_t> widths;
    for (std::int32_t w = 1; w <= 70; ++w)
        widths.push_back(w);
    for (std::int32_t w : {127, 128, 129, 150, 200})
        widths.push_back(w);
    for (const Depth& depth : depths)
        for (const std::int32_t width : widths)
            for (const std::int32_t left : {0, 1, 3})
            {
                SCOPED_TRACE(testing::Message() << "bits " << depth.format.bitsPerPixel << " width "
                                                << width << " left " << left);
                FCImageBuffer* buffer = FCImageBuffer::Create(210, 5, depth.format);
                ASSERT_NE(buffer, nullptr);
                for (std::int32_t y = 0; y < 5; ++y)
                    for (std::int32_t x = 0; x < 210; ++x)
                        buffer->SetPixel(x, y, kGuard);
                const FCRect rect(left, 1, left + width, 4);
                EXPECT_TRUE(buffer->FillRect(depth.colour, rect));
                // The stored value, read byte by byte (little-endian).
                auto raw = [&](std::int32_t x, std::int32_t y)
                {
                    const std::uint8_t* p = buffer->GetPixels() + y * buffer->GetPitch() +
                                            x * buffer->GetBytesPerPixel();
                    return buffer->GetBytesPerPixel() == 1
                               ? std::uint32_t{p[0]}
                               : std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8;
                };
                for (std::int32_t y = 0; y < 5; ++y)
                    for (std::int32_t x = 0; x < 210; ++x)
                    {
                        const std::uint32_t expected =
                            rect.Contains(FCPoint(x, y)) ? depth.colour : kGuard;
                        ASSERT_EQ(raw(x, y), expected) << "at " << x << ", " << y;
                    }
                buffer->Release();
            }
}
} // namespace
