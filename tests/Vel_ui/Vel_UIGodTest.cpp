// The god page in the character window over its built layout and the
// fixture rule set: a god and two domains chosen by dragging rows into
// their trays and given up by dragging them out, the lists greyed by the
// choices and the character, trays that take only their kind, a choice
// that no longer suits, and the icons shown on hover.

#include "Ui/UIImage.h"
#include "Ui/UIImageControl.h"
#include "Ui/UIText.h"
#include "Vel/Rules/VelFormatRules.h"
#include "Vel_ui/CharPageFixture.h"
#include "Vel_ui/Vel_UIGod.h"
#include "Vel_ui/Vel_UIItemTray.h"

#include <filesystem>
#include <functional>

namespace
{
using G = Vel_UIGod;
using F = RulesFixture;
using W = Vel_UIWin_CharConfig;
constexpr std::uint16_t kEntry = 4707;
constexpr std::uint16_t kPriest = 2;

class GodPageTest : public CharPageFixture
{
protected:
    G* OpenGod()
    {
        G* page = OpenPage<G>(kEntry);
        gods = Child<Vel_UIListBox>(G::kGodListId);
        domains = Child<Vel_UIListBox>(G::kDomainListId);
        return page;
    }
    Vel_UIItemTray* Tray(std::uint16_t id) const { return Child<Vel_UIItemTray>(id); }
    Vel_UIItemTray* DomainTray(int slot) const
    {
        return Tray(static_cast<std::uint16_t>(G::kFirstDomainTrayId + slot));
    }
    Vel_UIItem* TrayRow(const Vel_UIItemTray* tray) const
    {
        return dynamic_cast<Vel_UIItem*>(tray->GetHolder());
    }
    static std::vector<std::string> Open(const Vel_UIListBox* list)
    {
        std::vector<std::string> names;
        for (const Vel_UIItem* row : Rows(list))
            if (Takeable(row))
                names.push_back(row->GetColumnText(0));
        return names;
    }
    void Choose(const Vel_UIListBox* list, const char* name, const Vel_UIItemTray* tray)
    {
        Drag(RowWithText(list, name), tray);
    }
    void GiveUp(const Vel_UIItemTray* tray) { Drag(TrayRow(tray), kNowhere); }
    std::uint16_t Domain(int slot) const { return hero->domainIds[static_cast<std::size_t>(slot)]; }

    Vel_UIListBox* gods = nullptr;
    Vel_UIListBox* domains = nullptr;
};

TEST_F(GodPageTest, ChoicesGreyTheListsAndGivingUpOpensThemAgain)
{
    MakeHero({{kPriest, 1}});
    ASSERT_NE(OpenGod(), nullptr);
    EXPECT_EQ(W::GetHelpId(), G::kScreenId);
    // Shade shuts out the default alignment; Order needs another one.
    EXPECT_EQ(Texts(gods), (std::vector<std::string>{"The All", "Sun", "Storm", "Shade", "Sun"}));
    EXPECT_EQ(Open(gods), (std::vector<std::string>{"The All", "Sun", "Storm", "Sun"}));
    EXPECT_EQ(Open(domains), (std::vector<std::string>{"Sky", "Earth", "Light", "Dark"}));
    for (int slot = -1; slot < 2; ++slot)
    {
        const Vel_UIItemTray* tray = slot < 0 ? Tray(G::kGodTrayId) : DomainTray(slot);
        EXPECT_FALSE(TrayRow(tray)->GetVisibleFlag()) << slot;
        EXPECT_EQ(TrayRow(tray)->GetColumnText(0), "`");
        EXPECT_NE(tray->GetDragFlags() & UIControl::kDropTarget, 0) << slot;
    }

    struct Step
    {
        const char* what;
        std::function<void()> act;
        std::uint16_t god;
        std::uint16_t first;
        std::uint16_t second;
        std::vector<std::string> openGods;
        std::vector<std::string> openDomains;
    };
    const std::uint16_t none = VelCharacter::kNone;
    const Step steps[] = {
        {"Storm", [&] { Choose(gods, "Storm", Tray(G::kGodTrayId)); }, F::kGodStorm, none, none,
         {}, {"Sky", "Earth", "Dark"}},
        {"Dark", [&] { Choose(domains, "Dark", DomainTray(0)); }, F::kGodStorm, F::kDomainDark, none,
         {}, {"Sky", "Earth"}},
        {"Sky", [&] { Choose(domains, "Sky", DomainTray(1)); }, F::kGodStorm, F::kDomainDark,
         F::kDomainSky, {}, {}},
        {"Sky given up", [&] { GiveUp(DomainTray(1)); }, F::kGodStorm, F::kDomainDark, none, {},
         {"Sky", "Earth"}},
        // Only gods that hold the domain kept are open.
        {"Storm given up", [&] { GiveUp(Tray(G::kGodTrayId)); }, none, F::kDomainDark, none,
         {"The All", "Storm"}, {"Sky", "Earth"}},
        {"Dark given up", [&] { GiveUp(DomainTray(0)); }, none, none, none,
         {"The All", "Sun", "Storm", "Sun"}, {"Sky", "Earth", "Light", "Dark"}},
    };
    for (const Step& step : steps)
    {
        SCOPED_TRACE(step.what);
        hero->modified = 0;
        step.act();
        EXPECT_EQ(hero->godId, step.god);
        EXPECT_EQ(Domain(0), step.first);
        EXPECT_EQ(Domain(1), step.second);
        EXPECT_EQ(Open(gods), step.openGods);
        EXPECT_EQ(Open(domains), step.openDomains);
        EXPECT_EQ(hero->modified, 1);
        // A filled tray shows its row and takes nothing more.
        const Vel_UIItemTray* godTray = Tray(G::kGodTrayId);
        const bool hasGod = step.god != none;
        EXPECT_EQ(TrayRow(godTray)->GetVisibleFlag() != 0, hasGod);
        EXPECT_EQ((godTray->GetDragFlags() & UIControl::kDropTarget) == 0, hasGod);
    }
}

TEST_F(GodPageTest, TraysTakeOnlyTheirKindAndNoDomainTwice)
{
    MakeHero({{kPriest, 1}});
    ASSERT_NE(OpenGod(), nullptr);
    Choose(domains, "Earth", DomainTray(0));
    ASSERT_EQ(Domain(0), F::kDomainEarth);
    EXPECT_EQ(TrayRow(DomainTray(0))->GetColumnText(0), "Earth");
    EXPECT_EQ(TrayRow(DomainTray(0))->GetColumnText(1), "Earth answers your call");
    // Each empty tray answers by the row's kind.
    EXPECT_EQ(DomainTray(1)->QueryAcceptDrop(RowWithText(gods, "Sun")), UIControl::kRefuse);
    EXPECT_EQ(DomainTray(1)->QueryAcceptDrop(RowWithText(domains, "Sky")), UIControl::kAccept);
    EXPECT_EQ(Tray(G::kGodTrayId)->QueryAcceptDrop(RowWithText(domains, "Sky")), UIControl::kRefuse);
    EXPECT_EQ(Tray(G::kGodTrayId)->QueryAcceptDrop(RowWithText(gods, "Sun")), UIControl::kAccept);

    struct Case
    {
        const char* what;
        std::function<void()> act;
    };
    const Case cases[] = {
        {"a god onto a domain tray", [&] { Choose(gods, "Sun", DomainTray(1)); }},
        {"a domain onto the god tray", [&] { Choose(domains, "Sky", Tray(G::kGodTrayId)); }},
        {"a domain tray's row onto the other", [&] { Drag(TrayRow(DomainTray(0)), DomainTray(1)); }},
        {"a held domain by a stale row",
         [&]
         {
             Vel_UIItem* row = RowWithText(domains, "Earth");
             row->SetDraggable(true);
             Drag(row, DomainTray(1));
         }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        hero->modified = 0;
        c.act();
        EXPECT_EQ(hero->godId, VelCharacter::kNone);
        EXPECT_EQ(Domain(0), F::kDomainEarth);
        EXPECT_EQ(Domain(1), VelCharacter::kNone);
        EXPECT_EQ(hero->modified, 0);
    }
    // A god chosen while one is set, through a stale row, changes nothing.
    Choose(gods, "Storm", Tray(G::kGodTrayId));
    ASSERT_EQ(hero->godId, F::kGodStorm);
    Vel_UIItem* stale = RowWithText(gods, "The All");
    stale->SetDraggable(true);
    Vel_UIItemTray::SetAcceptsDrops(Tray(G::kGodTrayId), true);
    Drag(stale, Tray(G::kGodTrayId));
    EXPECT_EQ(hero->godId, F::kGodStorm);
}

TEST_F(GodPageTest, AChoiceThatNoLongerSuitsShowsInVariantTwo)
{
    MakeHero({{kPriest, 1}});
    // Chosen under another alignment: Shade and Order shut out 9.
    hero->godId = F::kGodShade;
    hero->domainIds = {F::kDomainOrder, F::kDomainEarth};
    ASSERT_NE(OpenGod(), nullptr);
    EXPECT_EQ(TrayRow(Tray(G::kGodTrayId))->GetColumnText(0), "Shade");
    EXPECT_EQ(TrayRow(Tray(G::kGodTrayId))->GetFontVariant(), 2);
    const Vel_UIItem* order = TrayRow(DomainTray(0));
    EXPECT_EQ(order->GetFontVariant(), 2);
    EXPECT_EQ(dynamic_cast<UITextControl*>(order->GetColumnControl(1))->GetTextObject()->GetFontVariant(), 2);
    EXPECT_EQ(TrayRow(DomainTray(1))->GetFontVariant(), 0);
    EXPECT_TRUE(Open(gods).empty());
    EXPECT_TRUE(Open(domains).empty());
    // Still given up like any other.
    GiveUp(Tray(G::kGodTrayId));
    EXPECT_EQ(hero->godId, VelCharacter::kNone);
}

TEST_F(GodPageTest, HoverShowsTheIconAndTheDescriptionAndCopesWithoutAnIcon)
{
    MakeHero({{kPriest, 1}});
    // A picture under the name the fixture's Sky domain gives its icon.
    std::filesystem::create_directories(ui.Folder().Join("Icons"));
    std::filesystem::copy_file(std::string(STAVELORN_BINARY_DIR) + "/Resources/Icons/class_cleric.jpg",
                               ui.Folder().Join(std::string("Icons/") + F::kSkyIcon));
    ASSERT_NE(OpenGod(), nullptr);
    auto* picture = Child<UIImageControl>(W::kSharedPicture);
    auto* info = Child<UITextControl>(W::kSharedInfoText);
    ASSERT_NE(picture, nullptr);
    const std::string caption = info->GetText();
    ASSERT_FALSE(caption.empty()) << "the class's caption";
    auto shown = [&] { return picture->GetImage() ? picture->GetImage()->GetImageBuffer() : nullptr; };

    Hover(RowWithText(domains, "Sky"));
    EXPECT_NE(shown(), nullptr);
    EXPECT_EQ(shown(), LoadIcon(F::kSkyIcon));
    EXPECT_EQ(HelpLine(), "The domain of Sky.");
    EXPECT_EQ(info->GetText(), "");
    HoverAway();
    EXPECT_EQ(HelpLine(), TextOf(G::kScreenId));
    EXPECT_EQ(info->GetText(), caption) << "the class again";

    // No picture for Earth: nothing shown, nothing broken.
    Hover(RowWithText(domains, "Earth"));
    EXPECT_EQ(shown(), nullptr);
    EXPECT_EQ(HelpLine(), "The domain of Earth.");
    HoverAway();
    // A chosen domain's row in its tray answers the same way.
    Choose(domains, "Sky", DomainTray(0));
    Hover(TrayRow(DomainTray(0)));
    EXPECT_EQ(shown(), LoadIcon(F::kSkyIcon));
    HoverAway();
}
} // namespace
