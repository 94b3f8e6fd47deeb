#pragma once

// Just enough display for the drawing benchmarks: an 800 x 600 5-6-5 back
// buffer in memory, installed as the back buffer for the display's lifetime.
// Include it from any bench/*.cpp.

#include "Fc/Devices/FCDisplayManager.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCPixelFormat.h"

#include <cstdint>

class BenchDisplay : public FCDisplayManager
{
public:
    BenchDisplay() : back(FCImageBuffer::Create(800, 600, FCFormat565)) { SetBackBuffer(back); }
    ~BenchDisplay() override
    {
        SetBackBuffer(nullptr);
        back->Release();
    }
    BenchDisplay(const BenchDisplay&) = delete;
    BenchDisplay& operator=(const BenchDisplay&) = delete;

    bool StartUp() override { return true; }
    bool ModeExists(std::int32_t, std::int32_t, std::int32_t) override { return true; }
    bool SetMode(std::int32_t, std::int32_t, std::int32_t) override { return true; }
    std::int32_t GetWidth() override { return 800; }
    std::int32_t GetHeight() override { return 600; }
    FCPoint GetSize() override { return FCPoint(800, 600); }
    std::int32_t GetBitsPerPixel() override { return 16; }
    void Flip() override {}
    void BlitToWindow() override {}
    bool CreateBuffers() override { return true; }
    bool ReleaseBuffers() override { return true; }
    bool RestoreBuffers() override { return true; }
    FCImageBuffer* CreateImageBuffer(std::int32_t w, std::int32_t h) override
    {
        return FCImageBuffer::Create(w, h, FCFormat565);
    }
    FCImageBuffer* Back() const { return back; }

private:
    FCImageBuffer* back;
};
