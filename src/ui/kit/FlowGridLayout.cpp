#include "ui/kit/FlowGridLayout.h"

#include <QWidget>

#include <algorithm>

namespace tessel {

namespace {

// What the layout asks for before it knows its width: a few columns side by side.
constexpr int preferredColumns = 3;

} // namespace

FlowGridLayout::FlowGridLayout(int columnWidth, int spacing, bool stretch, QWidget* parent)
    : QLayout(parent)
    , m_columnWidth(columnWidth)
    , m_spacing(spacing)
    , m_stretch(stretch) {
    setContentsMargins(0, 0, 0, 0);
}

FlowGridLayout::~FlowGridLayout() {
    qDeleteAll(m_items);
}

int FlowGridLayout::columnsFor(int width) const {
    const int fit = std::max(1, (width + m_spacing) / (m_columnWidth + m_spacing));
    if (!m_evenRows || m_items.isEmpty()) {
        return fit;
    }
    const auto items = static_cast<int>(m_items.size());
    const int rows = (items + fit - 1) / fit;
    return (items + rows - 1) / rows;
}

void FlowGridLayout::addItem(QLayoutItem* item) {
    m_items.append(item);
    invalidate();
}

QLayoutItem* FlowGridLayout::takeAt(int index) {
    if (index < 0 || index >= m_items.size()) {
        return nullptr;
    }
    invalidate();
    return m_items.takeAt(index);
}

int FlowGridLayout::heightForWidth(int width) const {
    return arrange(QRect(0, 0, width, 0), false);
}

QSize FlowGridLayout::minimumSize() const {
    const QMargins m = contentsMargins();
    int tallest = 0;
    for (const QLayoutItem* item : m_items) {
        tallest = std::max(tallest, item->sizeHint().height());
    }
    return {m_columnWidth + m.left() + m.right(), tallest + m.top() + m.bottom()};
}

QSize FlowGridLayout::sizeHint() const {
    const QMargins m = contentsMargins();
    const int columns = std::min(preferredColumns, std::max(1, count()));
    const int width = columns * m_columnWidth + (columns - 1) * m_spacing + m.left() + m.right();
    return {width, heightForWidth(width)};
}

void FlowGridLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    arrange(rect, true);
    if (m_placed) {
        const int width = rect.marginsRemoved(contentsMargins()).width();
        const int columns = columnsFor(width);
        m_placed(m_stretch ? width : columns * m_columnWidth + (columns - 1) * m_spacing);
    }
}

int FlowGridLayout::arrange(const QRect& rect, bool place) const {
    const QRect area = rect.marginsRemoved(contentsMargins());
    const int columns = columnsFor(area.width());
    const int cellWidth =
        m_stretch ? (area.width() - (columns - 1) * m_spacing) / columns : m_columnWidth;
    int y = area.top();
    for (qsizetype first = 0; first < m_items.size(); first += columns) {
        const qsizetype end = std::min(m_items.size(), first + columns);
        int rowHeight = 0;
        for (qsizetype i = first; i < end; ++i) {
            rowHeight = std::max(rowHeight, m_items[i]->sizeHint().height());
        }
        for (qsizetype i = first; place && i < end; ++i) {
            const auto column = static_cast<int>(i - first);
            m_items[i]->setGeometry(
                QRect(area.left() + column * (cellWidth + m_spacing), y, cellWidth, rowHeight));
        }
        y += rowHeight + (end < m_items.size() ? m_spacing : 0);
    }
    const QMargins m = contentsMargins();
    return y - area.top() + m.top() + m.bottom();
}

} // namespace tessel
