#include "support/SheetCaster.h"

#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterEquip.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Character/VelCharacterSpell.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelDomainInfo.h"
#include "Vel/Db/VelFeatInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelItemInfo.h"
#include "Vel/Db/VelSchoolInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelSpellLevelInfo.h"
#include "Vel/Db/VelSubSkillInfo.h"
#include "Vel/Rules/VelEquipRules.h"
#include "Vel/Rules/VelRulesWalk.h"
#include "Vel/Rules/VelSetupRules.h"
#include "Vel/Rules/VelSpellRules.h"

#include <vector>

BuiltContent::BuiltContent(const std::string& buildDir)
{
    loaded = true;
    for (const char* name : {"Database.bin", "AnimalDB.bin", "EquipDB.bin", "SpellDB.bin"})
        loaded = VelDatabase::ParseFile(buildDir + "/Resources/Database/" + name) && loaded;
    files = std::make_unique<FCFileSystem>();
    files->SetRootPath(buildDir + "/Resources");
    files->AddSearchDirectory("Art");
    resources = std::make_unique<FCResourceManager>();
    loaded = resources->LoadResourceFile("GameAssets.bin") && loaded;
}

BuiltContent::~BuiltContent()
{
    resources.reset();
    files.reset();
}

namespace
{
// The first records of a table, in key order, that pass the test.
template <class T, class Test>
std::vector<const T*> First(std::uint16_t tag, std::size_t count, Test&& test)
{
    std::vector<const T*> found;
    if (const FCObjectMap* map = VelDatabase::GetMap(tag))
        VelRulesWalk::Each<T>(*map,
                              [&](const T& record)
                              {
                                  if (test(record))
                                      found.push_back(&record);
                                  return found.size() >= count;
                              });
    return found;
}

void ChooseAllSpells(VelCharacter& c, std::uint16_t classId, std::uint16_t listClass)
{
    const VelCharacterClass* entry = c.FindClass(classId);
    const std::int16_t highest = HighestSpellLevel(entry);
    for (const VelSpellInfo* spell : First<VelSpellInfo>(VelDatabase::kTagSpell, 10000,
                                                         [](const VelSpellInfo&) { return true; }))
    {
        const auto id = static_cast<std::uint16_t>(spell->key);
        const VelSpellLevelInfo* row = VelDatabase::FindClassSpellLevel(id, listClass);
        if (!row || static_cast<std::int16_t>(row->level) > highest || c.HasSpell(id, classId))
            continue;
        auto* chosen = new VelCharacterSpell(id, classId);
        c.AddSpell(chosen);
        chosen->Release();
    }
}
} // namespace

Owned<VelCharacter> MakeSheetCaster(const std::string& name)
{
    Owned<VelCharacter> c(new VelCharacter());
    c->name = name;
    c->raceId = 2;
    c->alignmentId = 33;
    c->AddClass(VelIds::kClassPriest)->level = 7;
    c->AddClass(VelIds::kClassInnateCaster)->level = 7;
    c->AddClass(VelIds::kClassScholarCaster)->level = 6;
    FinishCharacterSetup(c.get(), true);

    const auto domains =
        First<VelDomainInfo>(VelDatabase::kTagDomain, 2, [](const VelDomainInfo&) { return true; });
    for (std::size_t slot = 0; slot < domains.size(); ++slot)
        c->domainIds[slot] = static_cast<std::uint16_t>(domains[slot]->key);
    const auto schools = First<VelSchoolInfo>(VelDatabase::kTagSchool, 3,
                                              [](const VelSchoolInfo& s) { return s.key > 0; });
    for (std::size_t i = 0; i < schools.size(); ++i)
        c->schoolSlots[i == 0 ? 0 : i + 1] = static_cast<std::uint16_t>(schools[i]->key);
    ChooseAllSpells(*c, VelIds::kClassInnateCaster, VelIds::kClassInnateCaster);
    ChooseAllSpells(*c, VelIds::kClassScholarCaster, VelIds::kClassInnateCaster);

    for (const VelFeatInfo* feat : First<VelFeatInfo>(
             VelDatabase::kTagFeat, 12, [](const VelFeatInfo& f) { return f.choiceKind == 0; }))
    {
        auto* entry =
            new VelCharacterFeat(static_cast<std::uint16_t>(feat->key), VelCharacterFeat::kNoChoice,
                                 VelCharacterFeat::kNoChoice, VelIds::kClassPriest);
        c->InsertFeat(entry);
        entry->Release();
    }
    // Skills with sub-skills fill the free rows and go on over two pages.
    std::size_t subSkills = 0;
    VelDatabase::ForEach<VelSubSkillInfo>(
        VelDatabase::kTagSubSkill,
        [&](const VelSubSkillInfo& sub)
        {
            if (subSkills++ >= 30)
                return;
            auto* skill =
                new VelCharacterSkill(static_cast<std::uint16_t>(sub.key), sub.subSkillId);
            skill->SetRanks(VelIds::kClassPriest, VelCharacterSkill::kClassRanks, 1.0f);
            c->AddSkill(skill);
            skill->Release();
        });

    int goods = 0;
    for (const VelItemInfo* record : First<VelItemInfo>(
             VelDatabase::kTagItem, 60,
             [](const VelItemInfo& item) { return item.GetTypeCode() == VelItemInfo::kGoodsCode; }))
    {
        VelCharacterItem* item = BuyItem(c.get(), const_cast<VelItemInfo*>(record), 0, 0, 0, false);
        if (item && goods++ % 3 == 0)
            EquipItem(c.get(), item, false);
    }
    const auto weapons = First<VelItemInfo>(
        VelDatabase::kTagItem, 8,
        [&](const VelItemInfo& item) { return item.GetTypeCode() == VelItemInfo::kWeaponCode; });
    for (std::size_t set = 0; set + 1 < weapons.size(); set += 2)
    {
        VelCharacterItem* off =
            BuyItem(c.get(), const_cast<VelItemInfo*>(weapons[set]), 0, 0, 0, false);
        VelCharacterItem* main =
            BuyItem(c.get(), const_cast<VelItemInfo*>(weapons[set + 1]), 0, 0, 0, false);
        VelCharacterEquip equip;
        equip.slots = {set % 4 == 0 ? off->itemKey : VelCharacterEquip::kEmptySlot, main->itemKey};
        equip.gripMode =
            set % 4 == 0 ? VelCharacterEquip::kTwoWeapons : VelCharacterEquip::kOneHand;
        c->AddEquip(equip);
    }
    return c;
}
