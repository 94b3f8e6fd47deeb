// Start-up of the program with SDL's dummy drivers, from the devices to the
// first painted frame of the start menu, against one plain read of every file
// that start-up opens (found with inotify during a warm-up start), in the same
// run. Then the idle processor use of the real program over five seconds.

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFileSystem.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Platform/WFCSystem.h"
#include "RatioReporter.h"
#include "Vel/App/VelApp.h"
#include "Vel/App/VelClient.h"
#include "support/TempFolder.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace
{
std::string g_programFolder; // holds Resources/ and the program
std::vector<std::string> g_openedFiles;
// Where the last start's time went: the window, the client's start-up, the
// first frame (seconds).
double g_split[3] = {};

// One start: devices, window manager, settings, databases, asset index, the
// start menu's layout, then one frame that paints it. The seconds that took
// (shut-down not counted), or a negative value when start-up failed.
double StartAndPaint()
{
    const auto start = std::chrono::steady_clock::now();
    WFCSystem system;
    if (!system.CreateMainWindow("Stavelorn", 800, 600))
        return -1;
    const auto windowMade = std::chrono::steady_clock::now();
    FCFileSystem files;
    files.SetRootPath(g_programFolder + "/Resources");
    files.SetSearchMode(FCFileSystem::kLooseThenPackages);
    for (const char* dir : {"UI", "Art", "Sfx", "Audio"})
        files.AddSearchDirectory(dir);
    for (const char* dir : {"Icons", "Database"})
        files.AddPackage(dir);
    FCResourceManager resources;
    auto* client = new VelClient();
    const bool started = client->StartUp();
    const auto clientStarted = std::chrono::steady_clock::now();
    if (started)
        client->Update(FrameTime{17, 17});
    const auto painted = std::chrono::steady_clock::now();
    g_split[0] = std::chrono::duration<double>(windowMade - start).count();
    g_split[1] = std::chrono::duration<double>(clientStarted - windowMade).count();
    g_split[2] = std::chrono::duration<double>(painted - clientStarted).count();
    const std::chrono::duration<double> took = painted - start;
    client->Shutdown();
    client->Release();
    return started ? took.count() : -1;
}

// Watches every folder below root for opened files.
class OpenWatch
{
public:
    explicit OpenWatch(const std::string& root) : handle(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) { Add(root); }
    ~OpenWatch() { ::close(handle); }
    std::set<std::string> Opened()
    {
        std::set<std::string> paths;
        alignas(inotify_event) char buffer[65536];
        for (;;)
        {
            const ssize_t got = ::read(handle, buffer, sizeof buffer);
            if (got <= 0)
                break;
            for (char* at = buffer; at < buffer + got;)
            {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                if (event->len > 0 && (event->mask & IN_ISDIR) == 0)
                    paths.insert(folders[event->wd] + "/" + event->name);
                at += sizeof(inotify_event) + event->len;
            }
        }
        return paths;
    }

private:
    void Add(const std::string& folder)
    {
        folders[inotify_add_watch(handle, folder.c_str(), IN_OPEN)] = folder;
        DIR* dir = ::opendir(folder.c_str());
        if (!dir)
            return;
        while (const dirent* entry = ::readdir(dir))
        {
            const std::string name = entry->d_name;
            struct stat info;
            const std::string path = folder + "/" + name;
            if (name != "." && name != ".." && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
                Add(path);
        }
        ::closedir(dir);
    }

    int handle;
    std::map<int, std::string> folders;
};

void BM_StartUpToFirstFrame(benchmark::State& state)
{
    for (auto _ : state)
    {
        const double seconds = StartAndPaint();
        if (seconds < 0)
            state.SkipWithError("start-up failed");
        state.SetIterationTime(seconds < 0 ? 0 : seconds);
    }
}

void BM_ReadEveryOpenedFile(benchmark::State& state)
{
    std::vector<char> buffer(1 << 20);
    for (auto _ : state)
    {
        for (const std::string& path : g_openedFiles)
        {
            const int handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            if (handle < 0)
                continue;
            while (::read(handle, buffer.data(), buffer.size()) > 0)
            {
            }
            ::close(handle);
        }
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_StartUpToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadEveryOpenedFile)->Unit(benchmark::kMillisecond);

// Processor ticks (user + system) of a process.
long ProcessTicks(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; fields >> field; ++i)
    {
        if (i == 14)
            utime = std::stol(field);
        if (i == 15)
        {
            stime = std::stol(field);
            break;
        }
    }
    return utime + stime;
}

// The real program, started with the dummy drivers, measured while it sits at
// its start menu. A fraction of one core; negative when it could not be run.
double IdleProcessorUse(const std::string& dataFolder)
{
    const std::string program = g_programFolder + "/stavelorn";
    const pid_t child = ::fork();
    if (child == 0)
    {
        ::setenv("XDG_DATA_HOME", dataFolder.c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", dataFolder.c_str(), 1);
        const int devNull = ::open("/dev/null", O_WRONLY);
        ::dup2(devNull, 1);
        ::dup2(devNull, 2);
        ::execl(program.c_str(), program.c_str(), "-win", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    if (child < 0)
        return -1;
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const long before = ProcessTicks(child);
    std::this_thread::sleep_for(std::chrono::seconds(5));
    const long after = ProcessTicks(child);
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (before < 0 || after < 0)
        return -1;
    return static_cast<double>(after - before) / static_cast<double>(::sysconf(_SC_CLK_TCK)) / 5.0;
}
} // namespace

int main(int argc, char** argv)
{
    FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    ::setenv("STAVELORN_HEADLESS", "1", 1);
    char* base = SDL_GetBasePath();
    g_programFolder = std::string(base ? base : "./") + "..";
    SDL_free(base);
    TempFolder data;
    ::setenv("XDG_DATA_HOME", data.GetPath().c_str(), 1);
    // Not a first run: the settings say the intro was seen.
    data.WriteFile("stavelorn/settings.dat", std::vector<std::uint8_t>{1, 0, 6, 0, 0, 0});
    VelApp app;

    {
        OpenWatch watch(g_programFolder + "/Resources");
        if (StartAndPaint() < 0)
        {
            std::printf("start-up failed: is %s/Resources built?\n", g_programFolder.c_str());
            return 1;
        }
        const std::set<std::string> opened = watch.Opened();
        g_openedFiles.assign(opened.begin(), opened.end());
        g_openedFiles.push_back(data.Join("stavelorn/settings.dat"));
    }
    StartAndPaint();
    std::printf("start-up opens %zu files; one start: window %.2f ms, client start-up %.2f ms, "
                "first frame %.2f ms\n",
                g_openedFiles.size(), g_split[0] * 1e3, g_split[1] * 1e3, g_split[2] * 1e3);

    RatioReporter::Initialize(argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const bool measured = RatioReporter::PrintRatio("ratio (start-up to the first frame / one plain read)",
                                                    reporter.TimeOf("BM_StartUpToFirstFrame"),
                                                    reporter.TimeOf("BM_ReadEveryOpenedFile"), 20.0);

    TempFolder idleData;
    const double idle = IdleProcessorUse(idleData.GetPath());
    if (idle < 0)
        std::printf("idle processor use: not measured\n");
    else
        std::printf("idle processor use over 5 s: %.4f of one core (goal < 0.02) %s\n", idle,
                    idle < 0.02 ? "OK" : "MISSED");
    SDL_Quit();
    return measured && idle >= 0 ? 0 : 1;
}
