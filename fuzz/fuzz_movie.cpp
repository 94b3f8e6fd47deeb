// Demuxes and decodes arbitrary bytes as a WebM movie through the program's
// own file source: pictures converted to 5-6-5, sound resampled for a
// 44.1 kHz stereo mixer.

#include "FuzzMemoryFile.h"

#include "Fc/Core/FCDebugLog.h"
#include "Platform/WFCMovieDecoder.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);

    FuzzMemoryFile file(data, size);
    WFCMovieDecoder decoder;
    const WFCMovieDecoder::SoundFormat mixer{44100, 2, false};
    std::size_t soundBytes = 0;
    if (!decoder.Open(file, &mixer,
                      [&soundBytes](const std::uint8_t*, std::size_t count)
                      { soundBytes += count; }))
        return 0;
    const int pitch = (decoder.GetWidth() + 63) & ~31;
    std::vector<std::uint16_t> frame(static_cast<std::size_t>(pitch) * decoder.GetHeight());
    for (int i = 0; i < 32 && decoder.HasFrame(); ++i)
    {
        decoder.ConvertFrame(frame.data(), pitch * 2);
        decoder.ReadSoundAhead(decoder.GetFrameTime() + 500);
        decoder.DecodeNextFrame();
    }
    return 0;
}
