#include "ui/kit/RowScrollArea.h"

#include "style/InterfacePalette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace tessel {

namespace {

// How much of the next row shows below the last whole one.
constexpr int glimpse = 16;
constexpr int fadeDepth = 14;
constexpr int wheelNotch = 120;
constexpr int motionMilliseconds = 160;

} // namespace

// Paints the window colour over the edges where rows go on out of view.
class RowScrollArea::EdgeFade final : public QWidget {
public:
    explicit EdgeFade(RowScrollArea& area)
        : QWidget(&area)
        , m_area(area) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const QScrollBar* bar = m_area.verticalScrollBar();
        const QColor solid = palette().color(QPalette::Window);
        QPainter painter(this);
        const auto fade = [&](int from, int to) {
            QLinearGradient gradient(0, from, 0, to);
            gradient.setColorAt(0, withAlpha(solid, 0));
            gradient.setColorAt(1, solid);
            painter.fillRect(QRect(0, std::min(from, to), width(), fadeDepth), gradient);
        };
        if (bar->value() > bar->minimum()) {
            fade(fadeDepth, 0);
        }
        if (bar->value() < bar->maximum()) {
            fade(height() - fadeDepth, height());
        }
    }

private:
    RowScrollArea& m_area;
};

RowScrollArea::RowScrollArea(int rowHeight, int spacing, int rows, QWidget* parent)
    : QScrollArea(parent)
    , m_rowHeight(rowHeight)
    , m_spacing(spacing)
    , m_rows(rows)
    , m_fade(new EdgeFade(*this)) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    viewport()->setAutoFillBackground(false);
    m_motion.setDuration(motionMilliseconds);
    m_motion.setEasingCurve(QEasingCurve::OutCubic);
    connect(&m_motion, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { verticalScrollBar()->setValue(value.toInt()); });
}

// Counted rather than asked of the content: swatches added to a shown grid stay hidden, and
// so weightless, until the event loop shows them.
void RowScrollArea::setRowCount(int rows) {
    m_rowCount = rows;
    if (widget()) {
        // The scroll area turns its content's background on; the rows sit on the window's.
        widget()->setAutoFillBackground(false);
    }
    setFixedHeight(std::min(contentHeight(), m_rows * pitch() + glimpse));
}

void RowScrollArea::revealRow(int row) {
    const int top = row * pitch();
    const int bottom = top + m_rowHeight;
    const int shown = verticalScrollBar()->value();
    const int visible = height();
    if (top >= shown && bottom <= shown + visible) {
        return;
    }
    // Whole rows from the top, the fewest that bring the row's bottom into view.
    const int rowsDown = top < shown ? row : (bottom - visible + pitch() - 1) / pitch();
    // A hidden area has not yet been told its range; it is the content's overhang.
    verticalScrollBar()->setMaximum(std::max(0, contentHeight() - visible));
    scrollTo(rowsDown * pitch(), false);
}

void RowScrollArea::wheelEvent(QWheelEvent* event) {
    m_wheelRemainder += event->angleDelta().y();
    const int rows = m_wheelRemainder / wheelNotch;
    if (rows == 0) {
        event->accept();
        return;
    }
    m_wheelRemainder -= rows * wheelNotch;
    const int current = m_motion.state() == QAbstractAnimation::Running
                            ? m_motion.endValue().toInt()
                            : verticalScrollBar()->value();
    const int onRow = (current + pitch() / 2) / pitch();
    scrollTo((onRow - rows) * pitch(), true);
    event->accept();
}

void RowScrollArea::scrollTo(int offset, bool animate) {
    QScrollBar* bar = verticalScrollBar();
    const int target = std::clamp(offset, bar->minimum(), bar->maximum());
    m_motion.stop();
    if (!animate) {
        bar->setValue(target);
        return;
    }
    m_motion.setStartValue(bar->value());
    m_motion.setEndValue(target);
    m_motion.start();
}

void RowScrollArea::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    m_fade->setGeometry(viewport()->geometry());
    m_fade->raise();
}

void RowScrollArea::scrollContentsBy(int dx, int dy) {
    QScrollArea::scrollContentsBy(dx, dy);
    m_fade->update();
}

} // namespace tessel
