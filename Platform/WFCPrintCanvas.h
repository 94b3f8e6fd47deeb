#pragma once

#include "Fc/Devices/FCPrintCanvas.h"

#include <cairo.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

class WFCPrintFont;
class WFCSpooler;

// A document drawn by cairo into a PDF file of US Letter pages, then handed
// to the default printer or kept in the printouts folder. Positions are
// device pixels of a page at kDotsPerInch; the PDF's pages are 612 x 792
// points, so one pixel is 72 / kDotsPerInch points.
//
// The PDF is written to a temporary file in the printouts folder. Any call
// that fails abandons the document: the surface is finished, the temporary
// file deleted, the outcome records why, and every later call answers
// false. EndDocument delivers a finished document (see GetOutcome).
class WFCPrintCanvas : public FCPrintCanvas
{
public:
    static constexpr std::int32_t kDotsPerInch = 600;
    WFCPrintCanvas(std::int32_t pageWidth, std::int32_t pageHeight,
                   std::shared_ptr<WFCSpooler> spooler);
    // A document still open is abandoned.
    ~WFCPrintCanvas() override;
    WFCPrintCanvas(const WFCPrintCanvas&) = delete;
    WFCPrintCanvas& operator=(const WFCPrintCanvas&) = delete;

    // Texts are Windows-1252.
    void AddText(const std::string& text, const FCPoint& at, const std::string& fontName,
                 const std::string& fontFile, std::uint16_t pointSize, FCPoint* outSize) override;
    // The set comes from the resource manager; nothing is queued when it
    // has no such set.
    void AddImage(std::uint16_t imageSetId, std::uint16_t frame, std::int32_t x, std::int32_t y,
                  double scaleX, double scaleY, FCPoint* outSize) override;
    // The queued image holds a reference to the set until it is printed.
    void AddImage(FCImageSet* imageSet, std::int32_t x, std::int32_t y, double scaleX,
                  double scaleY, FCPoint* outSize) override;
    // The frame's nominal size; (0, 0) for a frame the set lacks.
    FCPoint GetFrameSize(FCImageSet* imageSet, std::int16_t frame) override;
    // (advance, ascent + descent) in device pixels; (0, 0) without a font.
    FCPoint MeasureText(const std::string& text, const std::string& fontName,
                        const std::string& fontFile, std::uint16_t pointSize) override;
    // Empty ink without a font.
    FCTextInk MeasureInk(const std::string& text, const std::string& fontName,
                         const std::string& fontFile, std::uint16_t pointSize) override;
    // documentName is the PDF's title and the print job's name.
    bool StartDocument(const std::string& documentName) override;
    bool StartPage() override;
    // Images first, then texts, each in the order added; 8-bit sets only,
    // in the palette their file holds. Both queues are emptied whatever
    // happens.
    bool PrintPage() override;
    bool EndPage() override;
    // Finishes the PDF; a default printer that takes jobs gets it as one
    // job and the temporary file goes, otherwise it is kept in the
    // printouts folder under the file name (see FCPrintCanvas::SetFileName).
    // True when it was sent or kept.
    bool EndDocument() override;

    // The temporary file of the open document; empty when none.
    const std::string& GetTempPath() const { return tempPath; }

private:
    struct TextItem
    {
        std::string text;
        FCPoint at;
        std::string fontName;
        std::string fontFile;
        std::uint16_t pointSize = 0;
    };
    struct ImageItem
    {
        FCImageSet* imageSet = nullptr; // one reference held
        std::uint16_t frame = 0;
        std::int32_t x = 0;
        std::int32_t y = 0;
        std::int32_t width = 0;  // printed size in device pixels
        std::int32_t height = 0;
    };
    enum class State : std::uint8_t
    {
        kIdle,
        kDocument,
        kPage,
        kFinished,
    };
    // An image set's frame: sets of the asset index by id, others by
    // address.
    using ImageKey = std::tuple<bool, std::uintptr_t, std::uint16_t>;
    struct CachedImage
    {
        cairo_surface_t* surface = nullptr; // null: the frame cannot be printed
        FCImageSet* heldSet = nullptr;      // one reference, for sets known by address
    };

    // The font of a face at a size, made on first use; null when none.
    const WFCPrintFont* GetFont(const std::string& fontName, const std::string& fontFile,
                                std::uint16_t pointSize);
    void QueueImage(FCImageSet* imageSet, std::uint16_t frame, std::int32_t x, std::int32_t y,
                    double scaleX, double scaleY, FCPoint* outSize);
    void DrawImage(const ImageItem& item);
    // The frame as an image surface of the document, made once.
    cairo_surface_t* GetImageSurface(FCImageSet& imageSet, std::uint16_t frame);
    void ClearQueues();
    void ReleaseImages();
    // Ends the document as a failure (logged); always false.
    bool Abandon(const std::string& reason);
    // Finishes the surface and closes the file; false with reason on error.
    bool FinishFile(std::string& reason);
    void DropDocument();
    bool Deliver();
    bool Keep(const std::string& why);
    static cairo_status_t WriteToFile(void* closure, const unsigned char* data,
                                      unsigned int length);

    std::int32_t pageWidth = 0;
    std::int32_t pageHeight = 0;
    std::shared_ptr<WFCSpooler> spooler;
    std::vector<TextItem> textItems;
    std::vector<ImageItem> imageItems;
    std::map<std::string, std::unique_ptr<WFCPrintFont>> fonts;
    std::map<ImageKey, CachedImage> imageSurfaces;
    State state = State::kIdle;
    std::string title; // Windows-1252
    std::string folder;
    std::string tempPath;
    int fileDescriptor = -1;
    int writeError = 0;
    cairo_surface_t* surface = nullptr;
    cairo_t* context = nullptr;
};
