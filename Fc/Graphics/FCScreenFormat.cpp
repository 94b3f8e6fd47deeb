#include "Fc/Graphics/FCScreenFormat.h"

#include "Fc/Graphics/FCImageBuffer.h"

namespace
{
FCImageBuffer* screenBuffer = nullptr;
} // namespace

void SetScreenBuffer(FCImageBuffer* back)
{
    screenBuffer = back;
}

FCImageBuffer* GetScreenBuffer()
{
    return screenBuffer;
}

const FCPixelFormat* GetScreenFormat()
{
    return screenBuffer ? &screenBuffer->GetFormat() : nullptr;
}
