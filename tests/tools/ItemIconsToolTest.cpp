// The item icon composer: its table, its colouring, and whole runs of the
// tool over small drawings and a database written by the program's own
// record writers, read back through the program's JPEG loader.

#include "IconCompose.h"
#include "IconTable.h"

#include "Fc/Core/FCFile.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCPicture.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelGoodsInfo.h"
#include "Vel/Db/VelWeaponInfo.h"

#include "support/DbFixture.h"
#include "support/Owned.h"
#include "support/TempFolder.h"
#include "support/ToolRunner.h"

#include <gtest/gtest.h>

#include <png.h>

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace
{
using Rgba = std::array<std::uint8_t, 4>;
using Rgb = std::array<int, 3>;
using BufferPtr = Owned<FCImageBuffer>;

// The pictures are 32 x 32: four 16 x 16 quarters, so every JPEG block is one
// flat colour and the decoded middles come back nearly exact.
constexpr std::uint32_t kSize = 32;

constexpr Rgba kClear{0, 0, 0, 0};
constexpr Rgba kPlate{60, 40, 20, 255};
constexpr Rgba kMidGrey{128, 128, 128, 255};
constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kBlack{0, 0, 0, 255};
constexpr Rgba kGold{224, 184, 100, 255};
constexpr Rgb kRed{200, 60, 48};

// A picture whose pixel at (x, y) is colour(x, y).
void WritePng(const std::string& path, std::uint32_t size, const std::function<Rgba(int, int)>& colour)
{
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t y = 0; y < size; ++y)
        for (std::uint32_t x = 0; x < size; ++x)
        {
            const Rgba p = colour(static_cast<int>(x), static_cast<int>(y));
            bytes.insert(bytes.end(), p.begin(), p.end());
        }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = size;
    image.height = size;
    image.format = PNG_FORMAT_RGBA;
    ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, bytes.data(), 0, nullptr))
        << image.message;
}

// The drawings of the runs: the plate; a blade of mid grey on the left half
// whose lower quarter is its material; a mark in the lower right quarter.
void WriteDrawings(const TempFolder& folder)
{
    folder.MakeFolder("drawings");
    WritePng(folder.Join("drawings/plate.png"), kSize, [](int, int) { return kPlate; });
    WritePng(folder.Join("drawings/blade.png"), kSize, [](int x, int) { return x < 16 ? kMidGrey : kClear; });
    WritePng(folder.Join("drawings/blade.mask.png"), kSize,
             [](int x, int y) { return x < 16 && y >= 16 ? kWhite : kBlack; });
    WritePng(folder.Join("drawings/mark_one.png"), kSize,
             [](int x, int y) { return x >= 16 && y >= 16 ? kGold : kClear; });
}

constexpr const char* kTable = "plate plate\n"
                               "tint red c83c30\n"
                               "mark +1 mark_one\n"
                               "item_a.jpg blade red +1\n"
                               "item_b.jpg blade - -   # as drawn\n";

// A database file holding one item for each icon name given.
void WriteDatabase(const TempFolder& folder, const std::vector<std::string>& icons)
{
    DbFixture db;
    db.Section(VelDatabase::kTagItem);
    std::int16_t key = 1;
    for (const std::string& icon : icons)
    {
        if (key % 2)
        {
            VelWeaponInfo weapon;
            weapon.iconFile = icon;
            db.Add(key++, weapon);
        }
        else
        {
            VelGoodsInfo goods;
            goods.iconFile = icon;
            db.Add(key++, goods);
        }
    }
    db.EndSection();
    folder.WriteFile("EquipDB.bin", db.Finish());
}

ToolResult Compose(const TempFolder& folder, const std::string& output)
{
    return RunTool(ITEMICONS_TOOL, {"--table", folder.Join("icons.txt"), "--drawings", folder.Join("drawings"),
                                    "--out", folder.Join(output), folder.Join("EquipDB.bin")});
}

BufferPtr LoadIcon(const std::string& path)
{
    FCFile file;
    if (!file.Open(path.c_str(), FCFile::kAccessRead, FCFile::kOpenExisting, FCFile::kShareRead))
        return nullptr;
    return BufferPtr(LoadJPEG(file, false));
}

Rgb ColourAt(FCImageBuffer& picture, int x, int y)
{
    const auto p = static_cast<std::uint16_t>(picture.GetPixel(x, y, picture.GetFormat()));
    return {((p >> 10) & 31) << 3, ((p >> 5) & 31) << 3, (p & 31) << 3};
}

void ExpectNear(const Rgb& got, const Rgb& want)
{
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(got[c], want[c], 12) << "channel " << c;
}

Rgb Opaque(const Rgba& p) { return {p[0], p[1], p[2]}; }

class ItemIconsToolTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WriteDrawings(folder);
        folder.WriteFile("icons.txt", std::string(kTable));
        WriteDatabase(folder, {"item_a.jpg", "item_b.jpg", "item_a.jpg"});
    }

    TempFolder folder;
};

TEST_F(ItemIconsToolTest, IconsRoundTripThroughTheProgramsJpegReader)
{
    const ToolResult result = Compose(folder, "out");
    ASSERT_EQ(result.exitCode, 0) << result.output;

    struct Probe
    {
        const char* icon;
        int x;
        int y;
        Rgb colour;
    };
    // Plate where the drawing is clear; the blade as drawn above its
    // material; the material tinted only in the row that names a tint; the
    // mark only where a row names it.
    const Probe probes[] = {
        {"item_a.jpg", 24, 8, Opaque(kPlate)},  {"item_a.jpg", 8, 8, Opaque(kMidGrey)},
        {"item_a.jpg", 8, 24, kRed},            {"item_a.jpg", 24, 24, Opaque(kGold)},
        {"item_b.jpg", 24, 8, Opaque(kPlate)},  {"item_b.jpg", 8, 8, Opaque(kMidGrey)},
        {"item_b.jpg", 8, 24, Opaque(kMidGrey)}, {"item_b.jpg", 24, 24, Opaque(kPlate)},
    };
    for (const Probe& probe : probes)
    {
        SCOPED_TRACE(std::string(probe.icon) + " at " + std::to_string(probe.x) + "," + std::to_string(probe.y));
        BufferPtr icon = LoadIcon(folder.Join(std::string("out/") + probe.icon));
        ASSERT_TRUE(icon);
        EXPECT_EQ(icon->GetWidth(), static_cast<std::int32_t>(kSize));
        EXPECT_EQ(icon->GetHeight(), static_cast<std::int32_t>(kSize));
        ExpectNear(ColourAt(*icon, probe.x, probe.y), probe.colour);
    }
}

TEST_F(ItemIconsToolTest, TwoRunsWriteTheSameBytes)
{
    ASSERT_EQ(Compose(folder, "first").exitCode, 0);
    ASSERT_EQ(Compose(folder, "second").exitCode, 0);
    for (const char* icon : {"item_a.jpg", "item_b.jpg"})
    {
        SCOPED_TRACE(icon);
        const std::vector<std::uint8_t> first = folder.ReadFile(std::string("first/") + icon);
        EXPECT_FALSE(first.empty());
        EXPECT_EQ(first, folder.ReadFile(std::string("second/") + icon));
    }
    // Different rows make different icons, so sameness above is no accident.
    EXPECT_NE(folder.ReadFile("first/item_a.jpg"), folder.ReadFile("first/item_b.jpg"));
}

TEST_F(ItemIconsToolTest, RunsThatCannotMakeEveryIconWriteNothing)
{
    struct Case
    {
        const char* name;
        std::function<void(const TempFolder&)> spoil;
        const char* message;
    };
    const Case cases[] = {
        {"an item's icon without a row",
         [](const TempFolder& f) { WriteDatabase(f, {"item_a.jpg", "item_b.jpg", "item_new.jpg"}); },
         "no row for item_new.jpg"},
        {"a row no item names", [](const TempFolder& f) { WriteDatabase(f, {"item_a.jpg"}); },
         "icons.txt:5: no item names item_b.jpg"},
        {"a drawing that was never rendered",
         [](const TempFolder& f) { std::filesystem::remove(f.Join("drawings/blade.mask.png")); },
         "blade.mask.png: cannot open"},
        {"a drawing of another size",
         [](const TempFolder& f) { WritePng(f.Join("drawings/mark_one.png"), 16, [](int, int) { return kGold; }); },
         "16 x 16, not the plate's 32 x 32"},
        {"a broken table", [](const TempFolder& f) { f.WriteFile("icons.txt", std::string(kTable) + "item_c.jpg blade\n"); },
         "icons.txt:6: expected: ICON.jpg DRAWING TINT MARK"},
        {"two kinds of weapon from one drawing",
         [](const TempFolder& f) {
             f.WriteFile("icons.txt", std::string(kTable) + "item_c.jpg blade - +1\n");
             WriteDatabase(f, {"item_a.jpg", "item_b.jpg", "item_c.jpg"});
         },
         "icons.txt:6: item_c.jpg is drawn as blade, like item_a.jpg, another kind"},
        {"a database that is not one", [](const TempFolder& f) { f.WriteFile("EquipDB.bin", std::string("not a database")); },
         "not a readable database file"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TempFolder run;
        WriteDrawings(run);
        run.WriteFile("icons.txt", std::string(kTable));
        WriteDatabase(run, {"item_a.jpg", "item_b.jpg"});
        c.spoil(run);
        const ToolResult result = Compose(run, "out");
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.output.find(c.message), std::string::npos) << result.output;
        EXPECT_FALSE(std::filesystem::exists(run.Join("out/item_a.jpg")));
    }
}

TEST(ItemIconTableTest, ProblemsAreReportedWithTheirLine)
{
    struct Case
    {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"tint red c83c3\n", "t:1: expected: tint NAME RRGGBB"},
        {"tint red c83c30\ntint red 000000\n", "t:2: tint \"red\" given twice or reserved"},
        {"tint - 000000\n", "t:1: tint \"-\" given twice or reserved"},
        {"mark +1\n", "t:1: expected: mark NAME DRAWING"},
        {"plate plate\nplate other\n", "t:2: a second plate"},
        {"a.jpg blade - -\na.jpg blade - -\n", "t:2: a second row for a.jpg"},
        {"a.png blade - -\n", "t:1: expected: ICON.jpg DRAWING TINT MARK"},
        {"../a.jpg blade - -\n", "t:1: expected: ICON.jpg DRAWING TINT MARK"},
        {"a.jpg ../blade - -\n", "t:1: expected: ICON.jpg DRAWING TINT MARK"},
        {"a.jpg blade blue -\n", "t:1: unknown tint \"blue\""},
        {"a.jpg blade - +9\n", "t:1: unknown mark \"+9\""},
        {"a.jpg blade - -\n", "t: no plate line"},
        {"variant a.jpg\n", "t:1: expected: variant ICON.jpg KIND.jpg"},
        {"variant a.jpg a.jpg\n", "t:1: variant a.jpg given twice or of itself"},
        {"plate p\na.jpg blade - -\nvariant a.jpg b.jpg\n", "t: variant a.jpg of b.jpg names an icon without a row"},
        {"plate p\na.jpg x - -\nb.jpg x - -\nc.jpg x - -\nvariant a.jpg b.jpg\nvariant b.jpg c.jpg\n",
         "t: variant a.jpg of b.jpg, itself a variant"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        IconTable table;
        std::vector<std::string> errors;
        EXPECT_FALSE(ParseIconTable(c.text, "t", table, errors));
        bool found = false;
        for (const std::string& error : errors)
            found = found || error == c.error;
        EXPECT_TRUE(found) << (errors.empty() ? "no error" : errors.front());
    }
}

TEST(ItemIconTableTest, ATableReadsIntoItsRows)
{
    IconTable table;
    std::vector<std::string> errors;
    // Rows may come before the tints and marks they name.
    ASSERT_TRUE(ParseIconTable("# icons\n\nitem_a.jpg blade red +1  # tinted\nplate plate\n"
                               "tint red C83C30\nmark +1 mark_one\nitem_b.jpg blade - -\n",
                               "t", table, errors))
        << errors.front();
    EXPECT_EQ(table.plate, "plate");
    EXPECT_EQ(table.tints.at("red"), 0xC83C30u);
    EXPECT_EQ(table.marks.at("+1"), "mark_one");
    ASSERT_EQ(table.rows.size(), 2u);
    const IconRow* a = table.Find("item_a.jpg");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->drawing, "blade");
    EXPECT_EQ(a->tint, "red");
    EXPECT_EQ(a->mark, "+1");
    EXPECT_EQ(a->line, 3);
    const IconRow* b = table.Find("item_b.jpg");
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->tint.empty());
    EXPECT_TRUE(b->mark.empty());
    EXPECT_EQ(table.Find("item_c.jpg"), nullptr);

    EXPECT_TRUE(CheckIconNames(table, {"item_b.jpg", "item_a.jpg", "item_a.jpg"}, "t", errors));
    EXPECT_FALSE(CheckIconNames(table, {"item_a.jpg"}, "t", errors));
    EXPECT_FALSE(CheckIconNames(table, {"item_a.jpg", "item_b.jpg", "item_c.jpg"}, "t", errors));
}

TEST(ItemIconTableTest, KindsAndObjectsKeepTheirOwnPictures)
{
    using G = IconGroup;
    struct Case
    {
        const char* rows;
        std::vector<ItemIcon> items;
        // Empty: the table passes.
        const char* error;
    };
    const Case cases[] = {
        {"dagger.jpg blade - -\nkatar.jpg blade red -\n", {{"dagger.jpg", G::Arms}, {"katar.jpg", G::Arms}},
         "t:2: katar.jpg is drawn as blade, like dagger.jpg, another kind"},
        {"dagger.jpg blade - -\nsilver.jpg blade red +1\nvariant silver.jpg dagger.jpg\n",
         {{"dagger.jpg", G::Arms}, {"silver.jpg", G::Arms}}, ""},
        // Two variants of one kind are still one kind.
        {"dagger.jpg blade - -\nsilver.jpg blade red -\niron.jpg blade - +1\n"
         "variant silver.jpg dagger.jpg\nvariant iron.jpg dagger.jpg\n",
         {{"silver.jpg", G::Arms}, {"iron.jpg", G::Arms}}, ""},
        // Items sharing one icon are one object.
        {"meal.jpg food - -\n", {{"meal.jpg", G::Goods}, {"meal.jpg", G::Goods}}, ""},
        {"sack.jpg bag - -\nbedroll.jpg bag - -\n", {{"sack.jpg", G::Goods}, {"bedroll.jpg", G::Goods}},
         "t:2: bedroll.jpg has the picture of sack.jpg"},
        {"sack.jpg bag - -\npouch.jpg bag red -\n", {{"sack.jpg", G::Goods}, {"pouch.jpg", G::Goods}}, ""},
        // A goods item is checked against the weapons whatever the order.
        {"wood.jpg stick - -\nclub.jpg stick - -\n", {{"wood.jpg", G::Goods}, {"club.jpg", G::Arms}},
         "t:1: wood.jpg has the picture of club.jpg"},
        // Magic items are drawn as what they are made from.
        {"sword.jpg blade - -\nflame.jpg blade - -\nstaff.jpg rod - -\nwand.jpg rod - -\n",
         {{"sword.jpg", G::Arms}, {"flame.jpg", G::Other}, {"staff.jpg", G::Goods}, {"wand.jpg", G::Other}}, ""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.rows);
        IconTable table;
        std::vector<std::string> errors;
        ASSERT_TRUE(ParseIconTable(std::string(c.rows) + "plate p\ntint red c83c30\nmark +1 m\n", "t", table,
                                   errors));
        EXPECT_EQ(CheckIconSharing(table, c.items, "t", errors), *c.error == '\0');
        EXPECT_EQ(errors.empty() ? std::string() : errors.front(), c.error);
    }
}

TEST(ItemIconTintTest, MidGreyTakesTheTintAndShadeAndLightSurvive)
{
    struct Case
    {
        std::uint8_t luminance;
        std::uint8_t tint;
        std::uint8_t result;
    };
    const Case cases[] = {
        {0, 200, 0},     {64, 200, 100},  {128, 200, 200}, {128, 0, 0},
        {255, 200, 255}, {255, 0, 255},   {191, 100, 177}, {128, 255, 255},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.luminance) + " under " + std::to_string(c.tint));
        EXPECT_EQ(TintChannel(c.luminance, c.tint), c.result);
    }
    // Lighter greys never come out darker.
    for (int tint : {0, 90, 200, 255})
        for (int l = 1; l < 256; ++l)
            ASSERT_GE(TintChannel(static_cast<std::uint8_t>(l), static_cast<std::uint8_t>(tint)),
                      TintChannel(static_cast<std::uint8_t>(l - 1), static_cast<std::uint8_t>(tint)));
}

TEST(ItemIconTintTest, PartlyCoveredPixelsBlendTheirLayers)
{
    // One pixel: a half-clear plate over night, a drawing at half cover whose
    // mask is half material, and a clear mark that changes nothing.
    const RgbaPicture plate{1, 1, {200, 100, 0, 128}};
    const RgbaPicture drawing{1, 1, {128, 128, 128, 128}};
    const RgbaPicture mask{1, 1, {255, 255, 255, 128}};
    const RgbaPicture mark{1, 1, {255, 255, 255, 0}};
    IconLayers layers{&plate, &drawing, &mask, true, 0xFF0000, &mark};
    const std::vector<std::uint8_t> rgb = ComposeIcon(layers);
    ASSERT_EQ(rgb.size(), 3u);
    // Plate 100,50,0; tinted grey (255,0,0) half blended with grey gives
    // 192,64,64; that at half cover over the plate gives 146,57,32.
    EXPECT_EQ(rgb, (std::vector<std::uint8_t>{146, 57, 32}));
    layers.tinted = false;
    EXPECT_EQ(ComposeIcon(layers), (std::vector<std::uint8_t>{114, 89, 64}));
}
} // namespace
