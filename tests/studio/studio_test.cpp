#include "core/SettingLimits.h"
#include "paper/HeightField.h"
#include "paper/TileShading.h"
#include "studio/PaperFile.h"
#include "studio/Studio.h"
#include "studio/StudioPane.h"
#include "ui/UiTest.h"
#include "ui/kit/WarningLabel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QSlider>

#include <set>

namespace tessel {
namespace {

const CustomPaper kitchen{u"custom-00000000"_s, u"Kitchen"_s, Paper::find(u"graph"_s, {}).recipe};

// A shown Studio pane over a started Store, answering its file dialogs with `nextPath`.
class StudioTest : public UiTest {
protected:
    void SetUp() override {
        startStore();
        pane = std::make_unique<StudioPane>(*store);
        pane->setFileDialogs({[this](QWidget*, const QString& suggested) {
                                  suggestedName = suggested;
                                  return nextPath;
                              },
                              [this](QWidget*) { return nextPath; }});
        pane->resize(pane->minimumSizeHint().width(), 900);
        pane->show();
    }

    Studio& studio() const { return pane->studio(); }

    void click(const QString& name) const {
        QAbstractButton* found = named(*pane, name);
        ASSERT_TRUE(found) << name.toStdString();
        found->click();
    }

    void startFrom(const QString& paperName) const {
        for (QMenu* menu : pane->findChildren<QMenu*>()) {
            for (QAction* action : menu->actions()) {
                if (action->text() == paperName) {
                    action->trigger();
                    return;
                }
            }
        }
        FAIL() << "no paper named " << paperName.toStdString();
    }

    void typeName(const QString& name) const {
        auto* field = pane->findChild<QLineEdit*>();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, name);
    }

    const QList<CustomPaper>& customPapers() const { return store->settings().customPapers; }

    // The warning under the buttons, while one shows.
    std::optional<QString> reason() const {
        const auto* label = pane->findChild<WarningLabel*>();
        return label && label->isVisibleTo(pane.get()) ? std::optional(label->text())
                                                       : std::nullopt;
    }

    std::unique_ptr<StudioPane> pane;
    QString nextPath;
    QString suggestedName;
};

TEST_F(StudioTest, SavingABuiltInMakesOneCustomPaperThatLaterSavesReplace) {
    startFrom(u"Felt"_s);
    EXPECT_EQ(studio().name(), u"My Felt"_s);
    EXPECT_FALSE(studio().editing());
    EXPECT_FALSE(named(*pane, u"Delete"_s)->isVisibleTo(pane.get()));

    click(u"Save Paper"_s);
    ASSERT_EQ(customPapers().size(), 1);
    const QString id = customPapers()[0].id;
    const Recipe felt = Paper::find(u"felt"_s, {}).recipe;
    EXPECT_EQ(customPapers()[0], (CustomPaper{id, u"My Felt"_s, felt}));
    EXPECT_TRUE(studio().saved());

    typeName(u"Evening"_s);
    click(u"Save Changes"_s);
    EXPECT_EQ(customPapers(), QList<CustomPaper>({{id, u"Evening"_s, felt}}));
    EXPECT_TRUE(named(*pane, u"Delete"_s)->isVisibleTo(pane.get()));
    EXPECT_TRUE(waitFor([this] { return !studio().saved(); }));

    startFrom(u"Evening"_s);
    EXPECT_EQ(studio().editing(), id);
    EXPECT_EQ(studio().name(), u"Evening"_s);
}

TEST_F(StudioTest, AnEmptyNameSavesAsMyPaperExportsAsTypedAndNamesSaveCleaned) {
    typeName({});
    click(u"Save Paper"_s);
    ASSERT_EQ(customPapers().size(), 1);
    EXPECT_EQ(customPapers()[0].name, u"My Paper"_s);

    nextPath = dir.filePath(u"out.tessel"_s);
    click(u"Export..."_s);
    EXPECT_EQ(suggestedName, u"Paper.tessel"_s);
    EXPECT_TRUE(test::readFile(nextPath).contains(R"("name":"")"));

    studio().setName(u" Two\nlines\u202E "_s);
    click(u"Save Changes"_s);
    EXPECT_EQ(customPapers()[0].name, u"Two lines"_s);
    EXPECT_EQ(studio().name(), u"Two lines"_s);
}

TEST_F(StudioTest, DeletingTheNightPaperFallsBackToKozoAtTheSameWeight) {
    store->updateSettings([](Settings& settings) { settings.night.gsm = 210; });
    click(u"Use as Night Paper"_s);
    ASSERT_TRUE(studio().editing());
    const QString id = *studio().editing();
    EXPECT_EQ(store->settings().night, (Slot{id, 210}));
    EXPECT_EQ(store->settings().day.paper, u"kozo"_s);

    const Recipe kept = studio().recipe();
    click(u"Delete"_s);
    EXPECT_TRUE(customPapers().isEmpty());
    EXPECT_EQ(store->settings().night, (Slot{u"kozo"_s, 210}));
    EXPECT_FALSE(studio().editing());
    EXPECT_EQ(studio().name(), u"My Paper"_s);
    EXPECT_EQ(studio().recipe(), kept);
    EXPECT_EQ(named(*pane, u"Save Paper"_s)->text(), u"Save Paper"_s);
}

TEST_F(StudioTest, ImportTakesOnlyPaperDocumentsAndAlwaysMakesANewPaper) {
    const Settings before = store->settings();
    nextPath = write(u"text.json"_s, "paper");
    click(u"Import..."_s);
    EXPECT_EQ(store->settings(), before);
    EXPECT_EQ(studio().name(), u"My Paper"_s);
    EXPECT_EQ(reason(), nextPath + u" is not a Tessel paper"_s);

    nextPath = write(u"kitchen.tessel"_s, encodePaperDocument(kitchen));
    click(u"Import..."_s);
    click(u"Import..."_s);
    ASSERT_EQ(customPapers().size(), 2);
    EXPECT_NE(customPapers()[0].id, customPapers()[1].id);
    EXPECT_EQ(customPapers()[0], (CustomPaper{customPapers()[0].id, u"Kitchen"_s, kitchen.recipe}));
    EXPECT_EQ(customPapers()[1],
              (CustomPaper{customPapers()[1].id, u"Kitchen 2"_s, kitchen.recipe}));
    EXPECT_EQ(studio().editing(), customPapers()[1].id);
    EXPECT_FALSE(reason());

    nextPath = dir.filePath(u"missing/kitchen.tessel"_s);
    click(u"Export..."_s);
    EXPECT_TRUE(reason().value_or(QString()).startsWith(u"Couldn't write "_s + nextPath));
}

TEST_F(StudioTest, AtTheLimitNewPapersAreRefusedWithTheReasonButChangesSave) {
    click(u"Save Paper"_s);
    store->updateSettings([](Settings& s) {
        while (s.customPapers.size() < limits::customPapers) {
            s.customPapers.append({u"custom-%1"_s.arg(s.customPapers.size()), {}, {}});
        }
    });
    const Settings full = store->settings();
    EXPECT_FALSE(reason());

    startFrom(u"Felt"_s);
    click(u"Save Paper"_s);
    nextPath = write(u"kitchen.tessel"_s, encodePaperDocument(kitchen));
    click(u"Import..."_s);
    click(u"Use as Day Paper"_s);
    EXPECT_EQ(store->settings(), full);
    EXPECT_EQ(studio().name(), u"My Felt"_s);
    EXPECT_FALSE(studio().editing());
    EXPECT_EQ(reason(),
              u"Tessel keeps at most 500 papers of your own. Delete one to add another."_s);

    startFrom(u"My Paper"_s);
    click(u"Use as Day Paper"_s);
    EXPECT_EQ(store->settings().day.paper, customPapers()[0].id);
    EXPECT_FALSE(reason());
}

// What the worker made is handed to the cache with the paper, so its swatch needs no job.
TEST_F(StudioTest, ASavedPaperTakesTheStudiosPreviewForItsSwatch) {
    studio().setRecipe(Paper::find(u"laid"_s, {}).recipe);
    const QImage expected = previewImage(heightField(studio().recipe(), 256), 256);
    ASSERT_TRUE(waitFor([&] { return studio().preview() == expected; }));
    click(u"Save Paper"_s);
    EXPECT_EQ(store->previews().value(*studio().editing()).cacheKey(),
              studio().preview()->cacheKey());
}

TEST_F(StudioTest, AmountFollowsThePatternAndVariationsAreNeverZero) {
    auto* amount = named<QSlider>(*pane, u"Amount"_s);
    ASSERT_TRUE(amount);
    EXPECT_FALSE(amount->isEnabled());
    choose(*pane->findChild<QComboBox*>(), u"Laid lines"_s);
    EXPECT_EQ(studio().recipe().pattern, Recipe::Pattern::laid);
    EXPECT_TRUE(amount->isEnabled());

    studio().setRandomGenerator(QRandomGenerator(7));
    std::set<std::uint64_t> seeds;
    for (int draw = 0; draw < 5000; ++draw) {
        click(u"New Variation"_s);
        seeds.insert(studio().recipe().seed);
    }
    EXPECT_GE(*seeds.begin(), 1u);
    EXPECT_LE(*seeds.rbegin(), 999999u);
    EXPECT_GT(seeds.size(), 4900u);
}

} // namespace
} // namespace tessel
