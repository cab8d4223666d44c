#include "LocalHttpServer.h"
#include "MachineTest.h"
#include "app/Alerts.h"
#include "app/UpdateCheck.h"

#include <QSignalSpy>

namespace tessel {
namespace {

struct Alert {
    QString message;
    QString text;
    bool offer = false;

    friend bool operator==(const Alert&, const Alert&) = default;
};

class RecordingAlerts final : public Alerts {
public:
    void inform(const QString& message, const QString& text) override {
        shown.push_back({message, text, false});
    }
    bool offerDownload(const QString& message, const QString& text) override {
        shown.push_back({message, text, true});
        return download;
    }

    std::vector<Alert> shown;
    bool download = true;
};

const QByteArray newer =
    R"({"version": "1.10", "url": "https://corvane.com/tessel/download", "notes": "Felt is softer."})";

class UpdateCheckTest : public MachineTest {
protected:
    std::unique_ptr<UpdateCheck> makeCheck(QUrl feed, QString running = u"1.2"_s) {
        return std::make_unique<UpdateCheck>(platform, std::move(feed), std::move(running), alerts,
                                             [this](const QUrl& url) {
                                                 opened.push_back(url);
                                                 return true;
                                             });
    }

    // Runs one check against the server's current answer and waits for its outcome.
    void check(UpdateCheck& updates, bool interactive) {
        QSignalSpy done(&updates, &UpdateCheck::finished);
        updates.check(interactive);
        ASSERT_TRUE(waitFor([&] { return done.count() == 1; }, std::chrono::seconds(10)));
    }

    std::optional<double> lastCheck() {
        const auto value = platform.defaults().value("lastUpdateCheck");
        return value ? std::optional(value->get<double>()) : std::nullopt;
    }

    const Alert couldNotCheck{u"Couldn't check for updates"_s,
                              u"Check your internet connection and try again."_s, false};
    const Alert upToDate{u"Tessel is up to date"_s, u"You have version 1.2."_s, false};

    LocalHttpServer server;
    RecordingAlerts alerts;
    std::vector<QUrl> opened;
};

TEST_F(UpdateCheckTest, ANewerVersionIsOfferedAndDownloadOpensItsPage) {
    auto updates = makeCheck(server.url());
    server.answer(200, newer);
    check(*updates, false);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0], (Alert{u"Tessel 1.10 is available"_s, u"Felt is softer."_s, true}));
    EXPECT_EQ(opened, std::vector{QUrl(u"https://corvane.com/tessel/download"_s)});

    alerts.download = false;
    check(*updates, true);
    EXPECT_EQ(alerts.shown.size(), 2u);
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(UpdateCheckTest, WithoutNotesTheOfferNamesTheRunningVersion) {
    server.answer(200, R"({"version": "1.0", "url": "https://corvane.com/d"})");
    auto updates = makeCheck(server.url(), QString());
    check(*updates, false);
    ASSERT_EQ(alerts.shown.size(), 1u);
    EXPECT_EQ(alerts.shown[0],
              (Alert{u"Tessel 1.0 is available"_s, u"You have version 0."_s, true}));
}

TEST_F(UpdateCheckTest, TheSameOrAnOlderVersionIsReportedOnlyWhenAsked) {
    auto updates = makeCheck(server.url());
    for (const char* version : {"1.2", "1.1", "1.02"}) {
        server.answer(200, QByteArray(R"({"version": ")") + version +
                               R"(", "url": "https://corvane.com/d"})");
        check(*updates, false);
        EXPECT_TRUE(alerts.shown.empty()) << version;
        check(*updates, true);
        ASSERT_EQ(alerts.shown.size(), 1u) << version;
        EXPECT_EQ(alerts.shown[0], upToDate);
        alerts.shown.clear();
    }
    EXPECT_TRUE(opened.empty());
}

TEST_F(UpdateCheckTest, BrokenFeedsAndFailedFetchesAreReportedOnlyWhenAsked) {
    auto updates = makeCheck(server.url());
    // Feeds the decoder refuses are its own tests' business; these reach the check's own
    // limits: a failed request, an http page it must not open, and a body beyond the cap.
    const std::pair<int, QByteArray> answers[] = {
        {404, "<html><body><h1>Not Found</h1></body></html>"},
        {200, R"({"version": "2.0", "url": "http://corvane.com/d"})"},
        {200, R"({"version": "2.0", "url": "https://corvane.com/d", "notes": ")" +
                  QByteArray(Feed::maxBodyBytes, 'a') + R"("})"},
    };
    for (const auto& [status, body] : answers) {
        server.answer(status, body, status == 404 ? "text/html" : "application/json");
        check(*updates, false);
        EXPECT_TRUE(alerts.shown.empty()) << body.left(80).constData();
        check(*updates, true);
        ASSERT_EQ(alerts.shown.size(), 1u) << body.left(80).constData();
        EXPECT_EQ(alerts.shown[0], couldNotCheck);
        alerts.shown.clear();
    }
    EXPECT_TRUE(opened.empty());

    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const QUrl nobody(u"http://127.0.0.1:%1/version.json"_s.arg(closed.serverPort()));
    closed.close();
    auto unreachable = makeCheck(nobody);
    check(*unreachable, true);
    EXPECT_EQ(alerts.shown, std::vector{couldNotCheck});
}

TEST_F(UpdateCheckTest, LaunchChecksAtMostOnceADayCountingFailures) {
    auto updates = makeCheck(server.url());
    server.answer(404, "gone", "text/plain");
    QSignalSpy done(updates.get(), &UpdateCheck::finished);
    updates->checkAtLaunch();
    ASSERT_TRUE(waitFor([&] { return done.count() == 1; }, std::chrono::seconds(10)));
    const double started = static_cast<double>(platform.now().toSecsSinceEpoch());
    EXPECT_EQ(lastCheck(), started);
    EXPECT_TRUE(alerts.shown.empty());

    server.answer(200, newer);
    platform.setClock(platform.now().addSecs(86400), false);
    updates->checkAtLaunch();
    EXPECT_EQ(done.count(), 1);
    EXPECT_EQ(lastCheck(), started);

    platform.setClock(platform.now().addSecs(1), false);
    updates->checkAtLaunch();
    ASSERT_TRUE(waitFor([&] { return done.count() == 2; }, std::chrono::seconds(10)));
    EXPECT_EQ(lastCheck(), started + 86401);
    EXPECT_EQ(server.requests(), 2);
    EXPECT_EQ(alerts.shown.size(), 1u);
}

TEST_F(UpdateCheckTest, AnEmptyFeedTurnsChecksOff) {
    auto updates = makeCheck(QUrl());
    EXPECT_FALSE(updates->enabled());
    updates->checkAtLaunch();
    updates->check(true);
    EXPECT_FALSE(lastCheck());
    EXPECT_TRUE(alerts.shown.empty());
}

TEST(UpdateDownload, OpensOnlyHttpsPages) {
    std::vector<QUrl> opened;
    const UpdateCheck::OpenUrl open = [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    };
    for (const char* refused : {"http://corvane.com/d", "file:///etc/passwd", "ftp://corvane.com",
                                "javascript:alert(1)", "corvane.com/d", ""}) {
        EXPECT_FALSE(UpdateCheck::openDownloadPage(QUrl(QString::fromLatin1(refused)), open))
            << refused;
    }
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(UpdateCheck::openDownloadPage(QUrl(u"https://corvane.com/d"_s), open));
    EXPECT_EQ(opened.size(), 1u);
}

} // namespace
} // namespace tessel
