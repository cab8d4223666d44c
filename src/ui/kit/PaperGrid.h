#pragma once

#include "paper/Paper.h"

#include <QHash>
#include <QImage>
#include <QWidget>

#include <optional>

class QGridLayout;
class QLayout;

namespace tessel {

class CrossFadeLabel;
class RowScrollArea;
class Swatch;

// "PAPER", the name of the paper under the pointer, and one swatch per paper in six
// columns, two rows in view: more rows scroll, keeping the chosen one in view. Shows a
// selection; choosing is left to whoever listens to `chosen`.
class PaperGrid final : public QWidget {
    Q_OBJECT

public:
    static constexpr int columns = 6;
    static constexpr int spacing = 8;

    // Swatches in as many columns as the width holds, `gap` apart, the rows filled evenly,
    // without the heading: the owner names the papers.
    struct FitWidth {
        int gap = spacing;
    };

    explicit PaperGrid(QWidget* parent = nullptr);
    explicit PaperGrid(FitWidth fit, QWidget* parent = nullptr);

    // Rebuilds the swatches only when the list of papers changed.
    void setPapers(const QList<Paper>& papers);
    void setPreviews(const QHash<QString, QImage>& previews);
    void setNight(bool night);
    void setSelected(const QString& paperId);

    QString selected() const { return m_selected; }
    std::optional<QString> hovered() const { return m_hovered; }
    QList<Swatch*> swatches() const { return m_swatches; }

Q_SIGNALS:
    void chosen(const QString& paperId);
    void hoveredChanged(const std::optional<QString>& paperId);
    // Fitting the width: the width its rows of swatches take, whenever that changes.
    void rowWidthChanged(int width);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void setHovered(std::optional<QString> paperId);
    void place(Swatch* swatch, int index);
    void revealSelected();

    CrossFadeLabel* m_hoveredName = nullptr;
    QGridLayout* m_grid = nullptr;
    RowScrollArea* m_scroll = nullptr;
    QLayout* m_flow = nullptr;
    QList<Swatch*> m_swatches;
    QHash<QString, QImage> m_previews;
    QString m_selected;
    bool m_night = false;
    std::optional<QString> m_hovered;
    int m_rowWidth = 0;
};

} // namespace tessel
