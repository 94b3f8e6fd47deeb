#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "Ui/UIControl.h"

#include <cstdint>

// A control whose direct children form one selection group. Members ask to
// be selected with 1002 or to be deselected with 1003; the group decides
// who ends up selected, applies it through each member's SetSelected and
// lets the message bubble on. Loads as a plain control.
class UIGroup : public UIControl
{
public:
    static constexpr std::uint16_t kClassCode = 116;

    // Selection modes.
    static constexpr std::uint32_t kSingle = 0;
    static constexpr std::uint32_t kControlToggles = 1; // shift selects a range
    static constexpr std::uint32_t kShiftToggles = 2;   // control selects a range
    static constexpr std::uint32_t kAlwaysToggle = 3;

    UIGroup();
    explicit UIGroup(std::uint16_t newId);
    // Copies the mode and allowNone; the copy has no anchor.
    UIGroup(const UIGroup& other);
    ~UIGroup() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;

    // DeselectAll, then the member becomes the anchor and is set.
    bool SelectOnly(UIControl* member, std::uint8_t select);
    // Deselects every selected member directly (no refusal), telling the
    // parent with one 1003 each, and forgets the anchor.
    void DeselectAll();
    // Members from the anchor to this one get `select`, all others the
    // opposite; without an anchor the range is the member alone.
    void SelectRange(UIControl* member, std::uint8_t select);
    bool Toggle(UIControl* member);
    // A selection the program makes rather than a click: the member's
    // RequestSelect, but a selected member asked to be selected stays as it
    // is (no report), and the request is never read as modifier keys, so
    // it never toggles. False for null.
    bool RequestSelectMember(UIControl* member, std::uint8_t select, std::uintptr_t param);
    // RequestSelectMember on the descendant with the id; false when there is none.
    bool SelectById(std::uint8_t select, std::uint16_t memberId, std::uintptr_t param);
    // The n-th selected member (from 0), or null.
    UIControl* GetSelected(std::uint32_t n) const;
    std::uint32_t CountSelected() const;
    // The member last chosen by a plain selection, while it is still a member.
    UIControl* GetAnchor() const;

    std::uint32_t GetSelectionMode() const { return selectionMode; }
    void SetSelectionMode(std::uint32_t mode) { selectionMode = mode; }
    std::uint8_t GetAllowNone() const { return allowNone; }
    void SetAllowNone(std::uint8_t allow) { allowNone = allow; }

    // Refuses (false) to deselect the last selected member unless allowNone.
    virtual bool SetMemberSelected(UIControl* member, std::uint8_t select);
    bool HandleNotify(UIEvent& event) override;

protected:
    // Applies a 1002 from a member by the selection mode.
    void ApplyRequest(UIControl* member, std::uintptr_t modifiers, bool byProgram);

    // Held with a reference, so a member removed by any path leaves no
    // dangling anchor; one that is no longer a child counts as none.
    FCCountedRef<UIControl> anchor;
    std::uint8_t allowNone = 0;
    std::uint32_t selectionMode = kSingle;
    // The member whose program-made request is under way.
    UIControl* programRequest = nullptr;
};
