#include "LayoutSource.h"

#include "LayoutNames.h"

#include "Fc/Core/FCWindows1252.h"
#include "tools/common/ToolFiles.h"

#include <yaml-cpp/yaml.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <span>
#include <sstream>

namespace
{
// Templates may build on templates; a cycle must not recurse for ever.
constexpr int kMaxTemplateDepth = 16;

class SourceReader
{
public:
    SourceReader(std::string name, std::vector<std::string>& errorList)
        : sourceName(std::move(name)), errors(errorList)
    {
    }

    bool Read(const YAML::Node& document, UILayoutNode& root)
    {
        if (!document.IsMap())
            return Fail(document, "a layout source is a map with \"layout\"");
        for (const auto& entry : document)
        {
            const std::string key = entry.first.Scalar();
            if (key != "ids" && key != "templates" && key != "layout")
                Fail(entry.first, "unknown top-level key \"" + key + "\"");
        }
        if (const YAML::Node ids = document["ids"])
            ReadIds(ids);
        if (const YAML::Node list = document["templates"])
        {
            if (!list.IsMap())
                Fail(list, "templates are a map of name to node");
            else
                for (const auto& entry : list)
                    templates[entry.first.Scalar()] = entry.second;
        }
        const YAML::Node layout = document["layout"];
        if (!layout)
            return Fail(document, "no \"layout\"");
        ReadNode(layout, root, 0);
        if (errors.empty() && !root.isControl)
            Fail(layout, "the root of a layout must be a control");
        return errors.empty();
    }

private:
    bool Fail(const YAML::Node& where, const std::string& message)
    {
        std::ostringstream text;
        text << sourceName << ':' << (where.Mark().line + 1) << ": " << message;
        errors.push_back(text.str());
        return false;
    }

    void ReadIds(const YAML::Node& ids)
    {
        if (!ids.IsMap())
        {
            Fail(ids, "ids are a map of name to number");
            return;
        }
        for (const auto& entry : ids)
        {
            std::int64_t value = 0;
            if (!ParseNumber(entry.second, value) || value < 0 || value > 0xFFFF)
                Fail(entry.second, "id \"" + entry.first.Scalar() + "\" must be a number from 0 to 65535");
            else if (!names.emplace(entry.first.Scalar(), value).second)
                Fail(entry.first, "id \"" + entry.first.Scalar() + "\" named twice");
        }
    }

    static bool ParseNumber(const YAML::Node& node, std::int64_t& value)
    {
        if (!node.IsScalar())
            return false;
        std::string_view text = node.Scalar();
        bool negative = false;
        if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        {
            negative = text[0] == '-';
            text.remove_prefix(1);
        }
        int base = 10;
        if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        {
            base = 16;
            text.remove_prefix(2);
        }
        std::uint64_t magnitude = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
        if (text.empty() || error != std::errc() || end != text.data() + text.size() || magnitude > 0xFFFFFFFFull)
            return false;
        value = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
        return true;
    }

    // A number, or a name from the ids table.
    bool Integer(const YAML::Node& node, const std::string& field, std::int64_t low, std::int64_t high,
                 std::int64_t& value)
    {
        if (!ParseNumber(node, value))
        {
            const auto named = node.IsScalar() ? names.find(node.Scalar()) : names.end();
            if (named == names.end())
                return Fail(node, field + ": expected a number or a named id");
            value = named->second;
        }
        if (value >= low && value <= high)
            return true;
        return Fail(node, field + " out of range " + std::to_string(low) + ".." + std::to_string(high));
    }

    template <class T>
    void Field(const YAML::Node& map, const char* key, T& target)
    {
        const YAML::Node node = map[key];
        if (!node)
            return;
        std::int64_t value = 0;
        if (Integer(node, key, std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), value))
            target = static_cast<T>(value);
    }

    // A list of symbolic names ORed together, or a number.
    template <std::size_t N>
    void Flags(const YAML::Node& map, const char* key, const LayoutName (&table)[N], std::uint32_t& target)
    {
        const YAML::Node node = map[key];
        if (!node)
            return;
        std::int64_t number = 0;
        if (ParseNumber(node, number))
        {
            if (number < 0 || number > 0xFFFFFFFFll)
                Fail(node, std::string(key) + " out of range");
            else
                target = static_cast<std::uint32_t>(number);
            return;
        }
        const std::vector<YAML::Node> items = node.IsSequence() ? std::vector<YAML::Node>(node.begin(), node.end())
                                                                : std::vector<YAML::Node>{node};
        std::uint32_t value = 0;
        for (const YAML::Node& item : items)
        {
            std::uint32_t bit = 0;
            if (item.IsScalar() && std::string_view(key) == "mask" && item.Scalar() == "always")
                bit = kMaskAlways;
            else if (!item.IsScalar() || !FindLayoutName(table, item.Scalar(), bit))
            {
                Fail(item, std::string("unknown ") + key + " flag \"" + (item.IsScalar() ? item.Scalar() : "") + "\"");
                continue;
            }
            value |= bit;
        }
        target = value;
    }

    template <std::size_t N>
    bool Symbol(const YAML::Node& node, const char* what, const LayoutName (&table)[N], std::int64_t low,
                std::int64_t high, std::int64_t& value)
    {
        std::uint32_t named = 0;
        if (node.IsScalar() && FindLayoutName(table, node.Scalar(), named))
        {
            value = named;
            return true;
        }
        return Integer(node, what, low, high, value);
    }

    void Colour(const YAML::Node& node, UIFillRecord& fill)
    {
        if (!node)
            return;
        std::int64_t channels[3] = {};
        if (node.IsSequence() && node.size() == 3)
        {
            for (std::size_t i = 0; i < 3; ++i)
                if (!Integer(node[i], "colour", 0, 255, channels[i]))
                    return;
        }
        else if (node.IsScalar() && node.Scalar().size() == 7 && node.Scalar()[0] == '#')
        {
            std::uint32_t rgb = 0;
            const std::string& text = node.Scalar();
            const auto [end, error] = std::from_chars(text.data() + 1, text.data() + 7, rgb, 16);
            if (error != std::errc() || end != text.data() + 7)
            {
                Fail(node, "colour: expected \"#rrggbb\"");
                return;
            }
            channels[0] = (rgb >> 16) & 0xFF;
            channels[1] = (rgb >> 8) & 0xFF;
            channels[2] = rgb & 0xFF;
        }
        else
        {
            Fail(node, "colour: expected [red, green, blue] or \"#rrggbb\"");
            return;
        }
        fill.red = static_cast<std::uint8_t>(channels[0]);
        fill.green = static_cast<std::uint8_t>(channels[1]);
        fill.blue = static_cast<std::uint8_t>(channels[2]);
    }

    // Copies a template under the node's own keys.
    bool Expand(const YAML::Node& node, YAML::Node& expanded, int depth)
    {
        const YAML::Node use = node["use"];
        if (!use)
        {
            expanded = node;
            return true;
        }
        if (depth >= kMaxTemplateDepth)
            return Fail(node, "templates nested too deeply (a template that uses itself?)");
        const auto found = templates.find(use.Scalar());
        if (!use.IsScalar() || found == templates.end())
            return Fail(use, "unknown template \"" + (use.IsScalar() ? use.Scalar() : std::string()) + "\"");
        if (!found->second.IsMap())
            return Fail(found->second, "a template is a map");
        YAML::Node base;
        if (!Expand(found->second, base, depth + 1))
            return false;
        expanded = YAML::Node(YAML::NodeType::Map);
        for (const auto& entry : base)
            expanded[entry.first.Scalar()] = entry.second;
        for (const auto& entry : node)
            if (entry.first.Scalar() != "use")
                expanded[entry.first.Scalar()] = entry.second;
        return true;
    }

    bool CheckKeys(const YAML::Node& node, std::initializer_list<std::string_view> allowed,
                   std::span<const std::string_view> more = {})
    {
        bool ok = true;
        for (const auto& entry : node)
        {
            const std::string key = entry.first.Scalar();
            bool known = false;
            for (std::string_view name : allowed)
                known = known || name == key;
            for (std::string_view name : more)
                known = known || name == key;
            if (!known)
                ok = Fail(entry.first, "unknown key \"" + key + "\" here");
        }
        return ok;
    }

    // true/false or a number from 0 to 255.
    void Byte(const YAML::Node& map, const char* key, std::uint8_t& target)
    {
        const YAML::Node node = map[key];
        if (!node)
            return;
        bool value = false;
        std::int64_t number = 0;
        if (YAML::convert<bool>::decode(node, value))
            target = value ? 1 : 0;
        else if (Integer(node, key, 0, 255, number))
            target = static_cast<std::uint8_t>(number);
    }

    void Flags16(const YAML::Node& map, const char* key, std::uint16_t& target)
    {
        std::uint32_t value = target;
        Flags(map, key, kAxisNames, value);
        if (value > 0xFFFF)
            Fail(map[key], std::string(key) + " out of range");
        target = static_cast<std::uint16_t>(value);
    }

    bool Double(const YAML::Node& node, const std::string& field, double& value)
    {
        if (node.IsScalar())
        {
            const std::string& text = node.Scalar();
            const char* begin = text.data() + (!text.empty() && text[0] == '+' ? 1 : 0);
            const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
            if (error == std::errc() && end == text.data() + text.size() && std::isfinite(value))
                return true;
        }
        return Fail(node, field + ": expected a finite number");
    }

    void Content(const YAML::Node& node, UITextContentRecord& content)
    {
        Field(node, "stringId", content.stringId);
        Field(node, "font", content.fontId);
        if (const YAML::Node value = node["text"])
        {
            std::size_t badOffset = 0;
            if (!value.IsScalar() || !Utf8ToWindows1252(value.Scalar(), content.text, badOffset))
                Fail(value, "text: not representable in the program's character set");
        }
    }

    // A text field's attributes: names or codes, and {name: value} for the
    // codes that carry one in this class.
    void FieldAttributes(const YAML::Node& node, UIFieldAttributesRecord& record, UILayoutCodec::FieldCodes codes)
    {
        if (const YAML::Node list = node["attributes"])
        {
            const std::vector<YAML::Node> items = list.IsSequence()
                                                      ? std::vector<YAML::Node>(list.begin(), list.end())
                                                      : std::vector<YAML::Node>{list};
            for (const YAML::Node& item : items)
            {
                const bool withValue = item.IsMap() && item.size() == 1;
                const YAML::Node codeNode = withValue ? item.begin()->first : item;
                std::int64_t code = 0;
                if (!Symbol(codeNode, "attribute", kFieldAttributeNames, 0, INT16_MAX, code))
                    continue;
                UIFieldAttribute attribute;
                attribute.code = static_cast<std::int16_t>(code);
                const bool margin = UILayoutCodec::HasMarginValue(attribute.code);
                const bool number = UILayoutCodec::HasNumberValue(attribute.code, codes);
                if (withValue != (margin || number))
                {
                    Fail(item, withValue ? "this attribute carries no value here"
                                         : "this attribute needs a value: {name: value}");
                    continue;
                }
                std::int64_t value = 0;
                if (margin && Integer(item.begin()->second, "margin", 0, 0xFFFF, value))
                    attribute.value = static_cast<std::uint16_t>(value);
                if (number)
                    Double(item.begin()->second, "number", attribute.number);
                record.codes.push_back(attribute);
            }
        }
        if (const YAML::Node end = node["attributesEnd"])
        {
            std::int64_t value = 0;
            if (Integer(end, "attributesEnd", INT16_MIN, -1, value))
                record.end = static_cast<std::int16_t>(value);
        }
    }

    // The keys and records of control classes with data of their own.
    static std::span<const std::string_view> OwnKeys(UILayoutCodec::PayloadKind kind)
    {
        using Kind = UILayoutCodec::PayloadKind;
        static constexpr std::string_view button[] = {"buttonType"};
        static constexpr std::string_view slider[] = {"linked", "orientation"};
        static constexpr std::string_view scroll[] = {"scrollBars"};
        static constexpr std::string_view list[] = {"scrollBars", "items"};
        static constexpr std::string_view textList[] = {"scrollBars", "items", "font", "attributes", "attributesEnd"};
        static constexpr std::string_view field[] = {"stringId", "text", "font", "attributes", "attributesEnd"};
        static constexpr std::string_view image[] = {"imageSet", "frame"};
        switch (kind)
        {
        case Kind::kButton:
            return button;
        case Kind::kSlider:
            return slider;
        case Kind::kScrollControl:
            return scroll;
        case Kind::kListBox:
            return list;
        case Kind::kTextListBox:
            return textList;
        case Kind::kTextControl:
        case Kind::kNumberEdit:
            return field;
        case Kind::kImageControl:
            return image;
        default:
            return {};
        }
    }

    void ReadOwn(const YAML::Node& node, UILayoutNode& out, UILayoutCodec::PayloadKind kind, int depth)
    {
        using Kind = UILayoutCodec::PayloadKind;
        using Codes = UILayoutCodec::FieldCodes;
        switch (kind)
        {
        case Kind::kButton:
        {
            UIButtonRecord& button = out.own.emplace<UIButtonRecord>();
            std::int64_t value = 0;
            if (const YAML::Node type = node["buttonType"];
                type && Symbol(type, "buttonType", kButtonTypeNames, INT16_MIN, INT16_MAX, value))
                button.buttonType = static_cast<std::int16_t>(value);
            break;
        }
        case Kind::kSlider:
        {
            UISliderRecord& slider = out.own.emplace<UISliderRecord>();
            Byte(node, "linked", slider.linked);
            Flags16(node, "orientation", slider.orientation);
            break;
        }
        case Kind::kScrollControl:
        case Kind::kListBox:
        case Kind::kTextListBox:
            Flags16(node, "scrollBars", out.own.emplace<UIScrollControlRecord>().scrollBarFlags);
            break;
        case Kind::kTextControl:
        {
            UITextControlRecord& field = out.own.emplace<UITextControlRecord>();
            Content(node, field.content);
            FieldAttributes(node, field.attributes, Codes::kText);
            break;
        }
        case Kind::kNumberEdit:
        {
            UINumberEditControlRecord& field = out.own.emplace<UINumberEditControlRecord>();
            Content(node, field.content);
            FieldAttributes(node, field.attributes, Codes::kNumber);
            break;
        }
        case Kind::kImageControl:
        {
            UIImageControlRecord& image = out.own.emplace<UIImageControlRecord>();
            Field(node, "imageSet", image.imageSetId);
            Field(node, "frame", image.frame);
            break;
        }
        default:
            break;
        }
        if (kind == Kind::kListBox || kind == Kind::kTextListBox)
            if (const YAML::Node list = node["items"])
            {
                if (!list.IsSequence())
                    Fail(list, "items is a list");
                else
                    for (const YAML::Node& item : list)
                    {
                        UILayoutNode row;
                        if (ReadNode(item, row, depth + 1) && !row.isControl)
                            Fail(item, "a list item must be a control");
                        out.items.push_back(std::move(row));
                    }
            }
        if (kind == Kind::kTextListBox)
        {
            UITextListBoxRecord& rows = out.afterItems.emplace<UITextListBoxRecord>();
            Field(node, "font", rows.fontId);
            FieldAttributes(node, rows.attributes, Codes::kText);
        }
    }

    void ReadObject(const YAML::Node& node, UIObjectRecord& object)
    {
        Field(node, "id", object.id);
        Field(node, "x", object.x);
        Field(node, "y", object.y);
        if (const YAML::Node mode = node["sizeMode"])
        {
            std::int64_t value = 0;
            if (Symbol(mode, "sizeMode", kSizeModeNames, INT16_MIN, INT16_MAX, value))
                object.sizeMode = static_cast<std::int16_t>(value);
        }
        Field(node, "width", object.width);
        Field(node, "height", object.height);
        Field(node, "zOrder", object.zOrder);
        if (const YAML::Node focus = node["defaultFocus"])
        {
            bool value = false;
            std::int64_t number = 0;
            if (YAML::convert<bool>::decode(focus, value))
                object.defaultFocus = value ? 1 : 0;
            else if (Integer(focus, "defaultFocus", 0, 255, number))
                object.defaultFocus = static_cast<std::uint8_t>(number);
        }
        std::uint32_t align = object.alignFlags;
        Flags(node, "align", kAlignNames, align);
        if (align > 0xFFFF)
            Fail(node["align"], "align out of range");
        object.alignFlags = static_cast<std::uint16_t>(align);
    }

    void ReadDisplay(const YAML::Node& node, UIDisplayObjectRecord& display)
    {
        ReadObject(node, display.object);
        Flags(node, "mask", kMaskNames, display.stateMask);
    }

    void ReadText(const YAML::Node& node, UITextRecord& text)
    {
        ReadDisplay(node, text.base);
        Content(node, text.content);
        if (const YAML::Node list = node["attributes"])
        {
            const std::vector<YAML::Node> items = list.IsSequence()
                                                      ? std::vector<YAML::Node>(list.begin(), list.end())
                                                      : std::vector<YAML::Node>{list};
            for (const YAML::Node& item : items)
            {
                std::int64_t code = 0;
                if (Symbol(item, "attribute", kAttributeNames, 0, INT16_MAX, code))
                    text.attributes.codes.push_back(static_cast<std::uint16_t>(code));
            }
        }
        if (const YAML::Node end = node["attributesEnd"])
        {
            std::int64_t value = 0;
            if (Integer(end, "attributesEnd", INT16_MIN, -1, value))
                text.attributes.end = static_cast<std::uint16_t>(static_cast<std::int16_t>(value));
        }
    }

    void ReadControlParts(const YAML::Node& node, UILayoutNode& out, int depth)
    {
        if (const YAML::Node list = node["display"])
        {
            if (!list.IsSequence())
                Fail(list, "display is a list");
            else
                for (const YAML::Node& item : list)
                {
                    if (item.IsMap() && item["mouseOverMessage"] && item.size() == 1)
                    {
                        UILayoutNode message;
                        message.className = std::string(UILayoutCodec::kMouseOverMessage);
                        Field(item, "mouseOverMessage", message.mouseOverMessage);
                        out.displayItems.push_back(std::move(message));
                        continue;
                    }
                    UILayoutNode child;
                    if (ReadNode(item, child, depth + 1) && child.isControl)
                        Fail(item, "a control cannot be a display object");
                    out.displayItems.push_back(std::move(child));
                }
        }
        if (const YAML::Node list = node["sounds"])
        {
            if (!list.IsSequence())
                Fail(list, "sounds is a list");
            else
                for (const YAML::Node& item : list)
                {
                    if (!item.IsMap() || !item["event"] || !item["sound"] || item.size() != 2)
                    {
                        Fail(item, "a sound is {event: ..., sound: ...}");
                        continue;
                    }
                    std::int64_t event = 0;
                    std::int64_t sound = 0;
                    if (Symbol(item["event"], "event", kSoundEventNames, 1, INT16_MAX, event) &&
                        Integer(item["sound"], "sound", 0, 0xFFFF, sound))
                        out.sounds.push_back({static_cast<std::int16_t>(event), static_cast<std::uint16_t>(sound)});
                }
        }
        Field(node, "soundsEnd", out.soundEnd);
        if (out.soundEnd > 0)
            Fail(node["soundsEnd"], "soundsEnd must be 0 or negative");
        if (const YAML::Node list = node["children"])
        {
            if (!list.IsSequence())
                Fail(list, "children is a list");
            else
                for (const YAML::Node& item : list)
                {
                    UILayoutNode child;
                    if (ReadNode(item, child, depth + 1) && !child.isControl)
                        Fail(item, "a child must be a control");
                    out.children.push_back(std::move(child));
                }
        }
    }

    bool ReadNode(const YAML::Node& source, UILayoutNode& out, int depth)
    {
        if (depth >= UILayoutCodec::kMaxDepth)
            return Fail(source, "layout nested too deeply");
        if (!source.IsMap())
            return Fail(source, "expected a map describing an object");
        YAML::Node node;
        if (!Expand(source, node, 0))
            return false;
        const YAML::Node className = node["class"];
        if (!className || !className.IsScalar())
            return Fail(source, "no \"class\"");
        out.className = className.Scalar();
        const std::size_t errorsBefore = errors.size();
        using Kind = UILayoutCodec::PayloadKind;
        switch (UILayoutCodec::KindOf(out.className))
        {
        case Kind::kUnknown:
            return Fail(className, "unknown class \"" + out.className + "\"");
        case Kind::kObject:
            CheckKeys(node, {"class", "id", "x", "y", "sizeMode", "width", "height", "zOrder", "defaultFocus", "align"});
            ReadObject(node, out.payload.emplace<UIObjectRecord>());
            break;
        case Kind::kControl:
        case Kind::kButton:
        case Kind::kSlider:
        case Kind::kScrollControl:
        case Kind::kListBox:
        case Kind::kTextListBox:
        case Kind::kTextControl:
        case Kind::kNumberEdit:
        case Kind::kImageControl:
        {
            const Kind kind = UILayoutCodec::KindOf(out.className);
            out.isControl = true;
            CheckKeys(node, {"class", "id", "x", "y", "sizeMode", "width", "height", "zOrder", "defaultFocus", "align",
                             "display", "sounds", "soundsEnd", "children"},
                      OwnKeys(kind));
            ReadObject(node, out.payload.emplace<UIObjectRecord>());
            ReadControlParts(node, out, depth);
            ReadOwn(node, out, kind, depth);
            break;
        }
        case Kind::kDisplayObject:
            CheckKeys(node, {"class", "id", "x", "y", "sizeMode", "width", "height", "zOrder", "defaultFocus", "align",
                             "mask"});
            ReadDisplay(node, out.payload.emplace<UIDisplayObjectRecord>());
            break;
        case Kind::kFill:
        {
            CheckKeys(node, {"class", "id", "x", "y", "sizeMode", "width", "height", "zOrder", "defaultFocus", "align",
                             "mask", "colour"});
            UIFillRecord& fill = out.payload.emplace<UIFillRecord>();
            ReadDisplay(node, fill.base);
            Colour(node["colour"], fill);
            break;
        }
        case Kind::kImage:
        {
            CheckKeys(node, {"class", "id", "x", "y", "sizeMode", "width", "height", "zOrder", "defaultFocus", "align",
                             "mask", "imageSet", "frame"});
            UIImageRecord& image = out.payload.emplace<UIImageRecord>();
            ReadDisplay(node, image.base);
            Field(node, "imageSet", image.imageSetId);
            Field(node, "frame", image.frame);
            break;
        }
        case Kind::kText:
            CheckKeys(node, {"class", "id", "x", "y", "sizeMode", "width", "height", "zOrder", "defaultFocus", "align",
                             "mask", "stringId", "text", "font", "attributes", "attributesEnd"});
            ReadText(node, out.payload.emplace<UITextRecord>());
            break;
        }
        return errors.size() == errorsBefore;
    }

    std::string sourceName;
    std::vector<std::string>& errors;
    std::map<std::string, std::int64_t> names;
    std::map<std::string, YAML::Node> templates;
};
} // namespace

bool ParseLayoutSource(const std::string& text, const std::string& sourceName, UILayoutNode& root,
                       std::vector<std::string>& errors)
{
    root = UILayoutNode{};
    YAML::Node document;
    try
    {
        document = YAML::Load(text);
    }
    catch (const YAML::Exception& error)
    {
        errors.push_back(sourceName + ':' + std::to_string(error.mark.line + 1) + ": " + error.msg);
        return false;
    }
    SourceReader reader(sourceName, errors);
    try
    {
        return reader.Read(document, root);
    }
    catch (const YAML::Exception& error)
    {
        // The reader checks shapes before converting; this is the backstop
        // for anything yaml-cpp still refuses.
        errors.push_back(sourceName + ':' + std::to_string(error.mark.line + 1) + ": " + error.msg);
        return false;
    }
}

bool ReadLayoutSource(const std::string& path, UILayoutNode& root, std::vector<std::string>& errors)
{
    std::string text;
    return ToolFiles::ReadWholeFile(path, text, errors) && ParseLayoutSource(text, path, root, errors);
}
