#pragma once

#include "Fc/Core/FCBytes.h"
#include "Fc/Core/FCFile.h"

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

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

// One code of a text field's attribute list with the value that the field's
// class reads after it: the margin codes 6 to 9 carry a u16 in every text
// field, the number codes 14 to 16 an f64 in a number field only. Codes
// without a value leave both at 0.
struct UIFieldAttribute
{
    std::int16_t code = 0;
    std::uint16_t value = 0;
    double number = 0.0;
};

// Ended by the first negative code (kept in `end` so a file reads back the same).
struct UIFieldAttributesRecord
{
    std::vector<UIFieldAttribute> codes;
    std::int16_t end = -1;
};

// The records below follow a control's three sections.

// UIButton and UIDragButton: a u16 taken as signed.
struct UIButtonRecord
{
    std::int16_t buttonType = 0;
};
using UIDragButtonRecord = UIButtonRecord;

// UISlider and UIScrollBar.
struct UISliderRecord
{
    std::uint8_t linked = 1;
    std::uint16_t orientation = 2;
};
using UIScrollBarRecord = UISliderRecord;

// UIScrollControl and UIListBox; a list box's item section follows it:
// whole objects, each a class name and its payload, up to "EndItems".
struct UIScrollControlRecord
{
    std::uint16_t scrollBarFlags = 0;
};
using UIListBoxRecord = UIScrollControlRecord;

// UITextListBox, after the item section: the row template's font and
// attributes.
struct UITextListBoxRecord
{
    std::uint16_t fontId = 0;
    UIFieldAttributesRecord attributes;
};

// UITextControl, UIEditControl and UIEditArea: the text of their UIText and
// the field's attributes.
struct UITextControlRecord
{
    UITextContentRecord content;
    UIFieldAttributesRecord attributes;
};
using UIEditControlRecord = UITextControlRecord;
using UIEditAreaRecord = UITextControlRecord;

// As a text control's, but the attribute list also carries the number codes.
struct UINumberEditControlRecord
{
    UITextContentRecord content;
    UIFieldAttributesRecord attributes;
};

struct UIImageControlRecord
{
    std::uint16_t imageSetId = 0; // 0: no image
    std::uint16_t frame = 0;
};

using UILayoutPayload = std::variant<UIObjectRecord, UIDisplayObjectRecord, UIFillRecord, UIImageRecord, UITextRecord>;
// A control's own record; monostate for classes without one.
using UILayoutControlRecord =
    std::variant<std::monostate, UIButtonRecord, UISliderRecord, UIScrollControlRecord, UITextListBoxRecord,
                 UITextControlRecord, UINumberEditControlRecord, UIImageControlRecord>;

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
    // The class's own record after the sections.
    UILayoutControlRecord own;
    // A list box's item section, then the record that follows it.
    std::vector<UILayoutNode> items;
    UILayoutControlRecord afterItems;
    // Bytes written as given after everything else (tests use it for
    // classes the tools do not know).
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

    // Text-field attribute codes that carry a value in the file.
    static constexpr std::int16_t kTopMargin = 6;
    static constexpr std::int16_t kBottomMargin = 7;
    static constexpr std::int16_t kLeftMargin = 8;
    static constexpr std::int16_t kRightMargin = 9;
    static constexpr std::int16_t kStep = 14;
    static constexpr std::int16_t kMaximum = 15;
    static constexpr std::int16_t kMinimum = 16;
    // Which codes carry a value depends on the class reading the list.
    enum class FieldCodes : std::uint8_t
    {
        kText,   // margins
        kNumber, // margins and numbers
    };
    static constexpr bool HasMarginValue(std::int16_t code) { return code >= kTopMargin && code <= kRightMargin; }
    static constexpr bool HasNumberValue(std::int16_t code, FieldCodes codes)
    {
        return codes == FieldCodes::kNumber && code >= kStep && code <= kMinimum;
    }
    // Deeper control trees than this are refused by the tree reader.
    static constexpr int kMaxDepth = 64;

    // Checked little-endian reads from a file; the first failure sticks.
    class Reader
    {
    public:
        explicit Reader(FCFile& source) : file(source) {}
        // A record of fixed size: when the file's read buffer holds all of
        // it, its bytes are taken at once and the next fields, which must add
        // up to exactly size bytes, are decoded from them. Otherwise the
        // fields are read one by one as usual.
        void Fixed(std::uint32_t size)
        {
            if (!ok)
                return;
            if (const std::uint8_t* bytes = file.TakeBufferedBytes(size))
            {
                fixedAt = bytes;
                fixedLeft = size;
            }
        }
        // Inline: a list of rows reads thousands of fields one by one.
        bool U8(std::uint8_t& value)
        {
            if (fixedLeft >= 1)
            {
                value = *TakeFixed(1);
                return true;
            }
            return (ok && file.ReadU8(value)) || Fail();
        }
        bool U16(std::uint16_t& value)
        {
            if (fixedLeft >= 2)
            {
                value = FCBytes::ReadU16(TakeFixed(2));
                return true;
            }
            return (ok && file.ReadU16(value)) || Fail();
        }
        bool I16(std::int16_t& value)
        {
            if (fixedLeft >= 2)
            {
                value = FCBytes::ReadI16(TakeFixed(2));
                return true;
            }
            return (ok && file.ReadI16(value)) || Fail();
        }
        bool U32(std::uint32_t& value)
        {
            if (fixedLeft >= 4)
            {
                value = FCBytes::ReadU32(TakeFixed(4));
                return true;
            }
            return (ok && file.ReadU32(value)) || Fail();
        }
        bool I32(std::int32_t& value)
        {
            if (fixedLeft >= 4)
            {
                value = FCBytes::ReadI32(TakeFixed(4));
                return true;
            }
            return (ok && file.ReadI32(value)) || Fail();
        }
        // IEEE double; a NaN or an infinity fails the read.
        bool F64(double& value);
        // u16 count, then count bytes; the text ends at the first NUL.
        bool String(std::string& value)
        {
            std::uint16_t count = 0;
            if (!U16(count))
            {
                value.clear();
                return false;
            }
            return file.ReadText(value, count) || Fail();
        }
        // As String, but the text may stay in the file's read buffer rather
        // than be copied into room: value lasts until the next read. For the
        // names of the sections, most of which are only compared.
        bool Name(std::string_view& value, std::string& room)
        {
            std::uint16_t count = 0;
            value = {};
            if (!U16(count))
                return false;
            if (file.TakeBufferedText(count, value))
                return true;
            if (!file.ReadText(room, count))
                return Fail();
            value = room;
            return true;
        }
        bool Attributes(UITextAttributesRecord& value);
        bool FieldAttributes(UIFieldAttributesRecord& value, FieldCodes codes);
        bool IsOk() const { return ok; }

    private:
        bool Fail()
        {
            ok = false;
            return false;
        }
        const std::uint8_t* TakeFixed(std::uint32_t size)
        {
            const std::uint8_t* at = fixedAt;
            fixedAt += size;
            fixedLeft -= size;
            return at;
        }

        FCFile& file;
        bool ok = true;
        // The rest of a fixed record taken from the read buffer.
        const std::uint8_t* fixedAt = nullptr;
        std::uint32_t fixedLeft = 0;
    };

    // Appends little-endian fields to a byte vector.
    class Writer
    {
    public:
        explicit Writer(Bytes& target) : out(target) {}
        // Fields are appended one by one in any case.
        void Fixed(std::uint32_t) {}
        bool U8(std::uint8_t value);
        bool U16(std::uint16_t value);
        bool I16(std::int16_t value);
        bool U32(std::uint32_t value);
        bool I32(std::int32_t value);
        // False, writing nothing, for a NaN or an infinity.
        bool F64(double value);
        // Written with its terminating NUL (count = length + 1); false for a
        // text too long for the 16-bit count.
        bool String(std::string_view value);
        bool Attributes(const UITextAttributesRecord& value);
        // False for a list that would not read back the same: a negative
        // code, a non-negative end, or a value on a code that carries none.
        bool FieldAttributes(const UIFieldAttributesRecord& value, FieldCodes codes);

    private:
        Bytes& out;
    };

    // The one description of each record. Io is Reader or Writer; R is the
    // record, const when writing.
    template <class Io, class R>
        requires std::same_as<std::remove_const_t<R>, UIObjectRecord>
    static bool Transfer(Io& io, R& r)
    {
        io.Fixed(kObjectRecordSize);
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
    template <class Io, class R>
        requires std::same_as<std::remove_const_t<R>, std::monostate>
    static bool Transfer(Io&, R&)
    {
        return true;
    }
    template <class Io, class R>
        requires std::same_as<std::remove_const_t<R>, UIButtonRecord>
    static bool Transfer(Io& io, R& r)
    {
        return io.I16(r.buttonType);
    }
    template <class Io, class R>
        requires std::same_as<std::remove_const_t<R>, UISliderRecord>
    static bool Transfer(Io& io, R& r)
    {
        return io.U8(r.linked) && io.U16(r.orientation);
    }
    template <class Io, class R>
        requires std::same_as<std::remove_const_t<R>, UIScrollControlRecord>
    static bool Transfer(Io& io, R& r)
    {
        return io.U16(r.scrollBarFlags);
    }
    template <class Io, class R>
        requires std::same_as<std::remove_const_t<R>, UITextListBoxRecord>
    static bool Transfer(Io& io, R& r)
    {
        return io.U16(r.fontId) && io.FieldAttributes(r.attributes, FieldCodes::kText);
    }
    template <class Io, class R>
        requires std::same_as<std::remove_const_t<R>, UITextControlRecord>
    static bool Transfer(Io& io, R& r)
    {
        return Transfer(io, r.content) && io.FieldAttributes(r.attributes, FieldCodes::kText);
    }
    template <class Io, class R>
        requires std::same_as<std::remove_const_t<R>, UINumberEditControlRecord>
    static bool Transfer(Io& io, R& r)
    {
        return Transfer(io, r.content) && io.FieldAttributes(r.attributes, FieldCodes::kNumber);
    }
    template <class Io, class R>
        requires std::same_as<std::remove_const_t<R>, UIImageControlRecord>
    static bool Transfer(Io& io, R& r)
    {
        return io.U16(r.imageSetId) && io.U16(r.frame);
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

    // A list box's item section: objects up to "EndItems". Any false
    // answer, an unreadable name or a short read stops it and gives false.
    class ItemSink
    {
    public:
        virtual ~ItemSink() = default;
        // An item's class name was read; its payload follows in file.
        virtual bool OnItem(const std::string& className, FCFile& file) = 0;
    };
    static bool ReadItems(FCFile& file, ItemSink& sink);

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
        // Controls with a record of their own after the sections:
        kButton,        // UIButtonRecord
        kSlider,        // UISliderRecord
        kScrollControl, // UIScrollControlRecord
        kListBox,       // UIScrollControlRecord, then the item section
        kTextListBox,   // as kListBox, then UITextListBoxRecord
        kTextControl,   // UITextControlRecord
        kNumberEdit,    // UINumberEditControlRecord
        kImageControl,  // UIImageControlRecord
    };
    static PayloadKind KindOf(std::string_view className);
    // Whether the kind loads as a control (element record, then sections).
    static bool IsControlKind(PayloadKind kind);

    // Appends the node as stored: class name, payload, and for a control its
    // sections, own record, items and the record after them, then the tail.
    // False when a string or value cannot be stored, a record does not fit
    // a class the tools know, or the tree is deeper than kMaxDepth. Unknown
    // class names are written as given (tests use them).
    static bool WriteNode(Bytes& out, const UILayoutNode& node);
    static Bytes WriteFile(const UILayoutNode& root, bool* ok = nullptr);
    // Reads one object by the class kinds the tools know; false (logged) for
    // an unknown class, a short file or a too deep tree.
    static bool ReadNode(FCFile& file, UILayoutNode& node);

private:
    class TreeSink;
    class ItemTreeSink;
    static void LogShortRecord(FCFile& file);
    // Reads names up to end, handing each other one to take; false on a
    // short record (logged) or as soon as take refuses a name.
    template <class Take>
    static bool ReadNamesUntil(Reader& reader, FCFile& file, std::string_view end, Take take);
    static bool ReadNodeAt(FCFile& file, UILayoutNode& node, int depth);
    static bool WriteNodeAt(Bytes& out, const UILayoutNode& node, int depth);
};
