// imageset: compiles PNG pictures into an image-set file.
//
//   imageset [--8bit] [--key RRGGBB] [--trim] -o OUT.iset FRAME.png...
//   imageset [--8bit] [--key RRGGBB] [--trim] -o OUT.iset --sheet SHEET.png --rects RECTS.txt
//   imageset --grey -o OUT.iset PICTURE.png
//
// Each PNG is one frame, or each line "x y width height" of the rectangle
// list cuts one frame out of the sprite sheet ('#' starts a comment).
// 16-bit output is 5-6-5 with a colour key (default magenta FF00FF): pixels
// less than half opaque become the key, and an opaque pixel that happens to
// equal the key is nudged by one blue step so it stays visible. --8bit keeps
// the palette indices of palette PNGs, which must all share one palette; the
// first fully transparent entry is the key. --trim stores only the bounding
// box of the non-key pixels inside each frame. --grey makes a printed form:
// one opaque 8-bit frame of the whole picture (stored = nominal size) whose
// palette is the 256 greys, each pixel the grey of its colour laid over
// white paper. The output depends on nothing but the inputs, so every run
// writes the same bytes.

#include "ImageSetWriter.h"
#include "PngImage.h"

#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCImageSet.h"
#include "Fc/Graphics/FCPalette.h"
#include "Fc/Graphics/FCPixelConvert.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace
{
constexpr std::size_t kMaxFrames = 0x7FFF;

struct Options
{
    bool palettised = false;
    bool grey = false;
    bool trim = false;
    std::uint32_t keyRgb = 0xFF00FF;
    bool keyGiven = false;
    std::string output;
    std::string sheet;
    std::string rects;
    std::vector<std::string> inputs;
};

struct BufferDeleter
{
    void operator()(FCImageBuffer* buffer) const { buffer->Release(); }
};
using BufferPtr = std::unique_ptr<FCImageBuffer, BufferDeleter>;

struct SetDeleter
{
    void operator()(FCImageSet* set) const { set->Release(); }
};
using SetPtr = std::unique_ptr<FCImageSet, SetDeleter>;

// One frame: a rectangle of one of the loaded pictures.
struct FrameSource
{
    std::size_t picture = 0;
    FCRect rect;
};

int Fail(const std::string& message)
{
    std::fprintf(stderr, "imageset: %s\n", message.c_str());
    return 1;
}

bool ParseKey(const std::string& text, std::uint32_t& rgb)
{
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return false;
    rgb = static_cast<std::uint32_t>(std::strtoul(text.c_str(), nullptr, 16));
    return true;
}

bool ParseOptions(int argc, char** argv, Options& options, std::string& error)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        auto value = [&](std::string& out)
        {
            if (i + 1 >= argc)
                return false;
            out = argv[++i];
            return true;
        };
        std::string text;
        if (arg == "--8bit")
            options.palettised = true;
        else if (arg == "--grey")
            options.grey = true;
        else if (arg == "--trim")
            options.trim = true;
        else if (arg == "--key")
        {
            if (!value(text) || !ParseKey(text, options.keyRgb))
            {
                error = "--key needs six hexadecimal digits RRGGBB";
                return false;
            }
            options.keyGiven = true;
        }
        else if (arg == "-o")
        {
            if (!value(options.output))
            {
                error = "-o needs a file name";
                return false;
            }
        }
        else if (arg == "--sheet")
        {
            if (!value(options.sheet))
            {
                error = "--sheet needs a PNG file";
                return false;
            }
        }
        else if (arg == "--rects")
        {
            if (!value(options.rects))
            {
                error = "--rects needs a rectangle list";
                return false;
            }
        }
        else if (!arg.empty() && arg[0] == '-')
        {
            error = "unknown option " + arg;
            return false;
        }
        else
            options.inputs.push_back(arg);
    }
    if (options.output.empty())
        error = "no output file (-o)";
    else if (options.sheet.empty() != options.rects.empty())
        error = "--sheet and --rects go together";
    else if (!options.sheet.empty() && !options.inputs.empty())
        error = "give either a sprite sheet or frame pictures, not both";
    else if (options.sheet.empty() && options.inputs.empty())
        error = "no frames to compile";
    else if (options.grey && (options.palettised || options.trim || options.keyGiven ||
                              !options.sheet.empty() || options.inputs.size() != 1))
        error = "--grey makes one whole frame from one picture, without other options";
    return error.empty();
}

// Reads "x y width height" lines; each rectangle must lie inside the sheet.
bool ReadRects(const std::string& path, const PngImage& sheet, std::vector<FrameSource>& frames,
               std::string& error)
{
    std::ifstream in(path);
    if (!in)
    {
        error = path + ": cannot open";
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number)
    {
        const std::string where = path + ":" + std::to_string(number) + ": ";
        line = line.substr(0, line.find('#'));
        std::istringstream fields(line);
        long long x = 0, y = 0, width = 0, height = 0;
        std::string rest;
        if (!(fields >> x))
        {
            if (line.find_first_not_of(" \t\r") == std::string::npos)
                continue;
            error = where + "expected x y width height";
            return false;
        }
        if (!(fields >> y >> width >> height) || (fields >> rest))
        {
            error = where + "expected x y width height";
            return false;
        }
        if (x < 0 || y < 0 || width < 1 || height < 1 || x + width > sheet.width ||
            y + height > sheet.height)
        {
            error = where + "rectangle lies outside the " + std::to_string(sheet.width) + " x " +
                    std::to_string(sheet.height) + " sheet";
            return false;
        }
        frames.push_back({0, FCRect(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
                                    static_cast<std::int32_t>(x + width),
                                    static_cast<std::int32_t>(y + height))});
    }
    if (frames.empty())
    {
        error = path + ": no rectangles";
        return false;
    }
    return true;
}

BufferPtr ToBuffer(const PngImage& png, bool palettised, std::uint16_t key16)
{
    const auto width = static_cast<std::int32_t>(png.width);
    const auto height = static_cast<std::int32_t>(png.height);
    BufferPtr buffer(FCImageBuffer::Create(width, height, palettised ? FCFormat8 : FCFormat565));
    if (!buffer)
        return buffer;
    for (std::int32_t y = 0; y < height; ++y)
    {
        for (std::int32_t x = 0; x < width; ++x)
        {
            const std::size_t at =
                static_cast<std::size_t>(y) * png.width + static_cast<std::size_t>(x);
            if (palettised)
            {
                buffer->SetPixel(x, y, png.pixels[at]);
                continue;
            }
            const std::uint8_t* rgba = &png.pixels[at * 4];
            std::uint32_t pixel = key16;
            if (rgba[3] >= 128)
            {
                pixel = PackPixel(rgba[0], rgba[1], rgba[2], FCFormat565);
                if (pixel == key16)
                    pixel ^= 1;
            }
            buffer->SetPixel(x, y, pixel);
        }
    }
    return buffer;
}

// Bounding box of the pixels inside rect that are not the key; an empty
// rectangle at rect's corner when every pixel is the key.
FCRect TrimmedRect(FCImageBuffer& buffer, const FCRect& rect, std::uint32_t key)
{
    FCRect box(rect.right, rect.bottom, rect.left, rect.top);
    for (std::int32_t y = rect.top; y < rect.bottom; ++y)
    {
        for (std::int32_t x = rect.left; x < rect.right; ++x)
        {
            if (buffer.GetPixel(x, y, buffer.GetFormat()) == key)
                continue;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x + 1);
            box.bottom = std::max(box.bottom, y + 1);
        }
    }
    if (box.IsEmpty())
        return FCRect(rect.left, rect.top, rect.left, rect.top);
    return box;
}

bool SamePalette(const PngImage& a, const PngImage& b)
{
    return a.paletteSize == b.paletteSize && a.palette == b.palette;
}

// The grey of an RGBA pixel on white paper (ITU-R BT.601 weights).
std::uint8_t GreyOnPaper(const std::uint8_t* rgba)
{
    const std::uint32_t alpha = rgba[3];
    std::uint32_t channel[3];
    for (int i = 0; i < 3; ++i)
        channel[i] = (rgba[i] * alpha + 255 * (255 - alpha) + 127) / 255;
    return static_cast<std::uint8_t>((299 * channel[0] + 587 * channel[1] + 114 * channel[2] + 500) /
                                     1000);
}

int RunGrey(const Options& options)
{
    std::string error;
    PngImage png;
    if (!ReadPng(options.inputs.front(), false, png, error))
        return Fail(error);
    const auto width = static_cast<std::int32_t>(png.width);
    const auto height = static_cast<std::int32_t>(png.height);
    BufferPtr buffer(FCImageBuffer::Create(width, height, FCFormat8));
    if (!buffer)
        return Fail("picture too large");
    for (std::int32_t y = 0; y < height; ++y)
    {
        for (std::int32_t x = 0; x < width; ++x)
        {
            const std::size_t at =
                static_cast<std::size_t>(y) * png.width + static_cast<std::size_t>(x);
            buffer->SetPixel(x, y, GreyOnPaper(&png.pixels[at * 4]));
        }
    }
    auto palette = std::make_unique<FCPalette>();
    for (std::uint32_t i = 0; i < FCPalette::kEntryCount; ++i)
        palette->entries[i] = i | i << 8 | i << 16;
    SetPtr set(CreateImageSet(FCImageSet::kEncoding8, 1));
    set->SetPalette(std::move(palette));
    const FCRect whole(0, 0, width, height);
    if (!set->AddFrameFromImage(*buffer, whole, whole, false))
        return Fail("the picture does not fit a frame");
    std::vector<std::uint8_t> bytes;
    if (!EncodeImageSet(*set, bytes, error) || !WriteFileReplacing(options.output, bytes, error))
        return Fail(error);
    return 0;
}

int Run(const Options& options)
{
    if (options.grey)
        return RunGrey(options);
    std::string error;
    std::vector<PngImage> pictures;
    std::vector<FrameSource> frames;
    const std::vector<std::string> files =
        options.sheet.empty() ? options.inputs : std::vector<std::string>{options.sheet};
    for (const std::string& file : files)
    {
        PngImage png;
        if (!ReadPng(file, options.palettised, png, error))
            return Fail(error);
        if (options.palettised && !pictures.empty() && !SamePalette(png, pictures.front()))
            return Fail(file + ": palette differs from " + files.front() + "'s");
        pictures.push_back(std::move(png));
        if (options.sheet.empty())
        {
            const PngImage& added = pictures.back();
            frames.push_back(
                {pictures.size() - 1, FCRect(0, 0, static_cast<std::int32_t>(added.width),
                                             static_cast<std::int32_t>(added.height))});
        }
    }
    if (!options.sheet.empty() && !ReadRects(options.rects, pictures.front(), frames, error))
        return Fail(error);
    if (frames.size() > kMaxFrames)
        return Fail("more than " + std::to_string(kMaxFrames) + " frames");

    const std::uint16_t key16 = static_cast<std::uint16_t>(
        PackPixel(static_cast<std::uint8_t>(options.keyRgb >> 16),
                  static_cast<std::uint8_t>(options.keyRgb >> 8),
                  static_cast<std::uint8_t>(options.keyRgb), FCFormat565));
    std::uint32_t key = key16;
    bool hasKey = true;
    auto palette = std::make_unique<FCPalette>();
    if (options.palettised)
    {
        const PngImage& first = pictures.front();
        hasKey = false;
        key = 0;
        for (std::uint32_t i = 0; i < first.paletteSize; ++i)
        {
            const auto& entry = first.palette[i];
            palette->entries[i] = entry[0] | (entry[1] << 8) | (entry[2] << 16);
            if (!hasKey && entry[3] == 0)
            {
                hasKey = true;
                key = i;
            }
        }
    }

    SetPtr set(CreateImageSet(options.palettised ? FCImageSet::kEncoding8 : FCImageSet::kEncoding16,
                              static_cast<std::int16_t>(frames.size())));
    set->SetColourKey(key, false);
    if (options.palettised)
        set->SetPalette(std::move(palette));
    std::vector<BufferPtr> buffers;
    for (const PngImage& png : pictures)
    {
        buffers.push_back(ToBuffer(png, options.palettised, key16));
        if (!buffers.back())
            return Fail("picture too large");
    }
    for (const FrameSource& frame : frames)
    {
        FCImageBuffer& buffer = *buffers[frame.picture];
        const FCRect stored =
            options.trim && hasKey ? TrimmedRect(buffer, frame.rect, key) : frame.rect;
        if (!set->AddFrameFromImage(buffer, frame.rect, stored, hasKey))
            return Fail("frame " + std::to_string(set->GetFrameCount()) + " does not fit");
    }

    std::vector<std::uint8_t> bytes;
    if (!EncodeImageSet(*set, bytes, error) || !WriteFileReplacing(options.output, bytes, error))
        return Fail(error);
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    Options options;
    std::string error;
    if (!ParseOptions(argc, argv, options, error))
    {
        std::fprintf(stderr,
                     "imageset: %s\n"
                     "usage: imageset [--8bit] [--key RRGGBB] [--trim] -o OUT FRAME.png...\n"
                     "       imageset [--8bit] [--key RRGGBB] [--trim] -o OUT --sheet SHEET.png "
                     "--rects RECTS.txt\n"
                     "       imageset --grey -o OUT PICTURE.png\n",
                     error.c_str());
        return 2;
    }
    return Run(options);
}
