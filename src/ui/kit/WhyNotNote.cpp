#include "ui/kit/WhyNotNote.h"

#include "style/Metrics.h"
#include "ui/kit/SectionHeading.h"

#include <QGraphicsOpacityEffect>

namespace tessel {

namespace {

// Controls draw alike enabled or not, so a faded one is what reads as unavailable.
constexpr qreal unavailableOpacity = 0.45;

} // namespace

WhyNotNote::WhyNotNote(QWidget* parent)
    : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setFont(interfaceFont(*this, metrics::footnoteText));
    setForegroundRole(QPalette::PlaceholderText);
    setContentsMargins(metrics::tightGap, 0, metrics::tightGap, 0);
    hide();
}

void WhyNotNote::explain(const std::optional<QString>& reason) {
    setText(reason.value_or(QString()));
    setVisible(reason.has_value());
}

void WhyNotNote::disable(QWidget& control, const std::optional<QString>& reason) {
    control.setEnabled(!reason);
    control.setToolTip(reason.value_or(QString()));
    control.setAccessibleDescription(reason.value_or(QString()));
    if (reason) {
        auto* faded = new QGraphicsOpacityEffect(&control);
        faded->setOpacity(unavailableOpacity);
        control.setGraphicsEffect(faded);
    } else {
        control.setGraphicsEffect(nullptr);
    }
}

} // namespace tessel
