#include "Ui/UIButton.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Ui/UILayoutCodec.h"
#include "Ui/UIMessages.h"

#include <array>

FC_REGISTER_CLASS(UIButton);

namespace
{
enum class Cycle : std::uint8_t
{
    kUpDown, // 64 gives 32, anything else 64; backwards the same
    kThree,  // 32, 64, 128 and round
    kNone,   // the state never changes
};

enum class Press : std::uint8_t
{
    kDown,
    kNext,    // the next state of the cycle
    kFlip,    // down gives up, anything else down
    kNothing,
};

enum class Release : std::uint8_t
{
    kUp,
    kLatchOrUp,        // kept with control flag 0x8, else up
    kLatchOrSelection, // kept with control flag 0x8, else down while selected
    kSelection,        // down while selected, else up
    kNothing,
};

enum class Move : std::uint8_t
{
    kFollowPress, // the press state inside, its predecessor outside
    kRadio,       // up when outside and not selected
    kNothing,
};

struct Behaviour
{
    Cycle cycle;
    Press press;
    Release release;
    Move move;
};

// By button type; an unknown type behaves as an inert button.
constexpr std::array kBehaviours{
    Behaviour{Cycle::kUpDown, Press::kDown, Release::kUp, Move::kFollowPress},             // push
    Behaviour{Cycle::kUpDown, Press::kNext, Release::kLatchOrUp, Move::kFollowPress},      // toggle
    Behaviour{Cycle::kUpDown, Press::kDown, Release::kLatchOrSelection, Move::kRadio},     // radio
    Behaviour{Cycle::kNone, Press::kNothing, Release::kNothing, Move::kNothing},           // inert
    Behaviour{Cycle::kThree, Press::kNext, Release::kLatchOrUp, Move::kFollowPress},       // three-state
    Behaviour{Cycle::kUpDown, Press::kFlip, Release::kSelection, Move::kFollowPress},      // owner-decided
};

const Behaviour& BehaviourOf(std::int32_t type)
{
    const bool known = type >= 0 && static_cast<std::size_t>(type) < kBehaviours.size();
    return kBehaviours[known ? static_cast<std::size_t>(type) : UIButton::kInert];
}
} // namespace

UIButton::UIButton()
{
    typeCode = kClassCode;
}

UIButton::UIButton(std::uint16_t newId) : UIButton()
{
    id = newId;
}

UIButton::UIButton(const UIButton& other)
    : UIControl(other), pressState(other.pressState), upClickSound(other.upClickSound),
      downClickSound(other.downClickSound)
{
    SetButtonType(other.buttonType);
}

UIButton::~UIButton() = default;

std::string UIButton::GetClassName() const
{
    return "UIButton";
}
std::string UIButton::GetTypeName() const
{
    return "UIButton";
}
FCObject* UIButton::Clone() const
{
    return new UIButton(*this);
}
FCObject* UIButton::CreateNew() const
{
    return new UIButton();
}

bool UIButton::Load(FCFile& file)
{
    if (!UIControl::Load(file))
        return false;
    UIButtonRecord record;
    if (!UILayoutCodec::Read(file, record))
    {
        FC_LOG("Could not read the type of button %u\n", id);
        return false;
    }
    SetButtonType(record.buttonType);
    return true;
}

std::int32_t UIButton::SetButtonType(std::int32_t type)
{
    const std::int32_t previous = buttonType;
    buttonType = type;
    if (type == kRadio || type == kOwnerDecided)
        changeMode = kOnRelease;
    return previous;
}

std::int32_t UIButton::SetPressState(std::int32_t newState)
{
    const std::int32_t previous = pressState;
    pressState = newState;
    return previous;
}

std::int32_t UIButton::NextState(std::int32_t from) const
{
    switch (BehaviourOf(buttonType).cycle)
    {
    case Cycle::kUpDown:
        return from == kDown ? kUp : kDown;
    case Cycle::kThree:
        return from == kUp ? kDown : from == kDown ? kThird : kUp;
    case Cycle::kNone:
        break;
    }
    return from;
}

std::int32_t UIButton::PreviousState(std::int32_t from) const
{
    if (BehaviourOf(buttonType).cycle == Cycle::kThree)
        return from == kUp ? kThird : from == kDown ? kUp : kDown;
    return NextState(from);
}

std::int32_t UIButton::ToggleState()
{
    const auto previous = static_cast<std::int32_t>(state);
    SetState(static_cast<std::uint32_t>(NextState(previous)));
    return previous;
}

void UIButton::SetSound(std::int16_t soundEvent, std::uint16_t soundId)
{
    if (soundEvent == kSoundUpClick)
        upClickSound = static_cast<std::int16_t>(soundId);
    else if (soundEvent == kSoundDownClick)
        downClickSound = static_cast<std::int16_t>(soundId);
    else
        UIControl::SetSound(soundEvent, soundId);
}

void UIButton::ApplyPress()
{
    switch (BehaviourOf(buttonType).press)
    {
    case Press::kDown:
        SetState(kDown);
        break;
    case Press::kNext:
        ToggleState();
        break;
    case Press::kFlip:
        SetState(state == kDown ? kUp : kDown);
        break;
    case Press::kNothing:
        break;
    }
}

void UIButton::ApplyRelease()
{
    const bool latched = (controlFlags & kOwnMessageIds) != 0;
    switch (BehaviourOf(buttonType).release)
    {
    case Release::kUp:
        SetState(kUp);
        break;
    case Release::kLatchOrUp:
        if (!latched)
            SetState(kUp);
        break;
    case Release::kLatchOrSelection:
        if (!latched)
            SetState(IsSelected() ? kDown : kUp);
        break;
    case Release::kSelection:
        SetState(IsSelected() ? kDown : kUp);
        break;
    case Release::kNothing:
        break;
    }
}

void UIButton::OnMouseDown(UIEvent& event)
{
    ApplyPress();
    pressState = static_cast<std::int32_t>(state);
    UIControl::OnMouseDown(event);
}

void UIButton::OnMouseUp(UIEvent& event)
{
    ApplyRelease();
    UIControl::OnMouseUp(event);
}

void UIButton::OnMouseMove(UIEvent& event)
{
    if (!(event.param1 & UIMessage::kModButtonHeld))
    {
        UIControl::OnMouseMove(event);
        return;
    }
    const bool inside = HitTest(event.GetPoint(), true);
    switch (BehaviourOf(buttonType).move)
    {
    case Move::kFollowPress:
        SetState(static_cast<std::uint32_t>(inside ? pressState : PreviousState(pressState)));
        break;
    case Move::kRadio:
        if (!inside && !IsSelected())
            SetState(kUp);
        break;
    case Move::kNothing:
        break;
    }
}

bool UIButton::NotifyClicked(UIEvent& event)
{
    if (state == kUp && upClickSound > 0)
        PlaySound(static_cast<std::uint16_t>(upClickSound));
    else if (state == kDown && downClickSound > 0)
        PlaySound(static_cast<std::uint16_t>(downClickSound));
    return UIControl::NotifyClicked(event);
}

void UIButton::SetSelected(std::uint8_t select)
{
    if (buttonType == kRadio || buttonType == kOwnerDecided)
        SetState(select ? kDown : kUp);
    UIControl::SetSelected(select);
}
