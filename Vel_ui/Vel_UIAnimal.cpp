#include "Vel_ui/Vel_UIAnimal.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCConvert.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCTextLayout.h"
#include "Ui/UIEditControl.h"
#include "Ui/UIListBox.h"
#include "Ui/UIMessages.h"
#include "Ui/UITextControl.h"
#include "Vel/App/VelClient.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Character/VelEntityFeature.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelAnimalSkillInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Rules/VelCompanionRules.h"
#include "Vel/Rules/VelRulesWalk.h"
#include "Vel_ui/Vel_UIAnimalItem.h"
#include "Vel_ui/Vel_UIItemTray.h"
#include "Vel_ui/Vel_UIListBox.h"
#include "Vel_ui/Vel_UIListRefill.h"
#include "Vel_ui/Vel_UIPagePart.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

FC_REGISTER_CLASS(Vel_UIAnimal);

namespace
{
namespace Part = Vel_UIPagePart;

constexpr const char* kSharedSkillsLine = "Shared skills with master";

const VelAnimalInfo* AnimalOfRow(const UIControl* row)
{
    // A row's animal names its record directly: one lookup instead of a walk.
    if (const auto* animalRow = dynamic_cast<const Vel_UIAnimalItem*>(row); animalRow && animalRow->GetEntity())
    {
        const VelAnimalInfo* record = VelDatabase::FindAnimal(animalRow->GetEntity()->animalId);
        if (record && reinterpret_cast<std::intptr_t>(record) == animalRow->key)
            return record;
    }
    return static_cast<const VelAnimalInfo*>(Part::RecordOfRow(row, VelDatabase::kTagAnimal));
}

bool IsAnimalRow(const UIControl* control)
{
    return Part::IsRowOfKind(control, Vel_UIAnimal::kListKind) ||
           Part::IsRowOfKind(control, Vel_UIAnimal::kTrayKind);
}

// The kind of animal a class brings, 0 for none.
std::int16_t KindOfClass(std::uint16_t classId)
{
    switch (classId)
    {
    case VelIds::kClassNaturePriest:
        return VelCharacterAnimal::kCompanion;
    case VelIds::kClassHolyKnight:
        return VelCharacterAnimal::kMount;
    case VelIds::kClassInnateCaster:
    case VelIds::kClassScholarCaster:
        return VelCharacterAnimal::kFamiliar;
    default:
        return 0;
    }
}

std::string HitDiceText(float hitDice)
{
    // A damaged record's hit dice may lie beyond any integer.
    if (std::trunc(hitDice) == hitDice)
        return std::to_string(TruncateToInteger<std::int32_t>(hitDice));
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(hitDice));
    return text;
}
} // namespace

Vel_UIAnimal::Vel_UIAnimal() = default;

Vel_UIAnimal::Vel_UIAnimal(const Vel_UIAnimal& other)
    : Vel_UIPanel(other), kind(other.kind), animalRowPrototype(other.animalRowPrototype),
      textRowPrototype(other.textRowPrototype)
{
    BindChildren(false);
}

Vel_UIAnimal::~Vel_UIAnimal() = default;

std::string Vel_UIAnimal::GetClassName() const { return "Vel_UIAnimal"; }
std::string Vel_UIAnimal::GetTypeName() const { return "Vel_UIAnimal"; }
FCObject* Vel_UIAnimal::Clone() const { return new Vel_UIAnimal(*this); }
FCObject* Vel_UIAnimal::CreateNew() const { return new Vel_UIAnimal(); }

bool Vel_UIAnimal::Load(FCFile& file)
{
    if (!Vel_UIPanel::Load(file))
        return false;
    BindChildren(true);
    if (tray)
    {
        tray->SetAcceptsDrops(true);
        tray->SetAcceptDropCallback([](UIControl*, UIControl* dragged) -> std::uint16_t {
            return Part::IsRowOfKind(dragged, kListKind) ? kAccept : kRefuse;
        });
    }
    if (animalList)
        animalList->SetDragFlags(static_cast<std::uint16_t>(animalList->GetDragFlags() | kDragContainer));
    // The headings lie under the lists: the pointer goes through to them.
    if (headings)
        headings->SetMouseTransparent(1);
    return true;
}

void Vel_UIAnimal::BindChildren(bool log)
{
    title = FindChildAs<UITextControl>(kTitle, log);
    tray = FindChildAs<Vel_UIItemTray>(kTray, log);
    headings = FindChildAs<UIControl>(kHeadings, log);
    details = FindChildAs<UIListBox>(kDetails, log);
    nameLabel = FindChildAs<UITextControl>(kNameLabel, log);
    nameField = FindChildAs<UIEditControl>(kNameField, log);
    animalList = FindChildAs<Vel_UIListBox>(kAnimalList, log);
    infoGroup = FindChildAs<UIControl>(kInfoGroup, log);
    hitDiceText = FindChildAs<UITextControl>(kHitDiceText, log);
    movesText = FindChildAs<UITextControl>(kMovesText, log);
    sensesText = FindChildAs<UITextControl>(kSensesText, log);
    if (log && tray && !dynamic_cast<Vel_UIAnimalItem*>(tray->GetHolder()))
        FC_LOG("Tray %u of page %u holds no animal row\n", static_cast<unsigned>(tray->GetId()),
               static_cast<unsigned>(id));
}

std::uint16_t Vel_UIAnimal::CurrentClassId() const
{
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    return character ? character->currentClassId : VelIds::kNone;
}

std::int16_t Vel_UIAnimal::TextOffset() const
{
    switch (kind)
    {
    case VelCharacterAnimal::kCompanion:
        return 1;
    case VelCharacterAnimal::kMount:
        return 2;
    default:
        return 0;
    }
}

Vel_UIAnimalItem* Vel_UIAnimal::TrayRow() const
{
    return tray ? dynamic_cast<Vel_UIAnimalItem*>(tray->GetHolder()) : nullptr;
}

void Vel_UIAnimal::EnterPage()
{
    // The window's shared button has no use on this page.
    Vel_UIWin_CharConfig::ShowButton(false);
    Vel_UIWin_CharConfig::SetHelpId(kScreenId);
    SetUp();
}

void Vel_UIAnimal::LeavePage()
{
    // The window takes the page away without moving the focus: a name still
    // being typed would otherwise be lost.
    StoreName();
}

void Vel_UIAnimal::Refresh()
{
    SetUp();
}

void Vel_UIAnimal::ForgetViewedAnimal()
{
    Vel_UIWin_CharConfig* window = Vel_UIWin_CharConfig::GetLive();
    if (window && window->GetViewedEntity())
        window->SetViewedEntity(nullptr);
}

void Vel_UIAnimal::SetUp()
{
    VelCharacter* character = VelClient::GetCurrentCharacter();
    const std::uint16_t classId = CurrentClassId();
    const VelCharacterClass* entry = character ? character->FindClass(classId) : nullptr;
    bool show = entry && ClassGrantsAnimal(entry) && KindOfClass(classId) != 0;
    if (show)
    {
        kind = KindOfClass(classId);
        // The two arcane classes share one familiar.
        if (classId == VelIds::kClassInnateCaster)
            show = !character->FindAnimalBySecondKey(VelIds::kClassScholarCaster);
        else if (classId == VelIds::kClassScholarCaster)
            show = !character->FindAnimalBySecondKey(VelIds::kClassInnateCaster);
    }
    for (UIControl* control : {static_cast<UIControl*>(title), static_cast<UIControl*>(tray), headings,
                               static_cast<UIControl*>(details), static_cast<UIControl*>(animalList), infoGroup})
        Part::Show(control, show);
    ForgetViewedAnimal();
    if (show)
        FillAnimalList(*character);
    else if (animalList)
        animalList->RemoveAllItems();
    if (character)
        ShowCurrentAnimal(*character);
    if (!show)
    {
        Part::Show(nameLabel, false);
        Part::Show(nameField, false);
        Part::Show(TrayRow(), false);
    }
}

void Vel_UIAnimal::FillAnimalList(const VelCharacter& character)
{
    if (!animalList)
        return;
    ForgetViewedAnimal();
    const Vel_UIListRefill quiet(animalList);
    animalList->RemoveAllItems();
    if (!animalRowPrototype)
    {
        Vel_UIItem* loaded = Vel_UIItem::CreateFromLayout(kAnimalRowLayout);
        animalRowPrototype = FCCountedRef<Vel_UIAnimalItem>::Adopt(dynamic_cast<Vel_UIAnimalItem*>(loaded));
        if (loaded && !animalRowPrototype)
        {
            FC_LOG("%s holds no animal row\n", kAnimalRowLayout);
            loaded->Release();
        }
    }
    const std::uint16_t classId = character.currentClassId;
    if (const FCObjectMap* animals = VelDatabase::GetMap(VelDatabase::kTagAnimal))
        VelRulesWalk::Each<VelAnimalInfo>(*animals, [&](const VelAnimalInfo& animal) {
            if ((animal.kindsMask & static_cast<std::uint16_t>(kind)) == 0)
                return false;
            Vel_UIAnimalItem* row = Part::CloneRow(animalRowPrototype.Get(), animal.name);
            if (!row)
                return true;
            row->SetInputFlags(static_cast<std::uint16_t>(row->GetInputFlags() | kReportEnterLeave));
            row->key = reinterpret_cast<std::intptr_t>(&animal);
            row->kind = kListKind;
            // A preview of what the animal would be for this master: its
            // values show in the window's summary while it is hovered.
            auto* preview = new VelCharacterAnimal(static_cast<std::uint16_t>(animal.key), classId);
            preview->kind = static_cast<std::uint16_t>(kind);
            preview->owner = const_cast<VelCharacter*>(&character);
            UpdateAnimalStats(preview, true);
            row->SetEntity(preview);
            preview->Release();
            animalList->AddRow(row, 0, false);
            return false;
        });
    animalList->UpdateLayout();
    MarkAnimalRows(character);
}

void Vel_UIAnimal::MarkAnimalRows(const VelCharacter& character)
{
    if (!animalList)
        return;
    const std::uint16_t classId = character.currentClassId;
    const bool allowed = CanGetAnimal(&character, classId) && !character.FindAnimalBySecondKey(classId);
    const Vel_UIListRefill quiet(animalList);
    UIControl* item = nullptr;
    UIListBox::ItemCursor cursor;
    animalList->BeginIteration(cursor);
    while (animalList->NextItem(item, cursor))
    {
        const VelAnimalInfo* animal = AnimalOfRow(item);
        const bool suitable =
            kind != VelCharacterAnimal::kMount || IsSuitableMount(&character, animal);
        if (auto* row = dynamic_cast<Vel_UIItem*>(item))
            row->SetTakeable(allowed && animal && suitable);
    }
}

void Vel_UIAnimal::ShowCurrentAnimal(const VelCharacter& character)
{
    VelCharacterAnimal* animal = character.FindAnimalBySecondKey(character.currentClassId);
    const VelAnimalInfo* record = animal ? VelDatabase::FindAnimal(animal->animalId) : nullptr;
    if (Vel_UIAnimalItem* row = TrayRow())
    {
        std::string text = record ? record->name : std::string();
        if (animal && animal->GetGroupSize() > 1)
            text += "  (" + std::to_string(animal->GetGroupSize()) + ")";
        Part::SetRowText(row, text);
        row->SetInputFlags(static_cast<std::uint16_t>(row->GetInputFlags() | kReportEnterLeave));
        row->key = record ? reinterpret_cast<std::intptr_t>(record) : -1;
        row->kind = kTrayKind;
        row->SetEntity(animal);
        row->SetDraggable(animal != nullptr);
        Part::Show(row, animal != nullptr);
    }
    Part::SetText(nameField, animal ? animal->text : std::string());
    Part::SetTextId(title, static_cast<std::uint16_t>(kTitleTextBase + TextOffset()));
    Part::SetTextId(nameLabel, static_cast<std::uint16_t>(kNameTextBase + TextOffset()));
    Part::Show(nameLabel, animal != nullptr);
    Part::Show(nameField, animal != nullptr);
    if (tray)
    {
        tray->SetAcceptsDrops(animal == nullptr);
        tray->SetMovesRows(animal != nullptr);
    }
    FillDetails(character, animal);
}

void Vel_UIAnimal::AddTextRow(const std::string& text, std::intptr_t key)
{
    if (!textRowPrototype)
        textRowPrototype = FCCountedRef<Vel_UIItem>::Adopt(Vel_UIItem::CreateFromLayout(kTextRowLayout));
    Vel_UIItem* row = Part::CloneRow(textRowPrototype.Get(), text);
    if (!row)
        return;
    row->SetColumnFont(0, kDetailFont);
    row->key = key;
    // Feature texts run to a sentence or two: a text wider than the row goes
    // on over as many rows as it needs, broken at words.
    std::vector<std::string> lines;
    auto* cell = dynamic_cast<UITextControl*>(row->GetColumnControl(0));
    if (FCFont* font = cell ? cell->GetFont() : nullptr)
        WrapText(lines, text, FCPoint(cell->GetSize().x, 0), true, *font);
    if (lines.size() > 1)
        Part::SetRowText(row, lines.front());
    details->AddItem(row, 0);
    for (std::size_t i = 1; i < lines.size(); ++i)
        if (Vel_UIItem* more = Part::CloneRow(row, lines[i]))
            details->AddItem(more, 0);
}

void Vel_UIAnimal::FillDetails(const VelCharacter& character, VelCharacterAnimal* animal)
{
    if (!details)
        return;
    const Vel_UIListRefill quiet(details);
    details->RemoveAllItems();
    if (!animal)
    {
        details->UpdateLayout();
        return;
    }
    const bool familiar = kind == VelCharacterAnimal::kFamiliar;
    if (familiar)
        AddTextRow(kSharedSkillsLine, -1);
    VelDatabase::ForEach<VelAnimalSkillInfo>(VelDatabase::kTagAnimalSkill, [&](const VelAnimalSkillInfo& skill) {
        if (skill.key != static_cast<std::int16_t>(animal->animalId))
            return;
        float value = skill.ranks;
        // A familiar shares its master's ranks, those of its own class's column.
        if (const VelCharacterSkill* own = familiar ? character.FindSkill(skill.skillId, VelCharacterSkill::kNoSubSkill)
                                                    : nullptr)
        {
            const auto column = static_cast<std::int16_t>(animal->secondKey);
            const float ranks = own->GetRanks(column, VelCharacterSkill::kClassRanks) +
                                own->GetRanks(column, VelCharacterSkill::kCrossClassRanks);
            if (ranks > 0.0f && ranks > value)
                value = ranks;
        }
        const VelSkillInfo* record = VelDatabase::FindSkill(skill.skillId);
        AddTextRow((record ? record->name : std::string()) + " (" + FloatToString(value, false) + " )",
                   reinterpret_cast<std::intptr_t>(&skill));
    });
    VelRulesWalk::Each<VelEntityFeature>(animal->features, [&](VelEntityFeature& feature) {
        AddTextRow(feature.GetText(animal), -1);
        return false;
    });
    details->UpdateLayout();
}

void Vel_UIAnimal::ShowInformation(const VelAnimalInfo& animal)
{
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    const std::uint16_t level = character ? character->GetClassLevel(character->currentClassId) : VelIds::kNone;
    const auto masterLevel = static_cast<std::int16_t>(level == VelIds::kNone ? 0 : level);
    Part::SetText(hitDiceText, HitDiceText(GetAnimalHitDice(&animal, kind, masterLevel)));
    Part::SetText(movesText, animal.fourthText);
    Part::SetText(sensesText, animal.fifthText);
    Vel_UIWin_CharConfig::ShowHelpText(animal.description);
    Part::ShowIcon(animal.iconFile);
}

void Vel_UIAnimal::ClearInformation()
{
    for (UITextControl* text : {hitDiceText, movesText, sensesText})
        Part::SetText(text, std::string());
    Vel_UIWin_CharConfig::RestoreHelpText();
    Vel_UIWin_CharConfig::ShowCurrentClassInfo();
}

void Vel_UIAnimal::TakeAnimal(const UIControl* dragged)
{
    VelCharacter* character = VelClient::GetCurrentCharacter();
    const VelAnimalInfo* animal = AnimalOfRow(dragged);
    if (!character || !animal || !Part::IsRowOfKind(dragged, kListKind) || kind == 0)
        return;
    const std::uint16_t classId = character->currentClassId;
    // The list may be out of date by now: the rules decide again.
    if ((animal->kindsMask & static_cast<std::uint16_t>(kind)) == 0 ||
        character->FindAnimalBySecondKey(classId) || !CanGetAnimal(character, classId) ||
        (kind == VelCharacterAnimal::kMount && !IsSuitableMount(character, animal)))
        return;
    auto* taken = new VelCharacterAnimal(static_cast<std::uint16_t>(animal->key), classId);
    taken->kind = static_cast<std::uint16_t>(kind);
    AddAnimal(character, taken);
    taken->Release();
    ShowCurrentAnimal(*character);
    MarkAnimalRows(*character);
}

void Vel_UIAnimal::GiveUpAnimal(const UIControl* removed)
{
    VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!character)
        return;
    ForgetViewedAnimal();
    const std::uint16_t classId = character->currentClassId;
    // The row's own animal names it even when its record is gone.
    const auto* row = dynamic_cast<const Vel_UIAnimalItem*>(removed);
    const VelAnimalInfo* record = AnimalOfRow(removed);
    VelCharacterAnimal* held = nullptr;
    if (row && row->GetEntity())
        held = character->FindAnimal(row->GetEntity()->animalId, classId);
    else if (record)
        held = character->FindAnimal(static_cast<std::uint16_t>(record->key), classId);
    if (held)
        RemoveAnimal(character, held);
    ShowCurrentAnimal(*character);
    MarkAnimalRows(*character);
}

void Vel_UIAnimal::StoreName()
{
    VelCharacter* character = VelClient::GetCurrentCharacter();
    VelCharacterAnimal* animal = character ? character->FindAnimalBySecondKey(character->currentClassId) : nullptr;
    if (!animal || !nameField)
        return;
    const std::string name = nameField->GetText();
    if (animal->text == name)
        return;
    animal->text = name;
    character->modified = 1;
}

bool Vel_UIAnimal::HandleNotify(UIEvent& event)
{
    if (!event.sender)
        return false;
    switch (event.type)
    {
    case UIMessage::kDroppedOnto:
        if (event.sender == tray && tray)
            TakeAnimal(reinterpret_cast<UIControl*>(event.param1));
        break;
    case UIMessage::kChildDraggedOut:
        if (event.sender == tray && tray)
            GiveUpAnimal(reinterpret_cast<UIControl*>(event.param1));
        break;
    case UIMessage::kFocusLost:
    case UIMessage::kEnterPressed:
        if (event.sender == nameField && nameField)
            StoreName();
        break;
    default:
        break;
    }
    return Vel_UIPanel::HandleNotify(event);
}

bool Vel_UIAnimal::OnMouseOverEnter(UIControl* control)
{
    if (!IsAnimalRow(control))
        return false;
    if (const VelAnimalInfo* animal = AnimalOfRow(control))
        ShowInformation(*animal);
    const auto* row = dynamic_cast<const Vel_UIAnimalItem*>(control);
    if (Vel_UIWin_CharConfig* window = Vel_UIWin_CharConfig::GetLive(); window && row && row->GetEntity())
        window->SetViewedEntity(row->GetEntity());
    return false;
}

bool Vel_UIAnimal::OnMouseOverLeave(UIControl* control)
{
    if (!IsAnimalRow(control))
        return false;
    ClearInformation();
    ForgetViewedAnimal();
    Vel_UIWin_CharConfig::RestoreHelpText();
    return false;
}
