#pragma once

#include <string>
#include <string_view>

// Name of a file without its folders and without its extension:
// "Art\Panels\frame.v2.bmp" -> "frame.v2". Both separators are accepted, and
// a drive prefix ("C:name.jpg") counts as a separator when there is no other.
std::string GetFileBaseName(std::string_view path);

// The extension with its dot, case kept: "portrait.JPG" -> ".JPG". A dot in a
// folder name is not an extension, so "old.art\readme" has none.
std::string GetFileExtension(std::string_view path);
