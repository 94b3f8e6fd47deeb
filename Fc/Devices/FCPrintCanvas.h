#pragma once

#include "Fc/Core/FCObject.h"
#include "Fc/Graphics/FCPoint.h"
#include "Fc/Graphics/FCRect.h"

#include <cstdint>
#include <optional>
#include <string>

class FCImageSet;

// What became of a finished document, for the user and the log. The texts
// are Windows-1252, like every text inside the program.
struct FCPrintOutcome
{
    enum class Kind : std::uint8_t
    {
        kNone,   // not finished yet
        kSent,   // handed to the printer `destination` as job `job`
        kSaved,  // kept as the file `path`; `reason` says why it was not printed
        kFailed, // nothing was made; `reason` says why
    };
    Kind kind = Kind::kNone;
    std::string destination;
    std::int32_t job = 0;
    std::string path;
    std::string reason;
};

// What a text puts on paper, from the top-left point it is added at, in
// device pixels: the box around its glyphs' outlines (empty when it draws
// nothing) and the depth of its baseline.
struct FCTextInk
{
    FCRect ink;
    std::int32_t baseline = 0;
};

// One printed document, page by page: texts and images are queued for the
// page and put on paper by PrintPage. Positions and sizes are printer device
// pixels; image scales are fractions of the page width and height. The
// platform layer supplies the concrete class.
class FCPrintCanvas : public FCObject
{
public:
    ~FCPrintCanvas() override;

    // outSize, when given, receives the text's measured extent.
    virtual void AddText(const std::string& text, const FCPoint& at, const std::string& fontName,
                         const std::string& fontFile, std::uint16_t pointSize,
                         FCPoint* outSize) = 0;
    // outSize, when given, receives the printed size of the image.
    virtual void AddImage(std::uint16_t imageSetId, std::uint16_t frame, std::int32_t x,
                          std::int32_t y, double scaleX, double scaleY, FCPoint* outSize) = 0;
    // Frame 0 of the given image set.
    virtual void AddImage(FCImageSet* imageSet, std::int32_t x, std::int32_t y, double scaleX,
                          double scaleY, FCPoint* outSize) = 0;
    virtual FCPoint GetFrameSize(FCImageSet* imageSet, std::int16_t frame) = 0;
    virtual FCPoint MeasureText(const std::string& text, const std::string& fontName,
                                const std::string& fontFile, std::uint16_t pointSize) = 0;
    // A canvas that cannot tell its glyphs apart answers the text's whole
    // line, as MeasureText measures it, with the baseline at its foot.
    virtual FCTextInk MeasureInk(const std::string& text, const std::string& fontName,
                                 const std::string& fontFile, std::uint16_t pointSize);
    virtual bool StartDocument(const std::string& documentName) = 0;
    virtual bool StartPage() = 0;
    // Prints the queued items (images first, then texts) and empties the queues.
    virtual bool PrintPage() = 0;
    virtual bool EndPage() = 0;
    virtual bool EndDocument() = 0;

    // Set by EndDocument, or by any call that abandoned the document.
    const FCPrintOutcome& GetOutcome() const { return outcome; }

    // The name a document that is kept as a file is filed under (the
    // character's, Windows-1252; an empty one gets a name of its own); set
    // before StartDocument. Until it is set, the document's name serves.
    void SetFileName(const std::string& name) { fileName = name; }
    const std::optional<std::string>& GetFileName() const { return fileName; }

protected:
    FCPrintOutcome outcome;
    std::optional<std::string> fileName;
};
