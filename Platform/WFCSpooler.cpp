#include "Platform/WFCSpooler.h"

// Out of line so that the class's virtual table has one home.
WFCSpooler::~WFCSpooler() = default;
