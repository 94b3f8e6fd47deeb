#include "support/FakePrintCanvas.h"

#include "Fc/Graphics/FCImageSet.h"

FakePrintCanvas::~FakePrintCanvas()
{
    ReleaseHeldSets();
}

void FakePrintCanvas::ReleaseHeldSets()
{
    for (FCImageSet* set : heldSets)
        set->Release();
    heldSets.clear();
}

std::int32_t FakePrintCanvas::EmPixels(std::uint16_t pointSize)
{
    return (pointSize * 600 + 36) / 72;
}

void FakePrintCanvas::AddText(const std::string& text, const FCPoint& at,
                              const std::string& fontName, const std::string& fontFile,
                              std::uint16_t pointSize, FCPoint* outSize)
{
    pending.texts.push_back({text, at, fontName, pointSize, fontFile});
    if (outSize != nullptr)
        *outSize = MeasureText(text, fontName, fontFile, pointSize);
}

void FakePrintCanvas::AddImage(std::uint16_t imageSetId, std::uint16_t frame, std::int32_t x,
                               std::int32_t y, double scaleX, double scaleY, FCPoint* outSize)
{
    const FCPoint size(static_cast<std::int32_t>(pageSize.x * scaleX),
                       static_cast<std::int32_t>(pageSize.y * scaleY));
    pending.images.push_back({imageSetId, frame, FCPoint(x, y), size, FCPoint()});
    if (outSize != nullptr)
        *outSize = size;
}

void FakePrintCanvas::AddImage(FCImageSet* imageSet, std::int32_t x, std::int32_t y, double scaleX,
                               double scaleY, FCPoint* outSize)
{
    AddImage(imageSet ? imageSet->GetId() : 0, 0, x, y, scaleX, scaleY, outSize);
    if (imageSet)
    {
        pending.images.back().frameSize = GetFrameSize(imageSet, 0);
        imageSet->AddRef();
        heldSets.push_back(imageSet);
    }
}

FCPoint FakePrintCanvas::GetFrameSize(FCImageSet* imageSet, std::int16_t frame)
{
    const FCImageFrame* record = imageSet ? imageSet->GetFrame(frame) : nullptr;
    if (!record)
        return FCPoint(0, 0);
    return FCPoint(static_cast<std::int32_t>(record->fullWidth),
                   static_cast<std::int32_t>(record->fullHeight));
}

FCPoint FakePrintCanvas::MeasureText(const std::string& text, const std::string&,
                                     const std::string&, std::uint16_t pointSize)
{
    ++measured;
    return Measure(text, pointSize);
}

FCPoint FakePrintCanvas::Measure(const std::string& text, std::uint16_t pointSize) const
{
    const std::int32_t em = EmPixels(pointSize);
    const std::int32_t height = (em * 2268 + 1024) / 2048;
    const auto fixed = widths.find(text);
    if (fixed != widths.end())
        return FCPoint(fixed->second, height);
    std::int64_t hundredths = 0;
    for (const char c : text)
    {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x20)
            continue;
        const bool capital =
            (code >= 'A' && code <= 'Z') || (code >= 0xC0 && code <= 0xDE && code != 0xD7);
        hundredths += capital ? 68 : 50;
    }
    return FCPoint(static_cast<std::int32_t>((hundredths * em + 50) / 100), height);
}

FCTextInk FakePrintCanvas::MeasureInk(const std::string& text, const std::string&,
                                      const std::string&, std::uint16_t pointSize)
{
    return Ink(text, pointSize);
}

FCTextInk FakePrintCanvas::Ink(const std::string& text, std::uint16_t pointSize) const
{
    const std::int32_t em = EmPixels(pointSize);
    const std::int32_t baseline = (em * 1825 + 1024) / 2048;
    const std::int32_t width = Measure(text, pointSize).x;
    if (width == 0 || text.find_first_not_of(' ') == std::string::npos)
        return {FCRect(), baseline};
    const bool descends = text.find_first_of("(),;gjpqyQ") != std::string::npos;
    return {FCRect(0, baseline - (em * 7 + 5) / 10, width,
                   baseline + (descends ? (em * 21 + 50) / 100 : 0)),
            baseline};
}

bool FakePrintCanvas::Call(const char* name)
{
    calls.push_back(name);
    if (abandoned)
        return false;
    if (failAtCall != 0 && calls.size() == failAtCall)
    {
        abandoned = true;
        if (failSilently)
        {
            outcome = finished;
            return false;
        }
        outcome = FCPrintOutcome();
        outcome.kind = FCPrintOutcome::Kind::kFailed;
        outcome.reason = std::string(name) + " was refused";
        return false;
    }
    return true;
}

bool FakePrintCanvas::StartDocument(const std::string& name)
{
    documentName = name;
    return Call("StartDocument");
}

bool FakePrintCanvas::StartPage()
{
    return Call("StartPage");
}

bool FakePrintCanvas::PrintPage()
{
    const bool ok = Call("PrintPage");
    if (ok)
        printed.push_back(std::move(pending));
    pending = Page();
    ReleaseHeldSets();
    return ok;
}

bool FakePrintCanvas::EndPage()
{
    return Call("EndPage");
}

bool FakePrintCanvas::EndDocument()
{
    if (!Call("EndDocument"))
        return false;
    outcome = finished;
    return true;
}
