#include "platform/wayland/KWinReports.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tessel {

namespace {

using namespace Qt::StringLiterals;

QJsonValue parsed(const QString& report) {
    const QJsonDocument document = QJsonDocument::fromJson(report.toUtf8());
    if (document.isObject()) {
        return document.object();
    }
    return document.array();
}

// KWin knows the desktop entry of most apps; X ones it does not know go by their class, lower
// case as Tessel names them on X11.
std::optional<AppInfo> appFrom(const QJsonObject& report) {
    QString appId = report.value("desktopFile"_L1).toString();
    if (appId.isEmpty()) {
        appId = report.value("resourceClass"_L1).toString();
    }
    if (appId.isEmpty()) {
        return std::nullopt;
    }
    const int pid = report.value("pid"_L1).toInt();
    return AppInfo{appId, pid > 0 ? std::optional<qint32>(pid) : std::nullopt, appId};
}

} // namespace

void KWinReports::clear() {
    const bool hadWindow = m_active.has_value();
    m_active.reset();
    m_apps.clear();
    m_pointer.reset();
    m_canExclude = false;
    if (hadWindow) {
        Q_EMIT activeWindowChanged();
    }
}

void KWinReports::ActiveWindowChanged(const QString& report) {
    const QJsonObject window = parsed(report).toObject();
    std::optional<KWinWindow> active;
    if (const auto app = appFrom(window)) {
        const QJsonObject frame = window.value("frame"_L1).toObject();
        active = KWinWindow{*app, QRect(frame.value("x"_L1).toInt(), frame.value("y"_L1).toInt(),
                                        frame.value("width"_L1).toInt(),
                                        frame.value("height"_L1).toInt())};
    }
    if (active != m_active) {
        m_active = active;
        Q_EMIT activeWindowChanged();
    }
}

// One entry per app, however many windows it has open.
void KWinReports::RunningAppsChanged(const QString& report) {
    m_apps.clear();
    const QJsonArray windows = parsed(report).toArray();
    for (const QJsonValue& window : windows) {
        const auto app = appFrom(window.toObject());
        const bool listed = app && std::any_of(m_apps.cbegin(), m_apps.cend(), [&](const auto& a) {
                                return a.appId == app->appId;
                            });
        if (app && !listed) {
            m_apps.append(*app);
        }
    }
}

void KWinReports::PointerMoved(const QString& report) {
    const QJsonObject pointer = parsed(report).toObject();
    if (pointer.contains("x"_L1) && pointer.contains("y"_L1)) {
        m_pointer =
            QPointF(pointer.value("x"_L1).toDouble(), pointer.value("y"_L1).toDouble()).toPoint();
    }
}

void KWinReports::CaptureExclusionAvailable(const QString&) {
    m_canExclude = true;
}

} // namespace tessel
