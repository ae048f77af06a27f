#pragma once

#include "TreeParameters.h"

#include <benchmark/benchmark.h> // Required for: benchmark::State
#include <cstdint>               // Required for: uint32_t

// The preset of the benchmark's argument (a tree kind's number), with the
// benchmark labelled by its name.
inline TreeParameters presetOf(benchmark::State& state) {
    TreeParameters params(2);
    params.loadPreset(static_cast<uint32_t>(state.range(0)));
    state.SetLabel(params.getTypeName());
    return params;
}
