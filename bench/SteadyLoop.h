#pragma once

#include <benchmark/benchmark.h> // Required for: benchmark::State

// Runs `regrow(false)` once with the clock stopped, then `regrow(true)` for
// every timed iteration.
//
// A benchmark of a regrowth times what a regrowth costs while the program
// runs: with the tree's blocks and the mesh's buffers already taken from the
// system by the regrowth before, as they are when a slider is dragged. The
// first regrowth of a run also pays for every new page it touches, and on a
// virtual machine a page fault costs about 10 µs: for the Weeping Willow's
// 50 MB, a hundred milliseconds or more. Left in the loop, that one cost is
// spread over however many iterations the library chose, so the figure
// would depend on the run's length instead of on the work.
template <typename Regrow>
void steadyLoop(benchmark::State& state, Regrow&& regrow) {
    regrow(false);
    for (auto _ : state) regrow(true);
}
