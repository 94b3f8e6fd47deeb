#include "Ui/UIWindow.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCCountedRef.h"
#include "Fc/Core/FCDebugLog.h"
#include "Ui/UIMessages.h"
#include "Ui/UIWindowManager.h"

FC_REGISTER_CLASS(UIWindow);

UIWindow::UIWindow()
{
    typeCode = kClassCode;
}

UIWindow::UIWindow(std::uint16_t newId) : UIWindow()
{
    id = newId;
}

UIWindow::UIWindow(const UIWindow& other) : UIControl(other), owner(other.owner) {}

UIWindow::~UIWindow() = default;

std::string UIWindow::GetClassName() const
{
    return "UIWindow";
}
std::string UIWindow::GetTypeName() const
{
    return "UIWindow";
}
FCObject* UIWindow::Clone() const
{
    return new UIWindow(*this);
}
FCObject* UIWindow::CreateNew() const
{
    return new UIWindow();
}

UIWindow* UIWindow::CreateFromFile(const std::string& name, FCObject* newOwner)
{
    FCObject* object = FCClassRegistry::LoadObjectFromFile(name);
    if (!object)
    {
        FC_LOG("Could not load window %s\n", name.c_str());
        return nullptr;
    }
    auto* window = dynamic_cast<UIWindow*>(object);
    if (!window)
    {
        FC_LOG("Layout %s holds a %s, not a window\n", name.c_str(),
               object->GetClassName().c_str());
        object->Release();
        return nullptr;
    }
    window->SetOwner(newOwner);
    return window;
}

void UIWindow::DiscardWrongRoot(const std::string& name, UIWindow* window)
{
    FC_LOG("Layout %s holds a %s, not the dialog asked for\n", name.c_str(),
           window->GetClassName().c_str());
    window->Release();
}

void UIWindow::LogUnusableChild(std::uint16_t childId, const UIControl* found) const
{
    if (found)
        FC_LOG("Control %u of window %u is a %s, not the kind it needs\n", childId, id,
               found->GetClassName().c_str());
    else
        FC_LOG("Window %u has no control %u\n", id, childId);
}

void UIWindow::NotifyOwner(std::uint16_t code, std::uintptr_t param)
{
    SendToOwner(code, param & 0xFFFF);
}

void UIWindow::SendToOwner(std::uint16_t code, std::uintptr_t param)
{
    if (!owner)
        return;
    // The owner may close or release this window in its handler.
    const auto hold = FCCountedRef<UIWindow>::Share(this);
    UIEvent record(this, code, FCPoint(0, 0), param, 0);
    owner->HandleMessage(static_cast<std::int16_t>(code), &record);
}

bool UIWindow::IsOpen() const
{
    const UIWindowManager* manager = UIWindowManager::GetInstance();
    return manager && manager->IsOpen(this);
}

void UIWindow::Show(FCObject* newOwner)
{
    if (newOwner)
        owner = newOwner;
    closed = 0;
    if (UIWindowManager* manager = UIWindowManager::GetInstance())
    {
        manager->PushWindow(this, 0);
        manager->BringToFront(this);
    }
}

void UIWindow::Close(std::uint8_t notify)
{
    if (closed)
        return;
    closed = 1;
    // The stack may hold the last reference, and the owner may let go of
    // this window while it hears of the closing.
    const auto hold = FCCountedRef<UIWindow>::Share(this);
    if (notify)
        NotifyOwner(UIMessage::kResultClosed, 0);
    if (UIWindowManager* manager = UIWindowManager::GetInstance())
    {
        // Its message boxes go with it, unanswered.
        manager->CloseWindowsOwnedBy(this);
        manager->RemoveWindow(this);
    }
}

void UIWindow::Cancel()
{
    Close(1);
}
