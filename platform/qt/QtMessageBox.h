// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DialogParent.h"
#include "platform/MessageBox.h"

namespace quorvex::platform::qt {

// QMessageBox with the icon that the style names.
class QtMessageBox final : public MessageBox
{
public:
    explicit QtMessageBox(QString applicationTitle);

    void show(const QString& prompt, MessageStyle style, const QString& title) override;
    void setParentWindow(QWidget& window) override;

private:
    QString m_applicationTitle;
    DialogParent m_parent;
};

} // namespace quorvex::platform::qt
