#include "Fc/Core/FCBytes.h"
#include "support/TempFolder.h"
#include "support/ToolRunner.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
class SynthToolTest : public ::testing::Test
{
protected:
    ToolResult Render(const std::string& score, const std::string& output = "out.wav")
    {
        folder.WriteFile("score.txt", score);
        return RunTool(SYNTH_TOOL, {folder.Join("score.txt"), folder.Join(output)});
    }
    std::vector<std::uint8_t> Output(const std::string& name = "out.wav") const { return folder.ReadFile(name); }

    static std::int16_t Sample(const std::vector<std::uint8_t>& wav, std::size_t index)
    {
        return static_cast<std::int16_t>(FCBytes::ReadU16(&wav[44 + 2 * index]));
    }

    TempFolder folder;
};

// One second of A4 on a plain sine, then 0.05 s of release: 8400 samples.
const char* const kTone = "rate 8000\ntempo 60\n"
                          "instrument tone wave=sine attack=0.01 sustain=1 release=0.05\n"
                          "voice tone\n  A4:1\n";

TEST_F(SynthToolTest, WritesTheSameWellFormedWaveEveryTime)
{
    ASSERT_EQ(Render(kTone, "one.wav").exitCode, 0);
    ASSERT_EQ(Render(kTone, "two.wav").exitCode, 0);
    const std::vector<std::uint8_t> wav = Output("one.wav");
    EXPECT_EQ(wav, Output("two.wav"));

    ASSERT_EQ(wav.size(), 44u + 2 * 8400);
    EXPECT_EQ(std::memcmp(&wav[0], "RIFF", 4), 0);
    EXPECT_EQ(FCBytes::ReadU32(&wav[4]), wav.size() - 8);
    EXPECT_EQ(std::memcmp(&wav[8], "WAVEfmt ", 8), 0);
    EXPECT_EQ(FCBytes::ReadU32(&wav[16]), 16u);
    EXPECT_EQ(FCBytes::ReadU16(&wav[20]), 1) << "PCM";
    EXPECT_EQ(FCBytes::ReadU16(&wav[22]), 1) << "one channel";
    EXPECT_EQ(FCBytes::ReadU32(&wav[24]), 8000u);
    EXPECT_EQ(FCBytes::ReadU32(&wav[28]), 16000u);
    EXPECT_EQ(FCBytes::ReadU16(&wav[32]), 2);
    EXPECT_EQ(FCBytes::ReadU16(&wav[34]), 16);
    EXPECT_EQ(std::memcmp(&wav[36], "data", 4), 0);
    EXPECT_EQ(FCBytes::ReadU32(&wav[40]), 2u * 8400);

    // A4 crosses zero upwards 440 times a second.
    int crossings = 0;
    for (std::size_t i = 1; i < 8000; ++i)
        crossings += Sample(wav, i - 1) < 0 && Sample(wav, i) >= 0;
    EXPECT_NEAR(crossings, 440, 1);
}

TEST_F(SynthToolTest, RestsVoicesAndTailPlaceTheSound)
{
    // Two voices: the second starts after a half-second rest; a tail of
    // a quarter second follows the last release.
    ASSERT_EQ(Render("rate 8000\ntempo 120\ntail 0.25\n"
                     "instrument tone wave=sine attack=0 release=0\n"
                     "voice tone\n  r:1 C5:1\n"
                     "voice tone\n  r:2 E5:1\n")
                  .exitCode,
              0);
    const std::vector<std::uint8_t> wav = Output();
    // The last note ends at 1.5 s, its shortest ramp takes 0.002 s.
    ASSERT_EQ(wav.size(), 44u + 2 * (12000 + 16 + 2000));
    bool silentFirst = true;
    for (std::size_t i = 0; i < 4000; ++i)
        silentFirst &= Sample(wav, i) == 0;
    EXPECT_TRUE(silentFirst) << "nothing before the first note";
    int loudest = 0;
    for (std::size_t i = 4000; i < 4200; ++i)
        loudest = std::max(loudest, std::abs(static_cast<int>(Sample(wav, i))));
    EXPECT_GT(loudest, 10000) << "the note starts on its beat";
    EXPECT_EQ(Sample(wav, 12016 + 1000), 0) << "the tail is silent";
}

TEST_F(SynthToolTest, ErrorsNameTheLineAndWriteNothing)
{
    const std::string header = "tempo 60\nbar 2\ninstrument tone\n";
    struct Case
    {
        const char* name;
        std::string score;
        const char* message;
    };
    const Case cases[] = {
        {"unknown instrument", header + "voice harp\n  C4:2\n", "score.txt:4: unknown instrument 'harp'"},
        {"not a note", header + "voice tone\n  H4:2\n", "score.txt:5: 'H4' is not a note"},
        {"no octave", header + "voice tone\n  C:2\n", "score.txt:5: 'C' needs an octave"},
        {"short bar", header + "voice tone\n  C4:1 |\n", "score.txt:5: the bar ending here has 1 beats, not 2"},
        {"short last bar", header + "voice tone\n  C4:2 | D4:1\n", "score.txt:5: the bar ending here has 1 beats"},
        {"bad length", header + "voice tone\n  C4:0\n", "score.txt:5: '0' is not a number"},
        {"notes outside a voice", header + "C4:2\n", "score.txt:4: notes outside a voice"},
        {"unknown setting", "instrument tone wave=sine colour=red\n", "score.txt:1: unknown instrument setting 'colour'"},
        {"unknown wave", "instrument tone wave=square\n", "score.txt:1: wave is sine, pluck or noise"},
        {"twice", "instrument a\ninstrument a\n", "score.txt:2: instrument 'a' is defined twice"},
        {"rate out of range", "rate 4000\n", "score.txt:1: '4000' is not a number from 8000 to 96000"},
        {"no notes", "tempo 60\n", "score.txt:1: the score has no notes"},
        {"too long", "tempo 10\ninstrument a\nvoice a\n  C4:101\n", "score.txt:4: the score lasts longer than ten minutes"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const ToolResult result = Render(c.score, "bad.wav");
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.output.find(c.message), std::string::npos) << result.output;
        EXPECT_TRUE(Output("bad.wav").empty()) << "nothing written";
    }
}

TEST_F(SynthToolTest, SharpsAreNotComments)
{
    ASSERT_EQ(Render("rate 8000\ntempo 60\ninstrument tone\nvoice tone  # the only voice\n  C#5:1 # a sharp\n")
                  .exitCode,
              0);
    EXPECT_EQ(Output().size(), 44u + 2 * 8400);
}
} // namespace
