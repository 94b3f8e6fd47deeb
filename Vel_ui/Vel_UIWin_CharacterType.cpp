#include "Vel_ui/Vel_UIWin_CharacterType.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCCountedRef.h"
#include "Ui/UIMessages.h"

FC_REGISTER_CLASS(Vel_UIWin_CharacterType);

Vel_UIWin_CharacterType::Vel_UIWin_CharacterType() = default;

Vel_UIWin_CharacterType::Vel_UIWin_CharacterType(const Vel_UIWin_CharacterType& other) = default;

Vel_UIWin_CharacterType::~Vel_UIWin_CharacterType() = default;

std::string Vel_UIWin_CharacterType::GetClassName() const
{
    return "Vel_UIWin_CharacterType";
}
std::string Vel_UIWin_CharacterType::GetTypeName() const
{
    return "Vel_UIWin_CharacterType";
}
FCObject* Vel_UIWin_CharacterType::Clone() const
{
    return new Vel_UIWin_CharacterType(*this);
}
FCObject* Vel_UIWin_CharacterType::CreateNew() const
{
    return new Vel_UIWin_CharacterType();
}

bool Vel_UIWin_CharacterType::HandleNotify(UIEvent& event)
{
    if (!event.sender)
        return false;
    if (event.type != UIMessage::kClicked)
        return Vel_UIDialog::HandleNotify(event);
    const std::uint16_t senderId = event.sender->GetId();
    if (senderId != kCloseButtonId && senderId != kConfirmButtonId)
        return Vel_UIDialog::HandleNotify(event);
    // The owner may switch screens, which releases this dialog.
    const auto hold = FCCountedRef<Vel_UIWin_CharacterType>::Share(this);
    if (senderId == kConfirmButtonId)
        NotifyOwner(kResultConfirmed, 0);
    Close(1);
    return true;
}
