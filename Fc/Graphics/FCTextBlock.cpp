#include "Fc/Graphics/FCTextBlock.h"

#include "Fc/Graphics/FCFont.h"
#include "Fc/Graphics/FCRect.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Fc/Graphics/FCTextLayout.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace
{
// Every Draw refills it; drawing happens on one thread only.
std::vector<std::string> g_drawLines;

std::int32_t Clamp32(std::int64_t value)
{
    if (value < INT32_MIN)
        return INT32_MIN;
    if (value > INT32_MAX)
        return INT32_MAX;
    return static_cast<std::int32_t>(value);
}
} // namespace

FCTextBlock::FCTextBlock(FCFont* newFont) { SetFont(newFont); }

FCTextBlock::FCTextBlock(const FCTextBlock& other)
    : text(other.text), formatFlags(other.formatFlags), fontVariant(other.fontVariant)
{
    SetFont(other.font);
}

FCTextBlock& FCTextBlock::operator=(const FCTextBlock& other)
{
    if (this != &other)
    {
        SetFont(other.font);
        text = other.text;
        formatFlags = other.formatFlags;
        fontVariant = other.fontVariant;
    }
    return *this;
}

FCTextBlock::~FCTextBlock() { SetFont(nullptr); }

void FCTextBlock::SetText(const std::string& newText)
{
    OnChanged();
    text = newText;
    OnChanged();
}

void FCTextBlock::SetTextById(std::uint16_t id)
{
    OnChanged();
    const std::string* found = nullptr;
    if (FCResourceManager* manager = FCResourceManager::GetInstance())
        found = manager->GetString(id);
    text = found ? *found : std::string();
    OnChanged();
}

void FCTextBlock::SetFont(FCFont* newFont)
{
    if (newFont)
        newFont->AddRef();
    if (font)
        font->Release();
    font = newFont;
}

void FCTextBlock::SetFontVariant(std::uint16_t variant)
{
    if (variant == fontVariant)
        return;
    fontVariant = variant;
    OnChanged();
}

void FCTextBlock::SetInteger(std::int64_t value, bool negative)
{
    SetFontVariant((negative && (formatFlags & kNegativeVariant)) ? kNegativeFontVariant : 0);
    std::string shown = std::to_string(value);
    if (!negative && (formatFlags & kPlusSign))
        shown.insert(shown.begin(), '+');
    SetText(shown);
}

void FCTextBlock::SetShort(std::int16_t value) { SetInteger(value, value < 0); }

void FCTextBlock::SetLong(std::int32_t value) { SetInteger(value, value < 0); }

void FCTextBlock::SetDouble(double value)
{
    if (formatFlags & kOneDecimal)
    {
        SetFontVariant((value < 0 && (formatFlags & kNegativeVariant)) ? kNegativeFontVariant : 0);
        char buffer[64];
        // Out-of-range magnitudes are shown capped rather than as hundreds of digits.
        const double shown = std::isnan(value) ? 0.0 : std::fmax(-1e15, std::fmin(1e15, value));
        std::snprintf(buffer, sizeof buffer, "%.1f", shown);
        SetText(buffer);
        return;
    }
    // Truncated toward zero; NaN and values beyond 32 bits are pinned
    // instead of converted, which would be undefined.
    double whole = std::isnan(value) ? 0.0 : std::trunc(value);
    whole = std::fmax(static_cast<double>(INT32_MIN), std::fmin(static_cast<double>(INT32_MAX), whole));
    SetInteger(static_cast<std::int64_t>(whole), value < 0);
}

std::int32_t FCTextBlock::LineX(std::string_view line, FCPoint topLeft, FCPoint boxSize)
{
    // Left-aligned lines need no measuring.
    if (!(formatFlags & (kAlignRight | kCentreHorizontally)))
        return topLeft.x;
    const std::int64_t width = MeasureTextLine(line, *font).x;
    if (formatFlags & kAlignRight)
        return Clamp32(std::int64_t{topLeft.x} - width + boxSize.x);
    if (formatFlags & kCentreHorizontally)
        return Clamp32(std::int64_t{topLeft.x} + boxSize.x / 2 - width / 2);
    return topLeft.x;
}

std::int32_t FCTextBlock::FirstLineY(std::int64_t lineCount, FCPoint topLeft, FCPoint boxSize)
{
    const std::int64_t total = lineCount * font->GetHeight();
    if (formatFlags & kCentreVertically)
        return Clamp32(std::int64_t{topLeft.y} + boxSize.y / 2 - total / 2);
    if (formatFlags & kAlignBottom)
        return Clamp32(std::int64_t{topLeft.y} + boxSize.y - total);
    return topLeft.y;
}

FCPoint FCTextBlock::GetLinePosition(std::string_view line, FCPoint topLeft, FCPoint boxSize)
{
    if (!font)
        return topLeft;
    font->SetVariant(fontVariant);
    return {LineX(line, topLeft, boxSize), FirstLineY(1, topLeft, boxSize)};
}

void FCTextBlock::Draw(FCImageBuffer& target, FCPoint topLeft, FCPoint boxSize, const FCRect& clip)
{
    if (!font)
        return;
    font->SetVariant(fontVariant);
    if (!(formatFlags & kWordWrap))
    {
        // One line: the text itself, without copying it.
        const FCPoint pen{LineX(text, topLeft, boxSize), FirstLineY(1, topLeft, boxSize)};
        font->DrawText(text, target, pen, clip);
        return;
    }
    g_drawLines.clear();
    WrapText(g_drawLines, text, boxSize, true, *font);

    const std::int32_t lineHeight = font->GetHeight();
    std::int64_t y = FirstLineY(static_cast<std::int64_t>(g_drawLines.size()), topLeft, boxSize);
    for (const std::string& line : g_drawLines)
    {
        font->DrawText(line, target, FCPoint(LineX(line, topLeft, boxSize), Clamp32(y)), clip);
        y += lineHeight;
    }
}
