#pragma once

#include "Fc/Graphics/FCPoint.h"

#include <cstdint>
#include <string>
#include <string_view>

class FCFont;
class FCImageBuffer;
struct FCRect;

// A text drawn with a bitmap font into a box: aligned left, right or centred
// and top, bottom or centred, on one line or broken at words. Text controls
// embed one; edit and list controls use its measuring for carets and columns.
class FCTextBlock
{
public:
    enum FormatFlags : std::uint32_t
    {
        kAlignLeft = 0x001,
        kAlignBottom = 0x002,
        kAlignTop = 0x004,
        kAlignRight = 0x008,
        kCentreVertically = 0x010,
        kCentreHorizontally = 0x020,
        kWordWrap = 0x040,
        kOneDecimal = 0x100,
        kNegativeVariant = 0x200,
        kPlusSign = 0x400,
    };
    static constexpr std::uint32_t kDefaultFlags = kAlignLeft | kAlignTop;
    static constexpr std::uint16_t kNegativeFontVariant = 2;

    FCTextBlock() = default;
    explicit FCTextBlock(FCFont* newFont);
    FCTextBlock(const FCTextBlock& other);
    FCTextBlock& operator=(const FCTextBlock& other);
    virtual ~FCTextBlock();

    virtual const std::string& GetText() const { return text; }
    virtual void SetText(const std::string& newText);
    // The interface text of the asset index; empty when the id is unknown.
    virtual void SetTextById(std::uint16_t id);
    // Draws into the box at topLeft of the given size, clipped. Without a font
    // nothing is drawn.
    virtual void Draw(FCImageBuffer& target, FCPoint topLeft, FCPoint boxSize, const FCRect& clip);

    // Adds a reference to the new font and drops the old one's.
    void SetFont(FCFont* newFont);
    FCFont* GetFont() const { return font; }
    void SetFontVariant(std::uint16_t variant);
    std::uint16_t GetFontVariant() const { return fontVariant; }
    std::uint32_t GetFormatFlags() const { return formatFlags; }
    void SetFormatFlags(std::uint32_t flags) { formatFlags = flags; }

    void SetShort(std::int16_t value);
    void SetLong(std::int32_t value);
    void SetDouble(double value);

    // Where a single line starts in the box, by the same alignment as Draw.
    FCPoint GetLinePosition(std::string_view line, FCPoint topLeft, FCPoint boxSize);

protected:
    // Derived classes invalidate their screen area; called before and after
    // every change of text or variant.
    virtual void OnChanged() {}

private:
    void SetInteger(std::int64_t value, bool negative);
    std::int32_t LineX(std::string_view line, FCPoint topLeft, FCPoint boxSize);
    std::int32_t FirstLineY(std::int64_t lineCount, FCPoint topLeft, FCPoint boxSize);

    FCFont* font = nullptr;
    std::string text;
    std::uint32_t formatFlags = kDefaultFlags;
    std::uint16_t fontVariant = 0;
};
