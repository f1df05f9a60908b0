// SPDX-License-Identifier: GPL-3.0-or-later
#include "RandomText.h"

namespace quorvex::test {
namespace {

// U+FEFF is the byte order mark that UTF-8 readers like to swallow at the start of a text.
const QString kTricky = QStringLiteral("~\"'=;#\\,@%[]/ \t\n\r{}()&$!^+\ufeff");

char32_t pick(QRandomGenerator& random)
{
    switch (random.bounded(8)) {
    case 0:
    case 1:
    case 2:
        return kTricky.at(random.bounded(kTricky.size())).unicode();
    case 3:
        return char32_t(random.bounded(0x20, 0x7f));
    case 4:
        // Control characters, NUL and DEL included, and the C1 range.
        return random.bounded(2) == 0 ? char32_t(random.bounded(0x00, 0x20)) : char32_t(random.bounded(0x7f, 0xa0));
    case 5:
        return char32_t(random.bounded(0xa0, 0xd800));
    case 6:
        return char32_t(random.bounded(0xe000, 0x10000));
    default:
        return char32_t(random.bounded(0x10000, 0x110000));
    }
}

} // namespace

QString randomText(QRandomGenerator& random, int maxLength)
{
    QString text;
    switch (random.bounded(6)) {
    case 0:
        text += u'@';
        break;
    case 1:
        text += QString(random.bounded(1, 4), u' ');
        break;
    default:
        break;
    }
    const int length = random.bounded(maxLength + 1);
    while (text.size() < length) {
        // Not QString::fromUcs4: it drops a leading byte order mark.
        const char32_t c = pick(random);
        if (QChar::requiresSurrogates(c)) {
            text += QChar(QChar::highSurrogate(c));
            text += QChar(QChar::lowSurrogate(c));
        } else {
            text += QChar(char16_t(c));
        }
    }
    if (text.size() > maxLength) {
        text.truncate(maxLength);
        if (text.back().isHighSurrogate()) {
            text.chop(1);
        }
    }
    if (random.bounded(5) == 0 && text.size() < maxLength) {
        text += u' ';
    }
    return text;
}

} // namespace quorvex::test
