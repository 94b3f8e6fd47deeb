#include "Platform/WFCSoundChannel.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFileUtil.h"
#include "Fc/Core/FCObject.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Fc/Devices/FCSoundSample.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>

namespace
{
// 0 to 127 onto the mixer's 0 to 128.
int MixerVolume(std::int32_t volume)
{
    return std::clamp(volume, 0, 127) * MIX_MAX_VOLUME / 127;
}

// 64 is the middle; each side fades out towards its end of the range.
void SetPan(int channel, std::int32_t pan)
{
    const int p = std::clamp(pan, 0, 127);
    const int left = p <= 64 ? 255 : 255 * (127 - p) / 63;
    const int right = p >= 64 ? 255 : 255 * p / 64;
    Mix_SetPanning(channel, static_cast<Uint8>(left), static_cast<Uint8>(right));
}

FCSoundSample* LoadFile(const std::string& name, const std::string& folder)
{
    FCResourceManager* resources = FCResourceManager::GetInstance();
    if (!resources)
    {
        FC_LOG("No resources to load the sound %s from\n", name.c_str());
        return nullptr;
    }
    FCSoundSample* sample = resources->LoadSoundFile(name, folder.empty() ? nullptr : &folder);
    if (sample && sample->IsEmpty())
    {
        sample->Release();
        return nullptr;
    }
    return sample;
}
} // namespace

WFCSoundChannel::WFCSoundChannel(std::int32_t channelNumber) : number(channelNumber) {}

WFCSoundChannel::~WFCSoundChannel()
{
    Halt();
}

void WFCSoundChannel::Halt()
{
    // The halt runs the mixer's end callback at once, which notes the old
    // generation; the new one makes that note stale.
    if (chunk)
        Mix_HaltChannel(number);
    if (music)
        Mix_HaltMusic();
    generation.fetch_add(1);
    listener = nullptr;
    if (chunk)
        Mix_FreeChunk(chunk);
    if (music)
        Mix_FreeMusic(music);
    chunk = nullptr;
    music = nullptr;
    // After the music: a stream from memory reads the sample's bytes.
    SetSample(nullptr);
    kind = kNothing;
    ended = 0;
}

bool WFCSoundChannel::LoadFromSample(bool asStream)
{
    if (!sample)
        return false;
    SDL_RWops* bytes = SDL_RWFromConstMem(sample->GetData(), static_cast<int>(sample->GetSize()));
    if (asStream)
        music = Mix_LoadMUS_RW(bytes, 1);
    else
        chunk = Mix_LoadWAV_RW(bytes, 1);
    if (!chunk && !music)
    {
        FC_LOG("Cannot decode a sound: %s\n", Mix_GetError());
        return false;
    }
    return true;
}

void WFCSoundChannel::PlayLoaded(bool loopIt, std::int32_t vol, std::int32_t panValue,
                                 FCObject* newListener)
{
    loop = loopIt ? 1 : 0;
    volume = vol;
    pan = panValue;
    int started = -1;
    if (music)
    {
        Mix_VolumeMusic(MixerVolume(volume));
        started = Mix_PlayMusic(music, loopIt ? -1 : 1);
    }
    else if (chunk)
    {
        Mix_Volume(number, MixerVolume(volume));
        SetPan(number, pan);
        started = Mix_PlayChannel(number, chunk, loopIt ? -1 : 0);
    }
    if (started < 0)
    {
        FC_LOG("Cannot play a sound on channel %d: %s\n", number, Mix_GetError());
        Halt();
        return;
    }
    listener = newListener;
}

void WFCSoundChannel::PlaySample(bool asStream, Kind newKind, bool loopIt, std::int32_t vol,
                                 std::int32_t panValue, FCObject* newListener)
{
    if (!LoadFromSample(asStream))
    {
        Halt();
        return;
    }
    kind = newKind;
    PlayLoaded(loopIt, vol, panValue, newListener);
}

void WFCSoundChannel::SetSampleFromFile(const std::string& name, const std::string& folder)
{
    FCSoundSample* loaded = LoadFile(name, folder);
    SetSample(loaded);
    if (loaded)
        loaded->Release();
}

void WFCSoundChannel::PlaySound(std::uint16_t soundId, bool loopIt, std::int32_t vol,
                                std::int32_t panValue, FCObject* newListener)
{
    Halt();
    SetSample(FindSample(soundId));
    PlaySample(false, kSample, loopIt, vol, panValue, newListener);
}

void WFCSoundChannel::PlaySampleFile(const std::string& name, const std::string& folder,
                                     bool loopIt, std::int32_t vol, std::int32_t panValue,
                                     FCObject* newListener)
{
    Halt();
    SetSampleFromFile(name, folder);
    PlaySample(false, kSample, loopIt, vol, panValue, newListener);
}

void WFCSoundChannel::OpenStream(const std::string& path, bool loopIt, std::int32_t vol,
                                 std::int32_t panValue, FCObject* newListener)
{
    Halt();
    const std::string hostPath = ToHostPath(path);
    if (number == kMusicChannel)
        music = Mix_LoadMUS(hostPath.c_str());
    else
        chunk = Mix_LoadWAV(hostPath.c_str());
    if (!chunk && !music)
    {
        FC_LOG("Cannot open the sound stream %s: %s\n", path.c_str(), Mix_GetError());
        Halt();
        return;
    }
    kind = kStream;
    PlayLoaded(loopIt, vol, panValue, newListener);
}

void WFCSoundChannel::OpenStreamFile(const std::string& name, const std::string& folder,
                                     bool loopIt, std::int32_t vol, std::int32_t panValue,
                                     FCObject* newListener)
{
    Halt();
    SetSampleFromFile(name, folder);
    PlaySample(number == kMusicChannel, kStream, loopIt, vol, panValue, newListener);
}

void WFCSoundChannel::Pause()
{
    if (music)
    {
        Mix_PauseMusic();
    }
    else if (chunk)
    {
        // The mixer marks a paused channel with the tick count of the pause,
        // and a count of 0 reads as "not paused": in the first millisecond
        // after start-up the pause would be lost.
        if (SDL_GetTicks() == 0)
            SDL_Delay(1);
        Mix_Pause(number);
    }
}

void WFCSoundChannel::Resume()
{
    if (music)
        Mix_ResumeMusic();
    else if (chunk)
        Mix_Resume(number);
}

void WFCSoundChannel::End()
{
    const bool hadSound = kind != kNothing;
    Halt();
    ended = hadSound ? 1 : 0;
}

std::int32_t WFCSoundChannel::GetStatus()
{
    if (music)
        return !Mix_PlayingMusic() ? kDone : Mix_PausedMusic() ? kStopped : kPlaying;
    if (chunk)
        return !Mix_Playing(number) ? kDone : Mix_Paused(number) ? kStopped : kPlaying;
    return ended ? kDone : kFree;
}

void WFCSoundChannel::OnEnded(std::uint32_t endedGeneration)
{
    if (endedGeneration != generation.load() || !listener)
        return;
    // Cleared first: the listener may well start the next sound here.
    FCObject* told = listener;
    listener = nullptr;
    FCSoundChannel* self = this;
    told->HandleMessage(kEndMessage, &self);
}

void WFCSoundChannel::RemoveListener(FCObject* gone)
{
    if (listener == gone)
        listener = nullptr;
}
