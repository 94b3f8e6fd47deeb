#pragma once

#include "Ui/UILayoutCodec.h"

#include <string>
#include <vector>

// Reads a readable layout source (YAML) into the tree that the layout codec
// writes. A source has an optional table of named ids, optional templates
// (nodes that others reuse with "use", overriding keys), and the root
// under "layout". Errors are "source:line: message"; on any error the tree
// is not to be used.
bool ParseLayoutSource(const std::string& text, const std::string& sourceName, UILayoutNode& root,
                       std::vector<std::string>& errors);
bool ReadLayoutSource(const std::string& path, UILayoutNode& root, std::vector<std::string>& errors);
