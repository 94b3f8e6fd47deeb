#include "Fc/Devices/FCApp.h"
#include "Fc/Core/FCDebugLog.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{
class FuzzApp : public FCApp
{
public:
    std::int16_t Run() override { return 0; }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);

    const std::string line(reinterpret_cast<const char*>(data), size);
    FuzzApp app;
    app.ParseCommandLine(line.c_str());
    // Whatever the line, the window size stays one the display can be asked for.
    const auto inRange = [](std::int16_t v)
    { return v >= FCApp::kMinDimension && v <= FCApp::kMaxDimension; };
    if (!inRange(app.GetWidth()) || !inRange(app.GetHeight()) ||
        app.IsWindowed() == app.IsFullScreen())
    {
        std::abort();
    }
    return 0;
}
