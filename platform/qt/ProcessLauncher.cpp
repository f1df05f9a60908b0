// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessLauncher.h"

#include <QProcess>

namespace quorvex::platform::qt {

std::optional<QString> ProcessLauncher::startDetached(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    if (!process.startDetached()) {
        return process.errorString();
    }
    return std::nullopt;
}

} // namespace quorvex::platform::qt
