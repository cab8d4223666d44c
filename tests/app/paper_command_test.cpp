#include "AppTest.h"
#include "CommandTest.h"
#include "app/StoredSettings.h"
#include "core/SettingLimits.h"
#include "studio/PaperFile.h"

#include <QFile>
#include <QUrl>

namespace tessel {
namespace {

const CustomPaper kitchen{u"custom-0000ABCD"_s, u"Kitchen"_s, Paper::find(u"linen"_s, {}).recipe};

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

// With no Tessel on the bus the commands edit the stored settings.
using PaperCommands = CommandTest;

TEST_F(PaperCommands, ImportStoresUnderANewIdAndExportWritesItBack) {
    const Outcome imported =
        run({u"import"_s, write(u"kitchen.tessel"_s, encodePaperDocument(kitchen))});
    ASSERT_EQ(imported.code, 0) << imported.err.toStdString();
    const QList<CustomPaper> stored = storedSettings().customPapers;
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(imported.out, stored[0].id + u'\n');
    EXPECT_NE(stored[0].id, kitchen.id);
    EXPECT_EQ(stored[0].name, kitchen.name);

    const QString out = path(u"out.tessel"_s);
    ASSERT_EQ(run({u"export-paper"_s, stored[0].id, out}).code, 0);
    EXPECT_EQ(std::get<CustomPaper>(readPaperDocument(out)), stored[0]);
    ASSERT_EQ(run({u"export-paper"_s, u"felt"_s, out}).code, 0);
    EXPECT_EQ(std::get<CustomPaper>(readPaperDocument(out)).recipe,
              Paper::find(u"felt"_s, {}).recipe);
}

TEST_F(PaperCommands, RefusalsAreOneLineAndChangeNothing) {
    const QString notPaper = write(u"notes.json"_s, "{\"id\": 1}");
    const QString large = write(u"large.tessel"_s, QByteArray(maxPaperDocumentBytes + 1, ' '));
    const std::pair<QStringList, QString> refusals[] = {
        {{u"import"_s, notPaper}, u"%1 is not a Tessel paper"_s.arg(notPaper)},
        {{u"import"_s, large}, u"%1 is larger than 1 MiB"_s.arg(large)},
        {{u"export-paper"_s, u"custom-FFFFFFFF"_s, path(u"x.tessel"_s)},
         u"No paper with the id custom-FFFFFFFF"_s},
    };
    for (const auto& [arguments, reason] : refusals) {
        const Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.code, 1);
        EXPECT_EQ(outcome.err, u"tessel: "_s + reason + u'\n');
        EXPECT_TRUE(outcome.out.isEmpty());
    }
    EXPECT_TRUE(storedSettings().customPapers.isEmpty());
    EXPECT_FALSE(QFile::exists(path(u"x.tessel"_s)));
}

// With Tessel running, imports go through it over the bus.
class PaperFilesWhileRunning : public AppTest {
protected:
    void SetUp() override { publish(); }

    ChildRun open(const QStringList& uris) {
        return gdbus(u"org.freedesktop.Application.Open"_s,
                     {u"['%1']"_s.arg(uris.join(u"', '"_s)), u"{}"_s});
    }
};

TEST_F(PaperFilesWhileRunning, ImportGoesThroughTheRunningTessel) {
    const QString path = writeFile(dir, u"kitchen.tessel"_s, encodePaperDocument(kitchen));
    const ChildRun imported = tessel({u"import"_s, path});
    ASSERT_EQ(imported.code, 0) << imported.err.toStdString();
    ASSERT_EQ(settings().customPapers.size(), 1);
    EXPECT_EQ(imported.out, settings().customPapers[0].id + u'\n');

    // As the file manager starts it for several files; each name taken gets a number.
    const ChildRun opened = tessel({path, path});
    ASSERT_EQ(opened.code, 0) << opened.err.toStdString();
    const QList<CustomPaper> papers = settings().customPapers;
    ASSERT_EQ(papers.size(), 3);
    EXPECT_EQ(opened.out, papers[1].id + u'\n' + papers[2].id + u'\n');
    EXPECT_EQ(papers[1].name, u"Kitchen 2"_s);
    EXPECT_EQ(papers[2].name, u"Kitchen 3"_s);
    EXPECT_TRUE(waitFor([&] { return app->store().previews().contains(papers[2].id); }));
}

TEST_F(PaperFilesWhileRunning, ImportIsRefusedWithTheReasonOnceTheLimitIsReached) {
    app->store().updateSettings([](Settings& s) {
        while (s.customPapers.size() < limits::customPapers) {
            s.customPapers.append({u"custom-%1"_s.arg(s.customPapers.size()), {}, {}});
        }
    });
    const QString path = writeFile(dir, u"kitchen.tessel"_s, encodePaperDocument(kitchen));
    const ChildRun refused = tessel({u"import"_s, path});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err, QStringLiteral("tessel: Tessel keeps at most 500 papers of your own. "
                                          "Delete one to add another.\n"));
    EXPECT_EQ(settings().customPapers.size(), limits::customPapers);
}

TEST_F(PaperFilesWhileRunning, OpenRefusesAllWhenAnyIsNotAPaper) {
    const QString good =
        QUrl::fromLocalFile(writeFile(dir, u"good.tessel"_s, encodePaperDocument(kitchen)))
            .toString();
    const QString bad = writeFile(dir, u"bad.tessel"_s, "paper");
    const ChildRun refused = open({good, QUrl::fromLocalFile(bad).toString()});
    EXPECT_NE(refused.code, 0);
    EXPECT_TRUE(refused.err.contains(u"InvalidArgs"_s)) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(u"%1 is not a Tessel paper"_s.arg(bad)));
    const ChildRun remote = open({u"https://example.com/a.tessel"_s});
    EXPECT_TRUE(remote.err.contains(u"is not a file"_s)) << remote.err.toStdString();
    EXPECT_TRUE(settings().customPapers.isEmpty());

    ASSERT_EQ(open({good, good}).code, 0);
    EXPECT_EQ(settings().customPapers.size(), 2);
}

} // namespace
} // namespace tessel
