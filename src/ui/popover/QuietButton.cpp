#include "ui/popover/QuietButton.h"

#include "style/InterfacePalette.h"
#include "ui/kit/SectionHeading.h"

#include <QMenu>
#include <QPainter>

namespace tessel {

namespace {

constexpr qreal glyphSize = 12;
constexpr qreal glyphGap = 5;
constexpr qreal chevronSize = 9;

} // namespace

QuietButton::QuietButton(const QString& text, std::optional<Glyph> glyph, QWidget* parent)
    : QAbstractButton(parent)
    , m_glyph(glyph) {
    setText(text);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setFont(interfaceFont(*this, 12, QFont::Medium));
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (m_menu) {
            m_menu->popup(mapToGlobal(QPoint(0, height() + 2)));
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
        width += chevronSize + 2;
    }
    return width;
}

QSize QuietButton::sizeHint() const {
    return {static_cast<int>(std::ceil(contentWidth())) + 4, fontMetrics().height() + 8};
}

void QuietButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Tones tones = Tones::of(palette());
    const QColor ink = isDown() || underMouse() || hasFocus() ? tones.primary : tones.secondary;
    const QRectF bounds(rect());
    qreal x = 2;
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
                  QRectF(x + textWidth + 2, bounds.center().y() - chevronSize / 2 + 1, chevronSize,
                         chevronSize),
                  ink);
    }
}

} // namespace tessel
