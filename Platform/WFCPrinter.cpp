#include "Platform/WFCPrinter.h"

#include "Fc/Core/FCDebugLog.h"
#include "Platform/WFCCupsSpooler.h"
#include "Platform/WFCPrintCanvas.h"

WFCPrinter::WFCPrinter() : WFCPrinter(std::make_shared<WFCCupsSpooler>()) {}

WFCPrinter::WFCPrinter(std::shared_ptr<WFCSpooler> spoolerToUse) : spooler(std::move(spoolerToUse))
{
}

WFCPrinter::~WFCPrinter() = default;

bool WFCPrinter::Open()
{
    pageWidth = kPageWidth;
    pageHeight = kPageHeight;
    isOpen = true;
    return true;
}

void WFCPrinter::Close()
{
    isOpen = false;
}

FCPrintCanvas* WFCPrinter::CreateCanvas()
{
    if (!isOpen)
    {
        FC_LOG("The printer is not open.\n");
        return nullptr;
    }
    return new WFCPrintCanvas(pageWidth, pageHeight, spooler);
}

std::int16_t WFCPrinter::IsReady()
{
    const WFCSpooler::Destination destination =
        spooler ? spooler->FindDefault() : WFCSpooler::Destination();
    switch (destination.state)
    {
    case WFCSpooler::State::kReady:
        return kReady;
    case WFCSpooler::State::kStopped:
        FC_LOG("Printer Error: %s is not ready (%s).\n", destination.name.c_str(),
               destination.reason.c_str());
        return kError;
    case WFCSpooler::State::kNone:
        break;
    }
    FC_LOG("No default printer.\n");
    return kError;
}
