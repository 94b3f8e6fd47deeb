#pragma once

#include "Fc/Devices/FCPrintCanvas.h"

#include <cstdint>
#include <string>
#include <vector>

// A canvas that keeps what would have been printed, page by page. Text is
// measured with a fixed-pitch rule (every character pointSize / 2 wide,
// pointSize high) so that layouts are predictable.
class FakePrintCanvas : public FCPrintCanvas
{
public:
    struct Text
    {
        std::string text;
        FCPoint at;
        std::string fontName;
        std::uint16_t pointSize = 0;
    };
    struct Image
    {
        std::uint16_t imageSetId = 0;
        std::uint16_t frame = 0;
        FCPoint at;
        FCPoint printedSize;
    };
    struct Page
    {
        std::vector<Image> images;
        std::vector<Text> texts;
    };

    explicit FakePrintCanvas(FCPoint pageSize) : pageSize(pageSize) {}

    void AddText(const std::string& text, const FCPoint& at, const std::string& fontName,
                 const std::string& fontFile, std::uint16_t pointSize, FCPoint* outSize) override;
    void AddImage(std::uint16_t imageSetId, std::uint16_t frame, std::int32_t x, std::int32_t y,
                  double scaleX, double scaleY, FCPoint* outSize) override;
    void AddImage(FCImageSet* imageSet, std::int32_t x, std::int32_t y, double scaleX,
                  double scaleY, FCPoint* outSize) override;
    FCPoint GetFrameSize(FCImageSet*, std::int16_t) override { return FCPoint(0, 0); }
    FCPoint MeasureText(const std::string& text, const std::string& fontName,
                        const std::string& fontFile, std::uint16_t pointSize) override;
    bool StartDocument(const std::string& documentName) override;
    bool StartPage() override;
    bool PrintPage() override;
    bool EndPage() override;
    bool EndDocument() override;

    FCPoint pageSize;
    Page pending;
    std::vector<Page> printed;
    std::string documentName;
    // "StartDocument", "StartPage", "PrintPage", "EndPage", "EndDocument".
    std::vector<std::string> calls;
};
