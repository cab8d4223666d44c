#include "ui/settings/AppRow.h"

#include "platform/Platform.h"
#include "style/InterfacePalette.h"
#include "style/Metrics.h"
#include "ui/kit/ElidedLabel.h"
#include "ui/kit/SectionHeading.h"
#include "ui/kit/Symbol.h"

#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace tessel {

namespace {

constexpr int appIconSize = 20;
constexpr int appRowHeight = 36;
constexpr int columnGap = 10;
// A symbol in place of a missing app icon is drawn a little smaller, to match its weight.
constexpr int symbolShrink = 2;

} // namespace

QPixmap appIcon(const QString& icon, int size, qreal pixelRatio) {
    if (icon.isEmpty()) {
        return {};
    }
    const QIcon found = QFileInfo(icon).isAbsolute() ? QIcon(icon) : themeIcon(icon);
    return found.pixmap(QSize(size, size), pixelRatio);
}

AppRow::AppRow(const Platform& platform, const QString& appId, QWidget* parent)
    : QWidget(parent)
    , m_appId(appId)
    , m_layout(new QHBoxLayout(this))
    , m_picture(new QLabel)
    , m_detail(new QLabel)
    , m_remove(new QToolButton) {
    const std::optional<InstalledApp> app = platform.installedApp(appId);
    m_installed = app.has_value();
    m_icon = app ? app->icon : QString();
    setMinimumHeight(appRowHeight);
    m_layout->setContentsMargins(0, metrics::hairGap, 0, metrics::hairGap);
    m_layout->setSpacing(columnGap);
    m_picture->setFixedSize(appIconSize, appIconSize);
    m_layout->addWidget(m_picture);

    auto* names = new QVBoxLayout;
    names->setSpacing(0);
    auto* name = new ElidedLabel(app ? app->name : appId);
    name->setTextInteractionFlags(Qt::TextSelectableByMouse);
    names->addWidget(name);
    m_detail->setText(QStringLiteral("Not installed"));
    m_detail->setFont(interfaceFont(*m_detail, metrics::noteText));
    m_detail->setForegroundRole(QPalette::PlaceholderText);
    m_detail->setVisible(!m_installed);
    names->addWidget(m_detail);
    m_layout->addLayout(names, 1);

    m_remove->setAccessibleName(QStringLiteral("Remove"));
    m_remove->setToolTip(QStringLiteral("Remove"));
    m_remove->setAutoRaise(true);
    m_remove->setCursor(Qt::PointingHandCursor);
    m_layout->addWidget(m_remove);
    connect(m_remove, &QToolButton::clicked, this, [this] { Q_EMIT removeRequested(m_appId); });
    paintSymbols();
}

void AppRow::addControl(QWidget* control) {
    m_layout->insertWidget(m_layout->indexOf(m_remove), control);
}

void AppRow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) {
        paintSymbols();
    }
    QWidget::changeEvent(event);
}

// Symbols are tinted to the palette, so they are painted again when it changes.
void AppRow::paintSymbols() {
    const Tones tones = Tones::of(palette());
    const qreal ratio = devicePixelRatioF();
    QPixmap picture = appIcon(m_icon, appIconSize, ratio);
    if (picture.isNull()) {
        picture = symbol(QStringLiteral("application-x-executable-symbolic"),
                         m_installed ? tones.secondary : tones.tertiary, appIconSize - symbolShrink,
                         ratio);
    }
    m_picture->setPixmap(picture);
    m_picture->setAlignment(Qt::AlignCenter);
    m_remove->setIcon(symbol(QStringLiteral("list-remove-symbolic"), tones.secondary,
                             metrics::symbolSize, ratio));
}

} // namespace tessel
