#include "StandInShell.h"

#include <QDBusMessage>
#include <QDBusMetaType>
#include <QFile>
#include <QXmlStreamReader>

namespace tessel::test {

using namespace Qt::StringLiterals;

namespace {

const QString path = u"/com/corvane/Tessel/Shell"_s;
const QString interfaceName = u"com.corvane.Tessel.Shell"_s;

QString signatureOf(const QVariantList& values) {
    QString signature;
    for (const QVariant& value : values) {
        signature += QString::fromLatin1(QDBusMetaType::typeToSignature(value.metaType()));
    }
    return signature;
}

} // namespace

QDBusArgument& operator<<(QDBusArgument& argument, const RunningApp& app) {
    argument.beginStructure();
    argument << app.appId << app.pid << app.name;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, RunningApp& app) {
    argument.beginStructure();
    argument >> app.appId >> app.pid >> app.name;
    argument.endStructure();
    return argument;
}

StandInShell::StandInShell() {
    qDBusRegisterMetaType<RunningApp>();
    qDBusRegisterMetaType<QList<RunningApp>>();
    QFile file(QStringLiteral(TESSEL_SHELL_INTERFACE_XML));
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read the extension's interface");
    }
    const QString xml = QString::fromUtf8(file.readAll());
    const qsizetype start = xml.indexOf(u"<interface");
    const QString end = u"</interface>"_s;
    m_interfaceXml = xml.mid(start, xml.indexOf(end) + end.size() - start);

    QXmlStreamReader reader(xml);
    Member* member = nullptr;
    bool memberIsSignal = false;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const auto name = reader.attributes().value(u"name"_s).toString();
        if (reader.name() == u"method" || reader.name() == u"signal") {
            memberIsSignal = reader.name() == u"signal";
            member = &(memberIsSignal ? m_signals : m_methods)[name];
        } else if (reader.name() == u"arg" && member) {
            const bool out = memberIsSignal || reader.attributes().value(u"direction"_s) == u"out";
            (out ? member->out : member->in) += reader.attributes().value(u"type"_s);
        }
    }
    setFocus({}, 0, {});
}

StandInShell::~StandInShell() = default;

void StandInShell::enable() {
    m_service = std::make_unique<FakeService>(interfaceName);
    m_service->addVirtual(path, *this);
}

void StandInShell::disable() {
    m_service.reset();
}

void StandInShell::emitSignal(const QString& name, const QVariantList& arguments) {
    check(name, m_signals.value(name).out, arguments);
    m_service->emitSignal(path, interfaceName, name, arguments);
}

void StandInShell::setFocus(const QString& appId, uint pid, QRect frame) {
    const QMutexLocker lock(&m_mutex);
    m_focus = {appId, pid, frame.x(), frame.y(), frame.width(), frame.height()};
}

void StandInShell::setApps(const QList<RunningApp>& apps) {
    const QMutexLocker lock(&m_mutex);
    m_apps = apps;
}

void StandInShell::setPointer(QPoint at) {
    const QMutexLocker lock(&m_mutex);
    m_pointer = at;
}

void StandInShell::setGrabbable(bool grabbable) {
    const QMutexLocker lock(&m_mutex);
    m_grabbable = grabbable;
}

QStringList StandInShell::calls() const {
    const QMutexLocker lock(&m_mutex);
    return m_calls;
}

QStringList StandInShell::violations() const {
    const QMutexLocker lock(&m_mutex);
    return m_violations;
}

QString StandInShell::introspect(const QString&) const {
    return m_interfaceXml;
}

bool StandInShell::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
    if (message.interface() != interfaceName) {
        return false;
    }
    const QString method = message.member();
    if (!m_methods.contains(method) || m_methods[method].in != message.signature()) {
        const QMutexLocker lock(&m_mutex);
        m_violations << u"call %1(%2)"_s.arg(method, message.signature());
        connection.send(message.createErrorReply(QDBusError::UnknownMethod, method));
        return true;
    }
    const QVariantList reply = answer(message);
    check(method, m_methods[method].out, reply);
    connection.send(message.createReply(reply));
    return true;
}

QVariantList StandInShell::answer(const QDBusMessage& message) {
    const QMutexLocker lock(&m_mutex);
    QStringList arguments;
    for (const QVariant& argument : message.arguments()) {
        arguments << argument.toString();
    }
    const QString method = message.member();
    m_calls << u"%1(%2)"_s.arg(method, arguments.join(u", "));
    if (method == u"GetFocus") {
        return m_focus;
    }
    if (method == u"GetRunningApps") {
        return {QVariant::fromValue(m_apps)};
    }
    if (method == u"TrackPointer") {
        return {m_pointer.x(), m_pointer.y()};
    }
    if (method == u"Activate") {
        return {true};
    }
    if (method == u"GrabAccelerator") {
        return {m_grabbable};
    }
    return {};
}

void StandInShell::check(const QString& what, const QString& expected, const QVariantList& values) {
    if (signatureOf(values) != expected) {
        const QMutexLocker lock(&m_mutex);
        m_violations << u"%1 answers %2, not %3"_s.arg(what, signatureOf(values), expected);
    }
}

} // namespace tessel::test
