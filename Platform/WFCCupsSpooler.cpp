#include "Platform/WFCCupsSpooler.h"

#include <cups/cups.h>

#include <cstdlib>
#include <cstring>
#include <sstream>

namespace
{
// The first of the printer's state reasons that reports an error
// ("media-empty-error", ...); empty when none does.
std::string ErrorReason(const char* reasons)
{
    if (!reasons)
        return std::string();
    std::istringstream list(reasons);
    std::string reason;
    constexpr std::string_view kError = "-error";
    while (std::getline(list, reason, ','))
    {
        if (reason.size() > kError.size() &&
            reason.compare(reason.size() - kError.size(), kError.size(), kError) == 0)
            return reason;
    }
    return std::string();
}
} // namespace

WFCSpooler::Destination WFCCupsSpooler::FindDefault()
{
    Destination result;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!dest)
        return result;
    result.name = dest->name;
    const char* printerState = cupsGetOption("printer-state", dest->num_options, dest->options);
    const char* accepting =
        cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const std::string error =
        ErrorReason(cupsGetOption("printer-state-reasons", dest->num_options, dest->options));
    result.state = State::kStopped;
    if (printerState && std::atoi(printerState) == IPP_PSTATE_STOPPED)
        result.reason = "stopped";
    else if (accepting && std::strcmp(accepting, "false") == 0)
        result.reason = "not accepting jobs";
    else if (!error.empty())
        result.reason = error;
    else
        result.state = State::kReady;
    cupsFreeDests(1, dest);
    return result;
}

std::int32_t WFCCupsSpooler::Submit(const std::string& destination, const std::string& pdfPath,
                                    const std::string& title, std::string& error)
{
    cups_option_t* options = nullptr;
    int count = cupsAddOption("document-format", CUPS_FORMAT_PDF, 0, &options);
    // The pages are whole Letter pages; the printer fits them to its paper.
    count = cupsAddOption("print-scaling", "fit", count, &options);
    const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, destination.c_str(), pdfPath.c_str(),
                                   title.c_str(), count, options);
    cupsFreeOptions(count, options);
    if (job <= 0)
        error = cupsLastErrorString();
    return job;
}
