#include "app/InterimPages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessel {

namespace {

QLabel* label(const QString& text, qreal pointSize, QWidget* parent) {
    auto* result = new QLabel(text, parent);
    QFont font = result->font();
    font.setPointSizeF(pointSize);
    result->setFont(font);
    result->setWordWrap(true);
    result->setAlignment(Qt::AlignCenter);
    return result;
}

} // namespace

void InterimPages::fillSettings(QWidget& window, std::function<void()> showWelcome,
                                std::function<void()> checkForUpdates) {
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(48, 48, 48, 48);
    layout->addStretch();
    layout->addWidget(label(QStringLiteral("Tessel Settings"), 20, &window));
    layout->addWidget(label(QStringLiteral("Papers, schedule, lamp, rest moments, apps, "
                                           "displays and shortcuts will be set here. Until then, "
                                           "'tessel --help' lists what the command line can do."),
                            12, &window));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* welcome = new QPushButton(QStringLiteral("Show Welcome Again"), &window);
    QObject::connect(welcome, &QPushButton::clicked, &window, std::move(showWelcome));
    buttons->addWidget(welcome);
    if (checkForUpdates) {
        auto* updates = new QPushButton(QStringLiteral("Check for Updates"), &window);
        QObject::connect(updates, &QPushButton::clicked, &window, std::move(checkForUpdates));
        buttons->addWidget(updates);
    }
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addStretch();
}

} // namespace tessel
