// SPDX-License-Identifier: GPL-3.0-or-later
#include "XdgDataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorvex::platform::qt {

XdgDataFolder::XdgDataFolder(const QString& applicationName) : m_applicationName(applicationName) {}

QString XdgDataFolder::filePath(const QString& name) const
{
    // Asked at every use, so a data folder that the environment names later is followed.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u'/' + m_applicationName + u'/' +
           name;
}

std::optional<QString> XdgDataFolder::append(const QString& name, const QString& text)
{
    const QString path = filePath(name);
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        return QStringLiteral("the folder %1 cannot be made").arg(QDir::toNativeSeparators(folder));
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
    }
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
    }
    return std::nullopt;
}

DataFileText XdgDataFolder::read(const QString& name) const
{
    QFile file(filePath(name));
    if (!file.exists()) {
        return {};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return {QString(), QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(file.fileName()), file.errorString())};
    }
    return {QString::fromUtf8(file.readAll()), std::nullopt};
}

} // namespace quorvex::platform::qt
