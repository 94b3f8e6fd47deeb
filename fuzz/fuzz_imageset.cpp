// Loads arbitrary bytes as an image-set file, then measures, draws and hit
// tests every frame (up to a limit) with each mirror flag, partly off the
// target buffer.

#include "FuzzMemoryFile.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCImageSet.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    static FCImageBuffer* target = FCImageBuffer::Create(48, 32, FCFormat565);

    FuzzMemoryFile file(data, size);
    FCImageSet* set = LoadImageSet(file);
    if (!set)
        return 0;
    const std::uint32_t flagSets[] = {0, kDrawMirrorX, kDrawMirrorFrameX,
                                      kDrawMirrorY | kDrawMirrorFrameX,
                                      kDrawMirrorFrameY | kDrawMirrorX};
    const std::int16_t frames = set->GetFrameCount() < 16 ? set->GetFrameCount() : 16;
    for (std::int16_t frame = -1; frame <= frames; ++frame)
    {
        for (std::uint32_t flags : flagSets)
        {
            const FCRect rect = set->GetFrameRect(frame, flags);
            set->DrawFrame(frame, *target, FCPoint(-3, 5), FCRect(-10, -10, 40, 100), flags);
            for (std::int32_t y = rect.top - 1; y <= rect.bottom && y < rect.top + 8; ++y)
                for (std::int32_t x = rect.left - 1; x <= rect.right && x < rect.left + 8; ++x)
                    set->HitTestFrame(FCPoint(x, y), frame, FCPoint(0, 0), flags);
        }
    }
    // A header-only reload of the same bytes into the same set.
    FuzzMemoryFile again(data, size);
    std::uint16_t encoding = 0;
    if (again.ReadU16(encoding))
    {
        set->Load(again, false);
        set->DrawFrame(0, *target, FCPoint(0, 0), target->GetBounds(), 0);
    }
    set->Release();
    return 0;
}
