#pragma once

#include "Vel/Db/VelDatabaseWriter.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

class VelInfo;

// Builds database files in memory with the program's own record writers and
// loads them with the real VelDatabase::ParseStream. The database is empty
// when the fixture is made and emptied again when it goes, so every test
// starts from nothing.
//
//     DbFixture db;
//     VelSkillInfo skill;
//     skill.name = "Climb";
//     db.Section(VelDatabase::kTagSkill).Add(3, skill);
//     ASSERT_TRUE(db.Load());
//     VelDatabase::FindSkill(3) ...
class DbFixture
{
public:
    DbFixture();
    ~DbFixture();
    DbFixture(const DbFixture&) = delete;
    DbFixture& operator=(const DbFixture&) = delete;

    DbFixture& Section(std::uint16_t tag);
    DbFixture& Add(std::int16_t key, const VelInfo& record);
    DbFixture& AddPair(std::int16_t key, std::int16_t second, const VelInfo& record);
    // Ends the open section with -1. Raw pieces below do not end it.
    DbFixture& EndSection();
    // Raw bytes (little-endian words, texts) for files the writer would
    // never make.
    DbFixture& RawU16(std::uint16_t value);
    DbFixture& RawString(const char* text);
    DbFixture& RawBytes(std::initializer_list<std::uint8_t> bytes);
    // A record object (class name and data) with no key before it.
    DbFixture& RawRecord(const VelInfo& record);

    // The file so far, ended with the end mark, loaded from memory; the
    // result of ParseStream. The builder starts a new file afterwards.
    bool Load();
    // The same through a real file on disc (FCFile and its buffering).
    bool LoadFromDisc();
    // The file so far, ended with the end mark, without loading it.
    std::vector<std::uint8_t> Finish();

    static bool LoadBytes(const std::vector<std::uint8_t>& bytes);

private:
    VelDatabaseWriter writer;
};
