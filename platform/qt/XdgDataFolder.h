// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DataFolder.h"

namespace quorvex::platform::qt {

// A folder of the application's own under the user's data folder ($XDG_DATA_HOME, normally ~/.local/share).
class XdgDataFolder final : public DataFolder
{
public:
    /// The folder `applicationName` under the user's data folder; it is made at the first append.
    explicit XdgDataFolder(const QString& applicationName);

    std::optional<QString> append(const QString& name, const QString& text) override;
    DataFileText read(const QString& name) const override;

private:
    QString filePath(const QString& name) const;

    QString m_applicationName;
};

} // namespace quorvex::platform::qt
