#include "support/FakePrinter.h"

#include "support/FakePrintCanvas.h"

bool FakePrinter::Open()
{
    if (!openSucceeds)
    {
        return false;
    }
    isOpen = true;
    pageWidth = page.x;
    pageHeight = page.y;
    return true;
}

FCPrintCanvas* FakePrinter::CreateCanvas()
{
    auto* canvas = new FakePrintCanvas(GetPageSize());
    canvases.push_back(canvas);
    return canvas;
}
