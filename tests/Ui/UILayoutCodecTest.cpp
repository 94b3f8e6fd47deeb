#include "Ui/UILayoutCodec.h"

#include "Fc/Core/FCBytes.h"
#include "Vel/Db/VelMemoryFile.h"
#include "support/LayoutBytes.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<std::uint8_t>;

void PutString(Bytes& out, const std::string& text, int extraCount = 0)
{
    const std::uint16_t count = static_cast<std::uint16_t>(text.size() + 1 + extraCount);
    out.push_back(static_cast<std::uint8_t>(count));
    out.push_back(static_cast<std::uint8_t>(count >> 8));
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
    out.insert(out.end(), static_cast<std::size_t>(extraCount), 0);
}

void PutI16(Bytes& out, std::int16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(value) >> 8));
}

// The start of a control by hand: class name and a default element record.
void PutControlHead(Bytes& out, const std::string& className = "UIControl")
{
    PutString(out, className);
    UILayoutCodec::Write(out, UIObjectRecord{});
}

bool ReadTree(const Bytes& bytes, UILayoutNode& node)
{
    VelMemoryFile file(bytes);
    return UILayoutCodec::ReadNode(file, node);
}

// Records what the section walk hands over; display objects are plain ones.
class RecordingSink : public UILayoutCodec::SectionSink
{
public:
    bool OnDisplayObject(const std::string& className, FCFile& file) override
    {
        calls.push_back("display " + className);
        UIDisplayObjectRecord record;
        return className == "UIDisplayObject" && UILayoutCodec::Read(file, record);
    }
    void OnMouseOverMessage(std::uint16_t message) override { calls.push_back("over " + std::to_string(message)); }
    void OnSound(std::int16_t event, std::uint16_t soundId) override
    {
        calls.push_back("sound " + std::to_string(event) + " " + std::to_string(soundId));
    }
    void OnSoundsEnd(std::int16_t event) override { calls.push_back("end sounds " + std::to_string(event)); }
    bool OnChild(const std::string& className, FCFile&) override
    {
        calls.push_back("child " + className);
        return false;
    }

    std::vector<std::string> calls;
};

UILayoutNode RichTree()
{
    using namespace LayoutBytes;
    UILayoutNode root = Control(Element(7, -3, 4, 300, 200));
    root.displayItems.push_back(Fill(Element(1, 0, 0, 10, 10, 1), 0x200, 1, 2, 3));
    root.displayItems.push_back(MouseOver(40));
    root.displayItems.push_back(Fill(Element(2, 1, 1, 8, 8), 0xFFF, 250, 128, 0, "UIBorder"));
    root.displayItems.push_back(Image(Element(3, 5, 5, 0, 0, 2), 0x20, 12, 3));
    root.displayItems.push_back(Text(Element(4, 0, 20, 100, 14), 0x4, "caf\xE9", 2, {0, 10, 22}, 9));
    root.displayItems.push_back(Plain(Element(5, 0, 0, 0, 0, 2), 0xFFF, "UIMovie"));
    root.displayItems.push_back(MouseOver(41));
    root.sounds = {{170, 3}, {171, 4}};
    UILayoutNode child = Control(Element(110, 10, 10, 50, 20), "UIGroup");
    child.children.push_back(Control(Element(111, 1, 1, 5, 5)));
    root.children.push_back(child);
    root.children.push_back(Control(Element(112, 60, 10, 50, 20)));
    return root;
}
} // namespace

TEST(UILayoutCodecTest, BareControlIsSeventyThreeBytes)
{
    Bytes expected;
    PutString(expected, "UIControl");
    expected.resize(expected.size() + 25);
    std::uint8_t* element = expected.data() + 12;
    FCBytes::WriteU16(element + 20, 100); // zOrder
    FCBytes::WriteU16(element + 23, 5);   // alignFlags
    PutString(expected, "EndDisplayObjects");
    PutI16(expected, 0);
    PutString(expected, "EndChildren");

    const Bytes written = LayoutBytes::Write(LayoutBytes::Control(UIObjectRecord{}));
    EXPECT_EQ(written.size(), 73u);
    EXPECT_EQ(written, expected);
}

TEST(UILayoutCodecTest, ElementRecordKeepsTheStoredOffsets)
{
    UIObjectRecord element;
    element.id = 0x0102;
    element.x = 0x03040506;
    element.y = -2;
    element.sizeMode = -1;
    element.width = 0x0708090A;
    element.height = 0x0B0C0D0E;
    element.zOrder = 0x0F10;
    element.defaultFocus = 0x11;
    element.alignFlags = 0x1213;
    Bytes out;
    ASSERT_TRUE(UILayoutCodec::Write(out, element));
    ASSERT_EQ(out.size(), UILayoutCodec::kObjectRecordSize);
    EXPECT_EQ(FCBytes::ReadU16(&out[0]), 0x0102);
    EXPECT_EQ(FCBytes::ReadI32(&out[2]), 0x03040506);
    EXPECT_EQ(FCBytes::ReadI32(&out[6]), -2);
    EXPECT_EQ(FCBytes::ReadI16(&out[10]), -1);
    EXPECT_EQ(FCBytes::ReadI32(&out[12]), 0x0708090A);
    EXPECT_EQ(FCBytes::ReadI32(&out[16]), 0x0B0C0D0E);
    EXPECT_EQ(FCBytes::ReadU16(&out[20]), 0x0F10);
    EXPECT_EQ(out[22], 0x11);
    EXPECT_EQ(FCBytes::ReadU16(&out[23]), 0x1213);

    VelMemoryFile file(out);
    UIObjectRecord back;
    ASSERT_TRUE(UILayoutCodec::Read(file, back));
    EXPECT_EQ(back.x, element.x);
    EXPECT_EQ(back.sizeMode, -1);
    EXPECT_EQ(back.alignFlags, 0x1213);
}

TEST(UILayoutCodecTest, DisplayPayloadSizes)
{
    // Payload bytes after the class name for each display-object record.
    struct Case
    {
        UILayoutNode node;
        std::size_t payloadSize;
    };
    using namespace LayoutBytes;
    const std::vector<Case> cases = {
        {Plain(Element(1, 0, 0, 1, 1), 0xFFF, "UIDisplayObject"), 25 + 4},
        {Fill(Element(1, 0, 0, 1, 1), 0xFFF, 1, 2, 3), 25 + 4 + 3},
        {Image(Element(1, 0, 0, 1, 1), 0xFFF, 5, 6), 25 + 4 + 4},
        // id, string (2 + "ab" + NUL), font, two codes and the end marker
        {Text(Element(1, 0, 0, 1, 1), 0xFFF, "ab", 3, {1, 2}), 25 + 4 + 2 + 5 + 2 + 6},
    };
    for (const Case& c : cases)
    {
        Bytes out;
        ASSERT_TRUE(UILayoutCodec::WriteNode(out, c.node)) << c.node.className;
        EXPECT_EQ(out.size(), 2 + c.node.className.size() + 1 + c.payloadSize) << c.node.className;
    }
}

TEST(UILayoutCodecTest, TreeReadsBackAsWritten)
{
    const UILayoutNode tree = RichTree();
    const Bytes bytes = LayoutBytes::Write(tree);
    ASSERT_FALSE(bytes.empty());
    UILayoutNode back;
    ASSERT_TRUE(ReadTree(bytes, back));
    EXPECT_EQ(LayoutBytes::Write(back), bytes);

    ASSERT_EQ(back.displayItems.size(), 7u);
    EXPECT_EQ(back.displayItems[1].mouseOverMessage, 40);
    const auto& text = std::get<UITextRecord>(back.displayItems[4].payload);
    EXPECT_EQ(text.content.text, "caf\xE9");
    EXPECT_EQ(text.content.stringId, 9);
    EXPECT_EQ(text.attributes.codes, (std::vector<std::uint16_t>{0, 10, 22}));
    const auto& fill = std::get<UIFillRecord>(back.displayItems[0].payload);
    EXPECT_EQ(fill.base.object.sizeMode, 1);
    EXPECT_EQ(fill.base.stateMask, 0x200u);
    EXPECT_EQ(fill.blue, 3);
    ASSERT_EQ(back.sounds.size(), 2u);
    EXPECT_EQ(back.sounds[1].soundId, 4);
    ASSERT_EQ(back.children.size(), 2u);
    EXPECT_EQ(back.children[0].className, "UIGroup");
    ASSERT_EQ(back.children[0].children.size(), 1u);
    EXPECT_EQ(std::get<UIObjectRecord>(back.children[0].children[0].payload).id, 111);
}

TEST(UILayoutCodecTest, EveryTruncationFailsCleanly)
{
    QuietLog quiet;
    const Bytes bytes = LayoutBytes::Write(RichTree());
    for (std::size_t length = 0; length < bytes.size(); ++length)
    {
        UILayoutNode back;
        EXPECT_FALSE(ReadTree(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)), back))
            << "cut at " << length;
    }
}

namespace
{
// One control of each class with a record of its own.
UILayoutNode ControlRecordsTree()
{
    using namespace LayoutBytes;
    UILayoutNode root = Control(Element(1, 0, 0, 300, 200), "UIButton", UIButtonRecord{4});
    root.children.push_back(Control(Element(2, 0, 0, 10, 100), "UIScrollBar", UISliderRecord{0, 1}));
    root.children.push_back(Control(Element(3, 0, 0, 10, 10), "UIScrollControl", UIScrollControlRecord{3}));
    UILayoutNode list = Control(Element(4, 0, 0, 50, 50), "UITextListBox", UIScrollControlRecord{2});
    list.items.push_back(Control(Element(40, 0, 0, 50, 10), "UIDragButton", UIButtonRecord{-2}));
    list.items.push_back(Control(Element(41, 0, 0, 50, 10)));
    list.afterItems = UITextListBoxRecord{7, {{{10, 0, 0.0}, {8, 5, 0.0}}, -3}};
    root.children.push_back(list);
    UITextControlRecord text{{0, "name", 1}, {{{6, 2, 0.0}, {9, 65535, 0.0}, {14, 0, 0.0}}, -1}};
    root.children.push_back(Control(Element(5, 0, 0, 80, 20), "UIEditArea", text));
    UINumberEditControlRecord number{{0, "7", 1}, {{{15, 0, 18.0}, {16, 0, -2.5}, {14, 0, 1e-300}, {7, 1, 0.0}}, -1}};
    root.children.push_back(Control(Element(6, 0, 0, 40, 20), "UINumberEditControl", number));
    root.children.push_back(Control(Element(7, 0, 0, 32, 32), "UIImageControl", UIImageControlRecord{10, 2}));
    root.children.push_back(Control(Element(8, 0, 0, 5, 5), "UIListBox", UIScrollControlRecord{}));
    return root;
}
} // namespace

TEST(UILayoutCodecTest, ControlRecordsReadBackAndEveryTruncationFails)
{
    QuietLog quiet;
    const Bytes bytes = LayoutBytes::Write(ControlRecordsTree());
    ASSERT_FALSE(bytes.empty());
    UILayoutNode back;
    ASSERT_TRUE(ReadTree(bytes, back));
    EXPECT_EQ(LayoutBytes::Write(back), bytes);
    EXPECT_EQ(std::get<UIButtonRecord>(back.own).buttonType, 4);
    ASSERT_EQ(back.children.size(), 7u);
    const UILayoutNode& list = back.children[2];
    ASSERT_EQ(list.items.size(), 2u);
    EXPECT_EQ(std::get<UIButtonRecord>(list.items[0].own).buttonType, -2);
    EXPECT_EQ(std::get<UITextListBoxRecord>(list.afterItems).attributes.codes[1].value, 5);
    // 14 is a plain code in a text field and a number in a number field.
    EXPECT_EQ(std::get<UITextControlRecord>(back.children[3].own).attributes.codes.size(), 3u);
    const auto& number = std::get<UINumberEditControlRecord>(back.children[4].own).attributes;
    EXPECT_EQ(number.codes[1].number, -2.5);
    EXPECT_EQ(number.codes[2].number, 1e-300);
    EXPECT_EQ(number.codes[3].value, 1);

    for (std::size_t length = 0; length < bytes.size(); ++length)
        EXPECT_FALSE(ReadTree(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)), back))
            << "cut at " << length;
}

TEST(UILayoutCodecTest, NumbersMustBeFinite)
{
    QuietLog quiet;
    for (const double value : {0.0, -0.0, 0.1, -1e308, 4.9e-324})
    {
        Bytes out;
        UILayoutCodec::Writer writer(out);
        ASSERT_TRUE(writer.F64(value));
        ASSERT_EQ(out.size(), 8u);
        VelMemoryFile file(out);
        UILayoutCodec::Reader reader(file);
        double back = 1.0;
        EXPECT_TRUE(reader.F64(back));
        EXPECT_EQ(std::memcmp(&back, &value, sizeof value), 0) << value;
    }
    for (const double value : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity()})
    {
        Bytes out;
        UILayoutCodec::Writer writer(out);
        EXPECT_FALSE(writer.F64(value));
        EXPECT_TRUE(out.empty());
        // The same bits in a file fail the read, and the failure sticks.
        const auto bits = std::bit_cast<std::uint64_t>(value);
        for (int i = 0; i < 8; ++i)
            out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
        out.insert(out.end(), {1, 0});
        VelMemoryFile file(out);
        UILayoutCodec::Reader reader(file);
        double back = 1.0;
        std::uint16_t next = 0;
        EXPECT_FALSE(reader.F64(back));
        EXPECT_EQ(back, 0.0);
        EXPECT_FALSE(reader.U16(next));
    }
}

TEST(UILayoutCodecTest, SectionWalkFollowsTheKeywords)
{
    Bytes bytes;
    PutString(bytes, "UIMouseOverMessage");
    PutI16(bytes, 5);
    PutString(bytes, "UIDisplayObject");
    UILayoutCodec::Write(bytes, UIDisplayObjectRecord{});
    PutString(bytes, "UIMouseOverMessage");
    PutI16(bytes, 6);
    // A longer name that starts with a keyword is a class name.
    PutString(bytes, "EndDisplayObjectsX");

    VelMemoryFile first(bytes);
    RecordingSink sink;
    EXPECT_FALSE(UILayoutCodec::ReadControlSections(first, sink));
    EXPECT_EQ(sink.calls, (std::vector<std::string>{"over 5", "display UIDisplayObject", "over 6",
                                                    "display EndDisplayObjectsX"}));

    // Sounds end at the first event that is not positive, -1 as well as 0;
    // "EndChildren" followed by more text is a child's class name.
    Bytes sections;
    PutString(sections, "EndDisplayObjects");
    PutI16(sections, 170);
    PutI16(sections, 9);
    PutI16(sections, -1);
    PutString(sections, "EndChildrenToo");
    VelMemoryFile second(sections);
    RecordingSink sink2;
    EXPECT_FALSE(UILayoutCodec::ReadControlSections(second, sink2));
    EXPECT_EQ(sink2.calls, (std::vector<std::string>{"sound 170 9", "end sounds -1", "child EndChildrenToo"}));

    // A keyword stored with a longer count still ends at its NUL.
    Bytes padded;
    PutString(padded, "EndDisplayObjects");
    PutI16(padded, 0);
    PutString(padded, "EndChildren", 3);
    VelMemoryFile third(padded);
    RecordingSink sink3;
    EXPECT_TRUE(UILayoutCodec::ReadControlSections(third, sink3));
    EXPECT_TRUE(third.IsEof());
}

TEST(UILayoutCodecTest, TreeReaderRefusesBadStructure)
{
    QuietLog quiet;
    struct Case
    {
        const char* what;
        Bytes bytes;
    };
    std::vector<Case> cases;
    {
        Bytes b;
        PutString(b, "UINoSuchClass");
        UILayoutCodec::Write(b, UIObjectRecord{});
        cases.push_back({"unknown class", b});
    }
    {
        Bytes b;
        PutControlHead(b);
        PutString(b, "UIControl"); // a control among display objects
        UILayoutCodec::Write(b, UIObjectRecord{});
        PutString(b, "EndDisplayObjects");
        PutI16(b, 0);
        PutString(b, "EndChildren");
        cases.push_back({"control as display object", b});
    }
    {
        Bytes b;
        PutControlHead(b);
        PutString(b, "EndDisplayObjects");
        PutI16(b, 0);
        PutString(b, "UIFill"); // a display object among children
        UILayoutCodec::Write(b, UIFillRecord{});
        PutString(b, "EndChildren");
        cases.push_back({"display object as child", b});
    }
    {
        Bytes b;
        PutString(b, "UIText");
        UILayoutCodec::Write(b, UIDisplayObjectRecord{});
        UILayoutCodec::Write(b, UITextContentRecord{});
        for (std::size_t i = 0; i <= UILayoutCodec::kMaxAttributes; ++i)
            PutI16(b, 1);
        PutI16(b, -1);
        cases.push_back({"endless attribute list", b});
    }
    {
        Bytes b;
        const int depth = UILayoutCodec::kMaxDepth + 1;
        for (int i = 0; i < depth; ++i)
        {
            PutControlHead(b);
            PutString(b, "EndDisplayObjects");
            PutI16(b, 0);
        }
        for (int i = 0; i < depth; ++i)
            PutString(b, "EndChildren");
        cases.push_back({"nested too deeply", b});
    }
    {
        Bytes b;
        PutString(b, "UIText");
        UILayoutCodec::Write(b, UIDisplayObjectRecord{});
        PutI16(b, 0);        // string id
        PutI16(b, -1);       // a string count of 65535 with nothing after it
        cases.push_back({"string count beyond the data", b});
    }
    for (const Case& c : cases)
    {
        UILayoutNode node;
        EXPECT_FALSE(ReadTree(c.bytes, node)) << c.what;
    }
}

TEST(UILayoutCodecTest, WriterRefusesWhatCannotReadBack)
{
    using namespace LayoutBytes;
    struct Case
    {
        const char* what;
        UILayoutNode node;
    };
    std::vector<Case> cases;
    cases.push_back({"NUL inside a text", Text(Element(1, 0, 0, 1, 1), 0xFFF, std::string("a\0b", 3), 0)});
    {
        UILayoutNode node = Control(UIObjectRecord{});
        node.sounds = {{0, 5}};
        cases.push_back({"sound event 0 inside the list", node});
    }
    {
        UILayoutNode node = Control(UIObjectRecord{});
        node.soundEnd = 3;
        cases.push_back({"positive sound end", node});
    }
    {
        UILayoutNode node = Fill(UIObjectRecord{}, 0xFFF, 0, 0, 0);
        node.payload = UIObjectRecord{};
        cases.push_back({"payload of another class", node});
    }
    {
        UILayoutNode node = Control(UIObjectRecord{});
        node.children.push_back(Control(UIObjectRecord{}, "EndChildren"));
        cases.push_back({"child named like the end keyword", node});
    }
    {
        UILayoutNode node = Text(UIObjectRecord{}, 0xFFF, "x", 0);
        std::get<UITextRecord>(node.payload).attributes.codes.push_back(0x8000);
        cases.push_back({"negative attribute code", node});
    }
    cases.push_back({"record of another class", Control(UIObjectRecord{}, "UIButton", UISliderRecord{})});
    cases.push_back({"plain control with a record", Control(UIObjectRecord{}, "UIControl", UIButtonRecord{})});
    {
        UILayoutNode node = Control(UIObjectRecord{}, "UIScrollControl", UIScrollControlRecord{});
        node.items.push_back(Control(UIObjectRecord{}));
        cases.push_back({"items outside a list box", node});
    }
    {
        UILayoutNode node = Control(UIObjectRecord{}, "UIListBox", UIScrollControlRecord{});
        node.items.push_back(Fill(UIObjectRecord{}, 0xFFF, 0, 0, 0));
        cases.push_back({"display object as a list item", node});
    }
    {
        UILayoutNode node = Control(UIObjectRecord{}, "UITextListBox", UIScrollControlRecord{});
        cases.push_back({"text list without its row record", node});
    }
    {
        UITextControlRecord field;
        field.attributes.codes.push_back({10, 3, 0.0});
        cases.push_back({"value on a code without one", Control(UIObjectRecord{}, "UITextControl", field)});
    }
    {
        UITextControlRecord field;
        field.attributes.codes.push_back({15, 0, 18.0});
        cases.push_back({"number in a text field", Control(UIObjectRecord{}, "UIEditControl", field)});
    }
    {
        UINumberEditControlRecord field;
        field.attributes.codes.push_back({16, 0, std::numeric_limits<double>::infinity()});
        cases.push_back({"infinite minimum", Control(UIObjectRecord{}, "UINumberEditControl", field)});
    }
    {
        UINumberEditControlRecord field;
        field.attributes.end = 0;
        cases.push_back({"field list without a negative end", Control(UIObjectRecord{}, "UINumberEditControl", field)});
    }
    {
        UILayoutNode node = Control(UIObjectRecord{});
        for (int i = 0; i < UILayoutCodec::kMaxDepth; ++i)
        {
            UILayoutNode parent = Control(UIObjectRecord{});
            parent.children.push_back(std::move(node));
            node = std::move(parent);
        }
        cases.push_back({"nested too deeply", node});
    }
    for (const Case& c : cases)
    {
        bool ok = true;
        const Bytes bytes = UILayoutCodec::WriteFile(c.node, &ok);
        EXPECT_FALSE(ok) << c.what;
        EXPECT_TRUE(bytes.empty()) << c.what;
    }
}
