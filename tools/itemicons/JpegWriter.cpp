#include "JpegWriter.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace
{
struct ErrorManager
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char text[JMSG_LENGTH_MAX] = {};
};

void OnError(j_common_ptr info)
{
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->text);
    std::longjmp(errors->jump, 1);
}

// Everything that lives across setjmp is reached through these pointers, so
// no local changes value between the jump and its landing.
bool Encode(jpeg_compress_struct* info, ErrorManager* errors, const std::uint8_t* rgb,
            std::uint32_t width, std::uint32_t height, int quality, unsigned char** buffer,
            unsigned long* size)
{
    info->err = jpeg_std_error(&errors->manager);
    errors->manager.error_exit = OnError;
    if (setjmp(errors->jump))
    {
        jpeg_destroy_compress(info);
        return false;
    }
    jpeg_create_compress(info);
    jpeg_mem_dest(info, buffer, size);
    info->image_width = width;
    info->image_height = height;
    info->input_components = 3;
    info->in_color_space = JCS_RGB;
    jpeg_set_defaults(info);
    jpeg_set_quality(info, quality, TRUE);
    for (int c = 0; c < info->num_components; ++c)
    {
        info->comp_info[c].h_samp_factor = 1;
        info->comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(info, TRUE);
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    while (info->next_scanline < info->image_height)
    {
        auto* row = const_cast<JSAMPLE*>(rgb + stride * info->next_scanline);
        jpeg_write_scanlines(info, &row, 1);
    }
    jpeg_finish_compress(info);
    jpeg_destroy_compress(info);
    return true;
}
} // namespace

bool EncodeJpeg(const std::vector<std::uint8_t>& rgb, std::uint32_t width, std::uint32_t height,
                int quality, std::vector<std::uint8_t>& jpeg, std::string& error)
{
    if (width == 0 || height == 0 || rgb.size() != static_cast<std::size_t>(width) * height * 3)
    {
        error = "picture size does not match its pixels";
        return false;
    }
    jpeg_compress_struct info{};
    ErrorManager errors{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool encoded = Encode(&info, &errors, rgb.data(), width, height, quality, &buffer, &size);
    if (encoded)
        jpeg.assign(buffer, buffer + size);
    else
        error = errors.text;
    std::free(buffer);
    return encoded;
}
