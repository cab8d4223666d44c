#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>

namespace tessel {

// Exit statuses of the command line.
inline constexpr int commandSucceeded = 0;
inline constexpr int commandFailed = 1;
inline constexpr int commandMisused = 2;

// Where a subcommand writes, and its one way to fail: one line on stderr, "tessel: " first.
struct CommandIO {
    QTextStream& out;
    QTextStream& err;

    int fail(const QString& message, int status = commandFailed) const;
    // A command given the wrong words: says its form.
    int usage(const QString& form) const;
    // The positional arguments once the parser has taken its options, or none after saying
    // what is wrong. `form` is the command's usage line.
    std::optional<QStringList> parse(QCommandLineParser& parser, const QStringList& arguments,
                                     const QString& form) const;
};

} // namespace tessel
