#pragma once

// A character page shown in the character window through its navigation
// entry, over the built layouts and the fixture rule set, with the real
// notes page in place of the window tests' stand-in; rows are moved by real
// drags through the window manager.

#include "Ui/UITextControl.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel_ui/CharWindowFixture.h"
#include "Vel_ui/Vel_UIItem.h"
#include "Vel_ui/Vel_UIListBox.h"

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

class CharPageFixture : public CharWindowFixture
{
protected:
    struct ClassLevel
    {
        std::uint16_t classId;
        std::uint16_t level;
    };

    // Left of the page area, below the hand-step counters: nothing there
    // takes a drop.
    static constexpr FCPoint kNowhere{40, 470};

    void SetUp() override
    {
        CharWindowFixture::SetUp();
        std::filesystem::remove(ui.Folder().Join("UI/velNotes.ui"));
    }

    // A new current character of the fixture race with these classes, made
    // as the set-up window makes one, its INT set afterwards (which sets the
    // languages it may learn), with no ability increases left to spend.
    VelCharacter* MakeHero(std::initializer_list<ClassLevel> classes, std::uint16_t intScore = 10)
    {
        VelCharacter* made = VelClient::CreateCharacter();
        made->raceId = RulesFixture::kRace;
        for (const ClassLevel& c : classes)
            made->AddClass(c.classId)->level = c.level;
        FinishCharacterSetup(made, true);
        SetAbilityScore(made, VelEntity::kInt, intScore, false);
        // Increases to spend would open the roller over the window.
        made->SetValue(VelCharacter::kValueIncreasesToAssign, 0);
        made->changeMask = 0;
        made->modified = 0;
        VelClient::SetCurrentCharacter(made);
        // The fixture's own reference moves to the new character.
        hero->Release();
        hero = made;
        return made;
    }

    // The window, showing the page of that navigation entry.
    template <class Page> Page* OpenPage(std::uint16_t entry)
    {
        if (!Open())
            return nullptr;
        ClickChild(entry);
        return dynamic_cast<Page*>(window->GetCurrentPage());
    }

    template <class T> T* Child(std::uint16_t id) const
    {
        return dynamic_cast<T*>(window->FindDescendant(id));
    }

    std::string HelpLine() const
    {
        const auto* help = Child<UITextControl>(Vel_UIWin_CharConfig::kHelpLine);
        return help ? help->GetText() : "?";
    }
    std::string TextOf(std::uint16_t stringId) const
    {
        const std::string* text = FCResourceManager::GetInstance()->GetString(stringId);
        return text ? *text : "(no text)";
    }

    static FCPoint Centre(const UIControl* control)
    {
        const FCRect rect = control->GetScreenRect();
        return FCPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }

    // Near the left end, half-way down: a wide row's centre may lie past the
    // right edge of the list that shows it.
    static FCPoint GrabPoint(const UIControl* control)
    {
        const FCRect rect = control->GetScreenRect();
        return FCPoint(rect.left + std::min(24, (rect.right - rect.left) / 2), (rect.top + rect.bottom) / 2);
    }

    // Presses on the control, moves past the drag threshold and lets go at
    // the point.
    void Drag(const UIControl* from, FCPoint to)
    {
        ASSERT_NE(from, nullptr);
        const FCPoint start = GrabPoint(from);
        ui.Press(start.x, start.y);
        ui.Move(start.x + 20, start.y);
        ui.Move(to.x, to.y);
        ui.Release(to.x, to.y);
        ui.Update();
    }
    void Drag(const UIControl* from, const UIControl* to)
    {
        ASSERT_NE(to, nullptr);
        Drag(from, Centre(to));
    }
    // The pointer onto the control, then off the window's controls.
    void Hover(const UIControl* control)
    {
        const FCPoint at = GrabPoint(control);
        ui.Move(at.x, at.y);
    }
    void HoverAway() { ui.Move(kNowhere.x, kNowhere.y); }

    static std::vector<Vel_UIItem*> Rows(const Vel_UIListBox* list)
    {
        std::vector<Vel_UIItem*> rows;
        if (list)
            list->EachRow<Vel_UIItem>([&](Vel_UIItem& row) { rows.push_back(&row); });
        return rows;
    }
    static std::vector<std::intptr_t> Keys(const Vel_UIListBox* list)
    {
        std::vector<std::intptr_t> keys;
        for (const Vel_UIItem* row : Rows(list))
            keys.push_back(row->key);
        return keys;
    }
    static std::vector<std::string> Texts(const Vel_UIListBox* list)
    {
        std::vector<std::string> texts;
        for (const Vel_UIItem* row : Rows(list))
            texts.push_back(row->GetColumnText(0));
        return texts;
    }
    static Vel_UIItem* RowWithText(const Vel_UIListBox* list, const std::string& text)
    {
        for (Vel_UIItem* row : Rows(list))
            if (row->GetColumnText(0) == text)
                return row;
        return nullptr;
    }
    static Vel_UIItem* RowWithKey(const Vel_UIListBox* list, std::intptr_t key)
    {
        for (Vel_UIItem* row : Rows(list))
            if (row->key == key)
                return row;
        return nullptr;
    }
    // Shown as open (variant 0) and draggable.
    static bool Takeable(const Vel_UIItem* row)
    {
        return row && row->GetFontVariant() == 0 &&
               (row->GetDragFlags() & UIControl::kDraggable) != 0;
    }
    static bool Draggable(const UIControl* row)
    {
        return row && (row->GetDragFlags() & UIControl::kDraggable) != 0;
    }
};
