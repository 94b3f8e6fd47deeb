#pragma once

#include "Fc/Core/FCCountedRef.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

class FCAnimation;
class FCFile;
class FCFileSection;
class FCFont;
class FCImageBuffer;
class FCImageSet;
class FCImageSetRecord;
class FCSoundSample;

// Knows where artwork, sounds, interface texts and fonts come from. The
// asset index ("GameAssets.bin") lists them by id: texts, sounds and fonts
// are loaded at once, image sets noted by file name and loaded on first
// use. Purge drops what was loaded on demand; the definitions stay.
class FCResourceManager
{
public:
    // Section tags of the asset index; 0 (or the end of the file) ends it.
    enum SectionTag : std::int16_t
    {
        kTagEnd = 0,
        kTagImageSets = 100,
        kTagAnimations = 200,
        kTagSounds = 300,
        kTagTexts = 530,
        kTagFonts = 540,
    };
    // Frames that all animations of one index may list together; a range
    // of 65,536 frames in ten bytes must not become megabytes in memory.
    static constexpr std::uint32_t kMaxAnimationFrames = 1u << 20;

    // Becomes the resource-manager instance; the destructor clears it.
    FCResourceManager();
    virtual ~FCResourceManager();
    FCResourceManager(const FCResourceManager&) = delete;
    FCResourceManager& operator=(const FCResourceManager&) = delete;

    static FCResourceManager* GetInstance();

    // False when the file is not found, or when it is found but does not
    // hold up (cut short, bad length); what was read before the fault stays
    // usable. A section tag this program does not know is skipped.
    bool LoadResourceFile(const std::string& fileName);
    // Reads sections until tag 0 or the end of the file. False (logged) on
    // the first fault.
    bool ReadSections(FCFile& file);

    // The loaded set of the id, loading it on first use; null when the id is
    // unknown or its file missing or unusable. The set stays owned by its
    // record: callers that keep it add their own reference.
    FCImageSet* GetImageSet(std::uint16_t id);
    // The record of the set's id drops its loaded set.
    void UnloadImageSet(FCImageSet* set);

    // A ".bmp" or ".jpg" picture (extension compared exactly). With useCache
    // the pointer is borrowed from the cache until the next Purge or Clear;
    // without it the caller receives the picture's reference.
    FCImageBuffer* LoadImage(const std::string& name, bool useCache);
    FCImageBuffer* LoadImage(const std::string& name, const std::string& directory, bool useCache);

    // The interface text of the id, or null when the id is absent.
    const std::string* GetString(std::uint16_t id) const;
    FCFont* GetFont(std::uint16_t id) const;
    FCSoundSample* GetSound(std::uint16_t id) const;
    FCAnimation* GetAnimation(std::uint16_t id) const;
    const FCImageSetRecord* GetImageSetRecord(std::uint16_t id) const;

    // Opens a sound file into section (from directory when one is given);
    // logs "Sound file not found" when it is missing.
    bool OpenSoundFile(FCFileSection& section, const std::string& name, const std::string* directory = nullptr);
    // A new sample (one reference for the caller), empty when the file is
    // missing or unreadable.
    FCSoundSample* LoadSoundFile(const std::string& name, const std::string* directory = nullptr);

    // Empties the picture cache and releases every loaded image set; called
    // at every change of screen.
    void Purge();

    std::size_t GetImageSetRecordCount() const { return imageSetRecords.size(); }
    std::size_t GetAnimationCount() const { return animations.size(); }
    std::size_t GetSoundCount() const { return sounds.size(); }
    std::size_t GetTextCount() const { return texts.size(); }
    std::size_t GetFontCount() const { return fonts.size(); }
    std::size_t GetCachedImageCount() const { return imageCache.size(); }

    // Reads the records of one section. False (logged) when the section is
    // cut short or malformed, or the tag is unknown.
    virtual bool ReadSection(FCFile& file, std::int16_t tag);
    // Empties every table.
    virtual void Clear();

protected:
    FCImageBuffer* DoLoadImage(const std::string& name, const std::string* directory, bool useCache);

private:
    // Each reads the rest of one record after its id.
    bool ReadImageSet(FCFile& file, std::uint16_t id);
    bool ReadAnimation(FCFile& file, std::uint16_t id);
    bool ReadSound(FCFile& file, std::uint16_t id);
    bool ReadText(FCFile& file, std::uint16_t id);
    bool ReadFont(FCFile& file, std::uint16_t id);

    std::map<std::uint16_t, std::unique_ptr<FCImageSetRecord>> imageSetRecords;
    std::map<std::string, FCCountedRef<FCImageBuffer>> imageCache;
    std::map<std::uint16_t, FCCountedRef<FCAnimation>> animations;
    std::map<std::uint16_t, FCCountedRef<FCSoundSample>> sounds;
    std::map<std::uint16_t, std::string> texts;
    std::map<std::uint16_t, FCCountedRef<FCFont>> fonts;

    // Frames stored by the animations of the index being read.
    std::uint32_t animationFramesRead = 0;
};
