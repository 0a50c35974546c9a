#pragma once
// TRandom: the per-thread random generator of the optimiser (xoshiro256**), seeded from the clock
// or from a given seed; Random(n) draws uniformly from 0 ... n-1.

#include <atomic>
#include <chrono>
#include <cstdint>

namespace terminor {

class TRandom {
public:
    /// Seeded from the clock.
    TRandom() : TRandom(ClockSeed()) {}
    explicit TRandom(std::uint64_t seed) { Seed(seed); }

    void Seed(std::uint64_t seed) {
        for (std::uint64_t& word : FState) {
            word = SplitMix64(seed);
        }
    }

    std::uint64_t Next() {
        const std::uint64_t result = RotL(FState[1] * 5, 7) * 9;
        const std::uint64_t t = FState[1] << 17;
        FState[2] ^= FState[0];
        FState[3] ^= FState[1];
        FState[1] ^= FState[2];
        FState[0] ^= FState[3];
        FState[2] ^= t;
        FState[3] = RotL(FState[3], 45);
        return result;
    }

    /// A uniform integer in 0 ... n-1 (0 for n <= 1), clamped to n-1.
    int Random(int n) {
        if (n <= 1) {
            return 0;
        }
        // Multiply-shift maps 32 random bits onto 0 ... n-1 without a division.
        const auto r = static_cast<int>(
            (static_cast<std::uint64_t>(Next() >> 32) * static_cast<std::uint64_t>(n)) >> 32);
        return r < n ? r : n - 1;
    }

    /// A seed for a child generator: different children get independent sequences.
    static std::uint64_t DeriveSeed(std::uint64_t parentSeed, std::uint64_t childIndex) {
        std::uint64_t x = parentSeed ^ (0x9E3779B97F4A7C15ULL * (childIndex + 1));
        return SplitMix64(x);
    }

    static std::uint64_t ClockSeed() {
        static std::uint64_t counter = 0;
        const auto now =
            static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
        std::uint64_t x = now ^ (0xD1B54A32D192ED03ULL * ++counter);
        return SplitMix64(x);
    }

private:
    static std::uint64_t RotL(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    static std::uint64_t SplitMix64(std::uint64_t& x) {
        std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    std::uint64_t FState[4]{};
};

} // namespace terminor
