// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grouplink/SayListener.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <vector>

namespace quorvex::console {

/// "record-YYYY-MM-DD.txt": the day's record of what was said, in the data folder.
QString recordFileName(QDate day);

/// The record of one chat text: a heading line with the local time to the second, the room's title and how far
/// the text got, then each chat line of the text on a line of its own behind "| ", then an empty line.
QString recordEntry(const QDateTime& when, const QString& room, const grouplink::SayOutcome& outcome,
                    const QString& txt);

// One entry of a day's record, read back.
struct RecordEntry
{
    QString heading;
    QString text; // the chat text as it was handed over, its lines joined by "~" again
};

/// The entries of a day's record, oldest first; lines that belong to no entry are passed over.
std::vector<RecordEntry> readRecordEntries(const QString& fileText);

} // namespace quorvex::console
