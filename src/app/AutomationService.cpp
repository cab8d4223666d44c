#include "app/AutomationService.h"

#include "app/Intents.h"
#include "core/Store.h"
#include "shortcuts/ShortcutActions.h"
#include "shortcuts/ShortcutKeys.h"
#include "shortcuts/ShortcutRegistry.h"
#include "studio/CustomPapers.h"
#include "studio/PaperFile.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QUrl>

namespace tessel {

namespace {

struct PaperRequest {
    QString paper;
    int gsm = 0;
};

struct FilterRequest {
    bool on = true;
    QString paper;
};

// Each action takes at most one value; without one it takes the intent's default.
template <typename T> std::optional<T> single(const QVariantList& parameter, T fallback) {
    if (parameter.isEmpty()) {
        return fallback;
    }
    if (parameter.size() > 1 || parameter[0].metaType() != QMetaType::fromType<T>()) {
        return std::nullopt;
    }
    return parameter[0].value<T>();
}

template <typename Request, typename First, typename Second>
std::optional<Request> pair(const QVariantList& parameter, const char* signature) {
    if (parameter.size() != 1 || !parameter[0].canConvert<QDBusArgument>()) {
        return std::nullopt;
    }
    const auto argument = parameter[0].value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String(signature)) {
        return std::nullopt;
    }
    First first{};
    Second second{};
    argument.beginStructure();
    argument >> first >> second;
    argument.endStructure();
    return Request{first, second};
}

QString wrongType(const QString& action, const char* signature) {
    return QStringLiteral("The action \"%1\" takes one value of type %2.")
        .arg(action, QLatin1String(signature));
}

std::optional<QString> perform(Store& store, const QString& action, const QVariantList& parameter) {
    if (action == u"set-paper-on") {
        const auto on = single<bool>(parameter, true);
        if (!on) {
            return wrongType(action, "b");
        }
        Intents::setPaperOn(store, *on);
        return std::nullopt;
    }
    if (action == u"set-paper") {
        const auto request = pair<PaperRequest, QString, int>(parameter, "(si)");
        if (!request) {
            return wrongType(action, "(si)");
        }
        // A weight of 0 stands for none given.
        const auto gsm = request->gsm == 0 ? std::nullopt : std::optional(request->gsm);
        return Intents::setPaper(store, request->paper, gsm);
    }
    if (action == u"snooze") {
        const auto minutes = single<int>(parameter, Intents::defaultSnooze);
        if (!minutes) {
            return wrongType(action, "i");
        }
        return Intents::snooze(store, *minutes);
    }
    if (action == u"resume") {
        if (!parameter.isEmpty()) {
            return QStringLiteral("The action \"%1\" takes no value.").arg(action);
        }
        store.snooze(std::nullopt);
        return std::nullopt;
    }
    if (action == u"set-focus-filter") {
        const auto request = parameter.isEmpty()
                                 ? std::optional(FilterRequest{})
                                 : pair<FilterRequest, bool, QString>(parameter, "(bs)");
        if (!request) {
            return wrongType(action, "(bs)");
        }
        const auto paper = request->paper.isEmpty() ? std::nullopt : std::optional(request->paper);
        return Intents::setFocusFilter(store, request->on, paper);
    }
    if (action == u"rest" || action == u"art") {
        if (!parameter.isEmpty()) {
            return QStringLiteral("The action \"%1\" takes no value.").arg(action);
        }
        action == u"rest" ? store.showRestNow() : store.showArtNow();
        return std::nullopt;
    }
    return QStringLiteral("Tessel has no action \"%1\". Its actions are set-paper-on, "
                          "set-paper, snooze, resume, set-focus-filter, rest and art.")
        .arg(action);
}

} // namespace

AutomationService::AutomationService(Store& store, ShortcutRegistry& shortcuts, Hooks hooks)
    : m_store(store)
    , m_shortcuts(shortcuts)
    , m_hooks(std::move(hooks)) {
    new ApplicationAdaptor(this);
    new ControlAdaptor(this);
}

AutomationService::~AutomationService() {
    if (m_published) {
        QDBusConnection connection = QDBusConnection::sessionBus();
        connection.unregisterService(serviceName());
        connection.unregisterObject(objectPath());
    }
}

bool AutomationService::publish() {
    QDBusConnection connection = QDBusConnection::sessionBus();
    if (!connection.isConnected() ||
        !connection.registerObject(objectPath(), this, QDBusConnection::ExportAdaptors)) {
        return false;
    }
    const auto reply = connection.interface()->registerService(
        serviceName(), QDBusConnectionInterface::DontQueueService,
        QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        connection.unregisterObject(objectPath());
        return false;
    }
    m_published = true;
    return true;
}

void AutomationService::refuse(const QDBusMessage& message, const QString& text) {
    message.setDelayedReply(true);
    QDBusConnection::sessionBus().send(message.createErrorReply(QDBusError::InvalidArgs, text));
}

ApplicationAdaptor::ApplicationAdaptor(AutomationService* service)
    : QDBusAbstractAdaptor(service)
    , m_service(*service) {}

void ApplicationAdaptor::Activate(const QVariantMap&) {
    m_service.hooks().reopen();
}

void ApplicationAdaptor::Open(const QStringList& uris, const QVariantMap&,
                              const QDBusMessage& message) {
    // Every document is read before any is stored, so a refusal leaves the papers as they were.
    QList<CustomPaper> papers;
    for (const QString& uri : uris) {
        const QUrl url(uri);
        if (!url.isLocalFile()) {
            AutomationService::refuse(message, QStringLiteral("%1 is not a file").arg(uri));
            return;
        }
        const auto read = readPaperDocument(url.toLocalFile());
        if (const auto* error = std::get_if<PaperFileError>(&read)) {
            AutomationService::refuse(message, describe(*error, url.toLocalFile()));
            return;
        }
        papers.append(std::get<CustomPaper>(read));
    }
    Settings settings = m_service.store().settings();
    for (const CustomPaper& paper : papers) {
        const auto imported = importPaper(settings, paper);
        if (const auto* refusal = std::get_if<PaperRefusal>(&imported)) {
            AutomationService::refuse(message, refusal->message);
            return;
        }
    }
    m_service.store().setSettings(std::move(settings));
    // The command line reads the new paper's id from the stored settings as soon as we reply.
    m_service.store().flushSettings();
    m_service.store().makePreviews();
}

void ApplicationAdaptor::ActivateAction(const QString& action, const QVariantList& parameter,
                                        const QVariantMap&, const QDBusMessage& message) {
    if (const auto refusal = perform(m_service.store(), action, parameter)) {
        AutomationService::refuse(message, *refusal);
    }
}

ControlAdaptor::ControlAdaptor(AutomationService* service)
    : QDBusAbstractAdaptor(service)
    , m_service(*service) {}

QString ControlAdaptor::Status() {
    return m_service.hooks().status();
}

QString ControlAdaptor::SetShortcut(const QString& name, const QString& keys,
                                    const QDBusMessage& message) {
    if (!ShortcutActions::names().contains(name)) {
        AutomationService::refuse(message,
                                  QStringLiteral("There is no shortcut \"%1\".").arg(name));
        return {};
    }
    const auto combination = ShortcutKeys::parse(keys);
    if (!combination) {
        AutomationService::refuse(
            message, QStringLiteral("\"%1\" is not a key combination Tessel can use.").arg(keys));
        return {};
    }
    if (const auto problem = m_service.shortcuts().set(name, *combination)) {
        AutomationService::refuse(message, *problem);
        return {};
    }
    return ShortcutKeys::format(*combination);
}

void ControlAdaptor::ClearShortcut(const QString& name, const QDBusMessage& message) {
    if (!ShortcutActions::names().contains(name)) {
        AutomationService::refuse(message,
                                  QStringLiteral("There is no shortcut \"%1\".").arg(name));
        return;
    }
    m_service.shortcuts().clear(name);
}

void ControlAdaptor::RunShortcut(const QString& name, const QDBusMessage& message) {
    if (!ShortcutActions::run(m_service.store(), name)) {
        AutomationService::refuse(message,
                                  QStringLiteral("There is no shortcut \"%1\".").arg(name));
    }
}

} // namespace tessel
