// The built content of the inventory and equipment pages: every text they
// name is in the asset index, each layout loads as its class with the
// controls its page finds by id, and the item boxes, the window's summary
// and the pages hold every value the shipped rule set gives them.

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCObject.h"
#include "Fc/Core/FCObjectMap.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Fc/Graphics/FCTextLayout.h"
#include "Ui/UIButton.h"
#include "Ui/UIComboBox.h"
#include "Ui/UIGroup.h"
#include "Ui/UIImageControl.h"
#include "Ui/UINumberScroll.h"
#include "Ui/UIText.h"
#include "Ui/UITextControl.h"
#include "Vel/App/VelClient.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Db/VelAlignmentInfo.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelClassLevelInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelDomainInfo.h"
#include "Vel/Db/VelGodInfo.h"
#include "Vel/Db/VelItemInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelSchoolInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelSizeInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "Vel/Rules/VelCompanionRules.h"
#include "Vel/Rules/VelFormatRules.h"
#include "Vel/Rules/VelPageRules.h"
#include "Vel_ui/Vel_UIArmorStats.h"
#include "Vel_ui/Vel_UIEquip.h"
#include "Vel_ui/Vel_UIEquipHandItem.h"
#include "Vel_ui/Vel_UIGoodsStats.h"
#include "Vel_ui/Vel_UIInvItem.h"
#include "Vel_ui/Vel_UIInventory.h"
#include "Vel_ui/Vel_UIItemStats.h"
#include "Vel_ui/Vel_UIItemTray.h"
#include "Vel_ui/Vel_UIListBox.h"
#include "Vel_ui/Vel_UIShieldStats.h"
#include "Vel_ui/Vel_UIWeaponStats.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"
#include "Vel_ui/VelInventoryList.h"
#include "content/BuiltAssetsTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

namespace
{
using GearContentTest = BuiltAssetsTest;

TEST_F(GearContentTest, EveryTextThePagesNameExists)
{
    const std::vector<std::pair<int, int>> ranges = {
        {360, 362},     {2090, 2090},   {2093, 2093},   {2096, 2096},   {10510, 10514},
        {10516, 10516}, {10520, 10524}, {10530, 10534}, {10540, 10543}, {10545, 10545},
        {10551, 10558}, {10580, 10585}, {10600, 10603}, {10621, 10631}, {10642, 10644},
        {10680, 10680}, {10682, 10684}, {10700, 10719}, {10500, 10500}, {11000, 11000},
    };
    const FCResourceManager* resources = FCResourceManager::GetInstance();
    for (const auto& [first, last] : ranges)
        for (int id = first; id <= last; ++id)
        {
            const std::string* text = resources->GetString(static_cast<std::uint16_t>(id));
            EXPECT_TRUE(text && !text->empty()) << "text " << id;
        }
}

using Check = bool (*)(const UIControl*);
template <class T> bool Is(const UIControl* control)
{
    return dynamic_cast<const T*>(control) != nullptr;
}

struct Expected
{
    std::uint16_t id;
    Check is;
    const char* kind;
};

void ExpectLayout(const char* layout, Check rootIs, const std::vector<Expected>& controls,
                  const std::vector<std::uint16_t>& absent = {})
{
    SCOPED_TRACE(layout);
    FCObject* object = FCClassRegistry::LoadObjectFromFile(layout);
    auto* root = dynamic_cast<UIControl*>(object);
    ASSERT_TRUE(root && rootIs(root)) << "loads as its class";
    for (const Expected& e : controls)
        EXPECT_TRUE(e.is(root->FindDescendant(e.id))) << e.id << " is a " << e.kind;
    for (std::uint16_t id : absent)
        EXPECT_EQ(root->FindDescendant(id), nullptr) << id;
    object->Release();
}

template <class T> Expected Want(std::uint16_t id)
{
    return {id, &Is<T>, typeid(T).name()};
}

TEST_F(GearContentTest, TheInventoryPageHasEveryControlItFinds)
{
    std::vector<Expected> controls = {
        Want<UITextControl>(10510),    Want<UITextControl>(10511),
        Want<UINumberScroll>(10512),   Want<UITextControl>(10520),
        Want<UITextControl>(10521),    Want<UITextControl>(10522),
        Want<Vel_UIListBox>(10530),    Want<Vel_UIListBox>(10650),
        Want<UIButton>(10660),         Want<Vel_UIWeaponStats>(10700),
        Want<Vel_UIArmorStats>(10720), Want<Vel_UIShieldStats>(10740),
        Want<Vel_UIGoodsStats>(10760),
    };
    for (std::uint16_t id : {10600, 10610, 10620, 10630})
        controls.push_back(Want<UIComboBox>(id));
    for (std::uint16_t id = 10701; id <= 10706; ++id)
        controls.push_back(Want<UITextControl>(id));
    for (std::uint16_t id = 10721; id <= 10726; ++id)
        controls.push_back(Want<UITextControl>(id));
    for (std::uint16_t id = 10741; id <= 10746; ++id)
        controls.push_back(Want<UITextControl>(id));
    controls.push_back(Want<UITextControl>(10761));
    controls.push_back(Want<UITextControl>(10762));
    ExpectLayout("velInventory.ui", &Is<Vel_UIInventory>, controls, {10780});
}

TEST_F(GearContentTest, TheEquipmentPageHasEveryControlItFinds)
{
    std::vector<Expected> controls = {
        Want<UIComboBox>(10600),    Want<UITextControl>(11020), Want<Vel_UIListBox>(11030),
        Want<UITextControl>(11060), Want<UITextControl>(11061), Want<UITextControl>(11068),
        Want<UIControl>(11069),     Want<UIControl>(11079),     Want<Vel_UIListBox>(11200),
    };
    for (std::uint16_t id = 11070; id <= 11076; ++id)
        controls.push_back(Want<UITextControl>(id));
    for (std::uint16_t id = 11080; id <= 11085; ++id)
        controls.push_back(Want<UITextControl>(id));
    ExpectLayout("velEquip.ui", &Is<Vel_UIEquip>, controls, {10610, 10620, 10630, 10700});
}

TEST_F(GearContentTest, RowsHaveTheirCells)
{
    ExpectLayout("velInventoryItem.ui", &Is<Vel_UIInvItem>,
                 {Want<UITextControl>(14501), Want<UITextControl>(14502)});
    ExpectLayout("velCharInventoryItem.ui", &Is<Vel_UIInvItem>, {Want<UITextControl>(14501)});
    ExpectLayout("velCharInventoryItemWithIcon.ui", &Is<Vel_UIInvItem>,
                 {Want<UITextControl>(14501), Want<UIImageControl>(14510)});
    ExpectLayout("velItem_Icon64.ui", &Is<Vel_UIItem>, {Want<UIImageControl>(14510)});
    ExpectLayout("velEquipHandItem.ui", &Is<Vel_UIEquipHandItem>,
                 {Want<Vel_UIItemTray>(14580), Want<Vel_UIItemTray>(14581), Want<UIGroup>(14590),
                  Want<UIButton>(14595), Want<UIButton>(14596), Want<UIButton>(14597)});
    // Each slot's tray holds a row with an image cell for the icon.
    FCObject* object = FCClassRegistry::LoadObjectFromFile("velEquipHandItem.ui");
    auto* row = dynamic_cast<Vel_UIEquipHandItem*>(object);
    ASSERT_NE(row, nullptr);
    for (std::int16_t slot = 0; slot < 2; ++slot)
    {
        Vel_UIItem* held = row->GetSlotRow(slot);
        ASSERT_NE(held, nullptr) << slot;
        EXPECT_EQ(held->GetId(), Vel_UIItemTray::kHolderId);
        EXPECT_NE(dynamic_cast<UIImageControl*>(held->FindDescendant(14510)), nullptr) << slot;
    }
    object->Release();
}

// Every value an item box shows, for every item of the shipped rule set, a
// character of every race (sizes change damage and weight) and the options
// that change a value, fits its field, and no field reaches a label.
TEST_F(GearContentTest, ItemBoxesHoldTheLongestValuesOfTheRuleSet)
{
    const std::string database = std::string(STAVELORN_BINARY_DIR) + "/Resources/Database/";
    for (const char* name : {"Database.bin", "EquipDB.bin"})
        ASSERT_TRUE(VelDatabase::ParseFile(database + name)) << name;
    FCObject* object = FCClassRegistry::LoadObjectFromFile("velInventory.ui");
    auto* page = dynamic_cast<UIControl*>(object);
    ASSERT_NE(page, nullptr);
    VelCharacter hero;
    VelClient::SetCurrentCharacter(&hero);
    struct Box
    {
        std::uint16_t id;
        std::uint16_t firstField;
        std::uint16_t fields;
        std::uint16_t itemCode;
    };
    const Box boxes[] = {{10700, 10701, 6, VelItemInfo::kWeaponCode},
                         {10720, 10721, 6, VelItemInfo::kArmorCode},
                         {10740, 10741, 6, VelItemInfo::kShieldCode},
                         {10760, 10761, 2, VelItemInfo::kGoodsCode}};
    struct Options
    {
        std::uint32_t options;
        std::int32_t bonus;
    };
    const Options variants[] = {{0, 0},
                                {VelCharacterItem::kMasterwork, 0},
                                {VelCharacterItem::kSmall, 0},
                                {VelCharacterItem::kEnhanced | VelCharacterItem::kSmall, 5}};
    std::vector<std::int16_t> races;
    FCObjectMap* raceTable = VelDatabase::GetMap(VelDatabase::kTagRace);
    ASSERT_NE(raceTable, nullptr);
    FCObjectMap::Cursor walk = raceTable->First();
    std::int16_t key = 0;
    FCObject* record = nullptr;
    while (raceTable->GetNext(key, record, &walk))
        races.push_back(key);
    FCObjectMap* items = VelDatabase::GetMap(VelDatabase::kTagItem);
    ASSERT_NE(items, nullptr);
    for (const Box& b : boxes)
    {
        auto* box = dynamic_cast<Vel_UIItemStats*>(page->FindDescendant(b.id));
        ASSERT_NE(box, nullptr) << b.id;
        std::vector<UITextControl*> fields;
        for (std::uint16_t i = 0; i < b.fields; ++i)
        {
            fields.push_back(dynamic_cast<UITextControl*>(box->FindDescendant(static_cast<std::uint16_t>(b.firstField + i))));
            ASSERT_TRUE(fields.back() && fields.back()->GetTextObject() && fields.back()->GetFont()) << b.firstField + i;
            // The field's room lies clear of every label of the box.
            const FCPoint at = fields.back()->GetStoredPosition();
            const FCPoint size = fields.back()->GetSize();
            for (std::uint32_t d = 0; d < box->GetDisplayObjectCount(); ++d)
                if (const auto* label = dynamic_cast<const UIText*>(box->GetDisplayObjectAt(d)))
                {
                    const FCPoint lat = label->GetStoredPosition();
                    const FCPoint lsize = label->GetSize();
                    const bool apart = at.x + size.x <= lat.x || lat.x + lsize.x <= at.x ||
                                       at.y + size.y <= lat.y || lat.y + lsize.y <= at.y;
                    EXPECT_TRUE(apart) << b.firstField + i << " over the label \"" << label->GetText() << "\"";
                }
        }
        std::size_t shown = 0;
        std::vector<std::size_t> widest(b.fields, 0);
        std::vector<std::string> longest(b.fields);
        walk = items->First();
        while (items->GetNext(key, record, &walk))
        {
            auto* item = static_cast<VelItemInfo*>(record);
            if (item->GetTypeCode() != b.itemCode)
                continue;
            for (const std::int16_t race : races)
                for (const Options& o : variants)
                {
                    hero.raceId = static_cast<std::uint16_t>(race);
                    box->ShowItem(item, o.options, o.bonus, 0);
                    ++shown;
                    for (std::size_t i = 0; i < fields.size(); ++i)
                    {
                        const std::string text = fields[i]->GetText();
                        const auto wide = static_cast<std::size_t>(MeasureTextLine(text, *fields[i]->GetFont()).x);
                        if (wide > widest[i])
                        {
                            widest[i] = wide;
                            longest[i] = text + " (" + item->name + ")";
                        }
                    }
                }
        }
        EXPECT_GT(shown, 0u) << b.id;
        for (std::size_t i = 0; i < fields.size(); ++i)
            EXPECT_LE(widest[i], static_cast<std::size_t>(fields[i]->GetTextObject()->GetSize().x))
                << b.firstField + i << ": " << longest[i];
    }
    VelClient::SetCurrentCharacter(nullptr);
    object->Release();
    VelDatabase::Clear();
}
template <class T, class F> void EachRecord(std::uint16_t tag, F&& take)
{
    FCObjectMap* table = VelDatabase::GetMap(tag);
    ASSERT_NE(table, nullptr) << tag;
    FCObjectMap::Cursor walk = table->First();
    std::int16_t key = 0;
    FCObject* record = nullptr;
    while (table->GetNext(key, record, &walk))
        if (const auto* info = dynamic_cast<const T*>(record))
            take(key, *info);
}

template <class T> std::vector<std::string> Names(std::uint16_t tag, std::string T::*field = &T::name)
{
    std::vector<std::string> names;
    EachRecord<T>(tag, [&](std::int16_t, const T& info) { names.push_back(info.*field); });
    return names;
}

// The texts the window's summary and the pages fill in, at the longest the
// shipped rule set makes them (names from the database, numbers at a 20th
// level character's extremes), each within its field in the font it is
// shown in: one line, or the lines a word-wrapped field has room for
// without breaking a word.
TEST_F(GearContentTest, SummaryAndPagesHoldTheLongestValuesOfTheRuleSet)
{
    const std::string database = std::string(STAVELORN_BINARY_DIR) + "/Resources/Database/";
    for (const char* name : {"Database.bin", "EquipDB.bin", "AnimalDB.bin", "SpellDB.bin"})
        ASSERT_TRUE(VelDatabase::ParseFile(database + name)) << name;
    VelCharacter hero;
    VelClient::SetCurrentCharacter(&hero);
    std::vector<std::string> classes = Names<VelClassInfo>(VelDatabase::kTagClass);
    for (std::size_t i = 0, count = classes.size(); i < count; ++i)
        classes.push_back("Ex-" + classes[i]);
    std::vector<std::string> levels;
    for (std::int16_t total = 1; total <= VelCharacter::kMaxLevel; ++total)
        for (std::int16_t inClass = 1; inClass < total; ++inClass)
            levels.push_back(FormatOrdinal(inClass) + "/" + FormatOrdinal(total));
    // At 20th level the quick attacker's (class 5) attacks come every 3
    // points of its base attack, anyone's every 5; strength 30 adds 10.
    const VelClassLevelInfo* top = VelDatabase::FindClassLevel(VelCharacter::kMaxLevel);
    const VelClassInfo* quick = VelDatabase::FindClass(5);
    ASSERT_TRUE(top && quick);
    const auto quickBase = static_cast<std::int16_t>(top->baseAttack[quick->baseAttackColumn]);
    const auto base = static_cast<std::int16_t>(*std::max_element(top->baseAttack.begin(), top->baseAttack.end()));
    const std::vector<std::string> attacks = {FormatAttackSequence(quickBase, quickBase + 10, 3),
                                              FormatAttackSequence(base, base + 10, 5)};
    std::vector<std::string> animalAttacks, animalDamage, moves, senses, held, damage;
    EachRecord<VelAnimalInfo>(VelDatabase::kTagAnimal, [&](std::int16_t key, const VelAnimalInfo& info) {
        // As the animal page previews it in the summary.
        for (std::uint16_t kind : {VelCharacterAnimal::kFamiliar, VelCharacterAnimal::kCompanion, VelCharacterAnimal::kMount})
        {
            VelCharacterAnimal animal(static_cast<std::uint16_t>(key), 0);
            animal.kind = kind;
            animal.owner = &hero;
            UpdateAnimalStats(&animal, true);
            animalAttacks.push_back(FormatAnimalAttackBonuses(&animal, true));
            animalDamage.push_back(FormatAnimalAttacks(&animal, true));
        }
        moves.push_back(info.fourthText);
        senses.push_back(info.fifthText);
    });
    EachRecord<VelItemInfo>(VelDatabase::kTagItem, [&](std::int16_t, const VelItemInfo& item) {
        if (item.GetTypeCode() != VelItemInfo::kWeaponCode && item.GetTypeCode() != VelItemInfo::kShieldCode)
            return;
        held.push_back(VelCharacterItem::FormatName(&item, VelCharacterItem::kEnhanced, 5));
        held.push_back(VelCharacterItem::FormatName(&item, VelCharacterItem::kMasterwork, 0));
        if (const auto* weapon = dynamic_cast<const VelWeaponInfo*>(&item))
            damage.push_back(FormatDamageRange(&hero, weapon, nullptr, 1) + "+20");
    });
    // The shop's rows: every item plain, masterwork and at +5, every spell
    // as a scroll and a potion priced for each class. A name stays whole,
    // 8 px before its price; the owned lists show the same names, beside
    // an icon in the lines the row has (a word wider than it may break).
    std::vector<std::string> owned;
    VelInventoryList shop;
    FCObject* iconRow = FCClassRegistry::LoadObjectFromFile(VelInventoryList::kOwnedIconRowLayout);
    auto* besideIcon = dynamic_cast<UITextControl*>(iconRow ? dynamic_cast<Vel_UIItem*>(iconRow)->GetColumnControl(0) : nullptr);
    ASSERT_TRUE(besideIcon && besideIcon->GetTextObject() && besideIcon->GetFont());
    const auto stock = [&](const VelItemInfo* record, std::uint32_t options, std::uint32_t a, std::uint32_t b) {
        Vel_UIInvItem* row = shop.CreateStockRow(&hero, record, options, a, b);
        auto* name = dynamic_cast<UITextControl*>(row ? row->GetColumnControl(0) : nullptr);
        auto* price = dynamic_cast<UITextControl*>(row ? row->GetColumnControl(1) : nullptr);
        ASSERT_TRUE(name && price && name->GetTextObject() && name->GetFont() && price->GetFont());
        const std::string text = name->GetText();
        const std::int32_t need = MeasureTextLine(text, *name->GetFont()).x;
        const std::int32_t priceLeft = price->GetPosition().x + price->GetWidth() - MeasureTextLine(price->GetText(), *price->GetFont()).x;
        EXPECT_TRUE(need <= name->GetTextObject()->GetSize().x && name->GetPosition().x + need + 8 <= priceLeft)
            << "\"" << text << "\" needs " << need << ", has " << name->GetTextObject()->GetSize().x << ", price at " << priceLeft;
        const FCPoint room = besideIcon->GetTextObject()->GetSize();
        EXPECT_LE(MeasureWrappedText(text, *besideIcon->GetFont(), room.x).y, room.y) << "\"" << text << "\" beside its icon";
        owned.push_back(text);
        row->Release();
    };
    EachRecord<VelItemInfo>(VelDatabase::kTagItem, [&](std::int16_t, const VelItemInfo& item) {
        stock(&item, 0, 0, 0);
        if (item.specialCostKey != 0)
            stock(&item, VelCharacterItem::kMasterwork, 0, 0);
        if (item.GetTypeCode() == VelItemInfo::kWeaponCode || item.GetTypeCode() == VelItemInfo::kArmorCode ||
            item.GetTypeCode() == VelItemInfo::kShieldCode)
            stock(&item, VelCharacterItem::kEnhanced, 5, 0);
    });
    EachRecord<VelSpellInfo>(VelDatabase::kTagSpell, [&](std::int16_t spell, const VelSpellInfo&) {
        EachRecord<VelClassInfo>(VelDatabase::kTagClass, [&](std::int16_t caster, const VelClassInfo&) {
            for (std::uint16_t base : {VelInventoryList::kScrollItem, VelInventoryList::kPotionItem})
                stock(VelDatabase::FindItem(base), VelCharacterItem::kSpellBased, static_cast<std::uint32_t>(spell),
                      static_cast<std::uint32_t>(caster));
        });
    });
    iconRow->Release();
    // A shop price is any u32, in any coin.
    std::vector<std::string> prices;
    for (std::int32_t coin : {360, 361, 362})
        if (const std::string* name = Vel_UIItemStats::TextOf(coin))
            prices.push_back(std::to_string(std::numeric_limits<std::uint32_t>::max()) + " " + *name);
    std::vector<std::string> loads;
    for (std::int32_t id : {10541, 10542, 10543})
        loads.push_back(Vel_UIItemStats::TextOf(id) ? *Vel_UIItemStats::TextOf(id) : "?");

    struct Fit
    {
        const char* layout;
        std::uint16_t within; // the tray, box or selector holding the field
        std::uint16_t id;
        std::uint16_t font;   // the font the window sets, 0 for the layout's
        std::vector<std::string> texts;
        std::vector<std::int32_t> numbers;
    };
    using W = Vel_UIWin_CharConfig;
    const std::vector<Fit> fits = {
        {"velCharConfig.ui", 0, 4504, 0, Names<VelRaceInfo>(VelDatabase::kTagRace), {}},
        {"velCharConfig.ui", 0, 4508, 0, Names<VelAlignmentInfo>(VelDatabase::kTagAlignment), {}},
        {"velCharConfig.ui", 0, 4502, 0, levels, {}},
        {"velCharConfig.ui", 4506, 153, 0, classes, {}},
        {"velCharConfig.ui", 0, 4601, 0, classes, {}},
        {"velCharConfig.ui", 0, 4800, 0, {}, {-5, 75}},
        {"velCharConfig.ui", 0, 4806, 0, {}, {-5, 21}},
        {"velCharConfig.ui", 0, 4807, 0, {}, {120}},
        {"velCharConfig.ui", 0, 4804, W::kAttackFont, attacks, {}},
        {"velCharConfig.ui", 0, 4805, W::kAttackFont, attacks, {}},
        {"velCharConfig.ui", 0, 4804, W::kAnimalAttackFont, animalAttacks, {}},
        {"velCharConfig.ui", 0, 4805, W::kAnimalAttackFont, animalDamage, {}},
        {"velEquip.ui", 0, 11068, 0, held, {}},
        {"velEquip.ui", 0, 11060, 0, {FormatWeight(3200.5f)}, {}},
        {"velEquip.ui", 0, 11061, 0, loads, {}},
        {"velEquip.ui", 11069, 11070, 0, {}, {-14, 40}},
        {"velEquip.ui", 11069, 11076, 0, damage, {}},
        {"velEquip.ui", 11069, 11072, 0, {}, {-4, 17}},
        {"velEquip.ui", 11069, 11073, 0, {}, {-10}},
        {"velEquip.ui", 11069, 11074, 0, {}, {-4, 2}},
        {"velEquip.ui", 11079, 11080, 0, {}, {60}},
        {"velEquip.ui", 11079, 11082, 0, {}, {-5, 17}},
        {"velEquip.ui", 11079, 11083, 0, {}, {13}},
        {"velAbilities.ui", 0, 5516, 0, Names<VelSizeInfo>(VelDatabase::kTagSize), {}},
        {"velAbilities.ui", 0, 5518, 0, {}, {190000}},
        {"velAnimal.ui", 10025, 14501, 0, Names<VelAnimalInfo>(VelDatabase::kTagAnimal), {}},
        {"velAnimal.ui", 0, 10235, 0, moves, {}},
        {"velAnimal.ui", 0, 10245, 0, senses, {}},
        {"velGod.ui", 8010, 14501, 0, Names<VelGodInfo>(VelDatabase::kTagGod), {}},
        {"velGod.ui", 8030, 14501, 0, Names<VelDomainInfo>(VelDatabase::kTagDomain), {}},
        {"velGod.ui", 8030, 14502, 0, Names<VelDomainInfo>(VelDatabase::kTagDomain, &VelDomainInfo::chosenText), {}},
        {"velSchool.ui", 9010, 14501, 0, Names<VelSchoolInfo>(VelDatabase::kTagSchool), {}},
        {VelInventoryList::kOwnedRowLayout, 0, 14501, 0, owned, {}},
        {VelInventoryList::kStockRowLayout, 0, 14502, 0, prices, {}},
    };
    for (const Fit& fit : fits)
    {
        SCOPED_TRACE(std::string(fit.layout) + " " + std::to_string(fit.id));
        FCObject* object = FCClassRegistry::LoadObjectFromFile(fit.layout);
        auto* root = dynamic_cast<UIControl*>(object);
        ASSERT_NE(root, nullptr);
        UIControl* within = fit.within ? root->FindDescendant(fit.within) : root;
        auto* field = dynamic_cast<UITextControl*>(within ? within->FindDescendant(fit.id) : nullptr);
        if (auto* combo = dynamic_cast<UIComboBox*>(within); combo && !field)
            field = dynamic_cast<UITextControl*>(combo->GetItemTemplate());
        ASSERT_TRUE(field && field->GetTextObject() && field->GetFont());
        if (fit.font)
            field->SetFont(fit.font);
        std::vector<std::string> texts = fit.texts;
        for (std::int32_t number : fit.numbers)
        {
            field->SetLong(number);
            texts.push_back(field->GetText());
        }
        EXPECT_FALSE(texts.empty());
        FCFont& font = *field->GetFont();
        const FCPoint room = field->GetTextObject()->GetSize();
        const bool wraps = field->GetTextObject()->GetFormatFlags() & FCTextBlock::kWordWrap;
        for (const std::string& text : texts)
        {
            const FCPoint need = wraps ? MeasureWrappedText(text, font, room.x) : MeasureTextLine(text, font);
            EXPECT_TRUE(need.x <= room.x && need.y <= room.y)
                << "\"" << text << "\" needs " << need.x << " x " << need.y << ", has " << room.x << " x " << room.y;
            for (std::size_t start = 0, end = 0; wraps && start < text.size(); start = end + 1)
            {
                end = std::min(text.find_first_of(" \n", start), text.size());
                EXPECT_LE(MeasureTextLine(text.substr(start, end - start), font).x, room.x) << "a word of \"" << text << "\"";
            }
        }
        object->Release();
    }
    VelClient::SetCurrentCharacter(nullptr);
    VelDatabase::Clear();
}

struct OpenShop : VelInventoryList
{
    using VelInventoryList::category;
    using VelInventoryList::Entry;
    using VelInventoryList::FilterEntries;
    using VelInventoryList::magicSubCategory;
};

// A filter's chosen entry shows in its face, left of the drop arrow.
TEST_F(GearContentTest, FilterCaptionsStopShortOfTheirArrow)
{
    const std::string database = std::string(STAVELORN_BINARY_DIR) + "/Resources/Database/";
    for (const char* name : {"Database.bin", "EquipDB.bin", "SpellDB.bin"})
        ASSERT_TRUE(VelDatabase::ParseFile(database + name)) << name;
    FCObject* object = FCClassRegistry::LoadObjectFromFile("velInventory.ui");
    auto* page = dynamic_cast<UIControl*>(object);
    ASSERT_NE(page, nullptr);
    OpenShop shop;
    std::vector<std::int16_t> magicKinds = {VelInventoryList::kEnhancedWeapons, VelInventoryList::kEnhancedArmor,
                                            VelInventoryList::kEnhancedShields};
    for (std::int16_t kind = 1; kind <= 11; ++kind)
        magicKinds.push_back(kind);
    for (std::int32_t category : {VelInventoryList::kWeapons, VelInventoryList::kArmor, VelInventoryList::kShields,
                                  VelInventoryList::kGoods, VelInventoryList::kMagic, VelInventoryList::kArmorAndShields})
        for (std::int16_t kind : category == VelInventoryList::kMagic ? magicKinds : std::vector<std::int16_t>{0})
            for (std::size_t index = 0; index < 3; ++index)
            {
                shop.category = category;
                shop.magicSubCategory = kind;
                auto* selector = dynamic_cast<UIComboBox*>(
                    page->FindDescendant(static_cast<std::uint16_t>(VelInventoryList::kFirstFilter + 10 * index)));
                UIControl* row = selector ? selector->GetItemTemplate() : nullptr;
                auto* entry = dynamic_cast<UITextControl*>(row ? row->FindDescendant(14501) : nullptr);
                const UIControl* arrow = selector ? selector->FindDescendant(151) : nullptr;
                ASSERT_TRUE(entry && entry->GetFont() && arrow);
                const std::int32_t room = arrow->GetPosition().x - entry->GetLeftMargin();
                for (const OpenShop::Entry& choice : shop.FilterEntries(index))
                    EXPECT_LE(MeasureTextLine(choice.text, *entry->GetFont()).x, room)
                        << "\"" << choice.text << "\" in filter " << index;
            }
    object->Release();
    VelDatabase::Clear();
}
} // namespace
