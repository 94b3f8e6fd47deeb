// Loads arbitrary bytes as a BMP picture, in both target formats, and draws
// what loads.

#include "FuzzMemoryFile.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCPicture.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    static FCImageBuffer* target = FCImageBuffer::Create(32, 32, FCFormat565);

    for (bool useScreenFormat : {false, true})
    {
        FuzzMemoryFile file(data, size);
        FCImageBuffer* picture = LoadBMP(file, useScreenFormat);
        if (!picture)
            continue;
        picture->Draw(target, FCPoint(-2, -2), target->GetBounds(), 0);
        picture->GetPixel(picture->GetWidth() - 1, picture->GetHeight() - 1, FCFormat565);
        picture->Release();
    }
    return 0;
}
