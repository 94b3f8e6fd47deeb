#include "Ui/UIText.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Graphics/FCFont.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Fc/Graphics/FCTextLayout.h"
#include "Ui/UILayoutCodec.h"

#include <array>

FC_REGISTER_CLASS(UIText);

namespace
{
struct AttributeFlag
{
    std::int16_t code;
    std::uint32_t flag;
};

constexpr std::array kAttributeFlags{
    AttributeFlag{0, 0x001},  AttributeFlag{1, 0x002},  AttributeFlag{2, 0x004},
    AttributeFlag{3, 0x008},  AttributeFlag{4, 0x010},  AttributeFlag{5, 0x020},
    AttributeFlag{10, 0x040}, AttributeFlag{13, 0x080}, AttributeFlag{18, 0x100},
    AttributeFlag{21, 0x200}, AttributeFlag{22, 0x400},
};
} // namespace

UIText::UIText()
{
    typeCode = kClassCode;
}

UIText::UIText(std::uint16_t newId, FCFont* newFont) : FCTextBlock(newFont)
{
    typeCode = kClassCode;
    id = newId;
}

UIText::UIText(const UIText& other) : UIDisplayObject(other), FCTextBlock(other) {}

UIText::~UIText() = default;

std::string UIText::GetClassName() const { return "UIText"; }
std::string UIText::GetTypeName() const { return "UIText"; }
FCObject* UIText::Clone() const { return new UIText(*this); }
FCObject* UIText::CreateNew() const { return new UIText(); }

bool UIText::Load(FCFile& file)
{
    UIDisplayObjectRecord record;
    if (!UILayoutCodec::Read(file, record))
        return false;
    UIDisplayObject::Apply(record);
    return LoadText(file) && LoadAttributes(file);
}

bool UIText::LoadText(FCFile& file)
{
    UITextContentRecord record;
    if (!UILayoutCodec::Read(file, record))
        return false;
    Apply(record);
    return true;
}

void UIText::Apply(const UITextContentRecord& record)
{
    FCResourceManager* resources = FCResourceManager::GetInstance();
    static const std::string kNone;
    const std::string* value = &record.text;
    if (record.stringId > 0)
    {
        const std::string* stored = resources ? resources->GetString(record.stringId) : nullptr;
        value = stored ? stored : &kNone;
    }
    SetFont(resources ? resources->GetFont(record.fontId) : nullptr);
    SetText(*value);
}

bool UIText::LoadAttributes(FCFile& file)
{
    UITextAttributesRecord record;
    if (!UILayoutCodec::Read(file, record))
        return false;
    for (std::uint16_t code : record.codes)
        ApplyAttribute(static_cast<std::int16_t>(code), file);
    return true;
}

std::uint32_t UIText::FlagOfAttribute(std::int16_t code)
{
    for (const AttributeFlag& entry : kAttributeFlags)
        if (entry.code == code)
            return entry.flag;
    return 0;
}

bool UIText::ApplyAttribute(std::int16_t code, FCFile&)
{
    const std::uint32_t flag = FlagOfAttribute(code);
    if (flag == 0)
        return false;
    SetFormatFlags(GetFormatFlags() | flag);
    return true;
}

FCPoint UIText::GetSize() const
{
    if (sizeMode != kSizeContent)
        return UIDisplayObject::GetSize();
    FCFont* font = GetFont();
    return font ? MeasureTextLine(GetText(), *font) : FCPoint(0, 0);
}

void UIText::Draw(FCImageBuffer* target, const FCRect& clip)
{
    if (!target || !IsVisible())
        return;
    const FCRect screen = GetScreenRect();
    FCRect overlap;
    if (!overlap.Intersect(screen, clip))
        return;
    FCTextBlock::Draw(*target, FCPoint(screen.left, screen.top),
                      FCPoint(static_cast<std::int32_t>(screen.Width()), static_cast<std::int32_t>(screen.Height())),
                      clip);
}

bool UIText::HitTest(FCPoint) { return false; }

void UIText::OnChanged() { Invalidate(); }
