#include "platform/UserDefaults.h"

#include "paper/JsonText.h"
#include "platform/FileAccess.h"
#include "platform/PlatformLog.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <nlohmann/json.hpp>

namespace tessel {

namespace {

constexpr int indentWidth = 2;

} // namespace

QString UserDefaults::defaultDirectory() {
    const QString forced = qEnvironmentVariable("TESSEL_CONFIG_DIR");
    if (!forced.isEmpty()) {
        return forced;
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/tessel");
}

UserDefaults::UserDefaults(QString directory)
    : m_directory(std::move(directory))
    , m_values(std::make_unique<Json>(Json::object())) {
    load();
}

UserDefaults::~UserDefaults() = default;

QString UserDefaults::filePath() const {
    return m_directory + QStringLiteral("/defaults.json");
}

std::optional<UserDefaults::Json> UserDefaults::value(const std::string& key) const {
    const auto it = m_values->find(key);
    if (it == m_values->end()) {
        return std::nullopt;
    }
    return *it;
}

bool UserDefaults::setValue(const std::string& key, Json value) {
    if (!prepareToWrite()) {
        return false;
    }
    (*m_values)[key] = std::move(value);
    return save();
}

bool UserDefaults::remove(const std::string& key) {
    if (!prepareToWrite()) {
        return false;
    }
    m_values->erase(key);
    return save();
}

void UserDefaults::setAsideIfUnreadable() {
    if (load() == FileState::unreadable) {
        moveUnreadableAside();
    }
}

void UserDefaults::removeAbandonedWrites() {
    removeAbandonedTemporaries(filePath());
}

UserDefaults::FileState UserDefaults::load() {
    m_state = readState();
    return m_state;
}

UserDefaults::FileState UserDefaults::readState() {
    const auto read = readFileBounded(filePath(), maxFileBytes);
    if (const auto* error = std::get_if<FileError>(&read)) {
        if (error->kind == FileError::Kind::tooLarge) {
            return FileState::unreadable;
        }
        // A dangling link is not an absent file: writing would replace the link.
        if (error->kind == FileError::Kind::missing && !QFileInfo(filePath()).isSymLink()) {
            return FileState::absent;
        }
        m_error = error->kind == FileError::Kind::missing
                      ? QStringLiteral("Couldn't read %1: it is a link to %2, which does not exist")
                            .arg(filePath(), QFileInfo(filePath()).symLinkTarget())
                      : error->message;
        qCWarning(lcPlatform).noquote() << *m_error;
        return FileState::inaccessible;
    }
    const QByteArray& bytes = std::get<QByteArray>(read);
    auto parsed = parseJsonText(std::string_view(bytes.constData(), bytes.size()));
    if (!parsed || !parsed->is_object()) {
        return FileState::unreadable;
    }
    *m_values = std::move(*parsed);
    return FileState::readable;
}

bool UserDefaults::prepareToWrite() {
    switch (load()) {
    case FileState::inaccessible:
        return false;
    case FileState::unreadable:
        return moveUnreadableAside();
    case FileState::absent:
    case FileState::readable:
        break;
    }
    return true;
}

bool UserDefaults::moveUnreadableAside() {
    const QString stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = filePath() + QStringLiteral(".unreadable-") + stamp;
    for (int n = 1; QFile::exists(aside); ++n) {
        aside = filePath() + QStringLiteral(".unreadable-%1-%2").arg(stamp).arg(n);
    }
    if (!QFile::rename(filePath(), aside)) {
        m_error = QStringLiteral("Couldn't move the unreadable %1 aside").arg(filePath());
        qCWarning(lcPlatform).noquote() << *m_error;
        return false;
    }
    m_setAside = aside;
    m_state = FileState::absent;
    qCWarning(lcPlatform).noquote()
        << QStringLiteral("%1 was unreadable; it is kept as %2").arg(filePath(), aside);
    return true;
}

bool UserDefaults::save() {
    if (!QDir().mkpath(m_directory)) {
        m_error = QStringLiteral("Couldn't make the folder %1").arg(m_directory);
        qCWarning(lcPlatform).noquote() << *m_error;
        return false;
    }
    const std::string text =
        m_values->dump(indentWidth, ' ', false, Json::error_handler_t::replace) + '\n';
    if (const auto error = writeFileAtomically(filePath(), QByteArray::fromStdString(text))) {
        m_error = error->message;
        qCWarning(lcPlatform).noquote() << *m_error;
        return false;
    }
    m_error.reset();
    return true;
}

} // namespace tessel
