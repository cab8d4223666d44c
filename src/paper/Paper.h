#pragma once

#include "paper/Recipe.h"

#include <QList>
#include <QString>

namespace tessel {

// A paper made in the Studio; it has no note of its own.
struct CustomPaper {
    QString id;
    QString name;
    Recipe recipe;

    friend bool operator==(const CustomPaper&, const CustomPaper&) = default;
};

struct Paper {
    QString id;
    QString name;
    QString note;
    Recipe recipe;

    friend bool operator==(const Paper&, const Paper&) = default;

    // The twelve built-in papers in display order.
    static const QList<Paper>& builtIn();

    // Custom papers shadow built-ins with the same id; an unknown id gives Kozo,
    // so a paper reference never fails.
    static Paper find(const QString& id, const QList<CustomPaper>& customPapers);

    // Built-ins, then every custom paper in stored order.
    static QList<Paper> all(const QList<CustomPaper>& customPapers);
};

std::size_t qHash(const Paper& paper, std::size_t seed = 0) noexcept;

} // namespace tessel
