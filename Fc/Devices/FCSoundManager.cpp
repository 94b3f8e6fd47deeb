#include "Fc/Devices/FCSoundManager.h"

namespace
{
FCSoundManager* soundManagerInstance = nullptr;
} // namespace

FCSoundManager::FCSoundManager()
{
    soundManagerInstance = this;
}

FCSoundManager::~FCSoundManager()
{
    if (soundManagerInstance == this)
    {
        soundManagerInstance = nullptr;
    }
}

FCSoundManager* FCSoundManager::GetInstance()
{
    return soundManagerInstance;
}
