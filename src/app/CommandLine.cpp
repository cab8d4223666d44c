#include "app/CommandLine.h"

#include "app/ExportCommand.h"
#include "app/PaperFileCommand.h"
#include "app/RemoteCommand.h"
#include "app/SettingsCommand.h"
#include "app/ShortcutCommand.h"
#include "app/SunCommand.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>

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
  resume                        End a snooze.
  focus-filter on|off [--paper ID]
                                Hold paper off, or show ID in both slots, until the next
                                'focus-filter on' without a paper. Not saved.
  status                        Print the status, then each screen: identifier, name and
                                what it shows, tab-separated.
  rest | art                    Show a rest moment or a painting now, to try them.
  import FILE...                Add the paper in each .tessel document under a new id and
                                print the ids. Without a running Tessel, changes the stored
                                settings. 'tessel FILE.tessel...' does the same.
  shortcut list                 List the seven shortcuts and their key combinations.
  shortcut set NAME COMBO       Bind a shortcut system-wide, e.g. 'shortcut set togglePaper
                                Ctrl+Alt+P'. Modifiers: Ctrl, Alt, Shift, Super.
  shortcut clear NAME           Unbind a shortcut.
  shortcut run NAME             Do what the shortcut does, e.g. from your desktop's own key
                                bindings where it lets no app set system-wide shortcuts.
  The same actions are on D-Bus: 'gapplication action com.corvane.Tessel snooze 30'.

Options:
  -h, --help                    Show this help.
  -v, --version                 Show the version.
)";

bool always(const QStringList&) {
    return true;
}

bool never(const QStringList&) {
    return false;
}

bool unlessListing(const QStringList& arguments) {
    return arguments.value(1) != u"list";
}

struct Subcommand {
    const char* name;
    int (*run)(const QStringList& arguments, const CommandIO& io);
    // Whether it talks to the running Tessel over the session bus.
    bool (*usesBus)(const QStringList& arguments);
};

constexpr std::array subcommands{
    Subcommand{"settings", runSettingsCommand, never},
    Subcommand{"paper", runPaperCommand, unlessListing},
    Subcommand{"export", runExportCommand, never},
    Subcommand{"export-paper", runExportPaperCommand, never},
    Subcommand{"sun", runSunCommand, never},
    Subcommand{"on", runSwitchCommand, always},
    Subcommand{"off", runSwitchCommand, always},
    Subcommand{"snooze", runSnoozeCommand, always},
    Subcommand{"resume", runResumeCommand, always},
    Subcommand{"focus-filter", runFocusFilterCommand, always},
    Subcommand{"status", runStatusCommand, always},
    Subcommand{"rest", runMomentCommand, always},
    Subcommand{"art", runMomentCommand, always},
    Subcommand{"import", runImportCommand, always},
    Subcommand{"shortcut", runShortcutCommand, always},
};

const Subcommand* find(const QStringList& arguments) {
    const QString name = arguments.value(0);
    const auto it = std::find_if(subcommands.cbegin(), subcommands.cend(),
                                 [&name](const auto& c) { return name == QLatin1String(c.name); });
    return it == subcommands.cend() ? nullptr : &*it;
}

} // namespace

std::optional<int> runCommandLine(const QStringList& arguments, QTextStream& out,
                                  QTextStream& err) {
    if (arguments.isEmpty()) {
        return std::nullopt;
    }
    const CommandIO io{out, err};
    const QString& first = arguments.first();
    if (first == u"-h" || first == u"--help" || first == u"help") {
        out << usage;
        out.flush();
        return commandSucceeded;
    }
    if (first == u"-v" || first == u"--version") {
        out << "tessel " << QCoreApplication::applicationVersion() << Qt::endl;
        return commandSucceeded;
    }
    if (const Subcommand* command = find(arguments)) {
        return command->run(arguments, io);
    }
    return io.fail(
        QStringLiteral("unknown command '%1'. Try 'tessel --help'.").arg(arguments.join(u' ')),
        commandMisused);
}

bool needsSessionBus(const QStringList& arguments) {
    const Subcommand* command = find(arguments);
    return command && command->usesBus(arguments);
}

} // namespace tessel
