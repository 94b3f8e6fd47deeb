#include "Ui/UIDragRecord.h"

UIDragRecord::UIDragRecord(const UIDragRecord& other)
    : dragFlags(other.dragFlags), dropOntoState(other.dropOntoState),
      dragContainer(other.dragContainer), dropOntoCallback(other.dropOntoCallback),
      acceptDropState(other.acceptDropState), acceptDropCallback(other.acceptDropCallback),
      tracking(other.tracking), pressX(other.pressX), pressY(other.pressY),
      dragThreshold(other.dragThreshold)
{
}

// The dragged child is released by the control that holds it.
UIDragRecord::~UIDragRecord() = default;
