#include "Fc/Graphics/FCAnimation.h"
#include "Fc/Core/FCFileSection.h"
#include "Fc/Graphics/FCFont.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCImageSet.h"
#include "Fc/Graphics/FCImageSetRecord.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Fc/Devices/FCSoundSample.h"
#include "support/ArchiveBytes.h"
#include "support/DbMemoryFile.h"
#include "support/FakeSoundManager.h"
#include "support/ResourceFixture.h"

#include <gtest/gtest.h>

namespace
{
using Tag = FCResourceManager::SectionTag;

// A bottom-up 16-bit BMP of one colour.
std::vector<std::uint8_t> Bmp16(std::uint16_t width, std::uint16_t height, std::uint16_t pixel)
{
    const std::uint32_t pad = (4 - width * 2 % 4) % 4;
    ArchiveBytes b;
    b.U16(0x4D42).U32(54 + (width * 2u + pad) * height).U32(0).U32(54);
    b.U32(40).U32(width).U32(height).U16(1).U16(16).Repeat(12, 0);
    for (std::uint16_t y = 0; y < height; ++y)
        b.Repeat(width, pixel).bytes.resize(b.bytes.size() + pad, 0);
    return b.bytes;
}

TEST(FCResourceManagerTest, ReadsEverySectionOfAnIndex)
{
    ResourceSandbox sandbox;
    sandbox.WriteArt("click.wav", {'R', 'I', 'F', 'F'});
    AssetIndexBytes index;
    index.U16(Tag::kTagImageSets).ImageSet(7, "Buttons.set").ImageSet(8, "Panels.set").U16(0);
    index.U16(Tag::kTagAnimations);
    index.U16(1).U16(7).U16(20).U16(4).U16(6).U16(0).U16(99);          // range 4..6, 0 fps
    index.U16(2).U16(7).U16(30).I16(3).I16(5).I16(9).I16(-1).U16(30).U16(0); // list
    index.U16(3).U16(8).U16(20).U16(6).U16(4).U16(7).U16(0);           // empty range
    index.U16(4).U16(8).U16(55).U16(0xFFFF).U16(0);                     // other kind, -1 fps
    index.U16(0);
    index.U16(Tag::kTagSounds).Sound(5, "missing.wav").Sound(6, "click.wav").U16(0);
    index.U16(Tag::kTagTexts).Text(100, "Strength").Text(101, "Old").Text(101, "Dexterity").U16(0);
    index.U16(Tag::kTagFonts).Font(1, 10, 11, 12, 13).U16(0);
    index.U16(0);
    ASSERT_TRUE(sandbox.LoadIndex(index));
    FCResourceManager& rm = sandbox.Manager();

    ASSERT_NE(rm.GetImageSetRecord(8), nullptr);
    EXPECT_EQ(rm.GetImageSetRecord(8)->GetFileName(), "Panels.set");
    EXPECT_EQ(rm.GetImageSetRecordCount(), 2u);

    struct AnimationCase
    {
        std::uint16_t id;
        std::uint16_t kind;
        std::vector<std::uint16_t> frames;
        std::uint16_t msPerFrame;
        std::uint16_t extra;
    };
    const AnimationCase animations[] = {
        {1, 20, {4, 5, 6}, 1000, 99},
        {2, 30, {3, 5, 9}, 33, 0},
        {3, 20, {}, 142, 0},
        {4, 55, {}, 1000, 0},
    };
    for (const AnimationCase& c : animations)
    {
        SCOPED_TRACE(c.id);
        const FCAnimation* animation = rm.GetAnimation(c.id);
        ASSERT_NE(animation, nullptr);
        EXPECT_EQ(animation->GetKind(), c.kind);
        EXPECT_EQ(animation->GetFrames(), c.frames);
        EXPECT_EQ(animation->GetMsPerFrame(), c.msPerFrame);
        EXPECT_EQ(animation->GetExtra(), c.extra);
        EXPECT_EQ(animation->GetTypeCode(), 2);
    }

    EXPECT_EQ(rm.GetSound(5), nullptr) << "missing sound file is skipped";
    ASSERT_NE(rm.GetSound(6), nullptr) << "and does not disturb the record after it";
    EXPECT_EQ(rm.GetSound(6)->GetSize(), 4u);

    ASSERT_NE(rm.GetString(100), nullptr);
    EXPECT_EQ(*rm.GetString(100), "Strength");
    EXPECT_EQ(*rm.GetString(101), "Dexterity") << "a later record replaces the earlier one";
    EXPECT_EQ(rm.GetString(102), nullptr);
    EXPECT_EQ(rm.GetString(99), nullptr);

    ASSERT_NE(rm.GetFont(1), nullptr);
    for (std::uint16_t v = 0; v < 4; ++v)
        EXPECT_EQ(rm.GetFont(1)->GetImageSetId(v), 10 + v);

    rm.Clear();
    EXPECT_EQ(rm.GetString(100), nullptr);
    EXPECT_EQ(rm.GetFontCount() + rm.GetSoundCount() + rm.GetAnimationCount() + rm.GetImageSetRecordCount(), 0u);
}

TEST(FCResourceManagerTest, EmptyFontSectionAndEndOfFileWithoutEndTag)
{
    ResourceSandbox sandbox;
    AssetIndexBytes index;
    index.U16(Tag::kTagFonts).U16(0).U16(Tag::kTagTexts).Text(3, "Done").U16(0); // no closing tag 0
    ASSERT_TRUE(sandbox.LoadIndex(index));
    EXPECT_EQ(sandbox.Manager().GetFontCount(), 0u);
    EXPECT_EQ(*sandbox.Manager().GetString(3), "Done");
}

TEST(FCResourceManagerTest, UnknownTagsHaveNoBodyAndLaterSectionsStillLoad)
{
    const std::uint16_t unknownTags[] = {531, 0xFFFF, 1};
    for (const std::uint16_t unknown : unknownTags)
    {
        SCOPED_TRACE(unknown);
        AssetIndexBytes index;
        index.U16(Tag::kTagTexts).Text(1, "before").U16(0).U16(unknown);
        index.U16(Tag::kTagTexts).Text(2, "after").U16(0).U16(0);
        DbMemoryFile file(index.Bytes());
        FCResourceManager rm;
        EXPECT_TRUE(rm.ReadSections(file));
        ASSERT_NE(rm.GetString(2), nullptr);
        EXPECT_EQ(*rm.GetString(2), "after");
        EXPECT_EQ(*rm.GetString(1), "before");
    }
}

TEST(FCResourceManagerTest, MissingIndexIsNotFound)
{
    ResourceSandbox sandbox;
    EXPECT_FALSE(sandbox.Manager().LoadResourceFile("GameAssets.bin"));
}

TEST(FCResourceManagerTest, CorruptIndexesFailCleanlyAndKeepWhatCameBefore)
{
    struct Case
    {
        const char* name;
        AssetIndexBytes bytes;
    };
    const auto texts = [] { return AssetIndexBytes().U16(Tag::kTagTexts).Text(1, "kept").U16(0); };
    std::vector<Case> cases;
    cases.push_back({"half a tag", texts().Raw({0x14})});
    cases.push_back({"section without its end", texts().U16(Tag::kTagTexts).Text(3, "x")});
    cases.push_back({"half an id", texts().U16(Tag::kTagTexts).Raw({2})});
    cases.push_back({"string beyond the file", texts().U16(Tag::kTagTexts).U16(2).U16(40).Raw({'a', 'b'})});
    cases.push_back({"string length beyond any text", texts().U16(Tag::kTagImageSets).U16(2).U16(0xFFFF)});
    cases.push_back({"font with three ids", texts().U16(Tag::kTagFonts).U16(1).U16(1).U16(2).U16(3)});
    cases.push_back({"animation cut in its header", texts().U16(Tag::kTagAnimations).U16(1).U16(7)});
    cases.push_back({"range without its end", texts().U16(Tag::kTagAnimations).U16(1).U16(7).U16(20).U16(3)});
    cases.push_back({"list without a negative end", texts().U16(Tag::kTagAnimations).U16(1).U16(7).U16(30).U16(1).U16(2)});
    cases.push_back({"animation without its rate", texts().U16(Tag::kTagAnimations).U16(1).U16(7).U16(40)});
    {
        // Each record is 14 bytes but claims 65,536 frames: the index may not
        // turn into gigabytes.
        AssetIndexBytes bomb = texts().U16(Tag::kTagAnimations);
        for (std::uint16_t id = 1; id <= 20; ++id)
            bomb.U16(id).U16(7).U16(20).U16(0).U16(0xFFFF).U16(10).U16(0);
        bomb.U16(0);
        cases.push_back({"frame ranges beyond the budget", bomb});
    }

    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        DbMemoryFile file(c.bytes.Bytes());
        FCResourceManager rm;
        EXPECT_FALSE(rm.ReadSections(file));
        ASSERT_NE(rm.GetString(1), nullptr);
        EXPECT_EQ(*rm.GetString(1), "kept");
        EXPECT_EQ(rm.GetString(2), nullptr);
        EXPECT_LE(rm.GetAnimationCount(), 16u);
    }
}

TEST(FCResourceManagerTest, ImageSetLoadsOnceUntilPurged)
{
    ResourceSandbox sandbox;
    FakeSoundManager sound;
    sandbox.WriteArt("Glyphs.set", ImageSetFileBytes(SimpleGlyphs({0, 3, 4}, 8, 10)));
    sandbox.WriteArt("Broken.set", {9, 0, 0, 0}); // unknown encoding
    ASSERT_TRUE(sandbox.LoadIndex(
        AssetIndexBytes().U16(Tag::kTagImageSets).ImageSet(4, "Glyphs.set").ImageSet(5, "Nowhere.set")
            .ImageSet(6, "Broken.set").U16(0).U16(0)));
    FCResourceManager& rm = sandbox.Manager();

    FCImageSet* first = rm.GetImageSet(4);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetId(), 4);
    EXPECT_EQ(first->GetFrameCount(), 3);
    EXPECT_EQ((std::vector<std::uint32_t>{24, 0}), sound.preferences) << "the load is bracketed for the sound";
    EXPECT_EQ(sound.serveCount, 1);

    first->AddRef(); // keep it alive to compare with the next load
    EXPECT_EQ(rm.GetImageSet(4), first) << "a second request does not load the file again";
    EXPECT_EQ(sound.preferences.size(), 2u);

    rm.Purge();
    EXPECT_EQ(first->GetRefCount(), 1) << "purge dropped the record's reference";
    FCImageSet* second = rm.GetImageSet(4);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(sound.preferences.size(), 4u);
    first->Release();

    rm.UnloadImageSet(second);
    EXPECT_EQ(rm.GetImageSetRecord(4)->GetImageSet(), nullptr);

    EXPECT_EQ(rm.GetImageSet(5), nullptr) << "file missing";
    EXPECT_EQ(rm.GetImageSet(6), nullptr) << "no set can be made";
    EXPECT_EQ(rm.GetImageSet(77), nullptr) << "no record";
}

TEST(FCResourceManagerTest, PicturesByExactExtensionAndTheCache)
{
    ResourceSandbox sandbox;
    const std::vector<std::uint8_t> bmp = Bmp16(3, 2, 0x7C00);
    sandbox.WriteArt("red.bmp", bmp);
    sandbox.WriteArt("RED.BMP", bmp);
    sandbox.WriteArt("red.png", bmp);
    FCResourceManager& rm = sandbox.Manager();

    EXPECT_EQ(rm.LoadImage("RED.BMP", false), nullptr) << "the extension test is exact";
    EXPECT_EQ(rm.LoadImage("red.png", false), nullptr);
    EXPECT_EQ(rm.LoadImage("absent.bmp", true), nullptr);

    FCImageBuffer* own = rm.LoadImage("red.bmp", false);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->GetWidth(), 3);
    EXPECT_EQ(own->GetHeight(), 2);
    EXPECT_EQ(own->GetRefCount(), 1);
    EXPECT_EQ(rm.GetCachedImageCount(), 0u);
    own->Release();

    FCImageBuffer* cached = rm.LoadImage("red.bmp", "Art", true);
    ASSERT_NE(cached, nullptr);
    EXPECT_EQ(rm.LoadImage("red.bmp", "Art", true), cached);
    EXPECT_EQ(rm.GetCachedImageCount(), 1u);
    EXPECT_NE(rm.LoadImage("red.bmp", true), cached) << "the key includes the directory";
    EXPECT_EQ(rm.GetCachedImageCount(), 2u);
    rm.Purge();
    EXPECT_EQ(rm.GetCachedImageCount(), 0u);
}

TEST(FCResourceManagerTest, SoundFilesAndTheirMessage)
{
    ResourceSandbox sandbox;
    sandbox.WriteArt("hit.wav", {1, 2, 3});
    CapturedLog log;
    FCResourceManager& rm = sandbox.Manager();

    FCSoundSample* sample = rm.LoadSoundFile("hit.wav");
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(sample->GetSize(), 3u);
    sample->Release();

    FCSoundSample* empty = rm.LoadSoundFile("gone.wav");
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->IsEmpty());
    empty->Release();

    FCFileSection section;
    const std::string art = "Art";
    EXPECT_TRUE(rm.OpenSoundFile(section, "hit.wav", &art));
    EXPECT_TRUE(rm.OpenSoundFile(section, "hit.wav"));
    EXPECT_FALSE(rm.OpenSoundFile(section, "also-gone.wav", &art));
    EXPECT_EQ(log.Count("Sound file not found: gone.wav\n"), 1);
    EXPECT_EQ(log.Count("Sound file not found: also-gone.wav\n"), 1);
    EXPECT_NE(log.Text().find("FCResourceManager.cpp["), std::string::npos);
}
} // namespace
