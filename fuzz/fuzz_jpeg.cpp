// Decodes arbitrary bytes as a JPEG picture through the program's own file
// source, and draws what decodes.

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

    FuzzMemoryFile file(data, size);
    FCImageBuffer* picture = LoadJPEG(file, false);
    if (picture)
    {
        picture->Draw(target, FCPoint(0, 0), target->GetBounds(), 0);
        picture->Release();
    }
    return 0;
}
