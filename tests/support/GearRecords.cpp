#include "support/GearRecords.h"

#include "Vel/Db/VelArmorInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelDatabaseWriter.h"
#include "Vel/Db/VelGoodsInfo.h"
#include "Vel/Db/VelMagicItemInfo.h"
#include "Vel/Db/VelShieldInfo.h"
#include "Vel/Db/VelSpecialCostInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelSpellLevelInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "support/DbFixture.h"
#include "support/JpegBytes.h"
#include "support/TempFolder.h"

namespace GearRecords
{
namespace
{
constexpr std::uint16_t kMasterworkWeaponRow = 1;
constexpr std::uint16_t kMasterworkArmorRow = 5;
constexpr std::int16_t kCoinGold = 2;

template <class T> T Named(const char* name, const char* icon, std::uint32_t price, float weight)
{
    T record;
    record.name = name;
    record.iconFile = icon;
    record.description = std::string("About the ") + name + ".";
    record.basePrice = price;
    record.coinKind = kCoinGold;
    record.weight = weight;
    return record;
}

VelWeaponInfo Weapon(const char* name, const char* icon, std::int16_t size,
                     std::uint16_t handedness, std::int16_t category, std::uint32_t price)
{
    auto weapon = Named<VelWeaponInfo>(name, icon, price, 4.0f);
    weapon.size = size;
    weapon.handedness = handedness;
    weapon.category = category;
    weapon.diceCount[0] = 1;
    weapon.dieSides[0] = 8;
    weapon.criticalMultiplier = 2;
    weapon.typeText = 2;
    return weapon;
}

void AddWeapons(VelDatabaseWriter& db)
{
    auto dagger = Weapon("Dagger", "fx_dagger.jpg", 1, 1, 0, kDaggerPrice);
    dagger.weight = 1.0f;
    dagger.dieSides[0] = 4;
    dagger.threatRange = 19;
    dagger.rangeIncrement = 10;
    dagger.typeText = 1;
    dagger.specialCostKey = kMasterworkWeaponRow;
    auto claw = Weapon("Claw", "fx_claw.jpg", 1, 1, 3, 0);
    claw.groupFlag = 0;
    db.Add(kDagger, dagger)
        .Add(kGreatsword, Weapon("Greatsword", "fx_greatsword.jpg", 3, 2, 1, 50))
        .Add(kClaw, claw)
        .Add(kLongsword, Weapon("Longsword", "fx_longsword.jpg", 2, 2, 1, 15))
        .Add(kGiantClub, Weapon("Giant Club", "fx_club.jpg", 5, 2, 0, 1));
}

void AddArmor(VelDatabaseWriter& db)
{
    auto leather = Named<VelArmorInfo>("Leather", "fx_leather.jpg", kLeatherPrice, 15.0f);
    leather.category = 0;
    leather.armorBonus = 2, leather.maxDexBonus = 6, leather.spellFailure = 10;
    leather.speed = 30, leather.slowSpeed = 20;
    leather.specialCostKey = kMasterworkArmorRow;
    auto mail = Named<VelArmorInfo>("Chain Mail", "fx_mail.jpg", kChainMailPrice, 40.0f);
    mail.category = 1;
    mail.armorBonus = 5, mail.maxDexBonus = 2, mail.checkPenalty = static_cast<std::uint16_t>(-5);
    mail.spellFailure = 30, mail.speed = 20, mail.slowSpeed = 15;
    auto buckler = Named<VelShieldInfo>("Buckler", "fx_buckler.jpg", 15, 5.0f);
    buckler.shieldBonus = 1, buckler.checkPenalty = static_cast<std::uint16_t>(-1);
    buckler.spellFailure = 5;
    buckler.specialCostKey = kMasterworkArmorRow;
    auto tower = Named<VelShieldInfo>("Tower Shield", "fx_tower.jpg", 30, 45.0f);
    tower.shieldBonus = 4, tower.checkPenalty = static_cast<std::uint16_t>(-10);
    tower.spellFailure = 50;
    db.Add(kLeather, leather).Add(kChainMail, mail).Add(kBuckler, buckler).Add(kTowerShield, tower);
}

void AddGoodsAndMagic(VelDatabaseWriter& db)
{
    auto backpack = Named<VelGoodsInfo>("Backpack", "fx_backpack.jpg", 2, 2.0f);
    backpack.amount = 1.0f, backpack.unit = 2, backpack.usable = 1, backpack.smallSize = 1;
    auto cart = Named<VelGoodsInfo>("Cart", "fx_cart.jpg", 15, 200.0f);
    cart.wordA = 4, cart.groupFlag = 1;
    auto rope = Named<VelGoodsInfo>("Rope", "fx_rope.jpg", kRopePrice, 10.0f);
    rope.coinKind = 1, rope.amount = 50.0f, rope.unit = 4, rope.usable = 1;
    db.Add(kBackpack, backpack).Add(kCart, cart).Add(kRope, rope);
    auto magic = [](const char* name, std::uint16_t kind, std::uint16_t use, std::uint32_t price)
    {
        auto item = Named<VelMagicItemInfo>(name, "fx_magic.jpg", price, 0.0f);
        item.magicKind = kind;
        item.wordA = use;
        return item;
    };
    db.Add(kRing, magic("Ring of Guarding", 1, 0, 2000))
        .Add(kCloak, magic("Cloak of Hiding", 7, 1, 2500))
        .Add(kBag, magic("Bag of Holding", 7, 2, 2500))
        .Add(kScroll, magic("Scroll", 4, 0, 25))
        .Add(kPotion, magic("Potion", 6, 0, 50));
}

void AddPriceRows(VelDatabaseWriter& db)
{
    const auto row = [](std::uint16_t second, std::uint32_t price, std::uint8_t replaces)
    {
        VelSpecialCostInfo cost;
        cost.secondKey = second, cost.price = price, cost.flag = replaces;
        return cost;
    };
    db.BeginSection(VelDatabase::kTagSpecialCost)
        .Add(kMasterworkWeaponRow, row(0, kMasterworkWeaponExtra, 0))
        .Add(kMasterworkArmorRow, row(0, 150, 0));
    // Enhancement: item kind 0 weapons, 1 armour, 2 shields, by bonus.
    db.BeginSection(VelDatabase::kTagSpecialCost315);
    for (std::uint16_t kind = 0; kind <= 2; ++kind)
        for (std::uint16_t bonus = 1; bonus <= 5; ++bonus)
            db.Add(static_cast<std::int16_t>(kind),
                   row(bonus, (kind == 0 ? kEnhancedWeaponPlus1 : 1000) * bonus * bonus, 0));
}

void AddSpells(VelDatabaseWriter& db)
{
    struct Spell
    {
        std::uint16_t id;
        const char* name;
        std::uint32_t scroll;
        std::uint32_t potion;
        std::int16_t innateLevel;  // class 9, -1 none
        std::int16_t scholarLevel; // class 10, -1 none
        std::int16_t priestLevel;  // class 2, -1 none
    };
    const Spell spells[] = {
        {kLight, "Light", 25, 50, 0, 0, 0},
        {kWard, "Ward", 25, 0, 1, 1, -1},
        {kFireBolt, "Fire Bolt", kScrollOfFireBolt, 750, 3, 2, -1},
        {kSeal, "Seal", 150, 0, -1, 1, -1},
        {kWhisper, "Whisper", 0, 0, 1, 1, -1},
        {kBlessing, "Blessing", 25, 0, -1, -1, 1},
    };
    db.BeginSection(VelDatabase::kTagSpell);
    for (const Spell& s : spells)
    {
        VelSpellInfo spell;
        spell.name = s.name;
        spell.description = std::string("The spell ") + s.name + ".";
        spell.itemPrice = s.scroll;
        spell.itemPriceMagicKind6 = s.potion;
        db.Add(static_cast<std::int16_t>(s.id), spell);
    }
    db.BeginSection(VelDatabase::kTagSpellLevel);
    for (const Spell& s : spells)
    {
        const std::pair<std::int16_t, std::int16_t> rows[] = {
            {9, s.innateLevel}, {10, s.scholarLevel}, {2, s.priestLevel}};
        for (const auto& [classId, level] : rows)
        {
            if (level < 0)
                continue;
            VelSpellLevelInfo row(s.id);
            row.classId = classId;
            row.level = static_cast<std::uint16_t>(level);
            db.Add(static_cast<std::int16_t>(s.id), row);
        }
    }
}
} // namespace

bool Load()
{
    VelDatabaseWriter db;
    db.BeginSection(VelDatabase::kTagItem);
    AddWeapons(db);
    AddArmor(db);
    AddGoodsAndMagic(db);
    AddPriceRows(db);
    AddSpells(db);
    return DbFixture::LoadBytes(db.Finish());
}

std::vector<std::uint8_t> IconJpeg(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    constexpr int kSide = 64;
    std::vector<std::uint8_t> rgb;
    for (int i = 0; i < kSide * kSide; ++i)
        rgb.insert(rgb.end(), {red, green, blue});
    return EncodeJpeg(kSide, kSide, rgb);
}

void WriteIcons(const TempFolder& folder)
{
    folder.WriteFile("Icons/fx_dagger.jpg", IconJpeg(200, 40, 40));
    folder.WriteFile("Icons/fx_longsword.jpg", IconJpeg(40, 200, 40));
    folder.WriteFile("Icons/fx_leather.jpg", IconJpeg(140, 90, 40));
    folder.WriteFile("Icons/fx_buckler.jpg", IconJpeg(40, 40, 200));
}
} // namespace GearRecords
