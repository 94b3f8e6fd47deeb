// Reads arbitrary bytes as an asset index, then uses what was read: texts,
// animations and fonts (whose image sets are absent, so every font measures
// and wraps with zero metrics).

#include "FuzzMemoryFile.h"

#include "Fc/Graphics/FCAnimation.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCFont.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Fc/Graphics/FCTextLayout.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);

    FCResourceManager manager;
    FuzzMemoryFile file(data, size);
    manager.ReadSections(file);

    std::vector<std::string> lines;
    // Small ids are enough for the fuzzer to reach; all 65,535 would make
    // every input slow.
    for (std::uint32_t id = 1; id <= 1024; ++id)
    {
        const auto key = static_cast<std::uint16_t>(id);
        if (const FCAnimation* animation = manager.GetAnimation(key))
        {
            if (animation->GetMsPerFrame() > 1000)
                __builtin_trap();
        }
        if (FCFont* font = manager.GetFont(key))
        {
            const std::string* text = manager.GetString(key);
            const std::string sample = text ? *text : std::string("sample text");
            lines.clear();
            WrapText(lines, sample, FCPoint(40, 30), true, *font);
            if (lines.empty())
                __builtin_trap();
            MeasureTextLine(sample, *font);
        }
    }
    manager.Purge();
    manager.Clear();
    return 0;
}
