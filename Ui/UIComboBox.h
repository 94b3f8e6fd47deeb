#pragma once

#include "Ui/UIControl.h"

#include <cstdint>

class UIListBox;

// A drop-down: a display of the current choice (child 150), a button (151)
// that opens and closes a list (152), and an item template (153) that the
// screens clone for each entry. A choice replaces the display with a copy
// of the chosen row, closes the list and reports 1002 with the row.
class UIComboBox : public UIControl
{
public:
    static constexpr std::uint16_t kClassCode = 141;
    static constexpr std::uint16_t kDisplayId = 150;
    static constexpr std::uint16_t kButtonId = 151;
    static constexpr std::uint16_t kListId = 152;
    static constexpr std::uint16_t kTemplateId = 153;

    UIComboBox();
    // Binds its own copied parts and shares the item template.
    UIComboBox(const UIComboBox& other);
    ~UIComboBox() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // The control, then binds its parts; takes the template out of the
    // children. A missing part is logged and left unbound; a list that is
    // no list box fails the load.
    bool Load(FCFile& file) override;
    bool HandleNotify(UIEvent& event) override;
    virtual void SetListClosed(std::uint8_t closed);
    virtual std::uint8_t IsListClosed() const;
    // Both take over the caller's reference; the entry reports its choice
    // on release.
    virtual bool AddItem(UIControl* item, std::uint8_t relayout);
    virtual bool AddItemWithData(UIControl* item, std::uint32_t data, std::uint8_t relayout);
    // A copy of the item becomes the display, at the old display's place
    // and size; the list closes.
    virtual void SetCurrentItem(UIControl* item);

    // The screens' form of AddItemWithData.
    bool AddItem(UIControl* item, std::uint32_t data, bool relayout)
    {
        return AddItemWithData(item, data, relayout ? 1 : 0);
    }
    // Lays the list out.
    void UpdateList();
    UIControl* GetItemTemplate() const { return itemTemplate; }
    UIListBox* GetList() const { return list; }
    UIControl* GetDisplay() const { return display; }
    UIControl* GetButton() const { return button; }

protected:
    // Binds display, list and button; false for a list of the wrong class.
    bool BindParts(bool logMissing);

    UIControl* display = nullptr;
    // One reference; not a child.
    UIControl* itemTemplate = nullptr;
    UIListBox* list = nullptr;
    UIControl* button = nullptr;
};
