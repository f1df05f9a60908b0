// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SettingsStore.h"

#include <QSettings>

#include <chrono>
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

    /// How long a save waits for the lock file that other programs' saves hold.
    static constexpr std::chrono::milliseconds kLockTimeout{3000};

    explicit IniSettingsStore(const QString& filePath, std::chrono::milliseconds lockTimeout = kLockTimeout);
    ~IniSettingsStore() override;

    std::optional<QString> value(const QString& section, const QString& key) const override;
    void setValue(const QString& section, const QString& key, const QString& text) override;
    std::optional<QString> commit() override;
    KeptAside keepAside() override;

private:
    QString m_path;
    std::chrono::milliseconds m_lockTimeout;
    std::unique_ptr<QSettings> m_settings;
};

} // namespace quorvex::platform::qt
