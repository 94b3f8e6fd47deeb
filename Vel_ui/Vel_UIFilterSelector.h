#pragma once

#include <cstdint>
#include <functional>

class UIComboBox;
class UIControl;
struct UIEvent;

// The filter selectors of the character pages: a combo box whose entries
// are copies of its item template, each naming one value by a string id.
namespace Vel_UIFilterSelector
{
using EntryStyle = std::function<void(UIControl& entry, std::int32_t value)>;

// Empties the selector, adds one entry for each value from first to last
// (the text of firstTextId + value - first, the value as its data), lets
// style restyle each entry, then selects the entry of selected as the
// program's own change (parameter 1), which the page does not answer.
void Fill(UIComboBox* selector, std::uint16_t firstTextId, std::int32_t first,
          std::int32_t last, std::int32_t selected, const EntryStyle& style = {});

// The value of the entry a user chose, from a change report (1002) of the
// selector; false for a report of another control, of no entry, or of the
// program's own selection (parameter 1).
bool UserChoice(UIComboBox* selector, const UIEvent& event, std::int32_t& value);
} // namespace Vel_UIFilterSelector
