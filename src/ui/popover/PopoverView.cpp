#include "ui/popover/PopoverView.h"

#include "core/Store.h"
#include "style/InterfacePalette.h"
#include "style/Metrics.h"
#include "ui/kit/PaperGrid.h"
#include "ui/kit/SlotBinding.h"
#include "ui/kit/SlotSwitch.h"
#include "ui/kit/Toggle.h"
#include "ui/kit/WeightRuler.h"
#include "ui/kit/WhyNotNote.h"
#include "ui/popover/Divider.h"
#include "ui/popover/LampRow.h"
#include "ui/popover/PaperSheet.h"
#include "ui/popover/PopoverFooter.h"
#include "ui/popover/PopoverHeader.h"
#include "ui/popover/PopoverPlacement.h"
#include "ui/popover/QuietButton.h"
#include "ui/popover/ToolChip.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace tessel {

namespace {

constexpr int sheetHeight = 188;
// The sheet and the switch reach nearer the sides than the controls below them.
constexpr int sheetSide = 14;
constexpr int sectionGap = 14;
constexpr int rulerGap = 16;

// The reading tools, each with the setting its chip switches
// and what the desktop must give for it to work.
struct Tool {
    const char* title;
    Glyph glyph;
    bool Settings::*setting;
    std::optional<DesktopAbility> needs;
};

constexpr Tool tools[] = {{"Focus", Glyph::scope, &Settings::focusSheet, std::nullopt},
                          {"Ruler", Glyph::ruler, &Settings::ruler, DesktopAbility::pointer},
                          {"Rest", Glyph::eye, &Settings::rest, std::nullopt}};

constexpr Qt::WindowFlags asPopup = Qt::Popup | Qt::FramelessWindowHint;
// A fixed width and a height set by its content, so no maximising either.
constexpr Qt::WindowFlags asWindow = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                     Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

} // namespace

PopoverView::PopoverView(Store& store, Actions actions)
    : QWidget(nullptr, asPopup)
    , m_store(store)
    , m_actions(std::move(actions))
    , m_header(new PopoverHeader(this))
    , m_sheet(new PaperSheet(this))
    , m_slotSwitch(new SlotSwitch(this))
    , m_grid(new PaperGrid(this))
    , m_ruler(new WeightRuler(this))
    , m_lamps(new LampRow(this))
    , m_footer(new PopoverFooter(store, this))
    , m_binding(new SlotBinding(store, *m_grid, *m_ruler, store.editingNight())) {
    setWindowTitle(QStringLiteral("Tessel"));
    setAccessibleName(QStringLiteral("Tessel"));
    setFixedWidth(fixedWidth);
    m_sheet->setFixedHeight(sheetHeight);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_header);
    using metrics::edge;
    const int rulerSide = edge - WeightRuler::overhang;
    column->addWidget(padded(m_sheet, {sheetSide, 0, sheetSide, 0}));
    column->addWidget(padded(m_slotSwitch, {sheetSide, metrics::wideGap, sheetSide, 0}));
    column->addWidget(padded(m_grid, {edge, edge, edge, 0}));
    column->addWidget(padded(m_ruler, {rulerSide, rulerGap, rulerSide, 0}));
    column->addWidget(padded(m_lamps, {edge, sectionGap, edge, 0}));
    column->addWidget(padded(toolChips(), {edge, sectionGap, edge, sectionGap}));
    column->addWidget(new Divider(this));
    column->addWidget(m_footer);

    connectControls();
    showAppearance();
    showStore();
}

PopoverView::~PopoverView() = default;

QWidget* PopoverView::padded(QWidget* content, QMargins margins) {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(margins);
    layout->addWidget(content);
    return box;
}

QWidget* PopoverView::toolChips() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(metrics::gap);
    for (const Tool& tool : tools) {
        auto* chip = new ToolChip(QString::fromLatin1(tool.title), tool.glyph, row);
        connect(chip, &QAbstractButton::clicked, this, [this, setting = tool.setting](bool on) {
            m_store.updateSettings([&](Settings& s) { s.*setting = on; });
        });
        if (tool.needs) {
            WhyNotNote::disable(*chip, m_store.platform().unavailable(*tool.needs));
        }
        layout->addWidget(chip);
        m_chips.append(chip);
    }
    return row;
}

void PopoverView::connectControls() {
    connect(m_header->paperSwitch(), &QAbstractButton::clicked, this,
            [this](bool on) { m_store.updateSettings([on](Settings& s) { s.enabled = on; }); });
    connect(m_slotSwitch, &SlotSwitch::chosen, &m_store, &Store::setEditingNight);
    connect(m_lamps, &LampRow::chosen, this, [this](const std::optional<QString>& id) {
        m_store.updateSettings([&id](Settings& s) { s.lamp.id = id; });
    });
    connect(m_footer->settings(), &QAbstractButton::clicked, this, [this] {
        if (isPopup()) {
            close();
        }
        m_actions.openSettings();
    });
    connect(m_footer->quit(), &QAbstractButton::clicked, this, [this] { m_actions.quit(); });

    connect(&m_store, &Store::settingsChanged, this, &PopoverView::showStore);
    connect(&m_store, &Store::editingNightChanged, this, &PopoverView::showStore);
    connect(&m_store, &Store::darkChanged, this, &PopoverView::showAppearance);
    connect(m_binding, &SlotBinding::shown, this, &PopoverView::showSheet);
    for (const auto changed : {&Store::onBatteryChanged, &Store::paperVisibleChanged}) {
        connect(&m_store, changed, this, &PopoverView::showSheet);
    }
    connect(&m_store, &Store::frontAppChanged, this, &PopoverView::showSheet);
    connect(&m_store, &Store::persistenceChanged, this, &PopoverView::showSheet);
}

void PopoverView::showStore() {
    const Settings& settings = m_store.settings();
    m_header->paperSwitch()->setChecked(settings.enabled);
    m_slotSwitch->setNight(m_store.editingNight());
    m_binding->setNight(m_store.editingNight());
    m_lamps->setSelected(settings.lamp.id);
    for (qsizetype i = 0; i < m_chips.size(); ++i) {
        m_chips[i]->setChecked(settings.*tools[i].setting);
    }
    m_footer->showSnoozed(m_store.isSnoozed());
    showSheet();
}

void PopoverView::showSheet() {
    const Paper paper = m_binding->paper();
    m_sheet->setPaper(paper, m_binding->slot().gsm, m_binding->night());
    m_sheet->setPreview(m_store.previews().value(paper.id));
    m_sheet->setStatus(m_store.status());
}

void PopoverView::showAppearance() {
    setPalette(InterfacePalette::chrome(m_store.dark()));
    update();
}

void PopoverView::popUp(QRect anchor) {
    if (!isPopup()) {
        setWindowFlags(asPopup);
        layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    }
    // Read afresh while still hidden, so it opens showing the Store as it is, not animating
    // towards it.
    showAppearance();
    showStore();
    adjustSize();
    const QScreen* screen = QGuiApplication::screenAt(anchor.center());
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen) {
        move(popoverPosition(size(), anchor, screen->availableGeometry()));
    }
    show();
    activateWindow();
}

void PopoverView::openAsWindow() {
    const bool made = isPopup();
    if (made) {
        hide();
        setWindowFlags(asWindow);
        // Its content sets its size, which no window manager may change.
        layout()->setSizeConstraint(QLayout::SetFixedSize);
    }
    if (!isVisible()) {
        showAppearance();
        showStore();
        adjustSize();
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen(); made && screen) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void PopoverView::keyPressEvent(QKeyEvent* event) {
    const QKeyCombination combination = event->keyCombination();
    if (event->key() == Qt::Key_Escape) {
        close();
    } else if (combination == QKeyCombination(Qt::ControlModifier, Qt::Key_Comma)) {
        m_footer->settings()->click();
    } else if (combination == QKeyCombination(Qt::ControlModifier, Qt::Key_Q)) {
        m_footer->quit()->click();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void PopoverView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    // A window has the window manager's frame for an edge.
    if (isPopup()) {
        painter.setPen(withAlpha(Tones::of(palette()).primary, metrics::rule));
        painter.drawRect(metrics::lineBounds(rect()));
    }
}

} // namespace tessel
