// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtMessageBox.h"

#include <QMessageBox>

namespace quorvex::platform::qt {
namespace {

QMessageBox::Icon iconFor(int style)
{
    switch (style & 0x70) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case 48:
        return QMessageBox::Warning;
    case 64:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

QtMessageBox::QtMessageBox(QString applicationTitle) : m_applicationTitle(std::move(applicationTitle)) {}

void QtMessageBox::show(const QString& prompt, int style, const QString& title)
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
