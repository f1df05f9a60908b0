// SPDX-License-Identifier: GPL-3.0-or-later
#include "IniSettingsStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>

namespace quorvex::platform::qt {
namespace {

QString keyPath(const QString& section, const QString& key)
{
    return section + u'/' + key;
}

// QSettings only reports that a write failed; retracing its steps tells why.
QString whyNotWritable(const QString& path)
{
    const QDir folder = QFileInfo(path).dir();
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        return QStringLiteral("the folder %1 cannot be created").arg(QDir::toNativeSeparators(folder.path()));
    }
    // QSettings refuses a file that it cannot open for writing, even though it would replace it whole.
    if (QFile file(path); file.exists() && !file.open(QIODevice::ReadWrite)) {
        return QStringLiteral("the file cannot be opened for writing (%1)").arg(file.errorString());
    }
    QSaveFile probe(path);
    if (!probe.open(QIODevice::WriteOnly)) {
        return QStringLiteral("no new file can be made in its folder (%1)").arg(probe.errorString());
    }
    probe.cancelWriting();
    return QStringLiteral("the file could not be written completely (is the disk full?)");
}

// Nothing when the lock could be taken, or when taking it failed otherwise than by waiting.
std::optional<QString> tryLockOnce(const QString& lockPath, std::chrono::milliseconds timeout)
{
    QLockFile lock(lockPath);
    if (lock.tryLock(timeout)) {
        lock.unlock();
        return std::nullopt;
    }
    // Any other error ends QSettings' own attempt at once too, and the write that follows tells why.
    if (lock.error() != QLockFile::LockFailedError) {
        return std::nullopt;
    }
    return QStringLiteral("its lock file %1 is still held after %2 seconds (another program is saving, or a lock "
                          "file or folder of that name cannot be removed)")
        .arg(QDir::toNativeSeparators(lockPath))
        .arg(double(timeout.count()) / 1000.0);
}

} // namespace

QString IniSettingsStore::defaultPath(const QString& applicationName)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return folder + u'/' + applicationName + u'/' + applicationName + QStringLiteral(".ini");
}

IniSettingsStore::IniSettingsStore(const QString& filePath, std::chrono::milliseconds lockTimeout)
    : m_path(filePath), m_lockTimeout(lockTimeout),
      m_settings(std::make_unique<QSettings>(filePath, QSettings::IniFormat))
{
}

IniSettingsStore::~IniSettingsStore() = default;

std::optional<QString> IniSettingsStore::value(const QString& section, const QString& key) const
{
    const QVariant stored = m_settings->value(keyPath(section, key));
    if (!stored.isValid()) {
        return std::nullopt;
    }
    // A hand-edited value with an unquoted comma reads back as a list; keep it as the text it was.
    if (stored.typeId() == QMetaType::QStringList) {
        return stored.toStringList().join(QStringLiteral(", "));
    }
    if (stored.typeId() == QMetaType::QByteArray) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        return utf8(stored.toByteArray());
    }
    return stored.toString();
}

void IniSettingsStore::setValue(const QString& section, const QString& key, const QString& text)
{
    // Qt's INI reader drops a byte order mark that starts a run of plain characters (at the start of the value,
    // after a quote or an escaped character). Stored as bytes, written as escapes, the text keeps every one.
    if (text.contains(QChar::ByteOrderMark)) {
        m_settings->setValue(keyPath(section, key), text.toUtf8());
        return;
    }
    m_settings->setValue(keyPath(section, key), text);
}

std::optional<QString> IniSettingsStore::commit()
{
    // QSettings waits for its lock file without end, and a lock that can never be taken (a folder of that name, a
    // stale lock in a folder we cannot write) would freeze the console for good. Taking it once within a bounded
    // time first tells such a lock from one that another save holds for a moment.
    if (std::optional<QString> lockFailure = tryLockOnce(m_path + QStringLiteral(".lock"), m_lockTimeout)) {
        return QStringLiteral("The settings could not be saved to %1: %2")
            .arg(QDir::toNativeSeparators(m_path), *lockFailure);
    }
    // A QSettings object keeps the first error it met for the rest of its life, and a file it could not parse
    // counts as one, so its status would hide later failures or repeat an old one. A fresh object on the same file
    // shares Qt's parsed copy of it, retries whatever is still unsaved, and its status tells about this commit only.
    auto fresh = std::make_unique<QSettings>(m_path, QSettings::IniFormat);
    fresh->sync();
    const bool failed = fresh->status() == QSettings::AccessError;
    m_settings = std::move(fresh);
    if (!failed) {
        return std::nullopt;
    }
    return QStringLiteral("The settings could not be saved to %1: %2")
        .arg(QDir::toNativeSeparators(m_path), whyNotWritable(m_path));
}

KeptAside IniSettingsStore::keepAside()
{
    if (!QFileInfo::exists(m_path)) {
        return {};
    }
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = m_path + QStringLiteral(".unreadable-") + stamp;
    for (int n = 2; QFileInfo::exists(aside); ++n) {
        aside = m_path + QStringLiteral(".unreadable-") + stamp + u'-' + QString::number(n);
    }
    QFile file(m_path);
    if (!file.rename(aside)) {
        return {KeptAside::Outcome::Failed, file.errorString()};
    }
    // The store starts from an empty file; a fresh object sees that the old file is gone and forgets its keys.
    m_settings = std::make_unique<QSettings>(m_path, QSettings::IniFormat);
    return {KeptAside::Outcome::Moved, QDir::toNativeSeparators(aside)};
}

} // namespace quorvex::platform::qt
