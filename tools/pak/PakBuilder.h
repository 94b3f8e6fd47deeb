#pragma once

#include <string>

// Builds a package from a folder. Every name is stored in lower case with
// the case flag 0, sub-directory names with their closing backslash, as the
// program's lookups expect. Entries are sorted and nothing depends on
// timestamps or the order the host lists a folder, so the same folder gives
// the same bytes on every build. The package is written next to its final
// name and renamed over it only when complete.
// Returns false, with the reason in error, when the folder cannot be packed.
bool BuildPackage(const std::string& folder, const std::string& packagePath, std::string& error);
