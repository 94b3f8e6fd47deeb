// Playing our intro movie: every frame of it decoded, converted to 5-6-5 and
// copied to an 800 x 600 screen by the movie player, against the FFmpeg
// libraries decoding the same frames and nothing else, on one thread, in the
// same run. What the player adds to the decoder's own work is the ratio. The
// movie is the one the build renders into Resources/Movies/ beside this
// program's folder.

#include "RatioReporter.h"

#include "Fc/Core/FCClock.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFileSystem.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Platform/WFCMoviePlayerBink.h"

#include <benchmark/benchmark.h>

extern "C"
{
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <cstdio>
#include <filesystem>
#include <string>

namespace
{
constexpr const char* kMovie = "fluid.webm";
// The intro's frame length: one frame comes due per step of the clock.
constexpr std::uint32_t kFrameMs = 40;

std::string g_moviePath;
WFCMoviePlayerBink* g_player = nullptr;
FCImageBuffer* g_screen = nullptr;

class StepClock : public FCClock
{
public:
    std::uint32_t GetMilliseconds() override { return now; }
    std::uint32_t now = 0;
};
StepClock* g_clock = nullptr;

// The whole movie through the player as the program shows it; the frames shown.
int PlayThroughPlayer()
{
    g_player->Open(kMovie, nullptr, false);
    int frames = 0;
    while (!g_player->IsAtEnd())
    {
        g_clock->now += kFrameMs;
        g_player->NextFrame();
        if (!g_player->DoFrameIfDue())
            continue;
        g_player->CopyFrame(g_screen);
        ++frames;
    }
    benchmark::ClobberMemory();
    g_player->Close();
    return frames;
}

// The whole movie through FFmpeg alone: demuxed and its pictures decoded on
// one thread, nothing converted or copied. The frames decoded, or -1.
int DecodeWithFFmpeg()
{
    AVFormatContext* input = nullptr;
    if (avformat_open_input(&input, g_moviePath.c_str(), nullptr, nullptr) < 0)
        return -1;
    int frames = -1;
    const AVCodec* codec = nullptr;
    const int stream = avformat_find_stream_info(input, nullptr) >= 0
                           ? av_find_best_stream(input, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0)
                           : -1;
    AVCodecContext* video = stream >= 0 ? avcodec_alloc_context3(codec) : nullptr;
    AVPacket* packet = av_packet_alloc();
    AVFrame* picture = av_frame_alloc();
    if (video && avcodec_parameters_to_context(video, input->streams[stream]->codecpar) >= 0)
    {
        video->thread_count = 1;
        if (avcodec_open2(video, codec, nullptr) >= 0)
        {
            frames = 0;
            auto drain = [&]
            {
                while (avcodec_receive_frame(video, picture) == 0)
                {
                    ++frames;
                    av_frame_unref(picture);
                }
            };
            while (av_read_frame(input, packet) >= 0)
            {
                if (packet->stream_index == stream && avcodec_send_packet(video, packet) >= 0)
                    drain();
                av_packet_unref(packet);
            }
            avcodec_send_packet(video, nullptr);
            drain();
        }
    }
    av_frame_free(&picture);
    av_packet_free(&packet);
    avcodec_free_context(&video);
    avformat_close_input(&input);
    return frames;
}

void BM_FFmpegDecodeOnly(benchmark::State& state)
{
    int frames = 0;
    for (auto _ : state)
        frames = DecodeWithFFmpeg();
    state.counters["frames"] = frames;
}

void BM_PlayerDecodeConvertCopy(benchmark::State& state)
{
    int frames = 0;
    for (auto _ : state)
        frames = PlayThroughPlayer();
    state.counters["frames"] = frames;
}
} // namespace

BENCHMARK(BM_FFmpegDecodeOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlayerDecodeConvertCopy)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    RatioReporter::Initialize(argc, argv);
    int result = 0;
    {
        const std::filesystem::path resources =
            std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "Resources";
        g_moviePath = (resources / "Movies" / kMovie).string();
        FCFileSystem files;
        files.SetRootPath(resources.string());
        StepClock clock;
        g_clock = &clock;
        FCClock::SetInstance(&clock);
        WFCMoviePlayerBink movies;
        g_player = &movies;
        g_screen = FCImageBuffer::Create(800, 600, FCFormat565);
        // Both sides must see the same frames, all of them.
        const int decoded = DecodeWithFFmpeg();
        const int shown = PlayThroughPlayer();
        if (decoded <= 0 || shown != decoded)
        {
            std::printf("%s: FFmpeg decodes %d frames, the player shows %d\n", g_moviePath.c_str(), decoded,
                        shown);
            result = 1;
        }
        else
        {
            std::printf("%s: %d frames of 800 x 600\n", g_moviePath.c_str(), decoded);
            RatioReporter reporter;
            benchmark::RunSpecifiedBenchmarks(&reporter);
            const bool measured = RatioReporter::PrintRatio(
                "movie frames decoded, converted and copied by the player / decoded by FFmpeg alone",
                reporter.TimeOf("BM_PlayerDecodeConvertCopy"), reporter.TimeOf("BM_FFmpegDecodeOnly"), 1.5);
            result = measured ? 0 : 1;
        }
        g_screen->Release();
        FCClock::SetInstance(nullptr);
    }
    benchmark::Shutdown();
    FCDebugLog::SetInstance(nullptr);
    return result;
}
