#pragma once

#include "Vel_ui/Vel_UIPanel.h"
#include "Vel_ui/Vel_UIRowPrototype.h"

#include <cstdint>

class UITextControl;
class VelCharacter;
class VelCharacterFeature;
class VelClassFeatureInfo;
class Vel_UIItem;
class Vel_UIListBox;

// The page on which the classes that offer special abilities to choose
// (classes 1, 7 and 8) spend their choices: an ability dragged from the
// class's list onto the character's is taken, one dragged off is given
// back. An ability that grants a general feat raises the feats allowed.
class Vel_UISpecial : public Vel_UIPanel
{
public:
    static constexpr std::uint16_t kScreenId = 7500;
    // The help while the class has more than one kind of choice to make.
    static constexpr std::uint16_t kHelpWithChoices = 7501;
    static constexpr std::uint16_t kChoicesLabelId = 7505;
    static constexpr std::uint16_t kChoicesLeftId = 7510;
    static constexpr std::uint16_t kChosenListId = 7520;
    static constexpr std::uint16_t kAvailableListId = 7700;
    static constexpr std::uint16_t kHeadingId = 7705;
    // Row kinds: the character's feature entry, a class-feature record.
    static constexpr std::uint16_t kChosenKind = 7500;
    static constexpr std::uint16_t kAvailableKind = 7510;
    // The level code of a class-feature row that is a choice.
    static constexpr std::uint16_t kChoiceLevel = 100;
    static constexpr const char* kRowLayout = "velItem_W32_12pt.ui";

    Vel_UISpecial();
    // The copy finds its own children.
    Vel_UISpecial(const Vel_UISpecial& other);
    ~Vel_UISpecial() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    bool Load(FCFile& file) override;
    bool HandleNotify(UIEvent& event) override;

    void EnterPage() override;
    // Another class: its own lists and help.
    void Refresh() override;
    void OnCharacterChanged(VelCharacter* character) override;
    bool OnMouseOverEnter(UIControl* control) override;
    bool OnMouseOverLeave(UIControl* control) override;

    static bool ClassHasChoices(std::uint16_t classId);
    // 7501 or 7500 for the character's current class and its level.
    static std::uint16_t HelpIdFor(const VelCharacter& character);
    // Whether the choice may be taken now: a choice of the current class,
    // one left, and the choice itself open to the character.
    static bool IsTakeable(const VelCharacter& character, const VelClassFeatureInfo& choice);

protected:
    // Quietly in a copy, whose children are still the layout's own.
    void BindChildren(bool logMissing);
    void ShowAll();
    void FillAvailable(const VelCharacter& character);
    void ShowAvailableStates(const VelCharacter& character);
    void ShowCounter(const VelCharacter& character);
    // keepPlace: after the user's own change the list stays where it was.
    void FillChosen(VelCharacter& character, bool keepPlace = false);
    void ShowChosenTexts(VelCharacter& character);
    void Take(VelCharacter& character, const Vel_UIItem& row);
    void GiveBack(VelCharacter& character, const Vel_UIItem& row);
    void ChangeChoices(VelCharacter& character, std::int32_t delta, std::uint16_t featureId);

    UIControl* choicesLabel = nullptr;
    UITextControl* choicesLeft = nullptr;
    Vel_UIListBox* chosen = nullptr;
    UITextControl* heading = nullptr;
    Vel_UIListBox* available = nullptr;
    Vel_UIRowPrototype rows{kRowLayout};
};
