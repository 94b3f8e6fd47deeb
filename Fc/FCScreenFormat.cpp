#include "Fc/FCScreenFormat.h"

#include "Fc/FCDisplayManager.h"
#include "Fc/FCImageBuffer.h"

const FCPixelFormat* GetScreenFormat()
{
    const FCImageBuffer* back = FCDisplayManager::GetBackBuffer();
    return back ? &back->GetFormat() : nullptr;
}
