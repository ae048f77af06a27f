#include "core/ResourceManager.h"

#include "core/Exception.h"
#include "core/Log.h"

#include <filesystem> // Required for: std::filesystem::is_directory, is_regular_file

namespace Velk {

namespace {
const char* const fileSystemType = "FileSystem";
} // namespace

// The running instance; using the static calls without one is an error.
ResourceManager& ResourceManager::instance(const char* operation) {
    ResourceManager* current = getSingletonPtr();
    if (current == nullptr) {
        VELK_EXCEPT(ERR_INVALID_STATE, "no resource manager exists (create the engine root first)", operation);
    }
    return *current;
}

// Checks the archive before keeping it, so lookups never meet a bad location.
void ResourceManager::addCommonArchiveEx(const std::string& name, const std::string& type,
                                         const ConfigFile::Origin& origin) {
    ResourceManager& self = instance("ResourceManager::addCommonArchiveEx");
    if (type != fileSystemType) {
        throw Exception(Exception::ERR_INVALIDPARAMS,
                        "unknown archive type '" + type + "' for '" + name + "' (known: FileSystem)",
                        "ResourceManager::addCommonArchiveEx", origin.file, origin.line);
    }
    std::error_code error;
    if (name.empty() || !std::filesystem::is_directory(name, error)) {
        throw Exception(Exception::ERR_FILE_NOT_FOUND, "resource folder '" + name + "' does not exist",
                        "ResourceManager::addCommonArchiveEx", origin.file, origin.line);
    }
    self.locations_.push_back({name, type, origin});
    Log::message("Added resource location '" + name + "' of type '" + type + "'");
}

// First match in registration order.
std::string ResourceManager::findResource(const std::string& fileName) {
    const ResourceManager& self = instance("ResourceManager::findResource");
    if (!fileName.empty()) {
        for (const Location& location : self.locations_) {
            const std::filesystem::path candidate = std::filesystem::path(location.name) / fileName;
            std::error_code error;
            if (std::filesystem::is_regular_file(candidate, error)) return candidate.string();
        }
    }
    VELK_EXCEPT(ERR_FILE_NOT_FOUND, "cannot find resource '" + fileName + "' in any resource location",
                "ResourceManager::findResource");
}

// Lookup without the error.
bool ResourceManager::resourceExists(const std::string& fileName) {
    const ResourceManager& self = instance("ResourceManager::resourceExists");
    for (const Location& location : self.locations_) {
        std::error_code error;
        if (!fileName.empty() &&
            std::filesystem::is_regular_file(std::filesystem::path(location.name) / fileName, error))
            return true;
    }
    return false;
}

const std::vector<ResourceManager::Location>& ResourceManager::getLocations() {
    return instance("ResourceManager::getLocations").locations_;
}

} // namespace Velk
