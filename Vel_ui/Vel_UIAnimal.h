#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "Vel_ui/Vel_UIPanel.h"

#include <cstdint>

class UIEditControl;
class UIListBox;
class UITextControl;
class VelAnimalInfo;
class VelCharacter;
class VelCharacterAnimal;
class Vel_UIAnimalItem;
class Vel_UIItem;
class Vel_UIItemTray;
class Vel_UIListBox;

// The animal of the class picked in the character window: a familiar, a
// companion or a mount, by class. The suitable animals are listed; one is
// dragged onto the tray to take it and off it to give it up. The page names
// the animal and lists its skills and features; hovering an animal shows
// its hit dice, movement and senses, its picture and description, and the
// window's summary shows its values meanwhile.
class Vel_UIAnimal : public Vel_UIPanel
{
public:
    static constexpr std::uint16_t kScreenId = 10000;
    static constexpr std::uint16_t kTitle = 10020;
    static constexpr std::uint16_t kTray = 10025;
    static constexpr std::uint16_t kHeadings = 10030;
    static constexpr std::uint16_t kDetails = 10035;
    static constexpr std::uint16_t kNameLabel = 10040;
    static constexpr std::uint16_t kNameField = 10045;
    static constexpr std::uint16_t kAnimalList = 10205;
    static constexpr std::uint16_t kInfoGroup = 10210;
    static constexpr std::uint16_t kHitDiceText = 10225;
    static constexpr std::uint16_t kMovesText = 10235;
    static constexpr std::uint16_t kSensesText = 10245;
    static constexpr const char* kAnimalRowLayout = "velAnimalItem.ui";
    static constexpr const char* kTextRowLayout = "velItem_W32_16pt.ui";
    // Texts by kind: 10010 + k titles, 10020 + k name labels.
    static constexpr std::uint16_t kTitleTextBase = 10010;
    static constexpr std::uint16_t kNameTextBase = 10020;
    // Row kinds: the list's rows and the tray's row.
    static constexpr std::uint16_t kListKind = 10020;
    static constexpr std::uint16_t kTrayKind = 10025;
    // The font of the skill and feature rows.
    static constexpr std::uint16_t kDetailFont = 843;

    Vel_UIAnimal();
    // The copy finds its own children.
    Vel_UIAnimal(const Vel_UIAnimal& other);
    ~Vel_UIAnimal() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    bool Load(FCFile& file) override;
    bool HandleNotify(UIEvent& event) override;

    void EnterPage() override;
    void LeavePage() override;
    void Refresh() override;
    bool OnMouseOverEnter(UIControl* control) override;
    bool OnMouseOverLeave(UIControl* control) override;

    // 0 until the page was set up for a class that has an animal; then the
    // animal kind of that class.
    std::int16_t GetKind() const { return kind; }

protected:
    // Logs what the layout lacks when asked (at load).
    void BindChildren(bool log);
    void SetUp();
    void FillAnimalList(const VelCharacter& character);
    void MarkAnimalRows(const VelCharacter& character);
    void ShowCurrentAnimal(const VelCharacter& character);
    void FillDetails(const VelCharacter& character, VelCharacterAnimal* animal);
    void AddTextRow(const std::string& text, std::intptr_t key);
    void ShowInformation(const VelAnimalInfo& animal);
    void ClearInformation();
    void TakeAnimal(const UIControl* dragged);
    void GiveUpAnimal(const UIControl* removed);
    // The name field's text becomes the animal's name; a change marks the
    // character as modified.
    void StoreName();
    // The window's summary shows the character again.
    void ForgetViewedAnimal();
    Vel_UIAnimalItem* TrayRow() const;
    std::int16_t TextOffset() const;
    std::uint16_t CurrentClassId() const;

    UITextControl* title = nullptr;
    Vel_UIItemTray* tray = nullptr;
    UIControl* headings = nullptr;
    UIListBox* details = nullptr;
    UITextControl* nameLabel = nullptr;
    UIEditControl* nameField = nullptr;
    Vel_UIListBox* animalList = nullptr;
    UIControl* infoGroup = nullptr;
    UITextControl* hitDiceText = nullptr;
    UITextControl* movesText = nullptr;
    UITextControl* sensesText = nullptr;
    std::int16_t kind = 0;
    FCCountedRef<Vel_UIAnimalItem> animalRowPrototype;
    FCCountedRef<Vel_UIItem> textRowPrototype;
};
