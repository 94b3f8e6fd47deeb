#include "SheetFormFiller.h"

#include "Fc/Core/FCWindows1252.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelSkillInfo.h"

#include <algorithm>
#include <charconv>

namespace
{
constexpr std::string_view kOpen = "{{";
constexpr std::string_view kClose = "}}";

std::string EscapeXml(const std::string& text)
{
    std::string out;
    for (const char c : text)
    {
        switch (c)
        {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

int LineAt(const std::string& text, std::size_t offset)
{
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}
} // namespace

bool SheetFormFiller::Fill(const std::string& form, std::string& out, std::string& error) const
{
    out.clear();
    std::size_t at = 0;
    while (true)
    {
        const std::size_t open = form.find(kOpen, at);
        out.append(form, at, open == std::string::npos ? std::string::npos : open - at);
        if (open == std::string::npos)
            return true;
        const std::string where = "line " + std::to_string(LineAt(form, open)) + ": ";
        const std::size_t close = form.find(kClose, open);
        if (close == std::string::npos)
        {
            error = where + "a placeholder is left open";
            return false;
        }
        const std::string inside = form.substr(open + kOpen.size(), close - open - kOpen.size());
        const std::size_t colon = inside.find(':');
        const std::string kind = inside.substr(0, colon);
        int number = -1;
        const char* first = colon == std::string::npos ? nullptr : inside.data() + colon + 1;
        const char* last = inside.data() + inside.size();
        if (!first || first == last || std::from_chars(first, last, number).ptr != last ||
            number < 0)
        {
            error = where + "\"" + inside + "\" is not KIND:NUMBER";
            return false;
        }
        if (kind != "class" && kind != "skill")
        {
            error = where + "no names of the kind \"" + kind + "\"";
            return false;
        }
        std::string name;
        if (lookup(kind, number, name))
            out += EscapeXml(Windows1252ToUtf8(name));
        at = close + kClose.size();
    }
}

SheetFormFiller::Lookup SheetFormFiller::FromDatabase()
{
    return [](const std::string& kind, int number, std::string& name) {
        if (kind == "class")
        {
            const VelClassInfo* info = VelDatabase::FindClass(static_cast<std::uint16_t>(number));
            if (info)
                name = info->name;
            return info != nullptr;
        }
        // Sheet rows are signed: -1 is a skill that has no row of its own.
        FCObjectMap* skills = VelDatabase::GetMap(VelDatabase::kTagSkill);
        if (!skills)
            return false;
        FCObject* object = nullptr;
        FCObjectMap::Cursor walk = skills->First();
        while (skills->GetNext(object, &walk))
        {
            const auto* skill = static_cast<const VelSkillInfo*>(object);
            if (static_cast<std::int16_t>(skill->sheetRow) == number)
            {
                name = skill->GetDisplayName();
                return true;
            }
        }
        return false;
    };
}
