// pak: builds, lists and extracts the program's packages.
//   pak build <folder> <out.pak>
//   pak list <file.pak>
//   pak extract <file.pak> <folder>
// Exit status: 0 success, 1 failure (reason on stderr), 2 bad usage.

#include "PakBuilder.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"
#include "Fc/Core/FCFileSection.h"
#include "Fc/Core/FCPackage.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
// Calls visit (inner path with '\' separators, entry) for every entry,
// files of a folder first, then its sub-folders, each in name order.
template <typename Visit>
bool Walk(const FCPackage::Directory& node, const std::string& prefix, Visit&& visit)
{
    for (const auto& [name, entry] : node.files)
    {
        if (!visit(prefix + name, entry))
            return false;
    }
    for (const auto& [name, sub] : node.subdirectories)
    {
        const std::string folder = name.empty() || name.back() != '\\' ? name + "\\" : name;
        if (!Walk(*sub, prefix + folder, visit))
            return false;
    }
    return true;
}

bool OpenPackage(FCPackage& package, const char* path)
{
    if (package.Open(path))
        return true;
    std::fprintf(stderr, "pak: %s is not a readable package\n", path);
    return false;
}

int List(const char* path)
{
    FCPackage package;
    if (!OpenPackage(package, path))
        return 1;
    Walk(package.GetRoot(), "\\", [](const std::string& name, const FCPackage::Entry& entry) {
        std::printf("%10u %10u %s\n", static_cast<unsigned>(entry.offset), static_cast<unsigned>(entry.size),
                    name.c_str());
        return true;
    });
    return 0;
}

// A stored name is outside data: only plain components may become paths.
bool SafeRelativePath(const std::string& inner, fs::path& out)
{
    out.clear();
    std::size_t start = 1;
    while (start <= inner.size())
    {
        std::size_t end = inner.find('\\', start);
        if (end == std::string::npos)
            end = inner.size();
        const std::string component = inner.substr(start, end - start);
        if (component.empty() || component == "." || component == ".." ||
            component.find_first_of("/:") != std::string::npos)
            return false;
        out /= component;
        start = end + 1;
    }
    return !out.empty();
}

int Extract(const char* path, const char* folder)
{
    FCPackage package;
    if (!OpenPackage(package, path))
        return 1;
    std::vector<std::uint8_t> bytes;
    const bool ok = Walk(package.GetRoot(), "\\", [&](const std::string& name, const FCPackage::Entry&) {
        fs::path relative;
        if (!SafeRelativePath(name, relative))
        {
            std::fprintf(stderr, "pak: refusing unsafe entry name %s\n", name.c_str());
            return false;
        }
        const fs::path target = fs::path(folder) / relative;
        std::error_code ec;
        fs::create_directories(target.parent_path(), ec);
        FCFileSection view;
        FCFile out;
        // Looked up again by name, the way the program finds it.
        if (!package.OpenEntry(view, name))
        {
            std::fprintf(stderr, "pak: entry %s cannot be opened by its name\n", name.c_str());
            return false;
        }
        bytes.resize(view.GetSize());
        if (!view.Read(bytes.data(), static_cast<std::uint32_t>(bytes.size())) ||
            !out.Open(target.c_str(), FCFile::kAccessWrite, FCFile::kCreateAlways, 0) ||
            !out.Write(bytes.data(), static_cast<std::uint32_t>(bytes.size())) || !out.Close())
        {
            std::fprintf(stderr, "pak: cannot extract %s to %s\n", name.c_str(), target.c_str());
            return false;
        }
        return true;
    });
    return ok ? 0 : 1;
}

int Usage()
{
    std::fprintf(stderr, "usage: pak build <folder> <out.pak>\n"
                         "       pak list <file.pak>\n"
                         "       pak extract <file.pak> <folder>\n");
    return 2;
}
} // namespace

int main(int argc, char** argv)
{
    // Reasons go to stderr; the program's trace file is not wanted here.
    FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);

    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "build")
    {
        std::string error;
        if (!BuildPackage(args[1], args[2], error))
        {
            std::fprintf(stderr, "pak: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    if (args.size() == 2 && args[0] == "list")
        return List(argv[2]);
    if (args.size() == 3 && args[0] == "extract")
        return Extract(argv[2], argv[3]);
    return Usage();
}
