#include "studio/PaperFile.h"

#include "paper/JsonText.h"
#include "paper/PaperDocument.h"
#include "platform/FileAccess.h"

#include <nlohmann/json.hpp>

namespace tessel {

std::variant<CustomPaper, PaperFileError> readPaperDocument(const QString& path) {
    const auto read = readFileBounded(path, maxPaperDocumentBytes);
    if (const auto* error = std::get_if<FileError>(&read)) {
        return error->kind == FileError::Kind::tooLarge ? PaperFileError::tooLarge
                                                        : PaperFileError::unreadable;
    }
    const QByteArray& bytes = std::get<QByteArray>(read);
    const auto json = parseJsonText(std::string_view(bytes.constData(), bytes.size()));
    if (const auto paper = json ? customPaperFromJson(*json) : std::nullopt) {
        return *paper;
    }
    return PaperFileError::notAPaper;
}

QString describe(PaperFileError error, const QString& path) {
    switch (error) {
    case PaperFileError::unreadable:
        return QStringLiteral("Cannot read %1").arg(path);
    case PaperFileError::tooLarge:
        return QStringLiteral("%1 is larger than 1 MiB").arg(path);
    case PaperFileError::notAPaper:
        break;
    }
    return QStringLiteral("%1 is not a Tessel paper").arg(path);
}

QByteArray encodePaperDocument(const CustomPaper& paper) {
    return QByteArray::fromStdString(toJson(paper).dump());
}

std::optional<QString> writePaperDocument(const QString& path, const CustomPaper& paper) {
    const auto error = writeFileAtomically(path, encodePaperDocument(paper));
    return error ? std::optional(error->message) : std::nullopt;
}

} // namespace tessel
