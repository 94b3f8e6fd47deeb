#include "Vel_ui/Vel_UINotes.h"

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCClassRegistry.h"
#include "Ui/UIEditControl.h"
#include "Ui/UIMessages.h"
#include "Vel/App/VelClient.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"

#include <algorithm>

FC_REGISTER_CLASS(Vel_UINotes);

static_assert(Vel_UINotes::kFieldCount == VelCharacter::kNoteCount);

Vel_UINotes::Vel_UINotes() = default;

Vel_UINotes::Vel_UINotes(const Vel_UINotes& other) : Vel_UIPanel(other)
{
    BindFields(false);
}

Vel_UINotes::~Vel_UINotes() = default;

std::string Vel_UINotes::GetClassName() const { return "Vel_UINotes"; }
std::string Vel_UINotes::GetTypeName() const { return "Vel_UINotes"; }
FCObject* Vel_UINotes::Clone() const { return new Vel_UINotes(*this); }
FCObject* Vel_UINotes::CreateNew() const { return new Vel_UINotes(); }

bool Vel_UINotes::Load(FCFile& file)
{
    if (!Vel_UIPanel::Load(file))
        return false;
    BindFields(true);
    return true;
}

void Vel_UINotes::BindFields(bool logMissing)
{
    for (std::size_t i = 0; i < fields.size(); ++i)
    {
        fields[i] = FindChildAs<UIEditControl>(static_cast<std::uint16_t>(kFirstFieldId + i), logMissing);
        // What a character file keeps of a text.
        if (fields[i])
        {
            fields[i]->SetMaxLength(static_cast<std::int32_t>(FCArchive::kMaxStringLength));
            fields[i]->SetCharFlags(fields[i]->GetCharFlags() | UIEditControl::kLimitLength);
        }
    }
}

void Vel_UINotes::EnterPage()
{
    Vel_UIWin_CharConfig::ShowButton(false);
    Vel_UIWin_CharConfig::SetHelpId(kScreenId);
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!character)
        return;
    updating = true;
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i])
            fields[i]->SetText(character->notes[i]);
    updating = false;
}

void Vel_UINotes::StoreNote(std::size_t index)
{
    VelCharacter* character = VelClient::GetCurrentCharacter();
    const UIEditControl* field = fields[index];
    if (!character || !field)
        return;
    std::string text = field->GetText();
    text.resize(std::min(text.size(), FCArchive::kMaxStringLength));
    if (text == character->notes[index])
        return;
    character->notes[index] = std::move(text);
    character->modified = 1;
}

std::ptrdiff_t Vel_UINotes::FieldIndexOf(const UIControl* control) const
{
    const auto found = std::find(fields.begin(), fields.end(), control);
    return control && found != fields.end() ? found - fields.begin() : -1;
}

bool Vel_UINotes::HandleNotify(UIEvent& event)
{
    if (!event.sender)
        return false;
    // Every change is kept, not only the one that ends with the focus: a
    // note typed before the window closes or the game menu saves counts.
    if ((event.type == UIMessage::kFocusLost || event.type == UIMessage::kTextChanged) && !updating)
        if (const std::ptrdiff_t index = FieldIndexOf(event.sender); index >= 0)
            StoreNote(static_cast<std::size_t>(index));
    return Vel_UIPanel::HandleNotify(event);
}
