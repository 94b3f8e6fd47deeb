#include "Vel_ui/Vel_UIWin_CharConfig.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Devices/FCSoundManager.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Ui/UIComboBox.h"
#include "Ui/UIDialog.h"
#include "Ui/UIGroup.h"
#include "Ui/UIImage.h"
#include "Ui/UIImageControl.h"
#include "Ui/UIListBox.h"
#include "Ui/UIMessages.h"
#include "Ui/UINumberEditControl.h"
#include "Ui/UINumberScroll.h"
#include "Ui/UITextControl.h"
#include "Ui/UIWindowManager.h"
#include "Vel/App/VelClient.h"
#include "Vel/App/VelLayoutNames.h"
#include "Vel/App/VelSettings.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Rules/VelCompanionRules.h"
#include "Vel/Rules/VelFeatRules.h"
#include "Vel/Rules/VelFormatRules.h"
#include "Vel/Rules/VelLimitFlags.h"
#include "Vel/Rules/VelPageRules.h"
#include "Vel/Rules/VelRulesWalk.h"
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel_ui/Vel_UIDlg_GameMenu.h"
#include "Vel_ui/Vel_UIPanel.h"

#include "Vel_ui/Vel_UIWin_Roller.h"

#include <algorithm>

FC_REGISTER_CLASS(Vel_UIWin_CharConfig);

Vel_UIWin_CharConfig* Vel_UIWin_CharConfig::live = nullptr;
Vel_UIWin_CharConfig* Vel_UIWin_CharConfig::sharedOwner = nullptr;
UIImageControl* Vel_UIWin_CharConfig::sharedPicture = nullptr;
UITextControl* Vel_UIWin_CharConfig::sharedInfoText = nullptr;
UIControl* Vel_UIWin_CharConfig::sharedButton = nullptr;
UITextControl* Vel_UIWin_CharConfig::helpLine = nullptr;
std::uint16_t Vel_UIWin_CharConfig::helpId = 0;

namespace
{
using namespace VelLimitFlags;

// Pages in navigation order, each with its layout.
constexpr std::array<const char*, Vel_UIWin_CharConfig::kPageCount> kPageLayouts{
    VelLayout::kAbilities, VelLayout::kSkills,  VelLayout::kFeats,     VelLayout::kLanguage,
    VelLayout::kSpecial,   VelLayout::kGod,     VelLayout::kSchool,    VelLayout::kSpell,
    VelLayout::kAnimal,    VelLayout::kInventory, VelLayout::kEquip,   VelLayout::kNotes};

// Pages whose entry needs something of the character.
constexpr std::int16_t kGodPage = 5;
constexpr std::int16_t kSchoolPage = 6;
constexpr std::int16_t kSpellPage = 7;
constexpr std::int16_t kAnimalPage = 8;
constexpr std::uint16_t kDomainClass = 2;
constexpr std::uint16_t kSchoolClass = 10;
// The class whose attacks come every 3 points of base attack.
constexpr std::uint16_t kQuickAttackClass = 5;

// Navigation entries that light up while their page needs work.
struct Highlight
{
    std::int16_t page;
    std::uint32_t flags;
};
constexpr std::array<Highlight, 5> kHighlights{{
    {1, kSkills},
    {2, kGeneralFeats | kFeatRequirements},
    {3, kLanguages},
    {kSpellPage, kSpellsChosen | kProhibitedSpell},
    {kGodPage, kGod},
}};

constexpr std::int16_t kMinScore = 1;
constexpr std::int16_t kMinIntScore = 3;
constexpr std::int16_t kMaxScore = 45;
constexpr std::int32_t kMaxHitPoints = 500;
constexpr std::uint32_t kEscape = 27;

// Font variants of the summary: the character's own, or a viewed entity's.
constexpr std::uint16_t kOwnVariant = 0;
constexpr std::uint16_t kEntityVariant = 3;

// Stats shown by the value texts 4800 to 4807; the attack texts are -1.
constexpr std::array<std::int32_t, 8> kValueStats{0, 1, 2, 3, -1, -1, 4, 5};

template <class T> T* ChildAs(const UIControl& window, std::uint16_t id)
{
    return dynamic_cast<T*>(window.FindDescendant(id));
}

void PlaySample(std::uint16_t soundId)
{
    if (FCSoundManager* sound = FCSoundManager::GetInstance())
        sound->PlaySound(soundId, VelClient::kSampleChannel, false, nullptr,
                         FCSoundManager::kMiddleVolume, FCSoundManager::kMiddlePan);
}

// Plays a spoken hint the first time in the run that its flag is clear.
void PlayHintOnce(std::uint32_t flag, const char* fileName)
{
    VelSettings* settings = VelSettings::GetInstance();
    if (!settings || (settings->runFlags & flag))
        return;
    settings->runFlags |= flag;
    if (VelClient* client = VelClient::GetInstance())
        client->PlaySound(fileName);
}

void SetNumberFont(UINumberScroll* spinner, std::uint16_t variant)
{
    if (spinner && spinner->GetValueField())
        spinner->GetValueField()->SetFontVariant(variant);
}

std::int32_t SpinnerValue(const UINumberScroll* spinner)
{
    return spinner && spinner->GetValueField() ? spinner->GetValueField()->GetLong() : 0;
}

// A value typed halfway ("1" on the way to "14") may lie outside the range;
// it waits for the rest, and the field keeps to its range when editing ends.
bool SpinnerInRange(const UINumberScroll* spinner)
{
    return spinner && spinner->GetValueField() &&
           spinner->GetValueField()->IsInRange(spinner->GetValueField()->GetLong());
}
} // namespace

Vel_UIWin_CharConfig::Vel_UIWin_CharConfig() = default;

Vel_UIWin_CharConfig::Vel_UIWin_CharConfig(const Vel_UIWin_CharConfig& other) : UIWindow(other)
{
    live = this;
}

Vel_UIWin_CharConfig::~Vel_UIWin_CharConfig()
{
    if (listened && listened->GetListener() == this)
        listened->SetListener(nullptr);
    if (gameMenu && gameMenu->GetOwner() == this)
        gameMenu->SetOwner(nullptr);
    if (live == this)
        live = nullptr;
    if (sharedOwner == this)
    {
        sharedOwner = nullptr;
        sharedPicture = nullptr;
        sharedInfoText = nullptr;
        sharedButton = nullptr;
        helpLine = nullptr;
        helpId = 0;
    }
}

bool Vel_UIWin_CharConfig::Load(FCFile& file)
{
    if (!UIWindow::Load(file))
        return false;
    BindChildren();
    pages.clear();
    sharedOwner = this;
    sharedPicture = ChildAs<UIImageControl>(*this, kSharedPicture);
    sharedInfoText = ChildAs<UITextControl>(*this, kSharedInfoText);
    sharedButton = FindDescendant(kSharedButton);
    helpLine = ChildAs<UITextControl>(*this, kHelpLine);
    if (warningControl)
        warningControl->SetVisible(0);
    // The class list's bar shows only when the classes do not fit.
    if (UIListBox* list = classSelector ? classSelector->GetList() : nullptr)
        list->SetAlwaysShowBars(0);
    // A layout that stores the first entry as selected reports no change,
    // so page 0 is then shown here.
    const UIControl* first =
        navigationGroup ? navigationGroup->FindDescendant(kFirstNavigationEntry) : nullptr;
    if (first && !first->IsSelected())
        navigationGroup->SelectById(1, kFirstNavigationEntry, 0);
    else
        SelectPage(0);
    return true;
}

void Vel_UIWin_CharConfig::BindChildren()
{
    classSelector = ChildAs<UIComboBox>(*this, kClassSelector);
    for (std::size_t i = 0; i < abilitySpinners.size(); ++i)
        abilitySpinners[i] =
            ChildAs<UINumberScroll>(*this, static_cast<std::uint16_t>(kFirstAbilitySpinner + i));
    for (std::size_t i = 0; i < valueTexts.size(); ++i)
    {
        valueTexts[i] = ChildAs<UITextControl>(*this, static_cast<std::uint16_t>(kFirstValueText + i));
        labels[i] = ChildAs<UITextControl>(*this, static_cast<std::uint16_t>(kFirstLabel + i));
    }
    hitPointSpinner = ChildAs<UINumberScroll>(*this, kHitPointSpinner);
    hitPointBonusText = ChildAs<UITextControl>(*this, kHitPointBonusText);
    stepsDownText = ChildAs<UITextControl>(*this, kStepsDownText);
    stepsUpText = ChildAs<UITextControl>(*this, kStepsUpText);
    navigationGroup = ChildAs<UIGroup>(*this, kNavigationGroup);
    noWarningControl = FindDescendant(kNoWarningButton);
    warningControl = FindDescendant(kWarningButton);
}

void Vel_UIWin_CharConfig::Activate()
{
    if (!IsActivated())
    {
        if (UIWindowManager* manager = UIWindowManager::GetInstance())
            manager->AddKeyListener(this);
        FillAll();
        VelCharacter* character = Character();
        if (character)
            SetWarningFlags(CheckCharacterLimits(character, warningFlags, true));
        if (character && static_cast<std::int32_t>(
                             character->values[VelCharacter::kValueIncreasesToAssign]) > 0)
            OpenRoller(true);
        else
            PlayGreetingOnce();
    }
    UIWindow::Activate();
}

VelCharacter* Vel_UIWin_CharConfig::Character() const
{
    return VelClient::GetCurrentCharacter();
}

void Vel_UIWin_CharConfig::ListenTo(VelCharacter* character)
{
    if (listened && listened.Get() != character && listened->GetListener() == this)
        listened->SetListener(nullptr);
    listened = FCCountedRef<VelCharacter>::Share(character);
    if (character)
        character->SetListener(this);
}

void Vel_UIWin_CharConfig::FillAll()
{
    VelCharacter* character = Character();
    ListenTo(character);
    if (!character)
        return;
    if (auto* text = ChildAs<UITextControl>(*this, kNameText))
        text->SetText(character->name);
    if (auto* text = ChildAs<UITextControl>(*this, kRaceText))
        text->SetText(character->GetRaceName());
    if (auto* text = ChildAs<UITextControl>(*this, kAlignmentText))
        text->SetText(character->GetAlignmentName());

    const std::array<std::pair<std::int16_t, bool>, 4> needs{{
        {kGodPage, character->HasClass(kDomainClass)},
        {kSchoolPage, character->HasClass(kSchoolClass)},
        {kSpellPage, HasSpellcastingClass(character)},
        {kAnimalPage, HasAnimalClass(character)},
    }};
    for (const auto& [page, available] : needs)
    {
        if (available)
            pagesAvailable = static_cast<std::uint16_t>(pagesAvailable | (1u << page));
        else
            pagesAvailable = static_cast<std::uint16_t>(pagesAvailable & ~(1u << page));
        if (navigationGroup)
            navigationGroup->SetChildEnabled(
                static_cast<std::uint16_t>(kFirstNavigationEntry + page), available ? 1 : 0);
    }
    ShowAbilitySpinners();
    FillClassList();
    ShowLevelText();
    ShowValues();
}

void Vel_UIWin_CharConfig::ShowAbilitySpinners()
{
    VelCharacter* character = Character();
    if (!character)
        return;
    updating = true;
    for (std::size_t i = 0; i < abilitySpinners.size(); ++i)
    {
        UINumberScroll* spinner = abilitySpinners[i];
        if (!spinner)
            continue;
        const double lowest = i == static_cast<std::size_t>(VelEntity::kInt) ? kMinIntScore : kMinScore;
        spinner->SetRange(lowest, kMaxScore);
        spinner->SetLong(character->abilities[i]);
        SetNumberFont(spinner, kOwnVariant);
    }
    updating = false;
    ApplyEnabled();
}

void Vel_UIWin_CharConfig::ShowEntityAbilities()
{
    VelEntity* entity = viewedEntity.Get();
    if (!entity)
        return;
    updating = true;
    for (std::size_t i = 0; i < abilitySpinners.size(); ++i)
    {
        UINumberScroll* spinner = abilitySpinners[i];
        if (!spinner)
            continue;
        spinner->SetRange(0.0, kMaxScore);
        spinner->SetLong(entity->abilities[i]);
        spinner->SetEnabled(0);
        SetNumberFont(spinner, kEntityVariant);
    }
    updating = false;
}

void Vel_UIWin_CharConfig::FillClassList()
{
    VelCharacter* character = Character();
    UIListBox* list = classSelector ? classSelector->GetList() : nullptr;
    UIControl* prototype = classSelector ? classSelector->GetItemTemplate() : nullptr;
    if (!character || !list || !prototype)
        return;
    list->RemoveAllItems();
    UIControl* first = nullptr;
    VelRulesWalk::Each<VelCharacterClass>(character->classes,
                                          [&](VelCharacterClass& entry)
                                          {
                                              auto* item = static_cast<UIControl*>(prototype->Clone());
                                              if (auto* text = dynamic_cast<UITextControl*>(item))
                                                  text->SetText(entry.GetName());
                                              if (!first)
                                                  first = item;
                                              classSelector->AddItem(item, entry.classId, false);
                                              return false;
                                          });
    classSelector->UpdateList();
    UIListBox::SelectItem(first, 0);
}

void Vel_UIWin_CharConfig::SelectClass(std::uint16_t classId)
{
    VelCharacter* character = Character();
    if (!character)
        return;
    character->currentClassId = classId;
    ShowCurrentClassInfo();
    ShowLevelText();
    ShowCombatSummary();
    if (currentPage)
        currentPage->Refresh();
}

void Vel_UIWin_CharConfig::ShowLevelText()
{
    VelCharacter* character = Character();
    auto* text = ChildAs<UITextControl>(*this, kLevelText);
    if (!character || !text)
        return;
    const auto total = static_cast<std::int16_t>(character->GetTotalLevel());
    std::string level = FormatOrdinal(total);
    if (character->classes.GetCount() > 1)
    {
        const std::uint16_t inClass = character->GetClassLevel(character->currentClassId);
        if (inClass != VelCharacter::kNone)
            level = FormatOrdinal(static_cast<std::int16_t>(inClass)) + "/" + level;
    }
    text->SetText(level);
}

void Vel_UIWin_CharConfig::ShowValues()
{
    VelCharacter* character = Character();
    VelEntity* entity = viewedEntity ? viewedEntity.Get() : character;
    if (!entity)
        return;
    const std::uint16_t variant = viewedEntity ? kEntityVariant : kOwnVariant;
    ShowCombatSummary();
    for (std::size_t i = 0; i < valueTexts.size(); ++i)
        if (valueTexts[i] && kValueStats[i] >= 0)
            valueTexts[i]->SetLong(entity->stats[static_cast<std::size_t>(kValueStats[i])]);
    UpdateHitPointRange();
    if (hitPointSpinner)
    {
        updating = true;
        hitPointSpinner->SetLong(entity->stats[VelEntity::kHitPoints]);
        updating = false;
    }
    if (!viewedEntity && character)
    {
        if (stepsDownText)
            stepsDownText->SetLong(static_cast<std::int32_t>(character->values[VelCharacter::kValueStepsDown]));
        if (stepsUpText)
            stepsUpText->SetLong(static_cast<std::int32_t>(character->values[VelCharacter::kValueStepsUp]));
        if (hitPointBonusText)
            hitPointBonusText->SetLong(character->hitPointBonus);
    }
    for (std::size_t i = 0; i < valueTexts.size(); ++i)
    {
        if (valueTexts[i])
            valueTexts[i]->SetFontVariant(variant);
        if (labels[i])
            labels[i]->SetFontVariant(variant);
    }
    SetNumberFont(hitPointSpinner, variant);
}

void Vel_UIWin_CharConfig::ShowCombatSummary()
{
    UITextControl* melee = valueTexts[kMeleeText - kFirstValueText];
    UITextControl* ranged = valueTexts[kRangedText - kFirstValueText];
    UITextControl* meleeLabel = labels[kMeleeLabel - kFirstLabel];
    UITextControl* rangedLabel = labels[kRangedLabel - kFirstLabel];
    auto show = [](UITextControl* text, std::uint16_t font, const std::string& value)
    {
        if (text)
        {
            text->SetFont(font);
            text->SetText(value);
        }
    };
    auto caption = [](UITextControl* text, const char* value)
    {
        if (text)
            text->SetText(value);
    };
    if (auto* animal = dynamic_cast<VelCharacterAnimal*>(viewedEntity.Get()))
    {
        show(melee, kAnimalAttackFont, FormatAnimalAttackBonuses(animal, true));
        caption(meleeLabel, "Attacks");
        show(ranged, kAnimalAttackFont, FormatAnimalAttacks(animal, true));
        caption(rangedLabel, "Damage");
        return;
    }
    VelCharacter* character = Character();
    if (!character)
        return;
    const bool quick = character->currentClassId == kQuickAttackClass;
    show(melee, kAttackFont, FormatAttackBonus(character, false, quick));
    caption(meleeLabel, "Melee");
    show(ranged, kAttackFont, FormatAttackBonus(character, true, false));
    caption(rangedLabel, "Ranged");
}

void Vel_UIWin_CharConfig::UpdateHitPointRange()
{
    if (!hitPointSpinner)
        return;
    double lowest = 0.0;
    double highest = kMaxHitPoints;
    VelCharacter* character = Character();
    if (!viewedEntity && character)
    {
        const std::int32_t hitPoints = character->stats[VelEntity::kHitPoints];
        lowest = std::max<std::int32_t>(1, hitPoints - character->hitPointBonus);
        highest = std::max(hitPoints, kMaxHitPoints);
    }
    updating = true;
    hitPointSpinner->SetRange(lowest, highest);
    updating = false;
}

void Vel_UIWin_CharConfig::SetViewedEntity(VelEntity* entity)
{
    viewedEntity = FCCountedRef<VelEntity>::Share(entity);
    if (entity)
        ShowEntityAbilities();
    else
        ShowAbilitySpinners();
    ShowValues();
}

void Vel_UIWin_CharConfig::ForgetLostEntity(VelCharacter* character)
{
    if (!viewedEntity)
        return;
    bool held = false;
    if (character)
        VelRulesWalk::Each<VelCharacterAnimal>(character->animals,
                                               [&](VelCharacterAnimal& animal)
                                               {
                                                   held = &animal == viewedEntity.Get();
                                                   return held;
                                               });
    if (!held)
        SetViewedEntity(nullptr);
}

void Vel_UIWin_CharConfig::OnCharacterChanged(VelCharacter* character)
{
    if (!character)
        return;
    // The page may answer by closing this window; stay whole until done.
    const auto hold = FCCountedRef<UIWindow>::Share(this);
    ForgetLostEntity(character);
    constexpr std::uint32_t kAbilityBits = 0x3F;
    if ((character->changeMask & kAbilityBits) && !viewedEntity)
        ShowAbilitySpinners();
    ShowValues();
    SetWarningFlags(CheckCharacterLimits(character, warningFlags, false));
    if (currentPage)
        currentPage->OnCharacterChanged(character);
}

void Vel_UIWin_CharConfig::SetWarningFlags(std::uint32_t flags)
{
    const std::uint32_t previous = warningFlags;
    warningFlags = flags;
    if (noWarningControl)
        noWarningControl->SetVisible(flags == 0 ? 1 : 0);
    if (warningControl)
        warningControl->SetVisible(flags != 0 ? 1 : 0);
    if (previous != 0 && flags == 0)
        PlaySample(kWarningsClearedSound);
    else if (previous == 0 && flags != 0)
        PlaySample(kWarningSound);
    if (!navigationGroup)
        return;
    for (const Highlight& entry : kHighlights)
        if (UIControl* control = navigationGroup->FindChild(
                static_cast<std::uint16_t>(kFirstNavigationEntry + entry.page)))
            control->SetHighlighted((flags & entry.flags) != 0 ? 1 : 0);
}

void Vel_UIWin_CharConfig::SelectPage(std::int16_t index)
{
    if (index < 0 || index >= kPageCount)
        return;
    if (index == currentIndex && currentPage)
    {
        RestoreHelpText();
        return;
    }
    Vel_UIPanel* page = nullptr;
    if (auto found = pages.find(index); found != pages.end())
        page = found->second.Get();
    else
    {
        FCObject* loaded = FCClassRegistry::LoadObjectFromFile(kPageLayouts[index]);
        page = dynamic_cast<Vel_UIPanel*>(loaded);
        if (!page)
        {
            FC_LOG("Page %d (%s) is missing or not a page\n", index, kPageLayouts[index]);
            if (loaded)
                loaded->Release();
            // The entry already shows as chosen: give the choice back.
            if (navigationGroup && currentPage)
                navigationGroup->SelectById(
                    1, static_cast<std::uint16_t>(kFirstNavigationEntry + currentIndex), 1);
            return;
        }
        pages.emplace(index, FCCountedRef<Vel_UIPanel>::Adopt(page));
    }
    // The viewed animal belongs to the page being left.
    if (viewedEntity)
        SetViewedEntity(nullptr);
    ShowButton(true);
    if (currentPage)
    {
        currentPage->LeavePage();
        currentPage->Invalidate();
        RemoveChild(currentPage);
    }
    page->AddRef();
    AddChild(page);
    page->Invalidate();
    currentPage = page;
    currentIndex = index;
    page->EnterPage();
    RestoreHelpText();
    if (index != 0)
        PlayHintOnce(kPageHintFlag, kPageHint);
}

void Vel_UIWin_CharConfig::ToggleGameMenu()
{
    // A dialog over the window owns it until it closes.
    if (dialogDepth > 0)
        return;
    UIWindowManager* manager = UIWindowManager::GetInstance();
    if (!manager)
        return;
    if (gameMenu)
    {
        if (manager->GetTopWindow() != gameMenu.Get())
            return;
        const auto menu = gameMenu;
        menu->Close(1);
        gameMenu.Reset();
        ApplyEnabled();
        PlaySample(kGameMenuSound);
        return;
    }
    UIControl* opened = manager->OpenWindow(VelLayout::kGameMenu, 0);
    auto* window = dynamic_cast<UIWindow*>(opened);
    if (!window)
    {
        FC_LOG("No game menu in %s\n", VelLayout::kGameMenu);
        if (opened)
            manager->RemoveWindow(opened);
        return;
    }
    if (auto* menu = dynamic_cast<Vel_UIDlg_GameMenu*>(window))
        menu->SetPrintEnabled(warningFlags == 0);
    window->SetOwner(this);
    gameMenu = FCCountedRef<UIWindow>::Share(window);
    ApplyEnabled();
    PlayHintOnce(kGameMenuHintFlag, kGameMenuHint);
    PlaySample(kGameMenuSound);
}

void Vel_UIWin_CharConfig::OpenRoller(bool increases)
{
    UIWindow* roller = UIWindow::CreateFromFile(VelLayout::kRoller, this);
    if (!roller)
    {
        FC_LOG("No ability roller in %s\n", VelLayout::kRoller);
        return;
    }
    ++dialogDepth;
    ApplyEnabled();
    if (auto* dialog = dynamic_cast<UIDialog*>(roller))
        dialog->Show(0, this);
    else
        roller->Show(this);
    if (increases)
        if (auto* typed = dynamic_cast<Vel_UIWin_Roller*>(roller))
            typed->StartIncreases(false);
    roller->Release();
    PlaySample(kRollerSound);
}

void Vel_UIWin_CharConfig::OnDialogOpened()
{
    ++dialogDepth;
    ApplyEnabled();
}

void Vel_UIWin_CharConfig::OnDialogClosed()
{
    if (dialogDepth > 0)
        --dialogDepth;
    ApplyEnabled();
    PlayGreetingOnce();
}

void Vel_UIWin_CharConfig::ApplyEnabled()
{
    const bool blocked = dialogDepth > 0;
    const bool menuOpen = static_cast<bool>(gameMenu);
    SetChildrenEnabled(!blocked && !menuOpen ? 1 : 0);
    // Enabling changes the look of every control without drawing it.
    Invalidate();
    if (blocked)
        return;
    if (menuOpen)
    {
        SetChildEnabled(kWarningButton, 1);
        SetChildEnabled(kNoWarningButton, 1);
        return;
    }
    if (viewedEntity)
        for (UINumberScroll* spinner : abilitySpinners)
            if (spinner)
                spinner->SetEnabled(0);
}

void Vel_UIWin_CharConfig::PlayGreetingOnce()
{
    PlayHintOnce(kGreetingFlag, kGreetingHint);
}

std::int16_t Vel_UIWin_CharConfig::AbilityIndexOf(const UIControl* sender) const
{
    for (std::size_t i = 0; i < abilitySpinners.size(); ++i)
        if (abilitySpinners[i] && abilitySpinners[i] == sender)
            return static_cast<std::int16_t>(i);
    return -1;
}

void Vel_UIWin_CharConfig::OnAbilityTyped(std::int16_t ability)
{
    VelCharacter* character = Character();
    UINumberScroll* spinner = abilitySpinners[static_cast<std::size_t>(ability)];
    if (!character || viewedEntity || !SpinnerInRange(spinner))
        return;
    const auto score = static_cast<std::uint16_t>(SpinnerValue(spinner));
    if (score == character->abilities[static_cast<std::size_t>(ability)])
        return;
    SetAbilityScore(character, ability, score, true);
}

void Vel_UIWin_CharConfig::StepCounter(std::uint32_t valueIndex, UITextControl* text)
{
    VelCharacter* character = Character();
    if (!character || viewedEntity)
        return;
    const std::uint32_t steps = std::min(character->values[valueIndex] + 1, kMaxSteps);
    character->SetValue(valueIndex, steps);
    character->modified = 1;
    if (text)
        text->SetLong(static_cast<std::int32_t>(steps));
}

void Vel_UIWin_CharConfig::OnHitPointsEdited()
{
    VelCharacter* character = Character();
    if (!character || viewedEntity || !SpinnerInRange(hitPointSpinner))
        return;
    const std::int32_t hitPoints = character->stats[VelEntity::kHitPoints];
    const std::int32_t delta = SpinnerValue(hitPointSpinner) - hitPoints;
    if (delta == 0)
        return;
    const std::int32_t withoutBonus = hitPoints - character->hitPointBonus;
    const std::int32_t bonus = std::clamp<std::int32_t>(character->hitPointBonus + delta, 0, 0xFFFF);
    character->hitPointBonus = static_cast<std::uint16_t>(bonus);
    character->SetStat(VelEntity::kHitPoints, static_cast<std::uint32_t>(withoutBonus + bonus));
    UpdateAnimalMasterValues(character);
    character->modified = 1;
    if (hitPointBonusText)
        hitPointBonusText->SetLong(bonus);
    UpdateHitPointRange();
}

bool Vel_UIWin_CharConfig::HandleNotify(UIEvent& event)
{
    UIControl* sender = event.sender;
    if (!sender)
        return false;
    // A handler below may close this window (the game menu, a page's dialog).
    const auto hold = FCCountedRef<UIWindow>::Share(this);
    const std::uint16_t senderId = sender->GetId();
    switch (event.type)
    {
    case UIMessage::kClicked:
        if (senderId == kWarningButton || senderId == kNoWarningButton)
            ToggleGameMenu();
        else if (senderId == kRollerButton)
            OpenRoller(false);
        break;
    case UIMessage::kChanged:
        if (senderId >= kFirstNavigationEntry && senderId < kFirstNavigationEntry + kPageCount &&
            navigationGroup && navigationGroup->ContainsDescendant(sender))
            SelectPage(static_cast<std::int16_t>(senderId - kFirstNavigationEntry));
        else if (sender == classSelector && classSelector && classSelector->GetList() && event.param2)
            SelectClass(static_cast<std::uint16_t>(classSelector->GetList()->GetItemData(
                reinterpret_cast<UIControl*>(event.param2))));
        break;
    case UIMessage::kTextChanged:
        if (updating)
            break;
        if (const std::int16_t ability = AbilityIndexOf(sender); ability >= 0)
            OnAbilityTyped(ability);
        else if (sender == hitPointSpinner)
            OnHitPointsEdited();
        break;
    case UIMessage::kSteppedUp:
    case UIMessage::kSteppedDown:
    {
        const bool up = event.type == UIMessage::kSteppedUp;
        if (AbilityIndexOf(sender) >= 0)
            StepCounter(up ? VelCharacter::kValueStepsUp : VelCharacter::kValueStepsDown,
                        up ? stepsUpText : stepsDownText);
        else if (sender == hitPointSpinner)
            OnHitPointsEdited();
        break;
    }
    case UIMessage::kMouseOverEntered:
        ShowHelpTextId(static_cast<std::uint16_t>(event.param1));
        return true;
    case UIMessage::kMouseOverLeft:
        RestoreHelpText();
        return true;
    default:
        break;
    }
    return UIControl::HandleNotify(event);
}

bool Vel_UIWin_CharConfig::OnKeyDown(UIEvent& event)
{
    if (event.param1 != kEscape)
        return false;
    // Over a question or any other window the key is theirs: a menu opened
    // under a modal box could not be answered.
    const UIWindowManager* manager = UIWindowManager::GetInstance();
    if (!gameMenu && (!manager || manager->GetTopWindow() != this))
        return false;
    const auto hold = FCCountedRef<UIWindow>::Share(this);
    ToggleGameMenu();
    return true;
}

void Vel_UIWin_CharConfig::HandleMessage(std::int16_t messageId, void* data)
{
    const auto hold = FCCountedRef<UIWindow>::Share(this);
    if (messageId == UIMessage::kResultClosed && data)
    {
        const auto* record = static_cast<const UIEvent*>(data);
        const std::uint16_t windowId = record->sender ? record->sender->GetId() : 0;
        if (windowId == kRollerId)
            OnDialogClosed();
        else if (windowId == kGameMenuId && gameMenu && record->sender == gameMenu.Get())
        {
            gameMenu.Reset();
            ApplyEnabled();
        }
    }
    UIWindow::HandleMessage(messageId, data);
}

// --- Shared page operations ---------------------------------------------

void Vel_UIWin_CharConfig::ShowHelpTextId(std::uint16_t stringId)
{
    if (helpLine && stringId != 0)
        helpLine->SetTextId(stringId);
}

void Vel_UIWin_CharConfig::ShowHelpText(const std::string& text)
{
    if (helpLine)
        helpLine->SetText(text);
}

void Vel_UIWin_CharConfig::RestoreHelpText()
{
    if (!helpLine)
        return;
    if (helpId != 0)
        helpLine->SetTextId(helpId);
    else
        helpLine->SetText(std::string());
}

void Vel_UIWin_CharConfig::ShowClassInfo(std::uint16_t classId)
{
    std::string imageName;
    std::string caption;
    if (!GetClassPortraitName(VelClient::GetCurrentCharacter(), classId, imageName, caption))
        return;
    ShowIcon(imageName);
    if (sharedInfoText)
        sharedInfoText->SetText(caption);
}

void Vel_UIWin_CharConfig::ShowCurrentClassInfo()
{
    if (const VelCharacter* character = VelClient::GetCurrentCharacter())
        ShowClassInfo(character->currentClassId);
}

void Vel_UIWin_CharConfig::ShowIcon(const std::string& imageName)
{
    ShowImage(LoadIcon(imageName));
}

void Vel_UIWin_CharConfig::ShowImage(FCImageBuffer* image)
{
    if (sharedPicture)
    {
        // The whole picture is repainted: an item's icon is smaller than the
        // portrait it replaces, and sits in the middle of the frame.
        sharedPicture->Invalidate();
        sharedPicture->SetImageBuffer(image);
        if (UIImage* shown = sharedPicture->GetImage())
        {
            // The frame the layout gives, not the extent of what it shows.
            const FCPoint frame = sharedPicture->UIObject::GetSize();
            const FCPoint size = image ? FCPoint(image->GetWidth(), image->GetHeight()) : frame;
            shown->SetPositionXY(std::max(0, (frame.x - size.x) / 2),
                                 std::max(0, (frame.y - size.y) / 2));
        }
        sharedPicture->Invalidate();
    }
    if (sharedInfoText)
        sharedInfoText->SetText(std::string());
}

void Vel_UIWin_CharConfig::ShowButton(bool show)
{
    if (sharedButton)
    {
        sharedButton->Invalidate();
        sharedButton->SetVisible(show ? 1 : 0);
        sharedButton->Invalidate();
    }
}
