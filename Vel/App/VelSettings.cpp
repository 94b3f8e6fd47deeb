#include "Vel/App/VelSettings.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"
#include "Fc/Core/FCFileUtil.h"

namespace
{
VelSettings* g_settings = nullptr;
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
    return ReplaceWithTempFile(tempPath, hostPath, written && closed);
}

void VelSettings::SetSoundEffectsOn(bool on)
{
    flags = on ? (flags | kSoundEffects) : (flags & ~kSoundEffects);
}
