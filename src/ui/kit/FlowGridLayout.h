#pragma once

#include <QLayout>
#include <QList>

namespace tessel {

// Items in rows of equal columns, as many columns as the width holds. Each column is at least
// `columnWidth` wide; stretched columns share the width left over, others keep their width
// and line up on the left. Rows are as tall as their tallest item.
class FlowGridLayout final : public QLayout {
public:
    FlowGridLayout(int columnWidth, int spacing, bool stretch, QWidget* parent = nullptr);
    ~FlowGridLayout() override;

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
};

} // namespace tessel
