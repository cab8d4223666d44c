#include "ui/welcome/WelcomeIntro.h"

#include "style/Metrics.h"
#include "ui/kit/PressButton.h"
#include "ui/kit/SectionHeading.h"
#include "ui/welcome/WelcomeText.h"

#include <QVBoxLayout>

namespace tessel {

namespace {

constexpr qreal buttonText = 14;
constexpr qreal titleText = 56;
constexpr qreal titleKerning = -0.8;
constexpr qreal leadText = 14;
constexpr int titleGap = 14;
constexpr int buttonGap = 36;

} // namespace

WelcomeIntro::WelcomeIntro(QWidget* parent)
    : QWidget(parent)
    , m_layItDown(
          new PressButton(QStringLiteral("Lay it down"), PressButton::Kind::prominent, this)) {
    m_layItDown->setFont(interfaceFont(*this, buttonText, QFont::DemiBold));
    m_layItDown->setDefault(true);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(welcome::pageMargins);
    column->setSpacing(0);
    column->addStretch(welcome::spaceAbove);
    column->addWidget(welcomeTitle(QStringLiteral("Tessel"), titleText, titleKerning, this));
    column->addSpacing(titleGap);
    column->addWidget(welcomeText(QStringLiteral("A sheet of paper over your screen.\nSofter "
                                                 "light, calmer contrast, the same clear text."),
                                  leadText, this));
    column->addSpacing(buttonGap);
    column->addWidget(m_layItDown, 0, Qt::AlignHCenter);
    column->addSpacing(titleGap);
    column->addWidget(welcomeText(QStringLiteral("Nothing to allow, nothing to sign in to."),
                                  metrics::chipText, this, true));
    column->addStretch(welcome::spaceBelow);
}

} // namespace tessel
