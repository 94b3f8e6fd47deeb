#pragma once

#include "Platform/WFCSpooler.h"

// The spooler of the system: CUPS, through its default server (or
// CUPS_SERVER), with the user's default destination.
class WFCCupsSpooler : public WFCSpooler
{
public:
    // Stopped: the printer's state is stopped, it does not accept jobs, or
    // one of its state reasons is an error.
    Destination FindDefault() override;
    // One PDF job, scaled to fit the printer's paper.
    std::int32_t Submit(const std::string& destination, const std::string& pdfPath,
                        const std::string& title, std::string& error) override;
};
