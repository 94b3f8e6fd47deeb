#pragma once

#include <string>

// Reads a database file with the program's own reader and prints every
// table it fills as YAML: tag, then each record's key and fields.
// False, after saying why on standard error, when the file cannot be read
// to its end.
bool DumpDatabaseFile(const std::string& path, std::string& out);
