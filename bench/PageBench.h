#pragma once

// What the benchmarks of the character window's pages share: the built
// resources beside the benchmark program, a file system over them with a
// plain notes page of its own (so that there is always a page to switch
// to), and the paint of one frame into the back buffer. Include it from any
// bench/*.cpp.

#include "BenchDisplay.h"
#include "support/LayoutBytes.h"
#include "support/TempFolder.h"

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
        folder.WriteFile("UI/velNotes.ui",
                         LayoutBytes::Write(LayoutBytes::Control(
                             LayoutBytes::Element(11500, 224, 72, 352, 440), "Vel_UIPanel")));
        files.SetRootPath(folder.GetPath());
        files.SetAlternateRootPath(resources.string());
        files.SetUseAlternateRoot(true);
        for (const char* dir : {"UI", "Art", "Sfx", "Icons"})
            files.AddSearchDirectory(dir);
    }

    const std::filesystem::path resources;
    // The files of the benchmark's own, found before the built ones.
    TempFolder folder;
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
