#include "Fc/Graphics/FCImageSet.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCImageSet16.h"
#include "Fc/Graphics/FCImageSet8.h"
#include "Fc/Graphics/FCPalette.h"
#include "Fc/Graphics/FCPixelConvert.h"

#include "support/DbMemoryFile.h"
#include "support/MemoryDisplayManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
struct FrameShape
{
    std::uint32_t fullWidth, fullHeight, offsetX, offsetY, width, height;
    std::uint8_t hasTransparency;
    std::uint32_t dataOffset;
};

// Bytes of an image-set file, written field by field as the format lays them.
struct SetBytes
{
    std::uint16_t encoding = 1;
    std::vector<FrameShape> frames;
    std::uint32_t key = 0;
    std::vector<std::uint8_t> pixels;
    std::int16_t paletteFlag = 0;
    std::vector<std::uint8_t> palette;

    std::vector<std::uint8_t> Build(std::int32_t frameCount = -1) const
    {
        std::vector<std::uint8_t> out;
        auto u8 = [&](std::uint32_t v) { out.push_back(static_cast<std::uint8_t>(v)); };
        auto u16 = [&](std::uint32_t v)
        {
            u8(v);
            u8(v >> 8);
        };
        auto u32 = [&](std::uint32_t v)
        {
            u16(v);
            u16(v >> 16);
        };
        u16(encoding);
        u16(static_cast<std::uint32_t>(frameCount >= 0 ? frameCount
                                                       : static_cast<std::int32_t>(frames.size())));
        for (const FrameShape& f : frames)
        {
            u32(f.fullWidth);
            u32(f.fullHeight);
            u32(f.offsetX);
            u32(f.offsetY);
            u32(f.width);
            u32(f.height);
            u8(f.hasTransparency);
            u32(f.dataOffset);
        }
        u32(key);
        u32(static_cast<std::uint32_t>(pixels.size()));
        out.insert(out.end(), pixels.begin(), pixels.end());
        u16(static_cast<std::uint16_t>(paletteFlag));
        out.insert(out.end(), palette.begin(), palette.end());
        return out;
    }
};

// The palette file form: 256 u32 entries, then a 14-byte pixel format.
std::vector<std::uint8_t> PaletteBytes(const std::vector<std::uint32_t>& entries,
                                       const FCPixelFormat& format)
{
    std::vector<std::uint8_t> out;
    for (int i = 0; i < 256; ++i)
    {
        const std::uint32_t v =
            i < static_cast<int>(entries.size()) ? entries[static_cast<std::size_t>(i)] : 0;
        for (int b = 0; b < 4; ++b)
            out.push_back(static_cast<std::uint8_t>(v >> (8 * b)));
    }
    const std::uint16_t fields[7] = {format.bitsPerPixel, format.redBits,  format.greenBits,
                                     format.blueBits,     format.redShift, format.greenShift,
                                     format.blueShift};
    for (std::uint16_t v : fields)
    {
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    return out;
}

std::vector<std::uint8_t> Pixels16(const std::vector<std::uint16_t>& values)
{
    std::vector<std::uint8_t> out;
    for (std::uint16_t v : values)
    {
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    return out;
}

struct SetDeleter
{
    void operator()(FCImageSet* set) const { set->Release(); }
};
using SetPtr = std::unique_ptr<FCImageSet, SetDeleter>;

struct BufferDeleter
{
    void operator()(FCImageBuffer* buffer) const { buffer->Release(); }
};
using BufferPtr = std::unique_ptr<FCImageBuffer, BufferDeleter>;

SetPtr LoadFromBytes(const std::vector<std::uint8_t>& bytes)
{
    DbMemoryFile file(bytes);
    return SetPtr(LoadImageSet(file));
}

// A 3 x 2 frame with a distinct value per pixel: 0x0101 0x0102 0x0103 on the
// first row, 0x0201 0x0202 0x0203 on the second.
SetBytes ThreeByTwo(std::uint32_t fullWidth = 3, std::uint32_t offsetX = 0, std::uint8_t keyed = 0)
{
    SetBytes set;
    set.frames = {{fullWidth, 2, offsetX, 0, 3, 2, keyed, 0}};
    set.pixels = Pixels16({0x0101, 0x0102, 0x0103, 0x0201, 0x0202, 0x0203});
    return set;
}

// Top bit clear, so it reads back the same from a 5-5-5 buffer.
constexpr std::uint16_t kBackground = 0x6EEE;

BufferPtr Target(std::int32_t width, std::int32_t height, const FCPixelFormat& format = FCFormat565)
{
    BufferPtr target(FCImageBuffer::Create(width, height, format));
    target->Clear(0); // the base Clear does nothing; fill by hand
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            target->SetPixel(x, y, kBackground);
    return target;
}

std::vector<std::uint16_t> Row(FCImageBuffer& buffer, std::int32_t y)
{
    std::vector<std::uint16_t> row;
    for (std::int32_t x = 0; x < buffer.GetWidth(); ++x)
        row.push_back(static_cast<std::uint16_t>(buffer.GetPixel(x, y, buffer.GetFormat())));
    return row;
}

constexpr std::uint16_t B = kBackground;

TEST(FCImageSetTest, LoadsFramesKeyAndPixels)
{
    SetBytes bytes = ThreeByTwo();
    bytes.frames.push_back({5, 4, 1, 2, 1, 1, 1, 12});
    bytes.pixels.insert(bytes.pixels.end(), {0x34, 0x12});
    bytes.key = 0x1234;
    SetPtr set = LoadFromBytes(bytes.Build());
    ASSERT_TRUE(set);
    EXPECT_EQ(set->GetEncoding(), FCImageSet::kEncoding16);
    ASSERT_EQ(set->GetFrameCount(), 2);
    EXPECT_EQ(*set->GetFrame(1), (FCImageFrame{5, 4, 1, 2, 1, 1, 1, 12}));
    EXPECT_EQ(set->GetColourKey(), 0x1234u);
    EXPECT_EQ(set->GetPixelDataSize(), 14u);
    EXPECT_EQ(set->GetFormat(), FCFormat565);
    EXPECT_EQ(set->GetFramePixels(*set->GetFrame(1))[0], 0x34);
    EXPECT_EQ(set->GetFrame(2), nullptr);
    EXPECT_EQ(set->GetFrame(-1), nullptr);
}

TEST(FCImageSetTest, HeaderOnlyLoadStopsBeforeThePixels)
{
    SetBytes bytes = ThreeByTwo();
    bytes.key = 7;
    const std::vector<std::uint8_t> file = bytes.Build();
    DbMemoryFile stream(file);
    std::uint16_t encoding = 0;
    ASSERT_TRUE(stream.ReadU16(encoding));
    SetPtr set(CreateImageSet(encoding, 4));
    ASSERT_TRUE(set);
    ASSERT_TRUE(set->Load(stream, false));
    EXPECT_EQ(stream.Tell(), 2u + 2u + 29u + 8u);
    EXPECT_EQ(set->GetFrameCount(), 1);
    EXPECT_EQ(set->GetColourKey(), 7u);
    EXPECT_EQ(set->GetPixelDataSize(), 12u);
    // The frame is known, its pixels are not: nothing may be drawn from them.
    EXPECT_EQ(set->GetFramePixels(*set->GetFrame(0)), nullptr);
    BufferPtr target = Target(4, 4);
    EXPECT_FALSE(set->DrawFrame(0, *target, FCPoint(0, 0), target->GetBounds(), 0));
    EXPECT_EQ(Row(*target, 0), (std::vector<std::uint16_t>{B, B, B, B}));
}

TEST(FCImageSetTest, DamagedFilesGiveNoSet)
{
    const std::vector<std::uint8_t> good = ThreeByTwo().Build();
    struct Case
    {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"empty file", {}});
    cases.push_back({"only half an encoding", {1}});
    {
        SetBytes s = ThreeByTwo();
        s.encoding = 2;
        cases.push_back({"unknown encoding", s.Build()});
    }
    cases.push_back({"negative frame count", ThreeByTwo().Build(-1 & 0xFFFF)});
    cases.push_back({"more frames than the file holds", ThreeByTwo().Build(2000)});
    {
        SetBytes s = ThreeByTwo();
        s.frames[0].dataOffset = 2;
        cases.push_back({"frame pixels end past the pixel data", s.Build()});
    }
    {
        SetBytes s = ThreeByTwo();
        s.frames[0].dataOffset = 0xFFFFFFF8u;
        cases.push_back({"frame offset wraps around", s.Build()});
    }
    {
        SetBytes s = ThreeByTwo();
        s.frames[0].width = 0x40000000u;
        s.frames[0].height = 4;
        cases.push_back({"frame size overflows 32 bits", s.Build()});
    }
    {
        SetBytes s = ThreeByTwo();
        s.frames[0].fullWidth = 0x80000000u;
        cases.push_back({"nominal width beyond any frame", s.Build()});
    }
    {
        std::vector<std::uint8_t> b = good;
        b[2 + 2 + 29 + 4] = 0xFF; // pixel-data size far beyond the file
        b[2 + 2 + 29 + 7] = 0x7F;
        cases.push_back({"pixel data size beyond the file", b});
    }
    cases.push_back(
        {"pixel data cut short", std::vector<std::uint8_t>(good.begin(), good.end() - 6)});
    cases.push_back(
        {"palette flag missing", std::vector<std::uint8_t>(good.begin(), good.end() - 2)});
    {
        SetBytes s = ThreeByTwo();
        s.encoding = 3;
        s.pixels.resize(6);
        cases.push_back({"palettised set without palette", s.Build()});
    }
    {
        SetBytes s = ThreeByTwo();
        s.encoding = 3;
        s.pixels.resize(6);
        s.paletteFlag = 1;
        s.palette = PaletteBytes({}, FCFormatRGB24);
        s.palette.resize(500);
        cases.push_back({"palette cut short", s.Build()});
    }
    {
        SetBytes s = ThreeByTwo();
        s.encoding = 3;
        s.pixels.resize(6);
        s.paletteFlag = 1;
        s.palette = PaletteBytes({}, FCFormat8);
        cases.push_back({"palette entries of an indexed format", s.Build()});
    }
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(LoadFromBytes(c.bytes));
    }
}

TEST(FCImageSetTest, ReloadReplacesEverything)
{
    SetBytes first = ThreeByTwo();
    first.frames.push_back(first.frames[0]);
    SetBytes second;
    second.frames = {{1, 1, 0, 0, 1, 1, 0, 0}};
    second.pixels = Pixels16({0xF800});
    const std::vector<std::uint8_t> a = first.Build();
    const std::vector<std::uint8_t> b = second.Build();

    FCImageSet16 set;
    DbMemoryFile fileA(std::vector<std::uint8_t>(a.begin() + 2, a.end()));
    ASSERT_TRUE(set.Load(fileA, true));
    // Drawing into a 5-5-5 buffer converts the pixels in place...
    BufferPtr target = Target(3, 2, FCFormat555);
    ASSERT_TRUE(set.DrawFrame(0, *target, FCPoint(0, 0), target->GetBounds(), 0));
    EXPECT_EQ(set.GetFormat(), FCFormat555);
    // ...and a reload must start again from the file's 5-6-5 pixels.
    DbMemoryFile fileB(std::vector<std::uint8_t>(b.begin() + 2, b.end()));
    ASSERT_TRUE(set.Load(fileB, true));
    EXPECT_EQ(set.GetFrameCount(), 1);
    EXPECT_EQ(set.GetPixelDataSize(), 2u);
    EXPECT_EQ(set.GetFormat(), FCFormat565);
    EXPECT_EQ(set.GetFramePixels(*set.GetFrame(0))[1], 0xF8);
    // A damaged file leaves the set empty, not half old and half new.
    DbMemoryFile damaged(std::vector<std::uint8_t>(a.begin() + 2, a.end() - 4));
    EXPECT_FALSE(set.Load(damaged, true));
    EXPECT_EQ(set.GetFrameCount(), 0);
    EXPECT_EQ(set.GetPixelDataSize(), 0u);
}

TEST(FCImageSetTest, SetWithoutFramesHasNoMetricsAndDrawsNothing)
{
    SetPtr set = LoadFromBytes(SetBytes{}.Build());
    ASSERT_TRUE(set);
    EXPECT_EQ(set->GetFrameCount(), 0);
    EXPECT_TRUE(set->GetFrameRect(0, 0).IsEmpty());
    BufferPtr target = Target(2, 2);
    EXPECT_FALSE(set->DrawFrame(0, *target, FCPoint(0, 0), target->GetBounds(), 0));
    EXPECT_FALSE(set->HitTestFrame(FCPoint(0, 0), 0, FCPoint(0, 0), 0));
    EXPECT_EQ(Row(*target, 0), (std::vector<std::uint16_t>{B, B}));
}

TEST(FCImageSetTest, FrameRectMovesOnlyForTheFlipFlags)
{
    SetBytes bytes;
    bytes.frames = {{40, 30, 5, 4, 10, 6, 0, 0}};
    bytes.pixels.resize(120);
    SetPtr set = LoadFromBytes(bytes.Build());
    ASSERT_TRUE(set);
    struct Case
    {
        std::uint32_t flags;
        FCRect rect;
    };
    const Case cases[] = {
        {0, FCRect(5, 4, 15, 10)},
        {kDrawMirrorX, FCRect(5, 4, 15, 10)},
        {kDrawMirrorFrameX, FCRect(25, 4, 35, 10)},
        {kDrawMirrorY, FCRect(5, 4, 15, 10)},
        {kDrawMirrorFrameY, FCRect(5, 20, 15, 26)},
        {kDrawMirrorFrameX | kDrawMirrorFrameY, FCRect(25, 20, 35, 26)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.flags);
        EXPECT_EQ(set->GetFrameRect(0, c.flags), c.rect);
    }
}

TEST(FCImageSetTest, DrawsFramesPixelExact)
{
    struct Case
    {
        const char* name;
        SetBytes bytes;
        FCPoint at;
        FCRect clip;
        std::uint32_t flags;
        std::vector<std::uint16_t> row0, row1;
    };
    const FCRect all(0, 0, 6, 2);
    SetBytes keyed = ThreeByTwo(3, 0, 1);
    keyed.key = 0x0102;
    const Case cases[] = {
        {"plain",
         ThreeByTwo(),
         {1, 0},
         all,
         0,
         {B, 0x101, 0x102, 0x103, B, B},
         {B, 0x201, 0x202, 0x203, B, B}},
        {"mirrored in place",
         ThreeByTwo(),
         {1, 0},
         all,
         kDrawMirrorX,
         {B, 0x103, 0x102, 0x101, B, B},
         {B, 0x203, 0x202, 0x201, B, B}},
        {"mirrored top to bottom",
         ThreeByTwo(),
         {0, 0},
         all,
         kDrawMirrorY,
         {0x201, 0x202, 0x203, B, B, B},
         {0x101, 0x102, 0x103, B, B, B}},
        // Nominal width 5, stored at 1: flipped, the stored pixels sit at 1 again
        // (5 - 3 - 1) but reversed; with offset 0 they would move to column 2.
        {"flipped inside the nominal frame",
         ThreeByTwo(5, 0),
         {0, 0},
         all,
         kDrawMirrorFrameX,
         {B, B, 0x103, 0x102, 0x101, B},
         {B, B, 0x203, 0x202, 0x201, B}},
        {"clipped on the left",
         ThreeByTwo(),
         {0, 0},
         FCRect(1, 0, 6, 2),
         0,
         {B, 0x102, 0x103, B, B, B},
         {B, 0x202, 0x203, B, B, B}},
        // The right two columns are cut off; mirrored, they are the first two
        // source columns that must be skipped.
        {"clipped on the right and mirrored",
         ThreeByTwo(),
         {0, 0},
         FCRect(0, 0, 1, 2),
         kDrawMirrorX,
         {0x103, B, B, B, B, B},
         {0x203, B, B, B, B, B}},
        {"keyed",
         keyed,
         {0, 0},
         all,
         0,
         {0x101, B, 0x103, B, B, B},
         {0x201, 0x202, 0x203, B, B, B}},
        {"keyed and mirrored",
         keyed,
         {0, 0},
         all,
         kDrawMirrorX,
         {0x103, B, 0x101, B, B, B},
         {0x203, 0x202, 0x201, B, B, B}},
        {"partly outside the buffer",
         ThreeByTwo(),
         {4, 1},
         FCRect(-100, -100, 100, 100),
         0,
         {B, B, B, B, B, B},
         {B, B, B, B, 0x101, 0x102}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        SetPtr set = LoadFromBytes(c.bytes.Build());
        ASSERT_TRUE(set);
        BufferPtr target = Target(6, 2);
        EXPECT_TRUE(set->DrawFrame(0, *target, c.at, c.clip, c.flags));
        EXPECT_EQ(Row(*target, 0), c.row0);
        EXPECT_EQ(Row(*target, 1), c.row1);
    }
}

TEST(FCImageSetTest, DrawOutsideTheClipDrawsNothing)
{
    SetPtr set = LoadFromBytes(ThreeByTwo().Build());
    ASSERT_TRUE(set);
    BufferPtr target = Target(6, 2);
    EXPECT_FALSE(set->DrawFrame(0, *target, FCPoint(3, 0), FCRect(0, 0, 3, 2), 0));
    EXPECT_FALSE(set->DrawFrame(0, *target, FCPoint(6, 0), FCRect(0, 0, 100, 100), 0));
    EXPECT_FALSE(set->DrawFrame(1, *target, FCPoint(0, 0), target->GetBounds(), 0));
    EXPECT_EQ(Row(*target, 0), (std::vector<std::uint16_t>(6, B)));
}

TEST(FCImageSetTest, PalettisedFramesDrawThroughThePalette)
{
    SetBytes bytes;
    bytes.encoding = 3;
    bytes.frames = {{2, 1, 0, 0, 2, 1, 1, 0}};
    bytes.pixels = {1, 2};
    bytes.key = 2;
    bytes.paletteFlag = 1;
    // Pure red and pure blue as red, green, blue bytes (0x00BBGGRR).
    bytes.palette = PaletteBytes({0, 0x0000FF, 0xFF0000}, FCFormatRGB24);
    SetPtr set = LoadFromBytes(bytes.Build());
    ASSERT_TRUE(set);
    BufferPtr target = Target(3, 1);
    EXPECT_TRUE(set->DrawFrame(0, *target, FCPoint(0, 0), target->GetBounds(), 0));
    EXPECT_EQ(Row(*target, 0), (std::vector<std::uint16_t>{0xF800, B, B}));
    BufferPtr target555 = Target(3, 1, FCFormat555);
    EXPECT_TRUE(
        set->DrawFrame(0, *target555, FCPoint(0, 0), target555->GetBounds(), kDrawMirrorX));
    EXPECT_EQ(Row(*target555, 0), (std::vector<std::uint16_t>{B, 0x7C00, B}));
    // Hit testing compares palette indices with the key index.
    EXPECT_TRUE(set->HitTestFrame(FCPoint(0, 0), 0, FCPoint(0, 0), 0));
    EXPECT_FALSE(set->HitTestFrame(FCPoint(1, 0), 0, FCPoint(0, 0), 0));
    EXPECT_FALSE(set->HitTestFrame(FCPoint(0, 0), 0, FCPoint(0, 0), kDrawMirrorX));
}

TEST(FCImageSetTest, SixteenBitSetDrawnIntoFiveFiveFiveIsConvertedWithItsKey)
{
    SetBytes bytes;
    bytes.frames = {{2, 1, 0, 0, 2, 1, 1, 0}};
    bytes.pixels = Pixels16({0xFFFF, 0xF81F});
    bytes.key = 0xF81F; // magenta in 5-6-5
    SetPtr set = LoadFromBytes(bytes.Build());
    ASSERT_TRUE(set);
    BufferPtr target = Target(2, 1, FCFormat555);
    EXPECT_TRUE(set->DrawFrame(0, *target, FCPoint(0, 0), target->GetBounds(), 0));
    EXPECT_EQ(Row(*target, 0), (std::vector<std::uint16_t>{0x7FFF, B}));
    EXPECT_EQ(set->GetColourKey(), 0x7C1Fu);
    // Drawn again into the same format: no second conversion.
    BufferPtr again = Target(2, 1, FCFormat555);
    EXPECT_TRUE(set->DrawFrame(0, *again, FCPoint(0, 0), again->GetBounds(), 0));
    EXPECT_EQ(Row(*again, 0), (std::vector<std::uint16_t>{0x7FFF, B}));
}

TEST(FCImageSetTest, KeyStaysTransparentAcrossFormatChanges)
{
    // A green key: widening 5-5-5 back to 5-6-5 must give the key the same
    // low green bit as the pixels, or the key pixels would turn solid.
    SetBytes bytes;
    bytes.frames = {{2, 1, 0, 0, 2, 1, 1, 0}};
    bytes.pixels = Pixels16({0x07E0, 0x001F});
    bytes.key = 0x07E0;
    SetPtr set = LoadFromBytes(bytes.Build());
    ASSERT_TRUE(set);
    for (const FCPixelFormat& format : {FCFormat555, FCFormat565, FCFormat555})
    {
        BufferPtr target = Target(2, 1, format);
        EXPECT_TRUE(set->DrawFrame(0, *target, FCPoint(0, 0), target->GetBounds(), 0));
        EXPECT_EQ(Row(*target, 0)[0], B);
        EXPECT_EQ(Row(*target, 0)[1], 0x001F);
    }
}

TEST(FCImageSetTest, HitTesting)
{
    // Nominal 6 x 2, stored 3 x 2 at column 1; pixel (1, 0) of the stored
    // rectangle is the key.
    SetBytes keyed = ThreeByTwo(6, 1, 1);
    keyed.key = 0x0102;
    SetPtr set = LoadFromBytes(keyed.Build());
    SetPtr opaque = LoadFromBytes(ThreeByTwo(6, 1, 0).Build());
    ASSERT_TRUE(set);
    ASSERT_TRUE(opaque);
    const FCPoint at(10, 20);
    struct Case
    {
        const char* name;
        FCImageSet* set;
        FCPoint q;
        std::uint32_t flags;
        bool hit;
    };
    const Case cases[] = {
        {"inside the nominal frame, left of the stored pixels", set.get(), {10, 20}, 0, false},
        {"right edge of the stored rectangle is outside", set.get(), {14, 20}, 0, false},
        {"opaque frame, first pixel", opaque.get(), {11, 20}, 0, true},
        {"opaque frame, last pixel", opaque.get(), {13, 21}, 0, true},
        {"opaque frame, key value ignored", opaque.get(), {12, 20}, 0, true},
        {"key pixel", set.get(), {12, 20}, 0, false},
        {"solid pixel beside the key", set.get(), {11, 20}, 0, true},
        {"key pixel stays in the middle when mirrored",
         set.get(),
         {12, 20},
         kDrawMirrorX,
         false},
        {"mirrored top to bottom, key now on the second row",
         set.get(),
         {12, 21},
         kDrawMirrorY,
         false},
        {"mirrored top to bottom, first row solid", set.get(), {12, 20}, kDrawMirrorY, true},
        // Flipped, the stored pixels move to columns 2..4 of the nominal frame.
        {"flipped, old place is empty", set.get(), {11, 20}, kDrawMirrorFrameX, false},
        {"flipped, new place solid", set.get(), {14, 20}, kDrawMirrorFrameX, true},
        {"flipped, key in the middle", set.get(), {13, 20}, kDrawMirrorFrameX, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.set->HitTestFrame(c.q, 0, at, c.flags), c.hit);
    }
}

TEST(FCImageSetTest, FramesFromAnImage)
{
    BufferPtr image(FCImageBuffer::Create(4, 3, FCFormat565));
    for (std::int32_t y = 0; y < 3; ++y)
        for (std::int32_t x = 0; x < 4; ++x)
            image->SetPixel(x, y, static_cast<std::uint32_t>(0x100 * (y + 1) + x));
    FCImageSet16 set;
    set.SetColourKey(0x0202, false);
    ASSERT_TRUE(set.AddFrameFromImage(*image, FCRect(0, 0, 4, 3), FCRect(1, 1, 3, 3), true));
    ASSERT_TRUE(set.AddFrameFromImage(*image, FCRect(0, 0, 4, 1), FCRect(0, 0, 4, 1), true));
    EXPECT_FALSE(set.AddFrameFromImage(*image, FCRect(0, 0, 5, 3), FCRect(2, 0, 5, 3), true));
    EXPECT_FALSE(set.AddFrameFromImage(*image, FCRect(1, 1, 4, 3), FCRect(0, 0, 2, 2), true));
    ASSERT_EQ(set.GetFrameCount(), 2);
    EXPECT_EQ(*set.GetFrame(0), (FCImageFrame{4, 3, 1, 1, 2, 2, 1, 0}));
    EXPECT_EQ(*set.GetFrame(1), (FCImageFrame{4, 1, 0, 0, 4, 1, 0, 8}));
    EXPECT_EQ(set.GetPixelDataSize(), 16u);

    BufferPtr target = Target(4, 3);
    EXPECT_TRUE(set.DrawFrame(0, *target, FCPoint(0, 0), target->GetBounds(), 0));
    EXPECT_EQ(Row(*target, 1), (std::vector<std::uint16_t>{B, 0x201, B, B}));
    EXPECT_EQ(Row(*target, 2), (std::vector<std::uint16_t>{B, 0x301, 0x302, B}));

    // A frame with fewer bytes than its pixels is refused.
    const std::uint8_t two[2] = {1, 2};
    EXPECT_FALSE(set.AddFrame(2, 2, 0, 0, 2, 2, 0, two, 2));
    EXPECT_EQ(set.GetFrameCount(), 2);
}

TEST(FCImageSetTest, LoadingConvertsForTheScreenOnce)
{
    SetBytes bytes;
    bytes.frames = {{2, 1, 0, 0, 2, 1, 1, 0}};
    bytes.pixels = Pixels16({0x07E1, 0xF81F});
    bytes.key = 0xF81F;
    {
        // A 5-6-5 screen is the stored format: nothing changes.
        MemoryDisplayManager display(FCFormat565, 16, 16);
        SetPtr set = LoadFromBytes(bytes.Build());
        ASSERT_TRUE(set);
        EXPECT_EQ(set->GetFormat(), FCFormat565);
        EXPECT_EQ(set->GetColourKey(), 0xF81Fu);
        EXPECT_EQ(set->GetFramePixels(*set->GetFrame(0))[0], 0xE1);
    }
    {
        MemoryDisplayManager display(FCFormat555, 16, 16);
        SetPtr set = LoadFromBytes(bytes.Build());
        ASSERT_TRUE(set);
        EXPECT_EQ(set->GetFormat(), FCFormat555);
        EXPECT_EQ(set->GetColourKey(), 0x7C1Fu);
        // Green 63 loses its low bit: 0x07E1 becomes 0x03E1.
        const std::uint8_t* pixels = set->GetFramePixels(*set->GetFrame(0));
        EXPECT_EQ(pixels[0] | (pixels[1] << 8), 0x03E1);
        EXPECT_EQ(pixels[2] | (pixels[3] << 8), 0x7C1F);
        // Drawing into the screen's own format is a straight keyed copy.
        FCImageBuffer& screen = *FCDisplayManager::GetBackBuffer();
        screen.SetPixel(1, 0, 0x1234);
        EXPECT_TRUE(set->DrawFrame(0, screen, FCPoint(0, 0), screen.GetBounds(), 0));
        EXPECT_EQ(screen.GetPixel(0, 0, FCFormat555), 0x03E1u);
        EXPECT_EQ(screen.GetPixel(1, 0, FCFormat555), 0x1234u);
    }
}

TEST(FCImageSetTest, PalettisedSetTakesTheScreenFormatForItsPalette)
{
    MemoryDisplayManager display(FCFormat555, 16, 16);
    SetBytes bytes;
    bytes.encoding = 3;
    bytes.frames = {{1, 1, 0, 0, 1, 1, 0, 0}};
    bytes.pixels = {1};
    bytes.paletteFlag = 1;
    bytes.palette = PaletteBytes({0, 0x00FF00, 0x808080}, FCFormatRGB24);
    SetPtr set = LoadFromBytes(bytes.Build());
    ASSERT_TRUE(set);
    EXPECT_EQ(set->GetPalette()->format, FCFormat555);
    EXPECT_EQ(set->GetPalette()->entries[1], 0x03E0u);
    EXPECT_EQ(set->GetFramePixels(*set->GetFrame(0))[0], 1);
    // A printout wants the colours as the file holds them, not as the
    // screen can show them.
    ASSERT_NE(set->GetFilePalette(), nullptr);
    EXPECT_EQ(set->GetFilePalette()->format, FCFormatRGB24);
    EXPECT_EQ(set->GetFilePalette()->entries[1], 0x00FF00u);
    EXPECT_EQ(set->GetFilePalette()->entries[2], 0x808080u);
}
} // namespace

namespace
{
// A run settles the target once for many frames; each of its draws must be
// exactly a DrawFrame without flags: same pixels, same answer, whatever the
// set, the place and the clip.
TEST(FCImageSetTest, RunDrawsWhatDrawFrameDraws)
{
    SetBytes plain;
    // Frames 3 (glyph-sized, five wide) and 4 (ten wide) have rows of 8 to
    // 16 and over 16 bytes.
    plain.frames = {{5, 4, 1, 1, 3, 2, 0, 0},
                    {4, 3, 0, 0, 4, 3, 1, 12},
                    {2, 2, 0, 0, 0, 0, 0, 36},
                    {6, 3, 1, 0, 5, 3, 0, 36},
                    {10, 2, 0, 1, 10, 2, 0, 66}};
    plain.key = 0x0303;
    std::vector<std::uint16_t> values = {0x0101, 0x0102, 0x0103, 0x0201, 0x0202, 0x0203,
                                         0x0301, 0x0303, 0x0302, 0x0304, 0x0303, 0x0305,
                                         0x0306, 0x0303, 0x0307, 0x0308, 0x0309, 0x0303};
    for (std::uint16_t v = 0; v < 35; ++v)
        values.push_back(static_cast<std::uint16_t>(0x0400 + v));
    plain.pixels = Pixels16(values);
    SetBytes palettised;
    palettised.encoding = 3;
    palettised.frames = {{3, 2, 0, 1, 3, 1, 1, 0}};
    palettised.pixels = {1, 2, 1};
    palettised.key = 2;
    palettised.paletteFlag = 1;
    palettised.palette = PaletteBytes({0, 0x0000FF, 0xFF0000}, FCFormatRGB24);

    const FCRect clips[] = {FCRect(0, 0, 10, 8), FCRect(2, 1, 7, 5), FCRect(-10, -10, 100, 100),
                            FCRect(3, 3, 3, 3)};
    for (const SetBytes* bytes : {&plain, &palettised})
        for (const FCRect& clip : clips)
        {
            SCOPED_TRACE(testing::Message()
                         << "encoding " << bytes->encoding << " clip " << clip.left << ","
                         << clip.top << "," << clip.right << "," << clip.bottom);
            SetPtr set = LoadFromBytes(bytes->Build());
            ASSERT_TRUE(set);
            BufferPtr byRun = Target(10, 8);
            BufferPtr byFrame = Target(10, 8);
            FCImageSet::Run run(*set, *byRun, clip);
            // Compared after every draw: later frames would hide a misplaced one.
            for (std::int16_t f = 0; f < set->GetFrameCount(); ++f)
                for (std::int32_t y = -5; y <= 9; y += 2)
                    for (std::int32_t x = -6; x <= 12; x += 3)
                    {
                        SCOPED_TRACE(testing::Message() << "frame " << f << " at " << x << "," << y);
                        ASSERT_EQ(run.Draw(*set->GetFrame(f), FCPoint(x, y)),
                                  set->DrawFrame(f, *byFrame, FCPoint(x, y), clip, 0));
                        for (std::int32_t row = 0; row < 8; ++row)
                            ASSERT_EQ(Row(*byRun, row), Row(*byFrame, row)) << "row " << row;
                    }
        }
}

// Like DrawFrame, a run converts the set for a target of another format only
// once it actually draws there, and then draws the converted pixels.
TEST(FCImageSetTest, RunConvertsTheSetOnlyWhenItDraws)
{
    SetBytes bytes;
    bytes.frames = {{2, 1, 0, 0, 2, 1, 1, 0}};
    bytes.pixels = Pixels16({0xFFFF, 0xF81F});
    bytes.key = 0xF81F;
    SetPtr set = LoadFromBytes(bytes.Build());
    ASSERT_TRUE(set);
    BufferPtr target = Target(4, 1, FCFormat555);
    {
        FCImageSet::Run run(*set, *target, target->GetBounds());
        EXPECT_FALSE(run.Draw(*set->GetFrame(0), FCPoint(10, 0)));
        EXPECT_FALSE(run.Draw(*set->GetFrame(0), FCPoint(-2, 0)));
    }
    EXPECT_EQ(set->GetFormat(), FCFormat565) << "nothing drawn, nothing converted";
    {
        FCImageSet::Run run(*set, *target, target->GetBounds());
        EXPECT_TRUE(run.Draw(*set->GetFrame(0), FCPoint(1, 0)));
        EXPECT_TRUE(run.Draw(*set->GetFrame(0), FCPoint(3, 0)));
    }
    EXPECT_EQ(set->GetFormat(), FCFormat555);
    EXPECT_EQ(Row(*target, 0), (std::vector<std::uint16_t>{B, 0x7FFF, B, 0x7FFF}));

    BufferPtr eightBit(FCImageBuffer::Create(4, 1, FCFormat8));
    FCImageSet::Run refused(*set, *eightBit, eightBit->GetBounds());
    EXPECT_FALSE(refused.Draw(*set->GetFrame(0), FCPoint(0, 0))) << "only 16-bit targets";
}
} // namespace
