#pragma once

#include <QScrollArea>
#include <QVariantAnimation>

namespace tessel {

// Rows of equal height, at most `rows` of them in view with a glimpse of the next, so a long
// grid keeps its place in a window of fixed size. The wheel moves whole rows, and a soft edge
// marks where rows are hidden.
class RowScrollArea final : public QScrollArea {
public:
    RowScrollArea(int rowHeight, int spacing, int rows, QWidget* parent = nullptr);

    // Sizes the area to a content of so many rows: all of them while they fit.
    void setRowCount(int rows);
    // Scrolls by whole rows, as little as brings the row into view.
    void revealRow(int row);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    class EdgeFade;

    int pitch() const { return m_rowHeight + m_spacing; }
    int contentHeight() const { return std::max(0, m_rowCount * pitch() - m_spacing); }
    void scrollTo(int offset, bool animate);

    int m_rowHeight;
    int m_spacing;
    int m_rows;
    int m_rowCount = 0;
    int m_wheelRemainder = 0;
    EdgeFade* m_fade;
    QVariantAnimation m_motion;
};

} // namespace tessel
