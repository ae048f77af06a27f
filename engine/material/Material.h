#pragma once

#include "material/Technique.h" // Required for: Technique

#include <memory> // Required for: std::unique_ptr, std::shared_ptr
#include <string> // Required for: std::string
#include <vector> // Required for: std::vector

namespace Velk {

// A named way of drawing surfaces: techniques of passes. A new material has
// one technique with one pass; made by MaterialManager::create or a script.
class Material {
public:
    explicit Material(std::string name);
    Material(const Material&) = delete;
    Material& operator=(const Material&) = delete;

    const std::string& getName() const { return name_; }
    // Technique number `index`; throws when there is no such technique.
    Technique* getTechnique(unsigned short index) const;
    unsigned short getNumTechniques() const { return static_cast<unsigned short>(techniques_.size()); }
    // The pass used to draw: technique 0, pass 0.
    Pass* getDrawPass() const { return getTechnique(0)->getPass(0); }

    // The script file and line that defined it (empty when made in code).
    const std::string& getOriginFile() const { return originFile_; }
    long getOriginLine() const { return originLine_; }
    void _setOrigin(const std::string& file, long line) {
        originFile_ = file;
        originLine_ = line;
    }

private:
    std::string name_;
    std::vector<std::unique_ptr<Technique>> techniques_;
    std::string originFile_;
    long originLine_ = 0;
};

using MaterialPtr = std::shared_ptr<Material>;

} // namespace Velk
