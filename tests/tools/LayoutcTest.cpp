#include "Ui/UILayoutCodec.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCObject.h"
#include "Vel/Db/VelMemoryFile.h"
#include "support/Owned.h"
#include "support/QuietLog.h"
#include "support/TempFolder.h"
#include "support/ToolRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{
using Bytes = std::vector<std::uint8_t>;

ToolResult Compile(const TempFolder& folder, const std::string& source, const std::string& output = "out.ui")
{
    folder.WriteFile("source.yaml", source);
    return RunTool(LAYOUTC_TOOL, {"compile", folder.Join("source.yaml"), folder.Join(output)});
}

Bytes CompileBytes(const std::string& source)
{
    TempFolder folder;
    const ToolResult result = Compile(folder, source);
    EXPECT_EQ(result.exitCode, 0) << result.output;
    return result.exitCode == 0 ? folder.ReadFile("out.ui") : Bytes{};
}

std::vector<std::filesystem::path> ContentSources()
{
    std::vector<std::filesystem::path> sources;
    for (const auto& entry : std::filesystem::directory_iterator(LAYOUT_CONTENT_DIR))
        if (entry.path().extension() == ".yaml")
            sources.push_back(entry.path());
    std::sort(sources.begin(), sources.end());
    return sources;
}
} // namespace

TEST(LayoutcTest, ContentCompilesTheSameEveryTimeAndRoundTrips)
{
    const auto sources = ContentSources();
    ASSERT_GE(sources.size(), 7u);
    for (const auto& source : sources)
    {
        TempFolder folder;
        const std::string name = source.stem().string();
        ASSERT_EQ(RunTool(LAYOUTC_TOOL, {"compile", source.string(), folder.Join("a.ui")}).exitCode, 0) << name;
        ASSERT_EQ(RunTool(LAYOUTC_TOOL, {"compile", source.string(), folder.Join("b.ui")}).exitCode, 0) << name;
        const Bytes first = folder.ReadFile("a.ui");
        EXPECT_EQ(first, folder.ReadFile("b.ui")) << name;
        std::ifstream built(std::string(LAYOUT_BUILD_DIR) + "/" + name + ".ui", std::ios::binary);
        EXPECT_EQ(first, Bytes(std::istreambuf_iterator<char>(built), std::istreambuf_iterator<char>())) << name;

        // Decompile, compile the result: the same bytes.
        const ToolResult dump = RunTool(LAYOUTC_TOOL, {"decompile", folder.Join("a.ui"), folder.Join("back.yaml")});
        ASSERT_EQ(dump.exitCode, 0) << name << dump.output;
        ASSERT_EQ(RunTool(LAYOUTC_TOOL, {"compile", folder.Join("back.yaml"), folder.Join("c.ui")}).exitCode, 0);
        EXPECT_EQ(folder.ReadFile("c.ui"), first) << name;
    }
}

TEST(LayoutcTest, EachClassLayoutLoadsWholeAndDecompilesToTheSameBytes)
{
    struct Case
    {
        const char* layout;
        const char* className;
        const char* dumped; // part of the decompiled source
    };
    const Case cases[] = {
        {"testGroup", "UIGroup", "buttonType: radio"},
        {"testButton", "UIButton", "buttonType: toggle"},
        {"testDragButton", "UIDragButton", "buttonType: push"},
        {"testSlider", "UISlider", "orientation: [horizontal]"},
        {"testScrollBar", "UIScrollBar", "class: UIDragButton"},
        {"testScrollFrame", "UIScrollFrame", "class: UIScrollFrame"},
        {"testGroupScrollFrame", "UIGroupScrollFrame", "class: UIBorder"},
        {"testScrollControl", "UIScrollControl", "scrollBars: [vertical]"},
        {"testListBox", "UIListBox", "items:"},
        {"testTextListBox", "UITextListBox", "attributes: [wordWrap, {leftMargin: 4}]"},
        {"testComboBox", "UIComboBox", "attributes: [{leftMargin: 3}]"},
        {"testTextControl", "UITextControl", "{rightMargin: 6}"},
        {"testEditControl", "UIEditControl", "attributes: [fitWidth, {leftMargin: 3}]"},
        {"testEditArea", "UIEditArea", "{topMargin: 4}"},
        {"testNumberEditControl", "UINumberEditControl", "{maximum: 18}, {minimum: 3}, markLimits"},
        {"testNumberScroll", "UINumberScroll", "[{minimum: -5}, {maximum: 5.5}, {step: 0.5}]"},
        {"testImageControl", "UIImageControl", "frame: 2"},
        {"testMovieControl", "UIMovieControl", "class: UIMovieControl"},
        {"testWindow", "UIWindow", "class: UIWindow"},
        {"testDialog", "UIDialog", "class: UIDialog"},
        {"testMessageDialog", "UIMessageDialog", "class: UITextListBox"},
        {"testFileDialog", "UIFileDialog", "class: UIEditControl"},
    };
    QuietLog quiet;
    for (const Case& c : cases)
    {
        TempFolder folder;
        const std::string source = std::string(LAYOUT_CONTENT_DIR) + "/" + c.layout + ".yaml";
        ASSERT_EQ(RunTool(LAYOUTC_TOOL, {"compile", source, folder.Join("a.ui")}).exitCode, 0) << c.layout;
        const Bytes bytes = folder.ReadFile("a.ui");

        // The program's own Load reads exactly what the tool wrote.
        VelMemoryFile file(bytes);
        Owned<FCObject> loaded(FCClassRegistry::ReadObject(file));
        ASSERT_NE(loaded, nullptr) << c.layout;
        EXPECT_EQ(loaded->GetClassName(), c.className) << c.layout;
        EXPECT_TRUE(file.IsEof()) << c.layout;

        const ToolResult dump = RunTool(LAYOUTC_TOOL, {"decompile", folder.Join("a.ui"), folder.Join("back.yaml")});
        ASSERT_EQ(dump.exitCode, 0) << c.layout << dump.output;
        const Bytes text = folder.ReadFile("back.yaml");
        EXPECT_NE(std::string(text.begin(), text.end()).find(c.dumped), std::string::npos) << c.layout;
        ASSERT_EQ(RunTool(LAYOUTC_TOOL, {"compile", folder.Join("back.yaml"), folder.Join("b.ui")}).exitCode, 0);
        EXPECT_EQ(folder.ReadFile("b.ui"), bytes) << c.layout;
    }
}

TEST(LayoutcTest, BareControlSourceGivesSeventyThreeBytes)
{
    const Bytes bytes = CompileBytes("layout: {class: UIControl, id: 0}\n");
    ASSERT_EQ(bytes.size(), 73u);
    EXPECT_EQ(std::string(bytes.begin() + 2, bytes.begin() + 11), "UIControl");
}

TEST(LayoutcTest, SymbolsMeanTheirNumbers)
{
    struct Case
    {
        const char* symbolic;
        const char* numeric;
    };
    const Case cases[] = {
        {"align: [bottom, right]", "align: 10"},
        {"align: [centreX, keepInside]", "align: 0x60"},
        {"sizeMode: content", "sizeMode: 2"},
        {"id: kPanel", "id: 4000"},
        {"display: [{class: UIFill, id: 1, mask: [selected, up], colour: \"#ff8000\"}]",
         "display: [{class: UIFill, id: 1, mask: 0x220, colour: [255, 128, 0]}]"},
        {"display: [{class: UIFill, id: 1, mask: always}]", "display: [{class: UIFill, id: 1, mask: 4095}]"},
        {"sounds: [{event: click, sound: kPanel}]", "sounds: [{event: 171, sound: 4000}]"},
        {"display: [{class: UIText, id: 2, attributes: [wordWrap, plusSign]}]",
         "display: [{class: UIText, id: 2, attributes: [10, 22]}]"},
        {"defaultFocus: true", "defaultFocus: 1"},
    };
    for (const Case& c : cases)
    {
        const std::string head = "ids: {kPanel: 4000}\nlayout:\n  class: UIControl\n  ";
        const Bytes symbolic = CompileBytes(head + c.symbolic + "\n");
        const Bytes numeric = CompileBytes(head + c.numeric + "\n");
        EXPECT_FALSE(symbolic.empty()) << c.symbolic;
        EXPECT_EQ(symbolic, numeric) << c.symbolic;
    }
}

TEST(LayoutcTest, TemplatesAreCopiedUnderTheirUsersKeys)
{
    const Bytes bytes = CompileBytes(R"(
templates:
  base: {class: UIControl, width: 10, height: 20, display: [{class: UIFill, id: 1, colour: "#010203"}]}
  wide: {use: base, width: 99}
layout:
  class: UIControl
  children:
    - {use: base, id: 5}
    - {use: wide, id: 6, height: 7}
)");
    VelMemoryFile file(bytes);
    UILayoutNode root;
    ASSERT_TRUE(UILayoutCodec::ReadNode(file, root));
    ASSERT_EQ(root.children.size(), 2u);
    const auto& first = std::get<UIObjectRecord>(root.children[0].payload);
    const auto& second = std::get<UIObjectRecord>(root.children[1].payload);
    EXPECT_EQ(first.id, 5);
    EXPECT_EQ(first.width, 10);
    EXPECT_EQ(first.height, 20);
    EXPECT_EQ(second.id, 6);
    EXPECT_EQ(second.width, 99);
    EXPECT_EQ(second.height, 7);
    ASSERT_EQ(root.children[1].displayItems.size(), 1u);
    EXPECT_EQ(std::get<UIFillRecord>(root.children[1].displayItems[0].payload).blue, 3);
}

TEST(LayoutcTest, BadSourcesAreReportedWithTheirLine)
{
    struct Case
    {
        const char* source;
        const char* expected; // part of the message, after "source.yaml:<line>: "
        int line;
    };
    const Case cases[] = {
        {"layout:\n  class: UIButtonX\n", "unknown class", 2},
        {"layout:\n  class: UIControl\n  widht: 3\n", "unknown key \"widht\"", 3},
        {"layout:\n  class: UIControl\n  id: 70000\n", "out of range", 3},
        {"layout:\n  class: UIControl\n  id: kMissing\n", "named id", 3},
        {"layout:\n  class: UIControl\n  align: [left, middle]\n", "unknown align flag", 3},
        {"layout:\n  class: UIControl\n  children:\n    - use: nothing\n", "unknown template", 4},
        {"templates:\n  a: {use: a}\nlayout:\n  class: UIControl\n  children: [{use: a}]\n", "nested too deeply", 0},
        {"layout:\n  class: UIControl\n  display:\n    - class: UIControl\n", "cannot be a display object", 4},
        {"layout:\n  class: UIControl\n  children:\n    - class: UIFill\n", "must be a control", 4},
        {"layout:\n  class: UIControl\n  display:\n    - {class: UIFill, colour: \"#12345\"}\n", "colour", 4},
        {"layout:\n  class: UIFill\n", "root of a layout must be a control", 2},
        {"layout:\n  class: UIControl\n  soundsEnd: 4\n", "soundsEnd", 3},
        {"layout:\n  class: UIControl\n  sounds: [{event: 0, sound: 1}]\n", "out of range", 3},
        {"ids: {a: 1, a: 2}\nlayout: {class: UIControl}\n", "named twice", 1},
        {"layut:\n  class: UIControl\n", "unknown top-level key", 1},
        {"layout: [unclosed\n", "", 0},
        {"layout:\n  class: UIControl\n  display:\n    - {class: UIText, text: \"\xE2\x82\xAC\xE2\x98\x83\"}\n",
         "character set", 4},
        {"layout:\n  class: UIButton\n  buttonType: sideways\n", "buttonType", 3},
        {"layout:\n  class: UIControl\n  buttonType: push\n", "unknown key \"buttonType\"", 3},
        {"layout:\n  class: UITextControl\n  attributes: [leftMargin]\n", "needs a value", 3},
        {"layout:\n  class: UITextControl\n  attributes: [{step: 1}]\n", "carries no value", 3},
        {"layout:\n  class: UINumberEditControl\n  attributes: [{maximum: .inf}]\n", "finite", 3},
        {"layout:\n  class: UIListBox\n  items: [{class: UIFill}]\n", "list item must be a control", 3},
    };
    for (const Case& c : cases)
    {
        TempFolder folder;
        const ToolResult result = Compile(folder, c.source);
        EXPECT_EQ(result.exitCode, 1) << c.source;
        EXPECT_FALSE(std::filesystem::exists(folder.Join("out.ui"))) << c.source;
        const std::string prefix = c.line > 0 ? "source.yaml:" + std::to_string(c.line) + ": " : "source.yaml:";
        EXPECT_NE(result.output.find(prefix), std::string::npos) << c.source << "\n" << result.output;
        EXPECT_NE(result.output.find(c.expected), std::string::npos) << c.source << "\n" << result.output;
    }
}

TEST(LayoutcTest, FailedCompileKeepsTheOldOutput)
{
    TempFolder folder;
    ASSERT_EQ(Compile(folder, "layout: {class: UIControl, id: 1}\n").exitCode, 0);
    const Bytes good = folder.ReadFile("out.ui");
    ASSERT_EQ(Compile(folder, "layout: {class: UINothing}\n").exitCode, 1);
    EXPECT_EQ(folder.ReadFile("out.ui"), good);
}

TEST(LayoutcTest, DecompilerRefusesDamagedFiles)
{
    TempFolder folder;
    ASSERT_EQ(Compile(folder, "layout: {class: UIControl, display: [{class: UIFill, id: 3}]}\n").exitCode, 0);
    Bytes bytes = folder.ReadFile("out.ui");

    folder.WriteFile("cut.ui", Bytes(bytes.begin(), bytes.end() - 3));
    EXPECT_EQ(RunTool(LAYOUTC_TOOL, {"decompile", folder.Join("cut.ui")}).exitCode, 1);

    Bytes longer = bytes;
    longer.push_back(0);
    folder.WriteFile("long.ui", longer);
    const ToolResult trailing = RunTool(LAYOUTC_TOOL, {"decompile", folder.Join("long.ui")});
    EXPECT_EQ(trailing.exitCode, 1);
    EXPECT_NE(trailing.output.find("1 bytes after"), std::string::npos) << trailing.output;

    const ToolResult good = RunTool(LAYOUTC_TOOL, {"decompile", folder.Join("out.ui")});
    EXPECT_EQ(good.exitCode, 0);
    EXPECT_NE(good.output.find("class: UIFill"), std::string::npos) << good.output;

    EXPECT_EQ(RunTool(LAYOUTC_TOOL, {"decompile"}).exitCode, 2);
}
