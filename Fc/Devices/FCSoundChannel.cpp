#include "Fc/Devices/FCSoundChannel.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Fc/Devices/FCSoundSample.h"

FCSoundChannel::~FCSoundChannel()
{
    SetSample(nullptr);
}

void FCSoundChannel::SetSample(FCSoundSample* newSample)
{
    if (newSample == sample)
    {
        return;
    }
    if (newSample != nullptr)
    {
        newSample->AddRef();
    }
    FCSoundSample* old = sample;
    sample = newSample;
    if (old != nullptr)
    {
        old->Release();
    }
}

FCSoundSample* FCSoundChannel::FindSample(std::uint16_t soundId)
{
    FCResourceManager* resources = FCResourceManager::GetInstance();
    FCSoundSample* found = resources != nullptr ? resources->GetSound(soundId) : nullptr;
    if (found == nullptr || found->IsEmpty())
    {
        FC_LOG("Sound %u is not in the sound table\n", static_cast<unsigned>(soundId));
        return nullptr;
    }
    return found;
}
