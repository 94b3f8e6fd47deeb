#include "RulesDump.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCWindows1252.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFieldVisitor.h"
#include "Vel/Db/VelInfo.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{
// Emits the fields of a record as a map; the values of an array field,
// visited one after the other under one name, become a list.
class FieldEmitter : public VelFieldVisitor
{
public:
    void operator()(const char* name, std::uint8_t& value) override
    {
        Add(name, std::to_string(value));
    }
    void operator()(const char* name, std::uint16_t& value) override
    {
        Add(name, std::to_string(value));
    }
    void operator()(const char* name, std::int16_t& value) override
    {
        Add(name, std::to_string(value));
    }
    void operator()(const char* name, std::uint32_t& value) override
    {
        Add(name, std::to_string(value));
    }
    void operator()(const char* name, std::int32_t& value) override
    {
        Add(name, std::to_string(value));
    }
    void operator()(const char* name, float& value) override
    {
        char text[32];
        std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
        Add(name, text);
    }
    void operator()(const char* name, std::string& value) override
    {
        Add(name, Windows1252ToUtf8(value), true);
    }
    void Widened(const char* name, std::int32_t& value) override
    {
        Add(name, std::to_string(value));
    }
    using VelFieldVisitor::operator();

    void Emit(YAML::Emitter& out) const
    {
        for (const Field& field : fields)
        {
            out << YAML::Key << field.name << YAML::Value;
            if (field.values.size() > 1)
                out << YAML::Flow << YAML::BeginSeq;
            for (const std::string& value : field.values)
                out << (field.isText ? YAML::DoubleQuoted : YAML::Auto) << value;
            if (field.values.size() > 1)
                out << YAML::EndSeq;
        }
    }

private:
    struct Field
    {
        std::string name;
        std::vector<std::string> values;
        bool isText = false;
    };

    void Add(const char* name, const std::string& value, bool isText = false)
    {
        auto it = std::find_if(fields.begin(), fields.end(),
                               [name](const Field& f) { return f.name == name; });
        if (it == fields.end())
        {
            fields.push_back({name, {}, isText});
            it = fields.end() - 1;
        }
        it->values.push_back(value);
    }

    std::vector<Field> fields;
};

void EmitRecord(YAML::Emitter& out, FCObject* object, std::int32_t key, const std::int32_t* second)
{
    auto* record = static_cast<VelInfo*>(object);
    out << YAML::BeginMap << YAML::Key << "key" << YAML::Value << key;
    if (second)
        out << YAML::Key << "second" << YAML::Value << *second;
    out << YAML::Key << "class" << YAML::Value << record->GetClassName();
    FieldEmitter fields;
    record->VisitFields(fields);
    fields.Emit(out);
    out << YAML::EndMap;
}

void EmitTable(YAML::Emitter& out, std::uint16_t tag)
{
    FCObject* object = nullptr;
    if (FCObjectMap* map = VelDatabase::GetMap(tag))
    {
        std::int16_t key = 0;
        FCObjectMap::Cursor walk = map->First();
        while (map->GetNext(key, object, &walk))
            EmitRecord(out, object, key, nullptr);
    }
    else if (FCObjectPairMap* pairs = VelDatabase::GetPairMap(tag))
    {
        FCObjectKeyPair key{};
        FCObjectPairMap::Cursor walk = pairs->First();
        while (pairs->GetNext(key, object, &walk))
        {
            const std::int32_t second = key.second;
            EmitRecord(out, object, key.first, &second);
        }
    }
    else
    {
        VelDatabase::ForEach<VelInfo>(
            tag, [&out](const VelInfo& record)
            { EmitRecord(out, const_cast<VelInfo*>(&record), record.key, nullptr); });
    }
}
} // namespace

bool DumpDatabaseFile(const std::string& path, std::string& out)
{
    // The reader says what is wrong through the debug log; show it here.
    FCDebugLog log("", FCDebugLog::kDebugger);
    FCDebugLog* previous = FCDebugLog::SetInstance(&log);
    VelDatabase::Clear();
    const bool complete = VelDatabase::ParseFile(path);
    FCDebugLog::SetInstance(previous);
    if (!complete)
    {
        std::fprintf(stderr, "%s: cannot be read to its end\n", path.c_str());
        VelDatabase::Clear();
        return false;
    }
    YAML::Emitter emitter;
    emitter << YAML::BeginSeq;
    for (std::uint16_t tag : VelDatabase::GetTableTags())
    {
        // The item sections all fill the one item table.
        if (tag != VelDatabase::kTagItem && !VelDatabase::GetTableClassName(tag))
            continue;
        if (!VelDatabase::GetMap(tag) && !VelDatabase::GetSet(tag) && !VelDatabase::GetList(tag) &&
            !VelDatabase::GetPairMap(tag))
            continue;
        emitter << YAML::BeginMap << YAML::Key << "tag" << YAML::Value << tag;
        emitter << YAML::Key << "records" << YAML::Value << YAML::BeginSeq;
        EmitTable(emitter, tag);
        emitter << YAML::EndSeq << YAML::EndMap;
    }
    emitter << YAML::EndSeq;
    VelDatabase::Clear();
    out = emitter.c_str();
    out += '\n';
    return true;
}
