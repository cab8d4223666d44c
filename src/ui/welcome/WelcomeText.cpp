#include "ui/welcome/WelcomeText.h"

#include "style/InterfacePalette.h"
#include "ui/kit/SectionHeading.h"

namespace tessel {

QLabel* welcomeTitle(const QString& text, qreal points, qreal kerning, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(serifFont(*parent, points, kerning));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* welcomeText(const QString& text, qreal points, QWidget* parent, bool secondary) {
    auto* label = new QLabel(text, parent);
    label->setFont(interfaceFont(*parent, points));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    // Softer by its role, so that the text still follows a change of appearance.
    label->setForegroundRole(secondary ? QPalette::PlaceholderText : QPalette::WindowText);
    return label;
}

} // namespace tessel
