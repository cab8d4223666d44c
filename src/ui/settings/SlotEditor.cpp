#include "ui/settings/SlotEditor.h"

#include "core/Store.h"
#include "ui/CrossFadeLabel.h"
#include "ui/InterfacePalette.h"
#include "ui/PaperGrid.h"
#include "ui/SectionHeading.h"
#include "ui/SlotBinding.h"
#include "ui/Swatch.h"
#include "ui/WeightRuler.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tessel {

SlotEditor::SlotEditor(Store& store, bool night, QWidget* parent)
    : QWidget(parent)
    , m_name(new QLabel(this))
    , m_hovered(new CrossFadeLabel(Qt::AlignRight | Qt::AlignVCenter, this))
    , m_grid(new PaperGrid(PaperGrid::FitWidth{swatchGap}, this))
    , m_ruler(new WeightRuler(this))
    , m_binding(new SlotBinding(store, *m_grid, *m_ruler, night)) {
    m_name->setFont(serifFont(*m_name, 20));
    m_hovered->setFont(interfaceFont(*this, 11, QFont::Medium));
    auto* heading = new QHBoxLayout;
    heading->setContentsMargins(0, 0, 0, 0);
    heading->addWidget(m_name);
    heading->addWidget(m_hovered, 1);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(2, 6, 2, 8);
    column->setSpacing(14);
    column->addLayout(heading);
    column->addWidget(m_grid);
    // The ruler's tick labels overhang its scale; the scale lines up with the swatches.
    column->addWidget(m_ruler, 0, Qt::AlignLeft);

    connect(m_binding, &SlotBinding::shown, this,
            [this] { m_name->setText(m_binding->paper().name); });
    connect(m_grid, &PaperGrid::hoveredChanged, this, &SlotEditor::showHovered);
    m_name->setText(m_binding->paper().name);
}

QString SlotEditor::shownName() const {
    return m_name->text();
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
