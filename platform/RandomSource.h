// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvex::platform {

// A pseudo-random sequence of fractions.
class RandomSource
{
public:
    RandomSource() = default;
    RandomSource(const RandomSource&) = delete;
    RandomSource& operator=(const RandomSource&) = delete;
    virtual ~RandomSource() = default;

    /// The next fraction r of the sequence, 0 <= r < 1.
    virtual double nextFraction() = 0;
};

} // namespace quorvex::platform
