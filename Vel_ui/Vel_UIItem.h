#pragma once

#include "Ui/UIControl.h"

#include <cstdint>
#include <string>

class FCImageBuffer;
class UINumberScroll;

// One row of the character screens' lists: a control made from a small row
// layout with text cells (14501 + column), image cells (14510 + column), a
// number scroller (14520) and a remove mark (display object 14502), plus
// what the row stands for, so that its owner can read a dropped copy.
class Vel_UIItem : public UIControl
{
public:
    static constexpr std::uint16_t kClassCode = 1101;
    static constexpr std::uint16_t kFirstTextCell = 14501;
    static constexpr std::uint16_t kFirstImageCell = 14510;
    static constexpr std::uint16_t kScrollId = 14520;
    static constexpr std::uint16_t kRemoveMarkId = 14502;
    // Input flag: the enter and leave reports of the cells count as the row's.
    static constexpr std::uint16_t kForwardEnterLeave = 0x20;

    Vel_UIItem();
    // Keeps the font variant along with the cells' fonts, so that a dragged
    // copy or a selector's display looks and answers like its row.
    Vel_UIItem(const Vel_UIItem& other);
    ~Vel_UIItem() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // The control load; the first cell lets the mouse through to the row.
    bool Load(FCFile& file) override;
    std::uint16_t QueryAcceptDrop(UIControl* dragged) override;
    std::uint16_t QueryDropOnto(UIControl* target) override;
    bool HandleNotify(UIEvent& event) override;

    // The row stored in a layout file, with one reference for the caller;
    // null (logged) when it is missing or not a row.
    static Vel_UIItem* CreateFromLayout(const std::string& layoutName);
    // The same as a page's own row class; null (logged) for any other row.
    template <class T> static T* CreateFromLayoutAs(const std::string& layoutName)
    {
        Vel_UIItem* row = CreateFromLayout(layoutName);
        auto* typed = dynamic_cast<T*>(row);
        if (row && !typed)
            ReleaseWrongRow(row, layoutName);
        return typed;
    }

    // Variants 0 to 2 reach the first cell; others are only remembered.
    virtual void SetFontVariant(std::int16_t variant);
    // Column operations on a cell the layout lacks are logged and do nothing.
    virtual void SetColumnText(std::int16_t column, const std::string& text);
    virtual std::string GetColumnText(std::int16_t column) const;
    virtual void SetColumnFont(std::int16_t column, std::uint16_t fontId);
    virtual void SetColumnImage(std::int16_t column, std::uint16_t imageSetId, std::uint16_t frame);
    virtual double GetScrollValue() const;
    virtual void SetScrollValue(double value);
    // Range first, then the arrows follow it and 1009 is reported.
    virtual void SetScrollRange(double minimum, double maximum);
    // The scroller's step; a fractional step shows one decimal (half ranks).
    void SetScrollStep(double step);

    void SetColumnImageBuffer(std::int16_t column, FCImageBuffer* image);
    UIControl* GetColumnControl(std::int16_t column) const;
    UINumberScroll* GetNumberScroll() const;
    void SetDraggable(bool draggable);
    // A row of a pick list that may be taken: variant 0 and draggable; one
    // that may not: variant 1 (ash) and fixed in place.
    void SetTakeable(bool takeable);
    void ShowRemoveMark(bool show);

    // Orderings for UIListBox::SortItems: column 0's bytes as unsigned
    // values (a prefix first), and the key.
    static bool CompareByName(UIControl* a, UIControl* b);
    static bool CompareByKey(UIControl* a, UIControl* b);

    std::int16_t GetFontVariant() const { return fontVariant; }

    std::uint16_t category = 0;
    std::uint16_t kind = 0;
    // A record key, or where a page says so a pointer: pointer-wide.
    std::intptr_t key = -1;

protected:
    // Logs that the layout holds another row class and lets the row go.
    static void ReleaseWrongRow(Vel_UIItem* row, const std::string& layoutName);

    std::int16_t fontVariant = 0;
};
