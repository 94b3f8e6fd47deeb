#pragma once

#include "Fc/Devices/FCPrintCanvas.h"
#include "Fc/Devices/FCPrinter.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class FakePrintCanvas;

// A printer with a fixed page (US Letter at 600 dpi unless told otherwise)
// that always opens (unless told otherwise) and hands out FakePrintCanvas
// objects, each set up with canvasFailAt, canvasFailsSilently and
// canvasFinished. Installed as the printer instance for its lifetime.
class FakePrinter : public FCPrinter
{
public:
    explicit FakePrinter(FCPoint page = FCPoint(5100, 6600)) : page(page) {}

    bool Open() override;
    void Close() override { isOpen = false; }
    // The canvas is also remembered in `canvases` (without a reference), so
    // that a test can look at what a print job left on it before releasing it.
    FCPrintCanvas* CreateCanvas() override;
    std::int16_t IsReady() override { return readyCode; }

    FCPoint page;
    bool openSucceeds = true;
    bool isOpen = false;
    std::int16_t readyCode = kReady;
    // No canvas at all when false.
    bool makesCanvases = true;
    std::size_t canvasFailAt = 0;
    bool canvasFailsSilently = false;
    FCPrintOutcome canvasFinished{FCPrintOutcome::Kind::kSent, "Office", 7, {}, {}};
    std::vector<FakePrintCanvas*> canvases;
};
