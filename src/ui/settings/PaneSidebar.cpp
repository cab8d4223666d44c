#include "ui/settings/PaneSidebar.h"

#include "style/InterfacePalette.h"
#include "style/Metrics.h"
#include "ui/kit/SectionHeading.h"
#include "ui/kit/Symbol.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace tessel {

namespace {

constexpr int sidebarRowHeight = 32;
constexpr int symbolSize = metrics::symbolSize;
// A row's fill stands in from the sidebar's sides; the symbol and the text stand in from it.
constexpr int rowInset = 8;
constexpr qreal rowRadius = 7;
constexpr int textInset = 10;
constexpr int textEnd = 6;

// Rows as a calm list: the selection a soft rounded fill, symbols tinted like the text.
class RowDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {PaneSidebar::width - 2 * rowInset, sidebarRowHeight};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const auto* list = qobject_cast<const QWidget*>(option.widget);
        const Tones tones = Tones::of(list->palette());
        const QRectF row = QRectF(option.rect).adjusted(rowInset, 1, -rowInset, -1);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        if (option.state & QStyle::State_Selected) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(withAlpha(tones.primary, metrics::cardEdge));
            painter->drawRoundedRect(row, rowRadius, rowRadius);
        } else if (option.state & QStyle::State_MouseOver) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(withAlpha(tones.primary, metrics::hoverWash));
            painter->drawRoundedRect(row, rowRadius, rowRadius);
        }
        const bool selected = option.state & QStyle::State_Selected;
        const QColor tint = selected ? InterfacePalette::accent() : tones.secondary;
        const QPixmap icon = symbol(index.data(Qt::UserRole + 1).toString(), tint, symbolSize,
                                    list->devicePixelRatioF());
        const QPointF iconAt(row.left() + textInset, row.center().y() - symbolSize / 2.0);
        painter->drawPixmap(iconAt, icon);
        painter->setPen(tones.primary);
        painter->setFont(
            interfaceFont(*list, metrics::smallText, selected ? QFont::DemiBold : QFont::Normal));
        const QRectF text = row.adjusted(textInset + symbolSize + textInset, 0, -textEnd, 0);
        painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft, index.data().toString());
        painter->restore();
    }
};

} // namespace

PaneSidebar::PaneSidebar(QWidget* parent)
    : QListWidget(parent) {
    setFixedWidth(width);
    setFrameShape(QFrame::NoFrame);
    setItemDelegate(new RowDelegate(this));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("Settings"));
    viewport()->setAutoFillBackground(false);
    setAutoFillBackground(false);
    setContentsMargins(0, metrics::gap, 0, 0);
    setSpacing(1);
    for (const PaneInfo& info : paneInfos()) {
        auto* item = new QListWidgetItem(info.title, this);
        item->setData(Qt::UserRole, static_cast<int>(info.pane));
        item->setData(Qt::UserRole + 1, info.icon);
    }
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            Q_EMIT chosen(static_cast<Pane>(item(row)->data(Qt::UserRole).toInt()));
        }
    });
}

void PaneSidebar::select(Pane pane) {
    setCurrentRow(static_cast<int>(pane));
}

} // namespace tessel
