#include "Fc/FCFileSection.h"
#include "Fc/FCFileSystem.h"
#include "Fc/FCResourceManager.h"
#include "Fc/FCSoundChannel.h"
#include "Fc/FCSoundSample.h"
#include "support/FakeSoundManager.h"
#include "support/QuietLog.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
const std::vector<std::uint8_t> kClick = {'R', 'I', 'F', 'F', 1, 2, 3, 4, 5, 6, 7, 8, 9};

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

// An asset index with one sounds section: id 40 -> "click.wav", id 42 ->
// "empty.wav" (a file of no bytes), id 43 -> "absent.wav" (no such file).
std::vector<std::uint8_t> SoundIndex()
{
    std::vector<std::uint8_t> out;
    PutU16(out, 300);
    const std::pair<std::uint16_t, std::string> records[] = {
        {40, "click.wav"}, {42, "empty.wav"}, {43, "absent.wav"}};
    for (const auto& [id, name] : records)
    {
        PutU16(out, id);
        PutU16(out, static_cast<std::uint16_t>(name.size() + 1));
        out.insert(out.end(), name.begin(), name.end());
        out.push_back(0);
    }
    PutU16(out, 0); // end of the section
    PutU16(out, 0); // end of the index
    return out;
}

class FCSoundTableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.WriteFile("Sfx/click.wav", kClick);
        folder.WriteFile("Sfx/empty.wav", std::vector<std::uint8_t>());
        folder.WriteFile("Sfx/GameAssets.bin", SoundIndex());
        files.SetRootPath(folder.GetPath());
        files.SetSearchMode(FCFileSystem::kLooseOnly);
        files.AddSearchDirectory("Sfx");
        ASSERT_TRUE(resources.LoadResourceFile("GameAssets.bin"));
        ASSERT_NE(resources.GetSound(40), nullptr);
    }

    QuietLog quiet;
    TempFolder folder;
    FCFileSystem files;
    FCResourceManager resources;
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

TEST(FakeSoundManagerTest, EndOfSoundTellsTheListenerWithTheChannel)
{
    class Listener : public FCObject
    {
    public:
        void HandleMessage(std::int16_t id, void* data) override
        {
            lastId = id;
            channel = *static_cast<FCSoundChannel**>(data);
        }
        std::int16_t lastId = 0;
        FCSoundChannel* channel = nullptr;
    };
    Listener listener;
    FakeSoundManager sound;
    ASSERT_EQ(sound.PlayStream("Menu.mp3", 7, false, &listener, 64, 64), 7);
    sound.Channel(7)->Finish();
    EXPECT_EQ(listener.lastId, 16);
    EXPECT_EQ(listener.channel, sound.GetChannel(7));
    EXPECT_EQ(sound.GetChannel(7)->GetStatus(), FCSoundChannel::kDone);
}
