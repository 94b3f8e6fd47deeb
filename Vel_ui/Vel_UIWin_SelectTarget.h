#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "Vel_ui/Vel_UIDialog.h"

#include <cstdint>
#include <string>

class UIControl;
class Vel_UIItem;
class Vel_UIListBox;
class UITextControl;

// The dialog in which the user picks what a feat or a skill is taken for:
// the weapon, skill or school of a feat (mode 0, by feat id), or the
// sub-skill of a skill (mode 1, by skill id). It lists the candidates,
// greys out those that may not be chosen and tells its owner the chosen
// row (30, the row's list data in the low half of the value, the low half
// of its key in the high half) before it closes (28).
class Vel_UIWin_SelectTarget : public Vel_UIDialog
{
public:
    static constexpr std::uint16_t kDialogId = 16500;
    static constexpr std::uint16_t kListId = 16100;
    static constexpr std::uint16_t kHeadingId = 16006;
    // Reported to the owner with the choice; 28 always follows.
    static constexpr std::uint16_t kResultTargetChosen = 30;
    static constexpr std::uint16_t kOpenSound = 2200;
    static constexpr const char* kRowLayout = "velSelectTargetItem.ui";

    enum Mode : std::uint16_t
    {
        kModeFeat = 0,
        kModeSkill = 1,
    };

    // Row kinds, each with its help text.
    static constexpr std::uint16_t kWeaponRow = 16000;
    static constexpr std::uint16_t kSchoolRow = 16001;
    static constexpr std::uint16_t kSkillEntryRow = 16002;
    static constexpr std::uint16_t kSubSkillRow = 16003;

    // Headings by string id.
    static constexpr std::uint16_t kHeadingWeapon = 16000;
    static constexpr std::uint16_t kHeadingMartialWeapon = 16001;
    static constexpr std::uint16_t kHeadingExoticWeapon = 16002;
    static constexpr std::uint16_t kHeadingSkill = 16003;
    static constexpr std::uint16_t kHeadingSchool = 16004;
    static constexpr std::uint16_t kFirstSkillHeading = 16010;

    // The two halves of the value of message 30.
    static constexpr std::uint16_t ChoiceOf(std::uint32_t value)
    {
        return static_cast<std::uint16_t>(value & 0xFFFF);
    }
    static constexpr std::uint16_t SecondChoiceOf(std::uint32_t value)
    {
        return static_cast<std::uint16_t>(value >> 16);
    }

    Vel_UIWin_SelectTarget();
    // The copy finds its own list and heading and shares the row prototype.
    Vel_UIWin_SelectTarget(const Vel_UIWin_SelectTarget& other);
    ~Vel_UIWin_SelectTarget() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    bool Load(FCFile& file) override;
    bool HandleNotify(UIEvent& event) override;
    // Pushed and brought to the front, with the dice sound.
    using Vel_UIDialog::Show;
    void Show(FCObject* newOwner) override;

    // The dialog from its layout for the owner, filled in the mode for the
    // id and shown; one reference for the caller. Null (logged) when the
    // layout is missing or holds something else.
    static Vel_UIWin_SelectTarget* Open(FCObject* owner, Mode mode, std::uint16_t id);

    void SetFeatId(std::uint16_t id) { featId = id; }
    void SetSkillId(std::uint16_t id) { skillId = id; }
    // Lists the candidates of the id written before; OK waits for a choice.
    void Fill(std::uint16_t newMode);
    // The first selected row, when it may be chosen: message 30 to the
    // owner, then the dialog closes.
    void Accept();

    std::uint16_t GetMode() const { return mode; }
    Vel_UIListBox* GetList() const { return list; }
    // Whether the row may be chosen (a greyed row never is).
    static bool IsChoosable(const UIControl* row);

protected:
    void BindChildren();
    void FillByFeat();
    void FillBySkill();
    void AddCandidate(const std::string& name, std::uint16_t kind, std::uint16_t data,
                      std::intptr_t key, bool greyed);
    void UpdateOkButton();
    // The help text of a row of this list; empty when its record is gone.
    std::string HelpTextOf(Vel_UIItem& row);

    Vel_UIListBox* list = nullptr;
    UITextControl* heading = nullptr;
    std::uint16_t mode = kModeFeat;
    std::uint16_t featId = 0xFFFF;
    std::uint16_t skillId = 0xFFFF;
    FCCountedRef<Vel_UIItem> rowPrototype;
};
