#include "Platform/WFCMovieDecoder.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"

extern "C"
{
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/imgutils.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <mutex>

namespace
{
constexpr int kIoBufferBytes = 32 * 1024;
// Pictures read ahead of the one shown while sound is being fetched.
constexpr std::size_t kMaxQueuedPackets = 64;
// Decoding failures tolerated before a movie counts as ended.
constexpr int kMaxErrors = 16;
constexpr int kMaxChannels = 8;
constexpr int kMaxSampleRate = 192000;
// Keeps time stamps of damaged files far from the ends of the 64-bit range.
constexpr std::int64_t kTimeLimit = std::int64_t{1} << 50;

std::string ErrorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

int ReadFile(void* opaque, std::uint8_t* buffer, int size)
{
    if (size <= 0)
        return AVERROR_EOF;
    const std::uint32_t got =
        static_cast<FCFile*>(opaque)->ReadSome(buffer, static_cast<std::uint32_t>(size));
    return got == 0 ? AVERROR_EOF : static_cast<int>(got);
}

std::int64_t SeekFile(void* opaque, std::int64_t offset, int whence)
{
    FCFile& file = *static_cast<FCFile*>(opaque);
    whence &= ~AVSEEK_FORCE;
    if (whence == AVSEEK_SIZE)
        return file.GetSize();
    std::int64_t target = 0;
    if (whence == SEEK_SET)
        target = offset;
    else if (whence == SEEK_CUR)
        target = std::int64_t{file.Tell()} + offset;
    else if (whence == SEEK_END)
        target = std::int64_t{file.GetSize()} + offset;
    else
        return AVERROR(EINVAL);
    if (target < 0 || target >= FCFile::kInvalidPosition)
        return AVERROR(EINVAL);
    const std::uint32_t at = file.Seek(
        static_cast<std::int32_t>(static_cast<std::uint32_t>(target)), FCFile::kFromStart);
    return at == FCFile::kInvalidPosition ? AVERROR(EIO) : std::int64_t{at};
}

std::int64_t ToMilliseconds(std::int64_t value, AVRational base)
{
    const std::int64_t ms = av_rescale_q(value, base, AVRational{1, 1000});
    return std::clamp(ms, -kTimeLimit, kTimeLimit);
}

std::int64_t DurationOf(const AVFrame* frame)
{
#if LIBAVUTIL_VERSION_INT >= AV_VERSION_INT(58, 2, 100)
    return frame->duration;
#else
    return frame->pkt_duration;
#endif
}

void QuietLibraries()
{
    // FFmpeg would print to standard error; our own messages go to the log.
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}
} // namespace

WFCMovieDecoder::~WFCMovieDecoder()
{
    Close();
}

void WFCMovieDecoder::DropQueuedPackets()
{
    for (AVPacket* queued : videoPackets)
        av_packet_free(&queued);
    videoPackets.clear();
}

void WFCMovieDecoder::Close()
{
    DropQueuedPackets();
    sws_freeContext(scaler);
    scaler = nullptr;
    swr_free(&resampler);
    av_frame_free(&picture);
    av_frame_free(&samples);
    av_packet_free(&packet);
    avcodec_free_context(&video);
    avcodec_free_context(&sound);
    avformat_close_input(&input);
    if (io)
    {
        // The library may have replaced the buffer we gave it.
        av_freep(&io->buffer);
        avio_context_free(&io);
    }
    soundSink = nullptr;
    soundBytes.clear();
    resamplerRate = 0;
    resamplerFormat = -1;
    resamplerChannels = 0;
    videoStream = -1;
    soundStream = -1;
    width = 0;
    height = 0;
    errors = 0;
    haveFirstTimestamp = false;
    firstTimestamp = 0;
    frameTime = 0;
    frameDuration = 0;
    previousEnd = 0;
    defaultDuration = 40;
    soundSamples = 0;
    frameReady = false;
    inputDone = false;
    videoFlushed = false;
}

bool WFCMovieDecoder::Open(FCFile& file, const SoundFormat* format, SoundSink sink)
{
    Close();
    QuietLibraries();
    auto* buffer = static_cast<std::uint8_t*>(av_malloc(kIoBufferBytes));
    io = buffer
             ? avio_alloc_context(buffer, kIoBufferBytes, 0, &file, &ReadFile, nullptr, &SeekFile)
             : nullptr;
    if (!io)
    {
        av_free(buffer);
        FC_LOG("Movie refused: out of memory\n");
        return false;
    }
    AVFormatContext* opening = avformat_alloc_context();
    if (!opening)
    {
        Close();
        return false;
    }
    opening->pb = io;
    opening->flags |= AVFMT_FLAG_CUSTOM_IO;
    // Only the containers and codecs our movies use are ever parsed.
    AVDictionary* options = nullptr;
    av_dict_set(&options, "format_whitelist", "matroska,webm", 0);
    av_dict_set(&options, "codec_whitelist", "vp8,vp9,vorbis,opus", 0);
    const int opened =
        avformat_open_input(&opening, nullptr, av_find_input_format("webm"), &options);
    av_dict_free(&options);
    if (opened < 0)
    {
        FC_LOG("Movie refused: %s\n", ErrorText(opened).c_str());
        Close();
        return false;
    }
    input = opening;
    if (!OpenVideo())
    {
        Close();
        return false;
    }
    if (format && sink && OpenSound(*format))
        soundSink = std::move(sink);
    for (unsigned i = 0; i < input->nb_streams; ++i)
    {
        if (static_cast<int>(i) != videoStream && static_cast<int>(i) != soundStream)
            input->streams[i]->discard = AVDISCARD_ALL;
    }
    picture = av_frame_alloc();
    samples = av_frame_alloc();
    packet = av_packet_alloc();
    if (!picture || !samples || !packet || !DecodeNextFrame())
    {
        FC_LOG("Movie refused: no picture could be decoded\n");
        Close();
        return false;
    }
    return true;
}

bool WFCMovieDecoder::OpenVideo()
{
    videoStream = av_find_best_stream(input, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (videoStream < 0)
    {
        FC_LOG("Movie refused: no picture stream\n");
        return false;
    }
    const AVStream* stream = input->streams[videoStream];
    const AVCodecParameters* parameters = stream->codecpar;
    if (parameters->codec_id != AV_CODEC_ID_VP8 && parameters->codec_id != AV_CODEC_ID_VP9)
    {
        FC_LOG("Movie refused: pictures are not VP8 or VP9\n");
        return false;
    }
    if (parameters->width < 0 || parameters->height < 0 || parameters->width > kMaxWidth ||
        parameters->height > kMaxHeight)
    {
        FC_LOG("Movie refused: pictures of %d x %d\n", parameters->width, parameters->height);
        return false;
    }
    const AVCodec* codec = avcodec_find_decoder(parameters->codec_id);
    video = codec ? avcodec_alloc_context3(codec) : nullptr;
    if (!video || avcodec_parameters_to_context(video, parameters) < 0)
        return false;
    video->pkt_timebase = stream->time_base;
    video->thread_count = 1;
    // The bitstream may claim a larger size than the container: never decode it.
    video->max_pixels = static_cast<std::int64_t>(kMaxWidth) * kMaxHeight;
    const int opened = avcodec_open2(video, codec, nullptr);
    if (opened < 0)
    {
        FC_LOG("Movie refused: picture decoder: %s\n", ErrorText(opened).c_str());
        return false;
    }
    const AVRational rate = stream->avg_frame_rate;
    if (rate.num > 0 && rate.den > 0)
        defaultDuration = std::clamp<std::int64_t>(av_rescale(1000, rate.den, rate.num), 1, 1000);
    return true;
}

bool WFCMovieDecoder::OpenSound(const SoundFormat& format)
{
    if (format.rate <= 0 || format.rate > kMaxSampleRate || format.channels <= 0 ||
        format.channels > kMaxChannels)
        return false;
    soundStream = av_find_best_stream(input, AVMEDIA_TYPE_AUDIO, -1, videoStream, nullptr, 0);
    if (soundStream < 0)
        return false;
    const AVStream* stream = input->streams[soundStream];
    const AVCodecParameters* parameters = stream->codecpar;
    const AVCodec* codec =
        (parameters->codec_id == AV_CODEC_ID_VORBIS || parameters->codec_id == AV_CODEC_ID_OPUS)
            ? avcodec_find_decoder(parameters->codec_id)
            : nullptr;
    sound = codec ? avcodec_alloc_context3(codec) : nullptr;
    int opened = AVERROR_DECODER_NOT_FOUND;
    if (sound && avcodec_parameters_to_context(sound, parameters) >= 0)
    {
        sound->pkt_timebase = stream->time_base;
        opened = avcodec_open2(sound, codec, nullptr);
    }
    if (opened < 0)
    {
        // The movie plays without its sound.
        FC_LOG("Movie sound not played: %s\n", ErrorText(opened).c_str());
        avcodec_free_context(&sound);
        soundStream = -1;
        return false;
    }
    soundFormat = format;
    return true;
}

bool WFCMovieDecoder::ReadPacket()
{
    if (inputDone)
        return false;
    const int read = av_read_frame(input, packet);
    if (read < 0)
    {
        // The end, or damage we cannot read past: either way the input is over.
        if (read != AVERROR_EOF)
            FC_LOG("Movie input ends early: %s\n", ErrorText(read).c_str());
        inputDone = true;
        if (sound)
            DecodeSound(nullptr);
        return false;
    }
    if (packet->stream_index == videoStream)
    {
        AVPacket* queued = av_packet_alloc();
        if (queued)
        {
            av_packet_move_ref(queued, packet);
            videoPackets.push_back(queued);
        }
    }
    else if (sound && packet->stream_index == soundStream)
    {
        DecodeSound(packet);
    }
    av_packet_unref(packet);
    return true;
}

bool WFCMovieDecoder::DecodeNextFrame()
{
    frameReady = false;
    if (!video)
        return false;
    for (;;)
    {
        const int received = avcodec_receive_frame(video, picture);
        if (received == 0)
        {
            if (picture->width <= 0 || picture->height <= 0 || picture->width > kMaxWidth ||
                picture->height > kMaxHeight)
            {
                av_frame_unref(picture);
                if (++errors > kMaxErrors)
                    return false;
                continue;
            }
            if (width == 0)
            {
                // The first picture sets the movie's size; later ones of
                // another size are scaled to it.
                width = picture->width;
                height = picture->height;
            }
            std::int64_t start = previousEnd;
            const std::int64_t stamp = picture->best_effort_timestamp;
            if (stamp != AV_NOPTS_VALUE)
            {
                const std::int64_t ms = ToMilliseconds(stamp, video->pkt_timebase);
                if (!haveFirstTimestamp)
                {
                    firstTimestamp = ms;
                    haveFirstTimestamp = true;
                }
                start = ms - firstTimestamp;
            }
            std::int64_t length = ToMilliseconds(DurationOf(picture), video->pkt_timebase);
            if (length <= 0 || length > kMaxGapMs)
                length = defaultDuration;
            frameTime = std::clamp(start, frameTime, previousEnd + kMaxGapMs);
            frameDuration = length;
            previousEnd = frameTime + length;
            frameReady = true;
            return true;
        }
        if (received == AVERROR_EOF)
            return false;
        if (received != AVERROR(EAGAIN) && ++errors > kMaxErrors)
            return false;
        if (videoPackets.empty())
        {
            if (ReadPacket())
                continue;
            if (videoFlushed)
                return false;
            // Out of input: the decoder gives up the pictures it still holds.
            avcodec_send_packet(video, nullptr);
            videoFlushed = true;
            continue;
        }
        AVPacket* next = videoPackets.front();
        videoPackets.pop_front();
        const int sent = avcodec_send_packet(video, next);
        av_packet_free(&next);
        if (sent < 0 && sent != AVERROR(EAGAIN))
        {
            FC_LOG("Movie picture damaged: %s\n", ErrorText(sent).c_str());
            if (++errors > kMaxErrors)
                return false;
        }
    }
}

bool WFCMovieDecoder::ConvertFrame(std::uint16_t* pixels, int pitchBytes)
{
    if (!frameReady || !pixels)
        return false;
    scaler = sws_getCachedContext(scaler, picture->width, picture->height,
                                  static_cast<AVPixelFormat>(picture->format), width, height,
                                  AV_PIX_FMT_RGB565, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!scaler)
    {
        FC_LOG("Movie picture cannot be converted\n");
        return false;
    }
    std::uint8_t* planes[4] = {reinterpret_cast<std::uint8_t*>(pixels), nullptr, nullptr, nullptr};
    const int pitches[4] = {pitchBytes, 0, 0, 0};
    return sws_scale(scaler, picture->data, picture->linesize, 0, picture->height, planes,
                     pitches) > 0;
}

void WFCMovieDecoder::ReadSoundAhead(std::int64_t untilMs)
{
    while (sound && !inputDone && videoPackets.size() < kMaxQueuedPackets &&
           GetSoundDecodedMs() < untilMs)
        ReadPacket();
}

std::int64_t WFCMovieDecoder::GetSoundDecodedMs() const
{
    return soundFormat.rate > 0 ? static_cast<std::int64_t>(soundSamples * 1000 / soundFormat.rate)
                                : 0;
}

bool WFCMovieDecoder::IsSoundStalled() const
{
    return !sound || inputDone || videoPackets.size() >= kMaxQueuedPackets;
}

void WFCMovieDecoder::DecodeSound(const AVPacket* soundPacket)
{
    if (avcodec_send_packet(sound, soundPacket) < 0)
        return;
    while (avcodec_receive_frame(sound, samples) == 0)
    {
        ConvertSound(samples);
        av_frame_unref(samples);
    }
}

void WFCMovieDecoder::ConvertSound(const AVFrame* decoded)
{
    const int channels = decoded->ch_layout.nb_channels;
    if (channels <= 0 || channels > kMaxChannels || decoded->sample_rate <= 0 ||
        decoded->sample_rate > kMaxSampleRate || decoded->nb_samples <= 0)
        return;
    if (!resampler || resamplerRate != decoded->sample_rate || resamplerFormat != decoded->format ||
        resamplerChannels != channels)
    {
        swr_free(&resampler);
        AVChannelLayout in{};
        if (decoded->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
            av_channel_layout_default(&in, channels);
        else if (av_channel_layout_copy(&in, &decoded->ch_layout) < 0)
            return;
        AVChannelLayout out{};
        av_channel_layout_default(&out, soundFormat.channels);
        const int made = swr_alloc_set_opts2(
            &resampler, &out, soundFormat.isFloat ? AV_SAMPLE_FMT_FLT : AV_SAMPLE_FMT_S16,
            soundFormat.rate, &in, static_cast<AVSampleFormat>(decoded->format),
            decoded->sample_rate, 0, nullptr);
        av_channel_layout_uninit(&in);
        av_channel_layout_uninit(&out);
        if (made < 0 || swr_init(resampler) < 0)
        {
            swr_free(&resampler);
            return;
        }
        resamplerRate = decoded->sample_rate;
        resamplerFormat = decoded->format;
        resamplerChannels = channels;
    }
    const int room = swr_get_out_samples(resampler, decoded->nb_samples);
    if (room <= 0)
        return;
    const std::size_t frameBytes =
        static_cast<std::size_t>(soundFormat.channels) * (soundFormat.isFloat ? 4 : 2);
    soundBytes.resize(static_cast<std::size_t>(room) * frameBytes);
    std::uint8_t* out = soundBytes.data();
    const int got =
        swr_convert(resampler, &out, room, const_cast<const std::uint8_t**>(decoded->extended_data),
                    decoded->nb_samples);
    if (got <= 0)
        return;
    soundSamples += static_cast<std::uint64_t>(got);
    if (soundSink)
        soundSink(soundBytes.data(), static_cast<std::size_t>(got) * frameBytes);
}
