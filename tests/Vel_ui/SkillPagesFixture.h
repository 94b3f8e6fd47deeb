#pragma once

// The character window with its built skills and feats pages over the
// fixture rule set: a hero made to measure, real drags through the window
// manager, and the rows of a page's lists.

#include "Ui/UIComboBox.h"
#include "Ui/UIListBox.h"
#include "Ui/UITextControl.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel/Rules/VelSkillRules.h"
#include "Vel_ui/CharWindowFixture.h"
#include "Vel_ui/Vel_UIItem.h"
#include "Vel_ui/Vel_UIListBox.h"

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class SkillPagesFixture : public CharWindowFixture
{
protected:
    static constexpr std::uint16_t kSkillsEntry = 4703;
    static constexpr std::uint16_t kFeatsEntry = 4704;

    void SetUp() override
    {
        CharWindowFixture::SetUp();
        // The built skills page, not the window tests' stand-in.
        std::filesystem::remove(ui.Folder().GetPath() + "/UI/velSkills.ui");
        Remake({kFighter});
    }

    // A new current hero of the fixture race with these classes at the
    // level, every ability 12 but INT, no increases to spend.
    void Remake(std::initializer_list<std::uint16_t> classIds, std::uint16_t level = 1,
                std::uint16_t intScore = 12)
    {
        // The fixture holds one reference to its hero, as the window's does.
        VelCharacter* previous = hero;
        hero = VelClient::CreateCharacter();
        hero->raceId = RulesFixture::kRace;
        for (std::uint16_t classId : classIds)
            hero->AddClass(classId)->level = level;
        FinishCharacterSetup(hero, true);
        for (std::int16_t a = 0; a < 6; ++a)
            SetAbilityScore(hero, a, a == VelEntity::kInt ? intScore : 12, false);
        ComputeSkillPoints(hero);
        hero->SetValue(VelCharacter::kValueIncreasesToAssign, 0);
        hero->changeMask = 0;
        hero->modified = 0;
        VelClient::SetCurrentCharacter(hero);
        if (previous)
            previous->Release();
    }

    // Opens the window and shows the page of the navigation entry.
    template <class T> T* OpenPage(std::uint16_t entry)
    {
        if (!Open())
            return nullptr;
        ClickChild(entry);
        return dynamic_cast<T*>(window->GetCurrentPage());
    }

    static FCPoint Centre(const UIControl* control)
    {
        const FCRect rect = control->GetScreenRect();
        return FCPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    void Drag(FCPoint from, FCPoint to)
    {
        ui.Press(from.x, from.y);
        ui.Move(from.x - 20, from.y);
        ui.Move(to.x, to.y);
        ui.Release(to.x, to.y);
        ui.Update();
    }
    // The row, scrolled into sight, onto the middle of the target.
    void DragRow(UIListBox* list, UIControl* row, const UIControl* target)
    {
        ASSERT_NE(row, nullptr);
        list->ScrollToItem(row);
        ui.Update();
        Drag(Centre(row), Centre(target));
    }

    template <class Row = Vel_UIItem> static std::vector<Row*> Rows(const UIListBox* list)
    {
        std::vector<Row*> rows;
        UIListBox::ItemCursor cursor;
        UIControl* item = nullptr;
        list->BeginIteration(cursor);
        while (list->NextItem(item, cursor))
            if (auto* row = dynamic_cast<Row*>(item))
                rows.push_back(row);
        return rows;
    }
    template <class Row = Vel_UIItem>
    static Row* FindRow(const UIListBox* list, const std::function<bool(const Row&)>& match)
    {
        for (Row* row : Rows<Row>(list))
            if (match(*row))
                return row;
        return nullptr;
    }
    static std::vector<std::string> Names(const UIListBox* list)
    {
        std::vector<std::string> names;
        for (Vel_UIItem* row : Rows(list))
            names.push_back(row->GetColumnText(0));
        return names;
    }
    static bool Draggable(const UIControl* row)
    {
        return row && (row->GetDragFlags() & UIControl::kDraggable) != 0;
    }
    std::string Text(std::uint16_t id) const
    {
        auto* text = dynamic_cast<UITextControl*>(window->FindDescendant(id));
        return text ? text->GetText() : "?";
    }
    // Chooses the entry with the data in a page's combo box, as a user does.
    void Choose(std::uint16_t comboId, std::int32_t data)
    {
        auto* combo = dynamic_cast<UIComboBox*>(window->FindDescendant(comboId));
        ASSERT_NE(combo, nullptr);
        ClickControl(combo->GetButton());
        UIControl* entry = combo->GetList()->FindItemByData(static_cast<std::uint32_t>(data));
        ASSERT_NE(entry, nullptr);
        combo->GetList()->ScrollToItem(entry);
        ui.Update();
        ClickControl(entry);
    }
    VelCharacterClass* ClassEntry(std::uint16_t classId) { return hero->FindClass(classId); }
    std::int32_t PointsLeft(std::uint16_t classId)
    {
        const VelCharacterClass* entry = ClassEntry(classId);
        return entry->skillPointsAvailable - entry->skillPointsSpent;
    }
};
