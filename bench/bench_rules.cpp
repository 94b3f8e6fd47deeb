// The set-up of a 20th-level caster of three classes (full spell lists, 150
// items) followed by every over-limit check, on a database of realistic
// table sizes, against one full-screen opaque blit (target: at most 1, so
// that no rule change ever costs a frame).

#include "Fc/Core/FCDebugLog.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Character/VelCharacterSpell.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelItemInfo.h"
#include "Vel/Db/VelSpellLevelInfo.h"
#include "Vel/Rules/VelEquipRules.h"
#include "Vel/Rules/VelFeatRules.h"
#include "Vel/Rules/VelSetupRules.h"
#include "Vel/Rules/VelSpellRules.h"

#include "BlitBaseline.h"
#include "RatioReporter.h"
#include "support/RulesFixture.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <utility>

namespace
{
constexpr int kItems = 150;

// Levels 8, 6 and 6 of the scholar, innate and priest casters.
constexpr std::array<std::pair<std::uint16_t, std::uint16_t>, 3> kClasses{
    {{10, 8}, {9, 6}, {2, 6}}};

VelCharacter* MakeCaster()
{
    auto* c = new VelCharacter();
    c->raceId = RulesFixture::kRace;
    c->AddClass(kClasses[0].first);
    FinishCharacterSetup(c, true);
    c->CommitClassLevels();
    c->FindClass(kClasses[0].first)->level = kClasses[0].second;
    for (std::size_t i = 1; i < kClasses.size(); ++i)
        c->AddClass(kClasses[i].first)->level = kClasses[i].second;
    FinishCharacterSetup(c, false);
    c->CommitClassLevels();
    // Every spell each class can cast.
    VelDatabase::ForEach<VelSpellLevelInfo>(
        VelDatabase::kTagSpellLevel,
        [&](const VelSpellLevelInfo& row)
        {
            const VelCharacterClass* entry = c->FindClass(static_cast<std::uint16_t>(row.classId));
            if (!entry || static_cast<std::int16_t>(row.level) > HighestSpellLevel(entry))
                return;
            auto* spell =
                new VelCharacterSpell(static_cast<std::uint16_t>(row.key), entry->classId);
            spell->thirdKey = static_cast<std::int16_t>(row.level);
            c->AddSpell(spell);
            spell->Release();
        });
    for (int i = 0; i < kItems; ++i)
    {
        const auto id = static_cast<std::uint16_t>(RulesFixture::kFirstGoods + i % 300);
        if (VelCharacterItem* item = BuyItem(c, VelDatabase::FindItem(id), 0, 0, 0, false))
            EquipItem(c, item, false);
    }
    return c;
}

VelCharacter* g_caster = nullptr;

void BM_SetupAndLimits(benchmark::State& state)
{
    VelCharacterClass* last = g_caster->GetClassAt(static_cast<std::int16_t>(kClasses.size() - 1));
    for (auto _ : state)
    {
        // The set-up applies the last level gained.
        last->startingLevel = static_cast<std::uint16_t>(last->level - 1);
        FinishCharacterSetup(g_caster, false);
        benchmark::DoNotOptimize(CheckCharacterLimits(g_caster, 0, true));
    }
}

BlitBaseline::ScreenPair* g_screens = nullptr;

void BM_OpaqueBlit(benchmark::State& state)
{
    for (auto _ : state)
        g_screens->OpaqueBlit();
}
} // namespace

BENCHMARK(BM_SetupAndLimits)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpaqueBlit)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    RulesFixtureSizes sizes;
    sizes.skills = 45;
    sizes.feats = 110;
    sizes.spells = 600;
    sizes.goods = 300;
    sizes.languages = 20;
    RulesFixture rules(sizes);
    if (!rules.IsLoaded())
    {
        std::printf("the rules database did not load\n");
        return 1;
    }
    g_caster = MakeCaster();
    std::printf("caster: %u classes, level %u, %u spells, %u items\n",
                static_cast<unsigned>(g_caster->classes.GetCount()),
                static_cast<unsigned>(g_caster->GetTotalLevel()),
                static_cast<unsigned>(g_caster->spells.GetCount()),
                static_cast<unsigned>(g_caster->items.GetCount()));
    BlitBaseline::ScreenPair screens;
    g_screens = &screens;

    RatioReporter::Initialize(argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const bool ok = RatioReporter::PrintRatio("set-up ratio (BM_SetupAndLimits / BM_OpaqueBlit)",
                                              reporter.TimeOf("BM_SetupAndLimits"),
                                              reporter.TimeOf("BM_OpaqueBlit"), 1.0);
    g_caster->Release();
    return ok ? 0 : 1;
}
