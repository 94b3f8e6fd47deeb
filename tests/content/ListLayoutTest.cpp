// Every list of every screen, page, row and dialog layout the program
// ships, loaded from the built layouts with the rows the program puts in
// it: the view holds whole rows, so the last row scrolls fully into view;
// and a list that can hold more rows than it shows has a scroll bar the
// user can see: both arrows and a thumb drawn from the skin, the thumb
// between the arrows wherever it goes.

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCObject.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIComboBox.h"
#include "Ui/UIImage.h"
#include "Ui/UIListBox.h"
#include "Ui/UIScrollFrame.h"
#include "Ui/UISlider.h"
#include "Ui/UITextControl.h"
#include "Ui/UITextListBox.h"
#include "Vel_ui/Vel_UIPanel.h"
#include "content/BuiltAssetsTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace
{
// The most rows a list can be given: kUnbounded where the character or the
// rule set can fill it without end (or beyond any view), else the count
// the page or the rule set puts there.
constexpr int kUnbounded = 0;

struct ListRows
{
    std::vector<const char*> rowLayouts; // empty: the list's own rows (a selector's entry, text rows, items)
    int most = kUnbounded;
};

// Keyed by layout and list id; a selector's drop-down by its selector's id.
const std::map<std::pair<std::string, int>, ListRows>& KnownLists()
{
    static const std::map<std::pair<std::string, int>, ListRows> lists = {
        {{"velAbilities.ui", 5530}, {{"velItem_W32_12pt.ui"}}},
        {{"velAnimal.ui", 10035}, {{"velItem_W32_16pt.ui"}}},
        {{"velAnimal.ui", 10205}, {{"velAnimalItem.ui"}}},
        {{"velCharConfig.ui", 4506}, {}},                         // the character's classes
        {{"velCharSetup.ui", 1520}, {{}, 7}},                     // races
        {{"velCharSetup.ui", 1530}, {{}, 9}},                     // alignments
        {{"velCharSetup.ui", 1540}, {{"velClassLevelItem.ui"}, 11}}, // one row per class
        {{"velCharSetup.ui", 1565}, {{"velItem_N32_16pt.ui"}, 11}},
        {{"velEquip.ui", 10600}, {{}, 3}},
        {{"velEquip.ui", 11030}, {{"velEquipHandItem.ui", "velCharInventoryItemWithIcon.ui"}}},
        {{"velEquip.ui", 11200}, {{"velCharInventoryItemWithIcon.ui"}}},
        {{"velFeats.ui", 6700}, {{}, 6}},
        {{"velFeats.ui", 6710}, {{"velItem_W32_12pt.ui"}}},
        {{"velFeats.ui", 6520}, {{"velItem_W32_12pt.ui"}}},
        {{"velFeats.ui", 6521}, {{"velItem_W32_12pt.ui"}}},
        {{"velFeats.ui", 6560}, {{"velItem_W32_12pt.ui"}}},
        {{"velFileDialog.ui", 161}, {}},
        {{"velGod.ui", 8200}, {{"velItem_W32_16pt.ui"}}},
        {{"velGod.ui", 8210}, {{"velItem_W32_16pt.ui"}}},
        {{"velInventory.ui", 10600}, {{}, 5}},  // categories
        {{"velInventory.ui", 10610}, {{}, 14}}, // the magic kinds
        {{"velInventory.ui", 10620}, {{}, 7}},  // the casting classes
        {{"velInventory.ui", 10630}, {{}, 10}}, // spell levels
        {{"velInventory.ui", 10530}, {{"velCharInventoryItem.ui"}}},
        {{"velInventory.ui", 10650}, {{"velInventoryItem.ui"}}},
        {{"velLanguage.ui", 7020}, {{"velItem_N32.ui"}}},
        {{"velLanguage.ui", 7200}, {{"velItem_N32.ui"}}},
        {{"velMessageDialog.ui", 100}, {}},
        {{"StdFileNotFoundDialog.ui", 100}, {}},
        {{"velRoller.ui", 16062}, {{}, 3}},
        {{"velSchool.ui", 9020}, {{}, 3}},
        {{"velSchool.ui", 9200}, {{"velItem_W32_16pt.ui"}}},
        {{"velSchool.ui", 9210}, {{"velItem_W32_16pt.ui"}}},
        {{"velSelectTarget.ui", 16100}, {{"velSelectTargetItem.ui"}}},
        {{"velSkills.ui", 6030}, {{}, 3}},
        {{"velSkills.ui", 6200}, {{"velSkillITem.ui"}}},
        {{"velSkills.ui", 6020}, {{"velCharSkillItem.ui"}}},
        {{"velSpecial.ui", 7520}, {{"velItem_W32_12pt.ui"}}},
        {{"velSpecial.ui", 7700}, {{"velItem_W32_12pt.ui"}}},
        {{"velSpell.ui", 9700}, {}}, // schools, or every domain
        {{"velSpell.ui", 9705}, {{}, 11}},
        {{"velSpell.ui", 9505}, {{}, 2}},
        {{"velSpell.ui", 9710}, {{"velSpellItem.ui"}}},
        {{"velSpell.ui", 9711}, {{"velSpellItem.ui"}}},
        {{"velSpell.ui", 9540}, {{"velSpellItem.ui"}}},
    };
    return lists;
}

template <class T> T* As(FCObject* object)
{
    return dynamic_cast<T*>(object);
}

// A page shown inside the window's layout is a layout of its own.
void CollectLists(UIControl& control, std::vector<UIListBox*>& lists)
{
    if (auto* list = dynamic_cast<UIListBox*>(&control))
        lists.push_back(list);
    for (std::uint32_t i = 0; i < control.GetChildCount(); ++i)
        if (UIControl* child = control.GetChildAt(i); !dynamic_cast<Vel_UIPanel*>(child))
            CollectLists(*child, lists);
}

bool HasSkinImage(const UIControl* control)
{
    if (!control)
        return false;
    for (std::uint32_t i = 0; i < control->GetDisplayObjectCount(); ++i)
        if (auto* image = dynamic_cast<UIImage*>(control->GetDisplayObjectAt(i)); image && image->HasImage())
            return true;
    return false;
}

// Shown whenever the list is: a closed drop-down hides its list, not the bar.
bool ShownWithin(const UIControl* control, const UIControl& list)
{
    for (; control && control != &list; control = control->GetParent())
        if (control->GetVisibleFlag() != 1)
            return false;
    return control == &list;
}

// One row of each kind the list holds, made as the program makes it.
std::vector<UIControl*> MakeRows(UIListBox& list, UIComboBox* selector, const ListRows& known)
{
    std::vector<UIControl*> rows;
    for (const char* layout : known.rowLayouts)
        if (auto* row = As<UIControl>(FCClassRegistry::LoadObjectFromFile(layout)))
            rows.push_back(row);
        else
            ADD_FAILURE() << "no row layout " << layout;
    if (!known.rowLayouts.empty())
        return rows;
    if (selector && selector->GetItemTemplate())
        rows.push_back(As<UIControl>(selector->GetItemTemplate()->Clone()));
    else if (list.GetItemCount() > 0)
        rows.push_back(As<UIControl>(list.ItemAt(0, 0)->Clone()));
    else if (auto* text = dynamic_cast<UITextListBox*>(&list))
        if (UITextControl* row = text->AddTextItem("row", text->GetFontId(), 1))
        {
            row->AddRef();
            text->RemoveAllItems();
            rows.push_back(row);
        }
    return rows;
}

class ListLayoutTest : public BuiltAssetsTest
{
protected:
    // The program's own layouts: the widget tests' fixtures (test*) are not shown.
    static std::vector<std::string> ShippedLayouts()
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(std::string(STAVELORN_BINARY_DIR) + "/Resources/UI"))
        {
            const std::string name = entry.path().filename().string();
            if (entry.path().extension() == ".ui" && name.rfind("test", 0) != 0)
                names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    void CheckList(const std::string& layout, UIListBox& list)
    {
        auto* selector = dynamic_cast<UIComboBox*>(list.GetParent());
        const int key = selector ? selector->GetId() : list.GetId();
        SCOPED_TRACE(layout + " list " + std::to_string(key));
        const auto known = KnownLists().find({layout, key});
        ASSERT_NE(known, KnownLists().end()) << "a list whose rows this test does not know";
        ++checked;
        UIScrollFrame* frame = list.GetScrollFrame();
        UISlider* bar = list.GetScrollBar();
        ASSERT_TRUE(frame && bar);
        const std::int32_t view = frame->GetSize().y;
        for (UIControl* row : MakeRows(list, selector, known->second))
        {
            const std::int32_t height = row->GetSize().y;
            ASSERT_GT(height, 0);
            EXPECT_EQ(view % height, 0) << "a view of " << view << " cuts rows " << height << " high";
            const int shown = view / height;
            if (known->second.most == kUnbounded || known->second.most > shown)
                CheckBarSeen(list, *bar, row, shown + 1);
            row->Release();
        }
    }

    // Fills the list beyond its view and looks at its bar at both ends.
    static void CheckBarSeen(UIListBox& list, UISlider& bar, UIControl* row, int count)
    {
        list.RemoveAllItems();
        for (int i = 0; i < count; ++i)
            list.AddItem(As<UIControl>(row->Clone()), 0);
        list.UpdateLayout();
        UIControl* thumb = bar.FindDescendant(127);
        UIControl* up = bar.FindDescendant(124);
        UIControl* down = bar.FindDescendant(125);
        ASSERT_TRUE(thumb && up && down) << "the bar lacks its arrows or its thumb";
        EXPECT_TRUE(ShownWithin(thumb, list)) << "a list fuller than its view hides its thumb";
        EXPECT_TRUE(HasSkinImage(thumb) && HasSkinImage(up) && HasSkinImage(down)) << "the bar draws nothing";
        std::int32_t least = 0;
        std::int32_t most = 0;
        bar.GetRange(least, most);
        for (std::int32_t value : {least, most})
        {
            bar.SetValue(value);
            const std::int32_t top = thumb->GetAbsolutePosition().y;
            const std::int32_t bottom = top + thumb->GetSize().y;
            EXPECT_GE(top, up->GetAbsolutePosition().y + up->GetSize().y) << "the thumb covers the up arrow at " << value;
            EXPECT_LE(bottom, down->GetAbsolutePosition().y) << "the thumb covers the down arrow at " << value;
        }
        list.RemoveAllItems();
    }

    int checked = 0;
};

TEST_F(ListLayoutTest, EveryListShowsWholeRowsAndABarToScrollTheRest)
{
    for (const std::string& layout : ShippedLayouts())
    {
        FCObject* object = FCClassRegistry::LoadObjectFromFile(layout);
        auto* root = dynamic_cast<UIControl*>(object);
        if (!root)
        {
            // Rows and fragments that are not controls hold no list.
            if (object)
                object->Release();
            continue;
        }
        std::vector<UIListBox*> lists;
        CollectLists(*root, lists);
        for (UIListBox* list : lists)
            CheckList(layout, *list);
        object->Release();
    }
    EXPECT_EQ(checked, static_cast<int>(KnownLists().size())) << "a known list is gone from its layout";
}
} // namespace
