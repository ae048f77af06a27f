#pragma once

#include "core/ConfigFile.h" // Required for: ConfigFile::Origin
#include "core/Singleton.h"   // Required for: Singleton

#include <string> // Required for: std::string
#include <vector> // Required for: std::vector

namespace Velk {

// Where media are found: an ordered list of archives (folders), searched by
// file name. The running engine owns the one instance; the static calls act
// on it.
class ResourceManager : public Singleton<ResourceManager> {
public:
    static constexpr const char* singletonName = "ResourceManager";

    struct Location {
        std::string name;      // the folder as it was given
        std::string type;      // "FileSystem"
        ConfigFile::Origin origin; // where it was registered from, if known
    };

    ResourceManager() = default;

    // Registers an archive for every kind of resource. The only type is
    // "FileSystem" (a folder). An unknown type or a missing folder is an
    // engine error that names `origin`, the setting it came from.
    static void addCommonArchiveEx(const std::string& name, const std::string& type,
                                   const ConfigFile::Origin& origin = {});
    // Full path of a resource by file name, searching locations in the order
    // they were added; throws when no location holds it.
    static std::string findResource(const std::string& fileName);
    // Whether findResource would succeed.
    static bool resourceExists(const std::string& fileName);
    // The registered locations, in order.
    static const std::vector<Location>& getLocations();

private:
    static ResourceManager& instance(const char* operation);
    std::vector<Location> locations_;
};

} // namespace Velk
