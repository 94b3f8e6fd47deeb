#include "support/FakePrintCanvas.h"

void FakePrintCanvas::AddText(const std::string& text, const FCPoint& at,
                              const std::string& fontName, const std::string& fontFile,
                              std::uint16_t pointSize, FCPoint* outSize)
{
    pending.texts.push_back({text, at, fontName, pointSize});
    if (outSize != nullptr)
    {
        *outSize = MeasureText(text, fontName, fontFile, pointSize);
    }
}

void FakePrintCanvas::AddImage(std::uint16_t imageSetId, std::uint16_t frame, std::int32_t x,
                               std::int32_t y, double scaleX, double scaleY, FCPoint* outSize)
{
    const FCPoint size(static_cast<std::int32_t>(pageSize.x * scaleX),
                       static_cast<std::int32_t>(pageSize.y * scaleY));
    pending.images.push_back({imageSetId, frame, FCPoint(x, y), size});
    if (outSize != nullptr)
    {
        *outSize = size;
    }
}

void FakePrintCanvas::AddImage(FCImageSet*, std::int32_t x, std::int32_t y, double scaleX,
                               double scaleY, FCPoint* outSize)
{
    AddImage(0, 0, x, y, scaleX, scaleY, outSize);
}

FCPoint FakePrintCanvas::MeasureText(const std::string& text, const std::string&,
                                     const std::string&, std::uint16_t pointSize)
{
    return FCPoint(static_cast<std::int32_t>(text.size()) * (pointSize / 2), pointSize);
}

bool FakePrintCanvas::StartDocument(const std::string& name)
{
    documentName = name;
    calls.push_back("StartDocument");
    return true;
}

bool FakePrintCanvas::StartPage()
{
    calls.push_back("StartPage");
    return true;
}

bool FakePrintCanvas::PrintPage()
{
    calls.push_back("PrintPage");
    printed.push_back(std::move(pending));
    pending = Page();
    return true;
}

bool FakePrintCanvas::EndPage()
{
    calls.push_back("EndPage");
    return true;
}

bool FakePrintCanvas::EndDocument()
{
    calls.push_back("EndDocument");
    return true;
}
