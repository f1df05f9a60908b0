// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SettingsStore.h"

#include <QSettings>

namespace quorvex::platform::qt {

// An INI file in the user's configuration folder, one per application name.
class IniSettingsStore final : public SettingsStore
{
public:
    /// The store file of an application in the user's configuration folder (XDG_CONFIG_HOME is followed).
    static QString defaultPath(const QString& applicationName);

    explicit IniSettingsStore(const QString& filePath);

    std::optional<QString> value(const QString& section, const QString& key) const override;
    void setValue(const QString& section, const QString& key, const QString& text) override;
    std::optional<QString> commit() override;

private:
    QSettings m_settings;
};

} // namespace quorvex::platform::qt
