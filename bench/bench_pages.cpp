// The character window over the built layouts, interface content and the
// shipped rule set, painted into an 800 x 600 5-6-5 back buffer. Measured
// against one full-screen opaque blit in the same run, each <= 4:
// - entering the skills page of a two-class level-20 character with ranks
//   in every skill, with the repaint (the page keeps the rows it showed
//   before); and, for the record, entering it with one row more than it
//   showed last, which lays the list out anew;
// - one feat dragged onto the chosen feats through the window manager, with
//   the rules, the window's recomputation, the page's refresh and the
//   repaint;
// - switching between two real pages (abilities and feats), with the repaint;
// - one ability score typed into its spinner, with the recomputation, the
//   window's and the page's refresh and the repaint.

#include "BenchDisplay.h"
#include "PageBench.h"
#include "BlitBaseline.h"
#include "RatioReporter.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFileSystem.h"
#include "Fc/Graphics/FCDisplayPageStack.h"
#include "Fc/Graphics/FCDoubleBuffer.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIMessages.h"
#include "Ui/UINumberEditControl.h"
#include "Ui/UINumberScroll.h"
#include "Ui/UIWindowManager.h"
#include "Vel/App/VelClient.h"
#include "Vel/App/VelSettings.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Db/VelSubSkillInfo.h"
#include "Vel/Rules/VelFeatRules.h"
#include "Vel/Rules/VelSetupRules.h"
#include "Vel/Rules/VelSkillRules.h"
#include "Vel_ui/Vel_UIFeats.h"
#include "Vel_ui/Vel_UIItem.h"
#include "Vel_ui/Vel_UIListBox.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace
{
constexpr std::int16_t kAbilitiesPage = 0;
constexpr std::int16_t kSkillsPage = 1;
constexpr std::int16_t kFeatsPage = 2;
constexpr std::uint16_t kWarrior = 4;
constexpr std::uint16_t kScholar = 10;

BlitBaseline::ScreenPair* pair = nullptr;
UIWindowManager* manager = nullptr;
BenchDisplay* display = nullptr;
Vel_UIWin_CharConfig* window = nullptr;

void Paint()
{
    PaintFrame(*manager, *display);
}

void Pointer(std::uint16_t type, FCPoint at)
{
    std::uint32_t words[3] = {static_cast<std::uint32_t>(at.x), static_cast<std::uint32_t>(at.y), 0};
    manager->HandleMessage(static_cast<std::int16_t>(type), words);
}

FCPoint Centre(const UIControl* control)
{
    const FCRect rect = control->GetScreenRect();
    return FCPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

// Ranks in every skill of the rule set (its first sub-skill where it has
// some) for both classes, of the kind each class buys it as.
void GiveEverySkill(VelCharacter& hero)
{
    FCObjectMap* skills = VelDatabase::GetMap(VelDatabase::kTagSkill);
    FCObjectMap::Cursor walk = skills ? skills->First() : FCObjectMap::Cursor();
    FCObject* object = nullptr;
    while (skills && skills->GetNext(object, &walk))
    {
        const auto& skill = *static_cast<VelSkillInfo*>(object);
        const auto skillId = static_cast<std::uint16_t>(skill.key);
        std::uint16_t subSkillId = VelCharacterSkill::kNoSubSkill;
        if (skill.hasSubSkills)
            VelDatabase::ForEach<VelSubSkillInfo>(VelDatabase::kTagSubSkill,
                                                  [&](const VelSubSkillInfo& sub)
                                                  {
                                                      if (sub.key == skill.key &&
                                                          subSkillId == VelCharacterSkill::kNoSubSkill)
                                                          subSkillId = sub.subSkillId;
                                                  });
        auto* entry = new VelCharacterSkill(skillId, subSkillId);
        for (std::uint16_t classId : {kWarrior, kScholar})
        {
            const std::int32_t kind = GetSkillClassKind(&hero, classId, &skill);
            if (kind != VelSkillInfo::kNotAvailable)
                entry->SetRanks(static_cast<std::int16_t>(classId), kind, 1.0f);
        }
        if (entry->GetTotalRanks() > 0.0)
            hero.AddSkill(entry);
        entry->Release();
    }
}

void BM_OpaqueBlit(benchmark::State& state)
{
    for (auto _ : state)
        pair->OpaqueBlit();
}

// The skills page entered from the abilities page (not measured) and painted.
void BM_EnterSkills(benchmark::State& state)
{
    for (auto _ : state)
    {
        state.PauseTiming();
        window->SelectPage(kAbilitiesPage);
        Paint();
        state.ResumeTiming();
        window->SelectPage(kSkillsPage);
        Paint();
    }
}

// The same with a skill more or less than the page showed last (changed
// while the page was away): the list is laid out anew.
void BM_EnterSkillsRebuilt(benchmark::State& state)
{
    VelCharacter* hero = VelClient::GetCurrentCharacter();
    auto* extra = new VelCharacterSkill(0xFFF0, VelCharacterSkill::kNoSubSkill);
    for (auto _ : state)
    {
        state.PauseTiming();
        window->SelectPage(kAbilitiesPage);
        Paint();
        // A skill entry of no record: a row of its own, alternately there.
        if (hero->FindSkill(0xFFF0, VelCharacterSkill::kNoSubSkill))
            hero->RemoveSkill(extra);
        else
        {
            extra->SetRanks(static_cast<std::int16_t>(kWarrior), VelCharacterSkill::kClassRanks, 1.0f);
            hero->AddSkill(extra);
        }
        state.ResumeTiming();
        window->SelectPage(kSkillsPage);
        Paint();
    }
    if (hero->FindSkill(0xFFF0, VelCharacterSkill::kNoSubSkill))
        hero->RemoveSkill(extra);
    extra->Release();
}

// The first general feat pressed, moved and let go over the chosen list;
// given back between the drags (not measured).
void BM_DragFeat(benchmark::State& state)
{
    window->SelectPage(kFeatsPage);
    Paint();
    auto* page = dynamic_cast<Vel_UIFeats*>(window->GetCurrentPage());
    VelCharacter* hero = VelClient::GetCurrentCharacter();
    if (!page || !page->GetAvailableList() || !page->GetChosenList() || !hero)
    {
        state.SkipWithError("no feats page");
        return;
    }
    const UIControl* row = page->GetAvailableList()->ItemAt(0, 0);
    const auto* feat = dynamic_cast<const Vel_UIItem*>(row);
    if (!feat)
    {
        state.SkipWithError("no feat to take");
        return;
    }
    const auto featId = static_cast<std::uint16_t>(feat->key);
    const FCPoint from = Centre(row);
    const FCPoint to = Centre(page->GetChosenList());
    for (auto _ : state)
    {
        Pointer(UIMessage::kMouseDown, from);
        Pointer(UIMessage::kMouseMove, FCPoint(from.x - 20, from.y));
        Pointer(UIMessage::kMouseMove, to);
        Pointer(UIMessage::kMouseUp, to);

        std::uint32_t tick = 0;
        manager->HandleMessage(UIMessage::kUpdate, &tick);
        Paint();
        state.PauseTiming();
        VelCharacterFeat* taken = hero->FindFeat(featId, VelCharacterFeat::kNoChoice, -1);
        if (!taken)
        {
            state.SkipWithError("the feat was not taken");
            break;
        }
        RemoveFeat(hero, taken);
        hero->changeMask |= VelCharacter::kChangedFeats;
        hero->NotifyChanged();
        page->FillChosenLists();
        Paint();
        state.ResumeTiming();
    }
}

// The abilities page and the feats page in turn, each shown and painted.
void BM_SwitchPages(benchmark::State& state)
{
    std::int16_t next = kFeatsPage;
    for (auto _ : state)
    {
        window->SelectPage(next);
        Paint();
        next = next == kAbilitiesPage ? kFeatsPage : kAbilitiesPage;
    }
}

// STR typed as 14 and 15 in turn.
void BM_AbilityChange(benchmark::State& state)
{
    auto* strength =
        dynamic_cast<UINumberScroll*>(window->FindDescendant(Vel_UIWin_CharConfig::kFirstAbilitySpinner));
    if (!strength)
    {
        state.SkipWithError("no STR spinner");
        return;
    }
    std::int32_t score = 14;
    for (auto _ : state)
    {
        strength->GetValueField()->SetLong(score);
        Paint();
        score = score == 14 ? 15 : 14;
    }
}

BENCHMARK(BM_OpaqueBlit);
BENCHMARK(BM_EnterSkills);
BENCHMARK(BM_EnterSkillsRebuilt);
BENCHMARK(BM_DragFeat);
BENCHMARK(BM_SwitchPages);
BENCHMARK(BM_AbilityChange);
} // namespace

int main(int argc, char** argv)
{
    FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    RatioReporter::Initialize(argc, argv);
    {
        BlitBaseline::ScreenPair screens;
        pair = &screens;
        BenchDisplay memory;
        display = &memory;
        PageBenchWorld world(argv[0]);
        if (!world.IsLoaded())
            return 1;
        VelCharacter* hero = VelClient::CreateCharacter();
        for (std::uint16_t classId : {kWarrior, kScholar})
            hero->AddClass(classId)->level = 10;
        FinishCharacterSetup(hero, true);
        hero->SetValue(VelCharacter::kValueIncreasesToAssign, 0);
        // Feats never run out while the drag is measured.
        hero->SetValue(VelCharacter::kValueFeatsAllowed, 99);
        GiveEverySkill(*hero);
        VelClient::SetCurrentCharacter(hero);
        hero->Release();

        UIWindowManager windows;
        manager = &windows;
        window = dynamic_cast<Vel_UIWin_CharConfig*>(windows.SwitchTo("velCharConfig.ui", 0));
        std::uint32_t tick = 0;
        windows.HandleMessage(UIMessage::kUpdate, &tick);
        if (!window || !window->GetCurrentPage())
        {
            std::printf("the character window did not open\n");
            return 1;
        }
        FCDisplayPageStack::GetCurrent()->Add(FCRect(0, 0, 800, 600));
        Paint();

        RatioReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        const double baseline = reporter.TimeOf("BM_OpaqueBlit");
        RatioReporter::PrintRatio("entering the skills page (two classes, level 20, every skill) / opaque blit",
                                  reporter.TimeOf("BM_EnterSkills"), baseline, 4.0);
        RatioReporter::PrintRatio("entering it with one skill more or less / opaque blit",
                                  reporter.TimeOf("BM_EnterSkillsRebuilt"), baseline, 4.0);
        RatioReporter::PrintRatio("one feat dragged onto the chosen feats and repainted / opaque blit",
                                  reporter.TimeOf("BM_DragFeat"), baseline, 4.0);
        RatioReporter::PrintRatio("page switch and repaint / opaque blit",
                                  reporter.TimeOf("BM_SwitchPages"), baseline, 4.0);
        RatioReporter::PrintRatio("ability change, recomputation and repaint / opaque blit",
                                  reporter.TimeOf("BM_AbilityChange"), baseline, 4.0);
        windows.CloseAll();
    }
    benchmark::Shutdown();
    FCDebugLog::SetInstance(nullptr);
    return 0;
}
