// The whole character sheet as the program makes it: the real canvas draws
// a PDF over the built forms, kept in the printouts folder (no printer is
// set up), and poppler's tools read it back.
#include "Fc/Core/FCWindows1252.h"
#include "Vel/App/VelSheetPrinter.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Rules/VelRulesWalk.h"
#include "Vel/Rules/VelSetupRules.h"
#include "support/PrintSandbox.h"
#include "support/QuietLog.h"
#include "support/SheetCaster.h"
#include "support/ToolRunner.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{
using Kind = FCPrintOutcome::Kind;

// A machine without fonts, or with only the given font file, while it
// lives: fontconfig's current set-up is an empty one.
class NoFonts
{
public:
    explicit NoFonts(const char* only = nullptr)
        : saved(FcConfigReference(nullptr)), empty(FcConfigCreate())
    {
        if (only)
            FcConfigAppFontAddFile(empty, reinterpret_cast<const FcChar8*>(only));
        FcConfigSetCurrent(empty);
    }
    ~NoFonts()
    {
        FcConfigSetCurrent(saved);
        FcConfigDestroy(saved);
        FcConfigDestroy(empty);
    }
    NoFonts(const NoFonts&) = delete;
    NoFonts& operator=(const NoFonts&) = delete;

private:
    FcConfig* saved;
    FcConfig* empty;
};

class SheetPdfTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(content.IsLoaded()); }

    // The kept PDF of the character's sheet, as a host path.
    std::string PrintToFile(VelCharacter& character)
    {
        VelSheetPrinter job;
        EXPECT_TRUE(job.Print(&character, "Stavelorn")) << job.DescribeOutcome();
        EXPECT_EQ(job.GetOutcome().kind, Kind::kSaved);
        EXPECT_TRUE(job.GetMissingForms().empty());
        return Windows1252ToUtf8(job.GetOutcome().path);
    }

    static std::string Run(const char* tool, std::vector<std::string> arguments)
    {
        const ToolResult result = RunTool(std::string("/usr/bin/") + tool, arguments);
        EXPECT_EQ(result.exitCode, 0) << tool << ": " << result.output;
        return result.output;
    }

    QuietLog quiet;
    BuiltContent content{STAVELORN_BINARY_DIR};
    PrintSandbox sandbox;
};

TEST_F(SheetPdfTest, TheCastersWholeSheetReadsBack)
{
    Owned<VelCharacter> caster = MakeSheetCaster("Caster");
    const std::string pdf = PrintToFile(*caster);

    const std::string info = Run("pdfinfo", {pdf});
    EXPECT_NE(info.find("Page size:       612 x 792 pts"), std::string::npos) << info;
    const std::size_t pages = info.find("Pages:");
    ASSERT_NE(pages, std::string::npos);
    EXPECT_GE(std::stoi(info.substr(pages + 6)), 8) << "front, second, spell and overflow pages";

    // The feats in name order down the front page.
    std::vector<std::string> feats;
    VelRulesWalk::Each<VelCharacterFeat>(caster->feats,
                                         [&](const VelCharacterFeat& feat)
                                         {
                                             feats.push_back(
                                                 VelSheetPrinter::ToSheetUpper(feat.GetName()));
                                             return false;
                                         });
    std::sort(feats.begin(), feats.end());
    ASSERT_GE(feats.size(), 10u);
    const std::string front = Run("pdftotext", {"-raw", "-f", "1", "-l", "1", pdf, "-"});
    std::size_t at = 0;
    for (const std::string& feat : feats)
    {
        const std::size_t found = front.find(Windows1252ToUtf8(feat), at);
        EXPECT_NE(found, std::string::npos) << feat;
        if (found != std::string::npos)
            at = found + feat.size();
    }

    // Every page has its form, and each form is stored once however many
    // pages use it: one object per form.
    std::istringstream images(Run("pdfimages", {"-list", pdf}));
    std::string row;
    std::set<std::string> objects;
    int rows = 0;
    for (int header = 0; header < 2 && std::getline(images, row); ++header)
    {
    }
    while (std::getline(images, row))
    {
        std::istringstream fields(row);
        std::vector<std::string> field{std::istream_iterator<std::string>(fields), {}};
        ASSERT_GE(field.size(), 11u) << row;
        EXPECT_EQ(field[3] + "x" + field[4], "1275x1650");
        objects.insert(field[10]);
        ++rows;
    }
    EXPECT_EQ(rows, std::stoi(info.substr(pages + 6)));
    EXPECT_EQ(objects.size(), 4u);
}

TEST_F(SheetPdfTest, ANameOfTheCodePageComesBackUpperCased)
{
    Owned<VelCharacter> hero(new VelCharacter());
    hero->name = "\xC9lodie \xBD-elf d\x92or"; // Élodie ½-elf d’or
    hero->raceId = 2;
    hero->AddClass(4);
    FinishCharacterSetup(hero.get(), true);
    const std::string pdf = PrintToFile(*hero);
    EXPECT_NE(pdf.find("\xC3\x89lodie"), std::string::npos) << "the file keeps the name: " << pdf;
    const std::string text = Run("pdftotext", {"-raw", "-f", "1", "-l", "1", pdf, "-"});
    EXPECT_NE(text.find("\xC3\x89LODIE \xC2\xBD-ELF D\xE2\x80\x99OR"), std::string::npos) << text;
}

TEST_F(SheetPdfTest, WithoutAFontNothingIsSavedAndTheUserIsToldWhy)
{
    Owned<VelCharacter> caster = MakeSheetCaster("Caster");
    // No font at all, and a font of one symbol (groff's euro sign): no letters.
    for (const char* only :
         {static_cast<const char*>(nullptr), "/usr/share/groff/current/font/devps/freeeuro.pfa"})
    {
        const NoFonts none(only);
        VelSheetPrinter job;
        EXPECT_FALSE(job.Print(caster.get(), "Stavelorn"));
        EXPECT_EQ(job.GetOutcome().kind, Kind::kFailed);
        EXPECT_NE(job.DescribeOutcome().find("cannot be drawn: no font could be loaded for "
                                             "\"Times New Roman\""),
                  std::string::npos)
            << job.DescribeOutcome();
        EXPECT_TRUE(sandbox.Printouts().empty());
    }
}
} // namespace
