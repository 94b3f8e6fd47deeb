#pragma once

#include <cstdint>

// Numbers carried in UIEvent::type: input event types from the window
// manager, messages that controls send up their parent chain, and the result
// codes that windows and dialogs report to their owners.
namespace UIMessage
{
// Input events.
enum : std::uint16_t
{
    kUpdate = 1,
    kPaint = 2,
    kInvalidate = 3, // understood by UIObject::HandleMessage only
    kMouseDown = 6,
    kMouseUp = 7,
    kDoubleClick = 8,
    kRightDown = 9,
    kRightUp = 10,
    kMouseMove = 11,
    kKeyDown = 12,
    kKeyUp = 13,
    kChar = 14,
};

// Messages from controls to their parents.
enum : std::uint16_t
{
    kClicked = 1000,
    kDoubleClicked = 1001,
    kChanged = 1002,
    kDeselect = 1003,
    kMouseEntered = 1004,
    kMouseLeft = 1005,
    kValueChanged = 1006,
    kFocusGained = 1007,
    kFocusLost = 1008,
    kTextChanged = 1009,
    kDragStarted = 1011,
    kDragCancelled = 1012,
    kDragAccepted = 1013,
    kChildDraggedOut = 1014,
    kWrapped = 1015,
    kEnterPressed = 1016,
    kDroppedOnto = 1025,
    kSteppedUp = 1026,
    kSteppedDown = 1027,
    kMouseOverEntered = 1030,
    kMouseOverLeft = 1031,
};

// Results that windows and dialogs report to their owners.
enum : std::uint16_t
{
    kResultFileOpen = 17,
    kResultFileSave = 18,
    kResultOk = 21,
    kResultCancel = 22,
    kResultYes = 23,
    kResultNo = 24,
    kResultMovieEnded = 25,
    kResultClosed = 28,
};

// Modifier bits of pointer events (param1).
enum : std::uint32_t
{
    kModControl = 0x1,
    kModShift = 0x2,
    kModButtonHeld = 0x4,
};
} // namespace UIMessage
