#pragma once

#include "Ui/UIWindow.h"

#include <cstdint>
#include <string>

// A window that can be shown modal and reports its results to the owner
// with the parameter kept at full pointer width.
class UIDialog : public UIWindow
{
public:
    static constexpr std::uint16_t kClassCode = 155;

    UIDialog();
    explicit UIDialog(std::uint16_t newId);
    UIDialog(const UIDialog& other);
    ~UIDialog() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;

    // The parameter kept whole.
    void NotifyOwner(std::uint16_t code, std::uintptr_t param) override;
    using UIWindow::Show;
    // As UIWindow::Show; with modal the dialog becomes the window manager's
    // modal window. Gives modal.
    virtual bool Show(std::uint8_t modal, FCObject* newOwner);
};
