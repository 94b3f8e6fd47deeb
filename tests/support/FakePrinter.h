#pragma once

#include "Fc/Devices/FCPrinter.h"

#include <cstdint>
#include <vector>

class FakePrintCanvas;

// A printer with a fixed page that always opens (unless told otherwise) and
// hands out FakePrintCanvas objects. Installed as the printer instance for
// its lifetime.
class FakePrinter : public FCPrinter
{
public:
    explicit FakePrinter(FCPoint page = FCPoint(4800, 6600)) : page(page) {}

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
    std::vector<FakePrintCanvas*> canvases;
};
