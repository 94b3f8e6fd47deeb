#include "Fc/Core/FCFileUtil.h"

#include "Fc/Core/FCWindows1252.h"

#include "Fc/Core/FCDebugLog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <unordered_map>
#include <unordered_set>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
char LowerAscii(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<char>(u - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(const std::string& a, const char* b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i)
    {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return i == a.size() && b[i] == '\0';
}

bool Exists(const std::string& hostPath)
{
    struct stat info;
    return ::lstat(hostPath.c_str(), &info) == 0;
}

std::string LowerAsciiString(std::string text)
{
    for (char& c : text)
        c = LowerAscii(c);
    return text;
}

// A folder's entries by ASCII-lower-cased name, each to the first of its
// spellings in byte order, so the choice does not depend on the host.
struct FolderListing
{
    dev_t device = 0;
    ino_t inode = 0;
    timespec modified{};
    std::unordered_map<std::string, std::string> byLowerName;
};

// Listings kept between lookups: a missed open in one search folder is
// common, and reading the folder again for each would cost most of start-up.
// A listing is used only while the folder's identity and modification time
// are unchanged.
std::mutex g_listingsMutex;
std::unordered_map<std::string, FolderListing> g_listings;
constexpr std::size_t kMaxListings = 64;
// A folder changed this recently may change again within the same tick of
// the file system's clock, which its modification time would not show.
constexpr time_t kSettledSeconds = 2;

bool SameFolder(const FolderListing& listing, const struct stat& info)
{
    return listing.device == info.st_dev && listing.inode == info.st_ino &&
           listing.modified.tv_sec == info.st_mtim.tv_sec && listing.modified.tv_nsec == info.st_mtim.tv_nsec;
}

// The names of a folder's entries; false when it cannot be read.
bool ReadFolder(const std::string& path, std::vector<std::string>& names)
{
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr)
        return false;
    while (const dirent* entry = ::readdir(dir))
        names.emplace_back(entry->d_name);
    ::closedir(dir);
    return true;
}

// " (n)" before the name's extension.
std::string WithNumber(const std::string& name, unsigned number)
{
    const std::size_t dot = name.rfind('.');
    const std::size_t at = dot == std::string::npos || dot == 0 ? name.size() : dot;
    return name.substr(0, at) + " (" + std::to_string(number) + ")" + name.substr(at);
}

// The key of a shown name among a folder's names.
std::string ShownKey(const std::string& shown)
{
    return LowerAsciiString(Windows1252ToUtf8(shown));
}

// The names a folder's host names have been shown under where the program
// cannot show them as they are, kept for the whole run: a row listed, or a
// character loaded, under such a name goes on naming that file whatever
// comes or goes in the folder, and the name is never given to another file.
struct ShownPins
{
    std::unordered_map<std::string, std::string> hostByKey; // ShownKey -> host name
    std::unordered_map<std::string, std::string> shownByHost;
};
// By the folder's real path; guarded by g_listingsMutex.
std::unordered_map<std::string, ShownPins> g_pins;

std::string RealFolder(const std::string& folder)
{
    char* real = ::realpath(folder.empty() ? "." : folder.c_str(), nullptr);
    if (real == nullptr)
        return std::string();
    std::string result(real);
    std::free(real);
    return result;
}

// The name a host name was shown under before, or null.
const std::string* GivenName(const ShownPins* pins, const std::string& hostName)
{
    if (!pins)
        return nullptr;
    const auto given = pins->shownByHost.find(hostName);
    return given == pins->shownByHost.end() ? nullptr : &given->second;
}

// The host name a shown name of folder was given to, gone or not; false
// when the name was never given out. The caller holds g_listingsMutex.
bool FindPinned(const std::string& folder, const std::string& name, std::string& found)
{
    if (name.find('?') == std::string::npos || g_pins.empty())
        return false;
    const auto pins = g_pins.find(RealFolder(folder));
    if (pins == g_pins.end())
        return false;
    const auto match = pins->second.hostByKey.find(LowerAsciiString(name));
    if (match == pins->second.hostByKey.end())
        return false;
    found = match->second;
    return true;
}

// The program's (Windows-1252) name of each of a folder's host names, in
// their order. A character the code page lacks shows as '?', so two names
// in another script can show alike. A name given before is kept; each new
// one takes, in byte order of the host names, its own text or else the
// first free " (2)", " (3)"... before its extension, free of every name on
// show and every name given before, so that every entry has a name of its
// own, ASCII case aside. The caller holds g_listingsMutex.
std::vector<std::string> ShownNames(const std::string& folder, const std::vector<std::string>& hostNames)
{
    std::string real;
    ShownPins* pins = nullptr;
    if (!g_pins.empty())
    {
        real = RealFolder(folder);
        const auto known = g_pins.find(real);
        pins = known == g_pins.end() ? nullptr : &known->second;
    }
    std::vector<std::string> shown;
    std::vector<std::size_t> unnamed;
    shown.reserve(hostNames.size());
    for (const std::string& name : hostNames)
    {
        shown.push_back(Utf8ToWindows1252Lossy(name));
        if (const std::string* given = GivenName(pins, name))
            shown.back() = *given;
        else if (Windows1252ToUtf8(shown.back()) != name ||
                 (pins && pins->hostByKey.count(ShownKey(shown.back())) != 0))
            unnamed.push_back(shown.size() - 1);
    }
    if (unnamed.empty())
        return shown;
    std::unordered_set<std::string> taken;
    for (std::size_t i = 0, next = 0; i < shown.size(); ++i)
    {
        if (next < unnamed.size() && unnamed[next] == i)
            ++next;
        else
            taken.insert(ShownKey(shown[i]));
    }
    if (!pins)
    {
        if (real.empty())
            real = RealFolder(folder);
        pins = &g_pins[real];
    }
    for (const auto& entry : pins->hostByKey)
        taken.insert(entry.first);
    std::sort(unnamed.begin(), unnamed.end(),
              [&hostNames](std::size_t a, std::size_t b) { return hostNames[a] < hostNames[b]; });
    for (const std::size_t i : unnamed)
    {
        const std::string base = shown[i];
        for (unsigned number = 2; !taken.insert(ShownKey(shown[i])).second; ++number)
            shown[i] = WithNumber(base, number);
        pins->shownByHost[hostNames[i]] = shown[i];
        pins->hostByKey[ShownKey(shown[i])] = hostNames[i];
    }
    return shown;
}

bool ReadListing(const std::string& path, FolderListing& listing)
{
    std::vector<std::string> names;
    if (!ReadFolder(path, names))
        return false;
    for (const std::string& name : names)
    {
        const auto [at, added] = listing.byLowerName.try_emplace(LowerAsciiString(name), name);
        if (!added && at->second > name)
            at->second = name;
    }
    // Names the program shows otherwise are found again through the names
    // given out.
    ShownNames(path, names);
    return true;
}

// The entry of folder whose name equals name but for ASCII case, the first in
// byte order when several do; or the entry a shown name was given to.
bool FindIgnoringCase(const std::string& folder, const std::string& name, std::string& found)
{
    const std::string path = folder.empty() ? std::string(".") : folder;
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return false;
    std::lock_guard<std::mutex> lock(g_listingsMutex);
    auto cached = g_listings.find(path);
    FolderListing read;
    const FolderListing* listing = cached == g_listings.end() ? nullptr : &cached->second;
    if (!listing || !SameFolder(*listing, info))
    {
        read.device = info.st_dev;
        read.inode = info.st_ino;
        read.modified = info.st_mtim;
        if (!ReadListing(path, read))
            return false;
        if (cached != g_listings.end())
            g_listings.erase(cached);
        listing = &read;
    }
    bool any = FindPinned(path, name, found);
    if (!any)
    {
        const auto match = listing->byLowerName.find(LowerAsciiString(name));
        any = match != listing->byLowerName.end();
        if (any)
            found = match->second;
    }
    if (listing == &read && info.st_mtim.tv_sec + kSettledSeconds < std::time(nullptr))
    {
        if (g_listings.size() >= kMaxListings)
            g_listings.clear();
        g_listings.emplace(path, std::move(read));
    }
    return any;
}

// Windows-style wildcard match, case-insensitive.
bool MatchWildcard(const char* pattern, const char* name)
{
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name != '\0')
    {
        if (*pattern == '*')
        {
            star = pattern++;
            resume = name;
        }
        else if (*pattern == '?' || (*pattern != '\0' && LowerAscii(*pattern) == LowerAscii(*name)))
        {
            ++pattern;
            ++name;
        }
        else if (star != nullptr)
        {
            pattern = star + 1;
            name = ++resume;
        }
        else
        {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == '\0';
}

bool MatchesPattern(const std::string& pattern, const char* name)
{
    if (MatchWildcard(pattern.c_str(), name))
        return true;
    // "*.*" and "x.*" also take names without any extension.
    if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0)
        return MatchWildcard(pattern.substr(0, pattern.size() - 2).c_str(), name);
    return false;
}
// The next component of path from start: [start, end) with end at a '/' or
// the end of the path.
std::string ComponentAt(const std::string& path, std::size_t start, std::size_t& end)
{
    end = path.find('/', start);
    if (end == std::string::npos)
        end = path.size();
    return path.substr(start, end - start);
}

// The program's texts are Windows-1252; the host's names are UTF-8. A name
// that is UTF-8 already came from the host (the user's data folder, the
// working directory, a temporary file beside a host path) and is kept, also
// when the program's own names follow it: converting it again would garble
// every letter outside ASCII. Windows-1252 names that happen to be
// well-formed UTF-8 ("Ã©") are too rare to weigh against that.
std::string HostText(const std::string& path)
{
    if (IsUtf8(path))
        return path;
    std::string host;
    std::size_t start = 0;
    for (;;)
    {
        const std::size_t end = path.find_first_of("\\/", start);
        const std::string_view name(path.data() + start, (end == std::string::npos ? path.size() : end) - start);
        host += IsUtf8(name) ? std::string(name) : Windows1252ToUtf8(name);
        if (end == std::string::npos)
            return host;
        host += path[end];
        start = end + 1;
    }
}

// A relative path to the user's settings or characters, moved into the
// user's data folder; other paths are left alone.
void MapUserFile(std::string& host)
{
    std::size_t start = 0;
    while (host.compare(start, 2, "./") == 0)
        start += 2;
    std::size_t end = 0;
    if (!EqualsIgnoringCase(ComponentAt(host, start, end), "Resources") || end == host.size())
        return;
    const std::size_t rest = end + 1;
    const std::string second = ComponentAt(host, rest, end);
    const bool settings = end == host.size() && EqualsIgnoringCase(second, "settings.dat");
    if (!settings && !EqualsIgnoringCase(second, "Characters"))
        return;
    const std::string folder = GetUserDataFolder();
    if (!folder.empty())
        host = folder + '/' + host.substr(rest);
}
} // namespace

namespace
{
// The program's folder under an XDG base folder: the variable's value when it
// is absolute, else its default under the home folder; empty without either.
std::string GetXdgFolder(const char* variable, const char* underHome)
{
    const char* base = std::getenv(variable);
    if (base != nullptr && base[0] == '/')
        return std::string(base) + "/stavelorn";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
        return std::string(home) + underHome + "/stavelorn";
    return std::string();
}
} // namespace

std::string GetUserDataFolder()
{
    return GetXdgFolder("XDG_DATA_HOME", "/.local/share");
}

std::string GetUserStateFolder()
{
    return GetXdgFolder("XDG_STATE_HOME", "/.local/state");
}

std::string ToHostPath(const std::string& path)
{
    std::string host = HostText(path);
    std::replace(host.begin(), host.end(), '\\', '/');
    MapUserFile(host);
    // A name given to a file goes on naming it, before any file that has
    // come since under that very text.
    if (const std::size_t slash = host.rfind('/'); host.find('?') != std::string::npos)
    {
        const std::string folder = slash == std::string::npos ? std::string() : host.substr(0, slash + 1);
        std::string pinned;
        std::lock_guard<std::mutex> lock(g_listingsMutex);
        if (FindPinned(folder, host.substr(folder.size()), pinned))
            return folder + pinned;
    }
    if (host.empty() || Exists(host))
        return host;

    // Most misses are a file looked for in one of several search folders
    // that exists: only the last component then needs matching.
    const std::size_t slash = host.rfind('/');
    if (slash != std::string::npos && slash + 1 < host.size() && host.find("//") == std::string::npos)
    {
        const std::string folder = host.substr(0, slash + 1);
        const std::string name = host.substr(slash + 1);
        struct stat info;
        if (name != "." && name != ".." && ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        {
            std::string match;
            return FindIgnoringCase(folder, name, match) ? folder + match : host;
        }
    }

    std::string resolved = host[0] == '/' ? "/" : "";
    std::size_t start = 0;
    while (start <= host.size())
    {
        std::size_t end = host.find('/', start);
        if (end == std::string::npos)
            end = host.size();
        const std::string component = host.substr(start, end - start);
        const bool last = end == host.size();
        if (!component.empty())
        {
            std::string candidate = resolved + component;
            std::string match;
            const bool exists = Exists(candidate);
            if (component != "." && component != ".." && !exists && FindIgnoringCase(resolved, component, match))
            {
                candidate = resolved + match;
            }
            else if (!exists)
            {
                // Nothing further can match below a missing folder.
                return resolved + host.substr(start);
            }
            resolved = candidate;
            if (!last)
                resolved += '/';
        }
        start = end + 1;
    }
    return resolved;
}

bool ReplaceWithTempFile(const std::string& tempPath, const std::string& hostPath, bool written)
{
    if (!written)
    {
        FC_LOG("Could not write %s\n", tempPath.c_str());
        std::remove(tempPath.c_str());
        return false;
    }
    if (std::rename(tempPath.c_str(), hostPath.c_str()) != 0)
    {
        FC_LOG("Could not replace %s\n", hostPath.c_str());
        std::remove(tempPath.c_str());
        return false;
    }
    // The folder entry itself must reach the disc, or a crash could bring
    // back the old file.
    const std::string::size_type slash = hostPath.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : hostPath.substr(0, slash));
    const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle >= 0)
    {
        ::fsync(handle);
        ::close(handle);
    }
    return true;
}

std::string GetWorkingDirectory()
{
    // getcwd with a null buffer sizes the result itself: no length limit.
    char* cwd = ::getcwd(nullptr, 0);
    if (cwd == nullptr)
        return std::string();
    const std::string host(cwd);
    std::free(cwd);
    // A folder the code page cannot name is kept in the host's own form
    // (see ToHostPath): '?' in its place would be taken for whichever
    // look-alike folder beside it sorts first.
    std::string result;
    std::size_t bad = 0;
    if (!Utf8ToWindows1252(host, result, bad))
        result = IsUtf8(host) ? host : Utf8ToWindows1252Lossy(host);
    if (!result.empty() && (result.back() == '/' || result.back() == '\\'))
        result.pop_back();
    return result;
}

bool DirectoryExists(const std::string& path)
{
    struct stat info;
    return ::stat(ToHostPath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool MakeDirectory(const std::string& path)
{
    return ::mkdir(ToHostPath(path).c_str(), 0755) == 0;
}

bool FileExists(const std::string& path)
{
    if (path.empty())
        return false;
    struct stat info;
    return ::stat(ToHostPath(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool IsFileWritable(const std::string& path)
{
    if (path.empty())
        return false;
    const std::string host = ToHostPath(path);
    struct stat info;
    if (::stat(host.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return false;
    const int fd = ::open(host.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

std::unique_ptr<FCStringList> ListFiles(const std::string& directory, const std::string& pattern,
                                        std::uint8_t flags)
{
    auto list = MakeStringList(0);
    std::string folder = directory.empty() ? GetWorkingDirectory() : directory;
    if (folder.empty() || (folder.back() != '\\' && folder.back() != '/'))
        folder += '\\';
    std::string search = ToHostPath(folder + (pattern.empty() ? std::string("*.*") : pattern));

    // The pattern may carry folders of its own; only its last component is a
    // wildcard.
    const std::size_t split = search.rfind('/');
    const std::string hostFolder = search.substr(0, split + 1);
    const std::string namePattern = search.substr(split + 1);

    std::vector<std::string> names;
    if (!ReadFolder(hostFolder.empty() ? "." : hostFolder, names))
        return list;
    // Shown names are made over the whole folder, as the lookups that find
    // them again make them.
    std::vector<std::string> shown;
    {
        std::lock_guard<std::mutex> lock(g_listingsMutex);
        shown = ShownNames(hostFolder, names);
    }
    for (std::size_t i = 0; i < names.size(); ++i)
    {
        if (!MatchesPattern(namePattern, names[i].c_str()))
            continue;
        struct stat info;
        const bool isDirectory = ::stat((hostFolder + names[i]).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        if ((isDirectory && (flags & kListDirectories) != 0) || (!isDirectory && (flags & kListFiles) != 0))
            list->push_back(shown[i]);
    }
    std::sort(list->begin(), list->end());
    return list;
}

std::unique_ptr<FCStringList> MakeStringList(std::int16_t reserve)
{
    auto list = std::make_unique<FCStringList>();
    if (reserve > 0)
        list->reserve(static_cast<std::size_t>(reserve));
    return list;
}
