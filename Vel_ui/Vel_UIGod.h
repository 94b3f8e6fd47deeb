#pragma once

#include "Vel_ui/Vel_UIPanel.h"
#include "Vel_ui/Vel_UIRowPrototype.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

class VelCharacter;
class VelDomainInfo;
class VelGodInfo;
class Vel_UIItem;
class Vel_UIItemTray;
class Vel_UIListBox;

// The page on which a priest chooses a god and two domains: each sits in a
// tray that shows one row. A god or a domain dragged from its list into its
// tray is chosen, one dragged out of the tray is given up. The lists grey
// what does not suit the character or the choices made.
class Vel_UIGod : public Vel_UIPanel
{
public:
    static constexpr std::uint16_t kScreenId = 8000;
    static constexpr std::uint16_t kGodTrayId = 8010;
    static constexpr std::uint16_t kFirstDomainTrayId = 8030;
    static constexpr std::uint16_t kGodListId = 8200;
    static constexpr std::uint16_t kDomainListId = 8210;
    // Row kinds.
    static constexpr std::uint16_t kGodKind = 8200;
    static constexpr std::uint16_t kDomainKind = 8210;
    static constexpr const char* kRowLayout = "velItem_W32_16pt.ui";
    // What an empty tray's hidden row holds.
    static constexpr const char* kEmptyText = "`";

    Vel_UIGod();
    // The copy finds its own children.
    Vel_UIGod(const Vel_UIGod& other);
    ~Vel_UIGod() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    bool Load(FCFile& file) override;
    bool HandleNotify(UIEvent& event) override;

    void EnterPage() override;
    bool OnMouseOverEnter(UIControl* control) override;
    bool OnMouseOverLeave(UIControl* control) override;

    // Whether the god may be chosen now: no god yet, the god suits the
    // character and holds the domains already chosen.
    static bool IsGodOpen(const VelCharacter& character, const VelGodInfo& god);
    // Whether the domain may be chosen now: a slot free, the domain suits
    // the character and its god, and neither it nor its opposite is held.
    static bool IsDomainOpen(const VelCharacter& character, const VelDomainInfo& domain);

protected:
    // Quietly in a copy, whose children are still the layout's own.
    void BindChildren(bool logMissing);
    void FillGodList(const VelCharacter& character);
    void FillDomainList(const VelCharacter& character);
    void FillGodTray(const VelCharacter& character);
    void FillDomainTrays(const VelCharacter& character);
    // What a filled tray's row shows.
    struct TrayContent
    {
        // The record's address; -1 for an id the database lacks.
        std::intptr_t key = -1;
        std::string name;
        std::string second;
        // Shown in variant 2 when the choice no longer suits the character.
        bool suits = true;
    };
    // Null empties the tray.
    void FillTray(Vel_UIItemTray* tray, std::uint16_t kind, const TrayContent* content);
    void ChooseGod(VelCharacter& character, const Vel_UIItem& row);
    void ChooseDomain(VelCharacter& character, std::size_t slot, const Vel_UIItem& row);
    void ClearGod(VelCharacter& character);
    void ClearDomain(VelCharacter& character, std::size_t slot);
    // After a choice: the other controls and the window.
    void ShowChange(VelCharacter& character);
    std::ptrdiff_t DomainSlotOf(const UIControl* tray) const;

    Vel_UIItemTray* godTray = nullptr;
    std::array<Vel_UIItemTray*, 2> domainTrays{};
    Vel_UIListBox* godList = nullptr;
    Vel_UIListBox* domainList = nullptr;
    Vel_UIRowPrototype rows{kRowLayout};
};
