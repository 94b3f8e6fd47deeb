#include "Fc/Graphics/FCAnimation.h"
#include "Fc/Graphics/FCFont.h"
#include "Fc/Graphics/FCImageSet.h"
#include "Fc/Devices/FCSoundSample.h"
#include "support/ResourceFixture.h"
#include "support/ToolRunner.h"

#include <gtest/gtest.h>

namespace
{
class AssetsToolTest : public ::testing::Test
{
protected:
    // Writes the manifest into the sandbox's Art folder (beside its files)
    // and compiles it into Art/GameAssets.bin.
    ToolResult Compile(const std::string& manifest, const std::string& output = "GameAssets.bin")
    {
        sandbox.Folder().WriteFile("Art/manifest.yaml", manifest);
        return RunTool(ASSETS_TOOL, {sandbox.Folder().Join("Art/manifest.yaml"), sandbox.Folder().Join("Art/" + output)});
    }
    std::vector<std::uint8_t> Output(const std::string& name = "GameAssets.bin")
    {
        return sandbox.Folder().ReadFile("Art/" + name);
    }

    ResourceSandbox sandbox;
};

const char* const kFullManifest = R"(# every section
imagesets:
  - {id: 12, file: Letters.set}
  - {id: 10, file: Buttons.set}
animations:
  - {id: 3, imageset: 10, range: [2, 5], fps: 7, extra: 9}
  - {id: 4, imageset: 12, frames: [3, 5, 9], fps: 0}
sounds:
  - {id: 2, file: click.wav}
texts:
  - {id: 530, text: "Strength"}
  - {id: 7, text: "Défense – “quoted” €5"}
  - {id: 8, text: ""}
fonts:
  - {id: 1, imagesets: [12, 12, 10, 12]}
)";

TEST_F(AssetsToolTest, ManifestRoundTripsThroughTheProgramsReader)
{
    sandbox.WriteArt("Letters.set", ImageSetFileBytes(UniformGlyphs(40, 8, 10)));
    sandbox.WriteArt("Buttons.set", ImageSetFileBytes({{4, 4, 0, 0, 4, 4}}));
    sandbox.WriteArt("click.wav", {'R', 'I', 'F', 'F', 0});
    const ToolResult result = Compile(kFullManifest);
    ASSERT_EQ(result.exitCode, 0) << result.output;

    FCResourceManager& rm = sandbox.Manager();
    ASSERT_TRUE(rm.LoadResourceFile("GameAssets.bin"));
    EXPECT_EQ(rm.GetImageSetRecordCount(), 2u);
    ASSERT_NE(rm.GetImageSet(12), nullptr);
    EXPECT_EQ(rm.GetImageSet(12)->GetFrameCount(), 9);

    ASSERT_NE(rm.GetAnimation(3), nullptr);
    EXPECT_EQ(rm.GetAnimation(3)->GetFrames(), (std::vector<std::uint16_t>{2, 3, 4, 5}));
    EXPECT_EQ(rm.GetAnimation(3)->GetMsPerFrame(), 142);
    EXPECT_EQ(rm.GetAnimation(3)->GetExtra(), 9);
    EXPECT_EQ(rm.GetAnimation(4)->GetFrames(), (std::vector<std::uint16_t>{3, 5, 9}));
    EXPECT_EQ(rm.GetAnimation(4)->GetMsPerFrame(), 1000);

    ASSERT_NE(rm.GetSound(2), nullptr);
    EXPECT_EQ(rm.GetSound(2)->GetSize(), 5u);

    ASSERT_NE(rm.GetString(7), nullptr);
    EXPECT_EQ(*rm.GetString(7), "D\xE9" "fense \x96 \x93quoted\x94 \x80" "5") << "stored as Windows-1252";
    EXPECT_EQ(*rm.GetString(530), "Strength");
    ASSERT_NE(rm.GetString(8), nullptr);
    EXPECT_EQ(*rm.GetString(8), "");

    FCFont* font = rm.GetFont(1);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->GetImageSetId(2), 10);
    EXPECT_EQ(font->GetHeight(), 10);
}

TEST_F(AssetsToolTest, OutputIsTheSameWhateverTheOrderOrRun)
{
    sandbox.WriteArt("a.set", {});
    sandbox.WriteArt("b.set", {});
    ASSERT_EQ(Compile("imagesets: [{id: 2, file: b.set}, {id: 1, file: a.set}]\ntexts: [{id: 5, text: x}]\n", "one.bin").exitCode, 0);
    ASSERT_EQ(Compile("texts: [{id: 5, text: x}]\nimagesets: [{id: 1, file: a.set}, {id: 2, file: b.set}]\n", "two.bin").exitCode, 0);
    const std::vector<std::uint8_t> expected = {
        100, 0, 1, 0, 6, 0, 'a', '.', 's', 'e', 't', 0, 2, 0, 6, 0, 'b', '.', 's', 'e', 't', 0, 0, 0,
        0x12, 0x02, 5, 0, 2, 0, 'x', 0, 0, 0,
        0, 0,
    };
    EXPECT_EQ(Output("one.bin"), expected);
    EXPECT_EQ(Output("two.bin"), expected);
}

TEST_F(AssetsToolTest, ErrorsNameTheManifestLineAndWriteNothing)
{
    sandbox.WriteArt("here.set", {});
    struct Case
    {
        const char* name;
        const char* manifest;
        const char* message;
    };
    const Case cases[] = {
        {"duplicate id", "texts:\n  - {id: 4, text: a}\n  - {id: 4, text: b}\n",
         "manifest.yaml:3: duplicate text id 4 (first at line 2)"},
        {"missing file", "imagesets:\n  - {id: 1, file: here.set}\n  - {id: 2, file: gone.set}\n",
         "manifest.yaml:3: image set file not found: gone.set"},
        {"missing sound", "sounds:\n  - {id: 1, file: gone.wav}\n", "manifest.yaml:2: sound file not found: gone.wav"},
        {"undefined font set", "imagesets: [{id: 1, file: here.set}]\nfonts:\n  - {id: 1, imagesets: [1, 1, 1, 9]}\n",
         "manifest.yaml:3: font 1 uses undefined image set 9"},
        {"undefined animation set", "animations:\n  - {id: 1, imageset: 3, range: [0, 1], fps: 5}\n",
         "manifest.yaml:2: animation 1 uses undefined image set 3"},
        {"three font variants", "imagesets: [{id: 1, file: here.set}]\nfonts:\n  - {id: 1, imagesets: [1, 1, 1]}\n",
         "manifest.yaml:3: a font needs 'imagesets' with four image-set ids"},
        {"text outside the code page", "texts:\n  - {id: 1, text: \"ok\"}\n  - {id: 2, text: \"\xE6\x97\xA5\"}\n",
         "manifest.yaml:3: 'text' has a character Windows-1252 cannot hold at byte 0"},
        {"id 0", "texts:\n  - {id: 0, text: a}\n", "manifest.yaml:2: 'id' 0 is outside 1 to 65535"},
        {"id too large", "texts:\n  - {id: 65536, text: a}\n", "manifest.yaml:2: 'id' 65536 is outside 1 to 65535"},
        {"id not a number", "texts:\n  - {id: four, text: a}\n", "manifest.yaml:2: 'id' is not an integer"},
        {"unknown key", "texts:\n  - {id: 1, txt: a}\n", "manifest.yaml:2: unknown key 'txt'"},
        {"unknown section", "\nfont:\n  - {id: 1}\n", "manifest.yaml:2: unknown section 'font'"},
        {"frame out of range", "imagesets: [{id: 1, file: here.set}]\nanimations:\n  - {id: 1, imageset: 1, frames: [1, 40000], fps: 5}\n",
         "manifest.yaml:3: a frame must be an integer from 0 to 32767"},
        {"range and frames", "imagesets: [{id: 1, file: here.set}]\nanimations:\n  - {id: 1, imageset: 1, frames: [1], range: [1, 2], fps: 5}\n",
         "manifest.yaml:3: an animation needs either"},
        {"broken yaml", "texts:\n  - {id: 1, text: [unclosed\n", "manifest.yaml:"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const ToolResult result = Compile(c.manifest, "bad.bin");
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.output.find(c.message), std::string::npos) << result.output;
        EXPECT_TRUE(Output("bad.bin").empty()) << "nothing written";
    }
}

TEST_F(AssetsToolTest, SeveralManifestsMakeOneIndex)
{
    sandbox.WriteArt("here.set", {});
    sandbox.Folder().WriteFile("Art/sets.yaml", "imagesets: [{id: 1, file: here.set}]\ntexts: [{id: 5, text: a}]\n");
    sandbox.Folder().WriteFile("Art/fonts.yaml", "fonts:\n  - {id: 2, imagesets: [1, 1, 1, 1]}\ntexts: [{id: 6, text: b}]\n");
    sandbox.Folder().WriteFile("Art/all.yaml",
                               "imagesets: [{id: 1, file: here.set}]\nfonts:\n  - {id: 2, imagesets: [1, 1, 1, 1]}\n"
                               "texts: [{id: 5, text: a}, {id: 6, text: b}]\n");
    const auto art = [&](const char* name) { return sandbox.Folder().Join(std::string("Art/") + name); };
    ASSERT_EQ(RunTool(ASSETS_TOOL, {art("sets.yaml"), art("fonts.yaml"), art("split.bin")}).exitCode, 0);
    ASSERT_EQ(RunTool(ASSETS_TOOL, {art("all.yaml"), art("whole.bin")}).exitCode, 0);
    EXPECT_FALSE(Output("split.bin").empty());
    EXPECT_EQ(Output("split.bin"), Output("whole.bin"));

    // An id named in two manifests is an error that names where it came first.
    sandbox.Folder().WriteFile("Art/again.yaml", "texts:\n  - {id: 5, text: c}\n");
    const ToolResult twice = RunTool(ASSETS_TOOL, {art("sets.yaml"), art("again.yaml"), art("twice.bin")});
    EXPECT_EQ(twice.exitCode, 1);
    EXPECT_NE(twice.output.find("again.yaml:2: duplicate text id 5 (first at " + art("sets.yaml") + ":2)"),
              std::string::npos)
        << twice.output;
    EXPECT_TRUE(Output("twice.bin").empty());
}

TEST_F(AssetsToolTest, UsageErrors)
{
    EXPECT_EQ(RunTool(ASSETS_TOOL, {}).exitCode, 2);
    EXPECT_EQ(RunTool(ASSETS_TOOL, {"a.yaml"}).exitCode, 2);
    EXPECT_EQ(RunTool(ASSETS_TOOL, {"a.yaml", "b.bin", "--bogus"}).exitCode, 2);
    const ToolResult missing = RunTool(ASSETS_TOOL, {sandbox.Folder().Join("nothing.yaml"), sandbox.Folder().Join("x.bin")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.output.find("nothing.yaml"), std::string::npos);
}
} // namespace
