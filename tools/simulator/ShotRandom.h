#pragma once

#include <cstdint>
#include <random>

// Random numbers that come out the same on every platform for a seed: the
// engine is fully specified, and the distributions are computed here rather
// than taken from the standard library, whose algorithms differ between
// implementations.
class ShotRandom {
public:
    explicit ShotRandom(std::uint32_t seed) : m_engine(seed) { }

    // Uniform in [0, 1).
    double uniform();
    // Uniform whole number in [low, high].
    int between(int low, int high);
    // Normal distribution (Box-Muller).
    double normal(double mean, double sigma);

private:
    std::mt19937 m_engine;
    bool m_haveSpare = false;
    double m_spare = 0;
};
