#include "Platform/WFCSoundManager.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Devices/FCSystem.h"
#include "Platform/WFCSoundChannel.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>

namespace
{
// The manager whose channels the mixer's callbacks note; only set while the
// callbacks are registered.
std::atomic<WFCSoundManager*> g_noting{nullptr};

constexpr int kRate = 44100;
constexpr int kOutputChannels = 2;
constexpr int kChunkBytes = 2048;

// The user reads what failed on this system, in SDL's own words.
bool FailWith(const char* what, const char* why)
{
    const std::string text = std::string("Could not start the sound: ") + what + ": " + why;
    FCSystem::SetLastErrorText(text.c_str());
    FC_LOG("%s\r\n", text.c_str());
    return false;
}
} // namespace

WFCSoundManager::~WFCSoundManager()
{
    // No end may be noted from here on; then every channel stops and drops
    // its listener, and only then is anything released.
    if (audioOpen)
    {
        Mix_ChannelFinished(nullptr);
        Mix_HookMusicFinished(nullptr);
    }
    g_noting = nullptr;
    for (ChannelRecord& record : channels)
        record.channel->Halt();
    {
        std::lock_guard<std::mutex> guard(endLock);
        endNotes.clear();
    }
    for (ChannelRecord& record : channels)
        delete record.channel;
    channels.clear();
    if (audioOpen)
    {
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

bool WFCSoundManager::StartUp()
{
    if (audioOpen)
        return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return FailWith("no audio device", SDL_GetError());
    // Decoders load on first use as well; this only makes them ready early.
    Mix_Init(MIX_INIT_MP3 | MIX_INIT_OGG);
    if (Mix_OpenAudio(kRate, MIX_DEFAULT_FORMAT, kOutputChannels, kChunkBytes) != 0)
    {
        const std::string why = Mix_GetError();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return FailWith("the audio output did not open", why.c_str());
    }
    audioOpen = 1;
    Mix_AllocateChannels(kChannelCount);
    for (std::int32_t n = 0; n < kChannelCount; ++n)
        channels.push_back({new WFCSoundChannel(n), static_cast<std::uint16_t>(n), 3});
    g_noting = this;
    Mix_ChannelFinished(&WFCSoundManager::OnChannelFinished);
    Mix_HookMusicFinished(&WFCSoundManager::OnMusicFinished);
    return true;
}

void WFCSoundManager::OnChannelFinished(int channel)
{
    if (WFCSoundManager* manager = g_noting.load())
        manager->Note(channel);
}

void WFCSoundManager::OnMusicFinished()
{
    if (WFCSoundManager* manager = g_noting.load())
        manager->Note(WFCSoundChannel::kMusicChannel);
}

// Audio thread (or inside a halt): nothing but the note.
void WFCSoundManager::Note(std::int32_t channel)
{
    if (channel < 0 || channel >= static_cast<std::int32_t>(channels.size()))
        return;
    const std::uint32_t generation = channels[channel].channel->GetGeneration();
    std::lock_guard<std::mutex> guard(endLock);
    endNotes.push_back({channel, generation});
}

void WFCSoundManager::DeliverEnds()
{
    std::vector<EndNote> notes;
    {
        // Swapped out under the lock, delivered outside it: a listener may
        // play the next sound, and the mixer must never wait for this lock
        // while we wait for the mixer's.
        std::lock_guard<std::mutex> guard(endLock);
        notes.swap(endNotes);
    }
    for (const EndNote& note : notes)
    {
        if (note.channel < static_cast<std::int32_t>(channels.size()))
            channels[note.channel].channel->OnEnded(note.generation);
    }
}

WFCSoundChannel* WFCSoundManager::ChannelFor(std::int32_t& channel)
{
    if (suspended || channels.empty())
        return nullptr;
    if (channel == kAnyChannel)
    {
        channel = kNoChannel;
        for (const ChannelRecord& record : channels)
        {
            if (record.channel->GetStatus() != FCSoundChannel::kPlaying)
                channel = record.number;
        }
    }
    if (channel < 0 || channel >= static_cast<std::int32_t>(channels.size()))
        return nullptr;
    return channels[channel].channel;
}

std::int32_t WFCSoundManager::PlaySoundFile(const std::string& name, const std::string& folder,
                                            std::int32_t channel, bool loop, FCObject* listener,
                                            std::int32_t volume, std::int32_t pan)
{
    WFCSoundChannel* target = ChannelFor(channel);
    if (!target)
        return kNoChannel;
    target->PlaySampleFile(name, folder, loop, volume, pan, listener);
    return channel;
}

std::int32_t WFCSoundManager::PlaySound(std::uint16_t soundId, std::int32_t channel, bool loop,
                                        FCObject* listener, std::int32_t volume, std::int32_t pan)
{
    WFCSoundChannel* target = ChannelFor(channel);
    if (!target)
        return kNoChannel;
    target->PlaySound(soundId, loop, volume, pan, listener);
    return channel;
}

std::int32_t WFCSoundManager::PlayStream(const std::string& path, std::int32_t channel, bool loop,
                                         FCObject* listener, std::int32_t volume, std::int32_t pan)
{
    WFCSoundChannel* target = ChannelFor(channel);
    if (!target)
        return kNoChannel;
    target->OpenStream(path, loop, volume, pan, listener);
    return channel;
}

std::int32_t WFCSoundManager::PlayStreamFile(const std::string& name, const std::string& folder,
                                             std::int32_t channel, bool loop, FCObject* listener,
                                             std::int32_t volume, std::int32_t pan)
{
    WFCSoundChannel* target = ChannelFor(channel);
    if (!target)
        return kNoChannel;
    target->OpenStreamFile(name, folder, loop, volume, pan, listener);
    return channel;
}

FCSoundChannel* WFCSoundManager::GetChannel(std::int32_t channel)
{
    if (channel < 0 || channel >= static_cast<std::int32_t>(channels.size()))
        return nullptr;
    return channels[channel].channel;
}

void WFCSoundManager::Stop(std::int32_t channel)
{
    if (FCSoundChannel* target = GetChannel(channel); target && !suspended)
        target->Pause();
}

void WFCSoundManager::StopAll()
{
    StopAllExcept(kNoChannel, kNoChannel, kNoChannel);
}

void WFCSoundManager::StopAllExcept(std::int32_t a, std::int32_t b, std::int32_t c)
{
    if (suspended)
        return;
    for (const ChannelRecord& record : channels)
    {
        if (record.number != a && record.number != b && record.number != c)
            record.channel->Pause();
    }
}

void WFCSoundManager::End(std::int32_t channel)
{
    if (FCSoundChannel* target = GetChannel(channel); target && !suspended)
        target->End();
}

void WFCSoundManager::Resume(std::int32_t channel)
{
    if (FCSoundChannel* target = GetChannel(channel); target && !suspended)
        target->Resume();
}

bool WFCSoundManager::IsPlaying(std::int32_t channel)
{
    FCSoundChannel* target = GetChannel(channel);
    return target && target->IsPlaying();
}

void WFCSoundManager::SuspendAll()
{
    for (ChannelRecord& record : channels)
    {
        record.savedStatus = static_cast<std::uint16_t>(record.channel->GetStatus());
        if (record.savedStatus == FCSoundChannel::kPlaying)
            record.channel->Pause();
    }
    suspended = 1;
}

void WFCSoundManager::ResumeAll()
{
    if (!suspended)
        return;
    for (ChannelRecord& record : channels)
    {
        if (record.savedStatus == FCSoundChannel::kPlaying)
            record.channel->Resume();
    }
    suspended = 0;
}

void WFCSoundManager::RemoveListener(FCObject* listener)
{
    for (ChannelRecord& record : channels)
        record.channel->RemoveListener(listener);
}
