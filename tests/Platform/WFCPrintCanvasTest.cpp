// The canvas against real PDF files, read back with poppler's tools.

#include "Platform/WFCPrintCanvas.h"
#include "Platform/WFCPrintFont.h"

#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCImageSet.h"
#include "Fc/Graphics/FCPalette.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Fc/Graphics/FCScreenFormat.h"
#include "support/AssetBytes.h"
#include "support/Owned.h"
#include "support/PrintSandbox.h"
#include "support/QuietLog.h"
#include "support/ResourceFixture.h"
#include "support/ToolRunner.h"

#include "ImageSetWriter.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <cmath>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <sys/resource.h>

namespace
{
// Device pixels of the 600 dpi page to PDF points.
constexpr double kPointsPerPixel = 72.0 / 600.0;
// A unit of the sheet's forms (1275 pixels across the page) in points.
constexpr double kDesignUnit = 612.0 / 1275.0;
constexpr const char* kFace = "Times New Roman";

std::string Poppler(const std::string& tool, const std::vector<std::string>& arguments)
{
    const ToolResult result = RunTool("/usr/bin/" + tool, arguments);
    EXPECT_EQ(result.exitCode, 0) << tool << ": " << result.output;
    return result.output;
}

// A one-frame 8-bit set: every pixel is index fill, and entry i of the
// palette is the grey i.
Owned<FCImageSet> GreySet(std::uint32_t width, std::uint32_t height, std::uint8_t fill)
{
    Owned<FCImageSet> set(CreateImageSet(FCImageSet::kEncoding8, 1));
    const std::vector<std::uint8_t> pixels(std::size_t{width} * height, fill);
    set->AddFrame(width, height, 0, 0, width, height, 0, pixels.data(),
                  static_cast<std::uint32_t>(pixels.size()));
    auto palette = std::make_unique<FCPalette>();
    for (std::uint32_t i = 0; i < 256; ++i)
        palette->entries[i] = i | i << 8 | i << 16;
    set->SetPalette(std::move(palette));
    return set;
}

std::vector<std::uint8_t> SetFileBytes(const FCImageSet& set)
{
    std::vector<std::uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(EncodeImageSet(set, bytes, error)) << error;
    return bytes;
}

// An asset index listing the image sets.
AssetIndexBytes Index(const std::vector<std::pair<std::uint16_t, std::string>>& sets)
{
    AssetIndexBytes index;
    index.U16(FCResourceManager::kTagImageSets);
    for (const auto& [id, file] : sets)
        index.ImageSet(id, file);
    index.U16(0).U16(0);
    return index;
}

struct Word
{
    std::string text;
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;
};

std::vector<Word> Words(const std::string& pdf)
{
    const std::string html = Poppler("pdftotext", {"-bbox", pdf, "-"});
    static const std::regex word(
        R"re(<word xMin="([-0-9.]+)" yMin="([-0-9.]+)" xMax="([-0-9.]+)" yMax="([-0-9.]+)">([^<]*)</word>)re");
    std::vector<Word> words;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), word); it != std::sregex_iterator();
         ++it)
    {
        const std::smatch& m = *it;
        words.push_back({m[5], std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4])});
    }
    return words;
}

// The rows of "pdfimages -list": page, width, height, colour and object.
struct ListedImage
{
    int page = 0;
    int width = 0;
    int height = 0;
    std::string colour;
    int object = 0;
};

std::vector<ListedImage> Images(const std::string& pdf)
{
    std::istringstream lines(Poppler("pdfimages", {"-list", pdf}));
    std::vector<ListedImage> images;
    std::string line;
    while (std::getline(lines, line))
    {
        std::istringstream fields(line);
        ListedImage image;
        std::string number, type, components, bits, encoding, interpolate, generation;
        if (!(fields >> image.page >> number >> type >> image.width >> image.height >>
              image.colour >> components >> bits >> encoding >> interpolate >> image.object))
            continue;
        images.push_back(image);
    }
    return images;
}

// A page rendered in greys at the given resolution: its pixels, row by row.
struct GreyPage
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
    std::uint8_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

GreyPage Render(const std::string& pdf, int dotsPerInch, const TempFolder& folder)
{
    const std::string stem = folder.Join("render");
    Poppler("pdftoppm", {"-gray", "-r", std::to_string(dotsPerInch), "-singlefile", pdf, stem});
    std::ifstream in(stem + ".pgm", std::ios::binary);
    std::string magic;
    GreyPage page;
    int maximum = 0;
    in >> magic >> page.width >> page.height >> maximum;
    in.get();
    page.pixels.resize(static_cast<std::size_t>(page.width) * page.height);
    in.read(reinterpret_cast<char*>(page.pixels.data()),
            static_cast<std::streamsize>(page.pixels.size()));
    EXPECT_EQ(magic, "P5");
    return page;
}

class WFCPrintCanvasTest : public ::testing::Test
{
protected:
    // Prints one document, one call of the function per page, and returns
    // the kept PDF's path.
    std::string Print(int pages, const std::function<void(FCPrintCanvas&, int)>& fill,
                      const std::string& name = "Sheet")
    {
        Owned<FCPrintCanvas> canvas = sandbox.CreateCanvas();
        canvas->SetFileName(name);
        EXPECT_TRUE(canvas->StartDocument("Stavelorn"));
        for (int page = 0; page < pages; ++page)
        {
            EXPECT_TRUE(canvas->StartPage());
            fill(*canvas, page);
            EXPECT_TRUE(canvas->PrintPage());
            EXPECT_TRUE(canvas->EndPage());
        }
        EXPECT_TRUE(canvas->EndDocument());
        EXPECT_EQ(canvas->GetOutcome().kind, FCPrintOutcome::Kind::kSaved);
        return canvas->GetOutcome().path;
    }

    QuietLog quiet;
    PrintSandbox sandbox;
};

TEST_F(WFCPrintCanvasTest, PagesAreWholeLetterPagesWithTheDocumentsTitle)
{
    const std::string pdf = Print(3, [](FCPrintCanvas& canvas, int page) {
        canvas.AddText("Page " + std::to_string(page + 1), FCPoint(600, 600), kFace, "", 12, nullptr);
    });
    const std::string info = Poppler("pdfinfo", {pdf});
    EXPECT_NE(info.find("Pages:           3\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Page size:       612 x 792 pts (letter)"), std::string::npos) << info;
    EXPECT_NE(info.find("Title:           Stavelorn\n"), std::string::npos) << info;
}

TEST_F(WFCPrintCanvasTest, TheSheetFaceIsLiberationSerifEmbeddedAsOutlines)
{
    const std::string pdf = Print(2, [](FCPrintCanvas& canvas, int page) {
        for (const int size : {6, 10, 14})
            canvas.AddText("Size " + std::to_string(size), FCPoint(400, 400 + 200 * size), kFace,
                           "", static_cast<std::uint16_t>(size + page), nullptr);
    });
    std::istringstream lines(Poppler("pdffonts", {pdf}));
    std::string line;
    int fonts = 0;
    while (std::getline(lines, line))
    {
        if (line.rfind("name", 0) == 0 || line.rfind("----", 0) == 0)
            continue;
        ++fonts;
        // name, type (one or two words), encoding, emb, sub, uni, object, generation
        std::istringstream fields(line);
        std::vector<std::string> words;
        for (std::string word; fields >> word;)
            words.push_back(word);
        ASSERT_GE(words.size(), 8u) << line;
        EXPECT_NE(words[0].find("+LiberationSerif"), std::string::npos) << line;
        EXPECT_EQ(line.find("Type 3"), std::string::npos) << line;
        EXPECT_EQ(words[words.size() - 5], "yes") << line;
    }
    EXPECT_GE(fonts, 1);
}

// Where a text was placed and how wide it was measured is where the
// document has it, at every size the sheet uses.
TEST_F(WFCPrintCanvasTest, TextsLieWhereTheyWerePlacedAndAsWideAsMeasured)
{
    struct Case
    {
        const char* text;
        FCPoint at;
        std::uint16_t points;
    };
    const Case cases[] = {
        {"ALDRIC", {328, 40}, 12},      {"14", {1728, 24}, 14},
        {"ALERTNESS", {1360, 2400}, 6}, {"WARHAMMER", {280, 5384}, 8},
        {"1st", {976, 412}, 10},        {"Bracket", {1880, 5256}, 72},
        {"AVATAR", {4000, 6400}, 10},
    };
    std::vector<FCPoint> measured;
    const std::string pdf = Print(1, [&](FCPrintCanvas& canvas, int) {
        for (const Case& c : cases)
        {
            FCPoint size;
            canvas.AddText(c.text, c.at, kFace, "", c.points, &size);
            EXPECT_EQ(size, canvas.MeasureText(c.text, kFace, "", c.points));
            measured.push_back(size);
        }
    });
    const std::vector<Word> words = Words(pdf);
    ASSERT_EQ(words.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i)
    {
        const Case& c = cases[i];
        SCOPED_TRACE(c.text);
        const auto word = std::find_if(words.begin(), words.end(),
                                       [&](const Word& w) { return w.text == c.text; });
        ASSERT_NE(word, words.end());
        EXPECT_NEAR(word->xMin, c.at.x * kPointsPerPixel, 3 * kDesignUnit);
        EXPECT_NEAR(word->yMin, c.at.y * kPointsPerPixel, 3 * kDesignUnit);
        EXPECT_NEAR(word->xMax - word->xMin, measured[i].x * kPointsPerPixel, 3 * kDesignUnit);
        EXPECT_NEAR(word->yMax - word->yMin, measured[i].y * kPointsPerPixel, 3 * kDesignUnit);
    }
}

TEST_F(WFCPrintCanvasTest, MeasuringFollowsThePointSizeWithoutKerning)
{
    Owned<FCPrintCanvas> canvas = sandbox.CreateCanvas();
    // The em is the point size at 600 dpi, rounded as MulDiv rounds.
    const std::pair<std::uint16_t, std::int32_t> ems[] = {{6, 50}, {8, 67}, {10, 83}, {12, 100}, {14, 117}, {72, 600}};
    for (const auto& [points, em] : ems)
        EXPECT_EQ(WFCPrintFont::EmPixels(points, 600), em) << points;
    // Liberation Serif kerns "AV" and "To"; the sheet's texts are set
    // letter by letter, as GDI sets them.
    for (const char* pair : {"AV", "To", "Wa"})
    {
        const std::string text(pair);
        const FCPoint whole = canvas->MeasureText(text, kFace, "", 72);
        const FCPoint first = canvas->MeasureText(text.substr(0, 1), kFace, "", 72);
        const FCPoint second = canvas->MeasureText(text.substr(1), kFace, "", 72);
        EXPECT_NEAR(whole.x, first.x + second.x, 1) << pair;
    }
    const FCPoint ten = canvas->MeasureText("Skill", kFace, "", 10);
    const FCPoint twenty = canvas->MeasureText("Skill", kFace, "", 20);
    EXPECT_NEAR(twenty.x, 2 * ten.x, 2);
    EXPECT_NEAR(twenty.y, 2 * ten.y, 2);
    // The height is there even for an empty text, as GDI reports it.
    EXPECT_EQ(canvas->MeasureText("", kFace, "", 10), FCPoint(0, ten.y));
}

// The sheet's face is served by its metric twin without a word; any other
// stand-in is worth a line in the log.
TEST(WFCPrintFontTest, AFaceServedByAnotherFamilyIsLogged)
{
    const std::pair<const char*, bool> cases[] = {
        {"Times New Roman", false}, {"Liberation Serif", false}, {"DejaVu Sans", false},
        {"No Such Face Anywhere", true}};
    for (const auto& [face, logged] : cases)
    {
        CapturedLog log;
        const auto font = WFCPrintFont::Create(face, "", 10, 600);
        ASSERT_NE(font, nullptr) << face;
        EXPECT_EQ(log.Count("is served by"), logged ? 1 : 0) << face << ": " << font->GetFamily();
        if (std::string(face) == "Times New Roman")
        {
            EXPECT_EQ(font->GetFamily(), "Liberation Serif");
        }
    }
}

// A face's own file is given to fontconfig once, however often it is asked
// for.
TEST(WFCPrintFontTest, AFontFileIsAddedOnce)
{
    QuietLog quiet;
    TempFolder folder;
    const std::string file = folder.Join("Own.ttf");
    std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", file);
    const auto added = [&] {
        int count = 0;
        if (const FcFontSet* fonts = FcConfigGetFonts(nullptr, FcSetApplication))
        {
            for (int i = 0; i < fonts->nfont; ++i)
            {
                FcChar8* path = nullptr;
                if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &path) == FcResultMatch)
                    count += file == reinterpret_cast<const char*>(path);
            }
        }
        return count;
    };
    for (const std::uint16_t points : {10, 10, 12})
        ASSERT_NE(WFCPrintFont::Create("DejaVu Sans", file, points, 600), nullptr);
    EXPECT_EQ(added(), 1);
}

TEST_F(WFCPrintCanvasTest, Windows1252TextReadsBackAsItsCharacters)
{
    const std::string pdf = Print(1, [](FCPrintCanvas& canvas, int) {
        canvas.AddText("Ren\xE9" "e \xBD \x92" "Tis", FCPoint(600, 600), kFace, "", 12, nullptr);
        // Newlines and other control bytes take no room and leave no trace.
        canvas.AddText("Two\nLines\t!", FCPoint(600, 1200), kFace, "", 12, nullptr);
        EXPECT_EQ(canvas.MeasureText("Two\nLines\t!", kFace, "", 12),
                  canvas.MeasureText("TwoLines!", kFace, "", 12));
    });
    const std::string text = Poppler("pdftotext", {"-raw", pdf, "-"});
    EXPECT_NE(text.find("Ren\u00e9e \u00bd \u2019Tis"), std::string::npos) << text;
    EXPECT_NE(text.find("TwoLines!"), std::string::npos) << text;
}

TEST_F(WFCPrintCanvasTest, EachFormIsOneImageOfTheDocument)
{
    ResourceSandbox resources;
    resources.WriteArt("Front.set", SetFileBytes(*GreySet(60, 80, 0x20)));
    resources.WriteArt("Spells.set", SetFileBytes(*GreySet(30, 40, 0xC0)));
    ASSERT_TRUE(resources.LoadIndex(Index({{9500, "Front.set"}, {9502, "Spells.set"}})));
    Owned<FCImageSet> loose = GreySet(20, 20, 0x60);
    const std::uint16_t forms[] = {9500, 9502, 9502, 9500, 9502};
    const std::string pdf = Print(5, [&](FCPrintCanvas& canvas, int page) {
        FCPoint size;
        canvas.AddImage(forms[page], 0, 0, 0, 1.0, 1.0, &size);
        EXPECT_EQ(size, FCPoint(5100, 6600));
        canvas.AddImage(loose.get(), 100, 100, 0.1, 0.1, nullptr);
        // A page changes its form as the sheet does: the set is dropped and
        // loaded again for the next page.
        resources.Manager().UnloadImageSet(resources.Manager().GetImageSet(forms[page]));
    });
    const std::vector<ListedImage> images = Images(pdf);
    ASSERT_EQ(images.size(), 10u);
    std::map<std::pair<int, int>, std::set<int>> objectsBySize;
    for (const ListedImage& image : images)
    {
        EXPECT_EQ(image.colour, "gray");
        objectsBySize[{image.width, image.height}].insert(image.object);
    }
    const std::map<std::pair<int, int>, std::set<int>>::size_type kinds = 3;
    ASSERT_EQ(objectsBySize.size(), kinds);
    for (const auto& [size, objects] : objectsBySize)
        EXPECT_EQ(objects.size(), 1u) << size.first << " x " << size.second;
}

TEST_F(WFCPrintCanvasTest, FormsPrintInTheirFilesOwnGreysUnderTheTexts)
{
    // Loaded while a 16-bit screen exists, the set's palette speaks the
    // screen's format, which has no 0x80 grey.
    Owned<FCImageBuffer> screen(FCImageBuffer::Create(8, 8, FCFormat565));
    SetScreenBuffer(screen.get());
    ResourceSandbox resources;
    resources.WriteArt("Form.set", SetFileBytes(*GreySet(51, 66, 0x80)));
    ASSERT_TRUE(resources.LoadIndex(Index({{9501, "Form.set"}})));
    FCImageSet* form = resources.Manager().GetImageSet(9501);
    ASSERT_NE(form, nullptr);
    ASSERT_NE(form->GetPalette()->entries[0x80], form->GetFilePalette()->entries[0x80]);
    const std::string pdf = Print(1, [&](FCPrintCanvas& canvas, int) {
        // The text comes first and the image later: images still go under.
        canvas.AddText("III", FCPoint(1200, 1200), kFace, "", 72, nullptr);
        canvas.AddImage(form, 0, 0, 1.0, 1.0, nullptr);
    });
    SetScreenBuffer(nullptr);
    const GreyPage page = Render(pdf, 20, sandbox.Folder());
    ASSERT_EQ(page.width, 170);
    EXPECT_NEAR(page.At(150, 200), 0x80, 1);
    // The middle stroke of the first "I", 72 points high from (2 in, 2 in).
    int dark = 0;
    for (int y = 45; y < 60; ++y)
        for (int x = 40; x < 60; ++x)
            dark += page.At(x, y) < 0x40;
    EXPECT_GT(dark, 10);
}

// What cannot be printed is left out; the page and the document go on.
TEST_F(WFCPrintCanvasTest, WhatCannotBePrintedIsLeftOut)
{
    ResourceSandbox resources;
    resources.WriteArt("Deep.set", ImageSetFileBytes({{8, 8, 0, 0, 8, 8}}));
    resources.WriteArt("Empty.set", SetFileBytes(*GreySet(0, 0, 0)));
    ASSERT_TRUE(resources.LoadIndex(Index({{9500, "Deep.set"}, {9501, "Empty.set"}})));
    Owned<FCImageSet> grey = GreySet(10, 10, 0);
    const std::string pdf = Print(1, [&](FCPrintCanvas& canvas, int) {
        FCPoint size;
        canvas.AddImage(9500, 0, 0, 0, 1.0, 1.0, nullptr); // 16 bits
        canvas.AddImage(9501, 0, 0, 0, 1.0, 1.0, nullptr); // no pixels
        canvas.AddImage(9599, 0, 0, 0, 0.5, 0.25, &size);  // not in the index
        EXPECT_EQ(size, FCPoint(2550, 1650));
        canvas.AddImage(grey.get(), 0, 0, 0.0, 1.0, nullptr); // nothing wide
        canvas.AddText("Still printed", FCPoint(600, 600), kFace, "", 12, nullptr);
        // No size, no room and no trace.
        EXPECT_EQ(canvas.MeasureText("Nothing", kFace, "", 0), FCPoint(0, 0));
        canvas.AddText("Nothing", FCPoint(600, 900), kFace, "", 0, nullptr);
        // A face file that is not there: the face is looked for by name.
        canvas.AddText("Found", FCPoint(600, 1200), kFace, "/nowhere/Face.ttf", 12, nullptr);
    });
    EXPECT_TRUE(Images(pdf).empty());
    std::vector<std::string> texts;
    for (const Word& word : Words(pdf))
        texts.push_back(word.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Still", "printed", "Found"}));
}

TEST_F(WFCPrintCanvasTest, AQueuedImageHoldsItsSetUntilThePageIsPrinted)
{
    Owned<FCPrintCanvas> canvas = sandbox.CreateCanvas();
    Owned<FCImageSet> set = GreySet(10, 10, 0x40);
    ASSERT_TRUE(canvas->StartDocument("Stavelorn"));
    ASSERT_TRUE(canvas->StartPage());
    canvas->AddImage(set.get(), 0, 0, 1.0, 1.0, nullptr);
    EXPECT_EQ(set->GetRefCount(), 2);
    ASSERT_TRUE(canvas->PrintPage());
    // Printed images stay cached for the document: the set with them.
    ASSERT_TRUE(canvas->EndPage());
    canvas->AddImage(set.get(), 0, 0, 1.0, 1.0, nullptr);
    canvas->AddText("Queued", FCPoint(100, 100), kFace, "", 10, nullptr);
    // Out of place: the document is abandoned, and the queue is empty.
    EXPECT_FALSE(canvas->PrintPage());
    ASSERT_TRUE(canvas->EndDocument() == false);
    EXPECT_EQ(set->GetRefCount(), 1);
}

TEST_F(WFCPrintCanvasTest, PrintingAPageEmptiesItsQueues)
{
    const std::string pdf = Print(1, [](FCPrintCanvas& canvas, int) {
        canvas.AddText("Once", FCPoint(600, 600), kFace, "", 12, nullptr);
        EXPECT_TRUE(canvas.PrintPage());
    });
    const std::vector<Word> words = Words(pdf);
    ASSERT_EQ(words.size(), 1u);
    EXPECT_EQ(words[0].text, "Once");
}

// A call out of order ends the document: the temporary file goes, nothing
// reaches the spooler and every later call is refused.
TEST_F(WFCPrintCanvasTest, EachFailingCallEndsTheDocument)
{
    using Step = std::function<bool(FCPrintCanvas&)>;
    const Step start = [](FCPrintCanvas& c) { return c.StartDocument("Stavelorn"); };
    const Step page = [](FCPrintCanvas& c) { return c.StartPage(); };
    const Step print = [](FCPrintCanvas& c) { return c.PrintPage(); };
    const Step end = [](FCPrintCanvas& c) { return c.EndPage(); };
    const Step finish = [](FCPrintCanvas& c) { return c.EndDocument(); };
    struct Case
    {
        const char* name;
        std::vector<Step> steps; // the last one fails
    };
    const Case cases[] = {
        {"page outside a document", {page}},
        {"print before the page", {start, print}},
        {"end before the page", {start, page, print, end, end}},
        {"finish inside a page", {start, page, finish}},
        {"finish without a document", {finish}},
        {"second document", {start, start}},
        {"page inside a page", {start, page, page}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Owned<FCPrintCanvas> canvas = sandbox.CreateCanvas();
        for (std::size_t i = 0; i + 1 < c.steps.size(); ++i)
            ASSERT_TRUE(c.steps[i](*canvas));
        canvas->AddText("Lost", FCPoint(10, 10), kFace, "", 10, nullptr);
        EXPECT_FALSE(c.steps.back()(*canvas));
        EXPECT_EQ(canvas->GetOutcome().kind, FCPrintOutcome::Kind::kFailed);
        EXPECT_FALSE(canvas->GetOutcome().reason.empty());
        EXPECT_TRUE(sandbox.Printouts().empty());
        for (const Step& later : {start, page, print, end, finish})
            EXPECT_FALSE(later(*canvas));
        EXPECT_EQ(canvas->GetOutcome().kind, FCPrintOutcome::Kind::kFailed);
    }
    EXPECT_EQ(sandbox.Spooler().askedForDefault, 0);
}

TEST_F(WFCPrintCanvasTest, APdfThatCannotBeWrittenFailsTheDocument)
{
    // Random greys do not compress: the image alone outgrows the limit.
    Owned<FCImageSet> noise = GreySet(400, 400, 0);
    std::mt19937 random(7);
    auto* pixels = const_cast<std::uint8_t*>(noise->GetFramePixels(*noise->GetFrame(0)));
    for (int i = 0; i < 400 * 400; ++i)
        pixels[i] = static_cast<std::uint8_t>(random());
    Owned<FCPrintCanvas> canvas = sandbox.CreateCanvas();
    ASSERT_TRUE(canvas->StartDocument("Stavelorn"));
    ASSERT_TRUE(canvas->StartPage());
    canvas->AddImage(noise.get(), 0, 0, 1.0, 1.0, nullptr);
    EXPECT_TRUE(canvas->PrintPage());

    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 64 * 1024;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool ended = canvas->EndPage() && canvas->EndDocument();
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(ended);
    EXPECT_EQ(canvas->GetOutcome().kind, FCPrintOutcome::Kind::kFailed);
    EXPECT_NE(canvas->GetOutcome().reason.find("cannot be written"), std::string::npos)
        << canvas->GetOutcome().reason;
    EXPECT_TRUE(sandbox.Printouts().empty());
    EXPECT_EQ(sandbox.Spooler().askedForDefault, 0);
}

TEST_F(WFCPrintCanvasTest, WithoutAPrintoutsFolderNoDocumentStarts)
{
    // A file where the program's data folder should be.
    sandbox.Folder().WriteFile("stavelorn", std::string("not a folder"));
    Owned<FCPrintCanvas> canvas = sandbox.CreateCanvas();
    EXPECT_FALSE(canvas->StartDocument("Stavelorn"));
    EXPECT_EQ(canvas->GetOutcome().kind, FCPrintOutcome::Kind::kFailed);
    EXPECT_NE(canvas->GetOutcome().reason.find("printouts folder"), std::string::npos)
        << canvas->GetOutcome().reason;
    EXPECT_FALSE(canvas->StartPage());
}

TEST_F(WFCPrintCanvasTest, ACanvasGivenUpMidDocumentLeavesNoFile)
{
    Owned<FCPrintCanvas> canvas = sandbox.CreateCanvas();
    ASSERT_TRUE(canvas->StartDocument("Stavelorn"));
    ASSERT_TRUE(canvas->StartPage());
    const std::string temp = static_cast<WFCPrintCanvas&>(*canvas).GetTempPath();
    EXPECT_EQ(sandbox.Printouts().size(), 1u);
    EXPECT_NE(temp.find("/stavelorn/Printouts/"), std::string::npos);
    canvas.reset();
    EXPECT_TRUE(sandbox.Printouts().empty());
}
} // namespace
