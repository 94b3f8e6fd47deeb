#include "RulesSchema.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Vel/Db/VelAgeInfo.h"
#include "Vel/Db/VelCarryInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelClassLevelInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFieldVisitor.h"
#include "Vel/Db/VelHeightWeightInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelInfo.h"
#include "Vel/Db/VelRecordClasses.h"
#include "Vel/Db/VelSpellsPerInfo.h"
#include "support/DbFixture.h"
#include "support/TempFolder.h"
#include "support/ToolRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <vector>

namespace
{
using Bytes = std::vector<std::uint8_t>;

// An id every record space of the test sources holds, so that any
// reference field may name it.
constexpr int kCommonId = 9;
// Records the shipped content does not have with that id.
const char* const kCommonRecords = R"(
races: [{id: 9, name: Test Race}]
sizes: [{id: 9, name: Test Size}]
schools: [{id: 9, name: Test School}]
)";

std::vector<std::filesystem::path> ContentSources()
{
    std::vector<std::filesystem::path> sources;
    for (const auto& entry : std::filesystem::directory_iterator(RULES_CONTENT_DIR))
        if (entry.path().extension() == ".yaml")
            sources.push_back(entry.path());
    std::sort(sources.begin(), sources.end());
    return sources;
}

// The shipped sources and the given ones, compiled in a folder of their own.
ToolResult CompileWithContent(const TempFolder& folder,
                              const std::map<std::string, std::string>& extra)
{
    folder.MakeFolder("src");
    std::error_code error;
    for (const auto& source : ContentSources())
        std::filesystem::copy_file(source, folder.Join("src/" + source.filename().string()), error);
    for (const auto& [name, text] : extra)
        folder.WriteFile("src/" + name, text);
    return RunTool(RULESC_TOOL, {folder.Join("src"), folder.Join("out")});
}

bool LoadOutputs(const TempFolder& folder)
{
    bool ok = true;
    for (const char* name : {"Database.bin", "AnimalDB.bin", "EquipDB.bin", "SpellDB.bin"})
        ok = VelDatabase::ParseFile(folder.Join(std::string("out/") + name)) && ok;
    return ok;
}

// Gives every field of a record a value of its own and writes the same
// values as a source map: numbers differ from field to field, references
// name kCommonId, texts carry a character that Windows-1252 stores as one
// byte above 127.
class SourceMaker : public VelFieldVisitor
{
public:
    // The owner field, when the table has one, takes the owner's key.
    SourceMaker(std::string className, const char* ownerField, std::int16_t owner)
        : className(std::move(className)), ownerField(ownerField ? ownerField : ""), owner(owner)
    {
    }

    void operator()(const char* name, std::uint8_t& value) override
    {
        Integer(name, value, 1 + Next() % 200);
    }
    void operator()(const char* name, std::uint16_t& value) override
    {
        Integer(name, value, 100 + Next());
    }
    void operator()(const char* name, std::int16_t& value) override
    {
        Integer(name, value, -100 - Next());
    }
    void operator()(const char* name, std::uint32_t& value) override
    {
        Integer(name, value, 100000 + Next());
    }
    void operator()(const char* name, std::int32_t& value) override
    {
        Integer(name, value, -100000 - Next());
    }
    void Widened(const char* name, std::int32_t& value) override
    {
        Integer(name, value, -10 - Next());
    }
    void operator()(const char* name, float& value) override
    {
        value = static_cast<float>(Next()) + 0.5f;
        Add(name, std::to_string(value));
    }
    void operator()(const char* name, std::string& value) override
    {
        const RulesField* rule = Rule(name);
        const std::string number = std::to_string(Next());
        if (rule && rule->pictureFile)
        {
            value = "pic_" + number + ".jpg";
            Add(name, value);
            return;
        }
        value = "T" + number + " caf\xE9";
        Add(name, "\"T" + number + " caf\u00E9\"");
    }
    using VelFieldVisitor::operator();

    // "name: value" or "name: [values]" lines, one field each.
    std::string Source(const std::string& indent) const
    {
        std::string out;
        for (const auto& [name, values] : fields)
        {
            out += indent + name + ": ";
            if (values.size() == 1)
                out += values[0];
            else
            {
                out += "[";
                for (std::size_t i = 0; i < values.size(); ++i)
                    out += (i ? ", " : "") + values[i];
                out += "]";
            }
            out += "\n";
        }
        return out;
    }

private:
    const RulesField* Rule(const char* name) const
    {
        const RulesField* rule = RulesSchema::FindField(className, name);
        return rule ? rule : RulesSchema::FindField("VelItemInfo", name);
    }

    template <class T> void Integer(const char* name, T& value, long long generated)
    {
        const RulesField* rule = Rule(name);
        const bool isReference =
            rule && rule->values != RulesNs::None && !RulesSchema::IsWordSpace(rule->values);
        // A spell level row names a class, not a domain.
        const bool isNone =
            className == "VelSpellLevelInfo" && std::string_view(name) == "domainId";
        if (name == ownerField)
        {
            value = static_cast<T>(owner);
            return;
        }
        if (isNone)
        {
            value = static_cast<T>(-1);
            Add(name, "none");
            return;
        }
        value = static_cast<T>(isReference ? kCommonId : generated);
        Add(name, std::to_string(static_cast<long long>(value)));
    }
    void Add(const char* name, const std::string& text) { fields[name].push_back(text); }
    int Next() { return ++counter; }

    std::string className;
    std::string ownerField;
    std::int16_t owner;
    std::map<std::string, std::vector<std::string>> fields;
    int counter = 0;
};

struct Made
{
    const RulesTable* table;
    std::unique_ptr<VelInfo, void (*)(VelInfo*)> record;
    std::int16_t key;
    std::int16_t second;
};

void ReleaseRecord(VelInfo* record)
{
    record->Release();
}

// One record of the class in its table, inside an owner of its own when the
// table is written inside another; its source goes under the top-level key.
Made MakeRecord(const RulesTable& table, const char* className, const char* itemWord, int serial,
                std::map<std::string, std::string>& source)
{
    auto* record = static_cast<VelInfo*>(FCClassRegistry::CreateByName(className));
    const auto key = static_cast<std::int16_t>(20000 + serial);
    SourceMaker maker(className, table.ownerField, key);
    record->VisitFields(maker);
    std::string& out = source[table.parent ? table.parent : table.key];
    out += "- id: " + std::to_string(key) + "\n";
    if (itemWord)
        out += std::string("  class: ") + itemWord + "\n";
    if (!table.parent)
        out += maker.Source("  ");
    else
    {
        out += std::string("  ") + table.key + ":" + (table.single ? "\n" : "\n  -\n");
        if (table.pairField)
            out += std::string("    ") + table.pairField + ": 1\n";
        out += maker.Source("    ");
    }
    record->key = key;
    return Made{
        &table, {record, ReleaseRecord}, key, static_cast<std::int16_t>(table.pairField ? 1 : -1)};
}

const VelInfo* FindLoaded(const Made& made)
{
    VelDatabase::TableKind kind{};
    if (!VelDatabase::GetTableKind(made.table->tag, kind))
        return nullptr;
    switch (kind)
    {
    case VelDatabase::TableKind::kMap:
        return VelDatabase::FindInMap(made.table->tag, static_cast<std::uint16_t>(made.key));
    case VelDatabase::TableKind::kSet:
        return VelDatabase::FindInSet(made.table->tag, *made.record);
    case VelDatabase::TableKind::kPairMap:
        return VelDatabase::FindInPairMap(made.table->tag, static_cast<std::uint16_t>(made.key),
                                          static_cast<std::uint16_t>(made.second));
    case VelDatabase::TableKind::kList:
        break;
    }
    const VelInfo* found = nullptr;
    VelDatabase::ForEach<VelInfo>(made.table->tag,
                                  [&](const VelInfo& record)
                                  {
                                      if (record.key == made.key)
                                          found = &record;
                                  });
    return found;
}
} // namespace

TEST(RulescToolTest, EveryRecordClassRoundTripsWithEveryField)
{
    std::map<std::string, std::string> tables;
    std::vector<Made> made;
    int serial = 0;
    for (const RulesTable& table : RulesSchema::Tables())
    {
        const bool inItem = table.parent && std::string_view(table.parent) == "items";
        if (table.className)
            made.push_back(
                MakeRecord(table, table.className, inItem ? "goods" : nullptr, serial++, tables));
        else
            for (const RulesItemClass& item : RulesSchema::ItemClasses())
                made.push_back(MakeRecord(table, item.className, item.word, serial++, tables));
    }
    std::string source;
    for (const auto& [key, text] : tables)
        source += key + ":\n" + text;

    DbFixture db;
    TempFolder folder;
    const ToolResult result =
        CompileWithContent(folder, {{"common.yaml", kCommonRecords}, {"zz_test.yaml", source}});
    ASSERT_EQ(result.exitCode, 0) << result.output << "\n" << source;
    ASSERT_TRUE(LoadOutputs(folder));
    std::set<std::string> classes;
    for (const Made& one : made)
    {
        const VelInfo* loaded = FindLoaded(one);
        ASSERT_NE(loaded, nullptr) << one.table->key << " " << one.record->GetClassName();
        EXPECT_EQ(loaded->GetClassName(), one.record->GetClassName());
        EXPECT_EQ(loaded->Dump(), one.record->Dump()) << one.table->key;
        classes.insert(one.record->GetClassName());
    }
    // Every record class but the item base, which no table holds.
    EXPECT_EQ(classes.size(), kVelRecordClasses.size() - 1);
}

TEST(RulescToolTest, SourceErrorsNameTheirFileAndLine)
{
    struct Case
    {
        const char* what;
        const char* source;
        const char* expected;
    };
    const Case cases[] = {
        {"unknown reference", "classes:\n- id: 300\n  name: X\n  forbiddenAlignments: [Nowhere]\n",
         "bad.yaml:4:25: unknown alignment \"Nowhere\""},
        {"unknown reference by id", "enemies:\n- {id: 300, name: X, raceId: 77}\n",
         "bad.yaml:2:30: no race with id 77"},
        {"duplicate id", "feats:\n- {id: 1, name: Again}\n",
         "bad.yaml:2:3: duplicate id 1 in \"feats\""},
        {"duplicate row", "races:\n- id: 300\n  skillBonuses: [{skillId: 2}, {skillId: 2}]\n",
         "bad.yaml:3:32: duplicate row in \"skillBonuses\""},
        {"bad format text", "features:\n- {id: 300, name: X, text: \"%s of %d\"}\n",
         "bad.yaml:2:28: \"text\" is a format text"},
        {"too many conversions", "features:\n- {id: 300, name: \"%d and %d\"}\n",
         "bad.yaml:2:19: \"name\" takes at most 1 integer conversions, not 2"},
        {"outside Windows-1252", "skills:\n- {id: 300, name: \"Arrow \u2192 up\"}\n",
         "bad.yaml:2:26: \"name\" holds a character outside Windows-1252"},
        {"spell level with both",
         "spells:\n- id: 300\n  levels: [{classId: 1, domainId: 9, level: 1}]\n",
         "bad.yaml:3:12: a spell level row names either a class or a domain"},
        {"spell level with neither", "spells:\n- id: 300\n  levels: [{level: 1}]\n",
         "bad.yaml:3:12: a spell level row names either a class or a domain"},
        {"picture name", "classes:\n- {id: 300, portraitFile: Big.PNG}\n",
         "bad.yaml:2:27: picture file \"Big.PNG\" does not follow"},
        {"unknown field", "sizes:\n- {id: 300, colour: red}\n",
         "bad.yaml:2:13: \"colour\" is no field of VelSizeInfo"},
        {"field given twice", "sizes:\n- {id: 300, name: A, name: B}\n",
         "bad.yaml:2:22: \"name\" is given twice"},
        {"yaml syntax", "sizes: [\n", "bad.yaml:2:1:"},
    };
    for (const Case& c : cases)
    {
        TempFolder folder;
        const ToolResult result = CompileWithContent(
            folder, {{"common.yaml", kCommonRecords}, {"zz_bad.yaml", c.source}});
        EXPECT_NE(result.exitCode, 0) << c.what;
        EXPECT_NE(result.output.find(std::string("zz_") + c.expected), std::string::npos)
            << c.what << "\n"
            << result.output;
        EXPECT_FALSE(std::filesystem::exists(folder.Join("out/Database.bin"))) << c.what;
    }

    // A missing well-known id is reported at the table where it belongs.
    TempFolder folder;
    folder.WriteFile("src/only.yaml", std::string("classes:\n- {id: 1, name: Bard}\n"));
    const ToolResult result = RunTool(RULESC_TOOL, {folder.Join("src"), folder.Join("out")});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.output.find("only.yaml:1:1: missing class 0 (berserker class) in \"classes\""),
              std::string::npos)
        << result.output;
}

TEST(RulescToolTest, ShippedContentIsCurrentRepeatableAndDumps)
{
    TempFolder folder;
    ASSERT_EQ(RunTool(RULESC_TOOL, {RULES_CONTENT_DIR, folder.Join("a")}).exitCode, 0);
    ASSERT_EQ(RunTool(RULESC_TOOL, {RULES_CONTENT_DIR, folder.Join("b")}).exitCode, 0);
    for (const char* name : {"Database.bin", "AnimalDB.bin", "EquipDB.bin", "SpellDB.bin"})
    {
        const Bytes first = folder.ReadFile(std::string("a/") + name);
        EXPECT_EQ(first, folder.ReadFile(std::string("b/") + name)) << name;
        std::ifstream built(std::string(RULES_BUILD_DIR) + "/" + name, std::ios::binary);
        EXPECT_EQ(first,
                  Bytes(std::istreambuf_iterator<char>(built), std::istreambuf_iterator<char>()))
            << name;
    }
    const ToolResult dump = RunTool(RULESC_TOOL, {"--dump", folder.Join("a/Database.bin")});
    EXPECT_EQ(dump.exitCode, 0);
    EXPECT_NE(dump.output.find("name: \"Barbarian\""), std::string::npos);
    folder.WriteFile("short.bin", Bytes{100, 0, 0, 0, 12, 0});
    EXPECT_NE(RunTool(RULESC_TOOL, {"--dump", folder.Join("short.bin")}).exitCode, 0);
}

TEST(RulescToolTest, ShippedContentHoldsEveryWellKnownIdAndFullTables)
{
    DbFixture db;
    for (const char* name : {"Database.bin", "AnimalDB.bin", "EquipDB.bin", "SpellDB.bin"})
        ASSERT_TRUE(VelDatabase::ParseFile(std::string(RULES_BUILD_DIR) + "/" + name)) << name;
    for (const RulesWellKnown& id : RulesSchema::WellKnownIds())
        EXPECT_NE(VelDatabase::FindInMap(RulesSchema::TableOf(id.ns)->tag, id.id), nullptr)
            << RulesSchema::NsName(id.ns) << " " << id.id << " (" << id.role << ")";

    auto count = [](std::uint16_t tag)
    {
        std::size_t n = 0;
        if (FCObjectMap* map = VelDatabase::GetMap(tag))
            n = map->GetCount();
        VelDatabase::ForEach<VelInfo>(tag, [&n](const VelInfo&) { ++n; });
        return n;
    };
    EXPECT_EQ(count(VelDatabase::kTagClass), 11u);
    EXPECT_EQ(count(VelDatabase::kTagRace), 7u);
    EXPECT_GE(count(VelDatabase::kTagSkill), 40u);
    EXPECT_GE(count(VelDatabase::kTagFeat), 74u); // every feat of the edition
    for (std::uint16_t level = 1; level <= 20; ++level)
        EXPECT_NE(VelDatabase::FindClassLevel(level), nullptr) << level;
    for (std::uint16_t race = 0; race < 7; ++race)
    {
        EXPECT_NE(VelDatabase::FindAge(race), nullptr) << race;
        for (std::uint16_t sex : {0, 1})
            EXPECT_NE(VelDatabase::FindHeightWeight(race, sex), nullptr) << race << " " << sex;
    }
    for (std::uint16_t classId = 0; classId < VelIds::kClassCount; ++classId)
    {
        const VelClassInfo* info = VelDatabase::FindClass(classId);
        ASSERT_NE(info, nullptr);
        const bool keepsKnown =
            classId == VelIds::kClassMinstrel || classId == VelIds::kClassInnateCaster;
        for (std::uint16_t level = 1; level <= 20; ++level)
        {
            EXPECT_EQ(VelDatabase::FindSpellsPer(classId, level) != nullptr, info->castingKind != 0)
                << classId;
            EXPECT_EQ(VelDatabase::FindSpellsPer220(classId, level) != nullptr, keepsKnown)
                << classId;
        }
    }
    for (std::uint16_t strength = 0; strength <= 29; ++strength)
        EXPECT_NE(VelDatabase::FindCarry(strength), nullptr) << strength;
}
