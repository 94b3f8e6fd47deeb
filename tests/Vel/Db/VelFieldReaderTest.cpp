#include "support/DbFixture.h"
#include "support/DbMemoryFile.h"
#include "support/QuietLog.h"
#include "Fc/Core/FCBytes.h"
#include "Vel/Db/VelArmorInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFieldReader.h"
#include "Vel/Db/VelMemoryFile.h"
#include "Vel/Db/VelWeaponInfo.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<std::uint8_t>;

const Bytes kStoredName = {0x05, 0x00, 'S', 'w', 'o', 'r', 'd'};

void PutU16(Bytes& out, std::uint16_t value)
{
    std::uint8_t bytes[2];
    FCBytes::WriteU16(bytes, value);
    out.insert(out.end(), bytes, bytes + 2);
}

// A text as a file stores it, with extra NULs after its own when padded.
void PutText(Bytes& out, const std::string& text, std::uint16_t padding = 0)
{
    PutU16(out, static_cast<std::uint16_t>(text.size() + 1 + padding));
    out.insert(out.end(), text.begin(), text.end());
    out.insert(out.end(), 1u + padding, 0);
}

void PutItem(Bytes& out, std::int16_t key, const std::string& className, const VelInfo& record,
             std::uint16_t padding = 0)
{
    PutU16(out, static_cast<std::uint16_t>(key));
    PutText(out, className, padding);
    record.Store(out);
}
} // namespace

TEST(VelFieldReaderTest, SkipBytesConsumesOnlyAnExactMatchInMemory)
{
    struct Case
    {
        const char* name;
        Bytes expected;
        bool skipped;
    };
    const Case cases[] = {
        {"the whole stored text", kStoredName, true},
        {"a prefix of it", Bytes(kStoredName.begin(), kStoredName.begin() + 4), true},
        {"nothing", {}, true},
        {"one byte different", {0x05, 0x00, 'S', 'w', 'o', 'r', 'e'}, false},
        {"longer than what is left", {0x05, 0x00, 'S', 'w', 'o', 'r', 'd', 0x00}, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        VelMemoryFile file(kStoredName);
        VelFieldReader reader(file);
        EXPECT_EQ(reader.SkipBytes(c.expected), c.skipped);
        EXPECT_EQ(file.Tell(), c.skipped ? c.expected.size() : 0u);
        EXPECT_TRUE(reader.IsOk()) << "a mismatch is no failure";
    }
}

TEST(VelFieldReaderTest, SkipBytesLeavesStreamsAndFailedReadersAlone)
{
    // A file that is not exactly the memory file is read field by field.
    DbMemoryFile stream(kStoredName);
    VelFieldReader streamReader(stream);
    EXPECT_FALSE(streamReader.SkipBytes(kStoredName));
    EXPECT_EQ(stream.Tell(), 0u);
    std::string text;
    streamReader("text", text);
    EXPECT_EQ(text, "Sword");

    // Seven bytes: the second number is short.
    VelMemoryFile file(kStoredName);
    VelFieldReader reader(file);
    std::uint32_t value = 0;
    reader("value", value);
    reader("value", value);
    ASSERT_FALSE(reader.IsOk());
    const std::uint32_t stoppedAt = file.Tell();
    EXPECT_FALSE(reader.SkipBytes({}));
    EXPECT_EQ(file.Tell(), stoppedAt);
}

TEST(VelFieldReaderTest, DatabaseReusesTheLastClassOnlyForTheSameName)
{
    VelWeaponInfo sword;
    sword.name = "Sword";
    VelWeaponInfo axe;
    axe.name = "Axe";
    VelArmorInfo mail;
    mail.name = "Mail";
    struct Case
    {
        const char* name;
        const char* thirdClass;
        std::uint16_t thirdPadding;
        bool complete;
        bool thirdIsWeapon;
    };
    // Sword, then the third record under the given class name (stored with
    // the given extra NULs), then an armour and another sword.
    const Case cases[] = {
        {"same class", "VelWeaponInfo", 0, true, true},
        {"same class stored with padding", "VelWeaponInfo", 3, true, true},
        {"another item kind", "VelArmorInfo", 0, true, false},
        {"the name with one more letter", "VelWeaponInfoX", 0, false, false},
        {"the name less its last letter", "VelWeaponInf", 0, false, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        QuietLog quiet;
        DbFixture db;
        Bytes file;
        PutU16(file, VelDatabase::kTagItem);
        PutItem(file, 1, "VelWeaponInfo", sword);
        PutItem(file, 2, "VelWeaponInfo", sword);
        if (std::string(c.thirdClass) == "VelArmorInfo")
            PutItem(file, 3, c.thirdClass, mail, c.thirdPadding);
        else
            PutItem(file, 3, c.thirdClass, axe, c.thirdPadding);
        PutItem(file, 4, "VelArmorInfo", mail);
        PutItem(file, 5, "VelWeaponInfo", sword);
        PutU16(file, 0xFFFF);
        PutU16(file, 0);

        EXPECT_EQ(DbFixture::LoadBytes(file), c.complete);
        ASSERT_NE(VelDatabase::FindItem(2), nullptr);
        EXPECT_EQ(VelDatabase::FindItem(2)->name, "Sword");
        EXPECT_EQ(VelDatabase::FindItem(2)->GetTypeCode(), VelItemInfo::kWeaponCode);
        if (!c.complete)
        {
            // Records carry no length: an unknown class stops the table.
            EXPECT_EQ(VelDatabase::FindItem(3), nullptr);
            EXPECT_EQ(VelDatabase::FindItem(5), nullptr);
            continue;
        }
        ASSERT_NE(VelDatabase::FindItem(3), nullptr);
        EXPECT_EQ(VelDatabase::FindItem(3)->name, c.thirdIsWeapon ? "Axe" : "Mail");
        EXPECT_EQ(VelDatabase::FindItem(3)->GetTypeCode() == VelItemInfo::kWeaponCode, c.thirdIsWeapon);
        ASSERT_NE(VelDatabase::FindItem(4), nullptr);
        EXPECT_EQ(VelDatabase::FindItem(4)->name, "Mail");
        EXPECT_NE(VelDatabase::FindItem(4)->GetTypeCode(), VelItemInfo::kWeaponCode);
        ASSERT_NE(VelDatabase::FindItem(5), nullptr);
        EXPECT_EQ(VelDatabase::FindItem(5)->GetTypeCode(), VelItemInfo::kWeaponCode);
    }
}

TEST(VelFieldReaderTest, MemoryFileOverABlockReadsOnlyItsCount)
{
    auto block = std::make_unique<std::uint8_t[]>(8);
    for (std::uint8_t i = 0; i < 8; ++i)
        block[i] = static_cast<std::uint8_t>(0x10 + i);
    // As after a short read: the block is larger than what was filled.
    VelMemoryFile file(std::move(block), 5);
    EXPECT_EQ(file.GetSize(), 5u);
    EXPECT_EQ(file.Seek(-1, FCFile::kFromEnd), 4u);
    std::uint8_t bytes[8] = {};
    EXPECT_EQ(file.ReadSome(bytes, 8), 1u);
    EXPECT_EQ(bytes[0], 0x14);
    EXPECT_TRUE(file.IsEof());
    file.SeekTo(3);
    EXPECT_EQ(file.Consume(3), nullptr) << "fewer bytes left";
    EXPECT_EQ(file.Tell(), 3u);
    const std::uint8_t* taken = file.Consume(2);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken[1], 0x14);
    EXPECT_EQ(file.Tell(), 5u);

    VelMemoryFile empty(nullptr, 100);
    EXPECT_EQ(empty.GetSize(), 0u);
    EXPECT_EQ(empty.Consume(1), nullptr);
}
