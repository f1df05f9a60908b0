// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScoreText.h"

#include <QLocale>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace quorvex::scoreboard {
namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

QString FormatScore(double n)
{
    QString digits;
    if (std::nearbyint(n) == n && std::fabs(n) < 1e15) {
        digits = QString::number(static_cast<long long>(n));
    } else {
        digits = QString::number(n, 'g', 15);
        // Fractions are written without a leading zero, as "0.5" becomes ".5" on a score label.
        if (digits.startsWith(QStringLiteral("0."))) {
            digits.remove(0, 1);
        }
    }
    return (QStringLiteral("00") + digits).right(2);
}

double leadingNumber(const QString& text)
{
    // Blanks are skipped anywhere, as the classic Val() does: " 3 0 points" reads as 30.
    std::string number;
    bool seenDigit = false;
    bool seenPoint = false;
    bool inExponent = false;
    bool exponentDigit = false;
    for (const QChar c : text) {
        if (isBlank(c)) {
            continue;
        }
        const char ascii = c.toLatin1();
        if (isDigit(c)) {
            number += ascii;
            (inExponent ? exponentDigit : seenDigit) = true;
        } else if ((c == u'+' || c == u'-') && (number.empty() || (inExponent && number.back() == 'e'))) {
            number += ascii;
        } else if (c == u'.' && !seenPoint && !inExponent) {
            number += ascii;
            seenPoint = true;
        } else if ((c == u'e' || c == u'E' || c == u'd' || c == u'D') && seenDigit && !inExponent) {
            number += 'e';
            inExponent = true;
        } else {
            break;
        }
    }
    if (!seenDigit) {
        return 0.0;
    }
    if (inExponent && !exponentDigit) {
        number.erase(number.find('e'));
    }
    return std::strtod(number.c_str(), nullptr);
}

std::optional<double> entryValue(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        return std::nullopt;
    }
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> wholeEntryInRange(const QString& entry, double lowest, double highest)
{
    const std::optional<double> value = entryValue(entry);
    if (!value || std::trunc(*value) != *value || *value < lowest || *value > highest) {
        return std::nullopt;
    }
    if (*value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    // "-0" is a whole zero; the cast makes it a plain 0.
    return static_cast<int>(*value);
}

} // namespace quorvex::scoreboard
