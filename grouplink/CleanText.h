// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvex::grouplink {

/// Turns a chat text into the keystroke string that types it character for character: every character that the
/// keystroke notation would read as a command is wrapped as "{" c "}". A "~" stays bare, so it still ends a line.
QString CleanText(const QString& otxt);

} // namespace quorvex::grouplink
