#pragma once

#include "Fc/Core/FCRefCounted.h"

#include <string>
#include <vector>

class FCFile;
class FCObject;

// Creates objects by class name from one registered prototype per class.
// The registry functions work on a map that the first registration creates
// during static initialisation, before the application makes the one
// FCClassRegistry instance; destroying that instance disposes of the
// prototypes.
class FCClassRegistry : public FCRefCounted
{
public:
    FCClassRegistry();
    ~FCClassRegistry() override;
    static FCClassRegistry* GetInstance();

    // Takes over the caller's reference to the prototype; a name registered
    // again replaces the old prototype. Returns the prototype (not an owning
    // reference).
    static FCObject* Register(const std::string& name, FCObject* prototype);
    static FCObject* Find(const std::string& name);
    // A default-constructed object of the named class, owned by the caller.
    static FCObject* CreateByName(const std::string& name);
    // A clone of the prototype that read its payload from the file; null for
    // an unknown name (nothing read) or when the payload failed to load.
    static FCObject* LoadObject(const std::string& name, FCFile& file);
    // A stored class name, then LoadObject.
    static FCObject* ReadObject(FCFile& file);
    // ReadObject from a data file found through the file system; null when
    // the file is not found.
    static FCObject* LoadObjectFromFile(const std::string& fileName);
    // Every registered name, in ascending byte order.
    static std::vector<std::string> GetRegisteredNames();

    // Objects may load nested objects through ReadObject; deeper nesting
    // than this is refused as corrupt data.
    static constexpr int kMaxDepth = 64;
};

// Registers a default instance of a class under its own name at program
// start. Use once per class, at namespace scope in the class's .cpp.
#define FC_REGISTER_CLASS(ClassName)                                                               \
    extern FCObject* g_fcPrototype_##ClassName;                                                    \
    FCObject* g_fcPrototype_##ClassName = FCClassRegistry::Register(#ClassName, new ClassName())
