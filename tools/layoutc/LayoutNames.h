#pragma once

#include <cstdint>
#include <string_view>

// The symbolic names that layout sources may use for flag bits and codes,
// shared by the compiler and the decompiler so both speak the same words.
struct LayoutName
{
    std::string_view name;
    std::uint32_t value;
};

// Alignment flags of an element.
inline constexpr LayoutName kAlignNames[] = {
    {"left", 0x01},    {"bottom", 0x02},  {"top", 0x04},        {"right", 0x08},
    {"centreY", 0x10}, {"centreX", 0x20}, {"keepInside", 0x40},
};

// Bits of a display object's state mask: the control state each one asks for.
inline constexpr LayoutName kMaskNames[] = {
    {"unselected", 0x001},   {"disabled", 0x002},     {"enabled", 0x004},
    {"ownMessages", 0x008},  {"wrappedMessages", 0x010}, {"up", 0x020},
    {"down", 0x040},         {"state128", 0x080},     {"state256", 0x100},
    {"selected", 0x200},     {"mouseOver", 0x400},    {"mouseAway", 0x800},
    {"dragged", 0x1000},     {"acceptsDrop", 0x2000}, {"dropAllowed", 0x4000},
    {"dropRefused", 0x8000}, {"highlighted", 0x10000}, {"notHighlighted", 0x20000},
};
inline constexpr std::uint32_t kMaskAlways = 0xFFF;

// Text attribute codes.
inline constexpr LayoutName kAttributeNames[] = {
    {"left", 0},       {"bottom", 1},      {"top", 2},
    {"right", 3},      {"centreY", 4},     {"centreX", 5},
    {"wordWrap", 10},  {"oneDecimal", 18}, {"negativeVariant", 21},
    {"plusSign", 22},
};

// The attribute codes of text fields: the text codes, the codes that carry a
// value (written {name: value}) and those of edit and number fields.
inline constexpr LayoutName kFieldAttributeNames[] = {
    {"left", 0},          {"bottom", 1},          {"top", 2},           {"right", 3},
    {"centreY", 4},       {"centreX", 5},         {"topMargin", 6},     {"bottomMargin", 7},
    {"leftMargin", 8},    {"rightMargin", 9},     {"wordWrap", 10},     {"fitWidth", 11},
    {"mouseTransparent", 12}, {"autoHeight", 13}, {"step", 14},         {"maximum", 15},
    {"minimum", 16},      {"oneDecimal", 18},     {"markLimits", 20},   {"negativeVariant", 21},
    {"plusSign", 22},
};

inline constexpr LayoutName kButtonTypeNames[] = {
    {"push", 0}, {"toggle", 1}, {"radio", 2}, {"inert", 3}, {"threeState", 4}, {"ownerDecided", 5},
};

// A slider's orientation and a scroll control's bars.
inline constexpr LayoutName kAxisNames[] = {
    {"horizontal", 0x1},
    {"vertical", 0x2},
};

// Sound events of a control.
inline constexpr LayoutName kSoundEventNames[] = {
    {"enter", 170}, {"click", 171}, {"upClick", 172}, {"downClick", 173}, {"key", 174}, {"select", 175},
};

inline constexpr LayoutName kSizeModeNames[] = {
    {"own", 0},
    {"parent", 1},
    {"content", 2},
};

template <std::size_t N>
bool FindLayoutName(const LayoutName (&table)[N], std::string_view name, std::uint32_t& value)
{
    for (const LayoutName& entry : table)
        if (entry.name == name)
        {
            value = entry.value;
            return true;
        }
    return false;
}

template <std::size_t N>
std::string_view NameOfLayoutValue(const LayoutName (&table)[N], std::uint32_t value)
{
    for (const LayoutName& entry : table)
        if (entry.value == value)
            return entry.name;
    return {};
}
