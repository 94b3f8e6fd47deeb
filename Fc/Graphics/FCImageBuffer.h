#pragma once

#include "Fc/Graphics/FCPixelFormat.h"
#include "Fc/Graphics/FCPoint.h"
#include "Fc/Graphics/FCRect.h"
#include "Fc/Core/FCRefCounted.h"

#include <cstdint>

class FCPalette;

// A two-dimensional pixel buffer in ordinary memory: a loaded picture, an
// off-screen image, or (through a derived class) a display surface. Created
// with one reference and released, never deleted directly. Pixel (x, y) lives
// at pixels + y * pitch + bytesPerPixel * x; rows run top to bottom without
// gaps.
class FCImageBuffer : public FCRefCounted
{
public:
    // Largest width or height accepted, and largest pixel block, so that a
    // size read from a file can neither overflow nor exhaust memory.
    static constexpr std::int32_t kMaxDimension = 32767;
    static constexpr std::uint64_t kMaxBytes = 256u * 1024u * 1024u;

    // Kind 0 (memory), no pixels, sizes 0, no palette, key 0.
    FCImageBuffer();
    // Pixels of undefined content. A refused size (negative, too large, or
    // memory exhausted) is logged and leaves an empty 0 x 0 buffer.
    FCImageBuffer(std::int32_t width, std::int32_t height, const FCPixelFormat& format);
    // As the constructor, but null when the size is refused.
    static FCImageBuffer* Create(std::int32_t width, std::int32_t height,
                                 const FCPixelFormat& format);
    FCImageBuffer(const FCImageBuffer&) = delete;
    FCImageBuffer& operator=(const FCImageBuffer&) = delete;

    // Takes ownership of the palette, deleting the previous one.
    void SetPalette(FCPalette* newPalette);
    void SetColourKey(std::uint32_t key) { colourKey = key; }

    // Draws the whole buffer (8-bit with its palette, or 16-bit) at point onto
    // a 16-bit target, clipped to clip and to the target, with FCDrawFlags.
    // A non-zero colour key makes its pixels transparent, also when mirrored
    // or turned. False when nothing could be drawn.
    bool Draw(FCImageBuffer* target, FCPoint point, const FCRect& clip, std::uint16_t flags);

    std::uint16_t GetKind() const { return kind; }
    std::uint8_t* GetPixels() const { return pixels; }
    bool OwnsPixels() const { return ownsPixels != 0; }
    const FCPixelFormat& GetFormat() const { return format; }
    std::int32_t GetWidth() const { return width; }
    std::int32_t GetHeight() const { return height; }
    std::int32_t GetPitch() const { return pitch; }
    FCPalette* GetPalette() const { return palette; }
    std::uint32_t GetColourKey() const { return colourKey; }
    std::int32_t GetBytesPerPixel() const { return format.BytesPerPixel(); }
    FCRect GetBounds() const { return FCRect(0, 0, width, height); }

    ~FCImageBuffer() override;

    // New size in the same format; old pixels are freed when owned and the
    // new block (content undefined) is owned. Null, with an empty buffer,
    // when the size is refused.
    virtual std::uint8_t* Resize(std::int32_t newWidth, std::int32_t newHeight);
    // Memory is always accessible: the pixel pointer.
    virtual std::uint8_t* Lock();
    virtual bool Unlock();
    // Fills the part of rect inside the buffer with a pixel value of the
    // buffer's format. An all-zero rect means the whole buffer; any other
    // empty rect fills nothing. True unless the buffer has no pixels.
    virtual bool FillRect(std::uint32_t colour, const FCRect& rect);
    virtual bool Clear(std::uint32_t colour);
    // An outline of the given thickness as four bands: top (full width), left
    // and right (between the top and bottom bands), bottom (full width). The
    // clipped form fills each band's part inside clip.
    virtual bool DrawFrameClipped(std::uint32_t colour, const FCRect& rect, const FCRect& clip,
                                  std::uint16_t thickness);
    virtual bool DrawFrame(std::uint32_t colour, const FCRect& rect, std::uint16_t thickness);
    // Copies sourceRect of a buffer of the same depth to target, clipped to
    // both buffers, without conversion; FCSurfaceBlitFlags are for display
    // surfaces and ignored here. False for no source, a different depth or a
    // buffer without pixels; true otherwise, also when nothing overlaps.
    virtual bool Blit(FCPoint target, FCImageBuffer* source, const FCRect& sourceRect,
                      std::uint32_t flags);
    virtual bool BlitFast(FCPoint target, FCImageBuffer* source, const FCRect& sourceRect,
                          std::uint32_t flags);
    // By depth: 8 the low byte, 16 the low 16 bits, 24 the bytes in the order
    // bits 16-23, 8-15, 0-7 (so 0x112233 is stored as 11 22 33), 32 the value.
    // Outside the buffer or at other depths nothing is written.
    virtual void SetPixel(std::int32_t x, std::int32_t y, std::uint32_t value);
    // Copies bytes to the address of pixel (x, y), cut at the end of that row;
    // returns the bytes copied (0 outside the buffer).
    virtual std::int32_t WriteRow(std::int32_t x, std::int32_t y, const void* source,
                                  std::int32_t byteCount);
    // 16-bit buffers: copies (byteCount + 1) / 2 pixels (cut at the end of the
    // row), skipping those equal to key.
    virtual void WriteRowKeyed(std::int32_t x, std::int32_t y, const std::uint16_t* source,
                               std::int32_t byteCount, std::uint16_t key);
    // First byte of pixel (x, y) (the index in an 8-bit buffer); 0 outside.
    virtual std::uint8_t GetByte(std::int32_t x, std::int32_t y);
    // Pixel (x, y) converted to the wanted format (ConvertPixel, through the
    // palette for 8-bit buffers); 0 outside the buffer.
    virtual std::uint32_t GetPixel(std::int32_t x, std::int32_t y, const FCPixelFormat& wanted);

protected:
    // Replaces the pixel block by a newly allocated one (nothing for a
    // refused size, which is logged) and sets the sizes to match.
    bool Allocate(std::int32_t newWidth, std::int32_t newHeight);
    void FreePixels();
    std::uint8_t* PixelAddress(std::int32_t x, std::int32_t y) const
    {
        return pixels + static_cast<std::int64_t>(y) * pitch +
               static_cast<std::int64_t>(format.BytesPerPixel()) * x;
    }
    bool IsInside(std::int32_t x, std::int32_t y) const
    {
        return x >= 0 && y >= 0 && x < width && y < height;
    }

    std::uint16_t kind = 0;
    std::uint8_t* pixels = nullptr;
    std::uint8_t ownsPixels = 1;
    FCPixelFormat format;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t pitch = 0;
    FCPalette* palette = nullptr;
    std::uint32_t colourKey = 0;
};
