// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace quorvex::platform {

// What became of a settings file that could not be read.
struct KeptAside
{
    enum class Outcome { NoFile, Moved, Failed };

    Outcome outcome = Outcome::NoFile;
    QString detail; // where the file went, or why it stayed
};

// The per-user settings store of one application: text values by section and key.
class SettingsStore
{
public:
    SettingsStore() = default;
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;
    virtual ~SettingsStore() = default;

    /// The stored text, or nothing when the key is absent.
    virtual std::optional<QString> value(const QString& section, const QString& key) const = 0;
    /// Creates or replaces a value; it is kept once `commit` succeeds.
    virtual void setValue(const QString& section, const QString& key, const QString& text) = 0;
    /// Writes every pending value to lasting storage; returns a description of the failure, if any.
    [[nodiscard]] virtual std::optional<QString> commit() = 0;
    /// Moves the store's file, which holds nothing the console can read, under a new name beside it and starts
    /// afresh; says where it went, or why it could not be moved. Nothing happens when there is no such file.
    virtual KeptAside keepAside() = 0;
};

} // namespace quorvex::platform
