#include "support/FakeSoundChannel.h"

#include "Fc/Core/FCObject.h"

void FakeSoundChannel::Start(std::string what, bool loopIt, std::int32_t vol, std::int32_t panValue,
                             FCObject* listener)
{
    playing = std::move(what);
    loop = loopIt ? 1 : 0;
    volume = vol;
    pan = panValue;
    endListener = listener;
    status = kPlaying;
}

void FakeSoundChannel::PlaySampleFile(const std::string& name, const std::string&, bool loopIt,
                                      std::int32_t vol, std::int32_t panValue, FCObject* listener)
{
    Start("file " + name, loopIt, vol, panValue, listener);
}

void FakeSoundChannel::PlaySound(std::uint16_t soundId, bool loopIt, std::int32_t vol,
                                 std::int32_t panValue, FCObject* listener)
{
    Pause();
    FCSoundSample* found = FindSample(soundId);
    SetSample(found);
    if (found == nullptr)
    {
        playing.clear();
        endListener = nullptr;
        status = kFree;
        return;
    }
    Start("sound " + std::to_string(soundId), loopIt, vol, panValue, listener);
}

void FakeSoundChannel::OpenStream(const std::string& path, bool loopIt, std::int32_t vol,
                                  std::int32_t panValue, FCObject* listener)
{
    Start("stream " + path, loopIt, vol, panValue, listener);
}

void FakeSoundChannel::OpenStreamFile(const std::string& name, const std::string&, bool loopIt,
                                      std::int32_t vol, std::int32_t panValue, FCObject* listener)
{
    Start("stream " + name, loopIt, vol, panValue, listener);
}

void FakeSoundChannel::Pause()
{
    if (status == kPlaying)
    {
        status = kStopped;
    }
}

void FakeSoundChannel::End()
{
    if (status == kPlaying || status == kStopped)
    {
        status = kDone;
    }
}

void FakeSoundChannel::Resume()
{
    if (status == kStopped)
    {
        status = kPlaying;
    }
}

void FakeSoundChannel::Finish()
{
    status = kDone;
    if (endListener != nullptr)
    {
        FCSoundChannel* self = this;
        endListener->HandleMessage(kEndMessage, &self);
    }
}
