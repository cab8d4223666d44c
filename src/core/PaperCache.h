#pragma once

#include "paper/Paper.h"
#include "paper/Recipe.h"

#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QThreadPool>

#include <optional>
#include <vector>

namespace tessel {

// A tile is shaded once per recipe, rounded weight and palette.
struct TileKey {
    Recipe recipe;
    int gsm = 0; // rounded to the nearest integer, halves away from zero
    bool night = false;

    static TileKey of(const Recipe& recipe, double gsm, bool night);

    friend bool operator==(const TileKey&, const TileKey&) = default;
};

std::size_t qHash(const TileKey& key, std::size_t seed = 0) noexcept;

// The Store's paper caches: height fields by recipe, tiles by key and grey previews by
// paper id. Synthesis runs on worker threads; results are applied on the main thread.
class PaperCache final : public QObject {
    Q_OBJECT

public:
    static constexpr int tileSize = 1024;
    static constexpr int previewSize = 256;

    PaperCache();
    ~PaperCache() override;

    // The tile now, or none while its height field is still being made (the job starts here).
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
    qsizetype tileCount() const { return m_tiles.size(); }

Q_SIGNALS:
    void heightFieldArrived();
    void previewsChanged();

private:
    void generate(const Recipe& recipe);

    QHash<Recipe, std::vector<float>> m_heights;
    QSet<Recipe> m_generating;
    QHash<TileKey, QImage> m_tiles;
    QHash<QString, QImage> m_previews;
    // Last, so that it is destroyed first and waits for running jobs while the rest still exists.
    QThreadPool m_pool;
};

} // namespace tessel
