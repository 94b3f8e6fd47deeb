#pragma once

#include "Fc/Devices/FCPrintCanvas.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A canvas that keeps what would have been printed, page by page. Text is
// measured the way a printer at 600 dpi measures "Times New Roman": the em
// is MulDiv(points, 600, 72) pixels, capital letters advance 0.68 em and
// every other character 0.5 em (control bytes nothing), and a line is the
// font's ascent plus descent (2268 / 2048 em) high. Its ink runs from 0.7
// em above the baseline (1825 / 2048 em down) to the baseline, or 0.21 em
// below it with a sign or letter that descends, as wide as its advance.
// Image frames have their nominal size.
class FakePrintCanvas : public FCPrintCanvas
{
public:
    struct Text
    {
        std::string text;
        FCPoint at;
        std::string fontName;
        std::uint16_t pointSize = 0;
        std::string fontFile;
    };
    struct Image
    {
        std::uint16_t imageSetId = 0;
        std::uint16_t frame = 0;
        FCPoint at;
        FCPoint printedSize;
        FCPoint frameSize;
    };
    struct Page
    {
        std::vector<Image> images;
        std::vector<Text> texts;
    };

    explicit FakePrintCanvas(FCPoint pageSize) : pageSize(pageSize) {}
    ~FakePrintCanvas() override;

    void AddText(const std::string& text, const FCPoint& at, const std::string& fontName,
                 const std::string& fontFile, std::uint16_t pointSize, FCPoint* outSize) override;
    void AddImage(std::uint16_t imageSetId, std::uint16_t frame, std::int32_t x, std::int32_t y,
                  double scaleX, double scaleY, FCPoint* outSize) override;
    // Holds a reference to the set until the page is printed.
    void AddImage(FCImageSet* imageSet, std::int32_t x, std::int32_t y, double scaleX,
                  double scaleY, FCPoint* outSize) override;
    FCPoint GetFrameSize(FCImageSet* imageSet, std::int16_t frame) override;
    FCPoint MeasureText(const std::string& text, const std::string& fontName,
                        const std::string& fontFile, std::uint16_t pointSize) override;
    FCTextInk MeasureInk(const std::string& text, const std::string& fontName,
                         const std::string& fontFile, std::uint16_t pointSize) override;
    bool StartDocument(const std::string& documentName) override;
    bool StartPage() override;
    bool PrintPage() override;
    bool EndPage() override;
    bool EndDocument() override;

    // The em of a point size in device pixels.
    static std::int32_t EmPixels(std::uint16_t pointSize);
    // What MeasureText answers.
    FCPoint Measure(const std::string& text, std::uint16_t pointSize) const;
    // What MeasureInk answers.
    FCTextInk Ink(const std::string& text, std::uint16_t pointSize) const;

    FCPoint pageSize;
    Page pending;
    std::vector<Page> printed;
    std::string documentName;
    // "StartDocument", "StartPage", "PrintPage", "EndPage", "EndDocument".
    std::vector<std::string> calls;
    // How many times MeasureText was asked.
    std::size_t measured = 0;
    // Exact widths of given texts, for tests that need a round measure.
    std::map<std::string, std::int32_t> widths;
    // The number (from 1) of the document or page call that fails; 0 for
    // none. The failing call abandons the document, and every later call is
    // refused. A silent failure claims the finished outcome all the same,
    // as a canvas that hides its failure would.
    std::size_t failAtCall = 0;
    bool failSilently = false;
    bool abandoned = false;
    // What a successful EndDocument reports.
    FCPrintOutcome finished{FCPrintOutcome::Kind::kSent, "Office", 7, {}, {}};

private:
    // Records the call; false when it is the one that fails or comes after.
    bool Call(const char* name);
    void ReleaseHeldSets();

    std::vector<FCImageSet*> heldSets;
};
