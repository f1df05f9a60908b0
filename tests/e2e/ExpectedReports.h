// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quorvex::e2e {

/// The lines a room shows for a score report of a console with the standard team names, written out by hand so
/// that a fault in the report's rule cannot hide in the expectation.
inline QStringList scoreReport(const QString& guys, const QString& gals)
{
    return {QString(),
            QString(),
            QStringLiteral("###################"),
            QStringLiteral("# The Score is ..."),
            QStringLiteral("# ") + guys + QStringLiteral(" GUYS"),
            QStringLiteral("# ") + gals + QStringLiteral(" gals"),
            QString()};
}

/// The lines of a score-adjustment report; `scores` as the report writes them, "GUYS 01 - gals 00".
inline QStringList adjustmentReport(const QString& scores)
{
    return {QString(), QString(), QStringLiteral("###################"), QStringLiteral("# SCORE ADJUSTMENT "),
            QStringLiteral("# The Score is ...  ") + scores};
}

} // namespace quorvex::e2e
