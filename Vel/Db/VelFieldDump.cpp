#include "Vel/Db/VelFieldDump.h"

#include <cstdio>

VelFieldDump::VelFieldDump(std::string& out) : out(out) {}

void VelFieldDump::Append(const char* name, const std::string& text)
{
    out += name;
    out += '=';
    out += text;
    out += ';';
}

void VelFieldDump::operator()(const char* name, std::uint8_t value)
{
    Append(name, std::to_string(value));
}

void VelFieldDump::operator()(const char* name, std::uint16_t value)
{
    Append(name, std::to_string(value));
}

void VelFieldDump::operator()(const char* name, std::int16_t value)
{
    Append(name, std::to_string(value));
}

void VelFieldDump::operator()(const char* name, std::uint32_t value)
{
    Append(name, std::to_string(value));
}

void VelFieldDump::operator()(const char* name, std::int32_t value)
{
    Append(name, std::to_string(value));
}

void VelFieldDump::operator()(const char* name, float value)
{
    // Nine significant digits tell any two floats apart.
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    Append(name, text);
}

void VelFieldDump::operator()(const char* name, const std::string& value)
{
    Append(name, "\"" + value + "\"");
}

void VelFieldDump::operator()(const char* name, VelField::I16Widened<std::int32_t> field)
{
    Append(name, std::to_string(field.value));
}
