#pragma once

#include "support/DbFixture.h"

#include <cstdint>

class VelCharacter;

// A small rules database with one record of every kind a character refers
// to, loaded for the lifetime of the object, and a character that uses
// every kind of part.
class CharacterFixture
{
public:
    // Record ids of the fixture database.
    static constexpr std::uint16_t kHuman = 1;
    static constexpr std::uint16_t kHalfling = 2;
    static constexpr std::uint16_t kHumanSize = 4;
    static constexpr std::uint16_t kHalflingSize = 3;
    static constexpr std::uint16_t kNeutral = 9;
    static constexpr std::uint16_t kClimb = 3;
    static constexpr std::uint16_t kCraft = 7;
    static constexpr std::uint16_t kCraftBows = 1;
    static constexpr std::uint16_t kPowerFeat = 10;
    static constexpr std::uint16_t kFocusFeat = 11;
    static constexpr std::uint16_t kSpellA = 100;
    static constexpr std::uint16_t kSpellB = 101;
    static constexpr std::uint16_t kCommon = 1;
    static constexpr std::uint16_t kElvish = 2;
    static constexpr std::uint16_t kSword = 50;        // weapon, 15 of coin 1, 4 lb
    static constexpr std::uint16_t kMail = 60;         // armour, 50 of coin 2, 30 lb
    static constexpr std::uint16_t kBuckler = 70;      // shield, 9 of coin 2, 4.25 lb
    static constexpr std::uint16_t kRope = 80;         // goods, 5 of coin 0
    static constexpr std::uint16_t kSneakFeature = 5;  // group 1
    static constexpr std::uint16_t kSneakFeature2 = 6; // group 1
    static constexpr std::uint16_t kPlainFeature = 7;  // no group, kind 4
    static constexpr std::uint16_t kToad = 200;        // 0.5 hit dice
    static constexpr std::uint16_t kWolf = 201;
    static constexpr std::uint16_t kGod = 1;
    static constexpr std::uint16_t kDomainA = 2;
    static constexpr std::uint16_t kDomainB = 3;
    static constexpr std::uint16_t kSchoolA = 1; // weight 2
    static constexpr std::uint16_t kSchoolB = 2; // weight 5
    static constexpr std::uint16_t kSchoolC = 3; // weight 1

    CharacterFixture();

    // A new character (owned by the caller) with classes, skills, feats,
    // spells, languages, items worn and held, equipment sets, features and
    // animals, and every plain field away from its default.
    static VelCharacter* MakeRichCharacter();

private:
    DbFixture db;
};
