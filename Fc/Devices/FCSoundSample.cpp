#include "Fc/Devices/FCSoundSample.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFileSection.h"

#include <new>

FCSoundSample::~FCSoundSample() = default;

bool FCSoundSample::Load(FCFileSection& file)
{
    data.reset();
    size = 0;
    const std::uint32_t length = file.GetLength();
    if (length > kMaxSize)
    {
        FC_LOG("Sound file of %u bytes is larger than %u\n", length, kMaxSize);
        return false;
    }
    if (length == 0)
    {
        return true;
    }
    std::unique_ptr<std::uint8_t[]> bytes(new (std::nothrow) std::uint8_t[length]);
    if (!bytes)
    {
        FC_LOG("No memory for a sound of %u bytes\n", length);
        return false;
    }
    file.SeekToStart();
    if (!file.Read(bytes.get(), length))
    {
        FC_LOG("Short read of a sound file of %u bytes\n", length);
        return false;
    }
    data = std::move(bytes);
    size = length;
    return true;
}
