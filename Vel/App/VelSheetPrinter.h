#pragma once

#include "Fc/Core/FCObject.h"
#include "Fc/Core/FCObjectVector.h"
#include "Fc/Core/FCOwnership.h"
#include "Fc/Devices/FCPrintCanvas.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class FCImageSet;
class FCPrinter;
class VelCharacter;
class VelCharacterClass;
class VelCharacterEquip;
class VelCharacterItem;
class VelSpellInfo;

// Prints one character as a character sheet: each page is a pre-drawn form
// image stretched over the whole page, with the character's values written
// into its boxes. Positions are given in the form's own pixels (the design
// space) and scaled to the printer's page. Lists that do not fit their page
// (weapons, goods, skills) go on over overflow pages; every spellcasting
// class gets its own run of spell pages.
//
// A job prints one document and is then thrown away. Nothing the job does
// changes the character.
class VelSheetPrinter : public FCObject
{
public:
    // Box flags of AddTextBox.
    static constexpr std::uint32_t BoxCenterH = 2;
    static constexpr std::uint32_t BoxCenterV = 8;
    static constexpr std::uint32_t BoxWrap = 16;
    // A number: set smaller when it is too wide for its box, never cut.
    static constexpr std::uint32_t BoxWhole = 0x100;

    // The form images, one per kind of page.
    static constexpr std::uint16_t kFrontForm = 9500;
    static constexpr std::uint16_t kSecondForm = 9501;
    static constexpr std::uint16_t kSpellForm = 9502;
    static constexpr std::uint16_t kOverflowForm = 9503;
    // The forms' own size: the design space of a page whose form is missing.
    static constexpr std::int32_t kFormWidth = 1275;
    static constexpr std::int32_t kFormHeight = 1650;

    static constexpr const char* kFontName = "Times New Roman";
    // A text too wide for its place is set smaller, down to this size.
    static constexpr std::uint16_t kSmallestPoints = 5;

    VelSheetPrinter();
    ~VelSheetPrinter() override;
    VelSheetPrinter(const VelSheetPrinter&) = delete;
    VelSheetPrinter& operator=(const VelSheetPrinter&) = delete;

    // The whole document. True only when the printer took every page and
    // the document went to a printer or into a file.
    bool Print(VelCharacter* character, const std::string& documentName);
    // What became of the document of the last Print: the canvas's account,
    // made to agree with Print's result (never "sent" after a failure).
    const FCPrintOutcome& GetOutcome() const { return outcome; }
    // The forms the asset index lacked: their pages were printed bare.
    const std::vector<std::uint16_t>& GetMissingForms() const { return missingForms; }
    // The outcome in words, for the user.
    std::string DescribeOutcome() const;

    // Upper case for the sheet: ASCII and the Windows-1252 letters.
    static std::string ToSheetUpper(const std::string& text);

    bool EnsureCanvas();
    void SetBackground(std::uint16_t imageSetId, std::uint16_t frame);
    bool SetupPageScale();
    void SetFont(const std::string& name, const std::string& file, std::uint16_t points);
    // A text with its top-left corner at the design point; it may reach the
    // right edge of the page, or of its column when a width is given.
    void AddText(const std::string& text, std::int16_t x, std::int16_t y);
    void AddText(const std::string& text, std::int16_t x, std::int16_t y, std::int16_t width);
    // A text inside a box, clear of its lines, placed by its ink (the glyphs
    // it draws): set smaller only when the ink cannot fit the box at the
    // current size. Wrapped lines run from the top of the box, not centred.
    void AddTextBox(const std::string& text, std::int16_t x, std::int16_t y, std::int16_t width,
                    std::int16_t height, std::uint32_t flags);
    // Lines one under the other in a box, all at the size whose ink fits it.
    void AddTextLines(const std::vector<std::string>& text, std::int16_t x, std::int16_t y,
                      std::int16_t width, std::int16_t height, std::uint32_t flags);

    bool PrintFrontPage(VelCharacter* character);
    bool PrintSecondPage(VelCharacter* character);
    bool PrintSpellPages(VelCharacter* character);
    // One more page of whatever list is still going; false when nothing is
    // left or the printer failed.
    bool PrintOverflowPage(VelCharacter* character);

protected:
    // The page frame: the form under everything, then the sections.
    bool BeginPage(std::uint16_t formId);
    bool FinishPage();
    // Notes the first failing printer call; nothing reaches the canvas after.
    void Fail(const char* what);
    void ResetLayout();

    // Front page.
    void PrintFrontValues(const VelCharacter* character);
    void PrintCombatValues(const VelCharacter* character);
    void PrintAttacks(const VelCharacter* character);
    void PrintFeats(const VelCharacter* character);
    void PrintSkills(const VelCharacter* character, bool continuation);
    void PrintSkillRow(const VelCharacter* character, std::uint16_t skillId,
                       std::uint16_t subSkillId, std::int32_t row, std::int32_t top, bool named);
    void PrintGenerationBlock(const VelCharacter* character);

    // Weapons, on the front page and overflow pages.
    bool PrintWeaponRows(const VelCharacter* character, bool overflowPage);
    void PrintWeaponRow(const VelCharacter* character, const VelCharacterEquip& set,
                        std::int16_t hand);
    bool HasFilledHand(const VelCharacter* character, const VelCharacterEquip& set,
                       std::int16_t hand) const;
    bool WeaponsRemain(const VelCharacter* character) const;

    // Second page.
    void PrintRacialTraits(const VelCharacter* character);
    void PrintClassFeatures(const VelCharacter* character);
    void PrintLanguages(const VelCharacter* character);
    void PrintGoods(const VelCharacter* character);
    void PrintGoodsRows();
    void PrintDescription(const VelCharacter* character);
    void PrintArmor(const VelCharacter* character);
    void PrintNextLevelExperience(const VelCharacter* character);
    void PrintMoney(const VelCharacter* character);
    void PrintLoad(const VelCharacter* character);
    void PrintAnimals(const VelCharacter* character);
    // Names down a column at the usual pitch, closed up when they would
    // pass bottom; what still does not fit is left out (logged).
    void PrintColumn(const std::vector<std::string>& names, std::int16_t x, std::int16_t top,
                     std::int16_t width, std::int16_t bottom, const char* what);

    // Spell pages.
    void PrintClassSpells(const VelCharacter* character, const VelCharacterClass& entry,
                          std::int16_t highestLevel);
    bool StartSpellPage(const VelCharacter* character, const VelCharacterClass& entry);
    bool EndSpellPage();
    // Opens the next spell page when the last one ended, or when fewer
    // than keptTogether rows are left on this one.
    void BeginSpellRow(const VelCharacter* character, std::uint16_t keptTogether = 1);
    // Counts a spell row; the page ends once it is full.
    void EndSpellRow();
    // A line of text as a row of its own: headings, domain and school lines.
    void AddSpellLine(const VelCharacter* character, const std::string& text, std::uint16_t points,
                      std::uint16_t keptTogether);
    void AddEmptySpellRow();
    void PrintDomainSpells(const VelCharacter* character, std::int16_t highestLevel,
                           std::uint16_t domainId);
    void PrintSchools(const VelCharacter* character);
    void PrintSpellDetails(const VelSpellInfo& spell);

    // Where lines go in a box at a size, and whether their ink keeps inside
    // the box's lines (fitting: how many of the first lines do, downwards).
    struct Placement
    {
        std::vector<FCPoint> at;
        bool fits = true;
        std::int32_t fitting = 0;
    };
    Placement PlaceLines(const std::vector<std::string>& lines, std::uint16_t points,
                         std::int16_t x, std::int16_t y, std::int16_t width, std::int16_t height,
                         std::uint32_t flags);
    // The lines that fit, at that size.
    void PrintLines(const std::vector<std::string>& lines, std::uint16_t points, std::int16_t x,
                    std::int16_t y, std::int16_t width, std::int16_t height, std::uint32_t flags);
    // How much lower a text set at points goes to keep the baseline it has
    // at the current size, in device pixels.
    std::int32_t BaselineShift(const std::string& text, std::uint16_t points);
    // The text as it fits widthPixels: the font set smaller from points down
    // to kSmallestPoints, then, unless whole, cut with "...". Returns the size.
    std::uint16_t FitText(std::string& text, std::int32_t widthPixels, bool whole,
                          std::uint16_t points);
    std::int32_t LineHeightPixels(std::uint16_t points);
    // The room for text inside a box's lines, in device pixels, and its
    // top-left corner.
    FCPoint BoxInside(std::int16_t x, std::int16_t y, std::int16_t width, std::int16_t height,
                      std::uint32_t flags, FCPoint& corner) const;
    std::int32_t ToDeviceX(std::int32_t x) const;
    std::int32_t ToDeviceY(std::int32_t y) const;
    // The height of a line of the current font, in design units.
    std::int32_t LineHeight();

    std::uint32_t designWidth = 0;
    std::uint32_t designHeight = 0;
    float scaleX = 0.0f;
    float scaleY = 0.0f;
    FCImageSet* background = nullptr;
    std::uint16_t backgroundId = 0;
    std::uint16_t backgroundFrame = 0;
    FCPrinter* printer = nullptr;
    FCPrintCanvas* canvas = nullptr;
    std::string fontName;
    std::string fontFile;
    std::uint16_t fontSize = 12;
    std::vector<std::string> lines;
    std::uint16_t rowCount = 0;
    std::uint16_t cursorY = 0;
    // Index of the next equipment set.
    std::size_t weaponCursor = 0;
    std::uint8_t weaponsContinue = 0;
    // Items on the character, then the others, each with its cursor.
    std::array<FCObjectVector, 2> goodsLists{FCObjectVector(FCOwnership::kRefCounted),
                                             FCObjectVector(FCOwnership::kRefCounted)};
    std::uint8_t goodsContinue = 0;
    std::uint16_t skillsContinue = 0;
    std::uint16_t skillsPrinted = 0;

    // Spell pages: the class whose pages these are, and whether the next row
    // opens a page.
    const VelCharacterClass* spellClass = nullptr;
    bool spellPagePending = false;
    // Set by the first failing printer call.
    bool failed = false;
    std::string failure;
    FCPrintOutcome outcome;
    std::vector<std::uint16_t> missingForms;
};
