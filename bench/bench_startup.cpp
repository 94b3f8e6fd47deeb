// Start-up of the program with SDL's dummy drivers, from the devices to the
// first painted frame of the start menu, against one plain read of every file
// that start-up opens (found with inotify during a warm-up start), in the same
// run. Then, when an X display is at hand (bench/startup_xvfb.sh runs this
// under a virtual X server), the real program's wall time from its launch to
// the first painted start menu on the screen; and the idle processor use of
// the real program over five seconds.

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFileSystem.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Platform/WFCSystem.h"
#include "RatioReporter.h"
#include "Vel/App/VelApp.h"
#include "Vel/App/VelClient.h"
#include "support/TempFolder.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <benchmark/benchmark.h>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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
// The real program in a window, its own files in dataFolder, its output
// thrown away; with a video driver other than the one this process set. The
// process id, or -1.
pid_t LaunchProgram(const std::string& dataFolder, const char* videoDriver)
{
    const std::string program = g_programFolder + "/stavelorn";
    const pid_t child = ::fork();
    if (child == 0)
    {
        if (videoDriver)
            ::setenv("SDL_VIDEODRIVER", videoDriver, 1);
        ::setenv("XDG_DATA_HOME", dataFolder.c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", dataFolder.c_str(), 1);
        const int devNull = ::open("/dev/null", O_WRONLY);
        ::dup2(devNull, 1);
        ::dup2(devNull, 2);
        ::execl(program.c_str(), program.c_str(), "-win", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return child;
}

double IdleProcessorUse(const std::string& dataFolder)
{
    const pid_t child = LaunchProgram(dataFolder, nullptr);
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
// The real program on the X display DISPLAY names: its window's contents are
// read back one pixel at a time until the start menu shows. What the start
// menu paints where (content/ui/velStartMenu.yaml, STYLE.md): the title in
// gold, a button's leather face.
struct Sample
{
    int x, y;
    std::uint32_t rgb;
};
constexpr Sample kMenuSamples[] = {{296, 108, 0xe0b864}, {300, 270, 0x3b2c20}};
constexpr int kTolerance = 24;

// Reading a window that is not mapped yet is an X error, which by default
// ends the process: here it only means "not yet".
int IgnoreXError(Display*, XErrorEvent*)
{
    return 0;
}

Window FindWindowNamed(Display* display, const char* name)
{
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 0;
    for (unsigned int i = 0; i < count && !found; ++i)
    {
        char* title = nullptr;
        if (XFetchName(display, children[i], &title) && title)
        {
            if (std::string(title) == name)
                found = children[i];
            XFree(title);
        }
    }
    if (children)
        XFree(children);
    return found;
}

bool ShowsTheMenu(Display* display, Window window)
{
    for (const Sample& sample : kMenuSamples)
    {
        XImage* image = XGetImage(display, window, sample.x, sample.y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return false;
        const unsigned long pixel = XGetPixel(image, 0, 0);
        const unsigned long masks[] = {image->red_mask, image->green_mask, image->blue_mask};
        XDestroyImage(image);
        for (int channel = 0; channel < 3; ++channel)
        {
            const unsigned long mask = masks[channel];
            if (mask == 0)
                return false;
            const int shift = __builtin_ctzl(mask);
            const int value = static_cast<int>((pixel & mask) >> shift);
            const int wanted = static_cast<int>((sample.rgb >> (16 - 8 * channel)) & 0xFF);
            if (std::abs(value - wanted) > kTolerance)
                return false;
        }
    }
    return true;
}

// Seconds from the program's launch to its first painted start menu, or a
// negative value when it did not show within 20 s.
double LaunchToFirstMenuFrame(Display* display, const std::string& dataFolder)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = LaunchProgram(dataFolder, "x11");
    if (child < 0)
        return -1;
    double seconds = -1;
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(20))
    {
        // Looked for every time: SDL may replace its first window when it
        // settles on a renderer.
        const Window window = FindWindowNamed(display, "Stavelorn");
        if (window && ShowsTheMenu(display, window))
        {
            seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            break;
        }
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    return seconds;
}

// The median of several launches on the display DISPLAY names; negative
// when there is no display or the program never showed its menu.
double MedianLaunchToFirstMenuFrame(int launches)
{
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name)
        return -1;
    Display* display = XOpenDisplay(name);
    if (!display)
        return -1;
    XSetErrorHandler(IgnoreXError);
    std::vector<double> times;
    for (int i = 0; i < launches; ++i)
    {
        TempFolder data;
        data.WriteFile("stavelorn/settings.dat", std::vector<std::uint8_t>{1, 0, 6, 0, 0, 0});
        const double seconds = LaunchToFirstMenuFrame(display, data.GetPath());
        if (seconds < 0)
        {
            times.clear();
            break;
        }
        times.push_back(seconds);
    }
    XCloseDisplay(display);
    if (times.empty())
        return -1;
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
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
    // Windowed, as the real program is launched below.
    app.ParseCommandLine("bench_startup -win");

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

    // The in-process start above runs on SDL's dummy video; this is the
    // real program on a real (virtual) screen, window and all.
    const double launched = MedianLaunchToFirstMenuFrame(5);
    if (launched < 0)
        std::printf("real program, launch to the first painted start menu: not measured "
                    "(no X display; run bench/startup_xvfb.sh)\n");
    else
        std::printf("real program, launch to the first painted start menu (X display, median of 5): %.1f ms\n",
                    launched * 1e3);

    // At the start menu, not in the intro a first run plays.
    TempFolder idleData;
    idleData.WriteFile("stavelorn/settings.dat", std::vector<std::uint8_t>{1, 0, 6, 0, 0, 0});
    const double idle = IdleProcessorUse(idleData.GetPath());
    if (idle < 0)
        std::printf("idle processor use: not measured\n");
    else
        std::printf("idle processor use over 5 s: %.4f of one core (goal < 0.02) %s\n", idle,
                    idle < 0.02 ? "OK" : "MISSED");
    SDL_Quit();
    return measured && idle >= 0 ? 0 : 1;
}
