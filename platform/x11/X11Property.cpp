// SPDX-License-Identifier: GPL-3.0-or-later
#include "X11Property.h"

#include <algorithm>
#include <span>

namespace quorvex::platform::x11 {
namespace {

// In 32-bit units: 1 MiB is far more than any title or list of supported hints; a longer value is cut, not refused.
constexpr long kMaximumLength = 1L << 18;

} // namespace

X11Property::X11Property(Display* display, Window window, Atom name, Atom type)
{
    unsigned long remaining = 0;
    if (XGetWindowProperty(display, window, name, 0, kMaximumLength, False, type, &m_type, &m_format, &m_count,
                           &remaining, &m_data) != Success) {
        m_data = nullptr;
        m_type = kNone;
        m_count = 0;
    }
    // A property of another type comes back with its type but no data.
    if (type != AnyPropertyType && m_type != type) {
        m_type = kNone;
    }
}

X11Property::~X11Property()
{
    if (m_data != nullptr) {
        XFree(m_data);
    }
}

std::optional<long> X11Property::first32() const
{
    if (!exists() || m_format != 32 || m_count < 1) {
        return std::nullopt;
    }
    return *reinterpret_cast<const long*>(m_data);
}

bool X11Property::holds32(long value) const
{
    if (!exists() || m_format != 32) {
        return false;
    }
    const std::span<const long> items(reinterpret_cast<const long*>(m_data), m_count);
    return std::find(items.begin(), items.end(), value) != items.end();
}

} // namespace quorvex::platform::x11
