#pragma once

#include "Fc/Core/FCPackage.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class FCFileSection;

// Finds the program's data files by folder and name, loose under a root or
// inside the "pak" package named after the folder's first component, with a
// second root as a fallback. One instance, recorded in a global pointer.
class FCFileSystem
{
public:
    enum SearchMode : std::uint32_t
    {
        kLooseOnly = 0,
        kPackagesOnly = 1,
        kLooseThenPackages = 2,
    };

    FCFileSystem();
    FCFileSystem(const FCFileSystem&) = delete;
    FCFileSystem& operator=(const FCFileSystem&) = delete;
    virtual ~FCFileSystem();

    static FCFileSystem* GetInstance();

    void SetSearchMode(std::uint32_t mode) { searchMode = mode; }
    std::uint32_t GetSearchMode() const { return searchMode; }
    const std::string& GetRootPath() const { return root; }
    // Both roots are stored without a trailing separator.
    void SetRootPath(const std::string& path);
    void SetAlternateRootPath(const std::string& path);
    const std::string& GetAlternateRootPath() const { return alternateRoot; }
    void SetUseAlternateRoot(bool use) { useAlternateRoot = use ? 1 : 0; }

    // Normalises dir, appends it to the search directories and mounts its
    // package.
    void AddSearchDirectory(const std::string& dir);
    // Mounts the package of dir without searching the folder for loose files.
    void AddPackage(const std::string& dir);
    // Mounts root\<first component of dir>.pak, or the second root's when
    // the first root has none. True when a package of that name is mounted
    // afterwards; false (logged) for a package file that cannot be read.
    bool MountPak(const std::string& normalisedDir);

    // Opens name from the first search directory that has it; the view is
    // positioned at the file's first byte.
    bool Open(FCFileSection& view, const std::string& name);
    // Opens name from one directory only (given normalised, e.g. "\Database\").
    bool Open(FCFileSection& view, const std::string& name, const std::string& dir);

    // Sets path to root\subdirectory and tells whether any file there
    // matches pattern; tries the second root too when it is in use.
    bool FindDirectory(std::string& path, const std::string& subdirectory, const std::string& pattern);

    // "Data" and "\Data\" give "\Data\"; a single backquote gives "\".
    static std::string NormaliseDirectory(const std::string& dir);
    // "\Data\Sounds\" gives "Data"; "\" gives "".
    static std::string PackageName(const std::string& normalisedDir);

    const std::vector<std::string>& GetSearchDirectories() const { return searchDirectories; }
    // The mounted package of that name, or null.
    const FCPackage* FindPackage(const std::string& name, bool alternate = false) const;

private:
    using PackageMap = std::map<std::string, std::unique_ptr<FCPackage>>;

    bool AlternateRootInUse() const { return useAlternateRoot != 0 && !alternateRoot.empty(); }
    bool OpenUnder(FCFileSection& view, const std::string& name, const std::string& dir,
                   const std::string& base, const PackageMap& mounted) const;
    bool OpenLoose(FCFileSection& view, const std::string& path) const;

    std::uint32_t searchMode = kLooseThenPackages;
    std::uint8_t useAlternateRoot = 0;
    std::string root;
    std::string alternateRoot;
    PackageMap packages;
    PackageMap alternatePackages;
    std::vector<std::string> searchDirectories;
};
