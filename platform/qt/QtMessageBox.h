// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MessageBox.h"

namespace quorvex::platform::qt {

// QMessageBox with the icon that the style value names.
class QtMessageBox final : public MessageBox
{
public:
    explicit QtMessageBox(QString applicationTitle);

    void show(const QString& prompt, int style, const QString& title) override;

private:
    QString m_applicationTitle;
};

} // namespace quorvex::platform::qt
