#pragma once

#include "Fc/Devices/FCPrintCanvas.h"
#include "Platform/WFCPrinter.h"
#include "support/FakeSpooler.h"
#include "support/Owned.h"
#include "support/TempFolder.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// An open WFCPrinter whose jobs go to a FakeSpooler and whose printouts
// land in a temporary folder: $XDG_DATA_HOME points there while the sandbox
// lives (the previous value comes back afterwards).
class PrintSandbox
{
public:
    explicit PrintSandbox(FakeSpooler spooler = FakeSpooler::None());
    ~PrintSandbox();
    PrintSandbox(const PrintSandbox&) = delete;
    PrintSandbox& operator=(const PrintSandbox&) = delete;

    WFCPrinter& Printer() { return *printer; }
    FakeSpooler& Spooler() { return *spooler; }
    const TempFolder& Folder() const { return folder; }
    Owned<FCPrintCanvas> CreateCanvas() { return Owned<FCPrintCanvas>(printer->CreateCanvas()); }

    std::string PrintoutsFolder() const { return folder.Join("stavelorn/Printouts"); }
    // The names of the files in the printouts folder (hidden ones too), sorted.
    std::vector<std::string> Printouts() const;

private:
    TempFolder folder;
    std::optional<std::string> previousDataHome;
    std::shared_ptr<FakeSpooler> spooler;
    std::unique_ptr<WFCPrinter> printer;
};
