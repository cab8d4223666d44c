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
    const QString first = importPaper(settings, {QStringLiteral("custom-x"), {}, {}});
    const QString second = importPaper(settings, {QStringLiteral("custom-x"), {}, {}});
    EXPECT_NE(first, second);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^custom-[0-9A-F]{8}$")).match(first).hasMatch());
    ASSERT_EQ(settings.customPapers.size(), 2);
    EXPECT_EQ(settings.customPapers[0].name, QStringLiteral("My Paper"));

    settings.customPapers.append({first, QStringLiteral("Twin"), {}});
    settings.day = {first, 90};
    settings.night = {first, 240};
    deleteCustomPaper(settings, first);
    EXPECT_EQ(settings.customPapers.size(), 1);
    EXPECT_EQ(settings.day, (Slot{QStringLiteral("kozo"), 90}));
    EXPECT_EQ(settings.night, (Slot{QStringLiteral("kozo"), 240}));
}

} // namespace
} // namespace tessel
