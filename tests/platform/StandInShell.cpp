#include "StandInShell.h"

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
}

void StandInShell::enable() {
    m_service = std::make_unique<FakeService>(interfaceName);
    m_service->answer(
        path, [this](const QDBusMessage& message) { return answer(message); }, m_interfaceXml);
}

void StandInShell::emitSignal(const QString& name, const QVariantList& arguments) {
    check(name, m_signals.value(name).out, arguments);
    m_service->emitSignal(path, interfaceName, name, arguments);
}

void StandInShell::change(const std::function<void(Answers&)>& edit) {
    const QMutexLocker lock(&m_mutex);
    edit(m_answers);
}

QStringList StandInShell::calls() const {
    const QMutexLocker lock(&m_mutex);
    return m_calls;
}

QStringList StandInShell::violations() const {
    const QMutexLocker lock(&m_mutex);
    return m_violations;
}

std::optional<QVariantList> StandInShell::answer(const QDBusMessage& message) {
    const QString method = message.member();
    if (message.interface() != interfaceName) {
        return std::nullopt;
    }
    if (!m_methods.contains(method) || m_methods.value(method).in != message.signature()) {
        const QMutexLocker lock(&m_mutex);
        m_violations << u"call %1(%2)"_s.arg(method, message.signature());
        return std::nullopt;
    }
    QStringList arguments;
    for (const QVariant& argument : message.arguments()) {
        arguments << argument.toString();
    }
    QMutexLocker lock(&m_mutex);
    m_calls << u"%1(%2)"_s.arg(method, arguments.join(u", "));
    const QHash<QString, QVariantList> replies{
        {u"GetFocus"_s, m_answers.focus},
        {u"GetRunningApps"_s, {QVariant::fromValue(m_answers.apps)}},
        {u"TrackPointer"_s, {m_answers.pointer.x(), m_answers.pointer.y()}},
        {u"Activate"_s, {true}},
        {u"GrabAccelerator"_s, {m_answers.grabbable}},
    };
    const QVariantList reply = replies.value(method);
    lock.unlock();
    check(method, m_methods.value(method).out, reply);
    return reply;
}

void StandInShell::check(const QString& what, const QString& expected, const QVariantList& values) {
    if (signatureOf(values) != expected) {
        const QMutexLocker lock(&m_mutex);
        m_violations << u"%1 answers %2, not %3"_s.arg(what, signatureOf(values), expected);
    }
}

} // namespace tessel::test
