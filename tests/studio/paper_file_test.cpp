#include "core/SettingLimits.h"
#include "paper/PaperName.h"
#include "studio/CustomPapers.h"
#include "studio/PaperFile.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

// Writing over a document and reading it back are the command line's export tests'; a compact
// document the Studio's export test's.
TEST(PaperFile, AMissingFileIsUnreadable) {
    QTemporaryDir dir;
    EXPECT_EQ(std::get<PaperFileError>(readPaperDocument(dir.filePath(u"none"_s))),
              PaperFileError::unreadable);
}

// Fresh ids for each import and numbered names are the Studio's import test's to show.
TEST(CustomPapers, ImportAddsUnderAFreshIdAndDeleteFreesBothSlots) {
    Settings settings;
    const QString id =
        std::get<QString>(importPaper(settings, {u"custom-x"_s, u"\n\u202E "_s, {}}));
    EXPECT_TRUE(QRegularExpression(u"^custom-[0-9A-F]{8}$"_s).match(id).hasMatch());
    EXPECT_EQ(settings.customPapers, QList<CustomPaper>({{id, u"My Paper"_s, {}}}));

    settings.customPapers.append({id, u"Twin"_s, {}});
    settings.day = {id, 90};
    settings.night = {id, 240};
    deleteCustomPaper(settings, id);
    EXPECT_TRUE(settings.customPapers.isEmpty());
    EXPECT_EQ(settings.day, (Slot{u"kozo"_s, 90}));
    EXPECT_EQ(settings.night, (Slot{u"kozo"_s, 240}));
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

// The refusal's words and a stored paper changing at the limit are the Studio's to show.
TEST(CustomPapers, ANewPaperBeyondTheLimitIsRefusedAndChangesNothing) {
    for (const qsizetype stored :
         {limits::customPapers - 1, limits::customPapers, limits::customPapers + 5}) {
        Settings settings;
        for (qsizetype i = 0; i < stored; ++i) {
            settings.customPapers.append({u"custom-%1"_s.arg(i), {}, {}});
        }
        const Settings before = settings;
        const bool added = stored < limits::customPapers;
        const auto imported = importPaper(settings, {u"custom-x"_s, {}, {}});
        EXPECT_EQ(std::holds_alternative<QString>(imported), added) << stored;
        EXPECT_EQ(settings.customPapers.size(), stored + (added ? 1 : 0)) << stored;
        EXPECT_EQ(settings == before, !added) << stored;
    }
}

} // namespace
} // namespace tessel
