#pragma once

#include "ChildProcess.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QString>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace tessel::test {

inline bool isWhite(const QColor& c) {
    return c.isValid() && c.red() == 255 && c.green() == 255 && c.blue() == 255;
}

// Light paper over white: a little darker than white, never the tile's own dark colour.
inline bool isPaperOverWhite(const QColor& c) {
    return c.isValid() && !isWhite(c) && c.red() > 180 && c.green() > 180 && c.blue() > 180;
}

// The share of pixels, sampled on a grid, that differ clearly between two screenshots.
inline double changedShare(const QImage& before, const QImage& after) {
    constexpr int step = 8;
    constexpr int clearly = 40;
    if (before.size() != after.size() || before.isNull()) {
        return 1;
    }
    int changed = 0;
    int sampled = 0;
    for (int y = 0; y < before.height(); y += step) {
        for (int x = 0; x < before.width(); x += step) {
            const QColor a = before.pixelColor(x, y);
            const QColor b = after.pixelColor(x, y);
            changed += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                           std::abs(a.blue() - b.blue()) >
                       clearly;
            ++sampled;
        }
    }
    return static_cast<double>(changed) / sampled;
}

// A full-screen native Wayland window in one colour (the solid_window helper, whose path the
// test program names as TESSEL_SOLID_WINDOW); it logs the clicks and keys it receives.
class SolidWindow {
public:
    SolidWindow(std::vector<std::string> environment, const char* appId, const QString& log,
                const char* colour = "ffffff")
        : m_log(log) {
        environment.emplace_back("ASAN_OPTIONS=detect_leaks=0");
        m_process = std::make_unique<ChildProcess>(
            std::vector<std::string>{TESSEL_SOLID_WINDOW, appId, colour}, log.toStdString(),
            environment);
    }

    QByteArray log() const { return read(); }
    bool isShown() const { return read().contains("ready\n"); }
    bool received(const QByteArray& line) const { return read().contains(line + '\n'); }
    qsizetype count(const QByteArray& line) const { return read().count(line + '\n'); }

private:
    QByteArray read() const {
        QFile file(m_log);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString m_log;
    std::unique_ptr<ChildProcess> m_process;
};

} // namespace tessel::test
