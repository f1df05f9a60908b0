// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtFileChooser.h"

#include <QFileDialog>

namespace quorvex::platform::qt {

QStringList nameFiltersFrom(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts.at(i + 1).split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == u"*.*") {
                pattern = QStringLiteral("*");
            }
        }
        QString description = parts.at(i);
        const qsizetype open = description.lastIndexOf(u'(');
        if (open > 0) {
            description.truncate(open);
        }
        filters.append(QStringLiteral("%1(%2)").arg(description, patterns.join(u' ')));
    }
    return filters;
}

std::optional<QString> QtFileChooser::chooseFileToOpen(const QString& filter, int filterIndex)
{
    QFileDialog dialog(m_parent.window());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const QStringList filters = nameFiltersFrom(filter);
    dialog.setNameFilters(filters);
    if (filterIndex >= 1 && filterIndex <= filters.size()) {
        dialog.selectNameFilter(filters.at(filterIndex - 1));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

void QtFileChooser::setParentWindow(QWidget& window)
{
    m_parent.set(window);
}

} // namespace quorvex::platform::qt
