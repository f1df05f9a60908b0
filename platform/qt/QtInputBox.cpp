// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtInputBox.h"

#include <QApplication>
#include <QInputDialog>

namespace quorvex::platform::qt {

QString QtInputBox::ask(const QString& prompt, const QString& title, const QString& defaultText)
{
    bool confirmed = false;
    const QString text =
        QInputDialog::getText(QApplication::activeWindow(), title, prompt, QLineEdit::Normal, defaultText, &confirmed);
    return confirmed ? text : QString();
}

} // namespace quorvex::platform::qt
