#include "ui/settings/SlotEditor.h"

#include "core/Store.h"
#include "style/InterfacePalette.h"
#include "style/Metrics.h"
#include "ui/kit/CrossFadeLabel.h"
#include "ui/kit/ElidedLabel.h"
#include "ui/kit/PaperGrid.h"
#include "ui/kit/SectionHeading.h"
#include "ui/kit/SlotBinding.h"
#include "ui/kit/Swatch.h"
#include "ui/kit/WeightRuler.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tessel {

namespace {

constexpr qreal nameText = 20;
constexpr int gridGap = 14;
constexpr int rulerGap = 18;

} // namespace

SlotEditor::SlotEditor(Store& store, bool night, QWidget* parent)
    : QWidget(parent)
    , m_name(new ElidedLabel({}, Qt::ElideRight, this))
    , m_hovered(new CrossFadeLabel(Qt::AlignRight | Qt::AlignVCenter, this))
    , m_grid(new PaperGrid(PaperGrid::FitWidth{swatchGap}, this))
    , m_ruler(new WeightRuler(this))
    , m_binding(new SlotBinding(store, *m_grid, *m_ruler, night)) {
    m_name->setFont(serifFont(*m_name, nameText));
    m_hovered->setFont(interfaceFont(*this, metrics::labelText, QFont::Medium));
    auto* heading = new QHBoxLayout;
    heading->setContentsMargins(0, 0, 0, 0);
    heading->addWidget(m_name);
    heading->addWidget(m_hovered, 1);

    // The name and the swatches stand in by the ruler's overhang, so that they line up with
    // its scale and its heading.
    auto* papers = new QVBoxLayout;
    papers->setContentsMargins(WeightRuler::overhang, 0, WeightRuler::overhang, 0);
    papers->setSpacing(gridGap);
    papers->addLayout(heading);
    papers->addWidget(m_grid);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, metrics::smallGap, 0, metrics::gap);
    column->setSpacing(rulerGap);
    column->addLayout(papers);
    column->addWidget(m_ruler, 0, Qt::AlignLeft);

    connect(m_binding, &SlotBinding::shown, this,
            [this] { m_name->setFullText(m_binding->paper().name); });
    connect(m_grid, &PaperGrid::hoveredChanged, this, &SlotEditor::showHovered);
    // The scale spans the swatches exactly, its labels overhanging as the grid is inset.
    connect(m_grid, &PaperGrid::rowWidthChanged, this,
            [this](int width) { m_ruler->setFixedWidth(width + 2 * WeightRuler::overhang); });
    m_name->setFullText(m_binding->paper().name);
}

QString SlotEditor::shownName() const {
    return m_name->fullText();
}

// The swatches carry no names: the one under the pointer is named beside the slot's own.
void SlotEditor::showHovered(const std::optional<QString>& paperId) {
    QString name;
    for (const Swatch* swatch : m_grid->swatches()) {
        if (swatch->paper().id == paperId) {
            name = swatch->paper().name;
        }
    }
    m_hovered->setText(name);
}

} // namespace tessel
