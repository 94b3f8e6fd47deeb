#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "support/DbFixture.h"
#include "support/FakePrinter.h"
#include "support/ResourceFixture.h"

#include <cstdint>
#include <string>

class FakePrintCanvas;
class VelCharacter;
class VelCharacterAnimal;
class VelCharacterEquip;
class VelCharacterItem;

// Everything a character sheet reads, installed for the fixture's lifetime:
// a small rule set with a record of every kind the sheet prints, an asset
// index with the four page forms (each frame nominally 1275 x 1650) and the
// texts of the spell columns, loads and generation methods, and a printer
// with a US Letter page at 600 dpi (5100 x 6600). Each part can be left
// out, as from a damaged or older installation.
struct SheetFixtureParts
{
    bool forms = true;
    bool texts = true;
};

class SheetFixture
{
public:
    using Parts = SheetFixtureParts;

    // Record ids.
    static constexpr std::uint16_t kRace = 1;
    static constexpr std::uint16_t kOtherRace = 2;
    static constexpr std::uint16_t kSize = 4;
    static constexpr std::uint16_t kAlignment = 9;
    static constexpr std::uint16_t kClimb = 3;   // printed in row 12
    static constexpr std::uint16_t kCraft = 5;   // free rows, sub-skills 1 "Bows", 2 "Traps"
    static constexpr std::uint16_t kPerform = 6; // row 20, sub-skill 1 "Drums"
    static constexpr std::uint16_t kHidden = 8;  // row 45: never printed
    static constexpr std::uint16_t kLiteracy = 45;
    static constexpr std::uint16_t kFirstLore = 100; // 25 free-row skills "Lore A".. "Lore Y"
    static constexpr std::uint16_t kToughness = 1;
    static constexpr std::uint16_t kAlertness = 2;
    static constexpr std::uint16_t kDodge = 3;
    static constexpr std::uint16_t kFirstFeat = 10;    // 60 more feats "Feat 10".. "Feat 69"
    static constexpr std::uint16_t kRage = 10;         // feature "Rage %d/day"
    static constexpr std::uint16_t kSecret = 11;       // feature with its first flag set
    static constexpr std::uint16_t kFirstFeature = 12; // 40 features "Feature 12".. "Feature 51"
    static constexpr std::uint16_t kCommon = 1;
    static constexpr std::uint16_t kElvish = 2;
    static constexpr std::uint16_t kSword = 50;   // 1d8, 19-20/x2
    static constexpr std::uint16_t kDagger = 51;  // light
    static constexpr std::uint16_t kBow = 52;     // ranged, 100 ft
    static constexpr std::uint16_t kMail = 60;    // armour: +5, max DEX 2, -5, 30 %
    static constexpr std::uint16_t kBuckler = 70; // shield: +1, -1, 5 %
    static constexpr std::uint16_t kFirstGoods =
        200; // 60 goods "Goods 00".. "Goods 59", 2.5 lb. each
    // 70 spells "Spell 00".. "Spell 69", spell n at level n % 10 for
    // classes 1, 2 and 9 and for the fire domain.
    static constexpr std::uint16_t kFirstSpell = 1000;
    // The nature priest's list: spells 00 to 52, all of level 0.
    static constexpr int kNaturePriestSpells = 53;
    static constexpr std::uint16_t kFire = 1; // domains; the sun has spell 13 at level 3
    static constexpr std::uint16_t kSun = 2;
    static constexpr std::uint16_t kWards = 1; // schools
    static constexpr std::uint16_t kCharms = 2;
    static constexpr std::uint16_t kWolf = 1;  // 2.5 hit dice, one bite
    static constexpr std::uint16_t kHorse = 2; // 3 hit dice, hooves and a bite

    explicit SheetFixture(Parts parts = Parts());
    ~SheetFixture();
    SheetFixture(const SheetFixture&) = delete;
    SheetFixture& operator=(const SheetFixture&) = delete;

    bool IsLoaded() const { return loaded; }

    // "Hero": a level-1 warrior (class 4) of race 1 with set scores, stats
    // and money, and nothing else.
    static FCCountedRef<VelCharacter> Hero();
    // The fixture's names of numbered records: "Goods 07".
    static std::string Numbered(const char* stem, int n);
    static void AddFeat(VelCharacter& character, std::uint16_t featId);
    static void AddSkill(VelCharacter& character, std::uint16_t skillId, std::uint16_t subSkillId,
                         float ranks);
    static VelCharacterItem* Own(VelCharacter& character, std::uint16_t itemId,
                                 std::int16_t placement = 0);
    static VelCharacterEquip* AddSet(VelCharacter& character, std::uint16_t offHand,
                                     std::uint16_t mainHand, std::int16_t grip);
    static VelCharacterAnimal* AddAnimal(VelCharacter& character, std::uint16_t animalId,
                                         std::uint16_t classId, std::uint16_t kind,
                                         const std::string& name);

    FakePrinter printer;

private:
    ResourceSandbox resources;
    DbFixture db;
    bool loaded = false;
};
