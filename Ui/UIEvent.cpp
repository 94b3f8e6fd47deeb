#include "Ui/UIEvent.h"

#include "Ui/UIMessages.h"

std::uint16_t UIEvent::GetMessageId() const
{
    return type == UIMessage::kWrapped ? innerId : type;
}
