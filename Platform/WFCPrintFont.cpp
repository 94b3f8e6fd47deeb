#include "Platform/WFCPrintFont.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCWindows1252.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <set>
#include <strings.h>
#include <vector>

namespace
{
// The sheet asks for this face everywhere; fonts-liberation2's serif has
// the same metrics, so fontconfig's alias to it is what we expect.
constexpr const char* kSheetFace = "Times New Roman";
constexpr const char* kSheetFaceStandIn = "Liberation Serif";

struct PatternDeleter
{
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

const FcChar8* AsFc(const std::string& text)
{
    return reinterpret_cast<const FcChar8*>(text.c_str());
}

// fontconfig keeps application fonts for the rest of the run, and a file
// added twice would be listed twice, so each file is added once.
void AddFontFileOnce(const std::string& path)
{
    static std::set<std::string> added;
    if (path.empty() || added.contains(path))
        return;
    if (!FcConfigAppFontAddFile(nullptr, AsFc(path)))
    {
        FC_LOG("Font file %s cannot be added.\n", path.c_str());
        return;
    }
    added.insert(path);
}

bool HasFamily(const FcPattern* pattern, const std::string& family)
{
    FcChar8* value = nullptr;
    for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &value) == FcResultMatch; ++i)
    {
        if (strcasecmp(reinterpret_cast<const char*>(value), family.c_str()) == 0)
            return true;
    }
    return false;
}

bool IsDrawn(std::uint8_t code)
{
    return code >= 0x20 && code != 0x7F && Windows1252ToUnicode(code) != 0;
}
} // namespace

bool WFCPrintFont::HasDrawnCharacters(std::string_view text)
{
    for (const char c : text)
        if (IsDrawn(static_cast<std::uint8_t>(c)))
            return true;
    return false;
}

std::int32_t WFCPrintFont::EmPixels(std::uint16_t pointSize, std::int32_t dotsPerInch)
{
    // As MulDiv(pointSize, dotsPerInch, 72): the exact product, rounded.
    return static_cast<std::int32_t>((std::int64_t{pointSize} * dotsPerInch + 36) / 72);
}

std::unique_ptr<WFCPrintFont> WFCPrintFont::Create(const std::string& faceName,
                                                   const std::string& fontFile,
                                                   std::uint16_t pointSize,
                                                   std::int32_t dotsPerInch)
{
    if (!FcInit())
    {
        FC_LOG("fontconfig cannot start.\n");
        return nullptr;
    }
    if (!fontFile.empty())
        AddFontFileOnce(Windows1252ToUtf8(fontFile));

    const std::string name = Windows1252ToUtf8(faceName);
    PatternPtr wanted(FcPatternCreate());
    if (!wanted)
        return nullptr;
    FcPatternAddString(wanted.get(), FC_FAMILY, AsFc(name));
    FcConfigSubstitute(nullptr, wanted.get(), FcMatchPattern);
    FcDefaultSubstitute(wanted.get());
    FcResult result = FcResultNoMatch;
    PatternPtr matched(FcFontMatch(nullptr, wanted.get(), &result));
    FcChar8* file = nullptr;
    if (!matched || FcPatternGetString(matched.get(), FC_FILE, 0, &file) != FcResultMatch)
    {
        FC_LOG("No font for \"%s\".\n", name.c_str());
        return nullptr;
    }
    int index = 0;
    FcPatternGetInteger(matched.get(), FC_INDEX, 0, &index);
    FcChar8* family = nullptr;
    FcPatternGetString(matched.get(), FC_FAMILY, 0, &family);

    std::unique_ptr<WFCPrintFont> font(new WFCPrintFont());
    font->file = reinterpret_cast<const char*>(file);
    font->family = family ? reinterpret_cast<const char*>(family) : "";
    const bool expected = HasFamily(matched.get(), name) ||
                          (name == kSheetFace && HasFamily(matched.get(), kSheetFaceStandIn));
    if (!expected)
        FC_LOG("Print font \"%s\" is served by \"%s\" (%s).\n", name.c_str(), font->family.c_str(),
               font->file.c_str());
    const double em = EmPixels(pointSize, dotsPerInch);
    if (!font->Load(font->file, index, em, 72.0 / dotsPerInch))
        return nullptr;
    return font;
}

WFCPrintFont::~WFCPrintFont()
{
    if (font)
        cairo_scaled_font_destroy(font);
}

bool WFCPrintFont::Load(const std::string& matchedFile, std::int32_t faceIndex, double em,
                        double pointsPerPixel)
{
    // Only the file: the font's own hinting and the desktop's rendering
    // settings have no say in a document.
    PatternPtr pattern(FcPatternCreate());
    if (!pattern)
        return false;
    FcPatternAddString(pattern.get(), FC_FILE, AsFc(matchedFile));
    FcPatternAddInteger(pattern.get(), FC_INDEX, faceIndex);
    FcPatternAddBool(pattern.get(), FC_HINTING, FcFalse);
    cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(pattern.get());
    cairo_matrix_t fontMatrix;
    cairo_matrix_init_scale(&fontMatrix, em, em);
    // The canvas draws in device pixels on pages measured in points.
    cairo_matrix_t ctm;
    cairo_matrix_init_scale(&ctm, pointsPerPixel, pointsPerPixel);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    font = cairo_scaled_font_create(face, &fontMatrix, &ctm, options);
    cairo_font_options_destroy(options);
    cairo_font_face_destroy(face);
    if (cairo_scaled_font_status(font) != CAIRO_STATUS_SUCCESS)
    {
        FC_LOG("Font %s cannot be loaded: %s.\n", matchedFile.c_str(),
               cairo_status_to_string(cairo_scaled_font_status(font)));
        return false;
    }

    FT_Face ft = cairo_ft_scaled_font_lock_face(font);
    if (!ft || ft->units_per_EM == 0)
    {
        if (ft)
            cairo_ft_scaled_font_unlock_face(font);
        FC_LOG("Font %s has no outlines.\n", matchedFile.c_str());
        return false;
    }
    const double scale = em / ft->units_per_EM;
    // GDI's text height is the Windows ascent plus descent; faces without
    // an OS/2 table fall back to their horizontal header.
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
    const double up = os2 ? os2->usWinAscent : ft->ascender;
    const double down = os2 ? os2->usWinDescent : -ft->descender;
    ascent = up * scale;
    height = (up + down) * scale;
    for (int code = 0; code < 256; ++code)
    {
        const auto byte = static_cast<std::uint8_t>(code);
        if (!IsDrawn(byte))
            continue;
        const FT_UInt glyph = FT_Get_Char_Index(ft, Windows1252ToUnicode(byte));
        FT_Fixed advance = 0;
        if (FT_Get_Advance(ft, glyph, FT_LOAD_NO_SCALE, &advance) != 0)
            advance = 0;
        if (glyph != 0 && FT_Load_Glyph(ft, glyph, FT_LOAD_NO_SCALE) == 0)
        {
            const FT_Glyph_Metrics& metrics = ft->glyph->metrics;
            outlines[byte] = {static_cast<double>(metrics.horiBearingX) * scale,
                              static_cast<double>(metrics.horiBearingY - metrics.height) * scale,
                              static_cast<double>(metrics.horiBearingX + metrics.width) * scale,
                              static_cast<double>(metrics.horiBearingY) * scale};
        }
        glyphs[byte] = glyph;
        advances[byte] = static_cast<double>(advance) * scale;
        drawn[byte] = true;
    }
    cairo_ft_scaled_font_unlock_face(font);
    return true;
}

FCPoint WFCPrintFont::Measure(std::string_view text) const
{
    double width = 0;
    for (const char c : text)
        width += advances[static_cast<std::uint8_t>(c)];
    return FCPoint(static_cast<std::int32_t>(std::lround(width)),
                   static_cast<std::int32_t>(std::lround(height)));
}

FCTextInk WFCPrintFont::MeasureInk(std::string_view text) const
{
    FCTextInk measured;
    measured.baseline = static_cast<std::int32_t>(std::lround(ascent));
    double pen = 0;
    bool inked = false;
    double left = 0, top = 0, right = 0, bottom = 0;
    for (const char c : text)
    {
        const Outline& glyph = outlines[static_cast<std::uint8_t>(c)];
        if (glyph.right > glyph.left && glyph.top > glyph.bottom)
        {
            const double glyphTop = ascent - glyph.top;
            const double glyphBottom = ascent - glyph.bottom;
            left = inked ? std::min(left, pen + glyph.left) : pen + glyph.left;
            right = inked ? std::max(right, pen + glyph.right) : pen + glyph.right;
            top = inked ? std::min(top, glyphTop) : glyphTop;
            bottom = inked ? std::max(bottom, glyphBottom) : glyphBottom;
            inked = true;
        }
        pen += advances[static_cast<std::uint8_t>(c)];
    }
    if (inked)
        measured.ink = FCRect(static_cast<std::int32_t>(std::floor(left)),
                              static_cast<std::int32_t>(std::floor(top)),
                              static_cast<std::int32_t>(std::ceil(right)),
                              static_cast<std::int32_t>(std::ceil(bottom)));
    return measured;
}

bool WFCPrintFont::CanDraw(std::string_view text) const
{
    for (const char c : text)
    {
        const auto byte = static_cast<std::uint8_t>(c);
        if (drawn[byte] && glyphs[byte] == 0)
            return false;
    }
    return true;
}

void WFCPrintFont::Draw(cairo_t* cr, std::string_view text, double x, double y) const
{
    std::vector<cairo_glyph_t> placed;
    std::vector<cairo_text_cluster_t> clusters;
    std::string utf8;
    double pen = x;
    for (const char c : text)
    {
        const auto byte = static_cast<std::uint8_t>(c);
        if (!drawn[byte])
            continue;
        placed.push_back({glyphs[byte], pen, y + ascent});
        pen += advances[byte];
        // One cluster per glyph, so that the document's text reads back as
        // the characters that were drawn.
        const std::string character = Windows1252ToUtf8(std::string_view(&c, 1));
        utf8 += character;
        clusters.push_back({static_cast<int>(character.size()), 1});
    }
    if (placed.empty())
        return;
    cairo_set_scaled_font(cr, font);
    cairo_show_text_glyphs(cr, utf8.data(), static_cast<int>(utf8.size()), placed.data(),
                           static_cast<int>(placed.size()), clusters.data(),
                           static_cast<int>(clusters.size()), cairo_text_cluster_flags_t{});
}
