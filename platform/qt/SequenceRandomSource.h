// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/RandomSource.h"

#include <random>

namespace quorvex::platform::qt {

// A Mersenne Twister left at its fixed default seed, so every run draws the same sequence.
class SequenceRandomSource final : public RandomSource
{
public:
    SequenceRandomSource() = default;

    double nextFraction() override;

private:
    std::mt19937_64 m_engine;
};

} // namespace quorvex::platform::qt
