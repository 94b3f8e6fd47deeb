// assetdump: looks inside an asset index for review.
//
//   assetdump list INDEX.bin [--root DIR]
//   assetdump sheet INDEX.bin IMAGESETID OUT.png [--root DIR]
//   assetdump font INDEX.bin FONTID OUT.png [--root DIR]
//
// The index is read by the program's own resource manager; image sets are
// found, as the program finds them, in the folders UI, Art, Sfx and Audio
// under the root (default: the current folder) or in the root itself.
// "sheet" draws every frame of an image set in a grid; "font" draws the
// glyphs 32 to 255 of each of a font's four variants and a sample line.

#include "PngWriter.h"

#include "Fc/Graphics/FCAnimation.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"
#include "Fc/Core/FCFileSystem.h"
#include "Fc/Graphics/FCFont.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCImageSet.h"
#include "Fc/Graphics/FCImageSetRecord.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Fc/Devices/FCSoundSample.h"
#include "Fc/Graphics/FCTextBlock.h"
#include "Fc/Core/FCWindows1252.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
constexpr std::uint16_t kBackground = 0x4208; // dark grey, 5-6-5
constexpr std::uint16_t kCellColour = 0x630C; // the nominal frame, a lighter grey
constexpr std::int32_t kColumns = 16;
constexpr std::int32_t kGap = 2;

int Usage()
{
    std::fprintf(stderr, "usage: assetdump list INDEX.bin [--root DIR]\n"
                         "       assetdump sheet INDEX.bin IMAGESETID OUT.png [--root DIR]\n"
                         "       assetdump font INDEX.bin FONTID OUT.png [--root DIR]\n");
    return 2;
}

bool ParseId(const std::string& text, std::uint16_t& id)
{
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 1 || value > 65535)
        return false;
    id = static_cast<std::uint16_t>(value);
    return true;
}

bool LoadIndex(FCResourceManager& manager, const std::string& path)
{
    FCFile file;
    if (!file.Open(path.c_str(), FCFile::kAccessRead, FCFile::kOpenExisting, FCFile::kShareRead))
    {
        std::fprintf(stderr, "assetdump: cannot open %s\n", path.c_str());
        return false;
    }
    if (!manager.ReadSections(file))
    {
        std::fprintf(stderr, "assetdump: %s is damaged; what came before the fault follows\n", path.c_str());
        return false;
    }
    return true;
}

void List(FCResourceManager& manager)
{
    for (std::uint32_t id = 1; id <= 0xFFFF; ++id)
    {
        if (const FCImageSetRecord* record = manager.GetImageSetRecord(static_cast<std::uint16_t>(id)))
            std::printf("imageset %u %s\n", id, record->GetFileName().c_str());
    }
    for (std::uint32_t id = 1; id <= 0xFFFF; ++id)
    {
        if (const FCAnimation* animation = manager.GetAnimation(static_cast<std::uint16_t>(id)))
        {
            std::printf("animation %u imageset %u kind %u ms %u extra %u frames", id, animation->GetImageSetId(),
                        animation->GetKind(), animation->GetMsPerFrame(), animation->GetExtra());
            for (const std::uint16_t frame : animation->GetFrames())
                std::printf(" %u", frame);
            std::printf("\n");
        }
    }
    for (std::uint32_t id = 1; id <= 0xFFFF; ++id)
    {
        if (const FCSoundSample* sound = manager.GetSound(static_cast<std::uint16_t>(id)))
            std::printf("sound %u %u bytes\n", id, sound->GetSize());
    }
    for (std::uint32_t id = 1; id <= 0xFFFF; ++id)
    {
        if (const std::string* text = manager.GetString(static_cast<std::uint16_t>(id)))
            std::printf("text %u \"%s\"\n", id, Windows1252ToUtf8(*text).c_str());
    }
    for (std::uint32_t id = 1; id <= 0xFFFF; ++id)
    {
        if (const FCFont* font = manager.GetFont(static_cast<std::uint16_t>(id)))
            std::printf("font %u imagesets %u %u %u %u\n", id, font->GetImageSetId(0), font->GetImageSetId(1),
                        font->GetImageSetId(2), font->GetImageSetId(3));
    }
}

// A new 5-6-5 picture filled with the background, or null.
FCImageBuffer* NewSheet(std::int32_t width, std::int32_t height)
{
    FCImageBuffer* sheet = FCImageBuffer::Create(std::max(1, width), std::max(1, height), FCFormat565);
    if (sheet)
        sheet->FillRect(kBackground, FCRect());
    return sheet;
}

bool Save(FCImageBuffer* sheet, const std::string& path)
{
    std::string error;
    const bool ok = sheet && WriteRgbPng(path, *sheet, error);
    if (sheet)
        sheet->Release();
    if (!ok)
        std::fprintf(stderr, "assetdump: %s\n", sheet ? error.c_str() : "picture too large");
    return ok;
}

bool Sheet(FCResourceManager& manager, std::uint16_t id, const std::string& out)
{
    FCImageSet* set = manager.GetImageSet(id);
    if (!set)
    {
        std::fprintf(stderr, "assetdump: image set %u not found or unusable\n", id);
        return false;
    }
    std::int32_t cellWidth = 1;
    std::int32_t cellHeight = 1;
    for (const FCImageFrame& frame : set->GetFrames())
    {
        cellWidth = std::max<std::int32_t>(cellWidth, static_cast<std::int32_t>(std::max(frame.fullWidth, frame.offsetX + frame.width)));
        cellHeight = std::max<std::int32_t>(cellHeight, static_cast<std::int32_t>(std::max(frame.fullHeight, frame.offsetY + frame.height)));
    }
    const std::int32_t count = set->GetFrameCount();
    const std::int32_t columns = std::min(kColumns, std::max(1, count));
    const std::int32_t rows = std::max(1, (count + columns - 1) / columns);
    FCImageBuffer* sheet = NewSheet(kGap + columns * (cellWidth + kGap), kGap + rows * (cellHeight + kGap));
    if (!sheet)
        return Save(nullptr, out);
    const FCRect clip = sheet->GetBounds();
    for (std::int16_t i = 0; i < count; ++i)
    {
        const FCImageFrame& frame = *set->GetFrame(i);
        const FCPoint at{kGap + (i % columns) * (cellWidth + kGap), kGap + (i / columns) * (cellHeight + kGap)};
        sheet->FillRect(kCellColour, FCRect(at.x, at.y, at.x + static_cast<std::int32_t>(frame.fullWidth),
                                            at.y + static_cast<std::int32_t>(frame.fullHeight)));
        set->DrawFrame(i, *sheet, at, clip, 0);
    }
    return Save(sheet, out);
}

bool Font(FCResourceManager& manager, std::uint16_t id, const std::string& out)
{
    FCFont* font = manager.GetFont(id);
    if (!font)
    {
        std::fprintf(stderr, "assetdump: font %u not found\n", id);
        return false;
    }
    const std::int32_t lineHeight = std::max<std::int32_t>(1, font->GetHeight());
    std::int32_t cellWidth = 1;
    for (std::uint16_t variant = 0; variant < FCFont::kVariantCount; ++variant)
    {
        font->SetVariant(variant);
        for (int code = 33; code < 256; ++code)
            cellWidth = std::max(cellWidth, font->GetCharSize(static_cast<char>(code), false).x);
    }
    const std::int32_t glyphRows = (256 - 32) / kColumns;
    const std::int32_t blockHeight = (glyphRows + 1) * (lineHeight + kGap) + kGap;
    FCImageBuffer* sheet = NewSheet(std::max(kGap + kColumns * (cellWidth + kGap), 480),
                                    FCFont::kVariantCount * blockHeight);
    if (!sheet)
        return Save(nullptr, out);
    const FCRect clip = sheet->GetBounds();
    FCTextBlock sample(font);
    sample.SetText("The quick brown fox jumps over the lazy dog. \xC9l\xE8ve \x80 12,50");
    for (std::uint16_t variant = 0; variant < FCFont::kVariantCount; ++variant)
    {
        const std::int32_t top = variant * blockHeight + kGap;
        font->SetVariant(variant);
        for (int code = 32; code < 256; ++code)
        {
            const std::int32_t cell = code - 32;
            const FCPoint at{kGap + (cell % kColumns) * (cellWidth + kGap), top + (cell / kColumns) * (lineHeight + kGap)};
            font->DrawChar(static_cast<char>(code), *sheet, at, clip, true);
        }
        sample.SetFontVariant(variant);
        sample.Draw(*sheet, {kGap, top + glyphRows * (lineHeight + kGap)}, {sheet->GetWidth() - 2 * kGap, lineHeight},
                    clip);
    }
    return Save(sheet, out);
}
} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> positional;
    std::string root = ".";
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (arg == "--root" && i + 1 < argc)
            root = argv[++i];
        else if (!arg.empty() && arg[0] == '-')
            return Usage();
        else
            positional.push_back(arg);
    }
    if (positional.empty())
        return Usage();
    const std::string& command = positional[0];
    std::uint16_t id = 0;
    if (!((command == "list" && positional.size() == 2) ||
          ((command == "sheet" || command == "font") && positional.size() == 4 && ParseId(positional[2], id))))
        return Usage();

    // The program's messages (a missing sound file, say) go to standard error.
    FCDebugLog log("", FCDebugLog::kDebugger);
    FCDebugLog* previous = FCDebugLog::SetInstance(&log);
    int result = 0;
    {
        FCFileSystem fileSystem;
        fileSystem.SetRootPath(root);
        for (const char* folder : {"`", "UI", "Art", "Sfx", "Audio"})
            fileSystem.AddSearchDirectory(folder);
        FCResourceManager manager;
        const bool loaded = LoadIndex(manager, positional[1]);
        if (command == "list")
        {
            List(manager);
            result = loaded ? 0 : 1;
        }
        else if (!loaded)
            result = 1;
        else if (command == "sheet")
            result = Sheet(manager, id, positional[3]) ? 0 : 1;
        else
            result = Font(manager, id, positional[3]) ? 0 : 1;
    }
    FCDebugLog::SetInstance(previous);
    return result;
}
