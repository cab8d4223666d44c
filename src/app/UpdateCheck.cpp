#include "app/UpdateCheck.h"

#include "app/Alerts.h"
#include "platform/Platform.h"
#include "platform/UserDefaults.h"

#include <QNetworkReply>

#include <nlohmann/json.hpp>

namespace tessel {

namespace {

constexpr const char* lastCheckKey = "lastUpdateCheck";
constexpr double day = 86400;
constexpr int transferTimeoutMs = 30'000;

} // namespace

UpdateCheck::UpdateCheck(Platform& platform, QUrl feed, QString runningVersion, Alerts& alerts,
                         OpenUrl openUrl)
    : m_platform(platform)
    , m_feed(std::move(feed))
    , m_runningVersion(runningVersion.isEmpty() ? QStringLiteral("0") : std::move(runningVersion))
    , m_alerts(alerts)
    , m_openUrl(std::move(openUrl)) {}

QUrl UpdateCheck::configuredFeed() {
    const QByteArray forTests = qgetenv("TESSEL_TEST_UPDATE_FEED");
    return QUrl(forTests.isNull() ? QStringLiteral(TESSEL_UPDATE_FEED)
                                  : QString::fromUtf8(forTests));
}

void UpdateCheck::checkAtLaunch() {
    const auto stored = m_platform.defaults().value(lastCheckKey);
    const double last = stored && stored->is_number() ? stored->get<double>() : 0;
    const double now = static_cast<double>(m_platform.now().toMSecsSinceEpoch()) / 1000.0;
    if (now - last > day) {
        check(false);
    }
}

void UpdateCheck::check(bool interactive) {
    if (!enabled()) {
        return;
    }
    // Stored before fetching, so a failed check also waits a day before the next one.
    const double now = static_cast<double>(m_platform.now().toMSecsSinceEpoch()) / 1000.0;
    // A failed write is logged by the defaults; then the next launch simply checks again.
    static_cast<void>(m_platform.defaults().setValue(lastCheckKey, now));

    QNetworkRequest request(m_feed);
    request.setTransferTimeout(transferTimeoutMs);
    QNetworkReply* reply = m_network.get(request);
    // A longer body is cut off, and then fails to decode like a broken feed.
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64 total) {
        if (received > Feed::maxBodyBytes || total > Feed::maxBodyBytes) {
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, interactive] {
        reply->deleteLater();
        // The status is not looked at: an error page fails to decode like a failed fetch. An
        // aborted reply is closed, and has nothing to read.
        const QByteArray body =
            reply->isOpen() ? reply->read(Feed::maxBodyBytes + 1) : QByteArray();
        conclude(body, interactive);
    });
}

void UpdateCheck::conclude(const QByteArray& body, bool interactive) {
    const auto feed = Feed::decode(body);
    // A download page anywhere but https is a broken feed, not an offer to make.
    if (!feed || feed->url.scheme() != u"https") {
        if (interactive) {
            m_alerts.inform(QStringLiteral("Couldn't check for updates"),
                            QStringLiteral("Check your internet connection and try again."));
        }
    } else if (compareVersions(feed->version, m_runningVersion) > 0) {
        offer(*feed);
    } else if (interactive) {
        m_alerts.inform(QStringLiteral("Tessel is up to date"),
                        QStringLiteral("You have version %1.").arg(m_runningVersion));
    }
    Q_EMIT finished();
}

void UpdateCheck::offer(const Feed& feed) {
    const QString text =
        feed.notes.value_or(QStringLiteral("You have version %1.").arg(m_runningVersion));
    if (m_alerts.offerDownload(QStringLiteral("Tessel %1 is available").arg(feed.version), text)) {
        openDownloadPage(feed.url, m_openUrl);
    }
}

bool UpdateCheck::openDownloadPage(const QUrl& url, const OpenUrl& openUrl) {
    if (url.scheme() != u"https" || !url.isValid()) {
        return false;
    }
    return openUrl(url);
}

} // namespace tessel
