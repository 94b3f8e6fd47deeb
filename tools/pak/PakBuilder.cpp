#include "PakBuilder.h"

#include "Fc/Core/FCConvert.h"
#include "Fc/Core/FCFile.h"
#include "Fc/Core/FCPackage.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace
{
constexpr std::size_t kMaxCount = 32767;
constexpr std::size_t kMaxName = 32767;

struct Node
{
    std::map<std::string, fs::path> files; // stored name -> source file
    std::map<std::string, Node> dirs;      // stored name, without its backslash
};

bool Scan(const fs::path& folder, Node& node, int depth, std::string& error)
{
    if (depth > FCPackage::kMaxDepth)
    {
        error = "folders nested deeper than " + std::to_string(FCPackage::kMaxDepth) + ": " + folder.string();
        return false;
    }
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
    {
        error = "cannot read folder " + folder.string() + ": " + ec.message();
        return false;
    }
    for (const fs::directory_entry& entry : it)
    {
        const std::string name = ToLower(entry.path().filename().string());
        if (node.files.count(name) != 0 || node.dirs.count(name) != 0)
        {
            error = "two entries are named " + name + " apart from case in " + folder.string();
            return false;
        }
        if (name.size() + 1 > kMaxName)
        {
            error = "name too long: " + entry.path().string();
            return false;
        }
        if (entry.is_directory(ec))
        {
            if (!Scan(entry.path(), node.dirs[name], depth + 1, error))
                return false;
        }
        else if (entry.is_regular_file(ec))
        {
            node.files.emplace(name, entry.path());
        }
        else
        {
            error = "neither a file nor a folder: " + entry.path().string();
            return false;
        }
    }
    if (node.files.size() > kMaxCount || node.dirs.size() > kMaxCount)
    {
        error = "more than " + std::to_string(kMaxCount) + " entries in " + folder.string();
        return false;
    }
    return true;
}

std::uint64_t TreeSize(const Node& node)
{
    std::uint64_t size = 4; // both counts
    for (const auto& [name, source] : node.files)
        size += 2 + name.size() + 8;
    for (const auto& [name, sub] : node.dirs)
        size += 2 + name.size() + 1 + TreeSize(sub);
    return size;
}

// Contents follow the tree in the tree's own order.
bool AssignOffsets(const Node& node, std::uint64_t& next, std::vector<std::pair<const fs::path*, std::uint32_t>>& order,
                   std::string& error)
{
    for (const auto& [name, source] : node.files)
    {
        std::error_code ec;
        const std::uintmax_t size = fs::file_size(source, ec);
        if (ec || next + size > 0xFFFFFFFFull)
        {
            error = ec ? "cannot size " + source.string() : std::string("package larger than 4 GiB");
            return false;
        }
        order.emplace_back(&source, static_cast<std::uint32_t>(size));
        next += size;
    }
    for (const auto& [name, sub] : node.dirs)
    {
        if (!AssignOffsets(sub, next, order, error))
            return false;
    }
    return true;
}

bool WriteName(FCFile& out, const std::string& name)
{
    return out.WriteI16(static_cast<std::int16_t>(name.size())) &&
           out.Write(name.data(), static_cast<std::uint32_t>(name.size()));
}

bool WriteTree(FCFile& out, const Node& node, const std::vector<std::pair<const fs::path*, std::uint32_t>>& order,
               std::size_t& index, std::uint32_t& offset)
{
    if (!out.WriteI16(static_cast<std::int16_t>(node.files.size())))
        return false;
    for (const auto& [name, source] : node.files)
    {
        const std::uint32_t size = order[index++].second;
        if (!WriteName(out, name) || !out.WriteU32(offset) || !out.WriteU32(size))
            return false;
        offset += size;
    }
    if (!out.WriteI16(static_cast<std::int16_t>(node.dirs.size())))
        return false;
    for (const auto& [name, sub] : node.dirs)
    {
        if (!WriteName(out, name + "\\") || !WriteTree(out, sub, order, index, offset))
            return false;
    }
    return true;
}

bool CopyContents(FCFile& out, const fs::path& source, std::uint32_t size, std::string& error)
{
    FCFile in;
    if (!in.Open(source.c_str(), FCFile::kAccessRead, FCFile::kOpenExisting, FCFile::kShareRead) ||
        in.GetSize() != size)
    {
        error = "cannot read " + source.string() + " (or it changed while packing)";
        return false;
    }
    std::vector<std::uint8_t> chunk(1 << 20);
    for (std::uint32_t left = size; left > 0;)
    {
        const auto n = static_cast<std::uint32_t>(std::min<std::size_t>(left, chunk.size()));
        if (!in.Read(chunk.data(), n) || !out.Write(chunk.data(), n))
        {
            error = "cannot copy " + source.string();
            return false;
        }
        left -= n;
    }
    return true;
}
} // namespace

bool BuildPackage(const std::string& folder, const std::string& packagePath, std::string& error)
{
    Node root;
    if (!Scan(folder, root, 0, error))
        return false;

    const std::uint64_t treeEnd = 1 + TreeSize(root);
    std::uint64_t next = treeEnd;
    std::vector<std::pair<const fs::path*, std::uint32_t>> order;
    if (treeEnd > 0xFFFFFFFFull || !AssignOffsets(root, next, order, error))
    {
        if (error.empty())
            error = "package larger than 4 GiB";
        return false;
    }

    const std::string temporary = packagePath + ".tmp";
    FCFile out;
    if (!out.Open(temporary.c_str(), FCFile::kAccessWrite, FCFile::kCreateAlways, 0))
    {
        error = "cannot create " + temporary;
        return false;
    }
    std::size_t index = 0;
    auto offset = static_cast<std::uint32_t>(treeEnd);
    bool ok = out.WriteU8(0) && WriteTree(out, root, order, index, offset);
    if (!ok)
        error = "cannot write " + temporary;
    for (const auto& [source, size] : order)
    {
        if (!ok)
            break;
        ok = CopyContents(out, *source, size, error);
    }
    if (ok && (!out.Flush() || !out.Close()))
    {
        ok = false;
        error = "cannot write " + temporary;
    }
    out.Close();
    std::error_code ec;
    if (ok)
    {
        fs::rename(temporary, packagePath, ec);
        if (ec)
        {
            ok = false;
            error = "cannot rename " + temporary + " to " + packagePath + ": " + ec.message();
        }
    }
    if (!ok)
        fs::remove(temporary, ec);
    return ok;
}
