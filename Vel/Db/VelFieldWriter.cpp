#include "Vel/Db/VelFieldWriter.h"

#include "Fc/Core/FCBytes.h"
#include "Fc/Core/FCDebugLog.h"

VelFieldWriter::VelFieldWriter(std::vector<std::uint8_t>& out) : out(out) {}

void VelFieldWriter::operator()(const char*, std::uint8_t value) { out.push_back(value); }

void VelFieldWriter::operator()(const char*, std::uint16_t value)
{
    std::uint8_t bytes[2];
    FCBytes::WriteU16(bytes, value);
    out.insert(out.end(), bytes, bytes + sizeof bytes);
}

void VelFieldWriter::operator()(const char* name, std::int16_t value)
{
    (*this)(name, static_cast<std::uint16_t>(value));
}

void VelFieldWriter::operator()(const char*, std::uint32_t value)
{
    std::uint8_t bytes[4];
    FCBytes::WriteU32(bytes, value);
    out.insert(out.end(), bytes, bytes + sizeof bytes);
}

void VelFieldWriter::operator()(const char* name, std::int32_t value)
{
    (*this)(name, static_cast<std::uint32_t>(value));
}

void VelFieldWriter::operator()(const char*, float value)
{
    std::uint8_t bytes[4];
    FCBytes::WriteF32(bytes, value);
    out.insert(out.end(), bytes, bytes + sizeof bytes);
}

void VelFieldWriter::operator()(const char* name, VelField::I16Widened<std::int32_t> field)
{
    // Only the low 16 bits are stored; a value outside the i16 range cannot
    // come back as it was, so say so.
    if (field.value < INT16_MIN || field.value > INT16_MAX)
    {
        FC_LOG("Field %s: %d does not fit 16 bits\n", name, static_cast<int>(field.value));
    }
    (*this)(name, static_cast<std::int16_t>(field.value));
}

void VelFieldWriter::operator()(const char* name, const std::string& value)
{
    std::size_t length = value.find('\0');
    if (length == std::string::npos)
    {
        length = value.size();
    }
    if (length > VelField::kMaxTextLength)
    {
        FC_LOG("Field %s: text of %zu characters cut to %u\n", name, length,
               static_cast<unsigned>(VelField::kMaxTextLength));
        length = VelField::kMaxTextLength;
    }
    (*this)(name, static_cast<std::uint16_t>(length + 1));
    out.insert(out.end(), value.begin(), value.begin() + static_cast<std::ptrdiff_t>(length));
    out.push_back(0);
}
