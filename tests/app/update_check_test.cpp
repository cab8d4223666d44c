#include "MachineTest.h"
#include "app/Alerts.h"
#include "app/UpdateCheck.h"

#include <QFile>
#include <QSignalSpy>

namespace tessel {
namespace {

// Each alert as "message: text", an offer to download marked as such.
class RecordingAlerts final : public Alerts {
public:
    void inform(const QString& message, const QString& text) override {
        shown << message + u": "_s + text;
    }
    bool offerDownload(const QString& message, const QString& text) override {
        shown << u"Offer "_s + message + u": "_s + text;
        return download;
    }

    QStringList shown;
    bool download = true;
};

// With a key the check does not know, which it passes over.
const QByteArray newer = R"({"version": "1.10", "url": "https://corvane.com/tessel/download",
                             "notes": "Felt is softer.", "size": 12})";

// Checks read the feed from a file: what a check makes of the body does not depend on how it
// was fetched, and a missing file is a failed fetch.
class UpdateCheckTest : public MachineTest {
protected:
    std::unique_ptr<UpdateCheck> makeCheck(QUrl from, QString running = u"1.2"_s) {
        return std::make_unique<UpdateCheck>(platform, std::move(from), std::move(running), alerts,
                                             [this](const QUrl& url) {
                                                 opened.push_back(url);
                                                 return true;
                                             });
    }

    void publish(const QByteArray& body) { ASSERT_TRUE(test::writeFile(feed.toLocalFile(), body)); }

    // Runs one check against the feed as it is now and waits for its outcome.
    void check(UpdateCheck& updates, bool interactive) {
        QSignalSpy done(&updates, &UpdateCheck::finished);
        updates.check(interactive);
        ASSERT_TRUE(waitFor([&] { return done.count() == 1; }));
    }

    std::optional<double> lastCheck() {
        const auto value = platform.defaults().value("lastUpdateCheck");
        return value ? std::optional(value->get<double>()) : std::nullopt;
    }

    const QUrl feed = QUrl::fromLocalFile(dir.filePath(u"version.json"_s));
    RecordingAlerts alerts;
    std::vector<QUrl> opened;
};

TEST_F(UpdateCheckTest, ANewerVersionIsOfferedAndDownloadOpensItsPage) {
    auto updates = makeCheck(feed);
    publish(newer);
    check(*updates, false);
    EXPECT_EQ(alerts.shown, QStringList{u"Offer Tessel 1.10 is available: Felt is softer."_s});
    EXPECT_EQ(opened, std::vector{QUrl(u"https://corvane.com/tessel/download"_s)});

    alerts.download = false;
    check(*updates, true);
    EXPECT_EQ(alerts.shown.size(), 2);
    EXPECT_EQ(opened.size(), 1u);

    // Without notes the offer names the running version.
    publish(R"({"version": "1.0", "url": "https://corvane.com/d"})");
    check(*makeCheck(feed, QString()), false);
    EXPECT_EQ(alerts.shown.back(), u"Offer Tessel 1.0 is available: You have version 0."_s);
}

TEST_F(UpdateCheckTest, NoNewerVersionOrAFailedCheckIsReportedOnlyWhenAsked) {
    const QString upToDate = u"Tessel is up to date: You have version 1.2."_s;
    const QString couldNotCheck =
        u"Couldn't check for updates: Check your internet connection and try again."_s;
    // Feeds the decoder refuses are its own tests' business; these reach the check's own
    // limits: no feed at all, pages it must not open, and a body beyond the cap.
    const std::pair<QByteArray, QString> answers[] = {
        {R"({"version": "1.2", "url": "https://corvane.com/d"})", upToDate},
        {{}, couldNotCheck},
        {R"({"version": "2.0", "url": "http://corvane.com/d"})", couldNotCheck},
        {R"({"version": "2.0", "url": "file:///etc/passwd"})", couldNotCheck},
        {R"({"version": "2.0", "url": "https://corvane.com/d", "notes": ")" +
             QByteArray(Feed::maxBodyBytes, 'a') + R"("})",
         couldNotCheck},
    };
    auto updates = makeCheck(feed);
    for (const auto& [body, alert] : answers) {
        SCOPED_TRACE(body.left(80).constData());
        if (body.isEmpty()) {
            QFile::remove(feed.toLocalFile());
        } else {
            publish(body);
        }
        check(*updates, false);
        EXPECT_TRUE(alerts.shown.empty());
        check(*updates, true);
        EXPECT_EQ(alerts.shown, QStringList{alert});
        alerts.shown.clear();
    }
    EXPECT_TRUE(opened.empty());
}

TEST_F(UpdateCheckTest, LaunchChecksAtMostOnceADayCountingFailures) {
    auto updates = makeCheck(feed);
    QSignalSpy done(updates.get(), &UpdateCheck::finished);
    updates->checkAtLaunch();
    ASSERT_TRUE(waitFor([&] { return done.count() == 1; }));
    const double started = static_cast<double>(platform.now().toSecsSinceEpoch());
    EXPECT_EQ(lastCheck(), started);
    EXPECT_TRUE(alerts.shown.empty());

    publish(newer);
    platform.setClock(platform.now().addSecs(86400), false);
    updates->checkAtLaunch();
    EXPECT_EQ(lastCheck(), started);

    platform.setClock(platform.now().addSecs(1), false);
    updates->checkAtLaunch();
    ASSERT_TRUE(waitFor([&] { return done.count() == 2; }));
    EXPECT_EQ(lastCheck(), started + 86401);
    EXPECT_EQ(alerts.shown.size(), 1);
}

TEST_F(UpdateCheckTest, AnEmptyFeedTurnsChecksOff) {
    auto updates = makeCheck(QUrl());
    EXPECT_FALSE(updates->enabled());
    updates->checkAtLaunch();
    updates->check(true);
    EXPECT_FALSE(lastCheck());
    EXPECT_TRUE(alerts.shown.empty());
}

} // namespace
} // namespace tessel
