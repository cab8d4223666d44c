#include "platform/UserDefaults.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace tessel {

QString UserDefaults::defaultDirectory() {
    const QString forced = qEnvironmentVariable("TESSEL_CONFIG_DIR");
    if (!forced.isEmpty()) {
        return forced;
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/tessel");
}

UserDefaults::UserDefaults(QString directory)
    : m_directory(std::move(directory)) {
    load();
}

QString UserDefaults::filePath() const {
    return m_directory + QStringLiteral("/defaults.json");
}

std::optional<UserDefaults::Json> UserDefaults::value(const std::string& key) const {
    const auto it = m_values.find(key);
    if (it == m_values.end()) {
        return std::nullopt;
    }
    return *it;
}

bool UserDefaults::setValue(const std::string& key, Json value) {
    if (load() == FileState::unreadable && !moveUnreadableAside()) {
        return false;
    }
    m_values[key] = std::move(value);
    return save();
}

bool UserDefaults::remove(const std::string& key) {
    if (load() == FileState::unreadable && !moveUnreadableAside()) {
        return false;
    }
    m_values.erase(key);
    return save();
}

UserDefaults::FileState UserDefaults::load() {
    QFile file(filePath());
    if (!file.exists()) {
        return FileState::absent;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return FileState::unreadable;
    }
    const QByteArray bytes = file.readAll();
    Json parsed = Json::parse(bytes.cbegin(), bytes.cend(), nullptr, false);
    if (parsed.is_discarded() || !parsed.is_object()) {
        return FileState::unreadable;
    }
    m_values = std::move(parsed);
    return FileState::readable;
}

bool UserDefaults::moveUnreadableAside() {
    const QString stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = filePath() + QStringLiteral(".unreadable-") + stamp;
    for (int n = 1; QFile::exists(aside); ++n) {
        aside = filePath() + QStringLiteral(".unreadable-%1-%2").arg(stamp).arg(n);
    }
    return QFile::rename(filePath(), aside);
}

bool UserDefaults::save() {
    if (!QDir().mkpath(m_directory)) {
        return false;
    }
    // QSaveFile writes a temporary file beside the target, syncs it and renames it over.
    QSaveFile file(filePath());
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const std::string text = m_values.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
    if (file.write(text.data(), static_cast<qint64>(text.size())) !=
        static_cast<qint64>(text.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace tessel
