// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "XlibHeaders.h"

#include <vector>

namespace quorvex::platform::x11 {

/// How deep a walk of the window tree goes, down to a client or up from the focus: frames nest a client a level or
/// two below the root and no real window nests deeper; the bound keeps a hostile tree from looping a walk.
inline constexpr int kMaximumDepth = 32;

/// The children of `window`, bottom-most first; none when it is gone.
std::vector<Window> childrenOf(Display* display, Window window);

/// The parent of `window`; none when it is gone.
Window parentOf(Display* display, Window window);

/// Whether `window` is `ancestor` or lies below it (within kMaximumDepth levels).
bool isInside(Display* display, Window window, Window ancestor);

} // namespace quorvex::platform::x11
