#include "TestSession.h"

#include "Files.h"
#include "WaitFor.h"

#include <csignal>
#include <stdexcept>
#include <sys/wait.h>

namespace tessel::test {

using namespace Qt::StringLiterals;

namespace {

constexpr auto endTimeout = std::chrono::seconds(30);

} // namespace

PrivateBus::PrivateBus(const QString& folder, const char* variable)
    : m_daemon(std::make_unique<ChildProcess>(
          std::vector<std::string>{"dbus-daemon", "--session", "--nofork", "--nopidfile",
                                   "--print-address=3"},
          folder + u'/' + QString::fromLatin1(variable) + u".log"_s)) {
    qputenv(variable, QByteArray::fromStdString(m_daemon->firstLine()));
}

TestSession::TestSession() {
    if (!m_dir.isValid()) {
        throw std::runtime_error("no temporary folder");
    }
}

QColor TestSession::pixel(QPoint at) const {
    const QImage image = screenshot(QRect(at, QSize(1, 1)));
    return image.isNull() ? QColor() : image.pixelColor(0, 0);
}

QString TestSession::logPath(const char* name) const {
    return m_dir.filePath(QString::fromLatin1(name) + u".log"_s);
}

TesselProcess::TesselProcess(const QByteArray& settings) {
    if (!settings.isEmpty() &&
        !writeFile(m_config.filePath(u"defaults.json"_s), "{\"settings\": " + settings + "}")) {
        throw std::runtime_error("cannot write the test settings");
    }
}

void TesselProcess::start() {
    m_process = std::make_unique<ChildProcess>(
        std::vector<std::string>{TESSEL_BINARY}, m_config.filePath(u"tessel.log"_s),
        std::vector<std::string>{"TESSEL_CONFIG_DIR=" + m_config.path().toStdString(),
                                 "TESSEL_REDUCE_MOTION=1"});
}

std::optional<int> TesselProcess::end(int signal) {
    const pid_t pid = m_process->pid();
    int status = 0;
    ::kill(pid, signal);
    if (!waitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, endTimeout)) {
        return std::nullopt;
    }
    m_process.reset();
    return WIFEXITED(status) ? std::optional(WEXITSTATUS(status)) : std::nullopt;
}

QByteArray TesselProcess::log() const {
    return readFile(m_config.filePath(u"tessel.log"_s));
}

std::optional<QString> TesselProcess::command(const QStringList& arguments) const {
    const auto output = runTool(QStringLiteral(TESSEL_BINARY), arguments,
                                {u"TESSEL_CONFIG_DIR="_s + m_config.path()});
    return output ? std::optional(QString::fromUtf8(*output).trimmed()) : std::nullopt;
}

} // namespace tessel::test
