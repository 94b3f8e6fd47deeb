#pragma once

#include "Ui/UIListBox.h"

#include <cstdint>
#include <string>

class UITextControl;

// A list box whose rows are text controls made from a row template, one
// line of the template's font high.
class UITextListBox : public UIListBox
{
public:
    static constexpr std::uint16_t kClassCode = 150;

    UITextListBox();
    // Shares the source's row template.
    UITextListBox(const UITextListBox& other);
    ~UITextListBox() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // The list box, then the row font and the template's attributes; the
    // rows become one line of that font high.
    bool Load(FCFile& file) override;

    // A copy of the row template in that font, selected on release, sized
    // to the cell, showing the text. Null without a template or when the
    // list cannot take it.
    UITextControl* AddTextItem(const std::string& text, std::uint16_t rowFontId,
                               std::uint8_t relayout);
    UITextControl* GetRowTemplate() const { return rowTemplate; }
    std::uint16_t GetFontId() const { return fontId; }

protected:
    std::uint16_t fontId = 0;
    // One reference.
    UITextControl* rowTemplate = nullptr;
};
