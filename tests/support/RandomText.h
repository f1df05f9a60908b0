// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRandomGenerator>
#include <QString>

namespace quorvex::test {

/// A text of up to `maxLength` UTF-16 units that a host could type or paste: mostly the characters that file formats
/// and the chat's keystroke notation treat specially ("~", quotes, "=", ";", "#", "\", ",", "@", "%", brackets,
/// blanks, line breaks, control characters), mixed with ASCII, non-ASCII letters and characters beyond the BMP.
/// Often starts with "@" or with blanks, often ends with blanks. Always well-formed UTF-16.
QString randomText(QRandomGenerator& random, int maxLength = 40);

} // namespace quorvex::test
