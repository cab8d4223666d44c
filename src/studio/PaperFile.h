#pragma once

#include "paper/Paper.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>

namespace tessel {

// Why a file could not be read as a paper document.
enum class PaperFileError { unreadable, tooLarge, notAPaper };

// Nothing larger is a paper document; the limit keeps a wrong file from being read whole.
inline constexpr qint64 maxPaperDocumentBytes = 1024 * 1024;

// The paper a .tessel document holds, decoded strictly.
std::variant<CustomPaper, PaperFileError> readPaperDocument(const QString& path);

// One line saying why the file at `path` is not taken, e.g. "x.json is not a Tessel paper".
QString describe(PaperFileError error, const QString& path);

// Compact JSON with the keys id, name, recipe in that order.
QByteArray encodePaperDocument(const CustomPaper& paper);

// Replaces the file as a whole, so a reader never sees half a document, and a failed write
// (a full disk) leaves the file as it was. Returns why it failed, or none.
std::optional<QString> writePaperDocument(const QString& path, const CustomPaper& paper);

} // namespace tessel
