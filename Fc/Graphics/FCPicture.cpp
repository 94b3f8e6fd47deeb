#include "Fc/Graphics/FCPicture.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCPalette.h"
#include "Fc/Graphics/FCPixelConvert.h"
#include "Fc/Graphics/FCScreenFormat.h"

#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>

namespace
{
// Larger than any background the program shows, small enough that a damaged
// header cannot make a loader allocate or decode for minutes.
constexpr std::int32_t kMaxPictureDimension = 8192;
// Ceiling for the JPEG decoder's own working memory.
constexpr long kMaxDecoderMemory = 64L * 1024 * 1024;
constexpr std::uint32_t kJpegInputSize = 4096;
constexpr std::uint16_t kPureGreen555 = 0x03E0;

const FCPixelFormat& PictureFormat(bool useScreenFormat)
{
    const FCPixelFormat* screen = useScreenFormat ? GetScreenFormat() : nullptr;
    return screen ? *screen : FCFormat555;
}

// ---- JPEG ----------------------------------------------------------------

struct JpegSource
{
    jpeg_source_mgr manager;
    FCFile* file;
    JOCTET buffer[kJpegInputSize];
};

struct JpegErrors
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

// Everything the decoder touches lives here, outside the function that calls
// setjmp, so a jump back from a decoder error finds every value intact.
struct JpegJob
{
    jpeg_decompress_struct info{};
    JpegErrors errors{};
    FCFile* file = nullptr;
    FCPixelFormat format;
    FCImageBuffer* image = nullptr;
    std::unique_ptr<JSAMPLE[]> row;
};

void OnJpegError(j_common_ptr info)
{
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    FC_LOG("JPEG decoding failed: %s\n", text);
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

void OnJpegMessage(j_common_ptr info)
{
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    FC_LOG("JPEG: %s\n", text);
}

void InitSource(j_decompress_ptr) {}

void TermSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr info)
{
    auto* source = reinterpret_cast<JpegSource*>(info->src);
    std::uint32_t count = source->file->ReadSome(source->buffer, kJpegInputSize);
    if (count < 1)
    {
        // A file that stops early reads as if it ended properly here.
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        count = 2;
    }
    source->manager.next_input_byte = source->buffer;
    source->manager.bytes_in_buffer = count;
    return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count)
{
    if (count <= 0)
        return;
    jpeg_source_mgr* manager = info->src;
    auto remaining = static_cast<std::size_t>(count);
    while (remaining > manager->bytes_in_buffer)
    {
        remaining -= manager->bytes_in_buffer;
        FillInputBuffer(info);
    }
    manager->next_input_byte += remaining;
    manager->bytes_in_buffer -= remaining;
}

void InstallSource(JpegJob* job)
{
    auto* source = static_cast<JpegSource*>((*job->info.mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(&job->info), JPOOL_PERMANENT, sizeof(JpegSource)));
    source->manager.init_source = InitSource;
    source->manager.fill_input_buffer = FillInputBuffer;
    source->manager.skip_input_data = SkipInputData;
    source->manager.resync_to_restart = jpeg_resync_to_restart;
    source->manager.term_source = TermSource;
    source->manager.next_input_byte = nullptr;
    source->manager.bytes_in_buffer = 0;
    source->file = job->file;
    job->info.src = &source->manager;
}

// Declares no object with a destructor: a decoder error jumps back into it.
bool DecodeJpeg(JpegJob* job)
{
    job->info.err = jpeg_std_error(&job->errors.manager);
    job->errors.manager.error_exit = OnJpegError;
    job->errors.manager.output_message = OnJpegMessage;
    if (setjmp(job->errors.jump))
        return false;

    jpeg_create_decompress(&job->info);
    job->info.mem->max_memory_to_use = kMaxDecoderMemory;
    InstallSource(job);
    if (jpeg_read_header(&job->info, TRUE) != JPEG_HEADER_OK)
        return false;
    job->info.out_color_space = JCS_RGB;
    job->info.quantize_colors = FALSE;
    jpeg_calc_output_dimensions(&job->info);

    const JDIMENSION width = job->info.output_width;
    const JDIMENSION height = job->info.output_height;
    if (width < 1 || height < 1 || width > kMaxPictureDimension || height > kMaxPictureDimension ||
        job->info.output_components != 3)
    {
        FC_LOG("JPEG picture of %u x %u is not loaded.\n", static_cast<unsigned>(width),
               static_cast<unsigned>(height));
        return false;
    }
    job->image = FCImageBuffer::Create(static_cast<std::int32_t>(width),
                                       static_cast<std::int32_t>(height), job->format);
    if (!job->image)
        return false;
    job->row = std::make_unique<JSAMPLE[]>(std::size_t{width} * 3);
    const FCRowConverter convert = GetRowConverter(FCFormatRGB24, job->format);

    jpeg_start_decompress(&job->info);
    std::uint8_t* pixels = job->image->Lock();
    if (!pixels)
        return false;
    const std::int32_t pitch = job->image->GetPitch();
    while (job->info.output_scanline < job->info.output_height)
    {
        const JDIMENSION y = job->info.output_scanline;
        JSAMPROW rows[1] = {job->row.get()};
        if (jpeg_read_scanlines(&job->info, rows, 1) != 1)
            return false;
        if (convert)
            convert(job->row.get(), pixels + std::size_t{y} * static_cast<std::size_t>(pitch),
                    static_cast<std::int32_t>(width));
    }
    jpeg_finish_decompress(&job->info);
    return job->image->Unlock();
}

// ---- BMP -----------------------------------------------------------------

struct BmpHeader
{
    std::uint16_t type = 0;
    std::uint32_t fileSize = 0;
    std::uint16_t reserved1 = 0;
    std::uint16_t reserved2 = 0;
    std::uint32_t dataOffset = 0;
    std::uint32_t headerSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::int32_t xResolution = 0;
    std::int32_t yResolution = 0;
    std::uint32_t coloursUsed = 0;
    std::uint32_t coloursImportant = 0;
};

constexpr std::uint32_t kBmpFileHeaderSize = 14;
constexpr std::uint32_t kBmpInfoHeaderSize = 40;

bool ReadBmpHeader(FCFile& file, BmpHeader& header)
{
    return file.ReadU16(header.type) && file.ReadU32(header.fileSize) &&
           file.ReadU16(header.reserved1) && file.ReadU16(header.reserved2) &&
           file.ReadU32(header.dataOffset) && file.ReadU32(header.headerSize) &&
           file.ReadI32(header.width) && file.ReadI32(header.height) &&
           file.ReadU16(header.planes) && file.ReadU16(header.bitCount) &&
           file.ReadU32(header.compression) && file.ReadU32(header.imageSize) &&
           file.ReadI32(header.xResolution) && file.ReadI32(header.yResolution) &&
           file.ReadU32(header.coloursUsed) && file.ReadU32(header.coloursImportant);
}

// 0 means a full palette, and an 8-bit picture cannot use more than 256.
std::uint32_t PaletteEntryCount(const BmpHeader& header)
{
    return header.coloursUsed == 0 || header.coloursUsed > 256 ? 256 : header.coloursUsed;
}

bool ReadBmpPalette(FCFile& file, std::uint32_t base, const BmpHeader& header, bool useScreenFormat,
                    FCImageBuffer& picture)
{
    // The palette follows the information header, whatever its size.
    const std::uint32_t count = PaletteEntryCount(header);
    if (file.SeekTo(base + kBmpFileHeaderSize + header.headerSize) == FCFile::kInvalidPosition)
        return false;
    auto palette = std::make_unique<FCPalette>();
    const FCPixelFormat* screen = useScreenFormat ? GetScreenFormat() : nullptr;
    palette->format = screen ? *screen : FCFormatRGB24;
    for (std::uint32_t i = 0; i < count; ++i)
    {
        std::uint8_t quad[4];
        if (!file.Read(quad, sizeof quad))
            return false;
        palette->entries[i] = PackPixel(quad[2], quad[1], quad[0], palette->format);
    }
    picture.SetPalette(palette.release());
    return true;
}
} // namespace

FCImageBuffer* LoadJPEG(FCFile& file, bool useScreenFormat)
{
    auto job = std::make_unique<JpegJob>();
    job->file = &file;
    job->format = PictureFormat(useScreenFormat);
    const bool decoded = DecodeJpeg(job.get());
    jpeg_destroy_decompress(&job->info);
    if (!decoded)
    {
        if (job->image)
            job->image->Release();
        return nullptr;
    }
    return job->image;
}

FCImageBuffer* LoadBMP(FCFile& file, bool useScreenFormat)
{
    const std::uint32_t base = file.Tell();
    const std::uint32_t fileSize = file.GetSize();
    if (base == FCFile::kInvalidPosition || fileSize == FCFile::kInvalidPosition || base > fileSize)
        return nullptr;
    const std::uint64_t available = fileSize - base;

    BmpHeader header;
    if (!ReadBmpHeader(file, header))
    {
        FC_LOG("BMP file is too short.\n");
        return nullptr;
    }
    if (header.type != 0x4D42)
    {
        FC_LOG("Not a BMP file.\n");
        return nullptr;
    }
    if (header.headerSize < kBmpInfoHeaderSize || (header.bitCount != 8 && header.bitCount != 16) ||
        header.compression != 0)
    {
        FC_LOG("BMP of %u bits, compression %u, header %u is not supported.\n", header.bitCount,
               header.compression, header.headerSize);
        return nullptr;
    }
    // A negative height marks rows stored from the top down.
    const bool topDown = header.height < 0;
    const std::int64_t height = topDown ? -std::int64_t{header.height} : header.height;
    if (header.width < 1 || height < 1 || header.width > kMaxPictureDimension ||
        height > kMaxPictureDimension)
    {
        FC_LOG("BMP size %d x %d is not supported.\n", header.width, header.height);
        return nullptr;
    }
    const std::uint32_t bytesPerPixel = header.bitCount / 8;
    const std::uint64_t rowBytes =
        std::uint64_t{static_cast<std::uint32_t>(header.width)} * bytesPerPixel;
    const std::uint64_t padBytes = (4 - rowBytes % 4) % 4;
    // The last row may come without its padding.
    const std::uint64_t pixelBytes =
        (rowBytes + padBytes) * static_cast<std::uint64_t>(height - 1) + rowBytes;
    const std::uint64_t paletteEnd = header.bitCount == 8
                                         ? std::uint64_t{kBmpFileHeaderSize} + header.headerSize +
                                               4 * std::uint64_t{PaletteEntryCount(header)}
                                         : 0;
    if (std::uint64_t{header.dataOffset} + pixelBytes > available || paletteEnd > available)
    {
        FC_LOG("BMP pixels or palette run past the end of the file.\n");
        return nullptr;
    }

    const FCPixelFormat& format = header.bitCount == 8 ? FCFormat8 : PictureFormat(useScreenFormat);
    FCImageBuffer* picture =
        FCImageBuffer::Create(header.width, static_cast<std::int32_t>(height), format);
    if (!picture)
        return nullptr;
    if (header.bitCount == 8 && !ReadBmpPalette(file, base, header, useScreenFormat, *picture))
    {
        FC_LOG("BMP palette is short.\n");
        picture->Release();
        return nullptr;
    }

    const FCRowConverter convert =
        header.bitCount == 16 ? GetRowConverter(FCFormat555, format) : nullptr;
    std::uint8_t* pixels = picture->Lock();
    bool ok = pixels && file.SeekTo(base + header.dataOffset) != FCFile::kInvalidPosition;
    for (std::int64_t i = 0; ok && i < height; ++i)
    {
        const std::int64_t y = topDown ? i : height - 1 - i;
        std::uint8_t* row = pixels + y * picture->GetPitch();
        ok = file.Read(row, static_cast<std::uint32_t>(rowBytes));
        if (ok && convert)
            convert(row, row, header.width);
        if (ok && padBytes > 0 && i + 1 < height)
            ok = file.SeekRelative(static_cast<std::int32_t>(padBytes)) != FCFile::kInvalidPosition;
    }
    if (pixels)
        picture->Unlock();
    if (!ok)
    {
        FC_LOG("BMP pixel rows are short.\n");
        picture->Release();
        return nullptr;
    }

    if (picture->GetPixel(0, 0, FCFormat555) == kPureGreen555)
    {
        const std::uint8_t* first = picture->GetPixels();
        picture->SetColourKey(header.bitCount == 8
                                  ? picture->GetByte(0, 0)
                                  : static_cast<std::uint32_t>(first[0] | (first[1] << 8)));
    }
    return picture;
}
