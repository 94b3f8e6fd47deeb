#include "Ui/UIBorder.h"
#include "Ui/UIControl.h"
#include "Ui/UIFill.h"
#include "Ui/UIImage.h"
#include "Ui/UILayoutCodec.h"
#include "Ui/UIText.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCPixelConvert.h"
#include "Vel/Db/VelMemoryFile.h"
#include "support/FCTestObjects.h"
#include "support/LayoutBytes.h"
#include "support/Owned.h"
#include "support/QuietLog.h"
#include "support/ResourceFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

namespace
{
using Bytes = std::vector<std::uint8_t>;

using OwnedObject = Owned<FCObject>;

Bytes ReadFileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Resources the content layouts name: image set 10, font 1, text 5.
class Resources
{
public:
    Resources()
    {
        sandbox.WriteArt("Image.set", ImageSetFileBytes({{8, 5, 0, 0, 8, 5}}, 0x07E0));
        sandbox.WriteArt("Font.set", ImageSetFileBytes(UniformGlyphs('z', 3, 8)));
        AssetIndexBytes index;
        index.U16(FCResourceManager::kTagImageSets).ImageSet(10, "Image.set").ImageSet(11, "Font.set").U16(0);
        index.U16(FCResourceManager::kTagTexts).Text(5, "Stored text").U16(0);
        index.U16(FCResourceManager::kTagFonts).Font(1, 11, 11, 11, 11).U16(0);
        index.U16(0);
        loaded = sandbox.LoadIndex(index);
    }
    ResourceSandbox sandbox;
    bool loaded = false;
};

void ExpectElement(const UIObject& object, const UIObjectRecord& record, const std::string& where)
{
    EXPECT_EQ(object.GetId(), record.id) << where;
    EXPECT_EQ(object.GetStoredPosition(), FCPoint(record.x, record.y)) << where;
    EXPECT_EQ(object.GetSizeMode(), record.sizeMode) << where;
    EXPECT_EQ(object.GetZOrder(), record.zOrder) << where;
    EXPECT_EQ(object.GetDefaultFocus(), record.defaultFocus) << where;
    EXPECT_EQ(object.GetAlignFlags(), record.alignFlags) << where;
    EXPECT_EQ(object.GetVisibleFlag(), 1) << where;
}

void ExpectDisplayObject(const UIDisplayObject& object, const UILayoutNode& node, const std::string& where)
{
    EXPECT_EQ(object.GetClassName(), node.className) << where;
    if (const auto* plain = std::get_if<UIDisplayObjectRecord>(&node.payload))
    {
        ExpectElement(object, plain->object, where);
        EXPECT_EQ(object.GetStateMask(), plain->stateMask) << where;
    }
    else if (const auto* fill = std::get_if<UIFillRecord>(&node.payload))
    {
        ExpectElement(object, fill->base.object, where);
        EXPECT_EQ(object.GetStateMask(), fill->base.stateMask) << where;
        const auto* loaded = dynamic_cast<const UIFill*>(&object);
        ASSERT_NE(loaded, nullptr) << where;
        EXPECT_EQ(loaded->GetColour(), MakeScreenColour(fill->red, fill->green, fill->blue)) << where;
    }
    else if (const auto* image = std::get_if<UIImageRecord>(&node.payload))
    {
        ExpectElement(object, image->base.object, where);
        const auto* loaded = dynamic_cast<const UIImage*>(&object);
        ASSERT_NE(loaded, nullptr) << where;
        EXPECT_EQ(loaded->GetImageSet() != nullptr, image->imageSetId != 0) << where;
        EXPECT_EQ(loaded->GetFrame(), image->frame) << where;
    }
    else if (const auto* text = std::get_if<UITextRecord>(&node.payload))
    {
        ExpectElement(object, text->base.object, where);
        const auto* loaded = dynamic_cast<const UIText*>(&object);
        ASSERT_NE(loaded, nullptr) << where;
        if (text->content.stringId == 0)
        {
            EXPECT_EQ(loaded->GetText(), text->content.text) << where;
        }
        std::uint32_t flags = 5;
        for (std::uint16_t code : text->attributes.codes)
            flags |= UIText::FlagOfAttribute(static_cast<std::int16_t>(code));
        EXPECT_EQ(loaded->GetFormatFlags(), flags) << where;
    }
    else
        ADD_FAILURE() << where << ": unexpected payload";
}

// The loaded control against the tree the codec reads from the same bytes.
void ExpectControl(const UIControl& control, const UILayoutNode& node, const std::string& where)
{
    EXPECT_EQ(control.GetClassName(), node.className) << where;
    ExpectElement(control, std::get<UIObjectRecord>(node.payload), where);
    std::vector<const UILayoutNode*> objects;
    std::int16_t mouseOver = 0;
    for (const UILayoutNode& item : node.displayItems)
    {
        if (item.className == UILayoutCodec::kMouseOverMessage)
            mouseOver = static_cast<std::int16_t>(item.mouseOverMessage);
        else
            objects.push_back(&item);
    }
    EXPECT_EQ(control.GetMouseOverMessage(), mouseOver) << where;
    ASSERT_EQ(control.GetDisplayObjectCount(), objects.size()) << where;
    // Collections are ordered by z-order; match by id instead of position.
    for (const UILayoutNode* item : objects)
    {
        std::uint16_t id = 0;
        std::visit([&](const auto& record) {
            if constexpr (std::is_same_v<std::decay_t<decltype(record)>, UIObjectRecord>)
                id = record.id;
            else if constexpr (std::is_same_v<std::decay_t<decltype(record)>, UIDisplayObjectRecord>)
                id = record.object.id;
            else
                id = record.base.object.id;
        }, item->payload);
        const UIDisplayObject* object = control.FindDisplayObject(id);
        ASSERT_NE(object, nullptr) << where << " display object " << id;
        ExpectDisplayObject(*object, *item, where + "/" + item->className);
    }
    for (const UISoundRecord& sound : node.sounds)
        EXPECT_EQ(control.GetSound(sound.event), sound.soundId) << where << " sound " << sound.event;
    ASSERT_EQ(control.GetChildCount(), node.children.size()) << where;
    for (const UILayoutNode& child : node.children)
    {
        const std::uint16_t id = std::get<UIObjectRecord>(child.payload).id;
        const UIControl* loaded = control.FindChild(id);
        ASSERT_NE(loaded, nullptr) << where << " child " << id;
        EXPECT_EQ(loaded->GetParent(), &control) << where;
        ExpectControl(*loaded, child, where + "/" + std::to_string(id));
    }
}

// Whether every control in the tree is a plain UIControl: other classes add,
// bind or adjust parts as they load (their layouts are checked by class in
// LayoutcTest).
bool OnlyPlainControls(const UILayoutNode& node)
{
    if (node.isControl && node.className != "UIControl")
        return false;
    for (const UILayoutNode& child : node.children)
        if (!OnlyPlainControls(child))
            return false;
    return true;
}

UILayoutNode RichTree()
{
    using namespace LayoutBytes;
    UILayoutNode root = Control(Element(7, -3, 4, 300, 200));
    root.displayItems.push_back(MouseOver(40));
    root.displayItems.push_back(Fill(Element(1, 0, 0, 10, 10, 1), 0x200, 1, 2, 3));
    root.displayItems.push_back(Fill(Element(2, 1, 1, 8, 8), 0xFFF, 250, 128, 0, "UIBorder"));
    root.displayItems.push_back(Image(Element(3, 5, 5, 0, 0, 2), 0x20, 0, 3));
    root.displayItems.push_back(Text(Element(4, 0, 20, 100, 14), 0x4, "caf\xE9", 0, {0, 10, 22}));
    root.displayItems.push_back(Plain(Element(5, 0, 0, 0, 0, 2), 0xFFF, "UIMovie"));
    root.displayItems.push_back(MouseOver(41));
    root.sounds = {{170, 3}, {171, 4}, {175, 5}};
    UILayoutNode child = Control(Element(110, 10, 10, 50, 20));
    child.children.push_back(Control(Element(111, 1, 1, 5, 5)));
    child.displayItems.push_back(Plain(Element(9, 0, 0, 1, 1), 0x400, "UIDisplayObject"));
    root.children.push_back(child);
    root.children.push_back(Control(Element(112, 60, 10, 50, 20)));
    return root;
}
} // namespace

TEST(UILayoutLoadTest, ContentLayoutsLoadAsStored)
{
    Resources resources;
    ASSERT_TRUE(resources.loaded);
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(LAYOUT_BUILD_DIR))
    {
        if (entry.path().extension() != ".ui")
            continue;
        const Bytes bytes = ReadFileBytes(entry.path());
        VelMemoryFile file(bytes);
        UILayoutNode tree;
        ASSERT_TRUE(UILayoutCodec::ReadNode(file, tree)) << entry.path();
        if (!OnlyPlainControls(tree))
            continue;
        ++count;
        OwnedObject object(LayoutBytes::Load(bytes));
        const auto* control = dynamic_cast<const UIControl*>(object.get());
        ASSERT_NE(control, nullptr) << entry.path();
        ExpectControl(*control, tree, entry.path().filename().string());
    }
    EXPECT_GE(count, 7);
}

TEST(UILayoutLoadTest, TreesLoadEveryPart)
{
    UILayoutNode soundEndMinusOne = LayoutBytes::Control(UIObjectRecord{});
    soundEndMinusOne.sounds = {{171, 8}};
    soundEndMinusOne.soundEnd = -1; // the children still follow
    soundEndMinusOne.children.push_back(LayoutBytes::Control(LayoutBytes::Element(3, 0, 0, 1, 1)));
    struct Case
    {
        const char* what;
        UILayoutNode tree;
    };
    const Case cases[] = {
        {"rich", RichTree()}, // two mouse-over messages: ExpectControl wants the last
        {"bare (73 bytes)", LayoutBytes::Control(UIObjectRecord{})},
        {"sound end -1", soundEndMinusOne},
    };
    for (const Case& c : cases)
    {
        OwnedObject object(LayoutBytes::Load(LayoutBytes::Write(c.tree)));
        const auto* control = dynamic_cast<const UIControl*>(object.get());
        ASSERT_NE(control, nullptr) << c.what;
        ExpectControl(*control, c.tree, c.what);
    }
}

TEST(UILayoutLoadTest, LoadsByNameThroughTheFileSystem)
{
    ResourceSandbox sandbox;
    const Bytes bytes = LayoutBytes::Write(RichTree());
    sandbox.WriteArt("velSomething.ui", bytes);
    OwnedObject object(FCClassRegistry::LoadObjectFromFile("velSomething.ui"));
    ASSERT_NE(dynamic_cast<UIControl*>(object.get()), nullptr);
    QuietLog quiet;
    EXPECT_EQ(FCClassRegistry::LoadObjectFromFile("velAbsent.ui"), nullptr);
}

TEST(UILayoutLoadTest, BadFilesFailWholeAndLeakNothing)
{
    QuietLog quiet;
    FCCountedObject::ResetCounts();
    const int aliveBefore = FCCountedObject::Alive();
    using namespace LayoutBytes;

    // A registered object that is not a widget, with its i32 payload.
    auto foreignBytes = [](Bytes& out) {
        UILayoutCodec::Writer writer(out);
        writer.String("FCCountedObject");
        writer.I32(1);
    };
    auto sectionsEnd = [](Bytes& out) {
        UILayoutCodec::Writer writer(out);
        writer.String(UILayoutCodec::kEndDisplayObjects);
        writer.I16(0);
        writer.String(UILayoutCodec::kEndChildren);
    };

    struct Case
    {
        const char* what;
        Bytes bytes;
    };
    std::vector<Case> cases;
    {
        UILayoutNode root = Control(UIObjectRecord{}, "UINoSuchWindow");
        cases.push_back({"unknown root class", Write(root)});
    }
    {
        UILayoutNode root = Control(UIObjectRecord{});
        root.displayItems.push_back(Fill(UIObjectRecord{}, 0xFFF, 0, 0, 0, "UINoSuchFill"));
        cases.push_back({"unknown display object", Write(root)});
    }
    {
        UILayoutNode root = Control(UIObjectRecord{});
        root.children.push_back(Control(UIObjectRecord{}));
        root.children.push_back(Control(UIObjectRecord{}, "UINoSuchButton"));
        cases.push_back({"unknown child after a good one", Write(root)});
    }
    {
        UILayoutNode root = Control(UIObjectRecord{});
        root.children.push_back(Control(UIObjectRecord{}, "EndChildrenX"));
        cases.push_back({"a name that only starts with EndChildren", Write(root)});
    }
    {
        Bytes b = Write(Control(UIObjectRecord{}));
        b.resize(b.size() - 14); // drop "EndChildren"
        UILayoutCodec::Writer writer(b);
        writer.String("UIFill");
        UILayoutCodec::Write(b, UIFillRecord{});
        writer.String(UILayoutCodec::kEndChildren);
        cases.push_back({"display object as a child", b});
    }
    {
        Bytes b;
        UILayoutCodec::Writer writer(b);
        writer.String("UIControl");
        UILayoutCodec::Write(b, UIObjectRecord{});
        writer.String("UIControl"); // a control among display objects
        UILayoutCodec::Write(b, UIObjectRecord{});
        sectionsEnd(b);
        sectionsEnd(b);
        cases.push_back({"control as a display object", b});
    }
    {
        Bytes b;
        UILayoutCodec::Writer writer(b);
        writer.String("UIControl");
        UILayoutCodec::Write(b, UIObjectRecord{});
        writer.String("UIObject"); // an element that is neither
        UILayoutCodec::Write(b, UIObjectRecord{});
        sectionsEnd(b);
        cases.push_back({"plain element as a display object", b});
    }
    {
        Bytes b;
        UILayoutCodec::Writer writer(b);
        writer.String("UIControl");
        UILayoutCodec::Write(b, UIObjectRecord{});
        foreignBytes(b);
        sectionsEnd(b);
        cases.push_back({"foreign object as a display object", b});
    }
    {
        Bytes b;
        UILayoutCodec::Writer writer(b);
        writer.String("UIControl");
        UILayoutCodec::Write(b, UIObjectRecord{});
        writer.String(UILayoutCodec::kEndDisplayObjects);
        writer.I16(0);
        foreignBytes(b);
        writer.String(UILayoutCodec::kEndChildren);
        cases.push_back({"foreign object as a child", b});
    }
    const Bytes rich = Write(RichTree());
    for (std::size_t length = 0; length < rich.size(); ++length)
        cases.push_back({"truncated", Bytes(rich.begin(), rich.begin() + static_cast<std::ptrdiff_t>(length))});

    for (const Case& c : cases)
    {
        FCObject* object = LayoutBytes::Load(c.bytes);
        EXPECT_EQ(object, nullptr) << c.what << " (" << c.bytes.size() << " bytes)";
        if (object)
            object->Release();
    }
    EXPECT_EQ(FCCountedObject::Alive(), aliveBefore);
    EXPECT_EQ(FCCountedObject::Destroyed(), 2); // both foreign objects were made and let go
}

TEST(UILayoutLoadTest, DisplayObjectsDrawByStateMask)
{
    using namespace LayoutBytes;
    // Four 4 x 4 squares side by side, each drawn in different states.
    UILayoutNode root = Control(Element(1, 0, 0, 16, 4));
    root.displayItems.push_back(Fill(Element(1, 0, 0, 4, 4), 0xFFF, 0, 0, 255));    // always
    root.displayItems.push_back(Fill(Element(2, 4, 0, 4, 4), 0x200, 255, 0, 0));    // selected
    root.displayItems.push_back(Fill(Element(3, 4, 0, 4, 4), 0x001, 0, 255, 0));    // not selected
    root.displayItems.push_back(Fill(Element(4, 8, 0, 4, 4), 0x400, 255, 255, 255)); // pointer over
    root.displayItems.push_back(Fill(Element(5, 12, 0, 4, 4), 0x201, 255, 0, 255));   // 0x201 acts as 0x200
    OwnedObject object(LayoutBytes::Load(Write(root)));
    auto* control = dynamic_cast<UIControl*>(object.get());
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->GetMouseOverCount(), 1);

    const std::uint16_t blue = 0x001F, red = 0xF800, green = 0x07E0, white = 0xFFFF, magenta = 0xF81F, none = 0;
    struct Case
    {
        bool selected;
        bool over;
        std::uint16_t expected[4];
    };
    const Case cases[] = {
        {false, false, {blue, green, none, none}},
        {true, false, {blue, red, none, magenta}},
        {false, true, {blue, green, white, none}},
        {true, true, {blue, red, white, magenta}},
    };
    Owned<FCImageBuffer> target(FCImageBuffer::Create(16, 4, FCFormat565));
    for (const Case& c : cases)
    {
        control->SetSelectedFlag(c.selected ? 1 : 0);
        control->SetMouseOver(c.over ? 1 : 0);
        target->Clear(0);
        control->Draw(target.get(), FCRect(0, 0, 16, 4));
        for (int square = 0; square < 4; ++square)
            for (int y = 0; y < 4; ++y)
                for (int x = square * 4; x < square * 4 + 4; ++x)
                    ASSERT_EQ(target->GetPixel(x, y, FCFormat565), c.expected[square])
                        << "selected " << c.selected << " over " << c.over << " at " << x << ", " << y;
    }
}
