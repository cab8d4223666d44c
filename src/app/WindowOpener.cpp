#include "app/WindowOpener.h"

#include "app/AppLog.h"
#include "app/MenuBarIcon.h"
#include "core/Store.h"
#include "platform/UserDefaults.h"
#include "ui/settings/SettingsView.h"
#include "ui/welcome/WelcomeView.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include <nlohmann/json.hpp>

namespace tessel {

namespace {

constexpr QSize welcomeSize(560, 640);
// Wide enough for the Studio's form beside its 260-pixel sheet in the desktop's own font,
// which runs wider than the 820 the layout was first drawn for.
constexpr QSize settingsSize(840, 600);

// Saves the frame whenever the window is closed or hidden.
class FrameKeeper final : public QObject {
public:
    FrameKeeper(QWidget* window, std::function<void()> save)
        : QObject(window)
        , m_save(std::move(save)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide) {
            m_save();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_save;
};

void centre(QWidget& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    QRect frame(QPoint(), window.size());
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

} // namespace

WindowOpener::WindowOpener(Store& store, ShortcutRegistry* shortcuts,
                           std::function<void()> checkForUpdates, std::function<void()> dropIn,
                           std::function<IconPlace()> iconPlace)
    : m_store(store)
    , m_shortcuts(shortcuts)
    , m_checkForUpdates(std::move(checkForUpdates))
    , m_dropIn(std::move(dropIn))
    , m_iconPlace(std::move(iconPlace)) {}

WindowOpener::~WindowOpener() {
    if (const QWidget* settings = window(QStringLiteral("settings"));
        settings && settings->isVisible()) {
        saveSettingsFrame();
    }
    m_closing = true;
}

QWidget* WindowOpener::window(const QString& id) const {
    const auto found = m_windows.find(id == u"welcome" ? id : QStringLiteral("settings"));
    return found == m_windows.end() ? nullptr : found->second.get();
}

QWidget& WindowOpener::open(const QString& requested) {
    const QString id = requested == u"welcome" ? requested : QStringLiteral("settings");
    QWidget* existing = window(id);
    if (!existing) {
        std::unique_ptr<QWidget> made = id == u"welcome" ? makeWelcome() : makeSettings();
        // Centred only when made: reopening keeps the window where the user left it.
        centre(*made);
        existing = m_windows.emplace(id, std::move(made)).first->second.get();
    }
    // Minimised, it would stay in the taskbar however often it is asked for.
    existing->setWindowState(existing->windowState() & ~Qt::WindowMinimized);
    existing->show();
    existing->raise();
    existing->activateWindow();
    return *existing;
}

std::unique_ptr<QWidget> WindowOpener::makeWelcome() {
    auto window =
        std::make_unique<QWidget>(nullptr, Qt::Window | Qt::CustomizeWindowHint |
                                               Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window->setFixedSize(welcomeSize);
    window->setWindowTitle(QStringLiteral("Welcome to Tessel"));
    QWidget* shell = window.get();
    auto* view = new WelcomeView(m_store,
                                 {m_dropIn, [this] { open(QStringLiteral("settings")); },
                                  [shell] { shell->close(); },
                                  [](qreal scale, const QColor& ink) {
                                      return MenuBarIcon::draw(MenuBarIcon::State::on, scale, ink);
                                  },
                                  m_iconPlace},
                                 shell);
    auto* layout = new QVBoxLayout(shell);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    return window;
}

std::unique_ptr<QWidget> WindowOpener::makeSettings() {
    auto window = std::make_unique<QWidget>(nullptr, Qt::Window);
    window->setWindowTitle(QStringLiteral("Tessel Settings"));
    window->resize(settingsSize);
    // The size the user left it at last time; where it goes is the centre, as when new.
    if (const auto frame = m_store.platform().defaults().value(frameKey().toStdString());
        frame && frame->is_object()) {
        const QSize stored(frame->value("width", 0), frame->value("height", 0));
        if (stored.width() >= SettingsView::minimumSize.width() && stored.height() > 0) {
            window->resize(stored.boundedTo(QSize(4096, 4096)));
        }
    }
    auto* view = new SettingsView(
        {m_store, [this] { open(QStringLiteral("welcome")); }, m_checkForUpdates, m_shortcuts},
        window.get());
    auto* layout = new QVBoxLayout(window.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    new FrameKeeper(window.get(), [this] {
        if (!m_closing) {
            saveSettingsFrame();
        }
    });
    return window;
}

void WindowOpener::saveSettingsFrame() {
    const QWidget* settings = window(QStringLiteral("settings"));
    if (!settings) {
        return;
    }
    const QRect frame = settings->geometry();
    if (!m_store.platform().defaults().setValue(frameKey().toStdString(),
                                                UserDefaults::Json{{"x", frame.x()},
                                                                   {"y", frame.y()},
                                                                   {"width", frame.width()},
                                                                   {"height", frame.height()}})) {
        qCWarning(lcApp, "cannot save where the Settings window stands");
    }
}

} // namespace tessel
