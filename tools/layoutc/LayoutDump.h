#pragma once

#include "Ui/UILayoutCodec.h"

#include <string>

// Writes a layout tree back as a source that the compiler reads: fields
// that differ from their defaults, flags by name where every bit has one.
std::string DumpLayoutSource(const UILayoutNode& root);
