#include "support/DbMemoryFile.h"
#include "Vel/Db/VelFieldVisitor.h"
#include "Vel/Db/VelGodRaceInfo.h"
#include "Vel/Db/VelLanguageInfo.h"
#include "Vel/Db/VelMemoryFile.h"
#include "Vel/Db/VelSkillInfo.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<std::uint8_t>;

// A skill record as stored, byte by byte: every width, the swapped flags and
// sign extension of the class kinds are visible here.
const Bytes kSkillBytes = {
    0x06, 0x00, 'C', 'l', 'i', 'm', 'b', 0x00, // name
    0x01, 0x00, 0x00,                          // display name: empty
    0x07,                                      // second flag (first in the file)
    0x01,                                      // has sub-skills
    0xFF, 0xFF, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x02, 0x00, // class kinds 0-5
    0x00, 0x80, 0x01, 0x00, 0x02, 0x00, 0x01, 0x00, 0x01, 0x00,             // class kinds 6-10
    0x02, 0x00,                                // ability
    0x01,                                      // armour check
    0x00,                                      // armour check twice
    0x02, 0x00, 'T', 0x00,                     // third text
    0x34, 0x12,                                // last value
};

} // namespace

TEST(VelRecordTest, LoadReadsFieldsInFileOrderAndStoreWritesThemBack)
{
    DbMemoryFile file(kSkillBytes);
    VelSkillInfo skill;
    ASSERT_TRUE(skill.Load(file));
    EXPECT_EQ(file.Tell(), kSkillBytes.size());
    EXPECT_EQ(skill.name, "Climb");
    EXPECT_EQ(skill.displayName, "");
    EXPECT_EQ(skill.GetDisplayName(), "Climb");
    EXPECT_EQ(skill.secondFlag, 7);
    EXPECT_EQ(skill.hasSubSkills, 1);
    const std::array<std::int32_t, 11> kinds = {-1, 1, 2, 0, 1, 2, -32768, 1, 2, 1, 1};
    EXPECT_EQ(skill.classKinds, kinds);
    EXPECT_EQ(skill.ability, 2);
    EXPECT_EQ(skill.armorCheck, 1);
    EXPECT_EQ(skill.armorCheckTwice, 0);
    EXPECT_EQ(skill.description, "T");
    EXPECT_EQ(skill.sheetRow, 0x1234);
    // The key is not part of the data; storing writes exactly what was read.
    EXPECT_EQ(skill.key, -1);
    Bytes stored;
    skill.Store(stored);
    EXPECT_EQ(stored, kSkillBytes);
}

// Records decode in place from a memory file, and field by field from any
// other file; both must behave alike.
template <class File>
void ExpectTruncationsFail()
{
    for (std::size_t length = 0; length < kSkillBytes.size(); ++length)
    {
        SCOPED_TRACE(length);
        File file(Bytes(kSkillBytes.begin(), kSkillBytes.begin() + static_cast<std::ptrdiff_t>(length)));
        VelSkillInfo skill;
        EXPECT_FALSE(skill.Load(file));
        EXPECT_EQ(skill.sheetRow, 0xFFFF);
        EXPECT_LE(file.Tell(), length);
    }
    // Cut inside the class kinds: the name and flags were read, the ability not.
    File file(Bytes(kSkillBytes.begin(), kSkillBytes.begin() + 20));
    VelSkillInfo skill;
    EXPECT_FALSE(skill.Load(file));
    EXPECT_EQ(skill.name, "Climb");
    EXPECT_EQ(skill.hasSubSkills, 1);
    EXPECT_EQ(skill.ability, -1);
}

TEST(VelRecordTest, EveryTruncationFailsAndLeavesUnreadFieldsAtDefaults)
{
    QuietLog quiet;
    ExpectTruncationsFail<VelMemoryFile>();
    ExpectTruncationsFail<DbMemoryFile>();
}

TEST(VelRecordTest, BothReadPathsLoadTheSameRecord)
{
    VelMemoryFile inPlace(kSkillBytes);
    DbMemoryFile byField(kSkillBytes);
    VelSkillInfo a;
    VelSkillInfo b;
    ASSERT_TRUE(a.Load(inPlace));
    ASSERT_TRUE(b.Load(byField));
    EXPECT_EQ(a.Dump(), b.Dump());
    EXPECT_EQ(inPlace.Tell(), byField.Tell());
    // A stored length no reader takes fails both ways.
    const Bytes badLength = {0xFF, 0xFF, 'a'};
    VelMemoryFile badInPlace(badLength);
    DbMemoryFile badByField(badLength);
    QuietLog quiet;
    EXPECT_FALSE(VelLanguageInfo().Load(badInPlace));
    EXPECT_FALSE(VelLanguageInfo().Load(badByField));
}

TEST(VelRecordTest, TextEndsAtFirstNulInsideItsCount)
{
    DbMemoryFile file(Bytes{0x04, 0x00, 'a', 0x00, 'b', 'c', 0x00, 0x01, 0x02, 0x00, 'x', 0x00});
    VelLanguageInfo language;
    ASSERT_TRUE(language.Load(file));
    EXPECT_EQ(language.name, "a");
    EXPECT_EQ(language.restricted, 0);
    EXPECT_EQ(language.secondFlag, 1);
    EXPECT_EQ(language.description, "x");
}

TEST(VelRecordTest, OverlongTextIsCutToWhatAReaderTakes)
{
    QuietLog quiet;
    VelLanguageInfo language;
    language.name.assign(40000, 'n');
    Bytes stored;
    language.Store(stored);
    DbMemoryFile file(stored);
    VelLanguageInfo loaded;
    ASSERT_TRUE(loaded.Load(file));
    EXPECT_EQ(loaded.name.size(), VelField::kMaxTextLength);
}

TEST(VelRecordTest, SharedPairOrderComparesSignedKeyThenSecond)
{
    struct Case
    {
        std::uint16_t key, second, otherKey, otherSecond;
        bool less;
    };
    const Case cases[] = {
        {5, 2, 5, 3, true},       {5, 2, 6, 0, true},  {5, 2, 5, 2, false},
        {5, 3, 5, 2, false},      {6, 0, 5, 2, false}, {5, 0xFFFF, 5, 0, true},
        {0xFFFF, 9, 0, 0, true},  {5, 0x8000, 5, 0x7FFF, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.key << "," << c.second << " vs " << c.otherKey << "," << c.otherSecond);
        const VelGodRaceInfo a(c.key, c.second);
        const VelGodRaceInfo b(c.otherKey, c.otherSecond);
        EXPECT_EQ(a.IsLess(b), c.less);
    }
}

namespace
{
// Writes a distinct value into every field it visits and lists the names.
class NumberingVisitor : public VelFieldVisitor
{
public:
    void operator()(const char* name, std::uint8_t& value) override { value = static_cast<std::uint8_t>(Next(name)); }
    void operator()(const char* name, std::uint16_t& value) override { value = static_cast<std::uint16_t>(Next(name)); }
    void operator()(const char* name, std::int16_t& value) override { value = static_cast<std::int16_t>(-Next(name)); }
    void operator()(const char* name, std::uint32_t& value) override { value = static_cast<std::uint32_t>(Next(name)); }
    void operator()(const char* name, std::int32_t& value) override { value = Next(name); }
    void operator()(const char* name, float& value) override { value = static_cast<float>(Next(name)) / 2; }
    void operator()(const char* name, std::string& value) override { value = "t" + std::to_string(Next(name)); }
    void Widened(const char* name, std::int32_t& value) override { value = -Next(name); }

    std::vector<std::string> names;

private:
    std::int32_t Next(const char* name)
    {
        names.emplace_back(name);
        return static_cast<std::int32_t>(names.size());
    }
};
} // namespace

TEST(VelRecordTest, RuntimeVisitorReachesEveryStoredFieldInFileOrder)
{
    VelSkillInfo skill;
    NumberingVisitor visitor;
    skill.VisitFields(visitor);
    // 3 texts, 2 flags, 11 class kinds, ability, 2 flags, last value.
    ASSERT_EQ(visitor.names.size(), 20u);
    EXPECT_EQ(visitor.names.front(), "name");
    EXPECT_EQ(visitor.names[2], "secondFlag");
    EXPECT_EQ(visitor.names.back(), "sheetRow");
    EXPECT_EQ(skill.name, "t1");
    EXPECT_EQ(skill.secondFlag, 3);
    EXPECT_EQ(skill.classKinds[0], -5);
    EXPECT_EQ(skill.classKinds[10], -15);
    EXPECT_EQ(skill.ability, -16);
    EXPECT_EQ(skill.sheetRow, 20);

    // What the visitor wrote is what is stored and read back.
    Bytes stored;
    skill.Store(stored);
    DbMemoryFile file(stored);
    VelSkillInfo loaded;
    ASSERT_TRUE(loaded.Load(file));
    EXPECT_EQ(loaded.Dump(), skill.Dump());
}
