// SPDX-License-Identifier: GPL-3.0-or-later
#include "CleanText.h"

namespace quorvex::grouplink {
namespace {

// Every printable ASCII punctuation character but "*" and "~", plus the pound and not signs.
constexpr QStringView kEscapeSet = u"!\u00a3$%^&+()-_=+[{]};:'@#,<.>/?\\|`\u00ac\"";

} // namespace

QString CleanText(const QString& otxt)
{
    QString result;
    result.reserve(otxt.size() * 2);
    for (const QChar c : otxt) {
        if (kEscapeSet.contains(c)) {
            result.append(u'{');
            result.append(c);
            result.append(u'}');
        } else {
            result.append(c);
        }
    }
    return result;
}

} // namespace quorvex::grouplink
