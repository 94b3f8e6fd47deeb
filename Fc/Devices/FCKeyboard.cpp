#include "Fc/Devices/FCKeyboard.h"

namespace
{
FCKeyboard* keyboardInstance = nullptr;
} // namespace

FCKeyboard::FCKeyboard()
{
    keyboardInstance = this;
}

FCKeyboard::~FCKeyboard()
{
    if (keyboardInstance == this)
    {
        keyboardInstance = nullptr;
    }
}

FCKeyboard* FCKeyboard::GetInstance()
{
    return keyboardInstance;
}
