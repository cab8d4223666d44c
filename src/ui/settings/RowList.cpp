#include "ui/settings/RowList.h"

#include "style/InterfacePalette.h"
#include "style/Metrics.h"

#include <QPainter>
#include <QVBoxLayout>

namespace tessel {

RowList::RowList(QWidget* parent)
    : QWidget(parent)
    , m_layout(new QVBoxLayout(this)) {
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(1);
}

void RowList::clear() {
    for (QWidget* row : rows()) {
        m_layout->removeWidget(row);
        row->hide();
        // A row's own button may have asked for this, so it must outlive the click.
        row->deleteLater();
    }
}

void RowList::addRow(QWidget* row) {
    m_layout->addWidget(row);
    row->show();
}

QList<QWidget*> RowList::rows() const {
    QList<QWidget*> result;
    for (int i = 0; i < m_layout->count(); ++i) {
        if (QWidget* row = m_layout->itemAt(i)->widget()) {
            result.append(row);
        }
    }
    return result;
}

void RowList::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(withAlpha(Tones::of(palette()).primary, metrics::hairline), 1));
    const QList<QWidget*> shown = rows();
    for (qsizetype i = 1; i < shown.size(); ++i) {
        const qreal y = shown[i]->geometry().top() - metrics::halfLine;
        painter.drawLine(QPointF(0, y), QPointF(width(), y));
    }
}

} // namespace tessel
