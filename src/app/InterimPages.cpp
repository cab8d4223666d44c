#include "app/InterimPages.h"

#include "core/Store.h"

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

void InterimPages::fillWelcome(QWidget& window, Store& store) {
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(48, 48, 48, 48);
    layout->addStretch();
    layout->addWidget(label(QStringLiteral("Tessel"), 40, &window));
    layout->addWidget(label(QStringLiteral("A sheet of paper over your screen.\nSofter light, "
                                           "calmer contrast, the same clear text."),
                            14, &window));
    auto* button = new QPushButton(QStringLiteral("Lay it down"), &window);
    button->setDefault(true);
    layout->addWidget(button, 0, Qt::AlignHCenter);
    QLabel* note = label(QStringLiteral("Nothing to allow, nothing to sign in to."), 11, &window);
    layout->addWidget(note);
    layout->addStretch();

    QObject::connect(button, &QPushButton::clicked, &window, [&store, button, note] {
        store.updateSettings([](Settings& s) { s.onboarded = true; });
        store.updateSettings([](Settings& s) { s.enabled = true; });
        button->hide();
        note->setText(QStringLiteral("Choosing your Day and Night papers will follow here. "
                                     "Until then, Tessel lives in your panel, and "
                                     "'tessel --help' lists what the command line can do."));
    });
}

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
