#include "Vel_ui/Vel_UISpell.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Ui/UIComboBox.h"
#include "Ui/UIGroup.h"
#include "Ui/UIMessages.h"
#include "Ui/UITextControl.h"
#include "Vel/App/VelClient.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterSpell.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelDomainInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelSchoolInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelSpellLevelInfo.h"
#include "Vel/Rules/VelCompanionRules.h"
#include "Vel/Rules/VelRulesWalk.h"
#include "Vel_ui/Vel_UIFilterSelector.h"
#include "Vel_ui/Vel_UIListBox.h"
#include "Vel_ui/Vel_UIListRefill.h"
#include "Vel_ui/Vel_UIPagePart.h"
#include "Vel_ui/Vel_UISpellItem.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"

#include <functional>
#include <string>

FC_REGISTER_CLASS(Vel_UISpell);

namespace
{
namespace Part = Vel_UIPagePart;

constexpr std::int16_t kSpellLevels = 10;
constexpr std::int32_t kHighestCoin = 2;
// Where the spells per day sit under the known list, or under the filters
// when there is no known list.
constexpr std::int32_t kPerDayBelowKnown = 338;
constexpr std::int32_t kPerDayBelowFilters = 90;

// Help texts by class; the page's own id for every other class.
constexpr std::uint16_t kSpellBookHelp = 9501;
constexpr std::uint16_t kInnateHelp = 9502;
constexpr std::uint16_t kDivineHelp = 9503;

// What a rule answers for a spell its list leaves out.
constexpr std::int16_t kNotListed = -1;

bool IsSpellLevel(std::int32_t level)
{
    return level >= 0 && level < kSpellLevels;
}

// Spells the class may still choose under a slot level; negative when more
// were chosen than the level allows.
std::int32_t FreeSlots(const VelCharacterClass& entry, std::int16_t slot)
{
    if (!IsSpellLevel(slot))
        return 0;
    const auto at = static_cast<std::size_t>(slot);
    return static_cast<std::int32_t>(entry.spellsKnown[at]) - static_cast<std::int32_t>(entry.spellsChosen[at]);
}

bool CastsAtLevel(const VelCharacterClass& entry, std::int32_t level)
{
    return IsSpellLevel(level) && entry.spellsPerDay[static_cast<std::size_t>(level)] > 0;
}

std::uint16_t HelpIdFor(std::uint16_t classId)
{
    switch (classId)
    {
    case VelIds::kClassPriest:
    case VelIds::kClassNaturePriest:
    case VelIds::kClassHolyKnight:
        return kDivineHelp;
    case VelIds::kClassInnateCaster:
        return kInnateHelp;
    case VelIds::kClassScholarCaster:
        return kSpellBookHelp;
    default:
        return Vel_UISpell::kScreenId;
    }
}

template <class T, class Fn> void EachRecord(std::uint16_t tag, Fn&& fn)
{
    if (const FCObjectMap* table = VelDatabase::GetMap(tag))
        VelRulesWalk::Each<T>(*table, [&](T& record) {
            fn(record);
            return false;
        });
}

template <class Fn> void EachRow(Vel_UIListBox* list, Fn&& fn)
{
    if (!list)
        return;
    UIControl* item = nullptr;
    UIListBox::ItemCursor cursor;
    list->BeginIteration(cursor);
    while (list->NextItem(item, cursor))
        if (auto* row = dynamic_cast<Vel_UISpellItem*>(item))
            fn(*row);
}

// The first parameter of a change the page itself made.
constexpr std::uintptr_t kProgramChange = 1;
} // namespace

Vel_UISpell::Vel_UISpell() = default;

Vel_UISpell::Vel_UISpell(const Vel_UISpell& other)
    : Vel_UIPanel(other), mode(other.mode), schoolFilter(other.schoolFilter), domain(other.domain),
      levelFilter(other.levelFilter), currentTab(other.currentTab), classId(other.classId),
      keepsKnown(other.keepsKnown), casts(other.casts), rowPrototype(other.rowPrototype)
{
    BindChildren(false);
    currentList = other.currentList == other.classList ? classList : knownClassList;
}

Vel_UISpell::~Vel_UISpell() = default;

std::string Vel_UISpell::GetClassName() const { return "Vel_UISpell"; }
std::string Vel_UISpell::GetTypeName() const { return "Vel_UISpell"; }
FCObject* Vel_UISpell::Clone() const { return new Vel_UISpell(*this); }
FCObject* Vel_UISpell::CreateNew() const { return new Vel_UISpell(); }

bool Vel_UISpell::Load(FCFile& file)
{
    if (!Vel_UIPanel::Load(file))
        return false;
    BindChildren(true);
    Part::Show(classList, false);
    currentList = knownClassList;
    for (UITextControl* tab : tabs)
        if (tab)
            tab->SetChangeMode(kOnRelease);
    if (purchaseTab)
        purchaseTab->SetChangeMode(kOnRelease);
    return true;
}

void Vel_UISpell::BindChildren(bool log)
{
    modeCaption = FindChildAs<UIControl>(kModeCaption, log);
    modeCombo = FindChildAs<UIComboBox>(kModeCombo, log);
    perDayGroup = FindChildAs<UIControl>(kPerDayGroup, log);
    for (std::size_t i = 0; i < perDayCells.size(); ++i)
        perDayCells[i] = FindChildAs<UITextControl>(static_cast<std::uint16_t>(kFirstPerDayCell + i), log);
    knownList = FindChildAs<Vel_UIListBox>(kKnownList, log);
    tabGroup = FindChildAs<UIGroup>(kTabGroup, log);
    for (std::size_t i = 0; i < tabs.size(); ++i)
        tabs[i] = FindChildAs<UITextControl>(static_cast<std::uint16_t>(kFirstTab + i), log);
    purchaseTab = FindChildAs<UITextControl>(kPurchaseTab, log);
    firstTabCaption = FindChildAs<UIControl>(kFirstTabCaption, log);
    purchaseTabCaption = FindChildAs<UIControl>(kPurchaseTabCaption, log);
    knownCaption = FindChildAs<UIControl>(kKnownCaption, log);
    tabCaption = FindChildAs<UIControl>(kTabCaption, log);
    filterCombo = FindChildAs<UIComboBox>(kFilterCombo, log);
    filterCaption = FindChildAs<UIControl>(kFilterCaption, log);
    levelCaption = FindChildAs<UIControl>(kLevelCaption, log);
    levelCombo = FindChildAs<UIComboBox>(kLevelCombo, log);
    knownClassList = FindChildAs<Vel_UIListBox>(kKnownClassList, log);
    classList = FindChildAs<Vel_UIListBox>(kClassList, log);
}

VelCharacter* Vel_UISpell::Character() const
{
    return VelClient::GetCurrentCharacter();
}

VelCharacterClass* Vel_UISpell::CurrentEntry() const
{
    const VelCharacter* character = Character();
    return character ? character->FindClass(character->currentClassId) : nullptr;
}

bool Vel_UISpell::IsDomainMode() const
{
    return classId == VelIds::kClassPriest && mode == 1;
}

void Vel_UISpell::EnterPage()
{
    // The window's shared button has no use on this page.
    Vel_UIWin_CharConfig::ShowButton(false);
    Refresh();
    FillModeCombo();
    FillFilterCombo();
    FillLevelCombo();
}

void Vel_UISpell::Refresh()
{
    const VelCharacter* character = Character();
    classId = character ? character->currentClassId : VelIds::kNone;
    const std::uint16_t helpId = HelpIdFor(classId);
    if (helpId != Vel_UIWin_CharConfig::GetHelpId())
    {
        Vel_UIWin_CharConfig::SetHelpId(helpId);
        Vel_UIWin_CharConfig::RestoreHelpText();
    }
    VelCharacterClass* entry = CurrentEntry();
    if (!SetUpForClass(entry))
        return;
    ShowSpellsPerDay(*character, *entry);
    if (keepsKnown)
        FillKnownList(*character);
    UpdateMarks(true);
}

bool Vel_UISpell::SetUpForClass(const VelCharacterClass* entry)
{
    keepsKnown = classId == VelIds::kClassMinstrel || classId == VelIds::kClassInnateCaster ||
                 classId == VelIds::kClassScholarCaster;
    casts = entry && ClassCastsSpells(entry);
    if (!casts)
    {
        for (UIControl* control :
             {perDayGroup, knownCaption, static_cast<UIControl*>(knownList), tabGroup, tabCaption,
              purchaseTabCaption, firstTabCaption, static_cast<UIControl*>(modeCombo),
              static_cast<UIControl*>(filterCombo), static_cast<UIControl*>(levelCombo), modeCaption,
              filterCaption, levelCaption, static_cast<UIControl*>(currentList)})
            Part::Show(control, false);
        if (knownList)
            knownList->RemoveAllItems();
        if (currentList)
            currentList->RemoveAllItems();
        return false;
    }
    const bool spellBook = classId == VelIds::kClassScholarCaster;
    Part::Show(filterCombo, true);
    Part::Show(filterCaption, true);
    Part::Show(levelCombo, !spellBook);
    Part::Show(levelCaption, !spellBook);
    if (classId == VelIds::kClassPriest)
    {
        Part::Show(modeCombo, true);
        Part::Show(modeCaption, true);
        Part::Show(filterCaption, false);
        // The combo may still show the list another class fell back from.
        Part::SelectByData(modeCombo, static_cast<std::uint32_t>(mode));
    }
    else
    {
        Part::Show(modeCombo, false);
        Part::Show(modeCaption, false);
        if (mode == 1)
        {
            mode = 0;
            FillFilterCombo();
        }
    }
    Part::Show(tabGroup, keepsKnown);
    Part::Show(tabCaption, keepsKnown);
    if (tabGroup)
        tabGroup->SetEnabled(spellBook ? 1 : 0);
    Part::Show(purchaseTabCaption, keepsKnown);
    Part::Show(firstTabCaption, keepsKnown);
    if (keepsKnown)
    {
        MakeCurrentList(knownClassList);
        Part::Show(knownList, true);
        Part::Show(knownCaption, true);
        if (perDayGroup)
            perDayGroup->SetPositionXY(0, kPerDayBelowKnown);
    }
    else
    {
        MakeCurrentList(classList);
        if (knownList)
            knownList->RemoveAllItems();
        Part::Show(knownList, false);
        Part::Show(knownCaption, false);
        if (perDayGroup)
            perDayGroup->SetPositionXY(0, kPerDayBelowFilters);
    }
    return true;
}

void Vel_UISpell::MakeCurrentList(Vel_UIListBox* list)
{
    if (list == currentList)
    {
        Part::Show(list, true);
        return;
    }
    if (currentList)
    {
        currentList->RemoveAllItems();
        Part::Show(currentList, false);
    }
    currentList = list;
    Part::Show(list, true);
}

void Vel_UISpell::FillModeCombo()
{
    Vel_UIFilterSelector::Fill(modeCombo, kSchoolModeText, 0, 1, mode);
}

void Vel_UISpell::FillFilterCombo()
{
    Part::ClearCombo(filterCombo);
    if (mode == 0)
    {
        Part::AddEntry(filterCombo, Part::TextOf(kAllText), static_cast<std::uint32_t>(-1));
        EachRecord<VelSchoolInfo>(VelDatabase::kTagSchool, [&](const VelSchoolInfo& school) {
            Part::AddEntry(filterCombo, school.name, static_cast<std::uint32_t>(school.key));
        });
        Part::SelectByData(filterCombo, static_cast<std::uint32_t>(schoolFilter));
        return;
    }
    const VelCharacter* character = Character();
    const bool hasDomain = character && character->HasAnyDomain();
    EachRecord<VelDomainInfo>(VelDatabase::kTagDomain, [&](const VelDomainInfo& record) {
        UIControl* entry = Part::AddEntry(filterCombo, record.name, static_cast<std::uint32_t>(record.key));
        if (hasDomain && !character->HasDomain(static_cast<std::uint16_t>(record.key)))
            Part::SetEntryVariant(entry, 1);
    });
    Part::SelectByData(filterCombo, static_cast<std::uint32_t>(domain));
}

void Vel_UISpell::FillLevelCombo()
{
    Part::ClearCombo(levelCombo);
    Part::AddEntry(levelCombo, Part::TextOf(kAllText), static_cast<std::uint32_t>(-1));
    for (std::int16_t level = 0; level < kSpellLevels; ++level)
        Part::AddEntry(levelCombo, std::to_string(level), static_cast<std::uint32_t>(level));
    Part::SelectByData(levelCombo, static_cast<std::uint32_t>(levelFilter));
}

void Vel_UISpell::ShowSpellsPerDay(const VelCharacter& character, const VelCharacterClass& entry)
{
    const bool domainBonus = classId == VelIds::kClassPriest && character.HasAnyDomain();
    const bool schoolBonus =
        classId == VelIds::kClassScholarCaster && Part::SchoolInSlot(character, VelCharacter::kSpecialtySlot);
    for (std::int16_t level = 0; level < kSpellLevels; ++level)
    {
        const std::int16_t perDay = entry.spellsPerDay[static_cast<std::size_t>(level)];
        std::string text = "-";
        if (perDay >= 0)
        {
            text = std::to_string(perDay);
            if ((domainBonus && level > 0) || schoolBonus)
                text += "+1";
        }
        Part::SetText(perDayCells[static_cast<std::size_t>(level)], text);
    }
    Part::Show(perDayGroup, true);
}

Vel_UISpellItem* Vel_UISpell::MakeRow(const VelSpellInfo& spell, std::int16_t level)
{
    if (!rowPrototype)
    {
        Vel_UIItem* loaded = Vel_UIItem::CreateFromLayout(kRowLayout);
        rowPrototype = FCCountedRef<Vel_UISpellItem>::Adopt(dynamic_cast<Vel_UISpellItem*>(loaded));
        if (loaded && !rowPrototype)
        {
            FC_LOG("%s holds no spell row\n", kRowLayout);
            loaded->Release();
        }
    }
    Vel_UISpellItem* row = Part::CloneRow(
        rowPrototype.Get(), spell.GetDisplayName() + " (" + std::to_string(level) + ")");
    if (!row)
        return nullptr;
    row->spellId = spell.key;
    row->level = level;
    row->SetInputFlags(static_cast<std::uint16_t>(row->GetInputFlags() | kReportEnterLeave));
    row->key = reinterpret_cast<std::intptr_t>(&spell);
    return row;
}

void Vel_UISpell::FillKnownList(const VelCharacter& character)
{
    if (!knownList)
        return;
    Part::Show(knownList, true);
    const Vel_UIListRefill quiet(knownList);
    knownList->RemoveAllItems();
    knownList->SetDragFlags(
        static_cast<std::uint16_t>(knownList->GetDragFlags() | kDropTarget | kHideDraggedChild |
                                   kRemoveOnDropOutside | kDragContainer));
    VelRulesWalk::Each<VelCharacterSpell>(character.spells, [&](const VelCharacterSpell& held) {
        if (held.classId != classId)
            return false;
        const VelSpellInfo* spell = VelDatabase::FindSpell(held.spellId);
        if (!spell)
        {
            FC_LOG("Spell %u of class %u is not in the database\n", static_cast<unsigned>(held.spellId),
                   static_cast<unsigned>(held.classId));
            return false;
        }
        Vel_UISpellItem* row = MakeRow(*spell, held.thirdKey);
        if (!row)
            return true;
        row->slot = held.spellLevel;
        knownList->AddRow(row, 0, false);
        if (held.extra & VelCharacterSpell::kFixed)
            row->SetDraggable(false);
        return false;
    });
    knownList->SortItems(Vel_UISpellItem::IsLessByLevelAndName);
    knownList->UpdateLayout();
}

void Vel_UISpell::FillClassSpellList(bool keepPlace)
{
    const VelCharacter* character = Character();
    const VelCharacterClass* entry = CurrentEntry();
    if (!currentList)
        return;
    Part::Show(currentList, casts);
    const Vel_UIListRefill quiet(currentList);
    const Vel_UIListKeepPlace keep(keepPlace ? currentList : nullptr);
    currentList->RemoveAllItems();
    if (!casts || !character || !entry)
        return;
    const bool domainMode = IsDomainMode();
    const std::uint16_t dragFlags = currentList->GetDragFlags();
    currentList->SetDragFlags(keepsKnown && !domainMode ? static_cast<std::uint16_t>(dragFlags | kDragContainer)
                                                        : static_cast<std::uint16_t>(dragFlags & ~kDragContainer));
    if (domainMode)
        ListSpells([&](const VelSpellInfo& spell) -> std::int16_t {
            const VelSpellLevelInfo* row = VelDatabase::FindDomainSpellLevel(static_cast<std::uint16_t>(spell.key),
                                                                             static_cast<std::uint16_t>(domain));
            return row ? static_cast<std::int16_t>(row->level) : kNotListed;
        });
    else
        ListSpells([&](const VelSpellInfo& spell) { return ClassLevelOf(*entry, spell); });
    currentList->SortItems(Vel_UISpellItem::IsLessByLevelAndName);
    currentList->UpdateLayout();
    MarkClassSpellRows();
}

std::int16_t Vel_UISpell::ClassLevelOf(const VelCharacterClass& entry, const VelSpellInfo& spell) const
{
    if (schoolFilter != -1 && static_cast<std::int16_t>(spell.schoolId) != schoolFilter)
        return kNotListed;
    const bool spellBook = classId == VelIds::kClassScholarCaster;
    const auto spellId = static_cast<std::uint16_t>(spell.key);
    // The spell book takes the innate caster's spell levels where it has none of its own.
    const VelSpellLevelInfo* row =
        VelDatabase::FindClassSpellLevel(spellId, spellBook ? VelIds::kClassInnateCaster : classId);
    if (!row && spellBook)
        row = VelDatabase::FindClassSpellLevel(spellId, classId);
    if (!row)
        return kNotListed;
    const auto level = static_cast<std::int16_t>(row->level);
    if (!spellBook)
        return level;
    if (level <= 0 || (IsSpellLevel(currentTab) ? level > currentTab : !CastsAtLevel(entry, level)))
        return kNotListed;
    return level;
}

void Vel_UISpell::ListSpells(const std::function<std::int16_t(const VelSpellInfo&)>& levelOf)
{
    // The spell book's tabs filter its levels; the level filter does the rest.
    const bool filtered = classId != VelIds::kClassScholarCaster || IsDomainMode();
    EachRecord<VelSpellInfo>(VelDatabase::kTagSpell, [&](const VelSpellInfo& spell) {
        const std::int16_t level = levelOf(spell);
        if (level == kNotListed || (filtered && levelFilter != -1 && level != levelFilter))
            return;
        if (Vel_UISpellItem* made = MakeRow(spell, level))
            currentList->AddRow(made, 0, false);
    });
}

bool Vel_UISpell::IsAvailable(const VelCharacter& character, const VelCharacterClass& entry,
                              const VelSpellInfo& spell, std::int16_t level) const
{
    if (!keepsKnown || character.HasSpell(static_cast<std::uint16_t>(spell.key), classId))
        return false;
    if (classId != VelIds::kClassScholarCaster)
        return FreeSlots(entry, level) > 0;
    if (Part::IsProhibited(character, static_cast<std::int16_t>(spell.schoolId)))
        return false;
    if (IsSpellLevel(currentTab))
        return level <= currentTab && FreeSlots(entry, currentTab) > 0;
    return CastsAtLevel(entry, level) && character.money.coins[kHighestCoin] >= kPricePerLevel * level;
}

void Vel_UISpell::MarkClassSpellRows()
{
    const VelCharacter* character = Character();
    const VelCharacterClass* entry = CurrentEntry();
    if (!casts || !character || !entry)
        return;
    const Vel_UIListRefill quiet(currentList);
    const bool domainMode = IsDomainMode();
    const bool holdsDomain = character->HasDomain(static_cast<std::uint16_t>(domain));
    EachRow(currentList, [&](Vel_UISpellItem& row) {
        if (domainMode || !keepsKnown)
        {
            row.SetDraggable(false);
            const bool castable = CastsAtLevel(*entry, row.level) && (!domainMode || holdsDomain);
            row.SetFontVariant(castable ? 0 : 1);
            return;
        }
        const VelSpellInfo* spell = VelDatabase::FindSpell(static_cast<std::uint16_t>(row.spellId));
        row.SetTakeable(spell && IsAvailable(*character, *entry, *spell, row.level));
    });
}

void Vel_UISpell::MarkKnownRows(const VelCharacter& character, const VelCharacterClass& entry)
{
    const Vel_UIListRefill quiet(knownList);
    EachRow(knownList, [&](Vel_UISpellItem& row) {
        const VelSpellInfo* spell = VelDatabase::FindSpell(static_cast<std::uint16_t>(row.spellId));
        const bool givenUp = classId == VelIds::kClassScholarCaster && row.level > 0 && spell &&
                             Part::IsProhibited(character, static_cast<std::int16_t>(spell->schoolId));
        const bool overChosen = IsSpellLevel(row.slot) && FreeSlots(entry, row.slot) < 0;
        row.SetFontVariant(givenUp || overChosen ? 2 : 0);
    });
}

bool Vel_UISpell::ShowSlotTabs(const VelCharacter& character, const VelCharacterClass& entry)
{
    Part::Show(tabGroup, true);
    Part::Show(tabCaption, true);
    std::array<bool, kSpellLevels> usable{};
    for (std::int16_t slot = 0; slot < kSpellLevels; ++slot)
    {
        const std::int32_t free = FreeSlots(entry, slot);
        usable[static_cast<std::size_t>(slot)] = entry.spellsKnown[static_cast<std::size_t>(slot)] != 0 || free != 0;
        UITextControl* tab = tabs[static_cast<std::size_t>(slot)];
        if (!tab)
            continue;
        Part::SetText(tab, usable[static_cast<std::size_t>(slot)] ? std::to_string(free) : "-");
        tab->SetEnabled(usable[static_cast<std::size_t>(slot)] ? 1 : 0);
    }
    const bool spellBook = classId == VelIds::kClassScholarCaster;
    Part::Show(purchaseTab, spellBook);
    Part::Show(purchaseTabCaption, spellBook);
    Part::Show(tabs[0], !spellBook);
    Part::Show(firstTabCaption, !spellBook);
    if (!spellBook)
    {
        Part::SetText(purchaseTab, "-");
        if (auto* group = dynamic_cast<UIGroup*>(tabGroup))
            group->DeselectAll();
        return false;
    }
    Part::SetText(purchaseTab, std::to_string(character.money.coins[kHighestCoin]));
    bool moved = false;
    // The spell book has no level-0 slots to fill: its first tab is hidden.
    if (IsSpellLevel(currentTab) && (currentTab == 0 || !usable[static_cast<std::size_t>(currentTab)]))
    {
        std::int16_t lowest = kPurchaseSlot;
        for (std::int16_t slot = 1; slot < kSpellLevels && lowest == kPurchaseSlot; ++slot)
            if (usable[static_cast<std::size_t>(slot)])
                lowest = slot;
        currentTab = lowest;
        moved = true;
    }
    Part::SelectMember(tabGroup, IsSpellLevel(currentTab) ? static_cast<std::uint16_t>(kFirstTab + currentTab)
                                                           : kPurchaseTab);
    return moved;
}

void Vel_UISpell::UpdateMarks(bool refill, bool keepPlace)
{
    const VelCharacter* character = Character();
    const VelCharacterClass* entry = CurrentEntry();
    if (!casts || !character || !entry)
        return;
    bool moved = false;
    if (keepsKnown)
    {
        MarkKnownRows(*character, *entry);
        moved = ShowSlotTabs(*character, *entry);
    }
    // Another tab lists other spells: they start at the top.
    if (refill || moved)
        FillClassSpellList(keepPlace && !moved);
    else
        MarkClassSpellRows();
}

void Vel_UISpell::OnCharacterChanged(VelCharacter* character)
{
    VelCharacterClass* entry = CurrentEntry();
    if (!character || !(character->changeMask & VelCharacter::kChangedSpells) || !casts || !entry)
        return;
    ShowSpellsPerDay(*character, *entry);
    UpdateMarks(true, true);
}

void Vel_UISpell::AddSpell(const Vel_UISpellItem& dropped)
{
    VelCharacter* character = Character();
    VelCharacterClass* entry = CurrentEntry();
    if (!character || !entry || !keepsKnown || !casts || !knownList)
        return;
    const auto spellId = static_cast<std::uint16_t>(dropped.spellId);
    const VelSpellInfo* spell = VelDatabase::FindSpell(spellId);
    // Held already, or no longer allowed (the money may have gone meanwhile).
    if (!spell || !IsAvailable(*character, *entry, *spell, dropped.level))
        return;
    const std::int16_t slot = classId == VelIds::kClassScholarCaster ? currentTab : dropped.level;
    const std::int32_t price = kPricePerLevel * dropped.level;
    if (slot == kPurchaseSlot && !character->CanAfford(price, kHighestCoin))
        return;
    auto* held = new VelCharacterSpell(spellId, classId);
    held->thirdKey = dropped.level;
    held->spellLevel = slot;
    const bool added = character->AddSpell(held) != FCObjectSet::kRefused;
    held->Release();
    if (!added)
        return;
    if (Vel_UISpellItem* row = MakeRow(*spell, dropped.level))
    {
        row->slot = slot;
        knownList->AddRow(row, 0, false);
        knownList->SortItems(Vel_UISpellItem::IsLessByLevelAndName);
        knownList->UpdateLayout();
        knownList->ScrollToItem(row);
    }
    if (IsSpellLevel(slot))
        ++entry->spellsChosen[static_cast<std::size_t>(slot)];
    else if (slot == kPurchaseSlot)
        character->SpendMoney(price, kHighestCoin);
    UpdateMarks(false);
    character->changeMask |= VelCharacter::kChangedSpells;
    character->NotifyChanged();
}

void Vel_UISpell::RemoveSpell(const Vel_UISpellItem& removed)
{
    VelCharacter* character = Character();
    VelCharacterClass* entry = CurrentEntry();
    if (!character || !entry)
        return;
    VelCharacterSpell probe(static_cast<std::uint16_t>(removed.spellId), classId);
    VelCharacterSpell* held = character->FindSpell(probe);
    if (!held)
        return;
    const std::int16_t slot = held->spellLevel;
    if (IsSpellLevel(slot))
    {
        std::uint16_t& chosen = entry->spellsChosen[static_cast<std::size_t>(slot)];
        if (chosen > 0)
            --chosen;
    }
    else if (slot == kPurchaseSlot)
        character->AddMoney(kPricePerLevel * held->thirdKey, kHighestCoin);
    character->RemoveSpell(held);
    UpdateMarks(false);
    character->changeMask |= VelCharacter::kChangedSpells;
    character->NotifyChanged();
}

void Vel_UISpell::OnChoice(const UIEvent& event)
{
    UIControl* sender = event.sender;
    std::int32_t value = 0;
    if (Vel_UIFilterSelector::UserChoice(modeCombo, event, value))
    {
        mode = value == 1 ? 1 : 0;
        FillFilterCombo();
    }
    else if (Vel_UIFilterSelector::UserChoice(filterCombo, event, value))
        (mode == 0 ? schoolFilter : domain) = static_cast<std::int16_t>(value);
    else if (Vel_UIFilterSelector::UserChoice(levelCombo, event, value))
        levelFilter = static_cast<std::int16_t>(value);
    else if (event.param1 == kProgramChange)
        return;
    else if (sender == purchaseTab)
    {
        if (currentTab == kPurchaseSlot)
            return;
        currentTab = kPurchaseSlot;
    }
    else
    {
        std::int16_t slot = 0;
        while (slot < kSpellLevels && tabs[static_cast<std::size_t>(slot)] != sender)
            ++slot;
        if (slot == kSpellLevels || slot == currentTab)
            return;
        currentTab = slot;
    }
    FillClassSpellList();
}

bool Vel_UISpell::HandleNotify(UIEvent& event)
{
    if (!event.sender)
        return false;
    switch (event.type)
    {
    case UIMessage::kChanged:
        OnChoice(event);
        break;
    case UIMessage::kDroppedOnto:
        if (event.sender == knownList && knownList)
            if (const auto* row = dynamic_cast<const Vel_UISpellItem*>(reinterpret_cast<UIControl*>(event.param1)))
                AddSpell(*row);
        break;
    case UIMessage::kChildDraggedOut:
        if (event.sender == knownList && knownList)
            if (const auto* row = dynamic_cast<const Vel_UISpellItem*>(reinterpret_cast<UIControl*>(event.param1)))
                RemoveSpell(*row);
        break;
    default:
        break;
    }
    return Vel_UIPanel::HandleNotify(event);
}

bool Vel_UISpell::OnMouseOverEnter(UIControl* control)
{
    if (const auto* row = dynamic_cast<const Vel_UISpellItem*>(control))
        if (const VelSpellInfo* spell = VelDatabase::FindSpell(static_cast<std::uint16_t>(row->spellId)))
            Vel_UIWin_CharConfig::ShowHelpText(spell->description);
    return false;
}

bool Vel_UISpell::OnMouseOverLeave(UIControl* control)
{
    if (dynamic_cast<const Vel_UISpellItem*>(control))
        Vel_UIWin_CharConfig::RestoreHelpText();
    return false;
}
