#include "ui/FormPage.h"

#include "ui/FormSection.h"

#include <QScrollBar>
#include <QVBoxLayout>

namespace tessel {

FormPage::FormPage(QWidget* parent)
    : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget;
    content->setAutoFillBackground(false);
    m_column = new QVBoxLayout(content);
    m_column->setContentsMargins(28, 4, 28, 24);
    m_column->setSpacing(22);
    m_column->addStretch();
    setWidget(content);
    viewport()->setAutoFillBackground(false);
}

FormSection* FormPage::addSection(const QString& title) {
    auto* section = new FormSection(title);
    addWidget(section);
    return section;
}

void FormPage::setSideMargins(int left, int right) {
    const QMargins margins = m_column->contentsMargins();
    m_column->setContentsMargins(left, margins.top(), right, margins.bottom());
}

int FormPage::contentWidth() const {
    return widget()->minimumSizeHint().width() + verticalScrollBar()->sizeHint().width();
}

void FormPage::addWidget(QWidget* content) {
    m_column->insertWidget(m_column->count() - 1, content);
}

} // namespace tessel
