#include "Vel/Db/VelDatabaseWriter.h"

#include "Vel/Db/VelFieldWriter.h"
#include "Vel/Db/VelInfo.h"

VelDatabaseWriter& VelDatabaseWriter::BeginSection(std::uint16_t tag)
{
    EndSection();
    AppendU16(bytes, tag);
    sectionOpen = true;
    return *this;
}

VelDatabaseWriter& VelDatabaseWriter::Add(std::int16_t key, const VelInfo& record)
{
    AppendU16(bytes, static_cast<std::uint16_t>(key));
    AppendRecord(record);
    return *this;
}

VelDatabaseWriter& VelDatabaseWriter::AddPair(std::int16_t key, std::int16_t second,
                                              const VelInfo& record)
{
    AppendU16(bytes, static_cast<std::uint16_t>(key));
    AppendU16(bytes, static_cast<std::uint16_t>(second));
    AppendRecord(record);
    return *this;
}

VelDatabaseWriter& VelDatabaseWriter::EndSection()
{
    if (sectionOpen)
    {
        AppendU16(bytes, 0xFFFF);
        sectionOpen = false;
    }
    return *this;
}

std::vector<std::uint8_t> VelDatabaseWriter::Finish()
{
    EndSection();
    AppendU16(bytes, 0);
    std::vector<std::uint8_t> out;
    out.swap(bytes);
    return out;
}

VelDatabaseWriter& VelDatabaseWriter::AppendRaw(const std::vector<std::uint8_t>& raw)
{
    bytes.insert(bytes.end(), raw.begin(), raw.end());
    return *this;
}

void VelDatabaseWriter::AppendRecord(const VelInfo& record)
{
    AppendString(bytes, record.GetClassName());
    record.Store(bytes);
}

void VelDatabaseWriter::AppendU16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    VelFieldWriter writer(out);
    writer("", value);
}

void VelDatabaseWriter::AppendString(std::vector<std::uint8_t>& out, const std::string& text)
{
    VelFieldWriter writer(out);
    writer("", text);
}
