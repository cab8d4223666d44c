#include "app/RemoteCommand.h"

#include "app/BusClient.h"
#include "app/PrintableText.h"
#include "app/StoredSettings.h"
#include "core/SettingLimits.h"

#include <QDBusArgument>

namespace tessel {

namespace {

template <typename First, typename Second> QVariant pair(const First& first, const Second& second) {
    QDBusArgument argument;
    argument.beginStructure();
    argument << first << second;
    argument.endStructure();
    return QVariant::fromValue(argument);
}

std::optional<int> wholeNumber(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

int act(const QString& action, const std::optional<QVariant>& value, const CommandIO& io) {
    return BusClient::report(BusClient().activateAction(action, value), io);
}

int listPapers(const QStringList& arguments, const CommandIO& io) {
    if (arguments.size() != 2) {
        return io.usage(QStringLiteral("tessel paper list"));
    }
    for (const Paper& paper : Paper::all(storedSettings().customPapers)) {
        io.out << printable(paper.id) << '\t' << printable(paper.name) << '\t'
               << printable(paper.note) << '\n';
    }
    io.out.flush();
    return commandSucceeded;
}

} // namespace

int runSwitchCommand(const QStringList& arguments, const CommandIO& io) {
    if (arguments.size() != 1) {
        return io.usage(QStringLiteral("tessel on|off"));
    }
    return act(QStringLiteral("set-paper-on"), arguments[0] == u"on", io);
}

int runPaperCommand(const QStringList& arguments, const CommandIO& io) {
    if (arguments.value(1) == u"list") {
        return listPapers(arguments, io);
    }
    const QString form = QStringLiteral("tessel paper ID [--gsm N]");
    QCommandLineParser parser;
    const QCommandLineOption gsmOption(QStringLiteral("gsm"), QString(), QStringLiteral("N"));
    parser.addOption(gsmOption);
    const auto ids = io.parse(parser, arguments.mid(1), form);
    if (!ids) {
        return commandMisused;
    }
    if (ids->size() != 1) {
        return io.usage(form);
    }
    // 0 stands for "no weight given" on the bus, so a weight must name one.
    const auto gsm = parser.isSet(gsmOption) ? wholeNumber(parser.value(gsmOption)) : 0;
    if (!gsm || (parser.isSet(gsmOption) && !limits::gsm.contains(*gsm))) {
        return io.fail(QStringLiteral("Weight must be from %1 to %2 gsm, not %3.")
                           .arg(limits::gsm.lowest)
                           .arg(limits::gsm.highest)
                           .arg(parser.value(gsmOption)));
    }
    return act(QStringLiteral("set-paper"), pair(ids->first(), *gsm), io);
}

int runSnoozeCommand(const QStringList& arguments, const CommandIO& io) {
    const auto minutes = arguments.size() == 2 ? wholeNumber(arguments[1]) : std::nullopt;
    if (!minutes) {
        return io.usage(QStringLiteral("tessel snooze MINUTES"));
    }
    return act(QStringLiteral("snooze"), *minutes, io);
}

int runFocusFilterCommand(const QStringList& arguments, const CommandIO& io) {
    const QString form = QStringLiteral("tessel focus-filter on|off [--paper ID]");
    QCommandLineParser parser;
    const QCommandLineOption paperOption(QStringLiteral("paper"), QString(), QStringLiteral("ID"));
    parser.addOption(paperOption);
    const auto state = io.parse(parser, arguments.mid(1), form);
    if (!state) {
        return commandMisused;
    }
    if (state->size() != 1 || (state->first() != u"on" && state->first() != u"off")) {
        return io.usage(form);
    }
    return act(QStringLiteral("set-focus-filter"),
               pair(state->first() == u"on", parser.value(paperOption)), io);
}

int runStatusCommand(const QStringList& arguments, const CommandIO& io) {
    if (arguments.size() != 1) {
        return io.usage(QStringLiteral("tessel status"));
    }
    const QDBusMessage reply = BusClient().control(QStringLiteral("Status"), {});
    if (const int status = BusClient::report(reply, io)) {
        return status;
    }
    io.out << reply.arguments().value(0).toString();
    io.out.flush();
    return commandSucceeded;
}

int runMomentCommand(const QStringList& arguments, const CommandIO& io) {
    if (arguments.size() != 1) {
        return io.usage(QStringLiteral("tessel rest|art"));
    }
    return act(arguments[0], std::nullopt, io);
}

} // namespace tessel
