// SPDX-License-Identifier: GPL-3.0-or-later
#include "SequenceRandomSource.h"

namespace quorvex::platform::qt {

double SequenceRandomSource::nextFraction()
{
    // The top 53 bits make an exact double below 1; generate_canonical may round up to 1.0.
    return static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
}

} // namespace quorvex::platform::qt
