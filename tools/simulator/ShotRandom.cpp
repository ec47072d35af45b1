#include "ShotRandom.h"

#include <cmath>
#include <numbers>

double ShotRandom::uniform()
{
    // 53 random bits from two draws.
    const std::uint64_t high = m_engine() >> 5;
    const std::uint64_t low = m_engine() >> 6;
    return static_cast<double>((high << 26) | low) / 9007199254740992.0;
}

int ShotRandom::between(int low, int high)
{
    if (high <= low)
        return low;
    const int span = high - low + 1;
    return low + std::min(span - 1, static_cast<int>(uniform() * span));
}

double ShotRandom::normal(double mean, double sigma)
{
    if (m_haveSpare) {
        m_haveSpare = false;
        return mean + sigma * m_spare;
    }
    double u = 0;
    do
        u = uniform();
    while (u <= 0);
    const double v = uniform();
    const double radius = std::sqrt(-2.0 * std::log(u));
    const double angle = 2.0 * std::numbers::pi * v;
    m_spare = radius * std::sin(angle);
    m_haveSpare = true;
    return mean + sigma * radius * std::cos(angle);
}
