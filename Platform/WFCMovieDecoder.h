#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

class FCFile;
struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVIOContext;
struct AVPacket;
struct SwrContext;
struct SwsContext;

// Reads a WebM movie (VP8 or VP9 picture, Vorbis or Opus sound) from a
// program file with FFmpeg. Pictures are decoded one ahead of the one shown
// and converted to 5-6-5 only when shown; sound is decoded as it is read and
// handed to a sink in the mixer's format. Damaged input never crashes: it
// refuses the movie at Open or ends it early, and says so in the debug log.
class WFCMovieDecoder
{
public:
    // Interleaved samples as the mixer plays them: 16-bit or float.
    struct SoundFormat
    {
        int rate = 0;
        int channels = 0;
        bool isFloat = false;
    };
    using SoundSink = std::function<void(const std::uint8_t* bytes, std::size_t count)>;

    // Larger pictures are refused: a movie is at most screen-sized, and a
    // damaged header must not make us allocate for a giant.
    static constexpr int kMaxWidth = 2048;
    static constexpr int kMaxHeight = 2048;
    // A frame never starts later than this after the previous one ended, so
    // a damaged time stamp cannot hold a movie on one frame for ever.
    static constexpr std::int64_t kMaxGapMs = 5000;

    WFCMovieDecoder() = default;
    ~WFCMovieDecoder();
    WFCMovieDecoder(const WFCMovieDecoder&) = delete;
    WFCMovieDecoder& operator=(const WFCMovieDecoder&) = delete;

    // Opens the movie in file (which must stay open while this decodes) and
    // decodes its first picture. With a format and a sink its sound is
    // decoded too. False, logged and closed for anything that is not a
    // playable movie.
    bool Open(FCFile& file, const SoundFormat* format, SoundSink sink);
    void Close();
    bool IsOpen() const { return input != nullptr; }

    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    bool HasSound() const { return sound != nullptr; }

    // The decoded picture waiting to be shown, and its start and length in
    // milliseconds from the movie's start.
    bool HasFrame() const { return frameReady; }
    std::int64_t GetFrameTime() const { return frameTime; }
    std::int64_t GetFrameDuration() const { return frameDuration; }
    // Writes the waiting picture as width x height 5-6-5 pixels, rows
    // pitchBytes apart. The converter may write up to 32 pixels past the end
    // of each row, so give it rows with that much room.
    bool ConvertFrame(std::uint16_t* pixels, int pitchBytes);
    // Decodes the next picture; false when there is none (the end, or damage
    // that ends the movie).
    bool DecodeNextFrame();

    // Reads on until the sound decoded reaches untilMs, the input ends or
    // enough pictures wait in the queue.
    void ReadSoundAhead(std::int64_t untilMs);
    std::int64_t GetSoundDecodedMs() const;
    // No more sound will come before more pictures are decoded.
    bool IsSoundStalled() const;

private:
    bool OpenVideo();
    bool OpenSound(const SoundFormat& format);
    // One packet from the input; false at its end.
    bool ReadPacket();
    void DecodeSound(const AVPacket* packet);
    void ConvertSound(const AVFrame* decoded);
    void DropQueuedPackets();

    AVIOContext* io = nullptr;
    AVFormatContext* input = nullptr;
    AVCodecContext* video = nullptr;
    AVCodecContext* sound = nullptr;
    AVFrame* picture = nullptr;
    AVFrame* samples = nullptr;
    AVPacket* packet = nullptr;
    SwsContext* scaler = nullptr;
    SwrContext* resampler = nullptr;
    std::deque<AVPacket*> videoPackets;
    std::vector<std::uint8_t> soundBytes;
    SoundFormat soundFormat;
    SoundSink soundSink;
    // What the resampler was set up for; a change sets it up again.
    int resamplerRate = 0;
    int resamplerFormat = -1;
    int resamplerChannels = 0;
    int videoStream = -1;
    int soundStream = -1;
    int width = 0;
    int height = 0;
    int errors = 0;
    std::int64_t firstTimestamp = 0;
    bool haveFirstTimestamp = false;
    std::int64_t frameTime = 0;
    std::int64_t frameDuration = 0;
    std::int64_t previousEnd = 0;
    std::int64_t defaultDuration = 40;
    std::uint64_t soundSamples = 0;
    bool frameReady = false;
    bool inputDone = false;
    bool videoFlushed = false;
};
