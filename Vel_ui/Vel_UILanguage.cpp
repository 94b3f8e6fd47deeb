#include "Vel_ui/Vel_UILanguage.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Ui/UIMessages.h"
#include "Ui/UITextControl.h"
#include "Vel/App/VelClient.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterLanguage.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelLanguageInfo.h"
#include "Vel/Rules/VelRulesWalk.h"
#include "Vel/Rules/VelSkillRules.h"
#include "Vel_ui/Vel_UIItem.h"
#include "Vel_ui/Vel_UIListBox.h"
#include "Vel_ui/Vel_UIListRefill.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"

FC_REGISTER_CLASS(Vel_UILanguage);

namespace
{
std::int32_t Value(const VelCharacter& character, std::uint32_t index)
{
    return static_cast<std::int32_t>(character.values[index]);
}

std::uint16_t LanguageOf(const Vel_UIItem& row)
{
    return static_cast<std::uint16_t>(row.key);
}
} // namespace

Vel_UILanguage::Vel_UILanguage() = default;

Vel_UILanguage::Vel_UILanguage(const Vel_UILanguage& other) : Vel_UIPanel(other), rows(other.rows)
{
    BindChildren(false);
}

Vel_UILanguage::~Vel_UILanguage() = default;

std::string Vel_UILanguage::GetClassName() const { return "Vel_UILanguage"; }
std::string Vel_UILanguage::GetTypeName() const { return "Vel_UILanguage"; }
FCObject* Vel_UILanguage::Clone() const { return new Vel_UILanguage(*this); }
FCObject* Vel_UILanguage::CreateNew() const { return new Vel_UILanguage(); }

bool Vel_UILanguage::Load(FCFile& file)
{
    if (!Vel_UIPanel::Load(file))
        return false;
    BindChildren(true);
    SetUpPickLists(available, known);
    return true;
}

void Vel_UILanguage::BindChildren(bool logMissing)
{
    counter = FindChildAs<UITextControl>(kCounterId, logMissing);
    known = FindChildAs<Vel_UIListBox>(kKnownListId, logMissing);
    available = FindChildAs<Vel_UIListBox>(kAvailableListId, logMissing);
}

void Vel_UILanguage::EnterPage()
{
    // The window's shared button has no use on this page.
    Vel_UIWin_CharConfig::ShowButton(false);
    Vel_UIWin_CharConfig::SetHelpId(kScreenId);
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!character)
        return;
    FillAvailable(*character);
    ShowCounter(*character);
    FillKnown(*character);
}

void Vel_UILanguage::OnCharacterChanged(VelCharacter* character)
{
    if (character && (character->changeMask & VelCharacter::kChangedLanguages))
        ShowCharacter(*character);
}

void Vel_UILanguage::ShowCharacter(const VelCharacter& character)
{
    ShowCounter(character);
    FillKnown(character, true);
    ShowAvailableStates(character);
}

bool Vel_UILanguage::IsLearnable(const VelCharacter& character, std::uint16_t languageId)
{
    return Value(character, VelCharacter::kValueLanguagesChosen) <
               Value(character, VelCharacter::kValueLanguagesAllowed) &&
           CanChooseLanguage(&character, languageId) && !character.FindLanguage(languageId) &&
           !character.HasSkill(VelIds::kSkillSpeakLanguage, languageId);
}

void Vel_UILanguage::FillAvailable(const VelCharacter& character)
{
    if (!available)
        return;
    available->RemoveAllItems();
    if (const FCObjectMap* table = VelDatabase::GetMap(VelDatabase::kTagLanguage))
        VelRulesWalk::Each<VelLanguageInfo>(
            *table,
            [&](const VelLanguageInfo& language)
            {
                if (language.secondFlag == 0)
                    if (Vel_UIItem* row = rows.Make(0, language.key, language.name))
                        available->AddRow(row, 0, false);
                return false;
            });
    available->UpdateLayout();
    ShowAvailableStates(character);
}

void Vel_UILanguage::ShowAvailableStates(const VelCharacter& character)
{
    if (!available)
        return;
    available->EachRow<Vel_UIItem>(
        [&](Vel_UIItem& row) { row.SetTakeable(IsLearnable(character, LanguageOf(row))); });
}

void Vel_UILanguage::ShowCounter(const VelCharacter& character)
{
    if (counter)
        counter->SetLong(Value(character, VelCharacter::kValueLanguagesAllowed) -
                         Value(character, VelCharacter::kValueLanguagesChosen));
}

void Vel_UILanguage::FillKnown(const VelCharacter& character, bool keepPlace)
{
    if (!known)
        return;
    const Vel_UIListKeepPlace keep(keepPlace ? known : nullptr);
    known->RemoveAllItems();
    auto add = [&](std::uint16_t languageId, bool draggable)
    {
        const VelLanguageInfo* language = VelDatabase::FindLanguage(languageId);
        if (!language)
            return;
        if (Vel_UIItem* row = rows.Make(0, languageId, language->name))
        {
            known->AddRow(row, 0, false);
            row->SetDraggable(draggable);
        }
    };
    VelRulesWalk::Each<VelCharacterLanguage>(
        character.languages,
        [&](const VelCharacterLanguage& entry)
        {
            add(entry.languageId, (entry.extra & VelCharacterLanguage::kFixed) == 0);
            return false;
        });
    VelRulesWalk::Each<VelCharacterSkill>(character.skills,
                                          [&](const VelCharacterSkill& skill)
                                          {
                                              if (skill.skillId == VelIds::kSkillSpeakLanguage)
                                                  add(skill.subSkillId, false);
                                              return false;
                                          });
    known->UpdateLayout();
}

void Vel_UILanguage::Learn(VelCharacter& character, const Vel_UIItem& row)
{
    // The row may have been open when it was drawn and be no longer.
    const std::uint16_t languageId = LanguageOf(row);
    if (!IsLearnable(character, languageId))
        return;
    auto* entry = new VelCharacterLanguage(languageId);
    character.AddLanguage(entry);
    entry->Release();
    if (!character.FindLanguage(languageId))
        return;
    character.SetValue(VelCharacter::kValueLanguagesChosen,
                       character.values[VelCharacter::kValueLanguagesChosen] + 1);
    character.changeMask |= VelCharacter::kChangedLanguages;
    character.NotifyChanged();
}

void Vel_UILanguage::Forget(VelCharacter& character, const Vel_UIItem& row)
{
    const std::uint16_t languageId = LanguageOf(row);
    const VelCharacterLanguage* entry = character.FindLanguage(languageId);
    // The framework has taken the row off already: a language that stays
    // comes back with the list.
    if (!entry || (entry->extra & VelCharacterLanguage::kFixed))
    {
        FillKnown(character, true);
        return;
    }
    character.RemoveLanguage(languageId);
    if (character.values[VelCharacter::kValueLanguagesChosen] > 0)
        character.SetValue(VelCharacter::kValueLanguagesChosen,
                           character.values[VelCharacter::kValueLanguagesChosen] - 1);
    character.changeMask |= VelCharacter::kChangedLanguages;
    character.NotifyChanged();
}

bool Vel_UILanguage::HandleNotify(UIEvent& event)
{
    if (!event.sender)
        return false;
    VelCharacter* character = VelClient::GetCurrentCharacter();
    if (character && known && event.sender == known)
        if (const Vel_UIItem* row = RowCarriedBy(event))
        {
            if (event.type == UIMessage::kChildDraggedOut)
                Forget(*character, *row);
            else
                Learn(*character, *row);
        }
    return Vel_UIPanel::HandleNotify(event);
}

bool Vel_UILanguage::OnMouseOverEnter(UIControl* control)
{
    const auto* row = dynamic_cast<const Vel_UIItem*>(control);
    if (!row)
        return false;
    if (const VelLanguageInfo* language = VelDatabase::FindLanguage(LanguageOf(*row)))
        Vel_UIWin_CharConfig::ShowHelpText(language->description);
    return true;
}

bool Vel_UILanguage::OnMouseOverLeave(UIControl* control)
{
    if (!dynamic_cast<const Vel_UIItem*>(control))
        return false;
    Vel_UIWin_CharConfig::RestoreHelpText();
    return true;
}
