// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace quorvex::platform {

// The platform's file-open dialog.
class FileChooser
{
public:
    FileChooser() = default;
    FileChooser(const FileChooser&) = delete;
    FileChooser& operator=(const FileChooser&) = delete;
    virtual ~FileChooser() = default;

    /// Asks for an existing file. `filter` lists "description|pattern" pairs joined by "|";
    /// `filterIndex` (from 1) is preselected. Returns the full path, or nothing when cancelled.
    virtual std::optional<QString> chooseFileToOpen(const QString& filter, int filterIndex) = 0;
    /// Makes every later dialog a child of `window`, standing in front of it.
    virtual void setParentWindow(QWidget& window) = 0;
};

} // namespace quorvex::platform
