#include "Ui/UITextListBox.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCTextLayout.h"
#include "Ui/UILayoutCodec.h"
#include "Ui/UIScrollFrame.h"
#include "Ui/UISlider.h"
#include "Ui/UITextControl.h"

FC_REGISTER_CLASS(UITextListBox);

UITextListBox::UITextListBox()
{
    typeCode = kClassCode;
}

UITextListBox::UITextListBox(const UITextListBox& other)
    : UIListBox(other), fontId(other.fontId), rowTemplate(other.rowTemplate)
{
    if (rowTemplate)
        rowTemplate->AddRef();
}

UITextListBox::~UITextListBox()
{
    if (rowTemplate)
        rowTemplate->Release();
}

std::string UITextListBox::GetClassName() const { return "UITextListBox"; }
std::string UITextListBox::GetTypeName() const { return "UITextListBox"; }
FCObject* UITextListBox::Clone() const { return new UITextListBox(*this); }
FCObject* UITextListBox::CreateNew() const { return new UITextListBox(); }

bool UITextListBox::Load(FCFile& file)
{
    if (!UIListBox::Load(file))
        return false;
    UITextListBoxRecord record;
    if (!UILayoutCodec::Read(file, record))
        return false;
    fontId = record.fontId;
    auto* made = new UITextControl(0, fontId, FCPoint(GetSize().x, 1));
    made->SetSizeMode(kSizeOwn);
    made->ApplyAttributes(record.attributes);
    if (rowTemplate)
        rowTemplate->Release();
    rowTemplate = made;
    FCFont* font = made->GetFont();
    if (!font)
    {
        // Rows without a font draw nothing; the list still loads.
        FC_LOG("Text list box %u has no font %u\n", id, fontId);
        return true;
    }
    const std::int32_t rowHeight = MeasureTextLine("|", *font).y;
    const std::int32_t frameWidth = frame ? frame->GetSize().x : 0;
    SetItemSize(static_cast<std::uint16_t>(frameWidth), static_cast<std::uint16_t>(rowHeight));
    if (UISlider* bar = GetScrollBar())
        bar->SetStep(rowHeight);
    return true;
}

UITextControl* UITextListBox::AddTextItem(const std::string& text, std::uint16_t rowFontId,
                                          std::uint8_t relayout)
{
    if (!rowTemplate)
        return nullptr;
    auto* row = dynamic_cast<UITextControl*>(rowTemplate->Clone());
    if (!row)
        return nullptr;
    row->SetFont(rowFontId);
    row->SetChangeMode(kOnRelease);
    row->SetSize(GetItemSize());
    row->SetText(text);
    return AddItem(row, relayout) ? row : nullptr;
}
