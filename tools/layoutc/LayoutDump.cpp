#include "LayoutDump.h"

#include "LayoutNames.h"

#include "Fc/Core/FCWindows1252.h"

#include <yaml-cpp/yaml.h>

#include <charconv>
#include <cstdio>

namespace
{
std::string Hex(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
    return text;
}

// The names of every set bit, or the number when some bit has no name.
template <std::size_t N>
void EmitFlags(YAML::Emitter& out, const char* key, const LayoutName (&table)[N], std::uint32_t value)
{
    out << YAML::Key << key << YAML::Value;
    std::uint32_t covered = 0;
    for (const LayoutName& entry : table)
        if ((value & entry.value) == entry.value)
            covered |= entry.value;
    if (covered != value || value == 0)
    {
        out << Hex(value);
        return;
    }
    out << YAML::Flow << YAML::BeginSeq;
    for (const LayoutName& entry : table)
        if (value & entry.value)
            out << std::string(entry.name);
    out << YAML::EndSeq;
}

template <class T>
void EmitIfNot(YAML::Emitter& out, const char* key, T value, T defaultValue)
{
    if (value != defaultValue)
        out << YAML::Key << key << YAML::Value << static_cast<std::int64_t>(value);
}

void EmitObject(YAML::Emitter& out, const UIObjectRecord& object)
{
    const UIObjectRecord defaults;
    out << YAML::Key << "id" << YAML::Value << object.id;
    EmitIfNot(out, "x", object.x, defaults.x);
    EmitIfNot(out, "y", object.y, defaults.y);
    if (object.sizeMode != defaults.sizeMode)
    {
        out << YAML::Key << "sizeMode" << YAML::Value;
        const std::string_view name = NameOfLayoutValue(kSizeModeNames, static_cast<std::uint32_t>(object.sizeMode));
        if (object.sizeMode >= 0 && !name.empty())
            out << std::string(name);
        else
            out << object.sizeMode;
    }
    EmitIfNot(out, "width", object.width, defaults.width);
    EmitIfNot(out, "height", object.height, defaults.height);
    EmitIfNot(out, "zOrder", object.zOrder, defaults.zOrder);
    if (object.defaultFocus == 1)
        out << YAML::Key << "defaultFocus" << YAML::Value << true;
    else
        EmitIfNot(out, "defaultFocus", object.defaultFocus, defaults.defaultFocus);
    if (object.alignFlags != defaults.alignFlags)
        EmitFlags(out, "align", kAlignNames, object.alignFlags);
}

void EmitDisplay(YAML::Emitter& out, const UIDisplayObjectRecord& display)
{
    EmitObject(out, display.object);
    if (display.stateMask == kMaskAlways)
        return;
    EmitFlags(out, "mask", kMaskNames, display.stateMask);
}

void EmitContent(YAML::Emitter& out, const UITextContentRecord& content)
{
    if (content.stringId != 0)
        out << YAML::Key << "stringId" << YAML::Value << content.stringId;
    out << YAML::Key << "text" << YAML::Value << YAML::DoubleQuoted << Windows1252ToUtf8(content.text);
    out << YAML::Key << "font" << YAML::Value << content.fontId;
}

void EmitNode(YAML::Emitter& out, const UILayoutNode& node);

struct PayloadEmitter
{
    YAML::Emitter& out;

    void operator()(const UIObjectRecord& object) { EmitObject(out, object); }
    void operator()(const UIDisplayObjectRecord& display) { EmitDisplay(out, display); }
    void operator()(const UIFillRecord& fill)
    {
        EmitDisplay(out, fill.base);
        char colour[8];
        std::snprintf(colour, sizeof colour, "#%02x%02x%02x", fill.red, fill.green, fill.blue);
        out << YAML::Key << "colour" << YAML::Value << std::string(colour);
    }
    void operator()(const UIImageRecord& image)
    {
        EmitDisplay(out, image.base);
        out << YAML::Key << "imageSet" << YAML::Value << image.imageSetId;
        out << YAML::Key << "frame" << YAML::Value << image.frame;
    }
    void operator()(const UITextRecord& text)
    {
        EmitDisplay(out, text.base);
        EmitContent(out, text.content);
        if (!text.attributes.codes.empty())
        {
            out << YAML::Key << "attributes" << YAML::Value << YAML::Flow << YAML::BeginSeq;
            for (std::uint16_t code : text.attributes.codes)
            {
                const std::string_view name = NameOfLayoutValue(kAttributeNames, code);
                if (name.empty())
                    out << code;
                else
                    out << std::string(name);
            }
            out << YAML::EndSeq;
        }
        if (text.attributes.end != 0xFFFF)
            out << YAML::Key << "attributesEnd" << YAML::Value << static_cast<std::int16_t>(text.attributes.end);
    }
};

// Shortest text that reads back as the same double.
std::string Number(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

void EmitFieldAttributes(YAML::Emitter& out, const UIFieldAttributesRecord& attributes,
                         UILayoutCodec::FieldCodes codes)
{
    if (!attributes.codes.empty())
    {
        out << YAML::Key << "attributes" << YAML::Value << YAML::Flow << YAML::BeginSeq;
        for (const UIFieldAttribute& attribute : attributes.codes)
        {
            const std::string_view name =
                NameOfLayoutValue(kFieldAttributeNames, static_cast<std::uint32_t>(attribute.code));
            const bool margin = UILayoutCodec::HasMarginValue(attribute.code);
            const bool number = UILayoutCodec::HasNumberValue(attribute.code, codes);
            if (margin || number)
                out << YAML::BeginMap << YAML::Key;
            if (name.empty())
                out << attribute.code;
            else
                out << std::string(name);
            if (margin)
                out << YAML::Value << attribute.value << YAML::EndMap;
            else if (number)
                out << YAML::Value << Number(attribute.number) << YAML::EndMap;
        }
        out << YAML::EndSeq;
    }
    if (attributes.end != -1)
        out << YAML::Key << "attributesEnd" << YAML::Value << attributes.end;
}

void EmitAxes(YAML::Emitter& out, const char* key, std::uint16_t flags)
{
    EmitFlags(out, key, kAxisNames, flags);
}

struct OwnEmitter
{
    YAML::Emitter& out;

    void operator()(const std::monostate&) {}
    void operator()(const UIButtonRecord& button)
    {
        out << YAML::Key << "buttonType" << YAML::Value;
        const std::string_view name = NameOfLayoutValue(kButtonTypeNames, static_cast<std::uint32_t>(button.buttonType));
        if (button.buttonType >= 0 && !name.empty())
            out << std::string(name);
        else
            out << button.buttonType;
    }
    void operator()(const UISliderRecord& slider)
    {
        const UISliderRecord defaults;
        if (slider.linked != 1)
            out << YAML::Key << "linked" << YAML::Value << static_cast<unsigned>(slider.linked);
        if (slider.orientation != defaults.orientation)
            EmitAxes(out, "orientation", slider.orientation);
    }
    void operator()(const UIScrollControlRecord& scroll)
    {
        if (scroll.scrollBarFlags != 0)
            EmitAxes(out, "scrollBars", scroll.scrollBarFlags);
    }
    void operator()(const UITextListBoxRecord& rows)
    {
        out << YAML::Key << "font" << YAML::Value << rows.fontId;
        EmitFieldAttributes(out, rows.attributes, UILayoutCodec::FieldCodes::kText);
    }
    void operator()(const UITextControlRecord& field)
    {
        EmitContent(out, field.content);
        EmitFieldAttributes(out, field.attributes, UILayoutCodec::FieldCodes::kText);
    }
    void operator()(const UINumberEditControlRecord& field)
    {
        EmitContent(out, field.content);
        EmitFieldAttributes(out, field.attributes, UILayoutCodec::FieldCodes::kNumber);
    }
    void operator()(const UIImageControlRecord& image)
    {
        out << YAML::Key << "imageSet" << YAML::Value << image.imageSetId;
        out << YAML::Key << "frame" << YAML::Value << image.frame;
    }
};

void EmitNode(YAML::Emitter& out, const UILayoutNode& node)
{
    out << YAML::BeginMap;
    out << YAML::Key << "class" << YAML::Value << node.className;
    std::visit(PayloadEmitter{out}, node.payload);
    std::visit(OwnEmitter{out}, node.own);
    std::visit(OwnEmitter{out}, node.afterItems);
    if (node.isControl)
    {
        if (!node.displayItems.empty())
        {
            out << YAML::Key << "display" << YAML::Value << YAML::BeginSeq;
            for (const UILayoutNode& item : node.displayItems)
            {
                if (item.className == UILayoutCodec::kMouseOverMessage)
                    out << YAML::BeginMap << YAML::Key << "mouseOverMessage" << YAML::Value << item.mouseOverMessage
                        << YAML::EndMap;
                else
                    EmitNode(out, item);
            }
            out << YAML::EndSeq;
        }
        if (!node.sounds.empty())
        {
            out << YAML::Key << "sounds" << YAML::Value << YAML::BeginSeq;
            for (const UISoundRecord& sound : node.sounds)
            {
                out << YAML::Flow << YAML::BeginMap << YAML::Key << "event" << YAML::Value;
                const std::string_view name = NameOfLayoutValue(kSoundEventNames, static_cast<std::uint32_t>(sound.event));
                if (name.empty())
                    out << sound.event;
                else
                    out << std::string(name);
                out << YAML::Key << "sound" << YAML::Value << sound.soundId << YAML::EndMap;
            }
            out << YAML::EndSeq;
        }
        if (node.soundEnd != 0)
            out << YAML::Key << "soundsEnd" << YAML::Value << node.soundEnd;
        if (!node.children.empty())
        {
            out << YAML::Key << "children" << YAML::Value << YAML::BeginSeq;
            for (const UILayoutNode& child : node.children)
                EmitNode(out, child);
            out << YAML::EndSeq;
        }
        if (!node.items.empty())
        {
            out << YAML::Key << "items" << YAML::Value << YAML::BeginSeq;
            for (const UILayoutNode& item : node.items)
                EmitNode(out, item);
            out << YAML::EndSeq;
        }
    }
    out << YAML::EndMap;
}
} // namespace

std::string DumpLayoutSource(const UILayoutNode& root)
{
    YAML::Emitter out;
    out << YAML::BeginMap << YAML::Key << "layout" << YAML::Value;
    EmitNode(out, root);
    out << YAML::EndMap;
    return std::string(out.c_str()) + "\n";
}
