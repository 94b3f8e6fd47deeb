#include "Fc/Graphics/FCResourceManager.h"

#include "Fc/Graphics/FCAnimation.h"
#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFileName.h"
#include "Fc/Core/FCFileSection.h"
#include "Fc/Core/FCFileSystem.h"
#include "Fc/Graphics/FCFont.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCImageSet.h"
#include "Fc/Graphics/FCImageSetRecord.h"
#include "Fc/Graphics/FCPicture.h"
#include "Fc/Devices/FCSoundManager.h"
#include "Fc/Devices/FCSoundSample.h"

#include <array>
#include <utility>

namespace
{
FCResourceManager* g_resourceManager = nullptr;

// Sound keeps playing smoothly while a picture or image set loads.
constexpr std::uint32_t kLongLoadPreference = 24;

class LongLoad
{
public:
    LongLoad()
    {
        if (FCSoundManager* sound = FCSoundManager::GetInstance())
        {
            sound->SetSoundPreference(kLongLoadPreference);
            sound->Serve();
        }
    }
    ~LongLoad()
    {
        if (FCSoundManager* sound = FCSoundManager::GetInstance())
            sound->SetSoundPreference(0);
    }
    LongLoad(const LongLoad&) = delete;
    LongLoad& operator=(const LongLoad&) = delete;
};

// The loader is chosen by the extension exactly as written: "x.BMP" has none.
FCImageBuffer* LoadPictureByExtension(FCFile& file, const std::string& extension)
{
    if (extension == ".bmp")
        return LoadBMP(file, true);
    if (extension == ".jpg")
        return LoadJPEG(file, true);
    return nullptr;
}

bool OpenThroughFileSystem(FCFileSection& view, const std::string& name, const std::string* directory)
{
    FCFileSystem* fileSystem = FCFileSystem::GetInstance();
    if (!fileSystem)
        return false;
    return directory ? fileSystem->Open(view, name, *directory) : fileSystem->Open(view, name);
}

// The next record id of a section; false when the file ends instead.
bool ReadRecordId(FCFile& file, std::int16_t tag, std::uint16_t& id)
{
    if (file.ReadU16(id))
        return true;
    FC_LOG("Asset index cut short in section %d\n", static_cast<int>(tag));
    return false;
}

bool ReadField(FCFile& file, std::uint16_t& value, std::uint16_t id)
{
    if (file.ReadU16(value))
        return true;
    FC_LOG("Asset index cut short in the record of id %u\n", static_cast<unsigned>(id));
    return false;
}
} // namespace

FCResourceManager::FCResourceManager() { g_resourceManager = this; }

FCResourceManager::~FCResourceManager()
{
    // Clear is virtual; the base's own tables are emptied here whatever a
    // derived class did in its destructor.
    FCResourceManager::Clear();
    if (g_resourceManager == this)
        g_resourceManager = nullptr;
}

FCResourceManager* FCResourceManager::GetInstance() { return g_resourceManager; }

bool FCResourceManager::LoadResourceFile(const std::string& fileName)
{
    FCFileSection file;
    if (!OpenThroughFileSystem(file, fileName, nullptr))
        return false;
    const bool ok = ReadSections(file);
    file.Close();
    if (!ok)
        FC_LOG("Asset index %s is damaged; reading stopped at the fault\n", fileName.c_str());
    return ok;
}

bool FCResourceManager::ReadSections(FCFile& file)
{
    animationFramesRead = 0;
    for (;;)
    {
        // The end of the file ends the index as a tag of 0 would.
        if (file.IsEof())
            return true;
        std::uint16_t tag = 0;
        if (!file.ReadU16(tag))
        {
            FC_LOG("Asset index cut short in a section tag\n");
            return false;
        }
        if (tag == kTagEnd)
            return true;
        if (!ReadSection(file, static_cast<std::int16_t>(tag)))
            return false;
    }
}

bool FCResourceManager::ReadSection(FCFile& file, std::int16_t tag)
{
    bool (FCResourceManager::*readRecord)(FCFile&, std::uint16_t) = nullptr;
    switch (tag)
    {
    case kTagImageSets:
        readRecord = &FCResourceManager::ReadImageSet;
        break;
    case kTagAnimations:
        readRecord = &FCResourceManager::ReadAnimation;
        break;
    case kTagSounds:
        readRecord = &FCResourceManager::ReadSound;
        break;
    case kTagTexts:
        readRecord = &FCResourceManager::ReadText;
        break;
    case kTagFonts:
        readRecord = &FCResourceManager::ReadFont;
        break;
    default:
        // A tag this program does not know carries no body: the next word
        // is the next tag, so a newer index keeps its later sections.
        FC_LOG("Unknown asset index section %d skipped\n", static_cast<int>(tag));
        return true;
    }
    // Records follow one another until an id of 0.
    for (;;)
    {
        std::uint16_t id = 0;
        if (!ReadRecordId(file, tag, id))
            return false;
        if (id == 0)
            return true;
        if (!(this->*readRecord)(file, id))
            return false;
    }
}

bool FCResourceManager::ReadImageSet(FCFile& file, std::uint16_t id)
{
    std::string fileName;
    if (!FCArchive::ReadString(file, fileName))
        return false;
    imageSetRecords[id] = std::make_unique<FCImageSetRecord>(id, std::move(fileName));
    return true;
}

bool FCResourceManager::ReadAnimation(FCFile& file, std::uint16_t id)
{
    std::uint16_t imageSetId = 0;
    std::uint16_t kind = 0;
    if (!ReadField(file, imageSetId, id) || !ReadField(file, kind, id))
        return false;
    auto animation = FCCountedRef<FCAnimation>::Adopt(new FCAnimation());
    animation->SetId(id);
    animation->SetImageSetId(imageSetId);
    animation->SetKind(kind);

    const auto addFrame = [&](std::uint16_t frame) {
        if (animationFramesRead >= kMaxAnimationFrames)
        {
            FC_LOG("Animation %u: more than %u frames in the asset index\n", static_cast<unsigned>(id),
                   static_cast<unsigned>(kMaxAnimationFrames));
            return false;
        }
        ++animationFramesRead;
        animation->AppendFrame(frame);
        return true;
    };

    if (kind == FCAnimation::kKindRange)
    {
        std::uint16_t firstFrame = 0;
        std::uint16_t lastFrame = 0;
        if (!ReadField(file, firstFrame, id) || !ReadField(file, lastFrame, id))
            return false;
        for (std::uint32_t frame = firstFrame; frame <= lastFrame; ++frame)
        {
            if (!addFrame(static_cast<std::uint16_t>(frame)))
                return false;
        }
    }
    else if (kind == FCAnimation::kKindList)
    {
        for (;;)
        {
            std::uint16_t value = 0;
            if (!ReadField(file, value, id))
                return false;
            if (static_cast<std::int16_t>(value) < 0)
                break;
            if (!addFrame(value))
                return false;
        }
    }

    std::uint16_t framesPerSecond = 0;
    std::uint16_t extra = 0;
    if (!ReadField(file, framesPerSecond, id) || !ReadField(file, extra, id))
        return false;
    animation->SetFramesPerSecond(static_cast<std::int16_t>(framesPerSecond));
    animation->SetExtra(extra);
    animations[id] = std::move(animation);
    return true;
}

bool FCResourceManager::ReadSound(FCFile& file, std::uint16_t id)
{
    std::string fileName;
    if (!FCArchive::ReadString(file, fileName))
        return false;
    // A missing or unreadable sound only loses that sound.
    FCFileSection soundFile;
    if (!OpenSoundFile(soundFile, fileName))
        return true;
    auto sample = FCCountedRef<FCSoundSample>::Adopt(new FCSoundSample());
    const bool loaded = sample->Load(soundFile);
    soundFile.Close();
    if (loaded)
        sounds[id] = std::move(sample);
    return true;
}

bool FCResourceManager::ReadText(FCFile& file, std::uint16_t id)
{
    std::string text;
    if (!FCArchive::ReadString(file, text))
        return false;
    texts[id] = std::move(text);
    return true;
}

bool FCResourceManager::ReadFont(FCFile& file, std::uint16_t id)
{
    std::array<std::uint16_t, FCFont::kVariantCount> setIds{};
    for (std::uint16_t& setId : setIds)
    {
        if (!ReadField(file, setId, id))
            return false;
    }
    fonts[id] = FCCountedRef<FCFont>::Adopt(new FCFont(setIds));
    return true;
}

FCImageSet* FCResourceManager::GetImageSet(std::uint16_t id)
{
    const auto found = imageSetRecords.find(id);
    if (found == imageSetRecords.end())
        return nullptr;
    FCImageSetRecord& record = *found->second;
    if (FCImageSet* loaded = record.GetImageSet())
        return loaded;

    FCFileSection file;
    if (!OpenThroughFileSystem(file, record.GetFileName(), nullptr))
        return nullptr;
    {
        LongLoad loading;
        if (FCImageSet* set = LoadImageSet(file))
        {
            set->SetId(id);
            record.SetImageSet(set);
            set->Release();
        }
        file.Close();
    }
    return record.GetImageSet();
}

void FCResourceManager::UnloadImageSet(FCImageSet* set)
{
    if (!set)
        return;
    const auto found = imageSetRecords.find(set->GetId());
    if (found != imageSetRecords.end())
        found->second->SetImageSet(nullptr);
}

FCImageBuffer* FCResourceManager::LoadImage(const std::string& name, bool useCache)
{
    return DoLoadImage(name, nullptr, useCache);
}

FCImageBuffer* FCResourceManager::LoadImage(const std::string& name, const std::string& directory, bool useCache)
{
    return DoLoadImage(name, &directory, useCache);
}

FCImageBuffer* FCResourceManager::DoLoadImage(const std::string& name, const std::string* directory, bool useCache)
{
    const std::string key = directory ? *directory + name : name;
    if (useCache)
    {
        const auto cached = imageCache.find(key);
        if (cached != imageCache.end())
            return cached->second.Get();
    }

    FCFileSection file;
    if (!OpenThroughFileSystem(file, name, directory))
        return nullptr;
    FCImageBuffer* picture = nullptr;
    {
        LongLoad loading;
        picture = LoadPictureByExtension(file, GetFileExtension(name));
        file.Close();
    }
    if (picture && useCache)
    {
        imageCache[key] = FCCountedRef<FCImageBuffer>::Adopt(picture);
    }
    return picture;
}

const std::string* FCResourceManager::GetString(std::uint16_t id) const
{
    const auto found = texts.lower_bound(id);
    if (found == texts.end() || found->first != id)
        return nullptr;
    return &found->second;
}

FCFont* FCResourceManager::GetFont(std::uint16_t id) const
{
    const auto found = fonts.find(id);
    return found == fonts.end() ? nullptr : found->second.Get();
}

FCSoundSample* FCResourceManager::GetSound(std::uint16_t id) const
{
    const auto found = sounds.find(id);
    return found == sounds.end() ? nullptr : found->second.Get();
}

FCAnimation* FCResourceManager::GetAnimation(std::uint16_t id) const
{
    const auto found = animations.find(id);
    return found == animations.end() ? nullptr : found->second.Get();
}

const FCImageSetRecord* FCResourceManager::GetImageSetRecord(std::uint16_t id) const
{
    const auto found = imageSetRecords.find(id);
    return found == imageSetRecords.end() ? nullptr : found->second.get();
}

bool FCResourceManager::OpenSoundFile(FCFileSection& section, const std::string& name, const std::string* directory)
{
    if (OpenThroughFileSystem(section, name, directory))
        return true;
    FC_LOG("Sound file not found: %s\n", name.c_str());
    return false;
}

FCSoundSample* FCResourceManager::LoadSoundFile(const std::string& name, const std::string* directory)
{
    auto* sample = new FCSoundSample();
    FCFileSection file;
    if (OpenSoundFile(file, name, directory))
    {
        sample->Load(file);
        file.Close();
    }
    return sample;
}

void FCResourceManager::Purge()
{
    imageCache.clear();
    for (auto& [id, animation] : animations)
        animation->ReleaseImageSet();
    for (auto& [id, record] : imageSetRecords)
        record->SetImageSet(nullptr);
    for (auto& [id, font] : fonts)
        font->ReleaseSets();
}

void FCResourceManager::Clear()
{
    imageSetRecords.clear();
    imageCache.clear();
    animations.clear();
    sounds.clear();
    texts.clear();
    fonts.clear();
}
