#include "Vel/App/VelSheetPrinter.h"

#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterEquip.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterFeature.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Character/VelCharacterLanguage.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Character/VelCharacterSpell.h"
#include "Vel/Db/VelIds.h"
#include "support/FakePrintCanvas.h"
#include "support/QuietLog.h"
#include "support/SheetFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace
{
using F = SheetFixture;
using Item = VelCharacterItem;
using Kind = FCPrintOutcome::Kind;
using Page = FakePrintCanvas::Page;
constexpr std::uint32_t kPoint = 0;
constexpr std::uint32_t kLeft = VelSheetPrinter::BoxCenterV;
constexpr std::uint32_t kBox = VelSheetPrinter::BoxCenterH | VelSheetPrinter::BoxCenterV;
constexpr std::uint32_t kCentredH = VelSheetPrinter::BoxCenterH;
constexpr std::int32_t kScale = 4; // 1275 x 1650 forms on a 5100 x 6600 page
// A box's text keeps 0.75 design units (3 pixels) from its edges, and one
// set to the left 2 units (8 pixels) more from the left edge.
constexpr std::int32_t kInset = 3;
constexpr std::int32_t kLeftPad = 8;

// A text the sheet should print: at a design point, or in a box as its
// flags say, by its ink when centred (as line `line` of a wrapped text,
// which runs down from the top of its box).
struct At
{
    std::string text;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint16_t points = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t flags = kPoint;
    std::int32_t line = 0;
};

At Point(const std::string& text, std::int32_t x, std::int32_t y, std::uint16_t points)
{
    return {text, x, y, points};
}

At Box(const std::string& text, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
       std::uint16_t points, std::uint32_t flags = kBox)
{
    return {text, x, y, points, w, h, flags};
}

At Line(const std::string& text, std::int32_t line, std::int32_t x, std::int32_t y, std::int32_t w,
        std::int32_t h, std::uint16_t points)
{
    return {text, x, y, points, w, h, kPoint, line};
}

FCPoint Where(const FakePrintCanvas& canvas, const At& at)
{
    FCPoint point(at.x * kScale, at.y * kScale);
    if (at.width == 0)
        return point;
    const std::int32_t pad = (at.flags & VelSheetPrinter::BoxCenterH) ? 0 : kLeftPad;
    point.x += kInset + pad;
    const FCPoint inside(at.width * kScale - 2 * kInset - pad, at.height * kScale - 2 * kInset);
    const FCRect ink = canvas.Ink(at.text, at.points).ink;
    if (at.flags & VelSheetPrinter::BoxCenterH)
        point.x += static_cast<std::int32_t>(inside.x - ink.Width()) / 2 - ink.left;
    if (at.flags & VelSheetPrinter::BoxCenterV)
        point.y += kInset + static_cast<std::int32_t>(inside.y - ink.Height()) / 2 - ink.top;
    point.y += at.line * canvas.Measure(at.text, at.points).y;
    return point;
}

int Find(const FakePrintCanvas& canvas, const Page& page, const At& at, int from = 0)
{
    const FCPoint where = Where(canvas, at);
    for (int i = from; i < static_cast<int>(page.texts.size()); ++i)
    {
        const auto& text = page.texts[static_cast<std::size_t>(i)];
        if (text.text == at.text && text.at == where && text.pointSize == at.points)
            return i;
    }
    return -1;
}

void ExpectInOrder(const FakePrintCanvas& canvas, std::size_t page, const std::vector<At>& texts)
{
    ASSERT_LT(page, canvas.printed.size());
    int from = 0;
    for (const At& at : texts)
    {
        const int found = Find(canvas, canvas.printed[page], at, from);
        EXPECT_GE(found, 0) << '"' << at.text << "\" at " << at.x << ", " << at.y << " ("
                            << at.points << " pt) on page " << page;
        if (found >= 0)
            from = found + 1;
    }
}

// Texts whose top-left corner lies in the design rectangle.
std::vector<std::string> TextsIn(const Page& page, std::int32_t left, std::int32_t top,
                                 std::int32_t right, std::int32_t bottom)
{
    std::vector<std::string> out;
    for (const auto& text : page.texts)
        if (text.at.x >= left * kScale && text.at.x < right * kScale && text.at.y >= top * kScale &&
            text.at.y < bottom * kScale)
            out.push_back(text.text);
    return out;
}

std::size_t Count(const Page& page, const std::string& text)
{
    return static_cast<std::size_t>(std::count_if(page.texts.begin(), page.texts.end(),
                                                  [&](const auto& t) { return t.text == text; }));
}

class SheetTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(sheet.IsLoaded()); }

    // Prints with a job of the test's own; the canvas lives as long as it.
    const FakePrintCanvas& Print(VelCharacter& character, bool expected = true)
    {
        job = std::make_unique<VelSheetPrinter>();
        EXPECT_EQ(job->Print(&character, "Stavelorn"), expected);
        return *sheet.printer.canvases.back();
    }

    F sheet;
    QuietLog quiet;
    FCCountedRef<VelCharacter> hero = F::Hero();
    std::unique_ptr<VelSheetPrinter> job;
};

// --- The job and its primitives ---

TEST_F(SheetTest, APlainCharacterIsTwoPagesEachOverItsForm)
{
    const FakePrintCanvas& canvas = Print(*hero.Get());
    EXPECT_EQ(canvas.documentName, "Stavelorn");
    EXPECT_EQ(canvas.GetFileName(), std::optional<std::string>("Hero"));
    EXPECT_EQ(canvas.calls,
              (std::vector<std::string>{"StartDocument", "StartPage", "PrintPage", "EndPage",
                                        "StartPage", "PrintPage", "EndPage", "EndDocument"}));
    ASSERT_EQ(canvas.printed.size(), 2u);
    const std::uint16_t forms[] = {9500, 9501};
    for (std::size_t page = 0; page < 2; ++page)
    {
        ASSERT_EQ(canvas.printed[page].images.size(), 1u);
        const auto& form = canvas.printed[page].images[0];
        EXPECT_EQ(form.imageSetId, forms[page]);
        EXPECT_EQ(form.at, FCPoint(0, 0));
        EXPECT_EQ(form.printedSize, FCPoint(5100, 6600));
        EXPECT_EQ(form.frameSize, FCPoint(1275, 1650));
        for (const auto& text : canvas.printed[page].texts)
        {
            EXPECT_EQ(text.fontName, "Times New Roman");
            EXPECT_EQ(text.fontFile, "");
        }
    }
    // Scale 4: the name's design point (82, 10) is (328, 40) on the page.
    ASSERT_FALSE(canvas.printed[0].texts.empty());
    EXPECT_EQ(canvas.printed[0].texts[0].text, "HERO");
    EXPECT_EQ(canvas.printed[0].texts[0].at, FCPoint(328, 40));
    EXPECT_EQ(job->GetOutcome().kind, Kind::kSent);
    EXPECT_EQ(job->DescribeOutcome(), "The character sheet went to the printer Office as job 7.");
}

TEST_F(SheetTest, BoxesCentreTheirTextAndWrappedTextKeepsToItsBox)
{
    VelSheetPrinter printer;
    ASSERT_TRUE(printer.EnsureCanvas());
    FakePrintCanvas& canvas = *sheet.printer.canvases.back();
    printer.SetBackground(9500, 0);
    ASSERT_TRUE(printer.SetupPageScale());
    // 20 pixels in a box 38 units (152 pixels) wide, 3 pixels inside its
    // lines, move right by 3 + 63; the 12-point line (111 pixels) is taller
    // than the box's 74 inner pixels, but its ink (70, from 19 below the
    // text's top) fits, centred: 200 + 3 + 2 - 19.
    canvas.widths["AB"] = 20;
    printer.AddTextBox("AB", 100, 50, 38, 20, kBox);
    // At 12 points the words take three lines, whose ink runs below the box;
    // at 9 points two lines fit. They run from the top of the box, in from
    // its left line, not centred, without the blank at the end of the first.
    printer.AddTextBox("ONE TWO THREE FOUR", 10, 20, 130, 60, kBox | VelSheetPrinter::BoxWrap);
    const auto& texts = canvas.pending.texts;
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].at, FCPoint(400 + 66, 186));
    EXPECT_EQ(texts[0].pointSize, 12);
    const At lines[] = {Line("ONE TWO", 0, 10, 20, 130, 60, 9),
                        Line("THREE FOUR", 1, 10, 20, 130, 60, 9)};
    for (std::size_t k = 0; k < std::size(lines); ++k)
    {
        EXPECT_EQ(texts[k + 1].text, lines[k].text);
        EXPECT_EQ(texts[k + 1].at, Where(canvas, lines[k]));
        EXPECT_EQ(texts[k + 1].pointSize, 9);
    }
    EXPECT_EQ(texts[2].at.y - texts[1].at.y, 83);
}

TEST_F(SheetTest, WithoutPrinterOrCanvasNothingIsPrintedAndTheUserIsTold)
{
    sheet.printer.makesCanvases = false;
    VelSheetPrinter refused;
    EXPECT_FALSE(refused.Print(hero.Get(), "Stavelorn"));
    EXPECT_EQ(refused.GetOutcome().kind, Kind::kFailed);
    EXPECT_EQ(refused.DescribeOutcome(),
              "The character sheet could not be printed. The printer could not start a document.");
    {
        // A printer that went away leaves no printer at all.
        FakePrinter gone;
    }
    ASSERT_EQ(FCPrinter::GetInstance(), nullptr);
    VelSheetPrinter orphan;
    EXPECT_FALSE(orphan.Print(hero.Get(), "Stavelorn"));
    EXPECT_EQ(orphan.DescribeOutcome(),
              "The character sheet could not be printed. No printer is available.");
    EXPECT_TRUE(sheet.printer.canvases.empty());
}

TEST_F(SheetTest, EachFailingPrinterCallEndsTheDocumentThere)
{
    // Spell pages and an overflow page, so that every kind of page fails.
    hero->AddClass(VelIds::kClassMinstrel)->spellsPerDay[0] = 2;
    for (int i = 0; i < 30; ++i)
        F::Own(*hero.Get(), static_cast<std::uint16_t>(F::kFirstGoods + i));
    const std::size_t calls = Print(*hero.Get()).calls.size();
    ASSERT_EQ(calls, 2u + 4u * 3u);
    for (const bool silently : {false, true})
        for (std::size_t failAt = 1; failAt <= calls; ++failAt)
        {
            SCOPED_TRACE(testing::Message() << "call " << failAt << (silently ? " (silent)" : ""));
            sheet.printer.canvasFailAt = failAt;
            sheet.printer.canvasFailsSilently = silently;
            const FakePrintCanvas& canvas = Print(*hero.Get(), false);
            EXPECT_EQ(canvas.calls.size(), failAt);
            EXPECT_EQ(job->GetOutcome().kind, Kind::kFailed);
            EXPECT_FALSE(job->GetOutcome().reason.empty());
            EXPECT_EQ(job->DescribeOutcome().rfind("The character sheet could not be printed. ", 0),
                      0u);
        }
}

TEST_F(SheetTest, ADocumentWithoutAnOutcomeCountsAsFailed)
{
    sheet.printer.canvasFinished = FCPrintOutcome();
    Print(*hero.Get(), false);
    EXPECT_EQ(job->DescribeOutcome(), "The character sheet could not be printed. The printer did "
                                      "not say where the document went.");
}

TEST_F(SheetTest, OutcomesInWords)
{
    struct Case
    {
        FCPrintOutcome outcome;
        bool forms;
        const char* words;
    };
    const Case cases[] = {
        {{Kind::kSent, "Front Desk", 12, {}, {}},
         true,
         "The character sheet went to the printer Front Desk as job 12."},
        {{Kind::kSaved, {}, 0, "/home/u/Printouts/H\xE9ro.pdf", "No printer is set up"},
         true,
         "The character sheet was saved as /home/u/Printouts/H\xE9ro.pdf instead of printed. No "
         "printer is set up."},
        {{Kind::kSaved, {}, 0, "/tmp/Hero.pdf", {}},
         false,
         "The character sheet was saved as /tmp/Hero.pdf. Some page forms were missing, so those "
         "pages carry only "
         "the values."},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.words);
        F damaged(F::Parts{c.forms, true});
        damaged.printer.canvasFinished = c.outcome;
        VelSheetPrinter printer;
        EXPECT_TRUE(printer.Print(hero.Get(), "Stavelorn"));
        EXPECT_EQ(printer.DescribeOutcome(), c.words);
    }
}

TEST_F(SheetTest, SheetUpperCaseCoversTheCodePagesLetters)
{
    const std::pair<std::string, std::string> cases[] = {
        {"hero", "HERO"},
        {"\xE9l\xE8ve \xBD\x92s", "\xC9L\xC8VE \xBD\x92S"}, // é, è, ½ and ’
        {"stra\xDF"
         "e",
         "STRA\xDF"
         "E"},                                    // ß has no capital
        {"\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F"}, // š œ ž ÿ
        {"\xF7\xB5", "\xF7\xB5"},                 // ÷ and µ stay
    };
    for (const auto& [text, upper] : cases)
        EXPECT_EQ(VelSheetPrinter::ToSheetUpper(text), upper) << text;
}

// --- What each page says, and where ---

struct SequenceCase
{
    const char* name;
    std::function<void(VelCharacter&)> build;
    std::size_t pages;
    std::size_t page;
    std::vector<At> expected;
};

TEST_F(SheetTest, PagesPrintTheirValuesInOrderAtTheirPlaces)
{
    const auto spells = [](VelCharacterClass* entry, std::initializer_list<std::int16_t> perDay)
    {
        std::size_t level = 0;
        for (const std::int16_t value : perDay)
            entry->spellsPerDay[level++] = value;
    };
    const SequenceCase cases[] = {
        {"one class without spells",
         [](VelCharacter&) {},
         2,
         0,
         {Point("HERO", 82, 10, 12), Box("12", 432, 6, 48, 38, 14), Box("16", 92, 141, 38, 45, 14),
          Box("8", 92, 436, 38, 45, 14), Box("+3", 181, 141, 38, 45, 12),
          Box("+0", 181, 318, 38, 45, 12), Box("-1", 181, 436, 38, 45, 12),
          Point("WARRIOR", 382, 124, 12), Point("HUMAN", 382, 166, 12),
          Point("TRUE NEUTRAL", 382, 208, 10), Box("1", 386, 331, 50, 19, 10),
          Box("1", 478, 334, 26, 34, 10), Box("15", 678, 134, 39, 46, 14),
          Box("4", 678, 266, 39, 46, 14), Box("3", 678, 210, 39, 46, 14),
          Box("1", 678, 322, 39, 46, 14), Box("1", 678, 394, 39, 46, 14),
          Box("1", 883, 399, 29, 37, 10), Box("0", 980, 399, 29, 37, 10)}},
        {"two classes with a former one",
         [](VelCharacter& c)
         {
             VelCharacterClass* former = c.AddClass(VelIds::kClassMinstrel);
             former->level = 3;
             former->formerMember = 1;
         },
         2,
         0,
         {Point("MULTICLASS", 382, 124, 12), Box("1", 386, 331, 50, 19, 10),
          Box("3(X)", 386, 268, 50, 19, 9), Box("4", 478, 334, 26, 34, 10)}},
        {"feats sort by name, 24 apart",
         [](VelCharacter& c)
         {
             for (const std::uint16_t feat : {F::kToughness, F::kAlertness, F::kDodge})
                 F::AddFeat(c, feat);
         },
         2,
         0,
         {Point("ALERTNESS", 340, 600, 6), Point("DODGE", 340, 624, 6),
          Point("TOUGHNESS", 340, 648, 6)}},
        {"a character of the first file version",
         [](VelCharacter& c) { c.startingMoney = 0; },
         2,
         0,
         {Box("v 1.0", 456, 1199, 86, 12, 6)}},
        {"description, load and money",
         [](VelCharacter& c)
         {
             c.values[VelCharacter::kValueAge] = 23;
             c.values[VelCharacter::kValueWeight] = 180;
             c.sex = 1;
             c.notes[0] = "owes\nthe smith";
             c.money = VelCoins(5, 0, 0);
             c.values[VelCharacter::kValueLoad] = 1;
             c.values[VelCharacter::kValueMaxDexBonus] = 3;
             c.values[VelCharacter::kValueLoadCheckPenalty] = static_cast<std::uint32_t>(-3);
         },
         2,
         1,
         {Box("23", 368, 856, 69, 46, 16), Box("180", 368, 912, 69, 46, 16),
          Box("5", 368, 968, 37, 46, 16),
          // 14 points are too wide for the inches box.
          Box("10", 410, 968, 26, 34, 11), Box("F", 522, 856, 36, 45, 16),
          Box("M", 522, 912, 36, 45, 16), Point("OWESTHE SMITH", 707, 900, 6),
          Box("0", 637, 1220, 98, 20, 10), Box("5", 637, 1296, 98, 20, 10),
          Box("MEDIUM", 13, 1383, 59, 33, 6), Box("+3", 74, 1383, 53, 33, 10),
          Box("-3", 129, 1383, 53, 33, 10), Box("30 ft", 183, 1383, 52, 33, 9),
          Box("x4", 239, 1383, 51, 33, 10)}},
        {"a shield in the second place only",
         [](VelCharacter& c)
         {
             Item* buckler = F::Own(c, F::kBuckler, Item::kSecondShield);
             c.secondShield = buckler;
         },
         2,
         1,
         {Box("BUCKLER", 12, 1216, 178, 33, 6, kLeft), Box("+1", 191, 1216, 53, 33, 10),
          Box("-", 246, 1216, 53, 33, 10), Box("-1", 301, 1216, 53, 33, 10),
          Box("5%", 356, 1216, 53, 33, 10), Box("-", 411, 1216, 53, 33, 10)}},
        {"masterwork armour",
         [](VelCharacter& c)
         {
             Item* mail = F::Own(c, F::kMail);
             mail->options = Item::kMasterwork;
             c.WearItem(mail);
         },
         2,
         1,
         {Box("CHAIN MAIL MW", 12, 1142, 178, 33, 6, kLeft), Box("+5", 191, 1142, 53, 33, 10),
          Box("+2", 246, 1142, 53, 33, 10), Box("-4", 301, 1142, 53, 33, 10),
          Box("30%", 356, 1142, 53, 33, 10), Box("20 ft", 411, 1142, 53, 33, 9)}},
        {"traits in table order, proficiencies before class features, languages",
         [](VelCharacter& c)
         {
             c.proficiencies = {1, 0, 0, 0, 0, 1};
             auto* rage = new VelCharacterFeature();
             rage->featureId = F::kRage;
             rage->value = 2;
             rage->source = VelIds::kClassWarrior;
             c.features.Append(rage);
             auto* secret = new VelCharacterFeature();
             secret->featureId = F::kSecret;
             secret->source = VelIds::kClassWarrior;
             c.features.Append(secret);
             rage->Release();
             secret->Release();
             for (const std::uint16_t id : {F::kElvish, F::kCommon, std::uint16_t{77}})
             {
                 auto* language = new VelCharacterLanguage(id);
                 c.AddLanguage(language);
                 language->Release();
             }
             F::AddSkill(c, VelIds::kSkillSpeakLanguage, F::kElvish, 1.0f);
         },
         2,
         1,
         {Point("QUICK LEARNER", 11, 106, 8), Point("ADAPTABLE", 11, 130, 8),
          Point("SIMPLE WEAPONS", 302, 106, 8), Point("SHIELDS", 302, 130, 8),
          Point("RAGE 2/DAY", 302, 154, 8), Point("COMMON", 11, 588, 8),
          Point("ELVISH", 11, 612, 8)}},
        {"animals: hit dice, attacks at eight points, one a line; three at most",
         [](VelCharacter& c)
         {
             F::AddAnimal(c, F::kWolf, 3, VelCharacterAnimal::kCompanion, "Fang");
             F::AddAnimal(c, F::kHorse, 6, VelCharacterAnimal::kCompanion, "Dusty");
             F::AddAnimal(c, F::kHorse, 7, VelCharacterAnimal::kCompanion, "Blaze");
             F::AddAnimal(c, F::kHorse, 8, VelCharacterAnimal::kCompanion, "Fourth");
         },
         2,
         1,
         // Name and kind: 16 apart, centred across; attacks from the top.
         {Box("FANG", 354, 1382, 288, 33, 8, kCentredH),
          Box("WOLF", 354, 1398, 288, 17, 8, kCentredH), Box("2.50", 645, 1382, 39, 33, 8),
          Box("14", 686, 1382, 40, 33, 8), Box("16", 728, 1382, 40, 33, 8),
          Line("Bite: 1d6", 0, 899, 1382, 128, 33, 8), Box("40", 1028, 1382, 51, 33, 8),
          Box("DUSTY", 354, 1419, 288, 33, 8, kCentredH), Box("3", 645, 1419, 39, 33, 8),
          // Two lines fit the box at 7 points.
          Line("Hooves -3", 0, 770, 1419, 128, 33, 7), Line("Bite -3", 1, 770, 1419, 128, 33, 7),
          Line("Hooves: 1d6", 0, 899, 1419, 128, 33, 7), Line("Bite: 1d4", 1, 899, 1419, 128, 33, 7),
          Box("BLAZE", 354, 1456, 288, 33, 8, kCentredH)}},
        {"a scholar with a specialty school",
         [&spells](VelCharacter& c)
         {
             VelCharacterClass* scholar = c.AddClass(VelIds::kClassScholarCaster);
             spells(scholar, {3, 2});
             c.schoolSlots = {F::kWards, 1, F::kCharms, VelCharacter::kNone, VelCharacter::kNone};
         },
         3,
         2,
         {Point("SCHOLAR", 250, 28, 12), Box("3+1", 15, 117, 37, 46, 8),
          Box("2+1", 15, 176, 37, 46, 8), Point("SPECIALTY", 244, 103, 10),
          Point("Wards", 244, 128, 8), Point("PROHIBITED", 244, 178, 10),
          Point("Charms", 244, 203, 8), Point("0th LEVEL SPELLS", 244, 253, 10),
          Point("SPELL 00", 244, 280, 8), Point("1st LEVEL SPELLS", 244, 478, 10)}},
        {"a priest with two domains",
         [&spells](VelCharacter& c)
         {
             spells(c.AddClass(VelIds::kClassPriest), {1, 1, 1, 1});
             c.domainIds = {F::kFire, F::kSun};
         },
         4,
         2,
         // The domain's spell starts at level 1.
         {Point("PRIEST", 250, 28, 12), Box("1", 15, 117, 37, 46, 10),
          Box("1+1", 15, 176, 37, 46, 8), Point("DOMAIN: FIRE", 244, 103, 10),
          Point("TURN WATER CREATURES", 244, 128, 8), Point("SPELL 00 (0)", 244, 155, 8),
          Box("-", 164, 153, 24, 20, 8), Point("SPELL 10 (0)", 244, 180, 8),
          Point("SPELL 63 (3)", 244, 830, 8), Point("DOMAIN: SUN", 244, 878, 10),
          Point("GREATER TURNING", 244, 903, 8), Point("SPELL 13 (3)", 244, 930, 8),
          Point("0th LEVEL SPELLS", 244, 978, 10)}},
        {"marks beside chosen spells, and the detail columns",
         [&spells](VelCharacter& c)
         {
             spells(c.AddClass(VelIds::kClassInnateCaster), {1});
             auto* chosen = new VelCharacterSpell(F::kFirstSpell + 10, VelIds::kClassInnateCaster);
             c.AddSpell(chosen);
             chosen->Release();
         },
         3,
         2,
         {Point("0th LEVEL SPELLS", 244, 103, 10), Point("SPELL 00", 244, 130, 8),
          Box("-", 190, 128, 25, 20, 8), Point("1 action", 482, 131, 6),
          Point("Touch", 565, 131, 6), Point("Concentration", 802, 131, 6),
          Point("Will half", 985, 131, 6), Point("SPELL 10", 244, 155, 8),
          Box("X", 164, 153, 24, 20, 8), Box("-", 190, 153, 25, 20, 8)}},
        {"free-row skills: names, the sub-skill beside them, a sub-skill never on a printed row",
         [](VelCharacter& c)
         {
             F::AddSkill(c, F::kClimb, VelCharacterSkill::kNoSubSkill, 3.5f);
             F::AddSkill(c, F::kCraft, 1, 4.0f);
             F::AddSkill(c, F::kPerform, 1, 2.0f);
             F::AddSkill(c, F::kHidden, VelCharacterSkill::kNoSubSkill, 1.0f);
         },
         2,
         0,
         {Box("3.5", 906, 837, 50, 18, 10), Box("CRAFT", 590, 1446, 102, 18, 8, kLeft),
          Box("BOWS", 697, 1446, 127, 18, 8, kLeft), Box("4", 906, 1446, 50, 18, 10),
          Box("PERFORM", 590, 1467, 102, 18, 8, kLeft),
          Box("DRUMS", 697, 1467, 127, 18, 8, kLeft)}},
    };
    for (const SequenceCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        FCCountedRef<VelCharacter> character = F::Hero();
        c.build(*character.Get());
        const FakePrintCanvas& canvas = Print(*character.Get());
        EXPECT_EQ(canvas.printed.size(), c.pages);
        ExpectInOrder(canvas, c.page, c.expected);
    }
}
TEST_F(SheetTest, OneAttackLinePerFivePointsOfBaseAttack)
{
    struct Case
    {
        std::int32_t base;
        std::vector<std::int32_t> attacks;
    };
    // The form has four lines: a base attack no rule gives stops there.
    const Case cases[] = {{0, {0}}, {11, {11, 6, 1}}, {16, {16, 11, 6, 1}}, {40, {40, 35, 30, 25}}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.base);
        hero->stats[VelEntity::kBaseAttack] = c.base;
        const FakePrintCanvas& canvas = Print(*hero.Get());
        // STR +3 to melee, DEX +1 to ranged attacks.
        for (const auto& [top, bonus] : {std::pair{708, 3}, std::pair{1081, 1}})
        {
            std::vector<At> lines;
            for (std::size_t k = 0; k < c.attacks.size(); ++k)
            {
                const std::int32_t y = top - 117 + 56 * static_cast<std::int32_t>(k);
                lines.push_back(Box(std::to_string(c.attacks[k]), 198, y + 5, 29, 37, 10));
                lines.push_back(Box(std::to_string(c.attacks[k] + bonus), 276, y, 38, 48, 14));
            }
            ExpectInOrder(canvas, 0, lines);
            EXPECT_EQ(TextsIn(canvas.printed[0], 198, top - 117, 228, top + 256).size(),
                      c.attacks.size());
        }
    }
}

TEST_F(SheetTest, ListsGoOnOverOverflowPages)
{
    struct Case
    {
        const char* name;
        std::function<void(VelCharacter&)> build;
        std::size_t pages;
        std::vector<std::pair<std::size_t, std::vector<At>>> expected;
    };
    const auto lore = [](int count)
    {
        return [count](VelCharacter& c)
        {
            for (int i = 0; i < count; ++i)
                F::AddSkill(c, static_cast<std::uint16_t>(F::kFirstLore + i),
                            VelCharacterSkill::kNoSubSkill, 1.0f);
        };
    };
    const auto goods = [](int count)
    {
        return [count](VelCharacter& c)
        {
            // Three of them on the character, listed first.
            for (int i = count - 1; i >= 0; --i)
                F::Own(c, static_cast<std::uint16_t>(F::kFirstGoods + i),
                       i % 10 == 5 ? Item::kCarried : Item::kNotOnBody);
            c.carriedWeight = 7.5f;
        };
    };
    const auto loreAt = [](char letter, std::int32_t y)
    { return Box(std::string("LORE ") + letter, 590, y, 102, 18, 8, kLeft); };
    const auto goodsAt = [](int n, std::int32_t y)
    { return Point(F::Numbered("GOODS", n), 622, y + 2, 8); };
    const Case cases[] = {
        {"four free-row skills",
         lore(4),
         3,
         {{0, {loreAt('A', 1446), loreAt('B', 1467), loreAt('C', 1488)}}, {2, {loreAt('D', 102)}}}},
        {"twenty-five free-row skills",
         lore(25),
         4,
         {{0, {loreAt('C', 1488)}},
          {2, {loreAt('D', 102), loreAt('W', 501)}},
          {3, {loreAt('X', 102), loreAt('Y', 123)}}}},
        {"forty goods",
         goods(40),
         3,
         {{1,
           {Box("X", 596, 103, 23, 20, 8), goodsAt(5, 103), Box("2.5", 1002, 103, 47, 20, 8),
            goodsAt(15, 128), goodsAt(25, 153), goodsAt(35, 178), goodsAt(0, 203), goodsAt(27, 803),
            Box("7.5", 954, 843, 93, 20, 8)}},
          {2, {goodsAt(28, 654), goodsAt(39, 904)}}}},
        {"twenty-nine goods", goods(29), 2, {{1, {goodsAt(28, 803)}}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        FCCountedRef<VelCharacter> character = F::Hero();
        c.build(*character.Get());
        const FakePrintCanvas& canvas = Print(*character.Get());
        EXPECT_EQ(canvas.printed.size(), c.pages);
        for (const auto& [page, texts] : c.expected)
            ExpectInOrder(canvas, page, texts);
        for (std::size_t page = 2; page < canvas.printed.size(); ++page)
            EXPECT_EQ(canvas.printed[page].images.at(0).imageSetId, 9503);
    }
}

TEST_F(SheetTest, WeaponRowsAndTheirOverflow)
{
    // One row: the hand, the name, damage, critical and range, then the
    // attack parts (base, STR, two weapons, hand, weapon) and their sum.
    {
        const Item* sword = F::Own(*hero.Get(), F::kSword, Item::kCarried);
        F::AddSet(*hero.Get(), VelCharacterEquip::kEmptySlot, sword->itemKey,
                  VelCharacterEquip::kOneHand);
        const FakePrintCanvas& canvas = Print(*hero.Get());
        ExpectInOrder(canvas, 0,
                      {Box("MAIN", 10, 1342, 47, 24, 6),
                       Box("LONGSWORD", 70, 1342, 222, 24, 8, kLeft),
                       Box("(1-8)+3", 294, 1342, 51, 24, 6), Box("19-20/x2", 350, 1342, 72, 24, 6),
                       Box("-", 427, 1342, 42, 24, 6), Box("1", 68, 1376, 27, 35, 10),
                       Box("3", 117, 1376, 27, 35, 10), Box("0", 164, 1376, 27, 35, 10),
                       Box("0", 212, 1376, 27, 35, 10), Box("-4", 261, 1376, 27, 35, 10),
                       Box("0", 6, 1376, 37, 46, 14)});
    }
    struct Case
    {
        const char* name;
        // Sets as (off hand, main hand, grip); -1 for an empty hand, 99 for
        // a key the character does not own.
        std::vector<std::array<int, 3>> sets;
        std::size_t pages;
        std::vector<std::pair<std::size_t, std::vector<At>>> expected;
    };
    const int kTwo = VelCharacterEquip::kTwoWeapons;
    std::vector<std::array<int, 3>> longList(15, {-1, 1, 0});
    longList.push_back({1, 1, kTwo});
    const Case cases[] = {
        {"two one-weapon sets: no blank page after them",
         {{-1, 1, 0}, {-1, 1, 0}, {-1, -1, 0}},
         2,
         {}},
        {"an empty set between them: the third set goes over",
         {{-1, 1, 0}, {-1, -1, 0}, {-1, 1, 0}, {1, -1, 0}},
         3,
         {{2, {Box("OFF", 10, 96, 47, 24, 6)}}}},
        {"a hand without an owned item is skipped",
         {{99, 1, 0}, {-1, 1, 0}},
         2,
         {{0, {Box("MAIN", 10, 1342, 47, 24, 6), Box("MAIN", 10, 1446, 47, 24, 6)}}}},
        {"two full hands take the fit test",
         {{-1, 1, 0}, {1, 1, 0}},
         3,
         {{2, {Box("OFF", 10, 96, 47, 24, 6), Box("MAIN", 10, 200, 47, 24, 6)}}}},
        {"a two-weapon set moves past row 14",
         longList,
         4,
         {{2, {Box("MAIN", 10, 96 + 12 * 104, 47, 24, 6)}},
          {3,
           // Capitals as wide as these take 5 points inside the box's lines.
           {Point("]", 470, 68, 72), Box("2 WEAP", 10, 96, 47, 24, 5),
            Box("2 WEAP", 10, 200, 47, 24, 5)}}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        FCCountedRef<VelCharacter> character = F::Hero();
        const auto key = [&](int hand) -> std::uint16_t
        {
            if (hand < 0)
                return VelCharacterEquip::kEmptySlot;
            if (hand == 99)
                return 99;
            return F::Own(*character.Get(), F::kSword, Item::kCarried)->itemKey;
        };
        for (const auto& [off, main, grip] : c.sets)
            F::AddSet(*character.Get(), key(off), key(main), static_cast<std::int16_t>(grip));
        const FakePrintCanvas& canvas = Print(*character.Get());
        EXPECT_EQ(canvas.printed.size(), c.pages);
        for (const auto& [page, texts] : c.expected)
            ExpectInOrder(canvas, page, texts);
        if (c.pages == 4)
        {
            EXPECT_EQ(Count(canvas.printed[2], "MAIN"), 13u);
        }
    }
}

TEST_F(SheetTest, SpellRowsEndTheirPageAfterFiftyFiveRows)
{
    // 70 spells over ten levels: the first page ends with the spells of
    // level 5 and an empty row, its 54th; the heading of level 6 would be
    // the page's last row, so it opens the next page, with the same header,
    // above its spells. The last spell has no saving throw.
    VelCharacterClass* minstrel = hero->AddClass(VelIds::kClassMinstrel);
    minstrel->spellsPerDay.fill(1);
    const FakePrintCanvas& canvas = Print(*hero.Get());
    ASSERT_EQ(canvas.printed.size(), 4u);
    ExpectInOrder(canvas, 2,
                  {Point("MINSTREL", 250, 28, 12),
                   Point("5th LEVEL SPELLS", 244, 103 + 25 * 45, 10),
                   Point("SPELL 65", 244, 105 + 25 * 52, 8)});
    EXPECT_TRUE(TextsIn(canvas.printed[2], 0, 103 + 25 * 53, 1275, 1650).empty());
    ExpectInOrder(canvas, 3,
                  {Point("MINSTREL", 250, 28, 12), Point("6th LEVEL SPELLS", 244, 103, 10),
                   Point("SPELL 06", 244, 105 + 25, 8), Point("SPELL 69", 244, 105 + 25 * 34, 8),
                   Point("5 action", 482, 106 + 25 * 34, 6)});
    EXPECT_EQ(TextsIn(canvas.printed[3], 985, 103 + 25 * 34, 1275, 103 + 25 * 35),
              std::vector<std::string>{});
}

TEST_F(SheetTest, ACastingTimeWithoutACountPrintsItsUnitAlone)
{
    // Spell 68, the last of level 8, has no count: the time its text gives.
    hero->AddClass(VelIds::kClassMinstrel)->spellsPerDay.fill(1);
    const FakePrintCanvas& canvas = Print(*hero.Get());
    ASSERT_EQ(canvas.printed.size(), 4u);
    ExpectInOrder(
        canvas, 3,
        {Point("SPELL 58", 244, 105 + 25 * 24, 8), Point("4 action", 482, 106 + 25 * 24, 6),
         Point("SPELL 68", 244, 105 + 25 * 25, 8), Point("See text", 482, 106 + 25 * 25, 6),
         Point("Touch", 565, 106 + 25 * 25, 6)});
}

TEST_F(SheetTest, DomainRowsEndTheirPageLikeSpellRows)
{
    hero->AddClass(VelIds::kClassPriest)->spellsPerDay.fill(1);
    hero->domainIds = {F::kFire, VelCharacter::kNone};
    const FakePrintCanvas& canvas = Print(*hero.Get());
    ExpectInOrder(
        canvas, 2,
        {Point("DOMAIN: FIRE", 244, 103, 10), Point("SPELL 37 (7)", 244, 105 + 25 * 54, 8)});
    EXPECT_TRUE(TextsIn(canvas.printed[2], 0, 103 + 25 * 55, 1275, 1650).empty());
    ExpectInOrder(canvas, 3, {Point("PRIEST", 250, 28, 12), Point("SPELL 47 (7)", 244, 105, 8)});
}

TEST_F(SheetTest, MissingFormsRecordsAndTextsLeaveGapsNotFaults)
{
    F bare(F::Parts{false, false});
    // A class, a skill, a feat, a language and an item that the rule set
    // lacks, and a hand holding a key the character does not own.
    hero->AddClass(12);
    F::AddSkill(*hero.Get(), 999, VelCharacterSkill::kNoSubSkill, 2.0f);
    F::AddFeat(*hero.Get(), 999);
    auto* language = new VelCharacterLanguage(77);
    hero->AddLanguage(language);
    language->Release();
    hero->AddItem(nullptr);
    F::AddSet(*hero.Get(), 98, 99, VelCharacterEquip::kOneHand);
    VelSheetPrinter printer;
    EXPECT_TRUE(printer.Print(hero.Get(), "Stavelorn"));
    const FakePrintCanvas& canvas = *bare.printer.canvases.back();
    ASSERT_EQ(canvas.printed.size(), 2u);
    for (const Page& page : canvas.printed)
        EXPECT_TRUE(page.images.empty());
    EXPECT_EQ(printer.GetMissingForms(), (std::vector<std::uint16_t>{9500, 9501}));
    // The forms' own design space still places every value.
    ExpectInOrder(canvas, 0, {Point("HERO", 82, 10, 12), Point("MULTICLASS", 382, 124, 12)});
    EXPECT_TRUE(TextsIn(canvas.printed[0], 340, 600, 582, 1076).empty()) << "feats";
    EXPECT_TRUE(TextsIn(canvas.printed[0], 0, 1342, 470, 1650).empty()) << "weapons";
    EXPECT_TRUE(TextsIn(canvas.printed[0], 456, 1112, 542, 1126).empty()) << "generation method";
    EXPECT_TRUE(TextsIn(canvas.printed[1], 11, 588, 296, 846).empty()) << "languages";
    EXPECT_TRUE(TextsIn(canvas.printed[1], 13, 1383, 72, 1416).empty()) << "load";
    EXPECT_NE(printer.DescribeOutcome().find("Some page forms were missing"), std::string::npos);

    // Without any class the class line stays empty.
    FCCountedRef<VelCharacter> nobody = FCCountedRef<VelCharacter>::Adopt(new VelCharacter());
    VelSheetPrinter second;
    EXPECT_TRUE(second.Print(nobody.Get(), "Stavelorn"));
    EXPECT_TRUE(TextsIn(bare.printer.canvases.back()->printed[0], 382, 124, 672, 166).empty());
}

TEST_F(SheetTest, TextsShrinkToTheirPlaceAndOnlyWordsAreCut)
{
    hero->name = std::string("Sir\tBartholomew\n") + std::string(60, 'w');
    hero->stats[VelEntity::kHitPoints] = 123456789;
    for (int i = 0; i < 25; ++i)
    {
        F::AddFeat(*hero.Get(), static_cast<std::uint16_t>(F::kFirstFeat + i));
    }
    const FakePrintCanvas& canvas = Print(*hero.Get());
    const auto& name = canvas.printed[0].texts.at(0);
    EXPECT_EQ(name.pointSize, VelSheetPrinter::kSmallestPoints);
    // Set smaller, it stays on the baseline it has at 12 points.
    EXPECT_EQ(name.at.x, 328);
    EXPECT_EQ(name.at.y + canvas.Ink(name.text, name.pointSize).baseline,
              40 + canvas.Ink(name.text, 12).baseline);
    EXPECT_EQ(name.text.rfind("SIRBARTHOLOMEWWWW", 0), 0u);
    EXPECT_EQ(name.text.substr(name.text.size() - 3), "...");
    EXPECT_LE(canvas.Measure(name.text, name.pointSize).x, 340 * kScale);
    const std::string kept = name.text.substr(0, name.text.size() - 3);
    EXPECT_GT(canvas.Measure(kept + "W...", name.pointSize).x, 340 * kScale);
    const auto& hitPoints = canvas.printed[0].texts.at(1);
    EXPECT_EQ(hitPoints.text, "123456789");
    EXPECT_LT(hitPoints.pointSize, 14);
    // 25 feats close up from 24 to 19 units apart to stay above the origin
    // and wealth block at 1076.
    ExpectInOrder(canvas, 0,
                  {Point("FEAT 10", 340, 600, 6), Point("FEAT 11", 340, 619, 6),
                   Point("FEAT 34", 340, 600 + 19 * 24, 6)});
}

TEST_F(SheetTest, ListsThatCannotFitAreCutAtTheirArea)
{
    for (int i = 0; i < 60; ++i)
    {
        F::AddFeat(*hero.Get(), static_cast<std::uint16_t>(F::kFirstFeat + i));
    }
    const FakePrintCanvas& canvas = Print(*hero.Get());
    // Lines a line apart, down to the last that ends above the block.
    EXPECT_EQ(TextsIn(canvas.printed[0], 340, 600, 341, 1076).size(), 33u);
    ExpectInOrder(canvas, 0,
                  {Point("FEAT 10", 340, 600, 6), Point("FEAT 42", 340, 600 + 14 * 32, 6)});
}

TEST_F(SheetTest, TheLoadWordPrintsWhole)
{
    hero->values[VelCharacter::kValueLoad] = 4; // overloaded
    const FakePrintCanvas& canvas = Print(*hero.Get());
    EXPECT_EQ(TextsIn(canvas.printed[1], 13, 1383, 72, 1416),
              (std::vector<std::string>{"OVER-", "LOADED"}));
}

// Everything at once, and too much of it.
void Crowd(VelCharacter& hero)
{
    hero.name = std::string(80, 'M');
    hero.notes.fill(std::string(200, 'W'));
    VelCharacterClass* minstrel = hero.AddClass(VelIds::kClassMinstrel);
    minstrel->spellsPerDay.fill(3);
    hero.AddClass(VelIds::kClassPriest)->spellsPerDay.fill(2);
    hero.AddClass(VelIds::kClassScholarCaster)->spellsPerDay.fill(1);
    hero.domainIds = {F::kFire, F::kSun};
    hero.schoolSlots = {F::kWards, 1, F::kCharms, F::kWards, F::kCharms};
    for (int i = 0; i < 25; ++i)
        F::AddSkill(hero, static_cast<std::uint16_t>(F::kFirstLore + i),
                    VelCharacterSkill::kNoSubSkill, 1.0f);
    for (int i = 0; i < 60; ++i)
    {
        F::Own(hero, static_cast<std::uint16_t>(F::kFirstGoods + i), Item::kCarried);
        F::AddFeat(hero, static_cast<std::uint16_t>(F::kFirstFeat + i));
    }
    for (int i = 0; i < 20; ++i)
    {
        const std::uint16_t sword = F::Own(hero, F::kSword, Item::kCarried)->itemKey;
        const std::uint16_t dagger = F::Own(hero, F::kDagger, Item::kCarried)->itemKey;
        F::AddSet(hero, dagger, sword, VelCharacterEquip::kTwoWeapons);
    }
    for (std::uint16_t k = 0; k < 4; ++k)
        F::AddAnimal(hero, F::kWolf, k, VelCharacterAnimal::kCompanion, std::string(50, 'W'));
    hero.WearItem(F::Own(hero, F::kMail));
    hero.secondShield = F::Own(hero, F::kBuckler, Item::kSecondShield);
}

TEST_F(SheetTest, NoTextLeavesThePage)
{
    struct Case
    {
        const char* name;
        std::function<void(VelCharacter&)> build;
        std::size_t pages;
    };
    const Case cases[] = {
        {"everything at once", Crowd, 9},
        // 53 spells of level 0 and a heading fill a page to its 54th row;
        // the nine empty levels after them start a page of their own.
        {"spells claimed at levels without spells",
         [](VelCharacter& c) { c.AddClass(VelIds::kClassNaturePriest)->spellsPerDay.fill(1); }, 4},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        FCCountedRef<VelCharacter> character = F::Hero();
        c.build(*character.Get());
        const FakePrintCanvas& canvas = Print(*character.Get());
        EXPECT_GE(canvas.printed.size(), c.pages);
        for (std::size_t p = 0; p < canvas.printed.size(); ++p)
            for (const auto& text : canvas.printed[p].texts)
            {
                const FCPoint size = canvas.Measure(text.text, text.pointSize);
                EXPECT_TRUE(text.at.x >= 0 && text.at.y >= 0 && text.at.x + size.x <= 5100 &&
                            text.at.y + size.y <= 6600)
                    << '"' << text.text << "\" on page " << p << " at " << text.at.x << ", "
                    << text.at.y;
            }
    }
}

// The boxes a form draws, in design units, with the width of their lines.
struct FormBox
{
    double x, y, width, height, line;
};

std::vector<FormBox> FormBoxes(std::uint16_t formId)
{
    const char* files[] = {"SheetFront", "SheetSecond", "SheetSpells", "SheetOverflow"};
    std::ifstream in(std::string(STAVELORN_SOURCE_DIR) + "/content/art/sheet/" +
                     files[formId - VelSheetPrinter::kFrontForm] + ".svg");
    const std::string svg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    static const std::regex rect(
        R"re(<rect x="([-0-9.]+)" y="([-0-9.]+)" width="([0-9.]+)" height="([0-9.]+)" fill="[^"]*" stroke="[^"]*" stroke-width="([0-9.]+)"/>)re");
    std::vector<FormBox> boxes;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), rect); it != std::sregex_iterator();
         ++it)
        boxes.push_back({std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]),
                         std::stod((*it)[4]), std::stod((*it)[5])});
    return boxes;
}

TEST_F(SheetTest, NoTextTouchesTheLinesOfItsForm)
{
    Crowd(*hero.Get());
    F::AddSkill(*hero.Get(), F::kClimb, VelCharacterSkill::kNoSubSkill, 3.5f);
    const FakePrintCanvas& canvas = Print(*hero.Get());
    std::set<std::uint16_t> forms;
    for (std::size_t p = 0; p < canvas.printed.size(); ++p)
    {
        const Page& page = canvas.printed[p];
        ASSERT_EQ(page.images.size(), 1u);
        const std::uint16_t form = page.images[0].imageSetId;
        forms.insert(form);
        const std::vector<FormBox> boxes = FormBoxes(form);
        ASSERT_GT(boxes.size(), 20u) << form;
        for (const auto& text : page.texts)
        {
            // The text's ink in design units.
            const FCRect ink = canvas.Ink(text.text, text.pointSize).ink;
            const double left = (text.at.x + ink.left) / double{kScale};
            const double top = (text.at.y + ink.top) / double{kScale};
            const double right = (text.at.x + ink.right) / double{kScale};
            const double bottom = (text.at.y + ink.bottom) / double{kScale};
            for (const FormBox& box : boxes)
            {
                const double half = box.line / 2;
                const bool apart = right <= box.x - half || left >= box.x + box.width + half ||
                                   bottom <= box.y - half || top >= box.y + box.height + half;
                const bool inside = left >= box.x + half && right <= box.x + box.width - half &&
                                    top >= box.y + half && bottom <= box.y + box.height - half;
                EXPECT_TRUE(apart || inside)
                    << '"' << text.text << "\" (" << text.pointSize << " pt) on page " << p
                    << " at " << left << ", " << top << " to " << right << ", " << bottom
                    << " crosses the box " << box.x << ", " << box.y << ", " << box.width << " x "
                    << box.height;
            }
        }
    }
    EXPECT_EQ(forms.size(), 4u);
}

TEST_F(SheetTest, AHugeNameAndNotesAreCutInAFewMeasurements)
{
    const FakePrintCanvas& plain = Print(*hero.Get());
    const std::size_t plainMeasured = plain.measured;
    hero->name = std::string(32766, 'W');
    hero->notes.fill(std::string(32766, 'w'));
    const FakePrintCanvas& canvas = Print(*hero.Get());
    // Ten texts cut by halving: a few dozen measurements each, not one per
    // byte.
    EXPECT_LT(canvas.measured - plainMeasured, 500u);
    const auto& name = canvas.printed[0].texts.at(0);
    EXPECT_EQ(name.text.substr(name.text.size() - 3), "...");
    EXPECT_LE(canvas.Measure(name.text, name.pointSize).x, 340 * kScale);
    const std::string longer = name.text.substr(0, name.text.size() - 3) + "W...";
    EXPECT_GT(canvas.Measure(longer, name.pointSize).x, 340 * kScale);
    const auto notes =
        std::count_if(canvas.printed[1].texts.begin(), canvas.printed[1].texts.end(),
                      [&](const auto& text)
                      {
                          return text.text.rfind("WWWW", 0) == 0 && text.text.ends_with("...") &&
                                 canvas.Measure(text.text, text.pointSize).x <= 558 * kScale;
                      });
    EXPECT_EQ(notes, 9);
}

TEST_F(SheetTest, PrintingLeavesTheCharacterAsItWas)
{
    hero->money = VelCoins(0, 25, 3);
    hero->ownedItemsValue = VelCoins(0, 0, 0);
    hero->modified = 0;
    F::AddAnimal(*hero.Get(), F::kWolf, 3, VelCharacterAnimal::kCompanion, "Fang");
    const FakePrintCanvas& canvas = Print(*hero.Get());
    // 25 middle coins carry over into the highest coin on the sheet only.
    ExpectInOrder(canvas, 0, {Box("5", 456, 1156, 86, 12, 6)});
    EXPECT_EQ(hero->money, VelCoins(0, 25, 3));
    EXPECT_EQ(hero->modified, 0);
}
TEST_F(SheetTest, ClassFeaturesFollowTheirClassesUpToThirtyLines)
{
    struct Case
    {
        const char* name;
        int berserkerFeatures;
        bool literacy;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"literacy after the berserker's features",
         2,
         true,
         {"FEATURE 12", "FEATURE 13", "LITERACY", "FEATURE 51"}},
        {"no literacy without the skill", 2, false, {"FEATURE 12", "FEATURE 13", "FEATURE 51"}},
        {"thirty lines at most", 40, true, {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        FCCountedRef<VelCharacter> character =
            FCCountedRef<VelCharacter>::Adopt(new VelCharacter());
        character->AddClass(VelIds::kClassBerserker);
        character->AddClass(VelIds::kClassWarrior);
        const auto feature = [&](int id, std::uint16_t classId)
        {
            auto* entry = new VelCharacterFeature();
            entry->featureId = static_cast<std::uint16_t>(id);
            entry->source = classId;
            character->features.Append(entry);
            entry->Release();
        };
        // The warrior's feature comes first in the list, but prints after
        // the berserker's, in class order.
        feature(F::kFirstFeature + 39, VelIds::kClassWarrior);
        for (int i = 0; i < c.berserkerFeatures; ++i)
            feature(F::kFirstFeature + i, VelIds::kClassBerserker);
        if (c.literacy)
            F::AddSkill(*character.Get(), F::kLiteracy, VelCharacterSkill::kNoSubSkill, 2.0f);
        const FakePrintCanvas& canvas = Print(*character.Get());
        const std::vector<std::string> column = TextsIn(canvas.printed[1], 302, 0, 303, 1650);
        if (c.lines.empty())
        {
            ASSERT_EQ(column.size(), 30u);
            EXPECT_EQ(column.back(), "FEATURE 41");
            ExpectInOrder(canvas, 1, {Point("FEATURE 41", 302, 106 + 24 * 29, 8)});
        }
        else
            EXPECT_EQ(column, c.lines);
    }
}
} // namespace
