#include "Vel_ui/Vel_UIDlg_GameMenu.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCCountedRef.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Devices/FCCursorProvider.h"
#include "Fc/Devices/FCSystem.h"
#include "Ui/UIButton.h"
#include "Ui/UIMessageDialog.h"
#include "Ui/UIMessages.h"
#include "Vel/App/VelClient.h"
#include "Vel/App/VelLayoutNames.h"
#include "Vel/App/VelSheetPrinter.h"
#include "Vel/App/VelSettings.h"
#include "Vel/Character/VelCharacter.h"

FC_REGISTER_CLASS(Vel_UIDlg_GameMenu);

namespace
{
bool IsCharacterModified()
{
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    return character && character->modified == 1;
}

void GoTo(std::uint16_t state)
{
    if (VelClient* client = VelClient::GetInstance())
        client->GoToScreen(state);
}

void AskSave()
{
    if (VelClient* client = VelClient::GetInstance())
        client->AskSaveCharacter();
}
} // namespace

// The toggle is found again when the copy loads.
Vel_UIDlg_GameMenu::Vel_UIDlg_GameMenu(const Vel_UIDlg_GameMenu& other)
    : UIDialog(other), lastButton(other.lastButton)
{
}

bool Vel_UIDlg_GameMenu::Load(FCFile& file)
{
    if (!UIDialog::Load(file))
        return false;
    soundToggle = FindDescendantAs<UIButton>(kSoundToggle, true);
    const VelSettings* settings = VelSettings::GetInstance();
    if (soundToggle)
        soundToggle->SetState(settings && settings->IsSoundEffectsOn() ? UIButton::kUp
                                                                       : UIButton::kDown);
    return true;
}

void Vel_UIDlg_GameMenu::SetPrintEnabled(bool enabled)
{
    SetChildEnabled(kPrintButton, enabled ? 1 : 0);
}

bool Vel_UIDlg_GameMenu::HandleNotify(UIEvent& event)
{
    UIControl* sender = event.sender;
    if (!sender)
        return false;
    if (event.type != UIMessage::kClicked)
        return UIDialog::HandleNotify(event);
    // Closing or leaving drops the window manager's reference to this menu.
    const auto hold = FCCountedRef<UIDialog>::Share(this);
    lastButton = sender->GetId();
    switch (lastButton)
    {
    case kSaveButton:
        AskSave();
        return true;
    case kAddLevelsButton:
        if (IsCharacterModified())
            AskSaveBeforeExit();
        else
            LeaveToSetUp();
        return true;
    case kStartMenuButton:
        if (IsCharacterModified())
            AskSaveBeforeExit();
        else
            LeaveToStartMenu();
        return true;
    case kCloseButton:
        if (VelCharacter* character = VelClient::GetCurrentCharacter())
            character->modified = 1;
        Close(1);
        return true;
    case kPrintButton:
        PrintCharacterSheet();
        break;
    case kSoundToggle:
        if (sender == soundToggle)
            OnSoundToggled();
        break;
    default:
        break;
    }
    return UIDialog::HandleNotify(event);
}

void Vel_UIDlg_GameMenu::PrintCharacterSheet()
{
    SetCurrentCursor(LoadSystemCursor(FCCursorProvider::kWait));
    std::string outcome;
    {
        VelSheetPrinter job;
        job.Print(VelClient::GetCurrentCharacter(), kDocumentName);
        outcome = job.DescribeOutcome();
    }
    SetCurrentCursor(LoadSystemCursor(FCCursorProvider::kArrow));
    // The outcome may be long (a path, the printer's own words): the box's
    // scrolling list holds any length.
    if (UIMessageDialog* box =
            UIMessageDialog::Create(VelLayout::kMessageDialog, kPrintCaption, outcome, this,
                                    UIMessageDialog::kOk | UIMessageDialog::kTextInList))
    {
        box->Show(1, nullptr);
        box->Release();
        return;
    }
    // Without the dialog's layout the user still hears of it.
    FC_LOG("No message dialog for the printing outcome: %s\n", outcome.c_str());
    if (FCSystem* system = FCSystem::GetInstance())
        system->ShowMessage(outcome);
}

void Vel_UIDlg_GameMenu::OnSoundToggled()
{
    VelSettings* settings = VelSettings::GetInstance();
    if (!settings || !soundToggle)
        return;
    if (soundToggle->GetState() == static_cast<std::uint32_t>(UIButton::kDown))
    {
        // Still on at this moment, so the hint is heard.
        if (!(settings->runFlags & kSoundOffHintFlag))
        {
            settings->runFlags |= kSoundOffHintFlag;
            if (VelClient* client = VelClient::GetInstance())
                client->PlaySound(kSoundOffHint);
        }
        settings->SetSoundEffectsOn(false);
    }
    else
        settings->SetSoundEffectsOn(true);
}

void Vel_UIDlg_GameMenu::HandleMessage(std::int16_t messageId, void* data)
{
    const auto hold = FCCountedRef<UIDialog>::Share(this);
    if (messageId == UIMessage::kResultYes)
        AskSave();
    else if (messageId == UIMessage::kResultNo)
    {
        if (lastButton == kStartMenuButton)
            LeaveToStartMenu();
        else if (lastButton == kAddLevelsButton)
            LeaveToSetUp();
    }
    else
        UIDialog::HandleMessage(messageId, data);
}

void Vel_UIDlg_GameMenu::LeaveToSetUp()
{
    const auto hold = FCCountedRef<UIDialog>::Share(this);
    Close(1);
    GoTo(VelClient::kSetupAgain);
}

void Vel_UIDlg_GameMenu::LeaveToStartMenu()
{
    const auto hold = FCCountedRef<UIDialog>::Share(this);
    Close(1);
    GoTo(VelClient::kStartMenu);
}

void Vel_UIDlg_GameMenu::AskSaveBeforeExit()
{
    UIMessageDialog* question =
        UIMessageDialog::Create(kQuestionLayout, kQuestionCaption, kQuestionText, this, kQuestionFlags);
    if (!question)
    {
        FC_LOG("Cannot ask to save before leaving: no %s\n", kQuestionLayout);
        return;
    }
    question->Show(1, nullptr);
    question->Release();
}
