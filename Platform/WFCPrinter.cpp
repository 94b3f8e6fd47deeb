#include "Platform/WFCPrinter.h"

#include "Fc/Core/FCDebugLog.h"

bool WFCPrinter::Open()
{
    FC_LOG("No printer: printing is not available yet\n");
    return false;
}
