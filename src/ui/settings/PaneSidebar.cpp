#include "ui/settings/PaneSidebar.h"

#include "style/InterfacePalette.h"
#include "ui/kit/SectionHeading.h"
#include "ui/kit/Symbol.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace tessel {

namespace {

constexpr int rowHeight = 32;
constexpr int symbolSize = 16;

// Rows as a calm list: the selection a soft rounded fill, symbols tinted like the text.
class RowDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {PaneSidebar::width - 16, rowHeight};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const auto* list = qobject_cast<const QWidget*>(option.widget);
        const Tones tones = Tones::of(list->palette());
        const QRectF row = QRectF(option.rect).adjusted(8, 1, -8, -1);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        if (option.state & QStyle::State_Selected) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(withAlpha(tones.primary, 0.09));
            painter->drawRoundedRect(row, 7, 7);
        } else if (option.state & QStyle::State_MouseOver) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(withAlpha(tones.primary, 0.04));
            painter->drawRoundedRect(row, 7, 7);
        }
        const bool selected = option.state & QStyle::State_Selected;
        const QColor tint = selected ? InterfacePalette::accent() : tones.secondary;
        const QPixmap icon = symbol(index.data(Qt::UserRole + 1).toString(), tint, symbolSize,
                                    list->devicePixelRatioF());
        const QPointF iconAt(row.left() + 10, row.center().y() - symbolSize / 2.0);
        painter->drawPixmap(iconAt, icon);
        painter->setPen(tones.primary);
        painter->setFont(interfaceFont(*list, 10.5, selected ? QFont::DemiBold : QFont::Normal));
        const QRectF text = row.adjusted(10 + symbolSize + 10, 0, -6, 0);
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
    setContentsMargins(0, 8, 0, 0);
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
