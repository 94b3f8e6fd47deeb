#include "Vel/App/VelSheetPrinter.h"

#include "Fc/Core/FCConvert.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Devices/FCPrinter.h"
#include "Fc/Graphics/FCImageSet.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Fc/Graphics/FCTextLayout.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterEquip.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterFeature.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Character/VelCoins.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelArmorInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelDomainInfo.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelItemInfo.h"
#include "Vel/Db/VelLanguageInfo.h"
#include "Vel/Db/VelRaceFeatureInfo.h"
#include "Vel/Db/VelSchoolInfo.h"
#include "Vel/Db/VelShieldInfo.h"
#include "Vel/Db/VelSizeInfo.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelSpellLevelInfo.h"
#include "Vel/Db/VelSubSkillInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel/Rules/VelCombatRules.h"
#include "Vel/Rules/VelCompanionRules.h"
#include "Vel/Rules/VelEquipRules.h"
#include "Vel/Rules/VelFormatRules.h"
#include "Vel/Rules/VelLevelRules.h"
#include "Vel/Rules/VelPageRules.h"
#include "Vel/Rules/VelPhysicalRules.h"
#include "Vel/Rules/VelRulesWalk.h"
#include "Vel/Rules/VelSkillRules.h"
#include "Vel/Rules/VelSpellRules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace
{
using C = VelCharacter;
using Item = VelCharacterItem;

constexpr std::uint32_t kBox = VelSheetPrinter::BoxCenterH | VelSheetPrinter::BoxCenterV;
constexpr std::uint32_t kNumberBox = kBox | VelSheetPrinter::BoxWhole;
constexpr std::uint32_t kLeftBox = VelSheetPrinter::BoxCenterV;

// A value keeps this far (in design units) from the lines of its box: half
// the forms' usual line; their heavier lines surround boxes with room.
constexpr float kBoxInset = 0.75f;
// A text set to the left of its box starts this much further in.
constexpr std::int16_t kLeftPad = 2;

// Attack lines of the melee and ranged blocks.
constexpr int kAttackLines = 4;

// The usual distance of the lines of a name list.
constexpr std::int16_t kListPitch = 24;

// Skill table: rows 0 to 40 are printed on the front page's form, 41 to 43
// are its free rows; an overflow page has 20 free rows.
constexpr std::int32_t kLastPrintedSkillRow = 40;
constexpr std::int32_t kFirstFreeSkillRow = 41;
constexpr std::int32_t kLastSkillRow = 43;
constexpr std::int32_t kSkillPitch = 21;

// Goods: 29 rows a page.
constexpr std::uint16_t kGoodsRowsPerPage = 29;
constexpr std::uint16_t kGoodsPitch = 25;

// Weapons: two rows on the front page, fourteen on an overflow page.
constexpr std::uint16_t kFrontWeaponRows = 2;
constexpr std::uint16_t kOverflowWeaponRows = 14;
constexpr std::uint16_t kWeaponPitch = 104;

// Spell pages: a row is 25 high; the row that brings a page past 54 rows
// ends it.
constexpr std::uint16_t kSpellPitch = 25;
constexpr std::uint16_t kSpellTop = 103;
constexpr std::uint16_t kSpellRowsPerPage = 54;
constexpr std::int16_t kSpellNameWidth = 234;

// Class features: at most 30 lines; the proficiency names are feature
// records 89 to 94.
constexpr std::int32_t kMaxFeatureLines = 30;
constexpr std::uint16_t kFirstProficiencyFeature = 89;
constexpr std::int32_t kMaxAnimals = 3;

constexpr std::uint16_t kGenerationMethodText = 320;
constexpr std::uint16_t kLoadText = 10541;
constexpr std::uint16_t kOverloadedText = 9795;
constexpr std::uint16_t kSpellUnitText = 9800;
constexpr std::uint16_t kSpellRangeText = 9850;
constexpr std::uint16_t kSpellDurationText = 9900;
constexpr std::uint16_t kSpellSaveText = 9950;

std::string Plain(std::int32_t value)
{
    return LongToString(value, false);
}

std::string Signed(std::int32_t value)
{
    return LongToString(value, true);
}

std::int32_t Value(const VelCharacter* character, std::uint32_t index)
{
    return static_cast<std::int32_t>(character->values[index]);
}

// An interface text, or nothing when the asset index lacks it.
std::string Text(std::int32_t id)
{
    const FCResourceManager* resources = FCResourceManager::GetInstance();
    const std::string* text = resources && id >= 0 && id <= 0xFFFF
                                  ? resources->GetString(static_cast<std::uint16_t>(id))
                                  : nullptr;
    return text ? *text : std::string();
}

// A text of several lines, one string a line.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Line breaks and other control bytes have no glyph on paper.
std::string Printable(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x20)
            out += c;
    return out;
}

// What the line breaker measures with: the canvas in the job's font.
struct SheetFont
{
    FCPrintCanvas* canvas = nullptr;
    std::string fontName;
    std::string fontFile;
    std::uint16_t fontSize = 0;
};

FCPoint MeasureWithSheetFont(std::string_view line, void* context)
{
    const auto* font = static_cast<const SheetFont*>(context);
    return font->canvas->MeasureText(std::string(line), font->fontName, font->fontFile,
                                     font->fontSize);
}

// A whole number of hit dice prints plain, any other with two decimals.
std::string HitDiceText(float hitDice)
{
    if (hitDice == std::trunc(hitDice) && std::fabs(hitDice) < 2147483647.0f)
        return Plain(static_cast<std::int32_t>(hitDice));
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", static_cast<double>(hitDice));
    return buffer;
}

const char* WeaponLabel(std::int16_t grip, std::int16_t hand)
{
    switch (grip)
    {
    case VelCharacterEquip::kTwoHands:
    case VelCharacterEquip::kTwoHandsAlt:
        return "2 HAND";
    case VelCharacterEquip::kTwoWeapons:
        return "2 WEAP";
    default:
        return hand == kOffHand ? "OFF" : "MAIN";
    }
}

// Byte order, as the names are stored; ties by the entry's display name,
// then by its key, so equal names always print in the same order.
bool GoodsBefore(const Item* a, const Item* b)
{
    const std::string& nameA = a->GetHeldObject()->name;
    const std::string& nameB = b->GetHeldObject()->name;
    if (nameA != nameB)
        return nameA < nameB;
    const std::string displayA = a->GetName();
    const std::string displayB = b->GetName();
    if (displayA != displayB)
        return displayA < displayB;
    return a->itemKey < b->itemKey;
}

// A reason from the printer, as the sentence it should be.
std::string AsSentence(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    if (!text.empty() && text.back() != '.')
        text += '.';
    return text;
}
} // namespace

VelSheetPrinter::VelSheetPrinter()
{
    ResetLayout();
}

VelSheetPrinter::~VelSheetPrinter()
{
    if (canvas)
        canvas->Release();
    canvas = nullptr;
    SetBackground(0, 0);
    for (FCObjectVector& list : goodsLists)
        list.Clear();
}

void VelSheetPrinter::ResetLayout()
{
    designWidth = 0;
    designHeight = 0;
    background = nullptr;
    backgroundId = 0;
    backgroundFrame = 0;
    printer = nullptr;
    canvas = nullptr;
}

std::string VelSheetPrinter::ToSheetUpper(const std::string& text)
{
    std::string out = text;
    for (char& c : out)
    {
        const auto code = static_cast<unsigned char>(c);
        if (code >= 'a' && code <= 'z')
            c = static_cast<char>(code - 0x20);
        // The accented letters; the division sign and y-diaeresis sit apart.
        else if (code >= 0xE0 && code <= 0xFE && code != 0xF7)
            c = static_cast<char>(code - 0x20);
        else if (code == 0x9A || code == 0x9C || code == 0x9E) // s, oe, z with caron/ligature
            c = static_cast<char>(code - 0x10);
        else if (code == 0xFF)
            c = static_cast<char>(0x9F);
    }
    return out;
}

bool VelSheetPrinter::Print(VelCharacter* character, const std::string& documentName)
{
    outcome = FCPrintOutcome();
    missingForms.clear();
    failed = false;
    failure.clear();
    bool ok = false;
    if (!character)
        Fail("There is no character to print.");
    else if (!EnsureCanvas())
        Fail(printer ? "The printer could not start a document." : "No printer is available.");
    else
    {
        // A sheet kept as a file is filed under the character's name.
        canvas->SetFileName(character->name);
        ok = canvas->StartDocument(documentName);
        if (!ok)
            Fail("The printer refused the document.");
    }

    weaponsContinue = 0;
    goodsContinue = 0;
    skillsContinue = 0;
    if (ok)
        ok = PrintFrontPage(character);
    if (ok)
        ok = PrintSecondPage(character);
    if (ok)
        ok = PrintSpellPages(character);
    while (!failed && PrintOverflowPage(character))
    {
    }
    ok = ok && !failed;
    if (ok && !canvas->EndDocument())
    {
        Fail("The document could not be finished.");
        ok = false;
    }
    for (FCObjectVector& list : goodsLists)
        list.Clear();

    if (canvas)
        outcome = canvas->GetOutcome();
    using Kind = FCPrintOutcome::Kind;
    if (ok && outcome.kind != Kind::kSent && outcome.kind != Kind::kSaved)
    {
        Fail("The printer did not say where the document went.");
        ok = false;
    }
    if (!ok && outcome.kind != Kind::kFailed)
    {
        outcome = FCPrintOutcome();
        outcome.kind = Kind::kFailed;
    }
    if (!ok && outcome.reason.empty())
        outcome.reason = failure;
    return ok;
}

std::string VelSheetPrinter::DescribeOutcome() const
{
    using Kind = FCPrintOutcome::Kind;
    std::string text;
    switch (outcome.kind)
    {
    case Kind::kSent:
        text = "The character sheet went to the printer " + outcome.destination + " as job " +
               std::to_string(outcome.job) + ".";
        break;
    case Kind::kSaved:
        text = "The character sheet was saved as " + outcome.path;
        text += outcome.reason.empty() ? "." : " instead of printed. " + AsSentence(outcome.reason);
        break;
    default:
        text = "The character sheet could not be printed.";
        if (!outcome.reason.empty())
            text += " " + AsSentence(outcome.reason);
        return text;
    }
    if (!missingForms.empty())
        text += " Some page forms were missing, so those pages carry only the values.";
    return text;
}

void VelSheetPrinter::Fail(const char* what)
{
    if (!failed)
    {
        FC_LOG("The character sheet stops. %s\n", what);
        failure = what;
    }
    failed = true;
}

bool VelSheetPrinter::EnsureCanvas()
{
    if (!printer)
        printer = FCPrinter::GetInstance();
    if (!printer)
        return false;
    if (canvas)
        return true;
    canvas = printer->CreateCanvas();
    return canvas != nullptr;
}

void VelSheetPrinter::SetBackground(std::uint16_t imageSetId, std::uint16_t frame)
{
    backgroundFrame = frame;
    // Spell and overflow pages follow each other on one form: it stays
    // loaded rather than being read again for every page.
    if (background && imageSetId == backgroundId)
        return;
    backgroundId = imageSetId;
    FCResourceManager* resources = FCResourceManager::GetInstance();
    if (background && resources)
        resources->UnloadImageSet(background);
    background = nullptr;
    if (imageSetId != 0 && resources)
        background = resources->GetImageSet(imageSetId);
}

bool VelSheetPrinter::SetupPageScale()
{
    const FCPoint page = printer ? printer->GetPageSize() : FCPoint(kFormWidth, kFormHeight);
    const FCPoint frame =
        background && canvas
            ? canvas->GetFrameSize(background, static_cast<std::int16_t>(backgroundFrame))
            : FCPoint();
    // Without a usable form the page keeps the forms' own design space, so
    // every value still lands where it belongs.
    const bool usable = frame.x > 0 && frame.y > 0;
    designWidth = static_cast<std::uint32_t>(usable ? frame.x : kFormWidth);
    designHeight = static_cast<std::uint32_t>(usable ? frame.y : kFormHeight);
    scaleX = static_cast<float>(static_cast<double>(page.x) / designWidth);
    scaleY = static_cast<float>(static_cast<double>(page.y) / designHeight);
    SetFont(kFontName, "", 12);
    return true;
}

void VelSheetPrinter::SetFont(const std::string& name, const std::string& file,
                              std::uint16_t points)
{
    fontName = name;
    fontFile = file;
    fontSize = points;
}

std::int32_t VelSheetPrinter::ToDeviceX(std::int32_t x) const
{
    return static_cast<std::int32_t>(static_cast<float>(x) * scaleX);
}

std::int32_t VelSheetPrinter::ToDeviceY(std::int32_t y) const
{
    return static_cast<std::int32_t>(static_cast<float>(y) * scaleY);
}

std::int32_t VelSheetPrinter::LineHeight()
{
    if (!canvas || scaleY <= 0.0f)
        return 1;
    const std::int32_t pixels = canvas->MeasureText("|", fontName, fontFile, fontSize).y;
    return std::max<std::int32_t>(
        1, static_cast<std::int32_t>(std::ceil(static_cast<float>(pixels) / scaleY)));
}

std::uint16_t VelSheetPrinter::FitText(std::string& text, std::int32_t widthPixels, bool whole,
                                       std::uint16_t points)
{
    std::uint16_t size = points;
    const auto width = [&](const std::string& candidate, std::uint16_t atSize)
    { return canvas->MeasureText(candidate, fontName, fontFile, atSize).x; };
    if (text.empty() || width(text, size) <= widthPixels)
        return size;
    while (size > kSmallestPoints && width(text, size) > widthPixels)
        --size;
    if (whole || width(text, size) <= widthPixels)
        return size;
    // The longest start that fits with its dots, found by halving: a text
    // of thousands of bytes is measured a few times, not once per byte.
    std::size_t fits = 0;
    std::size_t tooLong = text.size();
    while (tooLong - fits > 1)
    {
        const std::size_t middle = fits + (tooLong - fits) / 2;
        if (width(text.substr(0, middle) + "...", size) <= widthPixels)
            fits = middle;
        else
            tooLong = middle;
    }
    FC_LOG("Cut to fit the sheet: %.60s...\n", text.c_str());
    text = fits == 0 ? std::string() : text.substr(0, fits) + "...";
    return size;
}

std::int32_t VelSheetPrinter::LineHeightPixels(std::uint16_t points)
{
    return canvas->MeasureText("|", fontName, fontFile, points).y;
}

void VelSheetPrinter::AddText(const std::string& text, std::int16_t x, std::int16_t y)
{
    AddText(text, x, y,
            static_cast<std::int16_t>(
                std::max<std::int32_t>(0, static_cast<std::int32_t>(designWidth) - x)));
}

void VelSheetPrinter::AddText(const std::string& text, std::int16_t x, std::int16_t y,
                              std::int16_t width)
{
    if (failed || !canvas)
        return;
    std::string shown = Printable(text);
    if (shown.empty())
        return;
    const std::uint16_t size = FitText(shown, ToDeviceX(width), false, fontSize);
    if (shown.empty())
        return;
    // Set smaller, the text stays on the line it was meant for.
    const std::int32_t top = ToDeviceY(y) + BaselineShift(shown, size);
    canvas->AddText(shown, FCPoint(ToDeviceX(x), top), fontName, fontFile, size, nullptr);
}

std::int32_t VelSheetPrinter::BaselineShift(const std::string& text, std::uint16_t points)
{
    if (points == fontSize)
        return 0;
    return canvas->MeasureInk(text, fontName, fontFile, fontSize).baseline -
           canvas->MeasureInk(text, fontName, fontFile, points).baseline;
}

FCPoint VelSheetPrinter::BoxInside(std::int16_t x, std::int16_t y, std::int16_t width,
                                   std::int16_t height, std::uint32_t flags, FCPoint& corner) const
{
    const auto insetX = static_cast<std::int32_t>(std::ceil(kBoxInset * scaleX));
    const auto insetY = static_cast<std::int32_t>(std::ceil(kBoxInset * scaleY));
    const std::int32_t pad = (flags & BoxCenterH) ? 0 : ToDeviceX(kLeftPad);
    corner = FCPoint(ToDeviceX(x) + insetX + pad, ToDeviceY(y) + insetY);
    return FCPoint(ToDeviceX(width) - 2 * insetX - pad, ToDeviceY(height) - 2 * insetY);
}

void VelSheetPrinter::AddTextBox(const std::string& text, std::int16_t x, std::int16_t y,
                                 std::int16_t width, std::int16_t height, std::uint32_t flags)
{
    if (failed || !canvas)
        return;
    if (!(flags & BoxWrap))
    {
        AddTextLines({text}, x, y, width, height, flags);
        return;
    }
    // Wrapped lines run down from the top left of the box, not centred, at
    // the largest size whose lines all fit it, or at the smallest with the
    // lines that fit.
    constexpr std::uint32_t wrapFlags = 0;
    FCPoint corner;
    const FCPoint inside = BoxInside(x, y, width, height, wrapFlags, corner);
    std::vector<std::string> wrapped;
    std::uint16_t size = fontSize;
    for (;; --size)
    {
        SheetFont font{canvas, fontName, fontFile, size};
        wrapped.clear();
        WrapText(wrapped, Printable(text), FCPoint(inside.x, 0), true, MeasureWithSheetFont, &font);
        for (std::string& line : wrapped)
            while (!line.empty() && line.back() == ' ')
                line.pop_back();
        if (size <= kSmallestPoints ||
            PlaceLines(wrapped, size, x, y, width, height, wrapFlags).fits)
            break;
    }
    PrintLines(wrapped, size, x, y, width, height, wrapFlags);
}

void VelSheetPrinter::AddTextLines(const std::vector<std::string>& text, std::int16_t x,
                                   std::int16_t y, std::int16_t width, std::int16_t height,
                                   std::uint32_t flags)
{
    if (failed || !canvas)
        return;
    std::vector<std::string> lines;
    for (const std::string& line : text)
        if (std::string shown = Printable(line); !shown.empty())
            lines.push_back(std::move(shown));
    if (lines.empty())
        return;
    // The size the box asks for, unless the ink does not fit it there.
    std::uint16_t size = fontSize;
    while (size > kSmallestPoints && !PlaceLines(lines, size, x, y, width, height, flags).fits)
        --size;
    if (!(flags & BoxWhole) && !PlaceLines(lines, size, x, y, width, height, flags).fits)
    {
        FCPoint corner;
        const std::int32_t room = BoxInside(x, y, width, height, flags, corner).x;
        for (std::string& line : lines)
            FitText(line, room, false, size);
    }
    PrintLines(lines, size, x, y, width, height, flags);
}

VelSheetPrinter::Placement VelSheetPrinter::PlaceLines(const std::vector<std::string>& lines,
                                                       std::uint16_t points, std::int16_t x,
                                                       std::int16_t y, std::int16_t width,
                                                       std::int16_t height, std::uint32_t flags)
{
    Placement placement;
    if (lines.empty())
        return placement;
    FCPoint corner;
    const FCPoint inside = BoxInside(x, y, width, height, flags, corner);
    const std::int32_t pitch = LineHeightPixels(points);
    std::vector<FCTextInk> inks;
    // The ink of all lines, from the first line's top-left point.
    FCRect block;
    bool inked = false;
    for (std::size_t k = 0; k < lines.size(); ++k)
    {
        inks.push_back(canvas->MeasureInk(lines[k], fontName, fontFile, points));
        FCRect ink = inks.back().ink;
        if (ink.IsEmpty())
            continue;
        ink.Offset(0, static_cast<std::int32_t>(k) * pitch);
        if (inked)
            block.Union(block, ink);
        else
            block = ink;
        inked = true;
    }
    // Centred, the ink stands in the middle of the box; otherwise the lines
    // start at its top, a single one on the baseline of the box's own size.
    std::int32_t top = ToDeviceY(y);
    if (flags & BoxCenterV)
        top = corner.y + static_cast<std::int32_t>((inside.y - block.Height()) / 2) - block.top;
    else if (lines.size() == 1)
        top += BaselineShift(lines[0], points);
    const std::int32_t bottom = corner.y + inside.y;
    placement.fits = top + block.top >= corner.y && top + block.bottom <= bottom;
    for (std::size_t k = 0; k < lines.size(); ++k)
    {
        const FCRect& ink = inks[k].ink;
        const std::int32_t lineTop = top + static_cast<std::int32_t>(k) * pitch;
        std::int32_t left = corner.x;
        if (flags & BoxCenterH)
            left += static_cast<std::int32_t>((inside.x - ink.Width()) / 2) - ink.left;
        placement.fits = placement.fits && left + ink.left >= corner.x &&
                         left + ink.right <= corner.x + inside.x;
        if (placement.fitting == static_cast<std::int32_t>(k) && lineTop + ink.bottom <= bottom)
            ++placement.fitting;
        placement.at.emplace_back(left, lineTop);
    }
    return placement;
}

void VelSheetPrinter::PrintLines(const std::vector<std::string>& lines, std::uint16_t points,
                                 std::int16_t x, std::int16_t y, std::int16_t width,
                                 std::int16_t height, std::uint32_t flags)
{
    const Placement placement = PlaceLines(lines, points, x, y, width, height, flags);
    if (!placement.fits && !lines.empty())
        FC_LOG("A box of the sheet is too small for \"%.60s\"\n", lines.front().c_str());
    // Lines below the box are left out; the first always prints.
    const std::int32_t shown = std::min(static_cast<std::int32_t>(lines.size()),
                                        std::max<std::int32_t>(1, placement.fitting));
    for (std::int32_t k = 0; k < shown; ++k)
    {
        const auto i = static_cast<std::size_t>(k);
        if (!lines[i].empty())
            canvas->AddText(lines[i], placement.at[i], fontName, fontFile, points, nullptr);
    }
}

bool VelSheetPrinter::BeginPage(std::uint16_t formId)
{
    if (failed || !canvas)
        return false;
    if (!canvas->StartPage())
    {
        Fail("The printer refused a page.");
        return false;
    }
    SetBackground(formId, 0);
    const FCPoint frame = background ? canvas->GetFrameSize(background, 0) : FCPoint();
    if (frame.x > 0 && frame.y > 0)
        canvas->AddImage(background, 0, 0, 1.0, 1.0, nullptr);
    else if (std::find(missingForms.begin(), missingForms.end(), formId) == missingForms.end())
    {
        FC_LOG("Form %u is missing; its page is printed without it\n",
               static_cast<unsigned>(formId));
        missingForms.push_back(formId);
    }
    SetupPageScale();
    return true;
}

bool VelSheetPrinter::FinishPage()
{
    if (failed)
        return false;
    if (!canvas->PrintPage())
        Fail("A page could not be printed.");
    else if (!canvas->EndPage())
        Fail("A page could not be finished.");
    return !failed;
}

// ---------------------------------------------------------------------------
// Front page

bool VelSheetPrinter::PrintFrontPage(VelCharacter* character)
{
    if (!BeginPage(kFrontForm))
        return false;
    PrintFrontValues(character);
    PrintCombatValues(character);
    PrintAttacks(character);
    PrintFeats(character);
    PrintSkills(character, false);
    weaponCursor = 0;
    weaponsContinue = 0;
    rowCount = 0;
    cursorY = 1342;
    PrintWeaponRows(character, false);
    PrintGenerationBlock(character);
    return FinishPage();
}

void VelSheetPrinter::PrintFrontValues(const VelCharacter* character)
{
    fontSize = 12;
    AddText(ToSheetUpper(character->name), 82, 10, 340);
    fontSize = 14;
    AddTextBox(Plain(character->stats[VelEntity::kHitPoints]), 432, 6, 48, 38, kNumberBox);
    for (std::int16_t i = 0; i < static_cast<std::int16_t>(VelEntity::kAbilityCount); ++i)
        AddTextBox(Plain(character->abilities[static_cast<std::size_t>(i)]), 92,
                   static_cast<std::int16_t>(141 + 59 * i), 38, 45, kNumberBox);
    fontSize = 12;
    for (std::int16_t i = 0; i < static_cast<std::int16_t>(VelEntity::kAbilityCount); ++i)
        AddTextBox(Signed(GetAbilityModifier(static_cast<std::int16_t>(
                       character->abilities[static_cast<std::size_t>(i)]))),
                   181, static_cast<std::int16_t>(141 + 59 * i), 38, 45, kNumberBox);

    // The form names the classes beside their level rows; a character of
    // several classes is simply "MULTICLASS" here.
    fontSize = 12;
    const std::uint32_t classCount = character->classes.GetCount();
    if (classCount > 1)
        AddText("MULTICLASS", 382, 124, 290);
    else if (const VelCharacterClass* first = character->GetClassAt(0))
        AddText(ToSheetUpper(first->GetName()), 382, 124, 290);
    AddText(ToSheetUpper(character->GetRaceName()), 382, 166, 290);
    fontSize = 10;
    AddText(ToSheetUpper(character->GetAlignmentName()), 382, 208, 290);

    VelRulesWalk::Each<VelCharacterClass>(
        character->classes,
        [&](const VelCharacterClass& entry)
        {
            // The form has one row per class id; any other id has no place.
            if (entry.classId >= VelIds::kClassCount)
            {
                FC_LOG("Class %u has no level row on the sheet\n",
                       static_cast<unsigned>(entry.classId));
                return false;
            }
            std::string level = Plain(entry.level);
            if (entry.formerMember)
                level += "(X)";
            AddTextBox(level, 386, static_cast<std::int16_t>(247 + 21 * entry.classId), 50, 19,
                       kNumberBox);
            return false;
        });
    AddTextBox(Plain(character->GetTotalLevel()), 478, 334, 26, 34, kNumberBox);
}

void VelSheetPrinter::PrintCombatValues(const VelCharacter* character)
{
    fontSize = 14;
    AddTextBox(Plain(character->stats[VelEntity::kArmorClass]), 678, 134, 39, 46, kNumberBox);
    fontSize = 10;
    const std::int32_t armorParts[] = {
        Value(character, C::kValueArmorBonus),      Value(character, C::kValueShieldBonus),
        GetDexBonusToArmorClass(character),         GetSizeModifier(character),
        GetClassAndSizeArmorBonus(character, true),
    };
    const std::int16_t armorColumns[] = {787, 835, 883, 932, 980};
    for (std::size_t i = 0; i < std::size(armorParts); ++i)
        AddTextBox(Plain(armorParts[i]), armorColumns[i], 139, 29, 37, kNumberBox);

    struct Save
    {
        std::int16_t type;
        std::int16_t offset;
        std::uint32_t stat;
    };
    const Save saves[] = {
        {kSaveFortitude, 56, VelEntity::kFortitudeSave},
        {kSaveReflex, 0, VelEntity::kReflexSave},
        {kSaveWill, 112, VelEntity::kWillSave},
    };
    for (const Save& save : saves)
    {
        std::int16_t base = 0;
        std::int16_t ability = 0;
        std::int16_t misc = 0;
        GetSavingThrowParts(character, save.type, base, ability, misc);
        fontSize = 14;
        AddTextBox(Plain(character->stats[save.stat]), 678,
                   static_cast<std::int16_t>(210 + save.offset), 39, 46, kNumberBox);
        fontSize = 10;
        const auto y = static_cast<std::int16_t>(215 + save.offset);
        AddTextBox(Plain(base), 738, y, 29, 37, kNumberBox);
        AddTextBox(Plain(ability), 883, y, 29, 37, kNumberBox);
        AddTextBox(Plain(misc), 980, y, 29, 37, kNumberBox);
    }

    std::int16_t dexPart = 0;
    std::int16_t misc = 0;
    GetInitiativeParts(character, dexPart, misc);
    fontSize = 14;
    AddTextBox(Plain(character->stats[VelEntity::kInitiative]), 678, 394, 39, 46, kNumberBox);
    fontSize = 10;
    AddTextBox(Plain(dexPart), 883, 399, 29, 37, kNumberBox);
    AddTextBox(Plain(misc), 980, 399, 29, 37, kNumberBox);
}

void VelSheetPrinter::PrintAttacks(const VelCharacter* character)
{
    for (const bool ranged : {false, true})
    {
        const std::int16_t top = ranged ? 1081 : 708;
        std::int16_t base = 0;
        std::int16_t ability = 0;
        std::int16_t size = 0;
        std::int16_t misc = 0;
        std::int32_t total = GetAttackBonusParts(character, ranged, base, ability, size, misc);
        fontSize = 10;
        AddTextBox(Plain(ability), 19, top, 29, 37, kNumberBox);
        AddTextBox(Plain(size), 67, top, 29, 37, kNumberBox);
        AddTextBox(Plain(misc), 116, top, 29, 37, kNumberBox);
        // One line per attack: every 5 points of base attack above 0 give
        // one more, each 5 lower, as far as the form has lines.
        std::int32_t attack = base;
        std::int32_t y = top - 117;
        int line = 0;
        do
        {
            fontSize = 10;
            AddTextBox(Plain(attack), 198, static_cast<std::int16_t>(y + 5), 29, 37, kNumberBox);
            fontSize = 14;
            AddTextBox(Plain(total), 276, static_cast<std::int16_t>(y), 38, 48, kNumberBox);
            attack -= 5;
            total -= 5;
            y += 56;
        } while (attack > 0 && ++line < kAttackLines);
    }
}

void VelSheetPrinter::PrintFeats(const VelCharacter* character)
{
    fontSize = 6;
    lines.clear();
    VelRulesWalk::Each<VelCharacterFeat>(character->feats,
                                         [&](const VelCharacterFeat& feat)
                                         {
                                             const std::string name = feat.GetName();
                                             if (!name.empty())
                                                 lines.push_back(ToSheetUpper(name));
                                             return false;
                                         });
    std::sort(lines.begin(), lines.end());
    // Down to the origin and wealth block.
    PrintColumn(lines, 340, 600, 242, 1072, "feats");
    lines.clear();
}

void VelSheetPrinter::PrintSkills(const VelCharacter* character, bool continuation)
{
    fontSize = 10;
    skillsContinue = 0;
    std::uint16_t toPassOver = 0;
    std::int32_t freeRows = 3;
    std::int32_t firstRow = kFirstFreeSkillRow;
    std::int32_t top = 585;
    if (!continuation)
        skillsPrinted = 0;
    else
    {
        toPassOver = skillsPrinted;
        freeRows = 20;
        firstRow = 0;
        top = 102;
    }
    std::int32_t rowsUsed = 0;
    VelRulesWalk::Each<VelCharacterSkill>(
        character->skills,
        [&](const VelCharacterSkill& skill)
        {
            const VelSkillInfo* record = VelDatabase::FindSkill(skill.skillId);
            if (!record)
                return false;
            const auto row = static_cast<std::int16_t>(record->sheetRow);
            if (row > kLastSkillRow)
                return false;
            // A row printed on the form names one skill; a sub-skill always
            // needs a row of its own.
            const bool hasSubSkill = skill.subSkillId != VelCharacterSkill::kNoSubSkill;
            if (row >= 0 && row <= kLastPrintedSkillRow && !hasSubSkill)
            {
                if (!continuation)
                    PrintSkillRow(character, skill.skillId, skill.subSkillId, row, top, false);
                return false;
            }
            if (toPassOver > 0)
            {
                --toPassOver;
                return false;
            }
            if (rowsUsed < freeRows)
            {
                ++skillsPrinted;
                PrintSkillRow(character, skill.skillId, skill.subSkillId, firstRow + rowsUsed, top,
                              true);
                ++rowsUsed;
                return false;
            }
            skillsContinue = 1;
            return continuation;
        });
}

void VelSheetPrinter::PrintSkillRow(const VelCharacter* character, std::uint16_t skillId,
                                    std::uint16_t subSkillId, std::int32_t row, std::int32_t top,
                                    bool named)
{
    const auto y = static_cast<std::int16_t>(top + kSkillPitch * row);
    float ranks = 0.0f;
    std::int16_t ability = 0;
    std::int16_t misc = 0;
    const float total = GetSkillModifier(character, skillId, subSkillId, &ranks, &ability, &misc);
    if (named)
    {
        fontSize = 8;
        if (const VelSkillInfo* record = VelDatabase::FindSkill(skillId))
            AddTextBox(ToSheetUpper(record->name), 590, y, 102, 18, kLeftBox);
        if (subSkillId != VelCharacterSkill::kNoSubSkill)
            if (const VelSubSkillInfo* sub = VelDatabase::FindSubSkill(skillId, subSkillId))
                AddTextBox(ToSheetUpper(sub->name), 697, y, 127, 18, kLeftBox);
    }
    fontSize = 10;
    AddTextBox(FloatToString(total, true), 847, y, 50, 18, kNumberBox);
    AddTextBox(FloatToString(ranks, true), 906, y, 50, 18, kNumberBox);
    AddTextBox(IntToString(ability, false), 965, y, 50, 18, kNumberBox);
    AddTextBox(IntToString(misc, false), 1024, y, 50, 18, kNumberBox);
}

void VelSheetPrinter::PrintGenerationBlock(const VelCharacter* character)
{
    fontSize = 6;
    const std::int32_t counts[] = {
        Value(character, C::kValueSetUpAsNew), // the roll count
        Value(character, C::kValueStepsUp),
        Value(character, C::kValueStepsDown),
        character->hitPointBonus,
        GetPointBuyTotal(character),
    };
    const std::int16_t rows[] = {1102, 1126, 1150, 1174, 1199};
    for (std::size_t i = 0; i < std::size(counts); ++i)
        AddTextBox(Plain(counts[i]), 426, rows[i], 22, 15, kNumberBox);

    AddTextBox(Text(kGenerationMethodText + character->abilityMethod), 456, 1112, 86, 14, kBox);
    // The items page shows the same sum.
    AddTextBox(Plain(GetWealth(character)), 456, 1156, 86, 12, kNumberBox);
    // Characters from the first file version never recorded it.
    AddTextBox(character->startingMoney == 0
                   ? std::string("v 1.0")
                   : Plain(static_cast<std::int32_t>(character->startingMoney)),
               456, 1199, 86, 12, kBox);
}

// ---------------------------------------------------------------------------
// Weapons

bool VelSheetPrinter::HasFilledHand(const VelCharacter* character, const VelCharacterEquip& set,
                                    std::int16_t hand) const
{
    const std::uint16_t key = set.slots[static_cast<std::size_t>(hand)];
    if (key == VelCharacterEquip::kEmptySlot)
        return false;
    const VelCharacterItem* item = character->FindItem(key);
    return item && item->GetHeldObject();
}

bool VelSheetPrinter::WeaponsRemain(const VelCharacter* character) const
{
    for (std::size_t i = weaponCursor; i < character->equipSets.GetCount(); ++i)
        if (const auto* set = static_cast<const VelCharacterEquip*>(
                character->equipSets.GetAt(static_cast<std::int32_t>(i))))
            if (HasFilledHand(character, *set, kOffHand) ||
                HasFilledHand(character, *set, kMainHand))
                return true;
    return false;
}

bool VelSheetPrinter::PrintWeaponRows(const VelCharacter* character, bool overflowPage)
{
    const std::uint16_t limit = overflowPage ? kOverflowWeaponRows : kFrontWeaponRows;
    weaponsContinue = 0;
    while (weaponCursor < character->equipSets.GetCount())
    {
        const auto* set = static_cast<const VelCharacterEquip*>(
            character->equipSets.GetAt(static_cast<std::int32_t>(weaponCursor)));
        ++weaponCursor;
        if (!set)
            continue;
        const bool off = HasFilledHand(character, *set, kOffHand);
        const bool main = HasFilledHand(character, *set, kMainHand);
        // A set takes its rows on one page.
        if (off && main && rowCount + 1 >= limit)
        {
            --weaponCursor;
            weaponsContinue = 1;
            return true;
        }
        if (off && main && set->gripMode == VelCharacterEquip::kTwoWeapons)
        {
            fontSize = 72;
            AddText("]", 470, static_cast<std::int16_t>(cursorY - 28));
        }
        if (off)
            PrintWeaponRow(character, *set, kOffHand);
        if (main)
            PrintWeaponRow(character, *set, kMainHand);
        if (rowCount >= limit)
        {
            // Only a set with something in its hands is worth another page.
            weaponsContinue = WeaponsRemain(character) ? 1 : 0;
            return true;
        }
    }
    return true;
}

void VelSheetPrinter::PrintWeaponRow(const VelCharacter* character, const VelCharacterEquip& set,
                                     std::int16_t hand)
{
    const VelCharacterItem* item = character->FindItem(set.slots[static_cast<std::size_t>(hand)]);
    const auto* weapon = dynamic_cast<const VelWeaponInfo*>(item->GetHeldObject());
    const std::int16_t y = static_cast<std::int16_t>(cursorY);
    fontSize = 6;
    AddTextBox(WeaponLabel(set.gripMode, hand), 10, y, 47, 24, kBox);
    fontSize = 8;
    // The form's damage box starts 6 units into the name's 228.
    AddTextBox(ToSheetUpper(item->GetName()), 70, y, 222, 24, kLeftBox);
    fontSize = 6;
    AddTextBox(FormatDamageRange(character, weapon, &set, hand), 294, y, 51, 24, kNumberBox);
    AddTextBox(FormatCriticalRange(character, weapon), 350, y, 72, 24, kNumberBox);
    AddTextBox(FormatRangeIncrement(character, weapon), 427, y, 42, 24, kNumberBox);

    const std::int32_t parts[] = {
        character->stats[VelEntity::kBaseAttack],    GetWeaponAbilityModifier(character, weapon),
        GetTwoWeaponPenalty(character, &set, hand),  GetHandAttackAdjustment(character, &set, hand),
        GetWeaponAttackBonus(character, &set, hand),
    };
    const std::int16_t columns[] = {68, 117, 164, 212, 261};
    std::int32_t total = 0;
    fontSize = 10;
    for (std::size_t i = 0; i < std::size(parts); ++i)
    {
        AddTextBox(Plain(parts[i]), columns[i], static_cast<std::int16_t>(y + 34), 27, 35,
                   kNumberBox);
        total += parts[i];
    }
    fontSize = 14;
    AddTextBox(Plain(total), 6, static_cast<std::int16_t>(y + 34), 37, 46, kNumberBox);
    ++rowCount;
    cursorY = static_cast<std::uint16_t>(cursorY + kWeaponPitch);
}

// ---------------------------------------------------------------------------
// Second page

bool VelSheetPrinter::PrintSecondPage(VelCharacter* character)
{
    if (!BeginPage(kSecondForm))
        return false;
    PrintRacialTraits(character);
    PrintClassFeatures(character);
    PrintLanguages(character);
    PrintGoods(character);
    PrintDescription(character);
    PrintArmor(character);
    PrintNextLevelExperience(character);
    PrintMoney(character);
    PrintLoad(character);
    PrintAnimals(character);
    return FinishPage();
}

void VelSheetPrinter::PrintColumn(const std::vector<std::string>& names, std::int16_t x,
                                  std::int16_t top, std::int16_t width, std::int16_t bottom,
                                  const char* what)
{
    if (names.empty())
        return;
    const std::int32_t lineHeight = LineHeight();
    // The room for the tops of the lines after the first.
    const std::int32_t room = std::max<std::int32_t>(0, bottom - top - lineHeight);
    const auto count = static_cast<std::int32_t>(names.size());
    std::int32_t pitch = kListPitch;
    if (count > 1 && (count - 1) * pitch > room)
        pitch = std::max(lineHeight, room / (count - 1));
    const std::int32_t fitting = std::min(count, room / pitch + 1);
    if (fitting < count)
        FC_LOG("The sheet has room for %d of %d %s\n", fitting, count, what);
    for (std::int32_t k = 0; k < fitting; ++k)
        AddText(names[static_cast<std::size_t>(k)], x, static_cast<std::int16_t>(top + pitch * k),
                width);
}

void VelSheetPrinter::PrintRacialTraits(const VelCharacter* character)
{
    fontSize = 8;
    lines.clear();
    VelDatabase::ForEach<VelRaceFeatureInfo>(VelDatabase::kTagRaceFeature,
                                             [&](const VelRaceFeatureInfo& trait)
                                             {
                                                 if (trait.raceId == character->raceId)
                                                     lines.push_back(ToSheetUpper(trait.name));
                                             });
    // Down to the languages.
    PrintColumn(lines, 11, 106, 280, 548, "racial traits");
    lines.clear();
}

void VelSheetPrinter::PrintClassFeatures(const VelCharacter* character)
{
    fontSize = 8;
    std::int32_t count = 0;
    const auto line = [&](const std::string& text)
    {
        AddText(text, 302, static_cast<std::int16_t>(106 + kListPitch * count), 282);
        ++count;
    };
    for (std::size_t i = 0; i < C::kProficiencyCount; ++i)
        if (character->proficiencies[i] == 1)
            if (const VelFeatureInfo* record = VelDatabase::FindFeature(
                    static_cast<std::uint16_t>(kFirstProficiencyFeature + i)))
                line(ToSheetUpper(record->name));
    VelRulesWalk::Each<VelCharacterClass>(
        character->classes,
        [&](const VelCharacterClass& entry)
        {
            bool full = false;
            VelRulesWalk::Each<VelCharacterFeature>(
                character->features,
                [&](const VelCharacterFeature& feature)
                {
                    if (feature.source != entry.classId)
                        return false;
                    const VelFeatureInfo* record = VelDatabase::FindFeature(feature.featureId);
                    if (!record || record->firstFlag != 0)
                        return false;
                    line(ToSheetUpper(feature.GetName(character)));
                    full = count >= kMaxFeatureLines;
                    return full;
                });
            if (full)
                return true;
            if (entry.classId == VelIds::kClassBerserker &&
                character->HasSkill(VelIds::kSkillLiteracy, VelCharacterSkill::kNoSubSkill))
                line("LITERACY");
            return count >= kMaxFeatureLines;
        });
}

void VelSheetPrinter::PrintLanguages(const VelCharacter* character)
{
    fontSize = 8;
    std::vector<std::uint16_t> known;
    CollectKnownLanguages(character, known);
    lines.clear();
    std::vector<std::uint16_t> listed;
    for (const std::uint16_t id : known)
    {
        // A language known both ways is still one language.
        if (std::find(listed.begin(), listed.end(), id) != listed.end())
            continue;
        listed.push_back(id);
        if (const VelLanguageInfo* record = VelDatabase::FindLanguage(id))
            lines.push_back(ToSheetUpper(record->name));
    }
    // Down to the armour.
    PrintColumn(lines, 11, 588, 280, 1086, "languages");
    lines.clear();
}

void VelSheetPrinter::PrintGoods(const VelCharacter* character)
{
    for (FCObjectVector& list : goodsLists)
        list.Clear();
    std::array<std::vector<Item*>, 2> sorted;
    VelRulesWalk::Each<Item>(character->items,
                             [&](Item& item)
                             {
                                 if (item.GetHeldObject())
                                     sorted[item.placement == Item::kNotOnBody ? 1 : 0].push_back(
                                         &item);
                                 return false;
                             });
    for (std::size_t i = 0; i < sorted.size(); ++i)
    {
        std::stable_sort(sorted[i].begin(), sorted[i].end(), GoodsBefore);
        for (Item* item : sorted[i])
            goodsLists[i].Append(item);
        goodsLists[i].ResetCursor();
    }
    goodsContinue = 0;
    rowCount = 0;
    cursorY = 103;
    PrintGoodsRows();
    fontSize = 8;
    AddTextBox(FloatToString(character->carriedWeight, true), 954, 843, 93, 20, kNumberBox);
}

void VelSheetPrinter::PrintGoodsRows()
{
    goodsContinue = 0;
    for (std::size_t i = 0; i < goodsLists.size(); ++i)
    {
        FCObject* object = nullptr;
        while (goodsLists[i].GetNext(object))
        {
            const auto* item = static_cast<const Item*>(object);
            const std::int16_t y = static_cast<std::int16_t>(cursorY);
            fontSize = 8;
            if (i == 0)
                AddTextBox("X", 596, y, 23, 20, kBox);
            AddText(ToSheetUpper(item->GetName()), 622, static_cast<std::int16_t>(y + 2), 376);
            AddTextBox(FloatToString(GetItemWeight(item->GetHeldObject(), item->options), true),
                       1002, y, 47, 20, kNumberBox);
            ++rowCount;
            cursorY = static_cast<std::uint16_t>(cursorY + kGoodsPitch);
            if (rowCount >= kGoodsRowsPerPage)
            {
                // Another page only while entries remain.
                const FCObjectVectorCursor& here = goodsLists[i].GetCursor();
                const bool more = here.position < goodsLists[i].GetCount() ||
                                  (i == 0 && goodsLists[1].GetCount() > 0);
                goodsContinue = more ? 1 : 0;
                return;
            }
        }
    }
}

void VelSheetPrinter::PrintDescription(const VelCharacter* character)
{
    const std::int32_t height = Value(character, C::kValueHeight);
    const VelSizeInfo* size = VelDatabase::FindSize(character->GetSizeId());
    struct Cell
    {
        std::string text;
        std::uint16_t points;
        std::int16_t x;
        std::int16_t y;
        std::int16_t width;
        std::int16_t height;
    };
    const Cell cells[] = {
        {Plain(Value(character, C::kValueAge)), 16, 368, 856, 69, 46},
        {Plain(Value(character, C::kValueWeight)), 16, 368, 912, 69, 46},
        {Plain(height / 12), 16, 368, 968, 37, 46},
        {Plain(height % 12), 14, 410, 968, 26, 34},
        {character->sex == 0 ? "M" : "F", 16, 522, 856, 36, 45},
        {size && !size->name.empty() ? size->name.substr(0, 1) : std::string(), 16, 522, 912, 36,
         45},
    };
    for (const Cell& cell : cells)
    {
        fontSize = cell.points;
        AddTextBox(cell.text, cell.x, cell.y, cell.width, cell.height, kNumberBox);
    }
    fontSize = 6;
    for (std::size_t i = 0; i < C::kNoteCount; ++i)
        AddText(ToSheetUpper(character->notes[i]), 707, static_cast<std::int16_t>(900 + 21 * i),
                558);
}

void VelSheetPrinter::PrintArmor(const VelCharacter* character)
{
    const auto row = [&](const Item& item, std::int16_t y, const std::string(&values)[5])
    {
        std::string name = ToSheetUpper(item.GetHeldObject()->name);
        if (item.options & Item::kMasterwork)
            name += " MW";
        fontSize = 6;
        AddTextBox(name, 12, y, 178, 33, kLeftBox);
        fontSize = 10;
        const std::int16_t columns[] = {191, 246, 301, 356, 411};
        for (std::size_t i = 0; i < std::size(columns); ++i)
            AddTextBox(values[i], columns[i], y, 53, 33, kNumberBox);
    };
    const auto bonusText = [](std::int16_t bonus)
    { return bonus > 0 ? Signed(bonus) : std::string("-"); };

    if (const Item* armor = character->GetWornArmor())
        if (const auto* record = dynamic_cast<const VelArmorInfo*>(armor->GetHeldObject()))
        {
            std::int16_t bonus = 0, maxDex = 0, penalty = 0, failure = 0, speed = 0;
            GetArmorStats(character, record, armor->options,
                          static_cast<std::int32_t>(armor->count), bonus, maxDex, penalty, failure,
                          speed);
            const std::string values[5] = {bonusText(bonus), Signed(maxDex), Plain(penalty),
                                           Plain(failure) + "%", Plain(speed) + " ft"};
            row(*armor, 1142, values);
        }
    const Item* shields[] = {character->GetFirstShield(), character->GetSecondShield()};
    for (std::size_t k = 0; k < std::size(shields); ++k)
    {
        const Item* shield = shields[k];
        const auto* record =
            shield ? dynamic_cast<const VelShieldInfo*>(shield->GetHeldObject()) : nullptr;
        if (!record)
            continue;
        std::int16_t bonus = 0, penalty = 0, failure = 0;
        GetShieldStats(character, record, shield->options, static_cast<std::int32_t>(shield->count),
                       bonus, penalty, failure);
        const std::string values[5] = {bonusText(bonus), "-", Plain(penalty), Plain(failure) + "%",
                                       "-"};
        row(*shield, static_cast<std::int16_t>(1142 + 37 * (k + 1)), values);
    }
}

void VelSheetPrinter::PrintNextLevelExperience(const VelCharacter* character)
{
    fontSize = 10;
    const std::int32_t next = GetExperienceForNextLevel(character);
    AddTextBox(next > 0 ? Plain(next) : std::string("-"), 881, 1115, 166, 20, kNumberBox);
}

void VelSheetPrinter::PrintMoney(const VelCharacter* character)
{
    fontSize = 10;
    const auto& coins = character->money.coins;
    AddTextBox(Plain(coins[2]), 637, 1220, 98, 20, kNumberBox);
    if (coins[1] > 0)
        AddTextBox(Plain(coins[1]), 637, 1271, 98, 20, kNumberBox);
    if (coins[0] > 0)
        AddTextBox(Plain(coins[0]), 637, 1296, 98, 20, kNumberBox);
}

void VelSheetPrinter::PrintLoad(const VelCharacter* character)
{
    fontSize = 6;
    // The equipment page's word for too much is too long for the box: the
    // sheet's own breaks it over two lines.
    const std::int32_t load = Value(character, C::kValueLoad);
    AddTextLines(
        Lines(ToSheetUpper(Text(load == kLoadOverloaded ? kOverloadedText : kLoadText + load))), 13,
        1383, 59, 33, kBox);
    fontSize = 10;
    AddTextBox(Signed(Value(character, C::kValueMaxDexBonus)), 74, 1383, 53, 33, kNumberBox);
    AddTextBox(Plain(Value(character, C::kValueLoadCheckPenalty)), 129, 1383, 53, 33, kNumberBox);
    AddTextBox(Plain(character->stats[VelEntity::kSpeed]) + " ft", 183, 1383, 52, 33, kNumberBox);
    AddTextBox("x" + Plain(Value(character, C::kValueRunMultiplier)), 239, 1383, 51, 33,
               kNumberBox);
}

void VelSheetPrinter::PrintAnimals(const VelCharacter* character)
{
    std::int32_t shown = 0;
    VelRulesWalk::Each<VelCharacterAnimal>(
        character->animals,
        [&](const VelCharacterAnimal& animal)
        {
            const auto y = static_cast<std::int16_t>(1382 + 37 * shown);
            const VelAnimalInfo* record = VelDatabase::FindAnimal(animal.animalId);
            fontSize = 8;
            // The kind on a second line, 16 lower: its ink ends above the
            // box's bottom line.
            AddTextBox(ToSheetUpper(animal.text), 354, y, 288, 33, BoxCenterH);
            if (record)
            {
                AddTextBox(ToSheetUpper(record->name), 354, static_cast<std::int16_t>(y + 16), 288,
                           17, BoxCenterH);
                const auto level =
                    static_cast<std::int16_t>(character->GetClassLevel(animal.secondKey));
                AddTextBox(HitDiceText(GetAnimalHitDice(
                               record, static_cast<std::int16_t>(animal.kind), level)),
                           645, y, 39, 33, kNumberBox);
            }
            AddTextBox(Plain(animal.stats[VelEntity::kArmorClass]), 686, y, 40, 33, kNumberBox);
            AddTextBox(Plain(animal.stats[VelEntity::kHitPoints]), 728, y, 40, 33, kNumberBox);
            // One attack a line, never parted from its dice or bonus, from
            // the top as a wrapped box sets its lines.
            AddTextLines(Lines(FormatAnimalAttackBonuses(&animal, true)), 770, y, 128, 33, 0);
            AddTextLines(Lines(FormatAnimalAttacks(&animal, true)), 899, y, 128, 33, 0);
            AddTextBox(Plain(animal.stats[VelEntity::kSpeed]), 1028, y, 51, 33, kNumberBox);
            return ++shown >= kMaxAnimals;
        });
}

// ---------------------------------------------------------------------------
// Spell pages

bool VelSheetPrinter::PrintSpellPages(VelCharacter* character)
{
    VelRulesWalk::Each<VelCharacterClass>(character->classes,
                                          [&](const VelCharacterClass& entry)
                                          {
                                              const std::int16_t highest =
                                                  HighestSpellLevel(&entry);
                                              if (ClassCastsSpells(&entry) && highest >= 0)
                                                  PrintClassSpells(character, entry, highest);
                                              return failed;
                                          });
    return !failed;
}

bool VelSheetPrinter::StartSpellPage(const VelCharacter* character, const VelCharacterClass& entry)
{
    if (!BeginPage(kSpellForm))
        return false;
    const VelClassInfo* record = VelDatabase::FindClass(entry.classId);
    fontSize = 12;
    if (record)
        AddText(ToSheetUpper(record->name), 250, 28);
    // A priest with a domain casts one more spell of each level from the
    // first, as the spells page shows; a scholar with a specialty one more
    // of every level.
    const bool domain = entry.classId == VelIds::kClassPriest && character->HasAnyDomain();
    const bool specialty =
        entry.classId == VelIds::kClassScholarCaster && character->HasSpecialtySchool();
    for (std::size_t i = 0; i < VelCharacterClass::kSpellLevelCount; ++i)
    {
        const std::int16_t perDay = entry.spellsPerDay[i];
        if (perDay < 0)
            continue;
        const bool extra = specialty || (domain && i > 0);
        const auto y = static_cast<std::int16_t>(117 + 59 * i);
        fontSize = extra ? 8 : 10;
        AddTextBox(Plain(perDay) + (extra ? "+1" : ""), 15, y, 37, 46, kNumberBox);
        fontSize = 10;
        const std::int16_t difficulty =
            record ? GetSpellSaveDifficulty(character, record, static_cast<std::int16_t>(i))
                   : kNoSaveDifficulty;
        if (difficulty != kNoSaveDifficulty)
            AddTextBox(Plain(difficulty), 86, y, 37, 46, kNumberBox);
    }
    rowCount = 0;
    return true;
}

bool VelSheetPrinter::EndSpellPage()
{
    rowCount = 0;
    cursorY = kSpellTop;
    return FinishPage();
}

void VelSheetPrinter::BeginSpellRow(const VelCharacter* character, std::uint16_t keptTogether)
{
    // A heading keeps the rows it introduces on its page: rather than end
    // a page, it opens the next one.
    if (!spellPagePending && rowCount + keptTogether > kSpellRowsPerPage + 1)
    {
        EndSpellPage();
        spellPagePending = true;
    }
    if (!spellPagePending || !spellClass)
        return;
    StartSpellPage(character, *spellClass);
    cursorY = kSpellTop;
    spellPagePending = false;
}

void VelSheetPrinter::AddSpellLine(const VelCharacter* character, const std::string& text,
                                   std::uint16_t points, std::uint16_t keptTogether)
{
    BeginSpellRow(character, keptTogether);
    fontSize = points;
    AddText(text, 244, static_cast<std::int16_t>(cursorY));
    EndSpellRow();
}

void VelSheetPrinter::AddEmptySpellRow()
{
    // Nothing to set apart at the top of a page.
    if (!spellPagePending)
        EndSpellRow();
}

void VelSheetPrinter::EndSpellRow()
{
    cursorY = static_cast<std::uint16_t>(cursorY + kSpellPitch);
    ++rowCount;
    if (rowCount > kSpellRowsPerPage)
    {
        EndSpellPage();
        spellPagePending = true;
    }
}

void VelSheetPrinter::PrintClassSpells(const VelCharacter* character,
                                       const VelCharacterClass& entry, std::int16_t highestLevel)
{
    rowCount = 0;
    cursorY = 0;
    spellClass = &entry;
    spellPagePending = true;
    const std::uint16_t classId = entry.classId;
    // The scholar reads the innate caster's list, and its own rows for the
    // spells that list lacks.
    const std::uint16_t lookupClass =
        classId == VelIds::kClassScholarCaster ? VelIds::kClassInnateCaster : classId;
    const bool marking = classId == VelIds::kClassScholarCaster ||
                         classId == VelIds::kClassInnateCaster || classId == VelIds::kClassMinstrel;
    const bool secondMark =
        classId == VelIds::kClassInnateCaster || classId == VelIds::kClassMinstrel;

    if (classId == VelIds::kClassPriest && character->HasAnyDomain())
    {
        BeginSpellRow(character);
        for (const std::uint16_t domainId : character->domainIds)
        {
            if (static_cast<std::int16_t>(domainId) < 0)
                continue;
            PrintDomainSpells(character, highestLevel, domainId);
            AddEmptySpellRow();
        }
    }
    const FCObjectMap* spells = VelDatabase::GetMap(VelDatabase::kTagSpell);
    for (std::int16_t level = 0; level <= highestLevel && !failed; ++level)
    {
        if (level > 0)
            AddEmptySpellRow();
        if (level == 0 && classId == VelIds::kClassScholarCaster)
            PrintSchools(character);
        AddSpellLine(character, FormatOrdinal(level) + " LEVEL SPELLS", 10, 2);
        if (!spells)
            continue;
        VelRulesWalk::Each<VelSpellInfo>(
            *spells,
            [&](const VelSpellInfo& spell)
            {
                const auto spellId = static_cast<std::uint16_t>(spell.key);
                const VelSpellLevelInfo* row =
                    VelDatabase::FindClassSpellLevel(spellId, lookupClass);
                if (!row && classId == VelIds::kClassScholarCaster)
                    row = VelDatabase::FindClassSpellLevel(spellId, classId);
                if (!row || static_cast<std::int16_t>(row->level) != level)
                    return false;
                BeginSpellRow(character);
                fontSize = 8;
                AddText(ToSheetUpper(spell.name), 244, static_cast<std::int16_t>(cursorY + 2),
                        kSpellNameWidth);
                const auto y = static_cast<std::int16_t>(cursorY);
                if (!marking)
                    AddTextBox("-", 164, y, 24, 20, kBox);
                else if (character->HasSpell(spellId, classId))
                    AddTextBox("X", 164, y, 24, 20, kBox);
                if (secondMark)
                    AddTextBox("-", 190, y, 25, 20, kBox);
                PrintSpellDetails(spell);
                EndSpellRow();
                return failed;
            });
    }
    if (rowCount > 0 && !spellPagePending)
        EndSpellPage();
    spellClass = nullptr;
    spellPagePending = false;
}

void VelSheetPrinter::PrintDomainSpells(const VelCharacter* character, std::int16_t highestLevel,
                                        std::uint16_t domainId)
{
    const VelDomainInfo* domain = VelDatabase::FindDomain(domainId);
    if (!domain)
    {
        FC_LOG("Domain %u is not in the database; the sheet leaves it out\n",
               static_cast<unsigned>(domainId));
        return;
    }
    AddSpellLine(character, "DOMAIN: " + ToSheetUpper(domain->name), 10, 3);
    AddSpellLine(character, ToSheetUpper(domain->chosenText), 8, 2);
    const FCObjectMap* spells = VelDatabase::GetMap(VelDatabase::kTagSpell);
    for (std::int16_t level = 0; level <= highestLevel && spells && !failed; ++level)
    {
        VelRulesWalk::Each<VelSpellInfo>(
            *spells,
            [&](const VelSpellInfo& spell)
            {
                const VelSpellLevelInfo* row = VelDatabase::FindDomainSpellLevel(
                    static_cast<std::uint16_t>(spell.key), domainId);
                if (!row || static_cast<std::int16_t>(row->level) != level)
                    return false;
                BeginSpellRow(character);
                fontSize = 8;
                AddText(ToSheetUpper(spell.name) + " (" + Plain(level) + ")", 244,
                        static_cast<std::int16_t>(cursorY + 2), kSpellNameWidth);
                AddTextBox("-", 164, static_cast<std::int16_t>(cursorY), 24, 20, kBox);
                PrintSpellDetails(spell);
                EndSpellRow();
                return failed;
            });
    }
}

void VelSheetPrinter::PrintSchools(const VelCharacter* character)
{
    if (!character->HasSpecialtySchool() && character->CountProhibitedSchools() <= 0)
        return;
    const auto schoolName = [](std::uint16_t slot)
    {
        const VelSchoolInfo* school =
            static_cast<std::int16_t>(slot) >= 0 ? VelDatabase::FindSchool(slot) : nullptr;
        return school ? school->name : std::string();
    };
    AddSpellLine(character, "SPECIALTY", 10, 2);
    AddSpellLine(character, schoolName(character->schoolSlots[C::kSpecialtySlot]), 8, 1);
    AddEmptySpellRow();
    AddSpellLine(character, "PROHIBITED", 10, 2);
    for (std::size_t slot = C::kFirstProhibitedSlot; slot < C::kSchoolSlotCount; ++slot)
        if (static_cast<std::int16_t>(character->schoolSlots[slot]) >= 0)
            AddSpellLine(character, schoolName(character->schoolSlots[slot]), 8, 1);
    AddEmptySpellRow();
}

void VelSheetPrinter::PrintSpellDetails(const VelSpellInfo& spell)
{
    // count, unit, range, duration, saving throw
    const auto word = [&](std::size_t i) { return static_cast<std::int16_t>(spell.words[i]); };
    fontSize = 6;
    const auto y = static_cast<std::int16_t>(cursorY + 3);
    if (word(1) >= 0)
    {
        // A time that only the spell's text can give has no count.
        const std::string unit = Text(kSpellUnitText + word(1));
        if (!unit.empty())
            AddText(word(0) >= 0 ? Plain(word(0)) + " " + unit : unit, 482, y, 79);
    }
    if (word(2) >= 0)
        AddText(Text(kSpellRangeText + word(2)), 565, y, 233);
    if (word(3) >= 0)
    {
        AddText(Text(kSpellDurationText + word(3)), 802, y, 179);
        if (word(4) >= 0)
            AddText(Text(kSpellSaveText + word(4)), 985, y, 280);
    }
}

// ---------------------------------------------------------------------------
// Overflow pages

bool VelSheetPrinter::PrintOverflowPage(VelCharacter* character)
{
    if (!weaponsContinue && !goodsContinue && !skillsContinue)
        return false;
    if (!BeginPage(kOverflowForm))
        return false;
    if (weaponsContinue)
    {
        cursorY = 96;
        rowCount = 0;
        PrintWeaponRows(character, true);
    }
    if (goodsContinue)
    {
        cursorY = 654;
        rowCount = 0;
        PrintGoodsRows();
    }
    if (skillsContinue)
        PrintSkills(character, true);
    return FinishPage();
}
