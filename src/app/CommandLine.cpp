#include "app/CommandLine.h"

#include "app/ExportCommand.h"
#include "app/PaperFileCommand.h"
#include "app/PrintableText.h"
#include "app/RemoteCommand.h"
#include "app/ShortcutCommand.h"
#include "app/StoredSettings.h"
#include "app/SunCommand.h"
#include "core/SettingEdit.h"
#include "core/SettingsJson.h"
#include "paper/JsonText.h"
#include "paper/Paper.h"
#include "platform/FileAccess.h"
#include "platform/UserDefaults.h"

#include <QCoreApplication>
#include <QFile>

#include <nlohmann/json.hpp>

namespace tessel {

namespace {

const char* const usage = R"(Usage: tessel [COMMAND]

Lays a sheet of simulated paper over every screen. Without a command, starts Tessel.

Commands:
  settings show [--file PATH]   Print the settings as Tessel reads them, as one line of JSON.
                                PATH holds a settings document; without it, your own settings.
  settings set KEY VALUE        Change one setting (VALUE as JSON, or plain text), e.g.
                                'settings set onboarded true'. Read by Tessel when it starts.
                                A value outside what the setting allows is refused.
  paper list                    List every paper: id, name and note, tab-separated.
  export tile PAPER [--gsm G] [--night] -o OUT.png|OUT.rgba
                                Write the 1024 × 1024 tile: a PNG, or the raw premultiplied
                                RGBA bytes as shaded, row 0 first.
  export field PAPER [--size N] -o OUT.f32|OUT.png
                                Write the height field (N a multiple of 128 up to 4096,
                                default 1024): little-endian floats, or a 16-bit grey PNG.
  export preview PAPER -o OUT.png
                                Write the 256 × 256 grey preview.
                                PAPER is a paper id or the path of a .tessel paper document.
  export-paper ID FILE          Write a paper as a .tessel paper document.
  sun (--lat X --lon Y | --place TEXT) [--date YYYY-MM-DD]
                                Print the day's sunrise and sunset (UTC), or 'none' in polar
                                day or night. The place is looked up offline.

Commands for the running Tessel:
  on | off                      Turn paper on or off.
  paper ID [--gsm N]            Make ID both the Day and the Night paper, weight N from 60
                                to 300 gsm (unchanged without --gsm), and turn paper on.
  snooze MINUTES                Snooze paper for 1 to 720 minutes.
  focus-filter on|off [--paper ID]
                                Hold paper off, or show ID in both slots, until the next
                                'focus-filter on' without a paper. Not saved.
  status                        Print the status, then each screen: identifier, name and
                                what it shows, tab-separated.
  rest | art                    Show a rest moment or a painting now, to try them.
  import FILE                   Add the paper in a .tessel document under a new id and print
                                the id. Without a running Tessel, changes the stored settings.
  shortcut list                 List the seven shortcuts and their key combinations.
  shortcut set NAME COMBO       Bind a shortcut system-wide, e.g. 'shortcut set togglePaper
                                Ctrl+Alt+P'. Modifiers: Ctrl, Alt, Shift, Super.
  shortcut clear NAME           Unbind a shortcut.
  The same actions are on D-Bus: 'gapplication action com.corvane.Tessel snooze 30'.

Options:
  -h, --help                    Show this help.
  -v, --version                 Show the version.
)";

int fail(QTextStream& err, const QString& message) {
    err << "tessel: " << message << Qt::endl;
    return 1;
}

// A settings document given by path is read as carefully as Tessel reads its own.
constexpr qint64 maxShownDocumentBytes = 1024 * 1024;

std::optional<Json> readSettingsDocument(const QString& path, QTextStream& err) {
    const auto read = readFileBounded(path, maxShownDocumentBytes);
    if (const auto* error = std::get_if<FileError>(&read)) {
        fail(err, error->message);
        return std::nullopt;
    }
    const QByteArray& bytes = std::get<QByteArray>(read);
    auto document = parseJsonText(std::string_view(bytes.constData(), bytes.size()));
    if (!document || !document->is_object()) {
        err << "tessel: " << path << " is not a settings document, so Tessel would use defaults"
            << Qt::endl;
        return Json::object();
    }
    return document;
}

int showSettings(const QStringList& args, QTextStream& out, QTextStream& err) {
    Settings settings;
    if (args.isEmpty()) {
        if (const auto problem = storedSettingsProblem()) {
            err << "tessel: " << *problem << Qt::endl;
        }
        settings = storedSettings();
    } else if (args.size() == 2 && args[0] == u"--file") {
        const auto document = readSettingsDocument(args[1], err);
        if (!document) {
            return 1;
        }
        settings = settingsFromJson(*document).value_or(Settings{});
    } else {
        return fail(err, QStringLiteral("usage: tessel settings show [--file PATH]"));
    }
    // What Tessel uses: values it keeps only to write back are not among them.
    settings.kept = {};
    out << QString::fromStdString(toJson(settings).dump()) << Qt::endl;
    return 0;
}

// Changes one top-level field of the stored settings; the value is JSON, or else plain text.
// A value the setting cannot take is refused and nothing is written.
int setSetting(const QStringList& args, QTextStream& err) {
    if (args.size() != 2) {
        return fail(err, QStringLiteral("usage: tessel settings set KEY VALUE"));
    }
    const std::string text = args[1].toStdString();
    const auto value = parseJsonText(text).value_or(Json(text));
    UserDefaults defaults(UserDefaults::defaultDirectory());
    if (defaults.lastError()) {
        return fail(err, *defaults.lastError());
    }
    const auto stored = defaults.value("settings");
    const Settings before = stored ? settingsFromJson(*stored).value_or(Settings{}) : Settings{};
    const auto after = withSetting(before, args[0].toStdString(), value);
    if (const auto* refused = std::get_if<QString>(&after)) {
        return fail(err, *refused);
    }
    if (!defaults.setValue("settings", toJson(std::get<Settings>(after)))) {
        return fail(err, defaults.lastError().value_or(
                             QStringLiteral("Couldn't write %1").arg(defaults.filePath())));
    }
    if (const auto aside = defaults.takeSetAsidePath()) {
        err << "tessel: " << defaults.filePath() << " was unreadable; it is kept as " << *aside
            << Qt::endl;
    }
    return 0;
}

int listPapers(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (!args.isEmpty()) {
        return fail(err, QStringLiteral("usage: tessel paper list"));
    }
    for (const Paper& paper : Paper::all(storedSettings().customPapers)) {
        out << printable(paper.id) << '\t' << printable(paper.name) << '\t' << printable(paper.note)
            << '\n';
    }
    out.flush();
    return 0;
}

} // namespace

std::optional<int> runCommandLine(const QStringList& arguments, QTextStream& out,
                                  QTextStream& err) {
    if (arguments.isEmpty()) {
        return std::nullopt;
    }
    const QString& first = arguments.first();
    const QStringList rest = arguments.mid(2);
    if (first == u"-h" || first == u"--help" || first == u"help") {
        out << usage;
        out.flush();
        return 0;
    }
    if (first == u"-v" || first == u"--version") {
        out << "tessel " << QCoreApplication::applicationVersion() << Qt::endl;
        return 0;
    }
    const QString second = arguments.value(1);
    if (first == u"settings" && second == u"show") {
        return showSettings(rest, out, err);
    }
    if (first == u"settings" && second == u"set") {
        return setSetting(rest, err);
    }
    if (first == u"paper" && second == u"list") {
        return listPapers(rest, out, err);
    }
    if (first == u"shortcut") {
        return runShortcutCommand(arguments.mid(1), out, err);
    }
    if (const auto paperFile = runPaperFileCommand(arguments, out, err)) {
        return paperFile;
    }
    if (const auto remote = runRemoteCommand(arguments, out, err)) {
        return remote;
    }
    if (first == u"sun") {
        return runSun(arguments.mid(1), out, err);
    }
    if (first == u"export") {
        return runExport(arguments.mid(1), out, err);
    }
    return fail(
        err,
        QStringLiteral("unknown command '%1'. Try 'tessel --help'.").arg(arguments.join(u' ')));
}

} // namespace tessel
