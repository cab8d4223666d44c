#pragma once

#include <QMap>
#include <QString>

#include <optional>

namespace tessel {

// What one screen shows: produced by the Store's refresh, never persisted.
struct Layer {
    QString paper;
    double gsm = 0;
    bool night = false;
    std::optional<QString> lamp;
    double lampStrength = 0;

    friend bool operator==(const Layer&, const Layer&) = default;
};

// By screen identifier; a screen without an entry shows no paper.
using LayerMap = QMap<QString, Layer>;

} // namespace tessel
