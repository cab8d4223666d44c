#include "platform/wayland/KWinScript.h"

#include "platform/PlatformLog.h"
#include "platform/desktop/DBusCall.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>

namespace tessel {

namespace {

using namespace Qt::StringLiterals;

const QString scriptingPath = u"/Scripting"_s;
const QString scriptingInterface = u"org.kde.kwin.Scripting"_s;
const QString scriptInterface = u"org.kde.kwin.Script"_s;
const QString pluginName = u"tessel"_s;
// Plasma 6 puts a loaded script here; Plasma 5 at its bare number.
const QStringList scriptPaths{u"/Scripting/Script%1"_s, u"/%1"_s};
constexpr int callTimeoutMs = 1000;

QString scriptText(qint64 pid, bool exclude) {
    QFile source(u":/tessel/kwin/tessel.js"_s);
    if (!source.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(source.readAll())
        .replace("@TESSEL_PID@"_L1, QString::number(pid))
        .replace("@HIDE_FROM_CAPTURE@"_L1, exclude ? "true"_L1 : "false"_L1);
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
        unload();
        m_bus.unregisterService(KWinReports::serviceName());
        m_bus.unregisterObject(KWinReports::objectPath());
    }
}

void KWinScript::setExcludeFromCapture(bool exclude) {
    if (exclude != std::exchange(m_exclude, exclude)) {
        load();
    }
}

bool KWinScript::load() {
    m_file = std::make_unique<QTemporaryFile>(QDir::tempPath() + u"/tessel-kwin-XXXXXX.js"_s);
    if (!m_file->open() ||
        m_file->write(scriptText(QCoreApplication::applicationPid(), m_exclude).toUtf8()) < 0 ||
        !m_file->flush()) {
        return false;
    }
    // A script of the same name is Tessel's from before: a crashed run's, or this one's.
    unload();
    const auto id = dbusCall(m_bus, kwinService(), scriptingPath, scriptingInterface,
                             u"loadScript"_s, {m_file->fileName(), pluginName});
    return id && id->toInt() >= 0 && run(id->toInt());
}

void KWinScript::unload() {
    dbusCall(m_bus, kwinService(), scriptingPath, scriptingInterface, u"unloadScript"_s,
             {pluginName});
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
