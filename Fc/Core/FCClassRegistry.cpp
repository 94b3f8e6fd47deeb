#include "Fc/Core/FCClassRegistry.h"

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFileSection.h"
#include "Fc/Core/FCFileSystem.h"
#include "Fc/Core/FCObject.h"
#include "Fc/Core/FCObjectMap.h"
#include "Fc/Core/FCOwnership.h"

namespace
{
FCClassRegistry* g_instance = nullptr;

// A plain pointer, constant-initialised, so registrations from any
// translation unit may run before or after this file's statics.
FCObjectNameMap*& Prototypes()
{
    static FCObjectNameMap* map = nullptr;
    return map;
}

int g_loadDepth = 0;

// The class last found: a layout names the same class over and over (every
// row of a list), and the map compares names byte by byte at each level.
// Forgotten whenever the map changes.
struct LastFound
{
    std::string name;
    FCObject* prototype = nullptr;
};

// Never destroyed, so that a registry destroyed late at exit may still
// clear it.
LastFound& Last()
{
    static LastFound* last = new LastFound;
    return *last;
}

void ForgetLast()
{
    Last().prototype = nullptr;
}
} // namespace

FCClassRegistry::FCClassRegistry() { g_instance = this; }

FCClassRegistry::~FCClassRegistry()
{
    if (g_instance == this)
        g_instance = nullptr;
    FCObjectNameMap*& map = Prototypes();
    ForgetLast();
    delete map; // disposes of the prototypes by the map's mode
    map = nullptr;
}

FCClassRegistry* FCClassRegistry::GetInstance() { return g_instance; }

FCObject* FCClassRegistry::Register(const std::string& name, FCObject* prototype)
{
    if (!prototype)
    {
        FC_LOG("No prototype for class %s\n", name.c_str());
        return nullptr;
    }
    FCObjectNameMap*& map = Prototypes();
    if (!map)
        map = new FCObjectNameMap(FCOwnership::kRefCounted);
    if (map->Find(name))
        FC_LOG("Class %s registered twice; the later prototype wins\n", name.c_str());
    ForgetLast();
    map->Insert(prototype, name);
    prototype->Release();
    return prototype;
}

FCObject* FCClassRegistry::Find(const std::string& name)
{
    FCObjectNameMap* map = Prototypes();
    if (!map)
        return nullptr;
    LastFound& last = Last();
    if (last.prototype && last.name == name)
        return last.prototype;
    FCObject* prototype = map->Find(name);
    if (prototype)
    {
        last.name = name;
        last.prototype = prototype;
    }
    return prototype;
}

FCObject* FCClassRegistry::CreateByName(const std::string& name)
{
    FCObject* prototype = Find(name);
    return prototype ? prototype->CreateNew() : nullptr;
}

FCObject* FCClassRegistry::LoadObject(const std::string& name, FCFile& file)
{
    FCObject* prototype = Find(name);
    if (!prototype)
    {
        FC_LOG("Unknown class: %s\n", name.c_str());
        return nullptr;
    }
    if (g_loadDepth >= kMaxDepth)
    {
        FC_LOG("Objects nested too deeply\n");
        return nullptr;
    }
    FCObject* object = prototype->Clone();
    ++g_loadDepth;
    const bool loaded = object->Load(file);
    --g_loadDepth;
    if (!loaded)
    {
        FC_LOG("Could not load an object of class %s\n", name.c_str());
        object->Release();
        return nullptr;
    }
    return object;
}

FCObject* FCClassRegistry::ReadObject(FCFile& file)
{
    std::string name;
    if (!FCArchive::ReadString(file, name))
        return nullptr;
    return LoadObject(name, file);
}

FCObject* FCClassRegistry::LoadObjectFromFile(const std::string& fileName)
{
    FCFileSystem* fileSystem = FCFileSystem::GetInstance();
    if (!fileSystem)
    {
        FC_LOG("No file system to open %s\n", fileName.c_str());
        return nullptr;
    }
    FCFileSection view;
    if (!fileSystem->Open(view, fileName))
        return nullptr;
    FCObject* object = ReadObject(view);
    view.Close();
    return object;
}

std::vector<std::string> FCClassRegistry::GetRegisteredNames()
{
    std::vector<std::string> names;
    FCObjectNameMap* map = Prototypes();
    if (!map)
        return names;
    auto walk = map->First();
    std::string name;
    FCObject* prototype = nullptr;
    while (map->GetNext(name, prototype, &walk))
        names.push_back(name);
    return names;
}
