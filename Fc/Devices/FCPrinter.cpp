#include "Fc/Devices/FCPrinter.h"

namespace
{
FCPrinter* printerInstance = nullptr;
} // namespace

FCPrinter::FCPrinter()
{
    printerInstance = this;
}

FCPrinter::~FCPrinter()
{
    if (printerInstance == this)
    {
        printerInstance = nullptr;
    }
}

FCPrinter* FCPrinter::GetInstance()
{
    return printerInstance;
}

FCPoint FCPrinter::GetPageSize() const
{
    return FCPoint(pageWidth, pageHeight);
}
