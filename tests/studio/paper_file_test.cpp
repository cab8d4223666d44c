#include "core/SettingLimits.h"
#include "paper/PaperName.h"
#include "studio/CustomPapers.h"
#include "studio/PaperFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(PaperFile, WritesCompactDocumentsAndReadsOnlyPapers) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("paper.tessel"));
    const CustomPaper paper{QStringLiteral("custom-1"), QStringLiteral("Linen \"A\""), {}};
    ASSERT_EQ(writePaperDocument(path, paper), std::nullopt);
    ASSERT_EQ(writePaperDocument(path, paper), std::nullopt);
    EXPECT_TRUE(encodePaperDocument(paper).startsWith(
        R"({"id":"custom-1","name":"Linen \"A\"","recipe":{"cloud":)"));
    const auto read = readPaperDocument(path);
    ASSERT_TRUE(std::holds_alternative<CustomPaper>(read));
    EXPECT_EQ(std::get<CustomPaper>(read), paper);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(QByteArray(maxPaperDocumentBytes, ' '));
    file.close();
    EXPECT_EQ(std::get<PaperFileError>(readPaperDocument(path)), PaperFileError::tooLarge);
    EXPECT_EQ(std::get<PaperFileError>(readPaperDocument(dir.filePath(QStringLiteral("none")))),
              PaperFileError::unreadable);
}

TEST(CustomPapers, ImportAddsUnderFreshIdsAndDeleteFreesBothSlots) {
    Settings settings;
    const QString first =
        std::get<QString>(importPaper(settings, {QStringLiteral("custom-x"), {}, {}}));
    const QString second = std::get<QString>(
        importPaper(settings, {QStringLiteral("custom-x"), QStringLiteral("\n\u202E "), {}}));
    EXPECT_NE(first, second);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^custom-[0-9A-F]{8}$")).match(first).hasMatch());
    ASSERT_EQ(settings.customPapers.size(), 2);
    EXPECT_EQ(settings.customPapers[0].name, QStringLiteral("My Paper"));
    EXPECT_EQ(settings.customPapers[1].name, QStringLiteral("My Paper 2"));

    settings.customPapers.append({first, QStringLiteral("Twin"), {}});
    settings.day = {first, 90};
    settings.night = {first, 240};
    deleteCustomPaper(settings, first);
    EXPECT_EQ(settings.customPapers.size(), 1);
    EXPECT_EQ(settings.day, (Slot{QStringLiteral("kozo"), 90}));
    EXPECT_EQ(settings.night, (Slot{QStringLiteral("kozo"), 240}));
}

TEST(CustomPapers, ATakenNameGetsTheLowestFreeNumber) {
    Settings settings;
    for (const char* name : {"Kitchen", "Kitchen 2", "Attic 7"}) {
        settings.customPapers.append({newCustomPaperId(), QString::fromUtf8(name), {}});
    }
    const struct {
        const char* name;
        const char* unused;
    } rows[] = {{"Cellar", "Cellar"},   {"kitchen", "kitchen 3"}, {"Kitchen 2", "Kitchen 3"},
                {"Attic 7", "Attic 8"}, {"Felt", "Felt 2"},       {"2", "2"}};
    for (const auto& row : rows) {
        EXPECT_EQ(unusedPaperName(settings, QString::fromUtf8(row.name)),
                  QString::fromUtf8(row.unused))
            << row.name;
    }
    const QString longest(maxPaperNameLength, u'x');
    settings.customPapers.append({newCustomPaperId(), longest, {}});
    EXPECT_EQ(unusedPaperName(settings, longest),
              longest.left(maxPaperNameLength - 2) + QStringLiteral(" 2"));
}

TEST(CustomPapers, ANewPaperBeyondTheLimitIsRefusedAndChangesNothing) {
    const PaperRefusal refusal{
        QStringLiteral("Tessel keeps at most 500 papers of your own. Delete one to add another.")};
    struct Case {
        qsizetype stored;
        bool added;
    };
    for (const Case c :
         {Case{0, true}, Case{limits::customPapers - 1, true}, Case{limits::customPapers, false},
          Case{limits::customPapers + 5, false}}) {
        Settings settings;
        for (qsizetype i = 0; i < c.stored; ++i) {
            settings.customPapers.append({QStringLiteral("custom-%1").arg(i), {}, {}});
        }
        const Settings before = settings;
        const auto imported = importPaper(settings, {QStringLiteral("custom-x"), {}, {}});
        EXPECT_EQ(std::holds_alternative<QString>(imported), c.added) << c.stored;
        EXPECT_EQ(settings.customPapers.size(), c.stored + (c.added ? 1 : 0)) << c.stored;
        if (!c.added) {
            EXPECT_EQ(std::get<PaperRefusal>(imported), refusal);
            EXPECT_EQ(settings, before);
            EXPECT_EQ(storeCustomPaper(settings, {QStringLiteral("custom-new"), {}, {}}), refusal);
            const CustomPaper renamed{QStringLiteral("custom-0"), QStringLiteral("Kept"), {}};
            EXPECT_FALSE(storeCustomPaper(settings, renamed)) << "a stored paper still changes";
            EXPECT_EQ(settings.customPapers[0], renamed);
        }
    }
}

} // namespace
} // namespace tessel
