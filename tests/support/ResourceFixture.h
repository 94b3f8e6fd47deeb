#pragma once

#include "Fc/FCFileSystem.h"
#include "Fc/FCResourceManager.h"
#include "support/TempFolder.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class FCDebugLog;

// Sends the debug log to a temporary file for its lifetime, so a test can
// count the messages the code under test wrote.
class CapturedLog
{
public:
    CapturedLog();
    ~CapturedLog();
    CapturedLog(const CapturedLog&) = delete;
    CapturedLog& operator=(const CapturedLog&) = delete;

    std::string Text() const;
    // Occurrences of needle in the log so far.
    int Count(const std::string& needle) const;

private:
    TempFolder folder;
    std::unique_ptr<FCDebugLog> log;
    FCDebugLog* previous = nullptr;
};

// The bytes of an asset index, written section by section with the same
// little-endian forms the reader expects.
class AssetIndexBytes
{
public:
    AssetIndexBytes& U16(std::uint16_t value);
    AssetIndexBytes& I16(std::int16_t value) { return U16(static_cast<std::uint16_t>(value)); }
    // The stored string form: u16 length + 1, the bytes, a NUL.
    AssetIndexBytes& String(const std::string& text);
    AssetIndexBytes& Raw(std::initializer_list<std::uint8_t> bytes);

    AssetIndexBytes& ImageSet(std::uint16_t id, const std::string& fileName) { return U16(id).String(fileName); }
    AssetIndexBytes& Text(std::uint16_t id, const std::string& text) { return U16(id).String(text); }
    AssetIndexBytes& Sound(std::uint16_t id, const std::string& fileName) { return U16(id).String(fileName); }
    AssetIndexBytes& Font(std::uint16_t id, std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint16_t d)
    {
        return U16(id).U16(a).U16(b).U16(c).U16(d);
    }

    const std::vector<std::uint8_t>& Bytes() const { return bytes; }

private:
    std::vector<std::uint8_t> bytes;
};

// One glyph frame: nominal size, offsets of the stored pixels, their size.
struct GlyphFrame
{
    std::uint32_t fullWidth = 0;
    std::uint32_t fullHeight = 0;
    std::uint32_t offsetX = 0;
    std::uint32_t offsetY = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// A 16-bit image-set file whose frames are filled with one pixel value.
std::vector<std::uint8_t> ImageSetFileBytes(const std::vector<GlyphFrame>& frames, std::uint16_t pixel = 0xFFFF);

// Frames for glyphs 32..32+widths.size()-1: glyph i has offsetX 1, the given
// stored width, and a nominal frame of fullWidth x height (frame 0 is the
// space, so fullWidth sets the space advance).
std::vector<GlyphFrame> SimpleGlyphs(const std::vector<std::uint32_t>& widths, std::uint32_t spaceFullWidth,
                                     std::uint32_t height);

// Glyphs for codes 32..lastCode: the space with a nominal width of
// spaceFullWidth, every other glyph offsetX 1 and width 5 (advance 6, or 5
// as a line's first glyph), all height high.
std::vector<GlyphFrame> UniformGlyphs(std::uint32_t lastCode, std::uint32_t spaceFullWidth, std::uint32_t height);

// A temporary resources root with a file system (search folder "Art") and a
// resource manager installed as the instances; both are removed again, in
// reverse order, when the sandbox goes away.
class ResourceSandbox
{
public:
    ResourceSandbox();
    ~ResourceSandbox();
    ResourceSandbox(const ResourceSandbox&) = delete;
    ResourceSandbox& operator=(const ResourceSandbox&) = delete;

    // Writes Art/<name>.
    void WriteArt(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
    // Writes Art/GameAssets.bin and loads it.
    bool LoadIndex(const AssetIndexBytes& index);

    // Writes the frames as Art/<name>, lists them as image set setId and
    // font fontId (all four variants the same set) in a new index, and
    // returns the font (borrowed from the manager).
    class FCFont* MakeFont(const std::vector<GlyphFrame>& frames, std::uint16_t setId = 10, std::uint16_t fontId = 1);

    FCResourceManager& Manager() { return *manager; }
    const TempFolder& Folder() const { return folder; }

private:
    TempFolder folder;
    std::unique_ptr<FCFileSystem> fileSystem;
    std::unique_ptr<FCResourceManager> manager;
};
