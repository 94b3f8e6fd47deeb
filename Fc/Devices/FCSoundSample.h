#pragma once

#include "Fc/Core/FCObject.h"

#include <cstdint>
#include <memory>

class FCFileSection;

// A whole sound file held in memory, ready for a channel to play. Shared by
// reference: the resource manager's sound table holds one, and each channel
// playing it holds another.
class FCSoundSample : public FCObject
{
public:
    // Larger files are refused rather than read into memory whole.
    static constexpr std::uint32_t kMaxSize = 64u * 1024u * 1024u;

    FCSoundSample() = default;
    ~FCSoundSample() override;

    using FCObject::Load;
    // Reads the whole view into memory. On a failed or short read, or a view
    // larger than kMaxSize, the sample is left empty and false is returned.
    bool Load(FCFileSection& file);

    std::uint32_t GetSize() const { return size; }
    const std::uint8_t* GetData() const { return data.get(); }
    bool IsEmpty() const { return size == 0; }

private:
    std::uint32_t size = 0;
    std::unique_ptr<std::uint8_t[]> data;
};
