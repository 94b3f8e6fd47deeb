#include "support/FakeSoundManager.h"

FakeSoundChannel* FakeSoundManager::Channel(std::int32_t channel)
{
    if (channel < 0 || channel >= kChannelCount)
    {
        return nullptr;
    }
    return &channels[static_cast<std::size_t>(channel)];
}

std::int32_t FakeSoundManager::PickChannel(std::int32_t channel)
{
    if (channel != kAnyChannel)
    {
        return Channel(channel) != nullptr ? channel : kNoChannel;
    }
    std::int32_t free = kNoChannel;
    for (std::int32_t i = 0; i < kChannelCount; ++i)
    {
        if (!channels[static_cast<std::size_t>(i)].IsPlaying())
        {
            free = i;
        }
    }
    return free;
}

template <typename Play> std::int32_t FakeSoundManager::Dispatch(Request request, Play play)
{
    std::int32_t result = kNoChannel;
    if (!suspended)
    {
        const std::int32_t picked = PickChannel(request.channel);
        if (picked != kNoChannel)
        {
            FakeSoundChannel& target = channels[static_cast<std::size_t>(picked)];
            play(target);
            result = target.IsPlaying() ? picked : kNoChannel;
        }
    }
    request.result = result;
    requests.push_back(request);
    return result;
}

std::int32_t FakeSoundManager::PlaySoundFile(const std::string& name, const std::string& folder,
                                             std::int32_t channel, bool loop, FCObject* listener,
                                             std::int32_t volume, std::int32_t pan)
{
    return Dispatch({"file", name, channel, loop, listener, volume, pan, 0},
                    [&](FakeSoundChannel& c)
                    { c.PlaySampleFile(name, folder, loop, volume, pan, listener); });
}

std::int32_t FakeSoundManager::PlaySound(std::uint16_t soundId, std::int32_t channel, bool loop,
                                         FCObject* listener, std::int32_t volume, std::int32_t pan)
{
    return Dispatch({"sound", std::to_string(soundId), channel, loop, listener, volume, pan, 0},
                    [&](FakeSoundChannel& c)
                    { c.PlaySound(soundId, loop, volume, pan, listener); });
}

std::int32_t FakeSoundManager::PlayStream(const std::string& path, std::int32_t channel, bool loop,
                                          FCObject* listener, std::int32_t volume, std::int32_t pan)
{
    return Dispatch({"stream", path, channel, loop, listener, volume, pan, 0},
                    [&](FakeSoundChannel& c) { c.OpenStream(path, loop, volume, pan, listener); });
}

std::int32_t FakeSoundManager::PlayStreamFile(const std::string& name, const std::string& folder,
                                              std::int32_t channel, bool loop, FCObject* listener,
                                              std::int32_t volume, std::int32_t pan)
{
    return Dispatch({"streamfile", name, channel, loop, listener, volume, pan, 0},
                    [&](FakeSoundChannel& c)
                    { c.OpenStreamFile(name, folder, loop, volume, pan, listener); });
}

void FakeSoundManager::Stop(std::int32_t channel)
{
    if (FakeSoundChannel* c = Channel(channel); c != nullptr && !suspended)
    {
        c->Pause();
    }
}

void FakeSoundManager::StopAll()
{
    StopAllExcept(kNoChannel, kNoChannel, kNoChannel);
}

void FakeSoundManager::StopAllExcept(std::int32_t a, std::int32_t b, std::int32_t c)
{
    if (suspended)
    {
        return;
    }
    for (std::int32_t i = 0; i < kChannelCount; ++i)
    {
        if (i != a && i != b && i != c)
        {
            channels[static_cast<std::size_t>(i)].Pause();
        }
    }
}

void FakeSoundManager::End(std::int32_t channel)
{
    if (FakeSoundChannel* c = Channel(channel); c != nullptr && !suspended)
    {
        c->End();
    }
}

void FakeSoundManager::Resume(std::int32_t channel)
{
    if (FakeSoundChannel* c = Channel(channel); c != nullptr && !suspended)
    {
        c->Resume();
    }
}

bool FakeSoundManager::IsPlaying(std::int32_t channel)
{
    FakeSoundChannel* c = Channel(channel);
    return c != nullptr && c->IsPlaying();
}

void FakeSoundManager::SuspendAll()
{
    if (journal != nullptr)
    {
        journal->push_back("sound.SuspendAll");
    }
    for (std::size_t i = 0; i < channels.size(); ++i)
    {
        savedStatus[i] = channels[i].GetStatus();
        channels[i].Pause();
    }
    suspended = true;
}

void FakeSoundManager::ResumeAll()
{
    if (journal != nullptr)
    {
        journal->push_back("sound.ResumeAll");
    }
    if (!suspended)
    {
        return;
    }
    for (std::size_t i = 0; i < channels.size(); ++i)
    {
        if (savedStatus[i] == FCSoundChannel::kPlaying)
        {
            channels[i].Resume();
        }
    }
    suspended = false;
}

void FakeSoundManager::RemoveListener(FCObject* listener)
{
    for (FakeSoundChannel& channel : channels)
    {
        if (channel.endListener == listener)
        {
            channel.endListener = nullptr;
        }
    }
}
