#pragma once

#include "Ui/UIListBox.h"
#include "Vel_ui/Vel_UIItem.h"

#include <cstdint>
#include <string>

// A list of rows that takes rows dragged out of other lists: any row
// (Vel_UIItem or a class derived from it) from another container is
// accepted, a row of its own never is. Rows added to a drag container
// become draggable.
class Vel_UIListBox : public UIListBox
{
public:
    static constexpr std::uint16_t kClassCode = 1000;

    Vel_UIListBox();
    Vel_UIListBox(const Vel_UIListBox& other);
    ~Vel_UIListBox() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // The list load, then the scroll position snaps to whole rows.
    bool Load(FCFile& file) override;
    std::uint16_t QueryAcceptDrop(UIControl* dragged) override;
    bool AddItem(UIControl* item, std::uint8_t relayout) override;
    // A drag that ends after the owner rebuilt this list (the row is no
    // longer one of its items) is simply let go: the row is neither shown
    // again nor reported as dragged off a second time.
    bool HandleNotify(UIEvent& event) override;

    // Takes over the caller's reference. The first row of an empty list
    // sets the row size.
    virtual bool AddRow(UIControl* row, std::uint32_t data, bool relayout);
    virtual void SetAllRowsFontVariant(std::int16_t variant);

    // fn(row) for every row that is a Row, in the list's order.
    template <class Row, class Fn> void EachRow(Fn&& fn) const
    {
        UIControl* item = nullptr;
        ItemCursor cursor;
        BeginIteration(cursor);
        while (NextItem(item, cursor))
            if (auto* row = dynamic_cast<Row*>(item))
                fn(*row);
    }
};
