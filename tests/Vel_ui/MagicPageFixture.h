#pragma once

// The spells, school and animal pages in the character window, as the page
// fixture shows every page, with the seven schools of the magic pages: a
// character of the classes and scores a test names, the pages opened in one
// window through their navigation entries, classes picked in the window's
// selector.

#include "Ui/UIComboBox.h"
#include "Ui/UIListBox.h"
#include "Ui/UITextControl.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterListener.h"
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel_ui/CharPageFixture.h"
#include "Vel_ui/Vel_UIItem.h"
#include "Vel_ui/Vel_UIPanel.h"

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

class MagicPageFixture : public CharPageFixture
{
protected:
    static constexpr std::uint16_t kFirstEntry = 4702;
    static constexpr std::int16_t kSchoolPage = 6;
    static constexpr std::int16_t kSpellPage = 7;
    static constexpr std::int16_t kAnimalPage = 8;

    void SetUp() override
    {
        CharPageFixture::SetUp();
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
        CharPageFixture::TearDown();
    }

    // A new current character of the classes with the ability scores given
    // in order from STR (-1 keeps the one made), and no money.
    VelCharacter* MakeHero(std::initializer_list<ClassLevel> classes, std::initializer_list<std::int16_t> scores = {})
    {
        VelCharacter* made = CharPageFixture::MakeHero(classes);
        std::int16_t ability = 0;
        for (std::int16_t score : scores)
        {
            if (score >= 0)
                SetAbilityScore(made, ability, static_cast<std::uint16_t>(score), false);
            ++ability;
        }
        made->money = VelCoins();
        made->changeMask = 0;
        // The next page opens in a window of its own, listening to this one.
        window = nullptr;
        return made;
    }

    // The page through its navigation entry, in the window already open.
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

    // The row of a list with the text in its first cell, scrolled into view.
    static Vel_UIItem* RowNamed(UIListBox* list, const std::string& text)
    {
        Vel_UIItem* row = RowWithText(dynamic_cast<Vel_UIListBox*>(list), text);
        if (row)
        {
            list->ScrollToItem(row);
            list->UpdateLayout();
        }
        return row;
    }
    static std::string TextIn(const UIControl* page, std::uint16_t id)
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
    VelCharacterClass* Entry(std::uint16_t classId) const { return hero->FindClass(classId); }

    NotificationRecorder recorder;
};
