// Reads arbitrary bytes as the body of each character part: the first byte
// picks the part and the body version, the rest is the body.

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCObject.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{
constexpr std::array<const char*, 10> kParts = {
    "VelCharacterClass",    "VelCharacterSkill", "VelCharacterFeat",  "VelCharacterSpell",
    "VelCharacterLanguage", "VelCharacterItem",  "VelCharacterEquip", "VelEntityFeature",
    "VelCharacterFeature",  "VelCharacterAnimal"};

std::string TempPath(const char* suffix)
{
    return (std::filesystem::temp_directory_path() /
            ("fuzz-parts-" + std::to_string(::getpid()) + suffix))
        .string();
}

const std::string& InputPath()
{
    static const std::string path = TempPath(".bin");
    static const struct Remover
    {
        ~Remover() { std::remove(path.c_str()); }
    } remover;
    return path;
}

const std::string& OutputPath()
{
    static const std::string path = TempPath(".out");
    static const struct Remover
    {
        ~Remover() { std::remove(path.c_str()); }
    } remover;
    return path;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    if (size < 1)
        return 0;
    const char* name = kParts[data[0] % kParts.size()];
    const std::uint16_t version = (data[0] / kParts.size()) % 2 == 0 ? 2 : 1;
    {
        std::FILE* out = std::fopen(InputPath().c_str(), "wb");
        if (!out)
            return 0;
        std::fwrite(data + 1, 1, size - 1, out);
        std::fclose(out);
    }
    FCArchive ar(InputPath(), FCArchive::kLoad);
    if (!ar.IsOpen())
        return 0;
    ar.SetVersion(version);
    FCObject* part = FCClassRegistry::CreateByName(name);
    if (!part)
        return 0;
    part->Serialize(ar);
    // Whatever was read must store again without trouble.
    if (!ar.HasFailed())
    {
        FCArchive back(OutputPath(), FCArchive::kStore);
        back.SetVersion(2);
        part->Serialize(back);
    }
    part->Release();
    return 0;
}
