#include "Vel_ui/Vel_UIWin_CharSetup.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCObjectMap.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIComboBox.h"
#include "Ui/UIDisplayObject.h"
#include "Ui/UIGroup.h"
#include "Ui/UIImageControl.h"
#include "Ui/UIMessages.h"
#include "Ui/UINumberScroll.h"
#include "Ui/UITextControl.h"
#include "Vel/App/VelClient.h"
#include "Vel/App/VelSettings.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Db/VelAlignmentInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Rules/VelCompanionRules.h"
#include "Vel/Rules/VelFormatRules.h"
#include "Vel/Rules/VelSetupRules.h"
#include "Vel/Rules/VelSpellRules.h"
#include "Vel_ui/Vel_UIItem.h"
#include "Vel_ui/Vel_UIListBox.h"

#include <algorithm>
#include <cmath>

FC_REGISTER_CLASS(Vel_UIWin_CharSetup);

namespace
{
constexpr std::uint16_t kDefaultAlignment = 9;
// The alignment selector sits under the class rows.
constexpr std::int32_t kAlignmentTop = 103;
constexpr std::int32_t kClassRowHeight = 32;
constexpr std::int16_t kFormerVariant = 2;
constexpr std::int16_t kBarredVariant = 1;

// Calls fn(key, record) for every record of a map table, in key order.
template <class T, class Fn> void ForEachInMap(std::uint16_t tag, Fn&& fn)
{
    FCObjectMap* map = VelDatabase::GetMap(tag);
    if (!map)
        return;
    FCObjectMap::Cursor walk = map->First();
    std::int16_t key = 0;
    FCObject* object = nullptr;
    while (map->GetNext(key, object, &walk))
        if (const auto* record = dynamic_cast<const T*>(object))
            fn(key, *record);
}

Vel_UIItem* SelectorItem(const UIComboBox* selector)
{
    if (!selector)
        return nullptr;
    auto* prototype = dynamic_cast<Vel_UIItem*>(selector->GetItemTemplate());
    if (!prototype)
    {
        FC_LOG("Selector %u has no row template\n", selector->GetId());
        return nullptr;
    }
    return static_cast<Vel_UIItem*>(prototype->Clone());
}

} // namespace

Vel_UIWin_CharSetup::Vel_UIWin_CharSetup() = default;

Vel_UIWin_CharSetup::Vel_UIWin_CharSetup(const Vel_UIWin_CharSetup& other)
    : UIWindow(other), defaultHelpId(other.defaultHelpId), mode(other.mode),
      classRowPrototype(other.classRowPrototype), levelRowPrototype(other.levelRowPrototype),
      enteredClasses(other.enteredClasses), enteredAlignment(other.enteredAlignment),
      enteredSex(other.enteredSex), enteredModified(other.enteredModified),
      finished(other.finished)
{
    // The class registry clones an empty prototype before every load, so a
    // missing control is reported by the load alone.
    BindChildren(false);
}

Vel_UIWin_CharSetup::~Vel_UIWin_CharSetup() = default;

std::string Vel_UIWin_CharSetup::GetClassName() const { return "Vel_UIWin_CharSetup"; }
std::string Vel_UIWin_CharSetup::GetTypeName() const { return "Vel_UIWin_CharSetup"; }
FCObject* Vel_UIWin_CharSetup::Clone() const { return new Vel_UIWin_CharSetup(*this); }
FCObject* Vel_UIWin_CharSetup::CreateNew() const { return new Vel_UIWin_CharSetup(); }

void Vel_UIWin_CharSetup::BindChildren(bool logMissing)
{
    classLevelList = FindDescendantAs<Vel_UIListBox>(kClassLevelListId, logMissing);
    classTable = FindDescendantAs<Vel_UIListBox>(kClassTableId, logMissing);
    raceSelector = FindDescendantAs<UIComboBox>(kRaceId, logMissing);
    alignmentSelector = FindDescendantAs<UIComboBox>(kAlignmentId, logMissing);
    totalLevelText = FindDescendantAs<UITextControl>(kTotalLevelId, logMissing);
    finishButton = FindDescendantAs<UIControl>(kFinishId, logMissing);
    portrait = FindDescendantAs<UIImageControl>(kPortraitId, logMissing);
    helpLine = FindDescendantAs<UITextControl>(kHelpLineId, logMissing);
}

bool Vel_UIWin_CharSetup::Load(FCFile& file)
{
    if (!UIWindow::Load(file))
        return false;
    BindChildren(true);
    if (classLevelList)
        classLevelList->SetDragFlags(static_cast<std::uint16_t>(
            classLevelList->GetDragFlags() | kDropTarget | kRemoveOnDropOutside | kDragContainer));
    if (classTable)
        classTable->SetDragFlags(
            static_cast<std::uint16_t>(classTable->GetDragFlags() | kDragContainer));
    if (finishButton)
        finishButton->SetEnabled(0);
    // Every row fits: a bar shows only if a list ever overflows.
    for (UIListBox* list : {static_cast<UIListBox*>(classLevelList), static_cast<UIListBox*>(classTable),
                            raceSelector ? raceSelector->GetList() : nullptr,
                            alignmentSelector ? alignmentSelector->GetList() : nullptr})
        if (list)
            list->SetAlwaysShowBars(0);
    // A closed selector answers the mouse only where it is drawn, not over
    // the controls its drop-down list would cover.
    for (UIComboBox* selector : {raceSelector, alignmentSelector})
        if (selector)
        {
            selector->SetInputFlags(static_cast<std::uint16_t>(selector->GetInputFlags() | kPreciseHit));
            selector->SetListClosed(1);
        }
    return true;
}

VelCharacter* Vel_UIWin_CharSetup::Character() const
{
    return VelClient::GetCurrentCharacter();
}

void Vel_UIWin_CharSetup::MarkModified()
{
    if (VelCharacter* character = Character())
        character->modified = 1;
}

Vel_UIItem* Vel_UIWin_CharSetup::MakeRow(FCCountedRef<Vel_UIItem>& prototype, const char* layout)
{
    if (!prototype)
        prototype = FCCountedRef<Vel_UIItem>::Adopt(Vel_UIItem::CreateFromLayout(layout));
    if (!prototype)
        return nullptr;
    auto* row = static_cast<Vel_UIItem*>(prototype->Clone());
    row->kind = kRowKind;
    row->SetInputFlags(static_cast<std::uint16_t>(row->GetInputFlags() | kReportEnterLeave));
    return row;
}

// --- Opening ---------------------------------------------------------------

void Vel_UIWin_CharSetup::SetMode(std::uint16_t newMode)
{
    mode = newMode;
    finished = 0;
    VelCharacter* character = Character();
    if (!character)
    {
        FC_LOG("Set-up opened without a current character\n");
        return;
    }
    if (mode == kModeAddLevels)
        TakeSnapshot();
    FillClassTable();
    FillSelectors();
    ShowChoices();
    if (mode == kModeAddLevels)
    {
        SetChildEnabled(kClearClassesId, 0);
        if (raceSelector)
        {
            // Disabled, and looking it: a grey arrow and the race in ash.
            raceSelector->SetEnabled(0);
            raceSelector->SetChildrenEnabled(0);
            if (auto* shown = dynamic_cast<Vel_UIItem*>(raceSelector->GetDisplay()))
                shown->SetFontVariant(kBarredVariant);
            raceSelector->Invalidate();
        }
        UpdateClassTable();
        UpdateAlignments();
        ShowTotalLevel();
        // The choices shown above are the character's own, not an edit.
        character->modified = enteredModified;
    }
    else
    {
        VelSettings* settings = VelSettings::GetInstance();
        if (settings && !(settings->runFlags & kHintFlag))
        {
            if (VelClient* client = VelClient::GetInstance())
                client->PlaySound(kHint);
            settings->runFlags |= kHintFlag;
        }
    }
}

void Vel_UIWin_CharSetup::FillClassTable()
{
    if (!classTable)
        return;
    classTable->RemoveAllItems();
    ForEachInMap<VelClassInfo>(VelDatabase::kTagClass,
                               [this](std::int16_t key, const VelClassInfo& record)
                               {
                                   Vel_UIItem* row = MakeRow(classRowPrototype, kClassRowLayout);
                                   if (!row)
                                       return;
                                   row->key = key;
                                   row->SetColumnText(0, record.name);
                                   classTable->AddRow(row, static_cast<std::uint16_t>(key), true);
                               });
}

void Vel_UIWin_CharSetup::FillSelectors()
{
    if (raceSelector && raceSelector->GetList())
    {
        raceSelector->GetList()->RemoveAllItems();
        ForEachInMap<VelRaceInfo>(VelDatabase::kTagRace,
                                  [this](std::int16_t key, const VelRaceInfo& record)
                                  {
                                      Vel_UIItem* item = SelectorItem(raceSelector);
                                      if (!item)
                                          return;
                                      item->key = key;
                                      item->SetColumnText(0, record.name);
                                      item->SetMouseOverMessage(
                                          static_cast<std::int16_t>(record.helpTextId));
                                      raceSelector->AddItem(item, static_cast<std::uint16_t>(key),
                                                            false);
                                  });
        raceSelector->UpdateList();
    }
    if (alignmentSelector && alignmentSelector->GetList())
    {
        UIListBox* list = alignmentSelector->GetList();
        list->RemoveAllItems();
        ForEachInMap<VelAlignmentInfo>(VelDatabase::kTagAlignment,
                                       [this](std::int16_t key, const VelAlignmentInfo& record)
                                       {
                                           Vel_UIItem* item = SelectorItem(alignmentSelector);
                                           if (!item)
                                               return;
                                           item->key = record.sortOrder;
                                           item->SetColumnText(0, record.name);
                                           item->SetMouseOverMessage(
                                               static_cast<std::int16_t>(record.helpTextId));
                                           alignmentSelector->AddItem(
                                               item, static_cast<std::uint16_t>(key), false);
                                       });
        list->SortItems(Vel_UIItem::CompareByKey);
        alignmentSelector->UpdateList();
    }
}

void Vel_UIWin_CharSetup::ShowChoices()
{
    VelCharacter* character = Character();
    if (!character)
        return;
    const std::uint16_t race = character->raceId;
    const std::uint16_t alignment = character->alignmentId;
    const std::uint16_t sex = character->sex;
    if (raceSelector && raceSelector->GetList())
        UIListBox::SelectItem(raceSelector->GetList()->FindItemByData(race), 0);
    if (alignmentSelector && alignmentSelector->GetList())
        UIListBox::SelectItem(alignmentSelector->GetList()->FindItemByData(alignment), 0);
    if (auto* group = FindDescendantAs<UIGroup>(kSexGroupId, true))
        group->SelectById(1, static_cast<std::uint16_t>(kMaleId + (sex != 0 ? 1 : 0)), 0);
    if (mode == kModeNew)
        GenerateRandomName(character);
    if (auto* name = FindDescendantAs<UITextControl>(kNameId, true))
        name->SetText(character->name);
    // A selection that was already made reports nothing: show both anyway.
    ShowPortrait();
    FillClassLevels(false);
}

// --- The class lists ---------------------------------------------------------

std::int16_t Vel_UIWin_CharSetup::MinimumLevel(const VelCharacterClass& entry) const
{
    if (mode == kModeAddLevels)
        return static_cast<std::int16_t>(std::max<int>(1, entry.startingLevel));
    return 1;
}

void Vel_UIWin_CharSetup::FillClassLevels(bool keepRows)
{
    VelCharacter* character = Character();
    if (!character || !classLevelList)
        return;
    rebuilding = 1;
    const int total = character->GetTotalLevel();
    const int remaining = std::max(0, kMaxTotalLevel - total);
    if (finishButton)
        finishButton->SetEnabled(total > 0 && !finished ? 1 : 0);
    if (!keepRows)
    {
        classLevelList->RemoveAllItems();
        for (std::uint32_t i = 0; i < character->classes.GetCount(); ++i)
        {
            const auto* entry =
                static_cast<const VelCharacterClass*>(character->classes.GetAt(static_cast<std::int32_t>(i)));
            Vel_UIItem* row = MakeRow(levelRowPrototype, kClassLevelRowLayout);
            if (!entry || !row)
                continue;
            row->key = entry->classId;
            classLevelList->AddRow(row, entry->classId, false);
        }
        classLevelList->UpdateLayout();
    }
    const std::uint32_t count = classLevelList->GetItemCount();
    for (std::uint32_t i = 0; i < count; ++i)
    {
        auto* row = dynamic_cast<Vel_UIItem*>(classLevelList->ItemAt(static_cast<std::int32_t>(i), 0));
        if (!row)
            continue;
        VelCharacterClass* entry = character->FindClass(static_cast<std::uint16_t>(row->key));
        if (!entry)
            continue;
        const bool allowed = IsAlignmentAllowedForClass(entry->classId, character->alignmentId);
        entry->formerMember = allowed ? 0 : 1;
        row->SetFontVariant(allowed ? 0 : kFormerVariant);
        row->SetColumnText(0, entry->GetName());
        row->SetScrollRange(MinimumLevel(*entry), entry->level + remaining);
        row->SetScrollValue(entry->level);
        if (UINumberScroll* scroll = row->GetNumberScroll())
            scroll->SetEnabled(allowed ? 1 : 0);
        const bool last = i + 1 == count;
        const bool removable = last && !(mode == kModeAddLevels && entry->startingLevel > 0);
        row->SetDraggable(removable);
        row->ShowRemoveMark(removable);
    }
    rebuilding = 0;
}

void Vel_UIWin_CharSetup::UpdateClassTable()
{
    VelCharacter* character = Character();
    if (!character || !classTable)
        return;
    const bool full = character->GetTotalLevel() >= kMaxTotalLevel;
    UIControl* item = nullptr;
    UIListBox::ItemCursor cursor;
    classTable->BeginIteration(cursor);
    while (classTable->NextItem(item, cursor))
    {
        auto* row = dynamic_cast<Vel_UIItem*>(item);
        if (!row)
            continue;
        const bool barred = full || character->HasClass(static_cast<std::uint16_t>(row->key));
        row->SetFontVariant(barred ? kBarredVariant : 0);
        row->SetDraggable(!barred);
    }
}

void Vel_UIWin_CharSetup::UpdateAlignments()
{
    VelCharacter* character = Character();
    if (!character || !alignmentSelector || !alignmentSelector->GetList())
        return;
    UIListBox* list = alignmentSelector->GetList();
    const std::uint16_t lastClass = character->GetLastClassId();
    const bool hasClass = character->classes.GetCount() > 0;
    UIControl* item = nullptr;
    UIListBox::ItemCursor cursor;
    list->BeginIteration(cursor);
    while (list->NextItem(item, cursor))
    {
        const auto alignment = static_cast<std::uint16_t>(list->GetItemData(item));
        const bool allowed = !hasClass || IsAlignmentAllowedForClass(lastClass, alignment);
        if (auto* row = dynamic_cast<Vel_UIItem*>(item))
            row->SetFontVariant(allowed ? 0 : kBarredVariant);
        item->SetEnabled(allowed ? 1 : 0);
    }
    if (!hasClass || !IsAlignmentAllowedForClass(lastClass, character->alignmentId))
        ChooseDefaultAlignment();
    // With no class the selector takes the first row's place, under the
    // list's hint to drag one there.
    const std::uint32_t rows = classLevelList ? classLevelList->GetItemCount() : 0;
    PlaceAlignmentSelector(kAlignmentTop +
                           kClassRowHeight * static_cast<std::int32_t>(std::max(rows, 1u)));
}

void Vel_UIWin_CharSetup::PlaceAlignmentSelector(std::int32_t lineY)
{
    UIListBox* list = alignmentSelector->GetList();
    UIControl* line = alignmentSelector->GetDisplay();
    // Under many class rows the open list would run off the window, out of
    // the mouse's reach: there it opens above the selector's line. A control
    // takes clicks only inside itself, so the whole selector moves up and
    // its line and label move down within it.
    const std::int32_t listHeight = list->GetHeight();
    const bool above = lineY + alignmentSelector->GetHeight() > GetHeight();
    const bool wasAbove = line && list->GetStoredPosition().y < line->GetStoredPosition().y;
    if (line && above != wasAbove)
    {
        const std::int32_t shift = above ? listHeight : -listHeight;
        const auto move = [shift](UIObject* part)
        {
            const FCPoint at = part->GetStoredPosition();
            part->SetPositionXY(at.x, at.y + shift);
        };
        for (std::uint32_t i = 0; i < alignmentSelector->GetChildCount(); ++i)
            if (UIControl* part = alignmentSelector->GetChildAt(i); part != list)
                move(part);
        for (std::uint32_t i = 0; i < alignmentSelector->GetDisplayObjectCount(); ++i)
            move(alignmentSelector->GetDisplayObjectAt(i));
        list->SetPositionXY(list->GetStoredPosition().x,
                            above ? 0 : alignmentSelector->GetHeight() - listHeight);
    }
    alignmentSelector->SetPositionXY(alignmentSelector->GetStoredPosition().x,
                                     above ? lineY - listHeight : lineY);
}

void Vel_UIWin_CharSetup::ChooseDefaultAlignment()
{
    VelCharacter* character = Character();
    UIListBox* list = alignmentSelector ? alignmentSelector->GetList() : nullptr;
    if (!character || !list)
        return;
    UIControl* chosen = nullptr;
    if (character->classes.GetCount() == 0)
        chosen = list->FindItemByData(kDefaultAlignment);
    else
    {
        const std::uint16_t lastClass = character->GetLastClassId();
        UIControl* firstForLast = nullptr;
        UIControl* item = nullptr;
        UIListBox::ItemCursor cursor;
        list->BeginIteration(cursor);
        while (!chosen && list->NextItem(item, cursor))
        {
            const auto alignment = static_cast<std::uint16_t>(list->GetItemData(item));
            if (IsAlignmentAllowedForClasses(character, alignment))
                chosen = item;
            else if (!firstForLast && IsAlignmentAllowedForClass(lastClass, alignment))
                firstForLast = item;
        }
        if (!chosen)
            chosen = firstForLast;
    }
    if (!chosen)
    {
        FC_LOG("No alignment suits the classes; the alignment stays %u\n",
               static_cast<unsigned>(character->alignmentId));
        return;
    }
    UIListBox::SelectItem(chosen, 0);
}

void Vel_UIWin_CharSetup::RefreshClasses()
{
    ShowTotalLevel();
    FillClassLevels(false);
    UpdateClassTable();
    UpdateAlignments();
}

// --- Pieces of the screen ----------------------------------------------------

void Vel_UIWin_CharSetup::ShowPortrait()
{
    if (portrait)
        portrait->SetImageBuffer(LoadIcon(GetRacePortraitName(Character())));
}

void Vel_UIWin_CharSetup::ShowTotalLevel()
{
    if (VelCharacter* character = Character(); character && totalLevelText)
        totalLevelText->SetLong(character->GetTotalLevel());
}

void Vel_UIWin_CharSetup::ShowHelpText(const std::string& text)
{
    if (helpLine)
        helpLine->SetText(text);
}

void Vel_UIWin_CharSetup::ShowHelp(std::uint16_t stringId)
{
    const FCResourceManager* resources = FCResourceManager::GetInstance();
    const std::string* text = resources && stringId != 0 ? resources->GetString(stringId) : nullptr;
    ShowHelpText(text ? *text : std::string());
}

void Vel_UIWin_CharSetup::RestoreHelp()
{
    ShowHelp(defaultHelpId);
}

void Vel_UIWin_CharSetup::ShowRowHelp(const Vel_UIItem& row)
{
    const VelClassInfo* record = VelDatabase::FindClass(static_cast<std::uint16_t>(row.key));
    if (!record)
        return;
    ShowHelpText(row.GetFontVariant() == kFormerVariant ? record->formerText : record->description);
}

// --- Edits -------------------------------------------------------------------

void Vel_UIWin_CharSetup::AddClassFromRow(const Vel_UIItem* row)
{
    VelCharacter* character = Character();
    if (!character || !row)
        return;
    // The table only lets such rows go, but a drop may come from anywhere.
    const auto classId = static_cast<std::uint16_t>(row->key);
    if (row->key < 0 || !VelDatabase::FindClass(classId) || character->HasClass(classId) ||
        character->GetTotalLevel() >= kMaxTotalLevel)
    {
        FC_LOG("Class %ld cannot be added\n", static_cast<long>(row->key));
        return;
    }
    character->AddClass(classId);
    MarkModified();
    RefreshClasses();
}

void Vel_UIWin_CharSetup::RemoveLastClassFromRow(const Vel_UIItem* row)
{
    VelCharacter* character = Character();
    if (!character || character->classes.GetCount() == 0)
        return;
    const auto* last = static_cast<const VelCharacterClass*>(
        character->classes.GetAt(static_cast<std::int32_t>(character->classes.GetCount() - 1)));
    if (!last || (row && row->key != last->classId) ||
        (mode == kModeAddLevels && last->startingLevel > 0))
    {
        FC_LOG("Only the last class added here can be removed\n");
        FillClassLevels(false);
        return;
    }
    character->RemoveLastClass();
    MarkModified();
    RefreshClasses();
}

Vel_UIItem* Vel_UIWin_CharSetup::LevelRowOf(const UIControl* sender) const
{
    if (!classLevelList || !sender)
        return nullptr;
    for (UIControl* at = sender->GetParent(); at && at != classLevelList; at = at->GetParent())
        if (auto* row = dynamic_cast<Vel_UIItem*>(at))
            return classLevelList->ContainsDescendant(row) ? row : nullptr;
    return nullptr;
}

void Vel_UIWin_CharSetup::ApplyLevel(Vel_UIItem& row)
{
    VelCharacter* character = Character();
    if (!character)
        return;
    VelCharacterClass* entry = character->FindClass(static_cast<std::uint16_t>(row.key));
    if (!entry)
        return;
    const int others = character->GetTotalLevel() - entry->level;
    const double wanted = row.GetScrollValue();
    const int highest = kMaxTotalLevel - others;
    int level = std::isfinite(wanted) ? static_cast<int>(std::clamp(wanted, -1.0e6, 1.0e6)) : entry->level;
    level = std::clamp(level, static_cast<int>(MinimumLevel(*entry)), std::max(highest, 1));
    if (level != entry->level)
    {
        entry->level = static_cast<std::uint16_t>(level);
        MarkModified();
    }
    ShowTotalLevel();
    FillClassLevels(true);
    UpdateClassTable();
}

void Vel_UIWin_CharSetup::ClearClasses()
{
    VelCharacter* character = Character();
    // Levels the character had before this edit are not the window's to take.
    if (!character || mode == kModeAddLevels)
        return;
    while (character->classes.GetCount() > 0)
        character->RemoveLastClass();
    MarkModified();
    RefreshClasses();
}

void Vel_UIWin_CharSetup::Finish()
{
    VelCharacter* character = Character();
    if (finished || !character)
        return;
    // Off before the rules run, so that nothing can apply the set-up twice
    // (buy the starting items again) when the switch below fails.
    finished = 1;
    if (finishButton)
        finishButton->SetEnabled(0);
    if (auto* name = FindDescendantAs<UITextControl>(kNameId, true))
        character->name = name->GetText();
    FinishCharacterSetup(character, mode == kModeNew);
    character->modified = 1;
    VelClient* client = VelClient::GetInstance();
    if (!client || !client->GoToScreen(VelClient::kCharacterWindow))
        FC_LOG("The character window did not open after the set-up\n");
}

void Vel_UIWin_CharSetup::TakeSnapshot()
{
    enteredClasses.clear();
    VelCharacter* character = Character();
    if (!character)
        return;
    for (std::uint32_t i = 0; i < character->classes.GetCount(); ++i)
        if (const auto* entry = static_cast<const VelCharacterClass*>(
                character->classes.GetAt(static_cast<std::int32_t>(i))))
            enteredClasses.push_back(FCCountedRef<VelCharacterClass>::Adopt(
                static_cast<VelCharacterClass*>(entry->Clone())));
    enteredAlignment = character->alignmentId;
    enteredSex = character->sex;
    enteredModified = character->modified;
}

void Vel_UIWin_CharSetup::RestoreSnapshot()
{
    VelCharacter* character = Character();
    if (!character)
        return;
    while (character->classes.GetCount() > 0)
        character->RemoveLastClass();
    for (const FCCountedRef<VelCharacterClass>& entry : enteredClasses)
    {
        auto* copy = static_cast<VelCharacterClass*>(entry->Clone());
        character->classes.Append(copy);
        copy->Release();
    }
    character->alignmentId = enteredAlignment;
    character->sex = enteredSex;
    character->modified = enteredModified;
}

void Vel_UIWin_CharSetup::GoBack()
{
    VelClient* client = VelClient::GetInstance();
    if (mode != kModeAddLevels)
    {
        if (!client || !client->GoToScreen(VelClient::kStartMenu))
            FC_LOG("The start menu did not open\n");
        return;
    }
    // Once the rules have applied the added levels they are the character's.
    if (!finished)
        RestoreSnapshot();
    if (client && client->GoToScreen(VelClient::kCharacterWindow))
        return;
    FC_LOG("The character window did not open\n");
    // Still here: show the classes as they now are.
    if (VelCharacter* character = Character())
    {
        const std::uint8_t modified = character->modified;
        RefreshClasses();
        character->modified = modified;
    }
}

// --- Messages ----------------------------------------------------------------

bool Vel_UIWin_CharSetup::HandleNotify(UIEvent& event)
{
    UIControl* sender = event.sender;
    if (!sender)
        return false;
    const std::uint16_t senderId = sender->GetId();
    VelCharacter* character = Character();
    switch (event.type)
    {
    case UIMessage::kClicked:
        switch (senderId)
        {
        case kBackId:
            GoBack();
            return false;
        case kRandomNameId:
            if (character)
            {
                GenerateRandomName(character);
                MarkModified();
                if (auto* name = FindDescendantAs<UITextControl>(kNameId, true))
                    name->SetText(character->name);
            }
            break;
        case kClearClassesId:
            ClearClasses();
            return true;
        case kFinishId:
            Finish();
            return true;
        default:
            break;
        }
        break;
    case UIMessage::kChanged:
        if (!character)
            break;
        if (senderId == kMaleId || senderId == kFemaleId)
        {
            const std::uint16_t sex = senderId == kMaleId ? 0 : 1;
            if (character->sex != sex)
                MarkModified();
            character->sex = sex;
            ShowPortrait();
        }
        else if (sender == raceSelector && raceSelector->GetList())
        {
            const auto race = static_cast<std::uint16_t>(raceSelector->GetList()->GetItemData(
                reinterpret_cast<UIControl*>(event.param2)));
            if (character->raceId != race)
                MarkModified();
            character->raceId = race;
            ShowPortrait();
        }
        else if (sender == alignmentSelector && alignmentSelector->GetList())
        {
            const auto alignment =
                static_cast<std::uint16_t>(alignmentSelector->GetList()->GetItemData(
                    reinterpret_cast<UIControl*>(event.param2)));
            if (character->alignmentId != alignment)
                MarkModified();
            character->alignmentId = alignment;
            FillClassLevels(false);
        }
        break;
    case UIMessage::kMouseEntered:
        if (auto* row = dynamic_cast<Vel_UIItem*>(sender); row && row->kind == kRowKind)
            ShowRowHelp(*row);
        return false;
    case UIMessage::kMouseLeft:
        if (dynamic_cast<Vel_UIItem*>(sender))
            RestoreHelp();
        return false;
    case UIMessage::kChildDraggedOut:
        if (sender == classLevelList)
            RemoveLastClassFromRow(dynamic_cast<const Vel_UIItem*>(
                reinterpret_cast<UIControl*>(event.param1)));
        break;
    case UIMessage::kDroppedOnto:
        if (sender == classLevelList)
            AddClassFromRow(dynamic_cast<const Vel_UIItem*>(
                reinterpret_cast<UIControl*>(event.param1)));
        break;
    case UIMessage::kSteppedUp:
    case UIMessage::kSteppedDown:
        if (Vel_UIItem* row = LevelRowOf(sender->GetParent() ? sender : nullptr);
            row && dynamic_cast<UINumberScroll*>(sender))
            ApplyLevel(*row);
        break;
    case UIMessage::kEnterPressed:
    case UIMessage::kFocusLost:
        // A typed level takes the same path as the arrows.
        if (!rebuilding && sender->GetParent() &&
            dynamic_cast<UINumberScroll*>(sender->GetParent()))
            if (Vel_UIItem* row = LevelRowOf(sender))
                ApplyLevel(*row);
        break;
    case UIMessage::kMouseOverEntered:
        if (event.param1 != 0)
            ShowHelp(static_cast<std::uint16_t>(event.param1));
        return true;
    case UIMessage::kMouseOverLeft:
        RestoreHelp();
        return true;
    default:
        break;
    }
    return UIControl::HandleNotify(event);
}
