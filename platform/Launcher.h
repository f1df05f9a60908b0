// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quorvex::platform {

// Starts other programs in the background.
class Launcher
{
public:
    Launcher() = default;
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;
    virtual ~Launcher() = default;

    /// Starts the program without a window and without waiting for it; returns why it could not start, if so.
    [[nodiscard]] virtual std::optional<QString> startDetached(const QString& program,
                                                               const QStringList& arguments) = 0;
};

} // namespace quorvex::platform
