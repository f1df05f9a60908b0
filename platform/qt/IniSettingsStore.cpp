// SPDX-License-Identifier: GPL-3.0-or-later
#include "IniSettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace quorvex::platform::qt {
namespace {

QString keyPath(const QString& section, const QString& key)
{
    return section + u'/' + key;
}

// QSettings only reports that a write failed; a trial save to the same place tells why.
QString whyNotWritable(const QString& path)
{
    const QDir folder = QFileInfo(path).dir();
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        return QStringLiteral("the folder %1 cannot be created").arg(QDir::toNativeSeparators(folder.path()));
    }
    QSaveFile probe(path);
    if (!probe.open(QIODevice::WriteOnly)) {
        return probe.errorString();
    }
    probe.cancelWriting();
    return QStringLiteral("the file could not be written completely (is the disk full?)");
}

} // namespace

QString IniSettingsStore::defaultPath(const QString& applicationName)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return folder + u'/' + applicationName + u'/' + applicationName + QStringLiteral(".ini");
}

IniSettingsStore::IniSettingsStore(const QString& filePath)
    : m_settings(filePath, QSettings::IniFormat)
{
}

std::optional<QString> IniSettingsStore::value(const QString& section, const QString& key) const
{
    const QVariant stored = m_settings.value(keyPath(section, key));
    if (!stored.isValid()) {
        return std::nullopt;
    }
    // A hand-edited value with an unquoted comma reads back as a list; keep it as the text it was.
    if (stored.typeId() == QMetaType::QStringList) {
        return stored.toStringList().join(QStringLiteral(", "));
    }
    return stored.toString();
}

void IniSettingsStore::setValue(const QString& section, const QString& key, const QString& text)
{
    m_settings.setValue(keyPath(section, key), text);
}

std::optional<QString> IniSettingsStore::commit()
{
    m_settings.sync();
    if (m_settings.status() != QSettings::AccessError) {
        return std::nullopt;
    }
    const QString path = m_settings.fileName();
    return QStringLiteral("The settings could not be saved to %1: %2")
        .arg(QDir::toNativeSeparators(path), whyNotWritable(path));
}

} // namespace quorvex::platform::qt
