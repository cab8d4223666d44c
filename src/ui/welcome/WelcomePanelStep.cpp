#include "ui/welcome/WelcomePanelStep.h"

#include "ui/kit/PressButton.h"
#include "ui/welcome/WelcomeText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace tessel {

WelcomePanelStep::WelcomePanelStep(QWidget* parent)
    : QWidget(parent)
    , m_picture(new QLabel(this))
    , m_openSettings(
          new PressButton(QStringLiteral("Open Settings"), PressButton::Kind::plain, this))
    , m_start(new PressButton(QStringLiteral("Start Using Tessel"), PressButton::Kind::prominent,
                              this)) {
    m_start->setDefault(true);
    m_picture->setFixedSize(28, 32);
    m_picture->setScaledContents(true);
    m_picture->setAccessibleName(QStringLiteral("Tessel's panel icon"));

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addStretch();
    buttons->addWidget(m_openSettings);
    buttons->addWidget(m_start);
    buttons->addStretch();

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(48, 48, 48, 56);
    column->setSpacing(0);
    column->addStretch(5);
    column->addWidget(m_picture, 0, Qt::AlignHCenter);
    column->addSpacing(26);
    column->addWidget(welcomeTitle(QStringLiteral("Tessel lives in your panel"), 30, 0, this));
    column->addSpacing(12);
    column->addWidget(welcomeText(QStringLiteral("Click the sheet at the top of your screen to "
                                                 "change paper,\nadd a desk lamp, or snooze it "
                                                 "for a while."),
                                  13.5, this));
    column->addSpacing(36);
    column->addLayout(buttons);
    column->addStretch(6);
}

void WelcomePanelStep::setIcon(const QImage& icon) {
    m_picture->setPixmap(QPixmap::fromImage(icon));
}

} // namespace tessel
