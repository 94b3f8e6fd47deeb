#include "Fc/Core/FCFile.h"
#include "Fc/Core/FCFileSection.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace
{
constexpr std::uint8_t kRead = FCFile::kAccessRead;
constexpr std::uint8_t kReadWrite = FCFile::kAccessRead | FCFile::kAccessWrite;

std::vector<std::uint8_t> Pattern(std::size_t size)
{
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t n = 0; n < size; ++n)
        bytes[n] = static_cast<std::uint8_t>(n * 7 + 3);
    return bytes;
}

bool OpenFile(FCFile& file, const std::string& path, std::uint8_t access, std::uint32_t creation)
{
    return file.Open(path.c_str(), access, creation, FCFile::kShareRead);
}
} // namespace

TEST(FCFileTest, CreationCodesFollowTheirMeaning)
{
    TempFolder folder;
    const std::string existing = folder.Join("existing.bin");
    const std::string missing = folder.Join("missing.bin");
    struct Case
    {
        std::uint32_t creation;
        bool onExisting; // open succeeds on an existing 5-byte file
        std::uint32_t sizeAfter;
        bool onMissing; // open succeeds on a missing file (and creates it)
    };
    const Case cases[] = {
        {FCFile::kCreateNew, false, 5, true},
        {FCFile::kCreateAlways, true, 0, true},
        {FCFile::kOpenExisting, true, 5, false},
        {FCFile::kOpenAlways, true, 5, true},
        {FCFile::kTruncateExisting, true, 0, false},
        {5, false, 5, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.creation);
        folder.WriteFile("existing.bin", "hello");
        std::remove(missing.c_str());

        FCFile onExisting;
        EXPECT_EQ(OpenFile(onExisting, existing, kReadWrite, c.creation), c.onExisting);
        EXPECT_EQ(onExisting.IsOpen(), c.onExisting);
        onExisting.Close();
        EXPECT_EQ(folder.ReadFile("existing.bin").size(), c.sizeAfter);

        FCFile onMissing;
        EXPECT_EQ(OpenFile(onMissing, missing, kReadWrite, c.creation), c.onMissing);
        onMissing.Close();
        EXPECT_EQ(FCFile().Open(missing.c_str(), kRead, FCFile::kOpenExisting, 0), c.onMissing);
    }
}

TEST(FCFileTest, OpenTwiceKeepsTheFirstFileAndDirectoriesDoNotOpen)
{
    TempFolder folder;
    folder.WriteFile("a.bin", "AAAA");
    folder.WriteFile("b.bin", "BB");
    FCFile file;
    ASSERT_TRUE(OpenFile(file, folder.Join("a.bin"), kRead, FCFile::kOpenExisting));
    const FCFile::Handle first = file.GetHandle();
    EXPECT_TRUE(OpenFile(file, folder.Join("b.bin"), kRead, FCFile::kOpenExisting));
    EXPECT_EQ(file.GetHandle(), first);
    EXPECT_EQ(file.GetSize(), 4u);

    FCFile directory;
    EXPECT_FALSE(OpenFile(directory, folder.GetPath(), kRead, FCFile::kOpenExisting));
    EXPECT_EQ(directory.GetHandle(), FCFile::kInvalidHandle);
}

TEST(FCFileTest, ClosedFileReportsSentinels)
{
    FCFile file;
    std::uint8_t byte = 0;
    EXPECT_TRUE(file.IsEof());
    EXPECT_EQ(file.Tell(), 0u);
    EXPECT_EQ(file.GetSize(), 0xFFFFFFFFu);
    EXPECT_FALSE(file.SetSize(3));
    EXPECT_FALSE(file.Read(&byte, 1));
    EXPECT_EQ(file.ReadSome(&byte, 1), 0u);
    EXPECT_FALSE(file.Write(&byte, 1));
    EXPECT_FALSE(file.Flush());
    EXPECT_FALSE(file.Close());
    EXPECT_EQ(file.GetHandle(), FCFile::kInvalidHandle);
}

TEST(FCFileTest, ShortReadConsumesWhatIsLeft)
{
    TempFolder folder;
    folder.WriteFile("f.bin", Pattern(14));
    FCFile file;
    ASSERT_TRUE(OpenFile(file, folder.Join("f.bin"), kRead, FCFile::kOpenExisting));
    std::uint8_t buffer[10] = {};
    ASSERT_TRUE(file.Read(buffer, 10));
    EXPECT_FALSE(file.Read(buffer, 10));
    EXPECT_EQ(file.Tell(), 14u);
    EXPECT_EQ(buffer[3], Pattern(14)[13]);

    file.SeekTo(10);
    EXPECT_EQ(file.ReadSome(buffer, 10), 4u);
    EXPECT_EQ(file.ReadSome(buffer, 10), 0u);
}

// Negative seeks are covered by the model test below; these are the rest.
TEST(FCFileTest, BadOriginFailsAndStartOffsetsAreUnsigned)
{
    TempFolder folder;
    folder.WriteFile("f.bin", Pattern(50));
    FCFile file;
    ASSERT_TRUE(OpenFile(file, folder.Join("f.bin"), kRead, FCFile::kOpenExisting));
    EXPECT_EQ(file.SeekTo(20), 20u);
    EXPECT_EQ(file.Seek(0, 3), FCFile::kInvalidPosition);
    EXPECT_EQ(file.Tell(), 20u);
    EXPECT_EQ(file.SeekTo(0xFFFFFFF0u), 0xFFFFFFF0u);
    EXPECT_EQ(file.Tell(), 0xFFFFFFF0u);
}

TEST(FCFileTest, AccessBitsAreEnforced)
{
    TempFolder folder;
    folder.WriteFile("f.bin", "abcd");
    std::uint8_t byte = 'x';
    FCFile readOnly;
    ASSERT_TRUE(OpenFile(readOnly, folder.Join("f.bin"), kRead, FCFile::kOpenExisting));
    EXPECT_FALSE(readOnly.Write(&byte, 1));
    EXPECT_FALSE(readOnly.SetSize(1));
    readOnly.Close();

    FCFile writeOnly;
    ASSERT_TRUE(OpenFile(writeOnly, folder.Join("f.bin"), FCFile::kAccessWrite, FCFile::kOpenExisting));
    EXPECT_FALSE(writeOnly.Read(&byte, 1));
    EXPECT_TRUE(writeOnly.Write(&byte, 1));
    EXPECT_TRUE(writeOnly.Close());
    EXPECT_EQ(folder.ReadFile("f.bin"), (std::vector<std::uint8_t>{'x', 'b', 'c', 'd'}));
}

TEST(FCFileTest, LittleEndianFieldsRoundTripWithExactBytes)
{
    TempFolder folder;
    const std::string path = folder.Join("fields.bin");
    {
        FCFile file;
        ASSERT_TRUE(OpenFile(file, path, kReadWrite, FCFile::kCreateAlways));
        EXPECT_TRUE(file.WriteU8(0xA1));
        EXPECT_TRUE(file.WriteI8(-2));
        EXPECT_TRUE(file.WriteU16(0x1234));
        EXPECT_TRUE(file.WriteI16(-3));
        EXPECT_TRUE(file.WriteU32(0x89ABCDEF));
        EXPECT_TRUE(file.WriteI32(-100000));
        EXPECT_TRUE(file.WriteF32(1.5f));
        EXPECT_TRUE(file.Close());
    }
    const std::vector<std::uint8_t> expected = {0xA1, 0xFE, 0x34, 0x12, 0xFD, 0xFF, 0xEF, 0xCD, 0xAB, 0x89,
                                                0x60, 0x79, 0xFE, 0xFF, 0x00, 0x00, 0xC0, 0x3F};
    EXPECT_EQ(folder.ReadFile("fields.bin"), expected);

    FCFile file;
    ASSERT_TRUE(OpenFile(file, path, kRead, FCFile::kOpenExisting));
    std::uint8_t u8 = 0;
    std::int8_t i8 = 0;
    std::uint16_t u16 = 0;
    std::int16_t i16 = 0;
    std::uint32_t u32 = 0;
    std::int32_t i32 = 0;
    float f32 = 0;
    EXPECT_TRUE(file.ReadU8(u8) && file.ReadI8(i8) && file.ReadU16(u16) && file.ReadI16(i16) &&
                file.ReadU32(u32) && file.ReadI32(i32) && file.ReadF32(f32));
    EXPECT_EQ(u8, 0xA1);
    EXPECT_EQ(i8, -2);
    EXPECT_EQ(u16, 0x1234);
    EXPECT_EQ(i16, -3);
    EXPECT_EQ(u32, 0x89ABCDEFu);
    EXPECT_EQ(i32, -100000);
    EXPECT_EQ(f32, 1.5f);
    // A field cut short by the end of the file reads as 0 and fails.
    file.SeekTo(16);
    u32 = 7;
    EXPECT_FALSE(file.ReadU32(u32));
    EXPECT_EQ(u32, 0u);
}

// Drives a file and a plain byte vector through the same random operations
// and compares every observable result: whatever the buffer does must not
// show.
TEST(FCFileTest, BufferingIsInvisible)
{
    TempFolder folder;
    const std::string path = folder.Join("model.bin");
    FCFile file;
    ASSERT_TRUE(OpenFile(file, path, kReadWrite, FCFile::kCreateAlways));
    std::vector<std::uint8_t> model;
    std::uint64_t position = 0;

    std::mt19937 random(12345);
    const auto pick = [&](std::uint32_t lo, std::uint32_t hi) {
        return std::uniform_int_distribution<std::uint32_t>(lo, hi)(random);
    };
    const auto length = [&] { return pick(0, 9) == 0 ? pick(60000, 140000) : pick(1, 300); };

    for (int step = 0; step < 4000; ++step)
    {
        SCOPED_TRACE(step);
        switch (pick(0, 8))
        {
        case 0:
        case 1: {
            std::vector<std::uint8_t> data(length());
            for (auto& b : data)
                b = static_cast<std::uint8_t>(pick(0, 255));
            ASSERT_TRUE(file.Write(data.data(), static_cast<std::uint32_t>(data.size())));
            if (model.size() < position + data.size())
                model.resize(position + data.size());
            std::copy(data.begin(), data.end(), model.begin() + static_cast<std::ptrdiff_t>(position));
            position += data.size();
            break;
        }
        case 2:
        case 3: {
            const std::uint32_t wanted = length();
            std::vector<std::uint8_t> data(wanted);
            const std::uint32_t got = file.ReadSome(data.data(), wanted);
            const std::uint64_t left = position < model.size() ? model.size() - position : 0;
            ASSERT_EQ(got, std::min<std::uint64_t>(wanted, left));
            ASSERT_TRUE(std::equal(data.begin(), data.begin() + got,
                                   model.begin() + static_cast<std::ptrdiff_t>(position)));
            position += got;
            break;
        }
        case 4: {
            const std::uint32_t origin = pick(0, 2);
            const auto offset = static_cast<std::int32_t>(pick(0, 200000)) - 100000;
            const std::int64_t base = origin == 0 ? 0 : origin == 1 ? static_cast<std::int64_t>(position)
                                                                   : static_cast<std::int64_t>(model.size());
            const std::int64_t target = origin == 0 ? static_cast<std::uint32_t>(offset) : base + offset;
            if (origin == 0 && offset < 0)
                break; // would leap to 4 GiB
            const std::uint32_t result = file.Seek(offset, origin);
            if (target < 0)
            {
                ASSERT_EQ(result, FCFile::kInvalidPosition);
            }
            else
            {
                ASSERT_EQ(result, static_cast<std::uint32_t>(target));
                position = static_cast<std::uint64_t>(target);
            }
            break;
        }
        case 5:
            ASSERT_EQ(file.IsEof(), position >= model.size());
            break;
        case 6:
            if (pick(0, 3) == 0)
            {
                const std::uint32_t size = pick(0, 250000);
                ASSERT_TRUE(file.SetSize(size));
                model.resize(size);
                position = size;
            }
            else
            {
                ASSERT_TRUE(file.Flush());
                ASSERT_EQ(folder.ReadFile("model.bin"), model);
            }
            break;
        default:
            break;
        }
        ASSERT_EQ(file.Tell(), position);
        ASSERT_EQ(file.GetSize(), model.size());
    }
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(folder.ReadFile("model.bin"), model);
}

TEST(FCFileTest, BackslashPathsAndCaseFallback)
{
    TempFolder folder;
    folder.WriteFile("Data/Sub/Name.BIN", "xyz");
    FCFile exact;
    EXPECT_TRUE(OpenFile(exact, folder.GetPath() + "\\Data\\Sub\\Name.BIN", kRead, FCFile::kOpenExisting));
    FCFile otherCase;
    EXPECT_TRUE(OpenFile(otherCase, folder.GetPath() + "\\data/SUB\\name.bin", kRead, FCFile::kOpenExisting));
    EXPECT_EQ(otherCase.GetSize(), 3u);
    // A new file in an existing folder of another case lands in that folder.
    FCFile created;
    ASSERT_TRUE(OpenFile(created, folder.GetPath() + "\\DATA\\new.bin", kReadWrite, FCFile::kCreateNew));
    created.Close();
    EXPECT_EQ(folder.ReadFile("Data/new.bin").size(), 0u);
    FCFile missing;
    EXPECT_FALSE(OpenFile(missing, folder.GetPath() + "\\Data\\Nope\\name.bin", kRead, FCFile::kOpenExisting));
}

TEST(FCFileSectionTest, ViewIsClippedAndCountedFromItsBase)
{
    TempFolder folder;
    const std::vector<std::uint8_t> bytes = Pattern(200);
    folder.WriteFile("pack.bin", bytes);
    FCFileSection view;
    ASSERT_TRUE(view.OpenRange(folder.Join("pack.bin"), 100, 20));

    EXPECT_EQ(view.Tell(), 0u);
    EXPECT_EQ(view.GetSize(), 20u);
    std::uint8_t byte = 0;
    ASSERT_TRUE(view.ReadU8(byte));
    EXPECT_EQ(byte, bytes[100]);

    EXPECT_EQ(view.SeekTo(5), 5u);
    EXPECT_EQ(view.Tell(), 5u);
    ASSERT_TRUE(view.ReadU8(byte));
    EXPECT_EQ(byte, bytes[105]);

    EXPECT_EQ(view.SeekToEnd(), 20u);
    EXPECT_TRUE(view.IsEof());
    EXPECT_EQ(view.Seek(-2, FCFile::kFromEnd), 18u);
    EXPECT_FALSE(view.IsEof());
    EXPECT_EQ(view.Tell(), 18u);
    EXPECT_EQ(view.SeekRelative(-19), FCFile::kInvalidPosition);
    EXPECT_EQ(view.Tell(), 18u);

    // A read running past the view stops at its end.
    std::uint8_t buffer[10] = {};
    EXPECT_FALSE(view.Read(buffer, 10));
    EXPECT_EQ(buffer[1], bytes[119]);
    EXPECT_EQ(view.Tell(), 20u);
    view.SeekToStart();
    EXPECT_EQ(view.ReadSome(buffer, 10), 10u);
    EXPECT_EQ(view.ReadSome(buffer, 10), 10u);
    EXPECT_EQ(view.ReadSome(buffer, 10), 0u);

    // Fields straddling the view's end fail even though the file goes on.
    view.SeekTo(18);
    std::uint32_t field = 0;
    EXPECT_FALSE(view.ReadU32(field));
    view.SeekTo(16);
    EXPECT_TRUE(view.ReadU32(field));
    EXPECT_EQ(field, static_cast<std::uint32_t>(bytes[116] | bytes[117] << 8 | bytes[118] << 16 | bytes[119] << 24));

    EXPECT_FALSE(view.Write(buffer, 1));
    EXPECT_FALSE(view.SetSize(1));
}

TEST(FCFileSectionTest, SetBaseMovesToTheViewStart)
{
    TempFolder folder;
    folder.WriteFile("f.bin", Pattern(64));
    FCFileSection view;
    ASSERT_TRUE(view.Open(folder.Join("f.bin").c_str(), kRead, FCFile::kOpenExisting, FCFile::kShareRead));
    view.SetLength(8);
    view.SeekTo(3);
    view.SetBase(40);
    EXPECT_EQ(view.Tell(), 0u);
    std::uint8_t byte = 0;
    ASSERT_TRUE(view.ReadU8(byte));
    EXPECT_EQ(byte, Pattern(64)[40]);
}

TEST(FCFileSectionTest, RangeOutsideTheFileDoesNotOpen)
{
    TempFolder folder;
    folder.WriteFile("f.bin", Pattern(30));
    FCFileSection view;
    EXPECT_TRUE(view.OpenRange(folder.Join("f.bin"), 30, 0));
    EXPECT_TRUE(view.IsEof());
    EXPECT_FALSE(view.OpenRange(folder.Join("f.bin"), 20, 11));
    EXPECT_FALSE(view.IsOpen());
    EXPECT_FALSE(view.OpenRange(folder.Join("f.bin"), 0xFFFFFFFFu, 2));
    EXPECT_FALSE(view.OpenRange(folder.Join("nothing.bin"), 0, 0));
}
