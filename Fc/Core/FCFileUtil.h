#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Free helpers for the working directory, directories, file probes and
// directory listings. Every path may use the program's backslashes, forward
// slashes or both; ToHostPath is the one place that turns them into a path
// the host understands.

using FCStringList = std::vector<std::string>;

// Flags of ListFiles.
inline constexpr std::uint8_t kListFiles = 2;
inline constexpr std::uint8_t kListDirectories = 4;

// The program's path ("\Database\x.bin", "Resources\settings.dat",
// "/tmp/a\b") as a host path. The user's own files, the relative paths
// "Resources\settings.dat" and everything under "Resources\Characters\", go
// to the user's data folder, so an installed copy never writes into its own
// data. When the exact path does not exist, each component that is absent is
// matched case-insensitively (ASCII) against its folder, since the stored
// names were written for a case-blind file system; components that match
// nothing are kept as given, so a path to be created still resolves its
// existing folders. The program's Windows-1252 names become the host's UTF-8
// ones here (a name that is UTF-8 already is the host's and kept, so mapping
// twice does no harm and a host folder may lead a path of the program's
// names); a host name shown with replacement characters (see
// ListFiles) is found again under that shown form, which names that file
// for the rest of the run, also when it has gone.
std::string ToHostPath(const std::string& path);

// $XDG_DATA_HOME/stavelorn when that variable holds an absolute folder, else
// $HOME/.local/share/stavelorn; empty when neither is set, and the user's
// files then stay under Resources/.
std::string GetUserDataFolder();

// $XDG_STATE_HOME/stavelorn when that variable holds an absolute folder, else
// $HOME/.local/state/stavelorn; empty when neither is set. A host path.
std::string GetUserStateFolder();

// Ends a save through tempPath, a file written beside hostPath: when written
// is true, renames it over hostPath and syncs their folder, so that the new
// file survives a crash (a folder that cannot be synced still holds it);
// otherwise, or when the rename fails, logs why and removes tempPath, and
// hostPath keeps its old contents.
bool ReplaceWithTempFile(const std::string& tempPath, const std::string& hostPath, bool written);

// The process's current directory, without a trailing separator, as a
// program path (Windows-1252); a directory the code page cannot name comes
// in the host's own form, which ToHostPath keeps.
std::string GetWorkingDirectory();

bool DirectoryExists(const std::string& path);

// Creates one directory; its parent must exist.
bool MakeDirectory(const std::string& path);

// True for an existing entry that is not a directory.
bool FileExists(const std::string& path);

// True for an existing file that can be opened for writing.
bool IsFileWritable(const std::string& path);

// Names (not paths) of the entries of directory matching pattern ("*.*" when
// empty; '*' and '?' wildcards, case-insensitive), files when flags has
// kListFiles, directories (with "." and "..") when it has kListDirectories.
// An empty directory means the working directory. Sorted by name so that
// every caller sees the same order on every host. Names are the program's
// Windows-1252: a character the code page lacks shows as '?', and names
// that would then show alike get " (2)", " (3)"... A name once shown stays
// with its file for the rest of the run, whatever comes into the folder.
std::unique_ptr<FCStringList> ListFiles(const std::string& directory, const std::string& pattern,
                                        std::uint8_t flags);

// An empty list with room for reserve entries (none when below 1).
std::unique_ptr<FCStringList> MakeStringList(std::int16_t reserve);
