#pragma once

// What the benchmarks of the character window's pages share: the program's
// content and client, and the paint of one frame into the back buffer.
// Include it from any bench/*.cpp.

#include "BenchDisplay.h"

#include "Fc/Core/FCFileSystem.h"
#include "Fc/Graphics/FCDisplayPageStack.h"
#include "Fc/Graphics/FCDoubleBuffer.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIMessages.h"
#include "Ui/UIWindowManager.h"
#include "Vel/App/VelClient.h"
#include "Vel/App/VelSettings.h"
#include "Vel/Db/VelDatabase.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

// The program as far as the character window needs it: the built resources
// beside the benchmark program and a file system over them, the asset
// index, the four rule-set files, the settings and the client. IsLoaded is
// false (said on standard output) when the build has no content.
class PageBenchWorld
{
public:
    explicit PageBenchWorld(const char* programPath)
        : resources(std::filesystem::absolute(programPath).parent_path().parent_path() /
                    "Resources")
    {
        files.SetRootPath(resources.string());
        for (const char* dir : {"UI", "Art", "Sfx", "Icons"})
            files.AddSearchDirectory(dir);
        client = new VelClient();
        loaded = assets.LoadResourceFile("GameAssets.bin") && client->LoadDatabases();
        if (!loaded)
            std::printf("no built content under %s\n", resources.string().c_str());
    }
    ~PageBenchWorld()
    {
        VelClient::SetCurrentCharacter(nullptr);
        client->Release();
        VelDatabase::Clear();
    }
    PageBenchWorld(const PageBenchWorld&) = delete;
    PageBenchWorld& operator=(const PageBenchWorld&) = delete;

    bool IsLoaded() const { return loaded; }

    const std::filesystem::path resources;
    FCFileSystem files;
    FCResourceManager assets;
    VelSettings settings;
    VelClient* client = nullptr;

private:
    bool loaded = false;
};

// Paints the frame and swaps the page's dirty lists, as the main loop does.
inline void PaintFrame(UIWindowManager& manager, BenchDisplay& display)
{
    FCImageBuffer* target = display.Back();
    manager.HandleMessage(UIMessage::kPaint, &target);
    FCDisplayPageStack::GetCurrent()->Swap();
    benchmark::ClobberMemory();
}
