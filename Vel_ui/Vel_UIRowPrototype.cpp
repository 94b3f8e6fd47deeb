#include "Vel_ui/Vel_UIRowPrototype.h"

#include "Vel_ui/Vel_UIItem.h"

Vel_UIItem* Vel_UIRowPrototype::Make(std::uint16_t kind, std::intptr_t key, const std::string& text)
{
    if (!tried)
    {
        tried = true;
        prototype = FCCountedRef<Vel_UIItem>::Adopt(Vel_UIItem::CreateFromLayout(layout));
    }
    if (!prototype)
        return nullptr;
    auto* row = dynamic_cast<Vel_UIItem*>(prototype->Clone());
    if (!row)
        return nullptr;
    row->kind = kind;
    row->key = key;
    row->SetColumnText(0, text);
    row->SetInputFlags(row->GetInputFlags() | UIControl::kReportEnterLeave);
    return row;
}
