#include "Vel_ui/Vel_UIWin_Roller.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCCountedRef.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIListBox.h"
#include "Ui/UIMessages.h"
#include "Ui/UINumberEditControl.h"
#include "Ui/UINumberScroll.h"
#include "Ui/UITextControl.h"
#include "Vel/App/VelClient.h"
#include "Vel/App/VelSettings.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel/Rules/VelLevelRules.h"

#include <algorithm>
#include <limits>

FC_REGISTER_CLASS(Vel_UIWin_Roller);

namespace
{
constexpr std::size_t kAbilities = VelEntity::kAbilityCount;
// The layout of the one-point object dragged from the increase token.
constexpr const char* kIncreaseObjectLayout = "velTextBoxSmall.ui";
constexpr const char* kHintIncreasesSound = "10600.wav";
constexpr const char* kHintRollSound = "10700.wav";
constexpr const char* kHintPointBuySound = "10900.wav";
// Set-up counts its own roll as the first; the roller adds one per roll.
constexpr std::uint32_t kValueRollCount = VelCharacter::kValueSetUpAsNew;

VelCharacter* Character()
{
    return VelClient::GetCurrentCharacter();
}

// Tokens and the one-point object may land on any row that takes them.
std::uint16_t MayDropOnto(UIControl*, UIControl*)
{
    return UIDragRecord::kDropYes;
}

std::uint16_t RowAcceptsDrop(UIControl* row, UIControl* dragged)
{
    for (UIControl* up = row ? row->GetParent() : nullptr; up; up = up->GetParent())
        if (auto* roller = dynamic_cast<Vel_UIWin_Roller*>(up))
            return roller->AcceptsDrop(row, dragged);
    return UIDragRecord::kRefuse;
}

// The increases still to spend.
std::int32_t IncreasesLeft(const VelCharacter* character)
{
    if (!character)
        return 0;
    return static_cast<std::int32_t>(std::min<std::uint32_t>(
        character->values[VelCharacter::kValueIncreasesToAssign], std::numeric_limits<std::int32_t>::max()));
}

// Every increase the character has earned: those still to spend and those
// placed on its scores before.
std::int32_t IncreasesEarned(const VelCharacter* character)
{
    if (!character)
        return 0;
    std::int64_t earned = IncreasesLeft(character);
    for (const std::uint16_t placed : character->abilityIncreases)
        earned += placed;
    return static_cast<std::int32_t>(std::min<std::int64_t>(earned, std::numeric_limits<std::int32_t>::max()));
}

bool IsValueToken(std::uint16_t id)
{
    return id >= Vel_UIWin_Roller::kFirstTokenId &&
           id < Vel_UIWin_Roller::kFirstTokenId + kAbilities;
}
} // namespace

Vel_UIWin_Roller::Vel_UIWin_Roller() = default;

Vel_UIWin_Roller::Vel_UIWin_Roller(const Vel_UIWin_Roller& other)
    : Vel_UIDialog(other), mode(other.mode), givenAdjust(other.givenAdjust),
      increases(other.increases), placedCount(other.placedCount), hitPoints(other.hitPoints),
      savedHitPointBonus(other.savedHitPointBonus), savedHitDice(other.savedHitDice),
      placed(other.placed), method(other.method), rolls(other.rolls),
      savedClassHitDice(other.savedClassHitDice), savedHitPointStat(other.savedHitPointStat)
{
    // The class registry clones an empty prototype before every load, so a
    // missing control is reported by the load alone.
    BindChildren(false);
}

Vel_UIWin_Roller::~Vel_UIWin_Roller() = default;

std::string Vel_UIWin_Roller::GetClassName() const { return "Vel_UIWin_Roller"; }
std::string Vel_UIWin_Roller::GetTypeName() const { return "Vel_UIWin_Roller"; }
FCObject* Vel_UIWin_Roller::Clone() const { return new Vel_UIWin_Roller(*this); }
FCObject* Vel_UIWin_Roller::CreateNew() const { return new Vel_UIWin_Roller(); }

bool Vel_UIWin_Roller::Load(FCFile& file)
{
    if (!Vel_UIDialog::Load(file))
        return false;
    BindChildren(true);
    SetEnabledAndRedraw(secondControl, false);
    if (increaseToken)
        increaseToken->SetDragFlags(increaseToken->GetDragFlags() | kDragObjectFromAncestor);
    for (UITextControl* token : tokens)
        if (token)
            token->SetDropOntoCallback(MayDropOnto);
    for (UINumberScroll* row : rows)
    {
        // The values come from tokens and arrows only: nothing is typed.
        if (row && row->GetValueField())
            row->GetValueField()->SetMouseTransparent(1);
    }
    const VelCharacter* character = Character();
    if (averageBox && character && character->averageHitDice)
        averageBox->SetState(kTicked);
    SetDragFlags(GetDragFlags() | kDragContainer);
    ShowRollCount();
    SaveHitDice();
    FillMethodList();
    return true;
}

void Vel_UIWin_Roller::BindChildren(bool logMissing)
{
    methodList = FindDescendantAs<UIListBox>(kMethodListId, logMissing);
    for (std::size_t i = 0; i < kAbilities; ++i)
    {
        const auto offset = static_cast<std::uint16_t>(i);
        rows[i] = FindDescendantAs<UINumberScroll>(kFirstRowId + offset, logMissing);
        modifiers[i] = FindDescendantAs<UITextControl>(kFirstModifierId + offset, logMissing);
        tokens[i] = FindDescendantAs<UITextControl>(kFirstTokenId + offset, logMissing);
    }
    hitPointsText = FindDescendantAs<UITextControl>(kHitPointsId, logMissing);
    increaseToken = FindDescendantAs<UITextControl>(kIncreaseTokenId, logMissing);
    averageBox = FindDescendant(kAverageBoxId);
    pointsText = FindDescendantAs<UITextControl>(kPointsId, logMissing);
    budget = FindDescendantAs<UINumberScroll>(kBudgetId, logMissing);
    resetButton = FindDescendant(kResetId);
    rollButton = FindDescendant(kRollButtonId);
    budgetLabel = FindDescendant(kBudgetLabelId);
    rollCountText = FindDescendantAs<UITextControl>(kRollCountId, logMissing);
}

void Vel_UIWin_Roller::FillMethodList()
{
    if (!methodList)
        return;
    // The layout's first row is the pattern of every method row.
    UIControl* pattern = methodList->ItemAt(0, 0);
    FCCountedRef<UIControl> prototype = FCCountedRef<UIControl>::Share(pattern);
    methodList->RemoveAllItems();
    if (!prototype)
    {
        FC_LOG("The method list has no row to copy\n");
        return;
    }
    const FCResourceManager* resources = FCResourceManager::GetInstance();
    for (std::uint16_t m = kModeRoll; m <= kModeFixed; ++m)
    {
        auto* row = dynamic_cast<UIControl*>(prototype->Clone());
        if (!row)
            continue;
        const std::string* name =
            resources ? resources->GetString(static_cast<std::uint16_t>(kFirstMethodNameId + m))
                      : nullptr;
        if (auto* text = dynamic_cast<UITextControl*>(row))
            text->SetText(name ? *name : std::string());
        row->SetChangeMode(kOnRelease);
        methodList->AddItemWithData(row, m, 0);
    }
    methodList->UpdateLayout();
    const VelCharacter* character = Character();
    std::uint16_t stored = character ? character->abilityMethod : std::uint16_t{kModeRoll};
    if (stored > kModeFixed)
    {
        FC_LOG("Unknown ability method %u: rolling\n", static_cast<unsigned>(stored));
        stored = kModeRoll;
    }
    // The rows stand in method order.
    methodList->SelectItemAt(stored);
}

void Vel_UIWin_Roller::OnMethodChanged()
{
    if (!methodList)
        return;
    UIControl* selected = methodList->GetSelectedItem(0);
    if (!selected)
        return;
    const auto chosen = static_cast<std::int16_t>(methodList->GetItemData(selected));
    if (chosen == method)
        return;
    method = chosen;
    if (chosen >= kModeRoll && chosen <= kModeFixed)
        SetMode(static_cast<std::uint16_t>(chosen));
}

void Vel_UIWin_Roller::SetMode(std::uint16_t newMode)
{
    mode = newMode;
    bool resetEnabled = true;
    bool rollShown = false;
    bool budgetShown = false;
    bool averageEnabled = false;
    switch (newMode)
    {
    case kModeRoll:
        SetMessageTextId(kMessageRoll);
        SetupRows(true);
        resetEnabled = false;
        rollShown = true;
        averageEnabled = true;
        break;
    case kModePointBuy:
        SetupRows(true);
        SetMessageTextId(kMessagePointBuy);
        StartPointBuy();
        budgetShown = true;
        PlayHintOnce(kHintPointBuy, kHintPointBuySound);
        break;
    case kModeFixed:
        SetupRows(true);
        SetMessageTextId(kMessageAssign);
        UseFixedArray();
        PlayHintOnce(kHintFixed, kHintRollSound);
        break;
    default:
        break;
    }
    SetEnabledAndRedraw(resetButton, resetEnabled);
    // The count of rolls means something only beside the button that rolls.
    SetShown(rollButton, rollShown);
    SetShown(rollCountText, rollShown);
    SetShown(budget, budgetShown);
    SetShown(budgetLabel, budgetShown);
    SetEnabledAndRedraw(averageBox, averageEnabled);
}

void Vel_UIWin_Roller::SetupRows(bool reset)
{
    givenAdjust = GetGivenAbilityAdjustments(Character());
    for (std::size_t i = 0; i < kAbilities; ++i)
    {
        if (UINumberScroll* row = rows[i])
        {
            row->SetRange(kLowestRowValue, kMaxScore);
            row->SetDragFlags(kDropTarget);
            row->SetAcceptDropCallback(RowAcceptsDrop);
            row->SetShort(givenAdjust[i]);
            // Not while handing out increases: no budget limits the steps
            // there, so they would raise scores for nothing.
            row->SetButtonsVisible(method == kModePointBuy && mode != kModeIncreases);
        }
        SetShown(tokens[i], false);
        if (modifiers[i])
            modifiers[i]->SetText("");
    }
    if (reset)
    {
        VelCharacter* character = Character();
        if (character)
            character->hitPointBonus = 0;
        hitPoints = GetFeatHitPointBonus(character);
        if (hitPointsText)
        {
            if (hitPoints == 0)
                hitPointsText->SetText("-");
            else
                hitPointsText->SetLong(hitPoints);
        }
    }
    if (increaseToken)
    {
        // New scores hold no increase: every one earned is offered again,
        // to go where the user puts it.
        increaseToken->SetLong(IncreasesEarned(Character()));
        SetEnabledAndRedraw(increaseToken, true);
        SetShown(increaseToken, true);
    }
    increases = {};
    placedCount = 0;
    SetEnabledAndRedraw(secondControl, false);
    placed = {};
    if (pointsText)
        pointsText->SetText("");
}

void Vel_UIWin_Roller::RollAbilities(bool newRoll)
{
    if (newRoll)
    {
        rolls.clear();
        RollAbilityScores(kAbilityMethodRolled, rolls);
        std::sort(rolls.begin(), rolls.end());
    }
    SetupRows(newRoll);
    if (rolls.size() >= kAbilities)
    {
        const VelAbilityOrder order = GetAbilityPriorityOrder(Character());
        // The largest roll goes to the class's most important ability.
        for (std::size_t k = 0; k < kAbilities; ++k)
            ShowToken(static_cast<std::int16_t>(order[k]),
                      static_cast<std::int16_t>(rolls[rolls.size() - 1 - k]));
    }
    VelCharacter* character = Character();
    if (newRoll && character)
    {
        character->SetValue(kValueRollCount, character->values[kValueRollCount] + 1);
        ShowRollCount();
    }
    RollHitPoints(IsAverageTicked(), !newRoll);
    EnableIncreaseToken();
    ShowPointTotal();
    if (newRoll)
        PlayHintOnce(kHintRoll, kHintRollSound);
}

void Vel_UIWin_Roller::UseFixedArray()
{
    for (std::size_t i = 0; i < kAbilities; ++i)
        ShowToken(static_cast<std::int16_t>(i), kFixedArray[i]);
    if (averageBox)
        averageBox->SetState(kTicked);
    RollHitPoints(true, false);
    EnableIncreaseToken();
    ShowPointTotal();
}

void Vel_UIWin_Roller::StartPointBuy()
{
    if (budget)
    {
        budget->SetRange(0, kMaxBudget);
        budget->SetLong(kStartingBudget);
    }
    if (averageBox)
        averageBox->SetState(kTicked);
    RollHitPoints(true, false);
    for (std::size_t i = 0; i < kAbilities; ++i)
    {
        const auto ability = static_cast<std::int16_t>(i);
        placed[i] = 1;
        const std::int32_t lowest = kLowestBoughtScore + givenAdjust[i];
        if (rows[i])
            rows[i]->SetRange(lowest, kMaxScore);
        SetRowValue(ability, lowest);
        ShowModifier(ability);
        if (ability == VelEntity::kCon)
            ShowHitPoints();
    }
    EnableIncreaseToken();
    if (pointsText)
        pointsText->SetLong(0);
    SetEnabledAndRedraw(secondControl, true);
}

void Vel_UIWin_Roller::UpdateBudget(std::int32_t delta)
{
    if (!budget || !budget->GetValueField())
        return;
    const std::int32_t left = budget->GetValueField()->GetLong() + delta;
    budget->SetLong(left);
    for (std::size_t i = 0; i < kAbilities; ++i)
    {
        UIControl* up = rows[i] ? rows[i]->GetIncreaseButton() : nullptr;
        if (!up)
            continue;
        const std::int16_t base = RowBase(static_cast<std::int16_t>(i));
        const bool affordable =
            left >= GetPointBuyDelta(base, static_cast<std::int16_t>(base + 1));
        SetEnabledAndRedraw(up, affordable && base < kHighestBoughtScore);
    }
}

void Vel_UIWin_Roller::OnRowStep(std::int16_t ability, bool up)
{
    // The row has stepped already: its base is the new one.
    const std::int16_t base = RowBase(ability);
    const auto previous = static_cast<std::int16_t>(up ? base - 1 : base + 1);
    UpdateBudget(-GetPointBuyDelta(previous, base));
    ShowPointTotal();
    ShowModifier(ability);
    if (ability == VelEntity::kCon && placed[static_cast<std::size_t>(ability)])
        ShowHitPoints();
}

void Vel_UIWin_Roller::ShowPointTotal()
{
    std::int32_t total = 0;
    for (std::size_t i = 0; i < kAbilities; ++i)
    {
        const auto ability = static_cast<std::int16_t>(i);
        if (mode == kModeIncreases || mode == kModePointBuy)
            total += GetPointBuyCost(RowBase(ability));
        else if (tokens[i])
            total += GetPointBuyCost(tokens[i]->GetShort());
    }
    if (pointsText)
        pointsText->SetLong(total);
}

void Vel_UIWin_Roller::RollHitPoints(bool average, bool keep)
{
    VelCharacter* character = Character();
    if (!character)
        return;
    if (!keep)
        character->hitPointBonus = 0;
    // The feat bonus is inside the rules' total already.
    hitPoints = RollHitPointsForLevels(
        character, keep ? VelHitDiceMode::kKeepRolls : VelHitDiceMode::kRerollAll, average);
    if (hitPointsText)
        hitPointsText->SetLong(hitPoints);
}

void Vel_UIWin_Roller::ShowHitPoints()
{
    hitPoints = ComputeHitPoints(Character(), RowValue(VelEntity::kCon));
    if (hitPointsText)
        hitPointsText->SetLong(hitPoints);
}

void Vel_UIWin_Roller::EnableIncreaseToken()
{
    if (!increaseToken)
        return;
    // A token with nothing left to hand out must not hand out a point.
    const std::uint16_t flags = increaseToken->GetDragFlags();
    increaseToken->SetDragFlags(increaseToken->GetLong() > 0 ? static_cast<std::uint16_t>(flags | kDraggable)
                                                             : static_cast<std::uint16_t>(flags & ~kDraggable));
}

std::uint16_t Vel_UIWin_Roller::AcceptsDrop(const UIControl* row, const UIControl* dragged) const
{
    const std::int16_t ability = RowIndexOf(row);
    if (ability < 0 || !dragged)
        return kRefuse;
    const std::uint16_t draggedId = dragged->GetId();
    const bool isValue = IsValueToken(draggedId);
    if (!isValue && draggedId != kIncreaseObjectId)
        return kRefuse;
    // A row takes one value; after it only increases.
    if (isValue && placed[static_cast<std::size_t>(ability)])
        return kRefuse;
    return RowValue(ability) < kMaxScore ? kAccept : kRefuse;
}

void Vel_UIWin_Roller::DropOnRow(std::int16_t ability, UIControl* dragged)
{
    const auto i = static_cast<std::size_t>(ability);
    auto* object = dynamic_cast<UITextControl*>(dragged);
    if (!object)
        return;
    std::int32_t value = RowValue(ability);
    if (object->GetId() != kIncreaseObjectId)
    {
        value += object->GetShort();
        SetShown(tokens[object->GetId() - kFirstTokenId], false);
        placed[i] = 1;
    }
    else
    {
        ++increases[i];
        if (increaseToken)
        {
            const std::int32_t left = std::max(increaseToken->GetLong() - 1, 0);
            increaseToken->SetLong(left);
            if (left == 0)
                SetEnabledAndRedraw(increaseToken, false);
        }
        value += 1;
        if (mode == kModePointBuy && rows[i] && rows[i]->GetValueField())
        {
            // The bought part cannot be sold below the point just added.
            UIControl* up = rows[i]->GetIncreaseButton();
            const bool upEnabled = up && up->IsEnabled();
            double lowest = 0.0;
            double highest = 0.0;
            rows[i]->GetValueField()->GetRange(lowest, highest);
            rows[i]->SetRange(lowest + 1.0, highest);
            SetEnabledAndRedraw(up, upEnabled);
        }
    }
    SetRowValue(ability, std::min<std::int32_t>(value, kMaxScore));
    ShowModifier(ability);
    if (ability == VelEntity::kCon && placed[i])
        ShowHitPoints();
}

void Vel_UIWin_Roller::StartIncreases(bool silent)
{
    // Whatever the stored method's set-up did to the hit dice is undone:
    // handing out increases keeps the character's hit points.
    RestoreHitDice();
    mode = kModeIncreases;
    SetMessageTextId(kMessageIncreases);
    SetupRows(false);
    VelCharacter* character = Character();
    for (std::size_t i = 0; i < kAbilities; ++i)
    {
        const auto ability = static_cast<std::int16_t>(i);
        placed[i] = 1;
        if (rows[i])
            rows[i]->SetRange(0, kMaxScore);
        SetRowValue(ability, character ? character->abilities[i] : 0);
        ShowModifier(ability);
        increases[i] = character ? character->abilityIncreases[i] : 0;
    }
    // The placed increases stay on their scores.
    if (increaseToken)
        increaseToken->SetLong(IncreasesLeft(character));
    EnableIncreaseToken();
    ShowPointTotal();
    hitPoints = character ? static_cast<std::uint16_t>(character->stats[VelEntity::kHitPoints]) : 0;
    if (hitPointsText)
        hitPointsText->SetLong(hitPoints);
    if (averageBox && character)
        averageBox->SetState(character->averageHitDice ? kTicked : kUnticked);
    SetEnabledAndRedraw(averageBox, false);
    SetEnabledAndRedraw(secondControl, true);
    SetShown(methodList, false);
    SetShown(rollButton, false);
    SetShown(rollCountText, false);
    SetShown(budget, false);
    SetShown(budgetLabel, false);
    SetEnabledAndRedraw(resetButton, true);
    if (!silent)
        PlayHintOnce(kHintIncreases, kHintIncreasesSound);
}

void Vel_UIWin_Roller::Accept()
{
    VelCharacter* character = Character();
    if (!character)
        return;
    for (std::size_t i = 0; i < kAbilities; ++i)
    {
        const auto ability = static_cast<std::int16_t>(i);
        const std::int16_t value = RowValue(ability);
        SetAbilityScore(character, ability, static_cast<std::uint16_t>(std::max<std::int16_t>(value, 0)),
                        false);
        character->SetBaseAbility(ability, static_cast<std::uint16_t>(std::max<std::int16_t>(
                                                RowBase(ability), 0)));
        character->SetAbilityIncrease(ability, increases[i]);
    }
    character->SetValue(VelCharacter::kValueIncreasesToAssign,
                        increaseToken ? static_cast<std::uint32_t>(
                                            std::max<std::int32_t>(increaseToken->GetLong(), 0))
                                      : 0);
    character->averageHitDice = IsAverageTicked() ? 1 : 0;
    if (method >= kModeRoll && method <= kModeFixed)
        character->abilityMethod = static_cast<std::uint16_t>(method);
    if (mode != kModeIncreases)
    {
        character->SetValue(VelCharacter::kValueStepsDown, 0);
        character->SetValue(VelCharacter::kValueStepsUp, 0);
        character->hitPointBonus = 0;
    }
    // The CON score was set before the bonus was settled.
    character->SetStat(VelEntity::kHitPoints, ComputeHitPoints(character, -1));
    character->NotifyChanged();
}

void Vel_UIWin_Roller::SaveHitDice()
{
    const VelCharacter* character = Character();
    if (!character)
        return;
    savedHitPointBonus = character->hitPointBonus;
    savedHitDice = character->hitDieRolls;
    savedHitPointStat = character->stats[VelEntity::kHitPoints];
    savedClassHitDice.clear();
    for (std::uint32_t i = 0; i < character->classes.GetCount(); ++i)
    {
        const VelCharacterClass* entry = character->GetClassAt(static_cast<std::int16_t>(i));
        savedClassHitDice.push_back(entry ? entry->hitPointsRolled : 0);
    }
}

void Vel_UIWin_Roller::RestoreHitDice()
{
    VelCharacter* character = Character();
    if (!character)
        return;
    character->hitPointBonus = savedHitPointBonus;
    character->hitDieRolls = savedHitDice;
    character->SetStat(VelEntity::kHitPoints, static_cast<std::uint32_t>(savedHitPointStat));
    for (std::size_t i = 0; i < savedClassHitDice.size(); ++i)
        if (VelCharacterClass* entry = character->GetClassAt(static_cast<std::int16_t>(i)))
            entry->hitPointsRolled = savedClassHitDice[i];
}

void Vel_UIWin_Roller::ShowRollCount()
{
    const VelCharacter* character = Character();
    if (rollCountText && character)
        rollCountText->SetLong(static_cast<std::int32_t>(character->values[kValueRollCount]));
}

UIControl* Vel_UIWin_Roller::CreateDragObjectFor(UIControl* control)
{
    if (!control || control != increaseToken)
        return Vel_UIDialog::CreateDragObjectFor(control);
    FCObject* loaded = FCClassRegistry::LoadObjectFromFile(kIncreaseObjectLayout);
    auto* object = dynamic_cast<UITextControl*>(loaded);
    if (!object)
    {
        // Without its layout the point looks like the token it comes from.
        FC_LOG("No %s: the increase token drags a copy of itself\n", kIncreaseObjectLayout);
        if (loaded)
            loaded->Release();
        object = dynamic_cast<UITextControl*>(increaseToken->Clone());
        if (!object)
            return nullptr;
    }
    object->SetId(kIncreaseObjectId);
    object->SetDragFlags(kDraggable);
    object->SetDropOntoCallback(MayDropOnto);
    object->SetShort(1);
    return object;
}

bool Vel_UIWin_Roller::HandleNotify(UIEvent& event)
{
    if (!event.sender)
        return false;
    // Cancel and OK close the dialog, which may drop the last reference.
    const FCCountedRef<UIControl> self = FCCountedRef<UIControl>::Share(this);
    const std::uint16_t senderId = event.sender->GetId();
    switch (event.type)
    {
    case UIMessage::kClicked:
        if (senderId == kCloseButtonId)
        {
            Cancel();
            return true;
        }
        if (senderId == kSecondControlId)
        {
            Accept();
            Finish();
            return true;
        }
        if (senderId == kResetId)
        {
            if (mode == kModeIncreases)
                StartIncreases(true);
            else if (method != kModeRoll)
                SetMode(mode);
            else
                RollAbilities(false);
        }
        else if (senderId == kRollButtonId)
        {
            SetMessageTextId(kMessageAssign);
            RollAbilities(true);
            SetEnabledAndRedraw(resetButton, true);
        }
        break;
    case UIMessage::kChanged:
        if (methodList && event.param1 != 1 && methodList->ContainsDescendant(event.sender))
            OnMethodChanged();
        break;
    case UIMessage::kSteppedUp:
    case UIMessage::kSteppedDown:
        if (event.sender == budget)
            UpdateBudget(0);
        else if (const std::int16_t ability = RowIndexOf(event.sender); ability >= 0)
            OnRowStep(ability, event.type == UIMessage::kSteppedUp);
        break;
    case UIMessage::kDroppedOnto:
        if (const std::int16_t ability = RowIndexOf(event.sender); ability >= 0)
            DropOnRow(ability, reinterpret_cast<UIControl*>(event.param1));
        break;
    case UIMessage::kDragStarted:
        if (event.sender != increaseToken)
            SetShown(event.sender, false);
        break;
    case UIMessage::kDragCancelled:
        SetShown(GetDraggedChild(), true);
        break;
    case UIMessage::kDragAccepted:
    {
        // Only a value token counts as placed; the increase token stays.
        UIControl* child = GetDraggedChild();
        if (child && IsValueToken(child->GetId()) && child != increaseToken)
        {
            SetShown(child, false);
            if (++placedCount >= kAbilities)
                SetEnabledAndRedraw(secondControl, true);
        }
        break;
    }
    default:
        break;
    }
    return Vel_UIDialog::HandleNotify(event);
}

void Vel_UIWin_Roller::Cancel()
{
    const FCCountedRef<UIControl> self = FCCountedRef<UIControl>::Share(this);
    RestoreHitDice();
    Finish();
}

void Vel_UIWin_Roller::Finish()
{
    Close(1);
}

void Vel_UIWin_Roller::Close(std::uint8_t notify)
{
    if (VelClient* client = VelClient::GetInstance())
        client->StopSoundEffects();
    if (mode != kModeIncreases)
        if (VelSettings* settings = VelSettings::GetInstance())
            settings->runFlags |= kHintRoll | kHintPointBuy | kHintFixed;
    Vel_UIDialog::Close(notify);
}

std::int16_t Vel_UIWin_Roller::RowIndexOf(const UIControl* control) const
{
    for (std::size_t i = 0; control && i < kAbilities; ++i)
        if (rows[i] == control)
            return static_cast<std::int16_t>(i);
    return -1;
}

std::int16_t Vel_UIWin_Roller::RowValue(std::int16_t ability) const
{
    const UINumberScroll* row = rows[static_cast<std::size_t>(ability)];
    return row && row->GetValueField() ? row->GetValueField()->GetShort() : 0;
}

std::int16_t Vel_UIWin_Roller::RowBase(std::int16_t ability) const
{
    const auto i = static_cast<std::size_t>(ability);
    return static_cast<std::int16_t>(RowValue(ability) - increases[i] - givenAdjust[i]);
}

void Vel_UIWin_Roller::SetRowValue(std::int16_t ability, std::int32_t value)
{
    if (UINumberScroll* row = rows[static_cast<std::size_t>(ability)])
        row->SetLong(value);
}

void Vel_UIWin_Roller::ShowModifier(std::int16_t ability)
{
    if (UITextControl* text = modifiers[static_cast<std::size_t>(ability)])
        text->SetShort(GetAbilityModifier(RowValue(ability)));
}

void Vel_UIWin_Roller::ShowToken(std::int16_t ability, std::int16_t value)
{
    UITextControl* token = tokens[static_cast<std::size_t>(ability)];
    if (!token)
        return;
    token->SetShort(value);
    token->SetDragFlags(token->GetDragFlags() | kDraggable);
    SetShown(token, true);
}

bool Vel_UIWin_Roller::IsAverageTicked() const
{
    return averageBox && averageBox->GetState() == kTicked;
}

void Vel_UIWin_Roller::SetShown(UIControl* control, bool show) const
{
    if (!control)
        return;
    control->Invalidate();
    control->SetVisible(show ? 1 : 0);
    control->Invalidate();
}

void Vel_UIWin_Roller::SetEnabledAndRedraw(UIControl* control, bool enable) const
{
    if (!control)
        return;
    control->SetEnabled(enable ? 1 : 0);
    control->Invalidate();
}

void Vel_UIWin_Roller::PlayHintOnce(std::uint32_t flag, const char* fileName) const
{
    VelSettings* settings = VelSettings::GetInstance();
    if (settings && (settings->runFlags & flag))
        return;
    if (VelClient* client = VelClient::GetInstance())
        client->PlaySound(fileName);
    if (settings)
        settings->runFlags |= flag;
}
