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
constexpr qreal panelLeadText = 13.5;
constexpr int pictureGap = 26;
constexpr int panelButtonGap = 36;

QString whereInThePanel(IconPlace place) {
    switch (place) {
    case IconPlace::top:
        return QStringLiteral("at the top of your screen");
    case IconPlace::bottom:
        return QStringLiteral("at the bottom of your screen");
    case IconPlace::left:
        return QStringLiteral("at the left edge of your screen");
    case IconPlace::right:
        return QStringLiteral("at the right edge of your screen");
    case IconPlace::panel:
    case IconPlace::noPanel:
        break;
    }
    return QStringLiteral("in your panel");
}

} // namespace

WelcomePanelStep::WelcomePanelStep(QWidget* parent)
    : QWidget(parent)
    , m_picture(new QLabel(this))
    , m_title(welcomeTitle({}, welcome::stepTitle, 0, this))
    , m_text(welcomeText({}, panelLeadText, this))
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
    column->addWidget(m_title);
    column->addSpacing(metrics::wideGap);
    column->addWidget(m_text);
    column->addSpacing(panelButtonGap);
    column->addLayout(buttons);
    column->addStretch(welcome::spaceBelow);
    setPlace(IconPlace::panel);
}

void WelcomePanelStep::setPlace(IconPlace place) {
    if (place == IconPlace::noPanel) {
        m_title->setText(QStringLiteral("Tessel lives in a small window"));
        m_text->setText(QStringLiteral("Your desktop has no panel for its icon. Open Tessel "
                                       "again\nto change paper, add a desk lamp, or snooze it "
                                       "for a while."));
        return;
    }
    m_title->setText(QStringLiteral("Tessel lives in your panel"));
    m_text->setText(QStringLiteral("Click the sheet %1\nto change paper, add a desk lamp, or "
                                   "snooze it for a while.")
                        .arg(whereInThePanel(place)));
}

void WelcomePanelStep::setIcon(const QImage& icon) {
    m_picture->setPixmap(QPixmap::fromImage(icon));
}

} // namespace tessel
