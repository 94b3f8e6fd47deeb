#pragma once

#include "Ui/UIControl.h"

#include <cstdint>
#include <string>

class UIComboBox;
class UITextControl;
class VelCharacter;
class VelInfo;
class VelSchoolInfo;
class Vel_UIItem;

// Small operations the spells, school and animal pages share on the
// controls their layouts give them. Each takes null for a control the
// layout lacks and then does nothing, so a page with a damaged layout still
// opens.
namespace Vel_UIPagePart
{
// Shows or hides the control and marks its place for the next paint, so
// that what it covered is drawn again.
void Show(UIControl* control, bool show);
void SetText(UITextControl* text, const std::string& value);
void SetTextId(UITextControl* text, std::uint16_t stringId);
// The text of a string-table id; empty when the asset index lacks it.
std::string TextOf(std::uint16_t stringId);

// The window's shared picture shows the icon of that name; a picture that
// cannot be loaded leaves it empty and is logged, once for each name.
void ShowIcon(const std::string& iconName);

// Empties the combo box's list, for entries AddEntry appends: copies of its
// item template with a text and data (null when it has no template).
void ClearCombo(UIComboBox* combo);
UIControl* AddEntry(UIComboBox* combo, const std::string& text, std::uint32_t data);
// An entry's font variant: 1 draws it ash, as what cannot be chosen.
void SetEntryVariant(UIControl* entry, std::int16_t variant);
// Selects the entry with the data as the program's own change (first
// parameter 1, which the pages ignore); with no such entry nothing is
// selected and the display is emptied.
void SelectByData(UIComboBox* combo, std::uint32_t data);

void SetRowText(Vel_UIItem* row, const std::string& text);
// A row clone of the prototype with its first cell's text; null without a
// prototype. The caller holds the one reference.
template <class Row> Row* CloneRow(const Row* prototype, const std::string& text)
{
    if (!prototype)
        return nullptr;
    auto* row = static_cast<Row*>(prototype->Clone());
    SetRowText(row, text);
    return row;
}
// The record of a table (a map) that a row's key refers to, or null. The
// key is compared with the table's records rather than followed, so a row
// of another kind never leads into memory that holds no record.
const VelInfo* RecordOfRow(const UIControl* row, std::uint16_t tag);
// Whether the control is a row of that kind.
bool IsRowOfKind(const UIControl* control, std::uint16_t kind);

// The school a school slot names: null for an empty slot, for Universal
// and below (never a specialty nor given up) and for a key the school table
// does not have, which therefore reads as empty.
const VelSchoolInfo* SchoolInSlot(const VelCharacter& character, std::int16_t slot);
// Whether the character gave up the school, read the same way.
bool IsProhibited(const VelCharacter& character, std::int16_t schoolId);

// The program's own selection of a group member (first parameter 1).
void SelectMember(UIControl* group, std::uint16_t memberId);
} // namespace Vel_UIPagePart
