#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TempFolder;

// Items, price rows and spells for the inventory and equipment pages, loaded
// over a rules database (RulesFixture): the items join its item table, the
// spells and spell levels replace its own. One or two of each kind and
// option the pages tell apart: light, one-handed, two-handed and natural
// weapons, armour of two groups, shields, goods with and without weight,
// masterwork and enhancement price rows, magic items, and spells whose
// scroll levels differ between the two scroll-writing classes.
namespace GearRecords
{
// Weapons.
constexpr std::uint16_t kDagger = 300;     // size 1: light, one hand; masterwork row
constexpr std::uint16_t kGreatsword = 301; // size 3: two hands only; martial
constexpr std::uint16_t kClaw = 302;       // natural (weapon flag 0), never in the shop list
constexpr std::uint16_t kLongsword = 303;  // size 2, one or two hands; martial
constexpr std::uint16_t kGiantClub = 304;  // size 5: too large for anyone
// Armour, shields.
constexpr std::uint16_t kLeather = 310;   // light, masterwork row
constexpr std::uint16_t kChainMail = 311; // medium
constexpr std::uint16_t kBuckler = 320;
constexpr std::uint16_t kTowerShield = 321;
// Goods.
constexpr std::uint16_t kBackpack = 330; // group 0, a smaller one for small folk
constexpr std::uint16_t kCart = 331;     // group 4, special, not carried
constexpr std::uint16_t kRope = 332;     // group 0, priced in the middle coin
// Magic items.
constexpr std::uint16_t kRing = 340;  // kind 1
constexpr std::uint16_t kCloak = 341; // wondrous, worn
constexpr std::uint16_t kBag = 342;   // wondrous, carried
constexpr std::uint16_t kScroll = 5000;
constexpr std::uint16_t kPotion = 5010;
// Spells: levels for class 9 and class 10.
constexpr std::uint16_t kLight = 2000;    // 0 and 0
constexpr std::uint16_t kWard = 2001;     // 1 and 1
constexpr std::uint16_t kFireBolt = 2002; // 3 and 2: the scholar writes it at 3
constexpr std::uint16_t kSeal = 2003;     // none and 1: the scholar's own
constexpr std::uint16_t kWhisper = 2004;  // 1 and 1, but no price: never sold
constexpr std::uint16_t kBlessing = 2005; // class 2 only, no potion

// Prices (highest coin unless said otherwise).
constexpr std::uint32_t kDaggerPrice = 2;
constexpr std::uint32_t kMasterworkWeaponExtra = 300;
constexpr std::uint32_t kLeatherPrice = 10;
constexpr std::uint32_t kChainMailPrice = 150;
constexpr std::uint32_t kRopePrice = 5; // middle coin
constexpr std::uint32_t kEnhancedWeaponPlus1 = 2000;
constexpr std::uint32_t kScrollOfFireBolt = 375;

// Loads the records over the database loaded now; false when that fails.
bool Load();
// 64 x 64 icons under Icons/ for the dagger, the longsword, the leather and
// the buckler; the other items name icons that do not exist.
void WriteIcons(const TempFolder& folder);
// A 64 x 64 JPEG of one colour.
std::vector<std::uint8_t> IconJpeg(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
} // namespace GearRecords
