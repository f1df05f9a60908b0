// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtInputBox.h"

#include <QInputDialog>
#include <QLineEdit>

#include <limits>

namespace quorvex::platform::qt {

std::optional<QString> QtInputBox::ask(const QString& prompt, const QString& title, const QString& defaultText)
{
    QInputDialog dialog(m_parent.window());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    // A line edit keeps 32,767 characters and cuts the rest without a word; a pasted macro is kept whole.
    if (auto* entry = dialog.findChild<QLineEdit*>()) {
        entry->setMaxLength(std::numeric_limits<int>::max());
    }
    dialog.setTextValue(defaultText);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue();
}

void QtInputBox::setParentWindow(QWidget& window)
{
    m_parent.set(window);
}

} // namespace quorvex::platform::qt
