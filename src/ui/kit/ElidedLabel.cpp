#include "ui/kit/ElidedLabel.h"

#include <QEvent>
#include <QTextDocument>

#include <cmath>

namespace tessel {

namespace {

const QString ellipsis = QStringLiteral("\u2026");

} // namespace

ElidedLabel::ElidedLabel(const QString& text, Qt::TextElideMode mode, QWidget* parent)
    : QLabel(parent)
    , m_mode(mode) {
    setTextFormat(Qt::PlainText);
    setFullText(text);
}

void ElidedLabel::setFullText(const QString& text) {
    m_fullText = text;
    updateGeometry();
    elide();
}

QSize ElidedLabel::sizeHint() const {
    return {textWidth(m_fullText), QLabel::sizeHint().height()};
}

QSize ElidedLabel::minimumSizeHint() const {
    return {textWidth(ellipsis), QLabel::minimumSizeHint().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateGeometry();
        elide();
    }
}

void ElidedLabel::elide() {
    const int room = contentsRect().width() - 2 * margin();
    const QString shown = fontMetrics().elidedText(m_fullText, m_mode, room);
    if (shown != text()) {
        setText(shown);
    }
    setToolTip(shown == m_fullText ? QString() : plainToolTip(m_fullText));
}

int ElidedLabel::textWidth(const QString& text) const {
    const QMargins margins = contentsMargins();
    // Rounded up: elidedText measures in fractions of a pixel.
    const auto advance = std::ceil(QFontMetricsF(font()).horizontalAdvance(text));
    return static_cast<int>(advance) + margins.left() + margins.right() + 2 * margin();
}

QString plainToolTip(const QString& text) {
    return text.isEmpty() ? text : Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap);
}

} // namespace tessel
