#include "ui/kit/WarningLabel.h"

#include "style/InterfacePalette.h"
#include "ui/kit/SectionHeading.h"

namespace tessel {

WarningLabel::WarningLabel(QWidget* parent)
    : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setFont(interfaceFont(*this, 9.5));
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, InterfacePalette::accent());
    setPalette(colours);
    hide();
}

void WarningLabel::say(const QString& text) {
    setText(text);
    setVisible(!text.isEmpty());
}

} // namespace tessel
