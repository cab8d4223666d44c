#pragma once

#include "core/TileKey.h"
#include "paper/TileShading.h"

#include <QImage>
#include <QString>

#include <optional>

namespace tessel {

// Shaded tiles kept on disk between launches, so that paper shows at once. One file per
// tile, named by a digest of everything that decides its pixels. Every read checks the file
// whole (size, header, key, checksum); a file that fails is removed. Past the byte limit the
// least recently used files go first. Safe to use from several threads at once.
class TileDiskCache {
public:
    static constexpr qint64 defaultByteLimit = 64 * 1024 * 1024;

    // engineVersion names the synthesis and shading that made the tiles; another one misses.
    explicit TileDiskCache(QString directory, qint64 byteLimit = defaultByteLimit,
                           int engineVersion = paperEngineVersion);

    std::optional<QImage> read(const TileKey& key, int tileSize) const;
    // Failures are logged and otherwise ignored: the tile can always be made again.
    void write(const TileKey& key, const QImage& tile) const;

    QString pathOf(const TileKey& key, int tileSize) const;

private:
    QByteArray keyText(const TileKey& key, int tileSize) const;
    void trim() const;

    QString m_directory;
    qint64 m_byteLimit;
    int m_engineVersion;
};

} // namespace tessel
