// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SayRecord.h"

#include <QWidget>

#include <functional>

class QLabel;
class QListWidget;
class QPushButton;

namespace quorvex::console {

// "Said in the room": today's record, newest at the bottom, from which the host can say an entry again. Not
// modal: the console goes on working beside it.
class SaidInRoomWindow final : public QWidget
{
    Q_OBJECT

public:
    /// `sayAgain` is handed the chat text of the entry that the host picks.
    SaidInRoomWindow(const SayRecord& record, std::function<void(const QString&)> sayAgain, QWidget* console);

    /// Reads today's record afresh, keeping the host's pick.
    void reload();

    QListWidget* entries() const { return m_entries; }
    QPushButton* sayAgainButton() const { return m_sayAgain; }

private:
    void sayPicked();

    const SayRecord& m_record;
    std::function<void(const QString&)> m_sayAgainHandler;
    std::vector<RecordEntry> m_shown;
    QListWidget* m_entries = nullptr;
    QLabel* m_failure = nullptr;
    QPushButton* m_sayAgain = nullptr;
};

} // namespace quorvex::console
