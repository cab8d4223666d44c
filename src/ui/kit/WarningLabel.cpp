#include "ui/kit/WarningLabel.h"

#include "style/InterfacePalette.h"
#include "style/Metrics.h"
#include "ui/kit/SectionHeading.h"

namespace tessel {

WarningLabel::WarningLabel(QWidget* parent)
    : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setFont(interfaceFont(*this, metrics::noteText));
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
