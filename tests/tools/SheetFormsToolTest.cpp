#include "SheetFormFiller.h"

#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "support/TempFolder.h"
#include "support/ToolRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace
{
// Names by kind and number, as the rule set would answer them.
SheetFormFiller::Lookup Names(std::map<std::pair<std::string, int>, std::string> names)
{
    return [names](const std::string& kind, int number, std::string& name) {
        const auto found = names.find({kind, number});
        if (found == names.end())
            return false;
        name = found->second;
        return true;
    };
}

TEST(SheetFormsToolTest, PlaceholdersBecomeNamesReadyForSvg)
{
    const SheetFormFiller filler(Names({{{"class", 3}, "Nature Priest"},
                                        {{"skill", 12}, "Escape & Hide"},
                                        {{"skill", 0}, "Caf\xE9 <Lore>"}}));
    std::string out;
    std::string error;
    ASSERT_TRUE(filler.Fill("<t>{{class:3}}</t><t>{{skill:12}}</t>\n<t>{{skill:0}}</t>"
                            "<t>{{skill:40}}</t>{{class:10}}",
                            out, error))
        << error;
    EXPECT_EQ(out, "<t>Nature Priest</t><t>Escape &amp; Hide</t>\n<t>Caf\u00e9 &lt;Lore&gt;</t>"
                   "<t></t>");
}

TEST(SheetFormsToolTest, BadPlaceholdersNameTheirLine)
{
    const SheetFormFiller filler(Names({}));
    const std::pair<const char*, const char*> cases[] = {
        {"a\nb {{spell:3}}", "line 2: no names of the kind \"spell\""},
        {"{{class}}", "line 1: \"class\" is not KIND:NUMBER"},
        {"\n\n{{skill:-1}}", "line 3: \"skill:-1\" is not KIND:NUMBER"},
        {"{{skill:4x}}", "line 1: \"skill:4x\" is not KIND:NUMBER"},
        {"{{skill:}}", "line 1: \"skill:\" is not KIND:NUMBER"},
        {"ok {{class:1", "line 1: a placeholder is left open"},
    };
    for (const auto& [form, message] : cases)
    {
        std::string out;
        std::string error;
        EXPECT_FALSE(filler.Fill(form, out, error)) << form;
        EXPECT_EQ(error, message);
    }
}

TEST(SheetFormsToolTest, FillsAFormFromTheCompiledRuleSet)
{
    const std::string database = std::string(RULES_BUILD_DIR) + "/Database.bin";
    ASSERT_TRUE(VelDatabase::ParseFile(database));
    const VelClassInfo* first = VelDatabase::FindClass(0);
    ASSERT_NE(first, nullptr);
    const std::string expected = "<text>" + first->name + "</text>\n<text></text>\n";
    VelDatabase::Clear();

    TempFolder folder;
    folder.WriteFile("form.svg", std::string("<text>{{class:0}}</text>\n<text>{{class:99}}</text>\n"));
    const std::string out = folder.Join("out.svg");
    const ToolResult run = RunTool(SHEETFORMS_TOOL, {database, folder.Join("form.svg"), out});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::vector<std::uint8_t> bytes = folder.ReadFile("out.svg");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);

    // Nothing is written from a bad template or without the rule set.
    folder.WriteFile("bad.svg", std::string("{{weapon:1}}"));
    const std::vector<std::vector<std::string>> failing = {
        {database, folder.Join("bad.svg"), folder.Join("bad-out.svg")},
        {folder.Join("missing.bin"), folder.Join("form.svg"), folder.Join("bad-out.svg")},
        {database, folder.Join("missing.svg"), folder.Join("bad-out.svg")},
        {database, folder.Join("form.svg")},
    };
    for (const std::vector<std::string>& arguments : failing)
    {
        const ToolResult result = RunTool(SHEETFORMS_TOOL, arguments);
        EXPECT_NE(result.exitCode, 0) << result.output;
        EXPECT_FALSE(std::filesystem::exists(folder.Join("bad-out.svg")));
    }
}
} // namespace
