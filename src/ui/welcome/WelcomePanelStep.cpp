#include "ui/welcome/WelcomePanelStep.h"

#include "style/Metrics.h"
#include "ui/kit/PressButton.h"
#include "ui/welcome/WelcomeText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace tessel {

namespace {

constexpr QSize pictureSize(28, 32);
constexpr qreal leadText = 13.5;
constexpr int pictureGap = 26;
constexpr int buttonGap = 36;

} // namespace

WelcomePanelStep::WelcomePanelStep(QWidget* parent)
    : QWidget(parent)
    , m_picture(new QLabel(this))
    , m_openSettings(
          new PressButton(QStringLiteral("Open Settings"), PressButton::Kind::plain, this))
    , m_start(new PressButton(QStringLiteral("Start Using Tessel"), PressButton::Kind::prominent,
                              this)) {
    m_start->setDefault(true);
    m_picture->setFixedSize(pictureSize);
    m_picture->setScaledContents(true);
    m_picture->setAccessibleName(QStringLiteral("Tessel's panel icon"));

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(metrics::wideGap);
    buttons->addStretch();
    buttons->addWidget(m_openSettings);
    buttons->addWidget(m_start);
    buttons->addStretch();

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(welcome::pageMargins);
    column->setSpacing(0);
    column->addStretch(welcome::spaceAbove);
    column->addWidget(m_picture, 0, Qt::AlignHCenter);
    column->addSpacing(pictureGap);
    column->addWidget(
        welcomeTitle(QStringLiteral("Tessel lives in your panel"), welcome::stepTitle, 0, this));
    column->addSpacing(metrics::wideGap);
    column->addWidget(welcomeText(QStringLiteral("Click the sheet at the top of your screen to "
                                                 "change paper,\nadd a desk lamp, or snooze it "
                                                 "for a while."),
                                  leadText, this));
    column->addSpacing(buttonGap);
    column->addLayout(buttons);
    column->addStretch(welcome::spaceBelow);
}

void WelcomePanelStep::setIcon(const QImage& icon) {
    m_picture->setPixmap(QPixmap::fromImage(icon));
}

} // namespace tessel
