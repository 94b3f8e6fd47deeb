// Reads arbitrary bytes as a character file over a small rules database.
// Whatever loads must save and load again.

#include "Fc/Core/FCDebugLog.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterFile.h"
#include "Vel/Db/VelAlignmentInfo.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelArmorInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelDatabaseWriter.h"
#include "Vel/Db/VelDomainInfo.h"
#include "Vel/Db/VelFeatInfo.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Db/VelGodInfo.h"
#include "Vel/Db/VelGoodsInfo.h"
#include "Vel/Db/VelLanguageInfo.h"
#include "Vel/Db/VelMemoryFile.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelSchoolInfo.h"
#include "Vel/Db/VelShieldInfo.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelSubSkillInfo.h"
#include "Vel/Db/VelWeaponInfo.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{
std::string TempPath(const char* suffix)
{
    return (std::filesystem::temp_directory_path() /
            ("fuzz-character-" + std::to_string(::getpid()) + suffix))
        .string();
}

struct Paths
{
    std::string input = TempPath(".in.cg3");
    std::string output = TempPath(".out.cg3");
    ~Paths()
    {
        std::remove(input.c_str());
        std::remove(output.c_str());
    }
};

const Paths& GetPaths()
{
    static const Paths paths;
    return paths;
}

template <class T> T Named(const char* name)
{
    T record;
    record.name = name;
    return record;
}

// The same ids as the seed corpus uses.
void LoadDatabase()
{
    VelDatabaseWriter db;
    VelRaceInfo halfling = Named<VelRaceInfo>("Halfling");
    halfling.sizeId = 3;
    db.BeginSection(VelDatabase::kTagRace).Add(1, Named<VelRaceInfo>("Human")).Add(2, halfling);
    db.BeginSection(VelDatabase::kTagAlignment).Add(9, Named<VelAlignmentInfo>("Neutral"));
    db.BeginSection(VelDatabase::kTagClass);
    for (std::int16_t id = 0; id < 11; ++id)
        db.Add(id, Named<VelClassInfo>("Class"));
    VelSubSkillInfo bows = Named<VelSubSkillInfo>("Bows");
    bows.subSkillId = 1;
    db.BeginSection(VelDatabase::kTagSkill)
        .Add(3, Named<VelSkillInfo>("Climb"))
        .Add(7, Named<VelSkillInfo>("Craft"));
    db.BeginSection(VelDatabase::kTagSubSkill).Add(7, bows);
    db.BeginSection(VelDatabase::kTagFeat)
        .Add(10, Named<VelFeatInfo>("Power"))
        .Add(11, Named<VelFeatInfo>("Focus"));
    db.BeginSection(VelDatabase::kTagSpell)
        .Add(100, Named<VelSpellInfo>("Light"))
        .Add(101, Named<VelSpellInfo>("Dark"));
    db.BeginSection(VelDatabase::kTagLanguage)
        .Add(1, Named<VelLanguageInfo>("Common"))
        .Add(2, Named<VelLanguageInfo>("Elvish"));
    VelWeaponInfo sword = Named<VelWeaponInfo>("Sword");
    sword.basePrice = 15;
    sword.coinKind = 1;
    VelArmorInfo mail = Named<VelArmorInfo>("Mail");
    mail.basePrice = 50;
    mail.coinKind = 2;
    db.BeginSection(VelDatabase::kTagItem)
        .Add(50, sword)
        .Add(60, mail)
        .Add(70, Named<VelShieldInfo>("Buckler"))
        .Add(80, Named<VelGoodsInfo>("Rope"));
    VelFeatureInfo sneak = Named<VelFeatureInfo>("Sneak");
    sneak.formatKind = 1;
    db.BeginSection(VelDatabase::kTagFeature)
        .Add(5, sneak)
        .Add(6, sneak)
        .Add(7, Named<VelFeatureInfo>("Gift"));
    VelAnimalInfo toad = Named<VelAnimalInfo>("Toad");
    toad.hitDice = 0.5f;
    db.BeginSection(VelDatabase::kTagAnimal).Add(200, toad).Add(201, Named<VelAnimalInfo>("Wolf"));
    db.BeginSection(VelDatabase::kTagGod).Add(1, Named<VelGodInfo>("Sun"));
    db.BeginSection(VelDatabase::kTagDomain)
        .Add(2, Named<VelDomainInfo>("Law"))
        .Add(3, Named<VelDomainInfo>("Fire"));
    db.BeginSection(VelDatabase::kTagSchool)
        .Add(1, Named<VelSchoolInfo>("Wards"))
        .Add(2, Named<VelSchoolInfo>("Charms"))
        .Add(3, Named<VelSchoolInfo>("Visions"));
    VelMemoryFile file(db.Finish());
    if (!VelDatabase::ParseStream(file, "fuzz"))
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FCDebugLog quiet("", FCDebugLog::kOff);
    static const bool ready = []
    {
        FCDebugLog::SetInstance(&quiet);
        LoadDatabase();
        return true;
    }();
    static_cast<void>(ready);

    const Paths& paths = GetPaths();
    {
        std::FILE* out = std::fopen(paths.input.c_str(), "wb");
        if (!out)
            return 0;
        std::fwrite(data, 1, size, out);
        std::fclose(out);
    }
    VelCharacter* character = VelCharacterFile::Load(paths.input);
    if (!character)
        return 0;
    if (!VelCharacterFile::Save(*character, paths.output))
        std::abort();
    VelCharacter* again = VelCharacterFile::Load(paths.output);
    if (!again)
        std::abort();
    again->Release();
    character->Release();
    return 0;
}
