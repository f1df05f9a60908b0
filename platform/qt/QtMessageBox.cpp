// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtMessageBox.h"

#include <QMessageBox>

namespace quorvex::platform::qt {
namespace {

QMessageBox::Icon iconFor(MessageStyle style)
{
    switch (style) {
    case MessageStyle::Critical:
        return QMessageBox::Critical;
    case MessageStyle::Information:
        return QMessageBox::Information;
    case MessageStyle::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QtMessageBox::QtMessageBox(QString applicationTitle) : m_applicationTitle(std::move(applicationTitle)) {}

void QtMessageBox::show(const QString& prompt, MessageStyle style, const QString& title)
{
    QMessageBox box(iconFor(style), title.isEmpty() ? m_applicationTitle : title, prompt, QMessageBox::Ok,
                    m_parent.window());
    box.exec();
}

void QtMessageBox::setParentWindow(QWidget& window)
{
    m_parent.set(window);
}

} // namespace quorvex::platform::qt
