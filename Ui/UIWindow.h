#pragma once

#include "Ui/UIControl.h"

#include <cstdint>
#include <string>

// Root of a control tree on the window manager's stack, with an owner: the
// object told what happened to the window. The owner receives a UIEvent
// through its HandleMessage: type the result code, sender the window, param1
// the parameter. A window loads from a layout as a plain control.
class UIWindow : public UIControl
{
public:
    static constexpr std::uint16_t kClassCode = 104;

    UIWindow();
    explicit UIWindow(std::uint16_t newId);
    // Keeps the owner; a copy is not open and has not been closed.
    UIWindow(const UIWindow& other);
    ~UIWindow() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;

    // The window a layout file holds, with the owner set; one reference for
    // the caller. Null (logged) when the file is absent or its root is not
    // a window.
    static UIWindow* CreateFromFile(const std::string& name, FCObject* newOwner);
    // The same for a layout whose root must be a T (a class derived from
    // UIWindow); a root of another class is released and gives null.
    template <class T> static T* CreateFromFileAs(const std::string& name, FCObject* newOwner)
    {
        UIWindow* window = CreateFromFile(name, newOwner);
        if (auto* typed = dynamic_cast<T*>(window))
            return typed;
        if (window)
            DiscardWrongRoot(name, window);
        return nullptr;
    }

    // Nothing without an owner. A plain window passes the low 16 bits of
    // param; dialogs pass it whole, so that it can carry a pointer.
    virtual void NotifyOwner(std::uint16_t code, std::uintptr_t param);
    // Whether the window is on the window manager's stack.
    virtual bool IsOpen() const;
    // A non-null owner replaces the owner; pushed (not modal) and brought
    // to the front.
    virtual void Show(FCObject* newOwner);
    // With notify the owner first gets 28; then the windows it owns close
    // unanswered and the window leaves the stack.
    // Once closed, a window closes again silently until it is shown anew.
    virtual void Close(std::uint8_t notify);
    // What the user's own way out of the window does, for when the program
    // must get it out of the way (the program is closing): here a close
    // that the owner hears of.
    virtual void Cancel();

    FCObject* GetOwner() const { return owner; }
    void SetOwner(FCObject* newOwner) { owner = newOwner; }

protected:
    // The control with that id when it is a T, else null: logged when it is
    // of another class, and with logMissing when there is none. A direct
    // child comes first, since the parts of a list share ids with a
    // dialog's own controls (130 is a scroll control's frame).
    template <class T> T* FindDescendantAs(std::uint16_t childId, bool logMissing) const
    {
        UIControl* found = FindChild(childId);
        if (!found)
            found = FindDescendant(childId);
        auto* typed = dynamic_cast<T*>(found);
        if (!typed && (found || logMissing))
            LogUnusableChild(childId, found);
        return typed;
    }
    void LogUnusableChild(std::uint16_t childId, const UIControl* found) const;
    // The owner's HandleMessage with the record, the window held meanwhile.
    void SendToOwner(std::uint16_t code, std::uintptr_t param);
    static void DiscardWrongRoot(const std::string& name, UIWindow* window);

    // Not owned: the opener keeps it alive while the window is open.
    FCObject* owner = nullptr;
    // Set by Close, cleared by Show: a second Close sends no second 28.
    std::uint8_t closed = 0;
};
