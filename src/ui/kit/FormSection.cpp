#include "ui/kit/FormSection.h"

#include "style/InterfacePalette.h"
#include "style/Metrics.h"
#include "ui/kit/SectionHeading.h"
#include "ui/kit/Toggle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace tessel {

namespace {

constexpr int rowPadding = 12;
constexpr int rowHeight = 40;

} // namespace

// Draws the card behind the rows and a hairline between each two visible rows.
class FormSection::Card final : public QWidget {
public:
    explicit Card(QWidget* parent)
        : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const Tones tones = Tones::of(palette());
        const QRectF card = metrics::lineBounds(rect());
        painter.setPen(QPen(withAlpha(tones.primary, metrics::cardEdge), 1));
        painter.setBrush(palette().color(QPalette::AlternateBase));
        painter.drawRoundedRect(card, metrics::controlRadius, metrics::controlRadius);
        painter.setPen(QPen(withAlpha(tones.primary, metrics::hairline), 1));
        const QWidget* previous = nullptr;
        for (const QObject* child : children()) {
            const auto* row = qobject_cast<const QWidget*>(child);
            if (!row || row->isHidden()) {
                continue;
            }
            if (previous) {
                const qreal y = row->geometry().top() - metrics::halfLine;
                painter.drawLine(QPointF(rowPadding, y), QPointF(width() - rowPadding, y));
            }
            previous = row;
        }
    }
};

FormSection::FormSection(const QString& title, QWidget* parent)
    : QWidget(parent)
    , m_card(new Card(this))
    , m_rows(new QVBoxLayout(m_card))
    , m_footer(new QLabel(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(metrics::smallGap);
    if (!title.isEmpty()) {
        auto* heading = new QLabel(title, this);
        heading->setFont(interfaceFont(*heading, metrics::labelText, QFont::DemiBold));
        heading->setContentsMargins(metrics::tightGap, 0, 0, 0);
        layout->addWidget(heading);
    }
    m_rows->setContentsMargins(0, 0, 0, 0);
    m_rows->setSpacing(0);
    layout->addWidget(m_card);
    m_footer->setWordWrap(true);
    m_footer->setFont(interfaceFont(*m_footer, metrics::footnoteText));
    m_footer->setContentsMargins(metrics::tightGap, 0, metrics::tightGap, 0);
    // The palette's placeholder colour is the secondary tone, in either appearance.
    m_footer->setForegroundRole(QPalette::PlaceholderText);
    m_footer->hide();
    layout->addWidget(m_footer);
}

QWidget* FormSection::addRow(const QString& label, QWidget* control) {
    auto* contents = new QHBoxLayout;
    auto* text = new QLabel(label);
    text->setWordWrap(true);
    contents->addWidget(text, 1);
    contents->addWidget(control, 0, Qt::AlignRight | Qt::AlignVCenter);
    if (control->accessibleName().isEmpty()) {
        control->setAccessibleName(label);
    }
    return addRow(contents);
}

QWidget* FormSection::addWidget(QWidget* content) {
    auto* contents = new QHBoxLayout;
    contents->addWidget(content);
    return addRow(contents);
}

Toggle* FormSection::addToggle(const QString& label) {
    auto* toggle = new Toggle;
    toggle->setAccessibleName(label);
    addRow(label, toggle);
    return toggle;
}

void FormSection::setFooter(const QString& text) {
    m_footer->setText(text);
    m_footer->setVisible(!text.isEmpty());
}

QWidget* FormSection::addRow(QLayout* contents) {
    auto* row = new QWidget(m_card);
    contents->setContentsMargins(rowPadding, metrics::gap, rowPadding, metrics::gap);
    contents->setSpacing(metrics::wideGap);
    row->setLayout(contents);
    row->setMinimumHeight(rowHeight);
    m_rows->addWidget(row);
    return row;
}

} // namespace tessel
