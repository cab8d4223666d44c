#include "app/CommandIO.h"

namespace tessel {

int CommandIO::fail(const QString& message, int status) const {
    err << "tessel: " << message << Qt::endl;
    return status;
}

int CommandIO::usage(const QString& form) const {
    return fail(QStringLiteral("usage: ") + form, commandMisused);
}

std::optional<QStringList> CommandIO::parse(QCommandLineParser& parser,
                                            const QStringList& arguments,
                                            const QString& form) const {
    // Options may come anywhere, and a value that starts with '-' is still a value.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(QStringList{QStringLiteral("tessel")} + arguments)) {
        fail(parser.errorText() + QStringLiteral(" usage: ") + form, commandMisused);
        return std::nullopt;
    }
    return parser.positionalArguments();
}

} // namespace tessel
