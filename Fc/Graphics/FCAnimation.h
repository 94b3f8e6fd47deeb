#pragma once

#include "Fc/Core/FCObject.h"

#include <cstdint>
#include <vector>

class FCImageSet;

// A sequence of frames of one image set, listed in the asset index: a range
// of frames or an explicit list, played at a fixed rate.
class FCAnimation : public FCObject
{
public:
    static constexpr std::uint16_t kTypeCode = 2;
    static constexpr std::uint16_t kKindUnset = 10;
    static constexpr std::uint16_t kKindRange = 20;
    static constexpr std::uint16_t kKindList = 30;

    FCAnimation();
    ~FCAnimation() override;
    FCAnimation(const FCAnimation&) = delete;
    FCAnimation& operator=(const FCAnimation&) = delete;

    std::uint16_t GetId() const { return id; }
    void SetId(std::uint16_t newId) { id = newId; }
    std::uint16_t GetImageSetId() const { return imageSetId; }
    void SetImageSetId(std::uint16_t setId) { imageSetId = setId; }
    // Holds a reference of its own to the set (none clears it).
    void SetImageSet(FCImageSet* set);
    FCImageSet* GetImageSet() const { return imageSet; }
    void ReleaseImageSet() { SetImageSet(nullptr); }

    std::uint16_t GetKind() const { return kind; }
    void SetKind(std::uint16_t newKind) { kind = newKind; }
    const std::vector<std::uint16_t>& GetFrames() const { return frames; }
    void AppendFrame(std::uint16_t frame) { frames.push_back(frame); }
    std::uint16_t GetMsPerFrame() const { return msPerFrame; }
    // Frames per second as stored, taken as signed: 0 or less plays one frame
    // a second.
    void SetFramesPerSecond(std::int16_t framesPerSecond);
    std::uint16_t GetExtra() const { return extra; }
    void SetExtra(std::uint16_t value) { extra = value; }

private:
    std::uint16_t id = 0;
    std::uint16_t imageSetId = 0;
    FCImageSet* imageSet = nullptr;
    std::uint16_t kind = kKindUnset;
    std::vector<std::uint16_t> frames;
    std::uint16_t msPerFrame = 0;
    std::uint16_t extra = 0;
};
