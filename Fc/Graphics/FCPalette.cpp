#include "Fc/Graphics/FCPalette.h"

#include "Fc/Core/FCBytes.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"
#include "Fc/Graphics/FCPixelConvert.h"

FCPalette::FCPalette(const FCPalette* other)
{
    if (other)
    {
        entries = other->entries;
        format = other->format;
    }
}

bool FCPalette::Convert(const FCPixelFormat& target)
{
    if (target == format)
        return true;
    if (!target.HasChannels())
    {
        FC_LOG("Palette: cannot convert to a format without colour channels\n");
        return false;
    }
    for (std::uint32_t& entry : entries)
        entry = ConvertPixelValue(entry, nullptr, format, target);
    format = target;
    return true;
}

bool FCPalette::Read(FCFile& file)
{
    std::uint8_t bytes[kEntryCount * 4];
    if (!file.Read(bytes, sizeof bytes))
    {
        FC_LOG("Palette: file ends early\n");
        return false;
    }
    FCPixelFormat readFormat;
    if (!readFormat.Read(file))
        return false;
    if (!readFormat.HasChannels())
    {
        FC_LOG("Palette: entries in a format without colour channels\n");
        return false;
    }
    for (std::int32_t i = 0; i < kEntryCount; ++i)
        entries[static_cast<std::size_t>(i)] = FCBytes::ReadU32(bytes + 4 * i);
    format = readFormat;
    return true;
}
