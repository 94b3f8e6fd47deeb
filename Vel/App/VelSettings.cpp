#include "Vel/App/VelSettings.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"
#include "Fc/Core/FCFileUtil.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace
{
VelSettings* g_settings = nullptr;

// After a rename the folder entry itself must reach the disc, or a crash
// could bring back the old file.
void SyncFolderOf(const std::string& hostPath)
{
    const std::string::size_type slash = hostPath.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : hostPath.substr(0, slash));
    const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return;
    ::fsync(handle);
    ::close(handle);
}
} // namespace

VelSettings::VelSettings()
{
    g_settings = this;
}

VelSettings::~VelSettings()
{
    if (g_settings == this)
        g_settings = nullptr;
}

VelSettings* VelSettings::GetInstance()
{
    return g_settings;
}

bool VelSettings::Load(const std::string& path)
{
    FCFile file;
    if (!file.Open(path.c_str(), FCFile::kAccessRead, FCFile::kOpenExisting, FCFile::kShareRead))
        return false;
    std::uint16_t version = 0;
    std::uint32_t stored = 0;
    const std::uint32_t size = file.GetSize();
    const bool read = size == kFileSize && file.ReadU16(version) && file.ReadU32(stored);
    file.Close();
    if (!read || version != kVersion)
    {
        FC_LOG("Settings file %s is not a version %u file of %u bytes; defaults kept\n", path.c_str(),
               static_cast<unsigned>(kVersion), static_cast<unsigned>(kFileSize));
        return false;
    }
    flags = stored;
    return true;
}

bool VelSettings::Save(const std::string& path) const
{
    const std::string hostPath = ToHostPath(path);
    const std::string tempPath = hostPath + ".tmp";
    FCFile file;
    if (!file.Open(tempPath.c_str(), FCFile::kAccessWrite, FCFile::kCreateAlways, 0))
    {
        FC_LOG("Cannot create %s\n", tempPath.c_str());
        return false;
    }
    const bool written = file.WriteU16(kVersion) && file.WriteU32(flags) && file.Flush();
    const bool closed = file.Close();
    if (!written || !closed)
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
    SyncFolderOf(hostPath);
    return true;
}

void VelSettings::SetSoundEffectsOn(bool on)
{
    flags = on ? (flags | kSoundEffects) : (flags & ~kSoundEffects);
}
