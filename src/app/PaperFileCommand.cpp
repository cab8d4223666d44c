#include "app/PaperFileCommand.h"

#include "app/AutomationService.h"
#include "app/RemoteCommand.h"
#include "app/StoredSettings.h"
#include "core/SettingsJson.h"
#include "platform/UserDefaults.h"
#include "studio/CustomPapers.h"
#include "studio/PaperFile.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#include <QUrl>

#include <nlohmann/json.hpp>

namespace tessel {

namespace {

int fail(QTextStream& err, const QString& message) {
    err << "tessel: " << message << Qt::endl;
    return 1;
}

QDBusMessage openInRunningTessel(const QString& path) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        AutomationService::serviceName(), AutomationService::objectPath(),
        QStringLiteral("org.freedesktop.Application"), QStringLiteral("Open"));
    const QString uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString();
    message.setArguments({QStringList{uri}, QVariantMap()});
    registerBusTypes();
    message.setAutoStartService(false);
    return QDBusConnection::sessionBus().call(message);
}

// The running Tessel saves its settings as it changes them, so its new paper is the one
// the stored settings did not hold before.
QString addedPaperId(const QList<CustomPaper>& before) {
    for (const CustomPaper& paper : storedSettings().customPapers) {
        if (std::none_of(before.cbegin(), before.cend(),
                         [&paper](const CustomPaper& old) { return old.id == paper.id; })) {
            return paper.id;
        }
    }
    return {};
}

int importFile(const QString& path, QTextStream& out, QTextStream& err) {
    const auto read = readPaperDocument(path);
    if (const auto* error = std::get_if<PaperFileError>(&read)) {
        return fail(err, describe(*error, path));
    }
    const QList<CustomPaper> before = storedSettings().customPapers;
    const QDBusMessage reply = openInRunningTessel(path);
    if (reply.type() == QDBusMessage::ReplyMessage) {
        out << addedPaperId(before) << Qt::endl;
        return 0;
    }
    if (!saysNotRunning(reply)) {
        return fail(err, reply.errorMessage());
    }
    Settings settings = storedSettings();
    const auto imported = importPaper(settings, std::get<CustomPaper>(read));
    if (const auto* refusal = std::get_if<PaperRefusal>(&imported)) {
        return fail(err, refusal->message);
    }
    UserDefaults defaults(UserDefaults::defaultDirectory());
    if (!defaults.setValue("settings", toJson(settings))) {
        return fail(err, defaults.lastError().value_or(
                             QStringLiteral("Couldn't write %1").arg(defaults.filePath())));
    }
    out << std::get<QString>(imported) << Qt::endl;
    return 0;
}

std::optional<CustomPaper> findPaper(const QString& id) {
    for (const CustomPaper& paper : storedSettings().customPapers) {
        if (paper.id == id) {
            return paper;
        }
    }
    for (const Paper& paper : Paper::builtIn()) {
        if (paper.id == id) {
            return CustomPaper{paper.id, paper.name, paper.recipe};
        }
    }
    return std::nullopt;
}

int exportFile(const QString& id, const QString& path, QTextStream& err) {
    const auto paper = findPaper(id);
    if (!paper) {
        return fail(err, QStringLiteral("No paper with the id %1").arg(id));
    }
    if (const auto error = writePaperDocument(path, *paper)) {
        return fail(err, *error);
    }
    return 0;
}

} // namespace

std::optional<int> runPaperFileCommand(const QStringList& arguments, QTextStream& out,
                                       QTextStream& err) {
    const QString command = arguments.value(0);
    if (command == u"import") {
        return arguments.size() == 2 ? importFile(arguments[1], out, err)
                                     : fail(err, QStringLiteral("usage: tessel import FILE"));
    }
    if (command == u"export-paper") {
        return arguments.size() == 3
                   ? exportFile(arguments[1], arguments[2], err)
                   : fail(err, QStringLiteral("usage: tessel export-paper ID FILE"));
    }
    return std::nullopt;
}

} // namespace tessel
