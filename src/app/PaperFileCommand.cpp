#include "app/PaperFileCommand.h"

#include "app/BusClient.h"
#include "app/StoredSettings.h"
#include "core/SettingsJson.h"
#include "platform/UserDefaults.h"
#include "studio/CustomPapers.h"
#include "studio/PaperFile.h"

#include <nlohmann/json.hpp>

namespace tessel {

namespace {

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

int importFile(const QString& path, const CommandIO& io) {
    const auto read = readPaperDocument(path);
    if (const auto* error = std::get_if<PaperFileError>(&read)) {
        return io.fail(describe(*error, path));
    }
    const QList<CustomPaper> before = storedSettings().customPapers;
    const QDBusMessage reply = BusClient().open({path});
    if (reply.type() == QDBusMessage::ReplyMessage) {
        io.out << addedPaperId(before) << Qt::endl;
        return commandSucceeded;
    }
    if (!BusClient::saysNotRunning(reply)) {
        return BusClient::report(reply, io);
    }
    Settings settings = storedSettings();
    const auto imported = importPaper(settings, std::get<CustomPaper>(read));
    if (const auto* refusal = std::get_if<PaperRefusal>(&imported)) {
        return io.fail(refusal->message);
    }
    UserDefaults defaults(UserDefaults::defaultDirectory());
    if (!defaults.setValue("settings", toJson(settings))) {
        return io.fail(defaults.lastError().value_or(
            QStringLiteral("Couldn't write %1").arg(defaults.filePath())));
    }
    io.out << std::get<QString>(imported) << Qt::endl;
    return commandSucceeded;
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

int exportFile(const QString& id, const QString& path, const CommandIO& io) {
    const auto paper = findPaper(id);
    if (!paper) {
        return io.fail(QStringLiteral("No paper with the id %1").arg(id));
    }
    if (const auto error = writePaperDocument(path, *paper)) {
        return io.fail(*error);
    }
    return 0;
}

} // namespace

int runImportCommand(const QStringList& arguments, const CommandIO& io) {
    if (arguments.size() < 2) {
        return io.usage(QStringLiteral("tessel import FILE..."));
    }
    // One file that is not a paper keeps none of the others out; the first failure is the
    // exit status.
    int status = commandSucceeded;
    for (const QString& path : arguments.mid(1)) {
        const int imported = importFile(path, io);
        if (status == commandSucceeded) {
            status = imported;
        }
    }
    return status;
}

int runExportPaperCommand(const QStringList& arguments, const CommandIO& io) {
    return arguments.size() == 3 ? exportFile(arguments[1], arguments[2], io)
                                 : io.usage(QStringLiteral("tessel export-paper ID FILE"));
}

} // namespace tessel
