// Every icon the shipped rule set names, loaded from the built Resources/
// tree the way the pages load them: through the file system, the resource
// manager and the rules' own icon lookups.

#include "Fc/Core/FCFileSystem.h"
#include "Fc/Core/FCObjectMap.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelDomainInfo.h"
#include "Vel/Db/VelGodInfo.h"
#include "Vel/Db/VelItemInfo.h"
#include "Vel/Db/VelSchoolInfo.h"
#include "Vel/Rules/VelFormatRules.h"
#include "support/DbFixture.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <set>
#include <string>

namespace
{
class IconContentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* name : {"Database.bin", "AnimalDB.bin", "EquipDB.bin", "SpellDB.bin"})
            ASSERT_TRUE(VelDatabase::ParseFile(std::string(RULES_BUILD_DIR) + "/" + name)) << name;
        fileSystem.SetRootPath(RESOURCES_DIR);
    }

    // Calls check(icon file, record name) for every record of a keyed table;
    // the number of records.
    template <class T>
    static std::size_t ForEachIcon(std::uint16_t tag,
                                   const std::function<void(const T& record)>& check)
    {
        FCObjectMap* map = VelDatabase::GetMap(tag);
        if (!map)
            return 0;
        std::size_t count = 0;
        FCObjectMap::Cursor walk = map->First();
        FCObject* object = nullptr;
        while (map->GetNext(object, &walk))
        {
            check(static_cast<const T&>(*static_cast<VelInfo*>(object)));
            ++count;
        }
        return count;
    }

    template <class T>
    void ExpectPortraitIcons(std::uint16_t tag, const char* kind)
    {
        SCOPED_TRACE(kind);
        std::set<std::string> seen;
        const std::size_t records = ForEachIcon<T>(tag, [&](const T& record) {
            SCOPED_TRACE(record.name + " (" + record.iconFile + ")");
            EXPECT_TRUE(seen.insert(record.iconFile).second) << "icon shared with another record";
            FCImageBuffer* icon = LoadIcon(record.iconFile);
            ASSERT_NE(icon, nullptr);
            EXPECT_EQ(icon->GetWidth(), 120);
            EXPECT_EQ(icon->GetHeight(), 152);
        });
        EXPECT_GT(records, 0u);
        resources.Purge();
    }

    QuietLog quiet;
    DbFixture db;
    FCFileSystem fileSystem;
    FCResourceManager resources;
};

TEST_F(IconContentTest, GodsDomainsSchoolsAndAnimalsHaveTheirOwnPortraitSizedIcons)
{
    ExpectPortraitIcons<VelGodInfo>(VelDatabase::kTagGod, "gods");
    ExpectPortraitIcons<VelDomainInfo>(VelDatabase::kTagDomain, "domains");
    ExpectPortraitIcons<VelSchoolInfo>(VelDatabase::kTagSchool, "schools");
    ExpectPortraitIcons<VelAnimalInfo>(VelDatabase::kTagAnimal, "animals");
}

TEST_F(IconContentTest, EveryItemLoadsItsIcon)
{
    std::set<std::string> icons;
    const std::size_t items = ForEachIcon<VelItemInfo>(VelDatabase::kTagItem, [&](const VelItemInfo& item) {
        SCOPED_TRACE(item.name + " (" + item.iconFile + ")");
        FCImageBuffer* icon = GetItemIcon(&item);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->GetWidth(), 64);
        EXPECT_EQ(icon->GetHeight(), 64);
        icons.insert(item.iconFile);
    });
    EXPECT_GT(items, 0u);
    // Items may share an icon (the mighty bows share their bow's), but most
    // have their own: a rule set pointing everything at one picture fails.
    EXPECT_GT(icons.size() * 10, items * 9);
    resources.Purge();
}

TEST_F(IconContentTest, AMissingIconIsNoPicture)
{
    // The loader the checks above rely on does fail for a file that is not
    // there, so their non-null results mean the files were found.
    EXPECT_EQ(LoadIcon("god_nobody.jpg"), nullptr);
    VelItemInfo nameless;
    nameless.iconFile = "item_nothing.jpg";
    EXPECT_EQ(GetItemIcon(&nameless), nullptr);
}
} // namespace
