#pragma once

class VelCharacter;

// Applies the set-up window to the character: a new character gets its
// rolled scores, starting items and money, height, weight and age; every
// character gets its derived values, skills, feats, languages, spells and
// class features recomputed for the levels added since the last set-up.
// An existing character keeps its scores, coins, body and equipment sets.
void FinishCharacterSetup(VelCharacter* character, bool isNew);
