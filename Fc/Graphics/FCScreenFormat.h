#pragma once

#include "Fc/Graphics/FCPixelFormat.h"

class FCImageBuffer;

// The back buffer, which every picture and image set is converted to. The
// display manager sets it; it lives here so graphics code can ask for the
// screen's format without knowing about devices.
void SetScreenBuffer(FCImageBuffer* back);
FCImageBuffer* GetScreenBuffer();

// The back buffer's pixel format; null while no display buffers exist
// (tools, tests, start-up).
const FCPixelFormat* GetScreenFormat();
