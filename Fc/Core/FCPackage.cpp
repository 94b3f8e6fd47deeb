#include "Fc/Core/FCPackage.h"

#include "Fc/Core/FCConvert.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"
#include "Fc/Core/FCFileSection.h"

#include <algorithm>
#include <cinttypes>
#include <vector>

namespace
{
bool ReadName(FCFile& file, std::string& name)
{
    std::int16_t length = 0;
    if (!file.ReadI16(length) || length < 0)
        return false;
    std::vector<char> bytes(static_cast<std::size_t>(length));
    if (length > 0 && !file.Read(bytes.data(), static_cast<std::uint32_t>(length)))
        return false;
    // The name ends at the first NUL within its bytes.
    const auto end = std::find(bytes.begin(), bytes.end(), '\0');
    name.assign(bytes.begin(), end);
    return true;
}

std::string NormaliseAt(const FCPackage::Directory& node, std::string path)
{
    if (path.empty() || path[0] != '\\')
        path.insert(path.begin(), '\\');
    return node.caseFlag == 0 ? ToLower(path) : path;
}
} // namespace

bool FCPackage::Open(const std::string& packagePath)
{
    root = Directory();
    path = packagePath;

    FCFile file;
    if (!file.Open(packagePath.c_str(), FCFile::kAccessRead, FCFile::kOpenExisting, FCFile::kShareRead))
    {
        FC_LOG("Cannot open package %s\r\n", packagePath.c_str());
        return false;
    }
    const std::uint32_t fileSize = file.GetSize();
    // The flag is one raw byte: a white-space flag is a flag like any other.
    if (!file.ReadU8(root.caseFlag) || !ReadDirectory(file, root, fileSize, 0))
    {
        FC_LOG("Damaged package %s\r\n", packagePath.c_str());
        root = Directory();
        return false;
    }
    return true;
}

bool FCPackage::ReadDirectory(FCFile& file, Directory& node, std::uint32_t fileSize, int depth)
{
    if (depth > kMaxDepth)
    {
        FC_LOG("Package directories nested deeper than %d\r\n", kMaxDepth);
        return false;
    }
    std::int16_t fileCount = 0;
    if (!file.ReadI16(fileCount))
        return false;
    for (std::int16_t n = 0; n < fileCount; ++n)
    {
        std::string name;
        Entry entry;
        if (!ReadName(file, name) || !file.ReadU32(entry.offset) || !file.ReadU32(entry.size))
            return false;
        if (static_cast<std::uint64_t>(entry.offset) + entry.size > fileSize)
        {
            FC_LOG("Package entry %s at %" PRIu32 " size %" PRIu32 " lies outside the file\r\n",
                   name.c_str(), entry.offset, entry.size);
            return false;
        }
        node.files.emplace(std::move(name), entry);
    }
    std::int16_t directoryCount = 0;
    if (!file.ReadI16(directoryCount))
        return false;
    for (std::int16_t n = 0; n < directoryCount; ++n)
    {
        std::string name;
        if (!ReadName(file, name))
            return false;
        auto child = std::make_unique<Directory>();
        if (!ReadDirectory(file, *child, fileSize, depth + 1))
            return false;
        node.subdirectories.emplace(std::move(name), std::move(child));
    }
    return true;
}

bool FCPackage::OpenEntry(FCFileSection& view, const std::string& entryPath) const
{
    std::string wanted = entryPath;
    std::replace(wanted.begin(), wanted.end(), '/', '\\');

    // The file name follows the root's case rule; every deeper folder is
    // looked up in lower case, since only the root carries a flag.
    const std::string full = NormaliseAt(root, wanted);
    const Directory* node = &root;
    std::string rest = wanted;
    for (;;)
    {
        rest = NormaliseAt(*node, rest);
        const std::size_t slash = rest.find('\\', 1);
        if (slash == std::string::npos)
            break;
        const auto found = node->subdirectories.find(rest.substr(1, slash));
        if (found == node->subdirectories.end())
            return false;
        node = found->second.get();
        rest = rest.substr(slash + 1);
    }
    const std::string fileName = full.substr(full.rfind('\\') + 1);
    const auto entry = node->files.find(fileName);
    if (entry == node->files.end())
        return false;
    return view.OpenRange(path, entry->second.offset, entry->second.size);
}
