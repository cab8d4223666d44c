#include "app/SettingsCommand.h"

#include "app/StoredSettings.h"
#include "core/SettingEdit.h"
#include "core/SettingsJson.h"
#include "paper/JsonText.h"
#include "platform/FileAccess.h"
#include "platform/UserDefaults.h"

#include <nlohmann/json.hpp>

namespace tessel {

namespace {

// A settings document given by path is read as carefully as Tessel reads its own.
constexpr qint64 maxShownDocumentBytes = 1024 * 1024;

std::optional<Json> readSettingsDocument(const QString& path, const CommandIO& io) {
    const auto read = readFileBounded(path, maxShownDocumentBytes);
    if (const auto* error = std::get_if<FileError>(&read)) {
        io.fail(error->message);
        return std::nullopt;
    }
    const QByteArray& bytes = std::get<QByteArray>(read);
    auto document = parseJsonText(std::string_view(bytes.constData(), bytes.size()));
    if (!document || !document->is_object()) {
        io.err << "tessel: " << path << " is not a settings document, so Tessel would use defaults"
               << Qt::endl;
        return Json::object();
    }
    return document;
}

int showSettings(const QStringList& arguments, const CommandIO& io) {
    const QString form = QStringLiteral("tessel settings show [--file PATH]");
    QCommandLineParser parser;
    const QCommandLineOption fileOption(QStringLiteral("file"), QString(), QStringLiteral("PATH"));
    parser.addOption(fileOption);
    const auto positional = io.parse(parser, arguments, form);
    if (!positional) {
        return commandMisused;
    }
    if (!positional->isEmpty()) {
        return io.usage(form);
    }
    Settings settings;
    if (parser.isSet(fileOption)) {
        const auto document = readSettingsDocument(parser.value(fileOption), io);
        if (!document) {
            return commandFailed;
        }
        settings = settingsFromJson(*document).value_or(Settings{});
    } else {
        if (const auto problem = storedSettingsProblem()) {
            io.err << "tessel: " << *problem << Qt::endl;
        }
        settings = storedSettings();
    }
    // What Tessel uses: values it keeps only to write back are not among them.
    settings.kept = {};
    io.out << QString::fromStdString(toJson(settings).dump()) << Qt::endl;
    return commandSucceeded;
}

// Changes one top-level field of the stored settings; the value is JSON, or else plain text.
// A value the setting cannot take is refused and nothing is written.
int setSetting(const QStringList& args, const CommandIO& io) {
    if (args.size() != 2) {
        return io.usage(QStringLiteral("tessel settings set KEY VALUE"));
    }
    const std::string text = args[1].toStdString();
    const auto value = parseJsonText(text).value_or(Json(text));
    UserDefaults defaults(UserDefaults::defaultDirectory());
    if (defaults.lastError()) {
        return io.fail(*defaults.lastError());
    }
    const auto stored = defaults.value("settings");
    const Settings before = stored ? settingsFromJson(*stored).value_or(Settings{}) : Settings{};
    const auto after = withSetting(before, args[0].toStdString(), value);
    if (const auto* refused = std::get_if<QString>(&after)) {
        return io.fail(*refused);
    }
    if (!defaults.setValue("settings", toJson(std::get<Settings>(after)))) {
        return io.fail(defaults.lastError().value_or(
            QStringLiteral("Couldn't write %1").arg(defaults.filePath())));
    }
    if (const auto aside = defaults.takeSetAsidePath()) {
        io.err << "tessel: " << defaults.filePath() << " was unreadable; it is kept as " << *aside
               << Qt::endl;
    }
    return commandSucceeded;
}

} // namespace

int runSettingsCommand(const QStringList& arguments, const CommandIO& io) {
    const QString verb = arguments.value(1);
    if (verb == u"show") {
        return showSettings(arguments.mid(2), io);
    }
    if (verb == u"set") {
        return setSetting(arguments.mid(2), io);
    }
    return io.usage(QStringLiteral("tessel settings show [--file PATH] | set KEY VALUE"));
}

} // namespace tessel
