// SPDX-License-Identifier: GPL-3.0-or-later
#include "SayRecord.h"

namespace quorvex::console {

SayRecord::SayRecord(platform::DataFolder& folder, const platform::Clock& clock, platform::MessageBox& messageBox)
    : m_folder(folder), m_clock(clock), m_messageBox(messageBox)
{
}

void SayRecord::said(const QString& windowTitle, const QString& txt, const grouplink::SayOutcome& outcome)
{
    const QDateTime now = m_clock.now();
    const std::optional<QString> failure =
        m_folder.append(recordFileName(now.date()), recordEntry(now, windowTitle, outcome, txt));
    if (!failure || m_failureTold) {
        return;
    }
    m_failureTold = true;
    m_messageBox.show(QStringLiteral("What is said in the room cannot be written down (%1). The console goes on "
                                     "saying everything; this is not told again until the next start.")
                          .arg(*failure),
                      platform::MessageStyle::Critical, QStringLiteral("Error!"));
}

RecordOfDay SayRecord::today() const
{
    const platform::DataFileText file = m_folder.read(recordFileName(m_clock.today()));
    return {readRecordEntries(file.text), file.failure};
}

} // namespace quorvex::console
