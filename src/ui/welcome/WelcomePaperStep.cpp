#include "ui/welcome/WelcomePaperStep.h"

#include "core/Store.h"
#include "style/Metrics.h"
#include "ui/kit/LitPaper.h"
#include "ui/kit/PaperGrid.h"
#include "ui/kit/PressButton.h"
#include "ui/kit/SlotBinding.h"
#include "ui/kit/WeightRuler.h"
#include "ui/welcome/WelcomeText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tessel {

namespace {

constexpr QSize sheetSize(160, 170);
constexpr int buttonWidth = 120;
constexpr int sheetGap = 16;
constexpr int sideMargin = 40;
constexpr int topMargin = 40;
constexpr int bottomMargin = 32;
constexpr int rulerGap = 26;
constexpr qreal paperLeadText = 13;

} // namespace

WelcomePaperStep::WelcomePaperStep(Store& store, bool night, const Texts& texts, QWidget* parent)
    : QWidget(parent)
    , m_store(store)
    , m_text(welcomeText(texts.text, paperLeadText, this, true))
    , m_sheet(new LitPaper(this))
    , m_grid(new PaperGrid(this))
    , m_ruler(new WeightRuler(this))
    , m_next(new PressButton(texts.button, PressButton::Kind::prominent, this))
    , m_binding(new SlotBinding(store, *m_grid, *m_ruler, night)) {
    m_sheet->setFixedSize(sheetSize);
    m_sheet->setNight(night);
    m_next->setDefault(true);
    m_next->setMinimumWidth(buttonWidth);

    auto* papers = new QHBoxLayout;
    papers->setSpacing(sheetGap);
    papers->addWidget(m_sheet, 0, Qt::AlignTop);
    papers->addWidget(m_grid, 0, Qt::AlignTop);

    // The ruler's labels overhang its scale, so it alone reaches into the side margins.
    const int side = sideMargin - WeightRuler::overhang;
    const auto inset = [](QLayout* layout) {
        layout->setContentsMargins(WeightRuler::overhang, 0, WeightRuler::overhang, 0);
        return layout;
    };
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(side, topMargin, side, bottomMargin);
    column->setSpacing(0);
    column->addWidget(welcomeTitle(texts.title, welcome::stepTitle, 0, this));
    column->addSpacing(metrics::gap);
    column->addWidget(m_text);
    column->addStretch(1);
    column->addLayout(inset(papers));
    column->addSpacing(rulerGap);
    column->addWidget(m_ruler);
    column->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_next);
    column->addLayout(inset(buttons));

    connect(m_binding, &SlotBinding::shown, this, &WelcomePaperStep::showSheet);
    showSheet();
}

void WelcomePaperStep::setText(const QString& text) {
    m_text->setText(text);
}

QString WelcomePaperStep::text() const {
    return m_text->text();
}

void WelcomePaperStep::showSheet() {
    m_sheet->setPreview(m_store.previews().value(m_binding->paper().id));
}

} // namespace tessel
