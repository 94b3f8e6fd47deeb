#include "support/FakeKeyboard.h"

void FakeKeyboard::Resume()
{
    ++resumeCount;
    if (journal != nullptr)
    {
        journal->push_back("keyboard.Resume");
    }
}

void FakeKeyboard::Suspend()
{
    ++suspendCount;
    if (journal != nullptr)
    {
        journal->push_back("keyboard.Suspend");
    }
}
