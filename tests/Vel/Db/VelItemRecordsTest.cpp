#include "Vel/Db/VelArmorInfo.h"
#include "Vel/Db/VelGoodsInfo.h"
#include "Vel/Db/VelItemInfo.h"
#include "Vel/Db/VelMagicItemInfo.h"
#include "Vel/Db/VelProfWeaponInfo.h"
#include "Vel/Db/VelShieldInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "VelRecordCases.h"

#include <gtest/gtest.h>

using namespace VelRecordCases;

namespace
{
void ItemTexts(Layout& l) { l.Text("Longsword").Text("sword.bmp").Text("A long blade."); }

template <class T>
T* WithTexts(T* item)
{
    item->name = "Longsword";
    item->iconFile = "sword.bmp";
    item->description = "A long blade.";
    return item;
}

const std::vector<Case> kCases = {
    {"VelItemInfo", [](Layout& l) { ItemTexts(l); }, []() -> VelInfo* { return WithTexts(new VelItemInfo); },
     Table::kNone, {}},
    {"VelWeaponInfo",
     [](Layout& l) {
         ItemTexts(l);
         l.I16(1, 0).U16(1, 0).I16(-1, 0).U32(1500, 0).I16(2, 0);
         l.U16(1, 0).U16(8, 0).U16(2, 0).U16(6, 0).U16(3, 0).U16(4, 0);
         l.U8(0xA1, 0).U16(19, 0).U16(2, 0).U16(3, 0).U16(10, 0).F32(4.5f, 0.0f);
         l.U16(7, 0).U16(2, 0).U16(0, 0).U8(0, 1).U16(4, 0);
         l.U16(23, 0); // the 23rd number: the special-cost key
         l.U16(0, 1).U8(0xB2, 0).U8(1, 0).U8(1, 0);
     },
     []() -> VelInfo* {
         auto* r = WithTexts(new VelWeaponInfo);
         r->category = 1;
         r->ranged = 1;
         r->size = -1;
         r->basePrice = 1500;
         r->coinKind = 2;
         r->diceCount = {1, 2, 3};
         r->dieSides = {8, 6, 4};
         r->byteA = 0xA1;
         r->threatRange = 19;
         r->criticalMultiplier = 2;
         r->secondMultiplier = 3;
         r->rangeIncrement = 10;
         r->weight = 4.5f;
         r->typeText = 7;
         r->handedness = 2;
         r->damageStyle = 0;
         r->strengthAndAHalf = 0;
         r->strengthRating = 4;
         r->specialCostKey = 23;
         r->groupFlag = 0;
         r->byteB = 0xB2;
         r->forbiddenToClass3 = 1;
         r->noFeatTarget = 1;
         return r;
     },
     Table::kMap, {VelDatabase::kTagItem, VelDatabase::kTagItem190}},
    {"VelArmorInfo",
     [](Layout& l) {
         ItemTexts(l);
         l.U16(2, 0).U32(600000, 0).I16(1, 0).U16(8, 0).U16(1, 0).U16(0xFFFA, 0).U16(35, 0);
         l.U16(20, 0).U16(15, 0).F32(50.0f, 0.0f).U16(9, 0).U8(1, 0);
     },
     []() -> VelInfo* {
         auto* r = WithTexts(new VelArmorInfo);
         r->category = 2;
         r->basePrice = 600000;
         r->coinKind = 1;
         r->armorBonus = 8;
         r->maxDexBonus = 1;
         r->checkPenalty = 0xFFFA;
         r->spellFailure = 35;
         r->speed = 20;
         r->slowSpeed = 15;
         r->weight = 50.0f;
         r->specialCostKey = 9;
         r->forbiddenToClass3 = 1;
         return r;
     },
     Table::kMap, {VelDatabase::kTagItem195}},
    {"VelShieldInfo",
     [](Layout& l) {
         ItemTexts(l);
         l.U32(70, 0).I16(2, 0).U16(1, 0).U16(0xFFFF, 0).U16(5, 0).F32(6.0f, 0.0f);
         l.U8(3, 0).U8(4, 0).U16(11, 0).U8(1, 0);
     },
     []() -> VelInfo* {
         auto* r = WithTexts(new VelShieldInfo);
         r->basePrice = 70;
         r->coinKind = 2;
         r->shieldBonus = 1;
         r->checkPenalty = 0xFFFF;
         r->spellFailure = 5;
         r->weight = 6.0f;
         r->byteA = 3;
         r->byteB = 4;
         r->specialCostKey = 11;
         r->forbiddenToClass3 = 1;
         return r;
     },
     Table::kMap, {VelDatabase::kTagItem200}},
    {"VelGoodsInfo",
     [](Layout& l) {
         ItemTexts(l);
         l.U16(0x0102, 0).U32(10, 0).I16(0, 0).F32(0.5f, 0.0f).F32(2.0f, 0.0f).U16(3, 0).U8(1, 0);
         l.U16(12, 0).U8(1, 0).U8(1, 0);
     },
     []() -> VelInfo* {
         auto* r = WithTexts(new VelGoodsInfo);
         r->wordA = 0x0102;
         r->basePrice = 10;
         r->coinKind = 0;
         r->weight = 0.5f;
         r->amount = 2.0f;
         r->unit = 3;
         r->usable = 1;
         r->specialCostKey = 12;
         r->smallSize = 1;
         r->groupFlag = 1;
         return r;
     },
     Table::kMap, {VelDatabase::kTagItem202}},
    {"VelMagicItemInfo",
     [](Layout& l) {
         ItemTexts(l);
         l.U32(2000, 0).I16(2, 0).U16(6, 0).U16(0x1111, 0).U16(0x2222, 0);
     },
     []() -> VelInfo* {
         auto* r = WithTexts(new VelMagicItemInfo);
         r->basePrice = 2000;
         r->coinKind = 2;
         r->magicKind = VelMagicItemInfo::kMagicKindSpellPriced;
         r->wordA = 0x1111;
         r->wordB = 0x2222;
         return r;
     },
     Table::kMap, {VelDatabase::kTagItem}},
    {"VelProfWeaponInfo",
     // Class, minimum size, race in the file.
     [](Layout& l) { l.I16(4, -1).I16(3, -1).U16(2, 0xFFFF); },
     []() -> VelInfo* {
         auto* r = new VelProfWeaponInfo;
         r->classId = 4;
         r->minSize = 3;
         r->raceId = 2;
         return r;
     },
     Table::kList, {VelDatabase::kTagProfWeapon}},
};
} // namespace

TEST(VelItemRecordsTest, LayoutsDefaultsAndTables) { CheckAll(kCases); }

TEST(VelItemRecordsTest, KindCodesAndItemKinds)
{
    struct Row
    {
        const char* className;
        std::uint16_t typeCode;
        std::int16_t itemKind;
    };
    const Row rows[] = {
        {"VelItemInfo", 1, -1},      {"VelWeaponInfo", 2000, 0},    {"VelArmorInfo", 2001, 1},
        {"VelShieldInfo", 2002, 2},  {"VelGoodsInfo", 2003, -1},    {"VelMagicItemInfo", 2004, -1},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.className);
        ObjectPtr created(FCClassRegistry::CreateByName(row.className));
        const auto* item = dynamic_cast<const VelItemInfo*>(created.get());
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->GetTypeCode(), row.typeCode);
        EXPECT_EQ(item->GetItemKind(), row.itemKind);

        // Reset and Clone keep the kind.
        ObjectPtr clone(item->Clone());
        auto* copy = static_cast<VelItemInfo*>(clone.get());
        copy->Reset();
        EXPECT_EQ(copy->GetTypeCode(), row.typeCode);
        EXPECT_EQ(copy->GetItemKind(), row.itemKind);
    }
}

TEST(VelItemRecordsTest, MagicItemNameGetsAnUpperCaseFirstLetterOnly)
{
    struct Row
    {
        std::string stored;
        std::string held;
    };
    const Row rows[] = {
        {"wand of light", "Wand of light"},
        {"Wand of light", "Wand of light"},
        {"", ""},
        {"z", "Z"},
        {"1st ring", "1st ring"},
        // Windows-1252 letters are left alone whatever the host locale.
        {"\xe9p\xe9\x65", "\xe9p\xe9\x65"},
    };
    for (const Row& row : rows)
    {
        VelMagicItemInfo item;
        item.name = row.stored;
        item.weight = 9.0f; // must not survive a load
        item.specialCostKey = 9;
        std::vector<std::uint8_t> bytes = StoreOf(item);
        // Whatever follows the record in the file is not its business.
        bytes.insert(bytes.end(), {0x40, 0x40, 0x40, 0x40, 0x07, 0x00});

        DbMemoryFile file(bytes);
        ObjectPtr loaded(FCClassRegistry::LoadObject("VelMagicItemInfo", file));
        const auto* magic = dynamic_cast<const VelMagicItemInfo*>(loaded.get());
        ASSERT_NE(magic, nullptr);
        EXPECT_EQ(magic->name, row.held);
        EXPECT_EQ(magic->weight, 0.0f);
        EXPECT_EQ(magic->specialCostKey, 0);
        EXPECT_EQ(magic->forbiddenToClass3, 0);
    }
}
