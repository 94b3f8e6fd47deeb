#include "PngImage.h"

#include <csetjmp>
#include <cstdio>
#include <memory>

#include <png.h>

namespace
{
// Pictures this large are no user-interface art; the limit keeps a damaged
// header from asking for gigabytes.
constexpr std::uint32_t kMaxDimension = 16384;

struct PngErrorText
{
    char text[256] = {};
};

void OnPngError(png_structp png, png_const_charp message)
{
    auto* errorText = static_cast<PngErrorText*>(png_get_error_ptr(png));
    std::snprintf(errorText->text, sizeof errorText->text, "%s", message);
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

struct FileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Everything touched between setjmp and a libpng error lives behind the
// pointers given here, so no local changes value across the jump.
bool Decode(std::FILE* file, bool keepIndices, PngImage* image, PngErrorText* errorText,
            std::vector<png_bytep>* rows)
{
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, errorText, OnPngError, OnPngWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info)
    {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png)))
    {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);

    image->width = png_get_image_width(png, info);
    image->height = png_get_image_height(png, info);
    if (image->width == 0 || image->height == 0 || image->width > kMaxDimension ||
        image->height > kMaxDimension)
        png_error(png, "picture size out of range");

    const int colourType = png_get_color_type(png, info);
    if (keepIndices)
    {
        if (colourType != PNG_COLOR_TYPE_PALETTE)
            png_error(png, "palettised output needs a palette PNG");
        png_colorp entries = nullptr;
        int count = 0;
        png_get_PLTE(png, info, &entries, &count);
        png_bytep alpha = nullptr;
        int alphaCount = 0;
        png_color_16p unusedColour = nullptr;
        if (png_get_valid(png, info, PNG_INFO_tRNS))
            png_get_tRNS(png, info, &alpha, &alphaCount, &unusedColour);
        image->paletteSize = static_cast<std::uint32_t>(count);
        for (int i = 0; i < count && i < 256; ++i)
        {
            image->palette[static_cast<std::size_t>(i)] = {
                entries[i].red, entries[i].green, entries[i].blue,
                static_cast<std::uint8_t>(i < alphaCount ? alpha[i] : 255)};
        }
        png_set_packing(png);
        image->indexed = true;
    }
    else
    {
        png_set_expand(png);
        png_set_strip_16(png);
        if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
            png_set_gray_to_rgb(png);
        png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
        image->indexed = false;
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    const std::size_t bytesPerPixel = image->indexed ? 1 : 4;
    const std::size_t rowBytes = static_cast<std::size_t>(image->width) * bytesPerPixel;
    if (png_get_rowbytes(png, info) != rowBytes)
        png_error(png, "unexpected row layout");
    image->pixels.assign(rowBytes * image->height, 0);
    rows->resize(image->height);
    for (std::uint32_t y = 0; y < image->height; ++y)
        (*rows)[y] = image->pixels.data() + rowBytes * y;
    png_read_image(png, rows->data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}
} // namespace

bool ReadPng(const std::string& path, bool keepIndices, PngImage& image, std::string& error)
{
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
    {
        error = path + ": cannot open";
        return false;
    }
    image = PngImage{};
    PngErrorText errorText;
    std::vector<png_bytep> rows;
    if (!Decode(file.get(), keepIndices, &image, &errorText, &rows))
    {
        error = path + ": " + (errorText.text[0] ? errorText.text : "not a readable PNG");
        return false;
    }
    return true;
}
