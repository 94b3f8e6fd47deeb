#pragma once

#include "Fc/Devices/FCPrintCanvas.h"
#include "Fc/Graphics/FCPoint.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

typedef struct _cairo cairo_t;
typedef struct _cairo_scaled_font cairo_scaled_font_t;

// One face at one size as the print canvas draws it, in device pixels of a
// page at the given resolution. Text is Windows-1252; every byte is one
// glyph placed by its unhinted advance, without kerning, so what
// Measure reports is exactly what Draw covers. Control bytes (below 0x20,
// 0x7F) and the codes Windows-1252 leaves undefined take no room and are
// not drawn.
class WFCPrintFont
{
public:
    // faceName and fontFile are Windows-1252. A font file, when given, is
    // added to fontconfig's fonts first (once per file for the whole run)
    // and the face name is then matched through fontconfig as usual. A face
    // that resolves to another family is logged, except "Times New Roman",
    // which our Liberation Serif stands in for by design. Null (logged) when
    // no face can be loaded.
    static std::unique_ptr<WFCPrintFont> Create(const std::string& faceName,
                                                const std::string& fontFile,
                                                std::uint16_t pointSize,
                                                std::int32_t dotsPerInch);
    ~WFCPrintFont();
    WFCPrintFont(const WFCPrintFont&) = delete;
    WFCPrintFont& operator=(const WFCPrintFont&) = delete;

    // Whether any byte of the text is one that takes a glyph.
    static bool HasDrawnCharacters(std::string_view text);
    // The em in device pixels: the point size at the resolution, rounded.
    static std::int32_t EmPixels(std::uint16_t pointSize, std::int32_t dotsPerInch);

    // (advance, ascent + descent) in device pixels, each rounded; the
    // ascent and descent are the face's Windows metrics.
    FCPoint Measure(std::string_view text) const;
    // The glyphs' outlines as Draw places them, rounded outwards, and the
    // baseline, both from the text's top-left corner.
    FCTextInk MeasureInk(std::string_view text) const;
    // Whether the face has a glyph for every character of the text that
    // takes one: a face without letters would print boxes or symbols.
    bool CanDraw(std::string_view text) const;
    // Draws the text with its top-left corner at (x, y) in cr's user space,
    // which must be device pixels; the baseline lies one ascent lower.
    void Draw(cairo_t* cr, std::string_view text, double x, double y) const;

    // The file and family fontconfig chose (UTF-8).
    const std::string& GetFile() const { return file; }
    const std::string& GetFamily() const { return family; }

private:
    WFCPrintFont() = default;
    bool Load(const std::string& matchedFile, std::int32_t faceIndex, double em,
              double pointsPerPixel);

    cairo_scaled_font_t* font = nullptr;
    std::string file;
    std::string family;
    // By Windows-1252 byte: the glyph and its advance in device pixels; a
    // byte that is not drawn has glyph 0 and advance 0 and is skipped.
    std::array<std::uint32_t, 256> glyphs{};
    std::array<double, 256> advances{};
    std::array<bool, 256> drawn{};
    // By byte: the outline's box from the pen on the baseline, y upwards, in
    // device pixels; empty for a glyph without an outline.
    struct Outline
    {
        double left = 0, bottom = 0, right = 0, top = 0;
    };
    std::array<Outline, 256> outlines{};
    double ascent = 0;
    double height = 0;
};
