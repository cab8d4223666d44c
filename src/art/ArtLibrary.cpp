#include "art/ArtLibrary.h"

#include "art/ArtLog.h"

#include <QDir>
#include <QFile>

namespace tessel {

ArtLibrary::ArtLibrary(QString folder)
    : m_folder(std::move(folder)) {}

const QList<Painting>& ArtLibrary::paintings() const {
    if (!m_paintings) {
        QFile list(QDir(m_folder).filePath(QStringLiteral("art.json")));
        const QByteArray json = list.open(QIODevice::ReadOnly) ? list.readAll() : QByteArray();
        m_paintings = paintingsFromJson(json);
        if (!m_paintings) {
            qCWarning(lcArt, "no paintings: %s is missing or not a list of paintings",
                      qUtf8Printable(list.fileName()));
            m_paintings.emplace();
        }
    }
    return *m_paintings;
}

QImage ArtLibrary::image(const Painting& painting) const {
    if (painting.file.isEmpty()) {
        return {};
    }
    QImage image(path(painting));
    if (image.isNull()) {
        qCWarning(lcArt, "cannot read the painting %s", qUtf8Printable(painting.file));
    }
    return image;
}

} // namespace tessel

namespace tessel {

QString ArtLibrary::path(const Painting& painting) const {
    return painting.file.isEmpty() ? QString() : QDir(m_folder).filePath(painting.file);
}

} // namespace tessel
