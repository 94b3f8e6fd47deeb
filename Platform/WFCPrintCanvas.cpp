#include "Platform/WFCPrintCanvas.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCWindows1252.h"
#include "Fc/Graphics/FCImageSet.h"
#include "Fc/Graphics/FCPalette.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Platform/WFCPrintFont.h"
#include "Platform/WFCPrintouts.h"
#include "Platform/WFCSpooler.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr double kPointsPerInch = 72.0;
// Texts without a font of their own fall back to the sheet's face.
constexpr const char* kDefaultFace = "Times New Roman";

// Text for the user from UTF-8 (file names, the spooler's messages): what
// Windows-1252 cannot hold becomes '?'.
std::string ToProgramText(std::string_view utf8)
{
    return Utf8ToWindows1252Lossy(utf8);
}

std::string ErrorText(int error)
{
    return std::strerror(error);
}
} // namespace

WFCPrintCanvas::WFCPrintCanvas(std::int32_t width, std::int32_t height,
                               std::shared_ptr<WFCSpooler> spoolerToUse)
    : pageWidth(width), pageHeight(height), spooler(std::move(spoolerToUse))
{
}

WFCPrintCanvas::~WFCPrintCanvas()
{
    if (state == State::kDocument || state == State::kPage)
        FC_LOG("A print canvas went away with its document open.\n");
    ClearQueues();
    DropDocument();
}

void WFCPrintCanvas::AddText(const std::string& text, const FCPoint& at,
                             const std::string& fontName, const std::string& fontFile,
                             std::uint16_t pointSize, FCPoint* outSize)
{
    textItems.push_back({text, at, fontName, fontFile, pointSize});
    if (outSize)
        *outSize = MeasureText(text, fontName, fontFile, pointSize);
}

void WFCPrintCanvas::AddImage(std::uint16_t imageSetId, std::uint16_t frame, std::int32_t x,
                              std::int32_t y, double scaleX, double scaleY, FCPoint* outSize)
{
    FCResourceManager* manager = FCResourceManager::GetInstance();
    FCImageSet* imageSet = manager ? manager->GetImageSet(imageSetId) : nullptr;
    if (!imageSet)
        FC_LOG("Image set %u cannot be printed: it is not in the asset index.\n",
               static_cast<unsigned>(imageSetId));
    QueueImage(imageSet, frame, x, y, scaleX, scaleY, outSize);
}

void WFCPrintCanvas::AddImage(FCImageSet* imageSet, std::int32_t x, std::int32_t y,
                              double scaleX, double scaleY, FCPoint* outSize)
{
    QueueImage(imageSet, 0, x, y, scaleX, scaleY, outSize);
}

void WFCPrintCanvas::QueueImage(FCImageSet* imageSet, std::uint16_t frame, std::int32_t x,
                                std::int32_t y, double scaleX, double scaleY, FCPoint* outSize)
{
    const auto width = static_cast<std::int32_t>(pageWidth * scaleX);
    const auto height = static_cast<std::int32_t>(pageHeight * scaleY);
    if (outSize)
        *outSize = FCPoint(width, height);
    if (!imageSet)
        return;
    if (imageSet->GetEncoding() != FCImageSet::kEncoding8)
    {
        FC_LOG("Image set %u is not printed: only 8-bit sets are.\n",
               static_cast<unsigned>(imageSet->GetId()));
        return;
    }
    const FCImageFrame* stored = imageSet->GetFrame(static_cast<std::int16_t>(frame));
    if (!stored || stored->fullWidth == 0 || stored->fullHeight == 0)
    {
        FC_LOG("Image set %u has no frame %u to print.\n", static_cast<unsigned>(imageSet->GetId()),
               static_cast<unsigned>(frame));
        return;
    }
    imageSet->AddRef();
    imageItems.push_back({imageSet, frame, x, y, width, height});
}

FCPoint WFCPrintCanvas::GetFrameSize(FCImageSet* imageSet, std::int16_t frame)
{
    const FCImageFrame* stored = imageSet ? imageSet->GetFrame(frame) : nullptr;
    if (!stored)
        return FCPoint(0, 0);
    return FCPoint(static_cast<std::int32_t>(stored->fullWidth),
                   static_cast<std::int32_t>(stored->fullHeight));
}

FCPoint WFCPrintCanvas::MeasureText(const std::string& text, const std::string& fontName,
                                    const std::string& fontFile, std::uint16_t pointSize)
{
    const WFCPrintFont* font = GetFont(fontName, fontFile, pointSize);
    return font ? font->Measure(text) : FCPoint(0, 0);
}

FCTextInk WFCPrintCanvas::MeasureInk(const std::string& text, const std::string& fontName,
                                     const std::string& fontFile, std::uint16_t pointSize)
{
    const WFCPrintFont* font = GetFont(fontName, fontFile, pointSize);
    return font ? font->MeasureInk(text) : FCTextInk();
}

const WFCPrintFont* WFCPrintCanvas::GetFont(const std::string& fontName,
                                            const std::string& fontFile,
                                            std::uint16_t pointSize)
{
    const std::string key = fontName + std::to_string(pointSize);
    const auto found = fonts.find(key);
    if (found != fonts.end())
    {
        if (found->second || fontName == kDefaultFace)
            return found->second.get();
        return GetFont(kDefaultFace, std::string(), pointSize);
    }
    // A face that cannot be made is remembered as such, so it is tried (and
    // logged) once; its texts take the sheet's face.
    auto made = WFCPrintFont::Create(fontName, fontFile, pointSize, kDotsPerInch);
    const WFCPrintFont* font = made.get();
    fonts.emplace(key, std::move(made));
    if (!font && fontName != kDefaultFace)
        return GetFont(kDefaultFace, std::string(), pointSize);
    return font;
}

bool WFCPrintCanvas::StartDocument(const std::string& documentName)
{
    if (state == State::kFinished)
        return false;
    if (state != State::kIdle)
        return Abandon("A document was started inside another.");
    outcome = FCPrintOutcome();
    title = documentName;
    folder = GetPrintoutsFolder();
    std::string error;
    if (!MakeFolders(folder, error))
        return Abandon("The printouts folder cannot be made: " + error + ".");
    std::string pattern = folder + "/.printout-XXXXXX.pdf";
    fileDescriptor = ::mkstemps(pattern.data(), 4);
    if (fileDescriptor < 0)
        return Abandon("No file can be written in " + folder + ": " + ErrorText(errno) + ".");
    // A kept printout is the user's document like any other, not a private
    // temporary file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fileDescriptor, 0666 & ~mask);
    tempPath = pattern;
    state = State::kDocument;

    const double points = kPointsPerInch / kDotsPerInch;
    surface = cairo_pdf_surface_create_for_stream(&WFCPrintCanvas::WriteToFile, this,
                                                  pageWidth * points, pageHeight * points);
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE,
                                   Windows1252ToUtf8(title).c_str());
    context = cairo_create(surface);
    cairo_scale(context, points, points);
    if (cairo_status(context) != CAIRO_STATUS_SUCCESS)
        return Abandon(std::string("The PDF cannot be made: ") +
                       cairo_status_to_string(cairo_status(context)) + ".");
    return true;
}

bool WFCPrintCanvas::StartPage()
{
    if (state == State::kFinished)
        return false;
    if (state != State::kDocument)
        return Abandon(state == State::kPage ? "A page was started inside another."
                                             : "A page was started outside a document.");
    state = State::kPage;
    return true;
}

bool WFCPrintCanvas::PrintPage()
{
    if (state != State::kPage)
    {
        ClearQueues();
        if (state == State::kFinished)
            return false;
        return Abandon("A page was printed before it was started.");
    }
    for (const ImageItem& item : imageItems)
        DrawImage(item);
    cairo_set_source_rgb(context, 0, 0, 0);
    for (const TextItem& item : textItems)
    {
        const WFCPrintFont* font = GetFont(item.fontName, item.fontFile, item.pointSize);
        if (font && font->CanDraw(item.text))
            font->Draw(context, item.text, item.at.x, item.at.y);
        // A page that silently lost its texts, or drew them as symbols,
        // would pass for a printed one.
        else if (item.pointSize > 0 && WFCPrintFont::HasDrawnCharacters(item.text))
            return Abandon("The text \"" + Windows1252ToUtf8(item.text.substr(0, 40)) +
                           "\" cannot be drawn: no font could be loaded for \"" +
                           Windows1252ToUtf8(item.fontName) + "\" at " +
                           std::to_string(item.pointSize) + " points.");
    }
    ClearQueues();
    if (cairo_status(context) != CAIRO_STATUS_SUCCESS)
        return Abandon(std::string("The page cannot be drawn: ") +
                       cairo_status_to_string(cairo_status(context)) + ".");
    return true;
}

bool WFCPrintCanvas::EndPage()
{
    if (state == State::kFinished)
        return false;
    if (state != State::kPage)
        return Abandon("A page was ended before it was started.");
    cairo_show_page(context);
    state = State::kDocument;
    if (writeError != 0)
        return Abandon("The PDF cannot be written: " + ErrorText(writeError) + ".");
    if (cairo_status(context) != CAIRO_STATUS_SUCCESS)
        return Abandon(std::string("The page cannot be finished: ") +
                       cairo_status_to_string(cairo_status(context)) + ".");
    return true;
}

bool WFCPrintCanvas::EndDocument()
{
    if (state == State::kFinished)
        return false;
    if (state != State::kDocument)
        return Abandon(state == State::kPage ? "The document ended inside a page."
                                             : "No document was started.");
    std::string reason;
    if (!FinishFile(reason))
        return Abandon(reason);
    state = State::kFinished;
    return Deliver();
}

void WFCPrintCanvas::DrawImage(const ImageItem& item)
{
    const FCImageFrame* frame = item.imageSet->GetFrame(static_cast<std::int16_t>(item.frame));
    // A size of 0 would leave cairo without an inverse and the whole
    // document in error.
    if (!frame || item.width == 0 || item.height == 0)
        return;
    cairo_surface_t* image = GetImageSurface(*item.imageSet, item.frame);
    if (!image)
        return;
    cairo_save(context);
    cairo_translate(context, item.x, item.y);
    cairo_scale(context, static_cast<double>(item.width) / frame->fullWidth,
                static_cast<double>(item.height) / frame->fullHeight);
    cairo_set_source_surface(context, image, frame->offsetX, frame->offsetY);
    cairo_pattern_set_filter(cairo_get_source(context), CAIRO_FILTER_GOOD);
    cairo_rectangle(context, frame->offsetX, frame->offsetY, frame->width, frame->height);
    cairo_fill(context);
    cairo_restore(context);
}

cairo_surface_t* WFCPrintCanvas::GetImageSurface(FCImageSet& imageSet, std::uint16_t frameIndex)
{
    // Sets of the asset index come and go as pages change their form, so
    // they are known by id; a form repeated on many pages is then one image
    // of the document.
    const bool byId = imageSet.GetId() != 0;
    const ImageKey key{byId, byId ? imageSet.GetId() : reinterpret_cast<std::uintptr_t>(&imageSet),
                       frameIndex};
    const auto found = imageSurfaces.find(key);
    if (found != imageSurfaces.end())
        return found->second.surface;

    const FCImageFrame* frame = imageSet.GetFrame(static_cast<std::int16_t>(frameIndex));
    const std::uint8_t* pixels = frame ? imageSet.GetFramePixels(*frame) : nullptr;
    const FCPalette* filePalette = imageSet.GetFilePalette();
    if (!pixels || !filePalette || frame->width == 0 || frame->height == 0)
    {
        FC_LOG("Image set %u frame %u has no pixels to print.\n",
               static_cast<unsigned>(imageSet.GetId()), static_cast<unsigned>(frameIndex));
        imageSurfaces.emplace(key, CachedImage{});
        return nullptr;
    }
    // The file's own colours, not the screen's: a palette converted to 16
    // bits would band every grey.
    FCPalette rgb(filePalette);
    rgb.Convert(FCFormatRGB24);
    std::array<std::uint32_t, FCPalette::kEntryCount> colours{};
    for (std::size_t i = 0; i < colours.size(); ++i)
    {
        const std::uint32_t entry = rgb.entries[i]; // 0x00BBGGRR
        colours[i] = (entry & 0xFF) << 16 | (entry & 0xFF00) | (entry >> 16 & 0xFF);
    }
    const auto width = static_cast<int>(frame->width);
    const auto height = static_cast<int>(frame->height);
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS)
    {
        FC_LOG("No room for a %d x %d image to print.\n", width, height);
        cairo_surface_destroy(image);
        imageSurfaces.emplace(key, CachedImage{});
        return nullptr;
    }
    cairo_surface_flush(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    for (int y = 0; y < height; ++y)
    {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        const std::uint8_t* source = pixels + static_cast<std::size_t>(y) * frame->width;
        for (int x = 0; x < width; ++x)
            row[x] = colours[source[x]];
    }
    cairo_surface_mark_dirty(image);
    const std::string id = (byId ? "stavelorn-set-" : "stavelorn-image-") +
                           std::to_string(std::get<1>(key)) + "-" + std::to_string(frameIndex);
    char* idCopy = ::strdup(id.c_str());
    cairo_surface_set_mime_data(image, CAIRO_MIME_TYPE_UNIQUE_ID,
                                reinterpret_cast<unsigned char*>(idCopy), id.size(), &std::free,
                                idCopy);
    // A set known by its address stays alive while its image is cached, so
    // no other set can take the address.
    FCImageSet* held = byId ? nullptr : &imageSet;
    if (held)
        held->AddRef();
    imageSurfaces.emplace(key, CachedImage{image, held});
    return image;
}

void WFCPrintCanvas::ClearQueues()
{
    for (const ImageItem& item : imageItems)
        item.imageSet->Release();
    imageItems.clear();
    textItems.clear();
}

bool WFCPrintCanvas::Abandon(const std::string& reason)
{
    FC_LOG("Printing failed: %s\n", reason.c_str());
    ClearQueues();
    DropDocument();
    state = State::kFinished;
    outcome = FCPrintOutcome();
    outcome.kind = FCPrintOutcome::Kind::kFailed;
    outcome.reason = ToProgramText(reason);
    return false;
}

bool WFCPrintCanvas::FinishFile(std::string& reason)
{
    cairo_destroy(context);
    context = nullptr;
    cairo_surface_finish(surface);
    const cairo_status_t status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    surface = nullptr;
    ReleaseImages();
    if (writeError != 0)
        reason = "The PDF cannot be written: " + ErrorText(writeError) + ".";
    else if (status != CAIRO_STATUS_SUCCESS)
        reason = std::string("The PDF cannot be finished: ") + cairo_status_to_string(status) + ".";
    const int closed = ::close(fileDescriptor);
    const int closeError = errno;
    fileDescriptor = -1;
    if (reason.empty() && closed != 0)
        reason = "The PDF cannot be written: " + ErrorText(closeError) + ".";
    return reason.empty();
}

void WFCPrintCanvas::ReleaseImages()
{
    for (auto& [key, cached] : imageSurfaces)
    {
        if (cached.surface)
            cairo_surface_destroy(cached.surface);
        if (cached.heldSet)
            cached.heldSet->Release();
    }
    imageSurfaces.clear();
}

void WFCPrintCanvas::DropDocument()
{
    if (context)
        cairo_destroy(context);
    context = nullptr;
    if (surface)
    {
        cairo_surface_finish(surface);
        cairo_surface_destroy(surface);
    }
    surface = nullptr;
    ReleaseImages();
    if (fileDescriptor >= 0)
        ::close(fileDescriptor);
    fileDescriptor = -1;
    if (!tempPath.empty())
        ::unlink(tempPath.c_str());
    tempPath.clear();
}

bool WFCPrintCanvas::Deliver()
{
    const WFCSpooler::Destination destination =
        spooler ? spooler->FindDefault() : WFCSpooler::Destination();
    switch (destination.state)
    {
    case WFCSpooler::State::kNone:
        return Keep("No printer is set up.");
    case WFCSpooler::State::kStopped:
        return Keep("The printer \"" + destination.name + "\" is not ready" +
                    (destination.reason.empty() ? std::string() : " (" + destination.reason + ")") +
                    ".");
    case WFCSpooler::State::kReady:
        break;
    }
    std::string error;
    const std::int32_t job =
        spooler->Submit(destination.name, tempPath, Windows1252ToUtf8(title), error);
    if (job <= 0)
        return Keep("The printer \"" + destination.name + "\" refused it: " + error + ".");
    ::unlink(tempPath.c_str());
    tempPath.clear();
    FC_LOG("Printed on %s as job %d.\n", destination.name.c_str(), static_cast<int>(job));
    outcome.kind = FCPrintOutcome::Kind::kSent;
    outcome.destination = ToProgramText(destination.name);
    outcome.job = job;
    return true;
}

bool WFCPrintCanvas::Keep(const std::string& why)
{
    const std::string name = MakePrintoutName(fileName.value_or(title));
    std::string kept;
    std::string error;
    if (!KeepPrintout(tempPath, folder, name, kept, error))
    {
        ::unlink(tempPath.c_str());
        tempPath.clear();
        FC_LOG("Printing failed: %s The printout cannot be kept: %s\n", why.c_str(), error.c_str());
        outcome.kind = FCPrintOutcome::Kind::kFailed;
        outcome.reason = ToProgramText(why + " The printout cannot be kept: " + error + ".");
        return false;
    }
    tempPath.clear();
    FC_LOG("Printout kept as %s: %s\n", kept.c_str(), why.c_str());
    outcome.kind = FCPrintOutcome::Kind::kSaved;
    outcome.path = ToProgramText(kept);
    outcome.reason = ToProgramText(why);
    return true;
}

cairo_status_t WFCPrintCanvas::WriteToFile(void* closure, const unsigned char* data,
                                           unsigned int length)
{
    auto* canvas = static_cast<WFCPrintCanvas*>(closure);
    while (length > 0)
    {
        const ssize_t written = ::write(canvas->fileDescriptor, data, length);
        if (written < 0)
        {
            if (errno == EINTR)
                continue;
            canvas->writeError = errno;
            return CAIRO_STATUS_WRITE_ERROR;
        }
        data += written;
        length -= static_cast<unsigned int>(written);
    }
    return CAIRO_STATUS_SUCCESS;
}
