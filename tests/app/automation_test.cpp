#include "RunningTessel.h"

namespace tessel {
namespace {

class Automation : public RunningTessel {
protected:
    void SetUp() override {
        RunningTessel::SetUp();
        if (!IsSkipped() && !hasProgram("gdbus")) {
            GTEST_SKIP() << "gdbus is not installed";
        }
    }
};

TEST_F(Automation, ActionsActOnTheStore) {
    ASSERT_EQ(action(QStringLiteral("set-paper-on"), QStringLiteral("[<false>]")).code, 0);
    EXPECT_FALSE(settings().enabled);

    const ChildRun paper =
        action(QStringLiteral("set-paper"), QStringLiteral("[<('graph', 200)>]"));
    ASSERT_EQ(paper.code, 0) << paper.err.toStdString();
    EXPECT_EQ(settings().day, (Slot{QStringLiteral("graph"), 200}));
    EXPECT_EQ(settings().night, (Slot{QStringLiteral("graph"), 200}));
    EXPECT_TRUE(settings().enabled);

    // A weight of 0 means none was given.
    ASSERT_EQ(action(QStringLiteral("set-paper"), QStringLiteral("[<('laid', 0)>]")).code, 0);
    EXPECT_EQ(settings().day, (Slot{QStringLiteral("laid"), 200}));

    ASSERT_EQ(action(QStringLiteral("snooze"), QStringLiteral("[<30>]")).code, 0);
    EXPECT_DOUBLE_EQ(Instant::fromDateTime(platform.now()).secondsUntil(*settings().snoozedUntil),
                     1800);
    // Without a value the snooze takes its default of 15 minutes.
    ASSERT_EQ(action(QStringLiteral("snooze"), QStringLiteral("[]")).code, 0);
    EXPECT_DOUBLE_EQ(Instant::fromDateTime(platform.now()).secondsUntil(*settings().snoozedUntil),
                     900);

    ASSERT_EQ(action(QStringLiteral("set-focus-filter"), QStringLiteral("[<(true, 'felt')>]")).code,
              0);
    EXPECT_EQ(app->store().focusFilter(), (FocusFilter{true, QStringLiteral("felt")}));
    ASSERT_EQ(action(QStringLiteral("set-focus-filter"), QStringLiteral("[<(false, '')>]")).code,
              0);
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
        EXPECT_TRUE(run.err.contains(QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs")))
            << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
    }
    EXPECT_EQ(settings(), before);
    EXPECT_FALSE(app->store().focusFilter());
}

TEST_F(Automation, GapplicationDrivesTheSameActions) {
    if (!hasProgram("gapplication")) {
        GTEST_SKIP() << "gapplication is not installed";
    }
    const auto gapplication = [](const QStringList& arguments) {
        return runChild(
            QStringLiteral("gapplication"),
            QStringList{QStringLiteral("action"), QStringLiteral("com.corvane.Tessel")} +
                arguments);
    };
    ASSERT_EQ(gapplication({QStringLiteral("set-paper"), QStringLiteral("('felt', 150)")}).code, 0);
    EXPECT_EQ(settings().night, (Slot{QStringLiteral("felt"), 150}));
    ASSERT_EQ(gapplication({QStringLiteral("snooze"), QStringLiteral("5")}).code, 0);
    EXPECT_TRUE(app->store().isSnoozed());
    EXPECT_NE(gapplication({QStringLiteral("snooze"), QStringLiteral("1000")}).code, 0);
}

TEST_F(Automation, ActivateReopensTheRightWindow) {
    app->store().updateSettings([](Settings& s) { s.onboarded = false; });
    ASSERT_EQ(
        gdbus(QStringLiteral("org.freedesktop.Application.Activate"), {QStringLiteral("{}")}).code,
        0);
    ASSERT_TRUE(app->windows().window(QStringLiteral("welcome")));
    EXPECT_TRUE(app->windows().window(QStringLiteral("welcome"))->isVisible());
    EXPECT_FALSE(app->windows().window(QStringLiteral("settings")));
}

} // namespace
} // namespace tessel
