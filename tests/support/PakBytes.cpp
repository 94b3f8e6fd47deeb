#include "support/PakBytes.h"

#include "Fc/Core/FCBytes.h"

namespace
{
struct Patch
{
    std::size_t at;
    const std::string* contents;
};

void PutDir(std::vector<std::uint8_t>& out, const PakDir& dir, std::vector<Patch>& patches)
{
    PutI16(out, static_cast<std::int16_t>(dir.files.size()));
    for (const auto& [name, contents] : dir.files)
    {
        PutName(out, name);
        patches.push_back({out.size(), &contents});
        PutU32(out, 0);
        PutU32(out, 0);
    }
    PutI16(out, static_cast<std::int16_t>(dir.dirs.size()));
    for (const auto& [name, sub] : dir.dirs)
    {
        PutName(out, name);
        PutDir(out, sub, patches);
    }
}
} // namespace

void PutU8(std::vector<std::uint8_t>& out, std::uint8_t value) { out.push_back(value); }

void PutI16(std::vector<std::uint8_t>& out, std::int16_t value)
{
    out.resize(out.size() + 2);
    FCBytes::WriteI16(&out[out.size() - 2], value);
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.resize(out.size() + 4);
    FCBytes::WriteU32(&out[out.size() - 4], value);
}

void PutName(std::vector<std::uint8_t>& out, const std::string& name)
{
    PutI16(out, static_cast<std::int16_t>(name.size()));
    out.insert(out.end(), name.begin(), name.end());
}

std::vector<std::uint8_t> BuildPak(std::uint8_t caseFlag, const PakDir& root)
{
    std::vector<std::uint8_t> out;
    std::vector<Patch> patches;
    PutU8(out, caseFlag);
    PutDir(out, root, patches);
    for (const Patch& patch : patches)
    {
        FCBytes::WriteU32(&out[patch.at], static_cast<std::uint32_t>(out.size()));
        FCBytes::WriteU32(&out[patch.at + 4], static_cast<std::uint32_t>(patch.contents->size()));
        out.insert(out.end(), patch.contents->begin(), patch.contents->end());
    }
    return out;
}
