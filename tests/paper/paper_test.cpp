#include "paper/Paper.h"
#include "paper/PaperDocument.h"
#include "paper/PaperName.h"
#include "paper/RecipeJson.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

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

TEST(PaperName, KeepsOnlyPlainTextOnOneLine) {
    const QString hundred(maxPaperNameLength, u'a');
    const QString emoji = QStringLiteral("\U0001F4DC");
    struct Case {
        QString name;
        QString cleaned;
    };
    for (const Case& c : {
             Case{QStringLiteral("Kitchen Linen"), QStringLiteral("Kitchen Linen")},
             Case{QStringLiteral("  Two\n\nlines\t "), QStringLiteral("Two lines")},
             Case{QStringLiteral("red\x1b[31m\u0000\u007f\u009b!"), QStringLiteral("red [31m !")},
             Case{QStringLiteral("abc\u202Egpj.exe\u2066x\u2069"), QStringLiteral("abcgpj.exex")},
             Case{QStringLiteral("<img src=/etc/passwd>"), QStringLiteral("<img src=/etc/passwd>")},
             Case{QStringLiteral("\u2028\n\u202D"), QString()},
             Case{hundred + u'b', hundred},
             Case{hundred.chopped(1) + u' ' + u'b', hundred.chopped(1)},
             Case{hundred.chopped(1) + emoji, hundred.chopped(1)},
             Case{hundred.chopped(2) + emoji, hundred.chopped(2) + emoji},
         }) {
        EXPECT_EQ(cleanPaperName(c.name), c.cleaned) << c.name.toStdString();
    }
}

TEST(PaperName, DecodedPapersCarryCleanNames) {
    const Json document{
        {"id", "custom-1"}, {"name", "Evil\nname\u202E"}, {"recipe", toJson(Recipe{})}};
    const auto paper = customPaperFromJson(document);
    ASSERT_TRUE(paper);
    EXPECT_EQ(paper->name, QStringLiteral("Evil name"));
}

} // namespace
} // namespace tessel
