// Mounts arbitrary bytes as a package, then looks every path of its tree up
// by name and reads whatever opens to its end.

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"
#include "Fc/Core/FCFileSection.h"
#include "Fc/Core/FCPackage.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace
{
std::string ScratchPath()
{
    static std::string path = [] {
        std::string pattern = "/tmp/fuzz_package-XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0)
            std::abort();
        ::close(fd);
        return pattern;
    }();
    return path;
}

void ReadEntries(const FCPackage& package, const FCPackage::Directory& node, const std::string& prefix)
{
    for (const auto& file : node.files)
    {
        FCFileSection view;
        if (!package.OpenEntry(view, prefix + file.first))
            continue;
        std::uint8_t buffer[256];
        while (view.ReadSome(buffer, sizeof buffer) != 0)
        {
        }
        if (!view.IsEof() || view.Tell() > view.GetSize())
            std::abort();
    }
    for (const auto& [name, sub] : node.subdirectories)
        ReadEntries(package, *sub, prefix + name);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);

    const std::string path = ScratchPath();
    {
        FCFile file;
        if (!file.Open(path.c_str(), FCFile::kAccessWrite, FCFile::kCreateAlways, 0) ||
            !file.Write(data, static_cast<std::uint32_t>(size)) || !file.Close())
            std::abort();
    }
    FCPackage package;
    if (package.Open(path))
        ReadEntries(package, package.GetRoot(), "\\");
    return 0;
}
