#pragma once

class VelCharacter;

// The one observer of the current character: told after the rules changed
// something, while the character's change mask still says what.
class VelCharacterListener
{
public:
    virtual ~VelCharacterListener() = default;
    virtual void OnCharacterChanged(VelCharacter* character) = 0;
};
