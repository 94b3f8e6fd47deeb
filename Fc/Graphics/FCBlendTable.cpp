#include "Fc/Graphics/FCBlendTable.h"

#include "Fc/Core/FCDebugLog.h"

#include <new>

namespace
{
FCBlendTable table;
}

bool BuildBlendTable(const FCPixelFormat& format)
{
    FreeBlendTable();
    if (format.bitsPerPixel != 16)
    {
        FC_LOG("Blend table: %u-bit format refused\n", unsigned{format.bitsPerPixel});
        return false;
    }
    auto* entries = new (std::nothrow) std::uint8_t[FCBlendTable::kSize];
    if (!entries)
    {
        FC_LOG("Blend table: out of memory\n");
        return false;
    }
    for (std::uint32_t i = 0; i < FCBlendTable::kSize; ++i)
    {
        const std::uint32_t level = i >> 12;
        const std::uint32_t a = (i >> 6) & 63;
        const std::uint32_t b = i & 63;
        entries[i] = static_cast<std::uint8_t>(((15 - level) * b + (level + 1) * a) >> 4);
    }
    table.entries = entries;
    table.redShift = format.redShift;
    table.greenShift = format.greenShift;
    table.blueShift = format.blueShift;
    const bool greenOf5 = format.greenBits == 5;
    table.greenMask = greenOf5 ? 0x1F : 0x3F;
    table.greenMaskHigh = greenOf5 ? 0x7C0 : 0xFC0;
    return true;
}

void FreeBlendTable()
{
    delete[] table.entries;
    table = FCBlendTable();
}

const FCBlendTable& GetBlendTable()
{
    return table;
}
