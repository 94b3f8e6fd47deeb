#include "ImageSetWriter.h"

#include "Fc/Core/FCBytes.h"
#include "Fc/Graphics/FCImageSet.h"

#include <cstdio>

namespace
{
void PutU8(std::vector<std::uint8_t>& out, std::uint8_t value)
{
    out.push_back(value);
}

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    std::uint8_t bytes[2];
    FCBytes::WriteU16(bytes, value);
    out.insert(out.end(), bytes, bytes + 2);
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    std::uint8_t bytes[4];
    FCBytes::WriteU32(bytes, value);
    out.insert(out.end(), bytes, bytes + 4);
}

void PutFormat(std::vector<std::uint8_t>& out, const FCPixelFormat& format)
{
    for (std::uint16_t field :
         {format.bitsPerPixel, format.redBits, format.greenBits, format.blueBits, format.redShift,
          format.greenShift, format.blueShift})
        PutU16(out, field);
}
} // namespace

bool EncodeImageSet(const FCImageSet& set, std::vector<std::uint8_t>& out, std::string& error)
{
    const bool palettised = set.GetEncoding() == FCImageSet::kEncoding8;
    if (!palettised && !(set.GetFormat() == FCFormat565))
    {
        error = "16-bit image set is no longer in 5-6-5";
        return false;
    }
    if (palettised && !set.GetPalette())
    {
        error = "palettised image set has no palette";
        return false;
    }
    if (set.GetPixelDataSize() > 0 && !set.GetPixelData())
    {
        error = "image set pixels are not loaded";
        return false;
    }
    out.clear();
    PutU16(out, set.GetEncoding());
    PutU16(out, static_cast<std::uint16_t>(set.GetFrameCount()));
    for (const FCImageFrame& frame : set.GetFrames())
    {
        PutU32(out, frame.fullWidth);
        PutU32(out, frame.fullHeight);
        PutU32(out, frame.offsetX);
        PutU32(out, frame.offsetY);
        PutU32(out, frame.width);
        PutU32(out, frame.height);
        PutU8(out, frame.hasTransparency);
        PutU32(out, frame.dataOffset);
    }
    PutU32(out, set.GetColourKey());
    PutU32(out, set.GetPixelDataSize());
    out.insert(out.end(), set.GetPixelData(), set.GetPixelData() + set.GetPixelDataSize());
    PutU16(out, palettised ? 1 : 0);
    if (palettised)
    {
        for (std::uint32_t entry : set.GetPalette()->entries)
            PutU32(out, entry);
        PutFormat(out, set.GetPalette()->format);
    }
    return true;
}

bool WriteFileReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes,
                        std::string& error)
{
    const std::string temporary = path + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
    {
        error = temporary + ": cannot create";
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0)
    {
        std::remove(temporary.c_str());
        error = path + ": cannot write";
        return false;
    }
    return true;
}
