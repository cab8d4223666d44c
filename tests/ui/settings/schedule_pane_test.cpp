#include "core/StatusText.h"
#include "core/SunTimes.h"
#include "ui/UiTest.h"
#include "ui/settings/DisplaysPane.h"
#include "ui/settings/PapersPane.h"
#include "ui/settings/SchedulePane.h"

#include <QLineEdit>
#include <QTimeEdit>

namespace tessel {
namespace {

class SchedulePaneTest : public PaneTest {
protected:
    void SetUp() override {
        PaneTest::SetUp();
        pane = &show<SchedulePane>();
    }

    void choose(const char* mode) {
        QTest::mouseClick(named(*pane, QString::fromUtf8(mode)), Qt::LeftButton);
    }

    void findPlace(const QString& text) {
        auto* city = named<QLineEdit>(*pane, u"City"_s);
        city->clear();
        QTest::keyClicks(city, text);
        QTest::mouseClick(named(*pane, u"Set"_s), Qt::LeftButton);
    }

    SchedulePane* pane = nullptr;
};

TEST_F(SchedulePaneTest, FindsAPlaceAndShowsTodaysSunTimesInShortTime) {
    EXPECT_FALSE(named<QWidget>(*pane, u"City"_s)->isVisibleTo(pane));
    choose("From sunset to sunrise");
    EXPECT_TRUE(named<QWidget>(*pane, u"City"_s)->isVisibleTo(pane));

    findPlace(u"Xyzzyville"_s);
    EXPECT_TRUE(visibleTexts(*pane).contains(u"Couldn't find that place. Try a nearby city."));

    findPlace(u"Mumbai"_s);
    const Schedule& schedule = store->settings().schedule;
    ASSERT_TRUE(schedule.latitude && schedule.longitude);
    const auto sun =
        sunTimes(platform.now(), platform.timeZone(), *schedule.latitude, *schedule.longitude);
    ASSERT_TRUE(sun);
    const auto inUtc = [](const QDateTime& t) { return shortTime(t.toUTC().time()); };
    const QStringList texts = visibleTexts(*pane);
    EXPECT_FALSE(texts.contains(u"Couldn't find that place. Try a nearby city."));
    EXPECT_TRUE(texts.contains(u"Today in "_s + schedule.place)) << texts.join(u'|').toStdString();
    EXPECT_TRUE(
        texts.contains(u"Sunrise "_s + inUtc(sun->sunrise) + u"   Sunset "_s + inUtc(sun->sunset)));
}

TEST_F(SchedulePaneTest, SetHoursWriteMinutesAfterMidnight) {
    choose("Between set hours");
    auto* from = named<QTimeEdit>(*pane, u"From"_s);
    auto* until = named<QTimeEdit>(*pane, u"Until"_s);
    ASSERT_TRUE(from && until);
    EXPECT_TRUE(from->isVisibleTo(pane));
    from->setTime(QTime(21, 30));
    until->setTime(QTime(6, 15));
    EXPECT_EQ(store->settings().schedule.from, 21 * 60 + 30);
    EXPECT_EQ(store->settings().schedule.to, 6 * 60 + 15);

    store->updateSettings([](Settings& s) { s.schedule.to = 8 * 60; });
    EXPECT_EQ(until->time(), QTime(8, 0));
    choose("All the time");
    EXPECT_FALSE(from->isVisibleTo(pane));
}

using MarkupNames = PaneTest;

// Qt would take these for markup, and show a picture or bold text instead of the name.
TEST_F(MarkupNames, ShowAsTypedWhereverANameIsShown) {
    const QString markup = u"<b>Bold</b><img src=/etc/hostname>"_s;
    platform.setScreens({{u"A"_s, markup, {0, 0, 1440, 900}, 2}});
    store->updateSettings([&markup](Settings& s) {
        s.customPapers.append({u"custom-1"_s, markup, Recipe{}});
        s.day.paper = u"custom-1"_s;
        s.schedule = {Schedule::Mode::sunsetToSunrise, markup, 51.5, -0.1};
    });
    const QList<QWidget*> shownPanes{&show<PapersPane>(), &show<DisplaysPane>(),
                                     &show<SchedulePane>()};
    for (QWidget* shown : shownPanes) {
        int naming = 0;
        for (const QLabel* label : shown->findChildren<QLabel*>()) {
            if (label->isVisibleTo(shown) && label->text().contains(markup)) {
                EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
                ++naming;
            }
        }
        EXPECT_GT(naming, 0) << shown->metaObject()->className();
    }
}

} // namespace
} // namespace tessel
