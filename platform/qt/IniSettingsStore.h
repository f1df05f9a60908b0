// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SettingsStore.h"

#include <QSettings>

#include <memory>

namespace quorvex::platform::qt {

// An INI file in the user's configuration folder, one per application name. Values come back exactly as they were
// written. QSettings saves through QSaveFile and, as long as atomic sync stays required (its default), never falls
// back to rewriting the old file in place: a failed save leaves the previous file whole.
class IniSettingsStore final : public SettingsStore
{
public:
    /// The store file of an application in the user's configuration folder (XDG_CONFIG_HOME is followed).
    static QString defaultPath(const QString& applicationName);

    explicit IniSettingsStore(const QString& filePath);
    ~IniSettingsStore() override;

    std::optional<QString> value(const QString& section, const QString& key) const override;
    void setValue(const QString& section, const QString& key, const QString& text) override;
    std::optional<QString> commit() override;

private:
    QString m_path;
    std::unique_ptr<QSettings> m_settings;
};

} // namespace quorvex::platform::qt
