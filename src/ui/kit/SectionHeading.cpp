#include "ui/kit/SectionHeading.h"

#include "style/Typefaces.h"
#include "ui/kit/CrossFadeLabel.h"

namespace tessel {

CrossFadeLabel* sectionHeading(const QString& text, QWidget* parent) {
    auto* heading = new CrossFadeLabel(Qt::AlignLeft, parent);
    QFont font = interfaceFont(*heading, 10.5, QFont::DemiBold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.1);
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
