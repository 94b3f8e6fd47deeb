#include "Vel/Db/VelFieldReader.h"

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCFile.h"

#include <cstring>

const std::uint8_t* VelFieldReader::TakeSlowly(std::uint32_t count, std::uint8_t* scratch)
{
    if (!ok)
    {
        return nullptr;
    }
    if (memory)
    {
        // Fewer bytes left than the field needs.
        memory->Skip(count);
        ok = false;
        return nullptr;
    }
    if (!file.Read(scratch, count))
    {
        ok = false;
        return nullptr;
    }
    return scratch;
}

void VelFieldReader::operator()(const char*, std::string& value)
{
    if (!ok)
    {
        return;
    }
    if (!memory)
    {
        // A failed read empties the text; the record is dropped then anyway.
        ok = FCArchive::ReadString(file, value);
        return;
    }
    // The archive's stored string, decoded in place with the same limits.
    std::uint8_t scratch[2];
    const std::uint8_t* countBytes = Take(2, scratch);
    if (!countBytes)
    {
        return;
    }
    const std::uint16_t count = FCBytes::ReadU16(countBytes);
    if (count > FCArchive::kMaxStringLength + 1)
    {
        ok = false;
        return;
    }
    const std::uint8_t* text = Take(count, nullptr);
    if (!text)
    {
        return;
    }
    if (count == 0)
    {
        value.clear();
        return;
    }
    const void* nul = std::memchr(text, 0, count);
    const std::size_t length = nul ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - text) : count;
    value.assign(reinterpret_cast<const char*>(text), length);
}
