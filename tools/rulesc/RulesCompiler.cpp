#include "RulesCompiler.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCWindows1252.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelDatabaseWriter.h"
#include "Vel/Db/VelField.h"
#include "Vel/Db/VelFieldVisitor.h"
#include "Vel/Db/VelFormat.h"
#include "Vel/Db/VelInfo.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <limits>
#include <map>
#include <optional>
#include <regex>
#include <set>

namespace
{
// Keys a record may carry besides its fields.
constexpr const char* kIdKey = "id";
constexpr const char* kRefKey = "ref";
constexpr const char* kItemClassKey = "class";
constexpr const char* kConventionsKey = "conventions";
constexpr const char* kPictureConventionKey = "pictureFile";
constexpr const char* kNoneWord = "none";
constexpr const char* kOthersWord = "others";
// A name bound to two different ids.
constexpr std::int32_t kAmbiguous = -2;

struct RecordDeleter
{
    void operator()(VelInfo* record) const { record->Release(); }
};
using RecordPtr = std::unique_ptr<VelInfo, RecordDeleter>;

struct Where
{
    const std::string* file = nullptr;
    YAML::Mark mark;
};

struct Entry
{
    const RulesTable* table = nullptr;
    YAML::Node node;
    const std::string* file = nullptr;
    std::int32_t key = -1;
    std::int32_t second = -1;
    RecordPtr record;
};

// The names and number of the fields of a record class, in file order.
class FieldCounter : public VelFieldVisitor
{
public:
    void operator()(const char* name, std::uint8_t&) override { Count(name); }
    void operator()(const char* name, std::uint16_t&) override { Count(name); }
    void operator()(const char* name, std::int16_t&) override { Count(name); }
    void operator()(const char* name, std::uint32_t&) override { Count(name); }
    void operator()(const char* name, std::int32_t&) override { Count(name); }
    void operator()(const char* name, float&) override { Count(name); }
    void operator()(const char* name, std::string&) override { Count(name); }
    void Widened(const char* name, std::int32_t&) override { Count(name); }
    using VelFieldVisitor::operator();

    std::map<std::string, int> counts;

private:
    void Count(const char* name) { ++counts[name]; }
};

// Sets one 16-bit field by name.
class FieldSetter : public VelFieldVisitor
{
public:
    FieldSetter(const char* field, std::int32_t value) : field(field), value(value) {}
    void operator()(const char* name, std::uint8_t&) override { (void)name; }
    void operator()(const char* name, std::uint16_t& v) override
    {
        if (field == name)
            v = static_cast<std::uint16_t>(value);
    }
    void operator()(const char* name, std::int16_t& v) override
    {
        if (field == name)
            v = static_cast<std::int16_t>(value);
    }
    void operator()(const char*, std::uint32_t&) override {}
    void operator()(const char*, std::int32_t&) override {}
    void operator()(const char*, float&) override {}
    void operator()(const char*, std::string&) override {}
    void Widened(const char*, std::int32_t&) override {}
    using VelFieldVisitor::operator();

private:
    std::string field;
    std::int32_t value;
};

bool ParseInteger(const std::string& text, std::int64_t& value)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    bool negative = false;
    if (begin != end && *begin == '-')
    {
        negative = true;
        ++begin;
    }
    int base = 10;
    if (end - begin > 2 && begin[0] == '0' && (begin[1] == 'x' || begin[1] == 'X'))
    {
        base = 16;
        begin += 2;
    }
    std::uint64_t magnitude = 0;
    const auto [stop, error] = std::from_chars(begin, end, magnitude, base);
    if (begin == end || error != std::errc() || stop != end || magnitude > (1ull << 40))
    {
        return false;
    }
    value = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
}

bool ParseFloat(const std::string& text, float& value)
{
    if (text.empty())
    {
        return false;
    }
    char* stop = nullptr;
    const double parsed = std::strtod(text.c_str(), &stop);
    if (stop != text.c_str() + text.size())
    {
        return false;
    }
    value = static_cast<float>(parsed);
    return true;
}

const char* ItemClassOf(const std::string& word)
{
    for (const RulesItemClass& item : RulesSchema::ItemClasses())
    {
        if (word == item.word)
        {
            return item.className;
        }
    }
    return nullptr;
}

bool IsItemClass(std::string_view className)
{
    for (const RulesItemClass& item : RulesSchema::ItemClasses())
    {
        if (className == item.className)
        {
            return true;
        }
    }
    return false;
}
} // namespace

struct RulesCompiler::Impl
{
    std::deque<std::string> fileNames;
    std::vector<Entry> entries;
    std::vector<std::string> errors;
    // Per space: names to ids, ids to entries.
    std::map<RulesNs, std::map<std::string, std::int32_t>> names;
    std::map<RulesNs, std::map<std::int32_t, std::size_t>> ids;
    // Where each top-level table was first written, for errors about
    // records missing from it.
    std::map<const RulesTable*, Where> tablePlaces;
    std::string pictureConvention;
    std::regex pictureRegex;
    std::map<RulesOutput, std::vector<std::uint8_t>> outputs;

    void Fail(const Where& where, const std::string& message)
    {
        const std::string file = where.file ? *where.file : std::string("(sources)");
        errors.push_back(file + ':' + std::to_string(where.mark.line + 1) + ':' +
                         std::to_string(where.mark.column + 1) + ": " + message);
    }
    void Fail(const std::string* file, const YAML::Node& node, const std::string& message)
    {
        Fail(Where{file, node.Mark()}, message);
    }

    // Reading the sources: every record is noted with its key, names and
    // place; nothing is resolved yet.
    void ReadFile(const std::string& path);
    void ReadConventions(const std::string* file, const YAML::Node& node);
    void Collect(const RulesTable& table, const YAML::Node& node, const std::string* file,
                 std::int32_t owner);
    void Name(RulesNs ns, const YAML::Node& node, std::int32_t id);

    // Resolving.
    bool ResolveWord(RulesNs ns, const std::string& word, std::int32_t& value) const;
    std::int32_t FeatureKindOf(std::int32_t featureId) const;
    std::int32_t FeatureKindOfNode(const YAML::Node& node) const;
    void Build(Entry& entry);
    void CheckDuplicates();
    void CheckWellKnownIds();
    void Write();
};

namespace
{
// Fills a record's fields from its source map. A field is looked up by its
// name; an array field is a list of all its values or, where its positions
// have names, a map from position names to values ("others" for the rest).
class FieldFiller : public VelFieldVisitor
{
public:
    FieldFiller(RulesCompiler::Impl& compiler, const Entry& entry, const std::string& className,
                const std::map<std::string, int>& counts)
        : compiler(compiler), entry(entry), className(className), counts(counts)
    {
    }

    void operator()(const char* name, std::uint8_t& value) override { Integer(name, value); }
    void operator()(const char* name, std::uint16_t& value) override { Integer(name, value); }
    void operator()(const char* name, std::int16_t& value) override { Integer(name, value); }
    void operator()(const char* name, std::uint32_t& value) override { Integer(name, value); }
    void operator()(const char* name, std::int32_t& value) override { Integer(name, value); }
    void Widened(const char* name, std::int32_t& value) override
    {
        std::int16_t narrow = static_cast<std::int16_t>(value);
        if (Integer(name, narrow))
            value = narrow;
    }
    void operator()(const char* name, float& value) override
    {
        const std::optional<YAML::Node> node = Element(name);
        if (node && !(node->IsScalar() && ParseFloat(node->Scalar(), value)))
            Fail(*node, std::string("\"") + name + "\" expects a number");
    }
    void operator()(const char* name, std::string& value) override;
    using VelFieldVisitor::operator();

private:
    void Fail(const YAML::Node& node, const std::string& message)
    {
        compiler.Fail(entry.file, node ? node : entry.node, message);
    }

    const RulesField* Rule(const char* name) const
    {
        const RulesField* rule = RulesSchema::FindField(className, name);
        if (!rule && IsItemClass(className))
            rule = RulesSchema::FindField("VelItemInfo", name);
        return rule;
    }

    // The source node of the next value of the field; null when the source
    // leaves it at its default.
    std::optional<YAML::Node> Element(const char* name);
    std::vector<std::optional<YAML::Node>> Positions(const char* name, const YAML::Node& node,
                                                     int count);

    template <class T> bool Integer(const char* name, T& value)
    {
        const std::optional<YAML::Node> node = Element(name);
        if (!node)
            return false;
        // Unsigned 16-bit fields also take -32768..-1: the rules read several
        // of them (check penalties, "no id") as signed.
        const std::int64_t low = std::is_same_v<T, std::uint16_t> ? std::numeric_limits<std::int16_t>::min()
                                                                  : std::numeric_limits<T>::min();
        const std::int64_t high = std::numeric_limits<T>::max();
        std::int64_t resolved = 0;
        if (!Resolve(name, *node, low, high, resolved))
            return false;
        value = static_cast<T>(resolved);
        resolvedValues[name] = static_cast<std::int32_t>(resolved);
        return true;
    }

    bool Resolve(const char* name, const YAML::Node& node, std::int64_t low, std::int64_t high,
                 std::int64_t& value);

    RulesCompiler::Impl& compiler;
    const Entry& entry;
    const std::string& className;
    const std::map<std::string, int>& counts;
    std::map<std::string, int> seen;
    std::map<std::string, std::vector<std::optional<YAML::Node>>> positioned;
    std::map<std::string, std::int32_t> resolvedValues;
};

std::optional<YAML::Node> FieldFiller::Element(const char* name)
{
    const int index = seen[name]++;
    const auto countIt = counts.find(name);
    const int count = countIt == counts.end() ? 1 : countIt->second;
    if (entry.node.IsScalar())
    {
        if (entry.table->scalarField && entry.table->scalarField == std::string_view(name))
            return entry.node;
        return std::nullopt;
    }
    // Nodes are bound only by construction: assigning one yaml-cpp node to
    // another rewrites the source document.
    const YAML::Node node = entry.node[name];
    if (!node)
        return std::nullopt;
    if (count == 1)
    {
        if (!node.IsScalar())
        {
            Fail(node, std::string("\"") + name + "\" expects a single value");
            return std::nullopt;
        }
        return node;
    }
    if (node.IsSequence())
    {
        if (node.size() != static_cast<std::size_t>(count))
        {
            if (index == 0)
                Fail(node, std::string("\"") + name + "\" expects " + std::to_string(count) +
                               " values, not " + std::to_string(node.size()));
            return std::nullopt;
        }
        return node[static_cast<std::size_t>(index)];
    }
    if (node.IsMap())
    {
        if (index == 0)
            positioned[name] = Positions(name, node, count);
        const auto& values = positioned[name];
        return static_cast<std::size_t>(index) < values.size()
                   ? values[static_cast<std::size_t>(index)]
                   : std::nullopt;
    }
    if (index == 0)
        Fail(node, std::string("\"") + name + "\" expects a list of " + std::to_string(count) +
                       " values");
    return std::nullopt;
}

std::vector<std::optional<YAML::Node>> FieldFiller::Positions(const char* name,
                                                              const YAML::Node& node, int count)
{
    std::vector<std::optional<YAML::Node>> values(static_cast<std::size_t>(count));
    const RulesField* rule = Rule(name);
    if (!rule || rule->positions == RulesNs::None)
    {
        Fail(node, std::string("\"") + name + "\" expects a list of " + std::to_string(count) +
                       " values");
        return {};
    }
    std::optional<YAML::Node> others;
    for (const auto& pair : node)
    {
        const std::string word = pair.first.Scalar();
        if (word == kOthersWord)
        {
            others.emplace(pair.second);
            continue;
        }
        std::int32_t position = -1;
        std::int64_t number = 0;
        if (ParseInteger(word, number))
            position = static_cast<std::int32_t>(number);
        else if (!compiler.ResolveWord(rule->positions, word, position))
        {
            Fail(pair.first, std::string("unknown ") + RulesSchema::NsName(rule->positions) +
                                 " \"" + word + "\"");
            continue;
        }
        if (position < 0 || position >= count)
        {
            Fail(pair.first, std::string("\"") + word + "\" is no position of \"" + name + "\"");
            continue;
        }
        values[static_cast<std::size_t>(position)].emplace(pair.second);
    }
    if (others)
    {
        for (auto& value : values)
            if (!value)
                value.emplace(*others);
    }
    return values;
}

bool FieldFiller::Resolve(const char* name, const YAML::Node& node, std::int64_t low,
                          std::int64_t high, std::int64_t& value)
{
    if (!node.IsScalar())
    {
        Fail(node, std::string("\"") + name + "\" expects a single value");
        return false;
    }
    const RulesField* rule = Rule(name);
    RulesNs ns = rule ? rule->values : RulesNs::None;
    if (ns == RulesNs::FeatureValue)
    {
        const auto feature = resolvedValues.find("featureId");
        const std::int32_t kind =
            feature == resolvedValues.end() ? -1 : compiler.FeatureKindOf(feature->second);
        ns = kind == 1   ? RulesNs::Feat
             : kind == 4 ? RulesNs::Item
             : kind == 5 ? RulesNs::Enemy
                         : RulesNs::None;
    }
    const std::string& text = node.Scalar();
    const bool isNumber = ParseInteger(text, value);
    if (!isNumber)
    {
        if (text == kNoneWord)
        {
            value = low < 0 ? -1 : high;
            return true;
        }
        std::int32_t resolved = 0;
        if (ns == RulesNs::None)
        {
            Fail(node, std::string("\"") + name + "\" expects a number, not \"" + text + "\"");
            return false;
        }
        if (!compiler.ResolveWord(ns, text, resolved))
        {
            Fail(node, std::string(resolved == kAmbiguous ? "ambiguous " : "unknown ") +
                           RulesSchema::NsName(ns) + " \"" + text + "\"" +
                           (resolved == kAmbiguous ? " (give its id)" : ""));
            return false;
        }
        value = resolved;
    }
    if (value < low || value > high)
    {
        Fail(node, std::string("\"") + name + "\" is out of range: " + text);
        return false;
    }
    if (isNumber && ns != RulesNs::None && !RulesSchema::IsWordSpace(ns))
    {
        const std::int32_t id = static_cast<std::int16_t>(value);
        const auto& known = compiler.ids[ns];
        if (id >= 0 && known.find(id) == known.end())
        {
            Fail(node, std::string("no ") + RulesSchema::NsName(ns) + " with id " + text);
            return false;
        }
    }
    return true;
}

void FieldFiller::operator()(const char* name, std::string& value)
{
    const std::optional<YAML::Node> element = Element(name);
    if (!element)
        return;
    const YAML::Node& node = *element;
    const std::string& text = node.Scalar();
    std::size_t badOffset = 0;
    if (!Utf8ToWindows1252(text, value, badOffset))
    {
        // Point at the character itself when the text sits on one line.
        YAML::Mark mark = node.Mark();
        if (text.find('\n') == std::string::npos)
            mark.column += static_cast<int>(badOffset) + (node.Tag() == "!" ? 1 : 0);
        compiler.Fail(Where{entry.file, mark},
                      std::string("\"") + name + "\" holds a character outside Windows-1252");
        value.clear();
        return;
    }
    if (value.size() > VelField::kMaxTextLength)
    {
        Fail(node, std::string("\"") + name + "\" is longer than " +
                       std::to_string(VelField::kMaxTextLength) + " characters");
        return;
    }
    const RulesField* rule = Rule(name);
    if (!rule)
        return;
    if (rule->maxConversions >= 0)
    {
        int allowed = rule->maxConversions;
        // A feature of these kinds shows its name as it stands.
        if (className == "VelFeatureInfo" && std::string_view(name) == "name")
        {
            const std::int32_t kind = compiler.FeatureKindOfNode(entry.node);
            if (kind == 3 || kind == 4 || kind == 5)
                allowed = 0;
        }
        const int conversions = VelCountConversions(value);
        if (conversions < 0)
            Fail(node, std::string("\"") + name +
                           "\" is a format text: only integer conversions and %% may follow a %");
        else if (conversions > allowed)
            Fail(node, std::string("\"") + name + "\" takes at most " + std::to_string(allowed) +
                           " integer conversions, not " + std::to_string(conversions));
    }
    if (rule->pictureFile && !value.empty())
    {
        if (compiler.pictureConvention.empty())
            Fail(node, "no picture file convention is written down (conventions: pictureFile)");
        else if (!std::regex_match(value, compiler.pictureRegex))
            Fail(node, "picture file \"" + text + "\" does not follow the convention " +
                           compiler.pictureConvention);
    }
}
} // namespace

void RulesCompiler::Impl::ReadFile(const std::string& path)
{
    fileNames.push_back(path);
    const std::string* file = &fileNames.back();
    YAML::Node root;
    try
    {
        root = YAML::LoadFile(path);
    }
    catch (const YAML::BadFile&)
    {
        Fail(Where{file, YAML::Mark()}, "cannot be read");
        return;
    }
    catch (const YAML::Exception& error)
    {
        Fail(Where{file, error.mark}, error.msg);
        return;
    }
    if (root.IsNull())
        return;
    if (!root.IsMap())
    {
        Fail(file, root, "a rule source is a map of tables");
        return;
    }
    for (const auto& pair : root)
    {
        const std::string key = pair.first.Scalar();
        if (key == kConventionsKey)
        {
            ReadConventions(file, pair.second);
            continue;
        }
        const RulesTable* table = nullptr;
        for (const RulesTable& candidate : RulesSchema::Tables())
            if (!candidate.parent && key == candidate.key)
                table = &candidate;
        if (!table)
        {
            Fail(file, pair.first, "unknown table \"" + key + "\"");
            continue;
        }
        tablePlaces.emplace(table, Where{file, pair.first.Mark()});
        if (!pair.second.IsSequence())
        {
            Fail(file, pair.second, "\"" + key + "\" is a list of records");
            continue;
        }
        for (const auto& record : pair.second)
            Collect(*table, record, file, -1);
    }
}

void RulesCompiler::Impl::ReadConventions(const std::string* file, const YAML::Node& node)
{
    const YAML::Node picture = node.IsMap() ? node[kPictureConventionKey] : YAML::Node();
    if (!picture || !picture.IsScalar())
    {
        Fail(file, node, "conventions need \"pictureFile\", a pattern of picture file names");
        return;
    }
    if (!pictureConvention.empty())
    {
        Fail(file, picture, "the picture file convention is written down twice");
        return;
    }
    try
    {
        pictureRegex = std::regex(picture.Scalar(), std::regex::ECMAScript);
        pictureConvention = picture.Scalar();
    }
    catch (const std::regex_error&)
    {
        Fail(file, picture, "not a pattern: " + picture.Scalar());
    }
}

void RulesCompiler::Impl::Collect(const RulesTable& table, const YAML::Node& node,
                                  const std::string* file, std::int32_t owner)
{
    Entry entry;
    entry.table = &table;
    entry.node = node;
    entry.file = file;
    entry.key = owner;
    if (node.IsScalar() && table.scalarField)
    {
        entries.push_back(std::move(entry));
        return;
    }
    if (!node.IsMap())
    {
        Fail(file, node, std::string("a record of \"") + table.key + "\" is a map of fields");
        return;
    }
    if (table.keying == RulesKeying::Id)
    {
        const YAML::Node id = node[kIdKey];
        std::int64_t value = -1;
        if (!id || !id.IsScalar() || !ParseInteger(id.Scalar(), value) || value < 0 ||
            value > 0x7FFF)
        {
            Fail(file, id ? id : node, "a record needs an \"id\" from 0 to 32767");
            return;
        }
        entry.key = static_cast<std::int32_t>(value);
    }
    if (table.keying == RulesKeying::OwnerPair)
    {
        const YAML::Node second = node[table.pairField];
        std::int64_t number = -1;
        std::int32_t word = -1;
        if (second && second.IsScalar() && ParseInteger(second.Scalar(), number))
            entry.second = static_cast<std::int32_t>(number);
        else if (second && second.IsScalar() && ResolveWord(table.pairNs, second.Scalar(), word))
            entry.second = word;
        if (entry.second < 0 || entry.second > 0x7FFF)
        {
            Fail(file, second ? second : node,
                 std::string("a row needs \"") + table.pairField + "\"");
            return;
        }
    }
    if (table.ns != RulesNs::None)
    {
        const auto [it, fresh] = ids[table.ns].emplace(entry.key, entries.size());
        if (fresh)
        {
            Name(table.ns, node[kRefKey], entry.key);
            Name(table.ns, node["name"], entry.key);
        }
    }
    const std::int32_t id = entry.key;
    entries.push_back(std::move(entry));
    for (const RulesTable& child : RulesSchema::Tables())
    {
        if (!child.parent || table.parent || std::string_view(child.parent) != table.key)
            continue;
        const YAML::Node rows = node[child.key];
        if (!rows)
            continue;
        if (child.single)
            Collect(child, rows, file, id);
        else if (!rows.IsSequence())
            Fail(file, rows, std::string("\"") + child.key + "\" is a list");
        else
            for (const auto& row : rows)
                Collect(child, row, file, id);
    }
}

void RulesCompiler::Impl::Name(RulesNs ns, const YAML::Node& node, std::int32_t id)
{
    if (!node || !node.IsScalar() || node.Scalar().empty())
        return;
    const auto [it, fresh] = names[ns].emplace(node.Scalar(), id);
    if (!fresh && it->second != id)
        it->second = kAmbiguous;
}

bool RulesCompiler::Impl::ResolveWord(RulesNs ns, const std::string& word,
                                      std::int32_t& value) const
{
    if (RulesSchema::IsWordSpace(ns))
    {
        for (const RulesWord& known : RulesSchema::Words())
        {
            if (known.ns == ns && word == known.word)
            {
                value = known.value;
                return true;
            }
        }
        return false;
    }
    const auto space = names.find(ns);
    if (space == names.end())
        return false;
    const auto it = space->second.find(word);
    if (it == space->second.end())
        return false;
    value = it->second;
    return value != kAmbiguous;
}

std::int32_t RulesCompiler::Impl::FeatureKindOfNode(const YAML::Node& node) const
{
    const YAML::Node kind = node.IsMap() ? node["kind"] : YAML::Node();
    if (!kind || !kind.IsScalar())
        return 0;
    std::int64_t number = 0;
    if (ParseInteger(kind.Scalar(), number))
        return static_cast<std::int32_t>(number);
    std::int32_t word = -1;
    return ResolveWord(RulesNs::FeatureKind, kind.Scalar(), word) ? word : -1;
}

std::int32_t RulesCompiler::Impl::FeatureKindOf(std::int32_t featureId) const
{
    const auto space = ids.find(RulesNs::Feature);
    if (space == ids.end())
        return -1;
    const auto it = space->second.find(featureId);
    return it == space->second.end() ? -1 : FeatureKindOfNode(entries[it->second].node);
}

void RulesCompiler::Impl::Build(Entry& entry)
{
    const RulesTable& table = *entry.table;
    std::string className = table.className ? table.className : "";
    if (!table.className)
    {
        const YAML::Node word = entry.node[kItemClassKey];
        const char* itemClass = word && word.IsScalar() ? ItemClassOf(word.Scalar()) : nullptr;
        if (!itemClass)
        {
            Fail(entry.file, word ? word : entry.node,
                 "an item needs a \"class\": weapon, armor, shield, goods or magic");
            return;
        }
        className = itemClass;
    }
    FCObject* object = FCClassRegistry::CreateByName(className);
    if (!object)
    {
        Fail(entry.file, entry.node, "record class " + className + " is not known to this build");
        return;
    }
    entry.record.reset(static_cast<VelInfo*>(object));
    FieldCounter counter;
    entry.record->VisitFields(counter);

    if (entry.node.IsMap())
    {
        // A key written twice would silently lose its second value.
        std::set<std::string> given;
        for (const auto& pair : entry.node)
        {
            const std::string key = pair.first.Scalar();
            if (!given.insert(key).second)
                Fail(entry.file, pair.first, "\"" + key + "\" is given twice");
            bool known = counter.counts.count(key) > 0 ||
                         (key == kIdKey && table.keying == RulesKeying::Id) ||
                         (key == kRefKey && table.ns != RulesNs::None) ||
                         (key == kItemClassKey && !table.className) ||
                         (table.pairField && key == table.pairField);
            for (const RulesTable& child : RulesSchema::Tables())
                known = known || (child.parent && !table.parent && key == child.key &&
                                  table.key == std::string_view(child.parent));
            if (!known)
                Fail(entry.file, pair.first, "\"" + key + "\" is no field of " + className);
        }
    }
    FieldFiller filler(*this, entry, className, counter.counts);
    entry.record->VisitFields(filler);
    if (table.ownerField)
    {
        FieldSetter setter(table.ownerField, entry.key);
        entry.record->VisitFields(setter);
    }
    if (table.keying != RulesKeying::OwnerPair)
        entry.record->key = static_cast<std::int16_t>(entry.key);
    if (!entry.record->IsWellFormed())
    {
        Fail(entry.file, entry.node,
             className == "VelSpellLevelInfo"
                 ? "a spell level row names either a class or a domain, not both nor neither"
                 : "the record breaks the order of its table");
    }
}

void RulesCompiler::Impl::CheckDuplicates()
{
    std::map<std::uint16_t, std::vector<Entry*>> byTag;
    for (Entry& entry : entries)
        if (entry.record)
            byTag[entry.table->tag].push_back(&entry);
    for (auto& [tag, rows] : byTag)
    {
        VelDatabase::TableKind kind = VelDatabase::TableKind::kList;
        VelDatabase::GetTableKind(tag, kind);
        if (kind == VelDatabase::TableKind::kList)
            continue;
        auto less = [kind](const Entry* a, const Entry* b)
        {
            if (kind == VelDatabase::TableKind::kSet)
                return a->record->IsLess(*b->record);
            if (kind == VelDatabase::TableKind::kPairMap)
                return std::pair(a->key, a->second) < std::pair(b->key, b->second);
            return a->key < b->key;
        };
        std::stable_sort(rows.begin(), rows.end(), less);
        for (std::size_t i = 1; i < rows.size(); ++i)
        {
            if (!less(rows[i - 1], rows[i]))
            {
                const Entry& first = *rows[i - 1];
                Fail(rows[i]->file, rows[i]->node,
                     std::string(kind == VelDatabase::TableKind::kMap
                                     ? "duplicate id " + std::to_string(rows[i]->key)
                                     : std::string("duplicate row")) +
                         " in \"" + rows[i]->table->key + "\" (first at " + *first.file + ':' +
                         std::to_string(first.node.Mark().line + 1) + ")");
            }
        }
    }
}

void RulesCompiler::Impl::CheckWellKnownIds()
{
    for (const RulesWellKnown& wellKnown : RulesSchema::WellKnownIds())
    {
        const auto& known = ids[wellKnown.ns];
        if (known.count(wellKnown.id))
            continue;
        const RulesTable* table = RulesSchema::TableOf(wellKnown.ns);
        const auto place = tablePlaces.find(table);
        Where where = place != tablePlaces.end()
                          ? place->second
                          : Where{fileNames.empty() ? nullptr : &fileNames.front(), YAML::Mark()};
        Fail(where, std::string("missing ") + RulesSchema::NsName(wellKnown.ns) + " " +
                        std::to_string(wellKnown.id) + " (" + wellKnown.role + ") in \"" +
                        (table ? table->key : "?") + "\"");
    }
}

void RulesCompiler::Impl::Write()
{
    std::map<RulesOutput, std::map<std::uint16_t, std::vector<const Entry*>>> files;
    for (const Entry& entry : entries)
        files[entry.table->output][entry.table->tag].push_back(&entry);
    for (RulesOutput output :
         {RulesOutput::Database, RulesOutput::Animals, RulesOutput::Equipment, RulesOutput::Spells})
    {
        VelDatabaseWriter writer;
        for (auto& [tag, rows] : files[output])
        {
            VelDatabase::TableKind kind = VelDatabase::TableKind::kList;
            VelDatabase::GetTableKind(tag, kind);
            if (kind == VelDatabase::TableKind::kMap)
                std::stable_sort(rows.begin(), rows.end(),
                                 [](const Entry* a, const Entry* b) { return a->key < b->key; });
            else if (kind == VelDatabase::TableKind::kSet)
                std::stable_sort(rows.begin(), rows.end(),
                                 [](const Entry* a, const Entry* b)
                                 { return a->record->IsLess(*b->record); });
            else if (kind == VelDatabase::TableKind::kPairMap)
                std::stable_sort(
                    rows.begin(), rows.end(),
                    [](const Entry* a, const Entry* b)
                    { return std::pair(a->key, a->second) < std::pair(b->key, b->second); });
            writer.BeginSection(tag);
            for (const Entry* row : rows)
            {
                if (kind == VelDatabase::TableKind::kPairMap)
                    writer.AddPair(static_cast<std::int16_t>(row->key),
                                   static_cast<std::int16_t>(row->second), *row->record);
                else
                    writer.Add(static_cast<std::int16_t>(row->key), *row->record);
            }
        }
        outputs[output] = writer.Finish();
    }
}

RulesCompiler::RulesCompiler() : impl(std::make_unique<Impl>()) {}

RulesCompiler::~RulesCompiler() = default;

void RulesCompiler::AddFolder(const std::string& folder)
{
    std::vector<std::string> paths;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(folder, error))
        if (item.path().extension() == ".yaml")
            paths.push_back(item.path().string());
    if (error)
    {
        impl->fileNames.push_back(folder);
        impl->Fail(Where{&impl->fileNames.back(), YAML::Mark()},
                   "cannot list the folder: " + error.message());
        return;
    }
    std::sort(paths.begin(), paths.end());
    for (const std::string& path : paths)
        AddFile(path);
}

void RulesCompiler::AddFile(const std::string& path)
{
    impl->ReadFile(path);
}

bool RulesCompiler::Compile()
{
    for (Entry& entry : impl->entries)
        impl->Build(entry);
    impl->CheckDuplicates();
    impl->CheckWellKnownIds();
    if (!impl->errors.empty())
        return false;
    impl->Write();
    return true;
}

std::vector<std::uint8_t> RulesCompiler::GetOutput(RulesOutput output) const
{
    const auto it = impl->outputs.find(output);
    return it == impl->outputs.end() ? std::vector<std::uint8_t>{} : it->second;
}

const std::vector<std::string>& RulesCompiler::GetErrors() const
{
    return impl->errors;
}

std::size_t RulesCompiler::GetRecordCount() const
{
    return impl->entries.size();
}
