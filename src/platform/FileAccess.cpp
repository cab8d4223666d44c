#include "platform/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessel {

namespace {

constexpr const char* temporarySuffix = ".XXXXXX";
constexpr mode_t newFileMode = 0666;
constexpr std::size_t readChunkBytes = 64 * 1024;
constexpr qint64 bytesPerKiB = 1024;

FileError errorFromErrno(const QString& doing, const QString& path, int error) {
    const auto kind = error == ENOENT                     ? FileError::Kind::missing
                      : error == EACCES || error == EPERM ? FileError::Kind::denied
                                                          : FileError::Kind::failed;
    return {kind, QStringLiteral("Couldn't %1 %2: %3")
                      .arg(doing, path, QString::fromLocal8Bit(std::strerror(error)))};
}

// A new file gets the permissions the user's umask allows; an existing one keeps its own.
mode_t modeFor(const QByteArray& target) {
    struct stat existing {};
    if (::stat(target.constData(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return newFileMode & ~mask;
}

bool writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// Where the bytes really go: through any symbolic links to the file they name.
std::variant<QString, FileError> resolveTarget(const QString& path) {
    const QFileInfo info(path);
    if (!info.isSymLink()) {
        return path;
    }
    const QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty()) {
        return FileError{FileError::Kind::missing,
                         QStringLiteral("Couldn't write %1: it is a link to %2, which does not "
                                        "exist")
                             .arg(path, info.symLinkTarget())};
    }
    return canonical;
}

} // namespace

std::variant<QByteArray, FileError> readFileBounded(const QString& path, qint64 maxBytes) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errorFromErrno(QStringLiteral("read"), path, errno);
    }
    QByteArray bytes;
    char chunk[readChunkBytes];
    while (bytes.size() <= maxBytes) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            return errorFromErrno(QStringLiteral("read"), path, error);
        }
        if (got == 0) {
            break;
        }
        bytes.append(chunk, got);
    }
    ::close(fd);
    if (bytes.size() > maxBytes) {
        return FileError{FileError::Kind::tooLarge,
                         QStringLiteral("Couldn't read %1: it is larger than %2 KiB")
                             .arg(path)
                             .arg(maxBytes / bytesPerKiB)};
    }
    return bytes;
}

std::optional<FileError> writeFileAtomically(const QString& path, const QByteArray& bytes) {
    const auto resolved = resolveTarget(path);
    if (const auto* error = std::get_if<FileError>(&resolved)) {
        return *error;
    }
    const QByteArray target = QFile::encodeName(std::get<QString>(resolved));
    QByteArray temporary = target + temporarySuffix;
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return errorFromErrno(QStringLiteral("write"), path, errno);
    }
    const auto abandon = [&](int error) {
        ::close(fd);
        ::unlink(temporary.constData());
        return errorFromErrno(QStringLiteral("write"), path, error);
    };
    if (::fchmod(fd, modeFor(target)) != 0 || !writeAll(fd, bytes) || ::fsync(fd) != 0) {
        return abandon(errno);
    }
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        return errorFromErrno(QStringLiteral("write"), path, error);
    }
    if (::rename(temporary.constData(), target.constData()) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        return errorFromErrno(QStringLiteral("write"), path, error);
    }
    return std::nullopt;
}

void removeAbandonedTemporaries(const QString& path) {
    const QFileInfo info(path);
    const QRegularExpression pattern(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(info.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    QDir directory = info.dir();
    const QStringList candidates =
        directory.entryList({info.fileName() + QStringLiteral(".??????")}, QDir::Files);
    for (const QString& name : candidates) {
        if (pattern.match(name).hasMatch()) {
            directory.remove(name);
        }
    }
}

} // namespace tessel
