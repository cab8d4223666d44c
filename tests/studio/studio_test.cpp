#include "StudioFixture.h"
#include "core/SettingLimits.h"
#include "paper/HeightField.h"
#include "paper/TileShading.h"
#include "studio/PaperFile.h"
#include "ui/kit/WarningLabel.h"

#include <QComboBox>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSlider>

#include <set>
#include <tuple>

namespace tessel {
namespace {

TEST_F(StudioTest, SavingABuiltInMakesOneCustomPaperThatLaterSavesReplace) {
    startFrom(QStringLiteral("Felt"));
    EXPECT_EQ(studio().name(), QStringLiteral("My Felt"));
    EXPECT_FALSE(studio().editing());
    EXPECT_EQ(studio().recipe(), Paper::find(QStringLiteral("felt"), {}).recipe);
    EXPECT_FALSE(button(*pane, QStringLiteral("Delete"))->isVisibleTo(pane.get()));

    click(QStringLiteral("Save Paper"));
    ASSERT_EQ(customPapers().size(), 1);
    const QString id = customPapers()[0].id;
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^custom-[0-9A-F]{8}$")).match(id).hasMatch());
    EXPECT_EQ(customPapers()[0].name, QStringLiteral("My Felt"));
    EXPECT_TRUE(studio().saved());

    typeName(QStringLiteral("Evening"));
    click(QStringLiteral("Save Changes"));
    ASSERT_EQ(customPapers().size(), 1);
    EXPECT_EQ(customPapers()[0].id, id);
    EXPECT_EQ(customPapers()[0].name, QStringLiteral("Evening"));
    EXPECT_TRUE(button(*pane, QStringLiteral("Delete"))->isVisibleTo(pane.get()));
    EXPECT_TRUE(waitFor([this] { return !studio().saved(); }));

    startFrom(QStringLiteral("Evening"));
    EXPECT_EQ(studio().editing(), id);
    EXPECT_EQ(studio().name(), QStringLiteral("Evening"));
}

TEST_F(StudioTest, AnEmptyNameSavesAsMyPaperExportsAsTypedAndNamesSaveCleaned) {
    typeName({});
    click(QStringLiteral("Save Paper"));
    ASSERT_EQ(customPapers().size(), 1);
    EXPECT_EQ(customPapers()[0].name, QStringLiteral("My Paper"));

    nextPath = dir.filePath(QStringLiteral("out.tessel"));
    click(QStringLiteral("Export..."));
    EXPECT_EQ(suggestedName, QStringLiteral("Paper.tessel"));
    QFile written(nextPath);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_TRUE(bytes.startsWith("{\"id\":\"" + customPapers()[0].id.toUtf8() +
                                 "\",\"name\":\"\",\"recipe\":{"))
        << bytes.constData();

    studio().setName(QStringLiteral(" Two\nlines\u202E "));
    click(QStringLiteral("Save Changes"));
    EXPECT_EQ(customPapers()[0].name, QStringLiteral("Two lines"));
    EXPECT_EQ(studio().name(), QStringLiteral("Two lines"));
}

TEST_F(StudioTest, DeletingTheNightPaperFallsBackToKozoAtTheSameWeight) {
    store->updateSettings([](Settings& settings) { settings.night.gsm = 210; });
    click(QStringLiteral("Use as Night Paper"));
    ASSERT_TRUE(studio().editing());
    const QString id = *studio().editing();
    EXPECT_EQ(store->settings().night, (Slot{id, 210}));
    EXPECT_EQ(store->settings().day.paper, QStringLiteral("kozo"));

    const Recipe kept = studio().recipe();
    click(QStringLiteral("Delete"));
    EXPECT_TRUE(customPapers().isEmpty());
    EXPECT_EQ(store->settings().night, (Slot{QStringLiteral("kozo"), 210}));
    EXPECT_FALSE(studio().editing());
    EXPECT_EQ(studio().name(), QStringLiteral("My Paper"));
    EXPECT_EQ(studio().recipe(), kept);
    EXPECT_EQ(button(*pane, QStringLiteral("Save Paper"))->text(), QStringLiteral("Save Paper"));
}

TEST_F(StudioTest, ImportTakesOnlyPaperDocumentsAndAlwaysMakesANewPaper) {
    CustomPaper document{QStringLiteral("custom-00000000"), QStringLiteral("Kitchen"),
                         Paper::find(QStringLiteral("graph"), {}).recipe};
    const QByteArray valid = encodePaperDocument(document);
    QByteArray unknownPattern = valid;
    unknownPattern.replace("\"graph\"", "\"plaid\"");
    const QByteArray oversized = valid + QByteArray(maxPaperDocumentBytes, ' ');
    const Settings before = store->settings();
    auto* reason = pane->findChild<WarningLabel*>();
    ASSERT_TRUE(reason);
    for (const auto& [fileName, bytes, says] :
         {std::tuple{"plaid.tessel", unknownPattern, "is not a Tessel paper"},
          std::tuple{"text.json", QByteArray("paper"), "is not a Tessel paper"},
          std::tuple{"large.tessel", oversized, "is larger than 1 MiB"}}) {
        nextPath = writeFile(QString::fromLatin1(fileName), bytes);
        click(QStringLiteral("Import..."));
        EXPECT_EQ(store->settings(), before) << fileName;
        EXPECT_EQ(studio().name(), QStringLiteral("My Paper")) << fileName;
        EXPECT_TRUE(reason->isVisibleTo(pane.get())) << fileName;
        EXPECT_EQ(reason->text(), nextPath + u' ' + QLatin1String(says));
    }

    nextPath = writeFile(QStringLiteral("kitchen.tessel"), valid);
    click(QStringLiteral("Import..."));
    click(QStringLiteral("Import..."));
    ASSERT_EQ(customPapers().size(), 2);
    EXPECT_NE(customPapers()[0].id, customPapers()[1].id);
    EXPECT_EQ(customPapers()[0].name, QStringLiteral("Kitchen"));
    EXPECT_EQ(customPapers()[1].name, QStringLiteral("Kitchen 2"));
    for (const CustomPaper& paper : customPapers()) {
        EXPECT_EQ(paper.recipe, document.recipe);
    }
    EXPECT_EQ(studio().editing(), customPapers()[1].id);
    EXPECT_FALSE(reason->isVisibleTo(pane.get()));

    nextPath = dir.filePath(QStringLiteral("missing/kitchen.tessel"));
    click(QStringLiteral("Export..."));
    EXPECT_TRUE(reason->isVisibleTo(pane.get()));
    EXPECT_TRUE(reason->text().startsWith(QStringLiteral("Couldn't write ") + nextPath))
        << reason->text().toStdString();
}

TEST_F(StudioTest, AtTheLimitNewPapersAreRefusedWithTheReasonButChangesSave) {
    click(QStringLiteral("Save Paper"));
    store->updateSettings([](Settings& s) {
        while (s.customPapers.size() < limits::customPapers) {
            s.customPapers.append({QStringLiteral("custom-%1").arg(s.customPapers.size()), {}, {}});
        }
    });
    const Settings full = store->settings();
    auto* reason = pane->findChild<WarningLabel*>();
    ASSERT_TRUE(reason);
    EXPECT_FALSE(reason->isVisibleTo(pane.get()));

    startFrom(QStringLiteral("Felt"));
    click(QStringLiteral("Save Paper"));
    nextPath = writeFile(QStringLiteral("kitchen.tessel"),
                         encodePaperDocument({QStringLiteral("custom-1"), QStringLiteral("Kitchen"),
                                              Paper::find(QStringLiteral("graph"), {}).recipe}));
    click(QStringLiteral("Import..."));
    click(QStringLiteral("Use as Day Paper"));
    EXPECT_EQ(store->settings(), full);
    EXPECT_EQ(studio().name(), QStringLiteral("My Felt"));
    EXPECT_FALSE(studio().editing());
    EXPECT_TRUE(reason->isVisibleTo(pane.get()));
    EXPECT_EQ(reason->text(), QStringLiteral("Tessel keeps at most 500 papers of your own. Delete "
                                             "one to add another."));

    startFrom(QStringLiteral("My Paper"));
    click(QStringLiteral("Use as Day Paper"));
    EXPECT_EQ(store->settings().day.paper, customPapers()[0].id);
    EXPECT_FALSE(reason->isVisibleTo(pane.get()));
}

TEST_F(StudioTest, ExportThenImportKeepsTheRecipeExactly) {
    Recipe recipe;
    recipe.cloud = 0.123456789f;
    recipe.warmth = -0.987654321f;
    recipe.fibreWidth = 1.0f / 3;
    recipe.pattern = Recipe::Pattern::linen;
    recipe.patternAmount = 0.3f;
    recipe.seed = 18446744073709551615ULL;
    studio().setRecipe(recipe);
    nextPath = dir.filePath(QStringLiteral("exact.tessel"));
    click(QStringLiteral("Export..."));
    click(QStringLiteral("Import..."));
    ASSERT_EQ(customPapers().size(), 1);
    EXPECT_EQ(customPapers()[0].recipe, recipe);
}

TEST_F(StudioTest, ABurstOfChangesMakesOnePreviewOfTheLastRecipe) {
    ASSERT_TRUE(waitFor([this] { return studio().preview().has_value(); }));
    QSignalSpy started(&studio(), &Studio::synthesisStarted);
    Recipe recipe = studio().recipe();
    for (int step = 1; step <= 30; ++step) {
        recipe.grain = step / 30.0f;
        studio().setRecipe(recipe);
    }
    const QImage expected = previewImage(heightField(recipe, 256), 256);
    EXPECT_TRUE(waitFor([&] { return studio().preview() == expected; }));
    EXPECT_EQ(started.count(), 1);

    click(QStringLiteral("Save Paper"));
    const QString id = *studio().editing();
    EXPECT_EQ(store->previews().value(id).cacheKey(), studio().preview()->cacheKey());
}

TEST_F(StudioTest, AmountFollowsThePatternAndVariationsAreNeverZero) {
    auto* picker = pane->findChild<QComboBox*>();
    QSlider* amount = nullptr;
    for (QSlider* slider : pane->findChildren<QSlider*>()) {
        amount = slider->accessibleName() == u"Amount" ? slider : amount;
    }
    ASSERT_TRUE(picker && amount);
    EXPECT_FALSE(amount->isEnabled());
    picker->setCurrentIndex(picker->findText(QStringLiteral("Laid lines")));
    Q_EMIT picker->activated(picker->currentIndex());
    EXPECT_EQ(studio().recipe().pattern, Recipe::Pattern::laid);
    EXPECT_TRUE(amount->isEnabled());

    studio().setRandomGenerator(QRandomGenerator(7));
    std::set<std::uint64_t> seeds;
    for (int draw = 0; draw < 5000; ++draw) {
        click(QStringLiteral("New Variation"));
        seeds.insert(studio().recipe().seed);
    }
    EXPECT_GE(*seeds.begin(), 1u);
    EXPECT_LE(*seeds.rbegin(), 999999u);
    EXPECT_GT(seeds.size(), 4900u);
}

} // namespace
} // namespace tessel
