#pragma once

#include <string>

class VelCharacter;

// Saving and loading ".cg3" character files for the application.
class VelCharacterFile
{
public:
    // The character read from the file, owned by the caller (one reference),
    // with its file name set; null (logged) when the file does not open,
    // holds another object, ends early or holds values the program cannot
    // use. Entries whose records the database lacks are kept (logged), so
    // that saving writes them back unchanged.
    static VelCharacter* Load(const std::string& path);

    // Writes a temporary file beside the target, flushes it to the disc and
    // renames it over the target, so a failed save never costs the previous
    // file. On success the character counts as unmodified and takes the
    // file's name; on failure (logged) it is left as it was.
    static bool Save(VelCharacter& character, const std::string& path);

    // The checks Load applies to a character just read: false when a value
    // is out of range; damaged entries are dropped and entries without a
    // record logged along the way.
    static bool Check(VelCharacter& character);

    // The last component of a path, split at '/' and '\'.
    static std::string GetBaseName(const std::string& path);
    // The temporary file that Save writes first.
    static std::string GetTempPath(const std::string& hostPath);
};
