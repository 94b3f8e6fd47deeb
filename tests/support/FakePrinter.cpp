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
    if (!makesCanvases)
        return nullptr;
    auto* canvas = new FakePrintCanvas(GetPageSize());
    canvas->failAtCall = canvasFailAt;
    canvas->failSilently = canvasFailsSilently;
    canvas->finished = canvasFinished;
    canvases.push_back(canvas);
    return canvas;
}
