#include "core/TileDiskCache.h"

#include "core/CoreLog.h"
#include "platform/FileAccess.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>

#include <bit>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace tessel {

namespace {

const QByteArray magic = QByteArrayLiteral("TESSELT1");
constexpr QImage::Format tileFormat = QImage::Format_RGBA8888_Premultiplied;
constexpr int bytesPerPixel = 4;
// Magic, width, height, checksum and the key's length prefix; the key itself is short.
constexpr qint64 headerBytes = 8 + 4 + 4 + 8 + 4;
constexpr qint64 keyBytesLimit = 1024;

// A fast checksum of the pixels; it catches torn and damaged files, not tampering.
quint64 checksum(const uchar* bytes, qsizetype size) {
    constexpr quint64 multiplier = 0x9E3779B97F4A7C15ULL;
    constexpr int foldShift = 29;
    quint64 hash = static_cast<quint64>(size);
    qsizetype at = 0;
    for (; at + 8 <= size; at += 8) {
        quint64 word = 0;
        std::memcpy(&word, bytes + at, sizeof word);
        hash = (hash ^ word) * multiplier;
        hash ^= hash >> foldShift;
    }
    for (; at < size; ++at) {
        hash = (hash ^ bytes[at]) * multiplier;
    }
    return hash;
}

QString hexOf(float value) {
    return QString::number(std::bit_cast<quint32>(value), 16);
}

void markUsed(const QString& path) {
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), nullptr, 0);
}

} // namespace

TileDiskCache::TileDiskCache(QString directory, qint64 byteLimit, int engineVersion)
    : m_directory(std::move(directory))
    , m_byteLimit(byteLimit)
    , m_engineVersion(engineVersion) {}

// Floats by their bits, so that no rounding in the text can make two recipes one file.
QByteArray TileDiskCache::keyText(const TileKey& key, int tileSize) const {
    const Recipe& r = key.recipe;
    const QStringList floats{hexOf(r.cloud),         hexOf(r.grain),      hexOf(r.tooth),
                             hexOf(r.toothSize),     hexOf(r.fibres),     hexOf(r.fibreDensity),
                             hexOf(r.fibreLength),   hexOf(r.fibreWidth), hexOf(r.flecks),
                             hexOf(r.patternAmount), hexOf(r.warmth)};
    return QStringLiteral("engine %1 size %2 gsm %3 night %4 pattern %5 seed %6 recipe %7")
        .arg(m_engineVersion)
        .arg(tileSize)
        .arg(key.gsm)
        .arg(key.night ? 1 : 0)
        .arg(rawValue(r.pattern))
        .arg(r.seed)
        .arg(floats.join(QLatin1Char(',')))
        .toUtf8();
}

QString TileDiskCache::pathOf(const TileKey& key, int tileSize) const {
    const QByteArray digest =
        QCryptographicHash::hash(keyText(key, tileSize), QCryptographicHash::Sha256).toHex();
    return m_directory + QLatin1Char('/') + QString::fromLatin1(digest) + QStringLiteral(".tile");
}

std::optional<QImage> TileDiskCache::read(const TileKey& key, int tileSize) const {
    const QString path = pathOf(key, tileSize);
    const qint64 pixelBytes = qint64(tileSize) * tileSize * bytesPerPixel;
    const auto read = readFileBounded(path, headerBytes + keyBytesLimit + pixelBytes);
    if (const auto* error = std::get_if<FileError>(&read)) {
        if (error->kind != FileError::Kind::missing) {
            qCWarning(lcCore).noquote() << "Removing a cached tile:" << error->message;
            QFile::remove(path);
        }
        return std::nullopt;
    }
    const QByteArray& bytes = std::get<QByteArray>(read);
    QDataStream in(bytes);
    QByteArray fileMagic(magic.size(), Qt::Uninitialized);
    in.readRawData(fileMagic.data(), int(fileMagic.size()));
    quint32 width = 0;
    quint32 height = 0;
    quint64 sum = 0;
    QByteArray fileKey;
    in >> width >> height >> sum >> fileKey;
    const qint64 pixelsAt = in.device()->pos();
    const bool whole = in.status() == QDataStream::Ok && fileMagic == magic &&
                       width == quint32(tileSize) && height == quint32(tileSize) &&
                       fileKey == keyText(key, tileSize) && bytes.size() - pixelsAt == pixelBytes;
    const auto* pixels = reinterpret_cast<const uchar*>(bytes.constData() + pixelsAt);
    if (!whole || checksum(pixels, pixelBytes) != sum) {
        qCWarning(lcCore).noquote() << "Removing a damaged cached tile" << path;
        QFile::remove(path);
        return std::nullopt;
    }
    QImage tile(tileSize, tileSize, tileFormat);
    if (tile.isNull()) {
        return std::nullopt;
    }
    const qsizetype rowBytes = qsizetype(tileSize) * bytesPerPixel;
    for (int y = 0; y < tileSize; ++y) {
        std::memcpy(tile.scanLine(y), pixels + y * rowBytes, rowBytes);
    }
    markUsed(path);
    return tile;
}

void TileDiskCache::write(const TileKey& key, const QImage& tile) const {
    if (tile.isNull() || tile.width() != tile.height() || tile.format() != tileFormat) {
        return;
    }
    const int tileSize = tile.width();
    const qsizetype rowBytes = qsizetype(tileSize) * bytesPerPixel;
    QByteArray pixels(rowBytes * tileSize, Qt::Uninitialized);
    for (int y = 0; y < tileSize; ++y) {
        std::memcpy(pixels.data() + y * rowBytes, tile.constScanLine(y), rowBytes);
    }
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.writeRawData(magic.constData(), int(magic.size()));
    out << quint32(tileSize) << quint32(tileSize)
        << checksum(reinterpret_cast<const uchar*>(pixels.constData()), pixels.size())
        << keyText(key, tileSize);
    bytes.append(pixels);

    if (!QDir().mkpath(m_directory)) {
        qCWarning(lcCore).noquote() << "Couldn't make the tile cache folder" << m_directory;
        return;
    }
    if (const auto error = writeFileAtomically(pathOf(key, tileSize), bytes)) {
        qCWarning(lcCore).noquote() << "Couldn't cache a tile:" << error->message;
        return;
    }
    trim();
}

void TileDiskCache::trim() const {
    const QFileInfoList files =
        QDir(m_directory)
            .entryInfoList({QStringLiteral("*.tile")}, QDir::Files, QDir::Time); // newest first
    qint64 kept = 0;
    for (const QFileInfo& file : files) {
        kept += file.size();
        if (kept > m_byteLimit) {
            QFile::remove(file.filePath());
        }
    }
}

} // namespace tessel
