#pragma once

// The character window with the built spells, school and animal pages over
// the fixture rule set: a character of the classes a test names, the pages
// opened through their navigation entries, classes picked in the window's
// selector and rows dragged through the window manager.

#include "Ui/UIComboBox.h"
#include "Ui/UIListBox.h"
#include "Ui/UITextControl.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterListener.h"
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel_ui/CharWindowFixture.h"
#include "Vel_ui/Vel_UIItem.h"
#include "Vel_ui/Vel_UIPanel.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <utility>

// Counts the character's notifications and the change bits they carried,
// then passes each on to the window.
struct NotificationRecorder : VelCharacterListener
{
    void OnCharacterChanged(VelCharacter* character) override
    {
        ++calls;
        bits |= character->changeMask;
        if (next)
            next->OnCharacterChanged(character);
    }
    int calls = 0;
    std::uint32_t bits = 0;
    VelCharacterListener* next = nullptr;
};

class MagicPageFixture : public CharWindowFixture
{
protected:
    static constexpr std::uint16_t kFirstEntry = 4702;
    static constexpr std::int16_t kSchoolPage = 6;
    static constexpr std::int16_t kSpellPage = 7;
    static constexpr std::int16_t kAnimalPage = 8;

    void SetUp() override
    {
        CharWindowFixture::SetUp();
        ASSERT_TRUE(RulesFixture::LoadMagicSchools());
    }
    void TearDown() override
    {
        // STAVELORN_SCREENSHOTS=folder keeps a picture of each test's last screen.
        if (const char* shots = std::getenv("STAVELORN_SCREENSHOTS"))
        {
            const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
            ui.Update();
            ui.Paint();
            ui.SavePng(std::string(shots) + "/" + test->test_suite_name() + "." + test->name() + ".png");
        }
        if (VelCharacter* character = VelClient::GetCurrentCharacter();
            character && character->GetListener() == &recorder)
            character->SetListener(recorder.next);
        CharWindowFixture::TearDown();
    }

    // A new current character of the classes (id, level) with the ability
    // scores given (-1 keeps the rolled one), made as the set-up makes it.
    VelCharacter* MakeHero(std::initializer_list<std::pair<std::uint16_t, std::uint16_t>> classes,
                           std::initializer_list<std::int16_t> scores = {})
    {
        VelCharacter* made = VelClient::CreateCharacter();
        made->raceId = RulesFixture::kRace;
        for (const auto& [classId, level] : classes)
            made->AddClass(classId)->level = level;
        FinishCharacterSetup(made, true);
        std::int16_t ability = 0;
        for (std::int16_t score : scores)
        {
            if (score >= 0)
                SetAbilityScore(made, ability, static_cast<std::uint16_t>(score), false);
            ++ability;
        }
        made->SetValue(VelCharacter::kValueIncreasesToAssign, 0);
        made->money = VelCoins();
        made->modified = 0;
        VelClient::SetCurrentCharacter(made);
        // The fixture holds its hero with a reference of its own.
        hero->Release();
        hero = made;
        // The next page opens in a window of its own, listening to this one.
        window = nullptr;
        return made;
    }

    // The window, then the page through its navigation entry.
    template <class Page> Page* OpenPage(std::int16_t index)
    {
        if (!window && !Open())
            return nullptr;
        ClickChild(static_cast<std::uint16_t>(kFirstEntry + index));
        return dynamic_cast<Page*>(window->GetCurrentPage());
    }

    // The class picked in the window's selector, as the user picks it.
    void PickClass(std::uint16_t classId)
    {
        auto* selector = dynamic_cast<UIComboBox*>(window->FindDescendant(Vel_UIWin_CharConfig::kClassSelector));
        ASSERT_NE(selector, nullptr);
        UIControl* entry = selector->GetList()->FindItemByData(classId);
        ASSERT_NE(entry, nullptr) << classId;
        UIListBox::SelectItem(entry, 0);
        ui.Update();
    }

    // The entry of a page's combo box with the data, chosen as the user does.
    void Choose(const UIControl* page, std::uint16_t comboId, std::uint32_t data)
    {
        auto* combo = dynamic_cast<UIComboBox*>(page->FindDescendant(comboId));
        ASSERT_NE(combo, nullptr) << comboId;
        UIControl* entry = combo->GetList()->FindItemByData(data);
        ASSERT_NE(entry, nullptr) << comboId << " " << data;
        UIListBox::SelectItem(entry, 0);
        ui.Update();
    }

    void ListenForChanges()
    {
        recorder.next = hero->GetListener();
        hero->SetListener(&recorder);
    }

    static FCPoint Centre(const UIControl* control)
    {
        const FCRect rect = control->GetScreenRect();
        return FCPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    // Where the pointer takes hold of a control: near its left end, since
    // the shared rows are wider than the lists that clip them.
    static FCPoint GrabPoint(const UIControl* control)
    {
        const FCRect rect = control->GetScreenRect();
        return FCPoint(rect.left + std::min(24, (rect.right - rect.left) / 2), (rect.top + rect.bottom) / 2);
    }
    // Press on the row, move past the drag threshold, release over the point.
    void Drag(const UIControl* from, FCPoint to)
    {
        ASSERT_NE(from, nullptr);
        const FCPoint start = GrabPoint(from);
        ui.Press(start.x, start.y);
        ui.Move(start.x - 20, start.y);
        ui.Move(to.x, to.y);
        ui.Release(to.x, to.y);
        ui.Update();
    }
    void Drag(const UIControl* from, const UIControl* onto)
    {
        ASSERT_NE(onto, nullptr);
        Drag(from, Centre(onto));
    }
    // A point of the window outside every list, tray and field.
    static FCPoint Outside() { return FCPoint(400, 20); }

    void Hover(const UIControl* control)
    {
        ASSERT_NE(control, nullptr);
        const FCPoint at = GrabPoint(control);
        ui.Move(at.x, at.y);
        ui.Update();
    }

    // The row of a list with the text in its first cell, scrolled into view.
    static Vel_UIItem* RowNamed(UIListBox* list, const std::string& text)
    {
        if (!list)
            return nullptr;
        for (std::int32_t i = 0; UIControl* item = list->ItemAt(i, 0); ++i)
            if (auto* row = dynamic_cast<Vel_UIItem*>(item); row && row->GetColumnText(0) == text)
            {
                list->ScrollToItem(row);
                list->UpdateLayout();
                return row;
            }
        return nullptr;
    }
    static bool Draggable(const UIControl* row)
    {
        return row && (row->GetDragFlags() & UIControl::kDraggable) != 0;
    }
    static std::string TextOf(const UIControl* page, std::uint16_t id)
    {
        auto* text = dynamic_cast<UITextControl*>(page->FindDescendant(id));
        return text ? text->GetText() : "?";
    }
    static bool Shown(const UIControl* page, std::uint16_t id)
    {
        const UIControl* control = page->FindDescendant(id);
        return control && control->IsVisible();
    }
    // What a combo box shows as chosen: its display, a copy of the entry row.
    static std::string ChosenText(const UIControl* page, std::uint16_t comboId)
    {
        auto* combo = dynamic_cast<UIComboBox*>(page->FindDescendant(comboId));
        auto* shown = combo ? dynamic_cast<Vel_UIItem*>(combo->GetDisplay()) : nullptr;
        return shown ? shown->GetColumnText(0) : "?";
    }
    std::string HelpLine() const { return TextOf(window, Vel_UIWin_CharConfig::kHelpLine); }
    VelCharacterClass* Entry(std::uint16_t classId) const { return hero->FindClass(classId); }

    NotificationRecorder recorder;
};
