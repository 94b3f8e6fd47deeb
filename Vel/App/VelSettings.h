#pragma once

#include <cstdint>
#include <string>

// The program's few settings: `flags` survive between runs in a six-byte
// file (u16 version 1, u32 flags); `runFlags` live for one run and mark the
// spoken hints a screen has already played. One instance, from start-up to
// shut-down, reached through GetInstance.
class VelSettings
{
public:
    static constexpr std::uint16_t kVersion = 1;
    static constexpr std::uint32_t kFileSize = 6;
    static constexpr std::uint32_t kDefaultFlags = 7;
    // Bits of `flags`.
    static constexpr std::uint32_t kIntroPending = 0x1;
    static constexpr std::uint32_t kSoundEffects = 0x4;

    VelSettings();
    ~VelSettings();
    VelSettings(const VelSettings&) = delete;
    VelSettings& operator=(const VelSettings&) = delete;

    static VelSettings* GetInstance();

    // Reads the flags from a program path. A missing, short, longer or
    // wrong-version file keeps the defaults (logged unless missing) and
    // answers false.
    bool Load(const std::string& path);
    // Writes the six bytes to a temporary file beside the target and renames
    // it over the target; false (logged) leaves the old file.
    bool Save(const std::string& path) const;

    bool IsSoundEffectsOn() const { return (flags & kSoundEffects) != 0; }
    void SetSoundEffectsOn(bool on);

    std::uint32_t flags = kDefaultFlags;
    std::uint32_t runFlags = 0;
};
