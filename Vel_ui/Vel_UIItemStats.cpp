#include "Vel_ui/Vel_UIItemStats.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UITextControl.h"

Vel_UIItemStats::~Vel_UIItemStats() = default;

bool Vel_UIItemStats::Load(FCFile& file)
{
    if (!UIControl::Load(file))
        return false;
    BindFields(true);
    return true;
}

void Vel_UIItemStats::BindRange(std::span<UITextControl*> fields, std::uint16_t firstId,
                                bool logMissing)
{
    for (std::size_t i = 0; i < fields.size(); ++i)
    {
        const auto fieldId = static_cast<std::uint16_t>(firstId + i);
        fields[i] = dynamic_cast<UITextControl*>(FindDescendant(fieldId));
        if (!fields[i] && logMissing)
            FC_LOG("Statistics box %u has no text field %u\n", id, fieldId);
    }
}

void Vel_UIItemStats::ShowText(UITextControl* field, const std::string& text)
{
    if (field)
        field->SetText(text);
}

void Vel_UIItemStats::ShowNumber(UITextControl* field, std::int32_t value)
{
    if (field)
        field->SetLong(value);
}

void Vel_UIItemStats::ShowBonus(UITextControl* field, std::int32_t value)
{
    if (value > 0)
        ShowNumber(field, value);
    else
        ShowText(field, "-");
}

void Vel_UIItemStats::Clear(std::span<UITextControl* const> fields)
{
    for (UITextControl* field : fields)
        ShowText(field, std::string());
}

const std::string* Vel_UIItemStats::TextOf(std::int32_t textId)
{
    const FCResourceManager* resources = FCResourceManager::GetInstance();
    if (!resources || textId < 0 || textId > 0xFFFF)
        return nullptr;
    return resources->GetString(static_cast<std::uint16_t>(textId));
}
