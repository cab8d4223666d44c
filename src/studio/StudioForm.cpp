#include "studio/StudioForm.h"

#include "core/Store.h"
#include "paper/PaperName.h"
#include "studio/PatternPicker.h"
#include "studio/Studio.h"
#include "style/InterfacePalette.h"
#include "style/Metrics.h"
#include "ui/kit/FloatSlider.h"
#include "ui/kit/FormPage.h"
#include "ui/kit/FormSection.h"
#include "ui/kit/PressButton.h"
#include "ui/kit/SectionHeading.h"
#include "ui/kit/WarningLabel.h"

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPropertyAnimation>
#include <QVBoxLayout>

namespace tessel {

namespace {

constexpr int controlWidth = 200;
constexpr int noteFadeMs = 220;
constexpr int menuTextWidth = 320;
// Close to the sheet, so that form and sheet both fit the window's usual width.
constexpr int pageLeading = 30;
constexpr int pageTrailing = metrics::hairGap;

QWidget* buttonRow(const QList<QWidget*>& leading, const QList<QWidget*>& trailing) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(metrics::gap);
    for (QWidget* widget : leading) {
        layout->addWidget(widget);
    }
    layout->addStretch();
    for (QWidget* widget : trailing) {
        layout->addWidget(widget);
    }
    return row;
}

// A menu would take "&" for a shortcut mark, and widen to fit any name.
QString menuText(const QString& name, const QFontMetrics& metrics) {
    return metrics.elidedText(name, Qt::ElideRight, menuTextWidth)
        .replace(u'&', QStringLiteral("&&"));
}

} // namespace

StudioForm::StudioForm(Studio& studio, Store& store, QWidget* parent)
    : QWidget(parent)
    , m_studio(studio)
    , m_store(store) {
    auto* page = new FormPage(this);
    addPaperSection(*page);
    FormSection* surface = page->addSection(QStringLiteral("Surface"));
    for (const SliderField& field : {
             SliderField{QStringLiteral("Formation"), &Recipe::cloud, 0, 1},
             SliderField{QStringLiteral("Grain"), &Recipe::grain, 0, 1},
             SliderField{QStringLiteral("Tooth"), &Recipe::tooth, 0, 1},
             SliderField{QStringLiteral("Tooth size"), &Recipe::toothSize, 6, 64},
             SliderField{QStringLiteral("Flecks"), &Recipe::flecks, 0, 1},
             SliderField{QStringLiteral("Warmth"), &Recipe::warmth, -1, 1},
         }) {
        addSlider(*surface, field);
    }
    FormSection* fibres = page->addSection(QStringLiteral("Fibres"));
    for (const SliderField& field : {
             SliderField{QStringLiteral("Fibres"), &Recipe::fibres, 0, 1},
             SliderField{QStringLiteral("Density"), &Recipe::fibreDensity, 0, 1},
             SliderField{QStringLiteral("Length"), &Recipe::fibreLength, 10, 200},
             SliderField{QStringLiteral("Thickness"), &Recipe::fibreWidth, 0.3, 2},
         }) {
        addSlider(*fibres, field);
    }
    addPatternSection(*page);
    addActionSection(*page);

    // The scrolling page would clip its rows rather than ask for room, so the form asks.
    page->setSideMargins(pageLeading, pageTrailing);
    setMinimumWidth(page->contentWidth());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page);

    connect(&studio, &Studio::recipeChanged, this, &StudioForm::showRecipe);
    connect(&studio, &Studio::editingChanged, this, &StudioForm::showEditing);
    connect(&studio, &Studio::savedChanged, this, &StudioForm::fadeSavedNote);
    connect(&studio, &Studio::nameChanged, this, [this] {
        if (m_name->text() != m_studio.name()) {
            m_name->setText(m_studio.name());
        }
    });
    connect(&store, &Store::settingsChanged, this, &StudioForm::fillStartMenu);
    showRecipe();
    showEditing();
}

void StudioForm::addPaperSection(FormPage& page) {
    FormSection* section = page.addSection();
    m_name = new QLineEdit(m_studio.name());
    m_name->setMaxLength(maxPaperNameLength);
    m_name->setFixedWidth(controlWidth);
    connect(m_name, &QLineEdit::textEdited, &m_studio, &Studio::setName);
    section->addRow(QStringLiteral("Name"), m_name);

    auto* start = new PressButton(QStringLiteral("Choose…"), PressButton::Kind::plain);
    m_startMenu = new QMenu(start);
    start->setMenu(m_startMenu);
    connect(m_startMenu, &QMenu::triggered, this,
            [this](QAction* action) { m_studio.load(action->data().toString()); });
    fillStartMenu();
    section->addRow(QStringLiteral("Start From"), start);
}

void StudioForm::fillStartMenu() {
    m_startMenu->clear();
    for (const Paper& paper : Paper::all(m_store.settings().customPapers)) {
        m_startMenu->addAction(menuText(paper.name, m_startMenu->fontMetrics()))->setData(paper.id);
    }
}

FloatSlider* StudioForm::addSlider(FormSection& section, const SliderField& field) {
    auto* slider = new FloatSlider(field.low, field.high);
    slider->setFixedWidth(controlWidth);
    connect(slider, &FloatSlider::moved, this, [this, member = field.field](double value) {
        Recipe next = m_studio.recipe();
        next.*member = static_cast<float>(value);
        m_studio.setRecipe(next);
    });
    section.addRow(field.label, slider);
    m_sliders.append({slider, field.field});
    return slider;
}

void StudioForm::addPatternSection(FormPage& page) {
    FormSection* section = page.addSection(QStringLiteral("Pattern"));
    m_pattern = new PatternPicker;
    m_pattern->setFixedWidth(controlWidth);
    connect(m_pattern, &PatternPicker::picked, this, [this](Recipe::Pattern pattern) {
        Recipe next = m_studio.recipe();
        next.pattern = pattern;
        m_studio.setRecipe(next);
    });
    section->addRow(QStringLiteral("Pattern"), m_pattern);
    m_patternAmount = addSlider(*section, {QStringLiteral("Amount"), &Recipe::patternAmount, 0, 1});
    auto* variation = new PressButton(QStringLiteral("New Variation"), PressButton::Kind::plain);
    connect(variation, &QPushButton::clicked, &m_studio, &Studio::newVariation);
    section->addWidget(buttonRow({variation}, {}));
}

void StudioForm::addActionSection(FormPage& page) {
    FormSection* section = page.addSection();
    m_save = new PressButton(QStringLiteral("Save Paper"), PressButton::Kind::prominent);
    m_save->setDefault(true);
    auto* day = new PressButton(QStringLiteral("Use as Day Paper"), PressButton::Kind::plain);
    auto* night = new PressButton(QStringLiteral("Use as Night Paper"), PressButton::Kind::plain);
    m_savedNote = new QLabel(QStringLiteral("Saved"));
    m_savedNote->setFont(interfaceFont(*m_savedNote, metrics::labelText));
    auto* hidden = new QGraphicsOpacityEffect(m_savedNote);
    hidden->setOpacity(0);
    m_savedNote->setGraphicsEffect(hidden);
    // The palette's placeholder colour is the secondary tone, in either appearance.
    m_savedNote->setForegroundRole(QPalette::PlaceholderText);
    section->addWidget(buttonRow({m_save, m_savedNote}, {}));
    m_refusal = new WarningLabel;
    QWidget* refusalRow = section->addWidget(m_refusal);
    refusalRow->hide();
    connect(&m_studio, &Studio::refusalChanged, this, [this, refusalRow] {
        m_refusal->say(m_studio.refusal());
        refusalRow->setVisible(!m_studio.refusal().isEmpty());
    });
    // One to a row: side by side they would widen the form past the window's usual width.
    section->addWidget(buttonRow({day}, {}));
    section->addWidget(buttonRow({night}, {}));

    auto* importButton = new PressButton(QStringLiteral("Import..."), PressButton::Kind::plain);
    auto* exportButton = new PressButton(QStringLiteral("Export..."), PressButton::Kind::plain);
    m_delete = new PressButton(QStringLiteral("Delete"), PressButton::Kind::plain);
    QPalette destructive = m_delete->palette();
    destructive.setColor(QPalette::WindowText, InterfacePalette::accent());
    m_delete->setPalette(destructive);
    section->addWidget(buttonRow({importButton, exportButton}, {m_delete}));

    connect(m_save, &QPushButton::clicked, &m_studio, &Studio::save);
    connect(day, &QPushButton::clicked, &m_studio, &Studio::useAsDay);
    connect(night, &QPushButton::clicked, &m_studio, &Studio::useAsNight);
    connect(m_delete, &QPushButton::clicked, &m_studio, &Studio::remove);
    connect(importButton, &QPushButton::clicked, this, &StudioForm::importRequested);
    connect(exportButton, &QPushButton::clicked, this, &StudioForm::exportRequested);
}

void StudioForm::showRecipe() {
    const Recipe& recipe = m_studio.recipe();
    for (const Binding& binding : m_sliders) {
        binding.slider->setValue(recipe.*binding.field);
    }
    m_pattern->setPattern(recipe.pattern);
    m_patternAmount->setEnabled(recipe.pattern != Recipe::Pattern::none);
}

void StudioForm::showEditing() {
    const bool editing = m_studio.editing().has_value();
    m_save->setText(editing ? QStringLiteral("Save Changes") : QStringLiteral("Save Paper"));
    m_delete->setVisible(editing);
}

void StudioForm::fadeSavedNote() {
    auto* effect = static_cast<QGraphicsOpacityEffect*>(m_savedNote->graphicsEffect());
    auto* fade = new QPropertyAnimation(effect, "opacity", effect);
    fade->setDuration(noteFadeMs);
    fade->setEndValue(m_studio.saved() ? 1.0 : 0.0);
    fade->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace tessel
