#include "Fc/Devices/FCPrintCanvas.h"

// Out of line so that the class's virtual table has one home.
FCPrintCanvas::~FCPrintCanvas() = default;

FCTextInk FCPrintCanvas::MeasureInk(const std::string& text, const std::string& fontName,
                                    const std::string& fontFile, std::uint16_t pointSize)
{
    const FCPoint size = MeasureText(text, fontName, fontFile, pointSize);
    return {FCRect(0, 0, size.x, size.y), size.y};
}
