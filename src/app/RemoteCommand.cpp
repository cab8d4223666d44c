#include "app/RemoteCommand.h"

#include "app/BusClient.h"
#include "app/PrintableText.h"
#include "app/StoredSettings.h"
#include "core/SettingLimits.h"

#include <QDBusArgument>

#include <variant>

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

// What `paper` and `focus-filter` take: one word and, maybe, one option's value.
struct WordAndOption {
    QString word;
    std::optional<QString> value;
};

// The word and the option's value, or the exit status after saying what is wrong.
std::variant<WordAndOption, int> wordAndOption(const QStringList& arguments, const QString& option,
                                               const QString& form, const CommandIO& io) {
    QCommandLineParser parser;
    const QCommandLineOption valued(option, QString(), QStringLiteral("VALUE"));
    parser.addOption(valued);
    const auto words = io.parse(parser, arguments.mid(1), form);
    if (!words) {
        return commandMisused;
    }
    if (words->size() != 1) {
        return io.usage(form);
    }
    return WordAndOption{words->first(),
                         parser.isSet(valued) ? std::optional(parser.value(valued)) : std::nullopt};
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
    const auto parsed = wordAndOption(arguments, QStringLiteral("gsm"),
                                      QStringLiteral("tessel paper ID [--gsm N]"), io);
    if (const auto* status = std::get_if<int>(&parsed)) {
        return *status;
    }
    const auto& [id, weight] = std::get<WordAndOption>(parsed);
    // 0 stands for "no weight given" on the bus, so a weight must name one.
    const auto gsm = weight ? wholeNumber(*weight) : 0;
    if (!gsm || (weight && !limits::gsm.contains(*gsm))) {
        return io.fail(QStringLiteral("Weight must be from %1 to %2 gsm, not %3.")
                           .arg(limits::gsm.lowest)
                           .arg(limits::gsm.highest)
                           .arg(weight.value_or(QString())));
    }
    return act(QStringLiteral("set-paper"), pair(id, *gsm), io);
}

int runSnoozeCommand(const QStringList& arguments, const CommandIO& io) {
    const auto minutes = arguments.size() == 2 ? wholeNumber(arguments[1]) : std::nullopt;
    if (!minutes) {
        return io.usage(QStringLiteral("tessel snooze MINUTES"));
    }
    return act(QStringLiteral("snooze"), *minutes, io);
}

int runResumeCommand(const QStringList& arguments, const CommandIO& io) {
    if (arguments.size() != 1) {
        return io.usage(QStringLiteral("tessel resume"));
    }
    return act(QStringLiteral("resume"), std::nullopt, io);
}

int runFocusFilterCommand(const QStringList& arguments, const CommandIO& io) {
    const QString form = QStringLiteral("tessel focus-filter on|off [--paper ID]");
    const auto parsed = wordAndOption(arguments, QStringLiteral("paper"), form, io);
    if (const auto* status = std::get_if<int>(&parsed)) {
        return *status;
    }
    const auto& [state, paper] = std::get<WordAndOption>(parsed);
    if (state != u"on" && state != u"off") {
        return io.usage(form);
    }
    return act(QStringLiteral("set-focus-filter"), pair(state == u"on", paper.value_or(QString())),
               io);
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
