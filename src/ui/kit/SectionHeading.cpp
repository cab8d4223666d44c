#include "ui/kit/SectionHeading.h"

#include "style/Metrics.h"
#include "style/Typefaces.h"
#include "ui/kit/CrossFadeLabel.h"

namespace tessel {

namespace {

constexpr qreal capitalsSpacing = 1.1;

} // namespace

CrossFadeLabel* sectionHeading(const QString& text, QWidget* parent) {
    auto* heading = new CrossFadeLabel(Qt::AlignLeft, parent);
    QFont font = interfaceFont(*heading, metrics::smallText, QFont::DemiBold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, capitalsSpacing);
    heading->setFont(font);
    heading->setText(text);
    heading->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return heading;
}

QFont interfaceFont(const QWidget& widget, qreal points, QFont::Weight weight) {
    return systemFont(points, weight, widget);
}

QFont serifFont(const QWidget& widget, qreal points, qreal kerning) {
    QFont font = mincho(points, widget);
    if (kerning != 0) {
        font.setLetterSpacing(QFont::AbsoluteSpacing, kerning);
    }
    return font;
}

} // namespace tessel
