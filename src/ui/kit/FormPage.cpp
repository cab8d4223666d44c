#include "ui/kit/FormPage.h"

#include "style/Metrics.h"
#include "ui/kit/FormSection.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QVBoxLayout>

namespace tessel {

namespace {

constexpr int sideMargin = 28;
constexpr int bottomMargin = 24;
constexpr int sectionGap = 22;

} // namespace

FormPage::FormPage(QWidget* parent)
    : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget;
    content->setAutoFillBackground(false);
    m_column = new QVBoxLayout(content);
    m_column->setContentsMargins(sideMargin, metrics::tightGap, sideMargin, bottomMargin);
    m_column->setSpacing(sectionGap);
    m_column->addStretch();
    setWidget(content);
    viewport()->setAutoFillBackground(false);
    qApp->installEventFilter(this);
}

// A wheel turned while the pointer passes over a picker or a slider scrolls the page, as the
// user meant, instead of changing a setting they never looked at; once they click the
// control, it is theirs to turn. Such controls would also take the focus from the wheel
// itself, so they are made to wait for a click or a tab.
bool FormPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel && event->type() != QEvent::Polish) {
        return false;
    }
    auto* control = qobject_cast<QWidget*>(watched);
    const bool turnsAValue = qobject_cast<QComboBox*>(watched) ||
                             qobject_cast<QAbstractSlider*>(watched) ||
                             qobject_cast<QAbstractSpinBox*>(watched);
    if (!turnsAValue || !widget()->isAncestorOf(control)) {
        return false;
    }
    if (event->type() == QEvent::Polish) {
        if (control->focusPolicy() == Qt::WheelFocus) {
            control->setFocusPolicy(Qt::StrongFocus);
        }
        return false;
    }
    if (control->hasFocus()) {
        return false;
    }
    QCoreApplication::sendEvent(verticalScrollBar(), event);
    return true;
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
