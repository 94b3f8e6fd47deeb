#include "PngWriter.h"

#include "Fc/Graphics/FCImageBuffer.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace
{
struct FileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};
} // namespace

bool WriteRgbPng(const std::string& path, FCImageBuffer& image, std::string& error)
{
    const std::int32_t width = image.GetWidth();
    const std::int32_t height = image.GetHeight();
    if (width <= 0 || height <= 0)
    {
        error = "empty picture";
        return false;
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file)
    {
        error = "cannot write " + path;
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info)
    {
        png_destroy_write_struct(&png, nullptr);
        error = "libpng could not start";
        return false;
    }
    std::vector<png_byte> row(static_cast<std::size_t>(width) * 3);
    if (setjmp(png_jmpbuf(png)))
    {
        png_destroy_write_struct(&png, &info);
        error = "libpng failed writing " + path;
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (std::int32_t y = 0; y < height; ++y)
    {
        for (std::int32_t x = 0; x < width; ++x)
        {
            const std::uint32_t rgb = image.GetPixel(x, y, FCFormatRGB24);
            // FCFormatRGB24 keeps red in the low byte, as the bytes lie in memory.
            row[static_cast<std::size_t>(x) * 3 + 0] = static_cast<png_byte>(rgb & 0xFF);
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<png_byte>((rgb >> 8) & 0xFF);
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<png_byte>((rgb >> 16) & 0xFF);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fflush(file.get()) != 0)
    {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
