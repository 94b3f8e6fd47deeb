#pragma once

#include "Fc/FCPixelFormat.h"

// The pixel format of the back buffer, which every picture and image set is
// converted to; null while no display buffers exist (tools, tests, start-up).
const FCPixelFormat* GetScreenFormat();
