#include "Platform/WFCImageBufferX.h"

#include "Fc/Graphics/FCSurfaceBlitFlags.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
struct Released
{
    void operator()(FCImageBuffer* buffer) const { buffer->Release(); }
};
using Surface = std::unique_ptr<WFCImageBufferX, Released>;

// A 4 x 2 source with pixels 1..8 row by row, key 2.
Surface MakeSource()
{
    Surface source(WFCImageBufferX::Create(4, 2));
    for (std::int32_t i = 0; i < 8; ++i)
        source->SetPixel(i % 4, i / 4, static_cast<std::uint32_t>(i + 1));
    source->SetColourKey(2);
    return source;
}

// The target's rows as text, pixels in hex.
std::string Rows(FCImageBuffer& target)
{
    std::string text;
    for (std::int32_t y = 0; y < target.GetHeight(); ++y)
    {
        for (std::int32_t x = 0; x < target.GetWidth(); ++x)
            text += "0123456789ABCDEF"[target.GetPixel(x, y, target.GetFormat()) & 0xF];
        text += '|';
    }
    return text;
}

TEST(WFCImageBufferX, BlitFlagsKeyAndMirror)
{
    struct Row
    {
        FCPoint at;
        std::uint32_t flags;
        bool fast;
        const char* expected;
    };
    const Row rows[] = {
        {{0, 0}, kSurfaceBlitNone, false, "12340|56780|00000|"},
        {{1, 0}, kSurfaceBlitSourceKey, false, "01034|05678|00000|"},
        {{0, 1}, kSurfaceBlitMirrorUpDown, false, "00000|56780|12340|"},
        // Left-right mirroring drops the key.
        {{0, 0}, kSurfaceBlitMirrorLeftRight | kSurfaceBlitSourceKey, false, "43210|87650|00000|"},
        // Cut at an edge: the part past it is lost from the far end.
        {{2, 0}, kSurfaceBlitMirrorLeftRight, false, "00432|00876|00000|"},
        {{-2, 0}, kSurfaceBlitMirrorLeftRight, false, "21000|65000|00000|"},
        {{0, 0}, kSurfaceBlitMirrorUpDown | kSurfaceBlitSourceKey, true, "10340|56780|00000|"},
    };
    Surface source = MakeSource();
    for (const Row& r : rows)
    {
        Surface target(WFCImageBufferX::Create(5, 3));
        target->Clear(0);
        const bool done = r.fast ? target->BlitFast(r.at, source.get(), source->GetBounds(), r.flags)
                                 : target->Blit(r.at, source.get(), source->GetBounds(), r.flags);
        EXPECT_TRUE(done);
        EXPECT_EQ(Rows(*target), r.expected) << r.flags << " at " << r.at.x;
    }
}

TEST(WFCImageBufferX, OnlySurfacesAreSources)
{
    Surface target(WFCImageBufferX::Create(4, 4));
    EXPECT_EQ(target->GetKind(), 1);
    FCImageBuffer* memory = FCImageBuffer::Create(4, 4, FCFormat565);
    EXPECT_FALSE(target->Blit(FCPoint(0, 0), memory, memory->GetBounds(), 0));
    EXPECT_FALSE(target->BlitFast(FCPoint(0, 0), memory, memory->GetBounds(), 0));
    memory->Release();
}

TEST(WFCImageBufferX, MirroredCopyWithinOneSurface)
{
    Surface surface = MakeSource();
    EXPECT_TRUE(surface->Blit(FCPoint(0, 0), surface.get(), surface->GetBounds(),
                              kSurfaceBlitMirrorLeftRight));
    EXPECT_EQ(Rows(*surface), "4321|8765|");
}

TEST(WFCImageBufferX, RefusedSizeGivesNoSurface)
{
    QuietLog quiet;
    EXPECT_EQ(WFCImageBufferX::Create(-1, 5), nullptr);
}
} // namespace
