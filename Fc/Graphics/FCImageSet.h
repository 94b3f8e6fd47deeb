#pragma once

#include "Fc/Graphics/FCImageFrame.h"
#include "Fc/Graphics/FCDrawFlags.h"
#include "Fc/Graphics/FCPalette.h"
#include "Fc/Graphics/FCPixelFormat.h"
#include "Fc/Graphics/FCPoint.h"
#include "Fc/Graphics/FCRect.h"
#include "Fc/Core/FCRefCounted.h"

#include <cstdint>
#include <memory>
#include <vector>

class FCFile;
class FCImageBuffer;

// Numbered frames of one picture, stored as 16-bit pixels (encoding 1) or
// palette indices (encoding 3), drawn clipped and optionally mirrored into a
// 16-bit buffer. The base class draws nothing; FCImageSet16 and
// FCImageSet8 supply the pixels' blitters.
class FCImageSet : public FCRefCounted
{
public:
    static constexpr std::uint16_t kEncoding16 = 1;
    static constexpr std::uint16_t kEncoding8 = 3;
    // No user-interface frame comes near this; bounding every extent keeps
    // all frame arithmetic inside 32 bits whatever a file claims.
    static constexpr std::uint32_t kMaxFrameExtent = 0x7FFF;

    ~FCImageSet() override;

    // Reads the set from the file position just after the encoding. Without
    // pixels it stops after the pixel-data size (frames then have no pixels
    // to draw). A file that does not hold up (negative frame count, a frame
    // whose pixels lie outside the pixel data, data beyond the end of the
    // file, an 8-bit set without a palette) leaves the set empty and gives
    // false. Whatever the set held before is dropped first.
    bool Load(FCFile& file, bool withPixels);

    // Appends a frame whose pixels follow the current pixel data. False when
    // the byte count is smaller than the frame's pixels or an extent is out
    // of range.
    bool AddFrame(std::uint32_t fullWidth, std::uint32_t fullHeight, std::uint32_t offsetX,
                  std::uint32_t offsetY, std::uint32_t width, std::uint32_t height,
                  std::uint8_t hasTransparency, const std::uint8_t* pixels,
                  std::uint32_t byteCount);

    // The stored rectangle inside the nominal frame; empty for a frame index
    // that does not exist.
    FCRect GetFrameRect(std::int16_t frame, std::uint32_t flags) const;
    // Draws the frame with its nominal frame at point, clipped. False when
    // nothing was drawn.
    bool DrawFrame(std::int16_t frame, FCImageBuffer& target, FCPoint point, const FCRect& clip,
                   std::uint32_t flags);
    // True when q lies on a drawn (not transparent) pixel of the frame drawn
    // at position with the given flags.
    bool HitTestFrame(FCPoint q, std::int16_t frame, FCPoint position, std::uint32_t flags) const;

    // Null for an index outside the set.
    const FCImageFrame* GetFrame(std::int16_t frame) const
    {
        if (frame < 0 || static_cast<std::size_t>(frame) >= frames.size())
            return nullptr;
        return &frames[static_cast<std::size_t>(frame)];
    }
    std::int16_t GetFrameCount() const { return static_cast<std::int16_t>(frames.size()); }
    // Pixels of a frame, or null when they are not loaded.
    const std::uint8_t* GetFramePixels(const FCImageFrame& frame) const
    {
        if (std::uint64_t{frame.dataOffset} +
                    std::uint64_t{frame.width} * frame.height * BytesPerPixel() >
                loadedBytes ||
            !pixelData)
            return nullptr;
        return pixelData.get() + frame.dataOffset;
    }

    // Draws many unmirrored frames into one target with the target's checks,
    // format preparation, lock and clip settled once instead of per frame,
    // as a font does for a line of glyphs. Draw draws exactly what
    // DrawFrame(frame, target, point, clip, 0) would; the set must outlive
    // the run, and its frames must not change while it lasts.
    class Run
    {
    public:
        Run(FCImageSet& set, FCImageBuffer& target, const FCRect& clip);
        ~Run();
        Run(const Run&) = delete;
        Run& operator=(const Run&) = delete;

        // frame is one of the set's own frames. False when nothing was drawn.
        bool Draw(const FCImageFrame& frame, FCPoint point);

    private:
        // Prepares the set for the target and locks it, once; false when the
        // target cannot be locked.
        bool Begin();

        FCImageSet& set;
        FCImageBuffer& target;
        // The caller's clip inside the target; empty when the target cannot
        // be drawn into at all.
        FCRect visible;
        bool usable = false;
        // Usable, and the set's blitters are plain 16-bit copies, called directly.
        bool direct16 = false;
        // Locked on the first frame that reaches the target, as DrawFrame
        // prepares and locks only when something is drawn.
        std::uint8_t* pixels = nullptr;
        std::int32_t pitch = 0;
    };

    std::uint16_t GetId() const { return id; }
    void SetId(std::uint16_t newId) { id = newId; }
    std::uint16_t GetEncoding() const { return encoding; }
    const std::vector<FCImageFrame>& GetFrames() const { return frames; }
    const std::uint8_t* GetPixelData() const { return pixelData.get(); }
    std::uint32_t GetPixelDataSize() const { return pixelDataSize; }
    const FCPixelFormat& GetFormat() const { return format; }
    std::uint32_t GetColourKey() const { return colourKey; }
    const FCPalette* GetPalette() const { return palette.get(); }
    // The palette as the file (or SetPalette) gave it, before any change
    // for the screen: what a printout shows.
    const FCPalette* GetFilePalette() const { return filePalette.get(); }
    // Takes ownership; the set's palette is what 8-bit frames draw with.
    void SetPalette(std::unique_ptr<FCPalette> newPalette);

    virtual void SetColourKey(std::uint32_t key, bool convert);
    // Copies the stored rectangle of image into a new frame placed inside the
    // nominal rectangle, in the set's format. With detectKey a pixel equal to
    // the colour key marks the frame transparent. False when the stored
    // rectangle does not lie inside the image.
    virtual bool AddFrameFromImage(FCImageBuffer& image, const FCRect& nominal,
                                   const FCRect& stored, bool detectKey);
    // Brings pixels, key or palette into the screen's format.
    virtual void PrepareForScreen();

protected:
    FCImageSet(std::uint16_t setEncoding, const FCPixelFormat& setFormat, std::int16_t reserve);

    // Write into a 16-bit target at (x, y) the source rectangle of the frame.
    virtual void BlitFrame(const FCImageFrame& frame, std::uint8_t* target, std::int32_t pitch,
                           std::int32_t x, std::int32_t y, const FCRect& source);
    virtual void BlitFrameKeyed(const FCImageFrame& frame, std::uint8_t* target, std::int32_t pitch,
                                std::int32_t x, std::int32_t y, const FCRect& source,
                                std::uint32_t key);
    virtual void BlitFrameMirrored(const FCImageFrame& frame, std::uint8_t* target,
                                   std::int32_t pitch, std::int32_t x, std::int32_t y,
                                   const FCRect& source, bool mirrorX, bool mirrorY);
    virtual void BlitFrameKeyedMirrored(const FCImageFrame& frame, std::uint8_t* target,
                                        std::int32_t pitch, std::int32_t x, std::int32_t y,
                                        const FCRect& source, std::uint32_t key, bool mirrorX,
                                        bool mirrorY);
    // True when BlitFrame and BlitFrameKeyed are plain Blit16 and
    // BlitKeyed16 of the frame's pixels, which a run then calls itself.
    virtual bool BlitsStraight16() const { return false; }
    // point is inside the frame's stored pixels.
    virtual bool IsKeyPixel(const FCImageFrame& frame, FCPoint point, std::uint32_t key) const;
    // point is relative to the drawn rectangle rect; the pixel under it comes
    // from the mirrored column or row.
    virtual bool IsKeyPixelMirrored(const FCImageFrame& frame, FCPoint point, const FCRect& rect,
                                    std::uint32_t key, bool mirrorX, bool mirrorY) const;

    // Brings pixels or palette into the format of a target about to be drawn
    // into, so that a set drawn into a buffer other than the screen's still
    // shows its own colours.
    virtual void PrepareForTarget(const FCPixelFormat& target);

    std::uint32_t BytesPerPixel() const { return encoding == kEncoding16 ? 2u : 1u; }
    // The shared body of AddFrameFromImage for both encodings.
    bool CopyFrameFromImage(FCImageBuffer& image, const FCRect& nominal, const FCRect& stored,
                            bool detectKey);
    // True when point is one of the frame's stored pixels and they are loaded.
    bool PixelInFrame(const FCImageFrame& frame, FCPoint point) const;
    // Drops frames, pixels, key and palette and restores the stored format.
    void Reset();

    std::uint16_t id = 0;
    std::uint16_t encoding = 0;
    std::vector<FCImageFrame> frames;
    std::unique_ptr<std::uint8_t[]> pixelData;
    std::uint32_t pixelDataSize = 0;
    FCPixelFormat format;
    std::uint32_t colourKey = 0;
    std::unique_ptr<FCPalette> palette;
    std::unique_ptr<FCPalette> filePalette;

private:
    bool ReadFrames(FCFile& file, std::uint32_t bytesLeft);
    bool FrameFitsPixelData(const FCImageFrame& frame) const;

    // The format the pixels are stored in when loaded, before any conversion.
    FCPixelFormat storedFormat;
    // Bytes actually held in pixelData; 0 after a load without pixels, while
    // pixelDataSize keeps the size the file declared.
    std::uint32_t loadedBytes = 0;
};

// A new empty set (reference count 1) for encoding 1 or 3, with room for
// reserve frames; null for any other encoding.
FCImageSet* CreateImageSet(std::uint16_t encoding, std::int16_t reserve);

// Reads an image-set file from its current position. The result holds one
// reference for the caller; null for an unknown encoding or a file that
// does not hold up.
FCImageSet* LoadImageSet(FCFile& file);
