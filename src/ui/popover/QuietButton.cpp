#include "ui/popover/QuietButton.h"

#include "style/InterfacePalette.h"
#include "style/Metrics.h"
#include "ui/kit/SectionHeading.h"
#include "ui/popover/PopoverMenu.h"

#include <QMenu>
#include <QPainter>

namespace tessel {

namespace {

constexpr qreal glyphSize = 12;
constexpr qreal glyphGap = 5;
constexpr qreal chevronSize = 9;
// The chevron sits a point low, level with the text's x-height.
constexpr qreal chevronDrop = 1;
constexpr int verticalPadding = 8;

} // namespace

QuietButton::QuietButton(const QString& text, std::optional<Glyph> glyph, QWidget* parent)
    : QAbstractButton(parent)
    , m_glyph(glyph) {
    setText(text);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setFont(interfaceFont(*this, metrics::controlText, QFont::Medium));
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (m_menu) {
            if (auto* ours = qobject_cast<PopoverMenu*>(m_menu)) {
                ours->follow(*this);
            }
            m_menu->popup(mapToGlobal(QPoint(0, height() + metrics::hairGap)));
        }
    });
}

void QuietButton::setMenu(QMenu* menu) {
    m_menu = menu;
    updateGeometry();
}

qreal QuietButton::contentWidth() const {
    qreal width = fontMetrics().horizontalAdvance(text());
    if (m_glyph) {
        width += glyphSize + glyphGap;
    }
    if (m_menu) {
        width += chevronSize + metrics::hairGap;
    }
    return width;
}

QSize QuietButton::sizeHint() const {
    return {static_cast<int>(std::ceil(contentWidth())) + 2 * metrics::hairGap,
            fontMetrics().height() + verticalPadding};
}

void QuietButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Tones tones = Tones::of(palette());
    const QColor ink = isDown() || underMouse() || hasFocus() ? tones.primary : tones.secondary;
    const QRectF bounds(rect());
    qreal x = metrics::hairGap;
    if (m_glyph) {
        drawGlyph(painter, *m_glyph,
                  QRectF(x, bounds.center().y() - glyphSize / 2, glyphSize, glyphSize), ink);
        x += glyphSize + glyphGap;
    }
    painter.setFont(font());
    painter.setPen(ink);
    const qreal textWidth = fontMetrics().horizontalAdvance(text());
    painter.drawText(QRectF(x, 0, textWidth + 1, bounds.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     text());
    if (m_menu) {
        drawGlyph(painter, Glyph::chevronDown,
                  QRectF(x + textWidth + metrics::hairGap,
                         bounds.center().y() - chevronSize / 2 + chevronDrop, chevronSize,
                         chevronSize),
                  ink);
    }
}

} // namespace tessel
