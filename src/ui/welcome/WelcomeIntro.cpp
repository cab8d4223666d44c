#include "ui/welcome/WelcomeIntro.h"

#include "ui/kit/PressButton.h"
#include "ui/kit/SectionHeading.h"
#include "ui/welcome/WelcomeText.h"

#include <QVBoxLayout>

namespace tessel {

WelcomeIntro::WelcomeIntro(QWidget* parent)
    : QWidget(parent)
    , m_layItDown(
          new PressButton(QStringLiteral("Lay it down"), PressButton::Kind::prominent, this)) {
    m_layItDown->setFont(interfaceFont(*this, 14, QFont::DemiBold));
    m_layItDown->setDefault(true);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(48, 48, 48, 56);
    column->setSpacing(0);
    column->addStretch(5);
    column->addWidget(welcomeTitle(QStringLiteral("Tessel"), 56, -0.8, this));
    column->addSpacing(14);
    column->addWidget(welcomeText(QStringLiteral("A sheet of paper over your screen.\nSofter "
                                                 "light, calmer contrast, the same clear text."),
                                  14, this));
    column->addSpacing(36);
    column->addWidget(m_layItDown, 0, Qt::AlignHCenter);
    column->addSpacing(14);
    column->addWidget(
        welcomeText(QStringLiteral("Nothing to allow, nothing to sign in to."), 11.5, this, true));
    column->addStretch(6);
}

} // namespace tessel
