#include "paper/Paper.h"
#include "paper/PaperName.h"

#include <gtest/gtest.h>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

TEST(PaperCatalogue, HoldsTwelvePapersInDisplayOrder) {
    QStringList ids;
    for (const Paper& paper : Paper::builtIn()) {
        ids << paper.id;
    }
    EXPECT_EQ(ids.join(u','), QStringLiteral("kozo,gampi,mitsumata,hotpress,coldpress,rough,laid,"
                                             "linen,felt,newsprint,graph,blotting"));
}

TEST(PaperFind, FindsBuiltInsFallsBackToKozoAndLetsCustomPapersShadowThem) {
    EXPECT_EQ(Paper::find(u"graph"_s, {}), Paper::builtIn().at(10));
    EXPECT_EQ(Paper::find(u"vellum"_s, {}), Paper::builtIn().first());

    Recipe mine;
    mine.seed = 99;
    Recipe second;
    second.seed = 100;
    const QList<CustomPaper> custom = {{u"linen"_s, u"My Linen"_s, mine},
                                       {u"linen"_s, u"Later"_s, second}};
    const Paper linen = Paper::find(u"linen"_s, custom);
    EXPECT_EQ(linen.name, u"My Linen"_s);
    EXPECT_EQ(linen.note, u"Your paper"_s);
    EXPECT_EQ(linen.recipe, mine);
}

TEST(PaperName, KeepsOnlyPlainTextOnOneLine) {
    const QString hundred(maxPaperNameLength, u'a');
    const QString emoji = u"\U0001F4DC"_s;
    struct Case {
        QString name;
        QString cleaned;
    };
    for (const Case& c : {
             Case{u"Kitchen Linen"_s, u"Kitchen Linen"_s},
             Case{u"  Two\n\nlines\t "_s, u"Two lines"_s},
             Case{u"red\x1b[31m\u0000\u007f\u009b!"_s, u"red [31m !"_s},
             Case{u"abc\u202Egpj.exe\u2066x\u2069"_s, u"abcgpj.exex"_s},
             Case{u"<img src=/etc/passwd>"_s, u"<img src=/etc/passwd>"_s},
             Case{u"\u2028\n\u202D"_s, QString()},
             Case{hundred + u'b', hundred},
             Case{hundred.chopped(1) + u' ' + u'b', hundred.chopped(1)},
             Case{hundred.chopped(1) + emoji, hundred.chopped(1)},
             Case{hundred.chopped(2) + emoji, hundred.chopped(2) + emoji},
         }) {
        EXPECT_EQ(cleanPaperName(c.name), c.cleaned) << c.name.toStdString();
    }
}

} // namespace
} // namespace tessel
