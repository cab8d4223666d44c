#include "ui/kit/PaperGrid.h"

#include "style/Metrics.h"
#include "ui/kit/CrossFadeLabel.h"
#include "ui/kit/FlowGridLayout.h"
#include "ui/kit/RowScrollArea.h"
#include "ui/kit/SectionHeading.h"
#include "ui/kit/Swatch.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tessel {

namespace {

constexpr int headingGap = 10;
// Built-in papers fill two rows; more scroll within them rather than grow the window.
constexpr int rowsInView = 2;

} // namespace

PaperGrid::PaperGrid(QWidget* parent)
    : QWidget(parent)
    , m_hoveredName(new CrossFadeLabel(Qt::AlignRight, this))
    , m_grid(new QGridLayout) {
    m_hoveredName->setFont(interfaceFont(*this, metrics::labelText, QFont::Medium));
    auto* heading = new QHBoxLayout;
    heading->setContentsMargins(0, 0, 0, 0);
    heading->addWidget(sectionHeading(QStringLiteral("PAPER"), this));
    heading->addWidget(m_hoveredName, 1);

    auto* rows = new QWidget;
    rows->setLayout(m_grid);
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setHorizontalSpacing(spacing);
    m_grid->setVerticalSpacing(spacing);
    m_grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_scroll = new RowScrollArea(Swatch::fixedSize.height(), spacing, rowsInView, this);
    m_scroll->setWidget(rows);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(headingGap);
    column->addLayout(heading);
    column->addWidget(m_scroll);
}

PaperGrid::PaperGrid(FitWidth fit, QWidget* parent)
    : QWidget(parent) {
    auto* flow = new FlowGridLayout(Swatch::fixedSize.width(), fit.gap, false, this);
    flow->setEvenRows(true);
    flow->onPlaced([this](int width) {
        if (width != m_rowWidth) {
            m_rowWidth = width;
            Q_EMIT rowWidthChanged(width);
        }
    });
    m_flow = flow;
}

void PaperGrid::setPapers(const QList<Paper>& papers) {
    QStringList ids;
    for (const Paper& paper : papers) {
        ids.append(paper.id);
    }
    QStringList shown;
    for (const Swatch* swatch : m_swatches) {
        shown.append(swatch->paper().id);
    }
    if (ids == shown) {
        return;
    }
    qDeleteAll(m_swatches);
    m_swatches.clear();
    for (const Paper& paper : papers) {
        auto* swatch = new Swatch(paper, this);
        swatch->setPreview(m_previews.value(paper.id));
        swatch->setNight(m_night);
        swatch->setSelected(paper.id == m_selected);
        swatch->installEventFilter(this);
        connect(swatch, &QAbstractButton::clicked, this,
                [this, id = paper.id] { Q_EMIT chosen(id); });
        place(swatch, static_cast<int>(m_swatches.size()));
        // Shown now rather than by the event loop, so rows count at once in a shown grid.
        swatch->show();
        m_swatches.append(swatch);
    }
    if (m_scroll) {
        m_scroll->setRowCount((static_cast<int>(m_swatches.size()) + columns - 1) / columns);
        revealSelected();
    }
}

void PaperGrid::revealSelected() {
    for (qsizetype i = 0; m_scroll && i < m_swatches.size(); ++i) {
        if (m_swatches[i]->paper().id == m_selected) {
            m_scroll->revealRow(static_cast<int>(i) / columns);
        }
    }
}

void PaperGrid::place(Swatch* swatch, int index) {
    if (m_flow) {
        m_flow->addWidget(swatch);
    } else {
        m_grid->addWidget(swatch, index / columns, index % columns);
    }
}

void PaperGrid::setPreviews(const QHash<QString, QImage>& previews) {
    m_previews = previews;
    for (Swatch* swatch : m_swatches) {
        swatch->setPreview(previews.value(swatch->paper().id));
    }
}

void PaperGrid::setNight(bool night) {
    m_night = night;
    for (Swatch* swatch : m_swatches) {
        swatch->setNight(night);
    }
}

void PaperGrid::setSelected(const QString& paperId) {
    const bool changed = paperId != m_selected;
    m_selected = paperId;
    for (Swatch* swatch : m_swatches) {
        swatch->setSelected(swatch->paper().id == paperId);
    }
    // Other changes leave the rows where the wheel put them.
    if (changed) {
        revealSelected();
    }
}

void PaperGrid::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    revealSelected();
}

bool PaperGrid::eventFilter(QObject* watched, QEvent* event) {
    const auto* swatch = qobject_cast<Swatch*>(watched);
    if (swatch && event->type() == QEvent::Enter) {
        setHovered(swatch->paper().id);
    } else if (swatch && event->type() == QEvent::Leave && m_hovered == swatch->paper().id) {
        setHovered(std::nullopt);
    }
    return QWidget::eventFilter(watched, event);
}

void PaperGrid::setHovered(std::optional<QString> paperId) {
    if (paperId == m_hovered) {
        return;
    }
    m_hovered = std::move(paperId);
    QString name;
    for (const Swatch* swatch : m_swatches) {
        if (swatch->paper().id == m_hovered) {
            name = swatch->paper().name;
        }
    }
    if (m_hoveredName) {
        m_hoveredName->setText(name);
    }
    Q_EMIT hoveredChanged(m_hovered);
}

} // namespace tessel
