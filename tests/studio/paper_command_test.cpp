#include "../app/RunningTessel.h"
#include "WaitFor.h"
#include "app/CommandLine.h"
#include "app/StoredSettings.h"
#include "core/SettingLimits.h"
#include "studio/PaperFile.h"

#include <QFile>
#include <QUrl>

namespace tessel {
namespace {

const CustomPaper kitchen{QStringLiteral("custom-0000ABCD"), QStringLiteral("Kitchen"),
                          Paper::find(QStringLiteral("linen"), {}).recipe};

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

// The commands in this process, with no Tessel on the (private) bus: they edit the stored
// settings in a fresh folder.
class PaperCommands : public ::testing::Test {
protected:
    PaperCommands() { qputenv("TESSEL_CONFIG_DIR", dir.path().toLocal8Bit()); }
    ~PaperCommands() override { qunsetenv("TESSEL_CONFIG_DIR"); }

    std::pair<int, QString> run(const QStringList& args) {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        const int code = runCommandLine(args, outStream, errStream).value_or(-1);
        return {code, out + err};
    }

    QTemporaryDir dir;
};

TEST_F(PaperCommands, ImportStoresUnderANewIdAndExportWritesItBack) {
    const QString path =
        writeFile(dir, QStringLiteral("kitchen.tessel"), encodePaperDocument(kitchen));
    const auto [code, printed] = run({QStringLiteral("import"), path});
    ASSERT_EQ(code, 0) << printed.toStdString();
    const QList<CustomPaper> stored = storedSettings().customPapers;
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(printed, stored[0].id + u'\n');
    EXPECT_NE(stored[0].id, kitchen.id);
    EXPECT_EQ(stored[0].name, kitchen.name);

    const QString out = dir.filePath(QStringLiteral("out.tessel"));
    ASSERT_EQ(run({QStringLiteral("export-paper"), stored[0].id, out}).first, 0);
    EXPECT_EQ(std::get<CustomPaper>(readPaperDocument(out)), stored[0]);
    ASSERT_EQ(run({QStringLiteral("export-paper"), QStringLiteral("felt"), out}).first, 0);
    EXPECT_EQ(std::get<CustomPaper>(readPaperDocument(out)).recipe,
              Paper::find(QStringLiteral("felt"), {}).recipe);
}

TEST_F(PaperCommands, RefusalsAreOneLineAndChangeNothing) {
    const QString notPaper = writeFile(dir, QStringLiteral("notes.json"), "{\"id\": 1}");
    const QString large =
        writeFile(dir, QStringLiteral("large.tessel"), QByteArray(maxPaperDocumentBytes + 1, ' '));
    EXPECT_EQ(run({QStringLiteral("import"), notPaper}),
              std::pair(1, QStringLiteral("tessel: %1 is not a Tessel paper\n").arg(notPaper)));
    EXPECT_EQ(run({QStringLiteral("import"), large}),
              std::pair(1, QStringLiteral("tessel: %1 is larger than 1 MiB\n").arg(large)));
    EXPECT_EQ(run({QStringLiteral("export-paper"), QStringLiteral("custom-FFFFFFFF"),
                   dir.filePath(QStringLiteral("x.tessel"))}),
              std::pair(1, QStringLiteral("tessel: No paper with the id custom-FFFFFFFF\n")));
    EXPECT_TRUE(storedSettings().customPapers.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("x.tessel"))));
}

// With Tessel running, imports go through it over the bus.
class PaperFilesWhileRunning : public RunningTessel {
protected:
    ChildRun open(const QStringList& uris) {
        return gdbus(QStringLiteral("org.freedesktop.Application.Open"),
                     {QStringLiteral("['%1']").arg(uris.join(QStringLiteral("', '"))),
                      QStringLiteral("{}")});
    }
};

TEST_F(PaperFilesWhileRunning, ImportGoesThroughTheRunningTessel) {
    const QString path =
        writeFile(dir, QStringLiteral("kitchen.tessel"), encodePaperDocument(kitchen));
    const ChildRun imported = tessel({QStringLiteral("import"), path});
    ASSERT_EQ(imported.code, 0) << imported.err.toStdString();
    ASSERT_EQ(settings().customPapers.size(), 1);
    EXPECT_EQ(imported.out, settings().customPapers[0].id + u'\n');

    // As the file manager starts it for several files; each name taken gets a number.
    const ChildRun opened = tessel({path, path});
    ASSERT_EQ(opened.code, 0) << opened.err.toStdString();
    const QList<CustomPaper> papers = settings().customPapers;
    ASSERT_EQ(papers.size(), 3);
    EXPECT_EQ(opened.out, papers[1].id + u'\n' + papers[2].id + u'\n');
    EXPECT_EQ(papers[1].name, QStringLiteral("Kitchen 2"));
    EXPECT_EQ(papers[2].name, QStringLiteral("Kitchen 3"));
    EXPECT_TRUE(waitFor([&] { return app->store().previews().contains(papers[2].id); }));
}

TEST_F(PaperFilesWhileRunning, ImportIsRefusedWithTheReasonOnceTheLimitIsReached) {
    app->store().updateSettings([](Settings& s) {
        while (s.customPapers.size() < limits::customPapers) {
            s.customPapers.append({QStringLiteral("custom-%1").arg(s.customPapers.size()), {}, {}});
        }
    });
    const QString path =
        writeFile(dir, QStringLiteral("kitchen.tessel"), encodePaperDocument(kitchen));
    const ChildRun refused = tessel({QStringLiteral("import"), path});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err, QStringLiteral("tessel: Tessel keeps at most 500 papers of your own. "
                                          "Delete one to add another.\n"));
    EXPECT_EQ(settings().customPapers.size(), limits::customPapers);
}

TEST_F(PaperFilesWhileRunning, OpenRefusesAllWhenAnyIsNotAPaper) {
    if (!hasProgram("gdbus")) {
        GTEST_SKIP() << "gdbus is not installed";
    }
    const QString good = QUrl::fromLocalFile(writeFile(dir, QStringLiteral("good.tessel"),
                                                       encodePaperDocument(kitchen)))
                             .toString();
    const QString bad = writeFile(dir, QStringLiteral("bad.tessel"), "paper");
    const ChildRun refused = open({good, QUrl::fromLocalFile(bad).toString()});
    EXPECT_NE(refused.code, 0);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("InvalidArgs"))) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("%1 is not a Tessel paper").arg(bad)));
    const ChildRun remote = open({QStringLiteral("https://example.com/a.tessel")});
    EXPECT_TRUE(remote.err.contains(QStringLiteral("is not a file"))) << remote.err.toStdString();
    EXPECT_TRUE(settings().customPapers.isEmpty());

    ASSERT_EQ(open({good, good}).code, 0);
    EXPECT_EQ(settings().customPapers.size(), 2);
}

} // namespace
} // namespace tessel
