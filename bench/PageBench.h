#pragma once

// What the benchmarks of the character window's pages share: the built
// resources beside the benchmark program, a file system over them, and the
// paint of one frame into the back buffer. Include it from any bench/*.cpp.

#include "BenchDisplay.h"

#include "Fc/Core/FCFileSystem.h"
#include "Fc/Graphics/FCDisplayPageStack.h"
#include "Fc/Graphics/FCDoubleBuffer.h"
#include "Ui/UIMessages.h"
#include "Ui/UIWindowManager.h"

#include <benchmark/benchmark.h>

#include <filesystem>

class PageBenchFiles
{
public:
    explicit PageBenchFiles(const char* programPath)
        : resources(std::filesystem::absolute(programPath).parent_path().parent_path() /
                    "Resources")
    {
        files.SetRootPath(resources.string());
        for (const char* dir : {"UI", "Art", "Sfx", "Icons"})
            files.AddSearchDirectory(dir);
    }

    const std::filesystem::path resources;
    FCFileSystem files;
};

// Paints the frame and swaps the page's dirty lists, as the main loop does.
inline void PaintFrame(UIWindowManager& manager, BenchDisplay& display)
{
    FCImageBuffer* target = display.Back();
    manager.HandleMessage(UIMessage::kPaint, &target);
    FCDisplayPageStack::GetCurrent()->Swap();
    benchmark::ClobberMemory();
}
