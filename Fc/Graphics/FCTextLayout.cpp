#include "Fc/Graphics/FCTextLayout.h"

#include "Fc/Graphics/FCFont.h"

#include <algorithm>
#include <array>
#include <limits>

namespace
{
// Width of text[start, start + n) by measuring the whole candidate each time.
class CallbackMeasurer
{
public:
    CallbackMeasurer(std::string_view t, FCMeasureFunction m, void* c) : text(t), measure(m), context(c) {}

    std::int32_t LineHeight() const { return measure ? measure("|", context).y : 0; }
    std::int32_t Width(std::size_t start, std::size_t n) const
    {
        return measure ? measure(text.substr(start, n), context).x : 0;
    }

private:
    std::string_view text;
    FCMeasureFunction measure;
    void* context;
};

// Advances of a font's characters, looked up once per code and call.
class FontAdvances
{
public:
    explicit FontAdvances(FCFont& f) : font(f)
    {
        tight.fill(kUnknown);
        loose.fill(kUnknown);
    }

    std::int32_t LineHeight() const { return font.GetHeight(); }
    std::int32_t Advance(char c, bool first)
    {
        std::int32_t& slot = (first ? tight : loose)[static_cast<unsigned char>(c)];
        if (slot == kUnknown)
            slot = c == '\n' ? 0 : font.GetGlyphSize(FCFont::GlyphOf(c), first).x;
        return slot;
    }

private:
    static constexpr std::int32_t kUnknown = std::numeric_limits<std::int32_t>::min();

    FCFont& font;
    std::array<std::int32_t, 256> tight{};
    std::array<std::int32_t, 256> loose{};
};

// The line breaking itself: the candidate line grows a character at a time
// and is measured whole each time.
void WrapByMeasuring(std::vector<std::string>& lines, std::string_view text, FCPoint size, bool wordWrap,
                     const CallbackMeasurer& measurer)
{
    const std::int64_t lineHeight = measurer.LineHeight();
    const std::int32_t maxWidth = size.x;
    const std::int32_t maxHeight = size.y;
    std::size_t start = 0;
    std::size_t n = 1;
    std::int64_t count = 0;
    for (;;)
    {
        if (start + n > text.size())
        {
            lines.emplace_back(text.substr(start));
            return;
        }
        const std::string_view candidate = text.substr(start, n);
        if (candidate.back() == '\n')
        {
            lines.emplace_back(candidate);
            if (!wordWrap)
                return;
            start += n;
            n = 1;
        }
        else
        {
            const std::int32_t width = measurer.Width(start, n);
            if (width <= maxWidth || maxWidth < 1)
            {
                ++n;
                continue;
            }
            if (!wordWrap)
            {
                lines.emplace_back(candidate.substr(0, n - 1));
                return;
            }
            const std::size_t space = candidate.rfind(' ');
            std::size_t cut = space != std::string_view::npos ? space + 1 : n - 1;
            // A lone character wider than the box still makes a line of its
            // own; cutting nothing would repeat the same empty line forever.
            if (cut == 0)
                cut = 1;
            lines.emplace_back(candidate.substr(0, cut));
            start += cut;
            n = 1;
        }
        ++count;
        if (maxHeight >= 1 && (count + 1) * lineHeight > maxHeight)
            return;
    }
}
// The same breaks as WrapByMeasuring, found in one pass: a line's width grows by
// one advance per character instead of the candidate being measured anew,
// and the last space is remembered instead of searched for.
void WrapByAdvances(std::vector<std::string>& lines, std::string_view text, FCPoint size, bool wordWrap,
                    FontAdvances& advances)
{
    const std::int64_t lineHeight = advances.LineHeight();
    const std::int32_t maxWidth = size.x;
    const std::int32_t maxHeight = size.y;
    std::size_t start = 0;
    std::int64_t count = 0;
    for (;;)
    {
        std::int64_t width = 0;
        std::size_t lastSpace = std::string_view::npos;
        for (std::size_t i = start;; ++i)
        {
            if (i >= text.size())
            {
                lines.emplace_back(text.substr(start));
                return;
            }
            const char c = text[i];
            if (c == '\n')
            {
                lines.emplace_back(text.substr(start, i + 1 - start));
                if (!wordWrap)
                    return;
                start = i + 1;
                break;
            }
            width += advances.Advance(c, i == start);
            if (c == ' ')
                lastSpace = i;
            if (maxWidth >= 1 && width > maxWidth)
            {
                if (!wordWrap)
                {
                    lines.emplace_back(text.substr(start, i - start));
                    return;
                }
                std::size_t cut = lastSpace != std::string_view::npos ? lastSpace + 1 - start : i - start;
                if (cut == 0)
                    cut = 1;
                lines.emplace_back(text.substr(start, cut));
                start += cut;
                break;
            }
        }
        ++count;
        if (maxHeight >= 1 && (count + 1) * lineHeight > maxHeight)
            return;
    }
}
} // namespace

FCPoint MeasureTextLine(std::string_view line, FCFont& font)
{
    std::int64_t width = 0;
    for (std::size_t i = 0; i < line.size(); ++i)
    {
        if (line[i] != '\n')
            width += font.GetGlyphSize(FCFont::GlyphOf(line[i]), i == 0).x;
    }
    width = std::min<std::int64_t>(width, std::numeric_limits<std::int32_t>::max());
    return {static_cast<std::int32_t>(width), font.GetHeight()};
}

void WrapText(std::vector<std::string>& lines, std::string_view text, FCPoint size, bool wordWrap,
              FCMeasureFunction measure, void* context)
{
    CallbackMeasurer measurer(text, measure, context);
    WrapByMeasuring(lines, text, size, wordWrap, measurer);
}

void WrapText(std::vector<std::string>& lines, std::string_view text, FCPoint size, bool wordWrap,
              FCFont& font)
{
    FontAdvances advances(font);
    WrapByAdvances(lines, text, size, wordWrap, advances);
}

FCPoint MeasureWrappedText(std::string_view text, FCFont& font, std::int16_t width)
{
    std::vector<std::string> lines;
    WrapText(lines, text, {width, 0}, true, font);
    const std::int64_t total = static_cast<std::int64_t>(lines.size()) * font.GetHeight();
    return {width, static_cast<std::int32_t>(std::min<std::int64_t>(total, std::numeric_limits<std::int32_t>::max()))};
}

FCPoint GetWrappedCharPosition(std::string_view text, FCFont& font, FCPoint size, std::int16_t index)
{
    std::vector<std::string> lines;
    WrapText(lines, text, size, true, font);
    if (lines.empty())
        return {};
    const std::int32_t height = font.GetHeight();
    // A caret cannot stand before the text.
    const std::size_t wanted = index < 0 ? 0 : static_cast<std::size_t>(index);
    std::size_t counted = 0;
    std::int32_t y = 0;
    for (std::size_t i = 0; i < lines.size(); ++i)
    {
        const std::string& line = lines[i];
        if (wanted == counted + line.size())
        {
            if (i + 1 < lines.size())
                return {0, y + height};
            return {MeasureTextLine(line, font).x, y};
        }
        if (wanted < counted + line.size())
            return {MeasureTextLine(std::string_view(line).substr(0, wanted - counted), font).x, y};
        y += height;
        counted += line.size();
    }
    return {0, y};
}

std::int32_t GetWrappedCharIndex(std::string_view text, FCFont& font, FCPoint size, FCPoint point)
{
    std::vector<std::string> lines;
    WrapText(lines, text, size, true, font);
    if (lines.empty())
        return 0;
    const std::int32_t height = font.GetHeight();
    std::size_t row = 0;
    if (point.y > 0 && height > 0)
        row = std::min<std::size_t>(static_cast<std::size_t>(point.y / height), lines.size() - 1);
    std::size_t counted = 0;
    for (std::size_t i = 0; i < row; ++i)
        counted += lines[i].size();
    const std::string& line = lines[row];
    // Past the end of a line that another follows is the start of the next.
    const std::size_t last = row + 1 < lines.size() && !line.empty() ? line.size() - 1 : line.size();
    // Each caret position owns the half advances on either side of it.
    std::int64_t caretX = 0;
    for (std::size_t j = 0; j < last; ++j)
    {
        const std::int64_t advance =
            line[j] == '\n' ? 0 : font.GetGlyphSize(FCFont::GlyphOf(line[j]), j == 0).x;
        if (point.x < caretX + advance / 2 + advance % 2)
            return static_cast<std::int32_t>(counted + j);
        caretX += advance;
    }
    return static_cast<std::int32_t>(counted + last);
}
