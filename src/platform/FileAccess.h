#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>

namespace tessel {

// Why a file could not be read or written; the message names the file and the reason.
struct FileError {
    enum class Kind { missing, denied, tooLarge, failed };

    Kind kind = Kind::failed;
    QString message;
};

// The whole file when it holds at most maxBytes; a larger file (or an endless one, such as
// /dev/zero) is refused after reading one byte more than the limit.
std::variant<QByteArray, FileError> readFileBounded(const QString& path, qint64 maxBytes);

// Replaces the file's content as a whole: writes a temporary file beside it, syncs it, checks
// every step, then renames it over the file. On any failure the file keeps its old content.
// A symbolic link is written through to the file it names; a dangling one is an error.
std::optional<FileError> writeFileAtomically(const QString& path, const QByteArray& bytes);

// The temporary files a write killed midway leaves beside `path`.
void removeAbandonedTemporaries(const QString& path);

} // namespace tessel
