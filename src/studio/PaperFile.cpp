#include "studio/PaperFile.h"

#include "paper/PaperDocument.h"

#include <QFile>
#include <QSaveFile>

#include <nlohmann/json.hpp>

namespace tessel {

std::variant<CustomPaper, PaperFileError> readPaperDocument(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return PaperFileError::unreadable;
    }
    if (file.size() > maxPaperDocumentBytes) {
        return PaperFileError::tooLarge;
    }
    // The size can change between the check and the read, so the read is bounded too.
    const QByteArray bytes = file.read(maxPaperDocumentBytes + 1);
    if (bytes.size() > maxPaperDocumentBytes) {
        return PaperFileError::tooLarge;
    }
    const Json json = Json::parse(bytes.cbegin(), bytes.cend(), nullptr, false);
    if (const auto paper = customPaperFromJson(json)) {
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

bool writePaperDocument(const QString& path, const CustomPaper& paper) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray bytes = encodePaperDocument(paper);
    return file.write(bytes) == bytes.size() && file.commit();
}

} // namespace tessel
