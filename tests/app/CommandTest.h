#pragma once

#include "app/CommandLine.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tessel {

using namespace Qt::StringLiterals;

// What a command printed, and its exit status; none means the application should start.
struct Outcome {
    std::optional<int> code;
    QString out;
    QString err;
};

// Commands run in this process as `tessel` runs them, their settings in a fresh folder.
class CommandTest : public ::testing::Test {
public:
    static Outcome run(const QStringList& arguments) {
        Outcome result;
        QTextStream out(&result.out);
        QTextStream err(&result.err);
        result.code = runCommandLine(arguments, out, err);
        out.flush();
        err.flush();
        return result;
    }

protected:
    CommandTest() { qputenv("TESSEL_CONFIG_DIR", dir.path().toLocal8Bit()); }
    ~CommandTest() override { qunsetenv("TESSEL_CONFIG_DIR"); }

    QString path(const QString& name) const { return dir.filePath(name); }

    // Writes a file of that name into the folder; its path.
    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QByteArray read(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

} // namespace tessel
