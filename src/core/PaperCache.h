#pragma once

#include "core/TileDiskCache.h"
#include "core/TileKey.h"
#include "paper/Paper.h"
#include "paper/Recipe.h"

#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QThreadPool>

#include <memory>
#include <optional>
#include <vector>

namespace tessel {

// The Store's paper caches: height fields by recipe, tiles by key and grey previews by
// paper id, with tiles also kept on disk under a cache folder when given one. Synthesis and file
// work run on worker threads; results are applied on the main thread.
class PaperCache final : public QObject {
    Q_OBJECT

public:
    static constexpr int tileSize = 1024;
    static constexpr int previewSize = 256;

    explicit PaperCache(std::optional<QString> cacheDirectory = std::nullopt);
    ~PaperCache() override;

    // The tile now, or none while it is read from disk, shaded or its height field is made (the
    // job starts here); paperArrived() says when to ask again.
    std::optional<QImage> tile(const Recipe& recipe, double gsm, bool night);

    // Drops every height field whose recipe is neither in use nor being generated.
    void pruneHeights(const QSet<Recipe>& inUse);

    // Starts a preview job for every paper that has none yet.
    void makePreviews(const QList<Paper>& papers);
    const QHash<QString, QImage>& previews() const { return m_previews; }
    // Stores the preview, or removes it when given none.
    void setPreview(const QString& paperId, std::optional<QImage> preview);

    bool isGenerating(const Recipe& recipe) const { return m_generating.contains(recipe); }
    bool hasHeightField(const Recipe& recipe) const { return m_heights.contains(recipe); }

Q_SIGNALS:
    void paperArrived();
    void previewsChanged();

private:
    void load(const TileKey& key);
    void generate(const Recipe& recipe);
    // Shared with the jobs shading from them, which may outlive a prune.
    using SharedField = std::shared_ptr<const std::vector<float>>;

    void shade(const TileKey& key, const SharedField& field);
    void remember(const TileKey& key, const QImage& tile);
    void releaseScratch();

    QHash<Recipe, SharedField> m_heights;
    QSet<Recipe> m_generating;
    QHash<TileKey, QImage> m_tiles;
    // Least recently used first.
    QList<TileKey> m_recent;
    std::optional<TileDiskCache> m_disk;
    QSet<TileKey> m_loading;
    QSet<TileKey> m_shading;
    QSet<TileKey> m_notOnDisk;
    QHash<QString, QImage> m_previews;
    // Writes hold nothing of this object's; they are never dropped, so a quit keeps the tile.
    // Memory goes back to the system here too, after the writes.
    QThreadPool m_diskWrites;
    // Last, so that it is destroyed first and waits for running jobs while the rest still exists.
    QThreadPool m_pool;
};

} // namespace tessel
