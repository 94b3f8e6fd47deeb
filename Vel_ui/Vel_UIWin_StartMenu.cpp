#include "Vel_ui/Vel_UIWin_StartMenu.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCConvert.h"
#include "Fc/Core/FCCountedRef.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIFileDialog.h"
#include "Ui/UIMessageDialog.h"
#include "Ui/UIMessages.h"
#include "Ui/UITextControl.h"
#include "Ui/UIWindowManager.h"
#include "Vel/App/VelClient.h"
#include "Vel/App/VelLayoutNames.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel_ui/Vel_UIWin_CharacterType.h"

FC_REGISTER_CLASS(Vel_UIWin_StartMenu);

namespace
{
// The buttons that simply lead to another screen.
struct ScreenButton
{
    std::uint16_t buttonId;
    std::uint16_t state;
};
constexpr ScreenButton kScreenButtons[] = {
    {Vel_UIWin_StartMenu::kAboutId, VelClient::kInfoMode5},
    {Vel_UIWin_StartMenu::kQuitId, VelClient::kInfoClosing},
    {Vel_UIWin_StartMenu::kCreditsId, VelClient::kCredits},
};

// An interface text, or the fallback when the asset index lacks it.
std::string TextOr(std::uint16_t stringId, const char* fallback)
{
    const FCResourceManager* resources = FCResourceManager::GetInstance();
    const std::string* text = resources ? resources->GetString(stringId) : nullptr;
    if (text)
        return *text;
    FC_LOG("Interface text %u is missing\n", stringId);
    return fallback;
}
} // namespace

Vel_UIWin_StartMenu::Vel_UIWin_StartMenu() = default;

Vel_UIWin_StartMenu::Vel_UIWin_StartMenu(const Vel_UIWin_StartMenu& other) = default;

Vel_UIWin_StartMenu::~Vel_UIWin_StartMenu() = default;

std::string Vel_UIWin_StartMenu::GetClassName() const
{
    return "Vel_UIWin_StartMenu";
}
std::string Vel_UIWin_StartMenu::GetTypeName() const
{
    return "Vel_UIWin_StartMenu";
}
FCObject* Vel_UIWin_StartMenu::Clone() const
{
    return new Vel_UIWin_StartMenu(*this);
}
FCObject* Vel_UIWin_StartMenu::CreateNew() const
{
    return new Vel_UIWin_StartMenu();
}

std::string Vel_UIWin_StartMenu::VersionLine()
{
    return "Version " + FloatToString(kVersion, false);
}

bool Vel_UIWin_StartMenu::Load(FCFile& file)
{
    if (!UIWindow::Load(file))
        return false;
    if (auto* version = FindDescendantAs<UITextControl>(kVersionTextId, true))
        version->SetText(VersionLine());
    return true;
}

bool Vel_UIWin_StartMenu::HandleNotify(UIEvent& event)
{
    if (!event.sender)
        return false;
    if (event.type != UIMessage::kClicked)
        return UIWindow::HandleNotify(event);
    const std::uint16_t senderId = event.sender->GetId();
    if (senderId == kNewCharacterId)
    {
        OpenCharacterType();
        return true;
    }
    if (senderId == kLoadCharacterId)
    {
        OpenLoadDialog();
        return true;
    }
    for (const ScreenButton& button : kScreenButtons)
        if (senderId == button.buttonId)
        {
            GoToScreen(button.state);
            return true;
        }
    return UIWindow::HandleNotify(event);
}

void Vel_UIWin_StartMenu::OpenCharacterType()
{
    SetChildrenEnabled(0);
    UIWindowManager* manager = UIWindowManager::GetInstance();
    UIControl* opened = manager ? manager->OpenWindow(VelLayout::kCharacterType, 0) : nullptr;
    auto* dialog = dynamic_cast<UIWindow*>(opened);
    if (!dialog)
    {
        // Nothing would ever report back: the menu must stay usable.
        FC_LOG("Could not open %s\n", VelLayout::kCharacterType);
        if (opened)
            manager->RemoveWindow(opened);
        SetChildrenEnabled(1);
        return;
    }
    dialog->SetOwner(this);
}

void Vel_UIWin_StartMenu::OpenLoadDialog()
{
    SetChildrenEnabled(0);
    const std::string extension = TextOr(kLoadExtensionText, VelClient::kCharacterExtension);
    UIFileDialog* dialog = UIFileDialog::Open(
        VelLayout::kFileDialog, TextOr(kLoadTitleText, ""),
        TextOr(kLoadFolderText, VelClient::kCharacterDialogFolder), "*" + extension, 0,
        UIFileDialog::kOpen, this, nullptr);
    if (!dialog)
    {
        SetChildrenEnabled(1);
        return;
    }
    dialog->Show(0, nullptr);
    dialog->Release(); // the window manager keeps it
}

void Vel_UIWin_StartMenu::GoToScreen(std::uint16_t state)
{
    if (VelClient* client = VelClient::GetInstance())
        client->GoToScreen(state);
    else
        FC_LOG("No client to go to screen %u\n", state);
}

void Vel_UIWin_StartMenu::HandleMessage(std::int16_t messageId, void* data)
{
    const auto code = static_cast<std::uint16_t>(messageId);
    // Only the dialogs' codes carry an owner record; a frame carries a tick.
    const bool dialogCode = code == UIMessage::kResultFileOpen ||
                            code == Vel_UIWin_CharacterType::kResultConfirmed ||
                            code == UIMessage::kResultClosed;
    const auto* record = dialogCode ? static_cast<const UIEvent*>(data) : nullptr;
    if (record && record->sender)
    {
        const std::uint16_t senderId = record->sender->GetId();
        if (code == UIMessage::kResultFileOpen && record->param1)
            LoadChosenFile(*reinterpret_cast<const std::string*>(record->param1),
                           dynamic_cast<UIFileDialog*>(record->sender));
        else if (code == Vel_UIWin_CharacterType::kResultConfirmed &&
                 senderId == Vel_UIWin_CharacterType::kWindowId)
            GoToScreen(VelClient::kNewCharacter);
        else if (code == UIMessage::kResultClosed &&
                 (senderId == Vel_UIWin_CharacterType::kWindowId || senderId == kFileDialogId))
            SetChildrenEnabled(1);
    }
    UIWindow::HandleMessage(messageId, data);
}

void Vel_UIWin_StartMenu::LoadChosenFile(const std::string& path, UIFileDialog* dialog)
{
    // Closing the dialog or switching screens may release this window.
    const auto hold = FCCountedRef<Vel_UIWin_StartMenu>::Share(this);
    VelClient* client = VelClient::GetInstance();
    VelCharacter* character = client ? client->LoadCharacter(path) : nullptr;
    if (!character)
    {
        ExplainLoadFailure(dialog);
        return;
    }
    VelClient::SetCurrentCharacter(character);
    character->Release();
    client->GoToScreen(VelClient::kCharacterWindow);
    // The open dialog waits for its owner to be done with the file.
    if (dialog)
        dialog->Close(1);
}

void Vel_UIWin_StartMenu::ExplainLoadFailure(UIFileDialog* dialog)
{
    UIMessageDialog* box =
        dialog ? UIMessageDialog::Create(VelLayout::kMessageDialog,
                                         TextOr(kLoadFailedCaptionText, ""),
                                         TextOr(kLoadFailedText, ""), dialog, UIMessageDialog::kOk)
               : nullptr;
    if (!box)
    {
        // Without a load dialog nothing would give the menu back; with one,
        // it stays open for another choice (Create has logged why).
        if (!dialog)
            SetChildrenEnabled(1);
        return;
    }
    box->Show(1, nullptr);
    box->Release(); // the window manager keeps it
}
