#pragma once

#include "app/Feed.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QUrl>

#include <functional>

namespace tessel {

class Alerts;
class Platform;

// Learns of new versions from the feed. A silent check runs at launch at most once a day;
// the user can ask for one at any time. It never downloads anything itself: the offer
// opens the download page in the browser, and only over https.
class UpdateCheck final : public QObject {
    Q_OBJECT

public:
    using OpenUrl = std::function<bool(const QUrl&)>;

    // An empty feed URL turns the checks off.
    UpdateCheck(Platform& platform, QUrl feed, QString runningVersion, Alerts& alerts,
                OpenUrl openUrl);

    // The feed URL built in, or for tests $TESSEL_TEST_UPDATE_FEED when it is set.
    static QUrl configuredFeed();

    bool enabled() const { return !m_feed.isEmpty(); }

    // Checks silently when more than a day has passed since the last check of any kind.
    void checkAtLaunch();
    void check(bool interactive);

    // Opens the page with the given handler unless its scheme is anything but https.
    static bool openDownloadPage(const QUrl& url, const OpenUrl& openUrl);

Q_SIGNALS:
    // After the outcome has been shown, or not shown.
    void finished();

private:
    void conclude(const QByteArray& body, bool interactive);
    void offer(const Feed& feed);

    Platform& m_platform;
    QUrl m_feed;
    QString m_runningVersion;
    Alerts& m_alerts;
    OpenUrl m_openUrl;
    QNetworkAccessManager m_network;
};

} // namespace tessel
