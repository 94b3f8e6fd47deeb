#include "Ui/UILayoutCodec.h"

#include "Fc/Core/FCBytes.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"

#include <array>
#include <bit>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace
{
bool Failed(bool& ok)
{
    ok = false;
    return false;
}

struct KindEntry
{
    std::string_view name;
    UILayoutCodec::PayloadKind kind;
};

// Classes whose whole stored form the tools know. Controls listed here carry
// nothing after the common sections.
constexpr std::array kKinds{
    KindEntry{"UIObject", UILayoutCodec::PayloadKind::kObject},
    KindEntry{"UIDisplayObject", UILayoutCodec::PayloadKind::kDisplayObject},
    KindEntry{"UIMovie", UILayoutCodec::PayloadKind::kDisplayObject},
    KindEntry{"UIFill", UILayoutCodec::PayloadKind::kFill},
    KindEntry{"UIBorder", UILayoutCodec::PayloadKind::kFill},
    KindEntry{"UIImage", UILayoutCodec::PayloadKind::kImage},
    KindEntry{"UIText", UILayoutCodec::PayloadKind::kText},
    KindEntry{"UIControl", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"UIWindow", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"UIDialog", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"UIMessageDialog", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"UIFileDialog", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"UIGroup", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"UIScrollFrame", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"UIGroupScrollFrame", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"UIComboBox", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"UINumberScroll", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"UIMovieControl", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"UIButton", UILayoutCodec::PayloadKind::kButton},
    KindEntry{"UIDragButton", UILayoutCodec::PayloadKind::kButton},
    KindEntry{"UISlider", UILayoutCodec::PayloadKind::kSlider},
    KindEntry{"UIScrollBar", UILayoutCodec::PayloadKind::kSlider},
    KindEntry{"UIScrollControl", UILayoutCodec::PayloadKind::kScrollControl},
    KindEntry{"UIListBox", UILayoutCodec::PayloadKind::kListBox},
    KindEntry{"UITextListBox", UILayoutCodec::PayloadKind::kTextListBox},
    KindEntry{"UITextControl", UILayoutCodec::PayloadKind::kTextControl},
    KindEntry{"UIEditControl", UILayoutCodec::PayloadKind::kTextControl},
    KindEntry{"UIEditArea", UILayoutCodec::PayloadKind::kTextControl},
    KindEntry{"UINumberEditControl", UILayoutCodec::PayloadKind::kNumberEdit},
    KindEntry{"UIImageControl", UILayoutCodec::PayloadKind::kImageControl},
    // The program's row widgets and set-up window store what their bases do.
    KindEntry{"Vel_UIItem", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UIItemTray", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UIListBox", UILayoutCodec::PayloadKind::kListBox},
    KindEntry{"Vel_UIWin_CharSetup", UILayoutCodec::PayloadKind::kControl},
    // The character window, its pages and the game menu load as controls.
    KindEntry{"Vel_UIWin_CharConfig", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UIPanel", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UIDlg_GameMenu", UILayoutCodec::PayloadKind::kControl},
    // The start menu and the new-character confirmation: a window, a dialog.
    KindEntry{"Vel_UIWin_StartMenu", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UIWin_CharacterType", UILayoutCodec::PayloadKind::kControl},
    // The abilities page and the ability roller.
    KindEntry{"Vel_UIAbilities", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UIWin_Roller", UILayoutCodec::PayloadKind::kControl},
    // The intro, the credits and the information screens.
    KindEntry{"Vel_UIMovieWindow", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UIWin_Credits", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UIWin_Info", UILayoutCodec::PayloadKind::kControl},
    // The skills and feats pages, the skill rows and the target dialog.
    KindEntry{"Vel_UISkills", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UISkillItem", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UIFeats", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UIWin_SelectTarget", UILayoutCodec::PayloadKind::kControl},
    // The languages, special abilities, god and notes pages.
    KindEntry{"Vel_UILanguage", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UISpecial", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UIGod", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UINotes", UILayoutCodec::PayloadKind::kControl},
    // The inventory and equipment pages, their rows and statistics boxes.
    KindEntry{"Vel_UIInventory", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UIEquip", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UIInvItem", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UIEquipHandItem", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UIWeaponStats", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UIArmorStats", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UIShieldStats", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UIGoodsStats", UILayoutCodec::PayloadKind::kControl},
    // The spells, school and animal pages and their rows.
    KindEntry{"Vel_UISpell", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UISpellItem", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UISchool", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UIAnimal", UILayoutCodec::PayloadKind::kControl},
    KindEntry{"Vel_UIAnimalItem", UILayoutCodec::PayloadKind::kControl},
};

// What a control kind stores after its sections: its own record, whether an
// item section follows, and the record after that.
struct ControlShape
{
    UILayoutCodec::PayloadKind kind;
    std::size_t own;        // index into UILayoutControlRecord
    bool items;
    std::size_t afterItems; // index into UILayoutControlRecord
};

template <class R> constexpr std::size_t RecordIndex()
{
    constexpr std::size_t count = std::variant_size_v<UILayoutControlRecord>;
    return []<std::size_t... I>(std::index_sequence<I...>)
    {
        std::size_t found = count;
        ((std::is_same_v<std::variant_alternative_t<I, UILayoutControlRecord>, R> ? (found = I) : 0), ...);
        return found;
    }(std::make_index_sequence<count>{});
}

constexpr std::size_t kNone = RecordIndex<std::monostate>();

constexpr std::array kShapes{
    ControlShape{UILayoutCodec::PayloadKind::kControl, kNone, false, kNone},
    ControlShape{UILayoutCodec::PayloadKind::kButton, RecordIndex<UIButtonRecord>(), false, kNone},
    ControlShape{UILayoutCodec::PayloadKind::kSlider, RecordIndex<UISliderRecord>(), false, kNone},
    ControlShape{UILayoutCodec::PayloadKind::kScrollControl, RecordIndex<UIScrollControlRecord>(), false, kNone},
    ControlShape{UILayoutCodec::PayloadKind::kListBox, RecordIndex<UIScrollControlRecord>(), true, kNone},
    ControlShape{UILayoutCodec::PayloadKind::kTextListBox, RecordIndex<UIScrollControlRecord>(), true,
                 RecordIndex<UITextListBoxRecord>()},
    ControlShape{UILayoutCodec::PayloadKind::kTextControl, RecordIndex<UITextControlRecord>(), false, kNone},
    ControlShape{UILayoutCodec::PayloadKind::kNumberEdit, RecordIndex<UINumberEditControlRecord>(), false, kNone},
    ControlShape{UILayoutCodec::PayloadKind::kImageControl, RecordIndex<UIImageControlRecord>(), false, kNone},
};

const ControlShape* ShapeOf(UILayoutCodec::PayloadKind kind)
{
    for (const ControlShape& shape : kShapes)
        if (shape.kind == kind)
            return &shape;
    return nullptr;
}

// The sinks take names as strings; a name compared with the keywords only
// is never copied.
void KeepName(std::string& kept, std::string_view name)
{
    if (name.data() != kept.data())
        kept.assign(name);
}

// Makes `record` hold a default value of the alternative at `index`.
template <std::size_t... I>
void EmplaceAt(UILayoutControlRecord& record, std::size_t index, std::index_sequence<I...>)
{
    ((index == I ? (record.emplace<I>(), 0) : 0), ...);
}
void EmplaceAt(UILayoutControlRecord& record, std::size_t index)
{
    EmplaceAt(record, index, std::make_index_sequence<std::variant_size_v<UILayoutControlRecord>>{});
}
} // namespace

// --- Reader ---------------------------------------------------------------

bool UILayoutCodec::Reader::F64(double& value)
{
    std::uint32_t low = 0;
    std::uint32_t high = 0;
    if (!U32(low) || !U32(high))
        return false;
    value = std::bit_cast<double>((std::uint64_t{high} << 32) | low);
    if (std::isfinite(value))
        return true;
    FC_LOG("Layout number is not finite\n");
    value = 0.0;
    return Failed(ok);
}

bool UILayoutCodec::Reader::Attributes(UITextAttributesRecord& value)
{
    value.codes.clear();
    for (;;)
    {
        std::uint16_t code = 0;
        if (!U16(code))
            return false;
        if (static_cast<std::int16_t>(code) < 0)
        {
            value.end = code;
            return true;
        }
        if (value.codes.size() >= kMaxAttributes)
        {
            FC_LOG("Too many text attributes\n");
            return Failed(ok);
        }
        value.codes.push_back(code);
    }
}

bool UILayoutCodec::Reader::FieldAttributes(UIFieldAttributesRecord& value, FieldCodes codes)
{
    value.codes.clear();
    for (;;)
    {
        std::int16_t code = 0;
        if (!I16(code))
            return false;
        if (code < 0)
        {
            value.end = code;
            return true;
        }
        if (value.codes.size() >= kMaxAttributes)
        {
            FC_LOG("Too many field attributes\n");
            return Failed(ok);
        }
        UIFieldAttribute& attribute = value.codes.emplace_back();
        attribute.code = code;
        if (HasMarginValue(code) && !U16(attribute.value))
            return false;
        if (HasNumberValue(code, codes) && !F64(attribute.number))
            return false;
    }
}

// --- Writer ---------------------------------------------------------------

bool UILayoutCodec::Writer::U8(std::uint8_t value)
{
    out.push_back(value);
    return true;
}

bool UILayoutCodec::Writer::U16(std::uint16_t value)
{
    std::uint8_t bytes[2];
    FCBytes::WriteU16(bytes, value);
    out.insert(out.end(), bytes, bytes + 2);
    return true;
}

bool UILayoutCodec::Writer::I16(std::int16_t value)
{
    return U16(static_cast<std::uint16_t>(value));
}

bool UILayoutCodec::Writer::U32(std::uint32_t value)
{
    std::uint8_t bytes[4];
    FCBytes::WriteU32(bytes, value);
    out.insert(out.end(), bytes, bytes + 4);
    return true;
}

bool UILayoutCodec::Writer::I32(std::int32_t value)
{
    return U32(static_cast<std::uint32_t>(value));
}

bool UILayoutCodec::Writer::F64(double value)
{
    if (!std::isfinite(value))
        return false;
    const auto bits = std::bit_cast<std::uint64_t>(value);
    U32(static_cast<std::uint32_t>(bits));
    return U32(static_cast<std::uint32_t>(bits >> 32));
}

bool UILayoutCodec::Writer::String(std::string_view value)
{
    // Readers stop at the first NUL, so an embedded one would lose the rest.
    if (value.size() >= 0xFFFF || value.find('\0') != std::string_view::npos)
        return false;
    U16(static_cast<std::uint16_t>(value.size() + 1));
    out.insert(out.end(), value.begin(), value.end());
    out.push_back(0);
    return true;
}

bool UILayoutCodec::Writer::Attributes(const UITextAttributesRecord& value)
{
    if (static_cast<std::int16_t>(value.end) >= 0)
        return false;
    for (std::uint16_t code : value.codes)
    {
        if (static_cast<std::int16_t>(code) < 0)
            return false;
        U16(code);
    }
    return U16(value.end);
}

bool UILayoutCodec::Writer::FieldAttributes(const UIFieldAttributesRecord& value, FieldCodes codes)
{
    if (value.end >= 0 || value.codes.size() > kMaxAttributes)
        return false;
    for (const UIFieldAttribute& attribute : value.codes)
    {
        const bool margin = HasMarginValue(attribute.code);
        const bool number = HasNumberValue(attribute.code, codes);
        if (attribute.code < 0 || (!margin && attribute.value != 0) ||
            (!number && attribute.number != 0.0) || !std::isfinite(attribute.number))
            return false;
    }
    for (const UIFieldAttribute& attribute : value.codes)
    {
        I16(attribute.code);
        if (HasMarginValue(attribute.code))
            U16(attribute.value);
        if (HasNumberValue(attribute.code, codes))
            F64(attribute.number);
    }
    return I16(value.end);
}

// --- Sections -------------------------------------------------------------

void UILayoutCodec::LogShortRecord(FCFile& file)
{
    FC_LOG("Layout record cut short or bad near offset %u\n", static_cast<unsigned>(file.Tell()));
}

template <class Take>
bool UILayoutCodec::ReadNamesUntil(Reader& reader, FCFile& file, std::string_view end, Take take)
{
    std::string_view name;
    std::string className;
    for (;;)
    {
        if (!reader.Name(name, className))
        {
            LogShortRecord(file);
            return false;
        }
        if (name == end)
            return true;
        KeepName(className, name);
        if (!take(className))
            return false;
    }
}

bool UILayoutCodec::ReadControlSections(FCFile& file, SectionSink& sink)
{
    Reader reader(file);
    const bool displayObjects =
        ReadNamesUntil(reader, file, kEndDisplayObjects, [&](const std::string& name) {
            if (name != kMouseOverMessage)
                return sink.OnDisplayObject(name, file);
            std::uint16_t message = 0;
            if (!reader.U16(message))
            {
                LogShortRecord(file);
                return false;
            }
            sink.OnMouseOverMessage(message);
            return true;
        });
    if (!displayObjects)
        return false;

    // Only a positive event has an id after it; 0 and negatives end the list.
    for (;;)
    {
        UISoundRecord sound;
        if (!reader.I16(sound.event))
        {
            LogShortRecord(file);
            return false;
        }
        if (sound.event <= 0)
        {
            sink.OnSoundsEnd(sound.event);
            break;
        }
        if (!reader.U16(sound.soundId))
        {
            LogShortRecord(file);
            return false;
        }
        sink.OnSound(sound.event, sound.soundId);
    }

    return ReadNamesUntil(reader, file, kEndChildren,
                          [&](const std::string& name) { return sink.OnChild(name, file); });
}

bool UILayoutCodec::ReadItems(FCFile& file, ItemSink& sink)
{
    Reader reader(file);
    return ReadNamesUntil(reader, file, kEndItems,
                          [&](const std::string& name) { return sink.OnItem(name, file); });
}

UILayoutCodec::PayloadKind UILayoutCodec::KindOf(std::string_view className)
{
    for (const KindEntry& entry : kKinds)
        if (entry.name == className)
            return entry.kind;
    return PayloadKind::kUnknown;
}

// --- Trees ----------------------------------------------------------------

namespace
{
bool PayloadFits(UILayoutCodec::PayloadKind kind, const UILayoutPayload& payload)
{
    using K = UILayoutCodec::PayloadKind;
    switch (kind)
    {
    case K::kObject:
    case K::kControl:
    case K::kButton:
    case K::kSlider:
    case K::kScrollControl:
    case K::kListBox:
    case K::kTextListBox:
    case K::kTextControl:
    case K::kNumberEdit:
    case K::kImageControl:
        return std::holds_alternative<UIObjectRecord>(payload);
    case K::kDisplayObject:
        return std::holds_alternative<UIDisplayObjectRecord>(payload);
    case K::kFill:
        return std::holds_alternative<UIFillRecord>(payload);
    case K::kImage:
        return std::holds_alternative<UIImageRecord>(payload);
    case K::kText:
        return std::holds_alternative<UITextRecord>(payload);
    case K::kUnknown:
        break;
    }
    return false;
}

// A control's records and items must be those of its kind; a class the
// tools do not know stores only what its node holds.
bool ControlFits(UILayoutCodec::PayloadKind kind, const UILayoutNode& node)
{
    const ControlShape* shape = ShapeOf(kind);
    if (!shape)
        return kind == UILayoutCodec::PayloadKind::kUnknown;
    return node.own.index() == shape->own && node.afterItems.index() == shape->afterItems &&
           (shape->items || node.items.empty());
}
} // namespace

bool UILayoutCodec::IsControlKind(PayloadKind kind)
{
    return ShapeOf(kind) != nullptr;
}

bool UILayoutCodec::WriteNode(Bytes& out, const UILayoutNode& node)
{
    return WriteNodeAt(out, node, 0);
}

bool UILayoutCodec::WriteNodeAt(Bytes& out, const UILayoutNode& node, int depth)
{
    if (depth >= kMaxDepth)
        return false;
    const PayloadKind kind = KindOf(node.className);
    if (kind != PayloadKind::kUnknown &&
        (!PayloadFits(kind, node.payload) || node.isControl != IsControlKind(kind)))
        return false;
    if (node.isControl && !ControlFits(kind, node))
        return false;
    Writer writer(out);
    if (!writer.String(node.className))
        return false;
    const bool payloadOk =
        std::visit([&](const auto& record) { return Transfer(writer, record); }, node.payload);
    if (!payloadOk)
        return false;
    if (!node.isControl)
        return true;

    for (const UILayoutNode& item : node.displayItems)
    {
        if (item.className == kMouseOverMessage)
        {
            writer.String(kMouseOverMessage);
            writer.U16(item.mouseOverMessage);
        }
        else if (item.className == kEndDisplayObjects || !WriteNodeAt(out, item, depth + 1))
            return false;
    }
    writer.String(kEndDisplayObjects);

    for (const UISoundRecord& sound : node.sounds)
    {
        // A non-positive event would end the list early and leave its id
        // to be read as a class name.
        if (sound.event <= 0)
            return false;
        Transfer(writer, sound);
    }
    if (node.soundEnd > 0)
        return false;
    writer.I16(node.soundEnd);

    for (const UILayoutNode& child : node.children)
        if (child.className == kEndChildren || !WriteNodeAt(out, child, depth + 1))
            return false;
    writer.String(kEndChildren);

    const auto writeRecord = [&](const UILayoutControlRecord& record)
    { return std::visit([&](const auto& r) { return Transfer(writer, r); }, record); };
    if (!writeRecord(node.own))
        return false;
    const ControlShape* shape = ShapeOf(kind);
    if (shape && shape->items)
    {
        for (const UILayoutNode& item : node.items)
            if (item.className == kEndItems || !item.isControl || !WriteNodeAt(out, item, depth + 1))
                return false;
        writer.String(kEndItems);
    }
    if (!writeRecord(node.afterItems))
        return false;
    out.insert(out.end(), node.tail.begin(), node.tail.end());
    return true;
}

UILayoutCodec::Bytes UILayoutCodec::WriteFile(const UILayoutNode& root, bool* ok)
{
    Bytes out;
    const bool written = WriteNode(out, root);
    if (ok)
        *ok = written;
    if (!written)
        out.clear();
    return out;
}

class UILayoutCodec::TreeSink : public UILayoutCodec::SectionSink
{
public:
    TreeSink(UILayoutNode& target, int nodeDepth) : node(target), depth(nodeDepth) {}

    bool OnDisplayObject(const std::string& className, FCFile& file) override
    {
        UILayoutNode item;
        item.className = className;
        if (!Load(item, file))
            return false;
        if (item.isControl)
        {
            FC_LOG("Control %s among display objects\n", className.c_str());
            return false;
        }
        node.displayItems.push_back(std::move(item));
        return true;
    }
    void OnMouseOverMessage(std::uint16_t message) override
    {
        UILayoutNode item;
        item.className = std::string(UILayoutCodec::kMouseOverMessage);
        item.mouseOverMessage = message;
        node.displayItems.push_back(std::move(item));
    }
    void OnSound(std::int16_t event, std::uint16_t soundId) override
    {
        node.sounds.push_back({event, soundId});
    }
    void OnSoundsEnd(std::int16_t event) override { node.soundEnd = event; }
    bool OnChild(const std::string& className, FCFile& file) override
    {
        UILayoutNode child;
        child.className = className;
        if (!Load(child, file))
            return false;
        if (!child.isControl)
        {
            FC_LOG("%s is not a control\n", className.c_str());
            return false;
        }
        node.children.push_back(std::move(child));
        return true;
    }

    bool Load(UILayoutNode& target, FCFile& file)
    {
        return UILayoutCodec::ReadNodeAt(file, target, depth + 1);
    }

    UILayoutNode& node;
    int depth;
};

class UILayoutCodec::ItemTreeSink : public UILayoutCodec::ItemSink
{
public:
    ItemTreeSink(UILayoutNode& target, int nodeDepth) : node(target), depth(nodeDepth) {}

    bool OnItem(const std::string& className, FCFile& file) override
    {
        UILayoutNode item;
        item.className = className;
        if (!UILayoutCodec::ReadNodeAt(file, item, depth + 1))
            return false;
        if (!item.isControl)
        {
            FC_LOG("List item %s is not a control\n", className.c_str());
            return false;
        }
        node.items.push_back(std::move(item));
        return true;
    }

    UILayoutNode& node;
    int depth;
};

bool UILayoutCodec::ReadNode(FCFile& file, UILayoutNode& node)
{
    Reader reader(file);
    node = UILayoutNode{};
    if (!reader.String(node.className))
    {
        LogShortRecord(file);
        return false;
    }
    return ReadNodeAt(file, node, 0);
}

bool UILayoutCodec::ReadNodeAt(FCFile& file, UILayoutNode& node, int depth)
{
    if (depth >= kMaxDepth)
    {
        FC_LOG("Layout nested too deeply\n");
        return false;
    }
    bool ok = false;
    const PayloadKind kind = KindOf(node.className);
    switch (kind)
    {
    case PayloadKind::kUnknown:
        FC_LOG("Unknown layout class: %s\n", node.className.c_str());
        return false;
    case PayloadKind::kObject:
        ok = Read(file, node.payload.emplace<UIObjectRecord>());
        break;
    case PayloadKind::kControl:
    case PayloadKind::kButton:
    case PayloadKind::kSlider:
    case PayloadKind::kScrollControl:
    case PayloadKind::kListBox:
    case PayloadKind::kTextListBox:
    case PayloadKind::kTextControl:
    case PayloadKind::kNumberEdit:
    case PayloadKind::kImageControl:
        node.isControl = true;
        ok = Read(file, node.payload.emplace<UIObjectRecord>());
        break;
    case PayloadKind::kDisplayObject:
        ok = Read(file, node.payload.emplace<UIDisplayObjectRecord>());
        break;
    case PayloadKind::kFill:
        ok = Read(file, node.payload.emplace<UIFillRecord>());
        break;
    case PayloadKind::kImage:
        ok = Read(file, node.payload.emplace<UIImageRecord>());
        break;
    case PayloadKind::kText:
        ok = Read(file, node.payload.emplace<UITextRecord>());
        break;
    }
    if (!ok || !node.isControl)
        return ok;
    TreeSink sink(node, depth);
    if (!ReadControlSections(file, sink))
        return false;

    const ControlShape* shape = ShapeOf(kind);
    const auto readRecord = [&](UILayoutControlRecord& record, std::size_t index)
    {
        EmplaceAt(record, index);
        return std::visit([&](auto& r) { return Read(file, r); }, record);
    };
    if (!readRecord(node.own, shape->own))
        return false;
    if (shape->items)
    {
        ItemTreeSink items(node, depth);
        if (!ReadItems(file, items))
            return false;
    }
    return readRecord(node.afterItems, shape->afterItems);
}
