#include "LayoutDump.h"

#include "LayoutNames.h"

#include "Fc/Core/FCWindows1252.h"

#include <yaml-cpp/yaml.h>

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
        if (text.content.stringId != 0)
            out << YAML::Key << "stringId" << YAML::Value << text.content.stringId;
        out << YAML::Key << "text" << YAML::Value << YAML::DoubleQuoted
            << Windows1252ToUtf8(text.content.text);
        out << YAML::Key << "font" << YAML::Value << text.content.fontId;
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

void EmitNode(YAML::Emitter& out, const UILayoutNode& node)
{
    out << YAML::BeginMap;
    out << YAML::Key << "class" << YAML::Value << node.className;
    std::visit(PayloadEmitter{out}, node.payload);
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
