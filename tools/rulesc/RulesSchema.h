#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// What the rule sources may say, as data: the kinds of names a reference may
// use, the tables a source file may hold (and the tables written inside an
// owner), the fields whose values are references, fixed words or texts with
// rules of their own, and the ids the program relies on by number.
// Record fields themselves are not described here: the compiler takes them
// from each record class's own field list.

// A space of names. The record spaces name records by id; the word spaces
// are fixed words with fixed values.
enum class RulesNs : std::uint8_t
{
    None,
    // Record spaces.
    Class,
    Race,
    Alignment,
    Size,
    Skill,
    Feat,
    Feature,
    Language,
    Enemy,
    Item,
    Animal,
    God,
    Domain,
    School,
    Spell,
    // Word spaces.
    Ability,
    Save,
    Proficiency,
    SkillKind,
    Prerequisite,
    FeatChoice,
    FeatureKind,
    Sex,
    NamePart,
    // The value of a class or animal feature row: a feat, item or enemy by
    // the kind of the row's feature, otherwise a number.
    FeatureValue,
};

enum class RulesOutput : std::uint8_t
{
    Database,
    Animals,
    Equipment,
    Spells,
};

// How a table's records get their key.
enum class RulesKeying : std::uint8_t
{
    // Their own "id".
    Id,
    // The id of the record they are written inside.
    Owner,
    // The owner's id and a second value given by pairField (the height and
    // weight table).
    OwnerPair,
};

struct RulesTable
{
    // The key that holds the table: at the top of a file, or inside a record
    // of the parent table.
    const char* key;
    const char* parent;
    // Null for the items, whose "class" word picks the record class.
    const char* className;
    std::uint16_t tag;
    RulesOutput output;
    RulesKeying keying;
    // The space that names the records (top-level tables).
    RulesNs ns = RulesNs::None;
    // A record field that takes the owner's id as well.
    const char* ownerField = nullptr;
    // Rows written as a bare value fill this one field.
    const char* scalarField = nullptr;
    // The second key of OwnerPair rows, and its space.
    const char* pairField = nullptr;
    RulesNs pairNs = RulesNs::None;
    // The table is one record written as a map, not a list of them.
    bool single = false;
};

// What a field's value may be besides a plain number or text.
struct RulesField
{
    const char* className;
    const char* field;
    // The space of the value's names.
    RulesNs values = RulesNs::None;
    // For arrays written as a map: the space of the positions' names.
    RulesNs positions = RulesNs::None;
    // Texts: the most integer conversions they may hold (-1: not a format).
    int maxConversions = -1;
    // Texts: a picture file name that must follow the core file's convention.
    bool pictureFile = false;
};

struct RulesWord
{
    RulesNs ns;
    const char* word;
    std::int32_t value;
};

struct RulesWellKnown
{
    RulesNs ns;
    std::uint16_t id;
    const char* role;
};

struct RulesItemClass
{
    const char* word;
    const char* className;
};

namespace RulesSchema
{
std::span<const RulesTable> Tables();
std::span<const RulesField> Fields();
std::span<const RulesWord> Words();
std::span<const RulesWellKnown> WellKnownIds();
std::span<const RulesItemClass> ItemClasses();

// The field's rule, or null when it is a plain number or text.
const RulesField* FindField(std::string_view className, std::string_view field);
// The top-level table that names records of a space; null for word spaces.
const RulesTable* TableOf(RulesNs ns);
bool IsWordSpace(RulesNs ns);
const char* NsName(RulesNs ns);
const char* OutputFileName(RulesOutput output);
} // namespace RulesSchema
