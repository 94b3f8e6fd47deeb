// Saving and loading a well-stocked character file. Loading (create by name,
// read, check against the database) is measured against one plain read of
// the same bytes into memory (target: at most 30 times); saving (temporary
// file, flush, rename) against one write of the same bytes with the same
// flush and rename (target: at most 3 times).

#include "Fc/Core/FCDebugLog.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterEquip.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterFile.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Character/VelCharacterLanguage.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Character/VelCharacterSpell.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelArmorInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelDatabaseWriter.h"
#include "Vel/Db/VelFeatInfo.h"
#include "Vel/Db/VelGoodsInfo.h"
#include "Vel/Db/VelLanguageInfo.h"
#include "Vel/Db/VelMemoryFile.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelWeaponInfo.h"

#include "RatioReporter.h"
#include "support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
constexpr int kClasses = 8;
constexpr int kSkills = 40;
constexpr int kFeats = 30;
constexpr int kSpells = 100;
constexpr int kItems = 150;
constexpr int kAnimals = 3;
constexpr int kItemRecords = 4;

// In a folder of its own that goes away with the program.
std::string BenchPath(const char* name)
{
    static const TempFolder folder;
    return folder.Join(name);
}

template <class T> T Named(const std::string& name)
{
    T record;
    record.name = name;
    return record;
}

void LoadDatabase()
{
    VelDatabaseWriter db;
    db.BeginSection(VelDatabase::kTagClass);
    for (int i = 0; i < 11; ++i)
        db.Add(static_cast<std::int16_t>(i), Named<VelClassInfo>("Class"));
    db.BeginSection(VelDatabase::kTagSkill);
    for (int i = 0; i < kSkills; ++i)
        db.Add(static_cast<std::int16_t>(i), Named<VelSkillInfo>("Skill"));
    db.BeginSection(VelDatabase::kTagFeat);
    for (int i = 0; i < kFeats; ++i)
        db.Add(static_cast<std::int16_t>(i), Named<VelFeatInfo>("Feat"));
    db.BeginSection(VelDatabase::kTagSpell);
    for (int i = 0; i < kSpells; ++i)
        db.Add(static_cast<std::int16_t>(i), Named<VelSpellInfo>("Spell"));
    db.BeginSection(VelDatabase::kTagLanguage).Add(1, Named<VelLanguageInfo>("Common"));
    db.BeginSection(VelDatabase::kTagItem)
        .Add(0, Named<VelWeaponInfo>("Sword"))
        .Add(1, Named<VelArmorInfo>("Mail"))
        .Add(2, Named<VelGoodsInfo>("Rope"))
        .Add(3, Named<VelWeaponInfo>("Bow"));
    db.BeginSection(VelDatabase::kTagAnimal);
    for (int i = 0; i < kAnimals; ++i)
        db.Add(static_cast<std::int16_t>(i), Named<VelAnimalInfo>("Animal"));
    VelMemoryFile file(db.Finish());
    VelDatabase::ParseStream(file, "bench");
}

VelCharacter* MakeCharacter()
{
    auto* c = new VelCharacter();
    c->name = "Benchmark";
    for (int i = 0; i < kClasses; ++i)
        c->AddClass(static_cast<std::uint16_t>(i))->level = 2;
    for (int i = 0; i < kSkills; ++i)
    {
        auto* skill =
            new VelCharacterSkill(static_cast<std::uint16_t>(i), VelCharacterSkill::kNoSubSkill);
        skill->SetRanks(static_cast<std::int16_t>(i % 11), VelCharacterSkill::kClassRanks, 2.0f);
        c->AddSkill(skill);
        skill->Release();
    }
    for (int i = 0; i < kFeats; ++i)
    {
        auto* feat = new VelCharacterFeat(static_cast<std::uint16_t>(i), 0xFFFF, 0xFFFF, 4);
        c->InsertFeat(feat);
        feat->Release();
    }
    for (int i = 0; i < kSpells; ++i)
    {
        auto* spell = new VelCharacterSpell(static_cast<std::uint16_t>(i), 10);
        c->AddSpell(spell);
        spell->Release();
    }
    auto* language = new VelCharacterLanguage(1);
    c->AddLanguage(language);
    language->Release();
    for (int i = 0; i < kItems; ++i)
        c->AddItem(VelDatabase::FindItem(static_cast<std::uint16_t>(i % kItemRecords)));
    c->WearItem(c->FindItem(1));
    VelCharacterEquip set;
    set.SetSlot(0, 0);
    c->AddEquip(set);
    for (int i = 0; i < kAnimals; ++i)
    {
        auto* animal =
            new VelCharacterAnimal(static_cast<std::uint16_t>(i), static_cast<std::uint16_t>(i));
        c->AddAnimal(animal);
        animal->Release();
    }
    for (std::string& note : c->notes)
        note = "A line of notes about the character.";
    return c;
}

VelCharacter* g_character = nullptr;
std::vector<std::uint8_t> g_bytes;

void BM_LoadCharacter(benchmark::State& state)
{
    const std::string path = BenchPath("load.cg3");
    for (auto _ : state)
    {
        VelCharacter* loaded = VelCharacterFile::Load(path);
        if (!loaded)
        {
            state.SkipWithError("character did not load");
            break;
        }
        benchmark::DoNotOptimize(loaded->items.GetCount());
        // Freeing the character is not part of loading it.
        state.PauseTiming();
        loaded->Release();
        state.ResumeTiming();
    }
}

// One read of the whole file into memory.
void BM_ReadBytes(benchmark::State& state)
{
    const std::string path = BenchPath("load.cg3");
    std::vector<std::uint8_t> buffer;
    for (auto _ : state)
    {
        std::FILE* in = std::fopen(path.c_str(), "rb");
        if (!in)
        {
            state.SkipWithError("file did not open");
            break;
        }
        buffer.resize(g_bytes.size());
        const std::size_t read = std::fread(buffer.data(), 1, buffer.size(), in);
        std::fclose(in);
        if (read != g_bytes.size())
            state.SkipWithError("short read");
        benchmark::DoNotOptimize(buffer.data());
    }
}

void BM_SaveCharacter(benchmark::State& state)
{
    const std::string path = BenchPath("save.cg3");
    for (auto _ : state)
    {
        if (!VelCharacterFile::Save(*g_character, path))
        {
            state.SkipWithError("character did not save");
            break;
        }
    }
}

// The same bytes written at once to a temporary file, flushed to the disc,
// renamed over the target and the folder synced, as the save does.
void BM_WriteBytes(benchmark::State& state)
{
    const std::string path = BenchPath("write.cg3");
    const std::string temp = path + ".tmp";
    const std::string folder = std::filesystem::path(path).parent_path().string();
    for (auto _ : state)
    {
        const int out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        const bool ok =
            out >= 0 &&
            ::write(out, g_bytes.data(), g_bytes.size()) == static_cast<ssize_t>(g_bytes.size()) &&
            ::fsync(out) == 0;
        if (out >= 0)
            ::close(out);
        if (!ok || std::rename(temp.c_str(), path.c_str()) != 0)
        {
            state.SkipWithError("write failed");
            break;
        }
        const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0)
        {
            ::fsync(dir);
            ::close(dir);
        }
    }
}
} // namespace

BENCHMARK(BM_LoadCharacter)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadBytes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveCharacter)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteBytes)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    LoadDatabase();
    g_character = MakeCharacter();
    const std::string loadPath = BenchPath("load.cg3");
    if (!VelCharacterFile::Save(*g_character, loadPath))
    {
        std::printf("could not write the character file\n");
        return 1;
    }
    {
        std::FILE* in = std::fopen(loadPath.c_str(), "rb");
        g_bytes.resize(std::filesystem::file_size(loadPath));
        if (!in || std::fread(g_bytes.data(), 1, g_bytes.size(), in) != g_bytes.size())
            return 1;
        std::fclose(in);
    }
    std::printf("character file: %zu bytes\n", g_bytes.size());

    RatioReporter::Initialize(argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const bool load = RatioReporter::PrintRatio("load ratio (BM_LoadCharacter / BM_ReadBytes)",
                                                reporter.TimeOf("BM_LoadCharacter"),
                                                reporter.TimeOf("BM_ReadBytes"), 30.0);
    const bool save = RatioReporter::PrintRatio("save ratio (BM_SaveCharacter / BM_WriteBytes)",
                                                reporter.TimeOf("BM_SaveCharacter"),
                                                reporter.TimeOf("BM_WriteBytes"), 3.0);
    g_character->Release();
    VelDatabase::Clear();
    return load && save ? 0 : 1;
}
