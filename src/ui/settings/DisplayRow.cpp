#include "ui/settings/DisplayRow.h"

#include "core/Settings.h"
#include "style/InterfacePalette.h"
#include "style/Metrics.h"
#include "ui/kit/ElidedLabel.h"
#include "ui/kit/SectionHeading.h"
#include "ui/kit/Symbol.h"
#include "ui/kit/Toggle.h"
#include "ui/settings/PaperPicker.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tessel {

namespace {

constexpr int symbolSize = 20;
constexpr int symbolColumn = 30;
constexpr int displayPickerWidth = 170;
constexpr int displayRowHeight = 44;

QString pixelSize(const ScreenInfo& screen) {
    const QSize pixels = (screen.frame.size() * screen.devicePixelRatio).toSize();
    return QStringLiteral("%1 x %2").arg(pixels.width()).arg(pixels.height());
}

} // namespace

DisplayRow::DisplayRow(const ScreenInfo& screen, bool first, QWidget* parent)
    : QWidget(parent)
    , m_screen(screen)
    , m_symbol(first ? QStringLiteral("computer-symbolic")
                     : QStringLiteral("video-display-symbolic"))
    , m_picture(new QLabel)
    , m_picker(new PaperPicker({QStringLiteral("Day / Night paper")}))
    , m_toggle(new Toggle) {
    setMinimumHeight(displayRowHeight);
    m_picture->setFixedWidth(symbolColumn);
    m_picture->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* names = new QVBoxLayout;
    names->setSpacing(0);
    names->addWidget(new ElidedLabel(screen.name));
    auto* size = new QLabel(pixelSize(screen));
    size->setFont(interfaceFont(*size, metrics::noteText));
    size->setForegroundRole(QPalette::PlaceholderText);
    names->addWidget(size);

    m_picker->setFixedWidth(displayPickerWidth);
    m_picker->setAccessibleName(QStringLiteral("Paper on %1").arg(screen.name));
    m_toggle->setAccessibleName(QStringLiteral("Paper on %1 on or off").arg(screen.name));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, metrics::tightGap, 0, metrics::tightGap);
    row->setSpacing(metrics::wideGap);
    row->addWidget(m_picture);
    row->addLayout(names, 1);
    row->addWidget(m_picker);
    row->addWidget(m_toggle);

    connect(m_picker, &PaperPicker::picked, this,
            [this](const QString& paper) { Q_EMIT paperPicked(m_screen.id, paper); });
    connect(m_toggle, &Toggle::clicked, this,
            [this](bool on) { Q_EMIT switched(m_screen.id, on); });
    paintSymbol();
}

void DisplayRow::showSettings(const Settings& settings) {
    m_picker->showPaper(settings.customPapers, settings.displayPapers.value(m_screen.id));
    m_toggle->setChecked(!settings.disabledDisplays.contains(m_screen.id));
    m_picker->setEnabled(m_toggle->isChecked());
}

void DisplayRow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) {
        paintSymbol();
    }
    QWidget::changeEvent(event);
}

void DisplayRow::paintSymbol() {
    m_picture->setPixmap(
        symbol(m_symbol, Tones::of(palette()).secondary, symbolSize, devicePixelRatioF()));
}

} // namespace tessel
