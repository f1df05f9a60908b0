// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DialogParent.h"
#include "platform/FileChooser.h"

#include <QStringList>

namespace quorvex::platform::qt {

/// Turns a "description|pattern|description|pattern" list into Qt name filters; "*.*" becomes "*" so that
/// names without a dot show too.
QStringList nameFiltersFrom(const QString& filter);

// QFileDialog for opening one existing file.
class QtFileChooser final : public FileChooser
{
public:
    QtFileChooser() = default;

    std::optional<QString> chooseFileToOpen(const QString& filter, int filterIndex) override;
    void setParentWindow(QWidget& window) override;

private:
    DialogParent m_parent;
};

} // namespace quorvex::platform::qt
