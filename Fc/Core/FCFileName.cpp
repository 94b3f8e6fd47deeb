#include "Fc/Core/FCFileName.h"

namespace
{
// Index of the first character of the file name proper.
std::size_t NameStart(std::string_view path)
{
    const std::size_t separator = path.find_last_of("\\/");
    if (separator != std::string_view::npos)
        return separator + 1;
    const std::size_t colon = path.find(':');
    return colon != std::string_view::npos ? colon + 1 : 0;
}

// Index of the extension's dot, or npos when the name has none.
std::size_t ExtensionStart(std::string_view path)
{
    const std::size_t start = NameStart(path);
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < start)
        return std::string_view::npos;
    return dot;
}
} // namespace

std::string GetFileBaseName(std::string_view path)
{
    const std::size_t start = NameStart(path);
    const std::size_t dot = ExtensionStart(path);
    const std::size_t end = dot == std::string_view::npos ? path.size() : dot;
    return std::string(path.substr(start, end - start));
}

std::string GetFileExtension(std::string_view path)
{
    const std::size_t dot = ExtensionStart(path);
    return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}
