// Before any seeding the generator behaves as if seeded with 1.
#include "Random.h"

#include <cstdio> // Required for: std::fprintf

int main() {
    const int expected[3] = {41, 18467, 6334};
    for (int want : expected) {
        const int got = nextRandom();
        if (got != want) {
            std::fprintf(stderr, "unseeded nextRandom(): got %d, expected %d\n", got, want);
            return 1;
        }
    }
    return 0;
}
