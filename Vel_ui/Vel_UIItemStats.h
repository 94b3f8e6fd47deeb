#pragma once

#include "Ui/UIControl.h"

#include <cstdint>
#include <span>
#include <string>

class UITextControl;
class VelItemInfo;

// A small panel of text fields that shows the game values of the item under
// the pointer. Each kind of item has its own box, read from the page's
// layout by class name; the base is never made by itself.
class Vel_UIItemStats : public UIControl
{
public:
    Vel_UIItemStats() = default;
    Vel_UIItemStats(const Vel_UIItemStats& other) = default;
    ~Vel_UIItemStats() override;

    // The control load, then the fields are found among the descendants.
    bool Load(FCFile& file) override;

    // Null, or a record of another kind, empties every field. The options
    // and the two values are those of the row the item comes from.
    virtual void ShowItem(const VelItemInfo* record, std::uint32_t options, std::int32_t a,
                          std::uint32_t b) = 0;

    // A text of the asset index; null when it has none with that id.
    static const std::string* TextOf(std::int32_t textId);

protected:
    // Each box finds its own fields; a copy calls it too (quietly: the
    // registered prototype has none), so that it points at its own copied
    // fields and never at the original's.
    virtual void BindFields(bool logMissing) = 0;
    // Binds fields.size() fields numbered from firstId; a missing one stays
    // null.
    void BindRange(std::span<UITextControl*> fields, std::uint16_t firstId, bool logMissing);
    static void ShowText(UITextControl* field, const std::string& text);
    static void ShowNumber(UITextControl* field, std::int32_t value);
    // A number when above 0, else the dash of a value that does not apply.
    static void ShowBonus(UITextControl* field, std::int32_t value);
    static void Clear(std::span<UITextControl* const> fields);
};
