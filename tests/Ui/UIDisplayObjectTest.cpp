#include "Ui/UIBorder.h"
#include "Ui/UIDisplayObject.h"
#include "Ui/UIFill.h"
#include "Ui/UIImage.h"
#include "Ui/UIMovie.h"
#include "Ui/UIText.h"

#include "Fc/Graphics/FCDirtyRectList.h"
#include "Fc/Graphics/FCDisplayPageStack.h"
#include "Fc/Graphics/FCDoubleBuffer.h"
#include "Fc/Graphics/FCFont.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCImageSet.h"
#include "Fc/Graphics/FCTextLayout.h"
#include "Vel/Db/VelMemoryFile.h"
#include "support/LayoutBytes.h"
#include "support/MemoryDisplayManager.h"
#include "support/Owned.h"
#include "support/QuietLog.h"
#include "support/ResourceFixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
constexpr std::uint16_t kBlack = 0x0000;
constexpr std::uint16_t kRed = 0xF800;
constexpr std::uint16_t kImagePixel = 0x07E0;
constexpr std::uint16_t kSetId = 10;
constexpr std::uint16_t kFontSetId = 11;
constexpr std::uint16_t kFontId = 1;
constexpr std::uint16_t kStringId = 5;

Owned<FCImageBuffer> MakeTarget()
{
    Owned<FCImageBuffer> target(FCImageBuffer::Create(40, 30, FCFormat565));
    target->Clear(kBlack);
    return target;
}

std::uint16_t PixelAt(FCImageBuffer& buffer, int x, int y)
{
    return static_cast<std::uint16_t>(buffer.GetPixel(x, y, FCFormat565));
}

// Pixels of the buffer that are not black, as a rectangle (empty when none).
FCRect PaintedArea(FCImageBuffer& buffer)
{
    FCRect area(1 << 20, 1 << 20, -1, -1);
    for (int y = 0; y < buffer.GetHeight(); ++y)
        for (int x = 0; x < buffer.GetWidth(); ++x)
            if (PixelAt(buffer, x, y) != kBlack)
            {
                area.left = std::min(area.left, x);
                area.top = std::min(area.top, y);
                area.right = std::max(area.right, x + 1);
                area.bottom = std::max(area.bottom, y + 1);
            }
    return area.IsEmpty() ? FCRect() : area;
}

template <class T>
Owned<T> LoadAs(const UILayoutNode& node)
{
    FCObject* object = LayoutBytes::Load(LayoutBytes::Write(node));
    T* typed = dynamic_cast<T*>(object);
    if (!typed && object)
        object->Release();
    return Owned<T>(typed);
}

// An image set (id 10, one 6 x 4 frame of kImagePixel inside an 8 x 5
// nominal frame at offset 1, 1), a font (id 1) and an interface text (id 5).
class Resources
{
public:
    Resources()
    {
        sandbox.WriteArt("Image.set", ImageSetFileBytes({{8, 5, 1, 1, 6, 4}}, kImagePixel));
        sandbox.WriteArt("Font.set", ImageSetFileBytes(UniformGlyphs('z', 3, 8)));
        AssetIndexBytes index;
        index.U16(FCResourceManager::kTagImageSets).ImageSet(kSetId, "Image.set").ImageSet(kFontSetId, "Font.set").U16(0);
        index.U16(FCResourceManager::kTagTexts).Text(kStringId, "From the table").U16(0);
        index.U16(FCResourceManager::kTagFonts).Font(kFontId, kFontSetId, kFontSetId, kFontSetId, kFontSetId).U16(0);
        index.U16(0);
        loaded = sandbox.LoadIndex(index);
    }

    ResourceSandbox sandbox;
    bool loaded = false;
};
} // namespace

TEST(UIDisplayObjectTest, FillDrawsItsRectangleInsideTheClip)
{
    auto target = MakeTarget();
    UIFill fill(1, kRed);
    fill.SetPositionXY(5, 6);
    fill.SetSize(10, 8);

    struct Case
    {
        FCRect clip;
        FCRect painted;
    };
    const Case cases[] = {
        {FCRect(0, 0, 40, 30), FCRect(5, 6, 15, 14)},
        {FCRect(8, 0, 12, 10), FCRect(8, 6, 12, 10)},
        {FCRect(20, 20, 30, 30), FCRect()}, // no overlap draws nothing
    };
    for (const Case& c : cases)
    {
        target->Clear(kBlack);
        fill.Draw(target.get(), c.clip);
        EXPECT_EQ(PaintedArea(*target), c.painted);
    }

    // An empty rectangle must not be taken for "the whole buffer".
    UIFill empty(2, kRed);
    target->Clear(kBlack);
    empty.Draw(target.get(), FCRect(0, 0, 40, 30));
    EXPECT_EQ(PaintedArea(*target), FCRect());

    fill.SetVisible(0);
    fill.Draw(target.get(), FCRect(0, 0, 40, 30));
    EXPECT_EQ(PaintedArea(*target), FCRect());
}

TEST(UIDisplayObjectTest, BorderDrawsAOnePixelOutline)
{
    auto target = MakeTarget();
    UIBorder border(1, kRed);
    border.SetPositionXY(2, 3);
    border.SetSize(6, 5);
    border.Draw(target.get(), FCRect(0, 0, 40, 30));
    for (int y = 3; y < 8; ++y)
        for (int x = 2; x < 8; ++x)
        {
            const bool edge = x == 2 || x == 7 || y == 3 || y == 7;
            EXPECT_EQ(PixelAt(*target, x, y), edge ? kRed : kBlack) << x << ", " << y;
        }
    EXPECT_EQ(PaintedArea(*target), FCRect(2, 3, 8, 8));
}

TEST(UIDisplayObjectTest, HitTests)
{
    UIFill fill(1, kRed);
    fill.SetPositionXY(10, 10);
    fill.SetSize(5, 5);
    UIBorder border(2, kRed);
    border.SetPositionXY(10, 10);
    border.SetSize(5, 5);
    UIText text(3, nullptr);
    text.SetPositionXY(10, 10);
    text.SetSize(5, 5);
    UIImage noImage(4, static_cast<FCImageSet*>(nullptr), 0);
    noImage.SetPositionXY(10, 10);
    noImage.SetSize(5, 5);
    UIMovie movie;
    movie.SetPositionXY(10, 10);
    movie.SetSize(5, 5);

    struct Case
    {
        UIDisplayObject* object;
        FCPoint point;
        bool hit;
    };
    const Case cases[] = {
        {&fill, {10, 10}, true},    {&fill, {14, 14}, true},   {&fill, {15, 12}, false},
        {&fill, {12, 15}, false},   {&fill, {9, 12}, false},   {&border, {12, 12}, true},
        {&text, {12, 12}, false},   {&noImage, {12, 12}, false}, {&movie, {12, 12}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.object->HitTest(c.point), c.hit) << c.object->GetClassName() << " at " << c.point.x << ", "
                                                     << c.point.y;
    fill.SetVisible(0);
    EXPECT_FALSE(fill.HitTest(FCPoint(12, 12)));
}

TEST(UIDisplayObjectTest, LoadedFillAndBorderTakeScreenColourAndThickness)
{
    using namespace LayoutBytes;
    auto fill = LoadAs<UIFill>(Fill(Element(4, 1, 2, 3, 4), 0x240, 255, 0, 0));
    ASSERT_TRUE(fill);
    EXPECT_EQ(fill->GetColour(), kRed); // 5-6-5 without display buffers
    EXPECT_EQ(fill->GetStateMask(), 0x240u);
    EXPECT_EQ(fill->GetId(), 4);
    EXPECT_EQ(fill->GetStoredPosition(), FCPoint(1, 2));

    auto border = LoadAs<UIBorder>(Fill(Element(5, 0, 0, 3, 4), 0xFFF, 0, 255, 0, "UIBorder"));
    ASSERT_TRUE(border);
    EXPECT_EQ(border->GetThickness(), 1);
    EXPECT_EQ(border->GetColour(), 0x07E0u);

    // The colour follows the back buffer's format once there is one.
    MemoryDisplayManager display(FCFormat555, 64, 64);
    auto fill555 = LoadAs<UIFill>(Fill(Element(4, 0, 0, 1, 1), 0xFFF, 255, 0, 0));
    ASSERT_TRUE(fill555);
    EXPECT_EQ(fill555->GetColour(), 0x7C00u);
}

TEST(UIDisplayObjectTest, ImageDrawsItsFrameAndSizesToIt)
{
    Resources resources;
    ASSERT_TRUE(resources.loaded);
    using namespace LayoutBytes;
    auto image = LoadAs<UIImage>(Image(Element(1, 3, 2, 30, 20, UIObject::kSizeContent), 0xFFF, kSetId, 0));
    ASSERT_TRUE(image);
    ASSERT_NE(image->GetImageSet(), nullptr);
    EXPECT_EQ(image->GetSize(), FCPoint(8, 5)); // the nominal frame, not the stored size

    auto target = MakeTarget();
    image->Draw(target.get(), FCRect(0, 0, 40, 30));
    EXPECT_EQ(PaintedArea(*target), FCRect(4, 3, 10, 7));
    EXPECT_EQ(PixelAt(*target, 4, 3), kImagePixel);

    EXPECT_TRUE(image->HitTest(FCPoint(4, 3)));
    EXPECT_FALSE(image->HitTest(FCPoint(3, 2))); // inside the nominal frame, outside the pixels

    // Image-set id 0: nothing drawn, never hit, stored size kept.
    auto none = LoadAs<UIImage>(Image(Element(2, 3, 2, 30, 20, UIObject::kSizeContent), 0xFFF, 0, 0));
    ASSERT_TRUE(none);
    EXPECT_EQ(none->GetImageSet(), nullptr);
    EXPECT_EQ(none->GetSize(), FCPoint(30, 20));
    target->Clear(kBlack);
    none->Draw(target.get(), FCRect(0, 0, 40, 30));
    EXPECT_EQ(PaintedArea(*target), FCRect());
    EXPECT_FALSE(none->HitTest(FCPoint(5, 5)));
}

TEST(UIDisplayObjectTest, ImageReferenceHoldsASetOrABuffer)
{
    Resources resources;
    ASSERT_TRUE(resources.loaded);
    FCImageSet* set = resources.sandbox.Manager().GetImageSet(kSetId);
    ASSERT_NE(set, nullptr);
    Owned<FCImageBuffer> buffer(FCImageBuffer::Create(7, 3, FCFormat565));

    UIImage image(1, set, 0);
    image.SetSizeMode(UIObject::kSizeContent);
    EXPECT_EQ(image.GetSize(), FCPoint(8, 5));

    image.SetImageBuffer(buffer.get());
    EXPECT_EQ(image.GetImageSet(), nullptr);
    EXPECT_EQ(image.GetImageBuffer(), buffer.get());
    EXPECT_EQ(image.GetSize(), FCPoint(7, 3));
    image.SetBlitFlags(0x800);
    EXPECT_EQ(image.GetSize(), FCPoint(3, 7));
    EXPECT_EQ(image.GetRect(), FCRect(0, 0, 7, 3));

    image.SetImage(set, 0);
    EXPECT_EQ(image.GetImageBuffer(), nullptr);
    EXPECT_EQ(image.GetImageSet(), set);

    // A clone shares the set; releasing the clone leaves the original's.
    Owned<UIImage> copy(static_cast<UIImage*>(image.Clone()));
    EXPECT_EQ(copy->GetImageSet(), set);
    copy.reset();
    EXPECT_EQ(image.GetImageSet(), set);
    EXPECT_EQ(image.GetSize(), FCPoint(8, 5));
}

TEST(UIDisplayObjectTest, TextAttributesSetTheirFormatFlags)
{
    struct Case
    {
        std::int16_t code;
        std::uint32_t flag;
    };
    const Case cases[] = {
        {0, 0x001},  {1, 0x002},  {2, 0x004},  {3, 0x008},  {4, 0x010}, {5, 0x020}, {10, 0x040},
        {13, 0x080}, {18, 0x100}, {21, 0x200}, {22, 0x400}, {6, 0},     {9, 0},     {11, 0},
        {12, 0},     {14, 0},     {17, 0},     {19, 0},     {20, 0},    {23, 0},    {400, 0},
    };
    std::vector<std::uint8_t> none;
    for (const Case& c : cases)
    {
        UIText text;
        text.SetFormatFlags(0);
        VelMemoryFile unused(none);
        EXPECT_EQ(text.ApplyAttribute(c.code, unused), c.flag != 0) << c.code;
        EXPECT_EQ(text.GetFormatFlags(), c.flag) << c.code;
    }
    EXPECT_EQ(UIText().GetFormatFlags(), 5u);
}

TEST(UIDisplayObjectTest, LoadedTextTakesResourcesAndAttributes)
{
    Resources resources;
    ASSERT_TRUE(resources.loaded);
    using namespace LayoutBytes;

    auto inlineText = LoadAs<UIText>(Text(Element(1, 0, 0, 30, 10), 0xFFF, "Abc", kFontId, {10, 13}));
    ASSERT_TRUE(inlineText);
    EXPECT_EQ(inlineText->GetText(), "Abc");
    EXPECT_EQ(inlineText->GetFont(), resources.sandbox.Manager().GetFont(kFontId));
    EXPECT_EQ(inlineText->GetFormatFlags(), 5u | 0x040u | 0x080u);

    auto fromTable = LoadAs<UIText>(Text(Element(2, 0, 0, 30, 10), 0xFFF, "ignored", kFontId, {}, kStringId));
    ASSERT_TRUE(fromTable);
    EXPECT_EQ(fromTable->GetText(), "From the table");

    auto missing = LoadAs<UIText>(Text(Element(3, 0, 0, 30, 10), 0xFFF, "ignored", 99, {}, 77));
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->GetText(), "");
    EXPECT_EQ(missing->GetFont(), nullptr);

    // Size mode 2 measures the text as one line.
    inlineText->SetSizeMode(UIObject::kSizeContent);
    EXPECT_EQ(inlineText->GetSize(), MeasureTextLine("Abc", *inlineText->GetFont()));
    EXPECT_GT(inlineText->GetSize().x, 0);
}

TEST(UIDisplayObjectTest, TextDrawsOnlyWhereItOverlapsTheClip)
{
    Resources resources;
    ASSERT_TRUE(resources.loaded);
    UIText text(1, resources.sandbox.Manager().GetFont(kFontId));
    text.SetText("AB");
    text.SetPositionXY(2, 2);
    text.SetSize(30, 10);
    auto target = MakeTarget();
    text.Draw(target.get(), FCRect(0, 0, 40, 30));
    const FCRect painted = PaintedArea(*target);
    EXPECT_FALSE(painted.IsEmpty());
    EXPECT_GE(painted.left, 2);
    EXPECT_GE(painted.top, 2);

    target->Clear(kBlack);
    text.Draw(target.get(), FCRect(0, 20, 40, 30));
    EXPECT_EQ(PaintedArea(*target), FCRect());
}

TEST(UIDisplayObjectTest, HiddenDisplayObjectStillReportsItsArea)
{
    MemoryDisplayManager display(FCFormat565, 100, 100);
    FCDoubleBuffer* page = FCDisplayPageStack::GetCurrent();
    ASSERT_NE(page, nullptr);
    const std::size_t before = page->GetFirst()->GetCount();
    UIFill fill(1, kRed);
    fill.SetPositionXY(70, 70);
    fill.SetSize(4, 4);
    fill.SetVisible(0);
    fill.Invalidate();
    ASSERT_EQ(page->GetFirst()->GetCount(), before + 1);
    EXPECT_EQ(page->GetFirst()->GetRects().back(), FCRect(70, 70, 74, 74));
}
