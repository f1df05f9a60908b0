// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/RandomSource.h"

#include <cstdint>
#include <random>

namespace quorvex::platform::qt {

// A Mersenne Twister: left at its fixed default seed every run draws the same sequence; seeded, the seed's own.
class SequenceRandomSource final : public RandomSource
{
public:
    SequenceRandomSource() = default;
    explicit SequenceRandomSource(std::uint64_t seed) : m_engine(seed) {}

    double nextFraction() override;

private:
    std::mt19937_64 m_engine;
};

} // namespace quorvex::platform::qt
