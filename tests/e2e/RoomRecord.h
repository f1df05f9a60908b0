// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

namespace quorvex::e2e {

/// Every line a room's recorder has written to `path`, each ended by Enter and decoded from exactly its bytes; a
/// line still being typed is not one yet.
inline QStringList recordedLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    lines.removeLast();
    return lines;
}

} // namespace quorvex::e2e
