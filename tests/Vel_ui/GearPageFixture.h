#pragma once

// The character window with the inventory and equipment pages from the built
// layouts, over the fixture rule set with the gear records and their icons.
// Drags go through the window manager as the pointer makes them: down, a
// move past the drag threshold, the move to the target, up.

#include "Vel_ui/CharWindowFixture.h"

#include "Ui/UIComboBox.h"
#include "Ui/UIListBox.h"
#include "Ui/UITextControl.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel_ui/Vel_UIEquip.h"
#include "Vel_ui/Vel_UIInvItem.h"
#include "Vel_ui/Vel_UIInventory.h"
#include "support/GearRecords.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

class GearPageFixture : public CharWindowFixture
{
protected:
    static constexpr std::int16_t kInventoryPage = 9;
    static constexpr std::int16_t kEquipPage = 10;
    static constexpr std::int16_t kNotesPage = 11;

    void SetUp() override
    {
        CharWindowFixture::SetUp();
        ASSERT_TRUE(GearRecords::Load());
        GearRecords::WriteIcons(ui.Folder());
        hero->SetCoins(0, 0);
        hero->SetCoins(1, 0);
        hero->SetCoins(2, 100);
        ASSERT_NE(Open(), nullptr);
    }

    // Enters the page, through another one when it is the page shown, so
    // that it fills itself anew.
    template <class Page> Page* Show(std::int16_t index)
    {
        if (window->GetCurrentPageIndex() == index)
            window->SelectPage(kNotesPage);
        window->SelectPage(index);
        ui.Update();
        return dynamic_cast<Page*>(window->GetCurrentPage());
    }
    Vel_UIInventory* ShowInventory() { return Show<Vel_UIInventory>(kInventoryPage); }
    Vel_UIEquip* ShowEquip() { return Show<Vel_UIEquip>(kEquipPage); }

    static FCPoint Centre(const UIControl* control)
    {
        const FCRect rect = control->GetScreenRect();
        return FCPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    // Scrolls the list a row lies in so that the row shows.
    void Reveal(UIControl* row)
    {
        for (UIControl* at = row ? row->GetParent() : nullptr; at; at = at->GetParent())
            if (auto* list = dynamic_cast<UIListBox*>(at))
            {
                list->ScrollToItem(row);
                ui.Update();
                return;
            }
    }
    // Presses on the control, moves past the drag threshold, lets go at to.
    void Drag(UIControl* from, FCPoint to)
    {
        ASSERT_NE(from, nullptr);
        Reveal(from);
        const FCPoint start = Centre(from);
        ui.Press(start.x, start.y);
        ui.Move(start.x + 8, start.y + 8);
        ui.Move(start.x + 20, start.y + 12);
        ui.Move(to.x, to.y);
        ui.Release(to.x, to.y);
        ui.Update();
    }
    void Hover(UIControl* control)
    {
        Reveal(control);
        const FCPoint at = Centre(control);
        ui.Move(at.x, at.y);
        ui.Update();
    }

    // The rows of the gear records: the fixture rule set's weapons that serve
    // the skills and feats pages (free, of every category) are left out, so
    // that what these tests expect of the shop stays their own.
    static std::vector<Vel_UIItem*> Rows(const UIListBox* list)
    {
        static const std::array<std::string, 9> kOtherPagesWeapons = {
            "Axe", "Maul", "Chain Whip", "Blowgun", "Knife", "Sling", "Net", "Longblade", "Rapier"};
        const auto isOther = [](const Vel_UIItem* row)
        {
            const std::string name = row ? row->GetColumnText(0) : std::string();
            return std::any_of(kOtherPagesWeapons.begin(), kOtherPagesWeapons.end(),
                               [&](const std::string& weapon)
                               { return name == weapon || name.rfind(weapon + " ", 0) == 0; });
        };
        std::vector<Vel_UIItem*> rows;
        UIControl* item = nullptr;
        UIListBox::ItemCursor cursor;
        list->BeginIteration(cursor);
        while (list->NextItem(item, cursor))
        {
            auto* row = dynamic_cast<Vel_UIItem*>(item);
            if (!isOther(row))
                rows.push_back(row);
        }
        return rows;
    }
    static std::vector<std::string> Names(const UIListBox* list)
    {
        std::vector<std::string> names;
        for (const Vel_UIItem* row : Rows(list))
            names.push_back(row ? row->GetColumnText(0) : "?");
        return names;
    }
    static Vel_UIItem* RowNamed(const UIListBox* list, const std::string& name)
    {
        for (Vel_UIItem* row : Rows(list))
            if (row && row->GetColumnText(0) == name)
                return row;
        return nullptr;
    }
    // The data of a selector's entries, in order.
    static std::vector<std::int32_t> Entries(UIComboBox* selector)
    {
        std::vector<std::int32_t> data;
        for (Vel_UIItem* row : Rows(selector->GetList()))
            data.push_back(static_cast<std::int32_t>(selector->GetList()->GetItemData(row)));
        return data;
    }
    // The entries of a selector that shows; none for a hidden one.
    static std::vector<std::int32_t> Offered(UIComboBox* selector)
    {
        if (!selector || selector->GetVisibleFlag() != 1)
            return {};
        return Entries(selector);
    }
    // Chooses the entry holding data as a user's click does (parameter 0).
    static void Choose(UIComboBox* selector, std::int32_t data)
    {
        ASSERT_NE(selector, nullptr);
        UIControl* entry = selector->GetList()->FindItemByData(static_cast<std::uint32_t>(data));
        ASSERT_NE(entry, nullptr) << "no entry " << data << " in selector " << selector->GetId();
        UIListBox::SelectItem(entry, 0);
    }
    std::string Text(std::uint16_t id) const
    {
        auto* text = dynamic_cast<UITextControl*>(window->FindDescendant(id));
        return text ? text->GetText() : "?";
    }
    std::string HelpLine() const { return Text(Vel_UIWin_CharConfig::kHelpLine); }

    VelCharacterItem* Own(std::uint16_t recordId, std::uint32_t options = 0, std::uint32_t a = 0)
    {
        VelCharacterItem* entry = hero->AddItem(VelDatabase::FindItem(recordId));
        if (entry)
        {
            entry->options = options;
            entry->count = a;
        }
        return entry;
    }

    // With STAVELORN_SCREENSHOTS set, the screen as it stands is kept there.
    void Shot(const std::string& name)
    {
        ui.Frame();
        if (const char* folder = std::getenv("STAVELORN_SCREENSHOTS"))
            ui.SavePng(std::string(folder) + "/" + name + ".png");
    }
};
