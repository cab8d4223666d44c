#include "AppTest.h"

namespace tessel {
namespace {

class Automation : public AppTest {
protected:
    void SetUp() override { publish(); }
};

TEST_F(Automation, ActionsActOnTheStore) {
    ASSERT_EQ(action(u"set-paper-on"_s, u"[<false>]"_s).code, 0);
    EXPECT_FALSE(settings().enabled);

    const ChildRun paper = action(u"set-paper"_s, u"[<('graph', 200)>]"_s);
    ASSERT_EQ(paper.code, 0) << paper.err.toStdString();
    EXPECT_EQ(settings().day, (Slot{u"graph"_s, 200}));
    EXPECT_EQ(settings().night, (Slot{u"graph"_s, 200}));
    EXPECT_TRUE(settings().enabled);

    // A weight of 0 means none was given.
    ASSERT_EQ(action(u"set-paper"_s, u"[<('laid', 0)>]"_s).code, 0);
    EXPECT_EQ(settings().day, (Slot{u"laid"_s, 200}));

    ASSERT_EQ(action(u"snooze"_s, u"[<30>]"_s).code, 0);
    EXPECT_DOUBLE_EQ(Instant::fromDateTime(platform.now()).secondsUntil(*settings().snoozedUntil),
                     1800);
    // Without a value the snooze takes its default of 15 minutes.
    ASSERT_EQ(action(u"snooze"_s, u"[]"_s).code, 0);
    EXPECT_DOUBLE_EQ(Instant::fromDateTime(platform.now()).secondsUntil(*settings().snoozedUntil),
                     900);

    ASSERT_EQ(action(u"set-focus-filter"_s, u"[<(true, 'felt')>]"_s).code, 0);
    EXPECT_EQ(app->store().focusFilter(), (FocusFilter{true, u"felt"_s}));
    ASSERT_EQ(action(u"set-focus-filter"_s, u"[<(false, '')>]"_s).code, 0);
    EXPECT_EQ(app->store().focusFilter(), (FocusFilter{false, std::nullopt}));
}

TEST_F(Automation, RefusesWhatIsOutOfRangeAndChangesNothing) {
    const Settings before = settings();
    struct Case {
        const char* action;
        const char* parameter;
        const char* message;
    };
    const Case cases[] = {
        {"set-paper", "[<('graph', 301)>]", "Weight must be from 60 to 300 gsm, not 301."},
        {"set-paper", "[<('graph', 59)>]", "Weight must be from 60 to 300 gsm, not 59."},
        {"set-paper", "[<('mine', 120)>]", "There is no paper \"mine\"."},
        {"snooze", "[<0>]", "Minutes must be from 1 to 720, not 0."},
        {"snooze", "[<721>]", "Minutes must be from 1 to 720, not 721."},
        {"snooze", "[<'ten'>]", "The action \"snooze\" takes one value of type i."},
        {"set-focus-filter", "[<(true, 'Felt')>]", "There is no paper \"Felt\"."},
        {"set-paper-on", "[<1>]", "takes one value of type b"},
        {"lay-it-down", "[]", "Tessel has no action \"lay-it-down\""},
    };
    for (const Case& c : cases) {
        const ChildRun run =
            action(QString::fromLatin1(c.action), QString::fromLatin1(c.parameter));
        EXPECT_NE(run.code, 0) << c.parameter;
        EXPECT_TRUE(run.err.contains(u"org.freedesktop.DBus.Error.InvalidArgs"_s))
            << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
    }
    EXPECT_EQ(settings(), before);
    EXPECT_FALSE(app->store().focusFilter());
}

TEST_F(Automation, ActivateReopensTheRightWindow) {
    app->store().updateSettings([](Settings& s) { s.onboarded = false; });
    ASSERT_EQ(gdbus(u"org.freedesktop.Application.Activate"_s, {u"{}"_s}).code, 0);
    ASSERT_TRUE(window(u"welcome"_s));
    EXPECT_TRUE(window(u"welcome"_s)->isVisible());
    EXPECT_FALSE(window(u"settings"_s));
}

} // namespace
} // namespace tessel
