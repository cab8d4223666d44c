#include "art/PictureFolder.h"

#include "art/ArtLog.h"
#include "art/ImageFit.h"
#include "art/PictureDetails.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>

namespace tessel {

namespace {

const QStringList& pictureSuffixes() {
    static const QStringList suffixes{QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                      QStringLiteral("png"), QStringLiteral("webp")};
    return suffixes;
}

// A picture cut short decodes with its bottom missing, or not at all: each format ends with a
// mark of its own (the JPEG end-of-image marker, the PNG end chunk, the RIFF length).
bool endsWhole(QFile& file, const QByteArray& format) {
    constexpr int pngTail = 12;
    constexpr int riffHeader = 8;
    if (format == "jpeg" || format == "jpg") {
        // Some cameras pad the file after the end marker.
        constexpr int padding = 4096;
        file.seek(std::max<qint64>(0, file.size() - padding));
        return file.read(padding).contains("\xFF\xD9");
    }
    if (format == "png") {
        file.seek(std::max<qint64>(0, file.size() - pngTail));
        return file.read(pngTail).contains("IEND");
    }
    if (format == "webp") {
        file.seek(4);
        const QByteArray length = file.read(4);
        return length.size() == 4 &&
               qFromLittleEndian<quint32>(length.constData()) + riffHeader <= file.size();
    }
    return false;
}

std::optional<Painting> pictureAt(const QFileInfo& info) {
    QFile file(info.absoluteFilePath());
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QImageReader reader(&file);
    const QSize size = reader.size();
    const QByteArray format = reader.format();
    if (!reader.canRead() || !fitsInMemory(size) || !endsWhole(file, format)) {
        qCInfo(lcArt, "left out %s: not a whole picture Tessel can read",
               qUtf8Printable(info.fileName()));
        return std::nullopt;
    }
    const PictureDetails details = readPictureDetails(file);
    const QString path = info.absoluteFilePath();
    return Painting{path,
                    ownPicturesId(),
                    details.title.isEmpty() ? info.completeBaseName() : details.title,
                    details.artist,
                    details.year,
                    path};
}

} // namespace

QList<Painting> picturesIn(const QString& folder) {
    QFileInfoList files;
    const QDir top(folder);
    for (const QFileInfo& entry :
         top.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Readable)) {
        if (entry.isDir()) {
            files += QDir(entry.absoluteFilePath()).entryInfoList(QDir::Files | QDir::Readable);
        } else {
            files.append(entry);
        }
    }
    QList<Painting> pictures;
    for (const QFileInfo& info : files) {
        if (pictureSuffixes().contains(info.suffix().toLower())) {
            if (auto picture = pictureAt(info)) {
                pictures.append(std::move(*picture));
            }
        }
    }
    std::sort(pictures.begin(), pictures.end(),
              [](const Painting& a, const Painting& b) { return a.file < b.file; });
    return pictures;
}

} // namespace tessel
