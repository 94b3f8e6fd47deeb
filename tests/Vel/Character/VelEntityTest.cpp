#include "Fc/FCArchive.h"
#include "Fc/FCDebugLog.h"
#include "Vel/Character/VelEntity.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
class TempPath
{
public:
    TempPath() : path("/tmp/velentity_" + std::to_string(getpid()) + ".bin") {}
    ~TempPath() { std::remove(path.c_str()); }
    std::vector<std::uint8_t> Bytes() const
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void Write(const std::vector<std::uint8_t>& bytes) const
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    const std::string path;
};

void ExpectFresh(const VelEntity& entity)
{
    EXPECT_EQ(entity.name, "Unknown");
    for (std::uint16_t score : entity.abilities)
    {
        EXPECT_EQ(score, 0);
    }
    for (std::int32_t stat : entity.stats)
    {
        EXPECT_EQ(stat, 0);
    }
}

// The body of an entity named "Ka" with abilities 1..6 and stats -1, 2..8.
const std::vector<std::uint8_t> kEntityBody = {
    0x07, 0x00, 0x00, 0x00,                                           // FCObject head
    0x03, 0x00, 'K', 'a', 0x00,                                       // name
    0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 0x04, 0x00, 0x05, 0x00, 0x06, 0x00, // abilities
    0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00,
    0x05, 0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00, 0x07, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, // stats
};
} // namespace

TEST(VelEntityTest, NewEntityAndAnyCopyAreFresh)
{
    VelEntity entity;
    ExpectFresh(entity);
    entity.name = "Aldric";
    entity.SetAbility(VelEntity::kCha, 17);
    entity.SetStat(VelEntity::kHitPoints, 12);
    entity.SetTypeCode(7);
    VelEntity copy(entity);
    ExpectFresh(copy);
    EXPECT_EQ(copy.GetTypeCode(), 7);
    EXPECT_EQ(copy.GetRefCount(), 1);
    entity.Reset();
    ExpectFresh(entity);
}

TEST(VelEntityTest, SettersStoreInRangeAndIgnoreOutOfRange)
{
    FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog* previous = FCDebugLog::SetInstance(&quiet);
    VelEntity entity;
    entity.SetAbility(VelEntity::kStr, 18);
    entity.SetStat(VelEntity::kArmorClass, static_cast<std::uint32_t>(-2));
    entity.SetAbility(6, 99);
    entity.SetAbility(-1, 99);
    entity.SetStat(8, 99);
    FCDebugLog::SetInstance(previous);
    EXPECT_EQ(entity.abilities[0], 18);
    EXPECT_EQ(entity.stats[0], -2);
    for (std::size_t i = 1; i < VelEntity::kAbilityCount; ++i)
    {
        EXPECT_EQ(entity.abilities[i], 0);
    }
    for (std::size_t i = 1; i < VelEntity::kStatCount; ++i)
    {
        EXPECT_EQ(entity.stats[i], 0);
    }
}

TEST(VelEntityTest, SerializeWritesTheEntityBodyAndReadsItBack)
{
    TempPath temp;
    {
        VelEntity entity;
        entity.SetTypeCode(7);
        entity.name = "Ka";
        for (std::int16_t i = 0; i < 6; ++i)
        {
            entity.SetAbility(i, static_cast<std::uint16_t>(i + 1));
        }
        entity.SetStat(0, static_cast<std::uint32_t>(-1));
        for (std::uint32_t i = 1; i < 8; ++i)
        {
            entity.SetStat(i, i + 1);
        }
        FCArchive ar(temp.path, FCArchive::kStore);
        ASSERT_TRUE(ar.IsOpen());
        entity.Serialize(ar);
    }
    EXPECT_EQ(temp.Bytes(), kEntityBody);

    FCArchive ar(temp.path, FCArchive::kLoad);
    ASSERT_TRUE(ar.IsOpen());
    VelEntity loaded;
    loaded.Serialize(ar);
    EXPECT_FALSE(ar.HasFailed());
    EXPECT_EQ(loaded.GetTypeCode(), 7);
    EXPECT_EQ(loaded.name, "Ka");
    EXPECT_EQ(loaded.abilities[5], 6);
    EXPECT_EQ(loaded.stats[0], -1);
    EXPECT_EQ(loaded.stats[7], 8);
}

TEST(VelEntityTest, ShortEntityBodyFailsTheArchive)
{
    FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog* previous = FCDebugLog::SetInstance(&quiet);
    TempPath temp;
    temp.Write(std::vector<std::uint8_t>(kEntityBody.begin(), kEntityBody.end() - 3));
    FCArchive ar(temp.path, FCArchive::kLoad);
    ASSERT_TRUE(ar.IsOpen());
    VelEntity loaded;
    loaded.Serialize(ar);
    FCDebugLog::SetInstance(previous);
    EXPECT_TRUE(ar.HasFailed());
    EXPECT_EQ(loaded.name, "Ka");
}
