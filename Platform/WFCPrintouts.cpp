#include "Platform/WFCPrintouts.h"

#include "Fc/Core/FCFileUtil.h"
#include "Fc/Core/FCWindows1252.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr std::size_t kMaxNameBytes = 64;
constexpr const char* kUnnamed = "Character";
// Far more than anyone keeps; the search must end somewhere.
constexpr int kMaxCopies = 9999;

bool IsTrimmed(char c)
{
    return c == ' ' || c == '.';
}

void Trim(std::string& text)
{
    std::size_t first = 0;
    while (first < text.size() && IsTrimmed(text[first]))
        ++first;
    std::size_t last = text.size();
    while (last > first && IsTrimmed(text[last - 1]))
        --last;
    text = text.substr(first, last - first);
}

// Moves from to to unless to exists. EEXIST when it does.
int MoveWithoutReplacing(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without the flag: a hard link fails just the same on an
    // existing name.
    if (::link(from.c_str(), to.c_str()) != 0)
        return errno;
    ::unlink(from.c_str());
    return 0;
}
} // namespace

std::string GetPrintoutsFolder()
{
    const std::string data = GetUserDataFolder();
    return (data.empty() ? std::string("Resources") : data) + "/Printouts";
}

bool MakeFolders(const std::string& folder, std::string& error)
{
    for (std::size_t at = 1; at <= folder.size(); ++at)
    {
        if (at != folder.size() && folder[at] != '/')
            continue;
        const std::string part = folder.substr(0, at);
        struct stat info{};
        if (::stat(part.c_str(), &info) == 0)
        {
            if (S_ISDIR(info.st_mode))
                continue;
            error = part + " is not a folder";
            return false;
        }
        if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST)
        {
            error = part + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

std::string MakePrintoutName(const std::string& name)
{
    std::string kept;
    for (const char c : name)
    {
        const auto code = static_cast<std::uint8_t>(c);
        if (code < 0x20 || code == 0x7F || c == '/' || c == '\\' || Windows1252ToUnicode(code) == 0)
            continue;
        // ".." would climb out of the folder in some hands; one dot stays.
        if (c == '.' && !kept.empty() && kept.back() == '.')
            continue;
        kept += c;
    }
    Trim(kept);
    std::string utf8 = Windows1252ToUtf8(kept);
    if (utf8.size() > kMaxNameBytes)
    {
        std::size_t cut = kMaxNameBytes;
        // Back to the start of the character that would be split.
        while (cut > 0 && (static_cast<std::uint8_t>(utf8[cut]) & 0xC0) == 0x80)
            --cut;
        utf8.resize(cut);
        Trim(utf8);
    }
    return utf8.empty() ? std::string(kUnnamed) : utf8;
}

bool KeepPrintout(const std::string& tempPath, const std::string& folder,
                  const std::string& name, std::string& keptPath, std::string& error)
{
    for (int copy = 1; copy <= kMaxCopies; ++copy)
    {
        const std::string candidate =
            folder + "/" + name + (copy > 1 ? "-" + std::to_string(copy) : std::string()) + ".pdf";
        const int result = MoveWithoutReplacing(tempPath, candidate);
        if (result == 0)
        {
            keptPath = candidate;
            return true;
        }
        if (result != EEXIST)
        {
            error = candidate + ": " + std::strerror(result);
            return false;
        }
    }
    error = "every name for " + name + " in " + folder + " is taken";
    return false;
}
