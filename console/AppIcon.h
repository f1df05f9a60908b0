// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace quorvex::console {

/// The window's icon: a grey bevelled square bearing a large light grey plus outlined in black, 32 and 16 pixels.
QIcon makeAppIcon();

} // namespace quorvex::console
