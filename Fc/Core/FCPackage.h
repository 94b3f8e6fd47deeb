#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

class FCFile;
class FCFileSection;

// A "pak" file: a directory tree of entries, each a byte range of the same
// file. Layout, little-endian: u8 case flag, then the root directory record
// (i16 file count; per file i16 name length, name bytes, u32 offset, u32
// size; i16 sub-directory count; per sub-directory i16 name length, name
// bytes, its own directory record). Sub-directory names carry their closing
// backslash ("sounds\"), which is the form lookups ask for.
class FCPackage
{
public:
    struct Entry
    {
        std::uint32_t offset = 0;
        std::uint32_t size = 0;
    };

    struct Directory
    {
        // Only the root's flag comes from the file. 0: lookups lower-case
        // the path first; anything else: paths are compared as given.
        std::uint8_t caseFlag = 0;
        std::map<std::string, Entry> files;
        std::map<std::string, std::unique_ptr<Directory>> subdirectories;
    };

    // A tree nested deeper than this is refused as damaged.
    static constexpr int kMaxDepth = 64;
    static constexpr const char* kExtension = "pak";

    // Reads the directory tree. A short, damaged or inconsistent tree (a
    // negative name length, an entry outside the file, too deep a nesting)
    // is logged and refused; the package is then left empty.
    bool Open(const std::string& packagePath);

    // Opens the entry at path ("\Sounds\x.wav"; backslashes or slashes) as a
    // view of the package file, positioned at the entry's first byte.
    bool OpenEntry(FCFileSection& view, const std::string& path) const;

    const Directory& GetRoot() const { return root; }
    const std::string& GetPath() const { return path; }

private:
    bool ReadDirectory(FCFile& file, Directory& node, std::uint32_t fileSize, int depth);

    Directory root;
    std::string path;
};
