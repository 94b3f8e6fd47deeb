#include "Fc/Devices/FCPrintCanvas.h"

// Out of line so that the class's virtual table has one home.
FCPrintCanvas::~FCPrintCanvas() = default;
