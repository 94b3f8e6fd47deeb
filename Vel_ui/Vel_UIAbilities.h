#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "Vel_ui/Vel_UIPanel.h"

#include <array>
#include <cstdint>

class UINumberScroll;
class UITextControl;
class VelCharacter;
class Vel_UIItem;
class Vel_UIListBox;

// The first page of the character window: what follows from the six
// ability scores and the race. Height, weight and age are edited here
// within the limits of the race and sex; the modifiers, the size,
// experience and the race's features are shown.
class Vel_UIAbilities : public Vel_UIPanel
{
public:
    static constexpr std::uint16_t kScreenId = 5500;
    static constexpr std::uint16_t kFeetId = 5510;
    static constexpr std::uint16_t kInchesId = 5511;
    static constexpr std::uint16_t kWeightId = 5512;
    static constexpr std::uint16_t kAgeId = 5514;
    static constexpr std::uint16_t kSizeId = 5516;
    static constexpr std::uint16_t kExperienceId = 5518;
    static constexpr std::uint16_t kNextLevelId = 5520;
    static constexpr std::uint16_t kFeatureListId = 5530;
    static constexpr std::uint16_t kFirstModifierId = 5550;
    static constexpr const char* kFeatureRowLayout = "velItem_W32_12pt.ui";
    // The inches field steps one past each end, so that the page can carry.
    static constexpr std::int16_t kLowestInches = -1;
    static constexpr std::int16_t kHighestInches = 12;

    Vel_UIAbilities();
    // The copy finds its own children.
    Vel_UIAbilities(const Vel_UIAbilities& other);
    ~Vel_UIAbilities() override;

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

    // Every value from the current character.
    void RefreshAll();

protected:
    void BindChildren();
    void ShowHeight(const VelCharacter& character);
    void OnHeightChanged(VelCharacter& character);
    void FillFeatures(const VelCharacter& character);

    UINumberScroll* feet = nullptr;
    UINumberScroll* inches = nullptr;
    UINumberScroll* weight = nullptr;
    UINumberScroll* age = nullptr;
    UITextControl* sizeText = nullptr;
    UITextControl* experienceText = nullptr;
    UITextControl* nextLevelText = nullptr;
    Vel_UIListBox* featureList = nullptr;
    std::array<UITextControl*, 6> modifiers{};
    std::int32_t lowestHeight = 0;
    std::int32_t highestHeight = 0;
    // Set while the page writes its own fields, whose reports it ignores.
    std::uint8_t updating = 0;
    // Whether the race has a row of each kind; without one the stored value
    // stands and cannot be edited.
    std::uint8_t hasHeightRow = 0;
    std::uint8_t hasWeightRow = 0;
    std::uint8_t hasAgeRow = 0;
    FCCountedRef<Vel_UIItem> rowPrototype;
};
