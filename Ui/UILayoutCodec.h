#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

class FCFile;

// Payload records of the stored widget classes, fields in stored order. The
// codec below reads and writes them.

// The 25-byte element record that starts every payload.
struct UIObjectRecord
{
    std::uint16_t id = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int16_t sizeMode = 0; // sign-extended into the element's 32-bit mode
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t zOrder = 100;
    std::uint8_t defaultFocus = 0;
    std::uint16_t alignFlags = 5;
};

// UIDisplayObject and UIMovie.
struct UIDisplayObjectRecord
{
    UIObjectRecord object;
    std::uint32_t stateMask = 0xFFF;
};

// UIFill and UIBorder (a loaded border is always one pixel thick).
struct UIFillRecord
{
    UIDisplayObjectRecord base;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

struct UIImageRecord
{
    UIDisplayObjectRecord base;
    std::uint16_t imageSetId = 0; // 0: no image
    std::uint16_t frame = 0;
};

// The text part of UIText: a string id above 0 replaces the inline text,
// which is stored in any case.
struct UITextContentRecord
{
    std::uint16_t stringId = 0;
    std::string text;
    std::uint16_t fontId = 0;
};

// Format attribute codes, ended by the first value that is negative as a
// signed 16-bit number (kept in `end` so a file reads back the same).
struct UITextAttributesRecord
{
    std::vector<std::uint16_t> codes;
    std::uint16_t end = 0xFFFF;
};

struct UITextRecord
{
    UIDisplayObjectRecord base;
    UITextContentRecord content;
    UITextAttributesRecord attributes;
};

struct UISoundRecord
{
    std::int16_t event = 0;
    std::uint16_t soundId = 0;
};

using UILayoutPayload = std::variant<UIObjectRecord, UIDisplayObjectRecord, UIFillRecord, UIImageRecord, UITextRecord>;

// One stored object as a tree, for writing whole files and for reading
// them back in the tools. In a control's displayItems an entry named
// "UIMouseOverMessage" stands for that keyword and its mouseOverMessage.
struct UILayoutNode
{
    std::string className;
    UILayoutPayload payload;
    bool isControl = false;
    std::vector<UILayoutNode> displayItems;
    std::uint16_t mouseOverMessage = 0;
    std::vector<UISoundRecord> sounds;
    std::int16_t soundEnd = 0; // 0 or negative
    std::vector<UILayoutNode> children;
    // A class's own data after the sections (the tools treat it as opaque).
    std::vector<std::uint8_t> tail;
};

// The stored form of ".ui" layout files, described once. Each widget class has
// a plain payload record and one Transfer function that walks its fields in
// stored order; the same function reads (the program, from an FCFile with
// checked reads) and writes (the layout compiler, into bytes). The codec knows
// nothing of the widget classes themselves, so tools can link it alone.
class UILayoutCodec
{
public:
    using Bytes = std::vector<std::uint8_t>;

    // Section keywords.
    static constexpr std::string_view kEndDisplayObjects = "EndDisplayObjects";
    static constexpr std::string_view kEndSounds = "EndSounds";
    static constexpr std::string_view kEndChildren = "EndChildren";
    static constexpr std::string_view kEndItems = "EndItems";
    static constexpr std::string_view kMouseOverMessage = "UIMouseOverMessage";
    static constexpr std::uint32_t kObjectRecordSize = 25;

    // A text's attribute list ends at its first negative code; longer lists
    // than this are taken as corrupt data rather than grown without bound.
    static constexpr std::size_t kMaxAttributes = 1024;
    // Deeper control trees than this are refused by the tree reader.
    static constexpr int kMaxDepth = 64;

    // Checked little-endian reads from a file; the first failure sticks.
    class Reader
    {
    public:
        explicit Reader(FCFile& source) : file(source) {}
        bool U8(std::uint8_t& value);
        bool U16(std::uint16_t& value);
        bool I16(std::int16_t& value);
        bool U32(std::uint32_t& value);
        bool I32(std::int32_t& value);
        // u16 count, then count bytes; the text ends at the first NUL.
        bool String(std::string& value);
        bool Attributes(UITextAttributesRecord& value);
        bool IsOk() const { return ok; }

    private:
        FCFile& file;
        bool ok = true;
    };

    // Appends little-endian fields to a byte vector.
    class Writer
    {
    public:
        explicit Writer(Bytes& target) : out(target) {}
        bool U8(std::uint8_t value);
        bool U16(std::uint16_t value);
        bool I16(std::int16_t value);
        bool U32(std::uint32_t value);
        bool I32(std::int32_t value);
        // Written with its terminating NUL (count = length + 1); false for a
        // text too long for the 16-bit count.
        bool String(std::string_view value);
        bool Attributes(const UITextAttributesRecord& value);

    private:
        Bytes& out;
    };

    // The one description of each record. Io is Reader or Writer; R is the
    // record, const when writing.
    template <class Io, class R>
        requires std::same_as<std::remove_const_t<R>, UIObjectRecord>
    static bool Transfer(Io& io, R& r)
    {
        return io.U16(r.id) && io.I32(r.x) && io.I32(r.y) && io.I16(r.sizeMode) &&
               io.I32(r.width) && io.I32(r.height) && io.U16(r.zOrder) && io.U8(r.defaultFocus) &&
               io.U16(r.alignFlags);
    }
    template <class Io, class R>
        requires std::same_as<std::remove_const_t<R>, UIDisplayObjectRecord>
    static bool Transfer(Io& io, R& r)
    {
        return Transfer(io, r.object) && io.U32(r.stateMask);
    }
    template <class Io, class R>
        requires std::same_as<std::remove_const_t<R>, UIFillRecord>
    static bool Transfer(Io& io, R& r)
    {
        return Transfer(io, r.base) && io.U8(r.red) && io.U8(r.green) && io.U8(r.blue);
    }
    template <class Io, class R>
        requires std::same_as<std::remove_const_t<R>, UIImageRecord>
    static bool Transfer(Io& io, R& r)
    {
        return Transfer(io, r.base) && io.U16(r.imageSetId) && io.U16(r.frame);
    }
    template <class Io, class R>
        requires std::same_as<std::remove_const_t<R>, UITextContentRecord>
    static bool Transfer(Io& io, R& r)
    {
        return io.U16(r.stringId) && io.String(r.text) && io.U16(r.fontId);
    }
    template <class Io, class R>
        requires std::same_as<std::remove_const_t<R>, UITextAttributesRecord>
    static bool Transfer(Io& io, R& r)
    {
        return io.Attributes(r);
    }
    template <class Io, class R>
        requires std::same_as<std::remove_const_t<R>, UITextRecord>
    static bool Transfer(Io& io, R& r)
    {
        return Transfer(io, r.base) && Transfer(io, r.content) && Transfer(io, r.attributes);
    }
    template <class Io, class R>
        requires std::same_as<std::remove_const_t<R>, UISoundRecord>
    static bool Transfer(Io& io, R& r)
    {
        return io.I16(r.event) && io.U16(r.soundId);
    }

    // One record from a file (false, logged, on a short or bad read) or into
    // bytes (false only for an unstorable string).
    template <class R>
    static bool Read(FCFile& file, R& record)
    {
        Reader reader(file);
        if (Transfer(reader, record))
            return true;
        LogShortRecord(file);
        return false;
    }
    template <class R>
    static bool Write(Bytes& out, const R& record)
    {
        Writer writer(out);
        return Transfer(writer, record);
    }

    // The three sections that follow a control's element record, read in
    // order; the sink creates and adopts the objects. Any false answer, an
    // unreadable keyword or a short read stops the walk and gives false.
    class SectionSink
    {
    public:
        virtual ~SectionSink() = default;
        // A display object's class name was read; its payload follows in file.
        virtual bool OnDisplayObject(const std::string& className, FCFile& file) = 0;
        // The last value wins when a section holds several.
        virtual void OnMouseOverMessage(std::uint16_t message) = 0;
        virtual void OnSound(std::int16_t event, std::uint16_t soundId) = 0;
        // The 0 or negative event that ended the sound list.
        virtual void OnSoundsEnd(std::int16_t) {}
        virtual bool OnChild(const std::string& className, FCFile& file) = 0;
    };
    static bool ReadControlSections(FCFile& file, SectionSink& sink);

    // How the layout tools handle a class's payload. The program itself
    // never asks: there each class reads its own payload.
    enum class PayloadKind : std::uint8_t
    {
        kUnknown,
        kObject,        // UIObjectRecord
        kDisplayObject, // UIDisplayObjectRecord
        kFill,          // UIFillRecord
        kImage,         // UIImageRecord
        kText,          // UITextRecord
        kControl,       // UIObjectRecord, then the three sections
    };
    static PayloadKind KindOf(std::string_view className);

    // Appends the node as stored: class name, payload, and for a control its
    // sections and tail. False when a string cannot be stored, a payload
    // does not fit a class the tools know, or the tree is deeper than
    // kMaxDepth. Unknown class names are written as given (tests use them).
    static bool WriteNode(Bytes& out, const UILayoutNode& node);
    static Bytes WriteFile(const UILayoutNode& root, bool* ok = nullptr);
    // Reads one object by the class kinds the tools know; false (logged) for
    // an unknown class, a short file or a too deep tree.
    static bool ReadNode(FCFile& file, UILayoutNode& node);

private:
    class TreeSink;
    static void LogShortRecord(FCFile& file);
    static bool ReadNodeAt(FCFile& file, UILayoutNode& node, int depth);
    static bool WriteNodeAt(Bytes& out, const UILayoutNode& node, int depth);
};
