#pragma once

#include <QLayout>
#include <QList>

#include <functional>

namespace tessel {

// Items in rows of equal columns, as many columns as the width holds. Each column is at least
// `columnWidth` wide; stretched columns share the width left over, others keep their width
// and line up on the left. Rows are as tall as their tallest item.
class FlowGridLayout final : public QLayout {
public:
    FlowGridLayout(int columnWidth, int spacing, bool stretch, QWidget* parent = nullptr);
    ~FlowGridLayout() override;

    // With even rows, the columns are as few as keep the rows as many as the width allows,
    // so that the last row is not left nearly empty: 12 items where 11 fit make two rows of 6.
    void setEvenRows(bool even) { m_evenRows = even; }
    // Told the width its columns take each time they are placed.
    void onPlaced(std::function<void(int columnsWidth)> placed) { m_placed = std::move(placed); }

    int columnsFor(int width) const;

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(m_items.size()); }
    QLayoutItem* itemAt(int index) const override { return m_items.value(index); }
    QLayoutItem* takeAt(int index) override;

    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    // Places the items in `rect` when asked to; returns the height they take.
    int arrange(const QRect& rect, bool place) const;

    QList<QLayoutItem*> m_items;
    int m_columnWidth;
    int m_spacing;
    bool m_stretch;
    bool m_evenRows = false;
    std::function<void(int)> m_placed;
};

} // namespace tessel
