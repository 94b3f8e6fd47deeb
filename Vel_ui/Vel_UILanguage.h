#pragma once

#include "Vel_ui/Vel_UIPanel.h"
#include "Vel_ui/Vel_UIRowPrototype.h"

#include <cstdint>

class UITextControl;
class VelCharacter;
class Vel_UIItem;
class Vel_UIListBox;

// The page on which the character learns the languages its INT allows: a
// language dragged from the available list onto the known list is learnt,
// one dragged off the known list is forgotten. Languages the character
// speaks by its race or class, or knows through the language skill, stay.
class Vel_UILanguage : public Vel_UIPanel
{
public:
    static constexpr std::uint16_t kScreenId = 7000;
    static constexpr std::uint16_t kCounterId = 7010;
    static constexpr std::uint16_t kKnownListId = 7020;
    static constexpr std::uint16_t kAvailableListId = 7200;
    static constexpr const char* kRowLayout = "velItem_N32.ui";

    Vel_UILanguage();
    // The copy finds its own children.
    Vel_UILanguage(const Vel_UILanguage& other);
    ~Vel_UILanguage() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    bool Load(FCFile& file) override;
    bool HandleNotify(UIEvent& event) override;

    void EnterPage() override;
    void OnCharacterChanged(VelCharacter* character) override;
    bool OnMouseOverEnter(UIControl* control) override;
    bool OnMouseOverLeave(UIControl* control) override;

    // Whether the character may learn the language now: a choice left,
    // open to it, and not known in either way.
    static bool IsLearnable(const VelCharacter& character, std::uint16_t languageId);

protected:
    // Quietly in a copy, whose children are still the layout's own.
    void BindChildren(bool logMissing);
    void FillAvailable(const VelCharacter& character);
    void ShowAvailableStates(const VelCharacter& character);
    void ShowCounter(const VelCharacter& character);
    // keepPlace: after the user's own change the list stays where it was.
    void FillKnown(const VelCharacter& character, bool keepPlace = false);
    void ShowCharacter(const VelCharacter& character);
    void Learn(VelCharacter& character, const Vel_UIItem& row);
    void Forget(VelCharacter& character, const Vel_UIItem& row);

    UITextControl* counter = nullptr;
    Vel_UIListBox* known = nullptr;
    Vel_UIListBox* available = nullptr;
    Vel_UIRowPrototype rows{kRowLayout};
};
