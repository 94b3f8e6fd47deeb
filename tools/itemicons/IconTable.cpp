#include "IconTable.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <sstream>

namespace
{
constexpr std::string_view kNone = "-";

std::vector<std::string> SplitWords(std::string_view line)
{
    std::vector<std::string> words;
    std::istringstream in{std::string(line)};
    for (std::string word; in >> word;)
    {
        if (word[0] == '#')
            break;
        words.push_back(word);
    }
    return words;
}

bool ParseColour(const std::string& text, std::uint32_t& rgb)
{
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return false;
    rgb = static_cast<std::uint32_t>(std::stoul(text, nullptr, 16));
    return true;
}

// An icon is written straight into the output folder: its name is a plain
// file name, never a path out of it.
bool IsPlainJpegName(const std::string& name)
{
    constexpr std::string_view kExtension = ".jpg";
    return name.size() > kExtension.size() && name.find_first_of("/\\") == std::string::npos &&
           name.compare(name.size() - kExtension.size(), kExtension.size(), kExtension) == 0;
}

bool IsDrawingName(const std::string& name)
{
    return !name.empty() && name[0] != '.' && name.find_first_of("/\\") == std::string::npos;
}
} // namespace

const IconRow* IconTable::Find(std::string_view icon) const
{
    const auto found =
        std::find_if(rows.begin(), rows.end(), [icon](const IconRow& row) { return row.icon == icon; });
    return found == rows.end() ? nullptr : &*found;
}

bool ParseIconTable(std::string_view text, const std::string& source, IconTable& table,
                    std::vector<std::string>& errors)
{
    const std::size_t errorsBefore = errors.size();
    table = IconTable{};
    std::set<std::string> icons;
    // Rows may name tints and marks declared further down, so they are
    // checked once the whole table is read.
    std::istringstream in{std::string(text)};
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);)
    {
        ++lineNumber;
        const auto fail = [&](const std::string& message) {
            errors.push_back(source + ":" + std::to_string(lineNumber) + ": " + message);
        };
        const std::vector<std::string> words = SplitWords(line);
        if (words.empty())
            continue;
        const std::string& head = words[0];
        if (head == "plate")
        {
            if (words.size() != 2 || !IsDrawingName(words[1]))
                fail("expected: plate DRAWING");
            else if (!table.plate.empty())
                fail("a second plate");
            else
                table.plate = words[1];
        }
        else if (head == "tint")
        {
            std::uint32_t rgb = 0;
            if (words.size() != 3 || !ParseColour(words[2], rgb))
                fail("expected: tint NAME RRGGBB");
            else if (words[1] == kNone || !table.tints.emplace(words[1], rgb).second)
                fail("tint \"" + words[1] + "\" given twice or reserved");
        }
        else if (head == "mark")
        {
            if (words.size() != 3 || !IsDrawingName(words[2]))
                fail("expected: mark NAME DRAWING");
            else if (words[1] == kNone || !table.marks.emplace(words[1], words[2]).second)
                fail("mark \"" + words[1] + "\" given twice or reserved");
        }
        else if (head == "variant")
        {
            if (words.size() != 3 || !IsPlainJpegName(words[1]) || !IsPlainJpegName(words[2]))
                fail("expected: variant ICON.jpg KIND.jpg");
            else if (words[1] == words[2] || !table.variants.emplace(words[1], words[2]).second)
                fail("variant " + words[1] + " given twice or of itself");
        }
        else if (words.size() != 4 || !IsPlainJpegName(head) || !IsDrawingName(words[1]))
        {
            fail("expected: ICON.jpg DRAWING TINT MARK");
        }
        else if (!icons.insert(head).second)
        {
            fail("a second row for " + head);
        }
        else
        {
            table.rows.push_back(IconRow{head, words[1], words[2] == kNone ? std::string() : words[2],
                                         words[3] == kNone ? std::string() : words[3], lineNumber});
        }
    }
    if (table.plate.empty())
        errors.push_back(source + ": no plate line");
    for (const IconRow& row : table.rows)
    {
        const std::string where = source + ":" + std::to_string(row.line) + ": ";
        if (!row.tint.empty() && !table.tints.count(row.tint))
            errors.push_back(where + "unknown tint \"" + row.tint + "\"");
        if (!row.mark.empty() && !table.marks.count(row.mark))
            errors.push_back(where + "unknown mark \"" + row.mark + "\"");
    }
    for (const auto& [variant, kind] : table.variants)
    {
        if (!table.Find(variant) || !table.Find(kind))
            errors.push_back(source + ": variant " + variant + " of " + kind + " names an icon without a row");
        else if (table.variants.count(kind))
            errors.push_back(source + ": variant " + variant + " of " + kind + ", itself a variant");
    }
    return errors.size() == errorsBefore;
}

bool CheckIconNames(const IconTable& table, const std::vector<std::string>& itemIcons,
                    const std::string& source, std::vector<std::string>& errors)
{
    const std::size_t errorsBefore = errors.size();
    const std::set<std::string> named(itemIcons.begin(), itemIcons.end());
    for (const std::string& icon : named)
    {
        if (!table.Find(icon))
            errors.push_back(source + ": no row for " + icon + ", which an item names");
    }
    for (const IconRow& row : table.rows)
    {
        if (!named.count(row.icon))
            errors.push_back(source + ":" + std::to_string(row.line) + ": no item names " + row.icon);
    }
    return errors.size() == errorsBefore;
}

bool CheckIconSharing(const IconTable& table, const std::vector<ItemIcon>& items,
                      const std::string& source, std::vector<std::string>& errors)
{
    const std::size_t errorsBefore = errors.size();
    // Arms first, so that a goods icon is checked against every weapon too.
    std::vector<ItemIcon> ordered;
    for (const IconGroup group : {IconGroup::Arms, IconGroup::Goods})
        std::copy_if(items.begin(), items.end(), std::back_inserter(ordered),
                     [group](const ItemIcon& item) { return item.group == group; });

    std::map<std::string, std::string> kindOfDrawing;
    std::map<std::string, std::string> iconOfPicture;
    std::set<std::string> seen;
    for (const ItemIcon& item : ordered)
    {
        const IconRow* row = table.Find(item.icon);
        // Items sharing one icon file are one object.
        if (!row || !seen.insert(item.icon).second)
            continue;
        const std::string where = source + ":" + std::to_string(row->line) + ": ";
        if (item.group == IconGroup::Arms)
        {
            const auto variant = table.variants.find(item.icon);
            const std::string& kind = variant == table.variants.end() ? item.icon : variant->second;
            const auto [drawn, first] = kindOfDrawing.emplace(row->drawing, kind);
            if (!first && drawn->second != kind)
                errors.push_back(where + item.icon + " is drawn as " + row->drawing + ", like " +
                                 drawn->second + ", another kind");
        }
        const std::string picture = row->drawing + " " + row->tint + " " + row->mark;
        const auto [shown, first] = iconOfPicture.emplace(picture, item.icon);
        if (!first && item.group == IconGroup::Goods)
            errors.push_back(where + item.icon + " has the picture of " + shown->second);
    }
    return errors.size() == errorsBefore;
}
