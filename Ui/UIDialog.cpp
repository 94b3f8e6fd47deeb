#include "Ui/UIDialog.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Ui/UIWindowManager.h"

FC_REGISTER_CLASS(UIDialog);

UIDialog::UIDialog()
{
    typeCode = kClassCode;
}

UIDialog::UIDialog(std::uint16_t newId) : UIDialog()
{
    id = newId;
}

UIDialog::UIDialog(const UIDialog& other) = default;

UIDialog::~UIDialog() = default;

std::string UIDialog::GetClassName() const
{
    return "UIDialog";
}
std::string UIDialog::GetTypeName() const
{
    return "UIDialog";
}
FCObject* UIDialog::Clone() const
{
    return new UIDialog(*this);
}
FCObject* UIDialog::CreateNew() const
{
    return new UIDialog();
}

void UIDialog::NotifyOwner(std::uint16_t code, std::uintptr_t param)
{
    SendToOwner(code, param);
}

bool UIDialog::Show(std::uint8_t modal, FCObject* newOwner)
{
    UIWindow::Show(newOwner);
    if (modal)
        if (UIWindowManager* manager = UIWindowManager::GetInstance())
            manager->SetModal(this);
    return modal != 0;
}
