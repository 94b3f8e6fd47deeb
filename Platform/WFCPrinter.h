#pragma once

#include "Fc/Devices/FCPrinter.h"

#include <memory>

class WFCSpooler;

// The printer: whole US Letter pages at 600 dots per inch, drawn as PDF
// (WFCPrintCanvas) and handed to the spooler's default destination, which
// is asked only when a document is finished, since printers come and go
// while the program runs.
class WFCPrinter : public FCPrinter
{
public:
    static constexpr std::int32_t kPageWidth = 5100;  // 8.5 inches
    static constexpr std::int32_t kPageHeight = 6600; // 11 inches

    // Prints through CUPS.
    WFCPrinter();
    explicit WFCPrinter(std::shared_ptr<WFCSpooler> spooler);
    ~WFCPrinter() override;

    // Sets the page size; nothing else can fail here.
    bool Open() override;
    void Close() override;
    // Null before Open.
    FCPrintCanvas* CreateCanvas() override;
    // kReady when the default destination takes jobs; kError (logged)
    // without one or when it is stopped.
    std::int16_t IsReady() override;

private:
    std::shared_ptr<WFCSpooler> spooler;
    bool isOpen = false;
};
