#include "platform/wayland/KWinScript.h"

#include "platform/PlatformLog.h"
#include "platform/desktop/DBusCall.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace tessel {

namespace {

using namespace Qt::StringLiterals;

const QString scriptingPath = u"/Scripting"_s;
const QString scriptingInterface = u"org.kde.kwin.Scripting"_s;
const QString scriptInterface = u"org.kde.kwin.Script"_s;
const QString pluginName = u"tessel"_s;
const QString activatorName = u"tessel-activate"_s;
// Plasma 6 puts a loaded script here; Plasma 5 at its bare number.
const QStringList scriptPaths{u"/Scripting/Script%1"_s, u"/%1"_s};
constexpr int callTimeoutMs = 1000;
constexpr auto pointerForgottenAfter = std::chrono::seconds(2);

QString resourceText(const QString& name) {
    QFile source(u":/tessel/kwin/"_s + name);
    return source.open(QIODevice::ReadOnly) ? QString::fromUtf8(source.readAll()) : QString();
}

QLatin1StringView jsBool(bool value) {
    return value ? "true"_L1 : "false"_L1;
}

QString scriptText(qint64 pid, bool exclude, bool followPointer) {
    return resourceText(u"tessel.js"_s)
        .replace("@TESSEL_PID@"_L1, QString::number(pid))
        .replace("@HIDE_FROM_CAPTURE@"_L1, jsBool(exclude))
        .replace("@FOLLOW_POINTER@"_L1, jsBool(followPointer));
}

// The app goes in as a JSON object, which no quote or backslash in its id can break out of;
// the two line separators JSON leaves bare would end a string in older script engines.
QString activatorText(const AppInfo& app) {
    const QJsonObject wanted{{u"appId"_s, app.appId.value_or(QString())},
                             {u"pid"_s, app.pid ? QJsonValue(*app.pid) : QJsonValue()}};
    const QString literal = QString::fromUtf8(QJsonDocument(wanted).toJson(QJsonDocument::Compact))
                                .replace(QChar(0x2028), "\\u2028"_L1)
                                .replace(QChar(0x2029), "\\u2029"_L1);
    return resourceText(u"activate.js"_s).replace("@WANTED@"_L1, literal);
}

QString scriptFileTemplate() {
    return QDir::tempPath() + u"/tessel-kwin-XXXXXX.js"_s;
}

} // namespace

std::unique_ptr<KWinScript> KWinScript::start(const QDBusConnection& bus) {
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kwinService())) {
        return nullptr;
    }
    std::unique_ptr<KWinScript> script(new KWinScript(bus));
    QDBusConnection connection = script->m_bus;
    if (!connection.registerObject(KWinReports::objectPath(), &script->m_reports,
                                   QDBusConnection::ExportScriptableSlots)) {
        return nullptr;
    }
    const auto claimed = connection.interface()->registerService(
        KWinReports::serviceName(), QDBusConnectionInterface::DontQueueService,
        QDBusConnectionInterface::DontAllowReplacement);
    if (!claimed.isValid() || claimed.value() != QDBusConnectionInterface::ServiceRegistered) {
        connection.unregisterObject(KWinReports::objectPath());
        qCInfo(lcPlatform, "another Tessel reads KWin already");
        return nullptr;
    }
    script->m_claimed = true;
    if (!script->load()) {
        qCWarning(lcPlatform, "KWin would not run Tessel's script");
        return nullptr;
    }
    return script;
}

KWinScript::KWinScript(const QDBusConnection& bus)
    : m_bus(bus)
    , m_kwin(kwinService(), bus, QDBusServiceWatcher::WatchForOwnerChange) {
    m_pointerWanted.setSingleShot(true);
    m_pointerWanted.setInterval(pointerForgottenAfter);
    connect(&m_pointerWanted, &QTimer::timeout, this, [this] {
        m_reports.forgetPointer();
        load();
    });
    connect(&m_kwin, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& owner) {
                m_reports.clear();
                if (!owner.isEmpty()) {
                    load();
                }
            });
}

KWinScript::~KWinScript() {
    if (m_claimed) {
        unload(pluginName);
        m_bus.unregisterService(KWinReports::serviceName());
        m_bus.unregisterObject(KWinReports::objectPath());
    }
}

void KWinScript::setExcludeFromCapture(bool exclude) {
    if (exclude != std::exchange(m_exclude, exclude)) {
        load();
    }
}

std::optional<QPoint> KWinScript::pointer() {
    const bool following = m_pointerWanted.isActive();
    m_pointerWanted.start();
    if (!following) {
        load();
    }
    return m_reports.pointer();
}

bool KWinScript::load() {
    m_file = std::make_unique<QTemporaryFile>(scriptFileTemplate());
    return loadAndRun(
        pluginName, *m_file,
        scriptText(QCoreApplication::applicationPid(), m_exclude, m_pointerWanted.isActive()));
}

// KWin answers the run once the script has run, so it can go again at once.
void KWinScript::activate(const AppInfo& app) {
    QTemporaryFile file(scriptFileTemplate());
    if (!loadAndRun(activatorName, file, activatorText(app))) {
        qCWarning(lcPlatform, "KWin would not bring the app to the front");
    }
    unload(activatorName);
}

bool KWinScript::loadAndRun(const QString& plugin, QTemporaryFile& file, const QString& text) {
    if (!file.open() || file.write(text.toUtf8()) < 0 || !file.flush()) {
        return false;
    }
    // A script of the same name is Tessel's from before: a crashed run's, or this one's.
    unload(plugin);
    const auto id = dbusCall(m_bus, kwinService(), scriptingPath, scriptingInterface,
                             u"loadScript"_s, {file.fileName(), plugin});
    return id && id->toInt() >= 0 && run(id->toInt());
}

void KWinScript::unload(const QString& plugin) {
    dbusCall(m_bus, kwinService(), scriptingPath, scriptingInterface, u"unloadScript"_s, {plugin});
}

bool KWinScript::run(int scriptId) {
    for (const QString& path : scriptPaths) {
        const QDBusMessage call = QDBusMessage::createMethodCall(kwinService(), path.arg(scriptId),
                                                                 scriptInterface, u"run"_s);
        if (m_bus.call(call, QDBus::Block, callTimeoutMs).type() == QDBusMessage::ReplyMessage) {
            return true;
        }
    }
    return false;
}

} // namespace tessel
