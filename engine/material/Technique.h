#pragma once

#include "material/Pass.h" // Required for: Pass

#include <memory> // Required for: std::unique_ptr
#include <vector> // Required for: std::vector

namespace Velk {

class Material;

// One way of drawing a material, as a list of passes drawn in order.
// A new technique has one pass.
class Technique {
public:
    explicit Technique(Material* parent);
    Technique(const Technique&) = delete;
    Technique& operator=(const Technique&) = delete;

    // Pass number `index`; throws when there is no such pass.
    Pass* getPass(unsigned short index) const;
    unsigned short getNumPasses() const { return static_cast<unsigned short>(passes_.size()); }
    Pass* createPass();

private:
    Material* parent_;
    std::vector<std::unique_ptr<Pass>> passes_;
};

} // namespace Velk
