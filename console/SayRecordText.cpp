// SPDX-License-Identifier: GPL-3.0-or-later
#include "SayRecordText.h"

#include <QStringList>

namespace quorvex::console {
namespace {

const QString kTextMark = QStringLiteral("|");

// A heading stays one line whatever the room's title or a box's message holds.
QString oneLine(QString text)
{
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

QString outcomeText(const grouplink::SayOutcome& outcome)
{
    if (outcome.saidWhole()) {
        return QStringLiteral("said");
    }
    if (outcome.typed > 0) {
        return QStringLiteral("stopped after %1 of %2 characters: %3")
            .arg(outcome.typed)
            .arg(outcome.total)
            .arg(oneLine(outcome.message));
    }
    return QStringLiteral("not said: ") + oneLine(outcome.message);
}

} // namespace

QString recordFileName(QDate day)
{
    return QStringLiteral("record-") + day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".txt");
}

QString recordEntry(const QDateTime& when, const QString& room, const grouplink::SayOutcome& outcome,
                    const QString& txt)
{
    QString entry = when.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral(" in \"") + oneLine(room) +
                    QStringLiteral("\": ") + outcomeText(outcome) + u'\n';
    // A line break inside a chat line (none of the console's own texts has one) is recorded as a line end too.
    QString lines = txt;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("~"));
    lines.replace(u'\r', u'~');
    lines.replace(u'\n', u'~');
    for (const QString& line : lines.split(u'~')) {
        entry += line.isEmpty() ? kTextMark + u'\n' : kTextMark + u' ' + line + u'\n';
    }
    return entry + u'\n';
}

std::vector<RecordEntry> readRecordEntries(const QString& fileText)
{
    std::vector<RecordEntry> entries;
    QStringList lines;
    const auto finishEntry = [&] {
        if (!entries.empty()) {
            entries.back().text = lines.join(u'~');
        }
        lines.clear();
    };
    for (const QString& line : fileText.split(u'\n')) {
        if (line.startsWith(kTextMark)) {
            if (!entries.empty()) {
                lines << line.mid(line.startsWith(kTextMark + u' ') ? 2 : 1);
            }
        } else if (!line.isEmpty()) {
            finishEntry();
            entries.push_back({line, QString()});
        }
    }
    finishEntry();
    return entries;
}

} // namespace quorvex::console
