#include "moments/ArtLibrary.h"

#include <QDir>
#include <QFile>

namespace tessel {

ArtLibrary::ArtLibrary(QString folder)
    : m_folder(std::move(folder)) {}

const QList<Painting>& ArtLibrary::paintings() const {
    if (!m_paintings) {
        QFile list(QDir(m_folder).filePath(QStringLiteral("art.json")));
        const QByteArray json = list.open(QIODevice::ReadOnly) ? list.readAll() : QByteArray();
        m_paintings = paintingsFromJson(json).value_or(QList<Painting>());
    }
    return *m_paintings;
}

QImage ArtLibrary::image(const Painting& painting) const {
    if (painting.file.isEmpty()) {
        return {};
    }
    return QImage(QDir(m_folder).filePath(painting.file));
}

} // namespace tessel
