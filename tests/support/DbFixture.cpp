#include "DbFixture.h"

#include "Vel/Db/VelMemoryFile.h"
#include "Fc/Core/FCFile.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelInfo.h"

#include <cstdio>
#include <string>
#include <unistd.h>

DbFixture::DbFixture() { VelDatabase::Clear(); }

DbFixture::~DbFixture() { VelDatabase::Clear(); }

DbFixture& DbFixture::Section(std::uint16_t tag)
{
    writer.BeginSection(tag);
    return *this;
}

DbFixture& DbFixture::Add(std::int16_t key, const VelInfo& record)
{
    writer.Add(key, record);
    return *this;
}

DbFixture& DbFixture::AddPair(std::int16_t key, std::int16_t second, const VelInfo& record)
{
    writer.AddPair(key, second, record);
    return *this;
}

DbFixture& DbFixture::EndSection()
{
    writer.EndSection();
    return *this;
}

// Raw pieces go straight into the writer's byte stream through a private
// buffer, so they interleave with records in call order.
DbFixture& DbFixture::RawU16(std::uint16_t value)
{
    std::vector<std::uint8_t> bytes;
    VelDatabaseWriter::AppendU16(bytes, value);
    return RawBytes({bytes[0], bytes[1]});
}

DbFixture& DbFixture::RawString(const char* text)
{
    std::vector<std::uint8_t> bytes;
    VelDatabaseWriter::AppendString(bytes, text);
    writer.AppendRaw(bytes);
    return *this;
}

DbFixture& DbFixture::RawBytes(std::initializer_list<std::uint8_t> bytes)
{
    writer.AppendRaw(std::vector<std::uint8_t>(bytes));
    return *this;
}

DbFixture& DbFixture::RawRecord(const VelInfo& record)
{
    std::vector<std::uint8_t> bytes;
    VelDatabaseWriter::AppendString(bytes, record.GetClassName());
    record.Store(bytes);
    writer.AppendRaw(bytes);
    return *this;
}

std::vector<std::uint8_t> DbFixture::Finish() { return writer.Finish(); }

bool DbFixture::Load() { return LoadBytes(Finish()); }

bool DbFixture::LoadBytes(const std::vector<std::uint8_t>& bytes)
{
    VelMemoryFile file(bytes);
    return VelDatabase::ParseStream(file, "fixture");
}

bool DbFixture::LoadFromDisc()
{
    const std::vector<std::uint8_t> bytes = Finish();
    char path[] = "/tmp/dbfixtureXXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
    {
        return false;
    }
    const bool written = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    close(fd);
    bool loaded = false;
    if (written)
    {
        FCFile file;
        if (file.Open(path, FCFile::kAccessRead, FCFile::kOpenExisting, FCFile::kShareRead))
        {
            loaded = VelDatabase::ParseStream(file, path);
        }
    }
    std::remove(path);
    return loaded;
}
