#pragma once

#include <cstdint>
#include <string>

// The print spooler as the print canvas sees it: where the default printer
// stands and how a finished PDF reaches it. The program talks to CUPS
// (WFCCupsSpooler); tests put a spooler of their own in its place.
class WFCSpooler
{
public:
    enum class State : std::uint8_t
    {
        kReady,   // a default printer that takes jobs
        kStopped, // a default printer that is stopped, refuses jobs or reports an error
        kNone,    // no default printer (or no spooler to ask)
    };
    struct Destination
    {
        State state = State::kNone;
        std::string name;   // UTF-8; empty without a printer
        std::string reason; // UTF-8; why a stopped printer counts as stopped
    };

    virtual ~WFCSpooler();

    // Asked afresh each time: printers come and go while the program runs.
    virtual Destination FindDefault() = 0;
    // Hands the PDF file to the destination as one job named title (the
    // file may be removed once this returns). The job's id, or 0 when the
    // spooler refused it, with error saying why.
    virtual std::int32_t Submit(const std::string& destination, const std::string& pdfPath,
                                const std::string& title, std::string& error) = 0;
};
