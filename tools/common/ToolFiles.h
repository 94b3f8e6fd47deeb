#pragma once

// File handling shared by the command-line tools: reading a source whole,
// and replacing an output only once the new one is complete. Header-only so
// that a tool links nothing more for it; this folder is not a tool itself.

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

namespace ToolFiles
{
// The bytes of path in text; "PATH: cannot open" added to errors when it
// cannot be read.
inline bool ReadWholeFile(const std::string& path, std::string& text,
                          std::vector<std::string>& errors)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
    {
        errors.push_back(path + ": cannot open");
        return false;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    text = bytes.str();
    return true;
}

// Writes the bytes to PATH.tmp and renames it over path, so that a failed
// write never leaves a damaged output; says why on stderr when it fails.
inline bool WriteReplacing(const std::string& path, const void* data, std::size_t size)
{
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
        out.flush();
        if (!out)
        {
            std::fprintf(stderr, "%s: cannot write\n", temporary.c_str());
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error)
    {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.message().c_str());
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}
} // namespace ToolFiles
