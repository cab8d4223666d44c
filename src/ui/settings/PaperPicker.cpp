#include "ui/settings/PaperPicker.h"

#include <QSignalBlocker>
#include <QStylePainter>

namespace tessel {

PaperPicker::PaperPicker(QStringList noPaperChoices, QWidget* parent)
    : QComboBox(parent)
    , m_noPaperChoices(std::move(noPaperChoices)) {
    connect(this, &QComboBox::activated, this, [this] { Q_EMIT picked(paperId()); });
}

void PaperPicker::showPaper(const QList<CustomPaper>& customPapers, const QString& paperId) {
    const QSignalBlocker blocker(this);
    fill(Paper::all(customPapers));
    // A paper since deleted shows as the paper the screen or app now gets in its place.
    const bool noPaper = paperId.isEmpty() && !m_noPaperChoices.isEmpty();
    setCurrentIndex(noPaper ? 0 : findData(Paper::find(paperId, customPapers).id));
}

// As QComboBox paints itself, with the current name cut to the field.
void PaperPicker::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    option.currentText =
        fontMetrics().elidedText(option.currentText, Qt::ElideRight, field.width());
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void PaperPicker::fill(const QList<Paper>& papers) {
    QStringList ids(m_noPaperChoices.size());
    QStringList names = m_noPaperChoices;
    for (const Paper& paper : papers) {
        ids << paper.id;
        names << paper.name;
    }
    bool same = count() == ids.size();
    for (int i = 0; same && i < count(); ++i) {
        same = itemData(i).toString() == ids[i] && itemText(i) == names[i];
    }
    if (same) {
        return;
    }
    clear();
    for (qsizetype i = 0; i < ids.size(); ++i) {
        addItem(names[i], ids[i]);
    }
}

} // namespace tessel
