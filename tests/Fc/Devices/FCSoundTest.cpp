#include "Fc/Core/FCFileSection.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Fc/Devices/FCSoundChannel.h"
#include "Fc/Devices/FCSoundSample.h"
#include "support/AssetBytes.h"
#include "support/FakeSoundManager.h"
#include "support/QuietLog.h"
#include "support/ResourceFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
const std::vector<std::uint8_t> kClick = {'R', 'I', 'F', 'F', 1, 2, 3, 4, 5, 6, 7, 8, 9};

// One sounds section: id 40 -> "click.wav", id 42 -> "empty.wav" (a file of
// no bytes), id 43 -> "absent.wav" (no such file).
AssetIndexBytes SoundIndex()
{
    return AssetIndexBytes()
        .U16(FCResourceManager::kTagSounds)
        .Sound(40, "click.wav")
        .Sound(42, "empty.wav")
        .Sound(43, "absent.wav")
        .U16(0)
        .U16(0);
}

class FCSoundTableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        sandbox.WriteArt("click.wav", kClick);
        sandbox.WriteArt("empty.wav", {});
        ASSERT_TRUE(sandbox.LoadIndex(SoundIndex()));
        ASSERT_NE(resources.GetSound(40), nullptr);
    }

    QuietLog quiet;
    ResourceSandbox sandbox;
    FCResourceManager& resources = sandbox.Manager();
};
} // namespace

TEST(FCSoundSampleTest, LoadsTheWholeViewOrNothing)
{
    QuietLog quiet;
    TempFolder folder;
    folder.WriteFile("a.wav", kClick);
    const std::string path = folder.Join("a.wav");

    struct Case
    {
        const char* what;
        std::uint32_t base;
        std::uint32_t length;  // the view opened
        std::uint32_t claimed; // the length the view then reports
        bool ok;
        std::uint32_t size;
    };
    const Case cases[] = {
        {"whole file", 0, 13, 13, true, 13},
        {"part of a file", 4, 5, 5, true, 5},
        {"empty view", 13, 0, 0, true, 0},
        {"view longer than the file", 0, 13, 20, false, 0},
        {"larger than the limit", 0, 13, FCSoundSample::kMaxSize + 1, false, 0},
    };
    for (const Case& c : cases)
    {
        FCFileSection view;
        ASSERT_TRUE(view.OpenRange(path, c.base, c.length)) << c.what;
        view.SetLength(c.claimed);
        FCSoundSample sample;
        EXPECT_EQ(sample.Load(view), c.ok) << c.what;
        EXPECT_EQ(sample.GetSize(), c.size) << c.what;
        EXPECT_EQ(sample.IsEmpty(), c.size == 0) << c.what;
        if (c.ok && c.size != 0)
        {
            const std::vector<std::uint8_t> data(sample.GetData(),
                                                 sample.GetData() + sample.GetSize());
            EXPECT_EQ(data, std::vector<std::uint8_t>(kClick.begin() + c.base,
                                                      kClick.begin() + c.base + c.size))
                << c.what;
        }
    }
}

TEST(FCSoundSampleTest, ReloadAfterAFailureLeavesNoOldData)
{
    QuietLog quiet;
    TempFolder folder;
    folder.WriteFile("a.wav", kClick);
    FCFileSection view;
    ASSERT_TRUE(view.OpenRange(folder.Join("a.wav"), 0, 13));
    FCSoundSample sample;
    ASSERT_TRUE(sample.Load(view));
    view.SetLength(100);
    EXPECT_FALSE(sample.Load(view));
    EXPECT_EQ(sample.GetSize(), 0u);
    EXPECT_EQ(sample.GetData(), nullptr);
}

TEST(FCSoundChannelTest, FindSampleWithoutResourceManagerIsNull)
{
    QuietLog quiet;
    ASSERT_EQ(FCResourceManager::GetInstance(), nullptr);
    EXPECT_EQ(FCSoundChannel::FindSample(40), nullptr);
}

TEST_F(FCSoundTableTest, FindSampleGivesOnlyPlayableSamples)
{
    EXPECT_EQ(FCSoundChannel::FindSample(40), resources.GetSound(40));
    EXPECT_EQ(FCSoundChannel::FindSample(41), nullptr) << "never listed";
    EXPECT_EQ(FCSoundChannel::FindSample(42), nullptr) << "listed, but its file is empty";
    EXPECT_EQ(FCSoundChannel::FindSample(43), nullptr) << "listed, but its file is missing";
}

TEST_F(FCSoundTableTest, UnknownSoundIdPlaysNothingAndKeepsNoReference)
{
    FakeSoundManager sound;
    FCSoundSample* click = resources.GetSound(40);
    const std::uint16_t tableRefs = click->GetRefCount();

    EXPECT_EQ(sound.PlaySound(40, 6, false, nullptr, 64, 64), 6);
    EXPECT_TRUE(sound.IsPlaying(6));
    EXPECT_EQ(sound.GetChannel(6)->GetSample(), click);
    EXPECT_EQ(click->GetRefCount(), tableRefs + 1);

    // The same channel asked for a sound that is not there: it stops, drops
    // the old sample and reports that nothing plays.
    EXPECT_EQ(sound.PlaySound(41, 6, false, nullptr, 64, 64), FCSoundManager::kNoChannel);
    EXPECT_FALSE(sound.IsPlaying(6));
    EXPECT_EQ(sound.GetChannel(6)->GetSample(), nullptr);
    EXPECT_EQ(click->GetRefCount(), tableRefs);
}
