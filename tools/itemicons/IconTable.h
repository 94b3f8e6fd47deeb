#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The item icon table: which drawing each icon is made from, the colour its
// material takes and the mark set in its corner. A readable text, one entry
// a line, '#' starting a comment:
//
//   plate DRAWING              the ground every icon is drawn on
//   tint NAME RRGGBB           a material colour rows may name
//   mark NAME DRAWING          a corner mark rows may name
//   ICON.jpg DRAWING TINT MARK one icon; "-" for no tint or no mark
//   variant ICON.jpg KIND.jpg  ICON's item is KIND's item in another
//                              material or make, and may share its drawing
struct IconRow
{
    std::string icon;
    std::string drawing;
    // Empty: the drawing's own colours.
    std::string tint;
    // Empty: no mark.
    std::string mark;
    int line = 0;
};

struct IconTable
{
    std::string plate;
    std::map<std::string, std::uint32_t> tints;
    // Mark name to the drawing that shows it.
    std::map<std::string, std::string> marks;
    std::vector<IconRow> rows;
    // Variant icon to the icon of its kind.
    std::map<std::string, std::string> variants;

    // The row making icon, or null.
    const IconRow* Find(std::string_view icon) const;
};

// Parses the table's text; each problem adds "SOURCE:LINE: message" to
// errors, and any problem makes the result false.
bool ParseIconTable(std::string_view text, const std::string& source, IconTable& table,
                    std::vector<std::string>& errors);

// Compares the table with the icon names the items use: a name without a row
// and a row no item names are both errors ("SOURCE: ...").
bool CheckIconNames(const IconTable& table, const std::vector<std::string>& itemIcons,
                    const std::string& source, std::vector<std::string>& errors);

// What an icon's items are, as far as sharing a picture goes.
enum class IconGroup
{
    // Weapons, armour and shields: each kind has a drawing of its own.
    Arms,
    // Ordinary goods: different objects never share a picture.
    Goods,
    // Magic items, which are drawn as the thing they are made from.
    Other,
};

struct ItemIcon
{
    std::string icon;
    IconGroup group = IconGroup::Other;
};

// Checks that weapons, armour and shields of different kinds (icons not
// declared variants of one kind) are made from different drawings, and that
// no goods icon is composed like another weapon's, armour's or goods' icon.
// Each clash is an error ("SOURCE:LINE: ..."). Icons without a row are left
// to CheckIconNames.
bool CheckIconSharing(const IconTable& table, const std::vector<ItemIcon>& items,
                      const std::string& source, std::vector<std::string>& errors);
