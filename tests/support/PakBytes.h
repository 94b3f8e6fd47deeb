#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Builds package bytes by hand for tests, names stored exactly as given
// (sub-directory keys carry their closing backslash, e.g. "sounds\\").
struct PakSubDir;
struct PakDir
{
    std::vector<std::pair<std::string, std::string>> files; // name, contents
    std::vector<PakSubDir> dirs;
};
struct PakSubDir
{
    std::string name;
    PakDir dir;
};

// Flag byte, tree, then every file's contents in tree order.
std::vector<std::uint8_t> BuildPak(std::uint8_t caseFlag, const PakDir& root);

// Little-endian appenders for hand-made (and damaged) packages.
void PutU8(std::vector<std::uint8_t>& out, std::uint8_t value);
void PutI16(std::vector<std::uint8_t>& out, std::int16_t value);
void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value);
void PutName(std::vector<std::uint8_t>& out, const std::string& name);
