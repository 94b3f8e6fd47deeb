#pragma once

#include <cstdint>

class UIControl;

// The drag-and-drop half of a control: whether it moves or can be dragged,
// what it answers when something is dragged over it, and the state of a
// press that may turn into a drag.
class UIDragRecord
{
public:
    // Drag flags.
    static constexpr std::uint16_t kMovable = 0x02;
    static constexpr std::uint16_t kDraggable = 0x04;
    static constexpr std::uint16_t kDropTarget = 0x08;
    static constexpr std::uint16_t kHideDraggedChild = 0x10;
    static constexpr std::uint16_t kRemoveOnAccept = 0x20;
    static constexpr std::uint16_t kRemoveOnDropOutside = 0x40;
    static constexpr std::uint16_t kDragContainer = 0x80;
    static constexpr std::uint16_t kDragObjectFromAncestor = 0x100;

    // Answers to "may this be dropped here" and "do you accept this".
    static constexpr std::uint16_t kDropYes = 0;
    static constexpr std::uint16_t kDropOntoNoAnswer = 2;
    static constexpr std::uint16_t kAccept = 1;
    static constexpr std::uint16_t kRefuse = 2;
    static constexpr std::uint16_t kNoAnswer = 3;

    using DropOntoCallback = std::uint16_t (*)(UIControl* control, UIControl* target);
    using AcceptDropCallback = std::uint16_t (*)(UIControl* control, UIControl* dragged);

    UIDragRecord() = default;
    // Copies everything but the dragged child, which is a live reference.
    UIDragRecord(const UIDragRecord& other);
    UIDragRecord& operator=(const UIDragRecord&) = delete;
    virtual ~UIDragRecord();

    void SetTracking(std::uint8_t value) { tracking = value; }
    std::uint8_t IsTracking() const { return tracking; }

    std::uint16_t GetDragFlags() const { return dragFlags; }
    void SetDragFlags(std::uint16_t flags) { dragFlags = flags; }
    std::uint16_t GetDropOntoState() const { return dropOntoState; }
    std::uint16_t GetAcceptDropState() const { return acceptDropState; }
    UIControl* GetDragContainer() const { return dragContainer; }
    void SetDropOntoCallback(DropOntoCallback callback) { dropOntoCallback = callback; }
    void SetAcceptDropCallback(AcceptDropCallback callback) { acceptDropCallback = callback; }
    std::int16_t GetDragThreshold() const { return dragThreshold; }
    void SetDragThreshold(std::int16_t value) { dragThreshold = value; }
    UIControl* GetDraggedChild() const { return draggedChild; }

protected:
    std::uint16_t dragFlags = 0;
    std::uint16_t dropOntoState = kDropOntoNoAnswer;
    UIControl* dragContainer = nullptr;
    DropOntoCallback dropOntoCallback = nullptr;
    std::uint16_t acceptDropState = kNoAnswer;
    AcceptDropCallback acceptDropCallback = nullptr;
    std::uint8_t tracking = 0;
    std::int32_t pressX = 0;
    std::int32_t pressY = 0;
    std::int16_t dragThreshold = 10;
    UIControl* draggedChild = nullptr;
};
