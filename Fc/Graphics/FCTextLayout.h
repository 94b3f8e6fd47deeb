#pragma once

#include "Fc/Graphics/FCPoint.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class FCFont;

// Measuring and line breaking of bitmap-font text. Lines keep their newline
// characters; measuring and drawing skip them.

// Width: the advances of the characters, the first one tight (its stored
// pixels only), newlines skipped. Height: the font's line height.
FCPoint MeasureTextLine(std::string_view line, FCFont& font);

// Size of a line; context is whatever the caller handed to WrapText.
using FCMeasureFunction = FCPoint (*)(std::string_view line, void* context);

// Breaks text into lines no wider than size.x (no limit when below 1),
// appending them to lines. With wordWrap a line ends after its last space
// that fits, or before the first character that does not; every line takes
// at least one character, so a glyph wider than the box cannot stall it.
// Without wordWrap only the first line is produced. Lines stop once the next
// would pass size.y (no limit when below 1); the rest of the text is dropped.
void WrapText(std::vector<std::string>& lines, std::string_view text, FCPoint size, bool wordWrap,
              FCMeasureFunction measure, void* context);
// The same with MeasureTextLine, measured incrementally: a line's width grows
// by one advance per character instead of being measured again each time.
void WrapText(std::vector<std::string>& lines, std::string_view text, FCPoint size, bool wordWrap,
              FCFont& font);

// (width, number of lines x line height) of text wrapped at words to width,
// without a height limit.
FCPoint MeasureWrappedText(std::string_view text, FCFont& font, std::int16_t width);

// Where the caret before character index goes in the text wrapped into size:
// at the end of a line that another follows, the start of the next line.
FCPoint GetWrappedCharPosition(std::string_view text, FCFont& font, FCPoint size, std::int16_t index);

// The inverse of GetWrappedCharPosition: the index of the caret nearest to
// point in the text wrapped into size. A point above the text or left of a
// line takes the first line or the line's start; one below or to the right
// the last line or the line's end. A line that another follows ends before
// its last character, since the caret after it stands at the next line.
std::int32_t GetWrappedCharIndex(std::string_view text, FCFont& font, FCPoint size, FCPoint point);
