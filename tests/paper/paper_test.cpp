#include "paper/Paper.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(PaperCatalogue, HoldsTwelvePapersInDisplayOrder) {
    const auto& papers = Paper::builtIn();
    ASSERT_EQ(papers.size(), 12);
    QStringList ids;
    for (const Paper& paper : papers) {
        ids << paper.id;
    }
    EXPECT_EQ(ids.join(u','), QStringLiteral("kozo,gampi,mitsumata,hotpress,coldpress,rough,laid,"
                                             "linen,felt,newsprint,graph,blotting"));
}

TEST(PaperFind, FindsBuiltInsAndFallsBackToKozo) {
    const Paper graph = Paper::find(QStringLiteral("graph"), {});
    EXPECT_EQ(graph.name, QStringLiteral("Graph"));
    EXPECT_EQ(graph.recipe.pattern, Recipe::Pattern::graph);
    EXPECT_EQ(graph.recipe.warmth, -0.2f);

    const Paper unknown = Paper::find(QStringLiteral("vellum"), {});
    EXPECT_EQ(unknown.id, QStringLiteral("kozo"));
    EXPECT_EQ(unknown, Paper::builtIn().first());
}

TEST(PaperFind, CustomPapersShadowBuiltInsInStoredOrder) {
    Recipe mine;
    mine.seed = 99;
    Recipe second;
    second.seed = 100;
    const QList<CustomPaper> custom = {{QStringLiteral("linen"), QStringLiteral("My Linen"), mine},
                                       {QStringLiteral("linen"), QStringLiteral("Later"), second}};
    const Paper linen = Paper::find(QStringLiteral("linen"), custom);
    EXPECT_EQ(linen.name, QStringLiteral("My Linen"));
    EXPECT_EQ(linen.note, QStringLiteral("Your paper"));
    EXPECT_EQ(linen.recipe, mine);
}

TEST(PaperList, AppendsCustomPapersAfterTheBuiltIns) {
    const QList<CustomPaper> custom = {{QStringLiteral("mine"), QStringLiteral("Mine"), Recipe{}}};
    const QList<Paper> all = Paper::all(custom);
    ASSERT_EQ(all.size(), 13);
    EXPECT_EQ(all.last().id, QStringLiteral("mine"));
    EXPECT_EQ(all.last().note, QStringLiteral("Your paper"));
}

} // namespace
} // namespace tessel
