#include "Tree.h"

#include "Random.h"

#include "math/Math.h"

#include <cmath> // Required for: std::sin, std::cos

Tree::Tree(const TreeParameters& parameters, int32_t seed, std::pmr::memory_resource* memory)
    : arena_(memory) {
    seedRandom(seed == -1 ? clockSeed() : seed);
    params = parameters.clone();
    trunk = std::make_unique<Stem>(this);

    const TreeParameters& p = *params;
    treeScale = static_cast<float>(double(p.scale) + randVar(p.scaleV));
    trunkLength = static_cast<float>((double(p.length[0]) + randVar(p.lengthV[0])) * treeScale);
    trunkRadius = static_cast<float>(double(p.scale0) * p.ratio * trunkLength);
    trunk->setup(nullptr, trunkLength, 0.0f, 0);
}

// The parameter copy goes first, then the stem hierarchy.
Tree::~Tree() {
    params.reset();
    trunk.reset();
}

void Tree::grow() {
    const StemPoint start{Velk::Quaternion::IDENTITY, Velk::Vector3::ZERO, Velk::Vector3::ZERO};
    trunk->grow(start, trunkRadius, 0);
}

const Tree::RingProfile& Tree::ringProfile(int32_t sides) {
    for (const RingProfile& profile : ringProfiles_)
        if (profile.sides == sides) return profile;
    RingProfile& profile = ringProfiles_.emplace_back();
    profile.sides = sides;
    const double step = 2.0 * double(Velk::Math::PI) / sides;
    for (int32_t k = 0; k < sides; ++k) {
        const double a = k * step;
        profile.cosines.push_back(std::cos(a));
        profile.sines.push_back(std::sin(a));
        profile.lobeFactors.push_back(1.0 + double(params->lobeDepth) *
                                                std::sin(double(params->lobes) * k * step));
    }
    return profile;
}
