#pragma once

#include "Vel_ui/Vel_UIPanel.h"

#include <array>
#include <cstdint>

class UIEditControl;

// The page of the character's nine free-text notes, one line each. What
// the user types is the character's note at once, so that no way of
// leaving the page or the program can lose it.
class Vel_UINotes : public Vel_UIPanel
{
public:
    static constexpr std::uint16_t kScreenId = 11500;
    static constexpr std::uint16_t kFirstFieldId = 11520;
    static constexpr std::size_t kFieldCount = 9;

    Vel_UINotes();
    // The copy finds its own fields.
    Vel_UINotes(const Vel_UINotes& other);
    ~Vel_UINotes() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    bool Load(FCFile& file) override;
    bool HandleNotify(UIEvent& event) override;

    void EnterPage() override;

protected:
    // Quietly in a copy, whose children are still the layout's own.
    void BindFields(bool logMissing);
    // Takes the field's text as note i when it differs.
    void StoreNote(std::size_t index);
    std::ptrdiff_t FieldIndexOf(const UIControl* control) const;

    std::array<UIEditControl*, kFieldCount> fields{};
    // Set while the page writes the fields, whose reports are not typing.
    bool updating = false;
};
