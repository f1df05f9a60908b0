// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace quorvex::questions {

/// True when the bytes are well-formed UTF-8: no stray or missing continuation bytes, overlong forms, surrogates
/// or code points past U+10FFFF.
bool isValidUtf8(QByteArrayView bytes);

/// The UTF-8 form of Windows-1252 text. The five bytes that code page leaves undefined (0x81, 0x8D, 0x8F, 0x90,
/// 0x9D) become the control characters of the same value, as Windows itself reads them.
QByteArray windows1252ToUtf8(QByteArrayView bytes);

} // namespace quorvex::questions
