#pragma once

#include "Fc/Core/FCObject.h"
#include "Fc/Graphics/FCPoint.h"

#include <cstdint>

class FCPrintCanvas;

// The printer device. The platform layer supplies the concrete class, which
// opens the default printer and fills in the page size.
class FCPrinter : public FCObject
{
public:
    // Results of IsReady.
    static constexpr std::int16_t kReady = 0;
    static constexpr std::int16_t kError = 1;
    static constexpr std::int16_t kCannotStretch = 2;

    // Becomes the printer instance; the destructor clears it.
    FCPrinter();
    ~FCPrinter() override;
    FCPrinter(const FCPrinter&) = delete;
    FCPrinter& operator=(const FCPrinter&) = delete;

    static FCPrinter* GetInstance();

    virtual bool Open() = 0;
    virtual void Close() = 0;
    // A new canvas for one document; the caller holds its one reference.
    virtual FCPrintCanvas* CreateCanvas() = 0;
    // The printable page in device pixels.
    virtual FCPoint GetPageSize() const;
    virtual std::int16_t IsReady() = 0;

protected:
    std::int32_t pageWidth = 0;
    std::int32_t pageHeight = 0;
};
