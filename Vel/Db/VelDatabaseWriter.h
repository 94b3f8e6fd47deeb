#pragma once

#include <cstdint>
#include <string>
#include <vector>

class VelInfo;

// Builds the bytes of one database file: sections of keyed records, each
// record stored as its class name and its own Store data, exactly as
// VelDatabase::ParseStream reads them back.
class VelDatabaseWriter
{
public:
    // Ends the open section (if any) and starts one with the tag.
    VelDatabaseWriter& BeginSection(std::uint16_t tag);
    // A record under a key (a map, set or list section).
    VelDatabaseWriter& Add(std::int16_t key, const VelInfo& record);
    // A record under a pair of keys (the height and weight section).
    VelDatabaseWriter& AddPair(std::int16_t key, std::int16_t second, const VelInfo& record);
    // Ends the open section with the key -1.
    VelDatabaseWriter& EndSection();
    // Ends the open section and the file (tag 0) and hands over the bytes.
    std::vector<std::uint8_t> Finish();

    // Bytes as they stand, for files that a writer of records would never
    // make (tests of damaged files).
    VelDatabaseWriter& AppendRaw(const std::vector<std::uint8_t>& raw);

    // The bytes so far, without any closing marks.
    const std::vector<std::uint8_t>& GetBytes() const { return bytes; }

    // Stored forms shared with the fixture builders of the tests.
    static void AppendU16(std::vector<std::uint8_t>& out, std::uint16_t value);
    static void AppendString(std::vector<std::uint8_t>& out, const std::string& text);

private:
    void AppendRecord(const VelInfo& record);

    std::vector<std::uint8_t> bytes;
    bool sectionOpen = false;
};
