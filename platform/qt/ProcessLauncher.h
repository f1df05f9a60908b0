// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Launcher.h"

namespace quorvex::platform::qt {

// QProcess::startDetached, with the output thrown away.
class ProcessLauncher final : public Launcher
{
public:
    ProcessLauncher() = default;

    std::optional<QString> startDetached(const QString& program, const QStringList& arguments) override;
};

} // namespace quorvex::platform::qt
