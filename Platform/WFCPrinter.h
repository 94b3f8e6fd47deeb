#pragma once

#include "Fc/Devices/FCPrinter.h"

// The printer until printing exists: it never opens and is never ready, so
// a print request finds no printer and says so.
class WFCPrinter : public FCPrinter
{
public:
    bool Open() override;
    void Close() override {}
    // No canvas without a printer: null.
    FCPrintCanvas* CreateCanvas() override { return nullptr; }
    std::int16_t IsReady() override { return kError; }
};
