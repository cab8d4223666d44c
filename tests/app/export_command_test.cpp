#include "CommandTest.h"
#include "app/CommandIO.h"
#include "paper/HeightField.h"
#include "paper/PaperDocument.h"
#include "paper/TileShading.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstring>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

class ExportCommand : public CommandTest {
protected:
    int exportAs(QStringList arguments) {
        arguments.prepend(u"export"_s);
        const Outcome outcome = run(arguments);
        errors = outcome.err;
        return outcome.code.value_or(-1);
    }

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QByteArray read(const char* name) const { return CommandTest::read(QString::fromLatin1(name)); }

    QString errors;
};

TEST_F(ExportCommand, RawTileHoldsThePremultipliedBytesAsShaded) {
    ASSERT_EQ(exportAs({u"tile"_s, u"graph"_s, u"--gsm"_s, u"200"_s, u"--night"_s, u"-o"_s,
                        path("graph.rgba")}),
              0);
    const Recipe graph = Paper::find(u"graph"_s, {}).recipe;
    const QImage expected = shadeTile(heightField(graph, 1024), 1024, true, 200, graph.warmth);
    const QByteArray bytes = read("graph.rgba");
    ASSERT_EQ(bytes.size(), 1024 * 1024 * 4);
    EXPECT_EQ(std::memcmp(bytes.constData(), expected.constBits(), bytes.size()), 0);
}

TEST_F(ExportCommand, PngTileHasStraightAlpha) {
    ASSERT_EQ(exportAs({u"tile"_s, u"kozo"_s, u"-o"_s, path("kozo.png")}), 0);
    const QImage image(path("kozo.png"));
    EXPECT_EQ(image.size(), QSize(1024, 1024));
    EXPECT_TRUE(image.hasAlphaChannel());
}

TEST_F(ExportCommand, FieldAndPreviewFromAPaperDocument) {
    Recipe recipe;
    recipe.grain = 1;
    recipe.seed = 7;
    write(u"mine.tessel"_s,
          QByteArray::fromStdString(toJson(CustomPaper{u"x"_s, u"Mine"_s, recipe}).dump()));

    ASSERT_EQ(exportAs({u"field"_s, path("mine.tessel"), u"--size"_s, u"128"_s, u"-o"_s,
                        path("mine.f32")}),
              0);
    const QByteArray raw = read("mine.f32");
    ASSERT_EQ(raw.size(), 128 * 128 * 4);
    const std::vector<float> field = heightField(recipe, 128);
    EXPECT_EQ(std::memcmp(raw.constData(), field.data(), raw.size()), 0);

    ASSERT_EQ(exportAs({u"field"_s, path("mine.tessel"), u"--size"_s, u"128"_s, u"-o"_s,
                        path("mine16.png")}),
              0);
    EXPECT_EQ(QImage(path("mine16.png")).format(), QImage::Format_Grayscale16);

    ASSERT_EQ(exportAs({u"preview"_s, path("mine.tessel"), u"-o"_s, path("preview.png")}), 0);
    const QImage preview(path("preview.png"));
    EXPECT_EQ(preview.size(), QSize(256, 256));
    EXPECT_TRUE(preview.isGrayscale());
}

TEST_F(ExportCommand, BadInputGivesOneLineAndFails) {
    write(u"bad.tessel"_s, R"({"id": "x", "name": "X", "recipe": {"cloud": 1}})");
    write(u"big.tessel"_s, QByteArray(1024 * 1024 + 1, ' '));
    const QString kozo = u"kozo"_s;
    const QString to = u"-o"_s;
    const struct {
        QStringList args;
        int status;
    } cases[] = {
        {{u"field"_s, kozo, u"--size"_s, u"100"_s, to, path("x.f32")}, commandFailed},
        {{u"field"_s, kozo, u"--size"_s, u"4224"_s, to, path("x.f32")}, commandFailed},
        {{u"tile"_s, kozo, u"--shiny"_s, to, path("x.png")}, commandMisused},
        {{u"tile"_s, kozo}, commandMisused},
        {{u"tile"_s, u"vellum"_s, to, path("x.png")}, commandFailed},
        {{u"tile"_s, path("bad.tessel"), to, path("x.png")}, commandFailed},
        {{u"tile"_s, path("big.tessel"), to, path("x.png")}, commandFailed},
        {{u"tile"_s, kozo, to, path("x.jpg")}, commandFailed},
        {{u"tile"_s, kozo, u"--gsm"_s, u"heavy"_s, to, path("x.png")}, commandFailed},
        {{u"poster"_s, kozo, to, path("x.png")}, commandFailed},
    };
    for (const auto& [args, status] : cases) {
        EXPECT_EQ(exportAs(args), status) << args.join(u' ').toStdString();
        EXPECT_EQ(errors.count(u'\n'), 1) << errors.toStdString();
        EXPECT_TRUE(errors.startsWith(u"tessel: "_s)) << errors.toStdString();
    }
    EXPECT_FALSE(QFile::exists(path("x.f32")));
    EXPECT_FALSE(QFile::exists(path("x.png")));
}

} // namespace
} // namespace tessel
