// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "XlibHeaders.h"

#include <optional>

namespace quorvex::platform::x11 {

// One property of a window as the server has it when read; the copy is freed with the object.
class X11Property final
{
public:
    /// Reads the property `name` of `type` (AnyPropertyType for any); absent when the window or property is not
    /// there or has another type.
    X11Property(Display* display, Window window, Atom name, Atom type);
    ~X11Property();
    X11Property(const X11Property&) = delete;
    X11Property& operator=(const X11Property&) = delete;

    bool exists() const { return m_data != nullptr && m_type != kNone; }
    Atom type() const { return m_type; }
    int format() const { return m_format; }
    /// Number of items: bytes for format 8, longs for format 32 (Xlib widens 32-bit items to long).
    unsigned long count() const { return m_count; }
    const unsigned char* bytes() const { return m_data; }
    /// The first item of a format-32 property (a CARDINAL, WINDOW or ATOM).
    std::optional<long> first32() const;
    /// Whether a format-32 property holds `value` among its items.
    bool holds32(long value) const;

private:
    Atom m_type = kNone;
    int m_format = 0;
    unsigned long m_count = 0;
    unsigned char* m_data = nullptr;
};

} // namespace quorvex::platform::x11
