// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaidInRoomWindow.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvex::console {
namespace {

QString shownText(const RecordEntry& entry)
{
    QString shown = entry.heading;
    for (const QString& line : entry.text.split(u'~')) {
        shown += QStringLiteral("\n    ") + line;
    }
    return shown;
}

} // namespace

SaidInRoomWindow::SaidInRoomWindow(const SayRecord& record, std::function<void(const QString&)> sayAgain,
                                   QWidget* console)
    : QWidget(console, Qt::Window), m_record(record), m_sayAgainHandler(std::move(sayAgain))
{
    setObjectName(QStringLiteral("SaidInRoom"));
    setWindowTitle(QStringLiteral("Said in the room"));
    resize(520, 420);
    m_entries = new QListWidget(this);
    m_entries->setObjectName(QStringLiteral("entries"));
    m_entries->setSelectionMode(QAbstractItemView::SingleSelection);
    m_failure = new QLabel(this);
    m_failure->setWordWrap(true);
    m_failure->hide();
    m_sayAgain = new QPushButton(QStringLiteral("Say again"), this);
    m_sayAgain->setObjectName(QStringLiteral("sayAgain"));
    m_sayAgain->setToolTip(QStringLiteral("Click here to say the picked entry in the room once more"));
    m_sayAgain->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_entries);
    layout->addWidget(m_failure);
    layout->addWidget(m_sayAgain);

    connect(m_entries, &QListWidget::currentRowChanged, this, [this](int row) { m_sayAgain->setEnabled(row >= 0); });
    connect(m_entries, &QListWidget::itemDoubleClicked, this, &SaidInRoomWindow::sayPicked);
    connect(m_sayAgain, &QPushButton::clicked, this, &SaidInRoomWindow::sayPicked);
    reload();
}

void SaidInRoomWindow::reload()
{
    const int picked = m_entries->currentRow();
    RecordOfDay day = m_record.today();
    m_shown = std::move(day.entries);
    m_entries->clear();
    for (const RecordEntry& entry : m_shown) {
        m_entries->addItem(shownText(entry));
    }
    m_failure->setVisible(day.failure.has_value());
    m_failure->setText(QStringLiteral("Today's record could not be read: ") + day.failure.value_or(QString()));
    if (picked >= 0 && picked < m_entries->count()) {
        m_entries->setCurrentRow(picked);
    }
    m_sayAgain->setEnabled(m_entries->currentRow() >= 0);
    m_entries->scrollToBottom();
}

void SaidInRoomWindow::sayPicked()
{
    const int row = m_entries->currentRow();
    if (row < 0 || row >= int(m_shown.size())) {
        return;
    }
    // A copy: saying it adds to the record, and the reload that follows replaces the entries.
    const QString text = m_shown[std::size_t(row)].text;
    m_sayAgainHandler(text);
}

} // namespace quorvex::console
