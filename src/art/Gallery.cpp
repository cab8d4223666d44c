#include "art/Gallery.h"

namespace tessel::gallery {

namespace {

QColor rgb(double r, double g, double b) {
    return QColor::fromRgbF(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b));
}

} // namespace

const QList<Collection>& collections() {
    static const QList<Collection> all{
        {QStringLiteral("ukiyoe"), QStringLiteral("Ukiyo-e"), rgb(0.10, 0.10, 0.11),
         rgb(0.05, 0.05, 0.05), 10, rgb(0.95, 0.95, 0.94), 64},
        {QStringLiteral("impressionist"), QStringLiteral("Impressionists"), rgb(0.20, 0.22, 0.23),
         rgb(0.62, 0.50, 0.30), 16, rgb(0.96, 0.96, 0.95), 40},
        {QStringLiteral("dutch"), QStringLiteral("Dutch Masters"), rgb(0.08, 0.09, 0.09),
         rgb(0.04, 0.04, 0.04), 26, std::nullopt, 0},
        {QStringLiteral("botanical"), QStringLiteral("Botanical"), rgb(0.84, 0.85, 0.84),
         rgb(0.98, 0.98, 0.97), 8, rgb(0.99, 0.99, 0.98), 72},
        {QStringLiteral("ink"), QStringLiteral("Ink Landscapes"), rgb(0.15, 0.15, 0.15),
         rgb(0.28, 0.26, 0.24), 4, rgb(0.86, 0.86, 0.84), 52},
        // Photographs hang in a plain black frame with a white mat, as in a print gallery.
        {QStringLiteral("mine"), QStringLiteral("Your Pictures"), rgb(0.16, 0.16, 0.17),
         rgb(0.06, 0.06, 0.06), 12, rgb(0.97, 0.97, 0.96), 48},
    };
    return all;
}

const Collection& collection(const QString& id) {
    const QList<Collection>& all = collections();
    for (const Collection& candidate : all) {
        if (candidate.id == id) {
            return candidate;
        }
    }
    return all.front();
}

} // namespace tessel::gallery
