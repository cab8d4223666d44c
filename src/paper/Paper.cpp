#include "paper/Paper.h"

#include <QHashFunctions>

namespace tessel {

namespace {

using P = Recipe::Pattern;

Paper make(const char* id, const char* name, const char* note, Recipe recipe) {
    return {QString::fromLatin1(id), QString::fromLatin1(name), QString::fromLatin1(note), recipe};
}

// clang-format off
QList<Paper> makeCatalogue() {
    //                                           cloud grain tooth size fibres dens  len   width flecks pattern    amount warmth seed
    return {
        make("kozo", "Kozo", "Long mulberry fibres, soft and even",
             {0.35f, 0.35f, 0,     24, 0.8f,  0.45f, 140, 0.9f, 0,    P::none,  0,     0.15f,  11}),
        make("gampi", "Gampi", "Silky and fine, barely there",
             {0.2f,  0.3f,  0,     24, 0.35f, 0.6f,  40,  0.5f, 0,    P::none,  0,     0,      12}),
        make("mitsumata", "Mitsumata", "Tight, gentle fibre for long reading",
             {0.3f,  0.4f,  0,     24, 0.55f, 0.8f,  70,  0.7f, 0,    P::none,  0,     0.3f,   13}),
        make("hotpress", "Hot Press", "Smooth, hard-sized, quiet",
             {0.15f, 0.55f, 0.15f, 10, 0,     0,     60,  0.8f, 0,    P::none,  0,     0,      14}),
        make("coldpress", "Cold Press", "A visible tooth for writing",
             {0.2f,  0.35f, 0.75f, 22, 0,     0,     60,  0.8f, 0,    P::none,  0,     0,      15}),
        make("rough", "Rough", "Deep tooth and shadow",
             {0.25f, 0.3f,  1.0f,  40, 0,     0,     60,  0.8f, 0,    P::none,  0,     0.1f,   16}),
        make("laid", "Laid", "Fine ribbed lines of a writing sheet",
             {0.3f,  0.35f, 0,     24, 0,     0,     60,  0.8f, 0,    P::laid,  0.55f, 0,      17}),
        make("linen", "Linen", "A tight woven cloth",
             {0,     0.3f,  0,     24, 0,     0,     60,  0.8f, 0,    P::linen, 0.8f,  0.1f,   18}),
        make("felt", "Felt", "Dense, matte, made for dark mode",
             {0.25f, 0.6f,  0,     24, 0.4f,  1.0f,  18,  0.6f, 0,    P::none,  0,     0,      19}),
        make("newsprint", "Newsprint", "Grey stock with scattered flecks",
             {0.35f, 0.5f,  0,     24, 0.25f, 0.5f,  30,  0.6f, 0.6f, P::none,  0,     -0.1f,  20}),
        make("graph", "Graph", "A faint grid for code and numbers",
             {0.15f, 0.35f, 0,     24, 0,     0,     60,  0.8f, 0,    P::graph, 0.6f,  -0.2f,  21}),
        make("blotting", "Blotting", "Thick and soft for late nights",
             {0.9f,  0.4f,  0.2f,  60, 0,     0,     60,  0.8f, 0,    P::none,  0,     0.25f,  22}),
    };
}
// clang-format on

} // namespace

const QList<Paper>& Paper::builtIn() {
    static const QList<Paper> catalogue = makeCatalogue();
    return catalogue;
}

Paper Paper::find(const QString& id, const QList<CustomPaper>& customPapers) {
    for (const CustomPaper& custom : customPapers) {
        if (custom.id == id) {
            return {custom.id, custom.name, QStringLiteral("Your paper"), custom.recipe};
        }
    }
    for (const Paper& paper : builtIn()) {
        if (paper.id == id) {
            return paper;
        }
    }
    return builtIn().first();
}

QList<Paper> Paper::all(const QList<CustomPaper>& customPapers) {
    QList<Paper> papers = builtIn();
    for (const CustomPaper& custom : customPapers) {
        papers.append(find(custom.id, customPapers));
    }
    return papers;
}

std::size_t qHash(const Paper& paper, std::size_t seed) noexcept {
    return qHashMulti(seed, paper.id, paper.name, paper.note, paper.recipe);
}

} // namespace tessel
