#include "Fc/Core/FCFileSystem.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFileSection.h"
#include "Fc/Core/FCFileUtil.h"

#include <algorithm>

namespace
{
FCFileSystem* g_fileSystem = nullptr;

std::string WithoutTrailingSeparator(std::string path)
{
    if (!path.empty() && (path.back() == '\\' || path.back() == '/'))
        path.pop_back();
    return path;
}
} // namespace

FCFileSystem::FCFileSystem()
{
    g_fileSystem = this;
}

FCFileSystem::~FCFileSystem()
{
    if (g_fileSystem == this)
        g_fileSystem = nullptr;
}

FCFileSystem* FCFileSystem::GetInstance() { return g_fileSystem; }

void FCFileSystem::SetRootPath(const std::string& path) { root = WithoutTrailingSeparator(path); }

void FCFileSystem::SetAlternateRootPath(const std::string& path)
{
    alternateRoot = WithoutTrailingSeparator(path);
}

std::string FCFileSystem::NormaliseDirectory(const std::string& dir)
{
    if (dir == "`")
        return "\\";
    std::string result = dir;
    std::replace(result.begin(), result.end(), '/', '\\');
    if (result.empty() || result.front() != '\\')
        result.insert(result.begin(), '\\');
    if (result.back() != '\\')
        result.push_back('\\');
    return result;
}

std::string FCFileSystem::PackageName(const std::string& normalisedDir)
{
    const std::size_t first = normalisedDir.find('\\');
    if (first == std::string::npos)
        return std::string();
    const std::size_t next = normalisedDir.find('\\', first + 1);
    if (next == std::string::npos)
        return std::string();
    return normalisedDir.substr(first + 1, next - first - 1);
}

void FCFileSystem::AddSearchDirectory(const std::string& dir)
{
    const std::string normalised = NormaliseDirectory(dir);
    searchDirectories.push_back(normalised);
    MountPak(normalised);
}

void FCFileSystem::AddPackage(const std::string& dir)
{
    MountPak(NormaliseDirectory(dir));
}

bool FCFileSystem::MountPak(const std::string& normalisedDir)
{
    if (searchMode != kPackagesOnly && searchMode != kLooseThenPackages)
        return false;
    const std::string name = PackageName(normalisedDir);
    const std::string fileName = "\\" + name + "." + FCPackage::kExtension;

    const auto mountFrom = [&](const std::string& base, PackageMap& mounted) {
        if (mounted.count(name) != 0)
            return true;
        auto package = std::make_unique<FCPackage>();
        if (!package->Open(base + fileName))
        {
            FC_LOG("Package %s%s not mounted\r\n", base.c_str(), fileName.c_str());
            return false;
        }
        mounted.emplace(name, std::move(package));
        return true;
    };

    if (FileExists(root + fileName))
        return mountFrom(root, packages);
    if (AlternateRootInUse() && FileExists(alternateRoot + fileName))
        return mountFrom(alternateRoot, alternatePackages);
    return false;
}

bool FCFileSystem::Open(FCFileSection& view, const std::string& name)
{
    // A view that was open shows nothing of its old file after a miss.
    view.Close();
    for (const std::string& dir : searchDirectories)
    {
        if (OpenUnder(view, name, dir, root, packages))
            return true;
    }
    if (AlternateRootInUse())
    {
        for (const std::string& dir : searchDirectories)
        {
            if (OpenUnder(view, name, dir, alternateRoot, alternatePackages))
                return true;
        }
    }
    return false;
}

bool FCFileSystem::Open(FCFileSection& view, const std::string& name, const std::string& dir)
{
    view.Close();
    const std::string normalised = NormaliseDirectory(dir);
    return OpenUnder(view, name, normalised, root, packages) ||
           (AlternateRootInUse() && OpenUnder(view, name, normalised, alternateRoot, alternatePackages));
}

bool FCFileSystem::OpenUnder(FCFileSection& view, const std::string& name, const std::string& dir,
                             const std::string& base, const PackageMap& mounted) const
{
    if (searchMode != kPackagesOnly && OpenLoose(view, base + dir + name))
        return true;
    if (searchMode != kPackagesOnly && searchMode != kLooseThenPackages)
        return false;
    const auto package = mounted.find(PackageName(dir));
    if (package == mounted.end())
        return false;
    // The path inside the package is what follows the directory's first
    // component: \Data\Sounds\ and x.wav give \Sounds\x.wav.
    const std::size_t second = dir.find('\\', 1);
    const std::string inner = (second == std::string::npos ? std::string("\\") : dir.substr(second)) + name;
    return package->second->OpenEntry(view, inner);
}

bool FCFileSystem::OpenLoose(FCFileSection& view, const std::string& path) const
{
    view.Close();
    if (!view.Open(path.c_str(), FCFile::kAccessRead, FCFile::kOpenExisting, FCFile::kShareRead))
        return false;
    view.SetLength(view.FCFile::GetSize());
    view.SetBase(0);
    return true;
}

bool FCFileSystem::FindDirectory(std::string& path, const std::string& subdirectory, const std::string& pattern)
{
    path = root + "\\" + subdirectory;
    if (!ListFiles(path, pattern, kListFiles)->empty())
        return true;
    if (!AlternateRootInUse())
        return false;
    path = alternateRoot + "\\" + subdirectory;
    return !ListFiles(path, pattern, kListFiles)->empty();
}

const FCPackage* FCFileSystem::FindPackage(const std::string& name, bool alternate) const
{
    const PackageMap& mounted = alternate ? alternatePackages : packages;
    const auto found = mounted.find(name);
    return found == mounted.end() ? nullptr : found->second.get();
}
